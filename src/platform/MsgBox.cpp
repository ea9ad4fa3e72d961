#include "platform/MsgBox.h"

namespace dc {

namespace {
QString& Title() {
    static QString title;
    return title;
}
MsgBoxResponder& Window() {
    static MsgBoxResponder window;
    return window;
}
MsgBoxResponder& Responder() {
    static MsgBoxResponder responder;
    return responder;
}
}  // namespace

void SetMsgBoxTitle(const QString& title) { Title() = title; }

QString MsgBoxTitle() { return Title(); }

void SetMsgBoxWindow(MsgBoxResponder window) { Window() = std::move(window); }

void SetMsgBoxResponder(MsgBoxResponder responder) { Responder() = std::move(responder); }

int MsgBox(const QString& text, int style, const QString& title) {
    const QString caption = title.isEmpty() ? Title() : title;
    if (Responder()) return Responder()(text, style, caption);
    if (Window()) return Window()(text, style, caption);
    return (style & 0x7) == vbOKOnly ? vbOK : vbCancel;
}

}  // namespace dc

#include "platform/MsgBox.h"

#include <utility>

#include "platform/Termination.h"

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
QStringList& Buttons() {
    static QStringList buttons;
    return buttons;
}
QString& Details() {
    static QString details;
    return details;
}
}  // namespace

void SetMsgBoxTitle(const QString& title) { Title() = title; }

QString MsgBoxTitle() { return Title(); }

void SetMsgBoxWindow(MsgBoxResponder window) { Window() = std::move(window); }

void SetMsgBoxResponder(MsgBoxResponder responder) { Responder() = std::move(responder); }

QStringList MsgBoxButtons() { return Buttons(); }

int MsgBox(const QString& text, int style, const QString& title, const QStringList& buttons) {
    // The captions hold while this box is shown; a box shown from inside it names its own.
    struct Named {
        QStringList outer;
        ~Named() { Buttons() = outer; }
    } named{std::exchange(Buttons(), buttons)};
    const QString caption = title.isEmpty() ? Title() : title;
    if (Responder()) return Responder()(text, style, caption);
    // A program told to end shows no more boxes.
    if (Window() && !TerminationRequested()) return Window()(text, style, caption);
    return UnansweredAnswer(style);
}

int UnansweredAnswer(int style) {
    switch (style & 0x7) {
        case vbOKOnly:
            return vbOK;
        case vbYesNo:
            return vbNo;
        default:
            return vbCancel;
    }
}

int MsgBox(const QString& text, int style, const QString& title) { return MsgBox(text, style, title, {}); }

int MsgBoxWithDetails(const QString& text, const QString& details, int style, const QString& title) {
    struct Given {
        QString outer;
        ~Given() { Details() = outer; }
    } given{std::exchange(Details(), details)};
    return MsgBox(text, style, title, {});
}

QString MsgBoxDetails() { return Details(); }

}  // namespace dc

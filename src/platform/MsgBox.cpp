#include "platform/MsgBox.h"

#include <QApplication>
#include <QMessageBox>

#include "shell/Globals.h"

namespace dc {
namespace {
MsgBoxResponder& Responder() {
    static MsgBoxResponder responder;
    return responder;
}
}  // namespace

void SetMsgBoxResponder(MsgBoxResponder responder) { Responder() = std::move(responder); }

int MsgBox(const QString& text, int style, const QString& title) {
    const QString caption = title.isEmpty() ? sAppTitle : title;
    if (Responder()) return Responder()(text, style, caption);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    QString shown = text;
    shown.replace("\r\n", "\n").replace('\r', '\n');
    box.setText(shown);
    switch (style & 0x70) {
        case vbCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case vbQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case vbExclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case vbInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    switch (style & 0x7) {
        case vbOKCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case vbYesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case vbYesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case vbRetryCancel:
            box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return vbOK;
        case QMessageBox::Yes:
            return vbYes;
        case QMessageBox::No:
            return vbNo;
        case QMessageBox::Retry:
            return vbRetry;
        default:
            return vbCancel;  // Cancel, or the close box
    }
}

}  // namespace dc

#include "shell/MsgBoxWindow.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/MsgBox.h"

namespace dc {
namespace {

QMessageBox::Icon IconOf(int style) {
    switch (style & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(int style) {
    switch (style & 0x7) {
        case vbOKCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case vbYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case vbYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case vbRetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

int ShowBox(const QString& text, int style, const QString& caption) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(WrapLongLines(text));
    box.setIcon(IconOf(style));
    box.setStandardButtons(ButtonsOf(style));
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

}  // namespace

void InstallMsgBoxWindow() { SetMsgBoxWindow(ShowBox); }

QString WrapLongLines(const QString& text, int width) {
    QString in = text;
    in.replace("\r\n", "\n").replace('\r', '\n');
    QStringList out;
    for (QString line : in.split('\n')) {
        while (line.size() > width) {
            const int blank = line.lastIndexOf(' ', width);
            const int cut = blank > 0 ? blank : width;
            out << line.left(cut);
            line = line.mid(blank > 0 ? cut + 1 : cut);
        }
        out << line;
    }
    return out.join('\n');
}

}  // namespace dc

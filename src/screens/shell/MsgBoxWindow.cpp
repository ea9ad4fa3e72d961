#include "shell/MsgBoxWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
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

// A box appears while the user may still be typing: only Enter, Escape and the keys that move between
// the buttons reach it, so a typed letter or blank never answers a question.
class AnswerKeysOnly : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        // Alt+letter answers as the underlined letter says; Ctrl+C copies the text.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down:
                return false;
            default:
                return true;
        }
    }
};

int ShowBox(const QString& text, int style, const QString& caption) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(WrapLongLines(text));
    box.setIcon(IconOf(style));
    box.setStandardButtons(ButtonsOf(style));
    // Buttons named for what they do, in the style's order.
    const QStringList names = MsgBoxButtons();
    const QMessageBox::StandardButton order[] = {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No,
                                                 QMessageBox::Retry, QMessageBox::Cancel};
    int next = 0;
    for (QMessageBox::StandardButton b : order)
        if (QAbstractButton* button = box.button(b); button && next < names.size())
            button->setText(names[next++]);
    auto* keys = new AnswerKeysOnly(&box);
    box.installEventFilter(keys);
    for (QAbstractButton* button : box.buttons()) button->installEventFilter(keys);
    // At least as wide as its title (with room for the title bar's icon and buttons), so that a
    // short text such as "No matches found" does not cut the title.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont titleFont = box.font();
        titleFont.setBold(true);
        const int width = QFontMetrics(titleFont).horizontalAdvance(caption) + 120;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
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

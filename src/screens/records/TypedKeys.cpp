#include "records/TypedKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "platform/MsgBox.h"
#include "records/MailingLabels.h"
#include "shell/Global.h"
#include "shell/ScreenBoxes.h"

namespace dc {

int UpperAsciiOnly(int keyAscii) { return keyAscii >= 97 && keyAscii <= 122 ? keyAscii - 32 : keyAscii; }

TypedTextFilter::TypedTextFilter(QWidget& box, Rule rule) : QObject(&box), rule_(std::move(rule)) {
    box.installEventFilter(this);
}

bool TypedTextFilter::eventFilter(QObject* watched, QEvent* event) {
    if (sending_ || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = key->text();
    if (typed.size() != 1 || !typed[0].isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QString replaced = rule_(typed);
    if (replaced == typed) return false;
    if (!replaced.isEmpty()) {
        QKeyEvent replacement(QEvent::KeyPress, 0, key->modifiers(), replaced, key->isAutoRepeat());
        sending_ = true;
        QCoreApplication::sendEvent(watched, &replacement);
        sending_ = false;
    }
    return true;
}

QValidator::State MaxLengthValidator::validate(QString& input, int& pos) const {
    // Typing past the limit is refused; a longer paste is cut to the limit.
    if (input.size() > length_) {
        input.truncate(length_);
        pos = std::min(pos, length_);
    }
    return Acceptable;
}

EnterAsTab::EnterAsTab(QWidget& form) : QObject(&form), form_(&form) { qApp->installEventFilter(this); }

EnterAsTab::~EnterAsTab() { qApp->removeEventFilter(this); }

bool EnterAsTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !form_) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != form_ && !form_->isAncestorOf(widget))) return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCoreApplication::sendEvent(widget, &tab);
    return true;
}

namespace {

// Selects a line edit's whole text once the focus has arrived.
class SelectAllOnFocus : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            if (auto* box = qobject_cast<QLineEdit*>(watched))
                QTimer::singleShot(0, box, [box] { SelectAllText(*box); });
        return false;
    }
};

}  // namespace

bool OffsetBoxesInRange(QLineEdit& x, QLineEdit& y, AppContext& ctx) {
    for (QLineEdit* box : {&x, &y}) {
        if (OffsetInRange(OffsetValue(box->text()))) continue;
        WarningSound(ctx);
        MsgBox(kOffsetRangeMessage, vbInformation);
        box->setFocus();
        return false;
    }
    return true;
}

void InstallOffsetBox(QLineEdit& box) {
    TypedTextFilter::Install(box, [](const QString& t) {
        return t.size() == 1 && (t[0].isDigit() || t[0] == '.' || t[0] == '-') ? t : QString();
    });
    // A minus sign only in front: an offset can move the print right or down too.
    box.setValidator(new QRegularExpressionValidator(QRegularExpression("-?\\d*\\.?\\d*"), &box));
    box.installEventFilter(new SelectAllOnFocus(&box));
}

}  // namespace dc

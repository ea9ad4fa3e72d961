#include "shell/DialogBase.h"

#include <QCloseEvent>

#include "platform/Pointer.h"

namespace dc {

void StopHandlers(QWidget& screen) {
    screen.blockSignals(true);
    for (QWidget* w : screen.findChildren<QWidget*>()) w->blockSignals(true);
}

// The screen's own members are gone by now; ~QDialog still hides it, which moves the focus.
DialogBase::~DialogBase() { StopHandlers(*this); }

void DialogBase::closeEvent(QCloseEvent* event) {
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    event->accept();
    QDialog::done(QDialog::Rejected);
}

void DialogBase::reject() { close(); }

bool DialogBase::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) SetMousePointer(Pointer::Default);
    return QDialog::event(event);
}

}  // namespace dc

#include "shell/DialogBase.h"

#include <QCloseEvent>

#include "platform/Pointer.h"

namespace dc {

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

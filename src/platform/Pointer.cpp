#include "platform/Pointer.h"

#include <QApplication>
#include <QCursor>

namespace dc {

void SetMousePointer(Pointer pointer) {
    if (pointer == Pointer::Hourglass) {
        if (!QApplication::overrideCursor()) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    }
}

Pointer CurrentMousePointer() {
    return QApplication::overrideCursor() ? Pointer::Hourglass : Pointer::Default;
}

}  // namespace dc

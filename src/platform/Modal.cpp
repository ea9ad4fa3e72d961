#include "platform/Modal.h"

#include <QDialog>

#include "platform/Termination.h"

namespace dc {
namespace {
ModalRunner& Runner() {
    static ModalRunner runner;
    return runner;
}
}  // namespace

int ExecModal(QDialog& dialog) {
    if (Runner()) return Runner()(dialog);
    if (TerminationRequested()) return QDialog::Rejected;  // the program is ending: no more windows
    return dialog.exec();
}

void SetModalRunner(ModalRunner runner) { Runner() = std::move(runner); }

}  // namespace dc

#include "platform/Modal.h"

namespace dc {
namespace {
ModalRunner& Runner() {
    static ModalRunner runner;
    return runner;
}
}  // namespace

int ExecModal(QDialog& dialog) {
    if (Runner()) return Runner()(dialog);
    return dialog.exec();
}

void SetModalRunner(ModalRunner runner) { Runner() = std::move(runner); }

}  // namespace dc

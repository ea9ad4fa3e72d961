#pragma once
// Runs dialogs modally through one hook, so that tests can drive a dialog instead of blocking.

#include <QDialog>
#include <functional>

namespace dc {

// Shows the dialog modally and returns its result (QDialog::exec by default).
int ExecModal(QDialog& dialog);

// Builds a screen over `parent` (its constructor takes `args` first), shows it modally, and returns
// its result once it is gone.
template <class Screen, class... Args>
int ShowModal(QWidget* parent, Args&&... args) {
    Screen screen(std::forward<Args>(args)..., parent);
    return ExecModal(screen);
}

using ModalRunner = std::function<int(QDialog& dialog)>;
void SetModalRunner(ModalRunner runner);  // an empty function restores exec()

}  // namespace dc

#include "shell/OneWindow.h"

namespace dc {

void BringToFront(QWidget& window) {
    if (window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
}

void ShowBeside(QDialog& screen) {
    screen.setWindowFlag(Qt::Window);
    screen.setAttribute(Qt::WA_DeleteOnClose);
    screen.setModal(false);
    screen.show();
}

}  // namespace dc

#pragma once
// The message-box window: installs the QMessageBox that shows every MsgBox of the program.

#include <QString>

namespace dc {

void InstallMsgBoxWindow();

// The text with every line longer than `width` characters broken at its last blank within the
// width (or at the width when it has none), so that a long statement keeps the box on the screen.
QString WrapLongLines(const QString& text, int width = 90);

}  // namespace dc

#pragma once
// The message-box window: installs the QMessageBox that shows every MsgBox of the program.

namespace dc {

void InstallMsgBoxWindow();

}  // namespace dc

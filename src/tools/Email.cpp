#include "tools/Email.h"

#include "platform/MsgBox.h"

namespace dc {

void SendErrorReport(QString& message) { MsgBox(message, vbExclamation + vbOKOnly); }

}  // namespace dc

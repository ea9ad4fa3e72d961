#pragma once
// The e-mail module: the error report that every procedure's error handler calls.

#include <QString>

namespace dc {

// Hands a finished error text to the user. Until the e-mail screen exists it shows the text in an
// exclamation box titled with the program title.
void SendErrorReport(QString& message);

}  // namespace dc

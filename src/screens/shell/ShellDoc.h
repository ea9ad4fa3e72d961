#pragma once
// Opening a document (the help document) with the user's program, telling the user when it cannot.

#include <QString>

namespace dc {

// Opens a document with the user's program; "Help File: CV5.PDF not found" when it does not exist.
void ShellDoc(const QString& documentPath);

}  // namespace dc

#pragma once
// Where the program's standard error texts go: to the error report sender (the e-mail screen) while
// error reporting is on, else to an exclamation box; a full disk always to a plain box. Every screen
// handler catches the errors of what it started at its edge and hands them here.

#include <QString>
#include <QStringList>
#include <functional>

#include "shell/ErrorText.h"

namespace dc {

enum class Sql { Without, With };

// Builds the text for the exception being handled and reports it; a ProcedureFailure is reported
// with its own text. Call inside a catch block.
void ReportCurrentError(const QString& tag, Sql sql = Sql::With, int line = -1,
                        const QString& lineLabel = "Line # ");
// The same for a delete that failed: a full disk says that nothing was deleted.
void ReportCurrentDeleteError(const QString& tag);

// Reports a finished error text; several, one after the other. A full disk's text is shown in a box of
// its own, its plain sentence with the technical lines under the box's details, and never reported.
void ReportErrorText(const QString& text);
void ReportErrorTexts(const QStringList& texts);

// Where reports go (the e-mail screen installs itself at start): the sender returns false when it
// does not take the report (error reporting is off), and an exclamation box shows it instead, as
// when none is installed.
using ErrorReportSender = std::function<bool(QString& text)>;
void SetErrorReportSender(ErrorReportSender sender);

}  // namespace dc

#pragma once
// The program's standard error text, and where it goes: to the error report sender (the e-mail
// screen) while error reporting is on, else to an exclamation box. Every procedure catches its own errors at
// its edge and hands them here.

#include <QString>
#include <exception>
#include <functional>

namespace dc {

struct ErrorInfo {
    int number = 0;
    QString description;
    QString statement;  // the failed statement of a database error
    QString database;   // the file of the database it ran on
};

// Number and description of the exception being handled (call inside a catch block).
ErrorInfo CurrentError();

// In plain words, why a statement could not change its database (the disk full, the file deleted or
// moved, the file or its folder write-protected); empty for any other error.
QString PlainReason(const ErrorInfo& error);

// The plain reason and an empty line when there is one; tag, CRLF, "Error Number " number, CRLF,
// description; then optionally CRLF + lineLabel + line, and CRLF + "sSQL=" + the failed statement
// (nothing when the error came from no statement).
QString ErrorText(const QString& tag, const ErrorInfo& error, int line = -1,
                  const QString& lineLabel = "Line # ", bool withSql = false);

enum class Sql { Without, With };

// Builds the text for the exception being handled and reports it. Call inside a catch block.
void ReportCurrentError(const QString& tag, Sql sql = Sql::With, int line = -1,
                        const QString& lineLabel = "Line # ");

// Reports a finished error text.
void ReportErrorText(const QString& text);

// Where reports go (the e-mail screen installs itself at start): the sender returns false when it
// does not take the report (error reporting is off), and an exclamation box shows it instead, as
// when none is installed.
using ErrorReportSender = std::function<bool(QString& text)>;
void SetErrorReportSender(ErrorReportSender sender);

}  // namespace dc

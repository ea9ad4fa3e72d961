#pragma once
// The program's standard error text: tag, number, description, the step and the failed statement,
// with a plain sentence above them where the cause is known. The domain builds it; the screens decide
// where it goes (shell/ErrorReport.h in the screens).

#include <QString>
#include <exception>
#include <optional>

#include "platform/DbError.h"

namespace dc {

struct ErrorInfo {
    int number = 0;
    QString description;
    QString statement;  // the failed statement of a database error
    QString database;   // the file of the database it ran on
    QString saved;      // what the failed work had saved all the same ("the dated backup '...'")
    // For a full disk, in place of "nothing was saved" and "try again" where the work says otherwise
    // ("nothing was deleted").
    QString outcome = {}, retry = {};
};

// Number and description of the exception being handled (call inside a catch block).
ErrorInfo CurrentError();

// True for an error of a full disk (the engine's or a file operation's).
bool IsDiskFull(const ErrorInfo& error);

// In plain words, why a statement could not change its database (the disk full, the file deleted or
// moved, the file or its folder write-protected); empty for any other error. A full disk says that
// nothing was saved, or only what `saved` names, or what `outcome` says.
QString PlainReason(const ErrorInfo& error);

// A text of ErrorText for a full disk, parted into its plain sentence and the technical lines under
// it; nothing for the text of any other error. A full disk is for the user to mend, not to report.
struct ErrorTextParts {
    QString plain, technical;
};
std::optional<ErrorTextParts> DiskFullParts(const QString& text);

// A full disk's text told with the plain sentence of `error` (its outcome and retry); any other
// text as it stands.
QString RestatedDiskFull(const QString& text, const ErrorInfo& error);

// The plain reason and an empty line when there is one; tag, CRLF, "Error Number " number, CRLF,
// description; then optionally CRLF + lineLabel + line, and CRLF + "sSQL=" + the failed statement
// (nothing when the error came from no statement).
QString ErrorText(const QString& tag, const ErrorInfo& error, int line = -1,
                  const QString& lineLabel = "Line # ", bool withSql = false);

// A failure that the procedure where it happened has put in the standard text under its own tag (and
// step), thrown on to the screen that called it, which reports the text as it stands. Its number and
// description are the original error's.
class ProcedureFailure : public AppError {
  public:
    ProcedureFailure(const ErrorInfo& error, QString text)
        : AppError(error.number, error.description), error_(error), text_(std::move(text)) {}
    const QString& text() const { return text_; }
    const ErrorInfo& error() const { return error_; }

  private:
    ErrorInfo error_;
    QString text_;
};

// Inside a catch block: the exception being handled as a ProcedureFailure of `tag` (the statement
// included), or thrown on unchanged when it is one already.
[[noreturn]] void ThrowProcedureFailure(const QString& tag, int line = -1,
                                        const QString& lineLabel = "Line # ");

}  // namespace dc

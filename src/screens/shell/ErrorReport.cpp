#include "shell/ErrorReport.h"

#include "platform/MsgBox.h"

namespace dc {

namespace {
ErrorReportSender& Sender() {
    static ErrorReportSender sender;
    return sender;
}
}  // namespace

void SetErrorReportSender(ErrorReportSender sender) { Sender() = std::move(sender); }

void ReportErrorText(const QString& text) {
    // A full disk is for the user to mend, not to send to support: said plainly, the rest on request.
    if (const std::optional<ErrorTextParts> full = DiskFullParts(text)) {
        MsgBoxWithDetails(full->plain, full->technical, vbExclamation + vbOKOnly);
        return;
    }
    QString message = text;
    if (!Sender() || !Sender()(message)) MsgBox(text, vbExclamation + vbOKOnly);
}

void ReportErrorTexts(const QStringList& texts) {
    for (const QString& text : texts) ReportErrorText(text);
}

void ReportCurrentError(const QString& tag, Sql sql, int line, const QString& lineLabel) {
    try {
        throw;
    } catch (const ProcedureFailure& failure) {
        ReportErrorText(failure.text());  // told under the tag of the procedure that failed
        return;
    } catch (...) {
    }
    ReportErrorText(ErrorText(tag, CurrentError(), line, lineLabel, sql == Sql::With));
}

void ReportCurrentDeleteError(const QString& tag) {
    const auto deleting = [](ErrorInfo error) {
        error.outcome = "nothing was deleted";
        return error;
    };
    try {
        throw;
    } catch (const ProcedureFailure& failure) {
        ReportErrorText(RestatedDiskFull(failure.text(), deleting(failure.error())));
        return;
    } catch (...) {
    }
    ReportErrorText(ErrorText(tag, deleting(CurrentError()), -1, "Line # ", true));
}

}  // namespace dc

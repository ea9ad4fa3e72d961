#include "shell/ErrorReport.h"

#include "platform/DbError.h"
#include "platform/MsgBox.h"
#include "shell/Globals.h"

namespace dc {

ErrorInfo CurrentError() {
    try {
        throw;
    } catch (const DbError& e) {
        return {e.number(), e.description(), e.statement()};
    } catch (const AppError& e) {
        return {e.number(), e.description(), {}};
    } catch (const std::bad_alloc&) {
        return {7, "Out of memory", {}};
    } catch (const std::exception& e) {
        return {5, QString::fromUtf8(e.what()), {}};
    } catch (...) {
        return {5, "Unknown error", {}};
    }
}

QString ErrorText(const QString& tag, const ErrorInfo& error, int line, const QString& lineLabel,
                  bool withSql) {
    QString text = tag + "\r\nError Number " + QString::number(error.number) + "\r\n" + error.description;
    if (line >= 0) text += "\r\n" + lineLabel + QString::number(line);
    if (withSql) text += "\r\nsSQL=" + (error.statement.isEmpty() ? sSQL : error.statement);
    return text;
}

namespace {
ErrorReportSender& Sender() {
    static ErrorReportSender sender;
    return sender;
}
}  // namespace

void SetErrorReportSender(ErrorReportSender sender) { Sender() = std::move(sender); }

void ReportErrorText(const QString& text) {
    if (bErrorReport && Sender()) {
        QString message = text;
        Sender()(message);
    } else {
        MsgBox(text, vbExclamation + vbOKOnly);
    }
}

void ReportCurrentError(const QString& tag, Sql sql, int line, const QString& lineLabel) {
    ReportErrorText(ErrorText(tag, CurrentError(), line, lineLabel, sql == Sql::With));
}

}  // namespace dc

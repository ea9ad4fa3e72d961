#include "shell/ErrorText.h"

#include <QFileInfo>

#include "platform/FileOps.h"

namespace dc {

ErrorInfo CurrentError() {
    try {
        throw;
    } catch (const DbError& e) {
        return {e.number(), e.description(), e.statement(), e.database(), {}};
    } catch (const AppError& e) {
        return {e.number(), e.description(), {}, {}, {}};
    } catch (const std::bad_alloc&) {
        return {kErrOutOfMemory, "Out of memory", {}, {}, {}};
    } catch (const std::exception& e) {
        return {5, QString::fromUtf8(e.what()), {}, {}, {}};
    } catch (...) {
        return {5, "Unknown error", {}, {}, {}};
    }
}

namespace {
const QString kDiskFull = "The disk is full: ";
const QString kBelowPlain = "\r\n\r\n";
}  // namespace

bool IsDiskFull(const ErrorInfo& error) {
    return error.number == kErrDiskFull || error.number == kErrDiskFullFile;
}

QString PlainReason(const ErrorInfo& error) {
    if (IsDiskFull(error)) {
        const QString where =
            error.database.isEmpty() ? QString() : QString(" (the one that holds '%1')").arg(error.database);
        const QString saved = !error.outcome.isEmpty() ? error.outcome
                              : error.saved.isEmpty()  ? "nothing was saved"
                                                       : "only " + error.saved + " was saved";
        return kDiskFull + QString("%1. Free some space on the disk%2 and %3.")
                               .arg(saved, where, error.retry.isEmpty() ? "try again" : error.retry);
    }
    const bool failedWrite =
        !error.statement.isEmpty() &&
        (error.number == kErrReadOnly || error.number == kErrFileNotFound || error.number == kErrDiskIO);
    if (!failedWrite || error.database.isEmpty()) return QString();
    const QString& path = error.database;
    if (!QFileInfo::exists(path))
        return QString(
                   "The change was not saved: the database '%1' has been deleted or moved while Dado Corvy "
                   "was running. Close the program and restore the file or choose it again.")
            .arg(path);
    switch (WriteProtectionOf(ResolvedFilePath(path))) {
        case WriteProtection::File:
            return QString("The change was not saved: the database '%1' is write-protected.").arg(path);
        case WriteProtection::Folder:
            return QString(
                       "The change was not saved: the folder '%1' of the database is write-protected (the "
                       "database needs to write its journal there).")
                .arg(QFileInfo(ResolvedFilePath(path)).absolutePath());
        case WriteProtection::None:
            break;
    }
    return QString();
}

QString ErrorText(const QString& tag, const ErrorInfo& error, int line, const QString& lineLabel,
                  bool withSql) {
    const QString plain = PlainReason(error);
    QString text = (plain.isEmpty() ? QString() : plain + kBelowPlain) + tag + "\r\nError Number " +
                   QString::number(error.number) + "\r\n" + error.description;
    if (line >= 0) text += "\r\n" + lineLabel + QString::number(line);
    // Only the statement that failed: an error of no statement shows none.
    if (withSql) text += "\r\nsSQL=" + error.statement;
    return text;
}

std::optional<ErrorTextParts> DiskFullParts(const QString& text) {
    const qsizetype below = text.indexOf(kBelowPlain);
    if (!text.startsWith(kDiskFull) || below < 0) return std::nullopt;
    return ErrorTextParts{text.left(below), text.mid(below + kBelowPlain.size())};
}

QString RestatedDiskFull(const QString& text, const ErrorInfo& error) {
    const std::optional<ErrorTextParts> parts = DiskFullParts(text);
    return parts ? PlainReason(error) + kBelowPlain + parts->technical : text;
}

void ThrowProcedureFailure(const QString& tag, int line, const QString& lineLabel) {
    try {
        throw;
    } catch (const ProcedureFailure&) {
        throw;
    } catch (...) {
        const ErrorInfo error = CurrentError();
        throw ProcedureFailure(error, ErrorText(tag, error, line, lineLabel, true));
    }
}

}  // namespace dc

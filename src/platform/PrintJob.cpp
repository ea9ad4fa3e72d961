#include "platform/PrintJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPrinter>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <filesystem>

#include "platform/CupsPrintSystem.h"
#include "platform/FileOps.h"
#include "platform/MsgBox.h"
#include "platform/Termination.h"

namespace dc {

bool PdfWrittenWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0) return false;
    constexpr qint64 kTail = 1024;
    if (file.size() > kTail && !file.seek(file.size() - kTail)) return false;
    return file.readAll().contains("%%EOF");
}

namespace {

std::function<bool(int, int)>& ProgressResponder() {
    static std::function<bool(int, int)> responder;
    return responder;
}

std::function<bool(qint64, qint64)>& SendResponder() {
    static std::function<bool(qint64, qint64)> responder;
    return responder;
}

// A document is sent without a window for this long.
constexpr qint64 kQuietSendingMs = 1000;

bool MoveFile(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).constData()),
                            std::filesystem::path(QFile::encodeName(to).constData()), error);
    if (!error) return true;
    // Another file system: copy, then remove.
    if (!QFile::copy(from, to)) return false;
    QFile::remove(from);
    return true;
}

}  // namespace

QString PrintoutFilePattern() { return QStringLiteral("printout-[A-Za-z0-9]{6}\\.pdf"); }

QString PrintFileBase(const QString& title) {
    QString name;
    for (const QChar c : title.trimmed())
        name += (c.isPrint() && !QStringLiteral("/\\:*?\"<>|").contains(c)) ? c : QLatin1Char('_');
    return name.isEmpty() ? QStringLiteral("Printout") : name;
}

QString FreePdfName(const QString& folder, const QString& base) {
    const QDir dir(folder);
    QString path = dir.filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path) || QFileInfo::exists(path + QStringLiteral(".part")); ++n)
        path = dir.filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
    return path;
}

bool GiveNormalMode(const QString& path) {
    // The umask from the kernel's status of this process (reading it by setting it is not safe
    // while other threads create files).
    mode_t mask = 022;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:")) mask = mode_t(line.mid(6).trimmed().toUInt(nullptr, 8));
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    if (mode & 0400) permissions |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & 0200) permissions |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & 0040) permissions |= QFileDevice::ReadGroup;
    if (mode & 0020) permissions |= QFileDevice::WriteGroup;
    if (mode & 0004) permissions |= QFileDevice::ReadOther;
    if (mode & 0002) permissions |= QFileDevice::WriteOther;
    return QFile::setPermissions(path, permissions);
}

QString DocumentsFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::home().filePath(QStringLiteral("Documents"));
    return QDir().mkpath(folder) ? folder : QString();
}

PrintJob::PrintJob(const QString& title, int number) : number_(number) {
    outcome_.title = title;
    writer_ = NewPdfWriter();
    if (qEnvironmentVariableIsEmpty("DC_PRINT_PDF")) {
        lookup_ = LookUpDefaultPrinter();
        printer_ = lookup_.printer;
        outcome_.noAnswer = lookup_.state == PrinterLookup::NoAnswer;
        if (!printer_) outcome_.cause = NoPrinterCause(lookup_);
    }
    writer_->setCreator(QStringLiteral("Dado Corvy"));
    writer_->setDocName(title);
    writer_->setFullPage(false);
    // The file the tests choose is on the paper of the print system they install.
    const bool chosenFile = !qEnvironmentVariableIsEmpty("DC_PRINT_PDF");
    const QPageSize paper = printer_ ? printer_->paper : chosenFile ? ProgramPaper() : EnvironmentPaper();
    writer_->setPageLayout(
        QPageLayout(paper, QPageLayout::Portrait, ProgramMargins(printer_), QPageLayout::Point));
}

PrintJob::~PrintJob() { Abandon(); }

void SetPrintProgressResponder(std::function<bool(int page, int total)> responder) {
    ProgressResponder() = std::move(responder);
}

void SetSendProgressResponder(std::function<bool(qint64 taken, qint64 size)> responder) {
    SendResponder() = std::move(responder);
}

QProgressDialog& PrintJob::ProgressWindow() {
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>();
        progress_->setWindowTitle(MsgBoxTitle());
        // Wide enough for its whole title beside the title bar's buttons (its font may be larger).
        progress_->setMinimumWidth(progress_->fontMetrics().horizontalAdvance(MsgBoxTitle()) * 3 / 2 + 160);
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(0);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
    }
    return *progress_;
}

bool PrintJob::NextPage(int page, int total) {
    if (TerminationRequested()) outcome_.cancelled = true;
    if (outcome_.cancelled) return false;
    if (page <= kQuietPages) return true;
    if (ProgressResponder()) {
        outcome_.cancelled = !ProgressResponder()(page, total);
        return !outcome_.cancelled;
    }
    QProgressDialog& progress = ProgressWindow();
    progress.setMaximum(std::max(total, 0));
    progress.setLabelText(
        total > 0 ? QStringLiteral("Printing \"%1\": page %2 of %3").arg(outcome_.title).arg(page).arg(total)
                  : QStringLiteral("Printing \"%1\": page %2").arg(outcome_.title).arg(page));
    progress.setValue(total > 0 ? std::min(page, total) : 0);  // also lets the window answer
    QCoreApplication::processEvents();
    outcome_.cancelled = progress.wasCanceled();
    return !outcome_.cancelled;
}

bool PrintJob::Sending(qint64 taken, qint64 size) {
    if (TerminationRequested()) return false;  // withdrawn: the program ends
    if (SendResponder()) return SendResponder()(taken, size) && !TerminationRequested();
    if (!progress_ && sendingSince_.elapsed() < kQuietSendingMs) return true;
    QProgressDialog& progress = ProgressWindow();
    constexpr int kSteps = 1000;
    progress.setMaximum(kSteps);
    progress.setLabelText(QStringLiteral("Sending \"%1\" to the printer %2: %3 of %4 KB")
                              .arg(outcome_.title, outcome_.printer)
                              .arg((taken + 1023) / 1024)
                              .arg((size + 1023) / 1024));
    progress.setValue(size > 0 ? int(std::min(taken, size) * kSteps / size) : 0);
    QCoreApplication::processEvents();
    return !progress.wasCanceled() && !TerminationRequested();
}

void PrintJob::SetTitle(const QString& title, int number) {
    outcome_.title = title;
    number_ = number;
    writer_->setDocName(title);
}

bool PrintJob::Open() {
    if (printer_ || outcome_.noAnswer) {
        // The job's document, or the one offered when the print system does not answer.
        QTemporaryFile file(QDir::temp().filePath(QStringLiteral("printout-XXXXXX.pdf")));
        if (!file.open()) return false;
        file.setAutoRemove(false);
        partPath_ = file.fileName();
        inUse_ = HoldFileInUse(partPath_);
        if (printer_) outcome_.printer = printer_->name;
    } else {
        const QString chosen = qEnvironmentVariable("DC_PRINT_PDF");
        if (!chosen.isEmpty()) {
            // Further documents of the same printout get a number: labels-2.pdf, labels-3.pdf.
            const QFileInfo info(chosen);
            const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
            finalPath_ = number_ == 1 ? chosen
                                      : info.dir().filePath(info.completeBaseName() + QLatin1Char('-') +
                                                            QString::number(number_) + suffix);
        } else {
            const QString folder = DocumentsFolder();
            if (folder.isEmpty()) return false;
            finalPath_ = FreePdfName(folder, PrintFileBase(outcome_.title));
            outcome_.announce = true;
        }
        if (!QFileInfo(finalPath_).absoluteDir().exists()) return false;
        partPath_ = finalPath_ + QStringLiteral(".part");
    }
    writer_->setOutputFileName(partPath_);
    return true;
}

bool PrintJob::Finish() {
    progress_.reset();
    const QString part = std::exchange(partPath_, QString());
    if (outcome_.cancelled) {  // a cancelled job leaves nothing, printed or written
        QFile::remove(part);
        return true;
    }
    if (part.isEmpty()) return false;
    if (writer_->printerState() == QPrinter::Error || !PdfWrittenWhole(part)) {
        QFile::remove(part);
        return false;
    }
    if (outcome_.noAnswer) {
        outcome_.keptPdf = part;
        outcome_.keptInUse = inUse_;
        return true;
    }
    if (printer_) {
        const QString name = outcome_.title.trimmed().isEmpty() ? QStringLiteral("Printout") : outcome_.title;
        sendingSince_.start();
        const JobResult result =
            SubmitJob(printer_->name, part, name, writer_->pageLayout().pageSize(),
                      [this](qint64 taken, qint64 size) { return Sending(taken, size); });
        progress_.reset();
        if (result.cancelled) {  // stopped on its way: it never prints, and leaves no file
            outcome_.cancelled = true;
            QFile::remove(part);
        } else if (result.accepted) {
            QFile::remove(part);
            outcome_.waiting = result.queueStopped;
            outcome_.queueReason = result.queueReason;
        } else {
            // Refused, or no answer in time: the document is kept to be offered as a file.
            outcome_.refused = result.answered;
            outcome_.noAnswer = !result.answered;
            outcome_.mayPrint = result.letGo;
            outcome_.reason = result.reason;
            outcome_.detail = result.detail == result.reason ? QString() : result.detail;
            outcome_.queueReason = result.queueReason;
            outcome_.keptPdf = part;
            outcome_.keptInUse = inUse_;
        }
        return true;
    }
    QFile::remove(finalPath_);  // the chosen file of the tests is written over
    if (!MoveFile(part, finalPath_)) {
        QFile::remove(part);
        return false;
    }
    outcome_.file = finalPath_;
    return true;
}

void PrintJob::Abandon() {
    progress_.reset();
    if (!partPath_.isEmpty()) QFile::remove(std::exchange(partPath_, QString()));
}

namespace {

// The question that offers a printout the printer did not take as a PDF file.
QString OfferText(const PrintOutcome& outcome) {
    const int limit = (PrintSystemTimeLimitMs() + 999) / 1000;
    const QString seconds = limit == 1 ? QStringLiteral("1 second") : QStringLiteral("%1 seconds").arg(limit);
    if (outcome.noAnswer && outcome.printer.isEmpty())
        return QStringLiteral(
                   "The print system does not answer (no reply within %1), so \"%2\" was "
                   "not printed.\n\nSave the printout as a PDF file instead?")
            .arg(seconds, outcome.title);
    if (outcome.noAnswer && outcome.mayPrint)
        return QStringLiteral(
                   "The print system did not answer within %1 while taking \"%2\" for the "
                   "printer %3; it may or may not print it.\n\nSave the printout as a PDF file as well?")
            .arg(seconds, outcome.title, outcome.printer);
    if (outcome.noAnswer)
        return QStringLiteral(
                   "The print system did not answer within %1 while taking \"%2\" for the "
                   "printer %3, so the job was withdrawn: it will not print.\n\nSave the printout as a PDF "
                   "file instead?")
            .arg(seconds, outcome.title, outcome.printer);
    QString text = QStringLiteral("The printer %1 did not print \"%2\": %3.")
                       .arg(outcome.printer, outcome.title,
                            outcome.reason.isEmpty() ? QStringLiteral("no reason given") : outcome.reason);
    if (!outcome.queueReason.isEmpty())
        text += QStringLiteral("\nThe printer reports: \"") + outcome.queueReason + QStringLiteral("\".");
    if (!outcome.detail.isEmpty())
        text += QStringLiteral("\n(The print system said: %1)").arg(outcome.detail);
    return text + QStringLiteral("\n\nSave the printout as a PDF file instead?");
}

}  // namespace

void ReportPrintOutcomes(const std::vector<PrintOutcome>& outcomes) {
    QStringList saved;
    QList<QPair<QString, QStringList>> written;  // by cause, in order
    for (const PrintOutcome& outcome : outcomes) {
        if (outcome.announce && !outcome.file.isEmpty()) {
            const QString cause =
                outcome.cause.isEmpty() ? QStringLiteral("No printer is set up") : outcome.cause;
            auto group =
                std::find_if(written.begin(), written.end(), [&](const auto& g) { return g.first == cause; });
            if (group == written.end()) group = written.insert(written.end(), {cause, {}});
            group->second << QDir::toNativeSeparators(outcome.file);
        }
        if (outcome.waiting) {
            QString text = QStringLiteral(
                               "The printer %1 is stopped: \"%2\" waits in its queue until the printer "
                               "is started again.")
                               .arg(outcome.printer, outcome.title);
            if (!outcome.queueReason.isEmpty())
                text += QStringLiteral("\nThe printer reports: \"%1\".").arg(outcome.queueReason);
            MsgBox(text, vbInformation);
        }
        if (outcome.keptPdf.isEmpty()) continue;
        if (MsgBox(OfferText(outcome), vbYesNo | vbExclamation) == vbYes) {
            const QString folder = DocumentsFolder();
            const QString target =
                folder.isEmpty() ? QString() : FreePdfName(folder, PrintFileBase(outcome.title));
            if (!target.isEmpty() && MoveFile(outcome.keptPdf, target)) {
                GiveNormalMode(target);  // like every other file the program writes for the user
                saved << QDir::toNativeSeparators(target);
                continue;
            }
            MsgBox(QStringLiteral("The printout could not be saved in the documents folder."), vbExclamation);
        }
        QFile::remove(outcome.keptPdf);
    }
    for (const auto& [cause, files] : written)
        MsgBox(cause + QStringLiteral("; the printout was saved as ") + files.join(QStringLiteral(", ")),
               vbInformation);
    if (!saved.isEmpty())
        MsgBox(QStringLiteral("The printout was saved as ") + saved.join(QStringLiteral(", ")),
               vbInformation);
}

}  // namespace dc

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

#include "platform/MsgBox.h"

namespace dc {
namespace {}  // namespace

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

QString DocumentsFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::home().filePath(QStringLiteral("Documents"));
    return QDir().mkpath(folder) ? folder : QString();
}

PrintJob::PrintJob(const QString& title, int number) : number_(number) {
    outcome_.title = title;
    if (qEnvironmentVariableIsEmpty("DC_PRINT_PDF")) printer_ = ThePrintSystem().DefaultPrinter();
    writer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    writer_->setOutputFormat(QPrinter::PdfFormat);
    writer_->setCreator(QStringLiteral("Dado Corvy"));
    writer_->setDocName(title);
    writer_->setFullPage(false);
    writer_->setPageLayout(QPageLayout(printer_ ? printer_->paper : ProgramPaper(), QPageLayout::Portrait,
                                       ProgramMargins(printer_), QPageLayout::Point));
}

PrintJob::~PrintJob() { Abandon(); }

void SetPrintProgressResponder(std::function<bool(int page, int total)> responder) {
    ProgressResponder() = std::move(responder);
}

bool PrintJob::NextPage(int page, int total) {
    if (outcome_.cancelled) return false;
    if (page <= kQuietPages) return true;
    if (ProgressResponder()) {
        outcome_.cancelled = !ProgressResponder()(page, total);
        return !outcome_.cancelled;
    }
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
    progress_->setMaximum(std::max(total, 0));
    progress_->setLabelText(
        total > 0 ? QStringLiteral("Printing \"%1\": page %2 of %3").arg(outcome_.title).arg(page).arg(total)
                  : QStringLiteral("Printing \"%1\": page %2").arg(outcome_.title).arg(page));
    progress_->setValue(total > 0 ? std::min(page, total) : 0);  // also lets the window answer
    QCoreApplication::processEvents();
    outcome_.cancelled = progress_->wasCanceled();
    return !outcome_.cancelled;
}

void PrintJob::SetTitle(const QString& title, int number) {
    outcome_.title = title;
    number_ = number;
    writer_->setDocName(title);
}

bool PrintJob::Open() {
    if (printer_) {
        QTemporaryFile file(QDir::temp().filePath(QStringLiteral("printout-XXXXXX.pdf")));
        if (!file.open()) return false;
        file.setAutoRemove(false);
        partPath_ = file.fileName();
        outcome_.printer = printer_->name;
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
    if (printer_) {
        const JobResult result =
            ThePrintSystem().Submit(printer_->name, part, outcome_.title, writer_->pageLayout().pageSize());
        if (result.accepted) {
            QFile::remove(part);
        } else {
            outcome_.refused = true;
            outcome_.reason = result.reason;
            outcome_.keptPdf = part;
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

void ReportPrintOutcomes(const std::vector<PrintOutcome>& outcomes) {
    QStringList written, saved;
    for (const PrintOutcome& outcome : outcomes) {
        if (outcome.announce && !outcome.file.isEmpty()) written << QDir::toNativeSeparators(outcome.file);
        if (!outcome.refused) continue;
        const QString reason = outcome.reason.isEmpty() ? QStringLiteral("no reason given") : outcome.reason;
        const int answer = MsgBox(QStringLiteral("The printer %1 did not print \"%2\": %3\n\n"
                                                 "Save the printout as a PDF file instead?")
                                      .arg(outcome.printer, outcome.title, reason),
                                  vbYesNo | vbExclamation);
        if (answer == vbYes) {
            const QString folder = DocumentsFolder();
            const QString target =
                folder.isEmpty() ? QString() : FreePdfName(folder, PrintFileBase(outcome.title));
            if (!target.isEmpty() && MoveFile(outcome.keptPdf, target)) {
                saved << QDir::toNativeSeparators(target);
                continue;
            }
            MsgBox(QStringLiteral("The printout could not be saved in the documents folder."), vbExclamation);
        }
        QFile::remove(outcome.keptPdf);
    }
    if (!written.isEmpty())
        MsgBox(QStringLiteral("No printer is set up; the printout was saved as ") +
                   written.join(QStringLiteral(", ")),
               vbInformation);
    if (!saved.isEmpty())
        MsgBox(QStringLiteral("The printout was saved as ") + saved.join(QStringLiteral(", ")),
               vbInformation);
}

}  // namespace dc

#pragma once
// One document of a printout on its way out. Every printout is written as a PDF first, on the
// program's one paper inside its margins, and then goes by one rule: to the default printer as one
// job, else (no printer set up, the print system not running, the default printer gone) into a file
// in the user's documents. A job the print system refuses, or a print system that does not answer in
// time, keeps its PDF so that the user can save it instead.

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/PrintSystem.h"

class QPrinter;
class QProgressDialog;

namespace dc {

// What became of one document.
struct PrintOutcome {
    QString title;
    QString printer;         // the printer it went to ("" when written to a file)
    QString file;            // the PDF written in place of a printer
    bool announce = false;   // the user has not chosen that file (DC_PRINT_PDF chooses it in tests)
    bool refused = false;    // the print system did not take the job
    bool noAnswer = false;   // the print system did not answer in time: the job was withdrawn,
    bool mayPrint = false;   // unless it had been let go already (it may print)
    bool waiting = false;    // taken by a stopped queue: the job waits until the queue is started
    bool cancelled = false;  // the user stopped it: nothing printed, no file left
    QString reason;          // a refusal in plain words
    QString detail;          // the print system's own text of a refusal
    QString queueReason;     // the queue's own words on its state ("Out of paper")
    QString cause;           // why the file was written instead of printed ("No printer is set up")
    QString keptPdf;         // a refused job's document, offered to be saved
    std::shared_ptr<const void> keptInUse;  // keeps start-up's clean-up off keptPdf while it is offered
};

class PrintJob {
  public:
    // `title` names the job and the file; `number` counts the documents of one printout from 1.
    explicit PrintJob(const QString& title, int number = 1);
    ~PrintJob();  // a job neither finished nor refused leaves nothing behind
    // Names the job before it opens.
    void SetTitle(const QString& title, int number);

    bool ToPrinter() const { return printer_.has_value(); }
    QString PrinterName() const { return printer_ ? printer_->name : QString(); }
    // The writer to paint on: the program's paper and margins, the orientation up to the caller.
    QPrinter& Printer() { return *writer_; }
    // Opens the output (the caller then begins its painter); false when it cannot be written.
    bool Open();
    // After the painter has ended: a whole PDF goes to the printer or stays as the file; false when
    // it was not written whole. The outcome tells where it went.
    bool Finish();
    void Abandon();
    const PrintOutcome& Outcome() const { return outcome_; }

    // Called as each page starts (`total` 0 when not known): from the fourth page on a progress
    // window shows the page count with Cancel. False once cancelled, or once the program is told to
    // end (TerminationRequested); the job then prints nothing and Finish leaves no file.
    bool NextPage(int page, int total = 0);
    bool Cancelled() const { return outcome_.cancelled; }
    static constexpr int kQuietPages = 3;

  private:
    // While the print server takes the document: after a moment a window shows how much it has
    // taken, with Cancel. False once cancelled.
    bool Sending(qint64 taken, qint64 size);
    QProgressDialog& ProgressWindow();

    PrinterLookup lookup_;
    std::optional<PrinterFacts> printer_;
    std::unique_ptr<QPrinter> writer_;
    QString partPath_, finalPath_;
    std::shared_ptr<const void> inUse_;  // the document in the temporary folder, marked as in use
    PrintOutcome outcome_;
    int number_;
    std::unique_ptr<QProgressDialog> progress_;
    QElapsedTimer sendingSince_;
};

// Tests answer the progress window instead: called for every page it would show; false cancels.
// An empty function restores the window.
void SetPrintProgressResponder(std::function<bool(int page, int total)> responder);
// The same for the window of a document on its way to the print server: called as it is sent.
void SetSendProgressResponder(std::function<bool(qint64 taken, qint64 size)> responder);

// True when the PDF file was written whole: Qt's PDF writer reports success even when the disk
// refused part of the file, and a whole PDF ends with its end-of-file marker.
bool PdfWrittenWhole(const QString& path);
// A free name for `base`.pdf in `folder`: "base.pdf", else "base (2).pdf", "base (3).pdf" ...
QString FreePdfName(const QString& folder, const QString& base);
// The user's documents folder, created when missing ("" when it cannot be made).
QString DocumentsFolder();
// Gives a file the mode the user's new files get (0666 less the umask).
bool GiveNormalMode(const QString& path);
// The name of a printer's document in the temporary folder, as a regular expression: a run cut short
// leaves it for start-up to remove (RemoveLeftoverFile).
QString PrintoutFilePattern();
// A job name made safe as a file name.
QString PrintFileBase(const QString& title);

// Tells the user what became of a printout: a refused job names the printer and the reason and
// offers to save the printout as a PDF file, and so does a print system that did not answer; a job
// waiting in a stopped queue is told; files written for want of a printer are named with the cause.
// Nothing when every document went to the printer, or to the file the tests chose.
void ReportPrintOutcomes(const std::vector<PrintOutcome>& outcomes);

}  // namespace dc

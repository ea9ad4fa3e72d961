#pragma once
// The machine's print system as the printouts see it: the default printer (its name, its paper, the
// edges it cannot print and the state of its queue) and the handing of a finished PDF to a printer as
// one job. The program talks to CUPS; tests install a stand-in. Every talk runs in a worker thread
// with a time limit, so that a print server that does not answer never freezes the program; a
// server that is still taking a job's document is answering, however slowly.

#include <QMarginsF>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace dc {

struct PrinterFacts {
    QString name;
    QPageSize paper;        // the printer's default paper
    QMarginsF margins;      // edges it cannot print, in points
    bool stopped = false;   // the queue holds its jobs until it is started again
    QString queueReason{};  // the queue's own words on its state ("Out of paper"), if any
};

struct JobResult {
    bool accepted = false;
    QString reason;             // why the print system refused the job, in plain words
    QString detail{};           // the print system's own text of the refusal, when it differs
    QString queueReason{};      // the queue's own words on its state ("Out of paper"), if any
    bool answered = true;       // false: no answer within the time limit
    bool queueStopped = false;  // taken, but the queue is stopped: the job waits in it
    bool letGo = false;         // no answer in time, but the job had been let go: it may print
    bool cancelled = false;     // the user stopped it while it was being sent: it will not print
};

// What a hand-over tells the program that waits for it, and asks it.
struct JobWatch {
    // `taken` bytes of the document's `size` have reached the print server so far. False: the
    // program has stopped waiting; the job is then dropped.
    std::function<bool(qint64 taken, qint64 size)> taken;
    // Asked once, just before the step after which the job prints. False: the program has given up
    // waiting and told the user the job was not printed; the job is then dropped, the file left alone.
    std::function<bool()> mayLetGo;
};

// What a look-up of the default printer found.
struct PrinterLookup {
    enum State { Found, NoPrinter, ServerDown, DefaultGone, NoAnswer };
    State state = NoPrinter;
    std::optional<PrinterFacts> printer;  // when Found
    QString wanted;         // DefaultGone: the default that is no longer set up ("" when unknown)
    QStringList installed;  // DefaultGone: the printers that are set up
};

class PrintSystem {
  public:
    virtual ~PrintSystem() = default;
    // The default printer, when one is set and installed.
    virtual std::optional<PrinterFacts> DefaultPrinter() const = 0;
    // The default printer, or why there is none. By default from DefaultPrinter().
    virtual PrinterLookup LookUp() const;
    // Hands a whole PDF to the printer as one job named `title`, telling `watch` how it goes.
    virtual JobResult Submit(const QString& printer, const QString& pdfPath, const QString& title,
                             const QPageSize& paper, const JobWatch& watch) = 0;
};

// The installed print system; its calls are not time-limited (LookUpDefaultPrinter and SubmitJob are).
PrintSystem& ThePrintSystem();
// Replaces the print system; nullptr restores CUPS.
void SetPrintSystem(std::unique_ptr<PrintSystem> system);

// The default printer, asked in a worker thread with the wait pointer shown. Past the time limit the
// answer is NoAnswer, and so is every look-up while that question stays unanswered (for up to half
// a minute), so that one printout waits once.
PrinterLookup LookUpDefaultPrinter();
// Hands a job over in a worker thread. The time limit counts from the last progress of the
// document: while the server takes it the job goes on, however long. Past the limit the answer is
// `answered` false, and the job is never let go afterwards (`letGo` when it had been already).
// `sending`, when given, is called as the program waits with the bytes taken so far, until the job
// is let go; false stops the job (`cancelled`), and it never prints.
JobResult SubmitJob(const QString& printer, const QString& pdfPath, const QString& title,
                    const QPageSize& paper,
                    const std::function<bool(qint64 taken, qint64 size)>& sending = {});
// How long a talk with the print system may go without an answer or progress (a few seconds; tests
// shorten it).
int PrintSystemTimeLimitMs();
void SetPrintSystemTimeLimitMs(int ms);
// The sentence that tells why a printout went to a file instead of a printer.
QString NoPrinterCause(const PrinterLookup& lookup);

// The paper a locale uses: Letter in the US and Canada, A4 elsewhere. `localeName` as in LANG.
QPageSize LocalePaper(const QString& localeName);
// The paper of the locale the C library would choose (LC_ALL, LC_PAPER, LC_MEASUREMENT, then LANG).
QPageSize EnvironmentPaper();
// The one paper of every printout: the default printer's, else the locale's.
QPageSize ProgramPaper();
// Every printout keeps at least this much off each edge of the paper.
constexpr double kMinMarginPoints = 18.0;  // a quarter of an inch
// The printable area's margins: the printer's own, at least a quarter of an inch.
QMarginsF ProgramMargins(const std::optional<PrinterFacts>& printer);

}  // namespace dc

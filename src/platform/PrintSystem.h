#pragma once
// The machine's print system as the printouts see it: the default printer (its name, its paper and
// the edges it cannot print) and the handing of a finished PDF to a printer as one job. The program
// talks to CUPS; tests install a stand-in.

#include <QMarginsF>
#include <QPageSize>
#include <QString>
#include <memory>
#include <optional>

namespace dc {

struct PrinterFacts {
    QString name;
    QPageSize paper;    // the printer's default paper
    QMarginsF margins;  // edges it cannot print, in points
};

struct JobResult {
    bool accepted = false;
    QString reason;  // why the print system refused the job
};

class PrintSystem {
  public:
    virtual ~PrintSystem() = default;
    // The default printer, when one is set and installed.
    virtual std::optional<PrinterFacts> DefaultPrinter() const = 0;
    // Hands a whole PDF to the printer as one job.
    virtual JobResult Submit(const QString& printer, const QString& pdfPath, const QString& title,
                             const QPageSize& paper) = 0;
};

PrintSystem& ThePrintSystem();
// Replaces the print system; nullptr restores CUPS.
void SetPrintSystem(std::unique_ptr<PrintSystem> system);

// The paper a locale uses: Letter in the US and Canada, A4 elsewhere. `localeName` as in LANG.
QPageSize LocalePaper(const QString& localeName);
// The one paper of every printout: the default printer's, else the locale's (LC_PAPER, then
// LC_MEASUREMENT, then LANG, as the C library chooses).
QPageSize ProgramPaper();
// Every printout keeps at least this much off each edge of the paper.
constexpr double kMinMarginPoints = 18.0;  // a quarter of an inch
// The printable area's margins: the printer's own, at least a quarter of an inch.
QMarginsF ProgramMargins(const std::optional<PrinterFacts>& printer);

}  // namespace dc

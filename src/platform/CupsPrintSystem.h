#pragma once
// The print system of the machine through CUPS, and the PDF writer that every printout paints on,
// made without asking the print server anything (a server that hangs must not hang the program).

#include <memory>

#include "platform/PrintSystem.h"

class QPrinter;

namespace dc {

class CupsPrintSystem : public PrintSystem {
  public:
    std::optional<PrinterFacts> DefaultPrinter() const override;
    PrinterLookup LookUp() const override;
    JobResult Submit(const QString& printer, const QString& pdfPath, const QString& title,
                     const QPageSize& paper, const JobWatch& watch) override;
};

// A QPrinter writing PDF at high resolution. Qt's printer looks up the default printer when it is
// made; here that look-up goes to a server address that does not exist and fails at once.
std::unique_ptr<QPrinter> NewPdfWriter();

// The queue's own words on its state: its state message, else its state reasons in plain words.
QString QueueReason(const QString& stateMessage, const QString& stateReasons);

}  // namespace dc

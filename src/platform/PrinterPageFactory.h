#pragma once
// Where printouts get their printer page: the real printer (or PDF) by default; tests install a
// factory that hands out recording pages instead.

#include <functional>
#include <memory>

#include "platform/PrinterPage.h"

namespace dc {

using PrinterPageFactory = std::function<std::unique_ptr<PrinterPage>()>;

// A new page for one printout (one or more documents).
std::unique_ptr<PrinterPage> CreatePrinterPage();
// Replaces the factory; an empty function restores the real printer.
void SetPrinterPageFactory(PrinterPageFactory factory);
// After a printout: tells the user of a refused job (offering a PDF instead) or of the files
// written for want of a printer.
void ReportPrintOutcome(const PrinterPage& page);

}  // namespace dc

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
// After a printout: when it went to PDF files because the machine has no printer, tells the user
// where they are (nothing when printed, or when DC_PRINT_PDF chose the file).
void ReportSavedPrintout(const PrinterPage& page);

}  // namespace dc

#include "platform/PrinterPageFactory.h"

#include "platform/QtPrinterPage.h"

namespace dc {
namespace {
PrinterPageFactory& Factory() {
    static PrinterPageFactory factory;
    return factory;
}
}  // namespace

std::unique_ptr<PrinterPage> CreatePrinterPage() {
    if (Factory()) return Factory()();
    return std::make_unique<QtPrinterPage>();
}

void SetPrinterPageFactory(PrinterPageFactory factory) { Factory() = std::move(factory); }

void ReportPrintOutcome(const PrinterPage& page) { ReportPrintOutcomes(page.Outcomes()); }

}  // namespace dc

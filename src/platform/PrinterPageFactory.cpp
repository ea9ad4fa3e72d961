#include "platform/PrinterPageFactory.h"

#include <QDir>

#include "platform/MsgBox.h"
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

void ReportSavedPrintout(const PrinterPage& page) {
    const QStringList files = page.OutputFiles();
    if (files.isEmpty() || qEnvironmentVariableIsSet("DC_PRINT_PDF")) return;
    QStringList shown;
    for (const QString& file : files) shown << QDir::toNativeSeparators(file);
    MsgBox(QStringLiteral("No printer was found, so the printout has been saved as a PDF file:\n") +
               shown.join(QLatin1Char('\n')),
           vbInformation);
}

}  // namespace dc

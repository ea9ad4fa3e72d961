#include "platform/SheetPrinter.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace dc {

std::unique_ptr<QPrinter> SheetPrinter(QString& pdf, const QString& fileName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf = qEnvironmentVariable("DC_PRINT_PDF");
    if (pdf.isEmpty() && !QPrinterInfo::defaultPrinter().isNull()) return printer;
    if (pdf.isEmpty()) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty()) folder = QDir::homePath();
        QDir().mkpath(folder);
        pdf = QDir(folder).filePath(fileName);
    }
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    return printer;
}

}  // namespace dc

#pragma once
// The printer a grid prints itself on: the default printer, else a PDF file, the one DC_PRINT_PDF
// names or `fileName` in the user's documents; `pdf` tells which file (empty for a printer).

#include <QString>
#include <memory>

class QPrinter;

namespace dc {

std::unique_ptr<QPrinter> SheetPrinter(QString& pdf, const QString& fileName);

}  // namespace dc

#pragma once
// One text printout (statistics, game list) run on a new printer page, with its messages.

#include <QString>
#include <functional>

namespace dc {

class PrinterPage;

// Runs one printout on a new printer page: a printer error shows its one message ("68 Device
// unavailable", "482 Printer Error") and ends the printout; other errors go to the error report
// under `tag`.
void RunPrintout(const QString& jobName, const QString& tag, const std::function<void(PrinterPage&)>& print);

}  // namespace dc

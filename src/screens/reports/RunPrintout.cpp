#include "reports/RunPrintout.h"

#include "platform/MsgBox.h"
#include "platform/PrinterError.h"
#include "platform/PrinterPage.h"
#include "platform/PrinterPageFactory.h"
#include "records/PlayerList.h"
#include "shell/ErrorReport.h"

namespace dc {

void RunPrintout(const QString& jobName, const QString& tag, const std::function<void(PrinterPage&)>& print) {
    try {
        auto page = CreatePrinterPage();
        page->SetJobName(jobName);
        print(*page);
        ReportPrintOutcome(*page);
    } catch (const PrinterError& e) {
        MsgBox(PrintErrorText(e.number(), e.description()), vbInformation);
    } catch (...) {
        ReportCurrentError(tag, Sql::Without);
    }
}

}  // namespace dc

// Times the long printouts on a club's database: the game list of the newest 12,850 rounds of all
// players, printed as the text list (Print) and as the sheet (Print All), each to a PDF file with
// its page count. Runs offscreen; needs no display or printer.
//
//   bench_print <path>        (make_bench_db <path> 200 100 makes 20,000 rounds)

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchMessages.h"
#include "platform/Database.h"
#include "platform/PrintJob.h"
#include "reports/frmGameList.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"

using namespace dc;

namespace {

int PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    return static_cast<int>(
        QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("printout.pdf");
    qputenv("DC_PRINT_PDF", pdf.toUtf8());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_print <path>\n");
        return 2;
    }
    int& reports = CountMessageBoxes();
    SetPrintProgressResponder([](int, int) { return true; });  // the window without a golfer
    try {
        SetMsgBoxTitle("bench");
        AppContext ctx;
        ctx.sDateFormat = "MM/DD/YYYY";
        ctx.bFlag18_9 = ctx.bUSCAFlag = true;
        ctx.Live().Adopt(OpenProgramDatabase(QString::fromLocal8Bit(argv[1])));
        const QString from = ctx.Connection()
                                 .Scalar(
                                     "SELECT ROUND_DATE FROM INDIV_SCORES ORDER BY ROUND_DATE DESC "
                                     "LIMIT 1 OFFSET 12849")
                                 .toString();
        const QString to = ctx.Connection().Scalar("SELECT max(ROUND_DATE) FROM INDIV_SCORES").toString();
        ctx.sStartDate = FormatLocalDate(ParseStoredDate(from).value(), ctx.sDateFormat);
        ctx.sEndDate = FormatLocalDate(ParseStoredDate(to).value(), ctx.sDateFormat);
        ctx.nCurPlayerID = 0;
        frmGameList list(ctx);
        list.UpdatespGL();

        QElapsedTimer timer;
        timer.start();
        list.cmdPrint_Click();
        const double text = timer.nsecsElapsed() / 1e9;
        const int textPages = PdfPages(pdf);
        timer.restart();
        list.cmdPrintAll_Click();
        const double sheet = timer.nsecsElapsed() / 1e9;
        const int sheetPages = PdfPages(pdf);

        std::printf("game list rows                                 %d\n", list.Rows());
        std::printf("game list printed (Print), %d pages           %.3f s\n", textPages, text);
        std::printf("game list printed (Print All), %d pages       %.3f s\n", sheetPages, sheet);
        if (reports) std::printf("messages: %d\n", reports);
        ctx.Live().Close();
        return reports ? 1 : 0;
    } catch (const DbError& e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
}

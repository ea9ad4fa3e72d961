// Times the report screens on a golfer's database: the statistics over all players and all courses
// (every round of the database), and the game list filled with the newest 5,000 rounds of all
// players. Each figure is one full recomputation of the screen, grid and captions included, and
// the plain computation alone beside it. Runs offscreen; needs no display.
//
//   bench_reports <path>        (make_bench_db <path> 40 500 makes 20,000 rounds)

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <cstdio>

#include "BenchMessages.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "reports/ReportStore.h"
#include "reports/StatsCalc.h"
#include "reports/frmGameList.h"
#include "reports/frmStats.h"
#include "shell/DateFormat.h"
#include "shell/Globals.h"
#include "shell/ProgramDb.h"

using namespace dc;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_reports <path>\n");
        return 2;
    }
    int& reports = CountMessageBoxes();
    try {
        sAppTitle = "bench";
        sDateFormat = "MM/DD/YYYY";
        bFlag18_9 = bUSCAFlag = true;
        gDB = OpenProgramDatabase(QString::fromLocal8Bit(argv[1]));
        const int rounds = gDB->Scalar("SELECT count(*) FROM INDIV_SCORES").toInt();
        const QDate first =
            ParseAnyDate(gDB->Scalar("SELECT min(ROUND_DATE) FROM INDIV_SCORES").toString()).value();
        const QDate last =
            ParseAnyDate(gDB->Scalar("SELECT max(ROUND_DATE) FROM INDIV_SCORES").toString()).value();
        // The game list's range: from the date of the 5,000th newest round on.
        const QDate from5000 = ParseAnyDate(gDB->Scalar("SELECT ROUND_DATE FROM INDIV_SCORES "
                                                        "ORDER BY ROUND_DATE DESC LIMIT 1 OFFSET 4999")
                                                .toString())
                                   .value_or(first);

        QElapsedTimer timer;
        timer.start();
        StatsAccumulator plain;
        for (const RoundRec& r : ReadRounds(*gDB, 0, first, last, RoundOrder::DateThenGame)) plain.Add(r);
        const double plainStats = timer.nsecsElapsed() / 1e9;

        sStartDate = FormatLocalDate(first);
        sEndDate = FormatLocalDate(last);
        nCurPlayerID = 0;  // all players
        frmStats stats;
        timer.restart();
        stats.UpdateStats();
        const double screenStats = timer.nsecsElapsed() / 1e9;

        sStartDate = FormatLocalDate(from5000);
        frmGameList list;
        timer.restart();
        list.UpdatespGL();
        const double screenList = timer.nsecsElapsed() / 1e9;

        std::printf("rounds in the database %d\n", rounds);
        std::printf("statistics, plain computation, %d games      %.3f s\n", plain.games, plainStats);
        std::printf("statistics screen, all players and courses, %s games %.3f s\n",
                    qPrintable(stats.Shown().games.trimmed()), screenStats);
        std::printf("game list filled, %d rows                      %.3f s\n", list.Rows(), screenList);
        if (reports) std::printf("messages: %d\n", reports);
        gDB.reset();
        return reports ? 1 : 0;
    } catch (const DbError& e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
}

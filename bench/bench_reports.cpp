// Times the report screens on a club's database, each beside a plain read of the same rows in the
// same run (the rows stepped through with SQLite alone, every column read), and prints the ratio:
//   - the statistics over every round of the database;
//   - the first opening of the statistics, game list and graph screens (this year, all players);
//   - the game list of all players over this year: filled and shown, each change of 18/9,
//     US/Canada, player and course, a sort by each column (the slowest is printed), the 9-hole view.
// "This year" is the year of the newest round.
// Each figure runs from the call until the screen is idle; it is the program's processor time,
// with the wall-clock time beside it; the plain reads and the statistics are the best of three. Runs
// offscreen; needs no display.
//
//   bench_reports <path>        (make_bench_db <path> 200 100 makes 20,000 rounds)

#include <sqlite3.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QRadioButton>
#include <cstdio>
#include <ctime>
#include <functional>

#include "BenchMessages.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "reports/frmGameList.h"
#include "reports/frmGraphs.h"
#include "reports/frmStats.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"

using namespace dc;

namespace {

// The program's processor time: on a machine shared with other work, the wall-clock time of an
// idle one. Both are printed.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

double lastWall = 0;  // wall-clock seconds of the latest Seconds()

double Seconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    const double cpu = CpuSeconds();
    work();
    QApplication::processEvents();  // painted and idle
    QApplication::processEvents();
    lastWall = timer.nsecsElapsed() / 1e9;
    return CpuSeconds() - cpu;
}

// The fastest of three runs, for the figures that can be run again: the machine's other work adds
// to a single run.
double Best(const std::function<void()>& work) {
    double best = 1e9, bestWall = 0;
    for (int i = 0; i < 3; ++i) {
        const double s = Seconds(work);
        if (s < best) best = s, bestWall = lastWall;
    }
    lastWall = bestWall;
    return best;
}

// Steps through the rounds dated from..to with SQLite alone, reading every column (numbers as
// numbers, texts as bytes); returns the rows read.
int PlainRead(Database& db, const QDate& from, const QDate& to) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db.handle(), "SELECT * FROM INDIV_SCORES WHERE ROUND_DATE>=? AND ROUND_DATE<=?", -1,
                       &stmt, nullptr);
    const QByteArray a = from.toString(Qt::ISODate).toUtf8(), b = to.toString(Qt::ISODate).toUtf8();
    sqlite3_bind_text(stmt, 1, a.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt, 2, b.constData(), -1, SQLITE_TRANSIENT);
    int rows = 0;
    qint64 sum = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++rows;
        for (int c = 0, n = sqlite3_column_count(stmt); c < n; ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_TEXT)
                sum += sqlite3_column_bytes(stmt, c);
            else
                sum += sqlite3_column_int(stmt, c);
        }
    }
    sqlite3_finalize(stmt);
    return sum == -1 ? 0 : rows;
}

struct Figure {
    const char* what;
    double seconds;
    double limit;
};

QDate DbDateOf(Database& db, const QString& sql) {
    return ParseStoredDate(db.Scalar(sql).toString()).value_or(QDate());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_reports <path>\n");
        return 2;
    }
    int& reports = CountMessageBoxes();
    try {
        SetMsgBoxTitle("bench");
        AppContext ctx;
        ctx.sDateFormat = "MM/DD/YYYY";
        ctx.bFlag18_9 = ctx.bUSCAFlag = true;
        ctx.Live().Adopt(OpenProgramDatabase(QString::fromLocal8Bit(argv[1])));
        const int rounds = ctx.Connection().Scalar("SELECT count(*) FROM INDIV_SCORES").toInt();
        const QDate first = DbDateOf(ctx.Connection(), "SELECT min(ROUND_DATE) FROM INDIV_SCORES");
        const QDate last = DbDateOf(ctx.Connection(), "SELECT max(ROUND_DATE) FROM INDIV_SCORES");
        const QDate yearStart(last.year(), 1, 1);
        std::printf("rounds in the database %d\n", rounds);

        PlainRead(ctx.Connection(), first, last);  // the pages in the cache, as for everything after
        const double plainAll = Best([&] { PlainRead(ctx.Connection(), first, last); });
        std::printf("plain read, every round (%d)               %.3f s  (wall %.3f s)\n", rounds, plainAll,
                    lastWall);
        int yearRounds = 0;
        const double plainYear = Best([&] { yearRounds = PlainRead(ctx.Connection(), yearStart, last); });
        std::printf("plain read, this year (%d rounds)          %.3f s  (wall %.3f s)\n", yearRounds,
                    plainYear, lastWall);

        std::vector<Figure> figures;
        auto add = [&figures](const char* what, double seconds, double limit, double plain) {
            figures.push_back({what, seconds, limit});
            std::printf("%-46s %.3f s  (%.1fx the plain read; wall %.3f s)%s\n", what, seconds,
                        plain > 0 ? seconds / plain : 0, lastWall, seconds > limit ? "  OVER" : "");
        };

        // ---- the statistics over every round
        ctx.sStartDate = FormatLocalDate(first, ctx.sDateFormat);
        ctx.sEndDate = FormatLocalDate(last, ctx.sDateFormat);
        ctx.nCurPlayerID = 0;  // all players
        {
            frmStats stats(ctx);
            add("statistics, every round", Best([&] { stats.UpdateStats(); }), 2 * plainAll, plainAll);
            std::printf("   (%s games)\n", qPrintable(stats.Shown().games.trimmed()));
        }

        // ---- the first opening of each report screen as the program opens it: this year (the
        // newest round's), all players (the graphs: the player with the most rounds)
        ctx.sStartDate = FormatLocalDate(yearStart, ctx.sDateFormat);
        {
            std::unique_ptr<frmStats> stats;
            add("statistics screen opened", Seconds([&] {
                    stats = std::make_unique<frmStats>(ctx);
                    stats->show();
                }),
                0.5, plainYear);
            std::printf("   (%s games)\n", qPrintable(stats->Shown().games.trimmed()));
        }
        {
            std::unique_ptr<frmGameList> list;
            add("game list screen opened", Seconds([&] {
                    list = std::make_unique<frmGameList>(ctx);
                    list->show();
                }),
                0.5, plainYear);
            std::printf("   (%d rows)\n", list->Rows());
        }
        ctx.nCurPlayerID = ctx.Connection()
                               .Scalar(
                                   "SELECT PLAYER_ID FROM INDIV_SCORES GROUP BY PLAYER_ID "
                                   "ORDER BY count(*) DESC LIMIT 1")
                               .toInt();
        {
            std::unique_ptr<frmGraphs> graphs;
            add("graph screen opened", Seconds([&] {
                    graphs = std::make_unique<frmGraphs>(ctx);
                    graphs->show();
                }),
                0.5, plainYear);
        }

        // ---- the game list of all players over this year
        ctx.nCurPlayerID = 0;
        std::unique_ptr<frmGameList> screen;
        add("game list, all players, this year, shown", Seconds([&] {
                screen = std::make_unique<frmGameList>(ctx);
                screen->resize(1024, 700);
                screen->show();
            }),
            0.3, plainYear);
        frmGameList& list = *screen;
        std::printf("   (%d rows)\n", list.Rows());
        // A click on each shown column's heading; the slowest sort is the figure.
        auto sortEach = [&](const char* what) {
            double slowest = 0, slowestWall = 0;
            int slowestCol = 0;
            for (int c = 0; c <= list.spGL->MaxCols(); ++c) {
                if (list.spGL->ColWidth(c) == 0) continue;
                const double s = Seconds([&] { list.spGL_Click(c, 0); });
                if (s > slowest) slowest = s, slowestWall = lastWall, slowestCol = c;
            }
            lastWall = slowestWall;
            add(what, slowest, 0.2, plainYear);
            std::printf("   (column %d)\n", slowestCol);
        };
        add("game list refilled", Seconds([&] { list.UpdatespGL(); }), 0.3, plainYear);
        add("game list, 9 Hole clicked", Seconds([&] { list.opt189[2]->click(); }), 0.5, plainYear);
        std::printf("   (%d rows)\n", list.Rows());
        sortEach("game list 9-hole view, slowest column sort");
        add("game list, 18 Hole clicked", Seconds([&] { list.opt189[1]->click(); }), 0.3, plainYear);
        sortEach("game list, slowest column sort");
        add("game list, Canada clicked", Seconds([&] { list.optUSCan[2]->click(); }), 0.3, plainYear);
        add("game list, US clicked", Seconds([&] { list.optUSCan[1]->click(); }), 0.3, plainYear);
        add("game list, one course chosen", Seconds([&] {
                list.cboCourse->setCurrentIndex(0);
                list.chkAllCourses->click();
            }),
            0.3, plainYear);
        add("game list, every course again", Seconds([&] { list.chkAllCourses->click(); }), 0.3, plainYear);
        add("game list, one player chosen", Seconds([&] {
                list.cboPlayer->setCurrentIndex(1);
                list.chkAllPlayers->click();
            }),
            0.3, plainYear);
        add("game list, all players again", Seconds([&] { list.chkAllPlayers->click(); }), 0.3, plainYear);

        int over = 0;
        for (const Figure& f : figures) over += f.seconds > f.limit;
        std::printf("figures over their limit: %d\n", over);
        if (reports) std::printf("messages: %d\n", reports);
        ctx.Live().Close();
        return reports || over ? 1 : 0;
    } catch (const DbError& e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
}

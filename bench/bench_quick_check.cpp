// Times the start-up's check of a database's pages (SQLite's quick check) on a given database, as
// start-up runs it: a fresh connection each time, so that every page is read and decrypted.
//
//   bench_quick_check <path> [runs]
//
// make_bench_db <path> 100 200 gives a database of 20,000 rounds.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/Database.h"
#include "shell/ProgramDb.h"

using namespace dc;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_quick_check <path> [runs]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    try {
        std::vector<double> open, check;
        int rounds = 0;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            auto db = OpenProgramDatabase(path);
            open.push_back(timer.nsecsElapsed() / 1e6);
            timer.restart();
            const QString problem = db->QuickCheck();
            check.push_back(timer.nsecsElapsed() / 1e6);
            if (!problem.isEmpty()) {
                std::fprintf(stderr, "damaged: %s\n", qPrintable(problem));
                return 1;
            }
            rounds = db->Scalar("SELECT count(*) FROM INDIV_SCORES").toInt();
        }
        std::sort(open.begin(), open.end());
        std::sort(check.begin(), check.end());
        std::printf("rounds %d, file %.1f MB, runs %d\n", rounds, QFileInfo(path).size() / 1e6, runs);
        std::printf("open                  median %.1f ms\n", open[open.size() / 2]);
        std::printf("quick_check           median %.1f ms, slowest %.1f ms\n", check[check.size() / 2],
                    check.back());
    } catch (const AppError& e) {
        std::fprintf(stderr, "%d %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
    return 0;
}

// The conversion of a large folder of old data files, timed, and what a stop part way leaves.
//
//   bench_convert folder <dir> <golfers> <rounds-each>   writes the old files byte by byte
//   bench_convert run <db> <dir>                         converts; prints each recomputed player
//   bench_convert check <db>                             prints the counts and a digest of the rows
//
// bench/convert_kill.sh stops runs with kill -9 at varied moments and checks each database.

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstring>

#include "BenchMessages.h"
#include "OldFileBuilder.h"
#include "platform/Database.h"
#include "shell/ProgramDb.h"
#include "tools/Conversion.h"

using namespace dc;

namespace {

int WriteFolder(const QString& dir, int golfers, int roundsEach) {
    QDir().mkpath(dir);
    const char* courses[] = {"Pine Valley Links", "Oak Hills", "Cedar Creek", "Lakeside"};
    QByteArray bytes;
    for (int c = 0; c < 4; ++c) {
        test::RecordBytes r(192);
        r.Text(0, 30, courses[c]);
        for (int t = 0; t < 3; ++t)
            r.Single(30 + 4 * t, 70.5f + t - c * 0.4f).Int16(42 + 2 * t, 118 + 3 * t + c);
        for (int h = 0; h < 18; ++h) {
            r.Int16(48 + 2 * h, h + 1);
            for (int t = 0; t < 3; ++t) r.Int16(84 + 2 * (h * 3 + t), 3 + (h + c) % 3);
        }
        bytes += r.Bytes();
    }
    test::WriteFile(dir + "/COURSE.GDB", bytes);
    bytes.clear();
    for (int g = 0; g < golfers; ++g)
        bytes += test::OldGolfer(QString("P%1, Smith").arg(g, 3, 10, QChar('0')).toLatin1(), g % 4 ? '0' : '1')
                     .Bytes();
    test::WriteFile(dir + "/GOLFER.GDB", bytes);
    for (int g = 0; g < golfers; ++g) {
        const bool gdb = g % 2 == 0;
        const int d = gdb ? 2 : 0;
        bytes.clear();
        for (int n = 0; n < roundsEach; ++n) {
            const QDate date = QDate(2001, 1, 1).addDays(n * 9 + g % 5);
            test::RecordBytes r(gdb ? 238 : 200);
            r.Text(0, 8 + d, date.toString(gdb ? "MM/dd/yyyy" : "MM/dd/yy").toLatin1());
            r.Text(8 + d, 30, courses[(n + g) % 4]).Text(38 + d, 1, QByteArray(1, char('1' + n % 3)));
            r.Single(39 + d, 71.5f).Int16(43 + d, 125);
            if (gdb) r.Text(47, 1, n % 10 ? "0" : "1");
            r.Text(46 + d, 1, n % 7 ? "1" : "0");
            r.Single(47 + d, 30.0f).Text(59 + d, 59, "bench");
            for (int h = 0; h < 18; ++h) r.Int16(118 + d + 2 * h, 3 + (h * 7 + n * 3 + g) % 5);
            if (gdb)
                for (int h = 0; h < 18; ++h) r.Int16(202 + 2 * h, 20 + 4);
            bytes += r.Bytes();
        }
        test::WriteFile(dir + QString("/P%1Smit.%2").arg(g, 3, 10, QChar('0')).arg(gdb ? "GDB" : "DBF"), bytes);
    }
    std::printf("folder: %d golfers, %d rounds\n", golfers, golfers * roundsEach);
    return 0;
}

class Printed : public ProgressReporter {
  public:
    void Step(int k, int n) override {
        std::printf("recompute %d %d\n", k, n);
        std::fflush(stdout);
    }
};

int Run(const QString& path, const QString& dir) {
    const std::unique_ptr<Database> db = OpenProgramDatabase(path);
    QElapsedTimer timer;
    timer.start();
    std::printf("import\n");
    std::fflush(stdout);
    Printed progress;
    const ConversionResult r = ConvertFolder(*db, dir, 0, false, {}, &progress);
    std::printf("done stored=%d rounds=%d seconds=%.1f\n", r.stored, r.roundsStored,
                timer.nsecsElapsed() / 1e9);
    return r.stored ? 0 : 1;
}

int Check(const QString& path) {
    const std::unique_ptr<Database> db = OpenProgramDatabase(path);
    QCryptographicHash digest(QCryptographicHash::Sha1);
    for (const char* table : {"COURSES", "PLAYERS", "INDIV_SCORES"}) {
        Recordset rs = db->OpenRecordset(QString("SELECT * FROM %1 ORDER BY rowid").arg(table));
        const int random = rs.Ordinal("RND_GAME_ID");  // drawn afresh by each run
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            for (int i = 0; i < rs.FieldCount(); ++i)
                if (i != random) digest.addData((rs.Fields(i).str() + "|").toUtf8());
    }
    std::printf("players=%d rounds=%d uncomputed=%d digest=%s\n",
                db->Scalar("SELECT COUNT(*) FROM PLAYERS").toInt(),
                db->Scalar("SELECT COUNT(*) FROM INDIV_SCORES").toInt(),
                db->Scalar("SELECT COUNT(*) FROM INDIV_SCORES WHERE HCP_INDEX_CA_18 IS NULL").toInt(),
                digest.result().toHex().left(12).constData());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? argv[1] : "";
    int& reports = CountMessageBoxes();
    SetMsgBoxTitle("bench");
    try {
        if (mode == "folder" && argc == 5)
            return WriteFolder(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
        if (mode == "run" && argc == 4)
            return Run(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])) + (reports ? 2 : 0);
        if (mode == "check" && argc == 3) return Check(QString::fromLocal8Bit(argv[2]));
    } catch (const DbError& e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
    std::fprintf(stderr,
                 "usage: bench_convert folder <dir> <golfers> <rounds-each> | run <db> <dir> | check <db>\n");
    return 2;
}

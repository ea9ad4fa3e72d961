// Times the recomputation of every round (ResynchAllScores) on a given database against a plain
// pass over the same rows in the same run: read every round, write its index and adjusted-score
// columns once, in one transaction. Before the timing the engine's columns are emptied (as after
// an import), so that the recomputation writes every row. Runs offscreen; needs no display.
//
//   bench_resync <path>

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "BenchMessages.h"
#include "handicap/RoundRec.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "shell/ProgramDb.h"

using namespace dc;

namespace {

QStringList EngineColumns() {
    QStringList columns;
    for (const char* prefix : {"HCP_INDEX_", "THCP_INDEX_", "ADJSCR_"})
        for (const char* suffix : kVariantSuffix) columns << QString(prefix) + suffix;
    return columns;
}

// Reads every round and writes its 18 engine columns back, one transaction.
int PlainPass(Database& db) {
    const QStringList columns = EngineColumns();
    const QString update = "UPDATE INDIV_SCORES SET " + columns.join("=?,") + "=? WHERE rowid=?";
    Database::Transaction pass(db);
    Recordset rs = db.OpenRecordset("SELECT *, rowid AS RID FROM INDIV_SCORES");
    const int rid = rs.Ordinal("RID");
    int rows = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++rows) {
        const RoundRec r = ReadRoundRec(rs);  // read as the program reads a round
        Q_UNUSED(r);
        QVariantList v;
        for (int col = 0; col < 18; ++col) v << rs.Fields(kOrdinalHcpIndex + col).value();  // as stored
        v << rs.Fields(rid).toLong();
        db.Execute(update, v);
    }
    pass.Commit();
    return rows;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_resync <path>\n");
        return 2;
    }
    int& reports = CountMessageBoxes();
    try {
        SetMsgBoxTitle("bench");
        std::unique_ptr<Database> db = OpenProgramDatabase(QString::fromLocal8Bit(argv[1]));
        const int players = db->Scalar("SELECT count(*) FROM PLAYERS").toInt();
        const int rounds = db->Scalar("SELECT count(*) FROM INDIV_SCORES").toInt();
        db->Execute("UPDATE INDIV_SCORES SET " + EngineColumns().join("=NULL,") + "=NULL");

        QElapsedTimer timer;
        timer.start();
        ResynchAllScores(*db);
        const double resync = timer.nsecsElapsed() / 1e9;

        timer.restart();
        PlainPass(*db);
        const double plain = timer.nsecsElapsed() / 1e9;

        timer.restart();
        ResynchAllScores(*db);  // nothing left to change: reads and computes only
        const double again = timer.nsecsElapsed() / 1e9;

        std::printf("players %d, rounds %d\n", players, rounds);
        std::printf("ResynchAllScores      %.3f s\n", resync);
        std::printf("plain pass            %.3f s\n", plain);
        std::printf("ratio                 %.2f\n", plain > 0 ? resync / plain : 0.0);
        std::printf("ResynchAllScores again (nothing changed) %.3f s\n", again);
        if (reports) std::printf("error reports: %d\n", reports);
        db.reset();
        return reports ? 1 : 0;
    } catch (const DbError& e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
}

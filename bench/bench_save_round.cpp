// Times the main screen's save of a new round dated before all 500 stored rounds of one player:
// storing, renumbering and recomputing every later game, with the progress window. Works on a
// copy of the blank database in a temporary folder; runs offscreen. Then prints a digest of the
// stored rounds, and again after the round is edited and saved over its row.
//
//   bench_save_round [blank database]   (default: program/DBFiles/CV54Blank.MDB beside it)

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchMessages.h"
#include "entry/RoundRules.h"
#include "entry/frmMainGolf.h"
#include "handicap/RoundRec.h"
#include "handicap/SaveScores.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"

using namespace dc;

namespace {

constexpr int kRounds = 500;

void Fill(Database& db) {
    const QString tb = QString("Blue").rightJustified(20, ' ') + QString(60, ' ');
    QString hcp;
    for (int h = 1; h <= 18; ++h) hcp += QString("%1").arg(h, 2, 10, QChar('0'));
    db.Execute(
        "INSERT INTO COURSES (COURSE_ID,COURSE_NAME,TB,MCR,MSL,WCR,WSL,MHCP,WHCP,MPARS,WPARS,YARDS) "
        "VALUES (1,'Pines',?,?,?,?,?,?,?,?,?,?)",
        {tb, "71.5", "128", "73.0", "125", hcp, hcp, QString(18, '4'), QString(18, '4'),
         QString("400").repeated(18)});
    db.Execute(
        "INSERT INTO PLAYERS (PLAYER_ID,LAST_NAME,FIRST_NAME,MI,GENDER) VALUES (1,'SMITH','Ann','','M')");
    Database::Transaction unit(db);
    QStringList marks;
    for (int i = 0; i < RoundFieldOrder().size(); ++i) marks << "?";
    const QString insert =
        "INSERT INTO INDIV_SCORES (" + RoundFieldOrder().join(",") + ") VALUES (" + marks.join(",") + ")";
    const QDate first = Today().addDays(-kRounds);
    for (int g = 1; g <= kRounds; ++g) {
        QVariantList v{1, 1, g, DbDate(first.addDays(g - 1)), 100 + g, 0, 71.5, 128, 1, g % 10 == 0 ? 1 : 0};
        int front = 0, back = 0;
        for (int h = 0; h < 18; ++h) {
            const int gross = 4 + (g + h) % 3;
            (h < 9 ? front : back) += gross;
            v << gross;
        }
        for (int i = 0; i < 6; ++i) v << 0.0;
        for (int i = 0; i < 6; ++i) v << -100.0;
        for (int i = 0; i < 6; ++i) v << (i % 3 == 0 ? front + back : front);
        v << front + back << front << back << QString(18, '4') << QString(" 2").repeated(18)
          << QString(18, '0') << QString(18, '0') << QString(18, '0') << 0.0 << 0.0 << 0.0 << " ";
        db.Execute(insert, v);
    }
    unit.Commit();
}

// A digest of every stored round, each value with its storage type, leaving out the round keys
// (drawn afresh by each run): two builds that store alike print the same digest.
QString RoundsDigest(Database& db) {
    QStringList cols = RoundFieldOrder();
    cols.removeAll("RND_GAME_ID");
    QStringList typed;
    for (const QString& c : cols) typed << "typeof(" + c + ")||':'||quote(" + c + ")";
    QCryptographicHash digest(QCryptographicHash::Sha1);
    Recordset rs = db.OpenRecordset("SELECT " + typed.join("||'|'||") +
                                    " FROM INDIV_SCORES ORDER BY PLAYER_ID, GAME_NUMBER, rowid");
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) digest.addData((rs.Fields(0).str() + "\n").toUtf8());
    return digest.result().toHex().left(12);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString blank = argc > 1
                              ? QString(argv[1])
                              : QCoreApplication::applicationDirPath() + "/program/DBFiles/CV54Blank.MDB";
    QTemporaryDir dir;
    const QString path = dir.path() + "/Bench.mdb";
    if (!QFile::copy(blank, path)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(blank));
        return 2;
    }
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    int& reports = CountMessageBoxes();
    AppContext ctx;
    ctx.Live().Adopt(OpenProgramDatabase(path));
    Database& db = ctx.Connection();
    db.Execute(
        "INSERT INTO SETUP (SOUNDS, FLAG_18_9, US_CA_FLAG, LABEL_STYLE, XOFFSET, YOFFSET, VERSION) "
        "VALUES (0, 1, 1, '2', 0, 0, '5.5')");
    ctx.bFlag18_9 = ctx.bUSCAFlag = true;
    Fill(db);
    ResynchAllScores(db);

    frmMainGolf form(ctx);
    form.show();
    form.cboPlayer->setCurrentIndex(form.cboPlayer->findData(1));
    form.cboCourse->setCurrentIndex(form.cboCourse->findData(1));
    if (form.cboTeeBox->currentIndex() != 0) form.cboTeeBox->setCurrentIndex(0);
    form.cmdNewGame_Click();
    form.mskDate->SetText(FormatLocalDate(Today().addDays(-kRounds - 1), ctx.sDateFormat));
    for (int h = 1; h <= 18; ++h) form.SetHoleText(kRowGross, h, "5");
    form.Calc_Row_Scores(kRowGross);

    QElapsedTimer timer;
    timer.start();
    const bool saved = form.cmdSave_Click();
    const double seconds = timer.nsecsElapsed() / 1e9;

    const int game = form.nGameNumber;
    const int rounds = db.Scalar("SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=1").toInt();
    std::printf("save of a round dated before %d stored rounds (all %d games recomputed): %.3f s%s\n",
                kRounds, rounds, seconds, saved && game == 1 && reports == 0 ? "" : "  [FAILED]");
    std::printf("stored rounds after the save: digest=%s\n", qPrintable(RoundsDigest(db)));

    // The saved round edited and saved over its row: a score, putts, a tick, a cost and a note.
    form.SetHoleText(kRowGross, 2, "7");
    form.SetHoleText(kRowPutts, 3, "2");
    form.SetHoleTick(kRowGir, 4, 1);
    form.txtGameCost->setText("12.50");
    form.txtNotes->setPlainText("windy");
    form.Calc_Row_Scores(kRowGross);
    const bool resaved = form.cmdSave_Click();
    std::printf("stored rounds after a rewrite: digest=%s%s\n", qPrintable(RoundsDigest(db)),
                resaved && reports == 0 ? "" : "  [FAILED]");
    return saved && resaved && game == 1 && reports == 0 ? 0 : 1;
}

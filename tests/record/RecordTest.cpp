// What every screen and printout shows for one database, compared with the record in this folder:
// players with 60-character and look-alike names, a course without yards or pars, nine-hole and
// tournament rounds and a beginner. Printouts are read from the PDFs handed to a printer with
// half-inch edges on Letter and on A4. scripts/write-record.sh writes the record anew.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <map>

#include "../entry/EntryFixture.h"
#include "EngineDb.h"
#include "Record.h"
#include "entry/RoundRules.h"
#include "entry/frmMainGolf.h"
#include "handicap/SaveScores.h"
#include "handicap_report/frmHandicap.h"
#include "platform/Database.h"
#include "platform/Spread.h"
#include "records/frmMailingLabels.h"
#include "records/frmPlayers.h"
#include "reports/frmGameList.h"
#include "reports/frmGraphs.h"
#include "reports/frmStats.h"
#include "scorecards/frmScoreCard.h"

namespace dc::test {
namespace {

// 60 letters; the second differs from the first in its last letter only.
const QString kLongLast = "Montgomery-Featherstonehaugh-Winterbottom-Abercrombie-Smythe";
const QString kLongLast2 = "Montgomery-Featherstonehaugh-Winterbottom-Abercrombie-Smytha";

class Record : public EngineDb {
  protected:
    void SetUp() override {
        EngineDb::SetUp();
        QApplication::setFont(QFont("Liberation Sans", 9));  // installed with the set-up
        Ctx().sDateFormat = "MM/DD/YYYY";
        Ctx().sStartDate = "01/01/2026";
        Ctx().sEndDate = "12/31/2026";
        Ctx().bFlag18_9 = Ctx().bUSCAFlag = true;
        TestDb().Execute("UPDATE SETUP SET XOFFSET=0, YOFFSET=0");
        AddCourse(1, "Pines", 125, "71.5");
        AddCourse(2, "Open Heath", 118, "69.8");
        TestDb().Execute("UPDATE COURSES SET YARDS='', MPARS='', WPARS='' WHERE COURSE_ID=2");
        test::AddPlayer(1, kLongLast, "Margaret", "F");
        test::AddPlayer(2, kLongLast2, "Margaret", "F");
        test::AddPlayer(3, "Smith", "Christopher Jonathan Aaa", "M");
        test::AddPlayer(4, "Smith", "Christopher Jonathan Aab", "M");
        test::AddPlayer(5, "Newcomer", "Bea", "F");  // one nine played: a beginner
        TestDb().Execute(
            "UPDATE PLAYERS SET SALUTATION=CASE GENDER WHEN 'F' THEN 'Ms.' ELSE 'Mr.' END, ADDRESS1='12 Long "
            "Fairway Road', CITY='Springfield', "
            "STATE='IL', ZIP='62701', HOME_PHONE='555-0100', EMAIL=REPLACE(LOWER(FIRST_NAME), ' ', '.') || "
            "'@example.com'");
        AddRounds();
        ResynchAllScores(TestDb());
        Ctx().nCurPlayerID = 1;  // as the main screen hands her over
        Ctx().sCurGender = "F";
    }
    void TearDown() override { QApplication::setFont(QFont()); }

    // Rounds in 2026: 18 holes on both courses, a tournament round now and then, a nine-hole
    // round for players 1 and 5, putts, greens, sand saves, fairways and a cost on each.
    void AddRounds() {
        const int rounds[] = {0, 9, 7, 6, 3, 1};
        for (int p = 1; p <= 5; ++p)
            for (int g = 1; g <= rounds[p]; ++g) {
                const QDate date(2026, 3 + g / 2, 1 + (3 * g + 5 * p) % 27);
                TestRound r = Round(p, g, date.toString("yyyy-MM-dd"));
                r.course = g % 3 == 0 ? 2 : 1;
                r.rating = r.course == 1 ? 71.5 : 69.8;
                r.slope = r.course == 1 ? 125 : 118;
                r.tourn = g % 4 == 2;
                if (r.course == 2) r.par = QString();
                for (int h = 0; h < 18; ++h) r.gross[h] = 4 + (h * 7 + g * 3 + p) % 4 - (p == 3 ? 1 : 0);
                if ((p == 1 && g == 5) || p == 5)
                    for (int h = 9; h < 18; ++h) r.gross[h] = 0;  // the front nine only
                r.columns = {{"PUTTS", QString(" 2 1 3").repeated(6)},
                             {"GREENS_IN_REG", QString("100").repeated(6)},
                             {"SAND_SAVES", QString("010000000").repeated(2)},
                             {"FAIRWAYS_HIT", QString("110").repeated(6)},
                             {"GAME_COST", 40.0 + g},
                             {"CART_COST", 12.5},
                             {"OTHER_COST", 0.0}};
                AddRound(r);
            }
    }

    ScriptedMsgBox boxes;
};

QString Messages(const ScriptedMsgBox& boxes, int from = 0) {
    QString out;
    for (const QString& text : boxes.Texts().mid(from)) out += "message: " + text + "\n";
    return out;
}

// The main screen: a stored round on the course without yards or pars, its Print Card, and a new
// round being typed on the other course.
TEST_F(Record, MainScreen) {
    auto f = std::make_unique<frmMainGolf>(Ctx());
    f->resize(1024, 768);
    f->show();
    QApplication::processEvents();
    f->cboPlayer->setCurrentIndex(f->cboPlayer->findData(1));
    f->RecBar->setValue(6);
    QApplication::processEvents();
    CheckRecord("main-stored-round", ScreenText(*f) + Messages(boxes));
    CheckRecord("print-card", PrintedOnBothPapers(boxes, [&] { f->cmdPrintScoreCard_Click(); }));

    const int before = boxes.Count();
    f->cmdNewGame_Click();
    f->cboCourse->setCurrentIndex(f->cboCourse->findData(1));
    for (int h = 1; h <= 18; ++h) f->SetHoleText(kRowGross, h, QString::number(3 + h % 4));
    f->Calc_Row_Scores(kRowGross);
    QApplication::processEvents();
    CheckRecord("main-new-round", ScreenText(*f) + Messages(boxes, before));
}

// Print Card of a round on the course without yards: the grid spans the printable width (half-inch
// edges) on Letter and A4, the hole columns all as wide, whatever their texts.
TEST_F(Record, PrintCardSpreadsEvenHoleColumnsAcrossThePage) {
    auto f = std::make_unique<frmMainGolf>(Ctx());
    f->resize(1024, 768);
    f->show();
    f->cboPlayer->setCurrentIndex(f->cboPlayer->findData(1));
    f->RecBar->setValue(6);
    EnvGuard toPrinter("DC_PRINT_PDF", QByteArray());
    for (const auto paper : {QPageSize::Letter, QPageSize::A4}) {
        SCOPED_TRACE(QPageSize::name(paper).toStdString());
        StandInPrintSystem printer("Record", QPageSize(paper), QMarginsF(36, 36, 36, 36));
        f->cmdPrintScoreCard_Click();
        ASSERT_EQ(printer.Jobs().size(), 1u) << boxes.Last().toStdString();
        std::vector<QSizeF> pages;
        const std::vector<PdfWord> words = PdfWords(printer.Jobs()[0].pdf, &pages);
        // The column headers: the words on the line of "Tot".
        const auto tot =
            std::find_if(words.begin(), words.end(), [](const PdfWord& w) { return w.text == "Tot"; });
        ASSERT_NE(tot, words.end());
        std::map<QString, double> centre;
        for (const PdfWord& w : words)
            if (w.page == tot->page && std::abs(w.box.top() - tot->box.top()) < 1)
                centre[w.text] = w.box.center().x();
        for (int h = 1; h <= 18; ++h) ASSERT_TRUE(centre.count(QString::number(h))) << h;
        const double pitch = centre["2"] - centre["1"];
        for (int h = 1; h < 18; ++h) {
            if (h == 9) continue;  // "Out" comes between
            EXPECT_NEAR(centre[QString::number(h + 1)] - centre[QString::number(h)], pitch, 0.02 * pitch)
                << "after hole " << h;
        }
        const double right = centre["Tot"] + (centre["Tot"] - centre["In"]) / 2;
        EXPECT_NEAR(right, pages[0].width() - 36, 4) << "the grid ends at the printable area's right edge";
        EXPECT_GT(18 * pitch, 0.6 * (pages[0].width() - 72)) << "the holes take most of the width";
    }
}

// The handicap screen of the first player, its reports (18 and 9 holes), both index lists and the
// cards.
TEST_F(Record, HandicapScreenAndPrintouts) {
    frmHandicap screen(Ctx());
    screen.cboCourse->setCurrentIndex(screen.cboCourse->findData(1));
    screen.cboCourse_Click();
    screen.cboTeeBox->setCurrentIndex(0);
    screen.cboTeeBox_Click();
    CheckRecord("handicap-screen", ScreenText(screen) + Messages(boxes));
    CheckRecord("handicap-report", PrintedOnBothPapers(boxes, [&] { screen.cmdPrint_Click(); }));
    screen.opt189[2]->click();
    CheckRecord("handicap-screen-9", ScreenText(screen));
    CheckRecord("handicap-report-9", PrintedOnBothPapers(boxes, [&] { screen.cmdPrint_Click(); }));
    screen.opt189[1]->click();
    CheckRecord("handicap-cards", PrintedOnBothPapers(boxes, [&] { screen.cmdHcpCards_Click(); }));
    screen.HC[2]->click();
    CheckRecord("index-list-alphabetical",
                ScreenText(screen) + PrintedOnBothPapers(boxes, [&] { screen.cmdPrint_Click(); }));
    screen.HC[3]->click();
    CheckRecord("index-list-low-to-high",
                ScreenText(screen) + PrintedOnBothPapers(boxes, [&] { screen.cmdPrint_Click(); }));
}

TEST_F(Record, StatisticsGameListAndGraphs) {
    frmStats stats(Ctx());
    stats.chkAllCourses->click();  // eclectic scores of the course without pars
    stats.cboCourse->setCurrentIndex(stats.cboCourse->findData(2));
    stats.UpdateStats();
    CheckRecord("statistics-one-course", ScreenText(stats) + Messages(boxes));
    stats.chkAllCourses->click();
    stats.chkAllPlayers->click();
    stats.UpdateStats();
    CheckRecord("statistics", ScreenText(stats) + Messages(boxes) +
                                  PrintedOnBothPapers(boxes, [&] { stats.cmdPrint_Click(); }));

    frmGameList list(Ctx());
    list.chkAllPlayers->click();
    list.UpdatespGL();
    CheckRecord("game-list", ScreenText(list) + Messages(boxes));
    CheckRecord("game-list-print", PrintedOnBothPapers(boxes, [&] { list.cmdPrint_Click(); }));
    CheckRecord("game-list-print-all", PrintedOnBothPapers(boxes, [&] { list.cmdPrintAll_Click(); }));
    list.opt189[2]->click();
    CheckRecord("game-list-9", ScreenText(list) + Messages(boxes));

    const int before = boxes.Count();
    frmGraphs graphs(Ctx());
    QString shown;
    for (int option = 1; option <= 6; ++option) {
        graphs.Opt[option]->click();
        shown += QString("-- option %1\n").arg(option) + ScreenText(graphs);
    }
    CheckRecord("graphs", shown + Messages(boxes, before) +
                              PrintedOnBothPapers(boxes, [&] { graphs.cmdPrint_Click(); }));
}

TEST_F(Record, ScoreCards) {
    frmScoreCard screen(Ctx());
    screen.cboCourse->setCurrentIndex(screen.cboCourse->findData(2));
    screen.cboCourse_Click();
    CheckRecord("score-card-screen", ScreenText(screen) + Messages(boxes));
    CheckRecord("score-cards", PrintedOnBothPapers(boxes, [&] { screen.cmdPrint_Click(); }));
}

TEST_F(Record, PlayerListAndLabels) {
    frmPlayers players(Ctx());
    CheckRecord("player-list", PrintedOnBothPapers(boxes, [&] { players.cmdPrint_Click(); }));
    // Labels at the offset the program proposes for half-inch edges.
    frmMailingLabels labels(Ctx());
    labels.txtXOffset->setText("-.200");
    labels.optStyle_1->click();
    CheckRecord("mailing-labels", PrintedOnBothPapers(boxes, [&] { labels.cmdPrint_Click(); }));
    labels.optStyle_2->click();
    CheckRecord("mailing-labels-3", PrintedOnBothPapers(boxes, [&] { labels.cmdPrint_Click(); }));
}

}  // namespace
}  // namespace dc::test

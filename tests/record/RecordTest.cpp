// What every screen and printout shows for the record's club (RecordClub.h), compared with the
// record in this folder. Printouts are read from the PDFs handed to a printer with half-inch edges
// on Letter and on A4. scripts/write-record.sh writes the record anew.
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

#include "Record.h"
#include "RecordClub.h"
#include "entry/RoundRules.h"
#include "entry/frmMainGolf.h"
#include "handicap_report/frmHandicap.h"
#include "platform/Spread.h"
#include "records/frmMailingLabels.h"
#include "records/frmPlayers.h"
#include "reports/frmGameList.h"
#include "reports/frmGraphs.h"
#include "reports/frmStats.h"
#include "scorecards/frmScoreCard.h"

namespace dc::test {
namespace {

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

// Score cards of the golfers with long and look-alike names, on the course without pars and on
// the one whose men and women have their own pars and hole handicaps.
TEST_F(Record, ScoreCards) {
    frmScoreCard screen(Ctx());
    const auto tickFew = [&] {
        screen.cmdAllOnOff[2]->click();
        for (int row = 1; row <= screen.spSC->MaxRows(); ++row) {
            const QString name = screen.spSC->CellText(frmScoreCard::kColName, row);
            if (!name.startsWith("Montgomery") && !name.startsWith("Smith")) continue;
            screen.spSC->SetCellValue(frmScoreCard::kColPrint, row, 1);
            screen.spSC_ButtonClicked(frmScoreCard::kColPrint, row, true);
        }
    };
    screen.cboCourse->setCurrentIndex(screen.cboCourse->findData(2));
    screen.cboCourse_Click();
    CheckRecord("score-card-screen", ScreenText(screen) + Messages(boxes));
    tickFew();
    CheckRecord("score-cards", PrintedOnBothPapers(boxes, [&] { screen.cmdPrint_Click(); }));
    screen.cboCourse->setCurrentIndex(screen.cboCourse->findData(1));
    screen.cboCourse_Click();
    tickFew();
    CheckRecord("score-cards-pines", PrintedOnBothPapers(boxes, [&] { screen.cmdPrint_Click(); }));
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

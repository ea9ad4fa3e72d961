// The statistics, game-list and graphs screens on a real database: what they show, their checks,
// their printouts on the recording page and once each as a real PDF, and the round handed back to
// the main screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QXYSeries>
#include <algorithm>
#include <functional>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "entry/frmMainGolf.h"
#include "handicap/RoundRec.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/PrintJob.h"
#include "platform/PrinterError.h"
#include "platform/PrinterPageFactory.h"
#include "platform/RecordingPrinterPage.h"
#include "platform/Spread.h"
#include "reports/ReportPanel.h"
#include "reports/ReportStore.h"
#include "reports/frmGameList.h"
#include "reports/frmGraphs.h"
#include "reports/frmStats.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ScreenBoxes.h"

using namespace dc;

namespace {

class ReportScreens : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.OpenDatabase();
        Ctx().sDateFormat = "MM/DD/YYYY";
        Ctx().sStartDate = "01/01/2024";
        Ctx().sEndDate = "12/31/2024";
        Ctx().bFlag18_9 = Ctx().bUSCAFlag = true;
        TestDb().Execute(
            "INSERT INTO COURSES (COURSE_ID, COURSE_NAME, TB) VALUES (1, 'Pines', ?), (2, 'Oaks', ?)",
            {QString("Blue").rightJustified(20).repeated(4), QString("Red").rightJustified(20).repeated(4)});
        TestDb().Execute(
            "INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, MI, GENDER) VALUES "
            "(7, 'Able', 'Ann', 'B', 'F'), (8, 'Baker', 'Bob', 'C', 'M')");
    }
    void TearDown() override { SetPrinterPageFactory({}); }
    // A round with `front` and `back` on every hole of each nine (0 = not played).
    static void AddRound(int player, int game, const QDate& date, int front, int back, int course = 1) {
        QVariantList v{player, course, game, DbDate(date), 1000 + game, 0, 72.0, 113, 1, game % 2};
        for (int h = 0; h < 18; ++h) v << (h < 9 ? front : back);
        for (int i = 0; i < 6; ++i) v << 10.0 + game;
        for (int i = 0; i < 6; ++i) v << -100;
        const int f9 = 9 * front, b9 = 9 * back;
        v << f9 + b9 << f9 << b9 << f9 + b9 << f9 << b9;
        v << f9 + b9 << f9 << b9 << QString(18, '4') << QString(" 2").repeated(18) << QString(18, '1')
          << QString(18, '0') << QString(18, '1') << 25.5 << 0.0 << 0.0 << "";
        QStringList marks;
        for (int i = 0; i < v.size(); ++i) marks << "?";
        TestDb().Execute(
            "INSERT INTO INDIV_SCORES (" + RoundFieldOrder().join(",") + ") VALUES (" + marks.join(",") + ")",
            v);
    }
    static bool HavePdfToText() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }
    static QString PdfPath() { return qEnvironmentVariable("DC_PRINT_PDF"); }

    test::ProgramFolder folder;
};

}  // namespace

TEST_F(ReportScreens, StatisticsForOnePlayerAndOneCourse) {
    AddRound(7, 1, QDate(2024, 3, 1), 4, 5);
    AddRound(7, 2, QDate(2024, 4, 1), 5, 4);
    AddRound(7, 3, QDate(2024, 5, 1), 4, 4, 2);
    AddRound(8, 1, QDate(2024, 5, 1), 3, 3);
    Ctx().nCurPlayerID = 7;
    test::ScriptedMsgBox box;
    frmStats f(Ctx());
    EXPECT_EQ(box.Count(), 0);
    EXPECT_EQ(f.TGPCap->text(), " 3");
    EXPECT_EQ(f.B18Cap->text(), " 72");
    EXPECT_EQ(f.Game18Cap->text(), " 3");
    EXPECT_EQ(f.B9Cap->text(), " 36 B");
    EXPECT_EQ(f.TGCap->text(), "$76.50");
    EXPECT_EQ(f.TCACap->text(), "$.00");
    EXPECT_TRUE(f.lblEclectic->isHidden()) << "all courses";

    f.chkAllCourses->setChecked(false);
    EXPECT_EQ(box.Last(), "A Course must be selected.");
    f.cboCourse->setCurrentIndex(f.cboCourse->findData(1));
    f.UpdateStats();
    EXPECT_EQ(f.TGPCap->text(), " 2");
    EXPECT_FALSE(f.lblEclectic->isHidden());
    EXPECT_EQ(f.lblEclectic18->text(), "72");
    EXPECT_EQ(f.spSG->CellText(5, 19), " 18") << "pars in the total row";

    f.Rtrv18Cmd_Click();
    EXPECT_EQ(Ctx().nCurPlayerID, 7);
    EXPECT_EQ(f.answer.gameNumber, 2);
    EXPECT_EQ(f.answer.code, 2);
}

// 87 strokes on 20 par-4 holes and 23 putts over 20 holes: the averages' halves go up.
// A range takes the rounds on both of its ends and none beyond them (01/01/2024 to 12/31/2024;
// the rounds outside are the best), and the reports name a player first name first.
TEST_F(ReportScreens, RangeEndsCountAndNamesReadFirstThenLast) {
    AddRound(7, 1, QDate(2023, 12, 31), 3, 3);
    AddRound(7, 2, QDate(2024, 1, 1), 5, 5);
    AddRound(7, 3, QDate(2024, 12, 31), 4, 5);
    AddRound(7, 4, QDate(2025, 1, 1), 3, 3);
    Ctx().nCurPlayerID = 7;
    test::ScriptedMsgBox box;
    frmStats stats(Ctx());
    EXPECT_EQ(stats.TGPCap->text(), " 2");
    EXPECT_EQ(stats.B9Cap->text(), " 36 F");
    EXPECT_EQ(stats.Game9Cap->text(), " 3") << "the round on the end date";
    EXPECT_EQ(stats.lblB9Player->text(), "Ann Able");
    frmGameList list(Ctx());
    EXPECT_EQ(list.Rows(), 2);
    std::vector<int> games;
    for (const RoundRec& r :
         ReportStore(TestDb()).ReadRounds(7, QDate(2024, 1, 1), QDate(2024, 12, 31), RoundOrder::GameNumber))
        games.push_back(r.GAME_NUMBER);
    EXPECT_EQ(games, (std::vector<int>{2, 3}));
    const auto names = ReportStore(TestDb()).ReadPlayerNames();
    EXPECT_EQ(names.at(7), "Ann Able");
    EXPECT_EQ(names.at(8), "Bob Baker");
}

TEST_F(ReportScreens, StatisticsAveragesRoundHalvesUp) {
    AddRound(7, 1, QDate(2024, 3, 1), 4, 0);
    AddRound(7, 2, QDate(2024, 3, 2), 4, 0);
    TestDb().Execute("UPDATE INDIV_SCORES SET GS01=7, GS02=7, GS03=5, PUTTS=? WHERE GAME_NUMBER=1",
                     {QString(" 1").repeated(12) + QString(" 0").repeated(6)});
    TestDb().Execute("UPDATE INDIV_SCORES SET GS10=4, GS11=4, PUTTS=? WHERE GAME_NUMBER=2",
                     {QString(" 1").repeated(11) + QString(" 0").repeated(7)});
    Ctx().nCurPlayerID = 7;
    frmStats f(Ctx());
    EXPECT_EQ(f.AvgCap[2]->text(), "4.4");
    EXPECT_EQ(f.AvgCap[5]->text(), "1.2");
}

// Best Recorded Scores: a best 18 needs a round of both nines (Retrieve stays disabled without
// one), and long player and course names are shown whole, their full text also in a tooltip.
TEST_F(ReportScreens, BestRecordedScoresRetrieveOnlyWhatIsThereWithWholeNames) {
    TestDb().Execute(
        "UPDATE PLAYERS SET FIRST_NAME='Alexandrina', LAST_NAME='The Royal Lalonde-Whitfield' "
        "WHERE PLAYER_ID=7");
    TestDb().Execute("UPDATE COURSES SET COURSE_NAME='Maple Ridge Golf and Country Club' WHERE COURSE_ID=1");
    AddRound(7, 1, QDate(2024, 3, 1), 0, 5);
    Ctx().nCurPlayerID = 7;
    frmStats f(Ctx());
    f.resize(1024, 768);
    f.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.Rtrv9Cmd->isEnabled());
    EXPECT_FALSE(f.Rtrv18Cmd->isEnabled()) << "no round of 18 holes";
    for (QLabel* label : {f.lblB9Player, f.B9CCap}) {
        EXPECT_EQ(label->toolTip(), label->text());
        EXPECT_GE(label->width() * (label->wordWrap() ? 3 : 1),
                  label->fontMetrics().horizontalAdvance(label->text()))
            << label->text().toStdString() << " in " << label->width();
    }
    AddRound(7, 2, QDate(2024, 3, 2), 4, 5);
    f.UpdateStats();
    ASSERT_TRUE(f.Rtrv18Cmd->isEnabled());
    f.Rtrv18Cmd->click();
    EXPECT_EQ(Ctx().nCurPlayerID, 7);
    EXPECT_EQ(f.answer.gameNumber, 2);
}

// Typing over a date in place recomputes once: when the typing pauses, Enter is pressed or the box
// is left; a date not yet complete is never taken; a date set by the program counts at once.
TEST(ReportPanelDates, ATypedDateCountsOnceTheTypingPauses) {
    Ctx().sDateFormat = "MM/DD/YYYY";
    QWidget owner;
    ReportPanel panel(Ctx(), &owner, true, false);
    auto* layout = new QVBoxLayout(&owner);
    layout->addWidget(panel.dates);
    auto* other = new QLineEdit(&owner);
    layout->addWidget(other);
    MaskEdBox& box = *panel.txtSDate;
    SetDateFormat(box, Ctx().sDateFormat);
    int taken = 0;
    QObject::connect(&panel, &ReportPanel::DateEdited, [&taken] { ++taken; });
    owner.show();
    QApplication::setActiveWindow(&owner);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));

    box.SetText("01/01/2024");
    EXPECT_EQ(taken, 1) << "set by the program: at once";
    box.setFocus();
    box.setCursorPosition(0);
    QTest::keyClicks(&box, "03152024");
    EXPECT_EQ(taken, 1) << "not while typing, though 03/01/2024 and 03/11/2024 passed by";
    // The pause after the last key: the box's timer has fired, or been stopped.
    const auto paused = [&box] {
        const QList<QTimer*> timers = box.findChildren<QTimer*>();
        return !timers.isEmpty() &&
               std::none_of(timers.begin(), timers.end(), std::mem_fn(&QTimer::isActive));
    };
    ASSERT_TRUE(QTest::qWaitFor(paused, test::kGenerousWaitMs));
    EXPECT_EQ(taken, 2);
    EXPECT_EQ(Ctx().sStartDate, "03/15/2024");

    box.clear();
    QTest::keyClicks(&box, "0420202");
    QTest::keyClick(&box, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor(paused, test::kGenerousWaitMs));
    EXPECT_EQ(taken, 2) << "an incomplete date is never taken";
    QTest::keyClicks(&box, "4");
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(taken, 3) << "Enter takes it at once";
    EXPECT_EQ(Ctx().sStartDate, "04/20/2024");

    box.setCursorPosition(0);
    QTest::keyClicks(&box, "05");
    other->setFocus();
    EXPECT_EQ(taken, 4) << "leaving the box takes it at once";
    EXPECT_EQ(Ctx().sStartDate, "05/20/2024");
    ASSERT_TRUE(QTest::qWaitFor(paused, test::kGenerousWaitMs));
    EXPECT_EQ(taken, 4) << "and only once";
}

TEST_F(ReportScreens, DateChecksIncludingAnImpossibleDate) {
    Ctx().nCurPlayerID = 7;
    test::ScriptedMsgBox box;
    frmStats f(Ctx());
    const struct {
        QString start, end, message;
    } cases[] = {
        {"01/01/2024", "12/31/2024", ""},
        {"13/01/2024", "12/31/2024", "Date must be in the format MM/DD/YYYY."},
        {"01/01/2024", "12/3_/2024",
         "A valid date cannot contain any underscores.\r\nDate must be in the format MM/DD/YYYY."},
        {"01/01/2024", "12/31/2023", "The Start Date must be earlier than the End Date."},
        {"05/05/2024", "05/05/2024", ""},
    };
    for (const auto& c : cases) {
        f.txtSDate->SetText(c.start);
        f.txtEDate->SetText(c.end);
        const int before = box.Count();
        f.UpdateStats();
        if (c.message.isEmpty())
            EXPECT_EQ(box.Count(), before) << c.start.toStdString();
        else
            EXPECT_EQ(box.Last(), c.message) << c.start.toStdString();
    }
}

TEST_F(ReportScreens, StatisticsPrintoutAndOneMessageForAFailingPrinter) {
    AddRound(7, 1, QDate(2024, 3, 1), 4, 5);
    Ctx().nCurPlayerID = 7;
    frmStats f(Ctx());
    auto log = RecordAllPrinting();
    f.cmdPrint_Click();
    EXPECT_EQ(log->DocumentCount(), 1);
    const PrintOp* title = log->Find("Statistics for:");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->column, 24);
    EXPECT_EQ(title->fontName, "Courier New");
    EXPECT_DOUBLE_EQ(title->fontSize, 12);
    EXPECT_EQ(test::Printed(*log, "Able, Ann B").column, 40);
    EXPECT_EQ(test::Printed(*log, "$25.50").column, 40);
    EXPECT_EQ(test::Printed(*log, "$.00").column, 42) << "amounts end in one column";
    EXPECT_EQ(test::Printed(*log, QString(30, '-')).column, 16);
    EXPECT_EQ(test::Printed(*log, " 9").column, 4) << "the Par total ends under its header";

    test::ScriptedMsgBox box;
    RecordAllPrinting([](RecordingPrinterPage& page) { page.SetFailure(kErrDeviceUnavailable, 3); });
    f.cmdPrint_Click();
    EXPECT_EQ(box.Texts(), QStringList{"68 Device unavailable"});

    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not available";
    SetPrinterPageFactory({});
    QFile::remove(PdfPath());
    f.cmdPrint_Click();
    const QString text = test::PdfText(PdfPath());
    EXPECT_TRUE(text.contains("Best-18:")) << text.toStdString();
    EXPECT_TRUE(text.contains("Average # of Putts per Round: 2.0")) << text.toStdString();
}

// One pass for every player gives each player the rounds and order of his own query; the columns
// a report leaves unread stay empty.
TEST_F(ReportScreens, RoundsOfEveryPlayerInOnePass) {
    const QDate day(2024, 3, 1);
    AddRound(7, 3, day, 4, 5);
    AddRound(8, 1, day.addDays(1), 4, 4);
    AddRound(7, 1, day, 5, 5);  // the same day, stored after a later game
    AddRound(7, 2, day.addDays(-1), 4, 4, 2);
    AddRound(8, 2, day, 6, 6);
    const QDate from(2024, 1, 1), to(2024, 12, 31);
    auto games = [](const std::vector<RoundRec>& rounds) {
        std::vector<int> g;
        for (const RoundRec& r : rounds) g.push_back(r.GAME_NUMBER);
        return g;
    };
    for (RoundOrder order : {RoundOrder::DateThenGame, RoundOrder::DateDesc, RoundOrder::GameNumber})
        for (bool knownCourse : {false, true}) {
            const auto all =
                ReportStore(TestDb()).ReadRoundsByPlayer(0, from, to, order, knownCourse, RoundFields::All);
            ASSERT_EQ(all.size(), 2u);
            for (int player : {7, 8}) {
                const auto own = ReportStore(TestDb()).ReadRounds(player, from, to, order, knownCourse);
                EXPECT_EQ(games(all.at(player)), games(own)) << player << " order " << int(order);
                EXPECT_EQ(
                    games(ReportStore(TestDb())
                              .ReadRoundsByPlayer(player, from, to, order, knownCourse, RoundFields::All)
                              .at(player)),
                    games(own));
            }
        }
    EXPECT_EQ(games(ReportStore(TestDb())
                        .ReadRoundsByPlayer(7, from, to, RoundOrder::DateDesc, false, RoundFields::All)
                        .at(7)),
              (std::vector<int>{1, 3, 2}));
    const RoundRec listed =
        ReportStore(TestDb())
            .ReadRoundsByPlayer(8, from, to, RoundOrder::DateDesc, false, RoundFields::Listed)
            .at(8)[0];
    EXPECT_EQ(listed.GS[0], 4);
    EXPECT_EQ(listed.HCP_INDEX[0], 11.0);
    EXPECT_TRUE(listed.PAR.isEmpty());
    EXPECT_EQ(listed.GAME_COST, 0.0);
    const RoundRec counted =
        ReportStore(TestDb())
            .ReadRoundsByPlayer(8, from, to, RoundOrder::DateDesc, false, RoundFields::Statistics)
            .at(8)[0];
    EXPECT_EQ(counted.PAR, QString(18, '4'));
    EXPECT_EQ(counted.GAME_COST, 25.5);
    EXPECT_EQ(counted.HCP_INDEX[0], 0.0);
    EXPECT_TRUE(counted.GREENS_IN_REG.isEmpty());
}

TEST_F(ReportScreens, GameListRowsSortAndPrintouts) {
    AddRound(7, 1, QDate(2023, 12, 30), 11, 12);  // gross 207: sorts after 81 by value
    AddRound(7, 2, QDate(2024, 1, 2), 4, 5);
    Ctx().sStartDate = "01/01/2023";
    Ctx().nCurPlayerID = 7;
    frmGameList f(Ctx());
    ASSERT_EQ(f.Rows(), 2);
    EXPECT_EQ(f.spGL->CellText(kGlScr, 1), "81");
    EXPECT_EQ(f.spGL->CellText(kGlScr, 2), "T207");
    EXPECT_EQ(f.spGL->CellText(kGlTee, 1), "Blue") << "whole: three tees \"Tee 1\" to \"Tee 3\" read apart";
    f.spGL_Click(kGlScr, 0);
    EXPECT_EQ(f.spGL->CellText(kGlScr, 1), "81") << "ascending by value, not as text";
    f.spGL_Click(kGlDate, 0);
    EXPECT_EQ(f.spGL->CellText(kGlGame, 1), "2") << "then descending, in time across the year";

    auto log = RecordAllPrinting();
    f.cmdPrint_Click();
    EXPECT_EQ(test::Printed(*log, "Game List for:").column, 25);
    EXPECT_EQ(test::Printed(*log, "01/02/24").column, 50);
    EXPECT_EQ(test::Printed(*log, "T207").column, 64) << "after the tee column, as wide as \"Blue\"";
    EXPECT_EQ(test::Printed(*log, "Blue").column, 60) << "whole, a blank before the score";
    EXPECT_EQ(test::Printed(*log, "All Courses").column, 40);

    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not available";
    SetPrinterPageFactory({});
    QFile::remove(PdfPath());
    f.cmdPrint_Click();
    QString text = test::PdfText(PdfPath());
    EXPECT_TRUE(text.contains("Game List for:")) << text.toStdString();
    EXPECT_TRUE(text.contains("12/30/23")) << text.toStdString();
    QFile::remove(PdfPath());
    f.cmdPrintAll_Click();
    text = test::PdfText(PdfPath());
    EXPECT_TRUE(text.contains("Detailed Player Game List")) << text.toStdString();
    EXPECT_TRUE(text.contains("Pines")) << text.toStdString();

    // A printer that refuses the job: both printouts say so and offer a PDF, each one job.
    test::EnvGuard noPdf("DC_PRINT_PDF", QByteArray());
    test::StandInPrintSystem office("Office");
    office.Refuse("server-error-not-accepting-jobs");
    test::ScriptedMsgBox box({vbNo, vbNo});
    f.cmdPrint_Click();
    f.cmdPrintAll_Click();
    ASSERT_EQ(box.Count(), 2);
    for (const QString& message : box.Texts()) {
        EXPECT_TRUE(message.startsWith("The printer Office did not print")) << message.toStdString();
        EXPECT_TRUE(message.contains("server-error-not-accepting-jobs"));
    }
    EXPECT_EQ(office.Jobs().size(), 2u);
}

// A 60-character name, a long course and a long tee: at 1024x768 every column shows, the figures
// narrow, the name and course taking what is left and shown whole as tooltips; the printed list on
// Letter with half-inch edges keeps every text inside and prints the tee names whole.
TEST_F(ReportScreens, GameListFitsTheScreenAndThePaperWithLongNames) {
    TestDb().Execute("UPDATE PLAYERS SET LAST_NAME=?, FIRST_NAME=? WHERE PLAYER_ID=7",
                     {"Fitzwilliam-Worthington-Smythe-Montgomery", "Bartholomew Maximilian"});
    TestDb().Execute("UPDATE COURSES SET COURSE_NAME=?, TB=? WHERE COURSE_ID=1",
                     {"Royal Saint Andrews Old Course Golf & Country Club Fi",
                      QString("Championship Blackxx") + QString("Tee 2").rightJustified(20).repeated(3)});
    for (int g = 1; g <= 30; ++g) AddRound(g % 2 ? 7 : 8, g, QDate(2024, 1, 1).addDays(g), 4, 5);
    Ctx().nCurPlayerID = 7;
    frmGameList f(Ctx());
    f.chkAllPlayers->setChecked(true);
    f.UpdatespGL();
    ASSERT_EQ(f.Rows(), 30);
    EXPECT_EQ(test::LayoutFaults(f), QStringList());
    EXPECT_LT(f.spGL->columnWidth(kGlHole1 - 1), 40) << "a hole's figures need no more";

    const RecordingPrinterPage::Paper letterHalfInch = test::TestPapers()[3].paper;
    auto log = RecordAllPrinting([&](RecordingPrinterPage& page) { page.SetPaper(letterHalfInch); });
    f.cmdPrint_Click();
    EXPECT_EQ(test::PrintFaults(*log, letterHalfInch), QStringList());
    EXPECT_TRUE(log->Find("Championship Blackxx"));
    EXPECT_TRUE(log->Find("Fitzwilliam-Worthington-Smythe-Montgomery, B.") ||
                log->Find("Fitzwilliam-Worthington-Smythe-Montgomery, B. M."));
}

// The printed list counts its pages first: the progress says "page N of M" with the right M.
TEST_F(ReportScreens, GameListPrintoutCountsItsPagesFirst) {
    for (int g = 1; g <= 250; ++g) AddRound(7, g, QDate(2024, 1, 1).addDays(g), 4, 5);
    Ctx().nCurPlayerID = 7;
    frmGameList f(Ctx());
    ASSERT_EQ(f.Rows(), 250);
    std::vector<std::pair<int, int>> shown;
    SetPrintProgressResponder([&](int page, int total) {
        shown.emplace_back(page, total);
        return true;
    });
    QFile::remove(PdfPath());
    f.cmdPrint_Click();
    SetPrintProgressResponder([](int, int) { return true; });
    ASSERT_FALSE(shown.empty());
    const int pages = shown.back().first;
    EXPECT_GE(pages, 4);
    for (const auto& [page, total] : shown) EXPECT_EQ(total, pages) << page;
    if (HavePdfToText()) {
        EXPECT_EQ(test::PdfText(PdfPath()).count('\f'), pages);
    }
}

TEST_F(ReportScreens, GameListOptionClickChecksOnceAndNineViewKeepsCasualNines) {
    AddRound(7, 1, QDate(2024, 3, 1), 4, 5);
    TestDb().Execute(
        "UPDATE INDIV_SCORES SET USE_HCP=0, ADJSCR_US_18=NULL, ADJSCR_US_F9=NULL, ADJSCR_US_B9=NULL");
    Ctx().nCurPlayerID = 7;
    test::ScriptedMsgBox box;
    frmGameList f(Ctx());
    f.opt189[2]->setChecked(true);
    ASSERT_EQ(f.Rows(), 2) << "a round not used for the handicap lists both nines";
    EXPECT_EQ(f.spGL->CellText(kGlF9, 2), "36");
    EXPECT_EQ(f.spGL->CellText(kGlAdj, 2), "") << "no adjusted score, no 0";
    f.txtSDate->SetText("13/45/2024");
    for (QRadioButton* option : {f.opt189[1], f.optUSCan[2]}) {
        const int before = box.Count();
        option->setChecked(true);
        EXPECT_EQ(box.Count(), before + 1) << option->objectName().toStdString();
    }
}

TEST_F(ReportScreens, GraphsOnePointMessageAndPrintedPicture) {
    AddRound(7, 1, QDate(2024, 3, 1), 4, 5);
    Ctx().nCurPlayerID = 7;
    test::ScriptedMsgBox box;
    frmGraphs f(Ctx());
    EXPECT_EQ(box.Texts(), QStringList{"Not enough points to produce a graph."});
    EXPECT_FALSE(f.cmdPrint->isEnabled());
    AddRound(7, 2, QDate(2024, 4, 1), 5, 5);
    f.UpdateGraph();
    EXPECT_EQ(f.Points(), 2);
    EXPECT_EQ(f.Hint(), "Min =  11     Max =  12     Avg = 11.5");
    f.Opt[2]->setChecked(true);
    EXPECT_EQ(f.Hint(), "Min =  81     Max =  90     Avg = 85.5 Gross    85.5 Adj");
    // The first and last points sit inside the plot, their markers whole.
    f.resize(1024, 768);
    f.show();
    QApplication::processEvents();
    QChart* chart = f.Graph1->chart();
    for (QAbstractSeries* s : chart->series())
        for (const QPointF& p : static_cast<QXYSeries*>(s)->points()) {
            const double x = chart->mapToPosition(p, s).x();
            EXPECT_GT(x, chart->plotArea().left() + 4);
            EXPECT_LT(x, chart->plotArea().right() - 4);
        }

    QString printedHint;
    auto log = RecordAllPrinting([&](RecordingPrinterPage&) { printedHint = f.panel->capHelp->text(); });
    f.panel->capHelp->setText("Click to Print Graph Screen.");  // as the button's focus shows it
    f.cmdPrint_Click();
    EXPECT_EQ(printedHint, "Min =  81     Max =  90     Avg = 85.5 Gross    85.5 Adj")
        << "the graph's line is printed";
    EXPECT_EQ(f.Hint(), "Click to Print Graph Screen.");
    EXPECT_EQ(log->OfKind(PrintOp::Image).size(), 1u);
    EXPECT_EQ(log->DocumentCount(), 1);
}

// A graph of fewer than two points shows no Min/Max/Avg: the line goes with the graph it described,
// whatever left too few points (another player, a shorter range, the other kind of holes).
TEST_F(ReportScreens, GraphsOfTooFewPointsKeepNoFiguresOfTheGraphBefore) {
    AddRound(7, 1, QDate(2024, 3, 1), 4, 5);
    AddRound(7, 2, QDate(2024, 4, 1), 5, 5);
    AddRound(8, 1, QDate(2024, 3, 1), 0, 5);  // one nine: a point of the nine-hole graph only
    Ctx().nCurPlayerID = 7;
    test::ScriptedMsgBox box;
    frmGraphs f(Ctx());
    const struct {
        const char* change;
        int player;
        QString end;
        int holes;  // 1 "18 Hole", 2 "9 Hole"
    } cases[] = {{"another player", 8, "12/31/2024", 1},
                 {"a shorter range", 7, "03/15/2024", 1},
                 {"nine holes of one nine", 8, "12/31/2024", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        f.cboPlayer->setCurrentIndex(f.cboPlayer->findData(7));
        f.txtEDate->SetText("12/31/2024");
        f.opt189[1]->setChecked(true);
        f.UpdateGraph();
        ASSERT_EQ(f.Hint(), "Min =  11     Max =  12     Avg = 11.5");
        const int messages = box.Count();
        f.cboPlayer->setCurrentIndex(f.cboPlayer->findData(c.player));
        f.txtEDate->SetText(c.end);
        f.opt189[c.holes]->setChecked(true);
        f.UpdateGraph();
        EXPECT_LT(f.Points(), 2);
        EXPECT_GT(box.Count(), messages);
        EXPECT_EQ(box.Last(), "Not enough points to produce a graph.");
        EXPECT_EQ(f.Hint(), "");
        EXPECT_FALSE(f.cmdPrint->isEnabled());
    }
}

TEST_F(ReportScreens, GraphsLeaveRoundsWithoutAdjustedScoreOutOfTheAdjustedSeries) {
    AddRound(7, 1, QDate(2024, 3, 1), 4, 5);
    AddRound(7, 2, QDate(2024, 4, 1), 5, 5);
    AddRound(7, 3, QDate(2024, 5, 1), 4, 4);
    TestDb().Execute("UPDATE INDIV_SCORES SET USE_HCP=0, ADJSCR_US_18=NULL WHERE GAME_NUMBER=3");
    Ctx().nCurPlayerID = 7;
    frmGraphs f(Ctx());
    f.Opt[2]->setChecked(true);
    EXPECT_EQ(f.Hint(), "Min =  72     Max =  90     Avg = 81.0 Gross    85.5 Adj");
}

// After a refused start date (impossible, or after the end) or "All Courses" unticked with no course
// chosen, no screen keeps or prints the previous results (nor draws a point), until the next good
// computation.
TEST_F(ReportScreens, AFailedDateCheckClearsTheResultsAndDisablesPrint) {
    AddRound(7, 1, QDate(2024, 3, 1), 4, 5);
    AddRound(7, 2, QDate(2024, 4, 1), 5, 5);
    Ctx().nCurPlayerID = 7;
    test::ScriptedMsgBox box;
    frmStats stats(Ctx());
    frmGameList list(Ctx());
    frmGraphs graphs(Ctx());
    auto shown = [&] {
        return QStringList{stats.TGPCap->text(), QString::number(list.Rows()),
                           QString::number(graphs.Points())};
    };
    auto printable = [&] {
        return stats.cmdPrint->isEnabled() && list.cmdPrint->isEnabled() && list.cmdPrintAll->isEnabled() &&
               graphs.cmdPrint->isEnabled();
    };
    for (const QString start : {"13/45/2024", "06/01/2025", ""}) {  // "": no course chosen
        for (MaskEdBox* box : {stats.txtSDate, list.txtSDate, graphs.txtSDate})
            if (!start.isEmpty()) box->SetText(start);
        for (QCheckBox* all : {stats.chkAllCourses, list.chkAllCourses, graphs.chkAllCourses})
            all->setChecked(!start.isEmpty());
        stats.UpdateStats();
        list.UpdatespGL();
        graphs.UpdateGraph();
        EXPECT_EQ(shown(), QStringList({"", "0", "0"})) << start.toStdString();
        if (start.isEmpty()) {
            EXPECT_EQ(box.Last(), "A Course must be selected.");
        }
        EXPECT_EQ(graphs.Hint(), "");
        for (QAbstractSeries* s : graphs.Graph1->chart()->series())
            EXPECT_EQ(static_cast<QXYSeries*>(s)->count(), 0) << "no points drawn at 0";
        EXPECT_FALSE(stats.cmdPrint->isEnabled() || list.cmdPrint->isEnabled() ||
                     list.cmdPrintAll->isEnabled() || graphs.cmdPrint->isEnabled());
        for (QCheckBox* all : {stats.chkAllCourses, list.chkAllCourses, graphs.chkAllCourses})
            all->setChecked(true);
        for (MaskEdBox* box : {stats.txtSDate, list.txtSDate, graphs.txtSDate}) box->SetText("01/01/2024");
        EXPECT_EQ(shown(), QStringList({" 2", "2", "2"}));
        EXPECT_TRUE(printable());
    }
}

TEST_F(ReportScreens, DoubleClickHandsTheRoundToTheMainScreen) {
    AddRound(7, 1, QDate(2024, 3, 1), 4, 5);
    AddRound(7, 2, QDate(2024, 4, 1), 5, 5);
    AddRound(8, 1, QDate(2024, 4, 1), 6, 6);
    test::ScriptedMsgBox box;
    frmMainGolf main(Ctx());
    main.cboPlayer->setCurrentIndex(main.cboPlayer->findData(8));
    ASSERT_TRUE(main.cmdGameList->isEnabled());
    test::ScriptedModal modal([](QDialog& d) {
        auto& list = dynamic_cast<frmGameList&>(d);
        list.chkAllPlayers->setChecked(true);
        for (int r = 1; r <= list.Rows(); ++r)
            if (list.ListRows()[r - 1].playerId == 7 && list.ListRows()[r - 1].gameNumber == 1)
                list.spGL_DblClick(3, r);
        return static_cast<int>(QDialog::Accepted);
    });
    main.cmdGameList->click();
    EXPECT_EQ(modal.Count(), 1);
    EXPECT_EQ(main.cboPlayer->currentData().toInt(), 7);
    EXPECT_EQ(main.mskDate->Text(), FormatLocalDate(QDate(2024, 3, 1), Ctx().sDateFormat))
        << "game 1 of player 7 is shown";
    for (const QString& text : box.Texts()) EXPECT_FALSE(text.contains("Error Number")) << text.toStdString();
}

TEST_F(ReportScreens, StatisticsOpeningSelections) {
    AddRound(7, 1, QDate(2024, 3, 1), 4, 5);
    const struct {
        int handed;
        bool dropCourses;
        QString message;
        bool allPlayers;
        QString games;
    } cases[] = {
        {0, false, "", true, " 1"},
        {99, false, "A Player must be selected.", false, ""},
        {7, true, "", false, "0"},
    };
    for (const auto& c : cases) {
        if (c.dropCourses) TestDb().Execute("DELETE FROM COURSES");
        Ctx().nCurPlayerID = c.handed;
        test::ScriptedMsgBox box;
        frmStats f(Ctx());
        EXPECT_EQ(box.Last(), c.message) << c.handed;
        EXPECT_EQ(f.chkAllPlayers->isChecked(), c.allPlayers);
        EXPECT_EQ(f.cboPlayer->isHidden(), c.allPlayers);
        EXPECT_EQ(f.TGPCap->text(), c.games);
        if (c.dropCourses) {
            f.chkAllCourses->setChecked(false);
            EXPECT_EQ(box.Last(), "There are no courses in the database.");
            EXPECT_TRUE(f.chkAllCourses->isChecked());
            EXPECT_EQ(f.TGPCap->text(), "0") << "the round's course is gone from the join";
        }
    }
}

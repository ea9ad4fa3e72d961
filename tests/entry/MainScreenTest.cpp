// The main screen driven offscreen with scripted message answers: the main road from a new player's
// first round to the indexes after the fifth, paging, the change prompt, the faults mended, the
// cursor around the total columns, typed input and gross colours.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "MainScreenFixture.h"
#include "entry/frmMainGolf.h"
#include "handicap/HcpRules.h"
#include "handicap/SaveScores.h"
#include "handicap_report/frmHandicap.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "platform/SpreadCell.h"
#include "records/PlayerStore.h"
#include "records/frmCourseSetup.h"
#include "records/frmPlayers.h"
#include "scorecards/frmScoreCard.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"
#include "shell/ScreenBoxes.h"
#include "shell/frmSystemSetup.h"

using namespace dc;

using MainScreen = test::MainScreenFixture;
using test::kToday;

TEST_F(MainScreen, MainRoadFromTheFirstRoundToTheIndexAfterTheFifth) {
    test::ScriptedMsgBox boxes;
    auto f = Open();
    EXPECT_EQ(f->txtRecNum->text(), "New");
    EXPECT_EQ(f->cboPlayer->currentIndex(), -1) << "no player is chosen at first";
    SelectPlayer(*f, 7);
    EXPECT_EQ(f->txtRecNum->text(), "New");
    EXPECT_EQ(f->RecBar->maximum(), 1);
    EXPECT_EQ(D(*f, 1, 1), "36.4");
    EXPECT_EQ(D(*f, 2, 1), "18.2");
    EXPECT_EQ(D(*f, 1, 2), "-100");
    ChooseCourse(*f);
    EXPECT_EQ(f->round.TeeSlope(), 113);
    EXPECT_EQ(f->spISC->CellText(kColTot, kRowPar), "72");
    EXPECT_EQ(D(*f, 1, 3), "9") << "course handicap 36 on the US 18-hole table";
    for (int round = 1; round <= 5; ++round) {
        if (round > 1) f->cmdNewGame_Click();
        EXPECT_EQ(f->txtRecNum->text(), "New");
        f->mskDate->SetText(FormatLocalDate(QDate(2024, 5, round), Ctx().sDateFormat));
        TypeGross(*f, 5);
        EXPECT_EQ(f->spISC->CellText(kColTot, kRowGross), "90");
        EXPECT_EQ(D(*f, 1, 4), "90");
        ASSERT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();
        EXPECT_EQ(f->txtRecNum->text(), " " + QString::number(round));
        EXPECT_EQ(test::RoundCount(7), round);
        if (round == 1) {
            EXPECT_DOUBLE_EQ(Stored("HCP_INDEX_US_18", 7, 1), 36.4)
                << "fewer than 5 differentials: the default";
            EXPECT_EQ(f->lblCurrIndex[1]->text(), "36.4");
        }
        if (round == 2) {
            EXPECT_EQ(D(*f, 1, 1), "36.4");
        }
    }
    EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    // Five differentials of 18.0: the lowest one times 0.96, cut to a tenth.
    EXPECT_DOUBLE_EQ(Stored("HCP_INDEX_US_18", 7, 5), 17.2);
    EXPECT_EQ(f->lblCurrIndex[1]->text(), "17.2");
    EXPECT_EQ(f->lblCourseHcp[1]->text(), "17");
    EXPECT_EQ(f->nGameNumber, 5);
    // The next new round starts from the index after the fifth.
    f->cmdNewGame_Click();
    EXPECT_EQ(D(*f, 1, 1), "17.2");
    EXPECT_TRUE(f->lblCurrIndex[1]->isHidden()) << "a new round shows no current index";
}

TEST_F(MainScreen, PagingAndTheGameNumberBox) {
    StoredRounds(5);
    test::ScriptedMsgBox boxes;
    auto f = Open();
    SelectPlayer(*f, 7);
    EXPECT_EQ(f->RecBar->maximum(), 5);
    EXPECT_EQ(f->round.StoredGame(), 5) << "the newest round";
    EXPECT_EQ(f->mskDate->Text(), FormatLocalDate(QDate(2024, 1, 5), Ctx().sDateFormat));
    f->txtRecNum->setText("0");
    EXPECT_EQ(f->txtRecNum->text(), " 1") << "clamped to 1, then shown with its sign position";
    EXPECT_EQ(f->round.StoredGame(), 1);
    EXPECT_EQ(D(*f, 1, 1), "36.4") << "games 1 and 2 show the starting values";
    f->txtRecNum->setText("abc");
    EXPECT_EQ(f->round.StoredGame(), 1);
    f->txtRecNum->setText("99");
    EXPECT_EQ(f->txtRecNum->text(), " 5");
    EXPECT_EQ(f->round.StoredGame(), 5);
    f->RecBar->setValue(3);
    EXPECT_EQ(f->txtRecNum->text(), " 3");
    EXPECT_EQ(f->round.StoredGame(), 3);
    EXPECT_EQ(D(*f, 1, 1), IndexText(float(Stored("HCP_INDEX_US_18", 7, 2))))
        << "game 3 shows game 2's index";
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "4");
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
    // A player without rounds: "New" and no games to page to.
    SelectPlayer(*f, 8);
    EXPECT_EQ(f->txtRecNum->text(), "New");
    EXPECT_TRUE(f->optMF[1]->isChecked());
    EXPECT_EQ(D(*f, 1, 1), "40.4");
}

TEST_F(MainScreen, ChangePromptNamesTheFirstChangedField) {
    StoredRounds(5);
    test::ScriptedMsgBox boxes({vbCancel, vbNo});
    auto f = Open();
    SelectPlayer(*f, 7);
    f->Save_Check();
    EXPECT_EQ(f->round.Changed(), 0) << "a loaded round equals its stored row";
    f->SetHoleText(kRowGross, 12, "9");
    f->Calc_Row_Scores(kRowGross);
    f->cmdExit_Click();
    ASSERT_EQ(boxes.Count(), 1) << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(boxes.Last(), "The Hole 12 score has changed.\n\rSave the changes before exiting?");
    EXPECT_EQ(boxes.Styles().back(), vbYesNoCancel + vbQuestion);
    EXPECT_EQ(ended, 0) << "Cancel keeps the program running";
    EXPECT_EQ(f->round.HcpChanged(), 1);
    f->cmdExit_Click();
    EXPECT_EQ(ended, 1) << "No ends without saving";
    EXPECT_DOUBLE_EQ(Stored("GS12", 7, 5), 4 + 5 % 3);
}

TEST_F(MainScreen, YesInAPromptRunsTheSaveChecksAndStays) {
    test::ScriptedMsgBox boxes({vbYes, vbOK, vbYes, vbOK});
    auto f = Open();
    SelectPlayer(*f, 7);
    ChooseCourse(*f);
    TypeGross(*f, 5);
    f->mskDate->SetText("02/30/2024");
    f->cmdExit_Click();
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Texts()[0], "The data has changed.\n\rSave the changes before exiting?");
    EXPECT_EQ(boxes.Texts()[1], "Invalid Date.  Please enter a date in the format MM/DD/YYYY.");
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(test::RoundCount(7), 0);
    // The player prompt: the checks fail, the choice goes back and the entries stay.
    SelectPlayer(*f, 8);
    ASSERT_EQ(boxes.Count(), 4);
    EXPECT_EQ(boxes.Texts()[2], "The data has changed.\n\rSave the changes?");
    EXPECT_EQ(f->cboPlayer->currentData().toInt(), 7);
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "5");
    EXPECT_EQ(f->txtRecNum->text(), "New");
    EXPECT_EQ(test::RoundCount(8), 0);
    // A Yes whose checks pass stores the round as the shown player's, then shows the other player.
    f->mskDate->SetText(FormatLocalDate(QDate(2024, 5, 1), Ctx().sDateFormat));
    boxes.Push(vbYes);
    SelectPlayer(*f, 8);
    EXPECT_EQ(test::RoundCount(7), 1);
    EXPECT_EQ(test::RoundCount(8), 0);
    EXPECT_EQ(f->cboPlayer->currentData().toInt(), 8);
    EXPECT_EQ(f->txtRecNum->text(), "New");
}

TEST_F(MainScreen, SettingsAskFirstAndActivationActsOnTheCodeOnce) {
    StoredRounds(3);
    test::ScriptedMsgBox boxes({vbCancel});
    auto f = Open();
    SelectPlayer(*f, 7);
    f->SetHoleText(kRowGross, 1, "9");
    f->Calc_Row_Scores(kRowGross);
    f->cmdSetup_Click();
    EXPECT_EQ(boxes.Last(), "The Hole 1 score has changed.\n\rSave the changes?");
    EXPECT_EQ(f->findChild<frmSystemSetup*>(), nullptr) << "Cancel: the settings screen does not open";
    // Back from the course editor: the unchanged round is reloaded once, and the code is cleared.
    f->SetHoleText(kRowGross, 1, "4");
    f->Calc_Row_Scores(kRowGross);
    TestDb().Execute("UPDATE INDIV_SCORES SET HCP_INDEX_US_18=12.3 WHERE PLAYER_ID=7 AND GAME_NUMBER=3");
    f->Form_Activate(1);
    EXPECT_EQ(f->nReturnCode, 0);
    EXPECT_EQ(D(*f, 1, 5), "12.3") << "game 3 reloaded as stored now";
    f->SetHoleText(kRowGross, 1, "9");
    f->Form_Activate();  // after the calendar, say
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "9") << "a later activation leaves the typing alone";
}

// A tee box without pars is warned of in one message, without an empty line before it; each
// missing value has its line.
TEST_F(MainScreen, TheMissingValuesWarningHasNoLeadingEmptyLine) {
    test::AddCourse(2, "Bare", 113, "72.0", QString(18, '0'));
    test::AddCourse(3, "Unrated", 0, "00.0", QString(18, '0'));
    auto f = Open();
    SelectPlayer(*f, 7);
    test::ScriptedMsgBox boxes;
    for (int course : {2, 3}) {
        f->cboCourse->setCurrentIndex(f->cboCourse->findData(course));
        f->cboCourse_Click();
        if (f->cboTeeBox->currentIndex() != 0) f->cboTeeBox->setCurrentIndex(0);
        f->cboTeeBox_Click();
    }
    const QString please =
        "Please go to the Course Setup screen and add the appropriate values for this Tee Box.";
    ASSERT_GE(boxes.Count(), 2);
    EXPECT_EQ(
        boxes.Texts().first(),
        "No Pars were provided for this Tee Box.  Adjusted scores might not be calculated correctly.\r\n" +
            please);
    EXPECT_TRUE(boxes.Last().startsWith("No Slope was provide for this Tee Box."))
        << boxes.Last().toStdString();
    EXPECT_EQ(boxes.Last().count("\r\n"), 3) << "slope, rating, pars, then the advice";
}

// Every yardage shows; a 60-character name is whole in the Player box's drop-down and tooltip.
TEST_F(MainScreen, FitsTheScreenAndShowsEveryYardage) {
    TestDb().Execute("UPDATE PLAYERS SET LAST_NAME=?, FIRST_NAME=? WHERE PLAYER_ID=7",
                     {"Fitzwilliam-Worthington-Smythe-Montgomery", "Bartholomew Maximilian"});
    auto f = Open();
    SelectPlayer(*f, 7);
    for (int h = 1; h <= 18; ++h) f->spISC->SetCellText(HoleColumn(h), kRowYards, "535");
    f->spISC->SetCellText(kColTot, kRowYards, "7050");
    EXPECT_EQ(test::LayoutFaults(*f), QStringList());
}

TEST_F(MainScreen, AFailedStoreKeepsTheEntries) {
    test::ScriptedMsgBox boxes;
    auto f = Open();
    SelectPlayer(*f, 7);
    ChooseCourse(*f);
    TypeGross(*f, 5);
    f->txtNotes->setPlainText("keep me");
    TestDb().Execute(
        "CREATE TRIGGER refuse BEFORE INSERT ON INDIV_SCORES BEGIN SELECT RAISE(ABORT,'disk trouble'); END");
    EXPECT_FALSE(f->cmdSave_Click());
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().startsWith("Form Main Dado, Save_DBF\r\nError Number "))
        << boxes.Last().toStdString();
    EXPECT_EQ(f->txtRecNum->text(), "New");
    EXPECT_EQ(f->round.IsNew(), 1);
    EXPECT_EQ(f->spISC->CellText(kColTot, kRowGross), "90");
    EXPECT_EQ(f->txtNotes->toPlainText(), "keep me");
    EXPECT_TRUE(f->isEnabled());
    EXPECT_EQ(test::RoundCount(7), 0);
}

TEST_F(MainScreen, NullCostsNoTeeBoxAndCourseHandicapsPerColumn) {
    StoredRounds(6);
    TestDb().Execute(
        "UPDATE INDIV_SCORES SET GAME_COST=NULL, CART_COST=NULL, OTHER_COST=12.5, NOTES=' hello' "
        "WHERE GAME_NUMBER=6");
    TestDb().Execute("UPDATE INDIV_SCORES SET SLOPE_RATING=120 WHERE GAME_NUMBER=6");
    test::ScriptedMsgBox boxes;
    auto f = Open();
    SelectPlayer(*f, 7);
    EXPECT_EQ(f->round.TeeSlope(), 120) << "a paged round keeps its own slope, not its tee box's 113";
    EXPECT_EQ(f->txtGameCost->text(), "");
    EXPECT_EQ(f->txtCartCost->text(), "");
    EXPECT_EQ(f->txtOtherCost->text(), "12.50");
    EXPECT_EQ(f->txtNotes->toPlainText(), "hello");
    EXPECT_EQ(f->spISC->CellText(kColTot, kRowPutts), "36") << "the load went on past the costs";

    // Each column's course handicap from its own tournament index, or its index.
    PrevIndexes prev;
    prev.index[0] = 30, prev.tIndex[0] = 10;
    prev.index[3] = 20, prev.tIndex[3] = -100;
    f->round.SetPrevious(prev, false);
    f->round.UpdateCourseHcps(113);
    EXPECT_EQ(f->round.CourseHcp(1), 10);
    EXPECT_EQ(f->round.CourseHcp(4), 20);

    // A new round whose tee box is not chosen: slope 113, no rating.
    f->txtRecNum->setText("3");
    f->cboTeeBox->setCurrentIndex(-1);
    f->cmdNewGame_Click();
    EXPECT_EQ(f->round.TeeSlope(), 113);
    EXPECT_EQ(f->round.TeeRating(), 0.0);
    // ... and its previous indexes are those after the newest round, not after game 3.
    EXPECT_EQ(D(*f, 1, 1), IndexText(float(Stored("HCP_INDEX_US_18", 7, 6))));
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(MainScreen, CursorGoesAroundTheTotalColumns) {
    auto f = Open();
    f->spISC->setFocus();
    f->spISC->SetActiveCell(9, kRowGross);
    QTest::keyClick(f->spISC, Qt::Key_Tab);
    EXPECT_EQ(f->spISC->ActiveCol(), 11);
    EXPECT_EQ(f->spISC->ActiveRow(), kRowGross);
    QTest::keyClick(f->spISC, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(f->spISC->ActiveCol(), 9);
    f->spISC->SetActiveCell(19, kRowGross);
    QTest::keyClick(f->spISC, Qt::Key_Tab);
    EXPECT_EQ(f->spISC->ActiveCol(), 1);
    EXPECT_EQ(f->spISC->ActiveRow(), kRowPutts);
    f->spISC->SetActiveCell(9, kRowPutts);
    QTest::keyClick(f->spISC, Qt::Key_Right);
    EXPECT_EQ(f->spISC->ActiveCol(), 11);
    QTest::keyClick(f->spISC, Qt::Key_Left);
    EXPECT_EQ(f->spISC->ActiveCol(), 9);
    f->spISC->SetActiveCell(19, kRowSand);
    QTest::keyClick(f->spISC, Qt::Key_Right);
    EXPECT_EQ(f->spISC->ActiveCol(), 1);
    EXPECT_EQ(f->spISC->ActiveRow(), kRowFHit);
    f->spISC->SetActiveCell(19, kRowFHit);
    QTest::keyClick(f->spISC, Qt::Key_Right);
    EXPECT_EQ(f->spISC->ActiveCol(), 19) << "the last row stays on hole 18";
}

TEST_F(MainScreen, TypedScoresRangeOvertypeAndGrossColours) {
    test::ScriptedMsgBox boxes;
    test::AddCourse(2, "Dunes", 113, "70.0", "3" + QString(17, '4'));
    auto f = Open();
    SelectPlayer(*f, 7);
    f->cboCourse->setCurrentIndex(f->cboCourse->findData(2));
    QApplication::setActiveWindow(f.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    f->spISC->setFocus();
    const auto focus = [&]() -> QWidget* {
        QWidget* w = QApplication::focusWidget();
        return w ? w : f->spISC;
    };
    const auto type = [&](const QString& text) {
        for (QChar ch : text) QTest::keyClick(focus(), ch.toLatin1());
    };
    // A score outside 1 to 99 is refused with a message and the cursor stays on the hole; an
    // emptied cell leaves the hole unplayed.
    for (const char* typed : {"x", "0", "100"}) {
        f->spISC->SetActiveCell(1, kRowGross);
        type(typed);
        QTest::keyClick(focus(), Qt::Key_Tab);
        EXPECT_EQ(f->spISC->CellText(1, kRowGross), "") << typed;
        EXPECT_EQ(f->spISC->ActiveCol(), 1) << typed;
        EXPECT_TRUE(boxes.Last().contains("from 1 to 99")) << typed;
        QTest::keyClick(focus(), Qt::Key_Escape);
    }
    EXPECT_EQ(boxes.Count(), 3);
    // Typing over a two-digit score replaces it whole.
    f->SetHoleText(kRowGross, 2, "10");
    f->spISC->SetActiveCell(1, kRowGross);
    type("5");
    QTest::keyClick(focus(), Qt::Key_Tab);
    type("5");
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_EQ(f->spISC->CellText(2, kRowGross), "5") << boxes.Texts().join("|").toStdString();
    f->spISC->SetActiveCell(1, kRowGross);
    QTest::keyClick(f->spISC, Qt::Key_Backspace);
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "") << "an emptied score is taken";
    EXPECT_EQ(boxes.Count(), 3);
    f->spISC->SetActiveCell(1, kRowGross);
    type("5");
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "5");
    EXPECT_EQ(f->spISC->CellText(kColOut, kRowGross), "10");
    EXPECT_EQ(f->spISC->CellAt(1, kRowGross)->fmt.foreColor, Spread::VbColor(0xFF0000)) << "above par: blue";
    f->SetHoleText(kRowGross, 2, "");
    type("3");
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_EQ(f->spISC->CellAt(2, kRowGross)->fmt.foreColor, Spread::VbColor(0x0000FF)) << "below par: red";
    type("4");
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_EQ(f->spISC->CellAt(3, kRowGross)->fmt.foreColor, Spread::VbColor(0)) << "par: black";
    EXPECT_EQ(f->spISC->CellText(kColOut, kRowGross), "12");
    // A fairway cannot be hit on a par 3.
    f->spISC->SetCellValue(1, kRowFHit, 1);
    f->spISC_ButtonClicked(1, kRowFHit, true);
    EXPECT_EQ(f->spISC->CellValue(1, kRowFHit), 0);
    EXPECT_EQ(f->spISC->CellText(kColTot, kRowFHit), "");
    f->spISC->SetCellValue(2, kRowFHit, 1);
    f->spISC_ButtonClicked(2, kRowFHit, true);
    EXPECT_EQ(f->spISC->CellText(kColTot, kRowFHit), "1");
    EXPECT_EQ(boxes.Count(), 3);
}

TEST_F(MainScreen, GameNumberAndScrollPromptsOnANewRoundAndKeepSame) {
    StoredRounds(3);
    test::ScriptedMsgBox boxes({vbYes, vbOK});
    auto f = Open();
    SelectPlayer(*f, 7);
    f->chkKeepSame->setChecked(true);
    f->cmdNewGame_Click();
    TypeGross(*f, 5);
    f->mskDate->SetText("__/__/2024");
    f->txtRecNum->setText("2");
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Texts()[0], "The data has changed.\n\rSave the changes?");
    EXPECT_EQ(boxes.Styles()[0], vbYesNoCancel + vbQuestion) << "Escape keeps the typed round";
    EXPECT_TRUE(boxes.Texts()[1].startsWith("A valid date cannot contain any underscores."));
    EXPECT_EQ(f->txtRecNum->text(), "New") << "the checks failed: the new round stays";
    EXPECT_EQ(f->spISC->CellText(kColTot, kRowGross), "90");
    // Dragging the bar: Cancel leaves the new round and the bar where they were.
    const int bar = f->RecBar->value();
    boxes.Push(vbCancel);
    f->RecBar->setValue(bar == 1 ? 2 : 1);
    EXPECT_EQ(boxes.Last(), "The data has changed.\n\rSave changes?");
    EXPECT_EQ(f->RecBar->value(), bar);
    EXPECT_EQ(f->txtRecNum->text(), "New");
    // A Yes whose checks pass saves, then shows the game asked for.
    f->mskDate->SetText(FormatLocalDate(QDate(2024, 2, 1), Ctx().sDateFormat));
    boxes.Push(vbYes);
    f->txtRecNum->setText("2");
    EXPECT_EQ(test::RoundCount(7), 4);
    EXPECT_EQ(f->round.StoredGame(), 2);
    // Keep-same: the next new round takes the saved date, course and tee box.
    EXPECT_TRUE(f->bKeepSame);
    EXPECT_EQ(f->sKeepDate, FormatLocalDate(QDate(2024, 2, 1), Ctx().sDateFormat));
    f->cmdNewGame_Click();
    EXPECT_EQ(f->mskDate->Text(), FormatLocalDate(QDate(2024, 2, 1), Ctx().sDateFormat));
    EXPECT_EQ(f->cboCourse->currentData().toInt(), 1);
    EXPECT_EQ(f->cboTeeBox->currentIndex(), 0);
    f->Save_Check();
    EXPECT_EQ(f->round.Changed(), 0) << "a kept date is carried, not typed: no change";
    f->mskDate->SetText(FormatLocalDate(QDate(2024, 2, 2), Ctx().sDateFormat));
    f->Save_Check();
    EXPECT_EQ(f->round.Changed(), 1) << "a date typed over it is";
}

TEST_F(MainScreen, SaveChecksOnTheScreenWithTheWarningSound) {
    test::AddCourse(3, "Wide");
    TestDb().Execute("UPDATE COURSES SET TB=? WHERE COURSE_ID=3", {QString("Blue").rightJustified(80)});
    test::ScriptedMsgBox boxes;
    auto f = Open();
    Ctx().bSounds = true;
    WarningSoundCount() = 0;
    EXPECT_FALSE(f->cmdSave_Click());
    EXPECT_EQ(boxes.Last(), "A Player's name must be entered.  Please go to the Player Setup Screen.");
    EXPECT_EQ(boxes.Styles().back(), vbInformation);
    EXPECT_EQ(WarningSoundCount(), 1) << "the sound counter runs before the message";
    SelectPlayer(*f, 7);
    EXPECT_FALSE(f->cmdSave_Click());
    EXPECT_EQ(boxes.Last(), "A Course must be selected.");
    // A slot without a tee box on the course (kept from a course with more of them), or none.
    f->cboCourse->setCurrentIndex(f->cboCourse->findData(3));
    f->cboTeeBox->setCurrentIndex(3);
    f->cboCourse->setCurrentIndex(f->cboCourse->findData(1));
    ASSERT_EQ(f->cboTeeBox->currentText(), "Blank");
    for (int slot : {3, -1}) {
        f->cboTeeBox->setCurrentIndex(slot);
        EXPECT_FALSE(f->cmdSave_Click());
        EXPECT_EQ(boxes.Last(), "A Tee Box must be selected.") << slot;
    }
    ChooseCourse(*f);
    f->mskDate->SetText(FormatLocalDate(kToday.addDays(1), Ctx().sDateFormat));
    TypeGross(*f, 5);
    EXPECT_FALSE(f->cmdSave_Click());
    EXPECT_EQ(boxes.Last(),
              "Why would you want to enter a future date for a round of Dado?  Please check your "
              "computer's date.");
    // A two-digit year typed into the date box leaves it unfilled.
    f->mskDate->clear();
    f->mskDate->setCursorPosition(0);
    QTest::keyClicks(f->mskDate, "051224");
    ASSERT_EQ(f->mskDate->Text(), "05/12/24__");
    EXPECT_FALSE(f->cmdSave_Click());
    EXPECT_EQ(boxes.Last(),
              "A valid date cannot contain any underscores.\r\nDate must be in the format MM/DD/YYYY.");
    f->mskDate->SetText(FormatLocalDate(kToday, Ctx().sDateFormat));
    for (int h = 1; h <= 18; ++h) f->SetHoleText(kRowGross, h, QString());
    f->Calc_Row_Scores(kRowGross);
    EXPECT_FALSE(f->cmdSave_Click());
    EXPECT_EQ(boxes.Last(), "A zero gross score cannot be saved off.  Please enter gross scores.");
    EXPECT_EQ(test::RoundCount(7), 0);
    Ctx().bSounds = false;
    TypeGross(*f, 5);
    EXPECT_TRUE(f->cmdSave_Click()) << "today's date is accepted";
    EXPECT_EQ(test::RoundCount(7), 1);
}

TEST_F(MainScreen, CourseAndPlayerButtonsOpenTheEditorsAndTheListsFollow) {
    test::ScriptedMsgBox boxes;
    auto f = Open();
    ASSERT_TRUE(f->cmdCourse->isEnabled());
    ASSERT_TRUE(f->cmdNewPlayer->isEnabled());

    // The course editor opens beside the main screen; closing it reloads the course list.
    f->cmdCourse_Click();
    auto* editor = f->findChild<frmCourseSetup*>();
    ASSERT_TRUE(editor);
    EXPECT_FALSE(editor->isModal());
    test::AddCourse(2, "Oaks");
    editor->close();
    QApplication::processEvents();
    EXPECT_GE(f->cboCourse->findText("Oaks"), 0);

    // The player editor is modal; the player it stored is in the list afterwards.
    test::ScriptedModal modal([](QDialog& d) {
        auto* players = qobject_cast<frmPlayers*>(&d);
        EXPECT_TRUE(players);
        if (!players) return 0;
        players->txtLast->setText("BROWN");
        players->txtFirst->setText("Cal");
        players->optGender_1->setChecked(true);
        players->cmdSave_Click();
        players->close();
        return 0;
    });
    f->cmdNewPlayer_Click();
    EXPECT_EQ(modal.Count(), 1);
    EXPECT_GE(f->cboPlayer->findText("BROWN, Cal ", Qt::MatchStartsWith), 0) << boxes.Last().toStdString();
    EXPECT_TRUE(f->cboPlayer->currentText().startsWith("BROWN, Cal")) << "the player added is chosen";
}

// The game bar's arrows are as large as a push button, and a click on the lower one pages on.
TEST_F(MainScreen, TheGameBarArrowsAreAsLargeAsAButton) {
    StoredRounds(3);
    auto f = Open();
    SelectPlayer(*f, 7);
    QStyleOptionSlider option;
    option.initFrom(f->RecBar);
    option.orientation = Qt::Vertical;
    option.minimum = f->RecBar->minimum();
    option.maximum = f->RecBar->maximum();
    option.sliderPosition = option.sliderValue = f->RecBar->value();
    option.pageStep = f->RecBar->pageStep();
    option.singleStep = f->RecBar->singleStep();
    const int button = f->cmdNewPlayer->height();
    for (auto arrow : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine}) {
        const QRect r = f->RecBar->style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, f->RecBar);
        EXPECT_GE(r.width(), button) << arrow;
        EXPECT_GE(r.height(), button) << arrow;
    }
    f->RecBar->setValue(2);
    const QRect down = f->RecBar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                          QStyle::SC_ScrollBarAddLine, f->RecBar);
    QTest::mouseClick(f->RecBar, Qt::LeftButton, {}, down.center());
    EXPECT_EQ(f->RecBar->value(), 3);
    EXPECT_EQ(f->txtRecNum->text(), " 3");
}

// Closing the player editor without adding anyone chooses the player shown before it opened.
TEST_F(MainScreen, ThePlayerEditorClosedWithoutAddingKeepsThePlayerShownBefore) {
    test::ScriptedMsgBox boxes;
    auto f = Open();
    SelectPlayer(*f, 8);
    test::ScriptedModal modal([](QDialog& d) {
        d.close();
        return 0;
    });
    f->cmdNewPlayer_Click();
    EXPECT_EQ(modal.Count(), 1);
    EXPECT_EQ(f->cboPlayer->currentData().toInt(), 8);
}

TEST_F(MainScreen, WithNoPlayerChosenTheGameNumberShowsNobodysFigures) {
    StoredRounds(3);
    test::ScriptedMsgBox boxes;
    auto f = Open();
    SelectPlayer(*f, 7);
    test::ScriptedModal modal([](QDialog&) { return 0; });  // Add, then Close with no player chosen
    f->cmdNewPlayer_Click();
    f->cboPlayer->setCurrentIndex(-1);
    const QString index = f->lblHI[1]->text();
    f->txtRecNum->setText("4");
    EXPECT_EQ(f->txtRecNum->text(), "New");
    EXPECT_EQ(f->lblHI[1]->text(), index);
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "");
}

TEST_F(MainScreen, PagingAwayFromAnEditedStoredRoundAsksFirst) {
    StoredRounds(4);
    auto f = Open();
    SelectPlayer(*f, 7);
    ASSERT_EQ(f->round.StoredGame(), 4);
    f->SetHoleText(kRowGross, 1, "9");
    f->Calc_Row_Scores(kRowGross);

    {
        test::ScriptedMsgBox boxes({vbCancel});
        f->RecBar->setValue(2);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last(), "The Hole 1 score has changed.\n\rSave changes?");
        EXPECT_EQ(f->round.StoredGame(), 4) << "Cancel stays on the round";
        EXPECT_EQ(f->RecBar->value(), 4);
        EXPECT_EQ(f->txtRecNum->text(), " 4");
        EXPECT_EQ(f->spISC->CellText(1, kRowGross), "9") << "and keeps what was typed";
    }
    {
        test::ScriptedMsgBox boxes({vbCancel});
        f->txtRecNum->setText("3");
        EXPECT_EQ(boxes.Count(), 1) << "typing another game number asks too";
        EXPECT_EQ(f->round.StoredGame(), 4);
        EXPECT_EQ(f->spISC->CellText(1, kRowGross), "9");
    }
    {
        test::ScriptedMsgBox boxes({vbYes});
        f->RecBar->setValue(2);
        EXPECT_EQ(boxes.Count(), 1) << boxes.Texts().join("|").toStdString();
        EXPECT_EQ(
            TestDb().Scalar("SELECT GS01 FROM INDIV_SCORES WHERE PLAYER_ID=7 AND GAME_NUMBER=4").toInt(), 9)
            << "Yes stores the edit";
        EXPECT_EQ(f->round.StoredGame(), 4) << "and the saved round stays shown";
    }
    f->SetHoleText(kRowGross, 2, "8");
    f->Calc_Row_Scores(kRowGross);
    {
        test::ScriptedMsgBox boxes({vbNo});
        f->RecBar->setValue(2);
        EXPECT_EQ(boxes.Count(), 1);
        EXPECT_EQ(f->round.StoredGame(), 2) << "No drops the edit and pages on";
        EXPECT_EQ(
            TestDb().Scalar("SELECT GS02 FROM INDIV_SCORES WHERE PLAYER_ID=7 AND GAME_NUMBER=4").toInt(), 5)
            << "game 4 as stored";
    }
    {
        test::ScriptedMsgBox boxes;
        f->RecBar->setValue(3);
        EXPECT_EQ(boxes.Count(), 0) << "an unchanged round pages without a question";
        EXPECT_EQ(f->round.StoredGame(), 3);
    }
}

// The bar's arrow held down when a box opens (the save question, or the warning of a tee box without
// pars reached): the box ends the hold; the repeat must not page on behind it or after it.
TEST_F(MainScreen, ABoxOpenedByTheBarsHeldArrowEndsTheHold) {
    test::AddCourse(2, "Bare", 113, "72.0", QString(18, '0'));
    for (int g = 1; g <= 5; ++g) test::AddRound(7, g, QDate(2024, 1, g), 4 + g % 3, g == 3 ? 2 : 1);
    ResynchAllScores(TestDb());
    const struct {
        bool typed;
        int shown;
        const char* box;
    } cases[] = {{true, 5, "The Hole 1 score has changed."}, {false, 3, "No Pars were provided"}};
    for (const auto& c : cases) {
        auto f = Open();
        SelectPlayer(*f, 7);
        f->RecBar->setValue(4);
        if (c.typed) {
            f->RecBar->setValue(5);
            f->SetHoleText(kRowGross, 1, "9");
            f->Calc_Row_Scores(kRowGross);
        }
        test::ScriptedMsgBox boxes({vbCancel, vbCancel, vbCancel});
        const QPoint upArrow(f->RecBar->width() / 2, 3);
        QTest::mousePress(f->RecBar, Qt::LeftButton, {}, upArrow);
        test::LetEarlierTimersFire(900);  // past the bar's repeat delay
        EXPECT_EQ(boxes.Count(), 1) << boxes.Texts().join("|").toStdString();
        EXPECT_TRUE(boxes.Last().startsWith(c.box)) << boxes.Last().toStdString();
        EXPECT_EQ(f->RecBar->value(), c.shown);
        EXPECT_EQ(f->round.StoredGame(), c.shown);
        QTest::mouseRelease(f->RecBar, Qt::LeftButton, {}, upArrow);
    }
}

TEST_F(MainScreen, LoadingAnotherPlayerOrComingBackFromSettingsNeverAsksOrLosesTyping) {
    StoredRounds(4);
    for (int g = 1; g <= 4; ++g) test::AddRound(8, g, QDate(2024, 2, g), 6);
    ResynchAllScores(TestDb());
    test::ScriptedMsgBox boxes({vbCancel});
    auto f = Open();
    SelectPlayer(*f, 7);
    SelectPlayer(*f, 8);
    EXPECT_EQ(boxes.Count(), 0) << "an unchanged round: no question when another player is chosen";
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "6");
    EXPECT_EQ(f->round.StoredGame(), 4);

    // The settings screen (modeless) closes while game 2 holds an edit: asked, Cancel keeps the edit,
    // and a later save goes into game 2, not into the newest game.
    f->RecBar->setValue(2);
    f->SetHoleText(kRowGross, 1, "9");
    f->Calc_Row_Scores(kRowGross);
    f->Form_Activate(3);
    EXPECT_EQ(boxes.Count(), 1) << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "9");
    EXPECT_EQ(f->round.StoredGame(), 2);
    ASSERT_TRUE(f->cmdSave_Click());
    EXPECT_EQ(TestDb().Scalar("SELECT GS01 FROM INDIV_SCORES WHERE PLAYER_ID=8 AND GAME_NUMBER=2").toInt(),
              9);
    EXPECT_EQ(TestDb().Scalar("SELECT GS01 FROM INDIV_SCORES WHERE PLAYER_ID=8 AND GAME_NUMBER=4").toInt(),
              6);
}

TEST_F(MainScreen, ClosingTheCourseEditorAsksBeforeReloadingOverTyping) {
    StoredRounds(3);
    test::ScriptedMsgBox boxes({vbCancel});
    auto f = Open();
    SelectPlayer(*f, 7);
    f->cmdCourse_Click();
    auto* editor = f->findChild<frmCourseSetup*>();
    ASSERT_TRUE(editor);
    f->SetHoleText(kRowGross, 1, "9");
    f->Calc_Row_Scores(kRowGross);
    f->txtNotes->setPlainText("typed while the editor was open");
    editor->close();
    QApplication::processEvents();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last(), "The Notes has changed.\n\rSave the changes?");
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "9") << "Cancel keeps what was typed";
    EXPECT_EQ(f->txtNotes->toPlainText(), "typed while the editor was open");
    EXPECT_EQ(f->nReturnCode, 0);
}

TEST_F(MainScreen, NewAsksBeforeDroppingAnEditedRound) {
    StoredRounds(3);
    auto f = Open();
    SelectPlayer(*f, 7);
    f->SetHoleText(kRowGross, 1, "9");
    f->Calc_Row_Scores(kRowGross);
    {
        test::ScriptedMsgBox boxes({vbCancel});
        f->cmdNewGame_Click();
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last(), "The Hole 1 score has changed.\n\rSave changes?");
        EXPECT_EQ(f->round.StoredGame(), 3) << "Cancel stays on the round";
        EXPECT_EQ(f->spISC->CellText(1, kRowGross), "9");
    }
    {
        test::ScriptedMsgBox boxes({vbNo});
        f->cmdNewGame_Click();
        EXPECT_EQ(f->txtRecNum->text(), "New");
        EXPECT_EQ(
            TestDb().Scalar("SELECT GS01 FROM INDIV_SCORES WHERE PLAYER_ID=7 AND GAME_NUMBER=3").toInt(), 4);
    }
}

TEST_F(MainScreen, AButtonReachedByItsAccessKeyTakesTheScoreBeingTyped) {
    test::ScriptedMsgBox boxes;
    auto f = Open();
    QApplication::setActiveWindow(f.get());
    SelectPlayer(*f, 7);
    ChooseCourse(*f);
    f->mskDate->SetText(FormatLocalDate(QDate(2024, 5, 2), Ctx().sDateFormat));
    for (int h = 1; h <= 17; ++h) f->SetHoleText(kRowGross, h, "5");
    f->Calc_Row_Scores(kRowGross);
    f->spISC->setFocus();
    f->spISC->SetActiveCell(19, kRowGross);
    QTest::keyClicks(f->spISC, "7");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    // The access key clicks its button a moment later.
    ASSERT_TRUE(QTest::qWaitFor([] { return test::RoundCount(7) == 1; }, test::kGenerousWaitMs))
        << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(TestDb().Scalar("SELECT GS18 FROM INDIV_SCORES WHERE PLAYER_ID=7").toInt(), 7);
    EXPECT_EQ(TestDb().Scalar("SELECT GSTOTAL FROM INDIV_SCORES WHERE PLAYER_ID=7").toInt(), 92);
}

namespace {
int GS01(int player, int game) {
    return TestDb()
        .Scalar("SELECT GS01 FROM INDIV_SCORES WHERE PLAYER_ID=? AND GAME_NUMBER=?", {player, game})
        .toInt();
}
}  // namespace

TEST_F(MainScreen, AFailedSaveDuringAReloadNeverLeavesAnotherRoundsKeyBehind) {
    for (int g = 1; g <= 3; ++g) test::AddRound(7, g, QDate(2024, 2, g), 6);
    ResynchAllScores(TestDb());
    test::ScriptedMsgBox boxes({vbYes});
    auto f = Open();
    SelectPlayer(*f, 7);
    f->cmdNewGame_Click();
    TypeGross(*f, 5);
    f->mskDate->SetText("05/3_/2024");
    f->Form_Activate(3);  // the settings screen closed: Yes, and the save is refused (underscore)
    EXPECT_EQ(boxes.Count(), 2) << "the question, then the refusal: "
                                << boxes.Texts().join("|").toStdString();
    f->mskDate->SetText(FormatLocalDate(QDate(2024, 5, 3), Ctx().sDateFormat));
    ASSERT_TRUE(f->cmdSave_Click());
    EXPECT_EQ(test::RoundCount(7), 4) << "the new round is added";
    EXPECT_EQ(GS01(7, 3), 6) << "game 3 untouched";
}

// A score typed into the grid and the bar clicked (it takes no focus): the score is asked about, or
// refused when the cell cannot take it, before any page; the round stays.
TEST_F(MainScreen, TheScrollBarTakesTheScoreBeingTypedBeforePaging) {
    StoredRounds(4);
    const struct {
        const char* typed;
        const char* box;
    } cases[] = {{"9", "The Hole 1 score has changed."}, {"0", "\"0\" cannot be entered here."}};
    for (const auto& c : cases) {
        test::ScriptedMsgBox boxes({vbCancel});
        auto f = Open();
        QApplication::setActiveWindow(f.get());
        SelectPlayer(*f, 7);
        f->spISC->setFocus();
        f->spISC->SetActiveCell(1, kRowGross);
        QTest::keyClicks(f->spISC, c.typed);
        f->RecBar->setValue(3);  // a click on the bar, which takes no focus
        QApplication::processEvents();
        EXPECT_EQ(boxes.Count(), 1) << boxes.Texts().join("|").toStdString();
        EXPECT_TRUE(boxes.Last().startsWith(c.box)) << boxes.Last().toStdString();
        EXPECT_EQ(f->round.StoredGame(), 4) << c.typed;
        EXPECT_EQ(f->RecBar->value(), 4) << c.typed;
    }
}

TEST_F(MainScreen, ACourseSavedInTheEditorIsNoChangeOfTheRoundShown) {
    StoredRounds(3);
    test::AddCourse(2, "Oaks", 120, "70.0");
    test::ScriptedMsgBox boxes({vbCancel});
    auto f = Open();
    SelectPlayer(*f, 7);
    Ctx().nCurCourseID = 2;  // the course editor hands back the course it saved
    f->Form_Activate(1);
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
    f->RecBar->setValue(1);
    EXPECT_EQ(boxes.Count(), 0) << "and later paging asks nothing either";
}

TEST_F(MainScreen, AnotherDatabaseChosenInSettingsStartsTheScreenAfresh) {
    test::ScriptedMsgBox boxes({vbYes});
    auto f = Open();
    SelectPlayer(*f, 7);
    ChooseCourse(*f);
    TypeGross(*f, 5);
    const QString other = folder.MakeDatabase("Other.mdb");
    LiveDatabase kept = std::move(Ctx().Live());
    Ctx().Live().Adopt(OpenProgramDatabase(other));  // as the settings screen does on a new path
    test::AddCourse(1, "Elsewhere");
    test::AddPlayer(7, "OTHER", "Person", "M");
    f->Form_Activate(3);
    EXPECT_EQ(boxes.Count(), 0) << "nothing offered to the other database";
    EXPECT_EQ(test::RoundCount(7), 0);
    EXPECT_EQ(f->cboPlayer->currentIndex(), -1);
    EXPECT_EQ(f->txtRecNum->text(), "New");
    EXPECT_EQ(f->cboCourse->itemText(0), "Elsewhere");
    EXPECT_EQ(f->cboTeeBox->count(), 0) << "no tee box of the old database's course";
    EXPECT_EQ(f->spISC->CellText(1, kRowYards), "");
    Ctx().Live() = std::move(kept);
}

// Another database saved in the settings screen while a round is typed: the round is asked about
// first, as Exit asks (Yes stores it where it was typed, Cancel keeps the database and the round),
// and only then does the screen start afresh, empty, on the other database.
TEST_F(MainScreen, TheSettingsScreensDatabaseSwitchAsksAboutATypedRoundFirst) {
    const QString first = Ctx().Connection().Path();
    const QString other = folder.MakeDatabase("Other.mdb");
    for (const int answer : {vbCancel, vbNo, vbYes}) {
        Ctx().Live().Open(first);
        Ctx().sDBPathFile = first;
        auto f = Open();
        f->cmdSetup_Click();
        auto* setup = f->findChild<frmSystemSetup*>();
        ASSERT_TRUE(setup);
        SelectPlayer(*f, 7);
        ChooseCourse(*f);
        TypeGross(*f, 5);
        test::ScriptedMsgBox boxes({answer});
        setup->txtDataBasePath->setText(other);
        setup->cmdSave_Click();
        QApplication::processEvents();
        EXPECT_EQ(boxes.Texts().value(0), "The data has changed.\n\rSave the changes?") << answer;
        if (answer == vbCancel) {
            EXPECT_EQ(Ctx().Connection().Path(), first);
            EXPECT_EQ(f->spISC->CellText(1, kRowGross), "5") << "Cancel keeps the round";
            setup->bChanged = false;
            continue;
        }
        EXPECT_EQ(Ctx().Connection().Path(), other) << answer;
        EXPECT_EQ(f->cboPlayer->currentIndex(), -1);
        EXPECT_EQ(f->cboTeeBox->count(), 0);
        for (int row : {kRowYards, kRowPar, kRowGross}) EXPECT_EQ(f->spISC->CellText(1, row), "") << row;
        const int stored = OpenProgramDatabase(first)->Scalar("SELECT COUNT(*) FROM INDIV_SCORES").toInt();
        EXPECT_EQ(stored, answer == vbYes ? 1 : 0) << answer;
        setup->bChanged = false;
    }
}

// The player editor deletes the player shown: the screen leaves his round before anything acts on it.
TEST_F(MainScreen, APlayerDeletedByAnotherScreenIsNoLongerShown) {
    StoredRounds(3);
    auto f = Open();
    SelectPlayer(*f, 7);
    PlayerStore(TestDb()).DeletePlayer(7);
    QApplication::processEvents();
    EXPECT_EQ(f->cboPlayer->findData(7), -1);
    EXPECT_EQ(f->cboPlayer->currentIndex(), -1);
    EXPECT_EQ(f->txtRecNum->text(), "New");
    EXPECT_TRUE(f->round.IsNew());
}

TEST_F(MainScreen, TheCloseBoxAsksLikeExit) {
    test::ScriptedMsgBox boxes({vbCancel});
    auto f = Open();
    SelectPlayer(*f, 7);
    ChooseCourse(*f);
    TypeGross(*f, 5);
    f->close();
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(f->isVisible()) << "Cancel keeps the screen";
}

// Exit and the close box first ask each open editor with changes, in the order they were opened, as
// its own close does: a Cancel closes nothing, a No drops nothing until the program ends, and a save
// that opens the re-rating of the course keeps the program open for it.
TEST_F(MainScreen, EndingAsksEachOpenEditorWithChanges) {
    auto f = Open();
    f->cmdCourse_Click();
    f->cmdSetup_Click();
    auto* course = f->findChild<frmCourseSetup*>();
    auto* setup = f->findChild<frmSystemSetup*>();
    ASSERT_TRUE(course && setup);
    course->cboCourseName->setCurrentIndex(0);
    course->cboCourseName_Click();
    course->spTB->SetCellText(3, 1, "130");
    Q_EMIT course->spTB->Change(3, 1);
    setup->optStyle_1->setChecked(true);
    const QStringList questions = {"Do you want to save the changes to the current course?",
                                   "Entries for the Setup have changed.\n\rSave the changes?"};
    for (const bool exitButton : {false, true}) {
        test::ScriptedMsgBox boxes({exitButton ? vbYes : vbNo, exitButton ? vbNo : vbCancel});
        exitButton ? f->cmdExit_Click() : void(f->close());
        EXPECT_EQ(boxes.Texts(), questions);
        EXPECT_TRUE(f->isVisible() && course->isVisible() && setup->isVisible());
        EXPECT_TRUE(setup->bChanged);
        EXPECT_EQ(ended, 0);
    }
    EXPECT_EQ(TestDb().Scalar("SELECT MSL FROM COURSES").toString().left(3), "130");
    test::ScriptedMsgBox boxes({vbNo});
    f->cmdExit_Click();
    EXPECT_EQ(boxes.Texts(), questions.mid(1));
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(TestDb().Scalar("SELECT LABEL_STYLE FROM SETUP").toString(), "2");
}

// "Ms." on a new round, or on a stored one, sets the default index only for the player's first
// four games; the shown index and course handicap are the round's own figures.
TEST_F(MainScreen, TheGenderOfANewRoundSetsOnlyADefaultIndex) {
    const struct {
        int rounds;
        bool followsGender;
        bool stored = false;  // the newest stored round, in place of a new one
    } cases[] = {{10, false}, {2, true}, {2, true, true}};
    for (const auto& c : cases) {
        TestDb().Execute("DELETE FROM INDIV_SCORES");
        StoredRounds(c.rounds);
        test::ScriptedMsgBox boxes;
        auto f = Open();
        SelectPlayer(*f, 7);
        ChooseCourse(*f);
        if (!c.stored) f->cmdNewGame_Click();
        const QString before = f->lblHI[1]->text(), beforeHcp = f->lblCourseHcp[1]->text();
        f->optMF[1]->setChecked(true);
        const QString index = c.followsGender ? "40.4" : before;
        EXPECT_EQ(f->lblHI[1]->text(), index) << c.rounds;
        EXPECT_EQ(D(*f, 1, 1), c.followsGender ? index : IndexText(float(Stored("HCP_INDEX_US_18", 7, 10))));
        EXPECT_EQ(f->lblCourseHcp[1]->text(), c.followsGender ? "40" : beforeHcp) << c.rounds;
        TypeGross(*f, 5);
        EXPECT_EQ(f->lblHI[1]->text(), index) << "typing shows the same round's figures, " << c.rounds;
    }
}

// The score-card and handicap screens choose courses and tee boxes of their own (and write the shared
// choice variables as they do): the main screen keeps its round, its figures, and asks nothing.
TEST_F(MainScreen, AScreenOpenedFromTheMainScreenLeavesItsRoundAsItWas) {
    StoredRounds(3);
    test::AddCourse(2, "Oaks", 140, "70.0");
    const std::vector<std::pair<const char*, std::function<int(QWidget*)>>> screens = {
        {"score cards",
         [](QWidget* parent) {
             frmScoreCard s(Ctx(), parent);
             s.show();
             s.cboCourse->setCurrentIndex(s.cboCourse->findData(2));
             s.cboTeeBoxM->setCurrentIndex(1);
             s.close();
             return 0;
         }},
        {"handicaps", [](QWidget* parent) {
             frmHandicap h(Ctx(), parent);
             h.show();
             h.cboCourse->setCurrentIndex(h.cboCourse->findData(2));
             h.cboTeeBox->setCurrentIndex(1);
             h.close();
             return h.nReturnCode;
         }}};
    for (const auto& [name, run] : screens) {
        SCOPED_TRACE(name);
        test::ScriptedMsgBox boxes;
        auto f = Open();
        SelectPlayer(*f, 7);
        auto shown = [&f] {
            return QStringList{f->cboCourse->currentText(), f->cboTeeBox->currentText(), f->lblHI[1]->text(),
                               f->lblCourseHcp[1]->text(), f->lblCurrIndex[1]->text()};
        };
        const QStringList before = shown();
        f->ShowScoreCard = [&f, &run] { return run(f.get()); };
        f->ShowHandicap = f->ShowScoreCard;
        name == std::string("score cards") ? f->cmdScoreCard_Click() : f->cmdHandicaps_Click();
        const int theirs = boxes.Count();  // the opened screen's own messages
        f->optMF_Click(0);
        f->cboTeeBox_Click();
        EXPECT_EQ(shown(), before);
        f->ShowHandicap = nullptr;
        f->cmdHandicaps_Click();
        EXPECT_EQ(boxes.Count(), theirs) << boxes.Texts().join("|").toStdString();
    }
}

// Game 3 is on a tee box without pars, with putts and pars of its own. Reached with the bar from
// either side, it is shown whole before its warning comes, once; a second page (the bar's repeat),
// another game number, player or a save asked for while the warning is open starts nothing, and
// nothing counts as changed. A score typed there is stored with the round's own putts and pars
// (Yes), or dropped (No).
TEST_F(MainScreen, ARoundIsShownWholeBeforeItsWarningAndNothingEntersIt) {
    test::AddCourse(2, "Bare", 113, "72.0", QString(18, '0'));
    for (int g = 1; g <= 5; ++g) test::AddRound(7, g, QDate(2024, 1, g), 4 + g % 3, g == 3 ? 2 : 1);
    TestDb().Execute("UPDATE INDIV_SCORES SET PAR=?, PUTTS=? WHERE GAME_NUMBER=3",
                     {QString(18, '0'), QString(" 1").repeated(18)});
    ResynchAllScores(TestDb());
    for (const int from : {4, 2}) {
        SCOPED_TRACE(from);
        const QString game3 = test::RoundRows(7, "GS01, GS02, PUTTS, PAR")[2];
        auto f = Open();
        SelectPlayer(*f, 7);
        f->RecBar->setValue(from);
        QStringList texts;
        int answer = vbOK;
        SetMsgBoxResponder([&](const QString& text, int, const QString&) {
            texts << text;
            if (text.startsWith("No Pars")) {
                EXPECT_EQ(f->round.StoredGame(), 3);
                EXPECT_EQ(f->spISC->CellText(1, kRowPutts), "1") << "the round is whole before its warning";
                EXPECT_EQ(f->spISC->CellText(1, kRowPar), "0");
                f->RecBar->setValue(from == 4 ? 2 : 4);
                f->txtRecNum->setText("1");
                SelectPlayer(*f, 8);
                EXPECT_FALSE(f->cmdSave_Click());
                return int(vbOK);
            }
            return answer;
        });
        f->RecBar->setValue(3);
        EXPECT_EQ(texts.size(), 1) << texts.join("|").toStdString();
        EXPECT_EQ(f->round.StoredGame(), 3);
        EXPECT_EQ(f->RecBar->value(), 3);
        EXPECT_EQ(f->cboPlayer->currentData().toInt(), 7);
        f->Save_Check();
        EXPECT_FALSE(f->round.Changed());

        // Yes from above into hole 1, No from below into hole 2.
        answer = from == 4 ? vbYes : vbNo;
        const int hole = from == 4 ? 1 : 2;
        f->SetHoleText(kRowGross, hole, "9");
        f->Calc_Row_Scores(kRowGross);
        f->RecBar->setValue(from);
        EXPECT_EQ(texts.size(), 2) << texts.join("|").toStdString();
        EXPECT_EQ(texts.last(), QString("The Hole %1 score has changed.\n\rSave changes?").arg(hole));
        EXPECT_EQ(f->round.StoredGame(), answer == vbYes ? 3 : from);
        QStringList typed = game3.split(' ');
        if (answer == vbYes) typed[hole - 1] = "9";
        EXPECT_EQ(test::RoundRows(7, "GS01, GS02, PUTTS, PAR")[2], typed.join(' '));
        SetMsgBoxResponder(nullptr);
    }
}

// The HCP row holds the holes' ranks: nothing is summed beside them, on a stored round, after a save
// and on a tee box without hole handicaps, while yards and pars are totalled.
TEST_F(MainScreen, TheHcpRowHasNoTotals) {
    StoredRounds(2);
    test::AddCourse(2, "Plain");
    TestDb().Execute("UPDATE COURSES SET MHCP='' WHERE COURSE_ID=2");
    test::ScriptedMsgBox boxes({}, vbOK);
    auto f = Open();
    SelectPlayer(*f, 7);
    const auto totals = [&f](int row) {
        return QStringList{f->spISC->CellText(kColOut, row), f->spISC->CellText(kColIn, row),
                           f->spISC->CellText(kColTot, row)}
            .join('|');
    };
    EXPECT_EQ(totals(kRowHcp), "||");
    EXPECT_EQ(totals(kRowYards), "3600|3600|7200");
    EXPECT_EQ(totals(kRowPar), "36|36|72");
    f->SetHoleText(kRowGross, 1, "9");
    ASSERT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();
    EXPECT_EQ(totals(kRowHcp), "||") << "after a save";
    f->cboCourse->setCurrentIndex(f->cboCourse->findData(2));
    EXPECT_EQ(f->spISC->CellText(1, kRowHcp), "0");
    EXPECT_EQ(totals(kRowHcp), "||") << "no old sums beside a tee box without hole handicaps";
}

// A woman chosen after a man's round on a tee box without women's figures: her own round on a rated
// tee box comes without a warning; her round on the other one warns once, and so does a new round
// of a woman without rounds there (her own gender's figures), and a second tee box of that round.
TEST_F(MainScreen, OnlyTheTeeBoxOfTheRoundShownIsWarnedAboutOnce) {
    test::AddCourse(2, "Black", 130, "74.0");
    TestDb().Execute("UPDATE COURSES SET WSL='000000000000', WCR='00.000.000.000.0' WHERE COURSE_ID=2");
    test::AddPlayer(9, "BROWN", "Cy", "F");
    test::AddRound(7, 1, QDate(2024, 1, 1), 5, 2, 74.0, 130);
    test::AddRound(8, 1, QDate(2024, 1, 2), 5, 2, 0, 0);
    test::AddRound(8, 2, QDate(2024, 1, 3), 5, 1);
    ResynchAllScores(TestDb());
    test::ScriptedMsgBox boxes({}, vbOK);
    auto f = Open();
    SelectPlayer(*f, 7);
    SelectPlayer(*f, 8);
    EXPECT_EQ(f->cboCourse->currentData().toInt(), 1);
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
    f->RecBar->setValue(1);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().startsWith("No Slope")) << boxes.Last().toStdString();
    f->RecBar->setValue(2);
    f->RecBar->setValue(1);
    SelectPlayer(*f, 7);
    EXPECT_EQ(boxes.Count(), 1) << boxes.Texts().join("|").toStdString();
    SelectPlayer(*f, 9);
    EXPECT_EQ(f->round.TeeSlope(), 0) << "her tee box's figures";
    EXPECT_EQ(boxes.Count(), 2);
    f->cboTeeBox->setCurrentIndex(1);
    EXPECT_EQ(boxes.Count(), 3) << "a second tee box of the round";
    f->cboTeeBox->setCurrentIndex(0);
    EXPECT_EQ(boxes.Count(), 3);
}

// Keep same carries the round saved last, whichever question saved it; ticked only after a save, it
// carries that save's date too. On a tee box without pars each new round warns, once.
TEST_F(MainScreen, KeepSameCarriesTheRoundSavedLastHoweverItWasSaved) {
    StoredRounds(2);
    test::AddCourse(2, "Bare", 113, "72.0", QString(18, '0'));
    const std::vector<std::pair<const char*, std::function<void(frmMainGolf&)>>> saves = {
        {"Save", [](frmMainGolf& f) { f.cmdSave_Click(); }},
        {"New's question", [](frmMainGolf& f) { f.cmdNewGame_Click(); }},
        {"the bar's question", [](frmMainGolf& f) { f.RecBar->setValue(1); }},
        {"the statistics' question", [](frmMainGolf& f) { f.cmdStats_Click(); }}};
    for (const auto& [name, save] : saves) {
        SCOPED_TRACE(name);
        test::ScriptedMsgBox boxes({}, vbYes);
        auto f = Open();
        f->ShowStats = nullptr;
        SelectPlayer(*f, 7);
        f->chkKeepSame->setChecked(true);
        f->cmdNewGame_Click();
        f->cboCourse->setCurrentIndex(f->cboCourse->findData(2));
        f->mskDate->SetText(FormatLocalDate(QDate(2024, 5, 2), Ctx().sDateFormat));
        TypeGross(*f, 5);
        save(*f);
        ASSERT_EQ(test::RoundCount(7), 3) << boxes.Texts().join("|").toStdString();
        if (!f->round.IsNew()) f->cmdNewGame_Click();  // New's own question starts it
        EXPECT_EQ(f->mskDate->Text(), FormatLocalDate(QDate(2024, 5, 2), Ctx().sDateFormat));
        EXPECT_EQ(f->cboCourse->currentData().toInt(), 2);
        EXPECT_EQ(boxes.Texts().filter("No Pars").size(), 2) << "one warning per new round";
        TestDb().Execute("DELETE FROM INDIV_SCORES WHERE GAME_NUMBER=3");
    }
    test::ScriptedMsgBox boxes({}, vbYes);
    auto f = Open();
    SelectPlayer(*f, 7);
    f->cmdNewGame_Click();
    f->mskDate->SetText(FormatLocalDate(QDate(2024, 5, 3), Ctx().sDateFormat));
    TypeGross(*f, 5);
    ASSERT_TRUE(f->cmdSave_Click());
    f->chkKeepSame->setChecked(true);
    f->cmdNewGame_Click();
    EXPECT_EQ(f->mskDate->Text(), FormatLocalDate(QDate(2024, 5, 3), Ctx().sDateFormat))
        << "ticked after the save";
}

// A question that would drop typed work keeps it on Escape or the close box (Cancel): the player
// question and the game number's on a new round; No there, or to the bar's question, leaves the new
// round for the game asked.
TEST_F(MainScreen, CancelOnAQuestionKeepsTheTypedWork) {
    StoredRounds(3);
    test::ScriptedMsgBox boxes({vbCancel, vbNo, vbCancel, vbNo});
    auto f = Open();
    SelectPlayer(*f, 7);
    f->SetHoleText(kRowGross, 1, "9");
    SelectPlayer(*f, 8);  // a wheel turn over the player box
    EXPECT_EQ(boxes.Styles().back(), vbYesNoCancel + vbQuestion);
    EXPECT_EQ(f->cboPlayer->currentData().toInt(), 7);
    EXPECT_EQ(f->round.StoredGame(), 3);
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "9");
    f->cmdNewGame_Click();  // No: the edit dropped
    TypeGross(*f, 6);
    f->txtRecNum->setText("2");
    EXPECT_EQ(boxes.Styles().back(), vbYesNoCancel + vbQuestion);
    EXPECT_EQ(f->txtRecNum->text(), "New");
    EXPECT_EQ(f->spISC->CellText(kColTot, kRowGross), "108");
    f->txtRecNum->setText("2");
    EXPECT_EQ(f->round.StoredGame(), 2) << "No leaves the new round";
    f->cmdNewGame_Click();
    TypeGross(*f, 6);
    boxes.Push(vbNo);
    f->RecBar->setValue(1);
    EXPECT_EQ(boxes.Last(), "The data has changed.\n\rSave changes?");
    EXPECT_EQ(f->round.StoredGame(), 1) << "No to the bar's question leaves the new round too";
    EXPECT_EQ(f->txtRecNum->text(), " 1");
    EXPECT_EQ(test::RoundCount(7), 3);
}

// A stored round keeps its own tee box slot though its course has no tee box there (any more);
// moved to another course's empty slot or to another empty slot, it is refused as a new round is.
TEST_F(MainScreen, AStoredRoundKeepsItsOwnTeeBoxSlot) {
    StoredRounds(1);
    test::AddCourse(3, "Wide");
    TestDb().Execute("UPDATE INDIV_SCORES SET TEE_BOX_ID=2");
    test::ScriptedMsgBox boxes({}, vbOK);
    auto f = Open();
    SelectPlayer(*f, 7);
    ASSERT_EQ(f->cboTeeBox->currentIndex(), 2);
    f->SetHoleText(kRowGross, 1, "9");
    EXPECT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();
    f->cboCourse->setCurrentIndex(f->cboCourse->findData(3));
    ASSERT_EQ(f->cboTeeBox->currentIndex(), 2);
    EXPECT_FALSE(f->cmdSave_Click());
    EXPECT_EQ(boxes.Last(), "A Tee Box must be selected.");
    f->cboCourse->setCurrentIndex(f->cboCourse->findData(1));
    f->cboTeeBox->setCurrentIndex(3);
    EXPECT_FALSE(f->cmdSave_Click());
    EXPECT_EQ(boxes.Last(), "A Tee Box must be selected.");
    EXPECT_EQ(test::RoundRows(7, "COURSE_ID, TEE_BOX_ID, GS01"), QStringList{"1 2 9"});
}

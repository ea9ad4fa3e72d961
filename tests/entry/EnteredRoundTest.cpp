// The round being entered on the main screen, driven offscreen: it stays new until it is stored
// whatever the game-number box says, it takes only its own player's caps and course handicap, the
// keyboard is where the highlight is after New, carried values are no change, a tee box lacking its
// values warns once per round, stored costs compare as their boxes show them, and holes left empty
// are saved only after a question whose buttons say what they do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <vector>

#include "MainScreenFixture.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Val.h"
#include "shell/DateFormat.h"

using namespace dc;

namespace {

class EnteredRound : public test::MainScreenFixture {
  protected:
    // Hole h scores 3 + h % 4 (front 4 5 6 3 ..., back unlike it), so that a swap of holes shows.
    static int Gross(int hole) { return 3 + hole % 4; }
    static void TypeDistinctGross(frmMainGolf& f) {
        for (int h = 1; h <= 18; ++h) f.SetHoleText(kRowGross, h, QString::number(Gross(h)));
        f.Calc_Row_Scores(kRowGross);
    }
    static void SetDate(frmMainGolf& f, const QDate& d) {
        f.mskDate->SetText(FormatLocalDate(d, Ctx().sDateFormat));
    }
    static void Activate(frmMainGolf& f) {
        QApplication::setActiveWindow(&f);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    }
    // Types into whatever has the keyboard, as a golfer does.
    static void Type(const QString& keys) {
        for (QChar ch : keys) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    }
    static QRect CellRect(frmMainGolf& f, int col, int row) {
        return f.spISC->visualRect(f.spISC->model()->index(row - 1, col - 1));
    }
};

}  // namespace

// A player without rounds, a round typed in full, a digit typed into "Game #" and No to the save
// question: the round stays new (the box says "New" again), so Save adds it; what the screen then
// shows as stored is read back from the database. Yes saves it at once.
TEST_F(EnteredRound, AGameNumberThatNamesNoStoredRoundNeverMakesANewRoundAnUpdate) {
    const struct {
        const char* typed;
        bool selectAll;
        int answer;
    } cases[] = {
        {"1", true, vbNo}, {"1", false, vbNo}, {"0", true, vbNo}, {"99", true, vbNo}, {"1", true, vbYes}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.selectAll ? " over New" : " after New") +
                     (c.answer == vbYes ? " Yes" : " No"));
        TestDb().Execute("DELETE FROM INDIV_SCORES");
        test::ScriptedMsgBox boxes({}, c.answer);
        auto f = Open();
        SelectPlayer(*f, 7);
        ChooseCourse(*f);
        SetDate(*f, QDate(2024, 5, 31));  // the last day of a month
        TypeDistinctGross(*f);
        f->txtRecNum->setFocus();
        if (c.selectAll) f->txtRecNum->selectAll();
        QTest::keyClicks(f->txtRecNum, c.typed);
        ASSERT_GE(boxes.Count(), 1);
        EXPECT_EQ(boxes.Texts()[0], "The data has changed.\n\rSave the changes?");
        if (c.answer == vbNo) {
            EXPECT_EQ(f->round.IsNew(), 1);
            EXPECT_EQ(f->txtRecNum->text(), "New");
            EXPECT_EQ(f->spISC->CellText(kColTot, kRowGross), "81") << "the scores stay";
            EXPECT_EQ(test::RoundCount(7), 0);
            f->Save_Check();
            EXPECT_EQ(f->round.Changed(), 1) << "leaving it would still ask";
            // Nothing stored stands behind it: no deleting, and Save adds it.
            f->cmdDeleteGame_Click();
            EXPECT_EQ(boxes.Last(), "This is a 'New' game and cannot be deleted.");
            ASSERT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();
        }
        ASSERT_EQ(test::RoundCount(7), 1) << boxes.Texts().join("|").toStdString();
        EXPECT_EQ(f->round.IsNew(), 0);
        EXPECT_EQ(f->txtRecNum->text(), " 1");
        EXPECT_EQ(f->lblCurrIndex[1]->text(), "36.4");
        QStringList gross;
        for (int h = 1; h <= 18; ++h) gross << QString::number(Gross(h));
        EXPECT_EQ(test::RoundRows(7, "GAME_NUMBER,ROUND_DATE,GSF9,GSB9,GSTOTAL,RND_GAME_ID"),
                  QStringList{QString("1 2024-05-31 40 41 81 %1").arg(f->round.StoredRndGameId())});
        EXPECT_EQ(test::RoundRows(7,
                                  "GS01,GS02,GS03,GS04,GS05,GS06,GS07,GS08,GS09,GS10,GS11,GS12,GS13,GS14,"
                                  "GS15,GS16,GS17,GS18"),
                  QStringList{gross.join(" ")});
        // Shown as stored, so another player is chosen without a question.
        const int asked = boxes.Count();
        SelectPlayer(*f, 8);
        EXPECT_EQ(boxes.Count(), asked) << boxes.Last().toStdString();
    }
}

// O'Brien's newest round is capped at 7 a hole; the player chosen next has no rounds. His new round
// is capped by his own course handicap on his own gender's slope, which shows at once, and is stored
// so. Without a player or a course nothing is allowed or capped.
TEST_F(EnteredRound, ANewPlayersRoundTakesOnlyHisOwnCapsAndCourseHandicap) {
    test::AddCourse(2, "Hollow", 113, "72.0", "5" + QString(17, '4'), 130);  // women's slope 130
    test::AddPlayer(5, "O'BRIEN", "Sean", "M");
    test::AddPlayer(9, "DANIELS", "Dan", "M");
    for (int g = 1; g <= 6; ++g) test::AddRound(5, g, QDate(2024, 1, g), 5, 2);
    ResynchAllScores(TestDb());
    const struct {
        int player;
        QString courseHcp, allowUs, allowCa;
        int slope;
        QString nineUs, nineCa;  // each nine's, by the nine-hole tables (nine course handicap 18, 23)
    } cases[] = {{9, "36", "9", "+4", 113, "9", "+3"}, {8, "46", "10", "+4", 130, "10", "+4"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.player);
        TestDb().Execute("DELETE FROM INDIV_SCORES WHERE PLAYER_ID<>5");
        test::ScriptedMsgBox boxes;
        auto f = Open();
        SelectPlayer(*f, 5);
        ASSERT_EQ(f->round.StoredGame(), 6);
        EXPECT_EQ(f->lblAllowScore[1]->text(), "7") << "O'Brien's course handicap 17";
        SelectPlayer(*f, c.player);
        EXPECT_EQ(f->txtRecNum->text(), "New");
        EXPECT_EQ(f->lblAllowScore[1]->text(), c.allowUs);
        EXPECT_EQ(f->lblCourseHcp[1]->text(), c.courseHcp) << "shown before the round is saved";
        EXPECT_FALSE(f->lblCourseHcp[1]->isHidden());
        EXPECT_EQ(f->round.AllowScoreText(CA_18 + 1), c.allowCa);
        SetDate(*f, QDate(2024, 3, 1));
        f->SetHoleText(kRowGross, 1, "8");  // par 5: over O'Brien's 7, under the new player's cap
        for (int h = 2; h <= 18; ++h) f->SetHoleText(kRowGross, h, "5");
        f->Calc_Row_Scores(kRowGross);
        EXPECT_EQ(f->lblAdjScore[1]->text(), "93");
        f->opt189[2]->setChecked(true);
        for (int rules : {1, 2}) {
            f->optUSCan[rules]->setChecked(true);
            for (int k = 1; k <= 2; ++k)
                EXPECT_EQ(f->lblAllowScore[k]->text(), rules == 1 ? c.nineUs : c.nineCa) << rules << " " << k;
        }
        f->optUSCan[1]->setChecked(true);
        f->opt189[1]->setChecked(true);
        ASSERT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();
        EXPECT_EQ(test::RoundRows(c.player, "GSTOTAL,ADJSCR_US_18,ADJSCR_CA_18,SLOPE_RATING"),
                  QStringList{QString("93 93 93 %1").arg(c.slope)});
        EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
    }

    // A man's new round switched to "Ms." is played off the women's slope.
    test::ScriptedMsgBox boxes;
    TestDb().Execute("DELETE FROM INDIV_SCORES WHERE PLAYER_ID<>5");
    auto f = Open();
    SelectPlayer(*f, 5);
    SelectPlayer(*f, 9);
    f->optMF[1]->setChecked(true);
    EXPECT_EQ(f->lblCourseHcp[1]->text(), "46");
    EXPECT_EQ(f->lblAllowScore[1]->text(), "10");
    EXPECT_EQ(f->round.TeeSlope(), 130);

    // No player, or no course: nothing allowed, nothing capped, no course handicap.
    auto g = Open();
    EXPECT_EQ(g->lblAllowScore[1]->text(), "") << "nobody chosen";
    SelectPlayer(*g, 9);
    TypeDistinctGross(*g);
    EXPECT_EQ(g->lblAllowScore[1]->text(), "") << "no course chosen";
    EXPECT_EQ(g->lblAdjScore[1]->text(), "");
    EXPECT_EQ(g->lblCourseHcp[1]->text(), "");
    g->cboCourse->setCurrentIndex(g->cboCourse->findData(2));
    EXPECT_EQ(g->lblAllowScore[1]->text(), "9");
    EXPECT_EQ(g->lblCourseHcp[1]->text(), "36");
    EXPECT_EQ(g->lblAdjScore[1]->text(), "81");
    test::ScriptedModal closeEditor([](QDialog&) { return 0; });
    boxes.Push(vbNo);
    g->cmdNewPlayer_Click();  // Add, the editor closed with no player chosen
    g->cboPlayer->setCurrentIndex(-1);
    EXPECT_EQ(g->lblAllowScore[1]->text(), "") << "no player";
    EXPECT_EQ(g->lblCourseHcp[1]->text(), "");
}

// With "Keep same" ticked New puts the keyboard on hole 1; without it on the date. A click into a
// score cell right after New, and Cancel on the exit question, leave the keyboard in the grid.
TEST_F(EnteredRound, AfterNewTheKeysGoWhereTheHighlightIs) {
    StoredRounds(2);
    test::ScriptedMsgBox boxes({}, vbCancel);
    auto f = Open();
    Activate(*f);
    SelectPlayer(*f, 7);
    f->chkKeepSame->setChecked(true);
    f->bKeepSame = true;
    f->sKeepDate = FormatLocalDate(QDate(2024, 5, 1), Ctx().sDateFormat);
    f->nKeepCourseID = 1;
    f->nKeepTeeBox = 0;
    QTest::mouseClick(f->cmdNewGame, Qt::LeftButton);
    ASSERT_EQ(f->txtRecNum->text(), "New");
    EXPECT_EQ(QApplication::focusWidget(), f->spISC);
    Type("6");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    Type("7");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f->spISC->CellText(1, kRowGross), "6");
    EXPECT_EQ(f->spISC->CellText(2, kRowGross), "7");
    EXPECT_EQ(f->txtRecNum->text(), "New") << "no digit reached the game number";

    // Exit, Cancel: typing goes on in the grid.
    Type("8");
    QTest::mouseClick(f->cmdExit, Qt::LeftButton);
    EXPECT_EQ(boxes.Last(), "The data has changed.\n\rSave the changes before exiting?");
    EXPECT_EQ(ended, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    Type("4");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f->spISC->CellText(3, kRowGross), "8");
    EXPECT_EQ(f->spISC->CellText(4, kRowGross), "4");

    // Without keep-same: the date box; a click into a cell at once takes the keys there.
    SetDate(*f, QDate(2024, 5, 2));
    for (int h = 5; h <= 18; ++h) f->SetHoleText(kRowGross, h, "5");
    f->Calc_Row_Scores(kRowGross);
    ASSERT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();
    f->chkKeepSame->setChecked(false);
    QTest::mouseClick(f->cmdNewGame, Qt::LeftButton);
    ASSERT_EQ(f->txtRecNum->text(), "New");
    EXPECT_EQ(QApplication::focusWidget(), f->mskDate);
    QTest::mouseClick(f->spISC->viewport(), Qt::LeftButton, {},
                      CellRect(*f, HoleColumn(5), kRowGross).center());
    Type("3");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f->spISC->CellText(HoleColumn(5), kRowGross), "3");
    EXPECT_EQ(f->mskDate->Text(), FormatLocalDate(test::kToday, Ctx().sDateFormat));
}

// "Use for Tournament" and a kept date carried to a new round are no change: another player, History
// and Add ask nothing. Changing the tick back is a change.
TEST_F(EnteredRound, WhatIsCarriedToANewRoundIsNoChange) {
    StoredRounds(2);
    test::ScriptedMsgBox boxes({vbNo});
    auto f = Open();
    SelectPlayer(*f, 7);
    f->chkUseTourn->setChecked(true);
    f->chkKeepSame->setChecked(true);
    f->bKeepSame = true;
    f->sKeepDate = FormatLocalDate(QDate(2024, 5, 1), Ctx().sDateFormat);
    f->cmdNewGame_Click();
    ASSERT_EQ(boxes.Count(), 1) << "the stored round's tick changed: asked, No";
    ASSERT_EQ(f->txtRecNum->text(), "New");
    EXPECT_TRUE(f->chkUseTourn->isChecked()) << "the tick is carried";
    f->ShowGameList = nullptr;
    f->cmdGameList_Click();
    SelectPlayer(*f, 8);
    EXPECT_EQ(boxes.Count(), 1) << boxes.Last().toStdString();
    EXPECT_TRUE(f->chkUseTourn->isChecked());
    test::ScriptedModal closeEditor([](QDialog&) { return 0; });
    f->cmdNewPlayer_Click();
    EXPECT_EQ(boxes.Count(), 1) << boxes.Last().toStdString();
    EXPECT_EQ(closeEditor.Count(), 1);

    SelectPlayer(*f, 8);
    f->chkUseTourn->setChecked(false);
    f->Save_Check();
    EXPECT_EQ(f->round.Changed(), 1) << "a tick the golfer changed";
}

// A tee box without slope, rating and pars warns once for each round it is chosen for: not again
// when the round is saved, paged away from and back to, or its course reselected by the paging.
TEST_F(EnteredRound, ATeeBoxLackingItsValuesWarnsOncePerRound) {
    test::AddCourse(2, "Bare", 0, "00.0", QString(18, '0'));
    test::AddRound(7, 1, QDate(2024, 1, 1), 5, 2, 0.0, 0);
    test::AddRound(7, 2, QDate(2024, 1, 2), 5, 1);
    ResynchAllScores(TestDb());
    test::ScriptedMsgBox boxes;
    auto f = Open();
    SelectPlayer(*f, 7);
    EXPECT_EQ(boxes.Count(), 0);
    f->RecBar->setValue(1);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().startsWith("No Slope was provide for this Tee Box."))
        << boxes.Last().toStdString();
    EXPECT_EQ(boxes.Styles().back(), vbExclamation);
    f->RecBar->setValue(2);
    f->RecBar->setValue(1);
    f->SetHoleText(kRowGross, 1, "6");
    f->Calc_Row_Scores(kRowGross);
    ASSERT_TRUE(f->cmdSave_Click());
    EXPECT_EQ(boxes.Count(), 1) << boxes.Texts().join("|").toStdString();

    // A new round on it: chosen once, warned once, saved without another.
    f->cmdNewGame_Click();
    f->cboCourse->setCurrentIndex(f->cboCourse->findData(1));
    f->cboCourse->setCurrentIndex(f->cboCourse->findData(2));
    EXPECT_EQ(boxes.Count(), 2);
    SetDate(*f, QDate(2024, 2, 1));
    TypeDistinctGross(*f);
    ASSERT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();
    EXPECT_EQ(boxes.Count(), 2) << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(test::RoundCount(7), 3);
}

// A stored game cost of 10.005 shows as 10.01: leaving the round asks nothing.
TEST_F(EnteredRound, AStoredCostComparesAsItsBoxShowsIt) {
    StoredRounds(2);
    TestDb().Execute("UPDATE INDIV_SCORES SET GAME_COST=10.005, CART_COST=2.675 WHERE GAME_NUMBER=2");
    test::ScriptedMsgBox boxes;
    auto f = Open();
    SelectPlayer(*f, 7);
    EXPECT_EQ(f->txtGameCost->text(), FixedText(10.005, 2));
    f->RecBar->setValue(1);
    f->RecBar->setValue(2);
    SelectPlayer(*f, 8);
    f->cmdExit_Click();
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(ended, 1);
}

// Holes left empty in a played nine are saved only after a question; No goes to the first of them.
// A nine left wholly empty is a nine-hole round and asks nothing.
TEST_F(EnteredRound, EmptyHolesInAPlayedNineAskBeforeSaving) {
    const struct {
        std::vector<int> emptyHoles;
        int answer;
        QString question;
        bool saved;
    } cases[] = {
        {{8, 9},
         vbNo,
         "Holes 8, 9 have no score. Under the handicap rules a hole not played is scored as par plus any "
         "handicap strokes: enter those scores, or save the round as it is?",
         false},
        {{12},
         vbYes,
         "Hole 12 has no score. Under the handicap rules a hole not played is scored as par plus any "
         "handicap strokes: enter that score, or save the round as it is?",
         true},
        {{10, 11, 12, 13, 14, 15, 16, 17, 18}, vbNo, "", true},
    };
    for (const auto& c : cases) {
        TestDb().Execute("DELETE FROM INDIV_SCORES");
        test::ScriptedMsgBox boxes({c.answer});
        auto f = Open();
        SelectPlayer(*f, 7);
        ChooseCourse(*f);
        TypeGross(*f, 5);
        for (int h : c.emptyHoles) f->SetHoleText(kRowGross, h, QString());
        EXPECT_EQ(f->cmdSave_Click(), c.saved) << c.emptyHoles.front();
        if (c.question.isEmpty()) {
            EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
        } else {
            EXPECT_EQ(boxes.Last(), c.question);
            // The buttons say which answer does what: Yes saves, No goes to the hole.
            EXPECT_EQ(boxes.Buttons().back(),
                      (QStringList{"&Save As It Is",
                                   c.emptyHoles.size() == 1 ? "&Enter the Score" : "&Enter the Scores"}));
        }
        EXPECT_EQ(test::RoundCount(7), c.saved ? 1 : 0);
        if (!c.saved) {
            EXPECT_EQ(f->spISC->ActiveCol(), HoleColumn(c.emptyHoles.front()));
        }
    }
}

// Keep same reaches a player without rounds: his new round has the kept date, course and tee box,
// New works for him, the keys go to hole 1 and the round is stored on the kept date. Before the
// first save of a run, New with Keep same puts the keys on the date and highlights no hole.
TEST_F(EnteredRound, KeepSameReachesAPlayerWithoutRounds) {
    StoredRounds(2);
    test::ScriptedMsgBox boxes({}, vbYes);
    auto f = Open();
    Activate(*f);
    SelectPlayer(*f, 7);
    f->chkKeepSame->setChecked(true);
    QTest::mouseClick(f->cmdNewGame, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), f->mskDate) << "nothing kept yet";
    EXPECT_FALSE(f->spISC->selectionModel()->hasSelection()) << "no hole looks highlighted";
    SetDate(*f, QDate(2024, 5, 12));
    TypeDistinctGross(*f);
    ASSERT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();

    SelectPlayer(*f, 8);  // no rounds
    const QString kept = FormatLocalDate(QDate(2024, 5, 12), Ctx().sDateFormat);
    EXPECT_EQ(f->mskDate->Text(), kept);
    EXPECT_EQ(f->cboCourse->currentData().toInt(), 1);
    EXPECT_EQ(f->cboTeeBox->currentIndex(), 0);
    f->cboPlayer->setFocus();
    QTest::mouseClick(f->cmdNewGame, Qt::LeftButton);
    EXPECT_EQ(f->mskDate->Text(), kept) << "New works for him";
    ASSERT_EQ(QApplication::focusWidget(), f->spISC);
    EXPECT_TRUE(f->spISC->selectionModel()->isSelected(f->spISC->model()->index(kRowGross - 1, 0)));
    Type("6");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    Type("7");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (int h = 3; h <= 18; ++h) f->SetHoleText(kRowGross, h, "5");
    ASSERT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();
    EXPECT_EQ(test::RoundRows(8, "ROUND_DATE, GS01, GS02"),
              QStringList{DbDate(QDate(2024, 5, 12)) + " 6 7"});
}

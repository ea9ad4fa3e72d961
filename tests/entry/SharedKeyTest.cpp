// Two of Smith's rounds under one round key, as an older database may hold them: the main screen's
// Delete and Save act on the round shown and on no other, also after another screen renumbered them.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "MainScreenFixture.h"
#include "handicap/SaveScores.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "shell/DateFormat.h"

using namespace dc;

namespace {

class SharedKey : public test::MainScreenFixture {
  protected:
    void SetUp() override {
        MainScreenFixture::SetUp();
        // Games 1 to 5 of fives, sixes, fours, fives, sixes; games 2 and 3 share the key 4242.
        StoredRounds(5);
        TestDb().Execute(
            "UPDATE INDIV_SCORES SET RND_GAME_ID=4242 WHERE PLAYER_ID=7 AND GAME_NUMBER IN (2,3)");
    }
    static QStringList Rows() { return test::RoundRows(7, "GAME_NUMBER,GS01,GSTOTAL"); }
    std::unique_ptr<frmMainGolf> ShowGame(int game) {
        auto f = Open();
        SelectPlayer(*f, 7);
        f->txtRecNum->setText(QString::number(game));
        EXPECT_EQ(f->round.StoredGame(), game);
        return f;
    }
};

}  // namespace

TEST_F(SharedKey, DeleteRemovesOnlyTheRoundShown) {
    auto f = ShowGame(2);
    test::ScriptedMsgBox boxes({vbYes});
    f->cmdDeleteGame_Click();
    EXPECT_EQ(boxes.Texts(), QStringList{"Are you sure you want to delete this game?"});
    EXPECT_EQ(Rows(), (QStringList{"1 5 90", "2 4 72", "3 5 90", "4 6 108"}));
    EXPECT_EQ(Stored("RND_GAME_ID", 7, 2), 4242);
    // Game 3 (now 2) keeps its scores and the figures a recomputation gives it.
    const QStringList after = test::RoundRows(7, "GAME_NUMBER,ADJSCR_US_18,HCP_INDEX_US_18");
    ResynchAllScores(TestDb());
    EXPECT_EQ(test::RoundRows(7, "GAME_NUMBER,ADJSCR_US_18,HCP_INDEX_US_18"), after);
}

// A correction saved to game 2 is stored on game 2 only: shown as it was loaded, after a round dated
// before both moved them to games 3 and 4 while the correction was typed, and (then game 3) with a
// date that moves it past the other round of its key, which takes its old number: the saved round is
// found again by its row and shown.
TEST_F(SharedKey, SaveStoresTheCorrectionOnTheRoundShownOnly) {
    const struct {
        const char* name;
        int game;
        bool renumbered;
        QDate date;  // a new date; invalid: the date stays
        int shown, other;
    } cases[] = {{"as loaded", 2, false, {}, 2, 3},
                 {"renumbered", 2, true, {}, 3, 4},
                 {"moved by its date", 3, false, QDate(2024, 1, 10), 6, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto f = ShowGame(c.game);
        test::ScriptedMsgBox boxes;
        f->SetHoleText(kRowGross, 1, "9");
        f->Calc_Row_Scores(kRowGross);
        if (c.date.isValid()) f->mskDate->SetText(FormatLocalDate(c.date, Ctx().sDateFormat));
        if (c.renumbered) {
            test::AddRound(7, 6, QDate(2023, 12, 1), 5);
            ResynchIndivScores(TestDb(), 7);
            f->ShowWhatIsStored();
            EXPECT_EQ(f->round.StoredGame(), c.shown) << "the shown round's new number";
            EXPECT_EQ(f->spISC->CellText(1, kRowGross), "9") << "the correction is kept";
        }
        ASSERT_TRUE(f->cmdSave_Click()) << boxes.Texts().join("|").toStdString();
        EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
        EXPECT_EQ(Stored("GS01", 7, c.shown), 9);
        EXPECT_EQ(Stored("GSTOTAL", 7, c.shown), 111);
        EXPECT_EQ(Stored("GS01", 7, c.other), 4) << "the other round of the key";
        EXPECT_EQ(Stored("GSTOTAL", 7, c.other), 72);
        EXPECT_EQ(Stored("RND_GAME_ID", 7, c.other), 4242);
        EXPECT_EQ(f->round.StoredGame(), c.shown) << "the saved round is shown";
        EXPECT_EQ(f->txtRecNum->text().trimmed(), QString::number(c.shown));
    }
}

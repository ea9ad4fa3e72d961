// What a screen opened from the main screen hands back reaches the main screen's activation.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

#include "MainScreenFixture.h"
#include "platform/MsgBox.h"

using namespace dc;

using MainScreen = test::MainScreenFixture;

// A player added while another screen was open is listed only when that screen hands back the code
// that reloads the players (2 the player editor and the report screens, 3 the settings).
TEST_F(MainScreen, TheCodeAScreenHandsBackDecidesTheReload) {
    const struct {
        int code;
        bool reloaded;
    } cases[] = {{0, false}, {1, false}, {2, true}, {3, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        test::ScriptedMsgBox boxes;
        auto f = Open();
        const int listed = f->cboPlayer->count();
        f->ShowStats = [&c] {
            test::AddPlayer(20 + c.code, "NEW", "Player", "M");
            return ScreenAnswer{c.code, 0};
        };
        f->cmdStats_Click();
        EXPECT_EQ(f->cboPlayer->count(), c.reloaded ? listed + 1 : listed);
        EXPECT_EQ(f->nReturnCode, 0) << "acted on once";
    }
}

// A report screen that retrieved a round has the main screen show it (of the player it chose);
// one that retrieved none leaves the round paged to on the screen.
TEST_F(MainScreen, TheRoundAReportScreenRetrievesIsShown) {
    const struct {
        const char* name;
        int player;
        ScreenAnswer answer;
        int shownPlayer, shownGame;
    } cases[] = {
        {"retrieved", 7, {2, 2}, 7, 2},
        {"none retrieved", 7, {2, 0}, 7, 3},
        {"another player's", 8, {2, 1}, 8, 1},
    };
    StoredRounds(4);
    test::AddRound(8, 1, QDate(2024, 2, 1), 5);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedMsgBox boxes;
        auto f = Open();
        SelectPlayer(*f, 7);
        f->RecBar->setValue(3);
        ASSERT_EQ(f->round.StoredGame(), 3);
        f->ShowGameList = [&c] {
            Ctx().nCurPlayerID = c.player;
            return c.answer;
        };
        f->cmdGameList_Click();
        EXPECT_EQ(f->cboPlayer->currentData().toInt(), c.shownPlayer);
        EXPECT_EQ(f->round.StoredGame(), c.shownGame);
        EXPECT_EQ(f->txtRecNum->text().trimmed(), QString::number(c.shownGame));
        EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    }
}

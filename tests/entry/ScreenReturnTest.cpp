// What a screen opened from the main screen hands back reaches the main screen's activation.
#include <gtest/gtest.h>

#include <QComboBox>

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
            return c.code;
        };
        f->cmdStats_Click();
        EXPECT_EQ(f->cboPlayer->count(), c.reloaded ? listed + 1 : listed);
        EXPECT_EQ(f->nReturnCode, 0) << "acted on once";
    }
}

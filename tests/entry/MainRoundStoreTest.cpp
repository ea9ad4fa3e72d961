// What the main screen reads of the stored rounds, against a real database: a paged round with the
// round before it, for players with one, two and three rounds.
#include <gtest/gtest.h>

#include "EntryFixture.h"
#include "entry/MainRoundStore.h"
#include "platform/Database.h"

using namespace dc;

namespace {

class MainRoundStoreDb : public ::testing::Test {
  protected:
    void SetUp() override { folder.OpenDatabase(); }
    test::ProgramFolder folder;
};

}  // namespace

TEST_F(MainRoundStoreDb, APagedRoundComesWithTheRoundBeforeIt) {
    for (int n = 1; n <= 3; ++n) {
        const int player = 10 + n;
        test::AddPlayer(player, "P" + QString::number(n), "Pat", "M");
        for (int g = 1; g <= n; ++g) test::AddRound(player, g, QDate(2024, 1, g), 3 + g);
    }
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        const int player = 10 + n;
        EXPECT_EQ(MainRoundStore(TestDb()).RoundCount(player), n);
        EXPECT_EQ(MainRoundStore(TestDb()).MaxGameNumber(player), n);
        for (int game = 1; game <= n; ++game) {
            const std::optional<PagedRound> p = MainRoundStore(TestDb()).LoadPagedRound(player, game);
            ASSERT_TRUE(p);
            EXPECT_EQ(p->round.GAME_NUMBER, game);
            EXPECT_EQ(p->round.GS[0], 3 + game);
            ASSERT_EQ(p->previous.has_value(), game >= 2) << "game " << game;
            if (p->previous) {
                EXPECT_EQ(p->previous->GAME_NUMBER, game - 1);
                EXPECT_EQ(p->previous->GS[0], 2 + game);
            }
        }
        const std::optional<PagedRound> beyond = MainRoundStore(TestDb()).LoadPagedRound(player, 99);
        ASSERT_TRUE(beyond);
        EXPECT_EQ(beyond->round.GAME_NUMBER, n) << "a game beyond the newest gives the newest";
        EXPECT_FALSE(MainRoundStore(TestDb()).LoadPagedRound(player, 0));
        EXPECT_TRUE(MainRoundStore(TestDb()).HasRound(player, n));
        EXPECT_FALSE(MainRoundStore(TestDb()).HasRound(player, n + 1));
    }
    EXPECT_FALSE(MainRoundStore(TestDb()).HasRound(99, 0)) << "no such player";
}

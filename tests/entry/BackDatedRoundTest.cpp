// A new round dated before the player's newest: before Save the main screen shows the previous
// indexes in effect on its date and the capped scores the save then stores, whatever the date was
// when the holes were typed.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <functional>

#include "MainScreenFixture.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "shell/DateFormat.h"

using namespace dc;

namespace {

using BackDatedRound = test::MainScreenFixture;

void FrontNineOnly(int game) {
    TestDb().Execute(
        "UPDATE INDIV_SCORES SET GS10=0,GS11=0,GS12=0,GS13=0,GS14=0,GS15=0,GS16=0,GS17=0,GS18=0,GSB9=0,"
        "GSTOTAL=GSF9 WHERE PLAYER_ID=7 AND GAME_NUMBER=?",
        {game});
}

// Five rounds of nines in March and five of fours in May, on a par-72 course.
void MarchAndMay() {
    for (int g = 1; g <= 10; ++g) test::AddRound(7, g, QDate(2024, g <= 5 ? 3 : 5, g), g <= 5 ? 9 : 4);
}

}  // namespace

TEST_F(BackDatedRound, ShowsBeforeSaveTheCappedScoresItIsStoredWith) {
    const struct {
        const char* what;
        std::function<void()> rounds;  // before the recomputation of every round
        std::function<void()> after;   // what the stored rounds hold besides
        QDate date;
        bool frontOnly;           // the new round plays only the front nine
        int game;                 // its game once stored
        int prevGame;             // whose stored 18-hole index it shows as its previous index
        QString us18, nineIndex;  // its capped US 18-hole score and previous US front-nine index
    } cases[] = {
        {"among handicap rounds", MarchAndMay, [] {}, QDate(2024, 4, 1), false, 6, 5, "144", ""},
        {"an earlier round not used for handicap", MarchAndMay,
         [] { TestDb().Execute("UPDATE INDIV_SCORES SET USE_HCP=0 WHERE PLAYER_ID=7 AND GAME_NUMBER=3"); },
         QDate(2024, 4, 1), false, 6, 5, "144", ""},
        // The nines of converted rounds hold no capped score until every round is recomputed: the
        // nine after them starts from the default index, as the recomputation takes it.
        {"a nine after a nine not used for handicap",
         [] {
             for (int g = 1; g <= 6; ++g) test::AddRound(7, g, QDate(2024, 3, g), 5);
             test::AddRound(7, 7, QDate(2024, 3, 20), 6);
             FrontNineOnly(7);
             test::AddRound(7, 8, QDate(2024, 5, 1), 4);
         },
         [] {
             TestDb().Execute("UPDATE INDIV_SCORES SET USE_HCP=0 WHERE PLAYER_ID=7 AND GAME_NUMBER=7");
             TestDb().Execute(
                 "UPDATE INDIV_SCORES SET "
                 "ADJSCR_US_F9=NULL,ADJSCR_US_B9=NULL,ADJSCR_CA_F9=NULL,ADJSCR_CA_B9=NULL "
                 "WHERE PLAYER_ID=7 AND GAME_NUMBER<=6");
         },
         QDate(2024, 4, 1), true, 8, 7, "", "18.2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestDb().Execute("DELETE FROM INDIV_SCORES");
        c.rounds();
        ResynchAllScores(TestDb());
        c.after();
        test::ScriptedMsgBox boxes;
        auto f = Open();
        SelectPlayer(*f, 7);
        ChooseCourse(*f);
        f->cmdNewGame_Click();
        // Typed on today's date, after every stored round; then dated back.
        TypeGross(*f, 8);
        if (c.frontOnly) {
            for (int h = 10; h <= 18; ++h) f->SetHoleText(kRowGross, h, QString());
            f->Calc_Row_Scores(kRowGross);
        }
        f->mskDate->SetText(FormatLocalDate(c.date, Ctx().sDateFormat));
        EXPECT_DOUBLE_EQ(D(*f, 1, 1).toDouble(),
                         MainRound::StoredIndex(float(Stored("HCP_INDEX_US_18", 7, c.prevGame))));
        if (!c.us18.isEmpty()) EXPECT_EQ(D(*f, 1, 4), c.us18);
        if (!c.nineIndex.isEmpty()) EXPECT_EQ(D(*f, 2, 1), c.nineIndex);
        std::array<QString, 6> shown;
        for (int v = 1; v <= 6; ++v) shown[v - 1] = D(*f, v, 4);

        ASSERT_TRUE(f->cmdSave_Click()) << boxes.Texts().join("|").toStdString();
        ASSERT_EQ(f->round.StoredGame(), c.game);
        // A back nine after a played front nine is capped by the round's own front-nine index,
        // known only once it is stored.
        for (int v = 1; v <= 6; ++v) {
            if (!c.frontOnly && (v == 3 || v == 6)) continue;
            const QString column = QString("ADJSCR_") + kVariantSuffix[v - 1];
            EXPECT_EQ(QString::number(Stored(column, 7, c.game)), shown[v - 1]) << column.toStdString();
            EXPECT_EQ(D(*f, v, 4), shown[v - 1]) << "shown after Save: " << column.toStdString();
        }
    }
}

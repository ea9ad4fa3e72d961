// A new round dated before the player's newest: before Save the main screen shows the previous
// indexes in effect on its date and the capped scores the save then stores, whatever the date was
// when the holes were typed.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <functional>

#include "MainScreenFixture.h"
#include "QStringPrint.h"
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

void BackNineOnly(int game) {
    TestDb().Execute(
        "UPDATE INDIV_SCORES SET GS01=0,GS02=0,GS03=0,GS04=0,GS05=0,GS06=0,GS07=0,GS08=0,GS09=0,GSF9=0,"
        "GSTOTAL=GSB9,ADJSCR_US_F9=0,ADJSCR_CA_F9=0 WHERE PLAYER_ID=7 AND GAME_NUMBER=?",
        {game});
}

// Ten rounds of sixes in March after a tournament round of fours.
void TenSixesAfterAFourAsTournament() {
    test::AddRound(7, 1, QDate(2024, 3, 1), 4);
    TestDb().Execute("UPDATE INDIV_SCORES SET USE_TOURN=1");
    for (int g = 2; g <= 11; ++g) test::AddRound(7, g, QDate(2024, 3, g), 6);
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
        bool frontOnly = false;  // the new round plays only the front nine
        int game;                // its game once stored
        int prevGame;            // whose stored 18-hole index it shows as its previous index (0: none)
        QString us18 = {}, nineIndex = {};  // its capped US 18-hole score and previous US front-nine index
        int gross = 8;                      // its score on every hole
        int corrected = 0;                  // a stored game whose date is corrected, in place of a new round
        int frontGross = 0;                 // its score on every hole of the front nine, when another
        int teeBox = 0;                     // the tee box slot the stored round is moved to
        std::function<void(frmMainGolf&)> last = {};  // done on the screen after the date
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
        // Dated on the day of a stored round: it follows that round.
        {"on the day of a stored round", MarchAndMay, [] {}, QDate(2024, 3, 5), false, 6, 5, "144", ""},
        // Pines, slope 125: March's nines (the first not for handicap) and a round of eights on
        // 05/01, capped and stored 144 off the default index; rounds of fours dated in April after
        // it. The May round keeps its 144 (an earlier game is not a handicap round), and shows it.
        {"the May round keeps what it was stored with",
         [] {
             TestDb().Execute("UPDATE COURSES SET MSL='125'||substr(MSL,4), WSL='125'||substr(WSL,4)");
             for (int g = 1; g <= 5; ++g) test::AddRound(7, g, QDate(2024, 3, g), 9, 1, 72.0, 125);
             TestDb().Execute("UPDATE INDIV_SCORES SET USE_HCP=0 WHERE PLAYER_ID=7 AND GAME_NUMBER=1");
             test::AddRound(7, 6, QDate(2024, 5, 1), 8, 1, 72.0, 125);
             test::AddRound(7, 7, QDate(2024, 4, 2), 4, 1, 72.0, 125);
             test::AddRound(7, 8, QDate(2024, 4, 3), 4, 1, 72.0, 125);
         },
         [] {}, QDate(2024, 4, 4), false, 8, 7, "72", "", 4},
        // A nine whose course handicap is 25 or more: 11 a hole, as the recomputation caps it.
        {"a nine at course handicap 25",
         [] { TestDb().Execute("UPDATE COURSES SET MSL='156'||substr(MSL,4), WSL='156'||substr(WSL,4)"); },
         [] {}, QDate(2024, 5, 1), true, 1, 0, "90", "18.2", 12},
        // The back nine of an 18-hole round is capped by the index its own front nine leaves (0.0
        // after a front nine of fours, par + 2), not by the 25.9 of the nines before it (11).
        {"a back nine after its own front nine",
         [] {
             for (int g = 1; g <= 3; ++g) test::AddRound(7, g, QDate(2024, 3, g), 7);
             FrontNineOnly(3);
             TestDb().Execute("UPDATE INDIV_SCORES SET ADJSCR_US_B9=0,ADJSCR_CA_B9=0 WHERE GAME_NUMBER=3");
         },
         [] {}, QDate(2024, 4, 1), false, 4, 3, "", "25.9", 12, 0, 4},
        // Rounds of one day stay in their order, whatever order their rows were added in: a new
        // round of that day follows the last of them.
        {"after the rounds of its day",
         [] {
             for (int g = 1; g <= 4; ++g) test::AddRound(7, g, QDate(2024, 3, g), 9);
             test::AddRound(7, 7, QDate(2024, 3, 5), 4);
             test::AddRound(7, 5, QDate(2024, 3, 5), 9);
             test::AddRound(7, 6, QDate(2024, 3, 5), 6);
             test::AddRound(7, 8, QDate(2024, 5, 1), 4);
         },
         [] {}, QDate(2024, 3, 5), false, 8, 7, "", ""},
        // A stored round corrected in place follows the same rounds.
        {"a stored round's scores corrected", MarchAndMay, [] {}, QDate(2024, 5, 7), false, 7, 6, "", "", 9,
         7},
        // A stored round dated on: the rounds it leaves behind are recomputed without it first.
        {"a stored round dated on", MarchAndMay, [] {}, QDate(2024, 5, 20), false, 10, 0, "", "", 9, 3},
        // Its best score dated past the rounds after it: the round before it in its new place is
        // recomputed without it (17.2, not the 11.5 stored).
        {"a stored best round dated on",
         [] {
             for (int g = 1; g <= 10; ++g) test::AddRound(7, g, QDate(2024, 3, g), g == 2 ? 4 : 5 + g % 2);
         },
         [] {}, QDate(2024, 5, 1), false, 10, 0, "", "", 4, 2},
        {"a stored back nine dated back",
         [] {
             MarchAndMay();
             BackNineOnly(8);
         },
         [] {}, QDate(2024, 4, 1), false, 6, 5, "", "", 0, 8},
        // A stored round of eights moved to a tee box of slope 140: its course handicap of 17
        // becomes 21, and its eights are capped at 8, not 7.
        {.what = "a stored round moved to another tee box",
         .rounds =
             [] {
                 TestDb().Execute(
                     "UPDATE COURSES SET TB=?, MSL='113140000000', WSL='113140000000', "
                     "MCR='72.072.000.000.0', WCR='72.072.000.000.0'",
                     {QString("Blue").rightJustified(20) + QString("White").rightJustified(20) +
                      QString(40, ' ')});
                 for (int g = 1; g <= 5; ++g) test::AddRound(7, g, QDate(2024, 3, g), 5);
                 test::AddRound(7, 6, QDate(2024, 4, 1), 8);
             },
         .after = [] {},
         .date = QDate(2024, 4, 1),
         .game = 6,
         .prevGame = 5,
         .us18 = "144",
         .gross = 0,
         .corrected = 6,
         .teeBox = 1},
        // A second round of fours among sixes, the first a tournament round: ticked for tournament
        // last, it has a tournament index (3.5); unticked for handicap last, it keeps the index
        // before it (25.9, not 17.2).
        {.what = "a round ticked for tournament last",
         .rounds = TenSixesAfterAFourAsTournament,
         .after = [] {},
         .date = QDate(2024, 4, 1),
         .game = 12,
         .prevGame = 11,
         .gross = 4,
         .last = [](frmMainGolf& f) { f.chkUseTourn->setChecked(true); }},
        {.what = "a round unticked for handicap last",
         .rounds = TenSixesAfterAFourAsTournament,
         .after = [] {},
         .date = QDate(2024, 4, 1),
         .game = 12,
         .prevGame = 11,
         .gross = 4,
         .last = [](frmMainGolf& f) { f.chkUseHandicap->setChecked(false); }},
        // A stored round dated back takes the indexes of its new place before Save.
        {"a stored round dated back", MarchAndMay, [] {}, QDate(2024, 4, 1), false, 6, 5, "72", "", 4, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestDb().Execute("DELETE FROM INDIV_SCORES");
        TestDb().Execute("DELETE FROM COURSES");
        test::AddCourse(1, "Pines", 113, "72.0");
        c.rounds();
        ResynchAllScores(TestDb());
        c.after();
        test::ScriptedMsgBox boxes;
        auto f = Open();
        SelectPlayer(*f, 7);
        ChooseCourse(*f);
        if (c.corrected) {
            f->txtRecNum->setText(QString::number(c.corrected));
            if (c.teeBox) f->cboTeeBox->setCurrentIndex(c.teeBox);
            if (c.gross) TypeGross(*f, c.gross);
        } else {
            f->cmdNewGame_Click();
            // Typed on today's date, after every stored round; then dated back.
            TypeGross(*f, c.gross);
            if (c.frontGross) {
                for (int h = 1; h <= 9; ++h) f->SetHoleText(kRowGross, h, QString::number(c.frontGross));
                f->Calc_Row_Scores(kRowGross);
            }
            if (c.frontOnly) {
                for (int h = 10; h <= 18; ++h) f->SetHoleText(kRowGross, h, QString());
                f->Calc_Row_Scores(kRowGross);
            }
        }
        f->mskDate->SetText(FormatLocalDate(c.date, Ctx().sDateFormat));
        if (c.last) c.last(*f);
        if (c.prevGame) {
            EXPECT_DOUBLE_EQ(D(*f, 1, 1).toDouble(),
                             StoredIndexValue(float(Stored("HCP_INDEX_US_18", 7, c.prevGame))));
        }
        if (!c.us18.isEmpty()) {
            EXPECT_EQ(D(*f, 1, 4), c.us18);
        }
        if (!c.nineIndex.isEmpty()) {
            EXPECT_EQ(D(*f, 2, 1), c.nineIndex);
        }

        std::array<QString, 6> shown, index, tIndex;
        for (int v = 1; v <= 6; ++v)
            shown[v - 1] = D(*f, v, 4), index[v - 1] = D(*f, v, 5), tIndex[v - 1] = D(*f, v, 6);
        const QString prevShown = D(*f, 1, 1);
        // The 9-hole view shows each played nine's figure, by both rules.
        f->opt189[2]->setChecked(true);
        for (int rules : {1, 2}) {
            f->optUSCan[rules]->setChecked(true);
            for (int k = 1; k <= 2; ++k)
                if (shown[3 * (rules - 1) + k].toInt() > 0) {
                    EXPECT_EQ(f->lblAdjScore[k]->text(), shown[3 * (rules - 1) + k]) << rules << " " << k;
                }
        }
        f->optUSCan[1]->setChecked(true);
        f->opt189[1]->setChecked(true);

        ASSERT_TRUE(f->cmdSave_Click()) << boxes.Texts().join("|").toStdString();
        ASSERT_EQ(f->round.StoredGame(), c.game);
        for (int v = 1; v <= 6; ++v) {
            const QString column = QString("ADJSCR_") + kVariantSuffix[v - 1];
            EXPECT_EQ(QString::number(Stored(column, 7, c.game)), shown[v - 1]) << column.toStdString();
            EXPECT_EQ(D(*f, v, 4), shown[v - 1]) << "shown after Save: " << column.toStdString();
            EXPECT_DOUBLE_EQ(
                index[v - 1].toDouble(),
                StoredIndexValue(float(Stored(QString("HCP_INDEX_") + kVariantSuffix[v - 1], 7, c.game))))
                << "its index";
            EXPECT_DOUBLE_EQ(
                tIndex[v - 1].toDouble(),
                StoredIndexValue(float(Stored(QString("THCP_INDEX_") + kVariantSuffix[v - 1], 7, c.game))))
                << "its tournament index";
        }
        if (c.game > 1) {
            EXPECT_DOUBLE_EQ(prevShown.toDouble(),
                             StoredIndexValue(float(Stored("HCP_INDEX_US_18", 7, c.game - 1))))
                << "the index of the round before it";
        }
        // Every stored round paged to shows what is stored for it.
        for (int g = 1; g <= test::RoundCount(7); ++g) {
            f->txtRecNum->setText(QString::number(g));
            ASSERT_EQ(f->round.StoredGame(), g);
            for (int v = 1; v <= 6; ++v) {
                const QString suffix = kVariantSuffix[v - 1];
                EXPECT_EQ(D(*f, v, 4), QString::number(Stored("ADJSCR_" + suffix, 7, g)))
                    << "game " << g << " " << suffix.toStdString();
                if (v == 1 || v == 4) {
                    EXPECT_DOUBLE_EQ(D(*f, v, 5).toDouble(),
                                     StoredIndexValue(float(Stored("HCP_INDEX_" + suffix, 7, g))))
                        << "game " << g << " " << suffix.toStdString();
                }
            }
        }
        // A note written on the newest round stores its capped scores as they are.
        const int last = test::RoundCount(7);
        std::array<double, 6> before;
        for (int v = 1; v <= 6; ++v)
            before[v - 1] = Stored(QString("ADJSCR_") + kVariantSuffix[v - 1], 7, last);
        f->txtNotes->setPlainText("a note");
        ASSERT_TRUE(f->cmdSave_Click());
        for (int v = 1; v <= 6; ++v) {
            EXPECT_EQ(Stored(QString("ADJSCR_") + kVariantSuffix[v - 1], 7, last), before[v - 1])
                << "after a note: " << kVariantSuffix[v - 1];
        }
    }
}

// The main screen's rules without a screen: adjusted-score caps at each band edge, gross colours,
// course-handicap and index texts, previous indexes, the save checks and the change comparison.
#include <gtest/gtest.h>

#include <functional>

#include "TestSupport.h"
#include "entry/RoundRules.h"
#include "handicap/AllowableScores.h"
#include "platform/Val.h"
#include "shell/AppContext.h"

using namespace dc;

namespace {

std::array<int, 18> All(int v) {
    std::array<int, 18> a;
    a.fill(v);
    return a;
}

// The six adjusted scores when every hole has this gross and par, for one course handicap in all
// six variants (the allowable-score texts as the tee-box choice makes them).
std::array<int, 6> Adjusted(int gross, int par, int courseHcp) {
    std::array<int, 6> hcp;
    hcp.fill(courseHcp);
    return AdjustedScores(All(gross), All(par), hcp);
}

}  // namespace

TEST(RoundRules, UsEighteenCapsAtTheBandEdges) {
    // Up to 9: par + 2 on every hole (par 4 -> 6 a hole).
    EXPECT_EQ(Adjusted(9, 4, 9)[US_18], 18 * 6);
    EXPECT_EQ(Adjusted(6, 4, 8)[US_18], 18 * 6);
    EXPECT_EQ(Adjusted(5, 4, 8)[US_18], 18 * 5);
    // 10 to 19: 7 whatever the par.
    EXPECT_EQ(Adjusted(9, 4, 10)[US_18], 18 * 7);
    EXPECT_EQ(Adjusted(9, 5, 19)[US_18], 18 * 7);
    EXPECT_EQ(Adjusted(9, 4, 20)[US_18], 18 * 8);
    EXPECT_EQ(Adjusted(10, 4, 25)[US_18], 18 * 8);
    EXPECT_EQ(Adjusted(8, 4, 25)[US_18], 18 * 8);
    EXPECT_EQ(Adjusted(12, 4, 29)[US_18], 18 * 8);
    EXPECT_EQ(Adjusted(12, 4, 30)[US_18], 18 * 9);
    EXPECT_EQ(Adjusted(12, 4, 39)[US_18], 18 * 9);
    EXPECT_EQ(Adjusted(12, 4, 40)[US_18], 18 * 10);
}

TEST(RoundRules, UsNineCapsAtTheBandEdges) {
    // Front nine with course handicap 4: par + 2; with 5 the plain number 7.
    EXPECT_EQ(Adjusted(9, 3, 4)[US_F9], 9 * 5);
    EXPECT_EQ(Adjusted(9, 3, 5)[US_F9], 9 * 7);
    EXPECT_EQ(Adjusted(9, 3, 4)[US_B9], 9 * 5);  // the back nine's band edge as the front's
    EXPECT_EQ(Adjusted(9, 3, 5)[US_B9], 9 * 7);
    EXPECT_EQ(Adjusted(9, 3, 9)[US_B9], 9 * 7);
    EXPECT_EQ(Adjusted(9, 3, 10)[US_B9], 9 * 8);
    EXPECT_EQ(Adjusted(12, 3, 14)[US_F9], 9 * 8);
    EXPECT_EQ(Adjusted(12, 3, 15)[US_F9], 9 * 9);
    EXPECT_EQ(Adjusted(12, 3, 19)[US_F9], 9 * 9);
    EXPECT_EQ(Adjusted(12, 3, 20)[US_F9], 9 * 10);
    EXPECT_EQ(Adjusted(12, 3, 24)[US_F9], 9 * 10);
    EXPECT_EQ(Adjusted(12, 3, 30)[US_F9], 9 * 11);
    EXPECT_EQ(Adjusted(12, 3, 25)[US_B9], 9 * 11) << "a nine at 25 and up takes 11, as the recomputation";
}

TEST(RoundRules, CanadaAlwaysAddsToPar) {
    EXPECT_EQ(Adjusted(9, 4, 0)[CA_18], 18 * 5);  // below 1: +1
    EXPECT_EQ(Adjusted(9, 4, 1)[CA_18], 18 * 6);  // 1 to 18: +2
    EXPECT_EQ(Adjusted(9, 4, 18)[CA_18], 18 * 6);
    EXPECT_EQ(Adjusted(9, 4, 19)[CA_18], 18 * 7);  // 19 to 32: +3
    EXPECT_EQ(Adjusted(9, 4, 32)[CA_18], 18 * 7);
    EXPECT_EQ(Adjusted(9, 4, 33)[CA_18], 18 * 8);  // 33 and more: +4
    EXPECT_EQ(Adjusted(9, 4, 9)[CA_F9], 9 * 6);
    EXPECT_EQ(Adjusted(9, 4, 10)[CA_F9], 9 * 7);
    EXPECT_EQ(Adjusted(9, 4, 18)[CA_B9], 9 * 7);
    EXPECT_EQ(Adjusted(9, 4, 19)[CA_B9], 9 * 8);
}

// A tee box without pars caps nothing by par + n, in every variant; a plain maximum still holds.
TEST(RoundRules, AnUnknownParCapsNothingRelativeToIt) {
    const struct {
        int courseHcp;
        std::array<int, 6> expected;
    } cases[] = {
        {36, {18 * 9, 9 * 9, 9 * 9, 18 * 9, 9 * 9, 9 * 9}},  // US plain 9 / 11, Canada par-relative
        {3, {18 * 9, 9 * 9, 9 * 9, 18 * 9, 9 * 9, 9 * 9}},   // every variant relative to par
        {15, {18 * 7, 9 * 9, 9 * 9, 18 * 9, 9 * 9, 9 * 9}},  // US 18 plain 7, US nines plain 9
    };
    for (const auto& c : cases) EXPECT_EQ(Adjusted(9, 0, c.courseHcp), c.expected) << c.courseHcp;
}

TEST(RoundRules, HolesWithoutGrossAddNothing) {
    std::array<int, 18> gross{};
    for (int i = 0; i < 9; ++i) gross[i] = 5;
    std::array<int, 6> hcp;
    hcp.fill(15);
    const auto adj = AdjustedScores(gross, All(4), hcp);
    EXPECT_EQ(adj[US_18], 45);
    EXPECT_EQ(adj[US_F9], 45);
    EXPECT_EQ(adj[US_B9], 0);
    EXPECT_EQ(adj[CA_B9], 0);
    EXPECT_EQ(AdjustedScores({}, All(4), hcp), (std::array<int, 6>{}));
    const RowTotals t = SumRow(gross);
    EXPECT_EQ(TotalText(t.front), "45");
    EXPECT_EQ(TotalText(t.back), "") << "an empty nine shows an empty cell, never 0";
}

TEST(RoundRules, GrossColoursAgainstPar) {
    EXPECT_EQ(GrossColour(5, 4), 0xFF0000u);  // above par: blue
    EXPECT_EQ(GrossColour(3, 4), 0x0000FFu);  // below: red
    EXPECT_EQ(GrossColour(4, 4), 0u);         // equal: black
    EXPECT_EQ(GrossColour(0, 4), 0x0000FFu);  // cleared cell on a hole with a par: red
}

TEST(RoundRules, CourseHandicapAndIndexTexts) {
    EXPECT_EQ(CourseHcpText(12.4, 125), "14");
    EXPECT_EQ(CourseHcpText(0, 128), "+0");
    EXPECT_EQ(CourseHcpText(-1.2, 113), "+1");
    EXPECT_EQ(CourseHcpText(12.5, 113), "13") << "halves away from zero";
    // The tournament index is used unless it is -100, column by column.
    EXPECT_EQ(ColumnCourseHcp(20.0, -100, 113), 20);
    EXPECT_EQ(ColumnCourseHcp(20.0, 10.0, 113), 10);
    EXPECT_EQ(IndexDisplayText(-1.2), "+1.2");
    EXPECT_EQ(IndexDisplayText(0), "0.0");
    EXPECT_EQ(IndexDisplayText(36.4), "36.4");
    EXPECT_EQ(TournIndexDisplayText(0), "+0.0");
    EXPECT_EQ(TournIndexDisplayText(8.3), "8.3");
}

// The 18-hole columns follow the round before; each nine follows the nine-hole rule over the
// handicap round before (played: it has a capped score) and the round's own front nine.
TEST(RoundRules, PreviousIndexesFollowThePlayedNines) {
    RoundRec p;  // the round before, also the handicap round before unless a case says otherwise
    p.HCP_INDEX = {10.1, 5.1, 5.2, 11.1, 6.1, 6.2};
    p.THCP_INDEX = {-100, -100, -100, 9.0, 4.5, -100};
    RoundRec other = p;  // another handicap round before, when the round before is not one
    other.HCP_INDEX = {20.1, 15.1, 15.2, 21.1, 16.1, 16.2};
    other.THCP_INDEX.fill(-100);
    RoundRec shown;
    shown.HCP_INDEX = {0, 4.4, 0, 0, 7.7, 0};
    const struct {
        const char* what;
        std::array<int, 6> prevAdj;   // the capped scores of the handicap round before
        bool handicapIsOther;         // the round before is not used for handicap
        bool none;                    // no handicap round before
        int shownFrontAdj;            // the round's own front nine (0: not played)
        std::array<double, 6> index;  // expected
        double caFrontT;
    } cases[] = {
        {"front nine only before",
         {90, 40, 0, 90, 40, 0},
         false,
         false,
         0,
         {10.1, 5.1, 5.1, 11.1, 6.1, 6.1},
         4.5},
        {"both nines before",
         {90, 40, 41, 90, 40, 41},
         false,
         false,
         0,
         {10.1, 5.2, 5.2, 11.1, 6.2, 6.2},
         -100},
        {"own front nine first",
         {90, 40, 41, 90, 40, 41},
         false,
         false,
         39,
         {10.1, 5.2, 4.4, 11.1, 6.2, 7.7},
         -100},
        {"neither nine capped before: front from the default, back from its front",
         {90, 0, 0, 90, 0, 0},
         false,
         false,
         0,
         {10.1, 18.2, 5.1, 11.1, 18.2, 6.1},
         -100},
        {"the round before not used for handicap",
         {90, 40, 41, 90, 40, 41},
         true,
         false,
         0,
         {10.1, 15.2, 15.2, 11.1, 16.2, 16.2},
         -100},
        {"no handicap round before", {}, false, true, 0, {10.1, 18.2, 18.2, 11.1, 18.2, 18.2}, -100},
    };
    for (const auto& c : cases) {
        RoundRec h = c.handicapIsOther ? other : p;
        h.ADJSCR = c.prevAdj;
        shown.ADJSCR = {0, c.shownFrontAdj, 0, 0, c.shownFrontAdj, 0};
        const PrevIndexes out = PreviousIndexes(p, c.none ? nullptr : &h, &shown, true);
        for (int v = 0; v < 6; ++v) EXPECT_DOUBLE_EQ(*out.index[v], c.index[v]) << c.what << " variant " << v;
        EXPECT_DOUBLE_EQ(*out.tIndex[CA_18], 9.0) << c.what;
        EXPECT_DOUBLE_EQ(*out.tIndex[CA_F9], c.caFrontT) << c.what;
    }
    // A woman's default; a new round has no front nine of its own.
    RoundRec h = p;
    h.ADJSCR = {90, 40, 0, 90, 40, 0};
    EXPECT_DOUBLE_EQ(*PreviousIndexes(p, nullptr, nullptr, false).index[US_F9], 20.2);
    EXPECT_DOUBLE_EQ(*PreviousIndexes(p, &h, nullptr, true).index[US_B9], 5.1);
}

TEST(RoundRules, Game1GridForAWoman) {
    const HcpGridStart g = Game1Grid(false);
    EXPECT_EQ(g.prevIndex, (std::array<double, 6>{40.4, 20.2, 20.2, 40.4, 20.2, 20.2}));
    EXPECT_EQ(g.prevTIndex[3], kNoTournIndex);
    EXPECT_EQ(g.allowScore, (std::array<QString, 6>{"10", "11", "11", "+4", "+4", "+4"}));
}

TEST(RoundRules, SaveChecksInTheirOrder) {
    Ctx().sDateFormat = "MM/DD/YYYY";
    const QDate today(2024, 5, 10);
    SaveInput in{"SMITH, Ann", true, true, "05/10/2024", "MM/DD/YYYY", 80};
    EXPECT_TRUE(CheckRoundForSave(in, today).ok()) << "today is accepted";
    auto check = [&](SaveInput i) { return CheckRoundForSave(i, today); };
    SaveInput x = in;
    x.player = "  ";
    x.courseChosen = false;
    EXPECT_EQ(check(x).number, 1) << "the player comes before the course";
    EXPECT_EQ(check(x).focus, SaveFocus::Player);
    x = in;
    x.courseChosen = false;
    x.dateText = "__/__/____";
    EXPECT_EQ(check(x).message, "A Course must be selected.");
    x.courseChosen = true;
    x.teeChosen = false;
    EXPECT_EQ(check(x).message, "A Tee Box must be selected.") << "before the date";
    EXPECT_EQ(check(x).focus, SaveFocus::TeeBox);
    x = in;
    x.dateText = "12/3_/2024";
    EXPECT_EQ(check(x).message,
              "A valid date cannot contain any underscores.\r\nDate must be in the format MM/DD/YYYY.");
    x.dateFormat = "DD/MM/YYYY";
    EXPECT_EQ(check(x).message,
              "A valid date cannot contain any underscores.\r\nDate must be in the format DD/MM/YYYY.");
    x = in;
    x.dateText = "13/01/2024";
    EXPECT_EQ(check(x).message, "Month must be between 01 and 12.");
    x.dateText = "01/32/2024";
    EXPECT_EQ(check(x).message, "Day must be between 01 and 31.");
    x.dateText = "01/00/2024";
    EXPECT_EQ(check(x).message, "Day must be between 01 and 31.");
    x.dateText = "01/31/2024";
    EXPECT_TRUE(check(x).ok()) << "the 31st is a day";
    x.dateText = "12/01/2023";
    EXPECT_TRUE(check(x).ok()) << "December";
    x.dateText = "02/30/2024";
    EXPECT_EQ(check(x).message, "Invalid Date.  Please enter a date in the format MM/DD/YYYY.");
    x.dateText = "05/11/2024";
    EXPECT_EQ(check(x).number, 8) << "tomorrow";
    EXPECT_EQ(
        check(x).message,
        "Why would you want to enter a future date for a round of Dado?  Please check your computer's date.");
    x = in;
    x.grossTotal = 0;
    EXPECT_EQ(check(x).message, "A zero gross score cannot be saved off.  Please enter gross scores.");
    EXPECT_EQ(check(x).focus, SaveFocus::Date);
    Ctx().sDateFormat = "DD/MM/YYYY";
    x = in;
    x.dateFormat = "DD/MM/YYYY";
    x.dateText = "30/02/2024";
    EXPECT_EQ(check(x).message, "Invalid Date.  Please enter a date in the format DD/MM/YYYY.");
    x.dateText = "10/05/2024";
    EXPECT_TRUE(check(x).ok());
    x.dateText = "31/03/2024";
    EXPECT_TRUE(check(x).ok()) << "the 31st, day first";
    x.dateText = "31/13/2024";
    EXPECT_EQ(check(x).message, "Month must be between 01 and 12.");
    Ctx().sDateFormat = "MM/DD/YYYY";
}

TEST(RoundRules, ChangeComparisonNamesTheFirstChangedField) {
    RoundRec r;
    r.COURSE_ID = 3;
    r.TEE_BOX_ID = 1;
    r.USE_HCP = true;
    r.GS.fill(4);
    r.ADJSCR = {72, 36, 36, 72, 36, 36};
    r.PUTTS = QString(" 2").repeated(18);
    r.GREENS_IN_REG = r.SAND_SAVES = r.FAIRWAYS_HIT = QString(18, '0');
    r.NOTES = " nice day ";  // as stored with its blanks
    ScreenRound s;
    s.dateText = "05/10/2024";
    s.courseId = 3;
    s.teeBox = 1;
    s.useHcp = 1;
    s.adjusted = r.ADJSCR;
    s.notes = "nice day";
    for (int h = 0; h < 18; ++h) s.gross[h] = 4, s.putts[h] = 2;
    EXPECT_FALSE(CompareStoredRound(s, r, "05/10/2024").changed);

    ScreenRound c = s;
    c.gross[11] = 5;
    c.adjusted[US_B9] = 37;
    ChangeResult res = CompareStoredRound(c, r, "05/10/2024");
    EXPECT_EQ(res.field, "Hole 12 score");
    EXPECT_TRUE(res.hcpChanged) << "every adjusted score is compared, not only US 18";
    c = s;
    c.gir[0] = 1;
    res = CompareStoredRound(c, r, "05/10/2024");
    EXPECT_EQ(res.field, "Hole 1 Greens in Regu") << "cut at 21 characters";
    EXPECT_EQ(ChangedPrompt(res.field, "Save the changes?"),
              "The Hole 1 Greens in Regu has changed.\n\rSave the changes?");
    c = s;
    c.fhit[0] = 1;
    EXPECT_EQ(CompareStoredRound(c, r, "05/10/2024").field, "Hole 1 Fairways Hit");
    c = s;
    c.dateText = "10/05/2024";
    res = CompareStoredRound(c, r, "05/10/2024");
    EXPECT_EQ(res.field, "Date");
    EXPECT_TRUE(res.hcpChanged);
    c = s;
    c.notes = "windy";
    res = CompareStoredRound(c, r, "05/10/2024");
    EXPECT_EQ(res.field, "Notes");
    EXPECT_FALSE(res.hcpChanged);

    ScreenRound blank;
    blank.dateText = "05/10/2024";
    EXPECT_FALSE(CompareNewRound(blank, NewRoundStart{"05/10/2024"}).changed);
    blank.dateText = "05/09/2024";
    EXPECT_EQ(CompareNewRound(blank, NewRoundStart{"05/10/2024"}).field, "data");
}

// A new round is changed by what the golfer typed, not by what was carried to it (a kept date, the
// tournament tick); a tick he changed afterwards counts.
TEST(RoundRules, ANewRoundIsChangedOnlyByWhatWasTyped) {
    const NewRoundStart carried{"05/03/2024", 1, 1};
    ScreenRound s;
    s.dateText = "05/03/2024";
    s.useHcp = 1;
    s.useTourn = 1;
    EXPECT_FALSE(CompareNewRound(s, carried).changed);
    const struct {
        const char* what;
        std::function<void(ScreenRound&)> edit;
    } edits[] = {
        {"date", [](ScreenRound& r) { r.dateText = "05/04/2024"; }},
        {"tournament tick", [](ScreenRound& r) { r.useTourn = 0; }},
        {"handicap tick", [](ScreenRound& r) { r.useHcp = 0; }},
        {"gross", [](ScreenRound& r) { r.gross[17] = 5; }},
        {"putts", [](ScreenRound& r) { r.putts[0] = 2; }},
        {"notes", [](ScreenRound& r) { r.notes = "x"; }},
        {"cost", [](ScreenRound& r) { r.otherCost = "1"; }},
    };
    for (const auto& e : edits) {
        ScreenRound c = s;
        e.edit(c);
        EXPECT_EQ(CompareNewRound(c, carried).field, "data") << e.what;
    }
}

// A stored cost is compared as its box shows it: 10.005 loads as "10.01".
TEST(RoundRules, CostsCompareAsTheirBoxesShowThem) {
    RoundRec r;
    r.GS.fill(4);
    r.PUTTS = QString(18 * 2, ' ');
    r.GREENS_IN_REG = r.SAND_SAVES = r.FAIRWAYS_HIT = QString(18, '0');
    r.GAME_COST = 10.005;
    r.CART_COST = 0.125;
    r.OTHER_COST = 0;
    ScreenRound s;
    s.dateText = "05/10/2024";
    s.useHcp = 0;
    for (int h = 0; h < 18; ++h) s.gross[h] = 4;
    const struct {
        QString game, cart, other;
        QString field;
    } cases[] = {
        {FixedText(10.005, 2), FixedText(0.125, 2), "", ""},
        {"10.01", "0.13", "0.00", ""},
        {"10.010", " 0.13 ", "0", ""},
        {"10.00", "0.13", "", "Game Cost"},
        {"10.01", "0.12", "", "Cart Cost"},
        {"10.01", "0.13", "0.01", "Other Cost"},
    };
    for (const auto& c : cases) {
        s.gameCost = c.game, s.cartCost = c.cart, s.otherCost = c.other;
        EXPECT_EQ(CompareStoredRound(s, r, "05/10/2024").field, c.field) << c.game.toStdString();
    }
}

TEST(RoundRules, HoleFiguresShowWithoutLeadingZeros) {
    EXPECT_EQ(HoleText("07"), "7");
    EXPECT_EQ(HoleText("18"), "18");
    EXPECT_EQ(HoleText("090"), "90");
}

TEST(RoundRules, CostsThatAreNotAmountsAreRefused) {
    struct Case {
        QString text;
        bool refused;
    };
    for (const Case& c : {Case{"", false}, Case{" 18.50 ", false}, Case{"25", false}, Case{"18,50", true},
                          Case{"abc", true}, Case{"$5", true}, Case{"-3", true}}) {
        const QString refusal = CostRefusal("Game Cost", c.text);
        EXPECT_EQ(!refusal.isEmpty(), c.refused) << c.text.toStdString();
        if (c.refused) {
            EXPECT_TRUE(refusal.startsWith("The Game Cost \"" + c.text.trimmed() + "\" is not an amount"));
        }
    }
}

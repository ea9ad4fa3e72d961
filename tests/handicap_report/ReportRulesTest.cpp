// The report's and the cards' rules on rounds held in memory.

#include <gtest/gtest.h>

#include "handicap_report/CardFigures.h"
#include "handicap_report/HcpCards.h"
#include "handicap_report/HcpReport.h"
#include "handicap_report/IndexList.h"

namespace dc {
namespace {

// A handicap round, newest first in the lists below; adjusted 18-hole and nine scores given.
ReportRound R(int adj18, int gsf9 = 45, int gsb9 = 45, bool tourn = false, double rating = 72.0,
              int slope = 113) {
    ReportRound r;
    r.round.useHcp = true;
    r.round.tHcpIndex.fill(kNoTournIndexF);
    r.round.useTourn = tourn;
    r.round.rating = rating;
    r.round.slope = slope;
    r.round.gsf9 = gsf9;
    r.round.gsb9 = gsb9;
    r.gsTotal = gsf9 + gsb9;
    r.round.adjScore[US_18] = adj18;
    r.round.adjScore[US_F9] = gsf9 > 0 ? gsf9 - 1 : 0;
    r.round.adjScore[US_B9] = gsb9 > 0 ? gsb9 - 1 : 0;
    r.course = "Pines";
    r.tee = "White";
    r.date = "06/01/2026";
    return r;
}

TEST(ReportRules, ScoresUsedMarksAndIndex) {
    struct Case {
        std::vector<int> adjusted;  // newest first
        bool enough;
        std::vector<bool> marked;
        float index;
    };
    const Case cases[] = {
        {{90, 85, 88, 92}, false, {}, 0},
        {{90, 85, 88, 92, 95}, true, {false, true, false, false, false}, 12.4f},  // (85-72) x 0.96
        // equal lowest differentials: only the newer one is marked
        {{90, 84, 88, 84, 95}, true, {false, true, false, false, false}, 11.5f},
    };
    for (const Case& c : cases) {
        std::vector<ReportRound> rounds;
        for (int a : c.adjusted) rounds.push_back(R(a));
        const HcpReport report = BuildReport(CountScores18(rounds, RuleSet::US));
        EXPECT_EQ(report.Enough(), c.enough);
        if (!c.enough) continue;
        EXPECT_EQ(report.marked, c.marked);
        EXPECT_FLOAT_EQ(report.index, c.index);
    }
}

TEST(ReportRules, TwentyFiveRoundsUseTheNewestTwenty) {
    std::vector<ReportRound> rounds;
    for (int i = 0; i < 20; ++i) rounds.push_back(R(90 + i % 3));
    for (int i = 0; i < 5; ++i) rounds.push_back(R(75, 38, 37, true));  // the oldest play no part
    const HcpReport report = BuildReport(CountScores18(rounds, RuleSet::US));
    ASSERT_EQ(report.scores.size(), 20u);
    EXPECT_EQ(report.scoresUsed, 10);
    EXPECT_EQ(std::count(report.marked.begin(), report.marked.end(), true), 10);
    EXPECT_EQ(report.tourn, TournState::FewerThanTwo);
    EXPECT_EQ(ReportTournText(report), "<2 Scores");
}

TEST(ReportRules, TournamentIndexExamples) {
    struct Case {
        float index;
        std::vector<float> tourn;
        TournState state;
        float tIndex;
        bool rows;
    };
    const Case cases[] = {
        {12.0f, {9.0f, 9.2f}, TournState::TooHigh, -100, false},
        {18.0f, {11.0f, 10.0f}, TournState::Shown, 13.5f, true},
        {15.5f, {12.0f, 10.0f, 11.0f, 14.0f}, TournState::Shown, 14.5f, true},  // exactly 1.0 kept
        {15.4f, {12.0f, 10.0f, 11.0f, 14.0f}, TournState::TooHigh, -100, true},
        {18.0f, {10.0f}, TournState::FewerThanTwo, -100, false},
    };
    for (const Case& c : cases) {
        const ReportTourn t = ReportTournament(c.index, c.tourn);
        EXPECT_EQ(t.state, c.state) << c.index;
        EXPECT_FLOAT_EQ(t.tIndex, c.tIndex);
        EXPECT_EQ(!t.lowest.empty(), c.rows);
        if (c.rows) {
            EXPECT_FLOAT_EQ(c.tourn[t.lowest[0]], 10.0f);
        }
    }
    EXPECT_DOUBLE_EQ(TournMinDiff(5), 4.3);
    EXPECT_DOUBLE_EQ(TournMinDiff(19), 5.0);
    EXPECT_DOUBLE_EQ(TournMinDiff(40), 6.5);
}

TEST(ReportRules, NineHoleRoundsPairForEighteenHoles) {
    ReportRound newer = R(44, 45, 0, false, 72.0);  // front nine only; 72.0 counts as 36.0
    newer.course = "Royal Westmoreland North Course";
    ReportRound older = R(43, 0, 46, true, 35.5, 121);  // back nine only
    older.course = "South";
    older.tee = "Red";
    older.date = "05/01/2026";
    const auto scores = CountScores18({newer, older}, RuleSet::US);
    ASSERT_EQ(scores.size(), 1u);
    EXPECT_EQ(scores[0].gross, 91);     // the gross sum is shown
    EXPECT_EQ(scores[0].adjusted, 87);  // the adjusted sum makes the differential
    EXPECT_FLOAT_EQ(scores[0].diff, ScoreDifferential(87, 71.5, 117));
    EXPECT_EQ(scores[0].course, "Royal Westmoreland North Course/South") << "whole, fitted where shown";
    EXPECT_EQ(CountScores9({newer}, RuleSet::US)[0].course, newer.course);
    EXPECT_EQ(scores[0].tee, "White/Red") << "whole, fitted where it is shown";
    EXPECT_EQ(scores[0].date, "05/01/2026");
    EXPECT_TRUE(scores[0].tourn);  // the older round decides

    // An 18-hole round between two nines leaves the first unpaired; rounds that do not count are absent.
    ReportRound off = R(80);
    off.round.useHcp = false;
    const auto skipped =
        CountScores18({R(44, 45, 0), R(90), off, R(80, 45, 45, false, 0), R(0), R(43, 0, 46)}, RuleSet::US);
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(skipped[0].gross, 90);
}

TEST(ReportRules, NineHoleReportTakesBackBeforeFrontAndStopsAtTwenty) {
    std::vector<ReportRound> rounds{R(90, 44, 47), R(0, 0, 42)};
    for (int i = 0; i < 10; ++i) rounds.push_back(R(90, 45, 45));
    const auto scores = CountScores9(rounds, RuleSet::US);
    ASSERT_EQ(scores.size(), 20u);
    EXPECT_EQ(ReportScore(scores[0], true), 46);  // back nine, adjusted
    EXPECT_EQ(ReportScore(scores[1], true), 43);
    EXPECT_EQ(ReportScore(scores[2], true), 41);  // a nine with adjusted 0 gives no row
    EXPECT_EQ(scores[19].gross, 45);  // the ninth 18-hole round's back nine: its front is left out
    EXPECT_FLOAT_EQ(scores[0].diff, ScoreDifferential(46, 36.0, 113));
}

TEST(CardRules, FiguresAndTexts) {
    std::vector<ReportRound> rounds{R(85, 40, 45, true), R(90), R(95), R(96)};
    rounds[0].round.hcpIndex[US_18] = -1.2f;
    CardFigures four = ComputeCardFigures(rounds, true, RuleSet::US);
    EXPECT_EQ(four.scores, QStringList({"85T", "90", "90", "90"}));
    EXPECT_EQ(four.hcpText, "+1");
    rounds.push_back(R(99));
    rounds[0].round.tHcpIndex[US_18] = 10.0f;
    rounds[0].round.slope = 125;
    CardFigures five = ComputeCardFigures(rounds, true, RuleSet::US);
    EXPECT_EQ(five.scores.front(), "85T*");
    EXPECT_EQ(five.scores.filter("*").size(), 1);
    EXPECT_EQ(five.hcpText, "11");  // whole, also from a tournament index

    rounds[0].round.useHcp = false;  // a casual newest round still carries the index in effect
    const CardFigures casual = ComputeCardFigures(rounds, true, RuleSet::US);
    EXPECT_EQ(casual.hcpText, "11");
    EXPECT_EQ(casual.scores.size(), 4);
    rounds[0].round.adjScore = {};  // ... also of the back nine it played, without adjusted scores
    rounds[0].round.hcpIndex[US_B9] = 6.1f;
    EXPECT_FLOAT_EQ(ComputeCardFigures(rounds, false, RuleSet::US).index, 6.1f);
    rounds[0].round.useHcp = true;

    rounds[0].round.slope = 0;  // a newest round without slope gives its index, no course hcp, no score
    CardFigures none = ComputeCardFigures(rounds, true, RuleSet::US);
    EXPECT_FLOAT_EQ(none.index, -1.2f);
    EXPECT_EQ(none.hcpText, "0");
    EXPECT_EQ(none.scores.size(), 4);

    EXPECT_EQ(AverageText({"85T*", "90", "101*"}), "92.0");
    EXPECT_EQ(AverageText({}), "");
    const HandicapCard plus = MakeCard("A", CardFigures{{}, -2.3f, -100, "+2"}, true);
    EXPECT_EQ(plus.indexText, "+2.3");
    EXPECT_EQ(MakeCard("A", CardFigures{}, false).indexText, "0.0");
    EXPECT_EQ(MakeCard("A", CardFigures{}, false).hcpText, "");
    EXPECT_EQ(ClubText("  "), "Not selected");
    EXPECT_EQ(ClubText(QString(30, 'x') + " "), QString(30, 'x')) << "whole: the card fits it";
}

TEST(CourseHcpTexts, FromIndexAndSlope) {
    struct Case {
        float index;
        double slope;
        const char* text;
    } cases[] = {
        {10.5f, 113, "11"}, {12.3f, 130, "14"}, {-2.3f, 120, "+2"}, {0.0f, 130, "+0"}, {7.0f, 0, ""}, {0.0f, 0, ""}};
    for (const Case& c : cases) EXPECT_EQ(CourseHcpText(c.index, c.slope), c.text) << c.index;
    EXPECT_EQ(IndexList::IndexText(-1.2f, true), "+1.2T");
    EXPECT_EQ(IndexList::IndexText(0.0f, false), "+0.0");
    EXPECT_EQ(IndexList::IndexText(9.8f, true), "9.8T");
}

}  // namespace
}  // namespace dc

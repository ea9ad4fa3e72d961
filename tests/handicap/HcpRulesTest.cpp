// The handicap rules with their exact arithmetic, computed by hand.
#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>

#include "TestSupport.h"
#include "handicap/HcpRules.h"
#include "shell/AppContext.h"

namespace dc {
namespace {

TEST(ScoreDifferential, RoundsToOneDecimalHalvesAwayFromZero) {
    // 12.5 x 113 / 130 = 10.8653...
    EXPECT_EQ(ScoreDifferential(85, 72.5, 130), 10.9f);
    // 5.0 x 113 / 100 = 5.65 exactly: a half goes up.
    EXPECT_EQ(ScoreDifferential(77, 72.0, 100), 5.7f);
    // -2.55 goes away from zero.
    EXPECT_EQ(ScoreDifferential(70, 72.55, 113), -2.6f);
    EXPECT_EQ(ScoreDifferential(70, 72.5, 113), -2.5f);
    EXPECT_EQ(ScoreDifferential(72, 72.0, 113), 0.0f);
}

TEST(ScoreDifferential, IsRoundedAsTheSingleReads) {
    // In double the value is 0.349999999999994..., held as a single it reads 0.35 and rounds up.
    EXPECT_EQ(ScoreDifferential(72.35, 72.0, 113), 0.4f);
}

TEST(ScoresUsedTable, LowestUsedByNumberOfDifferentials) {
    const int expected[21] = {0, 0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 8, 9, 10};
    for (int n = 0; n <= 20; ++n) EXPECT_EQ(ScoresUsedTable(n), expected[n]) << "n=" << n;
}

TEST(TruncateToTenth, CutsAfterTheThreeDecimalRounding) {
    EXPECT_EQ(TruncateToTenth(11.952), 11.9f);
    EXPECT_EQ(TruncateToTenth(9.5904), 9.5f);        // written 9.590
    EXPECT_EQ(TruncateToTenth(11.9996), 12.0f);      // written 12.000
    EXPECT_EQ(TruncateToTenth(11.9994), 11.9f);      // written 11.999
    EXPECT_EQ(TruncateToTenth(12.4 * 0.96), 11.9f);  // 11.904
    EXPECT_EQ(TruncateToTenth(10.0 * 0.96), 9.6f);   // 9.5999999... written 9.600
    EXPECT_EQ(TruncateToTenth(36.4), 36.4f);
}

TEST(TruncateToTenth, NegativeValuesAreCutTowardZero) {
    EXPECT_EQ(TruncateToTenth(-1.25), -1.2f);
    EXPECT_EQ(TruncateToTenth(-1.2999), -1.3f);  // written -1.300
    EXPECT_EQ(TruncateToTenth(-2.9996), -3.0f);
    const float nearZero = TruncateToTenth(-0.04);
    EXPECT_EQ(nearZero, 0.0f);
    EXPECT_FALSE(std::signbit(nearZero));                  // shown as 0.0, not -0.0
    EXPECT_EQ(TruncateToTenth(-0.0999), -0.1f);            // written -0.100
    EXPECT_FALSE(std::signbit(TruncateToTenth(-0.0949)));  // written -0.095, cut to 0.0
    EXPECT_EQ(IndexText(TruncateToTenth(-0.04)), "0");
}

TEST(IndexFromDifferentials, LowestOnesAveragedTimesFactor) {
    EXPECT_EQ(IndexFromDifferentials({14.0f, 12.4f, 15.0f, 13.0f, 16.0f}), 11.9f);
    EXPECT_EQ(IndexFromDifferentials({10.0f, 20.0f, 20.0f, 20.0f, 20.0f}), 9.6f);
    // 20 differentials 1.0 .. 20.0 in any order: the ten lowest average 5.5, x 0.96 = 5.28.
    std::vector<float> twenty;
    for (int i = 20; i >= 1; --i) twenty.push_back(static_cast<float>(i));
    EXPECT_EQ(IndexFromDifferentials(twenty), 5.2f);
    // 7 differentials use 2: (3.0 + 4.1) / 2 x 0.96 = 3.408.
    EXPECT_EQ(IndexFromDifferentials({9.0f, 4.1f, 8.0f, 3.0f, 7.0f, 6.0f, 5.0f}), 3.4f);
}

TEST(DefaultIndex, ByGenderAndHoles) {
    EXPECT_EQ(DefaultIndex(0), 36.4f);
    EXPECT_EQ(DefaultIndex(1), 40.4f);
    EXPECT_EQ(DefaultIndex(7), 40.4f);
    EXPECT_EQ(DefaultIndex(0, true), 18.2f);
    EXPECT_EQ(DefaultIndex(1, true), 20.2f);
    EXPECT_EQ(DefaultIndexValue(0), 36.4);  // the stored number, not the single widened
    EXPECT_EQ(DefaultIndexValue(1, true), 20.2);
}

TEST(GenderIndex, OnlyUpperCaseMIsMen) {
    EXPECT_EQ(GenderIndexOf("M"), 0);
    EXPECT_EQ(GenderIndexOf(" M "), 0);
    EXPECT_EQ(GenderIndexOf("m"), 1);
    EXPECT_EQ(GenderIndexOf(""), 1);
    EXPECT_EQ(GenderIndexOf("F"), 1);
}

TEST(OneYearWindow, TodayOneYearBackAndItsEdge) {
    const QString window = OneYearWindow(QDate(2026, 12, 6));
    EXPECT_EQ(window, "20251206");
    // 29 February: plain text, no date arithmetic.
    EXPECT_EQ(OneYearWindow(QDate(2028, 2, 29)), "20270229");
    EXPECT_EQ(DateKey("2025-12-06"), "20251206");
    EXPECT_EQ(DateKey("2025-12-06 00:00:00"), "20251206");
    EXPECT_EQ(DateKey("garbage"), "");
}

TEST(NineHoleRules, RoundKindsRatingsAndPairs) {
    EXPECT_TRUE(NineHoleRound(40, 0));
    EXPECT_TRUE(NineHoleRound(0, 41));
    EXPECT_FALSE(NineHoleRound(40, 41));
    EXPECT_FALSE(NineHoleRound(0, 0));

    EXPECT_DOUBLE_EQ(NineHoleRating(36.0), 36.0);
    EXPECT_DOUBLE_EQ(NineHoleRating(49.9), 49.9);
    EXPECT_DOUBLE_EQ(NineHoleRating(50.0), 25.0);  // 18-hole procedures: 50 counts as an 18-hole rating
    EXPECT_DOUBLE_EQ(NineHoleRating(72.0), 36.0);
    EXPECT_DOUBLE_EQ(NineRunRating(50.0), 50.0);  // nine-hole procedures: halved only above 50
    EXPECT_DOUBLE_EQ(NineRunRating(71.0), 35.5);
    EXPECT_DOUBLE_EQ(NineRunRating(35.0), 35.0);

    const CombinedScore pair = CombinedNines({40, 36.0, 120, false}, {42, 36.0, 126, true});
    EXPECT_EQ(pair.adjustedScore, 82);
    EXPECT_DOUBLE_EQ(pair.rating, 72.0);
    EXPECT_DOUBLE_EQ(pair.slope, 123.0);
    EXPECT_TRUE(pair.useTourn);  // the older round's flag
    EXPECT_DOUBLE_EQ(CombinedNines({40, 36, 120, true}, {42, 36, 125, false}).slope, 122.5);
    EXPECT_FALSE(CombinedNines({40, 36, 120, true}, {42, 36, 125, false}).useTourn);
}

TEST(CourseHcp, RoundedHalvesAwayFromZero) {
    EXPECT_EQ(CourseHcp(12.5f, 113), 13);
    EXPECT_EQ(CourseHcp(-1.5f, 113), -2);
    EXPECT_EQ(CourseHcp(10.0f, 130), 12);  // 11.504
    EXPECT_EQ(CourseHcp(12.3f, 125), 14);  // 13.606
    EXPECT_EQ(CourseHcp(36.4f, 113), 36);
    EXPECT_EQ(CourseHcp(40.4f, 113), 40);
    EXPECT_EQ(CourseHcp(11.3, 125), 13);  // 12.5 as written, whatever the last binary digit
    EXPECT_EQ(CourseHcpText(-11.3, 125), "+13");
    EXPECT_EQ(ScoringCourseHcp(20.0f, 9.0f, 113), 9);      // the tournament index when there is one
    EXPECT_EQ(ScoringCourseHcp(20.0f, -100.0f, 113), 20);  // else the index
}

struct LookupLog {
    int calls = 0;
    int t = 0;
    double d = 0;
    double answer = 0;
    ReductionLookup Fn() {
        return [this](int tt, double dd) {
            ++calls;
            t = tt;
            d = dd;
            return answer;
        };
    }
};

TEST(TournamentIndex, NeedsTwoDifferentialsAndAMarginAboveThree) {
    LookupLog log;
    EXPECT_EQ(TournamentIndex(12.5f, {7.0f}, log.Fn()), -100.0f);
    EXPECT_EQ(TournamentIndex(12.5f, {9.5f, 7.0f}, log.Fn()), -100.0f);  // 12.5 - 9.5 = 3.0 exactly
    EXPECT_EQ(log.calls, 0);
}

TEST(TournamentIndex, LooksUpTheReductionAndKeepsOnlyOneStrokeOrMore) {
    LookupLog log;
    log.answer = 2.0;
    // Second lowest 8.0: 12.5 - 8.0 = 4.5 > 3.0; D = 12.5 - (6.0 + 8.0) / 2 = 5.5 with t = 4.
    EXPECT_EQ(TournamentIndex(12.5f, {11.0f, 6.0f, 10.5f, 8.0f}, log.Fn()), 10.5f);
    EXPECT_EQ(log.t, 4);
    EXPECT_DOUBLE_EQ(log.d, 5.5);
    log.answer = 0.5;
    EXPECT_EQ(TournamentIndex(12.5f, {11.0f, 6.0f, 10.5f, 8.0f}, log.Fn()), -100.0f);
    log.answer = 0.0;
    EXPECT_EQ(TournamentIndex(12.5f, {11.0f, 6.0f, 10.5f, 8.0f}, log.Fn()), -100.0f);
    log.answer = 1.0;  // exactly one stroke keeps it
    EXPECT_EQ(TournamentIndex(12.5f, {11.0f, 6.0f, 10.5f, 8.0f}, log.Fn()), 11.5f);
    // Not cut to a tenth.
    log.answer = 1.25;
    EXPECT_EQ(TournamentIndex(12.5f, {6.0f, 8.0f}, log.Fn()), 11.25f);
}

TEST(TournamentIndex, DifferenceIsTheSingleIndexWrittenWithFifteenDigits) {
    EXPECT_DOUBLE_EQ(ReductionDifference(12.3f, 7.0f, 7.0f), 5.30000019073486);
}

TEST(StoredIndex, ShortestTextOfSevenDigitsWithAPoint) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(IndexText(12.3f), "12.3");
    EXPECT_EQ(IndexText(-100.0f), "-100");
    EXPECT_EQ(IndexText(-1.2f), "-1.2");
    EXPECT_EQ(IndexText(-0.0f), "0");
    EXPECT_EQ(StoredIndexValue(12.3f), 12.3);
    EXPECT_EQ(StoredIndexValue(-100.0f), -100.0);
    // 19.2 - 13.7 held as a single reads 5.500001.
    EXPECT_EQ(IndexText(static_cast<float>(static_cast<double>(19.2f) - 13.7)), "5.500001");
    EXPECT_EQ(TruncateToTenth(11.952), 11.9f);
    QLocale::setDefault(before);
}

}  // namespace
}  // namespace dc

// Every band edge of the allowable-score tables, numeric and text forms.
#include <gtest/gtest.h>

#include "handicap/AllowableScores.h"

namespace dc {
namespace {

TEST(AllowableScores, US18BandEdges) {
    EXPECT_EQ(AllowableScoreUS(-3, true), 2);
    EXPECT_TRUE(AllowableScoreUSParRelative(-3, true));
    EXPECT_EQ(AllowableScoreUS(9, true), 2);
    EXPECT_TRUE(AllowableScoreUSParRelative(9, true));
    EXPECT_FALSE(AllowableScoreUSParRelative(10, true));
    const std::pair<int, int> bands[] = {{10, 7}, {19, 7}, {20, 8},  {29, 8},
                                         {30, 9}, {39, 9}, {40, 10}, {54, 10}};
    for (auto [ch, max] : bands) EXPECT_EQ(AllowableScoreUS(ch, true), max) << "CH " << ch;
}

TEST(AllowableScores, USNineBandEdges) {
    EXPECT_EQ(AllowableScoreUS(4, false), 2);
    EXPECT_TRUE(AllowableScoreUSParRelative(4, false));
    EXPECT_FALSE(AllowableScoreUSParRelative(5, false));
    const std::pair<int, int> bands[] = {{5, 7},  {9, 7},   {10, 8},  {14, 8},  {15, 9},
                                         {19, 9}, {20, 10}, {24, 10}, {25, 11}, {40, 11}};
    for (auto [ch, max] : bands) EXPECT_EQ(AllowableScoreUS(ch, false), max) << "CH " << ch;
}

TEST(AllowableScores, CanadaBandEdges) {
    const std::pair<int, int> eighteen[] = {{-2, 1}, {0, 1},  {1, 2},  {18, 2},
                                            {19, 3}, {32, 3}, {33, 4}, {50, 4}};
    for (auto [ch, n] : eighteen) EXPECT_EQ(AllowableScoreCA(ch, true), n) << "CH " << ch;
    const std::pair<int, int> nine[] = {{0, 1}, {1, 2}, {9, 2}, {10, 3}, {18, 3}, {19, 4}, {30, 4}};
    for (auto [ch, n] : nine) EXPECT_EQ(AllowableScoreCA(ch, false), n) << "CH " << ch;
}

TEST(AllowableScores, HoleMaximum) {
    EXPECT_EQ(HoleMaximum(RuleSet::US, 9, true, 4), 6);   // par + 2
    EXPECT_EQ(HoleMaximum(RuleSet::US, -3, true, 5), 7);  // plus handicap: par + 2
    EXPECT_EQ(HoleMaximum(RuleSet::US, 10, true, 3), 7);  // absolute, whatever the par
    EXPECT_EQ(HoleMaximum(RuleSet::US, 40, true, 4), 10);
    EXPECT_EQ(HoleMaximum(RuleSet::US, 25, false, 4), 11);
    EXPECT_EQ(HoleMaximum(RuleSet::CA, 0, true, 4), 5);   // par + 1
    EXPECT_EQ(HoleMaximum(RuleSet::CA, 33, true, 4), 8);  // par + 4
    // An unknown par (0) caps nothing by a par-relative rule; an absolute maximum still holds.
    EXPECT_EQ(HoleMaximum(RuleSet::US, 9, true, 0), kNoHoleMaximum);
    EXPECT_EQ(HoleMaximum(RuleSet::CA, 33, true, 0), kNoHoleMaximum);
    EXPECT_EQ(HoleMaximum(RuleSet::US, 10, true, 0), 7);
    EXPECT_EQ(AllowedHoleScore(9, 7), 7);
    EXPECT_EQ(AllowedHoleScore(7, 7), 7);  // equal to the cap counts in full
    EXPECT_EQ(AllowedHoleScore(0, 7), 0);
}

TEST(AllowableScores, TextForms) {
    EXPECT_EQ(AllowableScoreText(US_18, 9), "+2");
    EXPECT_EQ(AllowableScoreText(US_18, 10), "7");
    EXPECT_EQ(AllowableScoreText(US_18, 40), "10");
    EXPECT_EQ(AllowableScoreText(US_F9, 4), "+2");
    EXPECT_EQ(AllowableScoreText(US_F9, 5), "7");
    EXPECT_EQ(AllowableScoreText(US_B9, 24), "10");
    EXPECT_EQ(AllowableScoreText(US_B9, 25), "11");
    EXPECT_EQ(AllowableScoreText(CA_18, 0), "+1");
    EXPECT_EQ(AllowableScoreText(CA_18, 19), "+3");
    EXPECT_EQ(AllowableScoreText(CA_F9, 9), "+2");
    EXPECT_EQ(AllowableScoreText(CA_B9, 10), "+3");

    const std::array<QString, 6> expected{"+2", "11", "+2", "+1", "+4", "+3"};
    const std::array<int, 6> courseHcps{9, 25, 4, 0, 19, 10};
    for (int v = 0; v < 6; ++v) EXPECT_EQ(AllowableScoreText(HcpVariant(v), courseHcps[v]), expected[v]);
}

}  // namespace
}  // namespace dc

// The main screen's round without a screen: starting values, previous indexes, course handicaps,
// allowable and capped scores, and what it hands the store.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "entry/MainRound.h"
#include "shell/AppContext.h"

using namespace dc;

TEST(MainRound, FiguresGiveCourseHcpsAllowableAndCappedScores) {
    Ctx().Reset();  // the decimal separator of the stored indexes
    MainRound r;
    r.SetStartValues(true);
    EXPECT_EQ(r.Figures()[0].prevIndex, 36.4);
    EXPECT_EQ(r.Figures()[1].prevIndex, 18.2);
    EXPECT_EQ(r.Figures()[0].prevTIndex, kNoTournIndex);

    PrevIndexes prev;
    prev.index[0] = 12.3f;  // stored in single precision, kept as written
    r.SetPrevious(prev, true);
    EXPECT_EQ(r.Figures()[0].prevIndex, 12.3);
    EXPECT_EQ(r.Figures()[0].currIndex, 12.3);
    EXPECT_EQ(r.Figures()[3].prevIndex, 36.4) << "a variant without a previous index keeps its value";

    r.UpdateCourseHcps(125);
    EXPECT_EQ(r.CourseHcp(1), 14);  // 13.606
    EXPECT_EQ(r.AllowScoreText(1), "7");
    r.UpdateCourseHcps(0);
    EXPECT_EQ(r.CourseHcp(1), 0) << "no slope, no course handicap";

    std::array<int, 18> gross, pars;
    gross.fill(4), pars.fill(4);
    RoundEntry entry;
    r.FillEntry(entry);
    EXPECT_EQ(entry.adjScore[0], std::nullopt) << "nothing capped before the gross scores were summed";
    r.UpdateAdjusted(gross, pars);
    EXPECT_EQ(r.Figures()[0].adjusted, 72);
    EXPECT_EQ(r.Figures()[1].adjusted, 36);
    // Each tick row reaches the entry on its own hole.
    r.SetTick(kRowGir, 1, 1);
    r.SetTick(kRowSand, 2, 1);
    r.SetTick(kRowFHit, 18, 1);
    r.FillEntry(entry);
    EXPECT_EQ(entry.prevIndex[0], 12.3);
    EXPECT_EQ(entry.prevTIndex[0], -100);
    EXPECT_EQ(entry.adjScore[0], 72);
    const auto ticked = [](const auto& row) { return std::count(row.begin(), row.end(), true); };
    EXPECT_TRUE(entry.gir[0] && entry.sand[1] && entry.fhit[17]);
    EXPECT_EQ(ticked(entry.gir) + ticked(entry.sand) + ticked(entry.fhit), 3);

    RoundRec own;
    own.HCP_INDEX.fill(12.3);
    own.THCP_INDEX.fill(kNoTournIndex);
    r.SetCurrent(own);
    EXPECT_EQ(r.CurrentCourseHcpText(1, 125), "14");
    own.HCP_INDEX[0] = 0;
    r.SetCurrent(own);
    EXPECT_EQ(r.CurrentCourseHcpText(1, 125), "0") << "an index of 0 is no plus index";
    own.THCP_INDEX[0] = -1.5;
    r.SetCurrent(own);
    EXPECT_EQ(r.CurrentCourseHcpText(1, 125), "+2 T") << "a plus tournament index";
    own.THCP_INDEX[0] = 0;
    r.SetCurrent(own);
    EXPECT_EQ(r.CurrentCourseHcpText(1, 125), "+0 T") << "a tournament 0 is a plus index";
}

// The gender's default index: a new round starts from it, a stored round keeps its own current index.
TEST(MainRound, GenderDefaultsLeaveAStoredRoundsCurrentIndex) {
    Ctx().Reset();
    MainRound r;
    r.SetNew();
    r.SetGenderDefaults(false);
    EXPECT_EQ(r.Figures()[US_18].prevIndex, 40.4);
    EXPECT_EQ(r.Figures()[US_18].currIndex, 40.4);
    RoundRec stored;
    stored.HCP_INDEX[CA_18] = 12.3f;
    stored.GAME_NUMBER = 3;
    r.SetStored(stored);
    r.SetCurrent(stored);
    r.SetGenderDefaults(true);
    EXPECT_EQ(r.Figures()[CA_18].prevIndex, 36.4);
    EXPECT_EQ(r.Figures()[CA_18].currIndex, 12.3);
}

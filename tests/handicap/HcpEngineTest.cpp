// The index procedures' scan and walk on rounds held in memory, with hand-computed expectations.
// Unless a test says otherwise a round is rated 72.0 with slope 113, so a differential is the
// adjusted score minus 72 (a nine: minus 36).
#include <gtest/gtest.h>

#include <deque>

#include "handicap/HcpEngine.h"
#include "handicap/HcpLookups.h"

namespace dc {
namespace {

const int kWindow = 20251206;  // today 6 December 2026: OneYearWindow() as a number

class FakeLookups : public HcpLookups {
  public:
    QHash<int, std::pair<QString, QString>> courses;
    double reduction = 0;
    int calls = 0, lastT = 0;
    double lastD = 0;
    std::optional<QString> CourseParsColumn(int courseId, int genderIndex) override {
        if (!courses.contains(courseId)) return std::nullopt;
        return genderIndex == 0 ? courses[courseId].first : courses[courseId].second;
    }
    double Reduction(int t, double d) override {
        ++calls;
        lastT = t;
        lastD = d;
        return reduction;
    }
};

// A player's rounds, oldest first; a round is an 18-hole handicap round of fives on par-4 holes.
class Rounds {
  public:
    HcpRound& Add(const char* date = "2026-06-01") {
        HcpRound r;
        r.gameNumber = static_cast<int>(rounds_.size()) + 1;
        r.date = DateKey(date).toInt();
        r.rating = 72.0;
        r.slope = 113;
        r.useHcp = true;
        r.SetPar("444444444444444444");
        r.gross.fill(5);
        r.gsf9 = r.gsb9 = 45;
        rounds_.push_back(r);
        return rounds_.back();
    }
    // An 18-hole round whose stored adjusted score (both rules) is `adj`.
    HcpRound& Full(int adj, const char* date = "2026-06-01") {
        HcpRound& r = Add(date);
        r.adjScore[US_18] = r.adjScore[CA_18] = adj;
        return r;
    }
    // A nine-hole round (front nine played) with stored adjusted score `adj`.
    HcpRound& Nine(int adj, double rating = 36.0, int slope = 113) {
        HcpRound& r = Add();
        r.gsb9 = 0;
        for (int i = 9; i < 18; ++i) r.gross[i] = 0;
        r.rating = rating;
        r.slope = slope;
        r.adjScore[US_18] = r.adjScore[CA_18] = adj;
        return r;
    }
    // The handicap rounds up to game g.
    std::vector<const HcpRound*> UpTo(int g) const {
        std::vector<const HcpRound*> list;
        for (const HcpRound& r : rounds_)
            if (r.useHcp && r.gameNumber <= g) list.push_back(&r);
        return list;
    }
    HcpRound& operator[](int game) { return rounds_[game - 1]; }
    int Last() const { return static_cast<int>(rounds_.size()); }

  private:
    std::deque<HcpRound> rounds_;
};

HcpOutcome Run18(const Rounds& p, int g, int mode, FakeLookups& lookups, int gender = 0,
                 RuleSet rules = RuleSet::US) {
    return HcpRun18(rules, p.UpTo(g), g, mode, gender, true, kWindow, lookups);
}

// ---- 18 holes

TEST(HandUtil18, NoHandicapRoundGivesTheDefault) {
    FakeLookups lookups;
    Rounds p;
    p.Full(80).useHcp = false;
    HcpOutcome men = Run18(p, 1, 1, lookups, 0);
    EXPECT_EQ(men.index, 36.4f);
    EXPECT_EQ(men.tIndex, -100.0f);
    EXPECT_FALSE(men.writeAdjScore);
    EXPECT_EQ(Run18(p, 1, 1, lookups, 1).index, 40.4f);
}

TEST(HandUtil18, FourDifferentialsGiveTheDefaultFiveAnIndex) {
    FakeLookups lookups;
    Rounds p;
    for (int adj : {84, 86, 87, 88}) p.Full(adj).rating = 71.6;  // 12.4, 14.4, 15.4, 16.4
    EXPECT_EQ(Run18(p, 4, 0, lookups).index, 36.4f);
    p.Full(90).rating = 71.6;
    const HcpOutcome out = Run18(p, 5, 0, lookups);
    EXPECT_EQ(out.index, 11.9f);  // 12.4 x 0.96 = 11.904
    EXPECT_EQ(out.tIndex, -100.0f);
    EXPECT_FALSE(out.writeAdjScore);  // Mode 0
    EXPECT_EQ(lookups.calls, 0);
}

// 25 handicap rounds, 22 of them within the year: the newest 20 count; games 5 and 4 are still
// scanned for tournament differentials; game 3, the first older than the window, ends the scan.
TEST(HandUtil18, TwentyDifferentialsThenOnlyTournamentRoundsInsideTheYear) {
    auto build = [](const char* game4Date) {
        Rounds p;
        p.Full(72, "2025-06-01").useTourn = true;
        p.Full(72, "2025-09-01").useTourn = true;
        p.Full(72, "2025-12-05").useTourn = true;
        p.Full(72, game4Date).useTourn = true;
        p.Full(72, "2026-01-10").useTourn = true;
        for (int i = 6; i <= 25; ++i) p.Full(92, "2026-03-01");  // 20.0 each
        return p;
    };
    FakeLookups lookups;
    lookups.reduction = 2.0;
    const HcpOutcome out = Run18(build("2025-12-06"), 25, 0, lookups);
    EXPECT_EQ(out.index, 19.2f);  // the twenty 20.0s, not the 0.0s of games 1 to 5
    EXPECT_EQ(lookups.calls, 1);
    EXPECT_EQ(lookups.lastT, 2);  // games 5 and 4 (on the window's edge), not 3, 2, 1
    EXPECT_DOUBLE_EQ(lookups.lastD, 19.2000007629395);
    EXPECT_EQ(out.tIndex, 17.2f);

    // A day earlier game 4 is older than the window and ends the scan: one tournament score.
    FakeLookups again;
    EXPECT_EQ(Run18(build("2025-12-05"), 25, 0, again).tIndex, -100.0f);
    EXPECT_EQ(again.calls, 0);
}

TEST(HandUtil18, FewerThanTwentyOldRoundsAllCount) {
    FakeLookups lookups;
    Rounds p;
    for (int i = 15; i >= 1; --i) p.Full(72 + i, "2019-04-01");  // differentials 15.0 .. 1.0
    // 15 differentials use the 6 lowest: 3.5 x 0.96 = 3.36.
    EXPECT_EQ(Run18(p, 15, 0, lookups).index, 3.3f);
}

// Newest first: a front nine (36.0, slope 120), an unrated round, a round with slope 0, a front
// nine stored with the 18-hole rating 72.0 (slope 126), then four rounds of 20.0. The two nines
// combine: 82 against 72.0 at slope 123 = 9.19 -> 9.2; 9.2 x 0.96 = 8.83.
TEST(HandUtil18, NinesCombineAcrossUnratedRounds) {
    FakeLookups lookups;
    Rounds p;
    for (int i = 0; i < 4; ++i) p.Full(92);
    p.Nine(42, 72.0, 126);
    p.Full(80).rating = 0;
    p.Full(80).slope = 0;
    p.Nine(40, 36.0, 120);
    EXPECT_EQ(Run18(p, 8, 0, lookups).index, 8.8f);
}

TEST(HandUtil18, EighteenHoleRoundDropsAWaitingNine) {
    FakeLookups lookups;
    Rounds p;
    for (int i = 0; i < 4; ++i) p.Full(92);
    p.Nine(36);  // would pair to 0.0 with game 7
    p.Full(82);  // 10.0
    p.Nine(36);
    EXPECT_EQ(Run18(p, 7, 0, lookups).index, 9.6f);
}

TEST(HandUtil18, ThreeNinesInARowPairTheNewestTwo) {
    FakeLookups lookups;
    Rounds p;
    for (int i = 0; i < 4; ++i) p.Full(92);
    p.Nine(36);  // waits and is left over
    p.Nine(41);
    p.Nine(41);  // 41 + 41 - 72 = 10.0
    EXPECT_EQ(Run18(p, 7, 0, lookups).index, 9.6f);
}

TEST(HandUtil18, StoredRatingOfFiftyIsAnEighteenHoleRating) {
    FakeLookups lookups;
    Rounds p;
    for (int i = 0; i < 4; ++i) p.Full(92);
    p.Nine(30, 50.0);  // counts 25.0
    p.Nine(41, 36.0);  // 71 against 61.0 = 10.0
    EXPECT_EQ(Run18(p, 6, 0, lookups).index, 9.6f);
}

// Eighteen rounds of 20.0 and two pairs of nines of 10.0 each: the ten lowest average 18.0, index
// 17.2. A pair is a tournament score when its older nine is one.
TEST(HandUtil18, PairTakesTheOlderNinesTournamentFlag) {
    auto build = [](bool olderTourn) {
        Rounds p;
        for (int i = 0; i < 18; ++i) p.Full(92);
        for (int pair = 0; pair < 2; ++pair) {
            p.Nine(41).useTourn = olderTourn;
            p.Nine(41).useTourn = !olderTourn;
        }
        return p;
    };
    FakeLookups lookups;
    lookups.reduction = 3.0;
    HcpOutcome out = Run18(build(true), 22, 0, lookups);
    EXPECT_EQ(out.index, 17.2f);
    EXPECT_EQ(lookups.lastT, 2);
    EXPECT_DOUBLE_EQ(lookups.lastD, 7.20000076293945);  // 17.2 as a single, minus 10.0
    EXPECT_EQ(IndexText(out.tIndex), "14.2");           // 14.2000008 held, stored as 14.2

    FakeLookups none;
    out = Run18(build(false), 22, 0, none);
    EXPECT_EQ(none.calls, 0);
    EXPECT_EQ(out.tIndex, -100.0f);
}

TEST(HandUtil18, ModeOneRecomputesOnlyWhenEveryEarlierGameIsAHandicapRound) {
    FakeLookups lookups;
    Rounds p;
    for (int i = 0; i < 5; ++i) p.Full(80);
    p[3].useHcp = false;
    p[5].gross.fill(9);  // would recompute to 162, not the stored 80
    const HcpOutcome out = Run18(p, 5, 1, lookups);
    EXPECT_FALSE(out.writeAdjScore);
    EXPECT_FALSE(out.writePar);
    EXPECT_EQ(out.index, 36.4f);  // 4 handicap rounds

    // Game 4 not a handicap round after three that are: nothing recomputed, the default written.
    Rounds q;
    for (int i = 0; i < 4; ++i) q.Full(80);
    q[4].useHcp = false;
    const HcpOutcome four = Run18(q, 4, 1, lookups);
    EXPECT_FALSE(four.writeAdjScore);
    EXPECT_EQ(four.index, 36.4f);
    EXPECT_EQ(four.tIndex, -100.0f);
}

// An imported round has no adjusted score yet. After a game that is not a handicap round the
// rule "every game up to g" no longer lets its own run compute one; counted as 0 it would give
// 0 - 72 = -72.0 and an index near -69.
TEST(HandUtil18, RoundWithoutAStoredScoreIsComputedOrLeftOut) {
    FakeLookups lookups;
    Rounds p;
    for (int i = 0; i < 6; ++i) p.Full(90);
    p[2].useHcp = false;
    p[6].adjScore[US_18] = 0;
    HcpOutcome out = Run18(p, 6, 1, lookups);
    EXPECT_TRUE(out.writeAdjScore);
    EXPECT_EQ(out.adjScore, 90);
    EXPECT_EQ(out.index, 17.2f);  // five rounds of 18.0

    // Mode 0 does not compute it: the round gives no differential, and a waiting nine still waits.
    EXPECT_EQ(Run18(p, 6, 0, lookups).index, 36.4f);  // four differentials
    Rounds q;
    for (int i = 0; i < 4; ++i) q.Full(92);
    q.Nine(41);
    q.Full(0);
    q.Nine(41);
    EXPECT_EQ(Run18(q, 7, 0, lookups).index, 9.6f);  // the pair of 10.0
}

TEST(HandUtil18, FirstGameIsRecomputedWithTheDefaultIndex) {
    FakeLookups lookups;
    Rounds p;
    p.Add().gross.fill(10);
    // Men: 36.4 -> course handicap 36 -> at most 9 a hole: 162. Women: 40.4 -> 40 -> 10: 180.
    HcpOutcome men = Run18(p, 1, 1, lookups, 0);
    EXPECT_TRUE(men.writeAdjScore);
    EXPECT_EQ(men.adjScore, 162);
    EXPECT_TRUE(men.writePar);
    EXPECT_EQ(men.par, "444444444444444444");
    EXPECT_EQ(Run18(p, 1, 1, lookups, 1).adjScore, 180);
    // With the 9-hole table the same handicap 36 allows 11 a hole: nothing is cut.
    EXPECT_EQ(HcpRun18(RuleSet::US, p.UpTo(1), 1, 1, 0, false, kWindow, lookups).adjScore, 180);
}

TEST(HandUtil18, ParsComeFromTheRoundTheCourseOrEighteenOnes) {
    FakeLookups lookups;
    Rounds p;
    HcpRound& r = p.Add();
    r.gross.fill(8);
    r.SetPar("");
    r.courseId = 7;
    r.teeBox = 1;
    // Canada, handicap 36: par + 4. No course row: pars of 1 -> 5 a hole.
    HcpOutcome out = Run18(p, 1, 1, lookups, 0, RuleSet::CA);
    EXPECT_EQ(out.adjScore, 90);
    EXPECT_EQ(out.par, "111111111111111111");

    lookups.courses[7] = {QString(18, '4') + QString(18, '5'), QString(18, '3')};
    out = Run18(p, 1, 1, lookups, 0, RuleSet::CA);  // men, tee box 1: pars of 5, at most 9
    EXPECT_EQ(out.adjScore, 144);
    EXPECT_EQ(out.par, QString(18, '5'));
    p[1].SetPar("000000000000000000");              // reads as no pars
    out = Run18(p, 1, 1, lookups, 1, RuleSet::CA);  // women (40.4): tee box 1 of WPARS is empty
    EXPECT_EQ(out.par, "");
    EXPECT_EQ(out.adjScore, 144);  // no par known: no par-relative cap
    p[1].teeBox = 0;
    EXPECT_EQ(Run18(p, 1, 1, lookups, 1, RuleSet::CA).adjScore, 126);  // pars of 3: at most 7
}

// Game 2 recomputed with the index of game 1: gross 8 on par-4 holes, slope 113.
TEST(HandUtil18, HoleMaximumFollowsThePreviousIndex) {
    auto adjusted = [](float prevIndex, float prevTIndex, RuleSet rules) {
        FakeLookups lookups;
        Rounds p;
        HcpRound& first = p.Full(80);
        first.hcpIndex[US_18] = first.hcpIndex[CA_18] = prevIndex;
        first.tHcpIndex[US_18] = first.tHcpIndex[CA_18] = prevTIndex;
        p.Add().gross.fill(8);
        return HcpRun18(rules, p.UpTo(2), 2, 1, 0, true, kWindow, lookups).adjScore;
    };
    EXPECT_EQ(adjusted(9.0f, -100, RuleSet::US), 108);   // handicap 9: par + 2
    EXPECT_EQ(adjusted(10.0f, -100, RuleSet::US), 126);  // 10: 7
    EXPECT_EQ(adjusted(40.0f, -100, RuleSet::US), 144);  // 40: 10, nothing cut
    EXPECT_EQ(adjusted(-3.0f, -100, RuleSet::US), 108);  // plus handicap: par + 2
    EXPECT_EQ(adjusted(20.0f, 9.0f, RuleSet::US), 108);  // the tournament index decides
    EXPECT_EQ(adjusted(0.4f, -100, RuleSet::CA), 90);    // Canada, handicap 0: par + 1
}

// ---- nine holes

HcpOutcome RunNine(const Rounds& p, int g, bool front, FakeLookups& lookups,
                   std::vector<NineWalkStep>* trace = nullptr, RuleSet rules = RuleSet::US, int gender = 0) {
    return HcpRunNine(rules, p.UpTo(g), g, gender, front, kWindow, lookups, trace);
}

// Marks nines as played (stored adjusted score above 0) and sets their stored index pairs.
void Played(HcpRound& r, bool front, bool back) {
    r.adjScore[US_F9] = front ? 45 : 0;
    r.adjScore[US_B9] = back ? 45 : 0;
    r.hcpIndex[US_F9] = r.gameNumber + 0.1f;
    r.hcpIndex[US_B9] = r.gameNumber + 0.2f;
    r.tHcpIndex[US_F9] = r.tHcpIndex[US_B9] = -100;
}

std::vector<std::pair<int, char>> Walk(const std::vector<NineWalkStep>& trace) {
    std::vector<std::pair<int, char>> w;
    for (const NineWalkStep& s : trace) w.push_back({s.gameNumber, s.front ? 'F' : 'B'});
    return w;
}

TEST(HandUtilNine, NoHandicapRoundGivesTheNineHoleDefault) {
    FakeLookups lookups;
    Rounds p;
    p.Add().useHcp = false;
    const HcpOutcome out = RunNine(p, 1, true, lookups);
    EXPECT_EQ(out.index, 18.2f);
    EXPECT_EQ(out.tIndex, -100.0f);
    EXPECT_FALSE(out.writeAdjScore);
    EXPECT_EQ(RunNine(p, 1, false, lookups, nullptr, RuleSet::CA, 1).index, 20.2f);
}

// Tables A and B in one walk. Game: 1 both nines, 2 front only, 3 back only, 4 neither tests as
// played, 5 back only, 6 both. Stored index of game N: F9 N.1, B9 N.2.
TEST(HandUtilNine, WalkAndPreviousIndexTables) {
    FakeLookups lookups;
    Rounds p;
    const bool played[6][2] = {{true, true},   {true, false}, {false, true},
                               {false, false}, {false, true}, {true, true}};
    for (auto [front, back] : played) Played(p.Add(), front, back);
    std::vector<NineWalkStep> trace;
    RunNine(p, 6, false, lookups, &trace);
    const std::vector<std::pair<int, char>> expected{{6, 'B'}, {6, 'F'}, {5, 'B'}, {4, 'B'},
                                                     {3, 'B'}, {2, 'F'}, {1, 'B'}, {1, 'F'}};
    EXPECT_EQ(Walk(trace), expected);
    // 6B: own F9; 6F: older's B9; 5B: older (neither) F9; 4B: older's B9; 3B: older's F9 (its back
    // not played); 2F: older's B9; 1B: own F9; 1F: no older round, the default.
    const float prev[] = {6.1f, 5.2f, 4.1f, 3.2f, 2.1f, 1.2f, 1.1f, 18.2f};
    for (size_t i = 0; i < trace.size(); ++i) EXPECT_EQ(trace[i].prevIndex, prev[i]) << "nine " << i;
    for (const NineWalkStep& s : trace) EXPECT_TRUE(s.scored);  // game 4 is re-scored from its holes
}

TEST(HandUtilNine, FrontNineAfterRoundsWithoutABackNine) {
    FakeLookups lookups;
    Rounds p;
    Played(p.Add(), true, false);
    Played(p.Add(), true, false);
    std::vector<NineWalkStep> trace;
    RunNine(p, 2, true, lookups, &trace);
    EXPECT_EQ(Walk(trace), (std::vector<std::pair<int, char>>{{2, 'F'}, {1, 'F'}}));
    EXPECT_EQ(trace[0].prevIndex, 1.1f);  // the older round's F9 pair
    Played(p[1], false, false);
    trace.clear();
    RunNine(p, 2, true, lookups, &trace);
    EXPECT_EQ(trace[0].prevIndex, 18.2f);  // neither nine played: the default pair
    EXPECT_EQ(Walk(trace), (std::vector<std::pair<int, char>>{{2, 'F'}, {1, 'F'}}));
}

TEST(HandUtilNine, BackNineWithoutItsFrontTakesTheOlderRoundsPair) {
    FakeLookups lookups;
    Rounds p;
    Played(p.Add(), true, true);
    Played(p.Add(), false, true);
    std::vector<NineWalkStep> trace;
    RunNine(p, 2, false, lookups, &trace);
    EXPECT_EQ(trace[0].prevIndex, 1.2f);
    Played(p[1], true, false);
    trace.clear();
    RunNine(p, 2, false, lookups, &trace);
    EXPECT_EQ(trace[0].prevIndex, 1.1f);
    Played(p[1], false, true);
    trace.clear();
    RunNine(p, 1, false, lookups, &trace);  // no front nine and no older round
    EXPECT_EQ(trace[0].prevIndex, 18.2f);
}

// Each nine of fives against 36.0 is 9.0; game 1's front nine of fours is 0.0.
TEST(HandUtilNine, CountsNinesFromBothRoundsAndTheGamesOwn) {
    FakeLookups lookups;
    Rounds p;
    for (int i = 0; i < 3; ++i) Played(p.Add(), true, true);
    for (int i = 0; i < 9; ++i) p[1].gross[i] = 4;
    // Two rounds: the back-nine run of game 2 finds four nines.
    EXPECT_EQ(RunNine(p, 2, false, lookups).index, 18.2f);
    // Three: the front-nine run of game 3 finds five nines (game 3's back nine left out) ...
    std::vector<NineWalkStep> trace;
    EXPECT_EQ(RunNine(p, 3, true, lookups, &trace).index, 0.0f);
    EXPECT_EQ(Walk(trace),
              (std::vector<std::pair<int, char>>{{3, 'F'}, {2, 'B'}, {2, 'F'}, {1, 'B'}, {1, 'F'}}));
    // ... and its back-nine run six, starting with the back nine and then the front nine of game 3.
    trace.clear();
    RunNine(p, 3, false, lookups, &trace);
    EXPECT_EQ(trace.size(), 6u);
    EXPECT_EQ(trace[1].gameNumber, 3);
    EXPECT_TRUE(trace[1].front);
}

// Gross 8 on par-4 holes; the game's own front nine index 4.0 gives handicap 4: par + 2 = 54.
TEST(HandUtilNine, BackNineIsScoredWithTheGamesOwnFrontNineIndex) {
    FakeLookups lookups;
    Rounds p;
    Played(p.Add(), true, true);
    p[1].hcpIndex[US_B9] = 20.0f;
    HcpRound& g = p.Add();
    g.gross.fill(8);
    Played(g, true, false);
    g.hcpIndex[US_F9] = 4.0f;
    const HcpOutcome out = RunNine(p, 2, false, lookups);
    EXPECT_TRUE(out.writeAdjScore);
    EXPECT_EQ(out.adjScore, 54);
}

TEST(HandUtilNine, NineHoleMaximaAndRatings) {
    auto firstNine = [](float prevIndex, int gross, RuleSet rules,
                        const QString& par = "444444444444444444") {
        FakeLookups lookups;
        Rounds p;
        Played(p.Add(), true, true);
        p[1].hcpIndex[US_B9] = p[1].hcpIndex[CA_B9] = prevIndex;
        p[1].adjScore[CA_B9] = 45;
        p[1].tHcpIndex[CA_B9] = -100;
        HcpRound& g = p.Add();
        g.gross.fill(gross);
        g.SetPar(par);
        std::vector<NineWalkStep> trace;
        HcpRunNine(rules, p.UpTo(2), 2, 0, true, kWindow, lookups, &trace);
        return trace[0].adjusted;
    };
    EXPECT_EQ(firstNine(4.0f, 9, RuleSet::US), 54);    // handicap 4: par + 2
    EXPECT_EQ(firstNine(5.0f, 9, RuleSet::US), 63);    // 5: 7
    EXPECT_EQ(firstNine(25.0f, 11, RuleSet::US), 99);  // 25: 11, a gross equal to it counts in full
    EXPECT_EQ(firstNine(25.0f, 12, RuleSet::US), 99);
    EXPECT_EQ(firstNine(0.0f, 9, RuleSet::CA), 45);   // Canada 0: par + 1
    EXPECT_EQ(firstNine(19.0f, 9, RuleSet::CA), 72);  // 19: par + 4
    // No pars for the round nor its course: a par-relative cap does not apply, an absolute one does.
    EXPECT_EQ(firstNine(4.0f, 5, RuleSet::US, ""), 45);
    EXPECT_EQ(firstNine(0.0f, 5, RuleSet::CA, ""), 45);
    EXPECT_EQ(firstNine(5.0f, 9, RuleSet::US, ""), 63);

    FakeLookups lookups;
    Rounds p;
    p.Add().rating = 71.0;  // 45 against 35.5
    std::vector<NineWalkStep> trace;
    RunNine(p, 1, true, lookups, &trace);
    EXPECT_EQ(trace[0].differential, 9.5f);
    p[1].rating = 50.0;  // used as it is
    trace.clear();
    RunNine(p, 1, true, lookups, &trace);
    EXPECT_EQ(trace[0].differential, -5.0f);
}

// A round stored without pars (an imported one) is capped by its tee box's pars, by gender.
TEST(HandUtilNine, RoundWithoutParsTakesItsTeeBoxPars) {
    FakeLookups lookups;
    lookups.courses[7] = {QString(18, '0') + QString(18, '3'), QString(18, '0') + QString(18, '4')};
    Rounds p;
    HcpRound& g = p.Add();
    g.gross.fill(9);
    g.courseId = 7;
    g.teeBox = 1;
    for (const char* none : {"", "000000000000000000"}) {
        g.SetPar(none);
        std::vector<NineWalkStep> trace;
        // Default index 18.2 (men), Canada nine: par + 3. Men's pars 3 -> 6 a hole; women (20.2): par + 4,
        // pars 4 -> 8.
        HcpRunNine(RuleSet::CA, p.UpTo(1), 1, 0, true, kWindow, lookups, &trace);
        EXPECT_EQ(trace[0].adjusted, 54) << none;
        trace.clear();
        HcpRunNine(RuleSet::CA, p.UpTo(1), 1, 1, true, kWindow, lookups, &trace);
        EXPECT_EQ(trace[0].adjusted, 72) << none;
    }
    g.teeBox = 0;  // a slot of zeros: no par known, nothing capped
    std::vector<NineWalkStep> trace;
    HcpRunNine(RuleSet::CA, p.UpTo(1), 1, 0, true, kWindow, lookups, &trace);
    EXPECT_EQ(trace[0].adjusted, 81);
}

TEST(HandUtilNine, UnratedNineMovesTheWalkOnWithoutAScore) {
    FakeLookups lookups;
    Rounds p;
    Played(p.Add(), true, true);
    HcpRound& g = p.Add();
    g.slope = 0;
    std::vector<NineWalkStep> trace;
    const HcpOutcome out = RunNine(p, 2, true, lookups, &trace);
    EXPECT_FALSE(trace[0].scored);
    EXPECT_EQ(trace.size(), 3u);  // 2F, 1B, 1F
    EXPECT_FALSE(out.writeAdjScore);
}

// Thirteen full rounds, each nine 9.0 except games 2 and 3 (0.0, tournament rounds inside the
// year); game 1, also a tournament round, is older than the year.
TEST(HandUtilNine, AfterTwentyOnlyTournamentNinesInsideTheYear) {
    FakeLookups lookups;
    Rounds p;
    Played(p.Add("2025-01-01"), true, true);
    p[1].useTourn = true;
    for (int game = 2; game <= 13; ++game) {
        HcpRound& r = p.Add("2026-02-01");
        Played(r, true, true);
        if (game <= 3) {
            r.useTourn = true;
            r.gross.fill(4);
        }
    }
    std::vector<NineWalkStep> trace;
    const HcpOutcome out = RunNine(p, 13, false, lookups, &trace);
    EXPECT_EQ(trace.size(), 24u);  // games 13 to 2; game 1 ends the walk
    EXPECT_EQ(out.index, 8.6f);    // twenty nines of 9.0
    EXPECT_EQ(lookups.lastT, 4);   // the four nines of games 3 and 2
}

TEST(HandUtilNine, GameThatIsNotAHandicapRoundStartsAtTheNewestHandicapRound) {
    FakeLookups lookups;
    Rounds p;
    Played(p.Add(), true, true);
    Played(p.Add(), true, true);
    p.Add().useHcp = false;
    std::vector<NineWalkStep> trace;
    const HcpOutcome out = RunNine(p, 3, true, lookups, &trace);
    EXPECT_EQ(trace[0].gameNumber, 2);
    EXPECT_TRUE(trace[0].front);
    EXPECT_FALSE(out.writeAdjScore);
}

TEST(HandUtilNine, RoundWithBothScoresZeroGivesOneNineOfTheSameKind) {
    FakeLookups lookups;
    Rounds p;
    Played(p.Add(), false, false);
    Played(p.Add(), true, true);
    std::vector<NineWalkStep> trace;
    RunNine(p, 2, false, lookups, &trace);
    EXPECT_EQ(Walk(trace), (std::vector<std::pair<int, char>>{{2, 'B'}, {2, 'F'}, {1, 'F'}}));
    Played(p[2], false, true);
    trace.clear();
    RunNine(p, 2, false, lookups, &trace);
    EXPECT_EQ(Walk(trace), (std::vector<std::pair<int, char>>{{2, 'B'}, {1, 'B'}}));
}

// The walk's first nine was not played (a back nine asked of a front-nine round): it gives no
// differential and no adjusted score, and the walk goes on to the same round's front nine. Scored
// from holes of 0 it would give 0 - 36 = -36.0 and an index near -35.
TEST(HandUtilNine, FirstNineNotPlayedGivesNothing) {
    FakeLookups lookups;
    Rounds p;
    for (int i = 0; i < 3; ++i) Played(p.Add(), true, true);
    HcpRound& frontOnly = p.Nine(45, 72.0);
    Played(frontOnly, true, false);
    std::vector<NineWalkStep> trace;
    const HcpOutcome out = RunNine(p, 4, false, lookups, &trace);
    EXPECT_FALSE(trace[0].scored);
    EXPECT_EQ(trace[1].gameNumber, 4);
    EXPECT_TRUE(trace[1].front);
    EXPECT_FALSE(out.writeAdjScore);
    EXPECT_EQ(out.index, 8.6f);  // seven nines of 9.0: the lowest two
    EXPECT_EQ(out.tIndex, -100.0f);
}

// Steps kept for settled rounds give the same walk as steps worked out afresh, for every game of
// a history of full rounds, single nines, unplayed nines and tournament rounds.
TEST(HandUtilNine, KeptStepsWalkAsFreshOnes) {
    FakeLookups lookups;
    lookups.reduction = 1.5;
    Rounds p;
    for (int game = 1; game <= 40; ++game) {
        HcpRound& r = p.Add(game < 10 ? "2025-03-01" : "2026-03-01");
        Played(r, game % 7 != 3, game % 5 != 2);
        r.hcpIndex[US_F9] = 4.0f + game % 9;
        r.tHcpIndex[US_B9] = game % 4 == 0 ? 3.0f : -100;
        r.useTourn = game % 3 == 0;
        for (int i = 0; i < 18; ++i) r.gross[i] = 3 + (game * 7 + i * 3) % 6;
    }
    for (bool front : {true, false}) {
        NineStepStore store;
        store.Reset(p.Last());
        for (int g = 1; g <= p.Last(); ++g) {
            store.Settle(g - 1);
            const std::vector<const HcpRound*> list = p.UpTo(g);
            std::vector<NineWalkStep> fresh, kept;
            const HcpOutcome a = HcpRunNine(RuleSet::US, list, g, 0, front, kWindow, lookups, &fresh);
            const HcpOutcome b = HcpRunNine(RuleSet::US, list, g, 0, front, kWindow, lookups, &kept, &store);
            ASSERT_EQ(fresh.size(), kept.size()) << g;
            for (size_t i = 0; i < fresh.size(); ++i) {
                EXPECT_EQ(fresh[i].gameNumber, kept[i].gameNumber);
                EXPECT_EQ(fresh[i].adjusted, kept[i].adjusted);
                EXPECT_EQ(fresh[i].differential, kept[i].differential);
            }
            EXPECT_EQ(std::tie(a.index, a.tIndex, a.adjScore, a.writeAdjScore),
                      std::tie(b.index, b.tIndex, b.adjScore, b.writeAdjScore))
                << g;
        }
    }
}

}  // namespace
}  // namespace dc

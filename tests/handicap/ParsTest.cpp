// How every variant reads a round's pars: an unknown par (0) caps nothing, on the main screen and in
// the index procedures alike, and a pars text stored with blanks around it reads hole by hole.
#include <gtest/gtest.h>

#include "EngineDb.h"
#include "entry/RoundRules.h"
#include "handicap/AllowableScores.h"
#include "handicap/HcpEngine.h"
#include "handicap/HcpLookups.h"
#include "handicap/RoundRec.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"

namespace dc::test {
namespace {

std::array<int, 18> Digits(const QString& pars) {
    std::array<int, 18> d{};
    for (int h = 1; h <= 18; ++h) d[h - 1] = ParOfHole(pars, h);
    return d;
}

// The main screen's adjusted scores of a round of eights, for course handicaps in every variant.
TEST(UnknownPars, CapNothingInAnyVariantOnTheMainScreen) {
    std::array<int, 18> gross;
    gross.fill(8);
    const struct {
        int courseHcp;
        QString pars;
        std::array<int, 6> adjusted;  // US_18, US_F9, US_B9, CA_18, CA_F9, CA_B9
    } cases[] = {
        // Par-relative everywhere (US up to 9 / 4, Canada always): par + 2.
        {3, QString(18, '4'), {108, 54, 54, 108, 54, 54}},
        {3, QString(18, '0'), {144, 72, 72, 144, 72, 72}},
        {3, QString(), {144, 72, 72, 144, 72, 72}},
        // US absolute (10 a hole; the nine's text stops at 10), Canada par + 4: a tee box without
        // pars stored 79 as 68 here.
        {40, QString(18, '0'), {144, 72, 72, 144, 72, 72}},
        {40, QString(18, '3'), {144, 72, 72, 126, 63, 63}},
        // Pars on the front nine only: the back nine is not capped.
        {3, QString(9, '4') + QString(9, '0'), {126, 54, 72, 126, 54, 72}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("%1 %2").arg(c.courseHcp).arg(c.pars).toStdString());
        std::array<int, 6> hcps;
        hcps.fill(c.courseHcp);
        EXPECT_EQ(AdjustedScores(gross, Digits(c.pars), hcps), c.adjusted);
    }
}

class NoLookups : public HcpLookups {
  public:
    std::optional<QString> slot;  // the course's pars column, both genders
    std::optional<QString> CourseParsColumn(int, int) override { return slot; }
    double Reduction(int, double) override { return 0; }
};

// Game 2 of a player whose game 1 left an index of 2.0 in every variant (course handicap 2, par
// relative under both rules), stored without pars; its tee box has none either.
TEST(UnknownPars, CapNothingInTheIndexProcedures) {
    std::array<HcpRound, 2> rounds;
    for (HcpRound& r : rounds) {
        r.gameNumber = static_cast<int>(&r - rounds.data()) + 1;
        r.date = 20260601;
        r.rating = 72.0;
        r.slope = 113;
        r.useHcp = true;
        r.gross.fill(8);
        r.gsf9 = r.gsb9 = 72;
        r.SetPar("");
        r.hcpIndex.fill(2.0f);
        r.tHcpIndex.fill(kNoTournIndexF);
        r.adjScore.fill(72);
    }
    const std::vector<const HcpRound*> list{&rounds[0], &rounds[1]};
    NoLookups lookups;
    for (const QString& slot : {QString(18, '0'), QString(18, ' '), QString()}) {
        lookups.slot = slot;
        for (RuleSet rules : {RuleSet::US, RuleSet::CA}) {
            SCOPED_TRACE(
                QString("slot '%1' %2").arg(slot).arg(rules == RuleSet::US ? "US" : "CA").toStdString());
            EXPECT_EQ(HcpRun18(rules, list, 2, 1, 0, true, 20251206, lookups).adjScore, 144);
            for (bool front : {true, false}) {
                std::vector<NineWalkStep> trace;
                HcpRunNine(rules, list, 2, 0, front, 20251206, lookups, &trace);
                ASSERT_FALSE(trace.empty());
                EXPECT_EQ(trace[0].adjusted, 72) << (front ? "front" : "back");
            }
        }
    }
}

class PaddedPars : public EngineDb {};

// A round whose PAR holds blanks around its digits adjusts each nine exactly like one without, after
// the recomputation of every round. Its 18-hole scores are not recomputed (the game before it is not
// a handicap round), so its PAR is read as stored. Front pars 3,5,4,4,5,5,3,3,3 (35), back 37.
TEST_F(PaddedPars, ReadHoleByHoleInEveryNine) {
    const QString pars = "354455333454444444";
    for (int player : {1, 2}) {
        AddPlayer(player);
        TestRound casual = Round(player, 1, "2026-05-01");
        casual.hcp = false;
        AddRound(casual);
        TestRound r = Round(player, 2);
        r.gross.fill(9);
        r.par = player == 1 ? " " + pars + " " : pars;
        r.columns = {{"ADJSCR_US_18", 150}, {"ADJSCR_CA_18", 150}};
        AddRound(r);
    }
    ASSERT_TRUE(ResynchAllScores(TestDb()).ok);
    // Each nine from the default 18.2: US at most 9 a hole, Canada par + 3 (35 + 27, 37 + 27).
    const std::map<QString, int> expected{{"US_F9", 81}, {"US_B9", 81}, {"CA_F9", 62}, {"CA_B9", 64}};
    for (const auto& [variant, adjusted] : expected) {
        const QString column = "ADJSCR_" + variant;
        EXPECT_EQ(Value(1, 2, column).toInt(), adjusted) << column.toStdString();
        EXPECT_EQ(Value(1, 2, column), Value(2, 2, column)) << column.toStdString();
    }
    EXPECT_EQ(Value(1, 2, "PAR").toString(), " " + pars + " ") << "the 18-hole scores were not recomputed";
    EXPECT_EQ(ParOfHole(" " + pars + " ", 1), 3) << "the statistics read the same pars";
    EXPECT_EQ(ParOfHole(" " + pars + " ", 18), 4);
}

}  // namespace
}  // namespace dc::test

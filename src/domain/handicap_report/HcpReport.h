#pragma once
// The handicap report of one player, recomputed from his stored rounds: the scores counted (newest
// first, at most 20, nine-hole rounds paired for 18 holes), the lowest ones marked, the index and
// the report's own tournament index. The card figures count scores the same way.

#include <QString>
#include <vector>

#include "handicap/HcpRound.h"
#include "handicap/HcpRules.h"

namespace dc {

// One stored round with the texts the report shows for it.
struct ReportRound {
    HcpRound round;  // rating read with one decimal, an empty tournament index read as none
    int gsTotal = 0;
    QString course;  // trimmed course name; "" when the course row is gone
    QString tee;     // trimmed tee-box name of the round's slot
    QString date;    // ROUND_DATE in the user's date order
};

// One counted score: an 18-hole round, a pair of nines, or (nine-hole report) one nine.
struct CountedScore {
    int gross = 0;     // gross total (pair: the sum of both; nine: the nine's gross)
    int adjusted = 0;  // the adjusted score the differential is taken from
    float diff = 0;
    bool tourn = false;
    bool pair = false;
    QString course, tee, date;  // as the report's fields hold them (30, 7 and 10 characters at most)
};

// The scores of the 18-hole report: rounds without USE_HCP, a rating, a slope or an adjusted score
// count for nothing; a round with one nine played (its gross sum not 0) waits for the next such
// round further back to make a pair. Stops at 20.
std::vector<CountedScore> CountScores18(const std::vector<ReportRound>& rounds, RuleSet rules);
// The scores of the nine-hole report: each played nine (adjusted and gross sums above 0), back
// before front; the rating halved from 50 on. Stops at 20, after the round's back nine at the latest.
std::vector<CountedScore> CountScores9(const std::vector<ReportRound>& rounds, RuleSet rules);

// Score numbers in ascending order of their differentials; equal ones keep counting order.
std::vector<int> LowestOrder(const std::vector<float>& diffs);
// Per score: whether it is among the ScoresUsedTable lowest (none below 5 scores).
std::vector<bool> LowestMarks(const std::vector<float>& diffs);

// The amount added to the mean of the two lowest tournament differentials, by their count.
double TournMinDiff(int t);

enum class TournState { FewerThanTwo, TooHigh, Shown };

// The report's tournament index from its index and the tournament differentials in counting order:
// fewer than 2 give none; index - second lowest <= 3.0 is too high; else the mean of the two lowest
// plus TournMinDiff, too high again when it is not at least 1.0 below the index.
struct ReportTourn {
    TournState state = TournState::FewerThanTwo;
    float tIndex = kNoTournIndexF;
    std::vector<int> lowest;  // the two lowest, by number, once the first test is passed
};
ReportTourn ReportTournament(float index, const std::vector<float>& tournDiffs);

struct HcpReport {
    std::vector<CountedScore> scores;
    std::vector<bool> marked;
    int scoresUsed = 0;
    float index = 0;
    TournState tourn = TournState::FewerThanTwo;
    float tIndex = kNoTournIndexF;
    // The two lowest tournament scores, listed below the scores once index - T2 is above 3.0.
    std::vector<CountedScore> lowestTourn;
    bool Enough() const { return scores.size() >= 5; }
};

// The report from counted scores; with fewer than 5 only `scores` is filled.
HcpReport BuildReport(std::vector<CountedScore> scores);

// The number a report row shows: the gross total, or for a nine the adjusted nine score.
inline int ReportScore(const CountedScore& s, bool nineHoles) { return nineHoles ? s.adjusted : s.gross; }

// A score as the report lists it: the number, "T" for a tournament score, "*" when marked.
QString ScoreText(int score, bool tourn, bool marked = false);
// The report's texts of an index: "12.3", "+1.2" at 0 or below; "<2 Scores" / "Too High" for the
// tournament index without a value.
QString ReportIndexText(float index);
QString ReportTournText(const HcpReport& report);

// The index pair stored with a round for the shown variant: 18 holes, or the back nine when it
// was played (its gross above 0), else the front nine.
struct StoredIndexes {
    float index = 0;
    float tIndex = kNoTournIndexF;
};
StoredIndexes StoredIndexesOf(const HcpRound& round, bool is18, RuleSet rules);

}  // namespace dc

#pragma once
// The computation of the four index procedures on rounds held in memory: the newest-first scan of
// the 18-hole procedures (with nine-hole pairs) and the walk over nines of the nine-hole ones.
// Both the single procedures of HandUtil and the recomputation of every round use it.

#include <QString>
#include <span>
#include <vector>

#include "handicap/HcpRound.h"
#include "handicap/HcpRules.h"

namespace dc {

class HcpLookups;

// `rounds` are the player's handicap rounds with game number up to g, oldest first; the scan
// starts at the back. `window` is OneYearWindow() as the number yyyymmdd. Mode 1 lets game g's
// adjusted score be recomputed from its hole scores when every game 1 to g is a handicap round, or
// when it has none stored; `is18` picks the allowable-score table for that. A round whose adjusted
// score is 0 (never computed) gives no differential.
HcpOutcome HcpRun18(RuleSet rules, std::span<const HcpRound* const> rounds, int gameNumber, int mode,
                    int genderIndex, bool is18, int window, HcpLookups& lookups);

// One nine of the walk of a nine-hole run, in walk order.
struct NineWalkStep {
    int gameNumber = 0;
    bool front = true;
    float prevIndex = 0;  // the index pair in effect before this nine
    float prevTIndex = 0;
    bool scored = false;  // false: no rating, slope or holes; gives no differential
    int adjusted = 0;
    float differential = 0;
};

// The nine-hole index after the front (or back) nine of game g; same `rounds` as above. A nine of
// the walk whose gross sum is 0 (not played) gives nothing, like a nine without rating. `trace`
// receives the nines walked.
HcpOutcome HcpRunNine(RuleSet rules, std::span<const HcpRound* const> rounds, int gameNumber, int genderIndex,
                      bool frontNine, int window, HcpLookups& lookups,
                      std::vector<NineWalkStep>* trace = nullptr);

// Recomputed 18-hole adjusted score of a round for a course handicap, with the pars it used: the
// round's own, else the course's slot for the tee box, else eighteen ones when the course is gone.
int RecomputedScore18(RuleSet rules, const HcpRound& round, int courseHcp, int genderIndex, bool is18,
                      HcpLookups& lookups, QString& parsUsed);

}  // namespace dc

#pragma once
// The computation of the four index procedures on rounds held in memory: the newest-first scan of
// the 18-hole procedures (with nine-hole pairs) and the walk over nines of the nine-hole ones.
// Both the single procedures of HandUtil and the recomputation of every round use it.

#include <QString>
#include <optional>
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

// The nines of the walks already worked out, for a run over many games of one player: each game
// walks back over the same older nines again. A nine's step depends only on its round and the one
// before it, so it is kept once both no longer change. Positions are those in the `rounds` given,
// which must then all be prefixes of one list; one store per rule set.
class NineStepStore {
  public:
    // `rounds` positions; those below `settled` (and their rounds) no longer change.
    void Reset(size_t rounds) { steps_.assign(rounds * 2, std::nullopt); }
    void Settle(size_t settled) { settled_ = settled; }
    std::optional<NineWalkStep>* Find(size_t position, bool front) {
        return position < settled_ ? &steps_[position * 2 + (front ? 0 : 1)] : nullptr;
    }

  private:
    std::vector<std::optional<NineWalkStep>> steps_;
    size_t settled_ = 0;
};

// The nine-hole index after the front (or back) nine of game g; same `rounds` as above. A nine of
// the walk whose gross sum is 0 (not played) gives nothing, like a nine without rating. `trace`
// receives the nines walked; `store`, when given, keeps and gives back the steps of settled rounds.
HcpOutcome HcpRunNine(RuleSet rules, std::span<const HcpRound* const> rounds, int gameNumber, int genderIndex,
                      bool frontNine, int window, HcpLookups& lookups,
                      std::vector<NineWalkStep>* trace = nullptr, NineStepStore* store = nullptr);

// Recomputed 18-hole adjusted score of a round for a course handicap, with the pars it used: the
// round's own, else the course's slot for the tee box, else eighteen ones when the course is gone.
int RecomputedScore18(RuleSet rules, const HcpRound& round, int courseHcp, int genderIndex, bool is18,
                      HcpLookups& lookups, QString& parsUsed);

}  // namespace dc

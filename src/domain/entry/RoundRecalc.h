#pragma once
// Saving a round with everything that follows from it, as one unit: the round is stored, the
// player's games renumbered by date, and the indexes of the saved game and every later game
// recomputed by both rule sets (18 holes and each played nine of each game). Either all of it is
// written or, on any error, none of it.

#include <memory>
#include <optional>
#include <vector>

#include "handicap/HcpRound.h"
#include "handicap/Progress.h"

namespace dc {

class Database;
class HcpLookups;
struct RoundEntry;

// Which games to recompute after a save, and the mode of the 18-hole runs.
struct RecalcRange {
    int first = 0;  // games first..last; none when first > last
    int last = 0;
    int mode = 1;
};
// newRound: the shown round was new; oldGame: the game number it had on the screen (stored round);
// game: its number after renumbering; count: the player's number of rounds; genderCorrected: the
// save corrects the player's gender. A new round that became the newest runs alone in mode 0; a
// stored round is recomputed from the earlier of its old and new positions, and at least itself,
// since storing wrote its previous indexes into its index columns; a corrected gender recomputes
// every game.
RecalcRange ChooseRecalcRange(bool newRound, int oldGame, int game, int count, bool genderCorrected = false);

// Whether a save of the entry corrects its player's gender: the round's gender is not the one
// stored for him.
bool CorrectsGender(Database& db, const RoundEntry& entry);

struct SaveOutcome {
    int gameNumber = 1;  // the saved round's game after renumbering
    int rndGameId = 0;   // and its round key
    int count = 0;       // the player's rounds
    RecalcRange range;
    std::optional<HcpOutcome> lastRun;  // the recomputation's last run, when it ran
};

// Stores the round (a new row when it is new, else over its stored row), renumbers and recomputes
// (RecomputeGames) in one transaction, as the recomputation of every round computes them whatever
// the screen shows. The round's gender is stored as its player's; a corrected one recomputes all
// of his games. `progress` steps after each game of a range of more than 6 games. Throws on
// error, having changed nothing.
SaveOutcome SaveAndRecalculate(Database& db, const RoundEntry& entry, ProgressReporter* progress = nullptr);

// What a save of a round would leave for it, worked out in memory without writing anything: the
// player's stored rounds with the round stored and renumbered as the save does, the games before it
// that the save recomputes recomputed, then the round itself, by the same computation.
class SavePreview {
  public:
    // Places the entry's round (its date, whether it is new, which stored row it is) among the
    // player's stored rounds. A round without a date stays where it is stored, a new one comes last.
    SavePreview(Database& db, const RoundEntry& entry);
    ~SavePreview();
    // The round's game after the save, and the stored rounds before it and before it used for
    // handicap, as the save leaves them (nothing when there is none).
    int Game() const { return game_; }
    const HcpRound* Before() const;
    const HcpRound* BeforeHandicap() const;
    // The round as the save leaves it when it is stored from `entry` (the placed round, with its
    // figures as the screen has them now).
    HcpRound Saved(const RoundEntry& entry);

  private:
    std::unique_ptr<HcpLookups> lookups_;
    std::vector<HcpRound> rounds_;  // game order, the entry's round at game_
    int game_ = 1;
    RecalcRange range_;
};

}  // namespace dc

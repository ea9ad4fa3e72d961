#pragma once
// What the main screen reads of the stored rounds and players. Each call throws DbError when the
// database fails.

#include <QDate>
#include <QString>
#include <optional>

#include "handicap/RoundRec.h"

namespace dc {

class Database;

// A round as paging shows it: the round, which of its costs are empty, the round before it and the
// handicap round before it.
struct PagedRound {
    RoundRec round;
    bool gameCostNull = false, cartCostNull = false, otherCostNull = false;
    std::optional<RoundRec> previous, previousHandicap;
};

// The rounds a new round follows once it is stored and renumbered by date: the player's rounds of
// its date and before.
struct RoundsBefore {
    int count = 0;
    std::optional<RoundRec> last;          // the newest of them
    std::optional<RoundRec> lastHandicap;  // the newest of them used for handicap
};

class MainRoundStore {
  public:
    explicit MainRoundStore(Database& db) : db_(db) {}

    // The player's GENDER; nothing when there is no such player.
    std::optional<QString> PlayerGender(int playerId);
    // How many rounds the player has (the rounds with a first-hole score field).
    int RoundCount(int playerId);
    // The player's highest game number (0 without rounds).
    int MaxGameNumber(int playerId);
    // True when the player has that game (game > 0), or any round at all (game 0).
    bool HasRound(int playerId, int game);
    // One stored round; nothing when there is no such game.
    std::optional<RoundRec> LoadRound(int playerId, int game);
    // The player's newest round; nothing without rounds.
    std::optional<RoundRec> NewestRound(int playerId);
    // The rounds a new round of that date follows; without a date, all of the player's rounds.
    RoundsBefore RoundsUpTo(int playerId, const std::optional<QDate>& date);
    // Game `game` of the player with the game before it; nothing when the player has no game up to it.
    std::optional<PagedRound> LoadPagedRound(int playerId, int game);

  private:
    Database& db_;
};

}  // namespace dc

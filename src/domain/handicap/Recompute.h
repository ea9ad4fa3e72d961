#pragma once
// Recomputing a range of a player's games in memory by both rule sets, writing only the columns
// that changed. The recomputation of every round, the main screen's save and its deletion use it.

#include <functional>
#include <optional>
#include <span>

#include "handicap/HcpRound.h"

namespace dc {

class Database;
class HcpLookups;

// The computation of RecomputeGames on rounds held in memory: `rounds` are the player's games in
// game order, numbered 1 to n; games first..last are run in order and each run's outcome is put
// into its round. `ran(i, v, out)` is told of each run of rounds[i], `done(i)` after the runs of
// each game of the range. Returns the outcome of the last run.
std::optional<HcpOutcome> RecomputeRounds(
    std::span<HcpRound> rounds, int genderIndex, int first, int last, int mode, HcpLookups& lookups,
    int window, const std::function<void(size_t, HcpVariant, const HcpOutcome&)>& ran = {},
    const std::function<void(size_t)>& done = {});

// Recomputes games first..last of the player, numbered 1 to n as RoundStore::Renumber leaves them, in
// game order: for each game, by US then Canadian rules, the 18-hole run (with `mode`, capping by the
// 18-hole table) and one run for each nine the game played (GSF9 > 0, GSB9 > 0). Later games read what
// earlier ones computed. Each row gets exactly the columns its runs write (the adjusted score and pars only
// when a run recomputed them), and of those only the ones whose stored value differs.
// `window` is OneYearWindow() as a number. Returns the outcome of the last run (nothing when no
// game was computed); `progress(k, n)` is called after each of the n games. Throws on error,
// leaving the rows already written to the caller's transaction.
std::optional<HcpOutcome> RecomputeGames(Database& db, int playerId, int genderIndex, int first, int last,
                                         int mode, HcpLookups& lookups, int window,
                                         const std::function<void(int, int)>& progress = {});

}  // namespace dc

#pragma once
// Copies a course's current ratings, slopes and pars into the stored rounds played on it: the
// men's values into men's rounds and the women's into women's, each round taking the slot of its
// own tee box; other rounds and players of any other gender are not touched.

#include <QDate>
#include <optional>

#include "handicap/SaveScores.h"

namespace dc {

class Database;

// Both genders, for every round of the course or only those on or after `from`. Throws DbError.
void ReRateRounds(Database& db, int courseId, const std::optional<QDate>& from);

// Re-rates the rounds and recomputes every player's figures in one transaction: both stand or fall
// together. Not ok when the recomputation stopped (nothing changed); its errors are for the caller
// to report, a full disk's saying that the course's figures were saved and Update can run again.
// Throws DbError.
ResyncResult ReRateAndRecompute(Database& db, int courseId, const std::optional<QDate>& from,
                                ProgressReporter* progress = nullptr);

}  // namespace dc

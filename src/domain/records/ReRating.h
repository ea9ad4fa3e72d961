#pragma once
// Copies a course's current ratings, slopes and pars into the stored rounds played on it: the
// men's values into men's rounds and the women's into women's, each round taking the slot of its
// own tee box; other rounds and players of any other gender are not touched.

#include <QDate>
#include <optional>

namespace dc {

class Database;
class ProgressReporter;

// Both genders, for every round of the course or only those on or after `from`. Throws DbError.
void ReRateRounds(Database& db, int courseId, const std::optional<QDate>& from);

// Re-rates the rounds and recomputes every player's figures in one transaction: both stand or fall
// together. False when the recomputation stopped (reported already; nothing changed). Throws DbError.
bool ReRateAndRecompute(Database& db, int courseId, const std::optional<QDate>& from,
                        ProgressReporter* progress = nullptr);

}  // namespace dc

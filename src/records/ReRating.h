#pragma once
// Copies a course's current ratings, slopes and pars into the stored rounds played on it: the
// men's values into men's rounds and the women's into women's, each round taking the slot of its
// own tee box; other rounds and players of any other gender are not touched.

#include <QDate>
#include <optional>

namespace dc {

// Both genders, for every round of the course or only those on or after `from`. Throws DbError;
// the caller runs it in a transaction together with the recomputation.
void ReRateRounds(int courseId, const std::optional<QDate>& from);

}  // namespace dc

#pragma once
// The handicap rules as small pure functions with their exact arithmetic: score differentials,
// how many differentials count, the index and its cut to a tenth, defaults, the one-year window,
// nine-hole ratings and pairs, course handicaps, and the tournament index reduction.

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

#include "platform/Clock.h"

namespace dc {

// United States or Canadian rules.
enum class RuleSet { US, CA };

inline constexpr double kStandardSlope = 113.0;
inline constexpr double kIndexFactor = 0.96;
inline constexpr float kNoTournIndexF = -100.0f;

// Rounds `value`, as it reads when written with `sigDigits` significant digits (7 for a single,
// 15 for a double), to `decimals` places with halves away from zero. Returns the result in units
// of 10^-decimals (RoundWrittenHalfAway(0.35f, 7, 1) == 4).
long long RoundWrittenHalfAway(double value, int sigDigits, int decimals);

// (adjusted score - rating) x 113 / slope: computed in double, held as a single, rounded to one
// decimal (halves away from zero), held as a single again. The slope must not be 0.
float ScoreDifferential(double adjustedScore, double rating, double slope);

// How many of the lowest differentials count for n differentials; 0 below 5 (no computed index).
int ScoresUsedTable(int n);

// Written with three decimals (halves away from zero), then cut after the first decimal, toward
// zero. 11.952 -> 11.9, 9.5904 -> 9.5, 11.9996 -> 12.0, -1.25 -> -1.2; never -0.0.
float TruncateToTenth(double value);

// The index from the differentials in scan order (at least 5): the lowest ScoresUsedTable(n) of
// them averaged, times 0.96, cut to a tenth. Ties keep scan order when sorted.
float IndexFromDifferentials(std::vector<float> differentials);

// Index of a player with fewer than 5 differentials: 36.4 / 40.4 for 18 holes, 18.2 / 20.2 for nine;
// as the number stored for it, and as the single the computations hold.
constexpr double DefaultIndexValue(int genderIndex, bool nineHoles = false) {
    const int tenths = genderIndex == 0 ? 364 : 404;
    return (nineHoles ? tenths / 2 : tenths) / 10.0;
}
constexpr float DefaultIndex(int genderIndex, bool nineHoles = false) {
    return static_cast<float>(DefaultIndexValue(genderIndex, nineHoles));
}

// 0 for "M" (blanks removed, exact upper case), 1 for anything else, an empty gender included.
int GenderIndexOf(const QString& gender);

// Today one year back as "yyyymmdd": the year minus one with today's month and day.
QString OneYearWindow(const QDate& today = Today());
// "yyyymmdd" of a stored ROUND_DATE ('YYYY-MM-DD', or a date in the user's order); "" when unreadable.
QString DateKey(const QString& storedDate);
// DateKey as the number yyyymmdd; 0 when unreadable.
int DateNumber(const QString& storedDate);

// Exactly one nine total is 0.
inline bool NineHoleRound(int gsf9, int gsb9) { return (gsf9 == 0) != (gsb9 == 0); }
// The rating of one nine in the 18-hole procedures: below 50 as stored, else half (50.0 -> 25.0).
double NineHoleRating(double storedRating);
// The rating of one nine in the nine-hole procedures: halved only above 50 (50.0 stays 50.0).
double NineRunRating(double storedRating);

// Two nine-hole rounds taken as one 18-hole score.
struct NineScore {
    int adjustedScore = 0;
    double rating = 0;  // the nine's rating (NineHoleRating)
    double slope = 0;
    bool useTourn = false;
};
struct CombinedScore {
    int adjustedScore = 0;
    double rating = 0;
    double slope = 0;       // exact average of the two slopes
    bool useTourn = false;  // the older round's flag
};
CombinedScore CombinedNines(const NineScore& newer, const NineScore& older);

// The course handicap: index x slope / 113 as written with 15 significant digits, rounded to a
// whole number, halves away from zero. Every course handicap of the program comes from here.
int CourseHcp(double index, double slope);
// Its text: "14", a plus handicap "+2"; an index of exactly 0 is a plus index ("+0"), unless
// `zeroIsPlain` ("0", the handicap card's rule for a plain index). "" without a slope (0 or less).
QString CourseHcpText(double index, double slope, bool zeroIsPlain = false);
// The same rule, taken from a tournament index.
inline int TournCourseHcp(float tournIndex, double slope) { return CourseHcp(tournIndex, slope); }
// Course handicap for recomputing a score: from the tournament index unless it is -100.
int ScoringCourseHcp(float prevIndex, float prevTournIndex, double slope);

// Strokes taken off the index for t tournament differentials and difference d (0 when no row applies).
using ReductionLookup = std::function<double(int t, double d)>;

// The difference D as the look-up receives it: written with 15 significant digits.
double ReductionDifference(float index, float lowest, float secondLowest);

// Tournament index from the index and the tournament differentials in scan order, or -100:
// fewer than 2, or index - second lowest <= 3.0, or a reduction below 1.0 give none.
float TournamentIndex(float index, std::vector<float> tournDifferentials, const ReductionLookup& lookup);

// The number stored for an index: its shortest decimal text of at most seven significant digits.
double StoredIndexValue(float value);
// That text, with "." as separator ("12.3", "-100", "0").
QString IndexText(float value);
// An index as read back from its stored number.
inline float ReadBackIndex(float value) { return static_cast<float>(StoredIndexValue(value)); }

}  // namespace dc

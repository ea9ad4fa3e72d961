#pragma once
// The fields of an earlier version's records read as this program stores them: names split by the
// name format, dates, tee slots, courses packed into tee boxes, notes and costs, and the keys by which
// a course, golfer or round converted before is known again.

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "records/TeeBoxPacking.h"
#include "tools/OldRecords.h"

namespace dc {

// The entries of cboNameFormat, in list order (the index is the format).
const QStringList& NameFormats();

struct SplitName {
    QString last, first;
    std::optional<QString> mi;  // written only by the formats that carry an initial
};
// Splits the 20-character name field by the format index; nothing for an index outside the list.
std::optional<SplitName> SplitOldName(const QString& name20, int format);

// The COURSES columns of an old course: old tees 3, 2, 1 in slots 0, 1, 2 ("Red", "White",
// "Blue"), slot 3 "Gold" with pars of 0. A value too wide for its field is written as zeros.
PackedCourse PackOldCourse(const OldCourseRec& course);
// The stored name: the first 20 characters trimmed, or the new key when they are blank.
QString OldCourseName(const QString& name30, int courseId);

// TEE_BOX_ID of an old tee character: "1" gives 2, "2" gives 1, "3" gives 0; nothing otherwise.
std::optional<int> TeeSlotOfOld(QChar tee);

// An old date text (month/day/year, or day/month/year when `dayFirst`; "/" or another separator,
// two- or four-digit year); nothing when it does not read as a date.
std::optional<QDate> ParseOldDate(const QString& text, bool dayFirst = false);

// What the main screen and the course editor accept: hole scores 1 to 99 (0 = not played),
// ratings 0.1 to 99.9, slopes 55 to 155.
bool HoleScoreInRange(int strokes);
bool RatingInRange(double rating);
bool SlopeInRange(int slope);

// A round of one golfer by its date and hole scores (a key compared, never shown or kept); it is the same
// round as a stored one with this signature when it is on the same course, or on a course with the same pars
// (a course converted before, renamed and re-rated since).
QString RoundSignature(const QDate& date, const std::array<int, 18>& gross);

// The tee boxes of old tees 1 to 3 as a course row holds them (slots 0 to 2: rating, slope and
// the 18 pars, or the pars alone): a course converted before is found by them after it was
// renamed. Empty when no slot has a rating (or, for the pars alone, no par).
QString CourseFingerprint(const PackedCourse& packed, bool withRatings = true);

// Notes as stored: control characters and bytes the code page leaves undefined removed.
QString CleanNotes(const QString& notes);

// The cost boxes' rule (CostRefusal): a cost is stored, to the cent, when the box would take it;
// nothing for a cost it would refuse, or one that is not a number.
std::optional<double> StoredCost(float cost);

// An old course record by its name (20 characters trimmed, upper case) with its ratings, slopes and
// pars as the old file holds them: another club's course of the same name is another course.
QString OldCourseKey(const OldCourseRec& course);
// An old golfer by his file key, his 20-character name as the player list reads it (blanks and a
// trailing period do not count) and gender: another initial, name or gender is another person.
QString OldGolferKey(const QString& fileKey, const QString& name20, const QString& gender);
// A remembered OldGolferKey as OldGolferKey gives it now (rows written before kept the name as the
// golfer file spelt it).
QString OldGolferKeyAgain(const QString& remembered);
// A name as the player list reads it, to compare: blanks and a trailing period do not count, nor
// letter case.
QString ListReading(const QString& name);
// An old round record by what its golfer played: the date text, course name, tee and hole scores
// as the round file holds them (not the indexes or notes).
quint64 OldRoundKey(const OldRoundRec& round);

// Shared by these rules and the conversion's plan.
namespace oldfield {

// A number in a fixed picture; zeros of the picture's width when the text would not fit it
// (too large, negative or not a number), so that a later slot never shifts.
QString Fixed(double value, int width, int decimals);

// A character the earlier version never wrote into a text: a control character, or a byte the
// code page leaves undefined.
bool IsDamage(QChar c);

}  // namespace oldfield

}  // namespace dc

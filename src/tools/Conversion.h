#pragma once
// The import of an earlier version's data files into the open database: courses, golfers and
// rounds in that order, in one transaction (each step a unit of its own, so a failed step leaves
// nothing half written and the others still run). The rules that turn old records into rows are
// plain functions; the screen frmConvertUtil gathers the folder and name format and shows progress.

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
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
// Splits the 20-character name field by the format index; nothing for an index outside the list
// (typed text in the combo box), when no name column is written.
std::optional<SplitName> SplitOldName(const QString& name20, int format);

// The COURSES columns of an old course: old tees 3, 2, 1 in slots 0, 1, 2 ("Red", "White",
// "Blue"), slot 3 "Gold" with pars of 0. A value too wide for its field is written as zeros.
PackedCourse PackOldCourse(const OldCourseRec& course);
// The stored name: the first 20 characters trimmed, or the new key when they are blank.
QString OldCourseName(const QString& name30, int courseId);

// TEE_BOX_ID of an old tee character: "1" gives 2, "2" gives 1, "3" gives 0; nothing otherwise.
std::optional<int> TeeSlotOfOld(QChar tee);

// An old date text (month/day/year in the user's order, "/" or another separator, two- or
// four-digit year); nothing when it does not read as a date.
std::optional<QDate> ParseOldDate(const QString& text);

// The message of the first of Start's checks that fails, or an empty text.
QString StartCheckMessage(const QString& folder, const QStringList& files, const QString& programFolder);

enum class ConvertStep { Courses, Golfers, Rounds };

struct ConversionResult {
    int coursesConverted = 0, courseRecords = 0;
    int golfersConverted = 0, golferRecords = 0;
    int golfersSkipped = 0;  // empty records, or a gender that is not a digit
    int roundsStored = 0;
    int roundsNoCourse = 0;  // course unknown before any course was found
    int roundsBadFlag = 0;   // a flag that is not a digit
    QStringList failures;    // one line per step that failed (its rows were not kept)
    bool recomputed = true;  // ResynchAllScores completed
};

// The closing message of a run.
QString ConversionMessage(const ConversionResult& result);

// Runs the three steps on the open database (gDB) in one transaction. `progress` is called after each step
// and after every non-empty round record with the step and its counts. A failed step is reported (error
// report or message box, with the step's tag) and listed in the result. Sets nCurPlayerID and
// nCurCourseID as the rounds go. Does not recompute; the caller runs ResynchAllScores afterwards.
ConversionResult ConvertFolder(const QString& folder, int nameFormat,
                               const std::function<void(ConvertStep, int done, int total)>& progress = {});

}  // namespace dc

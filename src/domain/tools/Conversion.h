#pragma once
// The import of an earlier version's data files into the open database: the plan of the run
// (ConversionPlan) is made before anything is written, then courses, golfers and rounds are
// written and every handicap recomputed in one transaction, so that the database ends either as
// it was or fully converted and recomputed, also when the program is stopped half way. The screen
// frmConvertUtil gathers the folder and name format and shows progress.

#include <QString>
#include <QStringList>
#include <functional>

#include "handicap/Progress.h"
#include "tools/ConversionPlan.h"

namespace dc {

class Database;

// The message of the first of Start's checks that fails, or an empty text. After the four checks
// of the files and the folder, a name format typed into the box instead of chosen (-1) is refused.
QString StartCheckMessage(const QString& folder, const QStringList& files, const QString& programFolder,
                          int nameFormat = 0);

// Reads the folder's files and what the database holds, and plans the run; writes nothing.
// `dayFirst`: the old files' dates read as day, month, year.
ConversionPlan PlanFolder(Database& db, const QString& folder, int nameFormat, bool dayFirst);
// The same for a folder named by its path's bytes as they stand (a name that is not UTF-8).
ConversionPlan PlanNativeFolder(Database& db, const QByteArray& nativeFolder, int nameFormat, bool dayFirst);

// The question before a run that finds golfers converted before (a stored player of the same key,
// names and gender), or golfers whose key a stored player of another name or gender has: names
// each with the stored player; OK skips the first and adds the others, Cancel stops. Empty when
// there are none.
QString ConvertedBeforeQuestion(const ConversionReport& report);

enum class ConvertStep { Courses, Golfers, Rounds };

struct ConversionResult {
    ConversionReport report;
    int coursesConverted = 0, golfersConverted = 0, roundsStored = 0;
    QStringList failures;     // the step that failed, and why
    QStringList errorTexts;   // standard error texts of the failures, for the screen to report in order
    bool recomputed = false;  // ResynchAllScores completed for every player
    bool stored = false;      // the run was committed; otherwise nothing of it was kept
    bool withdrawn = false;   // the program was told to end before the run was stored: nothing kept
};

// The closing message of a run.
QString ConversionMessage(const ConversionResult& result);
// A short summary of a run, shown above the whole message when that is long.
QString ConversionSummary(const ConversionResult& result);

using ConvertProgress = std::function<void(ConvertStep, int done, int total)>;

// Writes the plan to the database and runs ResynchAllScores with `recompute`, all in one
// transaction, committed only when every step and every player's recomputation succeeded.
// Refused, with nothing written, while another transaction is open on `db` (a run not finished).
// `progress` is called after each step and as the rounds are written. A failed step, and a player
// whose recomputation failed, are put in `errorTexts` with their tags. A signal to end (platform's
// TerminationRequested) before the commit withdraws the run: nothing stored, no error, `withdrawn`.
ConversionResult RunConversion(Database& db, const ConversionPlan& plan, const ConvertProgress& progress = {},
                               ProgressReporter* recompute = nullptr);

// PlanFolder, then RunConversion.
ConversionResult ConvertFolder(Database& db, const QString& folder, int nameFormat, bool dayFirst,
                               const ConvertProgress& progress = {}, ProgressReporter* recompute = nullptr);

}  // namespace dc

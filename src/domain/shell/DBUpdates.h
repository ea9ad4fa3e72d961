#pragma once
// Bringing a database of an older layout up to the current one: a fresh copy of the blank database
// is filled with the old rows under a temporary name and only then put in place; the old file is kept
// beside it under a dated name.

#include <QDateTime>
#include <QString>
#include <functional>

namespace dc {

class LiveDatabase;

// Compares two version texts component by component as numbers ("5.10.0" > "5.4.0"); a missing or
// non-numeric component counts as 0. Negative, zero or positive like a three-way comparison.
int CompareVersions(const QString& a, const QString& b);

// True when a database stamped with this version needs no update (empty and Null stamps do).
bool IsCurrentLayout(const QString& stamp);

// The name the old file is kept under: the live file's folder, "CVPre54-", the moment as
// yyyyMMMddhhnnss with the English month abbreviation, ".MDB".
QString KeptOldFileName(const QString& livePath, const QDateTime& when);

// What the update has to tell the user.
struct UpdateOutcome {
    QString message;  // the update done (naming the kept old file), or the blank database missing
    QString error;    // the standard error text of a failed update; empty when none
};

// Upgrades the database `db`, open on `dbPathFile`, when its stamp is older than the current layout.
// Afterwards `db` is open on that file again: the upgraded file, or the untouched original when the
// update failed.
UpdateOutcome Database_Updates(LiveDatabase& db, const QString& dbPathFile);

// Tests: called with each step's number before the step runs; it may throw to simulate a failure.
using UpdateStepHook = std::function<void(int step)>;
void SetDatabaseUpdateStepHook(UpdateStepHook hook);

}  // namespace dc

#pragma once
// The program's start-up: single copy, title, date order, report range, Connect.ini, the database
// (opened, brought up to date) and the settings row. A database that is missing or not one of the
// program's leads to the settings screen, where a valid one can be chosen.

#include <QString>
#include <functional>

namespace dc {

class AppContext;
class SingleInstance;

enum class StartUpResult { Ready, DatabaseMissing, Quit };

// Runs the start-up sequence, filling the context (settings, the open database). `showSettings`
// shows the settings screen modally (the missing-database road). The lock stays held by `instance`
// for the life of the program.
StartUpResult RunStartUp(AppContext& ctx, SingleInstance& instance,
                         const std::function<void()>& showSettings);

// Steps 5 and 6: date order, separator and the default report range (1 January to today).
void SetDateDefaults(AppContext& ctx);

// Reads the first SETUP row of the context's database into bSounds, bFlag18_9 and bUSCAFlag (flags
// keep their value when there is no row).
void LoadSetupRow(AppContext& ctx);

// Names the newest dated backup in DBFiles and its date in the order of `dateFormat` (or says there
// is none).
QString NewestBackupText(const QString& dateFormat);

// The name of the running program, for the already-running message.
QString ExecutableName();

}  // namespace dc

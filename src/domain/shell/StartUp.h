#pragma once
// The start-up's own steps: date order and report range, the settings row, the newest backup named
// for a damaged database, and the program's name. The welcome screen runs the whole sequence
// (shell/RunStartUp.h in the screens).

#include <QString>

namespace dc {

class AppContext;

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

#pragma once
// The program's shared module variables: settings in memory, the open database, and the values
// that screens hand to each other (current player and course, the game to show, dialog results).

#include <QString>
#include <array>
#include <memory>

#include "platform/DbError.h"
#include "platform/MsgBox.h"
#include "shell/AppContext.h"
#include "shell/ProgramFolder.h"

namespace dc {

class Database;

// Being replaced: the one context of the run, and the old names as references into it, for the
// code not yet handed a context.
AppContext& LegacyContext();

// The open database; DbError 3420 "Object invalid or no longer set." when none is open.
Database& Db();

// Settings and connection
extern std::unique_ptr<Database>& gDB;  // the one database of the run
extern QString& sDBPathFile;
extern QString& sMultimediaPath;
extern QString& sDBPassword;
extern bool& bSounds;
extern bool& bFlag18_9;       // true = 18 holes
extern bool& bUSCAFlag;       // true = US rules
extern QString& sDateFormat;  // "MM/DD/YYYY" or "DD/MM/YYYY"
extern QString& sDecimalSep;  // "." or ","
extern bool& bErrorReport;
extern bool& bDBMissing;

// Selection and hand-over state
extern int& nCurPlayerID;
extern int& nCurCourseID;
extern int& nCurTeeBox;
extern QString& sCurGender;
extern int& nGameNumber;
extern int& nReturnCode;  // 1 course editor, 2 report screens and player editor, 3 settings screen
extern QString& sStartDate;
extern QString& sEndDate;
extern QString& sCalDate;
extern int& nFindPlayerID;
extern bool& bEmailPreset;
extern QString& sEmailTo;
extern QString& sEmailMode;
extern bool& bKeepSame;
extern QString& sKeepDate;
extern int& nKeepCourseID;
extern int& nKeepTeeBox;
extern bool& bResyncFromUpCRSR;
extern int& nSoundCount;

// Resets every variable to its value at program start (tests use it between cases).
void ResetGlobals();

}  // namespace dc

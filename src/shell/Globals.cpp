#include "shell/Globals.h"

#include <QCoreApplication>

#include "platform/Database.h"

namespace dc {

std::unique_ptr<Database> gDB;
QString sDBPathFile;
QString sMultimediaPath;
QString sDBPassword;
bool bSounds = false;
bool bFlag18_9 = false;
bool bUSCAFlag = false;
QString sDateFormat = "MM/DD/YYYY";
QString sDecimalSep = ".";
bool bErrorReport = false;
bool bDBMissing = false;

int nCurPlayerID = 0;
int nCurCourseID = 0;
int nCurTeeBox = 0;
QString sCurGender;
int nGameNumber = 0;
int nReturnCode = 0;
QString sStartDate;
QString sEndDate;
QString sCalDate;
int nFindPlayerID = 0;
bool bEmailPreset = false;
QString sEmailTo;
QString sEmailMode;
bool bKeepSame = false;
QString sKeepDate;
int nKeepCourseID = 0;
int nKeepTeeBox = 0;
bool bResyncFromUpCRSR = false;
int nSoundCount = 0;

std::array<int, 6> nCourseHcp{};
std::array<QString, 6> sAllowScore{};

Database& Db() {
    if (!gDB || !gDB->IsOpen()) throw DbError(kErrNotOpen, "Object invalid or no longer set.");
    return *gDB;
}

namespace {
QString& FolderOverride() {
    static QString folder;
    return folder;
}
}  // namespace

QString ProgramFolder() {
    if (!FolderOverride().isEmpty()) return FolderOverride();
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolder(const QString& folder) { FolderOverride() = folder; }

QString IniFilePath() { return ProgramFolder() + "/Connect.ini"; }

void ResetGlobals() {
    gDB.reset();
    sSQL.clear();
    sAppTitle.clear();
    sDBPathFile.clear();
    sMultimediaPath.clear();
    sDBPassword.clear();
    bSounds = bFlag18_9 = bUSCAFlag = false;
    sDateFormat = "MM/DD/YYYY";
    sDecimalSep = ".";
    bErrorReport = bDBMissing = false;
    nCurPlayerID = nCurCourseID = nCurTeeBox = 0;
    sCurGender.clear();
    nGameNumber = nReturnCode = 0;
    sStartDate.clear();
    sEndDate.clear();
    sCalDate.clear();
    nFindPlayerID = 0;
    bEmailPreset = false;
    sEmailTo.clear();
    sEmailMode.clear();
    bKeepSame = false;
    sKeepDate.clear();
    nKeepCourseID = nKeepTeeBox = 0;
    bResyncFromUpCRSR = false;
    nSoundCount = 0;
    nCourseHcp.fill(0);
    sAllowScore.fill(QString());
}

}  // namespace dc

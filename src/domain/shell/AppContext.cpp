#include "shell/AppContext.h"

#include "platform/Database.h"

namespace dc {

AppContext::AppContext() = default;
AppContext::~AppContext() = default;

Database& AppContext::Connection() const {
    if (!HasDatabase()) throw DbError(kErrNotOpen, "Object invalid or no longer set.");
    return *gDB;
}

bool AppContext::HasDatabase() const { return gDB && gDB->IsOpen(); }

void AppContext::Reset() {
    gDB.reset();
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
}

}  // namespace dc

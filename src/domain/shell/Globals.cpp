#include "shell/Globals.h"

#include <QCoreApplication>

#include "platform/Database.h"

namespace dc {

AppContext& LegacyContext() {
    static AppContext context;
    return context;
}

decltype(AppContext::gDB)& gDB = LegacyContext().gDB;
decltype(AppContext::sDBPathFile)& sDBPathFile = LegacyContext().sDBPathFile;
decltype(AppContext::sMultimediaPath)& sMultimediaPath = LegacyContext().sMultimediaPath;
decltype(AppContext::sDBPassword)& sDBPassword = LegacyContext().sDBPassword;
decltype(AppContext::bSounds)& bSounds = LegacyContext().bSounds;
decltype(AppContext::bFlag18_9)& bFlag18_9 = LegacyContext().bFlag18_9;
decltype(AppContext::bUSCAFlag)& bUSCAFlag = LegacyContext().bUSCAFlag;
decltype(AppContext::sDateFormat)& sDateFormat = LegacyContext().sDateFormat;
decltype(AppContext::sDecimalSep)& sDecimalSep = LegacyContext().sDecimalSep;
decltype(AppContext::bErrorReport)& bErrorReport = LegacyContext().bErrorReport;
decltype(AppContext::bDBMissing)& bDBMissing = LegacyContext().bDBMissing;
decltype(AppContext::nCurPlayerID)& nCurPlayerID = LegacyContext().nCurPlayerID;
decltype(AppContext::nCurCourseID)& nCurCourseID = LegacyContext().nCurCourseID;
decltype(AppContext::nCurTeeBox)& nCurTeeBox = LegacyContext().nCurTeeBox;
decltype(AppContext::sCurGender)& sCurGender = LegacyContext().sCurGender;
decltype(AppContext::nGameNumber)& nGameNumber = LegacyContext().nGameNumber;
decltype(AppContext::nReturnCode)& nReturnCode = LegacyContext().nReturnCode;
decltype(AppContext::sStartDate)& sStartDate = LegacyContext().sStartDate;
decltype(AppContext::sEndDate)& sEndDate = LegacyContext().sEndDate;
decltype(AppContext::sCalDate)& sCalDate = LegacyContext().sCalDate;
decltype(AppContext::nFindPlayerID)& nFindPlayerID = LegacyContext().nFindPlayerID;
decltype(AppContext::bEmailPreset)& bEmailPreset = LegacyContext().bEmailPreset;
decltype(AppContext::sEmailTo)& sEmailTo = LegacyContext().sEmailTo;
decltype(AppContext::sEmailMode)& sEmailMode = LegacyContext().sEmailMode;
decltype(AppContext::bKeepSame)& bKeepSame = LegacyContext().bKeepSame;
decltype(AppContext::sKeepDate)& sKeepDate = LegacyContext().sKeepDate;
decltype(AppContext::nKeepCourseID)& nKeepCourseID = LegacyContext().nKeepCourseID;
decltype(AppContext::nKeepTeeBox)& nKeepTeeBox = LegacyContext().nKeepTeeBox;
decltype(AppContext::bResyncFromUpCRSR)& bResyncFromUpCRSR = LegacyContext().bResyncFromUpCRSR;
decltype(AppContext::nSoundCount)& nSoundCount = LegacyContext().nSoundCount;

Database& Db() { return LegacyContext().Db(); }

void ResetGlobals() {
    LegacyContext().Reset();
    SetMsgBoxTitle(QString());
}

}  // namespace dc

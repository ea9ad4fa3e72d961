#include "shell/RunStartUp.h"

#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "platform/SingleInstance.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/Leftovers.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "shell/StartUp.h"
#include "shell/UpdateDatabase.h"
#include "shell/Version.h"

namespace dc {

namespace {

// Engine errors that mean "this is not a database the program can use".
bool IsMissingDatabaseError(int number) {
    return number == kErrFileNotFound || number == kErrNotValidPath || number == kErrBadPassword ||
           number == kErrBadFormat;
}

const char* kToSetup =
    "\r\nClick the OK button to proceed to the Setup screen to choose a Dado Corvy database file.";

}  // namespace

StartUpResult RunStartUp(AppContext& ctx, SingleInstance& instance,
                         const std::function<void()>& showSettings) {
    int step = 1;
    auto toSettings = [&ctx, &showSettings](const QString& text, int style, const QString& title) {
        ctx.Live().Close();
        if (!text.isEmpty()) MsgBox(text, style, title);
        if (showSettings) showSettings();
        return StartUpResult::DatabaseMissing;
    };
    try {
        if (!instance.TryAcquire()) {
            MsgBox(ExecutableName() + " already running!", vbExclamation + vbOKOnly, AppTitle());
            return StartUpResult::Quit;
        }
        step = 2;
        SetMsgBoxTitle(AppTitle());
        // A lock that cannot be used does not stop the start (the database has a lock of its own),
        // but the golfer is told which file or folder and what to do.
        if (!instance.Problem().isEmpty()) MsgBox(instance.Problem(), vbExclamation + vbOKOnly);
        step = 4;
        ctx.bErrorReport = true;
        step = 5;
        SetDateDefaults(ctx);
        step = 7;
        try {
            ctx.sDBPathFile = ReadIniString("PATH", "DBPathFile", IniFilePath());
            ctx.sMultimediaPath = ReadIniString("PATH", "MultimediaPath", IniFilePath());
        } catch (const AppError& e) {
            // Connect.ini unreadable, or a pipe, a device or an oversized file in its place: no database
            // is named.
            return toSettings(e.description() + kToSetup, vbCritical + vbOKOnly,
                              "Dado Corvy: Missing or invalid database path/file.");
        }
        RemoveProgramLeftovers();
        step = 8;
        if (IsBlankDatabasePath(ctx.sDBPathFile))
            throw DbError(kErrBadFormat, "The blank database cannot be used as the golfer's database.");
        // A database another program holds may be tried again; Cancel leads to the settings screen.
        for (;;) {
            try {
                ctx.Live().Open(ctx.sDBPathFile);
                break;
            } catch (const DbError& e) {
                if (e.number() != kErrLocked) throw;
                const int answer = MsgBox(e.description() +
                                              "\r\nClick Retry once the other program has closed it, or "
                                              "Cancel to proceed to the Setup screen.",
                                          vbExclamation + vbRetryCancel, UnusableDatabaseTitle(kErrLocked));
                if (answer != vbRetry) return toSettings(QString(), 0, QString());
            }
        }
        RemoveDatabaseLeftovers(ctx.sDBPathFile);
        step = 9;
        UpdateDatabase(ctx.Live(), ctx.sDBPathFile);
        step = 10;
        if (ctx.HasDatabase()) LoadSetupRow(ctx);
        return StartUpResult::Ready;
    } catch (...) {
        const ErrorInfo error = CurrentError();
        if (step >= 8 && IsMissingDatabaseError(error.number)) {
            return toSettings(
                "A valid Dado Corvy database has NOT been found.\r\nClick the OK button to proceed to the "
                "Setup "
                "screen to enter a valid Dado Corvy database file.",
                vbCritical + vbOKOnly, "Dado Corvy: Missing or invalid database path/file.");
        }
        if (step == 8 && error.number != kErrLocked && !UnusableDatabaseTitle(error.number).isEmpty()) {
            QString text = error.description;
            if (error.number == kErrDamaged) text += "\r\n" + NewestBackupText(ctx.sDateFormat);
            text += kToSetup;
            return toSettings(text, vbCritical + vbOKOnly, UnusableDatabaseTitle(error.number));
        }
        ReportErrorText(ErrorText("Form Welcome, Form_Load", error, step, "Line # ", true));
        return StartUpResult::Ready;
    }
}

}  // namespace dc

// Start-up and the settings screen against files in odd states: Connect.ini that is a pipe, a device
// or too large, or that cannot be written; a quoted database path; a database the account cannot read
// or whose path is too long; leftovers of runs cut short; a full disk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <functional>

#include "TestSupport.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/FileLock.h"
#include "platform/FileOps.h"
#include "platform/MsgBox.h"
#include "platform/SingleInstance.h"
#include "shell/AppContext.h"
#include "shell/BackupCompact.h"
#include "shell/ErrorReport.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "shell/RunStartUp.h"
#include "shell/StartUp.h"
#include "shell/frmSystemSetup.h"

namespace dc {
namespace {

using test::InChild;

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

using test::FillDisk;
using test::SmallFileSystem;

class StartUpFiles : public ::testing::Test {
  protected:
    struct Run {
        StartUpResult result;
        int settingsShown = 0;
    };
    Run Start() {
        SingleInstance instance(folder.Path() + "/lock");
        Run run{};
        run.result = RunStartUp(Ctx(), instance, [&] { ++run.settingsShown; });
        return run;
    }
    test::ProgramFolder folder;
    QString db = folder.MakeDatabase();
};

TEST_F(StartUpFiles, ConnectIniThatIsNotASmallRegularFileIsNamedAtOnce) {
    const QString ini = IniFilePath();
    const std::vector<std::pair<const char*, std::function<void()>>> cases{
        {"a named pipe (FIFO)", [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0); }},
        {"a device", [&] { ASSERT_TRUE(QFile::link("/dev/zero", ini)); }},
        {"larger than the limit",
         [&] {
             WriteAll(ini, "[PATH]\r\nDBPathFile=" + QFile::encodeName(db) + "\r\n" + QByteArray(40000, ';'));
         }},
    };
    for (const auto& [kind, make] : cases) {
        SCOPED_TRACE(kind);
        QFile::remove(ini);
        make();
        Ctx().Live().Close();
        test::ScriptedMsgBox boxes;
        const Run run = Start();
        EXPECT_EQ(run.result, StartUpResult::DatabaseMissing);
        EXPECT_EQ(run.settingsShown, 1);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().startsWith("The settings file '" + ini + "' cannot be used: it is " + kind))
            << boxes.Last().toStdString();
        EXPECT_EQ(boxes.Titles().back(), "Dado Corvy: Missing or invalid database path/file.");
    }
    QFile::remove(ini);
}

// The cause is said, not "a valid database has NOT been found", also when Connect.ini cannot be read.
TEST_F(StartUpFiles, ADatabaseThatCannotBeReadOrIsTooDeepSaysWhy) {
    // Deeper than the engine's limit, with every name of an allowed length.
    QString deep = folder.Path();
    while (QFile::encodeName(deep).size() < kMaxDatabasePathBytes) deep += "/" + QString(100, 'd');
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_TRUE(QFile::copy(db, deep + "/Golf.mdb"));
    folder.WriteIni(deep + "/Golf.mdb");
    {
        test::ScriptedMsgBox boxes;
        EXPECT_EQ(Start().result, StartUpResult::DatabaseMissing);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().contains("cannot be opened: path too long")) << boxes.Last().toStdString();
        EXPECT_EQ(boxes.Titles().back(), "Dado Corvy: Database path too long.");
    }

    // A database, then a Connect.ini, of another account, mode 0600: as root, the start runs as
    // "nobody" in a child.
    folder.WriteIni(db);
    SetFileMode(folder.Path(), 0755);
    const auto startsAsNobody = [&](const QString& expected, const QString& title) {
        return InChild([&] {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 255;
            test::ScriptedMsgBox boxes;
            const Run run = Start();
            // The single-copy lock cannot be made in root's folder either: that box comes first.
            return run.result == StartUpResult::DatabaseMissing && boxes.Last().startsWith(expected) &&
                           boxes.Titles().back() == title
                       ? 0
                       : 1;
        });
    };
    SetFileMode(IniFilePath(), 0644);
    if (geteuid() != 0) SetFileMode(db, 0);
    EXPECT_EQ(startsAsNobody("The Dado Corvy database '" + db + "' cannot be read (permission)",
                             "Dado Corvy: Database cannot be read."),
              0);
    SetFileMode(db, 0644);
    SetFileMode(IniFilePath(), geteuid() != 0 ? 0 : 0600);
    EXPECT_EQ(startsAsNobody("The settings file '" + IniFilePath() + "' cannot be read (permission)",
                             "Dado Corvy: Missing or invalid database path/file."),
              0);
    SetFileMode(IniFilePath(), 0600);
    SetFileMode(db, 0600);
}

TEST_F(StartUpFiles, LeftoversOfRunsCutShortAreRemovedAndNothingElse) {
    QTemporaryDir data;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const QString locks = data.path() + "/DadoCorvy";
    QDir().mkpath(locks);
    QTemporaryDir temp;  // the system files' archive makes its database copy in a folder there
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QString copies = temp.path() + "/DadoCorvy-system-files-Ab12Cd";
    const QString busy = temp.path() + "/DadoCorvy-system-files-Busy12";
    folder.WriteIni(db);
    const QString p = folder.Path();
    const QStringList leftovers{p + "/.Connect.ini.dc-tmp-Ab12Cd",
                                p + "/.CV550.ZIP.dc-tmp-Qw34Er",
                                copies + "/Golf.mdb",
                                p + "/CVPre54-2004Mar05140709.MDB.tmp",
                                p + "/Golf.mdb.update.tmp",
                                p + "/Golf.mdb.update.tmp-journal",
                                folder.DbFiles() + "/CV20041225.mdb.tmp",
                                locks + "/file-2049-1234567.lock",
                                temp.path() + "/printout-Ab12Cd.pdf"};
    // A golfer's own copies of Connect.ini, whatever their names.
    const QStringList kept{p + "/Connect.ini.bak",
                           p + "/Connect.ini.summer",
                           p + "/Connect.ini.golf23",
                           p + "/CVPre54-2004Mar05140709.MDB",
                           p + "/Other.mdb.update.tmp",
                           folder.DbFiles() + "/CV20041225.mdb",
                           p + "/.Connect.ini.dc-tmp-Zz99Yy" /* being written: new */,
                           p + "/CV550.ZIP.Ab12Cd",
                           busy + "/Golf.mdb" /* in use */,
                           temp.path() + "/printout-Busy12.pdf" /* on its way to the printer */};
    const timespec old[2] = {{::time(nullptr) - 600, 0}, {::time(nullptr) - 600, 0}};
    for (const QString& f : leftovers + kept) {
        QDir().mkpath(QFileInfo(f).absolutePath());
        WriteAll(f, "part");
        if (!f.endsWith("Zz99Yy")) ::utimensat(AT_FDCWD, QFile::encodeName(f).constData(), old, 0);
    }
    for (const QString& f : {copies, busy}) ::utimensat(AT_FDCWD, QFile::encodeName(f).constData(), old, 0);
    const auto holder = FileLock::TryAcquireExisting(busy);
    const auto printing = HoldFileInUse(temp.path() + "/printout-Busy12.pdf");
    ASSERT_TRUE(printing);
    test::ScriptedMsgBox boxes;
    EXPECT_EQ(Start().result, StartUpResult::Ready);
    EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    for (const QString& f : leftovers) EXPECT_FALSE(QFile::exists(f)) << f.toStdString();
    for (const QString& f : kept) EXPECT_TRUE(QFile::exists(f)) << f.toStdString();
    EXPECT_FALSE(QFileInfo::exists(copies));
    qputenv("XDG_DATA_HOME", oldData);
    qputenv("TMPDIR", oldTemp);
}

// A full disk: the plain sentence comes above the technical lines, and nothing was stored.
TEST_F(StartUpFiles, AFullDiskIsSaidPlainly) {
    SmallFileSystem disk("256k");
    if (!disk.Ready()) GTEST_SKIP() << "no small file system can be mounted here";
    const QString small = disk.Path() + "/Golf.mdb";
    ASSERT_TRUE(QFile::copy(db, small));
    auto d = Database::Open(small, kDBPassword);
    FillDisk(disk.Path() + "/filler");
    const QString plain = "The disk is full: nothing was saved. Free some space on the disk";
    try {
        Database::Transaction t(*d);
        d->Execute("Create Table FILLER (X BLOB)");
        for (int i = 0; i < 50; ++i)
            d->Execute("Insert Into FILLER Values (?)", {QByteArray(20000, char(i))});
        t.Commit();
        ADD_FAILURE() << "stored on a full disk";
    } catch (...) {
        const ErrorInfo e = CurrentError();
        EXPECT_EQ(e.number, kErrDiskFull) << e.description.toStdString();
        const QString text = ErrorText("Tag", e, -1, "Line # ", true);
        EXPECT_TRUE(
            text.startsWith(plain + " (the one that holds '" + small + "') and try again.\r\n\r\nTag\r\n"))
            << text.toStdString();
    }
    EXPECT_FALSE(d->HasTable("FILLER")) << "nothing was stored";
    try {
        CopyFileOrThrow(db, disk.Path() + "/backup.mdb");
        ADD_FAILURE() << "copied onto a full disk";
    } catch (...) {
        EXPECT_TRUE(ErrorText("Tag", CurrentError()).startsWith(plain + " and try again.\r\n\r\nTag\r\n"));
    }
    EXPECT_FALSE(QFile::exists(disk.Path() + "/backup.mdb"));
    d->Close();
}

// A full disk once the dated backup is in place: the message says that it was saved, and names the
// disk by the folder being written.
TEST_F(StartUpFiles, ACompactionOnAFullDiskSaysTheBackupWasSaved) {
    SmallFileSystem disk("4m");
    if (!disk.Ready()) GTEST_SKIP() << "no small file system can be mounted here";
    ASSERT_TRUE(QDir(folder.DbFiles()).removeRecursively());
    ASSERT_TRUE(QFile::link(disk.Path(), folder.DbFiles()));
    const QString live = folder.OpenDatabase("Live.mdb");
    const CompactResult result =
        BackupAndCompact(Ctx().Live(), live, Ctx().sDateFormat, [&](CompactStage stage) {
            if (stage == CompactStage::Compacting) FillDisk(disk.Path() + "/filler");
        });
    EXPECT_FALSE(result.ok);
    ASSERT_FALSE(result.errors.isEmpty());
    const QString backup = DailyBackupPath(Today());
    EXPECT_TRUE(result.errors[0].startsWith("The disk is full: only the dated backup '" + backup +
                                            "' was saved. Free some space on the disk (the one that holds '" +
                                            folder.DbFiles() + "')"))
        << result.errors[0].toStdString();
    EXPECT_TRUE(QFile::exists(backup));
}

// Connect.ini on a folder that cannot be written: the save holds for the run, the message names the
// folder and the rights, and the screen can be left.
TEST_F(StartUpFiles, SettingsThatCannotBeKeptNameTheFolderAndTheScreenCanBeLeft) {
    SmallFileSystem disk("64k");
    if (!disk.Ready()) GTEST_SKIP() << "no small file system can be mounted here";
    const QString live = folder.OpenDatabase("Live.mdb");
    const QString ini = disk.Path() + "/Connect.ini";
    WriteAll(ini, "[PATH]\r\nDBPathFile=" + QFile::encodeName(live) + "\r\n");
    ASSERT_TRUE(disk.MakeReadOnly());
    QFile::remove(IniFilePath());
    ASSERT_TRUE(QFile::link(ini, IniFilePath()));
    frmSystemSetup form(Ctx());
    form.EndProgram = [] { ADD_FAILURE() << "the program was ended"; };
    form.txtMultimediaPath->setText("/sounds/");
    form.bChanged = true;
    test::ScriptedMsgBox boxes({vbYes});
    EXPECT_TRUE(form.close()) << "Yes saves and the screen closes";
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_TRUE(boxes.Texts()[1].startsWith(
        "The settings are used until Dado Corvy ends, but they could not be kept for the next start: '" +
        ini + "' cannot be written ("))
        << boxes.Texts()[1].toStdString();
    EXPECT_TRUE(boxes.Texts()[1].contains("the folder '" + disk.Path() + "'"));
    EXPECT_EQ(Ctx().sMultimediaPath, "/sounds/");
    EXPECT_TRUE(Ctx().HasDatabase());
    QFile::remove(IniFilePath());
}

}  // namespace
}  // namespace dc

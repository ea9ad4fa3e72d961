// A database that cannot be used for the run: write-protected (file or folder), damaged, held by
// another program. Start-up and the settings screen say so and change nothing; the version update
// and the compaction keep the file's rights, make private copies and refuse a protected file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <cerrno>

#include "TestSupport.h"
#include "platform/Clock.h"
#include "platform/FileLock.h"
#include "platform/FileOps.h"
#include "platform/MsgBox.h"
#include "platform/SingleInstance.h"
#include "shell/AppContext.h"
#include "shell/BackupCompact.h"
#include "shell/DBUpdates.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "shell/RunStartUp.h"
#include "shell/StartUp.h"
#include "shell/UpdateDatabase.h"
#include "shell/frmSystemSetup.h"

namespace dc {
namespace {

QByteArray Hash(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Root, who runs the tests, may write anything: access() answers "denied" to writing one path instead.
QByteArray gDenied;
int DenyingAccess(const char* path, int mode) {
    return gDenied == path && (mode & W_OK) ? (errno = EACCES, -1) : ::access(path, mode);
}
struct DenyWrite {
    explicit DenyWrite(const QString& path) {
        gDenied = QFile::encodeName(ResolvedFilePath(path));
        SetAccessProbe(&DenyingAccess);
    }
    ~DenyWrite() { SetAccessProbe(nullptr); }
};

class DatabaseChecks : public ::testing::Test {
  protected:
    void SetUp() override { folder.WriteIni(db); }
    // Runs start-up; the result and how often the settings screen was shown.
    std::pair<StartUpResult, int> Start() {
        SingleInstance instance(folder.Path() + "/lock");
        int shown = 0;
        const StartUpResult result = RunStartUp(Ctx(), instance, [&] { ++shown; });
        return {result, shown};
    }
    test::ShortBusyTimeout shortWait;  // the locked-database cases wait 50 ms, not 5 s
    test::ProgramFolder folder;
    QString db = folder.MakeDatabase();
    const QString toSetup =
        "\r\nClick the OK button to proceed to the Setup screen to choose a Dado Corvy database file.";
};

TEST_F(DatabaseChecks, WriteProtectedFileOrFolderIsRefusedUntouched) {
    const QByteArray before = Hash(db);
    for (const auto& [denied, reason] :
         {std::pair{db, QString("the file is write-protected.")},
          std::pair{folder.Path(),
                    "its folder '" + ResolvedFilePath(folder.Path()) + "' is write-protected."}}) {
        DenyWrite deny(denied);
        test::ScriptedMsgBox boxes;
        EXPECT_EQ(Start(), std::pair(StartUpResult::DatabaseMissing, 1));
        EXPECT_EQ(boxes.Texts(),
                  QStringList{"The Dado Corvy database '" + db + "' cannot be written: " + reason + toSetup});
        EXPECT_EQ(boxes.Titles().back(), "Dado Corvy: Database cannot be written.");
        EXPECT_FALSE(Ctx().HasDatabase());
    }
    EXPECT_EQ(Hash(db), before);

    // The settings screen refuses such a file and keeps the database it has.
    Ctx().sDBPathFile = db;
    Ctx().Live().Open(db);
    DenyWrite deny(db + "2");
    QFile::copy(db, db + "2");
    test::ScriptedMsgBox boxes;
    frmSystemSetup setup(Ctx());
    setup.txtDataBasePath->setText(db + "2");
    EXPECT_FALSE(setup.SaveSettings());
    EXPECT_EQ(boxes.Texts(), QStringList{"The Dado Corvy database '" + db +
                                         "2' cannot be written: the file is write-protected."});
    EXPECT_EQ(TestDb().Path(), db);
}

TEST_F(DatabaseChecks, UpdateAndCompactionKeepTheModeMakePrivateCopiesAndRefuseAProtectedFile) {
    Ctx().sDBPathFile = folder.MakeDatabase("Old.mdb", "5.3.2");
    const QString old = Ctx().sDBPathFile;
    SetFileMode(old, 0640);
    Ctx().Live().Adopt(OpenProgramDatabase(old));
    {
        DenyWrite deny(old);
        test::ScriptedMsgBox boxes;
        const QByteArray before = Hash(old);
        UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
        EXPECT_TRUE(boxes.Last().contains("Error Number 3027")) << boxes.Last().toStdString();
        EXPECT_FALSE(BackupAndCompact(Ctx().Live(), Ctx().sDBPathFile, Ctx().sDateFormat).ok);
        EXPECT_EQ(Hash(old), before);
        EXPECT_FALSE(QFile::exists(DailyBackupPath(Today())));
    }
    test::ScriptedMsgBox boxes;
    UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
    EXPECT_EQ(FileMode(old), 0640u);
    EXPECT_EQ(FileMode(boxes.Last().section('(', 1).chopped(2)), 0600u) << "the kept pre-update copy";

    mode_t target = 0;
    ASSERT_TRUE(BackupAndCompact(Ctx().Live(), Ctx().sDBPathFile, Ctx().sDateFormat, [&](CompactStage stage) {
                    if (stage == CompactStage::Successful) target = FileMode(CompactTargetPath());
                }).ok);
    EXPECT_EQ(target, 0600u);  // the full copy waiting in DBFiles
    EXPECT_EQ(FileMode(old), 0640u);
    EXPECT_EQ(FileMode(DailyBackupPath(Today())), 0600u);
}

TEST_F(DatabaseChecks, DamagedPageIsFoundAtStartUpAndTheNewestBackupNamed) {
    {
        auto d = Database::Open(db, kDBPassword);
        for (int i = 1; i <= 400; ++i)
            d->Execute("Insert Into PLAYERS (PLAYER_ID, LAST_NAME) Values (?, ?)", {i, QString(40, 'x')});
    }
    for (const char* name : {"CV20261201.mdb", "cv20261203.MDB", "CV2026.mdb"})
        QFile::copy(db, folder.DbFiles() + "/" + name);
    QFile f(db);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(f.size() - 2048);
    f.write(QByteArray(1024, '\xAB'));  // one page of garbage
    f.close();
    const QByteArray before = Hash(db);

    test::ScriptedMsgBox boxes;
    EXPECT_EQ(Start(), std::pair(StartUpResult::DatabaseMissing, 1));
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().startsWith("The Dado Corvy database '" + db + "' is damaged ("))
        << boxes.Last().toStdString();
    EXPECT_TRUE(
        boxes.Last().endsWith("\r\nThe newest backup is '" + folder.DbFiles() + "/cv20261203.MDB', made on " +
                              FormatLocalDate(QDate(2026, 12, 3), Ctx().sDateFormat) + "." + toSetup));
    EXPECT_EQ(boxes.Titles().back(), "Dado Corvy: Damaged database.");
    EXPECT_EQ(Hash(db), before);
}

TEST_F(DatabaseChecks, ATruncatedDatabaseIsCalledDamagedWithTheNewestBackup) {
    QFile::copy(db, folder.DbFiles() + "/CV20261201.mdb");
    const QByteArray whole = [&] {
        QFile f(db);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    for (const qint64 size : {whole.size() / 2, whole.size() * 9 / 10, whole.size() - 1024, qint64(1024)}) {
        SCOPED_TRACE(size);
        QFile f(db);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(whole.left(size));
        f.close();
        test::ScriptedMsgBox boxes;
        EXPECT_EQ(Start(), std::pair(StartUpResult::DatabaseMissing, 1));
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().startsWith("The Dado Corvy database '" + db + "' is damaged ("))
            << boxes.Last().toStdString();
        EXPECT_TRUE(boxes.Last().contains("The newest backup is '" + folder.DbFiles() + "/CV20261201.mdb'"));
        EXPECT_EQ(QFile(db).size(), size);
    }
}

TEST_F(DatabaseChecks, ErrorTextsNameOnlyTheFailedStatementSayWhyAChangeWasNotSaved) {
    Ctx().Live().Open(db);
    auto textOf = [](const std::function<void()>& fail) {
        try {
            fail();
        } catch (...) {
            return ErrorText("Tag", CurrentError(), -1, "", true);
        }
        return QString();
    };
    const QString update = "Update PLAYERS Set LAST_NAME='Moved'";
    TestDb().Execute("Insert Into PLAYERS (PLAYER_ID, LAST_NAME) Values (1, 'Kept')");
    const QString folderReason =
        "The change was not saved: the folder '" + ResolvedFilePath(folder.Path()) +
        "' of the database is write-protected (the database needs to write its journal "
        "there).\r\n\r\nTag\r\n";
    {
        DenyWrite deny(folder.Path());
        EXPECT_TRUE(
            ErrorText("Tag", {kErrReadOnly, "attempt to write a readonly database", update, db, {}}, -1, "", true)
                .startsWith(folderReason));
    }
    EXPECT_TRUE(
        textOf([] { throw AppError(kErrFileAccess, "Cannot open the zip archive."); }).endsWith("\r\nsSQL="))
        << "an error of no statement shows none, not the last one run";
    QFile::remove(db);
    const QString deleted = textOf([&] { TestDb().Execute(update); });
    EXPECT_TRUE(
        deleted.startsWith("The change was not saved: the database '" + db + "' has been deleted or moved"))
        << deleted.toStdString();
    EXPECT_TRUE(deleted.endsWith("\r\nsSQL=" + update));

    Ctx().Live().Close();
}

TEST_F(DatabaseChecks, DatabaseInUseOffersRetryAndCancel) {
    auto other = Database::Open(db, kDBPassword);
    other->Execute("BEGIN EXCLUSIVE");
    const QString inUse = "The Dado Corvy database '" + db + "' is in use by another program.";
    QStringList texts;
    SetMsgBoxResponder([&](const QString& text, int /*style*/, const QString& title) {
        texts << title + "|" + text;
        other->Execute("COMMIT");  // the other program lets go; Retry opens the database
        return int(vbRetry);
    });
    EXPECT_EQ(Start().first, StartUpResult::Ready);
    SetMsgBoxResponder(nullptr);
    EXPECT_EQ(texts,
              QStringList{"Dado Corvy: Database in use.|" + inUse +
                          "\r\nClick Retry once the other program has closed it, or Cancel to proceed to "
                          "the Setup screen."});
    EXPECT_TRUE(Ctx().HasDatabase());

    // Another copy of the program holds the file's lock, whatever name or link either copy used:
    // Cancel leads to the settings screen.
    Ctx().Live().Close();
    auto copy = FileLock::TryAcquireExisting(db);
    QDir(folder.Path()).mkdir("sub");
    ASSERT_TRUE(QFile::link(db, folder.Path() + "/symbolic.mdb"));
    ASSERT_EQ(
        ::link(QFile::encodeName(db).constData(), QFile::encodeName(folder.Path() + "/hard.mdb").constData()),
        0);
    for (const QString& alias : {db, folder.Path() + "/sub/../Golf.mdb", folder.Path() + "/symbolic.mdb",
                                 folder.Path() + "/hard.mdb"}) {
        SCOPED_TRACE(alias.toStdString());
        folder.WriteIni(alias);
        test::ScriptedMsgBox boxes({vbCancel});
        EXPECT_EQ(Start(), std::pair(StartUpResult::DatabaseMissing, 1));
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(
            boxes.Last().startsWith("The Dado Corvy database '" + alias + "' is in use by another program."));
        EXPECT_FALSE(Ctx().HasDatabase());
    }
}

using test::InChild;

TEST_F(DatabaseChecks, TheDatabaseFileItselfCarriesTheLockWhateverTheHomeOrDataFolder) {
    // This run's data folder cannot even be made: the database opens all the same.
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    QFile notAFolder(folder.Path() + "/not-a-folder");
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    qputenv("XDG_DATA_HOME", QFile::encodeName(notAFolder.fileName()));
    {
        test::ScriptedMsgBox boxes;
        EXPECT_EQ(Start(), std::pair(StartUpResult::Ready, 0));
        EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    }
    qputenv("XDG_DATA_HOME", oldData);
    // Another copy with another home and data folder: 1 refused as in use, 0 opened.
    auto otherCopy = [&] {
        return InChild([&] {
            Ctx().Live().Close();  // this process's copy of the lock is the first copy's
            LiveDatabase other;
            qputenv("HOME", QFile::encodeName(folder.Path() + "/elsewhere"));
            qputenv("XDG_DATA_HOME", QFile::encodeName(folder.Path() + "/elsewhere/data"));
            try {
                other.Open(db);
                return 0;
            } catch (const DbError& e) {
                return e.number() == kErrLocked ? 1 : 2;
            }
        });
    };
    EXPECT_EQ(otherCopy(), 1);
    const CompactResult compacted = BackupAndCompact(Ctx().Live(), db, Ctx().sDateFormat);
    ASSERT_TRUE(compacted.ok) << compacted.errors.join("\n").toStdString();
    EXPECT_TRUE(Ctx().Live().HoldsLock(db)) << "the lock went with the compacted file";
    EXPECT_EQ(otherCopy(), 1);
    Ctx().Live().Close();
    EXPECT_EQ(otherCopy(), 0);
}

}  // namespace
}  // namespace dc

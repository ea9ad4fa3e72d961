// A database that cannot be used for the run: write-protected (file or folder), damaged, held by
// another program. Start-up and the settings screen say so and change nothing; the version update
// and the compaction keep the file's rights and refuse a file that may not be written.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <cerrno>
#include <cstring>

#include "TestSupport.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/FileLock.h"
#include "platform/FileOps.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/SingleInstance.h"
#include "shell/BackupCompact.h"
#include "shell/DBUpdates.h"
#include "shell/Globals.h"
#include "shell/ProgramDb.h"
#include "shell/StartUp.h"
#include "shell/frmSystemSetup.h"
#include "shell/frmWelcome.h"

namespace dc {
namespace {

QByteArray Hash(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// We run as root, whom file modes do not stop: access() answers for one denied path instead.
QByteArray& Denied() {
    static QByteArray path;
    return path;
}
int DenyingAccess(const char* path, int mode) {
    if (Denied() == path) {
        errno = EACCES;
        return -1;
    }
    return ::access(path, mode);
}
class DenyWrite {
  public:
    explicit DenyWrite(const QString& path) {
        Denied() = QFile::encodeName(ResolvedFilePath(path));
        SetAccessProbe(&DenyingAccess);
    }
    ~DenyWrite() { SetAccessProbe(nullptr); }
};

// Overwrites one page of the file with garbage.
void DamagePage(const QString& path, int page) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(qint64(page - 1) * 1024);
    f.write(QByteArray(1024, '\xAB'));
}

struct StartRun {
    StartUpResult result;
    int settingsShown = 0;
};

class DatabaseChecks : public ::testing::Test {
  protected:
    void SetUp() override {
        db = folder.MakeDatabase();
        folder.WriteIni(db);
        Database::SetBusyTimeout(50);
    }
    void TearDown() override { Database::SetBusyTimeout(5000); }
    StartRun Start() {
        SingleInstance instance(folder.Path() + "/lock");
        StartRun run{};
        run.result = RunStartUp(instance, [&] { ++run.settingsShown; });
        return run;
    }
    test::ProgramFolder folder;
    QString db;
};

TEST_F(DatabaseChecks, WriteProtectedFileOrFolderLeadsToTheSettingsScreenUntouched) {
    const QByteArray before = Hash(db);
    const struct {
        QString denied, reason;
    } cases[] = {{db, "cannot be written: the file is write-protected."},
                 {folder.Path(), "cannot be written: its folder '" + ResolvedFilePath(folder.Path()) +
                                     "' is write-protected."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.denied.toStdString());
        DenyWrite deny(c.denied);
        test::ScriptedMsgBox boxes;
        const StartRun run = Start();
        EXPECT_EQ(run.result, StartUpResult::DatabaseMissing);
        EXPECT_EQ(run.settingsShown, 1);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last(), "The Dado Corvy database '" + db + "' " + c.reason +
                                    "\r\nClick the OK button to proceed to the Setup screen to choose a Dado "
                                    "Corvy database file.");
        EXPECT_EQ(boxes.Titles().back(), "Dado Corvy: Database cannot be written.");
        EXPECT_TRUE(bDBMissing);
        EXPECT_FALSE(gDB);
    }
    EXPECT_EQ(Hash(db), before);
    EXPECT_FALSE(QFile::exists(db + "-journal"));
}

TEST_F(DatabaseChecks, ReadOnlyConnectionIsSeenWithoutFileModes) {
    // What SQLite gives for a file it could open for reading only, whoever runs the test.
    auto rw = Database::Open(db, kDBPassword);
    EXPECT_FALSE(rw->IsReadOnly());
    rw->Execute("PRAGMA query_only=1");
    try {
        rw->Execute("Update SETUP Set SOUNDS=1");
        FAIL() << "a read-only connection wrote";
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), kErrReadOnly);
        EXPECT_TRUE(IsDatabaseFault(e.number()));
    }
}

TEST_F(DatabaseChecks, SettingsScreenRefusesAWriteProtectedFileAndKeepsTheCurrentOne) {
    sDBPassword = kDBPassword;
    sDBPathFile = db;
    gDB = OpenLiveDatabase(db);
    const QString other = folder.MakeDatabase("Other.mdb");
    DenyWrite deny(other);
    test::ScriptedMsgBox boxes;
    frmSystemSetup setup;
    setup.txtDataBasePath->setText(other);
    EXPECT_FALSE(setup.SaveSettings());
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last(),
              "The Dado Corvy database '" + other + "' cannot be written: the file is write-protected.");
    EXPECT_EQ(boxes.Titles().back(), "Dado Corvy: Database cannot be written.");
    ASSERT_TRUE(gDB);
    EXPECT_EQ(gDB->Path(), db);
    EXPECT_EQ(sDBPathFile, db);
}

TEST_F(DatabaseChecks, UpdateAndCompactionKeepTheModeAndRefuseAProtectedFile) {
    sDBPassword = kDBPassword;
    sAppTitle = "Dado Corvy";
    const QString old = folder.MakeDatabase("Old.mdb", "5.3.2");
    ASSERT_EQ(::chmod(QFile::encodeName(old).constData(), 0640), 0);
    sDBPathFile = old;
    {
        DenyWrite deny(old);
        test::ScriptedMsgBox boxes;
        gDB = OpenProgramDatabase(old);
        const QByteArray before = Hash(old);
        Database_Updates();
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().contains("Error Number 3027")) << boxes.Last().toStdString();
        EXPECT_EQ(Hash(old), before);
        ASSERT_TRUE(gDB && gDB->IsOpen());  // the old file stays open
        const CompactResult compacted = BackupAndCompact();
        EXPECT_FALSE(compacted.ok);
        EXPECT_EQ(Hash(old), before);
        EXPECT_FALSE(QFile::exists(DailyBackupPath(Today())));
    }
    test::ScriptedMsgBox boxes;
    Database_Updates();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().startsWith("Your current Dado Corvy database has been updated"));
    EXPECT_EQ(FileMode(old), 0640u);
    const QString kept = boxes.Last().section('(', 1).chopped(2);
    EXPECT_EQ(FileMode(kept), 0600u) << kept.toStdString();

    mode_t targetMode = 0;
    const CompactResult compacted = BackupAndCompact([&](CompactStage stage) {
        if (stage == CompactStage::Successful) targetMode = FileMode(CompactTargetPath());
    });
    ASSERT_TRUE(compacted.ok) << compacted.errors.join("\n").toStdString();
    EXPECT_EQ(targetMode, 0600u);  // the full copy in DBFiles is private while it waits
    EXPECT_EQ(FileMode(old), 0640u);
    EXPECT_EQ(FileMode(DailyBackupPath(Today())), 0600u);
}

TEST_F(DatabaseChecks, DamagedPageIsFoundAtStartUpAndTheNewestBackupNamed) {
    {
        auto d = Database::Open(db, kDBPassword);
        Database::Transaction t(*d);
        for (int i = 1; i <= 400; ++i)
            d->Execute("Insert Into PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME) Values (?, ?, 'A')",
                       {i, QString("Player number %1 with a long name").arg(i)});
        t.Commit();
    }
    for (const char* name : {"CV20261201.mdb", "cv20261203.MDB", "CV2026.mdb", "CVPre54-x.MDB"})
        QFile::copy(db, folder.DbFiles() + "/" + name);
    const qint64 pages = QFileInfo(db).size() / 1024;
    DamagePage(db, int(pages) - 1);
    const QByteArray before = Hash(db);

    test::ScriptedMsgBox boxes;
    const StartRun run = Start();
    EXPECT_EQ(run.result, StartUpResult::DatabaseMissing);
    EXPECT_EQ(run.settingsShown, 1);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().startsWith("The Dado Corvy database '" + db + "' is damaged ("))
        << boxes.Last().toStdString();
    EXPECT_TRUE(
        boxes.Last().contains("\r\nThe newest backup is '" + folder.DbFiles() + "/cv20261203.MDB', made on "))
        << boxes.Last().toStdString();
    EXPECT_EQ(boxes.Titles().back(), "Dado Corvy: Damaged database.");
    EXPECT_FALSE(gDB);
    EXPECT_EQ(Hash(db), before);
    EXPECT_FALSE(QFile::exists(db + "-journal"));

    for (const QString& name : QDir(folder.DbFiles()).entryList({"CV2*", "cv2*"}))
        QFile::remove(folder.DbFiles() + "/" + name);
    EXPECT_EQ(NewestBackupText(), "There is no dated backup in '" + folder.DbFiles() + "'.");
}

TEST_F(DatabaseChecks, DatabaseInUseOffersRetryAndCancelNeverAMainScreenWithout) {
    auto other = Database::Open(db, kDBPassword);
    other->Execute("BEGIN EXCLUSIVE");
    const QString inUse = "The Dado Corvy database '" + db + "' is in use by another program.";
    {
        // Retry after the other program has let go: the database opens.
        QStringList texts;
        SetMsgBoxResponder([&](const QString& text, int style, const QString& title) {
            texts << text;
            EXPECT_EQ(style, vbExclamation + vbRetryCancel);
            EXPECT_EQ(title, "Dado Corvy: Database in use.");
            other->Execute("COMMIT");
            return int(vbRetry);
        });
        const StartRun run = Start();
        SetMsgBoxResponder(nullptr);
        EXPECT_EQ(run.result, StartUpResult::Ready);
        ASSERT_EQ(texts.size(), 1);
        EXPECT_EQ(texts[0], inUse +
                                "\r\nClick Retry once the other program has closed it, or Cancel to "
                                "proceed to the Setup screen.");
        EXPECT_TRUE(gDB && gDB->IsOpen());
    }
    gDB.reset();
    ReleaseLiveDatabaseLock();
    other->Execute("BEGIN EXCLUSIVE");
    {
        // Cancel: the settings screen, no database.
        test::ScriptedMsgBox boxes({vbRetry, vbCancel});
        const StartRun run = Start();
        EXPECT_EQ(run.result, StartUpResult::DatabaseMissing);
        EXPECT_EQ(run.settingsShown, 1);
        EXPECT_EQ(boxes.Count(), 2);
        EXPECT_FALSE(gDB);
        EXPECT_TRUE(bDBMissing);
    }
    other->Execute("COMMIT");
    {
        // Another copy of the program holds the file's own lock.
        auto copy = FileLock::TryAcquire(ResolvedFilePath(db) + ".lock");
        ASSERT_TRUE(copy);
        test::ScriptedMsgBox boxes({vbCancel});
        EXPECT_EQ(Start().result, StartUpResult::DatabaseMissing);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().startsWith(inUse));
    }
    {
        // The welcome screen's Start without a database shows the settings screen, not the main one.
        gDB.reset();
        test::ScriptedMsgBox boxes;
        test::ScriptedModal modal([](QDialog&) { return 0; });
        SingleInstance instance(folder.Path() + "/lock2");
        frmWelcome welcome(instance);
        welcome.cmdStart_Click();
        EXPECT_EQ(modal.Count(), 1);
        for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_NE(w->objectName(), "frmMainGolf");
    }
}

}  // namespace
}  // namespace dc

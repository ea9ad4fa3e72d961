// Backup and compaction: the dated copy, the compacted file in place of the live one, the INI
// record of the run, and failures that leave the live file whole and the connection open.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/FileOps.h"
#include "platform/IniFile.h"
#include "shell/AppContext.h"
#include "shell/BackupCompact.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"

namespace dc {
namespace {

QByteArray Bytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

class BackupCompactTest : public ::testing::Test {
  protected:
    void SetUp() override {
        live = folder.OpenDatabase("Golf.mdb");
        // Ten rows to keep, and many deleted rows whose space the compaction gives back.
        TestDb().Execute("ALTER TABLE PLAYERS ADD COLUMN NOTES_PAD TEXT");
        Database::Transaction t(TestDb());
        for (int i = 1; i <= 1500; ++i)
            TestDb().Execute("INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, NOTES_PAD) VALUES (?, ?, ?)",
                             {i, QString("Player %1").arg(i), QString(400, 'x')});
        t.Commit();
        TestDb().Execute("DELETE FROM PLAYERS WHERE PLAYER_ID > 10");
    }

    CompactResult Run() {
        return BackupAndCompact(Ctx().Live(), Ctx().sDBPathFile, Ctx().sDateFormat,
                                [this](CompactStage s) { stages.push_back(s); });
    }

    test::ProgramFolder folder;
    test::FixedClock clock{QDateTime(QDate(2004, 12, 25), QTime(15, 7, 45))};
    QString live;
    std::vector<CompactStage> stages;
};

TEST(BackupNames, DigitsOnlyDatedBackupAndTarget) {
    test::ProgramFolder folder;
    EXPECT_EQ(DailyBackupPath(QDate(2005, 3, 3)), folder.DbFiles() + "/CV20050303.mdb");
    EXPECT_EQ(DailyBackupPath(QDate(2004, 12, 25)), folder.DbFiles() + "/CV20041225.mdb");
    EXPECT_EQ(CompactTargetPath(), folder.DbFiles() + "/New.MDB");
}

TEST_F(BackupCompactTest, SuccessReplacesTheLiveFileWithASmallerEncryptedCopy) {
    const QByteArray before = Bytes(live);

    const CompactResult r = Run();

    ASSERT_TRUE(r.ok) << r.errors.join("\n").toStdString();
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_EQ(stages, (std::vector<CompactStage>{CompactStage::MakingBackup, CompactStage::Compacting,
                                                 CompactStage::Successful}));
    // The backup is the file as it was; the live file is compacted, encrypted and complete.
    EXPECT_EQ(Bytes(folder.DbFiles() + "/CV20041225.mdb"), before);
    EXPECT_LT(QFileInfo(live).size(), before.size());
    EXPECT_FALSE(Bytes(live).startsWith("SQLite format 3"));
    EXPECT_FALSE(QFileInfo::exists(CompactTargetPath()));
    ASSERT_TRUE(Ctx().HasDatabase());
    EXPECT_EQ(TestDb().Path(), live);
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM PLAYERS").toInt(), 10);
    EXPECT_EQ(TestDb().Scalar("SELECT LAST_NAME FROM PLAYERS WHERE PLAYER_ID=7").toString(), "Player 7");
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM SETUP").toInt(), 1);
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM HCP_REDUCTION").toInt(),
              Database::Open(folder.DbFiles() + "/CV54Blank.MDB", kDBPassword)
                  ->Scalar("SELECT count(*) FROM HCP_REDUCTION")
                  .toInt());
    EXPECT_THROW(Database::Open(live, "wrong"), DbError);

    // The moment of the run, in the INI file and in the result.
    EXPECT_EQ(r.lastTime, "03:07:45 pm");
    EXPECT_EQ(r.lastDate, FormatLocalDate(QDate(2004, 12, 25), Ctx().sDateFormat));
    EXPECT_EQ(ReadIniValue("Path", "LastDate", IniFilePath()), "2004-12-25")
        << "one form whatever the locale";
    EXPECT_EQ(ReadIniValue("PATH", "LastTime", IniFilePath()), "03:07:45 pm");
}

TEST_F(BackupCompactTest, SecondRunTheSameDayReplacesTheBackup) {
    ASSERT_TRUE(Run().ok);
    TestDb().Execute("DELETE FROM PLAYERS WHERE PLAYER_ID > 3");
    const QByteArray beforeSecond = Bytes(live);
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(Bytes(folder.DbFiles() + "/CV20041225.mdb"), beforeSecond);
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM PLAYERS").toInt(), 3);
}

TEST_F(BackupCompactTest, LeftOverTargetFromAnEarlierRunDoesNotBlock) {
    QFile stale(CompactTargetPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("half a database from a crashed run");
    stale.close();

    const CompactResult r = Run();

    ASSERT_TRUE(r.ok) << r.errors.join("\n").toStdString();
    EXPECT_FALSE(QFileInfo::exists(CompactTargetPath()));
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM PLAYERS").toInt(), 10);
}

TEST_F(BackupCompactTest, MissingDBFilesFolderFailsBeforeTouchingAnything) {
    const QByteArray before = Bytes(live);
    ASSERT_TRUE(QDir(folder.DbFiles()).removeRecursively());

    const CompactResult r = Run();

    EXPECT_FALSE(r.ok);
    EXPECT_EQ(stages, (std::vector<CompactStage>{CompactStage::MakingBackup, CompactStage::Failed}));
    ASSERT_EQ(r.errors.size(), 1);
    EXPECT_TRUE(r.errors[0].startsWith("frmSystemSetup, cmdStart_Click\r\nError Number 76\r\n"))
        << r.errors[0].toStdString();
    EXPECT_TRUE(r.errors[0].contains("\r\nsSQL="));
    EXPECT_EQ(Bytes(live), before);
    EXPECT_TRUE(ReadIniValue("Path", "LastDate", IniFilePath()).isEmpty());
    ASSERT_TRUE(Ctx().HasDatabase());  // never left closed
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM PLAYERS").toInt(), 10);
}

TEST_F(BackupCompactTest, FailureAfterTheReplaceReportsAndKeepsTheCompactedFileOpen) {
    QDir(folder.Path()).mkpath("Connect.ini/inside");  // the INI file cannot be written

    const CompactResult r = Run();

    EXPECT_FALSE(r.ok);
    EXPECT_EQ(stages, (std::vector<CompactStage>{CompactStage::MakingBackup, CompactStage::Compacting,
                                                 CompactStage::Successful, CompactStage::Failed}));
    ASSERT_EQ(r.errors.size(), 1);
    EXPECT_TRUE(r.errors[0].contains("Error Number 75"));
    ASSERT_TRUE(Ctx().HasDatabase());
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM PLAYERS").toInt(), 10);
}

TEST_F(BackupCompactTest, MissingLiveFileSkipsTheBackupAndFailsTheCompaction) {
    Ctx().Live().Close();
    Ctx().sDBPathFile = folder.Path() + "/Gone.mdb";

    const CompactResult r = Run();

    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.errors.size(), 1);  // no word about the skipped copy, one about the compaction
    EXPECT_TRUE(r.errors[0].contains("Error Number 3024"));
    EXPECT_FALSE(QFileInfo::exists(folder.DbFiles() + "/CV20041225.mdb"));
    EXPECT_FALSE(QFileInfo::exists(CompactTargetPath()));
}

}  // namespace
}  // namespace dc

namespace dc {

TEST_F(BackupCompactTest, ALinkedDatabaseIsCompactedWhereItReallyLies) {
    Ctx().Live().Close();
    QDir(folder.Path()).mkpath("real");
    const QString real = folder.Path() + "/real/Golf.mdb";
    ASSERT_TRUE(QFile::rename(live, real));
    ASSERT_TRUE(QFile::link(real, live));
    Ctx().Live().Adopt(OpenProgramDatabase(live));
    const CompactResult r = Run();
    ASSERT_TRUE(r.ok) << r.errors.join("\n").toStdString();
    EXPECT_TRUE(QFileInfo(live).isSymLink()) << "the link stays a link";
    EXPECT_EQ(Database::Open(real, kDBPassword)->Scalar("SELECT COUNT(*) FROM PLAYERS").toInt(), 10);
}

TEST(FileOps, MovingAcrossFileSystemsReplacesTheTarget) {
    // /dev/shm is a memory file system on Linux; where it shares a device, the plain rename is used.
    QTemporaryDir shm("/dev/shm/dc-XXXXXX");
    QTemporaryDir here;
    if (!shm.isValid()) GTEST_SKIP() << "no /dev/shm";
    const QString from = shm.path() + "/New.MDB", to = here.path() + "/Golf.mdb";
    for (const auto& [path, text] : {std::pair{from, "compacted"}, std::pair{to, "old"}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    MoveFileReplacing(from, to);
    EXPECT_EQ(Bytes(to), "compacted");
    EXPECT_FALSE(QFile::exists(from));
    EXPECT_FALSE(QFile::exists(to + ".tmp"));
}

}  // namespace dc

// The version update: which stamps it upgrades, the upgraded copy's rows, the kept old file, and
// failures that must leave the original file as it was and open.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>

#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "shell/AppContext.h"
#include "shell/DBUpdates.h"
#include "shell/ErrorReport.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "shell/UpdateDatabase.h"
#include "shell/Version.h"

namespace dc {
namespace {

QByteArray Bytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QStringList Files(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

// A database of an older layout: fewer columns in three tables, no reference tables, stamped `version`.
QString MakeOldDatabase(const QString& path, const QString& version, bool duplicatePlayer = false) {
    auto db = Database::Create(path, kDBPassword);
    db->Execute(
        "CREATE TABLE PLAYERS (PLAYER_ID INTEGER, LAST_NAME TEXT, FIRST_NAME TEXT, MI TEXT, GENDER TEXT)");
    db->Execute("CREATE TABLE COURSES (COURSE_ID INTEGER, COURSE_NAME TEXT, TB TEXT, MCR TEXT)");
    db->Execute(
        "CREATE TABLE INDIV_SCORES (PLAYER_ID INTEGER, COURSE_ID INTEGER, GAME_NUMBER INTEGER, ROUND_DATE "
        "TEXT, "
        "GS01 INTEGER, GSTOTAL INTEGER, PAR TEXT, PUTTS TEXT, NOTES TEXT)");
    db->Execute(
        "CREATE TABLE SETUP (SOUNDS INTEGER, FLAG_18_9 INTEGER, US_CA_FLAG INTEGER, LABEL_STYLE TEXT, "
        "VERSION TEXT)");
    db->Execute("INSERT INTO PLAYERS VALUES (1, 'O''Brien', 'Pat', 'J', 'M'), (2, 'Smith', 'Ann', '', 'F')");
    if (duplicatePlayer) db->Execute("INSERT INTO PLAYERS VALUES (2, 'Twice', 'Ann', '', 'F')");
    db->Execute("INSERT INTO COURSES VALUES (7, 'Pine Hills', '               White', '70.1')");
    db->Execute(
        "INSERT INTO INDIV_SCORES VALUES (1, 7, 1, '2003-05-01', 4, 88, '454344354', ' 2 1', 'windy'), "
        "(1, 7, 2, '2003-06-01', 5, 91, '', '', NULL), (2, 7, 1, '2003-05-02', 6, 101, '', '', 'x')");
    db->Execute("INSERT INTO SETUP VALUES (1, 0, 0, '1', ?)", {version});
    return path;
}

class DBUpdatesTest : public ::testing::Test {
  protected:
    void OpenLive(const QString& path) {
        Ctx().sDBPathFile = path;
        SetMsgBoxTitle(AppTitle());
        Ctx().Live().Adopt(OpenProgramDatabase(path));
    }
    QString Stamp(const QString& path) {
        auto db = Database::Open(path, kDBPassword);
        return db->Scalar("SELECT VERSION FROM SETUP").toString();
    }

    test::ProgramFolder folder;
    test::FixedClock clock{QDateTime(QDate(2004, 3, 5), QTime(14, 7, 9))};
};

TEST(VersionCompare, ComparesComponentsAsNumbers) {
    EXPECT_GT(CompareVersions("5.10.0", "5.4.0"), 0);
    EXPECT_GT(CompareVersions("10.0.0", "5.4.0"), 0);
    EXPECT_LT(CompareVersions("5.3.2", "5.4.0"), 0);
    EXPECT_LT(CompareVersions("1.0.0", "5.4.0"), 0);
    EXPECT_EQ(CompareVersions("5.4", "5.4.0"), 0);
    EXPECT_EQ(CompareVersions(" 5.4.0 ", "5.4.0"), 0);

    EXPECT_TRUE(IsCurrentLayout("5.4.0"));
    EXPECT_TRUE(IsCurrentLayout("5.10.0"));
    EXPECT_TRUE(IsCurrentLayout(VersionText()));  // our own stamp never reruns the update
    EXPECT_FALSE(IsCurrentLayout(""));
    EXPECT_FALSE(IsCurrentLayout("5.3.9"));
    EXPECT_FALSE(IsCurrentLayout("garbage"));
}

TEST(VersionCompare, KeptNameUsesEnglishMonthWhateverTheLocale) {
    const QDateTime when(QDate(2004, 3, 5), QTime(14, 7, 9));
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(KeptOldFileName("/data/golf/Scores.mdb", when), "/data/golf/CVPre54-2004Mar05140709.MDB");
    EXPECT_EQ(KeptOldFileName("Scores.mdb", when), "CVPre54-2004Mar05140709.MDB");
    QLocale::setDefault(saved);
}

TEST_F(DBUpdatesTest, UpgradesAnOlderLayoutKeepingRowsAndOldFile) {
    const QString live = MakeOldDatabase(folder.Path() + "/Scores.mdb", "5.3.2");
    const QByteArray before = Bytes(live);
    OpenLive(live);
    test::ScriptedMsgBox boxes;

    UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);

    const QString kept = folder.Path() + "/CVPre54-2004Mar05140709.MDB";
    ASSERT_EQ(boxes.Count(), 1) << boxes.Last().toStdString();
    EXPECT_EQ(
        boxes.Last(),
        "Your current Dado Corvy database has been updated to version 5.4. A backup file with the previous "
        "version has also be created (" +
            kept + ").");
    EXPECT_EQ(Bytes(kept), before);  // the old file, byte for byte
    ASSERT_TRUE(Ctx().HasDatabase());
    EXPECT_EQ(TestDb().Path(), live);

    // New columns exist and are empty; old values arrived in the columns of the same name.
    EXPECT_TRUE(TestDb().TableColumns("INDIV_SCORES").contains("FAIRWAYS_HIT"));
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM INDIV_SCORES").toInt(), 3);
    auto rs = TestDb().OpenRecordset("SELECT * FROM INDIV_SCORES WHERE PLAYER_ID=1 AND GAME_NUMBER=1");
    EXPECT_EQ(rs["GSTOTAL"].toInt(), 88);
    EXPECT_EQ(rs["PAR"].str(), "454344354");
    EXPECT_EQ(rs["PUTTS"].str(), " 2 1");
    EXPECT_EQ(rs["NOTES"].str(), "windy");
    EXPECT_TRUE(rs["FAIRWAYS_HIT"].isNull());
    EXPECT_EQ(TestDb().Scalar("SELECT LAST_NAME FROM PLAYERS WHERE PLAYER_ID=1").toString(), "O'Brien");
    EXPECT_EQ(TestDb().Scalar("SELECT MCR FROM COURSES WHERE COURSE_ID=7").toString(), "70.1");
    EXPECT_GT(TestDb().Scalar("SELECT count(*) FROM HCP_REDUCTION").toInt(),
              0);  // reference rows of the blank

    // The settings row keeps its values and carries the new stamp.
    auto setup = TestDb().OpenRecordset("SELECT * FROM SETUP");
    ASSERT_EQ(setup.RecordCount(), 1);
    EXPECT_EQ(setup["VERSION"].str(), VersionText());
    EXPECT_EQ(setup["LABEL_STYLE"].str(), "1");
    EXPECT_TRUE(setup["SOUNDS"].toBool());
    EXPECT_FALSE(setup["FLAG_18_9"].toBool());

    // No temporary left behind; a second call finds the database current.
    EXPECT_EQ(Files(folder.Path()), QStringList({"CVPre54-2004Mar05140709.MDB", "Scores.mdb"}));
    UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(DBUpdatesTest, CurrentStampsAreLeftAlone) {
    for (const QString& stamp : {QString("5.4.0"), QString("5.10.0"), QString("10.0.0"), VersionText()}) {
        SCOPED_TRACE(stamp.toStdString());
        const QString live = folder.MakeDatabase("Current.mdb", stamp);
        const QByteArray before = Bytes(live);
        OpenLive(live);
        test::ScriptedMsgBox boxes;
        UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
        EXPECT_EQ(boxes.Count(), 0);
        EXPECT_EQ(Bytes(live), before);
        EXPECT_TRUE(Ctx().HasDatabase());
        EXPECT_EQ(Files(folder.Path()), QStringList({"Current.mdb"}));
        Ctx().Live().Close();
    }
    // One made before the conversions were remembered gets their table, without a message.
    const QString live = folder.MakeDatabase("Older.mdb", VersionText());
    Database::Open(live, kDBPassword)->Execute("DROP TABLE CV_CONVERTED");
    OpenLive(live);
    test::ScriptedMsgBox boxes;
    UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_TRUE(TestDb().HasTable("CV_CONVERTED"));
}

TEST_F(DBUpdatesTest, OldEmptyNullAndMissingStampsAreUpdated) {
    struct Case {
        const char* name;
        QString stamp;
        const char* change;
    };
    const Case cases[] = {{"5.3.2", "5.3.2", nullptr},
                          {"empty", "", nullptr},
                          {"null", "5.4.0", "UPDATE SETUP SET VERSION=NULL"},
                          {"no row", "5.4.0", "DELETE FROM SETUP"}};
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FixedClock tick(QDateTime(QDate(2004, 3, 5), QTime(14, 7, n)));
        const QString live = folder.MakeDatabase(QString("Db%1.mdb").arg(n++), c.stamp);
        if (c.change) Database::Open(live, kDBPassword)->Execute(c.change);
        OpenLive(live);
        test::ScriptedMsgBox boxes;
        UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().startsWith("Your current Dado Corvy database has been updated"));
        EXPECT_EQ(Stamp(live), VersionText());
        // A database that never had a settings row gets the default one, so the update does not repeat.
        auto setup = Database::Open(live, kDBPassword)->OpenRecordset("SELECT * FROM SETUP");
        EXPECT_EQ(setup.RecordCount(), 1);
        EXPECT_EQ(setup["LABEL_STYLE"].str(), "2");
        UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
        EXPECT_EQ(boxes.Count(), 1);
        Ctx().Live().Close();
    }
}

TEST_F(DBUpdatesTest, MissingBlankDatabaseChangesNothingAndAsksAgainNextTime) {
    const QString live = MakeOldDatabase(folder.Path() + "/Scores.mdb", "5.3.2");
    const QByteArray before = Bytes(live);
    ASSERT_TRUE(QFile::remove(folder.DbFiles() + "/CV54Blank.MDB"));
    OpenLive(live);
    test::ScriptedMsgBox boxes;

    UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
    UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);

    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Texts()[0],
              "Cannot find CV54Blank.MDB file for conversion to version 5.4. Please contact Corvy Systems.");
    EXPECT_EQ(boxes.Styles()[0], 0);
    EXPECT_EQ(Bytes(live), before);
    EXPECT_TRUE(Ctx().HasDatabase());
    EXPECT_EQ(Files(folder.Path()), QStringList({"Scores.mdb"}));
}

TEST_F(DBUpdatesTest, BlankDatabaseIsFoundInASubfolder) {
    QDir(folder.DbFiles()).mkpath("Blank/5.4");
    ASSERT_TRUE(
        QFile::rename(folder.DbFiles() + "/CV54Blank.MDB", folder.DbFiles() + "/Blank/5.4/cv54blank.mdb"));
    const QString live = MakeOldDatabase(folder.Path() + "/Scores.mdb", "");
    OpenLive(live);
    test::ScriptedMsgBox boxes;
    UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
    EXPECT_EQ(Stamp(live), VersionText());
    EXPECT_TRUE(TestDb().TableColumns("INDIV_SCORES").contains("FAIRWAYS_HIT"));
}

TEST_F(DBUpdatesTest, FailureWhileCopyingRowsLeavesTheOriginalOpenAndUntouched) {
    // Two players with the same key: the new layout's unique key refuses the PLAYERS rows half-way.
    const QString live = MakeOldDatabase(folder.Path() + "/Scores.mdb", "5.3.2", true);
    const QByteArray before = Bytes(live);
    OpenLive(live);
    test::ScriptedMsgBox boxes;

    UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);

    ASSERT_EQ(boxes.Count(), 1);
    const QString text = boxes.Last();
    EXPECT_TRUE(text.startsWith("DBUpdates, Database_Updates\r\nError Number 3022\r\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("\r\nsSQL=Insert Into PLAYERS (")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("\r\nLine # 8")) << text.toStdString();
    EXPECT_EQ(Bytes(live), before);
    EXPECT_EQ(Files(folder.Path()), QStringList({"Scores.mdb"}));
    ASSERT_TRUE(Ctx().HasDatabase());
    EXPECT_EQ(TestDb().Path(), live);
    EXPECT_EQ(TestDb().Scalar("SELECT VERSION FROM SETUP").toString(), "5.3.2");
}

TEST_F(DBUpdatesTest, FailureAtAnyStepBeforeThePutInPlaceKeepsTheOriginal) {
    const QString live = MakeOldDatabase(folder.Path() + "/Scores.mdb", "5.3.2");
    const QByteArray before = Bytes(live);
    for (int failing = 5; failing <= 13; ++failing) {
        SCOPED_TRACE(failing);
        OpenLive(live);
        SetDatabaseUpdateStepHook([failing](int step) {
            if (step == failing) throw AppError(75, "Path/File access error");
        });
        test::ScriptedMsgBox boxes;
        UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
        SetDatabaseUpdateStepHook(nullptr);

        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().endsWith("\r\nLine # " + QString::number(failing)))
            << boxes.Last().toStdString();
        EXPECT_EQ(Bytes(live), before);
        EXPECT_EQ(Files(folder.Path()), QStringList({"Scores.mdb"}));
        ASSERT_TRUE(Ctx().HasDatabase());
        EXPECT_EQ(TestDb().Scalar("SELECT VERSION FROM SETUP").toString(), "5.3.2");
        Ctx().Live().Close();
    }
}

TEST_F(DBUpdatesTest, FailureAfterThePutInPlaceStillReopensTheUpgradedFile) {
    const QString live = MakeOldDatabase(folder.Path() + "/Scores.mdb", "5.3.2");
    const QByteArray before = Bytes(live);
    OpenLive(live);
    SetDatabaseUpdateStepHook([](int step) {
        if (step == 14) throw AppError(5, "Invalid procedure call");
    });
    test::ScriptedMsgBox boxes;
    UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
    SetDatabaseUpdateStepHook(nullptr);

    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().endsWith("Line # 14"));
    EXPECT_EQ(Bytes(folder.Path() + "/CVPre54-2004Mar05140709.MDB"), before);
    ASSERT_TRUE(Ctx().HasDatabase());
    EXPECT_EQ(TestDb().Scalar("SELECT VERSION FROM SETUP").toString(), VersionText());
}

// A full disk while the copy is built is named by the golfer's database, not by the copy beside it,
// and said in a plain box of its own with the technical lines under its details, not sent to support.
TEST_F(DBUpdatesTest, AFullDiskIsNamedByTheDatabaseInAPlainBox) {
    const QString live = MakeOldDatabase(folder.Path() + "/Scores.mdb", "5.3.2");
    OpenLive(live);
    Ctx().bErrorReport = true;
    SetDatabaseUpdateStepHook([&live](int step) {
        if (step == 8)
            throw DbError(kErrDiskFull, "database or disk is full", "Insert Into PLAYERS",
                          live + ".update.tmp");
    });
    test::ScriptedModal mailScreen([](QDialog&) { return 0; });
    test::ScriptedMsgBox boxes;
    UpdateDatabase(Ctx().Live(), Ctx().sDBPathFile);
    SetDatabaseUpdateStepHook(nullptr);

    EXPECT_EQ(mailScreen.Count(), 0);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last(),
              "The disk is full: nothing was saved. Free some space on the disk (the one that "
              "holds '" +
                  live + "') and try again.");
    EXPECT_TRUE(boxes.Details()[0].startsWith("DBUpdates, Database_Updates\r\nError Number 3035"));
    // Another error with a plain sentence of its own is still offered as a report.
    ReportErrorText(
        "The change was not saved: the database is write-protected.\r\n\r\nTag\r\nError Number 3027");
    EXPECT_EQ(mailScreen.Count(), 1);
}

}  // namespace
}  // namespace dc

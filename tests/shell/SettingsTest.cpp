// The settings screen, offscreen: loading the SETUP row, the save (SETUP, Connect.ini, a new path),
// the refusal of the blank database, the missing-database road, the close check and the backup button.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/IniFile.h"
#include "platform/MsgBox.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "shell/frmSystemSetup.h"

namespace dc {
namespace {

const QString kMissingText =
    "A valid Dado Corvy database has NOT been found.  Please 'Browse' or supply a valid Dado Corvy Database "
    "Path.";
const QString kMissingTitle = "Dado Corvy: Missing or invalid database path/file.";
const QString kBlankRefused =
    "The selected file cannot be used as a Dado Corvy Database.  Please select a different file.";
const QString kCloseQuestion = "Entries for the Setup have changed.\n\rSave the changes?";

// A screen whose file dialog and program end are recorded instead of happening.
struct Screen {
    explicit Screen(bool databaseMissing = false) : form(Ctx(), nullptr, databaseMissing) {
        form.ChooseFile = [this](QWidget*, const QString& /*caption*/, const QString& folder,
                                 const QString& filter) {
            dialogFolders << folder;
            dialogFilters << filter;
            return nextFile;
        };
        form.EndProgram = [this] { ++ended; };
    }
    frmSystemSetup form;
    QStringList dialogFolders, dialogFilters;
    QString nextFile;  // what the file dialog returns (empty: cancelled)
    int ended = 0;
};

struct SetupRow {
    bool sounds, flag18, us;
    QString style;
};

SetupRow ReadSetup(const QString& path) {
    auto rs = Database::Open(path, kDBPassword)->OpenRecordset("SELECT * FROM SETUP");
    return {rs["SOUNDS"].toBool(), rs["FLAG_18_9"].toBool(), rs["US_CA_FLAG"].toBool(),
            rs["LABEL_STYLE"].str()};
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        live = folder.OpenDatabase("Golf.mdb");
        Ctx().sMultimediaPath = folder.Path() + "/";
        folder.WriteIni(live, Ctx().sMultimediaPath);
    }
    test::ProgramFolder folder;
    QString live;
};

TEST_F(SettingsTest, LoadShowsTheStoredOptionsPathsAndLastRun) {
    TestDb().Execute("UPDATE SETUP SET SOUNDS=1, LABEL_STYLE=' 1 ', FLAG_18_9=0, US_CA_FLAG=0");
    Ctx().sDateFormat = "DD/MM/YYYY";
    WriteIniValue("Path", "LastDate", FormatLocalDate(QDate(2004, 12, 25), Ctx().sDateFormat), IniFilePath());
    WriteIniValue("Path", "LastTime", "15:07:45", IniFilePath());

    Screen s;
    auto& f = s.form;
    EXPECT_EQ(f.windowTitle(), "System Setup");
    EXPECT_TRUE(f.chkSounds->isChecked());
    EXPECT_TRUE(f.optStyle_1->isChecked());
    EXPECT_TRUE(f.opt189_2->isChecked());
    EXPECT_TRUE(f.optUSCan_2->isChecked());
    EXPECT_EQ(f.txtDataBasePath->text(), live);
    EXPECT_EQ(f.txtMultimediaPath->text(), Ctx().sMultimediaPath);
    EXPECT_TRUE(f.capDate->text().startsWith("25")) << f.capDate->text().toStdString();
    EXPECT_EQ(f.capTime->text(), "03:07:45 pm");
    EXPECT_EQ(f.capHelp->text(), "Type in the path and filename for the active Dado Corvy database.");
    EXPECT_FALSE(f.bChanged);

    // Edits mark the screen changed; the option hints follow the control.
    f.optStyle_2->setChecked(true);
    EXPECT_TRUE(f.bChanged);
    EXPECT_EQ(f.capHelp->text(), "Select either 2 labels across or 3 labels across.");
}

TEST_F(SettingsTest, SaveWritesSetupIniAndMemory) {
    Screen s;
    auto& f = s.form;
    f.chkSounds->setChecked(true);
    f.opt189_2->setChecked(true);
    f.optUSCan_2->setChecked(true);
    f.optStyle_1->setChecked(true);
    f.txtMultimediaPath->setText(" /media/sounds/ ");
    test::ScriptedMsgBox boxes;

    EXPECT_TRUE(f.SaveSettings());

    EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    const SetupRow row = ReadSetup(live);
    EXPECT_TRUE(row.sounds);
    EXPECT_FALSE(row.flag18);
    EXPECT_FALSE(row.us);
    EXPECT_EQ(row.style, "1");
    EXPECT_EQ(ReadIniValue("PATH", "DBPathFile", IniFilePath()), live);
    EXPECT_EQ(ReadIniValue("PATH", "MultimediaPath", IniFilePath()), "/media/sounds/");
    EXPECT_EQ(Ctx().sMultimediaPath, " /media/sounds/ ");  // as typed
    EXPECT_TRUE(Ctx().bSounds);
    EXPECT_FALSE(Ctx().bFlag18_9);
    EXPECT_FALSE(Ctx().bUSCAFlag);
    EXPECT_FALSE(f.bChanged);
    ASSERT_TRUE(Ctx().HasDatabase());
    EXPECT_EQ(TestDb().Path(), live);
}

TEST_F(SettingsTest, SoundsWithoutAMultimediaPathAreStoredOffButStayOnInMemory) {
    Screen s;
    s.form.chkSounds->setChecked(true);
    s.form.txtMultimediaPath->setText("   ");
    test::ScriptedMsgBox boxes;
    ASSERT_TRUE(s.form.SaveSettings());
    EXPECT_FALSE(ReadSetup(live).sounds);
    EXPECT_TRUE(Ctx().bSounds);
}

TEST_F(SettingsTest, SaveWithANewPathMovesToThatDatabase) {
    const QString other = folder.MakeDatabase("Other.mdb");
    Screen s;
    s.form.txtDataBasePath->setText(other);
    s.form.optStyle_1->setChecked(true);
    test::ScriptedMsgBox boxes;

    ASSERT_TRUE(s.form.SaveSettings());

    EXPECT_EQ(TestDb().Path(), other);
    EXPECT_EQ(Ctx().sDBPathFile, other);
    EXPECT_EQ(ReadSetup(other).style, "1");
    EXPECT_EQ(ReadSetup(live).style, "2");  // the previous database is not touched
    EXPECT_EQ(ReadIniValue("PATH", "DBPathFile", IniFilePath()), other);
}

TEST_F(SettingsTest, SaveWithAPathToNoDatabaseKeepsThePreviousOne) {
    Screen s;
    // "golf.mdb" names another file than "Golf.mdb" here, one that does not exist.
    s.form.txtDataBasePath->setText(folder.Path() + "/golf.mdb");
    test::ScriptedMsgBox boxes({vbOK});

    EXPECT_FALSE(s.form.SaveSettings());

    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last(), kMissingText);
    EXPECT_EQ(boxes.Titles()[0], kMissingTitle);
    EXPECT_EQ(boxes.Styles()[0], vbOKCancel);
    EXPECT_EQ(TestDb().Path(), live);
    EXPECT_EQ(ReadIniValue("PATH", "DBPathFile", IniFilePath()), live);
    EXPECT_EQ(s.ended, 0);
}

TEST_F(SettingsTest, BlankDatabaseIsRefusedInAnyCase) {
    const QTemporaryDir old;
    for (const QString& path : {folder.DbFiles() + "/CV54Blank.MDB", old.path() + "/cv54blank.mdb.bak"}) {
        SCOPED_TRACE(path.toStdString());
        Screen s;
        s.form.txtDataBasePath->setText(path);
        test::ScriptedMsgBox boxes;

        EXPECT_FALSE(s.form.SaveSettings());

        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last(), kBlankRefused);
        EXPECT_EQ(boxes.Styles()[0], vbExclamation + vbOKOnly);
        ASSERT_EQ(s.dialogFolders.size(), 1);  // the file dialog opened, and was cancelled
        EXPECT_EQ(s.dialogFilters[0], "Database Files (*.MDB *.mdb)");
        EXPECT_EQ(s.form.txtDataBasePath->text(), path);
        EXPECT_EQ(ReadIniValue("PATH", "DBPathFile", IniFilePath()), live);
        EXPECT_EQ(TestDb().Path(), live);
    }
}

TEST_F(SettingsTest, BrowseFillsThePathAndCancelKeepsIt) {
    Screen s;
    s.form.cmdBrowseDBPath_Click();
    EXPECT_EQ(s.dialogFolders.value(0), folder.Path() + "/");
    EXPECT_EQ(s.form.txtDataBasePath->text(), live);

    s.nextFile = folder.Path() + "/Chosen.mdb";
    s.form.cmdBrowseDBPath_Click();
    EXPECT_EQ(s.form.txtDataBasePath->text(), s.nextFile);
    EXPECT_TRUE(s.form.bChanged);
}

TEST_F(SettingsTest, MissingDatabaseRoad) {
    Ctx().Live().Close();
    Ctx().sDBPathFile = folder.Path() + "/Lost.mdb";
    Screen s(/*databaseMissing=*/true);
    auto& f = s.form;

    // Nothing loaded: empty paths and the initial options.
    EXPECT_EQ(f.txtDataBasePath->text(), "");
    EXPECT_EQ(f.txtMultimediaPath->text(), "");
    EXPECT_FALSE(f.chkSounds->isChecked());
    EXPECT_TRUE(f.opt189_1->isChecked());
    EXPECT_TRUE(f.optUSCan_1->isChecked());
    EXPECT_TRUE(f.optStyle_2->isChecked());

    {
        // Saving with an empty box: the missing-database question; OK keeps the screen.
        test::ScriptedMsgBox boxes({vbOK});
        EXPECT_FALSE(f.SaveSettings());
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last(), kMissingText);
        EXPECT_EQ(s.ended, 0);
        EXPECT_TRUE(f.DatabaseMissing());
    }

    // A valid file: opened, the initial options written into it, the road ends.
    const QString chosen = folder.MakeDatabase("Found.mdb");
    Database::Open(chosen, kDBPassword)
        ->Execute("UPDATE SETUP SET SOUNDS=1, FLAG_18_9=0, US_CA_FLAG=0, LABEL_STYLE='1'");
    f.txtDataBasePath->setText(chosen);
    test::ScriptedMsgBox boxes;
    ASSERT_TRUE(f.SaveSettings()) << boxes.Last().toStdString();
    EXPECT_FALSE(f.DatabaseMissing());
    ASSERT_TRUE(Ctx().HasDatabase());
    EXPECT_EQ(TestDb().Path(), chosen);
    const SetupRow row = ReadSetup(chosen);
    EXPECT_FALSE(row.sounds);
    EXPECT_TRUE(row.flag18);
    EXPECT_TRUE(row.us);
    EXPECT_EQ(row.style, "2");
    EXPECT_EQ(ReadIniValue("PATH", "DBPathFile", IniFilePath()), chosen);
}

TEST_F(SettingsTest, ClosingWhileTheDatabaseIsMissing) {
    Ctx().Live().Close();
    Screen s(/*databaseMissing=*/true);
    s.form.show();
    {
        test::ScriptedMsgBox boxes({vbOK});
        EXPECT_FALSE(s.form.close());
        EXPECT_TRUE(s.form.isVisible());
        EXPECT_EQ(boxes.Last(), kMissingText);
        EXPECT_EQ(s.ended, 0);
    }
    {
        test::ScriptedMsgBox boxes({vbCancel});
        s.form.close();
        EXPECT_EQ(s.ended, 1);  // Cancel ends the program
    }
}

TEST_F(SettingsTest, CloseWithUnsavedChanges) {
    {  // Cancel: the screen stays with its edits.
        Screen s;
        s.form.show();
        s.form.optStyle_1->setChecked(true);
        test::ScriptedMsgBox boxes({vbCancel});
        EXPECT_FALSE(s.form.close());
        EXPECT_EQ(boxes.Last(), kCloseQuestion);
        EXPECT_EQ(boxes.Styles()[0], vbExclamation + vbYesNoCancel);
        EXPECT_TRUE(s.form.optStyle_1->isChecked());
        EXPECT_EQ(ReadSetup(live).style, "2");
    }
    {  // No: closes without saving.
        Screen s;
        s.form.show();
        s.form.optStyle_1->setChecked(true);
        test::ScriptedMsgBox boxes({vbNo});
        EXPECT_TRUE(s.form.close());
        EXPECT_EQ(ReadSetup(live).style, "2");
        EXPECT_EQ(s.form.nReturnCode, 3);
    }
    {  // Yes: saves, then closes.
        Screen s;
        s.form.show();
        s.form.optStyle_1->setChecked(true);
        test::ScriptedMsgBox boxes({vbYes});
        EXPECT_TRUE(s.form.close());
        EXPECT_EQ(boxes.Count(), 1);
        EXPECT_EQ(ReadSetup(live).style, "1");
        EXPECT_EQ(s.form.nReturnCode, 3);
    }
    {  // Unchanged: closes without a question.
        Screen s;
        s.form.show();
        test::ScriptedMsgBox boxes;
        EXPECT_TRUE(s.form.close());
        EXPECT_EQ(boxes.Count(), 0);
    }
}

TEST_F(SettingsTest, YesWithARefusedOrFailedSaveKeepsTheScreenAndItsEdits) {
    {
        Screen s;
        s.form.show();
        s.form.txtDataBasePath->setText(folder.DbFiles() + "/CV54Blank.MDB");
        test::ScriptedMsgBox boxes({vbYes});
        EXPECT_FALSE(s.form.close());
        EXPECT_TRUE(s.form.isVisible());
        EXPECT_EQ(boxes.Texts(), QStringList({kCloseQuestion, kBlankRefused}));
        EXPECT_EQ(s.form.txtDataBasePath->text(), folder.DbFiles() + "/CV54Blank.MDB");
        EXPECT_TRUE(s.form.bChanged);
    }
    {
        Screen s;
        s.form.show();
        s.form.txtDataBasePath->setText(folder.Path() + "/Nowhere.mdb");
        test::ScriptedMsgBox boxes({vbYes, vbOK});
        EXPECT_FALSE(s.form.close());
        EXPECT_TRUE(s.form.isVisible());
        EXPECT_EQ(boxes.Texts(), QStringList({kCloseQuestion, kMissingText}));
        EXPECT_EQ(s.form.txtDataBasePath->text(), folder.Path() + "/Nowhere.mdb");
        EXPECT_EQ(ReadIniValue("PATH", "DBPathFile", IniFilePath()), live);
    }
}

TEST_F(SettingsTest, EnterMovesToTheNextFieldLikeTab) {
    Screen s;
    s.form.show();
    QApplication::setActiveWindow(&s.form);
    s.form.txtDataBasePath->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.form.txtDataBasePath->hasFocus(); }));
    EXPECT_EQ(s.form.capHelp->text(), "Type in the path and filename for the active Dado Corvy database.");

    QTest::keyClick(s.form.txtDataBasePath, Qt::Key_Return);
    EXPECT_FALSE(s.form.txtDataBasePath->hasFocus());
    EXPECT_TRUE(s.form.isVisible());
    EXPECT_EQ(s.form.txtDataBasePath->text(), live);

    s.form.txtMultimediaPath->setFocus();
    EXPECT_EQ(s.form.capHelp->text(), "Type in the path for the Dado Corvy Multimedia files.");
}

TEST_F(SettingsTest, BackupButtonShowsTheOutcome) {
    test::FixedClock clock(QDateTime(QDate(2005, 3, 3), QTime(9, 5, 1)));
    Screen s;
    {  // No: nothing happens.
        test::ScriptedMsgBox boxes({vbNo});
        s.form.cmdStart_Click();
        EXPECT_EQ(boxes.Last(), "Are you sure you want to Backup, Repair and Compact your database?");
        EXPECT_EQ(boxes.Styles()[0], vbYesNo);
        EXPECT_EQ(s.form.lblRepairStatus->text(), "");
        EXPECT_FALSE(QFile::exists(folder.DbFiles() + "/CV20050303.mdb"));
        EXPECT_TRUE(Ctx().HasDatabase());
    }
    {  // Yes: done, and the moment of the run shown.
        test::ScriptedMsgBox boxes({vbYes});
        s.form.cmdStart_Click();
        EXPECT_EQ(boxes.Count(), 1) << boxes.Last().toStdString();
        EXPECT_EQ(s.form.lblRepairStatus->text(), "Successful");
        EXPECT_EQ(s.form.lblRepairStatus->palette().color(QPalette::Window), QColor(0, 255, 0));
        EXPECT_FALSE(s.form.bCompactFailed);
        EXPECT_EQ(s.form.capTime->text(), "09:05:01 am");
        EXPECT_EQ(s.form.capDate->text(), FormatLocalDate(QDate(2005, 3, 3), Ctx().sDateFormat));
        EXPECT_TRUE(QFile::exists(folder.DbFiles() + "/CV20050303.mdb"));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    {  // A failure: "Error" in red, the error text reported, the database still open.
        QFile(folder.DbFiles() + "/CV54Blank.MDB").remove();
        QDir(folder.DbFiles()).removeRecursively();
        test::ScriptedMsgBox boxes({vbYes});
        s.form.cmdStart_Click();
        EXPECT_EQ(s.form.lblRepairStatus->text(), "Error");
        EXPECT_EQ(s.form.lblRepairStatus->palette().color(QPalette::Window), QColor(255, 0, 0));
        EXPECT_TRUE(s.form.bCompactFailed);
        ASSERT_EQ(boxes.Count(), 2);
        EXPECT_TRUE(boxes.Last().startsWith("frmSystemSetup, cmdStart_Click\r\n"));
        EXPECT_TRUE(Ctx().HasDatabase());
    }
    // A new opening shows the last run read back from Connect.ini.
    Screen again;
    EXPECT_EQ(again.form.capTime->text(), "09:05:01 am");
    EXPECT_EQ(again.form.capDate->text(), FormatLocalDate(QDate(2005, 3, 3), Ctx().sDateFormat));
}

}  // namespace
}  // namespace dc

namespace dc {

TEST_F(SettingsTest, ResyncRecomputesEveryRoundAndSaysSoOnlyWhenItDid) {
    TestDb().Execute("INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, GENDER) VALUES (4, 'A', 'M')");
    TestDb().Execute(
        "INSERT INTO INDIV_SCORES (PLAYER_ID, GAME_NUMBER, ROUND_DATE, RND_GAME_ID, COURSE_RATING, "
        "SLOPE_RATING, "
        "USE_HCP, USE_TOURN, GSF9, GSB9, GSTOTAL, HCP_INDEX_US_18) VALUES (4, 7, '2024-05-01', 1, 70.0, 113, "
        "1, 0, "
        "45, 45, 90, 99)");
    Screen s;
    Ctx().nCurPlayerID = 12;
    test::ScriptedMsgBox box;
    ASSERT_TRUE(s.form.cmdResync->isEnabled());
    s.form.cmdResync_Click();
    EXPECT_EQ(box.Last(), "Resynchronization of all scores for all players complete!");
    EXPECT_EQ(Ctx().nCurPlayerID, 12) << "the current player is kept";
    EXPECT_EQ(TestDb().Scalar("SELECT GAME_NUMBER FROM INDIV_SCORES").toInt(), 1) << "games renumbered";
    EXPECT_NE(TestDb().Scalar("SELECT HCP_INDEX_US_18 FROM INDIV_SCORES").toDouble(), 99.0)
        << "indexes recomputed";

    TestDb().Execute("UPDATE INDIV_SCORES SET GAME_NUMBER=5");
    TestDb().Execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON INDIV_SCORES BEGIN SELECT RAISE(ABORT, 'refused'); END");
    test::ScriptedMsgBox failing;
    s.form.cmdResync_Click();
    ASSERT_EQ(failing.Count(), 1) << "the failure is reported, and not announced as complete";
    EXPECT_TRUE(failing.Last().startsWith("SaveScores, ResynchAllScores")) << failing.Last().toStdString();
    EXPECT_EQ(TestDb().Scalar("SELECT GAME_NUMBER FROM INDIV_SCORES").toInt(), 5) << "nothing half done";
}

}  // namespace dc

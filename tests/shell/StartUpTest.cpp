// Start-up roads: a ready database, a missing or foreign one, a second running copy.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "TestSupport.h"
#include "entry/frmMainGolf.h"
#include "platform/Database.h"
#include "platform/Desktop.h"
#include "platform/MsgBox.h"
#include "platform/SingleInstance.h"
#include "shell/AppContext.h"
#include "shell/ProgramFolder.h"
#include "shell/RunStartUp.h"
#include "shell/StartUp.h"
#include "shell/Version.h"
#include "shell/frmSystemSetup.h"
#include "shell/frmWelcome.h"

using namespace dc;

namespace {

QByteArray Hash(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

struct StartRun {
    StartUpResult result;
    int settingsShown = 0;
};

StartRun Start(test::ProgramFolder& folder) {
    SingleInstance instance(folder.Path() + "/lock");
    StartRun run{};
    run.result = RunStartUp(Ctx(), instance, [&] { ++run.settingsShown; });
    return run;
}

const char* kMissing =
    "A valid Dado Corvy database has NOT been found.\r\nClick the OK button to proceed to the Setup screen "
    "to "
    "enter a valid Dado Corvy database file.";

}  // namespace

TEST(StartUp, OpensTheDatabaseAndReadsTheSettings) {
    test::ProgramFolder folder;
    const QString db = folder.MakeDatabase();
    {
        auto d = Database::Open(db, "8306");
        d->Execute("Update SETUP Set SOUNDS=1, FLAG_18_9=0, US_CA_FLAG=1");
    }
    folder.WriteIni(db, "/sounds/");
    test::ScriptedMsgBox boxes;
    const StartRun run = Start(folder);
    EXPECT_EQ(run.result, StartUpResult::Ready);
    EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    ASSERT_TRUE(Ctx().HasDatabase());
    EXPECT_EQ(MsgBoxTitle(), "Dado Corvy " + VersionText());
    EXPECT_TRUE(Ctx().bErrorReport);
    EXPECT_EQ(Ctx().sMultimediaPath, "/sounds/");
    EXPECT_TRUE(Ctx().bSounds);
    EXPECT_FALSE(Ctx().bFlag18_9);
    EXPECT_TRUE(Ctx().bUSCAFlag);
}

TEST(StartUp, UnusableDatabasesLeadToTheSettingsScreenAndAreNotTouched) {
    test::ProgramFolder folder;
    const QString good = folder.MakeDatabase("good.mdb");
    QFile text(folder.Path() + "/text.mdb");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a database at all\n");
    text.close();
    const QString otherPassword = folder.Path() + "/other.mdb";
    { Database::Create(otherPassword, "secret")->Execute("Create Table SETUP (VERSION TEXT)"); }

    const QStringList paths{folder.Path() + "/missing.mdb",
                            folder.Path() + "/no/folder/x.mdb",
                            text.fileName(),
                            otherPassword,
                            folder.DbFiles() + "/CV54Blank.MDB",
                            ""};
    const QByteArray blankHash = Hash(folder.DbFiles() + "/CV54Blank.MDB");
    const QByteArray otherHash = Hash(otherPassword);
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        folder.WriteIni(path);
        Ctx().Live().Close();
        test::ScriptedMsgBox boxes;
        const StartRun run = Start(folder);
        EXPECT_EQ(run.result, StartUpResult::DatabaseMissing);
        EXPECT_EQ(run.settingsShown, 1);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last(), kMissing);
        EXPECT_EQ(boxes.Titles().back(), "Dado Corvy: Missing or invalid database path/file.");
        EXPECT_EQ(boxes.Styles().back(), vbCritical + vbOKOnly);
        EXPECT_FALSE(Ctx().HasDatabase());
    }
    EXPECT_FALSE(QFile::exists(folder.Path() + "/missing.mdb"));
    EXPECT_EQ(Hash(folder.DbFiles() + "/CV54Blank.MDB"), blankHash);
    EXPECT_EQ(Hash(otherPassword), otherHash);
    EXPECT_EQ(QFile(text.fileName()).size(), 22);
    (void)good;
}

TEST(StartUp, ASecondCopyIsRefused) {
    test::ProgramFolder folder;
    SingleInstance first(folder.Path() + "/lock");
    ASSERT_TRUE(first.TryAcquire());
    SingleInstance second(folder.Path() + "/lock");
    test::ScriptedMsgBox boxes;
    int shown = 0;
    EXPECT_EQ(RunStartUp(Ctx(), second, [&] { ++shown; }), StartUpResult::Quit);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().endsWith(" already running!"));
    EXPECT_EQ(boxes.Styles().back(), vbExclamation + vbOKOnly);
    EXPECT_EQ(shown, 0);
}

TEST(Welcome, LoadsShowsTheVersionAndStartsTheMainScreen) {
    test::ProgramFolder folder;
    folder.WriteIni(folder.MakeDatabase());
    test::ScriptedMsgBox boxes;
    SingleInstance instance(folder.Path() + "/lock");
    frmWelcome welcome(Ctx(), instance, [] { return new frmMainGolf(Ctx()); });
    ASSERT_TRUE(welcome.Form_Load());
    EXPECT_EQ(welcome.windowTitle(), "Dado Corvy " + VersionText());
    EXPECT_EQ(welcome.Label4->text(), VersionText());
    EXPECT_TRUE(welcome.cmdConvert->isEnabled());
    // The reader's link says it is not needed for the help, which the program shows itself.
    EXPECT_FALSE(welcome.Label2->text().contains("Used for the Dado Corvy Help File"));
    QStringList opened;
    SetDesktopOpener([&opened](const QString& url) { return opened << url, false; });
    welcome.cmdInstruction_Click();
    SetDesktopOpener({});
    EXPECT_EQ(opened, QStringList{frmWelcome::kReaderUrl});
    EXPECT_EQ(boxes.Texts(), QStringList{"Browser could not be opened."});
    welcome.show();
    welcome.cmdStart_Click();
    EXPECT_FALSE(welcome.isVisible());
    QWidget* main = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmMainGolf" && w->isVisible()) main = w;
    ASSERT_TRUE(main);
    EXPECT_EQ(main->windowTitle(), AppTitle());
    delete main;
    EXPECT_EQ(boxes.Count(), 1);
}

// Without a database the settings screen opens on its missing-database road, at start and on Start.
TEST(Welcome, WithoutADatabaseTheSettingsScreenAsksForOne) {
    test::ProgramFolder folder;
    folder.WriteIni(folder.Path() + "/missing.mdb");
    test::ScriptedMsgBox boxes;
    std::vector<bool> missing;
    test::ScriptedModal modal([&](QDialog& d) {
        missing.push_back(static_cast<frmSystemSetup&>(d).DatabaseMissing());
        return 0;
    });
    SingleInstance instance(folder.Path() + "/lock");
    frmWelcome welcome(Ctx(), instance, [] { return nullptr; });
    ASSERT_TRUE(welcome.Form_Load());
    welcome.cmdStart_Click();
    EXPECT_EQ(missing, (std::vector<bool>{true, true}));
}

// The system file check on rows that exist, are missing or differ, and on the rows the build
// generated for the program's own libraries.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <ctime>

#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/SharedLibrary.h"
#include "platform/Spread.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"
#include "shell/frmSystemSetup.h"
#include "tools/CDLLVersion.h"
#include "tools/DllCheck.h"
#include "tools/DllCheckStore.h"
#include "tools/frmDLLCheck.h"
#include "tools/frmEmail.h"

namespace dc {
namespace {

// The package database as a stand-in: no file belongs to a package.
std::map<QString, InstalledPackage> NoPackages(const QStringList&) { return {}; }

class DllCheckFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.OpenDatabase();
        // A 64-bit ELF file behind a link, as a library is installed.
        QFile f(libs_.filePath("libdemo.so.1.2.3"));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray("\x7f"
                           "ELF\x02",
                           5) +
                QByteArray(995, '\0'));
        f.close();
        QFile::link("libdemo.so.1.2.3", libs_.filePath("libdemo.so.1"));
        date_ = DbDate(QFileInfo(f.fileName()).lastModified().date());
    }
    void AddRow(int order, const QString& name, const QString& version = "1.2.3", int size = 1000,
                const QString& package = QString()) {
        TestDb().Execute(
            "INSERT INTO DLLCHECK (ORDERINDEX, FileName, CLSID, CLSIDVER, FileDate, FileSize, FileVersion) "
            "VALUES (?, ?, ?, '', ?, ?, ?)",
            {order, name, package, date_, size, version});
    }
    QString Actual(int order, const QString& column) {
        return TestDb().Scalar("SELECT " + column + " FROM DLLCHECK WHERE ORDERINDEX=?", {order}).toString();
    }

    test::ProgramFolder folder_;
    QTemporaryDir libs_;
    QString date_;
};

TEST_F(DllCheckFixture, RowsThatExistAreMissingOrDiffer) {
    TestDb().Execute("DELETE FROM DLLCHECK");
    const QString lib = libs_.filePath("libdemo.so.1");
    AddRow(1, "OSVersion");
    AddRow(2, lib);                                   // as expected
    AddRow(3, "/nowhere/libgone.so.2");               // missing
    AddRow(4, lib, "1.2.4", 999);                     // another version and size
    AddRow(5, lib, "1.2.3", 1000, "libdemo1:amd64");  // a package was expected
    AddRow(6, "dadocorvy");                           // the program, in the program's folder
    qputenv("LD_LIBRARY_PATH", libs_.path().toUtf8());
    AddRow(7, "libdemo.so.1");  // found as the loader would
    CDLLVersion facts(NoPackages);
    const DllCheckOutcome out =
        RunDllCheck(TestDb(), facts, folder_.Path(), QDate(2026, 12, 7), Ctx().sDateFormat);
    qunsetenv("LD_LIBRARY_PATH");

    EXPECT_EQ(out.heading, "File version verification " +
                               FormatLocalDate(QDate(2026, 12, 7), Ctx().sDateFormat) + " on " +
                               OperatingSystemName());
    EXPECT_EQ(Actual(1, "ACTUALFILEVERSION"), OperatingSystemName());
    ASSERT_EQ(out.lines.size(), 6u);
    const std::array<bool, 5> none{}, all{true, true, true, true, true};
    EXPECT_EQ(out.lines[0].cells[0], lib);
    EXPECT_EQ(out.lines[0].cells[1], "N/A");
    EXPECT_EQ(out.lines[0].cells[3], "1000");
    EXPECT_EQ(out.lines[0].cells[4], "1.2.3");
    EXPECT_EQ(out.lines[0].marked, none);
    EXPECT_EQ(Actual(2, "ACTUALREGISTERED"), "N/A");
    EXPECT_EQ(Actual(2, "ACTUALFILEVERSION"), "");

    EXPECT_EQ(out.lines[1].cells[0], "Unable to locate /nowhere/libgone.so.2");
    EXPECT_EQ(out.lines[1].marked, all);
    EXPECT_EQ(Actual(3, "ACTUALREGISTERED"), "Unable to Locate");

    EXPECT_EQ(out.lines[2].marked, (std::array<bool, 5>{false, false, false, true, true}));
    EXPECT_EQ(Actual(4, "ACTUALFILEVERSION"), "1.2.3");
    EXPECT_EQ(Actual(4, "ACTUALFILESIZE"), "1000");

    EXPECT_TRUE(out.lines[3].marked[1]);
    EXPECT_EQ(out.lines[4].cells[0], "Unable to locate " + QDir(folder_.Path()).filePath("DadoCorvy"));
    EXPECT_EQ(out.lines[5].cells[0], lib);
    EXPECT_EQ(out.lines[5].marked, none);
}

// A database made by another build checks against the rows shipped with this one.
TEST_F(DllCheckFixture, ExpectedRowsComeFromTheShippedBlankDatabase) {
    const QString blank = folder_.DbFiles() + "/CV54Blank.MDB";
    const int shipped = Database::Open(blank, kDBPassword)->Scalar("SELECT count(*) FROM DLLCHECK").toInt();
    ASSERT_GT(shipped, 3);
    TestDb().Execute("DELETE FROM DLLCHECK");
    AddRow(1, "/old/build/libgone.so.1");
    DllCheckStore(TestDb()).RefreshExpectedRows(folder_.DbFiles() + "/missing.mdb");
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM DLLCHECK").toInt(), 1)
        << "no shipped rows: nothing changes";
    DllCheckStore(TestDb()).RefreshExpectedRows(blank);
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM DLLCHECK").toInt(), shipped);
    EXPECT_EQ(TestDb().Scalar("SELECT count(*) FROM DLLCHECK WHERE FileName LIKE '%libgone%'").toInt(), 0);
    TestDb().Execute("UPDATE SETUP SET SOUNDS=SOUNDS");  // the blank is detached again
}

// The rows the build generated for the built program agree with the files the check finds here, in
// any time zone, and the package database is asked once, about every file found. The stand-in answers
// as the package database did when the rows were generated.
TEST_F(DllCheckFixture, GeneratedRowsOfTheProgramCheckCleanWithOneQuestionToThePackageDatabase) {
    std::map<QString, InstalledPackage> owners;
    Recordset rs = TestDb().OpenRecordset("SELECT FileName, CLSID, CLSIDVER FROM DLLCHECK WHERE CLSID<>''");
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        owners[LocateModule(rs["FileName"].str())] = {rs["CLSID"].str(), rs["CLSIDVER"].str()};
    ASSERT_FALSE(owners.empty());
    std::vector<QStringList> questions;
    CDLLVersion facts([&](const QStringList& paths) {
        questions.push_back(paths);
        return owners;
    });
    for (const char* zone : {"UTC", "Pacific/Kiritimati", "America/Adak"}) {
        SCOPED_TRACE(zone);
        questions.clear();
        DllCheckOutcome out;
        {
            test::EnvGuard tz("TZ", zone);
            ::tzset();
            out = RunDllCheck(TestDb(), facts, folder_.Path(), QDate(2026, 12, 7), Ctx().sDateFormat);
        }
        ::tzset();
        ASSERT_EQ(questions.size(), 1u);
        for (const auto& [path, package] : owners)
            EXPECT_TRUE(questions[0].contains(path)) << path.toStdString();
        ASSERT_GT(out.lines.size(), 3u);
        for (size_t i = 1; i < out.lines.size(); ++i) {  // line 0 is the program, not in this folder
            const DllCheckLine& l = out.lines[i];
            EXPECT_EQ(l.marked, (std::array<bool, 5>{}))
                << l.cells[0].toStdString() << " " << l.cells[1].toStdString();
        }
        EXPECT_TRUE(out.lines[0].cells[0].startsWith("Unable to locate"));
    }
}

TEST_F(DllCheckFixture, ScreenShowsMarksAndMailsThroughOneCall) {
    TestDb().Execute("DELETE FROM DLLCHECK");
    AddRow(1, libs_.filePath("libdemo.so.1"), "9.9");
    AddRow(2, "/nowhere/libgone.so.2");
    QFile::remove(folder_.DbFiles() + "/CV54Blank.MDB");  // no shipped rows to take these rows' place
    frmDLLCheck screen(Ctx());
    screen.QueryPackages = NoPackages;
    EXPECT_EQ(screen.spDLL->MaxRows(), 0) << "nothing is checked before the screen opens";
    screen.show();
    ASSERT_EQ(screen.spDLL->MaxRows(), 2);
    auto colour = [&](int c, int r) {
        screen.spDLL->SetCol(c);
        screen.spDLL->SetRow(r);
        return screen.spDLL->BackColor();
    };
    EXPECT_EQ(colour(5, 1), QColor(255, 255, 0));
    EXPECT_NE(colour(4, 1), QColor(255, 255, 0));
    EXPECT_EQ(colour(3, 2), QColor(255, 255, 0));
    test::ScriptedMsgBox boxes;
    QString subject;
    {
        test::ScriptedModal mail([&](QDialog& d) {
            auto* e = qobject_cast<frmEmail*>(&d);
            if (!e) return 0;
            subject = e->txtSubject->text();
            EXPECT_EQ(e->EmailMode(), "System");
            return 0;
        });
        screen.cmdEmail_Click();
        EXPECT_EQ(mail.Count(), 1);
    }
    EXPECT_EQ(subject, frmDLLCheck::EmailSubject());
    const int boxesBefore = boxes.Count();  // the archive needs a Connect.ini this folder lacks
    EXPECT_EQ(frmDLLCheck::EmailSubject(), "Dado Corvy System Check (CV5.5.0)");

    // Printing: the marks do not print; afterwards the sheet is cyan and the marks are back.
    const QString pdf = libs_.filePath("check.pdf");
    qputenv("DC_PRINT_PDF", pdf.toUtf8());
    screen.cmdPrint_Click();
    qunsetenv("DC_PRINT_PDF");
    EXPECT_EQ(boxes.Count(), boxesBefore) << boxes.Last().toStdString();
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
    EXPECT_EQ(colour(4, 1), QColor(0, 255, 255));
    EXPECT_EQ(colour(5, 1), QColor(255, 255, 0));
    EXPECT_EQ(colour(3, 2), QColor(255, 255, 0));
}

// The settings screen's button opens the check modally.
TEST_F(DllCheckFixture, SettingsScreenOpensTheCheck) {
    QString opened;
    test::ScriptedModal modal([&](QDialog& d) {
        opened = d.objectName();
        return 0;
    });
    frmSystemSetup setup(Ctx());
    ASSERT_TRUE(setup.cmdSystemFileCheck->isEnabled());
    setup.cmdSystemFileCheck->click();
    EXPECT_EQ(opened, "frmDLLCheck");
}

}  // namespace
}  // namespace dc

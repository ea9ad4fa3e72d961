// The conversion through its screens: the progress window that holds while a run is open, the
// long closing message in its own window, and folders named in Windows-1252.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "OldFileBuilder.h"
#include "TestSupport.h"
#include "entry/RoundRules.h"
#include "entry/frmMainGolf.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/SingleInstance.h"
#include "platform/Spread.h"
#include "records/frmCourseSetup.h"
#include "shell/ResyncProgress.h"
#include "shell/frmMainWait.h"
#include "shell/frmSystemSetup.h"
#include "shell/frmWelcome.h"
#include "tools/Conversion.h"
#include "tools/OldDataFiles.h"
#include "tools/frmConvertResults.h"
#include "tools/frmConvertUtil.h"

namespace dc {
namespace {

using test::OldCourse;
using test::OldGolfer;
using test::OldRound;
using test::RecordBytes;
using test::ScriptedMsgBox;
using test::WriteFile;

class ConversionScreen : public ::testing::Test {
  protected:
    void SetUp() override { folder_.OpenDatabase(); }
    // The old files of one golfer in `nativeFolder`, his rounds all on one course.
    void WriteFolder(const QByteArray& nativeFolder, const QList<RecordBytes>& rounds) {
        mkdir(nativeFolder.constData(), 0755);
        auto bytes = [](const QList<RecordBytes>& records) {
            QByteArray b;
            for (const auto& r : records) b += r.Bytes();
            return b;
        };
        WriteFile(nativeFolder + "/COURSE.GDB",
                  bytes({OldCourse("Pine Valley Links"), OldCourse("Oak Hills")}));
        WriteFile(nativeFolder + "/GOLFER.GDB", bytes({OldGolfer("Smith, John")}));
        WriteFile(nativeFolder + "/SMITHJOH.GDB", bytes(rounds));
    }
    QByteArray Old() const { return QFile::encodeName(folder_.Path()) + "/old"; }
    int Rounds() { return TestDb().Scalar("SELECT COUNT(*) FROM INDIV_SCORES").toInt(); }

    test::ProgramFolder folder_;
};

// Runs `probe` at the first moment the run's transaction is open (the progress window shows a
// moment before it), from the events the run lets through.
void WhenRunIsOpen(const std::function<void()>& probe) {
    QTimer::singleShot(0, [probe] {
        if (TestDb().InTransaction())
            probe();
        else
            WhenRunIsOpen(probe);
    });
}

// What the progress window lets through while its work runs.
struct Held {
    bool shown = false, modal = false, afterEscape = false, afterClose = false, convertOff = false;
    bool nestedRefused = false;
};

Held Probe(frmWelcome* welcome, frmConvertUtil* screen) {
    Held h;
    auto* wait = qobject_cast<frmMainWait*>(QApplication::activeModalWidget());
    if (!wait) return h;
    h.shown = wait->isVisible();
    h.modal = wait->windowModality() == Qt::ApplicationModal;
    QTest::keyClick(wait, Qt::Key_Escape);
    h.afterEscape = wait->isVisible();
    wait->close();  // as the title bar's close button asks
    h.afterClose = wait->isVisible() && !(wait->windowFlags() & Qt::WindowCloseButtonHint);
    h.convertOff = !welcome || !welcome->cmdConvert->isEnabled();
    // A second run while this one is open: the screen's Start does nothing, the domain refuses.
    const int before = TestDb().Scalar("SELECT COUNT(*) FROM PLAYERS").toInt();
    if (screen) screen->cmdStart_Click();
    const ConversionResult nested =
        RunConversion(TestDb(), ConversionPlan{{}, {PlannedPlayer{99, "X", {}, "M"}}, {}, {}, {}});
    h.nestedRefused = ResyncProgress::Busy() && !nested.stored &&
                      TestDb().Scalar("SELECT COUNT(*) FROM PLAYERS").toInt() == before;
    return h;
}

void ExpectHeld(const Held& h, const char* where) {
    EXPECT_TRUE(h.shown) << where;
    EXPECT_TRUE(h.modal) << where;
    EXPECT_TRUE(h.afterEscape) << where << ": Escape closed the progress window";
    EXPECT_TRUE(h.afterClose) << where << ": the close button closed the progress window";
    EXPECT_TRUE(h.convertOff) << where << ": Convert could be clicked";
    EXPECT_TRUE(h.nestedRefused) << where << ": a second run started inside the first";
}

// The progress window of a conversion and of the settings screen's recomputation cannot be
// dismissed while its work runs, keeps the other screens from input, and no second run starts.
TEST_F(ConversionScreen, ProgressWindowHoldsWhileARunIsOpen) {
    WriteFolder(Old(), {OldRound(true, "06/01/2026", "Pine Valley Links"),
                        OldRound(true, "06/02/2026", "Oak Hills")});
    SingleInstance instance(folder_.Path() + "/lock");
    frmWelcome welcome(Ctx(), instance, [] { return nullptr; });
    welcome.show();
    welcome.cmdConvert_Click();
    auto* screen = welcome.findChild<frmConvertUtil*>();
    ASSERT_TRUE(screen);
    EXPECT_FALSE(welcome.cmdConvert->isEnabled());
    screen->SetFolder(folder_.Path() + "/old");
    Held held;
    WhenRunIsOpen([&] { held = Probe(&welcome, screen); });
    ScriptedMsgBox boxes;
    screen->cmdStart_Click();
    ExpectHeld(held, "conversion");
    EXPECT_TRUE(boxes.Last().startsWith("All files were successfully converted"))
        << boxes.Last().toStdString();
    EXPECT_EQ(Rounds(), 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // gone once the run is stored
    EXPECT_FALSE(ResyncProgress::Busy());
    screen->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(welcome.cmdConvert->isEnabled());

    // The settings screen's recomputation shows the same window for more than three players.
    for (int p = 2; p <= 5; ++p)
        TestDb().Execute("INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, GENDER) VALUES (?, 'P', 'M')", {p});
    frmSystemSetup setup(Ctx());
    held = {};
    WhenRunIsOpen([&] { held = Probe(nullptr, nullptr); });
    setup.cmdResync->click();
    ExpectHeld(held, "recomputation");
    EXPECT_EQ(boxes.Last(), "Resynchronization of all scores for all players complete!");
}

// The progress window is up before the folder is read; a run that stored nothing leaves no counts.
TEST_F(ConversionScreen, ProgressFromTheFirstStepAndNoCountsOfARunUndone) {
    WriteFolder(Old(), {OldRound(true, "06/01/2026", "Oak Hills")});
    frmConvertUtil screen(Ctx());
    screen.SetFolder(folder_.Path() + "/old");
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* wait = qobject_cast<frmMainWait*>(QApplication::activeModalWidget());
        shown = wait && wait->isVisible();
        // Played on meanwhile: read only if the folder is read after the window shows.
        WriteFolder(Old(),
                    {OldRound(true, "06/01/2026", "Oak Hills"), OldRound(true, "06/02/2026", "Oak Hills")});
    });
    ScriptedMsgBox boxes({vbOK});
    screen.cmdStart_Click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(Rounds(), 2);
    EXPECT_EQ(screen.lblNumRounds->text(), "2");

    WriteFolder(Old(), {OldRound(true, "06/09/2026", "Oak Hills")});
    TestDb().Execute(
        "CREATE TRIGGER t BEFORE INSERT ON INDIV_SCORES BEGIN SELECT RAISE(ABORT, 'forced'); END");
    Ctx().bErrorReport = false;
    frmConvertUtil again(Ctx());
    again.SetFolder(folder_.Path() + "/old");
    again.cmdStart_Click();
    EXPECT_TRUE(boxes.Last().startsWith("Nothing was converted")) << boxes.Last().toStdString();
    for (QLabel* count : {again.lblNumCourses, again.lblNumGolfers, again.lblNumRounds})
        EXPECT_EQ(count->text(), "");
    EXPECT_TRUE(again.cmdStart->isEnabled());
}

// A closing message too long for a message box comes in a window that fits the screen: a short
// summary above the whole text, which can be copied and saved.
TEST_F(ConversionScreen, LongClosingMessageScrollsInItsOwnWindow) {
    QList<RecordBytes> rounds;
    for (int d = 1; d <= 28; ++d)
        rounds << OldRound(true, QString("02/%1/2026").arg(d, 2, 10, QChar('0')).toLatin1(),
                           "Nowhere Golf Club");
    rounds << OldRound(true, "03/01/2026", "Oak Hills");
    WriteFolder(Old(), rounds);
    frmConvertUtil screen(Ctx());
    screen.SetFolder(folder_.Path() + "/old");
    QString summary, text, saved;
    QSize size;
    bool readOnly = false;
    test::ScriptedModal modal([&](QDialog& d) {
        auto* results = qobject_cast<frmConvertResults*>(&d);
        if (!results) return 0;
        summary = results->lblSummary->text();
        text = results->txtResults->toPlainText();
        readOnly = results->txtResults->isReadOnly();
        size = results->size();
        const QString path = folder_.Path() + "/results.txt";
        if (results->SaveTo(path)) {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            saved = QString::fromUtf8(f.readAll());
        }
        return 1;
    });
    ScriptedMsgBox boxes;
    screen.cmdStart_Click();
    EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    ASSERT_EQ(modal.Count(), 1);
    EXPECT_EQ(summary,
              "Converted with exceptions: 2 course(s), 1 golfer(s) and 1 round(s) were converted. 29 line(s) "
              "below name what was left out or changed.");
    EXPECT_TRUE(
        text.startsWith("Converted with exceptions:\n28 round(s) on courses not found were skipped:\n    "
                        "\"Smith, John\", 02/01/2026"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("02/28/2026, \"Nowhere Golf Club\" (SMITHJOH.GDB record 28)"));
    EXPECT_TRUE(readOnly);
    EXPECT_LE(size.width(), 1024);
    EXPECT_LE(size.height(), 768);
    EXPECT_TRUE(saved.startsWith(summary + "\n\nConverted with exceptions:\n28 round(s)"))
        << saved.toStdString();
}

// A folder whose name is in Windows-1252 shows in the folder tree and can be typed; its files
// convert.
TEST_F(ConversionScreen, FolderNamedInWindows1252) {
    mkdir(Old().constData(), 0755);
    const QByteArray club = Old() + "/Cl\xe9 Files";
    WriteFolder(club, {OldRound(true, "06/01/2026", "Oak Hills")});
    const QList<OldFile> subfolders = ListSubfolders(Old());
    ASSERT_EQ(subfolders.size(), 1);
    EXPECT_EQ(subfolders[0].name, QString::fromUtf8("Cl\xc3\xa9 Files"));
    EXPECT_EQ(subfolders[0].path, club);

    frmConvertUtil screen(Ctx());
    ScriptedMsgBox boxes;
    screen.txtPath->setText(folder_.Path() + "/old/nowhere");
    screen.cmdGo_Click();
    EXPECT_EQ(boxes.Last(), "The folder " + folder_.Path() + "/old/nowhere was not found.");
    const QString typed = folder_.Path() + QString::fromUtf8("/old/Cl\xc3\xa9 Files");
    screen.txtPath->setText(typed);
    QTest::keyClick(screen.txtPath, Qt::Key_Return);
    EXPECT_EQ(screen.FolderPath(), typed);
    EXPECT_EQ(screen.File1->count(), 3);
    EXPECT_EQ(screen.Dir1->currentIndex().data().toString(), QString::fromUtf8("Cl\xc3\xa9 Files"));
    // Chosen in the tree: the parent folder, then the folder again.
    screen.Dir1->setCurrentIndex(screen.Dir1->currentIndex().parent());
    EXPECT_EQ(screen.File1->count(), 0);
    EXPECT_EQ(screen.txtPath->text(), folder_.Path() + "/old");
    screen.Dir1->setCurrentIndex(screen.Dir1->model()->index(0, 0, screen.Dir1->currentIndex()));
    EXPECT_EQ(screen.File1->count(), 3);
    screen.cmdStart_Click();
    EXPECT_TRUE(boxes.Last().startsWith("All files were successfully converted"))
        << boxes.Last().toStdString();
    EXPECT_EQ(Rounds(), 1);
}

// A conversion beside the main screen adds older rounds of the player shown: the save of a
// correction and Delete act on the round shown whatever its number has become, and once the
// conversion has ended the screen shows that round at its new number, with the edits typed.
TEST_F(ConversionScreen, TheMainScreenActsOnTheRoundItShowsAfterAConversionRenumbered) {
    QList<RecordBytes> rounds{OldRound(true, "05/05/2024", "Oak Hills", 5),
                              OldRound(true, "05/07/2024", "Oak Hills", 4)};
    const auto convertOlder = [&](const QByteArray& date, int gross) {
        rounds.prepend(OldRound(true, date, "Oak Hills", gross));
        WriteFolder(Old(), rounds);
        frmConvertUtil screen(Ctx());
        screen.SetFolder(folder_.Path() + "/old");
        screen.cmdStart_Click();
    };
    const auto firstHole = [](const char* date) {
        return TestDb().Scalar("SELECT GS01 FROM INDIV_SCORES WHERE ROUND_DATE=?", {date});
    };
    ScriptedMsgBox boxes;
    convertOlder("05/06/2024", 6);
    frmMainGolf main(Ctx());
    main.show();
    main.cboPlayer->setCurrentIndex(0);
    main.RecBar->setValue(1);
    ASSERT_EQ(main.mskDate->Text(), "05/05/2024");

    convertOlder("05/03/2024", 7);
    main.SetHoleText(kRowGross, 1, "3");
    ASSERT_TRUE(main.cmdSave_Click());
    EXPECT_EQ(firstHole("2024-05-05").toInt(), 3) << "the correction is stored on the round shown";
    EXPECT_EQ(firstHole("2024-05-03").toInt(), 7);

    main.SetHoleText(kRowGross, 2, "8");  // an edit not saved yet
    convertOlder("05/01/2024", 8);
    QApplication::processEvents();
    EXPECT_EQ(main.txtRecNum->text(), " 3");
    EXPECT_EQ(main.mskDate->Text(), "05/05/2024");
    EXPECT_EQ(main.spISC->CellText(2, kRowGross), "8") << "the edit is kept";
    EXPECT_EQ(main.round.TeeSlope(), 125) << "the round's own slope, not its tee box's";

    convertOlder("04/30/2024", 9);
    boxes.Push(vbYes);
    main.cmdDeleteGame_Click();
    EXPECT_TRUE(firstHole("2024-05-05").isNull()) << "the round shown is deleted";
    EXPECT_EQ(Rounds(), 5);
}

// A course converted, then completed and renamed by the golfer in the course editor, stays the course
// its old record became: the club's folder played on since adds its new rounds there. A course the
// editor gives the number of a course deleted outside the program is not the old record of that one.
TEST_F(ConversionScreen, ACourseTheGolferCompletedInTheEditorKeepsItsNewRounds) {
    RecordBytes pine = OldCourse("Pine Valley Links").Single(38, 0.0f).Int16(46, 0);  // old tee 3 unused
    for (int h = 0; h < 18; ++h) pine.Int16(84 + 2 * (h * 3 + 2), 0);
    QList<RecordBytes> rounds{OldRound(true, "05/01/2026", "Pine Valley Links"),
                              OldRound(true, "05/02/2026", "Oak Hills", 4)};
    ScriptedMsgBox boxes({}, vbOK);
    const auto convert = [&] {
        WriteFolder(Old(), rounds);
        WriteFile(Old() + "/COURSE.GDB", pine.Bytes() + OldCourse("Oak Hills", 3).Bytes());
        frmConvertUtil screen(Ctx());
        screen.SetFolder(folder_.Path() + "/old");
        screen.cmdStart_Click();
        return screen.lblNumRounds->text();
    };
    EXPECT_EQ(convert(), "2");
    {
        frmCourseSetup editor(Ctx());
        editor.OpenReRating = [](int) {};
        editor.show();
        editor.cboCourseName->setCurrentIndex(editor.cboCourseName->findData(1));
        editor.cboCourseName_Click();
        ASSERT_EQ(editor.spTB->CellText(1, 1), "Red");
        editor.cboCourseName->setEditText("Pine Valley GC");
        const auto edit = [](Spread* grid, int col, int row, const QString& text) {
            grid->SetCellText(col, row, text);
            Q_EMIT grid->Change(col, row);
        };
        edit(editor.spTB, 2, 1, "68.0");
        edit(editor.spTB, 3, 1, "118");
        for (int h = 1; h <= 18; ++h) edit(editor.spMPar, h, 1, h == 1 ? "5" : "4");
        edit(editor.spMPar, 1, 2, "5");  // a par fixed on the White tee box
        boxes.Push(vbYes);               // no women's pars on Red: saved anyway
        ASSERT_TRUE(editor.SaveCourse());
    }
    ASSERT_EQ(TestDb().Scalar("SELECT COURSE_NAME || MCR FROM COURSES WHERE COURSE_ID=1").toString(),
              "Pine Valley GC68.071.570.500.0");
    for (int d = 3; d <= 7; ++d)
        rounds << OldRound(true, QByteArray("05/0") + char('0' + d) + "/2026", "Pine Valley Links", 6);
    EXPECT_EQ(convert(), "5");
    EXPECT_TRUE(
        boxes.Last().contains("1 course(s) converted before were found under another name:\r\n    "
                              "\"Pine Valley Links\" is the stored course \"Pine Valley GC\" "
                              "(converted before): not added again, its rounds go there"))
        << boxes.Last().toStdString();
    const auto courses = [] {
        return TestDb()
            .Scalar(
                "SELECT GROUP_CONCAT(C) FROM (SELECT COURSE_ID || COURSE_NAME || ':' || (SELECT COUNT(*) "
                "FROM INDIV_SCORES S WHERE S.COURSE_ID = C.COURSE_ID) AS C FROM COURSES C ORDER BY "
                "COURSE_ID)")
            .toString();
    };
    EXPECT_EQ(courses(), "1Pine Valley GC:6,2Oak Hills:1");

    // Oak Hills deleted outside the program with its round, its memory left; the editor's new course
    // takes its number. The round stays taken.
    TestDb().Execute("DELETE FROM INDIV_SCORES WHERE COURSE_ID=2");
    TestDb().Execute("DELETE FROM COURSES WHERE COURSE_ID=2");
    {
        frmCourseSetup editor(Ctx());
        editor.show();
        editor.cmdNew_Click();
        editor.cboCourseName->setEditText("Elm");
        editor.cboCourseName_Change("Elm");  // as typed
        ASSERT_TRUE(editor.SaveCourse());
    }
    EXPECT_EQ(convert(), "0");
    EXPECT_EQ(courses(), "1Pine Valley GC:6,2Elm:0,3Oak Hills:0");
}

}  // namespace
}  // namespace dc

// The main screen while other screens write: a round stored with the figures its tee box has when
// it is stored, whatever question saves it; another screen's change noted while a question is open
// is caught up with after it; and no course nobody chose is shown or warned about.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "MainScreenFixture.h"
#include "entry/frmMainGolf.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "records/frmCourseSetup.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"

using namespace dc;

using MainScreen = test::MainScreenFixture;

// A new round on Pines, hole 1 = 9; in the course editor hole 1's par 4 to 5; the editor closed
// through its own question, and the main screen's "Save the changes?" open while the notice of the
// editor's write (and of a player added meanwhile) comes: the round is stored with par 5 and the
// capped scores it gives, and the screen catches up with the player list after the save.
TEST_F(MainScreen, TheEditorClosedThroughItsQuestionWhileTheScreenAsksLeavesNoOldPar) {
    auto f = Open();
    f->cmdCourse_Click();
    auto* editor = f->findChild<frmCourseSetup*>();
    ASSERT_TRUE(editor);
    SelectPlayer(*f, 7);
    ChooseCourse(*f);
    f->mskDate->SetText(FormatLocalDate(QDate(2024, 5, 2), Ctx().sDateFormat));
    TypeGross(*f, 5);
    f->SetHoleText(kRowGross, 1, "9");
    f->Calc_Row_Scores(kRowGross);
    const int canadaOnPar4 = D(*f, 4, 4).toInt();

    editor->cboCourseName->setCurrentIndex(editor->cboCourseName->findData(1));
    editor->cboCourseName_Click();
    editor->spMPar->SetCellText(1, 1, "5");
    Q_EMIT editor->spMPar->Change(1, 1);
    test::ScriptedMsgBox boxes({}, vbYes);
    boxes.whileOpen = [](const QString& text) {
        if (!text.endsWith("Save the changes?")) return;
        test::AddPlayer(9, "BROWN", "Cy", "F");
        QCoreApplication::sendPostedEvents();  // the notices, delivered while the question is open
    };
    editor->close();
    ASSERT_EQ(boxes.Texts().filter("Save the changes?").size(), 1) << boxes.Texts().join("|").toStdString();
    ASSERT_EQ(test::RoundCount(7), 1);
    EXPECT_TRUE(test::RoundRows(7, "PAR")[0].startsWith("54")) << test::RoundRows(7, "PAR")[0].toStdString();
    EXPECT_EQ(Stored("ADJSCR_CA_18", 7, 1), canadaOnPar4 + 1) << "capped one higher on a par 5";
    EXPECT_EQ(f->spISC->CellText(1, kRowPar), "5");
    EXPECT_EQ(D(*f, 4, 4).toInt(), canadaOnPar4 + 1) << "shown as stored";
    EXPECT_TRUE(QTest::qWaitFor([&] { return f->cboPlayer->findData(9) >= 0; }, test::kGenerousWaitMs))
        << "the player added while the question was open";
}

// Another screen corrects a slope while a round is on the screen, and Save comes before its notice:
// the round is stored with the slope its tee box has then, unless it is a stored round on the tee
// box it was played off, which keeps its own.
TEST_F(MainScreen, SaveTakesTheSlopeTheTeeBoxHasThenUnlessTheRoundKeepsItsOwn) {
    const struct {
        const char* name;
        int course, tee;  // where the round is saved (tee -1: a new round on course 1, slot 0)
        int stored;
    } cases[] = {{"its own tee box", 1, 0, 113},
                 {"another tee box of its course", 1, 1, 126},
                 {"the same slot of another course", 2, 0, 131},
                 {"a new round", 1, -1, 125}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDb().Execute("DELETE FROM COURSES");
        TestDb().Execute("DELETE FROM INDIV_SCORES");
        test::AddCourse(1, "Pines");
        test::AddCourse(2, "Oaks", 130);
        TestDb().Execute(
            "UPDATE COURSES SET TB=?, MSL='113120000000', MCR='72.070.000.000.0' WHERE COURSE_ID=1",
            {QString("Blue").rightJustified(20) + QString("White").rightJustified(20) + QString(40, ' ')});
        test::AddRound(7, 1, QDate(2024, 1, 1), 5);
        test::ScriptedMsgBox boxes;
        auto f = Open();
        SelectPlayer(*f, 7);
        if (c.tee < 0) {
            f->cmdNewGame_Click();
            ChooseCourse(*f);
            TypeGross(*f, 5);
        } else {
            f->cboCourse->setCurrentIndex(f->cboCourse->findData(c.course));
            f->cboTeeBox->setCurrentIndex(c.tee);
        }
        f->SetHoleText(kRowGross, 1, "9");
        f->Calc_Row_Scores(kRowGross);
        const QString slopes = c.course == 2 ? "131000000000" : "125126000000";
        TestDb().Execute("UPDATE COURSES SET MSL=? WHERE COURSE_ID=?", {slopes, c.course});
        ASSERT_TRUE(f->cmdSave_Click()) << boxes.Texts().join("|").toStdString();
        EXPECT_EQ(test::RoundRows(7, "SLOPE_RATING").join(" "),
                  c.tee < 0 ? "113 125" : QString::number(c.stored));
    }
}

// The database switched while a woman's round is shown, then the settings screen closed: nothing of
// the old database chooses a course in the new one (its course 1 has no women's figures), neither
// the course shown before nor the one Keep same carried.
TEST_F(MainScreen, AfterTheDatabaseSwitchNoCourseOfTheOldDatabaseIsChosen) {
    test::AddRound(8, 1, QDate(2024, 1, 2), 5);
    test::ScriptedMsgBox boxes;
    auto f = Open();
    SelectPlayer(*f, 7);
    f->chkKeepSame->setChecked(true);
    ChooseCourse(*f);
    TypeGross(*f, 5);
    ASSERT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();
    SelectPlayer(*f, 8);
    ASSERT_EQ(f->cboCourse->currentData().toInt(), 1);

    LiveDatabase kept = std::move(Ctx().Live());
    Ctx().Live().Adopt(OpenProgramDatabase(folder.MakeDatabase("Other.mdb")));
    test::AddCourse(1, "Willow");
    TestDb().Execute("UPDATE COURSES SET WSL='000000000000', WCR='00.000.000.000.0'");
    test::AddPlayer(7, "OTHER", "Person", "F");
    QApplication::processEvents();  // the switch's notice: the screen starts afresh
    f->Form_Activate(3);            // the settings screen closed
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(f->cboCourse->currentIndex(), -1);
    SelectPlayer(*f, 7);
    EXPECT_EQ(f->cboCourse->currentIndex(), -1) << "no course carried from the other database";
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
    Ctx().Live() = std::move(kept);
}

// Another course saved in the course editor (it hands that course back), Yes to "Save the changes?"
// on closing it: the round just stored is shown again on its own course, never for a moment on the
// other one, and nothing warns about that one's empty tee box. A new round is put on it.
TEST_F(MainScreen, TheCourseTheEditorHandsBackNeverShowsUnderAStoredRound) {
    StoredRounds(3);
    test::AddCourse(2, "Oaks", 0, "00.0");
    test::ScriptedMsgBox boxes({}, vbYes);
    auto f = Open();
    SelectPlayer(*f, 7);
    f->SetHoleText(kRowGross, 1, "9");
    f->Calc_Row_Scores(kRowGross);
    QList<int> shown;
    QObject::connect(f->cboCourse, &QComboBox::currentIndexChanged, f.get(),
                     [&] { shown << f->cboCourse->currentData().toInt(); });
    Ctx().nCurCourseID = 2;
    f->Form_Activate(1);
    EXPECT_EQ(boxes.Texts(), QStringList{"The Hole 1 score has changed.\n\rSave the changes?"});
    EXPECT_FALSE(shown.contains(2));
    EXPECT_EQ(f->cboCourse->currentData().toInt(), 1);
    EXPECT_EQ(f->round.StoredGame(), 3);
    EXPECT_EQ(test::RoundRows(7, "GS01").value(2), "9");

    f->cmdNewGame_Click();
    Ctx().nCurCourseID = 2;
    f->Form_Activate(1);
    EXPECT_EQ(f->cboCourse->currentData().toInt(), 2) << "a new round takes the course handed back";
    EXPECT_TRUE(boxes.Last().startsWith("No Slope")) << "and warns about its own tee box";
}

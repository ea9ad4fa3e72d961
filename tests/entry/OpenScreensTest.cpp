// The screens the main screen opens beside itself, offscreen: the database switch with the course
// editor open (its own question first; it shows the other database afterwards), one window per
// screen, and No to the main screen's question before another screen opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>

#include "MainScreenFixture.h"
#include "entry/frmMainGolf.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "records/frmCourseSetup.h"
#include "shell/ProgramDb.h"
#include "shell/frmSystemSetup.h"

using namespace dc;

namespace {

const QString kCourseQuestion = "Do you want to save the changes to the current course?";

class OpenScreens : public test::MainScreenFixture {
  protected:
    // Another database whose course 1 is "Willow Creek", slope 120; the first stays open.
    QString OtherDatabase() {
        const QString first = Ctx().Connection().Path();
        const QString other = folder.MakeDatabase("Other.mdb");
        Ctx().Live().Open(other);
        test::AddCourse(1, "Willow Creek", 120, "70.5");
        Ctx().Live().Open(first);
        return other;
    }
    static QString CourseColumn(const QString& path, const QString& column) {
        return OpenProgramDatabase(path)
            ->Scalar("SELECT " + column + " FROM COURSES WHERE COURSE_ID=1")
            .toString()
            .trimmed();
    }
    template <class Screen>
    static int Visible(const QWidget& owner) {
        int open = 0;
        for (Screen* screen : owner.findChildren<Screen*>()) open += screen->isVisible() ? 1 : 0;
        return open;
    }
    static QStringList Entries(const QComboBox& box) {
        QStringList texts;
        for (int i = 0; i < box.count(); ++i) texts << box.itemText(i);
        return texts;
    }
};

}  // namespace

// The settings screen's switch to another database asks the open course editor first, as Exit
// does. Cancel keeps everything; No drops the edits; Yes stores them into the database they came
// from (the re-rating window it opens keeps that database open for it). Afterwards the editor
// lists the other database's courses, and that database's course 1 is never touched.
TEST_F(OpenScreens, TheDatabaseSwitchAsksTheOpenCourseEditorFirst) {
    const QString first = Ctx().Connection().Path();
    const QString other = OtherDatabase();
    for (const int answer : {vbCancel, vbNo, vbYes}) {
        Ctx().Live().Open(first);
        Ctx().sDBPathFile = first;
        TestDb().Execute("UPDATE COURSES SET MSL='113000000000' WHERE COURSE_ID=1");
        auto f = Open();
        f->cmdCourse_Click();
        f->cmdSetup_Click();
        auto* editor = f->findChild<frmCourseSetup*>();
        auto* setup = f->findChild<frmSystemSetup*>();
        ASSERT_TRUE(editor && setup);
        editor->cboCourseName->setCurrentIndex(editor->cboCourseName->findData(1));
        editor->cboCourseName_Click();
        editor->spTB->SetCellText(3, 1, "130");
        Q_EMIT editor->spTB->Change(3, 1);
        test::ScriptedMsgBox boxes({answer});
        setup->txtDataBasePath->setText(other);
        setup->cmdSave_Click();
        QApplication::processEvents();
        EXPECT_EQ(boxes.Texts(), QStringList{kCourseQuestion}) << answer;
        EXPECT_EQ(CourseColumn(first, "MSL").left(3), answer == vbYes ? "130" : "113") << answer;
        EXPECT_EQ(CourseColumn(other, "COURSE_NAME"), "Willow Creek") << answer;
        EXPECT_EQ(CourseColumn(other, "MSL").left(3), "120") << answer;
        EXPECT_TRUE(editor->isVisible() && setup->isVisible()) << answer;
        if (answer != vbNo) {
            // Cancel, or Yes with the re-rating of the saved course waiting: nothing switched.
            EXPECT_EQ(Ctx().Connection().Path(), first) << answer;
            EXPECT_TRUE(setup->bChanged) << answer;
            EXPECT_EQ(editor->bChanged, answer == vbCancel) << answer;
            EXPECT_EQ(editor->spTB->CellText(3, 1), "130") << answer;
            const QPointer<QDialog> reRating = f->findChild<QDialog*>("frmUpCRSR");
            EXPECT_EQ(reRating != nullptr, answer == vbYes) << answer;
            if (answer == vbCancel) {
                setup->bChanged = editor->bChanged = false;
                continue;
            }
            // Saved again: nothing left to ask about. The re-rating waiting for the first database
            // closes as the switch is made, as it does when the program ends: its course number is
            // another course in the other database.
            ASSERT_TRUE(reRating);
            setup->cmdSave_Click();
            QApplication::processEvents();
            EXPECT_EQ(boxes.Count(), 1) << boxes.Texts().join("|").toStdString();
            EXPECT_TRUE(!reRating || !reRating->isVisible());
        }
        ASSERT_EQ(Ctx().Connection().Path(), other) << answer;
        EXPECT_EQ(Entries(*editor->cboCourseName), QStringList{"Willow Creek"}) << answer;
        EXPECT_TRUE(editor->bNewCourse && !editor->bChanged) << answer;
        EXPECT_EQ(editor->spTB->CellText(3, 1), "") << "the edits are gone, " << answer;
        editor->cboCourseName->setCurrentIndex(0);
        editor->cboCourseName_Click();
        EXPECT_EQ(editor->spTB->CellText(3, 1), "120") << answer;
        setup->bChanged = false;
    }
}

// Asked for again, the course editor and the settings screen come to the front as they are: the
// edits in them stay, and no second window opens whose later save would undo the first one's.
TEST_F(OpenScreens, EachScreenIsOneWindow) {
    test::ScriptedMsgBox boxes;
    auto f = Open();
    f->cmdCourse_Click();
    f->cmdSetup_Click();
    auto* editor = f->findChild<frmCourseSetup*>();
    auto* setup = f->findChild<frmSystemSetup*>();
    ASSERT_TRUE(editor && setup);
    editor->cboCourseName->setCurrentIndex(0);
    editor->cboCourseName_Click();
    editor->spTB->SetCellText(3, 1, "130");
    Q_EMIT editor->spTB->Change(3, 1);
    setup->optStyle_1->setChecked(true);
    SelectPlayer(*f, 7);
    ChooseCourse(*f);
    TypeGross(*f, 5);  // a round typed meanwhile: asking again for an open screen asks nothing
    for (int again = 0; again < 2; ++again) {
        f->cmdCourse_Click();
        f->cmdSetup_Click();
    }
    EXPECT_EQ(Visible<frmCourseSetup>(*f), 1);
    EXPECT_EQ(Visible<frmSystemSetup>(*f), 1);
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(editor->spTB->CellText(3, 1), "130");
    EXPECT_TRUE(setup->optStyle_1->isChecked());

    // Once closed, asking opens one again.
    editor->bChanged = setup->bChanged = false;
    editor->close();
    setup->close();
    test::ScriptedMsgBox more({vbNo});  // the typed round
    f->cmdCourse_Click();
    f->cmdSetup_Click();
    EXPECT_EQ(Visible<frmCourseSetup>(*f), 1);
    EXPECT_EQ(Visible<frmSystemSetup>(*f), 1);
}

// No to "Save the changes?" before another screen opens throws the edits away: the stored round,
// or the new round as it began, is shown again, and the question does not come back when the
// other screen closes.
TEST_F(OpenScreens, NoBeforeAnotherScreenThrowsTheEditsAway) {
    StoredRounds(3);  // game 3: 4 on every hole
    const struct {
        const char* button;
        bool newRound;
    } cases[] = {{"Setup", false},  {"Course", false},  {"Stats", false}, {"Handicaps", false},
                 {"Graphs", false}, {"History", false}, {"Setup", true},  {"Stats", true}};
    for (const auto& c : cases) {
        auto f = Open();
        f->ShowStats = nullptr;
        f->ShowHandicap = nullptr;
        f->ShowGraphs = nullptr;
        f->ShowGameList = nullptr;
        SelectPlayer(*f, 7);
        if (c.newRound) f->cmdNewGame_Click();
        ChooseCourse(*f);
        f->SetHoleText(kRowGross, 1, "9");
        f->Calc_Row_Scores(kRowGross);
        f->txtNotes->setPlainText("typed");
        test::ScriptedMsgBox boxes({vbNo});
        const QString button = c.button;
        if (button == "Setup") f->cmdSetup_Click();
        if (button == "Course") f->cmdCourse_Click();
        if (button == "Stats") f->cmdStats_Click();
        if (button == "Handicaps") f->cmdHandicaps_Click();
        if (button == "Graphs") f->cmdGraphs_Click();
        if (button == "History") f->cmdGameList_Click();
        ASSERT_EQ(boxes.Count(), 1) << c.button;
        EXPECT_EQ(f->spISC->CellText(1, kRowGross), c.newRound ? "" : "4") << c.button;
        EXPECT_EQ(f->txtNotes->toPlainText(), "") << c.button;
        EXPECT_EQ(f->txtRecNum->text().trimmed(), c.newRound ? "New" : "3") << c.button;
        for (QDialog* screen : f->findChildren<QDialog*>()) screen->close();  // as the golfer does
        QApplication::processEvents();
        f->Save_Check();
        EXPECT_FALSE(f->round.Changed()) << c.button;
        EXPECT_EQ(boxes.Count(), 1) << c.button << " " << boxes.Texts().join("|").toStdString();
        EXPECT_EQ(test::RoundCount(7), 3) << c.button;
    }
}

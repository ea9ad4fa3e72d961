// The course editor, offscreen: fill-down and the check column, the 171 check, saving new and
// edited courses (packed columns, keys, names), the ratings-changed flag that opens the re-rating,
// the save question when switching or closing, deleting, and the keystroke rules.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "entry/RoundRules.h"
#include "entry/frmMainGolf.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "records/CourseData.h"
#include "records/CourseStore.h"
#include "records/frmCourseSetup.h"
#include "shell/AppContext.h"
#include "shell/ProgramDb.h"

namespace dc {
namespace {

const QString kSaveQuestion = "Do you want to save the changes to the current course?";

class CourseEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.OpenDatabase();
        form = std::make_unique<frmCourseSetup>(Ctx());
        form->OpenReRating = [this](int courseId) { reRatings.push_back(courseId); };
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override {
        form->bChanged = false;
        form.reset();
    }

    QWidget* Focus() { return QApplication::focusWidget(); }
    void Type(const QString& text) {
        for (QChar ch : text) QTest::keyClick(Focus(), ch.toLatin1());
    }
    void Key(Qt::Key key) {
        QTest::keyClick(Focus(), key);
        QApplication::processEvents();
    }
    // A cell changed as the user changes one (a paste): its text stored, then Change raised.
    static void Edit(Spread* grid, int col, int row, const QString& text) {
        grid->SetCellText(col, row, text);
        Q_EMIT grid->Change(col, row);
    }
    void StartAt(Spread* grid, int col, int row) {
        const int tab = form->SSTab1->indexOf(grid);
        if (tab >= 0) form->SSTab1->setCurrentIndex(tab);
        grid->setFocus();
        grid->SetActiveCell(col, row);
    }
    void TypeName(const QString& name) {
        form->cboCourseName->lineEdit()->setFocus();
        form->cboCourseName->lineEdit()->selectAll();
        Type(name);
    }
    // A stored course "Pine" with men's slope 125 / rating 71.2 on tee box 1, men's pars of 4, women's 5.
    int StoreCourse(int id, const QString& name) {
        CourseCells cells;
        cells.tee[0] = {"White", "71.2", "125", "73.4", "129"};
        cells.tee[1] = {"Blue", "72.5", "130", "74.0", "133"};
        for (int j = 0; j < 18; ++j) {
            cells.Holes(HoleGridKind::MenPars)[0][j] = "4";
            cells.Holes(HoleGridKind::MenPars)[1][j] = "4";
            cells.Holes(HoleGridKind::WomenPars)[0][j] = cells.Holes(HoleGridKind::WomenPars)[1][j] = "5";
        }
        const PackedCourse p = PackCourse(cells);
        TestDb().Execute(
            "INSERT INTO COURSES (COURSE_ID,COURSE_NAME,TB,MCR,MSL,WCR,WSL,MHCP,WHCP,MPARS,WPARS,YARDS) "
            "VALUES (?,?,?,?,?,?,?,?,?,?,?,?)",
            {id, name, p.TB, p.MCR, p.MSL, p.WCR, p.WSL, p.MHCP, p.WHCP, p.MPARS, p.WPARS, p.YARDS});
        return id;
    }
    void Pick(int courseId) {
        form->cboCourseName->setCurrentIndex(form->cboCourseName->findData(courseId));
        form->cboCourseName_Click();
    }
    QString Column(const QString& column, int id) {
        return TestDb().Scalar("SELECT " + column + " FROM COURSES WHERE COURSE_ID=?", {id}).toString();
    }
    int CourseCount() { return TestDb().Scalar("SELECT COUNT(*) FROM COURSES").toInt(); }

    test::ProgramFolder folder;
    std::unique_ptr<frmCourseSetup> form;
    std::vector<int> reRatings;
};

}  // namespace

TEST(CourseData, ChecksumSumsAndFillDownRules) {
    HoleRow row;
    for (int j = 0; j < 18; ++j) row[j] = QString::number(18 - j);
    EXPECT_TRUE(HcpChecksumOk(row)) << "1 to 18 in any order";
    row[0] = "17";
    EXPECT_FALSE(HcpChecksumOk(row)) << "two holes with the same number";
    EXPECT_EQ(HoleSum({}), 0);

    HoleGrid grid;
    grid[0][6] = "4";
    grid[1][6] = "0";
    grid[2][6] = "5";
    FillDown(grid, 7);
    EXPECT_EQ(grid[1][6], "4") << "a 0 is filled";
    EXPECT_EQ(grid[2][6], "5") << "a value stays";
    EXPECT_EQ(grid[3][6], "4") << "an empty cell is filled";
    EXPECT_EQ(grid[1][5], "") << "other holes untouched";

    // A stored course comes back as the editor shows it; a name over 20 characters is cut.
    CourseCells cells;
    cells.tee[0] = {"A very long tee name here", "5.5", "95", "78", ""};
    cells.Holes(HoleGridKind::Yards)[3][17] = "95";
    const PackedCourse p = PackCourse(cells);
    EXPECT_EQ(p.TB.size(), 80);
    EXPECT_EQ(p.TB.left(20), "A very long tee name");
    EXPECT_EQ(p.MCR, "05.500.000.000.0");
    EXPECT_EQ(p.MSL, "095000000000");
    EXPECT_EQ(p.YARDS.size(), 216);
    EXPECT_EQ(p.YARDS.right(3), "095");
    const CourseCells back = UnpackCourse(p);
    EXPECT_EQ(back.tee[0][1], "5.5");
    EXPECT_EQ(back.tee[0][3], "78.0") << "a rating keeps its tenths";
    EXPECT_EQ(back.tee[1][2], "0") << "an empty slot shows 0 in the tee grid";
    EXPECT_EQ(back.Holes(HoleGridKind::Yards)[3][17], "95");
    EXPECT_EQ(back.Holes(HoleGridKind::Yards)[0][0], "") << "an empty hole stays empty";

    // Named tee boxes without pars for the genders they are rated for.
    CourseCells tees;
    tees.tee[0] = {"Blue", "72.0", "130", "0", "0"};        // men only, no pars
    tees.tee[1] = {"Red", "0", "0", "", ""};                // rated for nobody, men's pars given
    tees.tee[2] = {"White", "70.0", "125", "74.0", "128"};  // women's pars missing
    tees.tee[3] = {"Gold", "", "", "", ""};                 // rated for nobody, no pars
    tees.Holes(HoleGridKind::MenPars)[1][0] = "4";
    tees.Holes(HoleGridKind::MenPars)[2][0] = "4";
    EXPECT_EQ(TeesWithoutPars(tees), "Blue (men), White (women), Gold");
    tees.Holes(HoleGridKind::MenPars)[0][3] = "5";
    tees.Holes(HoleGridKind::WomenPars)[3][0] = "4";
    tees.Holes(HoleGridKind::WomenPars)[2][0] = "4";
    EXPECT_EQ(TeesWithoutPars(tees), "");
}

TEST_F(CourseEditorTest, FitsTheScreenAndShowsEveryYardage) {
    for (int j = 1; j <= 18; ++j) Edit(form->spYD, j, 1, "535");
    form->Par_YD_Sum(*form->spYD);
    Edit(form->spTB, 1, 1, "Championship Tees XY");
    form->SSTab1->setCurrentWidget(form->spYD);
    EXPECT_EQ(test::LayoutFaults(*form), QStringList());
}

TEST_F(CourseEditorTest, OpensEmptyAndSaveWithoutEditsDoesNothing) {
    EXPECT_EQ(form->windowTitle(), "Add a New Course");
    EXPECT_TRUE(form->bNewCourse);
    EXPECT_EQ(form->cboCourseName->currentText(), "");
    EXPECT_EQ(form->spMHCP->CellValue(19, 1), 0);
    EXPECT_EQ(form->spMPar->CellText(19, 1), "");
    test::ScriptedMsgBox box;
    form->cmdSave_Click();
    EXPECT_EQ(box.Count(), 0);
    EXPECT_EQ(CourseCount(), 0);
}

TEST_F(CourseEditorTest, FillDownFromRowOneAndSums) {
    test::ScriptedMsgBox box;
    Edit(form->spMPar, 7, 3, "5");
    StartAt(form->spMPar, 7, 1);
    Type("4");
    Key(Qt::Key_Tab);
    EXPECT_EQ(form->spMPar->ActiveCol(), 8);
    EXPECT_EQ(form->spMPar->CellText(7, 2), "4");
    EXPECT_EQ(form->spMPar->CellText(7, 3), "5") << "a row holding a value keeps it";
    EXPECT_EQ(form->spMPar->CellText(7, 4), "4");
    EXPECT_EQ(form->spMPar->CellText(19, 1), "4");
    EXPECT_EQ(form->spMPar->CellText(19, 3), "5");
    EXPECT_TRUE(form->bChanged);
    EXPECT_TRUE(form->bRatingsChanged) << "a par was edited";

    // Leaving a cell of row 2 fills nothing; the sums still follow.
    StartAt(form->spMPar, 8, 2);
    Type("3");
    Key(Qt::Key_Tab);
    EXPECT_EQ(form->spMPar->CellText(8, 3), "");
    EXPECT_EQ(form->spMPar->CellText(19, 2), "7");

    // Yardages add up but never fill down.
    StartAt(form->spYD, 1, 1);
    Type("385");
    Key(Qt::Key_Tab);
    EXPECT_EQ(form->spYD->CellText(1, 2), "");
    EXPECT_EQ(form->spYD->CellText(19, 1), "385");
}

TEST_F(CourseEditorTest, HandicapCheckBoxTicksAtOneHundredSeventyOne) {
    test::ScriptedMsgBox box;
    for (int j = 1; j <= 17; ++j) {
        Edit(form->spMHCP, j, 1, QString::number(19 - j));
        Edit(form->spMHCP, j, 2, QString::number(19 - j));
    }
    StartAt(form->spMHCP, 18, 1);
    Type("1");
    Key(Qt::Key_Tab);
    EXPECT_EQ(form->spMHCP->CellValue(19, 1), 1);
    EXPECT_EQ(form->spMHCP->CellValue(19, 2), 1) << "hole 18 of row 1 was filled down into row 2";
    StartAt(form->spMHCP, 18, 2);
    Type("2");
    Key(Qt::Key_Tab);
    EXPECT_EQ(form->spMHCP->CellValue(19, 2), 0) << "two holes numbered 2";
    EXPECT_FALSE(form->bRatingsChanged) << "hole handicaps are no rating";
}

// Each cell refuses what does not fit it, with the allowed range in the message; the value is
// not stored and the cursor stays. Ratings below 50 (nine holes) are valid.
TEST_F(CourseEditorTest, CellsRefuseValuesOutsideTheirRange) {
    struct Case {
        Spread* grid;
        int col;
        QString typed, stored, range;  // range: named in the message; empty when taken
    };
    const Case cases[] = {
        {form->spTB, 2, "105.5", "", "from 0.1 to 99.9"},
        {form->spTB, 2, "0", "", "from 0.1 to 99.9"},
        {form->spTB, 2, "34.5", "34.5", ""},
        {form->spTB, 2, "72", "72.0", ""},
        {form->spTB, 2, "71.05", "", "from 0.1 to 99.9"},
        {form->spTB, 2, "71.50", "71.5", ""},
        {form->spTB, 3, "50", "", "from 55 to 155"},
        {form->spTB, 3, "156", "", "from 55 to 155"},
        {form->spTB, 5, "155", "155", ""},
        {form->spMPar, 9, "7", "", "from 3 to 6"},
        {form->spMPar, 9, "x", "", "from 3 to 6"},
        {form->spMHCP, 5, "19", "", "from 1 to 18"},
        {form->spYD, 1, "1000", "", "from 30 to 999"},
        {form->spYD, 1, "410", "410", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        test::ScriptedMsgBox box;
        c.grid->SetCellText(c.col, 1, "");
        StartAt(c.grid, c.col, 1);
        Type(c.typed);
        Key(Qt::Key_Tab);
        EXPECT_EQ(c.grid->CellText(c.col, 1), c.stored);
        EXPECT_EQ(box.Count(), c.range.isEmpty() ? 0 : 1);
        if (c.range.isEmpty()) continue;
        EXPECT_TRUE(box.Last().contains(c.range)) << box.Last().toStdString();
        EXPECT_EQ(c.grid->ActiveCol(), c.col);
        Key(Qt::Key_Escape);
    }
}

TEST_F(CourseEditorTest, SavesANewCourseAndRefusesBadNames) {
    test::ScriptedMsgBox box;
    TypeName("   ");
    form->cmdSave_Click();
    EXPECT_EQ(box.Last(), "Please enter a Course Name.");
    EXPECT_EQ(box.Styles().back(), vbInformation);
    EXPECT_EQ(CourseCount(), 0);

    TypeName("Pine's");
    EXPECT_EQ(form->cboCourseName->currentText(), "Pine's") << "stored as typed";
    StartAt(form->spTB, 1, 1);
    Type("Wh\"ite");
    Key(Qt::Key_Tab);
    EXPECT_EQ(form->spTB->CellText(1, 1), "Wh\"ite");
    Type("71.2");
    Key(Qt::Key_Tab);
    Type("125");
    Key(Qt::Key_Tab);
    form->cmdSave_Click();
    EXPECT_EQ(box.Count(), 2);
    EXPECT_TRUE(box.Last().startsWith("No pars are entered for the tee box Wh\"ite (men)."))
        << "and No keeps it";
    EXPECT_EQ(CourseCount(), 0);
    box.Push(vbYes);
    form->cmdSave_Click();
    ASSERT_EQ(CourseCount(), 1);
    EXPECT_EQ(Column("COURSE_NAME", 1), "Pine's");
    EXPECT_EQ(Column("TB", 1), QString(14, ' ') + "Wh\"ite" + QString(60, ' '));
    EXPECT_EQ(Column("MCR", 1), "71.200.000.000.0");
    EXPECT_EQ(Column("MSL", 1), "125000000000");
    EXPECT_EQ(Column("MPARS", 1), QString(72, '0'));
    EXPECT_EQ(form->windowTitle(), "Edit Course: Pine's");
    EXPECT_FALSE(form->bNewCourse);
    EXPECT_TRUE(reRatings.empty()) << "never for a course just added";
    EXPECT_EQ(form->cboCourseName->count(), 1);

    // The same name again is refused, in any letter case.
    form->cmdNew_Click();
    for (const char* name : {"Pine`s", "PINE`S"}) {
        TypeName(name);
        Edit(form->spYD, 1, 1, "300");
        form->cmdSave_Click();
        EXPECT_EQ(box.Last(), "This Course Name already exists.  Try a new Name.");
        EXPECT_TRUE(form->bChanged) << "nothing typed is lost";
        EXPECT_EQ(form->spYD->CellText(1, 1), "300");
        EXPECT_EQ(CourseCount(), 1);
    }
}

TEST_F(CourseEditorTest, ALongTeeNameNeverShiftsTheSlots) {
    test::ScriptedMsgBox box({}, vbYes);  // saved without pars
    TypeName("Long");
    Edit(form->spTB, 1, 1, QString(25, 'x'));  // pasted past the cell's limit
    Edit(form->spTB, 1, 2, "Blue");
    form->cmdSave_Click();
    const QString tb = Column("TB", 1);
    EXPECT_EQ(tb.size(), 80);
    EXPECT_EQ(tb.mid(20, 20).trimmed(), "Blue");
    StartAt(form->spTB, 1, 3);
    Type(QString(25, 'y'));
    Key(Qt::Key_Tab);
    EXPECT_EQ(form->spTB->CellText(1, 3), QString(20, 'y')) << "the cell takes 20 characters";
}

// The tee grid keeps its column widths as cells are typed into and left.
TEST_F(CourseEditorTest, TeeGridColumnsKeepTheirWidthsWhenACellIsLeft) {
    const auto widths = [this] {
        std::vector<int> w;
        for (int c = 0; c < 5; ++c) w.push_back(form->spTB->columnWidth(c));
        return w;
    };
    const std::vector<int> before = widths();
    StartAt(form->spTB, 1, 1);
    for (const char* typed : {"Championship Blackxx", "71.2", "125", "73.4", "129"}) {
        Type(typed);
        Key(Qt::Key_Tab);
        EXPECT_EQ(widths(), before) << typed;
    }
    EXPECT_EQ(form->spTB->CellText(1, 1), "Championship Blackxx");
}

TEST_F(CourseEditorTest, OnlyRatingsSlopesAndParsOpenTheReRating) {
    StoreCourse(1, "Pine");
    form->cboCourseName->clear();
    form->Form_Load();
    Pick(1);
    EXPECT_EQ(form->windowTitle(), "Edit Course: Pine");
    EXPECT_EQ(form->spTB->CellText(1, 1), "White");
    EXPECT_EQ(form->spTB->CellText(2, 2), "72.5");
    EXPECT_EQ(form->spMPar->CellText(19, 1), "72");
    EXPECT_FALSE(form->bChanged);

    StartAt(form->spYD, 3, 1);
    Type("400");
    Key(Qt::Key_Tab);
    StartAt(form->spWHCP, 3, 1);
    Type("9");
    Key(Qt::Key_Tab);
    form->cmdSave_Click();
    EXPECT_FALSE(form->bChanged);
    EXPECT_TRUE(reRatings.empty());
    EXPECT_EQ(Column("YARDS", 1).mid(6, 3), "400");

    StartAt(form->spTB, 3, 2);
    Type("128");
    Key(Qt::Key_Tab);
    form->cmdSave_Click();
    ASSERT_EQ(reRatings.size(), 1u);
    EXPECT_EQ(reRatings[0], 1) << "the saved course is re-rated";
    EXPECT_EQ(Column("MSL", 1), "125128000000");
    EXPECT_FALSE(form->bRatingsChanged);

    StartAt(form->spWPar, 2, 4);
    Type("5");
    Key(Qt::Key_Tab);
    form->cmdSave_Click();
    EXPECT_EQ(reRatings.size(), 2u);
}

TEST_F(CourseEditorTest, TheReRatingScreenOpensModelessForTheSavedCourse) {
    StoreCourse(3, "Elm");
    frmCourseSetup editor(Ctx());  // with its own opener
    editor.show();
    editor.cboCourseName->setCurrentIndex(editor.cboCourseName->findData(3));
    editor.cboCourseName_Click();
    editor.spTB->SetCellText(2, 1, "70.1");
    editor.bChanged = editor.bRatingsChanged = true;
    editor.cmdSave_Click();
    auto* screen = editor.findChild<QDialog*>("frmUpCRSR");
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(screen->isModal());
    EXPECT_EQ(Ctx().nCurCourseID, 3);
    screen->close();
}

TEST_F(CourseEditorTest, CourseKeysAbove32767StayWhole) {
    StoreCourse(40000, "Big");
    form->cboCourseName->clear();
    form->Form_Load();
    Pick(40000);
    EXPECT_EQ(form->nEditCourseID, 40000);
    StartAt(form->spTB, 3, 1);
    Type("131");
    Key(Qt::Key_Tab);
    form->cmdSave_Click();
    EXPECT_EQ(Column("MSL", 40000).left(3), "131");
    ASSERT_EQ(reRatings.size(), 1u);
    EXPECT_EQ(reRatings[0], 40000);
    // The next new course gets 40001.
    form->cmdNew_Click();
    TypeName("Next");
    form->cmdSave_Click();
    EXPECT_EQ(Column("COURSE_NAME", 40001), "Next");
}

TEST_F(CourseEditorTest, SwitchingAsksAndStopsWhenTheSaveIsRefused) {
    StoreCourse(1, "Pine");
    StoreCourse(2, "Oak");
    form->cboCourseName->clear();
    form->Form_Load();
    Pick(1);

    // Yes stores the edits under the current course's own name and key, then shows the other.
    StartAt(form->spYD, 1, 1);
    Type("350");
    Key(Qt::Key_Tab);
    test::ScriptedMsgBox box({vbYes});
    Pick(2);
    EXPECT_EQ(box.Texts().value(0), kSaveQuestion);
    EXPECT_EQ(box.Styles().at(0), vbYesNoCancel + vbQuestion);
    EXPECT_EQ(Column("YARDS", 1).left(3), "350");
    EXPECT_EQ(Column("COURSE_NAME", 1), "Pine");
    EXPECT_EQ(form->windowTitle(), "Edit Course: Oak");
    EXPECT_EQ(form->nEditCourseID, 2);

    // Cancel keeps the edited data on the screen.
    StartAt(form->spYD, 2, 1);
    Type("333");
    Key(Qt::Key_Tab);
    box.Push(vbCancel);
    Pick(1);
    EXPECT_EQ(form->nEditCourseID, 2);
    EXPECT_EQ(form->spYD->CellText(2, 1), "333");
    EXPECT_EQ(form->cboCourseName->currentText(), "Oak");

    // Yes with an empty name: the save is refused and the switch stops, nothing typed is lost.
    TypeName("");
    form->cboCourseName->lineEdit()->clear();
    form->cboCourseName_Change("");
    box.Push(vbYes);
    Pick(1);
    EXPECT_EQ(box.Last(), "Please enter a Course Name.");
    EXPECT_EQ(form->nEditCourseID, 2);
    EXPECT_EQ(form->spYD->CellText(2, 1), "333");
    EXPECT_TRUE(form->bChanged);
    EXPECT_EQ(Column("COURSE_NAME", 2), "Oak");
}

TEST_F(CourseEditorTest, DeleteRefusesUnsavedAndUsedCoursesAndReusesTheKey) {
    test::ScriptedMsgBox box;
    form->cmdDelete_Click();
    EXPECT_EQ(box.Last(), "This Course has not been Saved and cannot be deleted.");

    StoreCourse(1, "Pine");
    StoreCourse(2, "Oak");
    TestDb().Execute("INSERT INTO INDIV_SCORES (PLAYER_ID, COURSE_ID, GAME_NUMBER) VALUES (1, 1, 1)");
    form->cboCourseName->clear();
    form->Form_Load();
    Pick(1);
    form->cmdDelete_Click();
    EXPECT_EQ(box.Last(),
              "This Course is in use and cannot be deleted.  Remove the Course from each Tournament Setup to "
              "enable "
              "deletion.");
    EXPECT_EQ(CourseCount(), 2);

    Pick(2);
    box.Push(vbNo);
    form->cmdDelete_Click();
    EXPECT_EQ(box.Last(), "Are you sure you want to delete this course?");
    EXPECT_EQ(CourseCount(), 2);
    box.Push(vbYes);
    form->cmdDelete_Click();
    EXPECT_EQ(CourseCount(), 1);
    EXPECT_EQ(form->cboCourseName->findData(2), -1);
    EXPECT_EQ(form->windowTitle(), "Add a New Course");
    EXPECT_TRUE(form->bNewCourse);
    EXPECT_EQ(form->spTB->CellText(1, 1), "");

    TypeName("Elm");
    form->cmdSave_Click();
    EXPECT_EQ(Column("COURSE_NAME", 2), "Elm") << "the deleted largest key is given again";
}

TEST_F(CourseEditorTest, ClosingAsksAndKeepsTheScreenWhenTheSaveIsRefused) {
    StartAt(form->spYD, 1, 1);
    Type("300");
    Key(Qt::Key_Tab);
    test::ScriptedMsgBox box({vbYes, vbOK, vbCancel, vbNo});
    form->close();
    EXPECT_EQ(box.Texts().value(1), "Please enter a Course Name.");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->nReturnCode, 1);
    form->close();
    EXPECT_TRUE(form->isVisible()) << "Cancel";
    form->close();
    EXPECT_FALSE(form->isVisible()) << "No closes without saving";
    EXPECT_EQ(CourseCount(), 0);
}

TEST_F(CourseEditorTest, ACellStillBeingTypedInCountsAsAnEdit) {
    StartAt(form->spYD, 1, 1);
    Type("300");  // the cell's editor is still open
    test::ScriptedMsgBox box({vbCancel});
    form->close();
    ASSERT_EQ(box.Count(), 1) << "the close asks";
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->spYD->CellText(1, 1), "300");
}

TEST_F(CourseEditorTest, EnterMovesOnAsTabAndAdvanceGoesToTheNextTab) {
    form->cboCourseName->lineEdit()->setFocus();
    Key(Qt::Key_Return);
    EXPECT_EQ(Focus(), form->spTB) << "Enter in the name box moves on";
    form->spTB->SetActiveCell(1, 1);
    Type("Red");
    Key(Qt::Key_Return);
    EXPECT_EQ(form->spTB->CellText(1, 1), "Red");
    EXPECT_EQ(form->spTB->ActiveCol(), 2) << "Enter in a cell moves to the next cell";
    form->spTB->SetActiveCell(5, 4);
    Key(Qt::Key_Tab);
    EXPECT_EQ(form->SSTab1->currentIndex(), 0);
    EXPECT_EQ(Focus(), form->spMHCP);
    EXPECT_EQ(form->spMHCP->ActiveCol(), 1);
    EXPECT_EQ(form->spMHCP->ActiveRow(), 1);
    form->spMHCP->SetActiveCell(18, 4);
    Key(Qt::Key_Tab);
    EXPECT_EQ(form->SSTab1->currentIndex(), 1);
    EXPECT_EQ(Focus(), form->spWHCP);
}

// Leaving the name box with another course's name is refused at once (a backtick counts as an
// apostrophe); nothing is picked and no save question comes up to take the next keystroke.
TEST_F(CourseEditorTest, LeavingTheNameBoxRefusesAnotherCoursesName) {
    StoreCourse(1, "Devil`s Elbow");
    StoreCourse(2, "Oak");
    form->cboCourseName->clear();
    form->Form_Load();
    const struct {
        int edit;  // the course being edited, 0 for a new one
        QString name;
        bool refused;
    } cases[] = {{0, "Oak", true},
                 {0, "Devil's Elbow", true},
                 {0, "oak", true},
                 {2, "Oak", false},
                 {2, "Devil`s Elbow", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        test::ScriptedMsgBox box;
        if (c.edit)
            Pick(c.edit);
        else
            form->cmdNew_Click();
        TypeName(c.name);
        form->spTB->setFocus(Qt::MouseFocusReason);  // a click into the grid
        EXPECT_EQ(box.Texts(), c.refused ? QStringList{"This Course Name already exists.  Try a new Name."}
                                         : QStringList{});
        EXPECT_EQ(Focus() == form->cboCourseName, c.refused);
        EXPECT_EQ(form->nEditCourseID, c.edit) << "no other course picked";
        form->bChanged = false;
    }
}

// With another course's name typed for a new one, each close asks once; after the refusal the
// golfer can rename or leave. The name box never picks that course when the window loses the focus
// (a question box opening).
TEST_F(CourseEditorTest, EachCloseAsksOnceAndTheRefusalLetsTheGolferLeave) {
    StoreCourse(1, "Oak");
    StoreCourse(2, "Pine");
    form->cboCourseName->clear();
    form->Form_Load();
    test::ScriptedMsgBox box({vbYes, vbOK, vbNo});
    TypeName("Pine");
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(form->cboCourseName, &out);
    EXPECT_EQ(box.Count(), 0) << "the other course is not picked";
    EXPECT_EQ(form->cboCourseName->currentText(), "Pine");
    Key(Qt::Key_Escape);
    EXPECT_EQ(box.Texts(), QStringList({kSaveQuestion, "This Course Name already exists.  Try a new Name."}));
    EXPECT_TRUE(form->isVisible());
    QTest::mouseClick(form->cmdClose, Qt::LeftButton);
    EXPECT_EQ(box.Texts().mid(2), QStringList({kSaveQuestion}));
    EXPECT_FALSE(form->isVisible()) << "No leaves";
    EXPECT_EQ(CourseCount(), 2);
}

// Picking a course from the name list loads it without a word: the "already exists" check is for a
// name typed for a new course, never for the entry the golfer picked.
TEST_F(CourseEditorTest, PickingACourseFromTheListLoadsItSilently) {
    StoreCourse(1, "Pine");
    StoreCourse(2, "Oak");
    form->cboCourseName->clear();
    form->Form_Load();
    const struct {
        const char* before;  // what the editor shows when the course is picked
        int pick;
    } cases[] = {{"a new course", 2}, {"another course", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        test::ScriptedMsgBox box;
        QApplication::setActiveWindow(form.get());
        if (QString(c.before) == "a new course") form->cmdNew_Click();
        form->cboCourseName->setFocus(Qt::MouseFocusReason);
        form->cboCourseName->showPopup();
        QAbstractItemView* list = form->cboCourseName->view();
        list->setCurrentIndex(list->model()->index(form->cboCourseName->findData(c.pick), 0));
        QTest::keyClick(list, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(box.Texts(), QStringList());
        EXPECT_EQ(form->nEditCourseID, c.pick);
        EXPECT_FALSE(form->bNewCourse);
        EXPECT_EQ(form->windowTitle(), "Edit Course: " + Column("COURSE_NAME", c.pick));
        QApplication::setActiveWindow(form.get());  // the closed list hands the window back
        EXPECT_EQ(Focus(), form->spTB) << "keys typed next go to the tee boxes";
    }
}

// While the editor is hidden on its way out, the name box loses the focus (a window manager takes it
// from the closing window) and, holding a listed course's name, picks that entry, as an editable
// combo box does when it is left.
class FocusOutOnHide : public QObject {
  public:
    QPointer<QComboBox> nameBox;
    bool closing = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (closing && nameBox && event->type() == QEvent::Hide) {
            QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
            QApplication::sendEvent(nameBox->lineEdit(), &out);
            const int entry = nameBox->findText(nameBox->currentText());
            if (entry >= 0) Q_EMIT nameBox->activated(entry);
        }
        return false;
    }
};

// Destroying the editor while the name box holds a typed name (another course's, or a new one) runs
// none of its handlers: no pick, no save question from a screen already being destroyed.
TEST_F(CourseEditorTest, NoHandlerRunsWhileTheEditorIsDestroyed) {
    StoreCourse(1, "Pine");
    StoreCourse(2, "Oak");
    for (const char* name : {"Oak", "Elm"}) {
        SCOPED_TRACE(name);
        test::ScriptedMsgBox box;
        FocusOutOnHide probe;
        auto editor = std::make_unique<frmCourseSetup>(Ctx());
        editor->installEventFilter(&probe);
        editor->show();
        probe.nameBox = editor->cboCourseName;
        for (QChar ch : QString(name)) QTest::keyClick(editor->cboCourseName->lineEdit(), ch.toLatin1());
        ASSERT_TRUE(editor->bChanged);
        probe.closing = true;
        editor.reset();
        EXPECT_EQ(box.Texts(), QStringList());
        EXPECT_EQ(CourseCount(), 2);
    }
}

TEST_F(CourseEditorTest, ATeeBoxWithParsOnSomeHolesAsksBeforeSaving) {
    TypeName("Elm");
    Edit(form->spTB, 1, 1, "White");
    Edit(form->spTB, 2, 1, "70.1");
    for (int j = 1; j <= 17; ++j) Edit(form->spMPar, j, 1, "4");
    test::ScriptedMsgBox box({vbNo, vbYes});
    form->cmdSave_Click();
    EXPECT_EQ(box.Last(), "Hole 18 has no par. Save anyway?");
    EXPECT_EQ(box.Styles().back(), vbYesNo + vbExclamation);
    EXPECT_EQ(CourseCount(), 0) << "No keeps it";
    EXPECT_EQ(form->SSTab1->currentWidget(), form->spMPar);
    EXPECT_EQ(form->spMPar->ActiveCol(), 18);
    form->cmdSave_Click();
    EXPECT_EQ(CourseCount(), 1);
}

// The course being edited holds every edit: typed cells, the fill-down, a loaded course, and
// nothing after New.
TEST_F(CourseEditorTest, EditsGoIntoTheCourseBeingEdited) {
    test::ScriptedMsgBox box({}, vbNo);
    StartAt(form->spTB, 2, 1);
    Type("72");
    Key(Qt::Key_Tab);
    StartAt(form->spWPar, 3, 1);
    Type("5");
    Key(Qt::Key_Tab);
    const CourseCells& course = form->Course();
    EXPECT_EQ(course.tee[0][1], "72.0") << "as the cell stores it";
    for (int row = 0; row < 4; ++row) EXPECT_EQ(course.Holes(HoleGridKind::WomenPars)[row][2], "5") << row;
    EXPECT_EQ(course.Holes(HoleGridKind::MenPars)[1][2], "") << "other grids untouched";

    StoreCourse(1, "Pine");
    form->cboCourseName->clear();
    form->Form_Load();
    Pick(1);
    EXPECT_EQ(form->Course().tee[1][0], "Blue");
    EXPECT_EQ(form->Course().Holes(HoleGridKind::WomenPars)[0][2], "5");
    form->cmdNew_Click();
    EXPECT_EQ(form->Course().tee[1][0], "");
    EXPECT_EQ(form->Course().Holes(HoleGridKind::MenPars)[0][0], "");
}

// A round typed on the main screen while its tee box is corrected here: once saved, the main screen
// shows the tee box's new pars and slope with the course handicap they give, and the round is
// stored with them when the golfer answers Yes on the editor's closing.
TEST_F(CourseEditorTest, ARoundBeingTypedTakesTheTeeBoxFiguresSavedHere) {
    StoreCourse(1, "Pine");
    TestDb().Execute(
        "INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, GENDER) VALUES (7, 'SMITH', 'Al', 'M')");
    Ctx().bFlag18_9 = Ctx().bUSCAFlag = true;
    test::ScriptedMsgBox boxes({}, vbYes);
    frmMainGolf main(Ctx());
    main.show();
    main.cboPlayer->setCurrentIndex(main.cboPlayer->findData(7));
    main.cboCourse->setCurrentIndex(main.cboCourse->findData(1));
    main.cboTeeBox->setCurrentIndex(0);
    for (int h = 1; h <= 18; ++h) main.SetHoleText(kRowGross, h, h == 1 ? "7" : "5");
    main.Calc_Row_Scores(kRowGross);
    const QString courseHcpBefore = main.lblCourseHcp[1]->text();

    form->cboCourseName->clear();
    form->Form_Load();
    Pick(1);
    Edit(form->spTB, 3, 1, "131");
    Edit(form->spMPar, 1, 1, "5");
    form->cmdSave_Click();
    QApplication::processEvents();
    EXPECT_EQ(main.spISC->CellText(1, kRowPar), "5");
    EXPECT_EQ(main.round.TeeSlope(), 131);
    EXPECT_NE(main.lblCourseHcp[1]->text(), courseHcpBefore) << "the course handicap on slope 131";

    main.Form_Activate(1);  // the editor closed
    EXPECT_EQ(TestDb().Scalar("SELECT SLOPE_RATING FROM INDIV_SCORES WHERE PLAYER_ID=7").toInt(), 131);
    EXPECT_TRUE(
        TestDb().Scalar("SELECT PAR FROM INDIV_SCORES WHERE PLAYER_ID=7").toString().startsWith("54"));
}

// A save writes only over the course as it was loaded: not into another database opened meanwhile
// (nor does a delete), and not over figures another window stored meanwhile on a tee box not
// edited here. Each is said, and what is stored now is shown.
TEST_F(CourseEditorTest, ASaveWritesOnlyOverTheCourseAsLoaded) {
    StoreCourse(1, "Pine");
    form->cboCourseName->clear();
    form->Form_Load();
    Pick(1);
    Edit(form->spTB, 3, 1, "126");  // the men's slope of White
    {
        // Another window lowers the women's slope of Blue from 133 to 128.
        CourseStore courses(TestDb());
        CourseCells stored = UnpackCourse(*courses.LoadCourse(1));
        stored.tee[1][4] = "128";
        courses.UpdateCourse(1, "Pine", PackCourse(stored));
    }
    test::ScriptedMsgBox box;
    EXPECT_FALSE(form->SaveCourse());
    EXPECT_TRUE(box.Last().startsWith("The course was not saved: it was changed in the database"))
        << box.Last().toStdString();
    EXPECT_EQ(Column("WSL", 1).mid(3, 3), "128") << "the other window's figure stays";
    EXPECT_EQ(Column("MSL", 1).left(3), "125");
    EXPECT_EQ(form->spTB->CellText(5, 2), "128");
    EXPECT_EQ(form->spTB->CellText(3, 1), "125");
    EXPECT_FALSE(form->bChanged);
    Edit(form->spTB, 3, 1, "126");
    EXPECT_TRUE(form->SaveCourse()) << "typed again over what is stored now";
    EXPECT_EQ(Column("MSL", 1).left(3), "126");
    EXPECT_EQ(Column("WSL", 1).mid(3, 3), "128");

    const QString first = Ctx().Connection().Path();
    const QString other = folder.MakeDatabase("Other.mdb");
    for (const bool save : {true, false}) {
        Ctx().Live().Open(first);
        QApplication::processEvents();
        form->cboCourseName->clear();
        form->Form_Load();
        Pick(1);
        Edit(form->spTB, 3, 1, "140");
        Ctx().Live().Open(other);  // its notice not yet delivered
        TestDb().Execute("DELETE FROM COURSES");
        StoreCourse(1, "Willow");
        box.Push(vbYes);  // were the delete asked about, Yes
        save ? void(form->SaveCourse()) : form->cmdDelete_Click();
        EXPECT_TRUE(box.Last().startsWith("Another database has been opened since the course was loaded"))
            << box.Last().toStdString();
        EXPECT_EQ(Column("COURSE_NAME", 1), "Willow") << save;
        EXPECT_EQ(Column("MSL", 1).left(3), "125") << save;
        EXPECT_EQ(OpenProgramDatabase(first)->Scalar("SELECT MSL FROM COURSES").toString().left(3), "126");
        EXPECT_EQ(form->cboCourseName->count(), 1);
        EXPECT_EQ(form->cboCourseName->itemText(0), "Willow");
        EXPECT_TRUE(form->bNewCourse && !form->bChanged);
    }
}

}  // namespace dc

#pragma once
// The course editor "Course Information": adds, edits and deletes courses with their four tee
// boxes, and after a change of ratings, slopes or pars of a stored course opens the re-rating of
// the rounds played on it. Shown modelessly by the main screen; hands back nReturnCode 1 on closing.

#include <functional>
#include <optional>

#include "records/CourseData.h"
#include "records/CourseStore.h"
#include "shell/DialogBase.h"

class QCloseEvent;
class QComboBox;
class QPushButton;
class QTabWidget;

namespace dc {

class AppContext;
class LoadedDatabase;
class Spread;

class frmCourseSetup : public DialogBase {
    Q_OBJECT
  public:
    explicit frmCourseSetup(AppContext& ctx, QWidget* parent = nullptr);

    // Opens the re-rating screen for the course (modeless); tests replace it.
    std::function<void(int courseId)> OpenReRating;

    QComboBox* cboCourseName;
    Spread* spTB;
    QTabWidget* SSTab1;
    Spread* spMHCP;
    Spread* spWHCP;
    Spread* spMPar;
    Spread* spWPar;
    Spread* spYD;
    QPushButton* cmdNew;
    QPushButton* cmdSave;
    QPushButton* cmdDelete;
    QPushButton* cmdClose;
    QPushButton* cmdHelp;

    bool bNewCourse = true;
    bool bChanged = false;
    int nReturnCode = 0;  // handed to the main screen on closing (1: reload the courses)
    bool bRatingsChanged = false;
    int nEditCourseID = 0;  // 32 bits: course keys above 32767 are kept whole

    void Form_Load();
    void Grid_Setup();
    void Load_TeeBox_Info();
    void Load_Detail_Info();
    void Hcp_Checksum(Spread& grid);
    void Par_YD_Sum(Spread& grid);

    void cboCourseName_Change(const QString& text);
    void cboCourseName_Click();
    void cmdNew_Click();
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdClose_Click();
    void cmdHelp_Click();
    void SSTab1_Click(int tab);
    void HoleGrid_LeaveCell(Spread& grid, int col, int row, int newCol, int newRow);
    void Grid_Advance(Spread& grid, bool next);
    // The close check: false keeps the screen open.
    bool Form_Unload() override;
    bool SaveChangesQuestion() override;

    // The save; true when the course on the screen is stored (or nothing needed storing). It stores
    // only into the database the course was loaded from, and never over a course that another
    // window changed since it was loaded here: it says so and shows what is stored now instead.
    bool SaveCourse();
    // The course being edited: every edit goes into it, the grids show it, the save reads it.
    const CourseCells& Course() const { return course_; }
    // Shows a whole course as the one being edited.
    void ShowCells(const CourseCells& cells);
    Spread* HoleGrid(HoleGridKind kind) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppContext& ctx_;
    CourseCells course_;
    LoadedDatabase* database_;  // the database the list and the course were loaded from
    // The stored course's columns as loaded (or last saved) here; nothing for a new course.
    std::optional<PackedCourse> loaded_;
    CourseStore Courses() const;
    // The stored course `courseId` shown for editing, as picked from the list.
    void ShowStoredCourse(int courseId);
    // An empty new course, without a question.
    void ShowNewCourse();
    void ShowTotalsAsLoaded();
    // The open database's courses listed afresh and a new course shown: the edits are dropped.
    void ShowOpenDatabase();
    // False (after saying so and showing the open database's courses) when another database is open
    // than the one the course was loaded from.
    bool InLoadedDatabase();
    // False (after saying so and showing what is stored now) when the save must not write: another
    // database is open than the one loaded from, or the course changed in the database meanwhile.
    bool MayStore();
    // The checks before a save: a name, no name of another course, the missing pars accepted.
    bool CheckForSave();
    // A cell the user has changed: its stored text goes into the course.
    void CellEdited(Spread& grid, int col, int row);
    void ShowTeeRows();
    void ShowHoleRows(HoleGridKind kind);
    HoleGridKind KindOf(const Spread& grid) const;
    // A name another course has is refused (sound, message, focus back to the name box).
    bool NameTaken();
    // A cell still being typed in counts as an edit before any save question.
    void CommitGridEdits();
    void BuildControls();
    void ConnectHandlers();
    void Refused(const QString& text);  // sound, information box, focus to the name box
    void SetNameText(const QString& text);
    void SelectEntryOf(int courseId);

    QString nameText_;        // the name box's text before the user picks another entry
    bool nameTyped_ = false;  // that text was typed, not picked from the list or loaded
};

}  // namespace dc

// The course editor's save: the checks before it, the guards that keep it to the course as it was
// loaded from the database open now, and the store.
#include <QComboBox>
#include <QTabWidget>

#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "records/CourseStore.h"
#include "records/frmCourseSetup.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/LoadedDatabase.h"

namespace dc {
namespace {

const QString kOtherDatabase =
    "Another database has been opened since the course was loaded here: nothing was written. The "
    "courses of the open database are shown.";
const QString kChangedMeanwhile =
    "The course was not saved: it was changed in the database since it was loaded here. The course as "
    "stored now is shown; make the changes again.";

}  // namespace

bool frmCourseSetup::InLoadedDatabase() {
    if (database_->IsOpen()) return true;
    MsgBox(kOtherDatabase, vbExclamation);
    ShowOpenDatabase();
    return false;
}

bool frmCourseSetup::MayStore() {
    if (!InLoadedDatabase()) return false;
    if (bNewCourse) return true;
    const std::optional<PackedCourse> stored = Courses().LoadCourse(nEditCourseID);
    if (stored == loaded_) return true;
    // Written back, the figures shown would undo the other write, also on tee boxes not edited here.
    MsgBox(kChangedMeanwhile, vbExclamation);
    const int id = nEditCourseID;
    ShowOpenDatabase();  // its name may have changed too, or the course be gone
    if (stored && cboCourseName->findData(id) >= 0) ShowStoredCourse(id);
    return false;
}

bool frmCourseSetup::CheckForSave() {
    const QString name = cboCourseName->currentText();
    if (name.trimmed().isEmpty()) {
        Refused("Please enter a Course Name.");
        return false;
    }
    if (NameTaken()) return false;
    const QString noPars = TeesWithoutPars(course_);
    if (!noPars.isEmpty() &&
        MsgBox("No pars are entered for the tee box " + noPars +
                   ". The pars set the most a hole can count for a handicap. Save anyway?",
               vbYesNo + vbExclamation) != vbYes)
        return false;
    if (const auto gap = FirstMissingPar(course_)) {
        // The hole is shown while the question is asked, and the cursor waits there after No.
        Spread& grid = *HoleGrid(gap->grid);
        SSTab1->setCurrentIndex(static_cast<int>(gap->grid));
        grid.SetActiveCell(gap->hole, gap->row);
        if (MsgBox("Hole " + QString::number(gap->hole) + " has no par. Save anyway?",
                   vbYesNo + vbExclamation) != vbYes) {
            grid.setFocus();
            return false;
        }
    }
    return true;
}

bool frmCourseSetup::SaveCourse() {
    CommitGridEdits();
    if (!bChanged) return true;
    try {
        if (!MayStore()) return false;
    } catch (...) {
        ReportCurrentError("Course Setup, cmdSave_Click", Sql::With);
        return false;
    }
    if (!CheckForSave()) return false;
    const QString name = cboCourseName->currentText();
    try {
        const PackedCourse packed = PackCourse(course_);
        if (!bNewCourse) {
            Courses().UpdateCourse(nEditCourseID, name, packed);
            loaded_ = Courses().LoadCourse(nEditCourseID);
            const int entry = cboCourseName->findData(nEditCourseID);
            if (entry >= 0) cboCourseName->setItemText(entry, name);
            if (bRatingsChanged) {
                ctx_.nCurCourseID = nEditCourseID;
                if (OpenReRating) OpenReRating(nEditCourseID);
                bRatingsChanged = false;
            }
        } else {
            CourseStore courses = Courses();
            const int id = courses.NextCourseId();
            courses.InsertCourse(id, name, packed);
            const QSignalBlocker block(cboCourseName);
            cboCourseName->addItem(name, id);
            cboCourseName->setCurrentIndex(cboCourseName->count() - 1);
            cboCourseName->setEditText(name);
            nEditCourseID = id;
            loaded_ = courses.LoadCourse(id);
            bNewCourse = false;
            bRatingsChanged = false;
        }
        nameText_ = name;
        nameTyped_ = false;
        setWindowTitle("Edit Course: " + name);
        bChanged = false;
        return true;
    } catch (...) {
        ReportCurrentError("Course Setup, cmdSave_Click", Sql::With);
        return false;
    }
}

void frmCourseSetup::cmdSave_Click() { SaveCourse(); }

}  // namespace dc

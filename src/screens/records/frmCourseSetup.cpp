#include "records/frmCourseSetup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/Spread.h"
#include "platform/Val.h"
#include "records/CourseStore.h"
#include "records/TypedKeys.h"
#include "records/frmUpCRSR.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/GridFit.h"
#include "shell/ListLoaders.h"
#include "shell/LoadedDatabase.h"
#include "shell/ScreenBoxes.h"
#include "shell/ShellDoc.h"

namespace dc {
namespace {

const QString kSaveQuestion = "Do you want to save the changes to the current course?";
const QColor kCyan(0, 255, 255);

bool IsHcpGrid(HoleGridKind kind) { return kind == HoleGridKind::MenHcp || kind == HoleGridKind::WomenHcp; }

}  // namespace

frmCourseSetup::frmCourseSetup(AppContext& ctx, QWidget* parent) : DialogBase(parent), ctx_(ctx) {
    setObjectName("frmCourseSetup");
    setWindowTitle("Course Information");
    OpenReRating = [this](int courseId) {
        // Parented to the main screen when there is one, so that closing the editor keeps it open.
        auto* screen = new frmUpCRSR(ctx_, courseId, parentWidget() ? parentWidget() : this);
        screen->setAttribute(Qt::WA_DeleteOnClose);
        screen->show();
    };
    // Another database opened while the editor is open: its edits were asked about before the
    // switch, and the editor shows the open database's courses.
    database_ = new LoadedDatabase(ctx_, this, [this] { ShowOpenDatabase(); });
    BuildControls();
    ConnectHandlers();
    new EnterAsTab(*this);
    Form_Load();
}

void frmCourseSetup::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel("Course Name", this));
    cboCourseName = new QComboBox(this);
    cboCourseName->setEditable(true);
    cboCourseName->setInsertPolicy(QComboBox::NoInsert);
    cboCourseName->setCompleter(nullptr);
    cboCourseName->setMinimumWidth(320);
    nameRow->addWidget(cboCourseName, 1);
    outer->addLayout(nameRow);

    spTB = new Spread(this);
    spTB->setObjectName("spTB");
    spTB->setMinimumHeight(150);
    spTB->SetFillWidth(true);  // a wider window widens the columns
    outer->addWidget(spTB, 1);

    SSTab1 = new QTabWidget(this);
    const char* tabNames[] = {"Men's Hcps", "Women's Hcps", "Men's Pars", "Women's Pars", "Yardages"};
    const char* gridNames[] = {"spMHCP", "spWHCP", "spMPar", "spWPar", "spYD"};
    Spread** grids[] = {&spMHCP, &spWHCP, &spMPar, &spWPar, &spYD};
    for (int g = 0; g < 5; ++g) {
        *grids[g] = new Spread(SSTab1);
        (*grids[g])->setObjectName(gridNames[g]);
        (*grids[g])->SetFillWidth(true);
        SSTab1->addTab(*grids[g], tabNames[g]);
    }
    SSTab1->setMinimumHeight(170);
    outer->addWidget(SSTab1, 1);

    auto* buttons = new QHBoxLayout;
    cmdHelp = new QPushButton(this);
    cmdHelp->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    cmdHelp->setToolTip("Help");
    cmdNew = new QPushButton("&New", this);
    cmdSave = new QPushButton("&Save", this);
    cmdDelete = new QPushButton("&Delete", this);
    cmdClose = new QPushButton("Clos&e", this);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    for (QPushButton* b : {cmdNew, cmdSave, cmdDelete, cmdClose}) buttons->addWidget(b);
    outer->addLayout(buttons);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    resize(760, 480);
    FitComboBoxes(*this);  // drop-downs as wide as their longest entry
}

void frmCourseSetup::ConnectHandlers() {
    cboCourseName->installEventFilter(this);  // leaving the name box checks the name
    // A typed name is a name for the course on the screen: the name box never picks the listed course
    // of that name by itself, as an editable combo box does when its editing finishes (a question box
    // taking the focus, say). Only a choice from the list is a pick.
    QObject::disconnect(cboCourseName->lineEdit(), &QLineEdit::editingFinished, cboCourseName, nullptr);
    connect(cboCourseName->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { cboCourseName_Change(text); });
    connect(cboCourseName, &QComboBox::activated, this, [this] { cboCourseName_Click(); });
    connect(spTB, &Spread::Change, this, [this](int col, int row) {
        CellEdited(*spTB, col, row);
        bChanged = true;
        if (col >= 2) bRatingsChanged = true;
    });
    for (int g = 0; g < 5; ++g) {
        const auto kind = static_cast<HoleGridKind>(g);
        Spread* grid = HoleGrid(kind);
        const bool pars = kind == HoleGridKind::MenPars || kind == HoleGridKind::WomenPars;
        connect(grid, &Spread::Change, this, [this, grid, pars](int col, int row) {
            CellEdited(*grid, col, row);
            bChanged = true;
            if (pars && col >= 1) bRatingsChanged = true;
        });
        connect(grid, &Spread::LeaveCell, this, [this, grid](int c, int r, int nc, int nr, bool&) {
            HoleGrid_LeaveCell(*grid, c, r, nc, nr);
        });
        if (kind != HoleGridKind::Yards)
            connect(grid, &Spread::Advance, this, [this, grid](bool next) { Grid_Advance(*grid, next); });
    }
    connect(spTB, &Spread::Advance, this, [this](bool next) { Grid_Advance(*spTB, next); });
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int tab) { SSTab1_Click(tab); });
    connect(cmdNew, &QPushButton::clicked, this, [this] { cmdNew_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
}

Spread* frmCourseSetup::HoleGrid(HoleGridKind kind) const {
    switch (kind) {
        case HoleGridKind::MenHcp:
            return spMHCP;
        case HoleGridKind::WomenHcp:
            return spWHCP;
        case HoleGridKind::MenPars:
            return spMPar;
        case HoleGridKind::WomenPars:
            return spWPar;
        case HoleGridKind::Yards:
            break;
    }
    return spYD;
}

HoleGridKind frmCourseSetup::KindOf(const Spread& grid) const {
    for (int g = 0; g < 5; ++g)
        if (HoleGrid(static_cast<HoleGridKind>(g)) == &grid) return static_cast<HoleGridKind>(g);
    return HoleGridKind::Yards;
}

void frmCourseSetup::Form_Load() {
    try {
        Grid_Setup();
        Load_Course_Info(*cboCourseName, ctx_);
        SetNameText(QString());
        nEditCourseID = 0;
        setWindowTitle("Add a New Course");
        bNewCourse = true;
        bChanged = false;
    } catch (...) {
        ReportCurrentError("Course Setup, Form_Load", Sql::Without);
    }
}

void frmCourseSetup::Grid_Setup() {
    try {
        Spread& tb = *spTB;
        tb.SetMaxCols(5);
        tb.SetMaxRows(4);
        const char* headers[] = {"Tee Name or Color", "Men's Course Rating", "Men's Slope Rating",
                                 "Women's Course Rating", "Women's Slope Rating"};
        for (int c = 1; c <= 5; ++c) tb.SetCellText(c, 0, headers[c - 1]);
        tb.SetColWidth(0, 200);
        // Room for the longest tee name from the start, so that no typed name widens the column
        // (and, sharing the grid's width, moves the others) when its cell is left.
        const int longestName = tb.fontMetrics().horizontalAdvance(QString(20, QLatin1Char('W'))) + 8;
        tb.SetColWidth(1, std::max(1620, longestName * Spread::kTwipsPerPixel));
        for (int c = 2; c <= 5; ++c) tb.SetColWidth(c, 900);
        // A tee-box slot holds 20 characters.
        tb.Cells(1, -1).SetCellType(SpreadCellType::Edit).SetTypeMaxEditLen(20);
        for (int c = 2; c <= 5; ++c) {
            const bool rating = c == 2 || c == 4;
            // A rating is never 0 (below 50 it rates nine holes); slopes run from 55 to 155.
            auto column = tb.Cells(c, -1);
            column.SetCellType(rating ? SpreadCellType::Float : SpreadCellType::Integer)
                .SetTypeNumberMin(rating ? 0.1 : 55)
                .SetTypeNumberMax(rating ? 99.9 : 155)
                .SetTypeHAlign(SpreadHAlign::Center);
            if (rating) column.SetTypeFloatDecimalPlaces(1);
        }
        tb.SetRowHeight(0, qMax(480, tb.MaxTextRowHeight(0)));  // two-line headers

        for (int g = 0; g < 5; ++g) {
            const auto kind = static_cast<HoleGridKind>(g);
            Spread& grid = *HoleGrid(kind);
            grid.SetMaxCols(19);
            grid.SetMaxRows(4);
            grid.SetColWidth(0, 200);
            for (int c = 1; c <= 18; ++c) {
                grid.SetCellText(c, 0, QString::number(c));
                grid.SetColWidth(c, 340);
            }
            grid.SetColWidth(19, 500);
            grid.SetCellText(19, 0, IsHcpGrid(kind) ? "Chk" : "Sum");
            const int lo = IsHcpGrid(kind) ? 1 : kind == HoleGridKind::Yards ? 30 : 3;
            const int hi = IsHcpGrid(kind) ? 18 : kind == HoleGridKind::Yards ? 999 : 6;
            for (int c = 1; c <= 18; ++c)
                grid.Cells(c, -1)
                    .SetCellType(SpreadCellType::Integer)
                    .SetTypeNumberMin(lo)
                    .SetTypeNumberMax(hi)
                    .SetTypeHAlign(SpreadHAlign::Center);
            auto check = grid.Cells(19, -1);
            if (IsHcpGrid(kind))
                check.SetCellType(SpreadCellType::CheckBox).SetTypeCheckCenter(true);
            else
                check.SetCellType(SpreadCellType::StaticText);
            check.SetTypeHAlign(SpreadHAlign::Center).SetLock(true).SetBackColor(kCyan);
        }
    } catch (...) {
        ReportCurrentError("Course Setup, Grid_Setup", Sql::Without);
    }
}

void frmCourseSetup::CellEdited(Spread& grid, int col, int row) {
    if (row < 1 || row > 4) return;
    if (&grid == spTB) {
        if (col >= 1 && col <= 5) course_.tee[row - 1][col - 1] = grid.CellText(col, row);
    } else if (col >= 1 && col <= 18) {
        course_.Holes(KindOf(grid))[row - 1][col - 1] = grid.CellText(col, row);
    }
}

void frmCourseSetup::ShowTeeRows() {
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 5; ++c) spTB->SetCellText(c, r, course_.tee[r - 1][c - 1]);
}

void frmCourseSetup::ShowHoleRows(HoleGridKind kind) {
    Spread& grid = *HoleGrid(kind);
    const dc::HoleGrid& holes = course_.Holes(kind);
    for (int r = 1; r <= 4; ++r)
        for (int j = 1; j <= 18; ++j) grid.SetCellText(j, r, holes[r - 1][j - 1]);
}

void frmCourseSetup::ShowCells(const CourseCells& cells) {
    course_ = cells;
    ShowTeeRows();
    for (int g = 0; g < 5; ++g) ShowHoleRows(static_cast<HoleGridKind>(g));
}

void frmCourseSetup::Load_TeeBox_Info() {
    try {
        const auto course = Courses().LoadCourse(nEditCourseID);
        if (!course) return;
        course_.tee = UnpackCourse(*course).tee;
        spTB->SetReDraw(false);
        ShowTeeRows();
        spTB->SetReDraw(true);
    } catch (...) {
        spTB->SetReDraw(true);
        ReportCurrentError("Course Setup, Load_TeeBox_Info", Sql::With);
    }
}

void frmCourseSetup::Load_Detail_Info() {
    try {
        const auto course = Courses().LoadCourse(nEditCourseID);
        if (!course) return;
        course_.holes = UnpackCourse(*course).holes;
        for (int g = 0; g < 5; ++g) {
            const auto kind = static_cast<HoleGridKind>(g);
            Spread& grid = *HoleGrid(kind);
            grid.SetReDraw(false);
            ShowHoleRows(kind);
            grid.SetReDraw(true);
        }
    } catch (...) {
        ReportCurrentError("Course Setup, Load_Detail_Info", Sql::With);
    }
}

void frmCourseSetup::Hcp_Checksum(Spread& grid) {
    try {
        const dc::HoleGrid& holes = course_.Holes(KindOf(grid));
        for (int r = 1; r <= 4; ++r) grid.SetCellValue(19, r, HcpChecksumOk(holes[r - 1]) ? 1 : 0);
    } catch (...) {
        ReportCurrentError("Course Setup, Hcp_Checksum", Sql::Without);
    }
}

void frmCourseSetup::Par_YD_Sum(Spread& grid) {
    try {
        const dc::HoleGrid& holes = course_.Holes(KindOf(grid));
        for (int r = 1; r <= 4; ++r) grid.SetCellText(19, r, QString::number(HoleSum(holes[r - 1])));
    } catch (...) {
        ReportCurrentError("Course Setup, Par_YD_Sum", Sql::Without);
    }
}

void frmCourseSetup::cboCourseName_Change(const QString& text) {
    bChanged = true;
    nameText_ = text;
    nameTyped_ = true;
}

void frmCourseSetup::SetNameText(const QString& text) {
    const QSignalBlocker block(cboCourseName);
    cboCourseName->setEditText(text);
    nameText_ = text;
    nameTyped_ = false;
}

void frmCourseSetup::SelectEntryOf(int courseId) {
    const QSignalBlocker block(cboCourseName);
    cboCourseName->setCurrentIndex(bNewCourse ? -1 : cboCourseName->findData(courseId));
}

void frmCourseSetup::CommitGridEdits() {
    for (Spread* grid : {spTB, spMHCP, spWHCP, spMPar, spWPar, spYD}) grid->CommitEdit();
}

bool frmCourseSetup::SaveChangesQuestion() {
    CommitGridEdits();
    if (!bChanged) return true;
    const int answer = MsgBox(kSaveQuestion, vbYesNoCancel + vbQuestion);
    if (answer == vbCancel) return false;
    if (answer == vbYes) return SaveCourse();  // a refused or failed save keeps the edits on screen
    return true;
}

void frmCourseSetup::cboCourseName_Click() {
    const int picked = cboCourseName->currentIndex();
    if (picked < 0) return;
    try {
        const int pickedId = cboCourseName->itemData(picked).toInt();
        CommitGridEdits();
        if (bChanged) {
            // The course on the screen is saved as it was before the pick: its own entry and name.
            const QString typed = nameText_;
            const bool wasTyped = nameTyped_;
            SelectEntryOf(nEditCourseID);
            SetNameText(typed);
            nameTyped_ = wasTyped;
            if (!SaveChangesQuestion()) return;
        }
        ShowStoredCourse(pickedId);
    } catch (...) {
        ReportCurrentError("Course Setup, cboCourseName_Click", Sql::Without);
    }
}

void frmCourseSetup::ShowStoredCourse(int courseId) {
    {
        const QSignalBlocker block(cboCourseName);
        cboCourseName->setCurrentIndex(cboCourseName->findData(courseId));
    }
    nameText_ = cboCourseName->currentText();
    nameTyped_ = false;  // a picked name is the course's own: nothing to check when leaving
    nEditCourseID = courseId;
    bNewCourse = false;
    setWindowTitle("Edit Course: " + nameText_);
    loaded_ = Courses().LoadCourse(courseId);
    Load_TeeBox_Info();
    Load_Detail_Info();
    ShowTotalsAsLoaded();
    spTB->setFocus();
    spTB->SetActiveCell(1, 1);
}

bool frmCourseSetup::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the name box for another control refuses a typed name another course has at once. A
    // name picked from the list is that course's own and is not checked; leaving the screen (Close,
    // the window losing the focus) is not either: the close's save question refuses the name on Yes.
    if (watched == cboCourseName && event->type() == QEvent::FocusOut && nameTyped_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool leaving = reason == Qt::ActiveWindowFocusReason || QApplication::focusWidget() == cmdClose;
        if (!leaving && reason != Qt::PopupFocusReason && NameTaken()) return true;
    }
    return DialogBase::eventFilter(watched, event);
}

CourseStore frmCourseSetup::Courses() const { return CourseStore(ctx_.Connection()); }

bool frmCourseSetup::NameTaken() {
    const QString name = cboCourseName->currentText();
    if (name.trimmed().isEmpty() || !Courses().CourseNameExists(name, bNewCourse ? 0 : nEditCourseID))
        return false;
    Refused("This Course Name already exists.  Try a new Name.");
    cboCourseName->lineEdit()->selectAll();
    return true;
}

void frmCourseSetup::Refused(const QString& text) {
    WarningSound(ctx_);
    MsgBox(text, vbInformation);
    cboCourseName->setFocus();
}

void frmCourseSetup::cmdNew_Click() {
    try {
        if (!SaveChangesQuestion()) return;
        ShowNewCourse();
    } catch (...) {
        ReportCurrentError("Course Setup, cmdNew_Click", Sql::Without);
    }
}

void frmCourseSetup::ShowNewCourse() {
    bNewCourse = true;
    nEditCourseID = 0;
    loaded_.reset();
    SelectEntryOf(0);
    SetNameText(QString());
    cboCourseName->setFocus();
    setWindowTitle("Add a New Course");
    course_ = CourseCells{};
    for (Spread* grid : {spTB, spMHCP, spWHCP, spMPar, spWPar, spYD}) ResetSpreadRows(*grid, 4);
    ShowTotalsAsLoaded();
}

// The grids' check sums and totals for what was just loaded or emptied, with nothing changed yet.
void frmCourseSetup::ShowTotalsAsLoaded() {
    Hcp_Checksum(*spMHCP);
    Hcp_Checksum(*spWHCP);
    Par_YD_Sum(*spMPar);
    Par_YD_Sum(*spWPar);
    Par_YD_Sum(*spYD);
    bChanged = false;
    bRatingsChanged = false;
}

void frmCourseSetup::ShowOpenDatabase() {
    try {
        database_->Take();
        {
            const QSignalBlocker block(cboCourseName);
            cboCourseName->clear();
        }
        Load_Course_Info(*cboCourseName, ctx_);
        ShowNewCourse();
    } catch (...) {
        ReportCurrentError("Course Setup, ShowOpenDatabase", Sql::Without);
    }
}

void frmCourseSetup::cmdDelete_Click() {
    if (bNewCourse) {
        Refused("This Course has not been Saved and cannot be deleted.");
        return;
    }
    try {
        if (!InLoadedDatabase()) return;
        const int id = nEditCourseID;
        if (Courses().CourseInUse(id)) {
            Refused(
                "This Course is in use and cannot be deleted.  Remove the Course from each Tournament Setup "
                "to "
                "enable deletion.");
            return;
        }
        if (MsgBox("Are you sure you want to delete this course?", vbYesNoCancel + vbQuestion) != vbYes)
            return;
        Courses().DeleteCourse(id);
        {
            const QSignalBlocker block(cboCourseName);
            cboCourseName->removeItem(cboCourseName->findData(id));
        }
        bChanged = false;  // the edits belonged to the course just deleted
        cmdNew_Click();
    } catch (...) {
        ReportCurrentDeleteError("Course Setup, cmdDelete_Click");
    }
}

void frmCourseSetup::HoleGrid_LeaveCell(Spread& grid, int col, int row, int newCol, int newRow) {
    Q_UNUSED(newCol);
    const bool yards = &grid == spYD;
    try {
        if (!yards && row == 1 && col >= 1 && col < 19 && newRow >= 1) {
            dc::HoleGrid& holes = course_.Holes(KindOf(grid));
            const dc::HoleGrid before = holes;
            FillDown(holes, col);
            for (int r = 2; r <= 4; ++r)
                if (holes[r - 1][col - 1] != before[r - 1][col - 1])
                    grid.SetCellText(col, r, holes[r - 1][col - 1]);
        }
        if (&grid == spMHCP || &grid == spWHCP)
            Hcp_Checksum(grid);
        else
            Par_YD_Sum(grid);
    } catch (...) {
        ReportCurrentError("Course Setup, " + grid.objectName() + "_LeaveCell", Sql::Without);
    }
}

void frmCourseSetup::Grid_Advance(Spread& grid, bool next) {
    if (!next) return;
    Spread* order[] = {spTB, spMHCP, spWHCP, spMPar, spWPar, spYD};
    for (int i = 0; i < 5; ++i) {
        if (order[i] != &grid) continue;
        Spread* target = order[i + 1];
        SSTab1->setCurrentIndex(i);
        target->setFocus();
        target->SetActiveCell(1, 1);
        return;
    }
}

void frmCourseSetup::SSTab1_Click(int tab) {
    if (!bNewCourse || tab < 0 || tab > 4) return;
    try {
        Spread* grid = HoleGrid(static_cast<HoleGridKind>(tab));
        grid->setFocus();
        grid->SetActiveCell(1, 1);
    } catch (...) {
        ReportCurrentError("Course Setup, SSTab1_Click", Sql::Without);
    }
}

void frmCourseSetup::cmdClose_Click() { close(); }

void frmCourseSetup::cmdHelp_Click() { ShellDoc(HelpDocumentPath()); }

bool frmCourseSetup::Form_Unload() {
    nReturnCode = 1;
    try {
        if (!SaveChangesQuestion()) return false;
        bChanged = false;
    } catch (...) {
        ReportCurrentError("Course Setup, Form_Unload", Sql::Without);
        return false;
    }
    return true;
}

}  // namespace dc

#include "tools/frmConvertUtil.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/ProgramFolder.h"
#include "shell/ResyncProgress.h"
#include "shell/ScreenBoxes.h"
#include "tools/Conversion.h"
#include "tools/OldDataFiles.h"

namespace dc {

frmConvertUtil::frmConvertUtil(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmConvertUtil");
    setWindowTitle("Dado Corvy Conversion Utility");
    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(new QLabel("Step 1:  Navigate to the existing Dado Corvy files", this), row++, 0, 1, 3);
    grid->addWidget(new QLabel("Path to Old Files:", this), row, 0);
    grid->addWidget(new QLabel("Database Files that will be Updated:", this), row++, 1, 1, 2);
    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    dirModel_->setRootPath("/");
    Dir1 = new QTreeView(this);
    Dir1->setModel(dirModel_);
    for (int c = 1; c < dirModel_->columnCount(); ++c) Dir1->hideColumn(c);
    Dir1->header()->hide();
    Dir1->setMinimumWidth(300);
    File1 = new QListWidget(this);
    grid->addWidget(Dir1, row, 0);
    grid->addWidget(File1, row++, 1, 1, 2);
    grid->addWidget(new QLabel("Step 2: Select the Previous Golfer Naming Format", this), row++, 0, 1, 3);
    grid->addWidget(new QLabel("Previous Naming Format", this), row, 0);
    cboNameFormat = new QComboBox(this);
    cboNameFormat->setEditable(true);
    grid->addWidget(cboNameFormat, row++, 1, 1, 2);
    grid->addWidget(new QLabel("Step 3: Click the Start button", this), row++, 0, 1, 3);
    grid->addWidget(new QLabel("# Converted", this), row++, 1);
    lblNumCourses = new QLabel(this);
    lblNumGolfers = new QLabel(this);
    lblNumRounds = new QLabel(this);
    const std::pair<const char*, QLabel*> counts[] = {
        {"Courses", lblNumCourses}, {"Golfers", lblNumGolfers}, {"Rounds", lblNumRounds}};
    for (const auto& [caption, label] : counts) {
        grid->addWidget(new QLabel(caption, this), row, 0, Qt::AlignRight);
        grid->addWidget(label, row++, 1);
    }
    cmdStart = new QPushButton("&Start", this);
    cmdClose = new QPushButton("&Close", this);
    cmdStart->setAutoDefault(false);
    cmdClose->setAutoDefault(false);
    grid->addWidget(cmdStart, row, 1);
    grid->addWidget(cmdClose, row, 2);
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                folder_ = dirModel_->filePath(index);
                Dir1_Change();
            });
    // The tree's folders load in the background: show the chosen folder once its parent is there.
    connect(dirModel_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        // Rows of the chosen folder's parent are only there once the parent has loaded.
        // The model sorts the new rows a moment later, which moves them again.
        if (QDir(loaded) == QFileInfo(folder_).dir())
            QTimer::singleShot(300, this, [this] { RevealFolder(); });
    });
    connect(cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    resize(760, 560);
    Form_Load();
}

void frmConvertUtil::Form_Load() {
    try {
        cboNameFormat->addItems(NameFormats());
        cboNameFormat->setCurrentIndex(0);
        SetFolder(ProgramFolder());
    } catch (...) {
        ReportCurrentError("Form ConvertUtil, Form_Load", Sql::Without);
    }
}

void frmConvertUtil::showEvent(QShowEvent* event) {
    SetMousePointer(Pointer::Default);  // the welcome screen showed the hourglass while opening this one
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, [this] { RevealFolder(); });
    QTimer::singleShot(2000, this, [this] { revealPending_ = false; });  // then the tree is the user's
}

void frmConvertUtil::RevealFolder() {
    const QModelIndex index = dirModel_->index(folder_);
    if (!revealPending_ || !index.isValid()) return;
    QSignalBlocker block(Dir1->selectionModel());
    Dir1->setCurrentIndex(index);
    Dir1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

QString frmConvertUtil::FolderPath() const { return folder_; }

void frmConvertUtil::SetFolder(const QString& path) {
    folder_ = path;
    revealPending_ = true;
    RevealFolder();
    Dir1_Change();
}

void frmConvertUtil::Dir1_Change() {
    files_ = ListDataFiles(folder_);
    File1->clear();
    File1->addItems(files_);
}

int frmConvertUtil::NameFormatIndex() const {
    const int i = cboNameFormat->currentIndex();
    return i >= 0 && cboNameFormat->currentText() == cboNameFormat->itemText(i) ? i : -1;
}

void frmConvertUtil::cmdStart_Click() {
    try {
        const QString refusal = StartCheckMessage(folder_, files_, ProgramFolder(), NameFormatIndex());
        if (!refusal.isEmpty()) {
            WarningSound(ctx_);
            MsgBox(refusal, vbInformation);
            return;
        }
        SetMousePointer(Pointer::Hourglass);
        const ConversionPlan plan =
            PlanFolder(ctx_.Connection(), folder_, NameFormatIndex(), ctx_.sDateFormat == "DD/MM/YYYY");
        SetMousePointer(Pointer::Default);
        const QString again = ConvertedBeforeQuestion(plan.report);
        if (!again.isEmpty() && MsgBox(again, vbOKCancel + vbQuestion) != vbOK) return;
        // The run lets the labels repaint between records, without taking clicks or keys anywhere:
        // nothing may start it again, close it or open another screen meanwhile.
        running_ = true;
        cmdStart->setEnabled(false);
        cmdClose->setEnabled(false);
        SetMousePointer(Pointer::Hourglass);
        lblNumCourses->clear();
        lblNumGolfers->clear();
        lblNumRounds->clear();
        ResyncProgress progress(this, ctx_.bResyncFromUpCRSR);
        progress.SetNote(
            "Nothing of the conversion is stored until this window closes: if the program is stopped "
            "now, the database stays as it was before the conversion.");
        const ConversionResult result = RunConversion(
            ctx_.Connection(), plan,
            [this](ConvertStep step, int done, int total) {
                if (step == ConvertStep::Courses)
                    lblNumCourses->setText(QString("%1 of %2").arg(done).arg(total));
                else if (step == ConvertStep::Golfers)
                    lblNumGolfers->setText(QString("%1 of %2").arg(done).arg(total));
                else
                    lblNumRounds->setText(QString::number(done));
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            },
            &progress);
        progress.Finish();
        SetMousePointer(Pointer::Default);
        running_ = false;
        cmdClose->setEnabled(true);
        cmdStart->setEnabled(!result.stored);  // nothing was kept: the run may be tried again
        if (result.stored && !plan.rounds.isEmpty()) {
            // The main screen opens on the course of the last round converted.
            ctx_.nCurPlayerID = plan.rounds.last().playerId;
            ctx_.nCurCourseID = plan.rounds.last().courseId;
        }
        MsgBox(ConversionMessage(result), vbInformation);
    } catch (...) {
        SetMousePointer(Pointer::Default);
        running_ = false;
        cmdClose->setEnabled(true);
        cmdStart->setEnabled(true);  // the run's transaction was given up: nothing was stored
        ReportCurrentError("Form ConvertUtil, cmdStart_Click", Sql::Without);
    }
}

void frmConvertUtil::cmdClose_Click() { close(); }

void frmConvertUtil::reject() {
    if (!running_) QDialog::reject();  // Escape closes the screen, but not during a run
}

void frmConvertUtil::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace dc

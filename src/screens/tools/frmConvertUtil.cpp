#include "tools/frmConvertUtil.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <optional>

#include "platform/Database.h"
#include "platform/Modal.h"
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
#include "tools/OldFieldRules.h"
#include "tools/frmConvertResults.h"

namespace dc {

namespace {

constexpr int kNativePath = Qt::UserRole;  // a tree item's folder by its bytes
constexpr int kLoaded = Qt::UserRole + 1;  // its subfolders are listed
constexpr int kLongMessage = 20;           // lines: a longer closing message gets its own window

// A folder's path as text, each part as its bytes read (UTF-8, else Windows-1252).
QString ShownPath(const QByteArray& native) {
    QStringList parts;
    for (const QByteArray& part : native.split('/'))
        if (!part.isEmpty()) parts << DecodeFileName(part);
    return "/" + parts.join('/');
}

QStandardItem* FolderItem(const QString& name, const QByteArray& native) {
    auto* item = new QStandardItem(name);
    item->setEditable(false);
    item->setData(native, kNativePath);
    item->setData(false, kLoaded);
    item->appendRow(new QStandardItem());  // a placeholder: the folder can be opened
    return item;
}

}  // namespace

frmConvertUtil::frmConvertUtil(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmConvertUtil");
    setWindowTitle("Dado Corvy Conversion Utility");
    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(new QLabel("Step 1:  Navigate to the existing Dado Corvy files", this), row++, 0, 1, 3);
    grid->addWidget(new QLabel("Path to Old Files:", this), row, 0);
    grid->addWidget(new QLabel("Database Files that will be Updated:", this), row++, 1, 1, 2);
    dirModel_ = new QStandardItemModel(this);
    dirModel_->appendRow(FolderItem("/", "/"));
    Dir1 = new QTreeView(this);
    Dir1->setModel(dirModel_);
    Dir1->header()->hide();
    Dir1->setMinimumWidth(300);
    File1 = new QListWidget(this);
    grid->addWidget(Dir1, row, 0);
    grid->addWidget(File1, row++, 1, 1, 2);
    auto* pathRow = new QHBoxLayout();
    txtPath = new QLineEdit(this);
    txtPath->setObjectName("txtPath");
    txtPath->setToolTip("Type or paste the path of the folder, then press Enter");
    cmdGo = new QPushButton("&Go", this);
    cmdGo->setAutoDefault(false);
    pathRow->addWidget(txtPath, 1);
    pathRow->addWidget(cmdGo);
    grid->addLayout(pathRow, row++, 0, 1, 3);
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
    connect(Dir1, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { LoadChildren(dirModel_->itemFromIndex(index)); });
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (revealing_ || !index.isValid() || index.data(kNativePath).isNull()) return;
                nativeFolder_ = index.data(kNativePath).toByteArray();
                folder_ = ShownPath(nativeFolder_);
                txtPath->setText(folder_);
                Dir1_Change();
            });
    connect(txtPath, &QLineEdit::returnPressed, this, [this] { cmdGo_Click(); });
    connect(cmdGo, &QPushButton::clicked, this, [this] { cmdGo_Click(); });
    connect(cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    resize(760, 600);
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
    Dir1->scrollTo(Dir1->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void frmConvertUtil::LoadChildren(QStandardItem* item) {
    if (!item || item->data(kLoaded).toBool()) return;
    item->setData(true, kLoaded);
    item->removeRows(0, item->rowCount());
    for (const OldFile& folder : ListSubfolders(item->data(kNativePath).toByteArray()))
        item->appendRow(FolderItem(folder.name, folder.path));
}

void frmConvertUtil::RevealFolder() {
    QStandardItem* item = dirModel_->item(0);
    QByteArray path = "/";
    for (const QByteArray& part : nativeFolder_.split('/')) {
        if (part.isEmpty()) continue;
        path = (path.endsWith('/') ? path : path + '/') + part;
        LoadChildren(item);
        QStandardItem* next = nullptr;
        for (int r = 0; r < item->rowCount() && !next; ++r)
            if (item->child(r)->data(kNativePath).toByteArray() == path) next = item->child(r);
        if (!next) break;  // a hidden folder or one gone: the tree shows the nearest one above
        Dir1->expand(item->index());
        item = next;
    }
    revealing_ = true;  // the chosen folder stays chosen, also when the tree stops above it
    Dir1->setCurrentIndex(item->index());
    revealing_ = false;
    Dir1->scrollTo(item->index(), QAbstractItemView::PositionAtCenter);
}

QString frmConvertUtil::FolderPath() const { return folder_; }

void frmConvertUtil::SetFolder(const QString& path) {
    const QByteArray native = ResolveFolder(path);
    if (native.isEmpty()) {  // not a folder: nothing to list, and Start says so
        folder_ = path;
        nativeFolder_ = QFile::encodeName(path);
        txtPath->setText(path);
        Dir1_Change();
        return;
    }
    SetNativeFolder(native);
}

void frmConvertUtil::SetNativeFolder(const QByteArray& nativePath) {
    nativeFolder_ = nativePath;
    folder_ = ShownPath(nativePath);
    txtPath->setText(folder_);
    RevealFolder();
    Dir1_Change();
}

void frmConvertUtil::cmdGo_Click() {
    const QString typed = txtPath->text().trimmed();
    const QByteArray native = ResolveFolder(typed);
    if (native.isEmpty()) {
        WarningSound(ctx_);
        MsgBox("The folder " + typed + " was not found.", vbInformation);
        return;
    }
    SetNativeFolder(native);
}

void frmConvertUtil::Dir1_Change() {
    files_.clear();
    for (const OldFile& f : ListOldNativeFiles(nativeFolder_)) files_ << f.name;
    File1->clear();
    File1->addItems(files_);
}

int frmConvertUtil::NameFormatIndex() const {
    const int i = cboNameFormat->currentIndex();
    return i >= 0 && cboNameFormat->currentText() == cboNameFormat->itemText(i) ? i : -1;
}

void frmConvertUtil::cmdStart_Click() {
    // One run at a time: not while this one, or a recomputation anywhere, is still open.
    if (running_ || ResyncProgress::Busy()) return;
    try {
        if (ctx_.Connection().InTransaction()) return;
        const QString refusal = StartCheckMessage(folder_, files_, ProgramFolder(), NameFormatIndex());
        if (!refusal.isEmpty()) {
            WarningSound(ctx_);
            MsgBox(refusal, vbInformation);
            return;
        }
        // The progress window shows from the first step (reading the folder) to the commit: it cannot
        // be dismissed and no other screen takes clicks or keys meanwhile, so nothing can start a
        // second run. It gives way to the question of golfers converted before.
        SetRunning(true);
        std::optional<ResyncProgress> progress;
        const auto show = [&] {
            progress.emplace(this, /*fromUpCRSR=*/false);
            progress->SetNote(
                "Nothing of the conversion is stored until this window closes: if the program is stopped "
                "now, the database stays as it was before the conversion.");
            progress->ShowNow();
        };
        show();
        const ConversionPlan plan = PlanNativeFolder(ctx_.Connection(), nativeFolder_, NameFormatIndex(),
                                                     ctx_.sDateFormat == "DD/MM/YYYY");
        const QString again = ConvertedBeforeQuestion(plan.report);
        if (!again.isEmpty()) {
            progress.reset();
            if (MsgBox(again, vbOKCancel + vbQuestion) != vbOK) {
                SetRunning(false);
                cmdStart->setEnabled(true);
                return;
            }
            show();
        }
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
            &*progress);
        progress->Release();
        progress.reset();
        if (result.withdrawn) {  // the program is ending: nothing was stored, and nothing is said
            SetRunning(false);
            ClearCounts();
            return;
        }
        ReportErrorTexts(result.errorTexts);
        SetRunning(false);
        cmdStart->setEnabled(!result.stored);  // nothing was kept: the run may be tried again
        if (!result.stored) ClearCounts();     // the counts of a run undone would mislead
        if (result.stored && !plan.rounds.isEmpty()) {
            // The chosen player and course stay those of the last round converted.
            ctx_.nCurPlayerID = plan.rounds.last().playerId;
            ctx_.nCurCourseID = plan.rounds.last().courseId;
        }
        ShowResult(ConversionSummary(result), ConversionMessage(result));
    } catch (...) {
        SetRunning(false);
        cmdStart->setEnabled(true);  // the run's transaction was given up: nothing was stored
        ClearCounts();
        ReportCurrentError("Form ConvertUtil, cmdStart_Click", Sql::Without);
    }
}

void frmConvertUtil::SetRunning(bool running) {
    running_ = running;
    cmdClose->setEnabled(!running);
    if (running) {
        cmdStart->setEnabled(false);
        ClearCounts();
    }
    SetMousePointer(running ? Pointer::Hourglass : Pointer::Default);
}

void frmConvertUtil::ClearCounts() {
    lblNumCourses->clear();
    lblNumGolfers->clear();
    lblNumRounds->clear();
}

void frmConvertUtil::ShowResult(const QString& summary, const QString& message) {
    if (message.count("\r\n") < kLongMessage) {
        MsgBox(message, vbInformation);
        return;
    }
    frmConvertResults results(summary, message, this);
    ExecModal(results);
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

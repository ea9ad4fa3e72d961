#include "shell/frmSystemSetup.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>

#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "platform/IniFile.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "shell/AppContext.h"
#include "shell/DBUpdates.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "shell/ResyncProgress.h"
#include "shell/ScreenBoxes.h"
#include "shell/SetupStore.h"
#include "shell/ShellDoc.h"
#include "shell/StartUp.h"
#include "shell/UpdateDatabase.h"
#include "shell/Version.h"
#include "tools/Email.h"
#include "tools/frmDLLCheck.h"
#include "tools/frmEmail.h"

namespace dc {

namespace {

const QString kMissingTitle = "Dado Corvy: Missing or invalid database path/file.";
const QString kDbPathHint = "Type in the path and filename for the active Dado Corvy database.";

// A stored LastTime ("03:07:45 pm", or another common form) in the "hh:nn:ss am/pm" picture;
// a text that is no time comes back unchanged.
QString ShownTime(const QString& raw) {
    const QString t = raw.trimmed().toUpper();
    for (const char* format :
         {"hh:mm:ss AP", "h:mm:ss AP", "hh:mm AP", "h:mm AP", "HH:mm:ss", "H:mm:ss", "HH:mm"}) {
        const QTime time = QTime::fromString(t, format);
        if (time.isValid()) return FormatTimeAmPm(time);
    }
    return raw;
}

QString ShownDate(const QString& raw, const QString& dateFormat) {
    if (const auto d = ParseIniDate(raw)) return FormatLocalDate(*d, dateFormat);
    return raw;
}

}  // namespace

frmSystemSetup::frmSystemSetup(AppContext& ctx, QWidget* parent, bool databaseMissing)
    : DialogBase(parent), ctx_(ctx), databaseMissing_(databaseMissing) {
    ChooseFile = [](QWidget* parent, const QString& caption, const QString& folder, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    };
    EndProgram = [] { std::exit(0); };
    setObjectName("frmSystemSetup");
    setWindowTitle("System Setup");
    BuildControls();
    ConnectHandlers();
    // Every keystroke passes the screen first, so that Enter can move to the next field.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    Form_Load();
}

void frmSystemSetup::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    SSTab1 = new QTabWidget(this);
    outer->addWidget(SSTab1);
    capHelp = new QLabel(this);
    capHelp->setFrameShape(QFrame::Panel);
    capHelp->setFrameShadow(QFrame::Sunken);
    capHelp->setMinimumHeight(22);
    outer->addWidget(capHelp);

    // Tab "System Setup"
    auto* setupTab = new QWidget;
    auto* setupLayout = new QVBoxLayout(setupTab);

    Frame2 = new QGroupBox("Network Information", setupTab);
    auto* grid = new QGridLayout(Frame2);
    Label1_9 = new QLabel("Database Path", Frame2);
    txtDataBasePath = new QLineEdit(Frame2);
    txtDataBasePath->setMinimumWidth(360);
    cmdBrowseDBPath = new QPushButton("Browse ...", Frame2);
    Label1_6 = new QLabel("Multimedia Path", Frame2);
    txtMultimediaPath = new QLineEdit(Frame2);
    chkSounds = new QCheckBox("Sounds", Frame2);
    grid->addWidget(Label1_9, 0, 0);
    grid->addWidget(txtDataBasePath, 0, 1);
    grid->addWidget(cmdBrowseDBPath, 0, 2);
    grid->addWidget(Label1_6, 1, 0);
    grid->addWidget(txtMultimediaPath, 1, 1);
    grid->addWidget(chkSounds, 1, 2);
    setupLayout->addWidget(Frame2);

    auto* options = new QHBoxLayout;
    fraHoleCountry = new QGroupBox("Default Handicap", setupTab);
    auto* holeLayout = new QVBoxLayout(fraHoleCountry);
    opt189_1 = new QRadioButton("18 Hole", fraHoleCountry);
    opt189_2 = new QRadioButton("9 Hole", fraHoleCountry);
    holeLayout->addWidget(opt189_1);
    holeLayout->addWidget(opt189_2);
    picFlagFrame = new QFrame(fraHoleCountry);
    auto* flagLayout = new QGridLayout(picFlagFrame);
    // The rules by name: a drawn flag is too small to tell apart.
    optUSCan_1 = new QRadioButton("US", picFlagFrame);
    optUSCan_2 = new QRadioButton("Canada", picFlagFrame);
    flagLayout->addWidget(optUSCan_1, 0, 0);
    flagLayout->addWidget(optUSCan_2, 1, 0);
    flagLayout->setColumnStretch(2, 1);
    holeLayout->addWidget(picFlagFrame);
    options->addWidget(fraHoleCountry);

    Frame3 = new QGroupBox("Label Format", setupTab);
    auto* styleLayout = new QVBoxLayout(Frame3);
    optStyle_1 = new QRadioButton("2 x 10", Frame3);
    optStyle_2 = new QRadioButton("3 x 10", Frame3);
    styleLayout->addWidget(optStyle_1);
    styleLayout->addWidget(optStyle_2);
    styleLayout->addStretch();
    options->addWidget(Frame3);

    auto* tools = new QVBoxLayout;
    cmdResync = new QPushButton("Resynch All Scores", setupTab);
    cmdResync->setToolTip("Resynch All Rounds");
    cmdEmail = new QPushButton("E&mail ...", setupTab);
    cmdSystemFileCheck = new QPushButton("System &File Check ...", setupTab);
    tools->addWidget(cmdResync);
    tools->addWidget(cmdEmail);
    tools->addWidget(cmdSystemFileCheck);
    tools->addStretch();
    options->addLayout(tools);
    setupLayout->addLayout(options);

    auto* buttons = new QHBoxLayout;
    cmdHelp = new QPushButton(setupTab);
    cmdHelp->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    cmdHelp->setToolTip("Help");
    cmdSave = new QPushButton("&Save", setupTab);
    cmdClose = new QPushButton("Clos&e", setupTab);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdClose);
    setupLayout->addLayout(buttons);
    SSTab1->addTab(setupTab, "System Setup");

    // Tab "Backup/Compact"
    auto* backupTab = new QWidget;
    auto* backupLayout = new QGridLayout(backupTab);
    Label16_0 = new QLabel("Date of Last Backup/Repair/Compact", backupTab);
    capDate = new QLabel(backupTab);
    Label16_1 = new QLabel("Time of Last Backup/Repair/Compact", backupTab);
    capTime = new QLabel(backupTab);
    lblRepairStatus = new QLabel(backupTab);
    lblRepairStatus->setAlignment(Qt::AlignCenter);
    lblRepairStatus->setMinimumHeight(24);
    lblRepairStatus->setAutoFillBackground(true);
    cmdStart = new QPushButton("&Start", backupTab);
    backupLayout->addWidget(Label16_0, 0, 0);
    backupLayout->addWidget(capDate, 0, 1);
    backupLayout->addWidget(Label16_1, 1, 0);
    backupLayout->addWidget(capTime, 1, 1);
    backupLayout->addWidget(lblRepairStatus, 2, 0, 1, 2);
    backupLayout->addWidget(cmdStart, 3, 0, 1, 2, Qt::AlignHCenter);
    backupLayout->setRowStretch(4, 1);
    SSTab1->addTab(backupTab, "Backup/Compact");

    // Initial state: what shows when the database is missing.
    opt189_1->setChecked(true);
    optUSCan_1->setChecked(true);
    optStyle_2->setChecked(true);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
}

void frmSystemSetup::ConnectHandlers() {
    auto changed = [this] { bChanged = true; };
    connect(txtDataBasePath, &QLineEdit::textChanged, this, changed);
    connect(txtMultimediaPath, &QLineEdit::textChanged, this, changed);
    connect(chkSounds, &QCheckBox::toggled, this, changed);
    for (QRadioButton* o : {opt189_1, opt189_2})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (!on) return;
            capHelp->setText("Select default handicap format as 9 or 18.");
            bChanged = true;
        });
    for (QRadioButton* o : {optUSCan_1, optUSCan_2})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (!on) return;
            capHelp->setText("Select default handicap Country as US or Canada.");
            bChanged = true;
        });
    for (QRadioButton* o : {optStyle_1, optStyle_2})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (!on) return;
            capHelp->setText("Select either 2 labels across or 3 labels across.");
            bChanged = true;
        });
    connect(cmdBrowseDBPath, &QPushButton::clicked, this, [this] { cmdBrowseDBPath_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdResync, &QPushButton::clicked, this, [this] { cmdResync_Click(); });
    connect(cmdEmail, &QPushButton::clicked, this, [this] { cmdEmail_Click(); });
    connect(cmdSystemFileCheck, &QPushButton::clicked, this, [this] { cmdSystemFileCheck_Click(); });
    connect(cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
}

void frmSystemSetup::Form_Load() {
    capHelp->setText(kDbPathHint);
    try {
        if (!databaseMissing_) {
            if (const std::optional<SetupRow> row = SetupStore(ctx_.Connection()).ReadSetupRow()) {
                chkSounds->setChecked(row->sounds);
                (row->labelStyle.trimmed() == "1" ? optStyle_1 : optStyle_2)->setChecked(true);
                (row->flag18_9 ? opt189_1 : opt189_2)->setChecked(true);
                (row->usCaFlag ? optUSCan_1 : optUSCan_2)->setChecked(true);
            }
            txtDataBasePath->setText(ctx_.sDBPathFile);
            txtMultimediaPath->setText(ctx_.sMultimediaPath);
        }
        try {
            capDate->setText(ShownDate(ReadIniString("Path", "LastDate", IniFilePath()), ctx_.sDateFormat));
            capTime->setText(ShownTime(ReadIniString("Path", "LastTime", IniFilePath())));
        } catch (const AppError&) {
            // Connect.ini is not a file that can be read (start-up has said so): no last run shown.
        }
    } catch (...) {
        ReportCurrentError("Form SystemSetup, Form_Load", Sql::With);
    }
    capHelp->setText(kDbPathHint);
    bChanged = false;
}

void frmSystemSetup::cmdBrowseDBPath_Click() {
    const QString kept = txtDataBasePath->text();
    FilePath(*txtDataBasePath);
    if (txtDataBasePath->text().trimmed().isEmpty()) txtDataBasePath->setText(kept);
}

void frmSystemSetup::FilePath(QLineEdit& box) {
    try {
        QString filter;
        if (&box == txtDataBasePath) filter = "Database Files (*.MDB *.mdb)";
        const QString text = box.text();
        const QString folder = text.left(text.lastIndexOf('/') + 1);
        const QString chosen = ChooseFile ? ChooseFile(this, "Open", folder, filter) : QString();
        if (chosen.isEmpty()) return;  // cancelled: the box keeps its text
        box.setText(chosen);
    } catch (...) {
        ReportCurrentError("frmSystemSetup, FilePath", Sql::Without);
    }
}

bool frmSystemSetup::AskForValidDatabase() {
    const int answer = MsgBox(
        "A valid Dado Corvy database has NOT been found.  Please 'Browse' or supply a valid Dado Corvy "
        "Database "
        "Path.",
        vbOKCancel, kMissingTitle);
    if (answer == vbOK) {
        txtDataBasePath->setFocus();
        return true;
    }
    if (EndProgram) EndProgram();
    return false;
}

bool frmSystemSetup::SaveSettings() {
    try {
        // The shipped blank database must never become the live file.
        if (IsBlankDatabasePath(txtDataBasePath->text())) {
            MsgBox(
                "The selected file cannot be used as a Dado Corvy Database.  Please select a different file.",
                vbExclamation + vbOKOnly);
            cmdBrowseDBPath_Click();
            return false;
        }

        // Test-open a newly typed database; a failed open keeps the database open before.
        const QString typed = txtDataBasePath->text().trimmed();
        if (databaseMissing_ && !typed.isEmpty()) {
            ctx_.Live().Open(typed);
            databaseMissing_ = false;
        } else if (!databaseMissing_ && txtDataBasePath->text() != ctx_.sDBPathFile) {
            if (LeaveDatabase && !LeaveDatabase()) return false;
            // File names differ by case on this system: golf.mdb is not Golf.mdb.
            ctx_.Live().Open(typed);
        }

        const bool soundsTicked = chkSounds->isChecked();
        ctx_.bSounds = soundsTicked && !txtMultimediaPath->text().trimmed().isEmpty();
        const QString style = optStyle_1->isChecked() ? "1" : "2";
        ctx_.bFlag18_9 = opt189_1->isChecked();
        ctx_.bUSCAFlag = optUSCan_1->isChecked();

        SetupStore(ctx_.Connection()).StoreSetupRow({ctx_.bSounds, style, ctx_.bFlag18_9, ctx_.bUSCAFlag});

        // Until the program ends the sounds follow the box alone.
        ctx_.bSounds = soundsTicked;

        // Connect.ini that cannot be written does not keep the screen open: the settings hold for
        // this run, and the golfer is told which folder or file needs which rights.
        QString iniProblem;
        const bool iniKept =
            WriteIniValue("PATH", "DBPathFile", txtDataBasePath->text(), IniFilePath(), &iniProblem) &&
            WriteIniValue("PATH", "MultimediaPath", txtMultimediaPath->text(), IniFilePath(), &iniProblem);
        ctx_.sDBPathFile = txtDataBasePath->text();
        ctx_.sMultimediaPath = txtMultimediaPath->text();

        // Reopen on the saved path; the new connection replaces the old one only once it is open.
        ctx_.Live().Open(ctx_.sDBPathFile.trimmed());
        UpdateDatabase(ctx_.Live(), ctx_.sDBPathFile);

        databaseMissing_ = false;
        bChanged = false;
        if (!iniKept)
            MsgBox(
                "The settings are used until Dado Corvy ends, but they could not be kept for the next "
                "start: " +
                    IniNotWrittenText(iniProblem),
                vbExclamation + vbOKOnly);
        return true;
    } catch (...) {
        const ErrorInfo error = CurrentError();
        const QString unusable = UnusableDatabaseTitle(error.number);
        if (!unusable.isEmpty()) {
            // Write-protected, damaged or in use: said plainly, and another file can be chosen.
            QString text = error.description;
            if (error.number == kErrDamaged) text += "\r\n" + NewestBackupText(ctx_.sDateFormat);
            MsgBox(text, vbExclamation + vbOKOnly, unusable);
            txtDataBasePath->setFocus();
            return false;
        }
        if (error.number == kErrNotValidPath || error.number == kErrFileNotFound ||
            error.number == kErrBadPassword || error.number == kErrBadFormat || databaseMissing_) {
            AskForValidDatabase();
        } else {
            ReportCurrentError("System Setup, cmdSave_Click", Sql::With);
        }
        return false;
    }
}

void frmSystemSetup::cmdSave_Click() { SaveSettings(); }

bool frmSystemSetup::SaveChangesQuestion() {
    if (!bChanged) return true;
    const int answer = MsgBox(
        "Entries for the Setup have changed." + QString(QChar(10)) + QString(QChar(13)) + "Save the changes?",
        vbExclamation + vbYesNoCancel);
    if (answer == vbYes) {
        const BusyPointer busy;
        return SaveSettings();  // a refused or failed save keeps the screen and its edits
    }
    return answer == vbNo;
}

bool frmSystemSetup::Form_Unload() {
    if (!SaveChangesQuestion()) return false;
    bChanged = false;
    if (databaseMissing_ && AskForValidDatabase()) return false;
    nReturnCode = 3;
    // Busy until the next screen has taken over. The program's one pointer, not a stacked override
    // that only this timer would take back.
    SetMousePointer(Pointer::Hourglass);
    QTimer::singleShot(0, qApp, [] { SetMousePointer(Pointer::Default); });
    return true;
}

void frmSystemSetup::cmdClose_Click() { close(); }

void frmSystemSetup::cmdHelp_Click() { ShellDoc(HelpDocumentPath()); }

void frmSystemSetup::cmdResync_Click() {
    try {
        ResyncProgress progress(this, /*fromUpCRSR=*/false);
        const ResyncResult done = ResynchAllScores(ctx_.Connection(), &progress);
        ReportErrorTexts(done.errors);
        // A failed run is not announced as complete.
        if (done.ok) MsgBox("Resynchronization of all scores for all players complete!", vbOKOnly);
    } catch (...) {
        ReportCurrentError("frmSystemSetup, cmdResync_Click", Sql::With);
    }
}

QString frmSystemSetup::EmailSubject() { return "Dado Corvy  (CV" + VersionText() + ")"; }

void frmSystemSetup::cmdEmail_Click() {
    OpenEmailScreen(ctx_, "General", kSupportAddress, EmailSubject(), this);
}

void frmSystemSetup::cmdSystemFileCheck_Click() {
    SetMousePointer(Pointer::Hourglass);
    frmDLLCheck check(ctx_, this);  // the check runs as it opens
    SetMousePointer(Pointer::Default);
    ExecModal(check);
}

void frmSystemSetup::ShowStage(CompactStage stage) {
    lblRepairStatus->setText(StageCaption(stage));
    QPalette palette = lblRepairStatus->palette();
    palette.setColor(QPalette::Window, StageColour(stage));
    lblRepairStatus->setPalette(palette);
    lblRepairStatus->repaint();
}

void frmSystemSetup::cmdStart_Click() {
    if (MsgBox("Are you sure you want to Backup, Repair and Compact your database?", vbYesNo) == vbNo) return;
    bCompactFailed = false;
    CompactResult result;
    {
        const BusyPointer busy;
        result = BackupAndCompact(ctx_.Live(), ctx_.sDBPathFile, ctx_.sDateFormat,
                                  [this](CompactStage stage) { ShowStage(stage); });
    }
    bCompactFailed = !result.ok;
    if (result.ok) {
        capDate->setText(result.lastDate);
        capTime->setText(result.lastTime);
    }
    for (const QString& text : result.errors) ReportErrorText(text);
}

bool frmSystemSetup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild();  // Enter moves on like Tab
            return true;
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (watched == txtDataBasePath) {
            capHelp->setText(kDbPathHint);
            SelectAllText(*txtDataBasePath);
        } else if (watched == txtMultimediaPath) {
            capHelp->setText("Type in the path for the Dado Corvy Multimedia files.");
            SelectAllText(*txtMultimediaPath);
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace dc

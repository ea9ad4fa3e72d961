#include "entry/frmMainGolf.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <utility>

#include "entry/frmMainGolfShared.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/Spread.h"
#include "shell/AppContext.h"
#include "shell/DialogBase.h"
#include "shell/ErrorReport.h"
#include "shell/ListLoaders.h"
#include "shell/ScreenBoxes.h"
#include "shell/StoredChanges.h"
#include "shell/Version.h"

namespace dc {

using namespace mainscreen;

frmMainGolf::frmMainGolf(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName("frmMainGolf");
    EndProgram = [] { QApplication::exit(0); };
    BuildControls();
    // The buttons of the top row act on the round without taking the keyboard from it: after a
    // question is cancelled, or a button does nothing, typing goes on where it was.
    for (QPushButton* b :
         {cmdNewGame, cmdSave, cmdDeleteGame, cmdGameList, cmdCourse, cmdStats, cmdGraphs, cmdHandicaps,
          cmdNewPlayer, cmdDeletePlayer, cmdSetup, cmdScoreCard, cmdHelp, cmdExit})
        b->setFocusPolicy(Qt::TabFocus);
    ConnectHandlers();
    Form_Load();
    shownChanges_ = ctx_.Changes().Count();
    connect(&ctx_.Changes(), &StoredChanges::Changed, this, [this] { ShowWhatIsStored(); });
}

void frmMainGolf::ConnectHandlers() {
    // A button pressed (also by its access key, which leaves the grid's editor open) first takes
    // the score being typed.
    for (QPushButton* b : findChildren<QPushButton*>())
        connect(b, &QPushButton::pressed, this, [this] { CommitTyping(); });
    // A button's click that reaches the screen while a round is shown, a question is open or a
    // save runs starts nothing.
    connect(cmdNewGame, &QPushButton::clicked, this, [this] {
        if (!Busy()) cmdNewGame_Click();
    });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDeleteGame, &QPushButton::clicked, this, [this] {
        if (!Busy()) cmdDeleteGame_Click();
    });
    connect(cmdGameList, &QPushButton::clicked, this, [this] { cmdGameList_Click(); });
    connect(cmdCourse, &QPushButton::clicked, this, [this] { cmdCourse_Click(); });
    connect(cmdStats, &QPushButton::clicked, this, [this] { cmdStats_Click(); });
    connect(cmdGraphs, &QPushButton::clicked, this, [this] { cmdGraphs_Click(); });
    connect(cmdHandicaps, &QPushButton::clicked, this, [this] { cmdHandicaps_Click(); });
    connect(cmdNewPlayer, &QPushButton::clicked, this, [this] {
        if (!Busy()) cmdNewPlayer_Click();
    });
    connect(cmdDeletePlayer, &QPushButton::clicked, this, [this] {
        if (!Busy()) cmdDeletePlayer_Click();
    });
    connect(cmdSetup, &QPushButton::clicked, this, [this] { cmdSetup_Click(); });
    connect(cmdScoreCard, &QPushButton::clicked, this, [this] { cmdScoreCard_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    connect(cmdCalendar, &QPushButton::clicked, this, [this] { cmdCalendar_Click(); });
    connect(cmdPrintScoreCard, &QPushButton::clicked, this, [this] { cmdPrintScoreCard_Click(); });

    connect(cboPlayer, &QComboBox::currentIndexChanged, this, [this] { cboPlayer_Click(); });
    connect(cboCourse, &QComboBox::currentIndexChanged, this, [this] { cboCourse_Click(); });
    connect(cboTeeBox, &QComboBox::currentIndexChanged, this, [this] { cboTeeBox_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(optMF[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) optMF_Click(i);
        });
    for (int i = 1; i <= 2; ++i) {
        connect(opt189[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) opt189_Click(i);
        });
        connect(optUSCan[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) optUSCan_Click(i);
        });
    }
    connect(chkUseHandicap, &QCheckBox::toggled, this, [this] { chkUseHandicap_Click(); });
    // Whether the round counts for handicap or tournament changes what Save stores for it.
    connect(chkUseTourn, &QCheckBox::toggled, this, [this] { RefreshSaveFigures(); });
    connect(txtRecNum, &QLineEdit::textChanged, this, [this] { txtRecNum_Change(); });
    connect(mskDate, &QLineEdit::textChanged, this, [this] { mskDate_Change(); });
    connect(RecBar, &QScrollBar::valueChanged, this, [this] { RecBar_Change(); });

    connect(spISC, &Spread::LeaveCell, this, &frmMainGolf::spISC_LeaveCell);
    connect(spISC, &Spread::ButtonClicked, this, &frmMainGolf::spISC_ButtonClicked);
    connect(spISC, &Spread::Click, this, &frmMainGolf::spISC_Click);
    // Totals follow the typing, not only the leaving of a cell.
    connect(spISC, &Spread::Change, this, [this](int col, int row) {
        TakeCell(col, row);
        if (row > 3 && row != kRowGir && row != kRowSand && row != kRowFHit) Calc_Row_Scores(row);
    });

    // Hints on focus and on pointer-over.
    for (QWidget* w : std::initializer_list<QWidget*>{
             cboPlayer, cboCourse, cboTeeBox, optMF[0], optMF[1], mskDate, chkKeepSame, chkUseHandicap,
             chkUseTourn, txtGameCost, txtCartCost, txtOtherCost, txtNotes, txtRecNum, RecBar})
        w->installEventFilter(this);
    for (QPushButton* b :
         {cmdCalendar, cmdCourse, cmdScoreCard, cmdSetup, cmdDeleteGame, cmdDeletePlayer, cmdExit, cmdGraphs,
          cmdHandicaps, cmdGameList, cmdNewGame, cmdNewPlayer, cmdSave, cmdStats})
        b->installEventFilter(this);
}

bool frmMainGolf::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == cboPlayer)
            SetHint("Select a Player's name from the list.");
        else if (watched == cboCourse)
            SetHint("Click the down arrow to display current courses.");
        else if (watched == cboTeeBox)
            SetHint("Click the proper Tee Box to update par scores, handicap holes and yardages.");
        else if (watched == optMF[0] || watched == optMF[1])
            SetHint("Select either a Male or Female player.");
        else if (watched == mskDate) {
            SetHint("Enter the date played. (ie. 03/10/1998, no need to type slashes)");
            QPointer<MaskEdBox> box = mskDate;
            QMetaObject::invokeMethod(
                this,
                [box] {
                    if (box) box->selectAll();
                },
                Qt::QueuedConnection);
        } else if (watched == chkKeepSame)
            SetHint(
                "Check to keep the same Date, Course and Tee Box when entering scores for multiple players.");
        else if (watched == chkUseHandicap)
            SetHint("Click to make the current game available for Handicap calculations.");
        else if (watched == chkUseTourn) {
            DisplayHCP_Scores();
            SetHint("Click to make the current game a Tournament Game.");
        } else if (watched == txtGameCost || watched == txtCartCost || watched == txtOtherCost) {
            SetHint(watched == txtGameCost ? "Enter the Game Cost. (ie. 25.75, no dollar sign needed)"
                    : watched == txtCartCost
                        ? "Enter the Cart Cost. (ie. 12.45, no dollar sign needed)"
                        : "Enter any miscellaneous Cost. (ie. 235.91, no dollar sign needed)");
            SelectAllText(*static_cast<QLineEdit*>(watched));
        } else if (watched == txtNotes) {
            SetHint("Enter notes pertaining to the current game. (ie. new clubs, 1st hole-in-1)");
            if (!txtNotes->toPlainText().isEmpty()) txtNotes->selectAll();
        } else if (watched == txtRecNum) {
            SetHint("Enter a game for display.");
        } else if (watched == RecBar)
            SetHint("Click up or down arrow or drag slide box to change Game #.");
    } else if (event->type() == QEvent::Enter) {
        static const QHash<QString, QString> hints{
            {"cmdCalendar", "Click to display a calendar."},
            {"cmdCourse", "Click the Course Database button to add/edit course information."},
            {"cmdScoreCard", "Click the Score Card button to print Custom Score Cards."},
            {"cmdSetup", "Click to set system database, default parameters and resynchronize scores."},
            {"cmdDeleteGame", "Click to delete the current game from the player's database."},
            {"cmdDeletePlayer", "Click to delete the current player from the database."},
            {"cmdExit", "Click the Stop Sign button to exit Dado Corvy and return to Windows."},
            {"cmdGraphs", "Click the Graphs button to display current player's graphical stats."},
            {"cmdHandicaps", "Click the Handicap button to display current player's Handicap info."},
            {"cmdGameList", "Click the Game List icon to display round information."},
            {"cmdNewGame", "Click to add a New Game to the current player's database."},
            {"cmdNewPlayer", "Click to add a New Player to the database."},
            {"cmdSave", "Click to Save the current player's game."},
            {"cmdStats", "Click the Statistics button to display current player's statistics."}};
        const auto it = hints.find(watched->objectName());
        if (it != hints.end()) SetHint(*it);
    }
    return QWidget::eventFilter(watched, event);
}

void frmMainGolf::mouseMoveEvent(QMouseEvent* event) {
    if (event->position().y() * Spread::kTwipsPerPixel < 1000) SetHint(QString());
    QWidget::mouseMoveEvent(event);
}

void frmMainGolf::SetHint(const QString& text) { capHelp->setText(text); }

void frmMainGolf::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Activation runs at the first showing and whenever a screen opened from here closes; not on
    // every window activation, which message boxes also cause.
    if (!shownOnce_) {
        shownOnce_ = true;
        Form_Activate();
    }
}

void frmMainGolf::closeEvent(QCloseEvent* event) {
    // The window's close box ends the program like Exit, with the same questions: first each open
    // editor's (the course editor, the settings), then the round's. A Cancel closes nothing.
    if (!SaveQuestionsOfOpenScreens(*this)) {
        event->ignore();
        return;
    }
    CommitTyping();
    if (!AskToSave("Save the changes before exiting?", vbYesNoCancel + vbQuestion, false, OnNo::Leave)) {
        event->ignore();
        return;
    }
    event->accept();
}

// ------------------------------------------------------------------------------------ loading

void frmMainGolf::Form_Load() {
    SetDateFormat(*mskDate, ctx_.sDateFormat);
    Grid_Setup(*spISC);
    spISC->setFixedHeight(spISC->horizontalHeader()->sizeHint().height() + 8 * spISC->rowHeight(0) +
                          2 * spISC->frameWidth() + 2);
    {
        const QSignalBlocker block(cboCourse);
        if (ctx_.HasDatabase()) Load_Course_Info(*cboCourse, ctx_);
        cboCourse->setCurrentIndex(-1);
    }
    Init_Player_List();
    shownDatabase_ = ctx_.HasDatabase() ? ctx_.Connection().Path() : QString();
    setWindowTitle(AppTitle());
    SetHint("Select a Player's name from the list.");
}

void frmMainGolf::StartAfresh() {
    {
        const QSignalBlocker block(cboCourse), blockTee(cboTeeBox);
        cboCourse->clear();
        if (ctx_.HasDatabase()) Load_Course_Info(*cboCourse, ctx_);
        cboCourse->setCurrentIndex(-1);
        // No course: no tee box, and the grid without the yards, hole handicaps and pars of one.
        cboTeeBox->clear();
    }
    round.SetCourse(0);
    round.SetTee(0, 0, 0);
    // The course chosen and the round saved last were the other database's: their numbers name
    // nothing here.
    ctx_.nCurCourseID = 0;
    bKeepSame = false;
    Init_Player_List();
    round.ClearChange();
}

void frmMainGolf::Init_Player_List() {
    ClearForNewPlayer();
    {
        const QSignalBlocker block(cboPlayer);
        if (ctx_.HasDatabase()) Load_Players(*cboPlayer, ctx_);
        cboPlayer->setCurrentIndex(-1);
    }
    ctx_.nCurPlayerID = 0;
    UpdateRoundFigures();  // nobody's round
}

void frmMainGolf::Form_Activate(const ScreenAnswer& answer) {
    nReturnCode = answer.code;
    if (answer.gameNumber >= 1) nGameNumber = answer.gameNumber;
    try {
        cboPlayer->setFocus();
        if (opt189[1]->isChecked() && !ctx_.bFlag18_9)
            opt189[2]->setChecked(true);
        else if (opt189[2]->isChecked() && ctx_.bFlag18_9)
            opt189[1]->setChecked(true);
        if (optUSCan[1]->isChecked() && !ctx_.bUSCAFlag)
            optUSCan[2]->setChecked(true);
        else if (optUSCan[2]->isChecked() && ctx_.bUSCAFlag)
            optUSCan[1]->setChecked(true);

        const int code = nReturnCode;
        bool stop = false;
        // The settings screen may have opened another database: nothing shown belongs to it, so
        // the screen starts afresh rather than offer to save the round into the other file.
        const QString database = ctx_.HasDatabase() ? ctx_.Connection().Path() : QString();
        if (database != shownDatabase_) {
            shownDatabase_ = database;
            StartAfresh();
            nReturnCode = 0;
            SetMousePointer(Pointer::Default);
            return;
        }
        // The course editor and the settings screen are modeless: what was typed here while they
        // were open is not reloaded over without a question (Cancel keeps it on the screen). The
        // change check compares the course shown (the screen's own), not the one the editor hands back.
        bool keepShown = false;
        const int handedCourse = ctx_.nCurCourseID;
        if (code == 1 || code == 3) {
            keepShown = !AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false);
            ctx_.nCurCourseID = keepShown ? SelectedItemData(*cboCourse) : handedCourse;
        }
        if (code == 1 || code == 3) {
            if (keepShown || !round.IsNew()) {
                // The round kept, or a stored round shown again from the store below: on its own
                // course, never for a moment on the one handed back.
                ReloadCourseLists();
            } else {
                {
                    const QSignalBlocker block(cboCourse);
                    cboCourse->clear();
                    if (ctx_.HasDatabase()) Load_Course_Info(*cboCourse, ctx_);
                    cboCourse->setCurrentIndex(-1);
                }
                const int i = cboCourse->findData(ctx_.nCurCourseID);
                if (i >= 0) cboCourse->setCurrentIndex(i);
            }
        }
        if (code == 1) {
            if (cboPlayer->count() == 0)
                stop = true;
            else if (!keepShown && !cboPlayer->currentText().trimmed().isEmpty() && !round.IsNew())
                RecBar_Scroll();
        }
        if (!stop && (code == 2 || code == 3)) {
            {
                const QSignalBlocker block(cboPlayer);
                if (ctx_.HasDatabase()) Load_Players(*cboPlayer, ctx_);
                cboPlayer->setCurrentIndex(-1);
            }
            if (cboPlayer->count() > 0) {
                // Chosen by code: the question was asked before the other screen opened. A
                // player kept with his edited round is only chosen again; another is loaded.
                const int i = cboPlayer->findData(ctx_.nCurPlayerID);
                const bool keepPlayer = keepShown && ctx_.nCurPlayerID == round.ShownPlayerId();
                SelectPlayerQuietly(i);
                if (!keepPlayer && i >= 0) RunStep(Step::Showing, [this] { LoadPlayer(); });
            }
        }
        // The code has been acted on; a later activation (after the calendar, say) must not reload.
        nReturnCode = 0;
    } catch (...) {
        nReturnCode = 0;
        ReportCurrentError(kTag + "Form_Activate", Sql::Without);
    }
    SetMousePointer(Pointer::Default);
}

void frmMainGolf::opt189_Click(int index) {
    ctx_.bFlag18_9 = index == 1;
    SetHint(index == 1 ? "Display 18 hole handicap values with the corresponding US/Canada flag."
                       : "Display 9 hole handicap values with the corresponding US/Canada flag.");
    RefreshSaveFigures();  // the save recomputes by the table of the view chosen
}

void frmMainGolf::optUSCan_Click(int index) {
    ctx_.bUSCAFlag = index == 1;
    SetHint(index == 1 ? "Display US handicap values with the corresponding 9 or 18 hole option."
                       : "Display Canadian handicap values with the corresponding 9 or 18 hole option.");
    DisplayHCP_Scores();
}

void frmMainGolf::chkUseHandicap_Click() { RefreshSaveFigures(); }

void frmMainGolf::RefreshSaveFigures() {
    // Code that shows a round sets its figures once it is shown whole.
    if (Busy())
        DisplayHCP_Scores();
    else
        UpdateRoundFigures();
}

// ------------------------------------------------------------------------------------ steps

struct frmMainGolf::StepScope {
    frmMainGolf& screen;
    const Step was;
    StepScope(frmMainGolf& f, Step step) : screen(f), was(f.step_) { f.step_ = step; }
    ~StepScope() { screen.step_ = was; }
};

void frmMainGolf::RunStep(Step step, const std::function<void()>& work) {
    {
        const StepScope scope(*this, step);
        work();
    }
    if (step_ != Step::Idle || teeWarning_.isEmpty()) return;
    const QString warning = std::exchange(teeWarning_, QString());
    const QString key = std::exchange(teeWarningKey_, QString());
    // Only the tee box of the round shown now, once: a tee box chosen on the way (the course of the
    // round shown before, read again for another gender) is no concern of this round.
    if (key != ShownTeeWarningKey()) return;
    warnedTees_.insert(key);
    Ask(warning, vbExclamation);
}

// Every box of the screen ends a hold of the bar's arrow: else its repeat pages on behind the box
// (the release is the box's) and after it.
int frmMainGolf::Ask(const QString& text, int style, const QStringList& buttons) {
    StopBarRepeat();
    const StepScope scope(*this, Step::Asking);
    return buttons.isEmpty() ? MsgBox(text, style) : MsgBox(text, style, QString(), buttons);
}

}  // namespace dc

#include "entry/frmMainGolf.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

#include "entry/MainRoundStore.h"
#include "entry/RoundRecalc.h"
#include "handicap/AllowableScores.h"
#include "handicap/HcpRules.h"
#include "handicap_report/frmHandicap.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/Spread.h"
#include "platform/Val.h"
#include "records/CourseStore.h"
#include "records/frmCourseSetup.h"
#include "records/frmPlayers.h"
#include "reports/frmGameList.h"
#include "reports/frmGraphs.h"
#include "reports/frmStats.h"
#include "scorecards/frmScoreCard.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/Globals.h"
#include "shell/ListLoaders.h"
#include "shell/ScreenBoxes.h"
#include "shell/frmCalendar.h"
#include "shell/frmMainWait.h"
#include "shell/frmSystemSetup.h"

namespace dc {

namespace {

const QString kTag = "Form Main Dado, ";
const QString kNoPlayer = "A Player's name must be entered.";

QString TodayText() { return FormatLocalDate(Today()); }

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
}

QLabel* Label(QWidget* parent, const QString& name, const QString& caption = QString(),
              const QString& tip = {}) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    if (!tip.isEmpty()) l->setToolTip(tip);
    return l;
}

}  // namespace

frmMainGolf::frmMainGolf(QWidget* parent) : QWidget(parent) {
    setObjectName("frmMainGolf");
    EndProgram = [] { QApplication::exit(0); };
    BuildControls();
    ConnectHandlers();
    Form_Load();
}

// ------------------------------------------------------------------------------------ layout

void frmMainGolf::BuildControls() {
    auto* top = new QHBoxLayout;
    cmdNewGame = Button(this, "cmdNewGame", "&New", "Enter a New Game");
    cmdSave = Button(this, "cmdSave", "&Save", "Save Current Game");
    cmdDeleteGame = Button(this, "cmdDeleteGame", "&Delete", "Delete Current Game");
    cmdGameList = Button(this, "cmdGameList", "&History", "Display Game History");
    cmdCourse = Button(this, "cmdCourse", "&Course", "Enter Course Info");
    cmdStats = Button(this, "cmdStats", "S&tats", "Display Statistics");
    cmdGraphs = Button(this, "cmdGraphs", "&Graphs", "Display Graphs");
    cmdHandicaps = Button(this, "cmdHandicaps", "&Hcps", "View Hanidcap Information");
    cmdNewPlayer = Button(this, "cmdNewPlayer", "&Add", "Add/Edit Player Info");
    cmdDeletePlayer = Button(this, "cmdDeletePlayer", "&Rem", "Delete Current Player");
    cmdSetup = Button(this, "cmdSetup", "Setu&p", "System Setup");
    cmdScoreCard = Button(this, "cmdScoreCard", "Sc&ore Cards", "Print Custom Score Cards");
    cmdHelp = Button(this, "cmdHelp", "?", "Open the help document in the PDF reader");
    cmdExit = Button(this, "cmdExit", "E&xit", "Exit Dado Corvy");
    for (QPushButton* b :
         {cmdNewGame, cmdSave, cmdDeleteGame, cmdGameList, cmdCourse, cmdStats, cmdGraphs, cmdHandicaps,
          cmdNewPlayer, cmdDeletePlayer, cmdSetup, cmdScoreCard, cmdHelp, cmdExit})
        top->addWidget(b);
    // Screens that are not part of the program yet, and the deletions, stay off until wired.
    for (QPushButton* b : {cmdDeleteGame, cmdDeletePlayer}) b->setEnabled(false);
    // The course editor is modeless: the main screen stays usable and reloads its lists when it closes.
    ShowCourseEditor = [this] {
        auto* editor = new frmCourseSetup(this);
        editor->setWindowFlag(Qt::Window);
        editor->setAttribute(Qt::WA_DeleteOnClose);
        editor->setModal(false);
        connect(editor, &QDialog::finished, this, [this] { Form_Activate(); });
        editor->show();
    };
    // The other screens are modal; each is built when shown and gone when closed.
    ShowPlayerEditor = [this] { ShowModal<frmPlayers>(this); };
    ShowScoreCard = [this] { ShowModal<frmScoreCard>(this); };
    ShowHandicap = [this] { ShowModal<frmHandicap>(this); };
    ShowStats = [this] { ShowModal<frmStats>(this); };
    ShowGameList = [this] { ShowModal<frmGameList>(this); };
    ShowGraphs = [this] { ShowModal<frmGraphs>(this); };

    auto* playerRow = new QHBoxLayout;
    playerRow->addWidget(Label(this, "lblPlayer", "Player"));
    cboPlayer = new QComboBox(this);
    cboPlayer->setObjectName("cboPlayer");
    cboPlayer->setToolTip("Select a Player's name from the list");
    cboPlayer->setMinimumWidth(260);
    playerRow->addWidget(cboPlayer);
    auto* picGender = new QWidget(this);
    picGender->setObjectName("picGender");
    auto* genderLayout = new QHBoxLayout(picGender);
    genderLayout->setContentsMargins(0, 0, 0, 0);
    optMF[0] = new QRadioButton("Mr.", picGender);
    optMF[1] = new QRadioButton("Ms.", picGender);
    optMF[0]->setObjectName("optMF_0");
    optMF[1]->setObjectName("optMF_1");
    optMF[0]->setChecked(true);
    genderLayout->addWidget(optMF[0]);
    genderLayout->addWidget(optMF[1]);
    playerRow->addWidget(picGender);
    playerRow->addWidget(Label(this, "lblGameNo", "Game #"));
    txtRecNum = new QLineEdit(this);
    txtRecNum->setObjectName("txtRecNum");
    txtRecNum->setToolTip("Current Game number");
    txtRecNum->setMaximumWidth(60);
    playerRow->addWidget(txtRecNum);
    RecBar = new QScrollBar(Qt::Vertical, this);
    RecBar->setObjectName("RecBar");
    RecBar->setRange(1, 1);
    RecBar->setInvertedControls(false);
    RecBar->setFixedHeight(40);
    playerRow->addWidget(RecBar);
    playerRow->addStretch();
    lblGameNumber = Label(this, "lblGameNumber");
    lblRandomID = Label(this, "lblRandomID");
    lblGameNumber->hide();
    lblRandomID->hide();

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    auto* round = new QWidget;
    auto* costs = new QWidget;
    SSTab1->addTab(round, "Round Information");
    SSTab1->addTab(costs, "Costs and Notes");

    auto* rl = new QGridLayout(round);
    rl->addWidget(Label(round, "lblDate", "Date"), 0, 0);
    mskDate = new MaskEdBox(round);
    mskDate->setObjectName("mskDate");
    rl->addWidget(mskDate, 0, 1);
    cmdCalendar = Button(round, "cmdCalendar", "...", "Pick a Date from the Calender");
    rl->addWidget(cmdCalendar, 0, 2);
    rl->addWidget(Label(round, "lblCourse", "Course"), 0, 3);
    cboCourse = new QComboBox(round);
    cboCourse->setObjectName("cboCourse");
    cboCourse->setMinimumWidth(220);
    rl->addWidget(cboCourse, 0, 4);
    rl->addWidget(Label(round, "lblTeeBox", "Tee Box"), 0, 5);
    cboTeeBox = new QComboBox(round);
    cboTeeBox->setObjectName("cboTeeBox");
    cboTeeBox->setMinimumWidth(140);
    rl->addWidget(cboTeeBox, 0, 6);
    // An empty list selects nothing when entries are added (the placeholder keeps it so).
    for (QComboBox* c : {cboPlayer, cboCourse, cboTeeBox}) c->setPlaceholderText(" ");

    chkUseHandicap = new QCheckBox("Use for Handicap", round);
    chkUseHandicap->setObjectName("chkUseHandicap");
    chkUseTourn = new QCheckBox("Use for Tournament", round);
    chkUseTourn->setObjectName("chkUseTourn");
    chkKeepSame = new QCheckBox("&Keep same Date, Course, Tee Box", round);
    chkKeepSame->setObjectName("chkKeepSame");
    rl->addWidget(chkUseHandicap, 1, 0, 1, 2);
    rl->addWidget(chkUseTourn, 1, 2, 1, 2);
    rl->addWidget(chkKeepSame, 1, 4, 1, 2);

    auto* fraHoleCountry = new QGroupBox(round);
    fraHoleCountry->setObjectName("fraHoleCountry");
    auto* fl = new QHBoxLayout(fraHoleCountry);
    opt189[0] = optUSCan[0] = nullptr;
    opt189[1] = new QRadioButton("18 Hole", fraHoleCountry);
    opt189[2] = new QRadioButton("9 Hole", fraHoleCountry);
    opt189[1]->setObjectName("opt189_1");
    opt189[2]->setObjectName("opt189_2");
    opt189[1]->setChecked(true);
    fl->addWidget(opt189[1]);
    fl->addWidget(opt189[2]);
    auto* picFlags = new QWidget(round);
    picFlags->setObjectName("picFlags");
    auto* pl = new QHBoxLayout(picFlags);
    optUSCan[1] = new QRadioButton("US", picFlags);
    optUSCan[2] = new QRadioButton("Canada", picFlags);
    optUSCan[1]->setObjectName("optUSCan_1");
    optUSCan[2]->setObjectName("optUSCan_2");
    optUSCan[1]->setChecked(true);
    pl->addWidget(optUSCan[1]);
    pl->addWidget(optUSCan[2]);
    rl->addWidget(fraHoleCountry, 1, 6);
    rl->addWidget(picFlags, 1, 7);

    spISC = new Spread(round);
    spISC->setObjectName("spISC");
    // Three-digit yardages in the narrow hole columns: a small font, and never "..." for a digit.
    QFont gridFont = spISC->font();
    gridFont.setPointSize(8);
    spISC->setFont(gridFont);
    spISC->setTextElideMode(Qt::ElideNone);
    rl->addWidget(spISC, 2, 0, 1, 8);

    // The handicap panel.
    auto* panel = new QGridLayout;
    const QString tipPrev = "Used to determine allowable score for current round";
    const QString tipCurr = "Index used for next round";
    const QString tipHcp = "Handicap calculated from the Current Index for current Course and Tee Box";
    const QString tipAdj = "Score that is adjusted by the Allowable Score";
    const QString tipAllow = "Used to determine the strokes allowed per hole";
    lblHIndex = Label(round, "lblHIndex", "Previous Index", tipPrev);
    lblTHcpIndex = Label(round, "lblTHcpIndex", "Prev Tourn Index", tipPrev);
    lblCHcp = Label(round, "lblCHcp", "Handicap", tipHcp);
    lblAlscr = Label(round, "lblAlscr", "Allowable Score", tipAllow);
    lblAdjustScore = Label(round, "lblAdjustScore", "Adjusted Score", tipAdj);
    lblCurrentIndex = Label(round, "lblCurrentIndex", "Current Index", tipCurr);
    lblTHcpIndex->hide();
    QLabel* const captions[] = {lblHIndex, lblTHcpIndex, lblCHcp, lblAlscr, lblAdjustScore, lblCurrentIndex};
    for (int r = 0; r < 6; ++r) panel->addWidget(captions[r], r + 1, 0);
    lblHI[0] = lblTHI[0] = lblCourseHcp[0] = lblAllowScore[0] = lblAdjScore[0] = lblCurrIndex[0] =
        lblCurrTIndex[0] = lblF9B9[0] = nullptr;
    for (int k = 1; k <= 2; ++k) {
        const QString n = QString::number(k);
        lblF9B9[k] = Label(round, "lblF9B9_" + n, k == 1 ? "Front 9" : "Back 9");
        lblHI[k] = Label(round, "lblHI_" + n, {}, tipPrev);
        lblTHI[k] = Label(round, "lblTHI_" + n, {}, k == 2 ? tipPrev : QString());
        lblCourseHcp[k] = Label(round, "lblCourseHcp_" + n, {}, tipHcp);
        lblAllowScore[k] = Label(round, "lblAllowScore_" + n, {}, tipAllow);
        lblAdjScore[k] = Label(round, "lblAdjScore_" + n, {}, tipAdj);
        lblCurrIndex[k] = Label(round, "lblCurrIndex_" + n, {}, tipCurr);
        lblCurrTIndex[k] = Label(round, "lblCurrTIndex_" + n, {}, tipCurr);
        lblTHI[k]->hide();
        lblCurrTIndex[k]->hide();
        QLabel* column[] = {lblF9B9[k],       lblHI[k],       lblTHI[k],      lblCourseHcp[k],
                            lblAllowScore[k], lblAdjScore[k], lblCurrIndex[k]};
        for (int r = 0; r < 7; ++r) panel->addWidget(column[r], r, k);
    }
    rl->addLayout(panel, 3, 0, 1, 4);
    cmdPrintScoreCard = Button(round, "cmdPrintScoreCard", "Print Card", "Print Current Score Card");
    cmdPrintScoreCard->setEnabled(false);
    rl->addWidget(cmdPrintScoreCard, 3, 7, Qt::AlignBottom);
    rl->setRowStretch(4, 1);

    auto* cl = new QVBoxLayout(costs);
    auto* fraCosts = new QGroupBox("Costs", costs);
    auto* cg = new QGridLayout(fraCosts);
    txtGameCost = new QLineEdit(fraCosts);
    txtCartCost = new QLineEdit(fraCosts);
    txtOtherCost = new QLineEdit(fraCosts);
    txtGameCost->setObjectName("txtGameCost");
    txtCartCost->setObjectName("txtCartCost");
    txtOtherCost->setObjectName("txtOtherCost");
    cg->addWidget(new QLabel("Game", fraCosts), 0, 0);
    cg->addWidget(txtGameCost, 0, 1);
    cg->addWidget(new QLabel("Cart Rental", fraCosts), 1, 0);
    cg->addWidget(txtCartCost, 1, 1);
    cg->addWidget(new QLabel("Other", fraCosts), 2, 0);
    cg->addWidget(txtOtherCost, 2, 1);
    cl->addWidget(fraCosts);
    txtNotes = new QPlainTextEdit(costs);
    txtNotes->setObjectName("txtNotes");
    cl->addWidget(txtNotes);

    capHelp = Label(this, "capHelp");
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(playerRow);
    main->addWidget(SSTab1, 1);
    main->addWidget(capHelp);
    setMouseTracking(true);
    resize(980, 700);
}

void frmMainGolf::ConnectHandlers() {
    // A button pressed (also by its access key, which leaves the grid's editor open) first takes
    // the score being typed.
    for (QPushButton* b : findChildren<QPushButton*>())
        connect(b, &QPushButton::pressed, this, [this] { CommitTyping(); });
    connect(cmdNewGame, &QPushButton::clicked, this, [this] { cmdNewGame_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDeleteGame, &QPushButton::clicked, this, [this] { cmdDeleteGame_Click(); });
    connect(cmdGameList, &QPushButton::clicked, this, [this] { cmdGameList_Click(); });
    connect(cmdCourse, &QPushButton::clicked, this, [this] { cmdCourse_Click(); });
    connect(cmdStats, &QPushButton::clicked, this, [this] { cmdStats_Click(); });
    connect(cmdGraphs, &QPushButton::clicked, this, [this] { cmdGraphs_Click(); });
    connect(cmdHandicaps, &QPushButton::clicked, this, [this] { cmdHandicaps_Click(); });
    connect(cmdNewPlayer, &QPushButton::clicked, this, [this] { cmdNewPlayer_Click(); });
    connect(cmdDeletePlayer, &QPushButton::clicked, this, [this] { cmdDeletePlayer_Click(); });
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
    connect(txtRecNum, &QLineEdit::textChanged, this, [this] { txtRecNum_Change(); });
    connect(RecBar, &QScrollBar::valueChanged, this, [this] { RecBar_Change(); });

    connect(spISC, &Spread::LeaveCell, this, &frmMainGolf::spISC_LeaveCell);
    connect(spISC, &Spread::ButtonClicked, this, &frmMainGolf::spISC_ButtonClicked);
    connect(spISC, &Spread::Click, this, &frmMainGolf::spISC_Click);
    // Totals follow the typing, not only the leaving of a cell.
    connect(spISC, &Spread::Change, this, [this](int, int row) {
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
            bRecNumNew = 0;
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

// ------------------------------------------------------------------------------------ loading

void frmMainGolf::Form_Load() {
    SetDateFormat(*mskDate);
    Grid_Setup(*spISC);
    spISC->setFixedHeight(spISC->horizontalHeader()->sizeHint().height() + 8 * spISC->rowHeight(0) +
                          2 * spISC->frameWidth() + 2);
    {
        const QSignalBlocker block(cboCourse);
        if (gDB) Load_Course_Info(*cboCourse);
        cboCourse->setCurrentIndex(-1);
    }
    if (bFormReady == 0) Init_Player_List();
    shownDatabase_ = gDB ? gDB->Path() : QString();
    setWindowTitle(sAppTitle);
    SetHint("Select a Player's name from the list.");
    bFormReady = 1;
}

void frmMainGolf::StartAfresh() {
    const int ready = bFormReady;
    bFormReady = 0;  // as at loading: no player editor is opened
    {
        const QSignalBlocker block(cboCourse);
        cboCourse->clear();
        if (gDB) Load_Course_Info(*cboCourse);
        cboCourse->setCurrentIndex(-1);
    }
    Init_Player_List();
    round.changed = 0;
    bFormReady = ready;
}

void frmMainGolf::Init_Player_List() {
    bFirstLoad = 1;
    cmdNewPlayer_Click();
    bFirstLoad = 0;
    {
        const QSignalBlocker block(cboPlayer);
        if (gDB) Load_Players(*cboPlayer);
        cboPlayer->setCurrentIndex(-1);
    }
    nCurPlayerID = 0;
}

void frmMainGolf::Form_Activate() {
    try {
        cboPlayer->setFocus();
        if (opt189[1]->isChecked() && !bFlag18_9)
            opt189[2]->setChecked(true);
        else if (opt189[2]->isChecked() && bFlag18_9)
            opt189[1]->setChecked(true);
        if (optUSCan[1]->isChecked() && !bUSCAFlag)
            optUSCan[2]->setChecked(true);
        else if (optUSCan[2]->isChecked() && bUSCAFlag)
            optUSCan[1]->setChecked(true);

        const int code = nReturnCode;
        bool stop = false;
        // The settings screen may have opened another database: nothing shown belongs to it, so
        // the screen starts afresh rather than offer to save the round into the other file.
        const QString database = gDB ? gDB->Path() : QString();
        if (database != shownDatabase_) {
            shownDatabase_ = database;
            StartAfresh();
            nReturnCode = 0;
            SetMousePointer(Pointer::Default);
            return;
        }
        // The course editor and the settings screen are modeless: what was typed here while they
        // were open is not reloaded over without a question (Cancel keeps it on the screen). The
        // change check compares the course shown, not the one the editor hands back.
        bool keepShown = false;
        const int handedCourse = nCurCourseID;
        if (code == 1 || code == 3) {
            nCurCourseID = SelectedItemData(*cboCourse);
            keepShown = !AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false);
            nCurCourseID = keepShown ? SelectedItemData(*cboCourse) : handedCourse;
        }
        if (code == 1 || code == 3) {
            const int shownCourse = SelectedItemData(*cboCourse);
            {
                const QSignalBlocker block(cboCourse);
                cboCourse->clear();
                if (gDB) Load_Course_Info(*cboCourse);
                cboCourse->setCurrentIndex(-1);
            }
            if (keepShown) {
                const QSignalBlocker block(cboCourse);
                cboCourse->setCurrentIndex(cboCourse->findData(shownCourse));
            } else {
                const int i = cboCourse->findData(nCurCourseID);
                if (i >= 0) cboCourse->setCurrentIndex(i);
            }
        }
        if (code == 1) {
            if (cboPlayer->count() == 0)
                stop = true;
            else if (!keepShown && !cboPlayer->currentText().trimmed().isEmpty() &&
                     txtRecNum->text() != "New")
                RecBar_Scroll();
        }
        if (!stop && (code == 2 || code == 3)) {
            {
                const QSignalBlocker block(cboPlayer);
                if (gDB) Load_Players(*cboPlayer);
                cboPlayer->setCurrentIndex(-1);
            }
            if (cboPlayer->count() > 0) {
                const int i = cboPlayer->findData(nCurPlayerID);
                bNoSaveCheck = 1;
                bPlayerLoaded = 0;
                const bool keepPlayer = keepShown && nCurPlayerID == round.shownPlayerId;
                if (i >= 0) {
                    if (keepPlayer)
                        SelectPlayerQuietly(i);
                    else
                        cboPlayer->setCurrentIndex(i);
                }
                if (!keepPlayer && nCurPlayerID == round.shownPlayerId && bPlayerLoaded == 0 && i >= 0) {
                    cboPlayer_Click();
                    bPlayerLoaded = -1;
                }
                bNoSaveCheck = 0;
            }
        }
        // The code has been acted on; a later activation (after the calendar, say) must not reload.
        nReturnCode = 0;
    } catch (...) {
        bNoSaveCheck = 0;
        nReturnCode = 0;
        ReportCurrentError(kTag + "Form_Activate", Sql::Without);
    }
    SetMousePointer(Pointer::Default);
}

void frmMainGolf::opt189_Click(int index) {
    bFlag18_9 = index == 1;
    SetHint(index == 1 ? "Display 18 hole handicap values with the corresponding US/Canada flag."
                       : "Display 9 hole handicap values with the corresponding US/Canada flag.");
    DisplayHCP_Scores();
}

void frmMainGolf::optUSCan_Click(int index) {
    bUSCAFlag = index == 1;
    SetHint(index == 1 ? "Display US handicap values with the corresponding 9 or 18 hole option."
                       : "Display Canadian handicap values with the corresponding 9 or 18 hole option.");
    DisplayHCP_Scores();
}

void frmMainGolf::chkUseHandicap_Click() { DisplayHCP_Scores(); }

// ------------------------------------------------------------------------------------ other screens

bool frmMainGolf::AskToSave(const QString& secondLine, int style, bool viaSaveButton) {
    Save_Check();
    if (round.changed != 1) return true;
    const int answer = MsgBox(ChangedPrompt(round.changedField, secondLine), style);
    if (answer == vbCancel) return false;
    if (answer == vbNo) {
        round.changed = 0;
        return true;
    }
    bool saved;
    if (viaSaveButton) {
        saved = cmdSave_Click();
    } else {
        if (!RunSaveChecks(true)) return false;
        nSaveExisting = round.isNew == 1 ? 0 : 1;
        saved = Save_DBF();
    }
    if (!saved) return false;
    round.changed = 0;
    return true;
}

void frmMainGolf::closeEvent(QCloseEvent* event) {
    // The window's close box ends the program like Exit, with the same question.
    CommitTyping();
    if (!AskToSave("Save the changes before exiting?", vbYesNoCancel + vbQuestion, false)) {
        event->ignore();
        return;
    }
    event->accept();
}

void frmMainGolf::cmdExit_Click() {
    try {
        if (!AskToSave("Save the changes before exiting?", vbYesNoCancel + vbQuestion, false)) return;
        if (EndProgram) EndProgram();
    } catch (...) {
        ReportCurrentError(kTag + "cmdExit_Click", Sql::Without);
    }
}

void frmMainGolf::cmdCalendar_Click() {
    sCalDate =
        mskDate->Text().trimmed() == "__/__/____" || !mskDate->Text().contains(QRegularExpression("\\d"))
            ? TodayText()
            : mskDate->Text();
    frmCalendar calendar(this);
    ExecModal(calendar);
    if (ParseLocalDate(sCalDate)) mskDate->SetText(sCalDate);
}

void frmMainGolf::cmdCourse_Click() {
    if (!AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false)) return;
    nCurCourseID = SelectedItemData(*cboCourse);
    SetMousePointer(Pointer::Hourglass);
    if (ShowCourseEditor)
        ShowCourseEditor();  // modeless; its closing calls Form_Activate
    else
        SetMousePointer(Pointer::Default);
}

void frmMainGolf::cmdScoreCard_Click() {
    SetMousePointer(Pointer::Hourglass);
    if (ShowScoreCard) ShowScoreCard();
    Form_Activate();
}

void frmMainGolf::cmdSetup_Click() {
    if (!AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false)) return;
    auto* setup = new frmSystemSetup(this);
    setup->setWindowFlag(Qt::Window);
    setup->setAttribute(Qt::WA_DeleteOnClose);
    setup->setModal(false);
    connect(setup, &QDialog::finished, this, [this] { Form_Activate(); });
    setup->show();
}

void frmMainGolf::OpenForShownCourseAndPlayer(const std::function<void()>& show) {
    if (!AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false)) return;
    nCurCourseID = SelectedItemData(*cboCourse);
    nCurPlayerID = SelectedItemData(*cboPlayer);
    SetMousePointer(Pointer::Hourglass);
    if (show) show();
    Form_Activate();
}

void frmMainGolf::cmdGraphs_Click() { OpenForShownCourseAndPlayer(ShowGraphs); }

void frmMainGolf::cmdGameList_Click() { OpenForShownCourseAndPlayer(ShowGameList); }

void frmMainGolf::cmdHandicaps_Click() {
    try {
        if (!AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false)) return;
        if (cboCourse->currentIndex() >= 0) nCurCourseID = SelectedItemData(*cboCourse);
        SetMousePointer(Pointer::Hourglass);
        if (ShowHandicap) ShowHandicap();
        Form_Activate();
    } catch (...) {
        ReportCurrentError(kTag + "cmdHandicaps_Click", Sql::Without);
    }
}

void frmMainGolf::cmdStats_Click() {
    SetMousePointer(Pointer::Hourglass);
    if (!AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false)) {
        SetMousePointer(Pointer::Default);
        return;
    }
    if (ShowStats) ShowStats();
    Form_Activate();
}

void frmMainGolf::cmdHelp_Click() { ShellDoc(HelpDocumentPath()); }

// Deleting rounds and players, and printing the shown card, belong to screens still to come.
void frmMainGolf::cmdDeleteGame_Click() {}
void frmMainGolf::cmdDeletePlayer_Click() {}
void frmMainGolf::cmdPrintScoreCard_Click() {}

// ------------------------------------------------------------------------------------ scoring grid

void frmMainGolf::Grid_Setup(Spread& grid) {
    try {
        grid.SetMaxCols(21);
        grid.SetMaxRows(8);
        grid.SetColWidth(0, 880);
        for (int c = 1; c <= 21; ++c) {
            const bool total = c == kColOut || c == kColIn || c == kColTot;
            grid.SetColWidth(c, total ? 430 : 330);
            grid.SetCellText(c, 0,
                             c == kColOut   ? "Out"
                             : c == kColIn  ? "In"
                             : c == kColTot ? "Tot"
                                            : QString::number(c < 10 ? c : c - 1));
        }
        auto block = [&](int row, auto&& apply) {
            for (auto [c1, c2] : {std::pair{1, 9}, std::pair{11, 19}}) {
                grid.SetBlockMode(true);
                grid.SetCol(c1);
                grid.SetCol2(c2);
                grid.SetRow(row);
                grid.SetRow2(row);
                apply();
                grid.SetBlockMode(false);
            }
        };
        for (int row : {kRowGross, kRowPutts})
            block(row, [&] {
                grid.SetCellType(SpreadCellType::Integer);
                grid.SetTypeNumberMin(1);
                grid.SetTypeNumberMax(99);
                grid.SetTypeHAlign(SpreadHAlign::Center);
            });
        for (int row : {kRowGir, kRowSand, kRowFHit})
            block(row, [&] {
                grid.SetCellType(SpreadCellType::CheckBox);
                grid.SetTypeCheckCenter(true);
                grid.SetTypeHAlign(SpreadHAlign::Center);
            });
        const unsigned int back[] = {0x00FF00, 0x00FFFF, 0xFF0000};
        for (int row : {kRowYards, kRowHcp, kRowPar})
            block(row, [&] {
                grid.SetCellType(SpreadCellType::Integer);
                grid.SetTypeHAlign(SpreadHAlign::Center);
                grid.SetLock(true);
                grid.SetBackColor(Spread::VbColor(back[row - 1]));
                if (row == kRowPar) grid.SetForeColor(Spread::VbColor(0xFFFFFF));
            });
        for (int c : {kColOut, kColIn, kColTot}) {
            grid.SetBlockMode(true);
            grid.SetCol(c);
            grid.SetCol2(c);
            grid.SetRow(1);
            grid.SetRow2(8);
            grid.SetCellType(SpreadCellType::Edit);
            grid.SetTypeHAlign(SpreadHAlign::Center);
            grid.SetBackColor(Spread::VbColor(c == kColTot ? 0x00FF00 : 0xFFFF00));
            grid.SetLock(true);  // filled by the totals only; the cursor never rests here
            grid.SetBlockMode(false);
        }
        const char* labels[] = {"Yards", "HCP", "Par", "Gross", "Putts", "GI Reg", "Sand Save", "F Hit"};
        for (int r = 1; r <= 8; ++r) grid.SetCellText(0, r, labels[r - 1]);
    } catch (...) {
        ReportCurrentError("Scoring, Grid_Setup", Sql::Without);
    }
}

void frmMainGolf::Calc_Row_Scores(int nRow) {
    try {
        if (nRow <= 0) return;
        std::array<int, 18> values{};
        for (int h = 1; h <= 18; ++h) {
            const int v = nRow > 5 ? spISC->CellValue(HoleColumn(h), nRow)
                                   : static_cast<int>(Val(spISC->CellText(HoleColumn(h), nRow)));
            values[h - 1] = nRow > 5 && v == -1 ? 1 : v;
        }
        const RowTotals t = SumRow(values);
        spISC->SetCellText(kColOut, nRow, TotalText(t.front));
        spISC->SetCellText(kColIn, nRow, TotalText(t.back));
        spISC->SetCellText(kColTot, nRow, TotalText(t.total()));
        if (nRow != kRowGross) return;
        std::array<int, 18> pars{};
        for (int h = 1; h <= 18; ++h)
            pars[h - 1] = static_cast<int>(Val(spISC->CellText(HoleColumn(h), kRowPar)));
        round.UpdateAdjusted(values, pars);
        DisplayHCP_Scores();
    } catch (...) {
        ReportCurrentError("Main Dado, Calc_Row_Scores", Sql::Without);
    }
}

void frmMainGolf::SetGrossColour(int hole) {
    const int c = HoleColumn(hole);
    const int g = static_cast<int>(Val(spISC->CellText(c, kRowGross)));
    const int p = static_cast<int>(Val(spISC->CellText(c, kRowPar)));
    spISC->SetCol(c);
    spISC->SetRow(kRowGross);
    spISC->SetForeColor(Spread::VbColor(GrossColour(g, p)));
}

void frmMainGolf::spISC_LeaveCell(int col, int row, int newCol, int newRow, bool& cancel) {
    try {
        if (row > 3) Calc_Row_Scores(row);
        if (row == kRowGross && col >= 1 && col != kColOut && col < kColIn)
            SetGrossColour(col <= 9 ? col : col - 1);
        if (newCol == kColOut) {
            spISC->SetActiveCell(col == 11 ? 9 : 11, row);
        } else if (newCol > 19) {
            if (row < 8)
                spISC->SetActiveCell(1, row + 1);
            else
                spISC->SetActiveCell(19, row);
        }
        if (newCol >= 1 && !spISC->CellText(col, row).isEmpty()) {
            spISC->SetEditSelStart(0);
            spISC->SetEditSelLength(1);
        }
    } catch (...) {
        ReportCurrentError(kTag + "spISC_LeaveCell", Sql::Without);
    }
}

void frmMainGolf::CommitTyping() {
    if (!spISC->IsEditing()) return;
    const int col = spISC->ActiveCol(), row = spISC->ActiveRow();
    spISC->CommitEdit();
    bool cancel = false;
    spISC_LeaveCell(col, row, -1, -1, cancel);  // totals, caps and colours as on leaving the cell
}

void frmMainGolf::spISC_ButtonClicked(int col, int row, bool) {
    if (bSettingChecks != 0) return;
    if (row == kRowGir)
        SetHint(
            "Green in Reg - Check if any part of the ball touches the putting surface and the strokes taken "
            "is "
            "2 or less than par.");
    else if (row == kRowSand)
        SetHint(
            "Sand Save-when a player gets 'up and down' from a greenside bunker. (up and down = score par or "
            "better for the hole)");
    else if (row == kRowFHit)
        SetHint(
            "Fairways hit or Driving Accuracy is the % of time a player hits the fairway with his tee shot.  "
            "Par "
            "3 holes excluded.");
    if (row == kRowFHit && spISC->CellText(col, kRowPar) == "3") {
        bSettingChecks = -1;
        spISC->SetCellValue(col, kRowFHit, 0);
        bSettingChecks = 0;
    }
    Calc_Row_Scores(row);
}

void frmMainGolf::spISC_Click(int, int row) {
    if (row == kRowGross)
        SetHint("Enter gross score for hole.  See USGA guidlelines for holes picked up or not played.");
    else if (row == kRowPutts)
        SetHint("Enter the number putts taken per hole while ball is on putting surface.");
}

// ------------------------------------------------------------------------------------ course and tee box

void frmMainGolf::UpdateCourseHcps() { round.UpdateCourseHcps(round.teeSlope); }

void frmMainGolf::cboTeeBox_Click() {
    try {
        if (cboCourse->currentIndex() < 0 || cboTeeBox->currentIndex() < 0) return;
        const int t = cboTeeBox->currentIndex();
        const std::optional<TeeBoxFigures> q =
            ReadTeeBox(SelectedItemData(*cboCourse), optMF[0]->isChecked(), t);
        if (q) {
            nCurTeeBox = t;
            round.teeSlope = q->slope;
            round.teeRating = q->rating;
        }
        const QString pars = q ? q->pars : QString();
        QString warning;
        if (round.teeSlope == 0)
            warning =
                "No Slope was provide for this Tee Box.  Handicap and Indexes will not be calculated "
                "correctly.";
        if (round.teeRating == 0)
            warning +=
                "\r\nNo Course Rating was provide for this Tee Box.  Handicap and Indexes will not be "
                "calculated correctly.";
        if (Val(pars) == 0)
            warning +=
                "\r\nNo Pars were provided for this Tee Box.  Adjusted scores might not be calculated "
                "correctly.";
        if (!warning.isEmpty()) {
            warning +=
                "\r\nPlease go to the Course Setup screen and add the appropriate values for this Tee Box.";
            MsgBox(warning, vbExclamation);
        }
        UpdateCourseHcps();
        if (q) {
            for (int j = 1; j <= 18; ++j) {
                const int c = HoleColumn(j);
                spISC->SetCellText(c, kRowYards, q->yards[j - 1]);
                spISC->SetCellText(c, kRowHcp, q->hcp[j - 1]);
                spISC->SetCellText(c, kRowPar, QString::number(q->Par(j)));
                SetGrossColour(j);
            }
        }
        Calc_Row_Scores(kRowYards);
        Calc_Row_Scores(kRowPar);
        // The allowable scores changed: the capped scores follow.
        Calc_Row_Scores(kRowGross);
        DisplayHCP_Scores();
    } catch (...) {
        ReportCurrentError(kTag + "cboTeeBox_Click", Sql::With);
    }
}

void frmMainGolf::cboCourse_Click() {
    try {
        if (cboCourse->currentIndex() < 0) return;
        nCurCourseID = SelectedItemData(*cboCourse);
        {
            const QSignalBlocker block(cboTeeBox);
            if (gDB) Load_TeeBox(*cboTeeBox);
            cboTeeBox->setCurrentIndex(-1);
        }
        if (!cboCourse->currentText().trimmed().isEmpty()) {
            if (chkUseHandicap->isChecked()) chkUseHandicap_Click();
            const std::optional<TeeBoxFigures> q =
                ReadTeeBox(nCurCourseID, optMF[0]->isChecked(), qMax(0, nCurTeeBox));
            // The course handicap of the view's previous index, from that column's own figures.
            const int c = bUSCAFlag ? (bFlag18_9 ? 1 : 2) : (bFlag18_9 ? 4 : 5);
            if (round.teeSlope <= 0) {
                lblCourseHcp[1]->setText(QString());
            } else if (round.figures[c - 1].prevTIndex != kNoTournIndex) {
                lblTHI[1]->show();
                lblTHcpIndex->show();
                lblCourseHcp[1]->setText(CourseHcpText(round.figures[c - 1].prevTIndex, round.teeSlope) +
                                         " T");
            } else {
                lblTHI[1]->hide();
                lblTHcpIndex->hide();
                lblCourseHcp[1]->setText(CourseHcpText(round.figures[c - 1].prevIndex, round.teeSlope));
            }
            if (nCurTeeBox >= 0 && nCurTeeBox < cboTeeBox->count()) cboTeeBox->setCurrentIndex(nCurTeeBox);
            if (q) {
                for (int j = 1; j <= 18; ++j) {
                    const int col = HoleColumn(j);
                    spISC->SetCellText(col, kRowYards, q->yards[j - 1]);
                    spISC->SetCellText(col, kRowHcp, q->hcp[j - 1]);
                    spISC->SetCellText(col, kRowPar, QString::number(q->Par(j)));
                    if (bLoadingCourse == 0) SetGrossColour(j);
                }
            }
        }
        Calc_Row_Scores(kRowYards);
        Calc_Row_Scores(kRowPar);
    } catch (...) {
        ReportCurrentError(kTag + "cboCourse_Click", Sql::With);
    }
}

void frmMainGolf::optMF_Click(int) {
    try {
        if (Val(txtRecNum->text()) >= 5) return;
        sngHcpIndex = optMF[0]->isChecked() ? 36.4f : 40.4f;
        lblHI[1]->setText(IndexDisplayText(sngHcpIndex));
        if (round.teeSlope <= 0) {
            lblCourseHcp[1]->setText(QString());
            return;
        }
        if (sngTHcpIndex != kNoTournIndexF) {
            lblTHI[1]->show();
            lblTHcpIndex->show();
            lblCourseHcp[1]->setText(CourseHcpText(sngTHcpIndex, round.teeSlope) + " T");
        } else {
            lblTHI[1]->hide();
            lblTHcpIndex->hide();
            lblCourseHcp[1]->setText(CourseHcpText(sngHcpIndex, round.teeSlope));
        }
    } catch (...) {
        ReportCurrentError(kTag + "optMF_Click", Sql::Without);
    }
}

// ------------------------------------------------------------------------------------ handicap grid

void frmMainGolf::FillLabels(int k, int c) {
    const VariantFigures& f = round.figures[c - 1];
    lblHI[k]->setText(IndexDisplayText(f.prevIndex));
    lblHI[k]->show();
    lblCourseHcp[k]->show();
    if (f.prevTIndex != kNoTournIndex) {
        lblTHcpIndex->show();
        lblTHI[k]->show();
        lblTHI[k]->setText(TournIndexDisplayText(f.prevTIndex));
    } else {
        lblTHcpIndex->hide();
        lblTHI[k]->hide();
    }
    lblCurrIndex[k]->setText(IndexDisplayText(f.currIndex));
    lblCurrIndex[k]->show();
    if (f.currTIndex != kNoTournIndex) lblCurrTIndex[k]->setText(TournIndexDisplayText(f.currTIndex));
    lblAllowScore[k]->setText(f.allowScore);
    lblAllowScore[k]->show();
    lblAdjScore[k]->setText(f.adjusted ? QString::number(*f.adjusted) : QString());
    lblAdjScore[k]->show();
}

void frmMainGolf::DisplayHCP_Scores() {
    try {
        for (QLabel* l : {lblTHI[1], lblTHI[2], lblCurrTIndex[1], lblCurrTIndex[2]}) l->setText("-100");
        const bool is18 = opt189[1]->isChecked(), us = optUSCan[1]->isChecked();
        if (is18) {
            FillLabels(1, us ? 1 : 4);
            for (QLabel* l : {lblF9B9[1], lblF9B9[2], lblHI[2], lblTHI[2], lblCurrIndex[2], lblAllowScore[2],
                              lblAdjScore[2], lblCourseHcp[2]})
                l->hide();
        } else {
            const int front = us ? 2 : 5;
            for (int k = 1; k <= 2; ++k) {
                const int c = front + k - 1;
                if (round.figures[c - 1].adjusted.value_or(0) > 0) {
                    FillLabels(k, c);
                    lblF9B9[k]->show();
                } else {
                    for (QLabel* l : {lblHI[k], lblTHI[k], lblCurrIndex[k], lblAllowScore[k], lblAdjScore[k],
                                      lblF9B9[k], lblCourseHcp[k]})
                        l->hide();
                }
            }
            lblTHcpIndex->setVisible(!lblTHI[1]->isHidden() || !lblTHI[2]->isHidden());
        }
        if (txtRecNum->text() == "New") {
            for (QLabel* l : {lblCurrIndex[1], lblCurrIndex[2], lblCourseHcp[1], lblCourseHcp[2]}) l->hide();
            return;
        }
        // The course handicap of each shown column's own index.
        const int first = is18 ? (us ? 1 : 4) : (us ? 2 : 5);
        for (int k = 1; k <= (is18 ? 1 : 2); ++k)
            lblCourseHcp[k]->setText(
                round.teeSlope <= 0 ? QString() : round.CurrentCourseHcpText(first + k - 1, round.teeSlope));
    } catch (...) {
        ReportCurrentError(kTag + "DisplayHCP_Scores", Sql::Without);
    }
}

void frmMainGolf::FillGame1Grid() {
    try {
        round.SetStartValues(optMF[0]->isChecked());
    } catch (...) {
        ReportCurrentError(kTag + "FillGame1Grid", Sql::Without);
    }
}

// ------------------------------------------------------------------------------------ player and paging

void frmMainGolf::SetRecNumText(const QString& text, int& guard) {
    const int was = guard;
    guard = 1;
    txtRecNum->setText(text);
    guard = was;
}

void frmMainGolf::SelectPlayerQuietly(int index) {
    const QSignalBlocker block(cboPlayer);
    cboPlayer->setCurrentIndex(index);
}

void frmMainGolf::cboPlayer_Click() {
    try {
        if (!cboPlayer->currentText().trimmed().isEmpty() && cboPlayer->count() > 0) {
            if (bNoSaveCheck == 0) {
                Save_Check();
                if (round.changed == 1) {
                    // The round on the screen belongs to the player shown before: save it as his.
                    // A round typed before any player was shown is saved for the one chosen.
                    const int chosen = cboPlayer->currentIndex();
                    const int before = cboPlayer->findData(round.shownPlayerId);
                    const int answer =
                        MsgBox(ChangedPrompt(round.changedField, "Save the changes?"), vbYesNo + vbQuestion);
                    if (answer == vbYes) {
                        const int curBefore = nCurPlayerID;
                        if (before >= 0) SelectPlayerQuietly(before);
                        nCurPlayerID = SelectedItemData(*cboPlayer);
                        if (!cmdSave_Click()) {
                            // Stay on the round; the choice goes back to the player it belongs to.
                            SelectPlayerQuietly(before);
                            nCurPlayerID = curBefore;
                            return;
                        }
                        SelectPlayerQuietly(chosen);
                    }
                    round.changed = 0;
                }
            }
            SetMousePointer(Pointer::Hourglass);
            if (cboPlayer->currentIndex() < 0) return;
            nCurPlayerID = SelectedItemData(*cboPlayer);
            bool bGenderChanged = false;
            if (const std::optional<QString> gender = PlayerGender(nCurPlayerID)) {
                sCurGender = *gender;
                if (sCurGender == "M") {
                    bGenderChanged = optMF[1]->isChecked();
                    optMF[0]->setChecked(true);
                } else {
                    bGenderChanged = optMF[0]->isChecked();
                    optMF[1]->setChecked(true);
                }
            }
            if (nCurPlayerID != round.shownPlayerId) Clear_Screen();
            round.shownPlayerId = nCurPlayerID;
            const int count = RoundCount(nCurPlayerID);
            {
                const QSignalBlocker block(RecBar);
                RecBar->setMaximum(qMax(1, count));
            }
            bool hasRound;
            if (nReturnCode == 2 && nGameNumber >= 1) {
                hasRound = HasRound(nCurPlayerID, nGameNumber);
                nReturnCode = 0;
            } else {
                nGameNumber = 0;
                hasRound = HasRound(nCurPlayerID, 0);
            }
            if (!hasRound) {
                round.isNew = 1;
                SetRecNumText("New", bRecNumByCode);
                {
                    const QSignalBlocker block(RecBar);
                    RecBar->setMaximum(1);
                }
                FillGame1Grid();
                if (bGenderChanged) cboCourse_Click();
                round.shownGame = -1;
                DisplayHCP_Scores();
                round.changed = 0;
                SetMousePointer(Pointer::Default);
                return;
            }
            loadingByCode_ = true;
            if (nGameNumber != 0) {
                txtRecNum->setText(QString::number(nGameNumber));
            } else {
                txtRecNum->setText(QString::number(RecBar->maximum()));
                if (bGenderChanged) cboCourse_Click();
            }
            loadingByCode_ = false;
            // The round shown, its game number and key were set by the load itself (RecBar_Scroll).
            bPlayerLoaded = -1;
        }
        round.changed = 0;
        SetMousePointer(Pointer::Default);
    } catch (...) {
        SetMousePointer(Pointer::Default);
        ReportCurrentError(kTag + "cboPlayer_Click", Sql::With);
    }
}

void frmMainGolf::txtRecNum_Change() {
    try {
        if (bRecNumByCode != 0 || bRecNumClamp == 1 || bRecNumNew == 1) return;
        const QString text = txtRecNum->text();
        if (RecBar->maximum() == 1 && text == "New") {
            MsgBox("There are no games entered for this player.", vbInformation);
            SetRecNumText("New", bRecNumNew);
            round.shownGame = -1;
            return;
        }
        if (round.isNew == 1 && !loadingByCode_) {
            Save_Check();
            if (round.changed == 1) {
                const int answer =
                    MsgBox(ChangedPrompt(round.changedField, "Save the changes?"), vbYesNo + vbQuestion);
                if (answer == vbYes) {
                    // Saving shows the saved round; then the game asked for.
                    SetRecNumText("New", bRecNumNew);
                    if (!cmdSave_Click()) return;  // stay on the new round, "New" restored
                    round.changed = 0;
                    txtRecNum->setText(text);
                    return;
                }
                round.changed = 0;
            }
        } else if (!LeaveEditedStoredRound()) {
            ShowPagingAt(round.shownGame);
            return;
        }
        const double n = Val(text.trimmed());
        const int max = RecBar->maximum();
        if (n > 0 && n < max + 1) {
            bNoScroll = 1;
            {
                const QSignalBlocker block(RecBar);
                RecBar->setValue(static_cast<int>(RoundHalfAway(n)));
            }
            RecBar_Scroll();
            bNoScroll = 0;
            round.isNew = 0;
        } else {
            const int target = n < 1 ? 1 : max;
            bNoScroll = 1;
            SetRecNumText(QString::number(target), bRecNumClamp);
            round.shownGame = target;
            {
                const QSignalBlocker block(RecBar);
                RecBar->setValue(target);
            }
            RecBar_Scroll();
            bNoScroll = 0;
            bRecNumClamp = 0;
            round.isNew = 0;
        }
    } catch (...) {
        ReportCurrentError(kTag + "txtRecNum_Change", Sql::Without);
    }
}

void frmMainGolf::RecBar_Change() {
    if (bNoScroll != 0) return;
    CommitTyping();  // the bar takes no focus: a score being typed is still in the grid's editor
    if (Val(txtRecNum->text()) != 0 && !LeaveEditedStoredRound()) {
        ShowPagingAt(round.shownGame);
        return;
    }
    RecBar_Scroll();
}

bool frmMainGolf::LeaveEditedStoredRound() {
    if (loadingByCode_ || round.shownGame <= 0) return true;
    Save_Check();
    if (round.changed != 1) return true;
    const int answer = MsgBox(ChangedPrompt(round.changedField, "Save changes?"), vbYesNoCancel + vbQuestion);
    if (answer == vbNo) {
        round.changed = 0;
        return true;
    }
    if (answer == vbYes && RunSaveChecks(true)) {
        nSaveExisting = 1;
        if (Save_DBF()) round.changed = 0;
    }
    return false;
}

void frmMainGolf::ShowPagingAt(int game) {
    if (game <= 0) return;
    {
        const QSignalBlocker block(RecBar);
        RecBar->setValue(game);
    }
    nRecBarShown_ = game;
    SetRecNumText(" " + QString::number(game), bRecNumByCode);
}

void frmMainGolf::RecBar_Scroll() {
    int line = 0;
    try {
        if (Val(txtRecNum->text()) == 0) {
            Save_Check();
            if (round.changed == 1) {
                const int answer =
                    MsgBox(ChangedPrompt(round.changedField, "Save changes?"), vbYesNoCancel + vbQuestion);
                if (answer == vbYes || answer == vbCancel) {
                    bool saved = false;
                    if (answer == vbYes && RunSaveChecks(true)) {
                        nSaveExisting = 0;
                        saved = Save_DBF();
                    }
                    if (!saved) {
                        // Stay on the new round: the bar goes back to where it was.
                        const QSignalBlocker block(RecBar);
                        RecBar->setValue(nRecBarShown_);
                    }
                    return;
                }
            }
        }
        const int value = RecBar->value();
        SetRecNumText(" " + QString::number(value), bRecNumByCode);
        bRecNumClamp = 0;
        nGameNumber = value;
        line = 1;
        const int maxGN = MaxGameNumber(nCurPlayerID);
        if (nGameNumber > maxGN) nGameNumber = maxGN;
        if (nGameNumber <= 0) return;
        line = 2;
        if (const std::optional<QString> gender = PlayerGender(nCurPlayerID))
            optMF[*gender == "M" ? 0 : 1]->setChecked(true);
        line = 3;
        const std::optional<PagedRound> paged = LoadPagedRound(nCurPlayerID, nGameNumber);
        if (!paged) return;
        line = 4;
        spISC->SetReDraw(false);
        const RoundRec& S = paged->round;
        const bool gameNull = paged->gameCostNull, cartNull = paged->cartCostNull,
                   otherNull = paged->otherCostNull;
        if (nGameNumber < 3 || !paged->previous) {
            FillGame1Grid();
        } else {
            round.SetPrevious(PreviousIndexes(*paged->previous, &S), false);
            round.SetCurrent(S);
        }
        line = 5;
        round.shownGame = value;
        nRecBarShown_ = value;
        round.isNew = 0;
        mskDate->SetText(FormatLocalDate(S.ROUND_DATE));
        lblGameNumber->setText(QString::number(S.GAME_NUMBER));
        lblRandomID->setText(QString::number(S.RND_GAME_ID));
        chkUseHandicap->setChecked(S.USE_HCP);
        chkUseTourn->setChecked(S.USE_TOURN);
        auto money = [](bool isNull, double v) { return isNull ? QString() : QString::number(v, 'f', 2); };
        txtGameCost->setText(money(gameNull, S.GAME_COST));
        txtCartCost->setText(money(cartNull, S.CART_COST));
        txtOtherCost->setText(money(otherNull, S.OTHER_COST));
        txtNotes->setPlainText(S.NOTES.trimmed());
        nCurTeeBox = S.TEE_BOX_ID;
        nCurCourseID = S.COURSE_ID;
        line = 6;
        // The round's own gross scores go in before the course, so the tee box caps and colours them.
        for (int j = 1; j <= 18; ++j)
            spISC->SetCellText(HoleColumn(j), kRowGross,
                               S.GS[j - 1] > 0 ? QString::number(S.GS[j - 1]) : QString());
        if (cboCourse->count() > 0) {
            const int i = cboCourse->findData(S.COURSE_ID);
            bLoadingCourse = 1;
            if (i != cboCourse->currentIndex()) cboCourse->setCurrentIndex(i);
            bLoadingCourse = 0;
        }
        if (cboTeeBox->count() > nCurTeeBox) {
            if (cboTeeBox->currentIndex() == nCurTeeBox)
                cboTeeBox_Click();
            else
                cboTeeBox->setCurrentIndex(nCurTeeBox);
        }
        line = 7;
        for (int j = 1; j <= 18; ++j) {
            const int c = HoleColumn(j);
            const QString par = spISC->CellText(c, kRowPar);
            spISC->SetCellText(c, kRowPar, par.isEmpty() ? QString() : QString::number(int(Val(par))));
            SetGrossColour(j);
            const int putts = PuttsOfHole(S.PUTTS, j);
            spISC->SetCellText(c, kRowPutts, putts > 0 ? QString::number(putts) : QString());
            bSettingChecks = -1;
            spISC->SetCellValue(c, kRowGir, FlagOfHole(S.GREENS_IN_REG, j) ? 1 : 0);
            spISC->SetCellValue(c, kRowSand, FlagOfHole(S.SAND_SAVES, j) ? 1 : 0);
            spISC->SetCellValue(c, kRowFHit, FlagOfHole(S.FAIRWAYS_HIT, j) ? 1 : 0);
            bSettingChecks = 0;
        }
        for (int r = kRowPar; r <= kRowFHit; ++r) Calc_Row_Scores(r);
        spISC->SetReDraw(true);
        round.teeRating = static_cast<float>(S.COURSE_RATING);
        round.teeSlope = S.SLOPE_RATING;
        DisplayHCP_Scores();
    } catch (...) {
        spISC->SetReDraw(true);
        bSettingChecks = 0;
        bLoadingCourse = 0;
        ReportCurrentError(kTag + "RecBar_Scroll", Sql::With, line, "Line #: ");
    }
}

// ------------------------------------------------------------------------------------ new round, new player

void frmMainGolf::Clear_Screen() {
    try {
        mskDate->SetText(TodayText());
        chkUseHandicap->setChecked(true);
        spISC->SetReDraw(false);
        bSettingChecks = -1;
        const bool noCourse = cboCourse->currentIndex() == -1 && cboTeeBox->currentIndex() == -1;
        for (int h = 1; h <= 18; ++h) {
            const int c = HoleColumn(h);
            if (noCourse)
                for (int r : {kRowYards, kRowHcp, kRowPar}) spISC->SetCellText(c, r, QString());
            spISC->SetCellText(c, kRowGross, QString());
            spISC->SetCellText(c, kRowPutts, QString());
            for (int r : {kRowGir, kRowSand, kRowFHit}) spISC->SetCellValue(c, r, 0);
        }
        if (noCourse)
            for (int r : {kRowYards, kRowHcp, kRowPar}) Calc_Row_Scores(r);
        for (int r = kRowGross; r <= kRowFHit; ++r) Calc_Row_Scores(r);
        spISC->SetReDraw(true);
        bSettingChecks = 0;
        for (QLabel* l :
             {lblHI[1], lblTHI[1], lblAllowScore[1], lblAdjScore[1], lblCurrIndex[1], lblCourseHcp[1]})
            l->setText(QString());
        txtGameCost->clear();
        txtCartCost->clear();
        txtOtherCost->clear();
        txtNotes->clear();
    } catch (...) {
        spISC->SetReDraw(true);
        bSettingChecks = 0;
        ReportCurrentError(kTag + "Clear_Screen", Sql::Without);
    }
}

// The previous indexes of a new round: those after the player's newest stored round (the nine
// columns by the same rules as paging), or the starting values while it would be game 1 or 2.
void frmMainGolf::SetPrevIndexesForNewRound() {
    const std::optional<RoundRec> newest = NewestRound(nCurPlayerID);
    FillGame1Grid();
    if (!newest || newest->GAME_NUMBER + 1 < 3) return;
    round.SetPrevious(PreviousIndexes(*newest, nullptr), true);
}

void frmMainGolf::cmdNewGame_Click() {
    try {
        if (cboPlayer->currentText().trimmed().isEmpty()) {
            if (bSounds) SoundCounter();
            MsgBox("Select Player before entering a new game.", vbInformation);
            return;
        }
        if (txtRecNum->text().trimmed() == "New") return;
        // Clearing would drop the edits of the shown round: ask, as the other buttons do.
        if (!AskToSave("Save changes?", vbYesNoCancel + vbQuestion, false)) return;
        Clear_Screen();
        SetRecNumText("New", bRecNumNew);
        round.isNew = 1;
        round.shownGame = -1;
        lblHIndex->show();
        lblHI[1]->show();
        for (QLabel* l : {lblTHI[1], lblTHI[2], lblTHcpIndex}) l->hide();
        lblAdjScore[1]->clear();
        lblAdjScore[2]->clear();
        SetPrevIndexesForNewRound();
        if (chkKeepSame->isChecked() && bKeepSame) {
            if (auto d = ParseAnyDate(sKeepDate)) mskDate->SetText(FormatLocalDate(*d));
            if (cboCourse->count() > 0) {
                const int i = cboCourse->findData(nKeepCourseID);
                bLoadingCourse = 1;
                if (i != cboCourse->currentIndex()) cboCourse->setCurrentIndex(i);
                bLoadingCourse = 0;
            }
            if (cboTeeBox->count() > 0 && nKeepTeeBox < cboTeeBox->count()) {
                if (cboTeeBox->currentIndex() != nKeepTeeBox) cboTeeBox->setCurrentIndex(nKeepTeeBox);
            }
            spISC->SetActiveCell(1, kRowGross);
        } else {
            mskDate->setFocus();
        }
        if (cboCourse->currentIndex() != -1) {
            const int t = cboTeeBox->currentIndex();
            if (const auto q = ReadTeeBox(SelectedItemData(*cboCourse), optMF[0]->isChecked(), qMax(0, t))) {
                if (t >= 0) {
                    nCurTeeBox = t;
                    round.teeSlope = q->slope;
                    round.teeRating = q->rating;
                } else {
                    // No tee box yet: a round that counts like any round without a rating.
                    round.teeSlope = 113;
                    round.teeRating = 0;
                }
            }
        }
        // The allowable scores follow the new previous indexes.
        if (cboTeeBox->currentIndex() >= 0) {
            UpdateCourseHcps();
            Calc_Row_Scores(kRowGross);
        }
        DisplayHCP_Scores();
        spISC->SetActiveCell(1, kRowGross);
    } catch (...) {
        ReportCurrentError(kTag + "cmdNewGame_Click", Sql::With);
    }
}

void frmMainGolf::cmdNewPlayer_Click() {
    try {
        if (bFirstLoad == 0 && !AskToSave("Save changes?", vbYesNoCancel + vbQuestion, false)) return;
        Clear_Screen();
        SetRecNumText("New", bRecNumNew);
        bNoScroll = 1;
        {
            const QSignalBlocker block(RecBar);
            RecBar->setRange(1, 1);
        }
        nCurPlayerID = 0;
        round.shownGame = -1;
        lblAdjScore[1]->clear();
        lblAdjScore[2]->clear();
        {
            const QSignalBlocker block(chkUseHandicap);
            chkUseHandicap->setChecked(true);
        }
        const bool male = optMF[0]->isChecked();
        sngHcpIndex = DefaultIndex(male ? 0 : 1, !opt189[1]->isChecked());
        lblHI[1]->setText(IndexDisplayText(sngHcpIndex));
        sngTHcpIndex = kNoTournIndexF;
        for (QLabel* l : {lblTHI[1], lblTHI[2], lblTHcpIndex, lblCourseHcp[1]}) l->hide();
        round.isNew = 1;
        if (bFormReady == 1 && ShowPlayerEditor) {
            ShowPlayerEditor();
            Form_Activate();
        }
    } catch (...) {
        ReportCurrentError(kTag + "cmdNewPlayer_Click", Sql::Without);
    }
}

// ------------------------------------------------------------------------------------ change check

ScreenRound frmMainGolf::CurrentScreenRound() const {
    ScreenRound s;
    s.dateText = mskDate->Text();
    s.courseId = nCurCourseID;
    s.teeBox = nCurTeeBox;
    s.useHcp = chkUseHandicap->isChecked() ? 1 : 0;
    s.useTourn = chkUseTourn->isChecked() ? 1 : 0;
    for (int c = 1; c <= 6; ++c) s.adjusted[c - 1] = round.figures[c - 1].adjusted.value_or(0);
    s.gameCost = txtGameCost->text();
    s.cartCost = txtCartCost->text();
    s.otherCost = txtOtherCost->text();
    s.notes = txtNotes->toPlainText();
    for (int h = 1; h <= 18; ++h) {
        const int c = HoleColumn(h);
        s.gross[h - 1] = spISC->CellText(c, kRowGross);
        s.putts[h - 1] = spISC->CellText(c, kRowPutts);
        s.gir[h - 1] = spISC->CellValue(c, kRowGir);
        s.sand[h - 1] = spISC->CellValue(c, kRowSand);
        s.fhit[h - 1] = spISC->CellValue(c, kRowFHit);
    }
    return s;
}

void frmMainGolf::Save_Check() {
    try {
        round.changed = 0;
        round.hcpChanged = 0;
        ChangeResult r;
        if (round.shownGame == -1) {
            r = CompareNewRound(CurrentScreenRound(), TodayText());
        } else {
            const std::optional<RoundRec> stored = LoadRound(nCurPlayerID, round.shownGame);
            if (!stored) return;
            r = CompareStoredRound(CurrentScreenRound(), *stored, FormatLocalDate(stored->ROUND_DATE));
        }
        round.changed = r.changed ? 1 : 0;
        round.hcpChanged = r.hcpChanged ? 1 : 0;
        if (r.changed) round.changedField = r.field.leftJustified(21, ' ');
    } catch (...) {
        ReportCurrentError(kTag + "Save_Check", Sql::With);
    }
}

// ------------------------------------------------------------------------------------ saving

void frmMainGolf::FailCheck(const QString& message, QWidget* focus) {
    if (bSounds) SoundCounter();
    MsgBox(message, vbInformation);
    if (focus) focus->setFocus();
}

bool frmMainGolf::RunSaveChecks(bool fromPrompt) {
    if (fromPrompt && cboPlayer->currentText().trimmed().isEmpty()) {
        FailCheck(kNoPlayer, cboPlayer);
        return false;
    }
    SaveInput in;
    in.player = cboPlayer->currentText();
    in.courseChosen = cboCourse->currentIndex() != -1;
    in.dateText = mskDate->Text();
    in.dateFormat = sDateFormat;
    in.grossTotal = static_cast<int>(Val(spISC->CellText(kColTot, kRowGross)));
    const SaveCheck check = CheckRoundForSave(in, Today());
    if (check.ok()) return true;
    FailCheck(check.message, check.focus == SaveFocus::Player   ? static_cast<QWidget*>(cboPlayer)
                             : check.focus == SaveFocus::Course ? static_cast<QWidget*>(cboCourse)
                                                                : static_cast<QWidget*>(mskDate));
    return false;
}

bool frmMainGolf::cmdSave_Click() {
    // The totals must reflect what was typed last.
    Calc_Row_Scores(kRowGross);
    if (!RunSaveChecks(false)) return false;
    nSaveExisting = round.isNew == 1 ? 0 : 1;
    if (!Save_DBF()) return false;
    bKeepSame = chkKeepSame->isChecked();
    sKeepDate = bKeepSame ? mskDate->Text() : TodayText();
    nKeepCourseID = SelectedItemData(*cboCourse);
    nKeepTeeBox = cboTeeBox->currentIndex();
    return true;
}

RoundEntry frmMainGolf::CurrentRoundEntry() const {
    RoundEntry e;
    e.playerId = SelectedItemData(*cboPlayer);
    e.courseId = SelectedItemData(*cboCourse);
    e.teeBox = cboTeeBox->currentIndex();
    e.dateText = mskDate->Text();
    e.useHcp = chkUseHandicap->isChecked() ? 1 : 0;
    e.useTourn = chkUseTourn->isChecked() ? 1 : 0;
    e.gameCost = txtGameCost->text();
    e.cartCost = txtCartCost->text();
    e.otherCost = txtOtherCost->text();
    e.notes = txtNotes->toPlainText();
    e.gameNumber = static_cast<int>(Val(lblGameNumber->text()));
    e.rndGameId = static_cast<int>(Val(lblRandomID->text()));
    for (int h = 1; h <= 18; ++h) {
        const int c = HoleColumn(h);
        e.parCells[h - 1] = spISC->CellText(c, kRowPar);
        e.grossCells[h - 1] = spISC->CellText(c, kRowGross);
        e.puttsCells[h - 1] = spISC->CellText(c, kRowPutts);
        e.gir[h - 1] = spISC->CellValue(c, kRowGir);
        e.sand[h - 1] = spISC->CellValue(c, kRowSand);
        e.fhit[h - 1] = spISC->CellValue(c, kRowFHit);
    }
    round.FillEntry(e);
    return e;
}

bool frmMainGolf::Save_DBF() {
    std::unique_ptr<frmMainWait> wait;
    try {
        if (nSaveExisting == 0) {
            round.oldGame = RoundCount(nCurPlayerID) + 1;
        } else {
            round.oldGame = round.shownGame;
        }
        if (round.shownGame != -1) Save_Check();
        SetMousePointer(Pointer::Hourglass);
        const RoundEntry entry = CurrentRoundEntry();
        const int genderIndex = optMF[0]->isChecked() ? 0 : 1;
        const bool is18 = opt189[1]->isChecked();
        auto progress = [&](int k, int n) {
            if (!wait) {
                wait = std::make_unique<frmMainWait>();
                wait->WaitCap->setText("Adjusting Scores and Calculating Handicaps.");
                wait->show();
                setEnabled(false);
            }
            wait->SetProgress(k, n);
        };
        const SaveOutcome out = SaveAndRecalculate(Db(), entry, round.isNew, round.teeRating, round.teeSlope,
                                                   round.shownGame == -1 ? 0 : round.shownGame,
                                                   round.hcpChanged == 1, genderIndex, is18, progress);
        wait.reset();
        SetMousePointer(Pointer::Default);
        setEnabled(true);
        nGameNumber = out.gameNumber;
        round.isNew = 0;
        if (round.shownGame == -1) {
            lblHIndex->show();
            lblHI[1]->show();
            lblCourseHcp[1]->show();
            if (sngTHcpIndex != kNoTournIndexF) {
                lblTHI[1]->show();
                lblTHcpIndex->show();
            }
        }
        round.shownGame = nGameNumber;
        {
            const QSignalBlocker block(RecBar);
            RecBar->setRange(1, qMax(1, out.count));
        }
        bNoScroll = 0;
        const QString text = " " + QString::number(nGameNumber);
        if (txtRecNum->text() == text) {
            const QSignalBlocker block(RecBar);
            RecBar->setValue(nGameNumber);
        }
        if (txtRecNum->text() == text)
            RecBar_Scroll();
        else
            txtRecNum->setText(text);
        return true;
    } catch (...) {
        // Nothing was stored: the entries stay on the screen.
        const QString text = ErrorText(kTag + "Save_DBF", CurrentError(), -1, "Line # ", true);
        wait.reset();
        SetMousePointer(Pointer::Default);
        setEnabled(true);
        ReportErrorText(text);
        return false;
    }
}

}  // namespace dc

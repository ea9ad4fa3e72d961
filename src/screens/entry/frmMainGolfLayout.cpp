#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "entry/frmMainGolf.h"
#include "handicap_report/frmHandicap.h"
#include "platform/MaskEdBox.h"
#include "platform/Modal.h"
#include "platform/Spread.h"
#include "records/frmCourseSetup.h"
#include "records/frmPlayers.h"
#include "reports/frmGameList.h"
#include "reports/frmGraphs.h"
#include "reports/frmStats.h"
#include "scorecards/frmScoreCard.h"
#include "shell/ErrorReport.h"
#include "shell/GridFit.h"
#include "shell/OneWindow.h"

namespace dc {

namespace {

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

// A scroll bar whose arrows are as large as a push button, so that paging is as easy to hit.
class LargeArrowStyle : public QProxyStyle {
  public:
    LargeArrowStyle(int side, QObject* owner) : QProxyStyle(QApplication::style()->name()), side_(side) {
        setParent(owner);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_ScrollBarExtent) return side_;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

  private:
    int side_;
};

}  // namespace

void frmMainGolf::BuildControls() {
    QHBoxLayout* top = BuildButtons();
    SetScreenHooks();
    QHBoxLayout* playerRow = BuildPlayerRow();

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    auto* roundTab = new QWidget;
    auto* costs = new QWidget;
    SSTab1->addTab(roundTab, "Round Information");
    SSTab1->addTab(costs, "Costs and Notes");
    BuildRoundTab(roundTab);
    BuildCostsTab(costs);

    capHelp = Label(this, "capHelp");
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(playerRow);
    main->addWidget(SSTab1, 1);
    main->addWidget(capHelp);
    // A button is as wide as its caption needs, so that the row fits a 1024-pixel screen.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QString(b->text()).remove('&')) + 24);
    mskDate->setMaximumWidth(mskDate->fontMetrics().horizontalAdvance("00/00/00000") + 16);
    setMouseTracking(true);
    resize(980, 700);
    FitComboBoxes(*this);  // drop-downs as wide as their longest entry
}

QHBoxLayout* frmMainGolf::BuildButtons() {
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
    return top;
}

namespace {
// Shows a screen modally over the main screen; the code it hands back on closing.
template <class Screen>
int ShowForCode(QWidget* parent, AppContext& ctx) {
    Screen screen(ctx, parent);
    ExecModal(screen);
    return screen.nReturnCode;
}
// The same for a report screen retrieving a round: its answer.
template <class Screen>
ScreenAnswer ShowForAnswer(QWidget* parent, AppContext& ctx) {
    Screen screen(ctx, parent);
    ExecModal(screen);
    return screen.answer;
}
}  // namespace

void frmMainGolf::SetScreenHooks() {
    // The course editor is modeless: the main screen stays usable and reloads its lists when it closes.
    ShowCourseEditor = [this] {
        auto* editor = new frmCourseSetup(ctx_, this);
        connect(editor, &QDialog::finished, this, [this, editor] { Form_Activate(editor->nReturnCode); });
        ShowBeside(*editor);
    };
    // The other screens are modal; each is built when shown and gone when closed.
    ShowPlayerEditor = [this] { return ShowForCode<frmPlayers>(this, ctx_); };
    ShowScoreCard = [this] {
        ShowModal<frmScoreCard>(this, ctx_);
        return 0;  // the score cards hand back nothing
    };
    ShowHandicap = [this] { return ShowForCode<frmHandicap>(this, ctx_); };
    ShowStats = [this] { return ShowForAnswer<frmStats>(this, ctx_); };
    ShowGameList = [this] { return ShowForAnswer<frmGameList>(this, ctx_); };
    ShowGraphs = [this] { return ScreenAnswer{ShowForCode<frmGraphs>(this, ctx_), 0}; };  // retrieves none
}

QHBoxLayout* frmMainGolf::BuildPlayerRow() {
    auto* playerRow = new QHBoxLayout;
    playerRow->addWidget(Label(this, "lblPlayer", "Player"));
    cboPlayer = new QComboBox(this);
    cboPlayer->setObjectName("cboPlayer");
    cboPlayer->setToolTip("Select a Player's name from the list");
    // Sized for a long name, not by the names listed: a longer one never pushes the controls aside.
    cboPlayer->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboPlayer->setMinimumContentsLength(28);
    playerRow->addWidget(cboPlayer, 3);  // most of the row's spare width goes to the name
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
    const int side = std::max(24, cmdNewPlayer->sizeHint().height());
    RecBar->setStyle(new LargeArrowStyle(side, RecBar));
    RecBar->setFixedSize(side, 2 * side + side / 2);  // two arrows and the box between
    playerRow->addWidget(RecBar);
    playerRow->addStretch(1);
    return playerRow;
}

void frmMainGolf::BuildRoundTab(QWidget* roundTab) {
    auto* rl = new QGridLayout(roundTab);
    rl->addWidget(Label(roundTab, "lblDate", "Date"), 0, 0);
    mskDate = new MaskEdBox(roundTab);
    mskDate->setObjectName("mskDate");
    rl->addWidget(mskDate, 0, 1);
    cmdCalendar = Button(roundTab, "cmdCalendar", "...", "Pick a Date from the Calender");
    rl->addWidget(cmdCalendar, 0, 2);
    rl->addWidget(Label(roundTab, "lblCourse", "Course"), 0, 3);
    cboCourse = new QComboBox(roundTab);
    cboCourse->setObjectName("cboCourse");
    cboCourse->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboCourse->setMinimumContentsLength(22);
    rl->addWidget(cboCourse, 0, 4);
    rl->addWidget(Label(roundTab, "lblTeeBox", "Tee Box"), 0, 5);
    cboTeeBox = new QComboBox(roundTab);
    cboTeeBox->setObjectName("cboTeeBox");
    cboTeeBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboTeeBox->setMinimumContentsLength(12);
    rl->addWidget(cboTeeBox, 0, 6);
    // An empty list selects nothing when entries are added (the placeholder keeps it so).
    for (QComboBox* c : {cboPlayer, cboCourse, cboTeeBox}) c->setPlaceholderText(" ");

    chkUseHandicap = new QCheckBox("Use for Handicap", roundTab);
    chkUseHandicap->setObjectName("chkUseHandicap");
    chkUseTourn = new QCheckBox("Use for Tournament", roundTab);
    chkUseTourn->setObjectName("chkUseTourn");
    chkKeepSame = new QCheckBox("&Keep same Date, Course, Tee Box", roundTab);
    chkKeepSame->setObjectName("chkKeepSame");
    rl->addWidget(chkUseHandicap, 1, 0, 1, 2);
    rl->addWidget(chkUseTourn, 1, 2, 1, 2);
    rl->addWidget(chkKeepSame, 1, 4, 1, 2);

    auto* fraHoleCountry = new QGroupBox(roundTab);
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
    auto* picFlags = new QWidget(roundTab);
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

    spISC = new Spread(roundTab);
    spISC->setObjectName("spISC");
    // Three-digit yardages in the narrow hole columns: a small font, and never "..." for a digit.
    QFont gridFont = spISC->font();
    gridFont.setPointSize(8);
    spISC->setFont(gridFont);
    spISC->setTextElideMode(Qt::ElideNone);
    spISC->SetFillWidth(true);

    rl->addLayout(BuildHandicapPanel(roundTab), 3, 0, 1, 4);
    cmdPrintScoreCard = Button(roundTab, "cmdPrintScoreCard", "Print Card", "Print Current Score Card");
    rl->addWidget(cmdPrintScoreCard, 3, 7, Qt::AlignBottom);
    rl->setRowStretch(2, 1);     // extra height goes to the grid
    rl->setColumnStretch(8, 1);  // and extra width to nothing but the grid's span
    rl->addWidget(spISC, 2, 0, 1, 9);
}

// The handicap panel: captions, and one column of figures for the 18 holes or each nine.
QGridLayout* frmMainGolf::BuildHandicapPanel(QWidget* roundTab) {
    auto* panel = new QGridLayout;
    const QString tipPrev = "Used to determine allowable score for current round";
    const QString tipCurr = "Index used for next round";
    const QString tipHcp = "Handicap calculated from the Current Index for current Course and Tee Box";
    const QString tipAdj = "Score that is adjusted by the Allowable Score";
    const QString tipAllow = "Used to determine the strokes allowed per hole";
    lblHIndex = Label(roundTab, "lblHIndex", "Previous Index", tipPrev);
    lblTHcpIndex = Label(roundTab, "lblTHcpIndex", "Prev Tourn Index", tipPrev);
    lblCHcp = Label(roundTab, "lblCHcp", "Handicap", tipHcp);
    lblAlscr = Label(roundTab, "lblAlscr", "Allowable Score", tipAllow);
    lblAdjustScore = Label(roundTab, "lblAdjustScore", "Adjusted Score", tipAdj);
    lblCurrentIndex = Label(roundTab, "lblCurrentIndex", "Current Index", tipCurr);
    lblTHcpIndex->hide();
    QLabel* const captions[] = {lblHIndex, lblTHcpIndex, lblCHcp, lblAlscr, lblAdjustScore, lblCurrentIndex};
    for (int r = 0; r < 6; ++r) panel->addWidget(captions[r], r + 1, 0);
    lblHI[0] = lblTHI[0] = lblCourseHcp[0] = lblAllowScore[0] = lblAdjScore[0] = lblCurrIndex[0] =
        lblCurrTIndex[0] = lblF9B9[0] = nullptr;
    for (int k = 1; k <= 2; ++k) {
        const QString n = QString::number(k);
        lblF9B9[k] = Label(roundTab, "lblF9B9_" + n, k == 1 ? "Front 9" : "Back 9");
        lblHI[k] = Label(roundTab, "lblHI_" + n, {}, tipPrev);
        lblTHI[k] = Label(roundTab, "lblTHI_" + n, {}, k == 2 ? tipPrev : QString());
        lblCourseHcp[k] = Label(roundTab, "lblCourseHcp_" + n, {}, tipHcp);
        lblAllowScore[k] = Label(roundTab, "lblAllowScore_" + n, {}, tipAllow);
        lblAdjScore[k] = Label(roundTab, "lblAdjScore_" + n, {}, tipAdj);
        lblCurrIndex[k] = Label(roundTab, "lblCurrIndex_" + n, {}, tipCurr);
        lblCurrTIndex[k] = Label(roundTab, "lblCurrTIndex_" + n, {}, tipCurr);
        lblTHI[k]->hide();
        lblCurrTIndex[k]->hide();
        QLabel* column[] = {lblF9B9[k],       lblHI[k],       lblTHI[k],      lblCourseHcp[k],
                            lblAllowScore[k], lblAdjScore[k], lblCurrIndex[k]};
        for (int r = 0; r < 7; ++r) panel->addWidget(column[r], r, k);
    }
    return panel;
}

void frmMainGolf::BuildCostsTab(QWidget* costs) {
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
    for (QLineEdit* box : {txtGameCost, txtCartCost, txtOtherCost})
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance("0000000.00") + 16);
    cg->setColumnStretch(2, 1);
    cl->addWidget(fraCosts);
    txtNotes = new QPlainTextEdit(costs);
    txtNotes->setObjectName("txtNotes");
    auto* lblNotes = new QLabel("&Notes", costs);
    lblNotes->setBuddy(txtNotes);
    cl->addWidget(lblNotes);
    cl->addWidget(txtNotes, 1);
}

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
        // A row's holes, front nine and back nine.
        auto block = [&](int row, auto&& apply) {
            for (auto [c1, c2] : {std::pair{1, 9}, std::pair{11, 19}}) {
                Spread::Block holes = grid.Cells(c1, row, c2, row);
                apply(holes);
            }
        };
        for (int row : {kRowGross, kRowPutts})
            block(row, [](Spread::Block& holes) {
                holes.SetCellType(SpreadCellType::Integer)
                    .SetTypeNumberMin(1)
                    .SetTypeNumberMax(99)
                    .SetTypeHAlign(SpreadHAlign::Center);
            });
        for (int row : {kRowGir, kRowSand, kRowFHit})
            block(row, [](Spread::Block& holes) {
                holes.SetCellType(SpreadCellType::CheckBox)
                    .SetTypeCheckCenter(true)
                    .SetTypeHAlign(SpreadHAlign::Center);
            });
        const unsigned int back[] = {0x00FF00, 0x00FFFF, 0xFF0000};
        for (int row : {kRowYards, kRowHcp, kRowPar})
            block(row, [&](Spread::Block& holes) {
                holes.SetCellType(SpreadCellType::Integer)
                    .SetTypeHAlign(SpreadHAlign::Center)
                    .SetLock(true)
                    .SetBackColor(Spread::VbColor(back[row - 1]));
                if (row == kRowPar) holes.SetForeColor(Spread::VbColor(0xFFFFFF));
            });
        for (int c : {kColOut, kColIn, kColTot})
            grid.Cells(c, 1, c, 8)
                .SetCellType(SpreadCellType::Edit)
                .SetTypeHAlign(SpreadHAlign::Center)
                .SetBackColor(Spread::VbColor(c == kColTot ? 0x00FF00 : 0xFFFF00))
                .SetLock(true);  // filled by the totals only; the cursor never rests here
        const char* labels[] = {"Yards", "HCP", "Par", "Gross", "Putts", "GI Reg", "Sand Save", "F Hit"};
        for (int r = 1; r <= 8; ++r) grid.SetCellText(0, r, labels[r - 1]);
    } catch (...) {
        ReportCurrentError("Scoring, Grid_Setup", Sql::Without);
    }
}

}  // namespace dc

#include "reports/frmStats.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/Pointer.h"
#include "platform/Spread.h"
#include "reports/ReportPanel.h"
#include "reports/ReportPrint.h"
#include "reports/RunPrintout.h"
#include "reports/ReportStore.h"
#include "shell/AppContext.h"
#include "shell/DialogBase.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/ShellDoc.h"
#include "shell/ListLoaders.h"
#include "shell/ScreenBoxes.h"

namespace dc {

namespace {

QLabel* Caption(QWidget* parent, const char* name, Qt::Alignment align = Qt::AlignLeft) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance("$0000000.00"));
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

frmStats::frmStats(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmStats");
    setWindowTitle("Statistics");
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    panel = new ReportPanel(ctx_, this, true, true);
    cboPlayer = panel->cboPlayer;
    cboCourse = panel->cboCourse;
    chkAllPlayers = panel->chkAllPlayers;
    chkAllCourses = panel->chkAllCourses;
    txtSDate = panel->txtSDate;
    txtEDate = panel->txtEDate;
    chkAllCourses->setChecked(true);  // the statistics open over all courses
    spSG = new Spread(this);
    spSG->setObjectName("spSG");

    cmdPrint = Button(this, "cmdPrint", "&Print");
    cmdClose = Button(this, "cmdClose", "Clos&e");
    cmdHelp = Button(this, "cmdHelp", "?");

    auto* left = new QVBoxLayout;
    left->addWidget(panel->fraPlayers);
    left->addWidget(panel->fraCourses);
    left->addWidget(panel->dates);
    left->addWidget(BuildAverages());
    left->addWidget(BuildCosts());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(spSG, 1);
    right->addWidget(BuildBest());
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* buttons = panel->ButtonRow({cmdPrint, cmdClose, cmdHelp});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(1010, 720);

    panel->SetHint(chkAllCourses,
                   "Click-on to select all courses for search; Click-off to use only one course.");
    panel->SetHint(chkAllPlayers,
                   "Click-on to select all players to be used in search; Click-off to use only one player.");
    panel->SetHint(cboCourse, "Click the down arrow to display/pick current courses.");
    panel->SetHint(cboPlayer, "Click the down arrow to display/pick current players.");
    panel->SetHint(txtSDate, "Enter Start Date for statistics. (ie. 03/04/2000, no need to type slashes)");
    panel->SetHint(txtEDate, "Enter End Date for statistics. (ie. 03/04/2000, no need to type slashes)");
    panel->SetHint(cmdPrint, "Click to Print Statistics.");
    panel->SetHint(Rtrv18Cmd,
                   "Click to leave Statistics screen; return to Main screen with best 18-hole game.");
    panel->SetHint(Rtrv9Cmd,
                   "Click to leave Statistics screen; return to Main screen with best 9-hole game.");
    panel->SetHint(cmdClose, "Click to return to Main Screen.");

    connect(cboPlayer, &QComboBox::activated, this, [this] {
        Clear_Grid();
        Clear_Labels();
        QApplication::processEvents();
        if (nLoaded == 1) UpdateStats();
    });
    connect(cboCourse, &QComboBox::activated, this, [this] {
        if (nLoaded == 1) UpdateStats();
    });
    for (QCheckBox* box : {chkAllPlayers, chkAllCourses})
        connect(box, &QCheckBox::toggled, this, [this] {
            if (nLoaded == 1) UpdateStats();
        });
    connect(panel, &ReportPanel::DateEdited, this, [this] {
        if (nLoaded == 1) UpdateStats();
    });
    connect(Rtrv9Cmd, &QPushButton::clicked, this, &frmStats::Rtrv9Cmd_Click);
    connect(Rtrv18Cmd, &QPushButton::clicked, this, &frmStats::Rtrv18Cmd_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmStats::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { ShellDoc(HelpDocumentPath()); });
    Form_Load();
}

frmStats::~frmStats() { StopHandlers(*this); }

QGroupBox* frmStats::BuildBest() {
    auto* frame = new QGroupBox("Best Recorded Scores", this);
    frame->setObjectName("Frame4");
    auto* g = new QGridLayout(frame);
    const char* heads[] = {"Player", "Date", "Game #", "Course"};
    for (int i = 0; i < 4; ++i) g->addWidget(new QLabel(heads[i], frame), 0, 2 + i);
    B9Cap = Caption(frame, "B9Cap");
    lblB9Player = Caption(frame, "lblB9Player");
    Date9Cap = Caption(frame, "Date9Cap");
    Game9Cap = Caption(frame, "Game9Cap");
    B9CCap = Caption(frame, "B9CCap");
    B18Cap = Caption(frame, "B18Cap");
    lblB18Player = Caption(frame, "lblB18Player");
    Date18Cap = Caption(frame, "Date18Cap");
    Game18Cap = Caption(frame, "Game18Cap");
    B18CCap = Caption(frame, "B18CCap");
    Rtrv9Cmd = Button(frame, "Rtrv9Cmd", "Retrieve");
    Rtrv18Cmd = Button(frame, "Rtrv18Cmd", "Retrieve");
    int row = 1;
    for (auto [name, cap, player, date, game, course, button] :
         {std::tuple{"Best 9", B9Cap, lblB9Player, Date9Cap, Game9Cap, B9CCap, Rtrv9Cmd},
          std::tuple{"Best 18", B18Cap, lblB18Player, Date18Cap, Game18Cap, B18CCap, Rtrv18Cmd}}) {
        g->addWidget(new QLabel(name, frame), row, 0);
        g->addWidget(cap, row, 1);
        g->addWidget(player, row, 2);
        g->addWidget(date, row, 3);
        g->addWidget(game, row, 4);
        g->addWidget(course, row, 5);
        g->addWidget(button, row, 6);
        for (QLabel* name : {player, course}) name->setWordWrap(true);  // a long name takes a second line
        ++row;
    }
    g->setColumnStretch(2, 1);
    g->setColumnStretch(5, 1);
    lblEclectic = new QLabel("Eclectic Scores", frame);
    lblEclectic->setObjectName("lblEclectic");
    const char* eheads[] = {"", "Front 9", "Back 9", "18 Holes"};
    for (int i = 1; i <= 3; ++i) {
        Label12[i] = new QLabel(eheads[i], frame);
        Label12[i]->setObjectName(QString("Label12_%1").arg(i));
        g->addWidget(Label12[i], 3, 1 + i);
    }
    lblEclecticF9 = Caption(frame, "lblEclecticF9");
    lblEclecticB9 = Caption(frame, "lblEclecticB9");
    lblEclectic18 = Caption(frame, "lblEclectic18");
    g->addWidget(lblEclectic, 4, 0, 1, 2);
    g->addWidget(lblEclecticF9, 4, 2);
    g->addWidget(lblEclecticB9, 4, 3);
    g->addWidget(lblEclectic18, 4, 4);
    g->setColumnStretch(5, 1);
    return frame;
}

QGroupBox* frmStats::BuildAverages() {
    auto* frame = new QGroupBox("Averages", this);
    frame->setObjectName("Frame5");
    auto* g = new QGridLayout(frame);
    const char* names[] = {"", "Par 3", "Par 4", "Par 5", "Par 6", "Putts"};
    for (int i = 1; i <= 5; ++i) {
        AvgCap[i] = Caption(frame, "AvgCap", Qt::AlignRight);
        AvgCap[i]->setObjectName(QString("AvgCap_%1").arg(i));
        g->addWidget(new QLabel(names[i], frame), i, 0);
        g->addWidget(AvgCap[i], i, 1);
    }
    return frame;
}

QGroupBox* frmStats::BuildCosts() {
    auto* frame = new QGroupBox("Costs", this);
    frame->setObjectName("Frame1");
    auto* g = new QGridLayout(frame);
    TGPCap = Caption(frame, "TGPCap", Qt::AlignRight);
    TGCap = Caption(frame, "TGCap", Qt::AlignRight);
    TCACap = Caption(frame, "TCACap", Qt::AlignRight);
    TOtCap = Caption(frame, "TOtCap", Qt::AlignRight);
    TDSCap = Caption(frame, "TDSCap", Qt::AlignRight);
    int row = 0;
    for (auto [text, cap] :
         {std::pair{"Total # of Games Played", TGPCap}, std::pair{"Total $ Spent on Games", TGCap},
          std::pair{"Total $ Spent on Carts", TCACap}, std::pair{"Total $ Spent on Other", TOtCap},
          std::pair{"Total $ Spent", TDSCap}}) {
        g->addWidget(new QLabel(text, frame), row, 0);
        g->addWidget(cap, row++, 1);
    }
    return frame;
}

void frmStats::Grid_Setup() {
    try {
        spSG->SetMaxCols(kScoreTypes);
        spSG->SetMaxRows(19);
        spSG->SetColWidth(0, 400);
        for (int c = 1; c <= kScoreTypes; ++c) {
            spSG->SetColWidth(c, 870);
            spSG->SetCellText(c, 0, kScoreTypeHeader[c - 1]);
        }
        for (int r = 1; r <= 18; ++r) spSG->SetCellText(0, r, SignedText(r));
        spSG->SetCellText(0, 19, "Totl");
        spSG->SetRowHeight(0, spSG->MaxTextRowHeight(0));
        spSG->Cells(1, -1, kScoreTypes, -1)
            .SetTypeHAlign(SpreadHAlign::Center)
            .SetBackColor(QColor(0, 255, 255))
            .SetLock(true);
    } catch (...) {
        ReportCurrentError("Form Stats, Grid_Setup", Sql::Without);
    }
}

void frmStats::Form_Load() {
    try {
        nLoaded = 0;
        bRetrieved = false;
        SetDateFormat(*txtSDate, ctx_.sDateFormat);
        SetDateFormat(*txtEDate, ctx_.sDateFormat);
        Grid_Setup();
        panel->LoadLists(false, true);
        panel->ChooseHandedPlayer(cmdPrint);
        Clear_Labels();
        ShowEclectic(false);
        txtSDate->SetText(ctx_.sStartDate);
        txtEDate->SetText(ctx_.sEndDate);
        nLoaded = 1;
        UpdateStats();
    } catch (...) {
        ReportCurrentError("Form Stats, Form_Load", Sql::Without);
    }
}

bool frmStats::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) SetMousePointer(Pointer::Default);
    return QDialog::event(event);
}

void frmStats::Clear_Grid() {
    spSG->SetReDraw(false);
    spSG->ClearRange(1, 1, kScoreTypes, 19);
    spSG->SetReDraw(true);
}

void frmStats::Clear_Labels() {
    Rtrv9Cmd->setEnabled(false);
    Rtrv18Cmd->setEnabled(false);
    cmdPrint->setEnabled(false);
    for (int i = 1; i <= 5; ++i) AvgCap[i]->clear();
    for (QLabel* l : {TGPCap, TGCap, TCACap, TOtCap, TDSCap, B9Cap, lblB9Player, B9CCap, Date9Cap, Game9Cap,
                      B18Cap, lblB18Player, B18CCap, Date18Cap, Game18Cap})
        l->clear();
    shown_ = StatsTexts();
}

void frmStats::ShowEclectic(bool on) {
    for (QLabel* l :
         {lblEclectic, lblEclecticF9, lblEclecticB9, lblEclectic18, Label12[1], Label12[2], Label12[3]})
        l->setVisible(on);
}

void frmStats::UpdateStats() {
    // The old results belong to another choice: none stay shown or printed when a check fails.
    // Cleared first, as the course check may tick All Courses, which shows that choice's results.
    Clear_Grid();
    Clear_Labels();
    ShowEclectic(false);
    if (!panel->CheckCourse() || !panel->CheckDates()) return;
    SetMousePointer(Pointer::Hourglass);
    try {
        std::vector<int> players;
        if (chkAllPlayers->isChecked()) {
            for (int i = 0; i < cboPlayer->count(); ++i) players.push_back(cboPlayer->itemData(i).toInt());
        } else if (cboPlayer->currentIndex() >= 0) {
            players.push_back(SelectedItemData(*cboPlayer));
        } else {
            panel->CheckPlayer(true);
            SetMousePointer(Pointer::Default);
            return;
        }
        const int courseId = panel->CourseId();
        StatsAccumulator stats(courseId != 0 && cboCourse->currentIndex() >= 0);
        const auto byPlayer =
            ReportStore(ctx_.Connection())
                .ReadRoundsByPlayer(players.size() == 1 ? players[0] : 0, panel->StartDate(),
                                    panel->EndDate(), RoundOrder::DateThenGame, true,
                                    RoundFields::Statistics);
        for (int player : players) {
            const auto rounds = byPlayer.find(player);
            if (rounds == byPlayer.end()) continue;
            for (const RoundRec& round : rounds->second)
                if (courseId == 0 || round.COURSE_ID == courseId) stats.Add(round);
        }
        const auto names = ReportStore(ctx_.Connection()).ReadPlayerNames();
        const auto courses = ReportStore(ctx_.Connection()).ReadCourseFacts();
        StatsNames lookup{[&](int id) { return names.count(id) ? names.at(id) : QString(); },
                          [&](int id) { return courses.count(id) ? courses.at(id).name : QString(); }};
        Show(MakeStatsTexts(stats, lookup, ctx_.sDateFormat));
    } catch (...) {
        SetMousePointer(Pointer::Default);
        ReportCurrentError("Form Stats, UpdateStats", Sql::With);
        return;
    }
    SetMousePointer(Pointer::Default);
}

void frmStats::Show(const StatsTexts& t) {
    shown_ = t;
    spSG->SetReDraw(false);
    for (int r = 0; r < 19; ++r)
        for (int c = 0; c < kScoreTypes; ++c) spSG->SetCellText(c + 1, r + 1, t.grid[r][c]);
    spSG->SetReDraw(true);
    TGPCap->setText(t.games);
    ShowEclectic(t.anyGame() && t.showEclectic);
    if (!t.anyGame()) return;
    // A Retrieve button only with a best round to retrieve.
    Rtrv9Cmd->setEnabled(!t.best9.isEmpty());
    Rtrv18Cmd->setEnabled(!t.best18.isEmpty());
    cmdPrint->setEnabled(true);
    TGCap->setText(t.gameCost);
    TCACap->setText(t.cartCost);
    TOtCap->setText(t.otherCost);
    TDSCap->setText(t.totalCost);
    for (int i = 0; i < 5; ++i) AvgCap[i + 1]->setText(t.averages[i]);
    B9Cap->setText(t.best9);
    lblB9Player->setText(t.best9Player);
    B9CCap->setText(t.best9Course);
    Date9Cap->setText(t.best9Date);
    Game9Cap->setText(t.best9Game);
    B18Cap->setText(t.best18);
    lblB18Player->setText(t.best18Player);
    B18CCap->setText(t.best18Course);
    Date18Cap->setText(t.best18Date);
    Game18Cap->setText(t.best18Game);
    for (QLabel* name : {lblB9Player, B9CCap, lblB18Player, B18CCap}) name->setToolTip(name->text());
    lblEclecticF9->setText(t.eclecticF9);
    lblEclecticB9->setText(t.eclecticB9);
    lblEclectic18->setText(t.eclectic18);
}

void frmStats::Retrieve(const BestRound& best) {
    bRetrieved = true;
    ctx_.nCurPlayerID = best.playerId;
    answer = {2, best.gameNumber};
    SetMousePointer(Pointer::Hourglass);
    done(QDialog::Accepted);
}

void frmStats::Rtrv18Cmd_Click() { Retrieve(shown_.best18Round); }

void frmStats::Rtrv9Cmd_Click() { Retrieve(shown_.best9Round); }

void frmStats::cmdPrint_Click() {
    const StatsHeading heading{panel->PlayerHeading(), txtSDate->Text(), txtEDate->Text(), panel->PlayerNames()};
    RunPrintout("Statistics", "Form Stats, cmdPrint_Click",
                [&](PrinterPage& page) { PrintStats(page, heading, shown_); });
}

void frmStats::Form_Unload() {
    if (!bRetrieved) ctx_.nCurPlayerID = SelectedItemData(*cboPlayer);
    answer.code = 2;
    SetMousePointer(Pointer::Hourglass);
}

void frmStats::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

}  // namespace dc

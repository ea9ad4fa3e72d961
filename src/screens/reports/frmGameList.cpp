#include "reports/frmGameList.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/PrintJob.h"
#include "platform/PrinterError.h"
#include "platform/Spread.h"
#include "reports/ReportPanel.h"
#include "reports/ReportPrint.h"
#include "reports/RunPrintout.h"
#include "reports/ReportStore.h"
#include "shell/AppContext.h"
#include "shell/DialogBase.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/GridFit.h"
#include "shell/ShellDoc.h"
#include "shell/ListLoaders.h"
#include "shell/ScreenBoxes.h"

namespace dc {

namespace {

const QColor kCyan(0, 255, 255);

struct ColumnSpec {
    const char* header;
    int twips;
    SpreadHAlign align;
};

ColumnSpec Column(int c) {
    switch (c) {
        case kGlGame:
            return {"Gm#", 450, SpreadHAlign::Right};
        case kGlPlayerId:
            return {"", 0, SpreadHAlign::Left};
        case kGlName:
            return {"Name", 1300, SpreadHAlign::Left};
        case kGlCourse:
            return {"Course", 2300, SpreadHAlign::Left};
        case kGlDate:
            return {"Date", 955, SpreadHAlign::Center};
        case kGlTee:
            return {"Tee", 400, SpreadHAlign::Center};
        case kGlScr:
            return {"Scr", 470, SpreadHAlign::Right};
        case kGlAdj:
            return {"Adj", 470, SpreadHAlign::Right};
        case kGlHcp:
            return {"Hcp", 400, SpreadHAlign::Center};
        case kGlIndex:
            return {"Index", 600, SpreadHAlign::Right};
        case kGlF9:
            return {"F9", 345, SpreadHAlign::Center};
        case kGlB9:
            return {"B9", 345, SpreadHAlign::Center};
        default:
            return {nullptr, 345, SpreadHAlign::Center};
    }
}

}  // namespace

frmGameList::frmGameList(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmGameList");
    setWindowTitle("Master Game List");
    panel = new ReportPanel(ctx_, this, true, false);
    cboPlayer = panel->cboPlayer;
    cboCourse = panel->cboCourse;
    chkAllPlayers = panel->chkAllPlayers;
    chkAllCourses = panel->chkAllCourses;
    txtSDate = panel->txtSDate;
    txtEDate = panel->txtEDate;
    panel->fraPlayers->setObjectName("Frame1");

    auto* fraHoleCountry = panel->HoleCountryOptions(opt189, optUSCan, [this] { UpdatespGL(); });

    spGL = new Spread(this);
    spGL->setObjectName("spGL");
    fit_ = new GridFit(*spGL, kGlName, 1000);
    fit_->AddStretchColumn(kGlCourse, 1200);
    fit_->AddStretchColumn(kGlTee, 400);  // tee names of up to 20 letters: cut with a tooltip when short of room
    FitComboBoxes(*this);
    cmdRetrieve = new QPushButton("&Retrieve", this);
    cmdRetrieve->setObjectName("cmdRetrieve");
    cmdPrint = new QPushButton("&Print", this);
    cmdPrint->setObjectName("cmdPrint");
    cmdPrint->setToolTip("Print a portrait report with round and index values.");
    cmdPrintAll = new QPushButton("Print &All", this);
    cmdPrintAll->setObjectName("cmdPrintAll");
    cmdPrintAll->setToolTip("Print a landscape report with course, index and hole-by-hole values.");
    cmdHelp = new QPushButton("?", this);
    cmdHelp->setObjectName("cmdHelp");
    cmdClose = new QPushButton("Clos&e", this);
    cmdClose->setObjectName("cmdClose");

    auto* top = new QHBoxLayout;
    top->addWidget(panel->fraPlayers);
    top->addWidget(panel->fraCourses);
    top->addWidget(panel->dates);
    top->addWidget(fraHoleCountry);
    top->addStretch();
    auto* buttons = panel->ButtonRow({cmdRetrieve, cmdPrint, cmdPrintAll, cmdHelp, cmdClose});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(spGL, 1);
    layout->addLayout(buttons);
    resize(1010, 700);

    panel->SetHint(chkAllPlayers,
                   "Click-on to select all players to be used in search; Click-off to use only one player.");
    panel->SetHint(chkAllCourses,
                   "Click-on to select all courses for search; Click-off to use only one course.");
    panel->SetHint(cboPlayer, "Click the down arrow to display/pick current players.");
    panel->SetHint(cboCourse, "Click the down arrow to display/pick current courses.");
    panel->SetHint(txtSDate, "Enter Start Date for statistics. (ie. 03/10/1998, no need to type slashes)",
                   true);
    panel->SetHint(txtEDate, "Enter End Date for game list. (ie. 03/10/1998, no need to type slashes)", true);
    panel->SetHint(cmdRetrieve,
                   "Click to leave Game List screen; return to Main screen with selected player & game.");
    panel->SetHint(cmdPrint, "Click to Print a portrait report with round and index values.");
    panel->SetHint(cmdPrintAll,
                   "Click to Print a landscape report with course, index and hole-by-hole values.");
    panel->SetHint(cmdClose, "Click to return to Main Screen.");

    auto refill = [this] {
        if (nLoaded == 1) UpdatespGL();
    };
    panel->OnChange(refill);
    connect(spGL, &Spread::Click, this, &frmGameList::spGL_Click);
    connect(spGL, &Spread::DblClick, this, &frmGameList::spGL_DblClick);
    connect(cmdRetrieve, &QPushButton::clicked, this, &frmGameList::cmdRetrieve_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmGameList::cmdPrint_Click);
    connect(cmdPrintAll, &QPushButton::clicked, this, &frmGameList::cmdPrintAll_Click);
    connect(cmdClose, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { ShellDoc(HelpDocumentPath()); });
    Form_Load();
}

frmGameList::~frmGameList() { StopHandlers(*this); }

void frmGameList::spGL_Setup() {
    spGL->SetMaxCols(kGlCols - 1);
    spGL->SetMaxRows(0);
    for (int c = 0; c < kGlCols; ++c) {
        const ColumnSpec spec = Column(c);
        spGL->SetColWidth(c, spec.twips);
        const QString header = spec.header
                                   ? QString(spec.header)
                                   : QString::number(c < kGlF9 ? c - kGlHole1 + 1 : c - kGlHole10 + 10);
        if (c > 0) spGL->SetCellText(c, 0, header);
        const bool number = c == kGlGame || c == kGlAdj;
        auto column = spGL->Cells(c, -1);
        column.SetCellType(number ? SpreadCellType::Integer : SpreadCellType::StaticText)
            .SetTypeHAlign(spec.align);
        if (c == kGlGame) column.SetTypeNumberMin(1);
    }
    spGL->SetCellText(0, 0, "Gm#");
    spGL->SetRowHeight(0, spGL->MaxTextRowHeight(0));
    spGL->Cells(0, -1, -1, -1).SetBackColor(kCyan).SetLock(true);
}

void frmGameList::Form_Load() {
    try {
        nLoaded = 0;
        SetDateFormat(*txtSDate, ctx_.sDateFormat);
        SetDateFormat(*txtEDate, ctx_.sDateFormat);
        spGL_Setup();
        chkAllCourses->setChecked(true);
        panel->LoadLists(false, false);
        panel->ChooseHandedPlayer(cmdPrint);
        nGLRows = 0;
        cmdRetrieve->setEnabled(false);
        txtSDate->SetText(ctx_.sStartDate);
        txtEDate->SetText(ctx_.sEndDate);
        {
            // The options agree with the shared flags; the list is filled once below.
            const QSignalBlocker b1(opt189[2]), b2(optUSCan[2]);
            if (!ctx_.bFlag18_9) opt189[2]->setChecked(true);
            if (!ctx_.bUSCAFlag) optUSCan[2]->setChecked(true);
        }
        QApplication::processEvents();
        nLoaded = 1;
        UpdatespGL();
    } catch (...) {
        ReportCurrentError("Form GameList, Form_Load", Sql::With);
    }
}

bool frmGameList::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        if (txtSDate->Text().trimmed().isEmpty())
            txtSDate->SetText("01/01/" + QString::number(Today().year()));
        SetMousePointer(Pointer::Default);
    }
    return QDialog::event(event);
}

void frmGameList::UpdatespGL() {
    // The old rows belong to another choice: none stay shown or printed when a check fails.
    // Cleared first, as the course check may tick All Courses, which shows that choice's rows.
    ClearRows();
    if (!panel->CheckCourse() || !panel->CheckDates()) return;
    SetMousePointer(Pointer::Hourglass);
    try {
        rows_.clear();
        std::vector<std::pair<int, QString>> players;  // key and list text
        if (chkAllPlayers->isChecked()) {
            for (int i = 0; i < cboPlayer->count(); ++i)
                players.push_back({cboPlayer->itemData(i).toInt(), cboPlayer->itemText(i)});
        } else if (cboPlayer->currentIndex() >= 0) {
            players.push_back({SelectedItemData(*cboPlayer), cboPlayer->currentText()});
        } else {
            panel->CheckPlayer(false);
            SetMousePointer(Pointer::Default);
            return;
        }
        const int courseId = panel->CourseId();
        const bool nineView = opt189[2]->isChecked();
        const bool us = optUSCan[1]->isChecked();
        const auto courses = ReportStore(ctx_.Connection()).ReadCourseFacts();
        std::map<int, QString> courseNames;  // as the course list shows them
        for (int i = 0; i < cboCourse->count(); ++i)
            courseNames.emplace(cboCourse->itemData(i).toInt(), cboCourse->itemText(i));
        // Every player's rounds come from one pass over the range, newest first, then by player;
        // the options, the course and a sort show the same rounds again without reading them.
        QString readKey = panel->StartDate().toString(Qt::ISODate) + panel->EndDate().toString(Qt::ISODate);
        for (const auto& player : players) readKey += ',' + QString::number(player.first);
        if (readKey != readKey_) {
            read_.clear();
            readKey_.clear();
            read_ =
                ReportStore(ctx_.Connection())
                    .ReadRoundsByPlayer(players.size() == 1 ? players[0].first : 0, panel->StartDate(),
                                        panel->EndDate(), RoundOrder::DateDesc, false, RoundFields::Listed);
            readKey_ = readKey;
        }
        std::map<int, std::vector<RoundRec>>& byPlayer = read_;
        GameListTexts texts(ctx_.sDateFormat);
        size_t listed = 0;
        for (const auto& [key, rounds] : byPlayer) listed += rounds.size();
        rows_.reserve(nineView ? 2 * listed : listed);
        for (const auto& [key, name] : players) {
            const std::vector<RoundRec>& rounds = byPlayer[key];
            for (const GameListPick& pick : WalkGameList(rounds, nineView, courseId)) {
                const RoundRec& r = rounds[pick.round];
                GameListNames names;
                names.player = name;
                const auto shown = courseNames.find(r.COURSE_ID);
                if (shown != courseNames.end()) names.course = shown->second;
                const auto course = courses.find(r.COURSE_ID);
                if (course != courses.end()) {
                    names.teeBoxes = course->second.teeBoxes;
                    names.courseKnown = true;
                }
                rows_.push_back(MakeGameListRow(r, pick.nine, us, names, texts));
            }
        }
        nGLRows = static_cast<int>(rows_.size());
        currentRow_ = nGLRows;  // Retrieve right after a refill takes the last row
        ShowRows();
        if (nGLRows < 1) cmdRetrieve->setEnabled(false);
    } catch (...) {
        spGL->SetReDraw(true);
        SetMousePointer(Pointer::Default);
        ReportCurrentError("Form GameList, UpdatespGL", Sql::With);
        return;
    }
    SetMousePointer(Pointer::Default);
}

void frmGameList::ClearRows() {
    rows_.clear();
    nGLRows = 0;
    ShowRows();
    cmdRetrieve->setEnabled(false);
}

void frmGameList::ShowRows() {
    spGL->SetReDraw(false);
    spGL->SetMaxRows(0);
    FitColumns();
    std::vector<QString> texts, games;
    texts.reserve(rows_.size() * (kGlCols - 1));
    games.reserve(rows_.size());
    for (const GameListRow& row : rows_) {
        games.push_back(row.text[kGlGame]);
        texts.insert(texts.end(), row.text.begin() + 1, row.text.end());
    }
    spGL->SetAllRows(std::move(texts), std::move(games));
    spGL->SetReDraw(true);
    // Both printouts print the rows shown: none, nothing to print.
    cmdPrint->setEnabled(!rows_.empty());
    cmdPrintAll->setEnabled(!rows_.empty());
}

// The figure columns as narrow as their texts, the name and the course sharing what they leave.
void frmGameList::FitColumns() { fit_->NarrowOtherColumns(); }

void frmGameList::spGL_Click(int col, int row) {
    panel->capHelp->setText(
        "Click and drag multiple row/cols and press Ctrl-C to copy a selection.  Ctrl-V to "
        "paste into a spreadsheet.");
    try {
        if (row == 0 && !rows_.empty()) {
            const bool ascending = !bSortAsc;
            bSortAsc = ascending;
            SortGameList(rows_, col, ascending);
            ShowRows();
            spGL->SetActiveCell(col, 1);
            currentRow_ = 1;
        } else if (row > 0) {
            currentRow_ = row;
            if (row <= static_cast<int>(rows_.size())) cmdRetrieve->setEnabled(true);
        }
    } catch (...) {
        ReportCurrentError("Form GameList, spGL_Click", Sql::Without);
    }
}

void frmGameList::spGL_DblClick(int /*col*/, int row) {
    if (row <= 0) return;
    currentRow_ = row;
    cmdRetrieve_Click();
}

void frmGameList::cmdRetrieve_Click() {
    if (currentRow_ < 1 || currentRow_ > static_cast<int>(rows_.size())) return;  // no round to retrieve
    ctx_.nCurPlayerID = rows_[currentRow_ - 1].playerId;
    answer = {2, rows_[currentRow_ - 1].gameNumber};
    SetMousePointer(Pointer::Hourglass);
    done(QDialog::Accepted);
}

void frmGameList::cmdPrint_Click() {
    const GameListHeading heading{panel->PlayerHeading(), panel->CourseHeading(), txtSDate->Text(),
                                  txtEDate->Text(), ctx_.sDateFormat,          panel->PlayerNames()};
    RunPrintout("Game List", "frmGameList, cmdPrint_Click",
                [&](PrinterPage& page) { PrintGameList(page, heading, rows_); });
}

void frmGameList::cmdPrintAll_Click() {
    try {
        spGL->Cells(-1, -1).SetBackColor(QColor(255, 255, 255));  // the cyan does not print
        spGL->SetPrintOrientation(SpreadPrintOrientation::Landscape);
        spGL->SetPrintColHeaders(true);
        spGL->SetPrintRowHeaders(true);
        spGL->SetPrintJobName("Printing Selected Game list");
        spGL->SetPrintHeader("Detailed Player Game List");
        spGL->SetPrintAbortMsg("Cancel print job");
        PrintJob job("Detailed Game List");
        if (!spGL->PrintSheet(job)) throw PrinterError(kErrPrinter, "Printer Error");
        spGL->Cells(-1, -1).SetBackColor(kCyan);
        ReportPrintOutcomes({job.Outcome()});
    } catch (...) {
        spGL->Cells(-1, -1).SetBackColor(kCyan);
        ReportCurrentError("frmGameList, cmdPrintAll_Click", Sql::Without);
    }
}

void frmGameList::done(int result) {
    if (!cboPlayer->isHidden() && cboPlayer->currentIndex() >= 0)
        ctx_.nCurPlayerID = SelectedItemData(*cboPlayer);
    answer.code = 2;
    SetMousePointer(Pointer::Hourglass);
    QDialog::done(result);
}

}  // namespace dc

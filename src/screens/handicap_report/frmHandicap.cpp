#include "handicap_report/frmHandicap.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "handicap_report/CardFigures.h"
#include "handicap_report/HcpCards.h"
#include "handicap_report/HcpPrint.h"
#include "handicap_report/HcpReportStore.h"
#include "platform/Clock.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/PrinterError.h"
#include "platform/PrinterPageFactory.h"
#include "platform/Spread.h"
#include "records/CourseStore.h"
#include "records/PlayerList.h"
#include "records/PlayerStore.h"
#include "scorecards/CourseHcpText.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/ShellDoc.h"
#include "shell/GridFit.h"
#include "shell/ListLoaders.h"
#include "shell/ScreenBoxes.h"
#include "tools/Email.h"
#include "tools/frmEmail.h"

namespace dc {

namespace {

const QString kTag = "Form Handicap, ";
constexpr int kReportRows = 23;
const QColor kCyan = Spread::VbColor(0xFFFF00);

QLabel* Caption(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLabel* Box(QWidget* parent, const char* name) {
    auto* l = Caption(parent, name, QString());
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(90);
    l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

// Runs one printout on a new printer page; a failing printer is told once, and the document ended.
void RunPrintout(const QString& tag, const QString& jobName, const std::function<void(PrinterPage&)>& print) {
    try {
        auto page = CreatePrinterPage();
        page->SetJobName(jobName);
        try {
            print(*page);
        } catch (const PrinterError& e) {
            MsgBox(PrintErrorText(e.number(), e.description()), vbInformation);
            try {
                page->EndDoc();
            } catch (...) {
            }
        }
        ReportPrintOutcome(*page);
    } catch (const PrinterError& e) {
        MsgBox(PrintErrorText(e.number(), e.description()), vbInformation);
    } catch (...) {
        ReportCurrentError(kTag + tag, Sql::Without);
    }
}

// The player box keeps its entries in alphabetical order of their texts, each with its key.
void SortPlayers(QComboBox& box) {
    std::vector<std::pair<QString, QVariant>> entries;
    for (int i = 0; i < box.count(); ++i) entries.emplace_back(box.itemText(i), box.itemData(i));
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    box.clear();
    for (const auto& [text, key] : entries) box.addItem(text, key);
}

}  // namespace

frmHandicap::frmHandicap(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmHandicap");
    setWindowTitle("Handicap Utility");
    BuildControls();
    Connect();
    Form_Load();
}

QGroupBox* frmHandicap::BuildTeeBoxFrame() {
    auto* Frame5 = new QGroupBox(this);
    Frame5->setObjectName("Frame5");
    auto* f5 = new QGridLayout(Frame5);
    cboCourse = new QComboBox(Frame5);
    cboCourse->setObjectName("cboCourse");
    cboCourse->setMinimumWidth(240);
    cboTeeBox = new QComboBox(Frame5);
    cboTeeBox->setObjectName("cboTeeBox");
    f5->addWidget(Caption(Frame5, "Label15", "Course"), 0, 0);
    f5->addWidget(cboCourse, 0, 1, 1, 3);
    f5->addWidget(Caption(Frame5, "Label2", "Tee Box"), 1, 0);
    f5->addWidget(cboTeeBox, 1, 1, 1, 3);
    Label3 = Caption(Frame5, "Label3", "Index");
    Label5 = Caption(Frame5, "Label5", "Handicap");
    Label4[0] = nullptr;
    Label4[1] = Caption(Frame5, "Label4_1", "Regular");
    Label4[2] = Caption(Frame5, "Label4_2", "Tournament");
    HIBox = Box(Frame5, "HIBox");
    HandicapBox = Box(Frame5, "HandicapBox");
    TIBox = Box(Frame5, "TIBox");
    TournBox = Box(Frame5, "TournBox");
    for (QLabel* l : {Label3, Label5, HIBox, HandicapBox, TIBox, TournBox}) l->setAlignment(Qt::AlignCenter);
    f5->addWidget(Label3, 2, 1);
    f5->addWidget(Label5, 2, 2);
    f5->addWidget(Label4[1], 3, 0);
    f5->addWidget(HIBox, 3, 1);
    f5->addWidget(HandicapBox, 3, 2);
    f5->addWidget(Label4[2], 4, 0);
    f5->addWidget(TIBox, 4, 1);
    f5->addWidget(TournBox, 4, 2);

    return Frame5;
}

QHBoxLayout* frmHandicap::BuildGridAndButtons() {
    auto* Frame4 = new QGroupBox("Scores/Index Table", this);
    Frame4->setObjectName("Frame4");
    auto* f4 = new QVBoxLayout(Frame4);
    spHcp = new Spread(Frame4);
    spHcp->setObjectName("spHcp");
    nameFit_ = new GridFit(*spHcp, 2, 2780);
    f4->addWidget(spHcp);

    cmdPrint = Button(this, "cmdPrint", "&Print List");
    cmdSendEmail = Button(this, "cmdSendEmail", "Send E&mail");
    cmdHelp = Button(this, "cmdHelp", "Help");
    cmdClose = Button(this, "cmdClose", "Clos&e");
    auto* fraCards = new QGroupBox("Handicap Cards", this);
    fraCards->setObjectName("fraCards");
    auto* fc = new QGridLayout(fraCards);
    cmdHcpCards = Button(fraCards, "cmdHcpCards", "Hcp Cards");
    cboFontType = new QComboBox(fraCards);
    cboFontType->setObjectName("cboFontType");
    cboFontStyle = new QComboBox(fraCards);
    cboFontStyle->setObjectName("cboFontStyle");
    fc->addWidget(Caption(fraCards, "lblFontType", "Font Type"), 0, 0);
    fc->addWidget(cboFontType, 0, 1);
    fc->addWidget(Caption(fraCards, "lblFontStyle", "Font Style"), 1, 0);
    fc->addWidget(cboFontStyle, 1, 1);
    fc->addWidget(cmdHcpCards, 0, 2, 2, 1);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdPrint, cmdSendEmail}) buttons->addWidget(b);
    buttons->addWidget(fraCards);
    buttons->addStretch();
    for (QPushButton* b : {cmdHelp, cmdClose}) buttons->addWidget(b);
    auto* middle = new QHBoxLayout;
    middle->addWidget(Frame4, 1);
    middle->addLayout(buttons);
    return middle;
}

void frmHandicap::BuildControls() {
    QFont bold = font();
    bold.setBold(true);

    PlayerCap = Caption(this, "PlayerCap", "Player");
    cboPlayer = new QComboBox(this);
    cboPlayer->setObjectName("cboPlayer");
    cboPlayer->setMinimumWidth(260);
    chkOneYear = new QCheckBox("Last 12 Months ONLY", this);
    chkOneYear->setObjectName("chkOneYear");

    auto* fraHoleCountry = new QGroupBox(this);
    fraHoleCountry->setObjectName("fraHoleCountry");
    auto* hcl = new QGridLayout(fraHoleCountry);
    opt189[0] = optUSCan[0] = HC[0] = nullptr;
    opt189[1] = new QRadioButton("18 Hole", fraHoleCountry);
    opt189[2] = new QRadioButton("9 Hole", fraHoleCountry);
    optUSCan[1] = new QRadioButton("US", fraHoleCountry);
    optUSCan[2] = new QRadioButton("Canada", fraHoleCountry);
    auto* holes = new QWidget(fraHoleCountry);
    auto* hl = new QVBoxLayout(holes);
    hl->setContentsMargins(0, 0, 0, 0);
    auto* rules = new QWidget(fraHoleCountry);
    auto* rl = new QVBoxLayout(rules);
    rl->setContentsMargins(0, 0, 0, 0);
    for (int i = 1; i <= 2; ++i) {
        opt189[i]->setObjectName(QString("opt189_%1").arg(i));
        optUSCan[i]->setObjectName(QString("optUSCan_%1").arg(i));
        hl->addWidget(opt189[i]);
        rl->addWidget(optUSCan[i]);
    }
    opt189[1]->setChecked(true);
    optUSCan[1]->setChecked(true);
    hcl->addWidget(holes, 0, 0);
    hcl->addWidget(rules, 0, 1);

    auto* Frame3 = new QGroupBox("Handicap Display", this);
    Frame3->setObjectName("Frame3");
    auto* f3 = new QVBoxLayout(Frame3);
    const char* views[] = {"", "Individual Scores", "Index (Alphabetical)", "Index (Low to High)"};
    for (int i = 1; i <= 3; ++i) {
        HC[i] = new QRadioButton(views[i], Frame3);
        HC[i]->setObjectName(QString("HC_%1").arg(i));
        f3->addWidget(HC[i]);
    }
    HC[1]->setChecked(true);

    QGroupBox* Frame5 = BuildTeeBoxFrame();
    QHBoxLayout* middle = BuildGridAndButtons();
    capHelp = Caption(this, "capHelp", QString());
    capHelp->setFrameShape(QFrame::Panel);
    capHelp->setFrameShadow(QFrame::Sunken);

    for (QWidget* w : std::initializer_list<QWidget*>{PlayerCap, Label3, Label5, Label4[1], Label4[2], HIBox,
                                                      HandicapBox, TIBox, TournBox})
        w->setFont(bold);

    auto* left = new QVBoxLayout;
    auto* playerRow = new QHBoxLayout;
    playerRow->addWidget(PlayerCap);
    playerRow->addWidget(cboPlayer, 1);
    left->addLayout(playerRow);
    left->addWidget(chkOneYear);
    left->addWidget(fraHoleCountry);
    left->addWidget(Frame3);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(Frame5, 1);

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addLayout(middle, 1);
    root->addWidget(capHelp);
    resize(900, 700);
    FitComboBoxes(*this);  // drop-downs as wide as their longest entry
}

void frmHandicap::Connect() {
    connect(cboPlayer, &QComboBox::activated, this, [this] { cboPlayer_Click(); });
    connect(chkOneYear, &QCheckBox::clicked, this, [this] { chkOneYear_Click(); });
    connect(cboCourse, &QComboBox::activated, this, [this] { cboCourse_Click(); });
    connect(cboTeeBox, &QComboBox::activated, this, [this] { cboTeeBox_Click(); });
    for (int i = 1; i <= 2; ++i) {
        connect(opt189[i], &QRadioButton::clicked, this, [this, i] { opt189_Click(i); });
        connect(optUSCan[i], &QRadioButton::clicked, this, [this, i] { optUSCan_Click(i); });
    }
    for (int i = 1; i <= 3; ++i) connect(HC[i], &QRadioButton::clicked, this, [this, i] { HC_Click(i); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdSendEmail, &QPushButton::clicked, this, [this] { cmdSendEmail_Click(); });
    connect(cmdHcpCards, &QPushButton::clicked, this, [this] { cmdHcpCards_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    for (QWidget* w :
         std::initializer_list<QWidget*>{cboPlayer, cboCourse, cboTeeBox, cmdPrint, cmdHcpCards, cmdClose})
        w->installEventFilter(this);
}

bool frmHandicap::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == cboPlayer) capHelp->setText("Choose a Player for calculating a Handicap.");
        if (watched == cboCourse) capHelp->setText("Choose a course for calculating a course Handicap.");
        if (watched == cboTeeBox) capHelp->setText("Click to calculate Handicap for a particular Tee Box.");
        if (watched == cmdPrint) capHelp->setText("Click to print the current scores.");
        if (watched == cmdHcpCards) capHelp->setText("Click to print out Handicap Cards for player(s).");
        if (watched == cmdClose) capHelp->setText("Click to return to Main Screen.");
    }
    return QDialog::eventFilter(watched, event);
}

void frmHandicap::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SetMousePointer(Pointer::Default);
}

bool frmHandicap::Is18() const { return opt189[1]->isChecked(); }
RuleSet frmHandicap::Rules() const { return optUSCan[1]->isChecked() ? RuleSet::US : RuleSet::CA; }
bool frmHandicap::IndividualView() const { return HC[1]->isChecked(); }

void frmHandicap::Form_Load() {
    try {
        capHelp->setText("Select a Player for Handicap calculations.");
        Setup_spHcp();
        Clear_spHcp();
        // The options only take the program's settings here; the player's report is computed once,
        // below, when the lists are filled.
        opt189[ctx_.bFlag18_9 ? 1 : 2]->setChecked(true);
        optUSCan[ctx_.bUSCAFlag ? 1 : 2]->setChecked(true);
        Load_Players(*cboPlayer, ctx_);
        SortPlayers(*cboPlayer);
        cboCourse->clear();
        Load_Course_Info(*cboCourse, ctx_);
        cboPlayer->setCurrentIndex(-1);
        cboCourse->setCurrentIndex(-1);
        const int course = cboCourse->findData(ctx_.nCurCourseID);
        if (course >= 0) {
            cboCourse->setCurrentIndex(course);
            Load_TeeBox(*cboTeeBox, ctx_, ctx_.nCurCourseID);
            cboTeeBox->setCurrentIndex(-1);
        }
        // Printing waits for a report, and the tournament row for one that has it: the preselected
        // player's report below may bring both.
        cmdPrint->setEnabled(false);
        for (QLabel* l : {Label4[2], TIBox}) l->setVisible(false);
        ShowTournHcp(false);
        const int player = ctx_.nCurPlayerID > 0 ? cboPlayer->findData(ctx_.nCurPlayerID) : -1;
        if (player >= 0) {
            bNoPlayerClick = 1;
            cboPlayer->setCurrentIndex(player);
            bNoPlayerClick = 0;
            // His gender as stored: it may have been corrected since another screen read it.
            if (const auto p = PlayerStore(ctx_.Connection()).LoadPlayerRec(ctx_.nCurPlayerID))
                gender_ = p->GENDER;
            CalcHandicap();
        }
        cboFontStyle->addItems({"Regular", "Bold"});
        cboFontStyle->setCurrentIndex(0);
        LoadPrinterFonts();
    } catch (...) {
        ReportCurrentError(kTag + "Form_Load", Sql::Without);
    }
}

void frmHandicap::LoadPrinterFonts() {
    try {
        auto page = CreatePrinterPage();
        for (int i = 1; i <= page->FontCount(); ++i) {
            const QString name = page->Fonts(i);
            if (!name.trimmed().isEmpty()) cboFontType->addItem(name);
        }
        for (int i = 0; i < cboFontType->count(); ++i)
            if (cboFontType->itemText(i).left(11) == "Courier New") cboFontType->setCurrentIndex(i);
    } catch (const PrinterError&) {
        MsgBox("Please install a printer before attempting to run handicap cards.", vbExclamation);
    }
}

void frmHandicap::Setup_spHcp() {
    Spread& g = *spHcp;
    g.SetMaxCols(4);
    SetRowCount(kReportRows);
    const char* headers[] = {"Score", "Email", "Course", "Tee Box", "Date"};
    const int widths[] = {645, 0, 2780, 870, 950};
    for (int c = 0; c <= 4; ++c) {
        g.SetCellText(c, 0, headers[c]);
        g.SetColWidth(c, widths[c]);
        auto column = g.Cells(c, -1);
        if (c == 1) {
            column.SetCellType(SpreadCellType::CheckBox).SetTypeCheckCenter(true).SetLock(false);
            continue;
        }
        column.SetTypeHAlign(c == 2 ? SpreadHAlign::Left : SpreadHAlign::Center);
        if (c >= 2) column.SetCellType(SpreadCellType::StaticText).SetLock(true).SetBackColor(kCyan);
    }
    g.SetRowHeight(0, g.MaxTextRowHeight(0));
}

void frmHandicap::FitColumns() {
    // The figure columns as wide as their texts. A player's rounds: the tee box shares what they
    // leave with the course, so a long tee name never pushes the date out of sight; a cut one
    // shows its tooltip. The lists: the player's name takes it all.
    const int minimum[] = {645, 0, 0, 870, 950};
    for (int c : {0, 3, 4}) {
        if (c == 3 && individualWidth_) continue;
        int px = 0;
        for (int r = 0; r <= spHcp->MaxRows(); ++r)
            px = std::max(px, spHcp->fontMetrics().horizontalAdvance(spHcp->CellText(c, r)));
        spHcp->SetColWidth(c, std::max(minimum[c], (px + 16) * Spread::kTwipsPerPixel));
    }
    if (individualWidth_)
        nameFit_->SetStretchColumns({{2, 2780}, {3, minimum[3]}});
    else
        nameFit_->SetStretchColumns({{2, 2180}});
}

void frmHandicap::Clear_spHcp() {
    for (int r = 1; r <= spHcp->MaxRows(); ++r) {
        spHcp->SetCellText(1, r, " ");
        for (int c : {0, 2, 3, 4}) ShowCell(c, r, " ");
    }
}

void frmHandicap::SetRowCount(int rows) {
    spHcp->SetMaxRows(rows);
    shown_.rows.assign(static_cast<size_t>(rows), PrintRow{});
}

void frmHandicap::ShowCell(int col, int row, const QString& text) {
    spHcp->SetCellText(col, row, text);
    if (row > static_cast<int>(shown_.rows.size())) shown_.rows.resize(static_cast<size_t>(row));
    PrintRow& shown = shown_.rows[static_cast<size_t>(row - 1)];
    (col == 0 ? shown.first : col == 2 ? shown.second : col == 3 ? shown.third : shown.date) = text;
}

void frmHandicap::ShowFigure(QLabel* box, const QString& text) {
    box->setText(text);
    (box == HIBox         ? shown_.index
     : box == TIBox       ? shown_.tIndex
     : box == HandicapBox ? shown_.hcp
                          : shown_.tHcp) = text;
}

void frmHandicap::ShowTournHcp(bool shown) {
    TournBox->setVisible(shown);
    shown_.tHcpShown = shown;
}

void frmHandicap::CalcHandicap() {
    SetMousePointer(Pointer::Hourglass);
    if (HC[1]->isChecked())
        HandCalc();
    else
        HC_Click(HC[2]->isChecked() ? 2 : 3);
    SetMousePointer(Pointer::Default);
}

void frmHandicap::HandCalc() {
    const bool nine = !Is18();
    try {
        SetRowCount(0);
        SetRowCount(kReportRows);
        Clear_spHcp();
        ClearReportFigures();
        const std::vector<ReportRound> rounds =
            HcpReportStore(ctx_.Connection())
                .LoadReportRounds(ctx_.nCurPlayerID, chkOneYear->isChecked(), ctx_.sDateFormat);
        if (rounds.empty()) {
            WarningSound(ctx_);
            MsgBox("No Rounds found.", vbExclamation);
            return;
        }
        const HcpReport report =
            BuildReport(nine ? CountScores9(rounds, Rules()) : CountScores18(rounds, Rules()));
        if (!report.Enough()) {
            // The tee box goes with its course: cards would print "Not selected" beside it.
            cboCourse->setCurrentIndex(-1);
            cboTeeBox->setCurrentIndex(-1);
            cmdPrint->setEnabled(false);
            MsgBox("Not enough scores to calculate a Handicap.", vbInformation);
            return;
        }
        ShowReport(report, nine);
        if (cboCourse->currentIndex() != -1) cboCourse_Click();
        cmdPrint->setEnabled(true);
    } catch (...) {
        ReportCurrentError(kTag + (nine ? "HandCalc9" : "HandCalc18"));
    }
}

void frmHandicap::ShowReport(const HcpReport& report, bool nineHoles) {
    const int count = static_cast<int>(report.scores.size());
    for (int i = 0; i < count; ++i) {
        const CountedScore& s = report.scores[i];
        ShowCell(0, i + 1, ScoreText(ReportScore(s, nineHoles), s.tourn, report.marked[i]));
        ShowCell(2, i + 1, s.course);
        ShowCell(3, i + 1, s.tee);
        ShowCell(4, i + 1, s.date);
    }
    sngRptIndex = report.index;
    reportShown_ = true;
    ShowFigure(HIBox, ReportIndexText(report.index));
    ShowFigure(TIBox, ReportTournText(report));
    if (!report.lowestTourn.empty()) {
        ShowCell(2, count + 1, "Lowest 2 Tournament Scores");
        for (int k = 0; k < 2; ++k) {
            const CountedScore& s = report.lowestTourn[k];
            ShowCell(0, count + 2 + k, QString::number(ReportScore(s, nineHoles)));
            ShowCell(2, count + 2 + k, s.course);
            ShowCell(3, count + 2 + k, s.tee);
            ShowCell(4, count + 2 + k, s.date);
        }
    }
    FitColumns();
    const bool shown = report.tourn == TournState::Shown;
    nTournShown = shown ? 1 : 0;
    if (shown) sngRptTIndex = report.tIndex;
    TIBox->setVisible(true);
    Label4[2]->setVisible(true);
    ShowTournHcp(shown);
}

void frmHandicap::ClearReportFigures() {
    reportShown_ = false;
    sngRptIndex = 0;
    sngRptTIndex = kNoTournIndexF;
    nTournShown = 0;
    for (QLabel* l : {HIBox, TIBox, HandicapBox, TournBox}) ShowFigure(l, QString());
    ShowTournHcp(false);  // its line is printed only beside a tournament handicap
}

std::pair<int, int> frmHandicap::ChosenTeeSlopes() const {
    if (cboTeeBox->currentIndex() < 0) return {0, 0};
    const auto course = CourseStore(ctx_.Connection()).LoadCourse(ctx_.nCurCourseID);
    if (!course) return {0, 0};
    const int slot = SelectedItemData(*cboTeeBox);
    return {static_cast<int>(SlotNumber(course->MSL, Packed::MSL, slot)),
            static_cast<int>(SlotNumber(course->WSL, Packed::WSL, slot))};
}

void frmHandicap::cboPlayer_Click() {
    if (bNoPlayerClick != 0) return;
    try {
        Clear_spHcp();
        ShowFigure(HIBox, QString());
        ShowFigure(TIBox, QString());
        if (cboPlayer->currentIndex() < 0) return;
        ShowFigure(HandicapBox, QString());
        ShowFigure(TournBox, QString());
        ctx_.nCurPlayerID = SelectedItemData(*cboPlayer);
        if (const auto player = PlayerStore(ctx_.Connection()).LoadPlayerRec(ctx_.nCurPlayerID))
            gender_ = player->GENDER;
        CalcHandicap();
    } catch (...) {
        ReportCurrentError(kTag + "cboPlayer_Click");
    }
}

void frmHandicap::cboCourse_Click() {
    if (cboCourse->currentIndex() < 0) return;
    const int course = SelectedItemData(*cboCourse);
    if (course == ctx_.nCurCourseID) return;
    ctx_.nCurCourseID = course;
    Load_TeeBox(*cboTeeBox, ctx_, ctx_.nCurCourseID);
    cboTeeBox->setCurrentIndex(-1);
}

void frmHandicap::cboTeeBox_Click() {
    try {
        const auto [menSlope, womenSlope] = ChosenTeeSlopes();
        if (cboTeeBox->currentIndex() >= 0 && CourseStore(ctx_.Connection()).LoadCourse(ctx_.nCurCourseID))
            ctx_.nCurTeeBox = SelectedItemData(*cboTeeBox);
        int slope = 0;
        if (!IndividualView()) {
            for (int r = 0; r < static_cast<int>(listRows_.size()); ++r) {
                const IndexListRow& row = listRows_[r];
                if (row.name.trimmed().isEmpty()) continue;
                ShowCell(3, r + 1,
                         CourseHcpText(row.shown, SlopeForGender(row.gender, menSlope, womenSlope)));
            }
        } else {
            // A player without a report has no index, so no course handicap either.
            slope = SlopeForGender(gender_, menSlope, womenSlope);
            if (reportShown_)
                ShowFigure(HandicapBox, CourseHcpText(sngRptIndex, slope));
            else
                ShowFigure(HandicapBox, QString());
        }
        if (nTournShown != 1) {
            ShowFigure(TournBox, QString());
            return;
        }
        for (QLabel* l : {Label4[2], TIBox}) l->setVisible(true);
        ShowTournHcp(true);
        ShowFigure(TournBox, CourseHcpText(sngRptTIndex, slope));
    } catch (...) {
        ReportCurrentError(kTag + "cboTeeBox_Click");
    }
}

void frmHandicap::opt189_Click(int index) {
    ctx_.bFlag18_9 = index == 1;
    CalcHandicap();
    cboTeeBox_Click();
}

void frmHandicap::optUSCan_Click(int index) {
    ctx_.bUSCAFlag = index == 1;
    CalcHandicap();
    cboTeeBox_Click();
}

void frmHandicap::SetIndividualLayout(bool individual) {
    cmdSendEmail->setEnabled(!individual);
    spHcp->SetColWidth(1, individual ? 0 : 600);
    individualWidth_ = individual;
    spHcp->SetColWidth(2, individual ? 2780 : 2180);
    spHcp->SetCellText(0, 0, individual ? "Score" : "Index");
    spHcp->SetCellText(2, 0, individual ? "Course" : "Player");
    spHcp->SetCellText(3, 0, individual ? "Tee Box" : "Hcp");
    for (QWidget* w : std::initializer_list<QWidget*>{PlayerCap, cboPlayer, chkOneYear, Label3, HIBox,
                                                      Label4[1], TIBox, Label5, HandicapBox, Label4[2]})
        w->setVisible(individual);
    ShowTournHcp(false);
}

void frmHandicap::HC_Click(int index) {
    SetMousePointer(Pointer::Hourglass);
    spHcp->SetReDraw(false);
    auto finish = [this] {
        spHcp->SetReDraw(true);
        SetMousePointer(Pointer::Default);
    };
    try {
        Clear_spHcp();
        if (cboPlayer->count() == 0) return finish();
        if (HC[1]->isChecked()) {
            SetIndividualLayout(true);
            listRows_.clear();
            SetRowCount(kReportRows);
            Clear_spHcp();
            if (cboPlayer->currentIndex() < 0 && ctx_.nCurPlayerID <= 0) {
                WarningSound(ctx_);
                MsgBox("A Player must be selected.", vbInformation);
                finish();
                cboPlayer->setFocus();
                cmdPrint->setEnabled(false);
                return;
            }
            const int player = cboPlayer->findData(ctx_.nCurPlayerID);
            if (player >= 0) {
                bNoPlayerClick = 1;
                cboPlayer->setCurrentIndex(player);
                bNoPlayerClick = 0;
                if (const auto p = PlayerStore(ctx_.Connection()).LoadPlayerRec(ctx_.nCurPlayerID))
                    gender_ = p->GENDER;
            }
            CalcHandicap();
        } else {
            ShowList(index == 2 ? IndexOrder::Alphabetical : IndexOrder::LowToHigh);
            if (!bNoPlayerClick) cboCourse_Click();
        }
        spHcp->SetReDraw(true);
        if (cboTeeBox->currentIndex() >= 0) cboTeeBox_Click();
        SetMousePointer(Pointer::Default);
    } catch (...) {
        finish();
        ReportCurrentError(kTag + "HC_Click");
    }
}

void frmHandicap::ShowList(IndexOrder order) {
    SetIndividualLayout(false);
    ClearReportFigures();
    std::vector<ListedPlayer> players;
    for (int i = 0; i < cboPlayer->count(); ++i)
        players.push_back({cboPlayer->itemData(i).toInt(), cboPlayer->itemText(i)});
    bNoPlayerClick = 1;
    cboPlayer->setCurrentIndex(-1);
    bNoPlayerClick = 0;
    listRows_.clear();
    SetRowCount(static_cast<int>(players.size()));
    Clear_spHcp();
    cmdPrint->setEnabled(true);
    listRows_ = IndexList(ctx_.Connection(), Is18(), Rules(), ctx_.sDateFormat).Build(players, order);
    for (int r = 0; r < static_cast<int>(listRows_.size()); ++r) {
        const IndexListRow& row = listRows_[r];
        ShowCell(0, r + 1, row.indexText);
        ShowCell(2, r + 1, row.name);
        ShowCell(4, r + 1, row.date);
    }
    FitColumns();
}

void frmHandicap::cmdPrint_Click() {
    const QString today = FormatLocalDate(Today(), ctx_.sDateFormat);
    if (IndividualView()) {
        IndividualPrint p{
            cboPlayer->currentText(), today,      shown_.index, shown_.tIndex,    cboCourse->currentText(),
            cboTeeBox->currentText(), shown_.hcp, shown_.tHcp,  shown_.tHcpShown, {}, {}};
        for (int r = 1; r <= kReportRows && r <= static_cast<int>(shown_.rows.size()); ++r)
            p.rows[r - 1] = shown_.rows[static_cast<size_t>(r - 1)];
        for (int i = 0; i < cboPlayer->count(); ++i) p.players << cboPlayer->itemText(i);
        RunPrintout("PrintIndividual", "Handicap Report", [&](PrinterPage& page) {
            SetUpReportPage(page);
            PrintIndividual(page, p);
        });
        return;
    }
    IndexListPrint list{today, cboCourse->currentText().trimmed(), cboTeeBox->currentText().trimmed(), {}, {}};
    list.rows = shown_.rows;
    for (const IndexListRow& row : listRows_) list.surnames << row.surname;
    RunPrintout(HC[2]->isChecked() ? "PrintIndexAlpha" : "PrintIndexLowHigh", "Handicap Index List",
                [&](PrinterPage& page) {
                    SetUpReportPage(page);
                    PrintIndexList(page, list);
                });
}

CardFigures frmHandicap::PlayerCardFigures(int playerId, const QString& gender) {
    try {
        HcpReportStore store(ctx_.Connection());
        const bool oneYear = chkOneYear->isChecked();
        const std::vector<ReportRound> rounds = store.LoadReportRounds(playerId, oneYear, ctx_.sDateFormat);
        const bool olderOnly = oneYear && rounds.empty() && store.ReadListedPlayer(playerId).newest;
        return ComputeCardFigures(rounds, Is18(), Rules(), gender, olderOnly);
    } catch (...) {
        ReportCurrentError(kTag + (Is18() ? "NewGetAdjScr18" : "NewGetAdjScr9"));
        return {};
    }
}

void frmHandicap::cmdHcpCards_Click() {
    CardRun run;
    run.club = ClubText(cboCourse->currentText());
    run.tee = cboTeeBox->currentText();
    run.date = FormatLocalDate(Today(), ctx_.sDateFormat);
    run.fontName = cboFontType->currentText();
    run.bold = cboFontStyle->currentText() != "Regular";
    const bool courseChosen = run.club != "Not selected";
    std::vector<HandicapCard> cards;
    SetMousePointer(Pointer::Hourglass);
    const auto [menSlope, womenSlope] = courseChosen ? ChosenTeeSlopes() : std::pair<int, int>{0, 0};
    for (int i = 0; i < cboPlayer->count(); ++i) {
        const int id = cboPlayer->itemData(i).toInt();
        const auto player = PlayerStore(ctx_.Connection()).LoadPlayerRec(id);
        const QString gender = player ? player->GENDER : QString();
        // The chosen tee box's slope for the player's gender, as the screen's course handicap.
        const int teeSlope = SlopeForGender(gender, menSlope, womenSlope);
        cards.push_back(
            MakeCard(cboPlayer->itemText(i), PlayerCardFigures(id, gender), courseChosen, teeSlope));
    }
    SetMousePointer(Pointer::Default);
    if (cards.empty()) return;
    RunPrintout("cmdHcpCards_Click", "Handicap Cards",
                [&](PrinterPage& page) { PrintHandicapCards(page, cards, run); });
}

void frmHandicap::cmdSendEmail_Click() {
    SetMousePointer(Pointer::Hourglass);
    OpenEmailScreen(ctx_, QString(), QString(), QString(), this);
    SetMousePointer(Pointer::Default);
}

void frmHandicap::cmdHelp_Click() { ShellDoc(HelpDocumentPath()); }

void frmHandicap::Form_Unload() {
    // A list view clears the player box but never changes the current player: hand that one back.
    if (cboPlayer->currentIndex() >= 0) ctx_.nCurPlayerID = SelectedItemData(*cboPlayer);
    nReturnCode = 2;
    SetMousePointer(Pointer::Hourglass);
}

void frmHandicap::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

}  // namespace dc

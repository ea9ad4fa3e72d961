#include "reports/frmGraphs.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/PrinterError.h"
#include "platform/PrinterPage.h"
#include "platform/PrinterPageFactory.h"
#include "records/PlayerList.h"
#include "reports/ReportPanel.h"
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

const char* kOptText[] = {"", "Hcp Index", "Score", "% Fairways", "% GIR", "# Putts", "Sand Save"};
const char* kYTitle[] = {"",      "Index",     "Score", "% Fairways Hit", "% Greens in Regulation",
                         "Putts", "Sand Saves"};

}  // namespace

frmGraphs::frmGraphs(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmGraphs");
    setWindowTitle("Statistical Graphs");
    panel = new ReportPanel(ctx_, this, false, true);
    cboPlayer = panel->cboPlayer;
    cboCourse = panel->cboCourse;
    chkAllCourses = panel->chkAllCourses;
    txtSDate = panel->txtSDate;
    txtEDate = panel->txtEDate;
    panel->fraCourses->setObjectName("Frame1");
    chkAllCourses->setChecked(true);
    cboCourse->hide();

    auto* fraHoleCountry = panel->HoleCountryOptions(opt189, optUSCan, [this] { UpdateGraph(); });

    auto* fraOpt = new QGroupBox("Graph", this);
    auto* ol = new QVBoxLayout(fraOpt);
    auto* opts = new QButtonGroup(this);
    for (int i = 1; i <= 6; ++i) {
        Opt[i] = new QRadioButton(kOptText[i], fraOpt);
        Opt[i]->setObjectName(QString("Opt_%1").arg(i));
        opts->addButton(Opt[i]);
        ol->addWidget(Opt[i]);
        connect(Opt[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on && nLoaded == 1) GraphPoints();
        });
    }
    Opt[1]->setChecked(true);
    Label4 = new QLabel("Gross", fraOpt);
    Label4->setObjectName("Label4");
    Label5 = new QLabel("Adjusted", fraOpt);
    Label5->setObjectName("Label5");
    Label4->setStyleSheet("color: rgb(0, 0, 192)");  // the colours of the two sets
    Label5->setStyleSheet("color: rgb(192, 0, 0)");
    ol->addWidget(Label4);
    ol->addWidget(Label5);

    Graph1 = new QChartView(this);
    Graph1->setObjectName("Graph1");
    Graph1->setRenderHint(QPainter::Antialiasing);
    Graph1->setMinimumSize(600, 420);
    Graph1->chart()->legend()->setVisible(false);
    Graph1->chart()->setMargins(QMargins(4, 4, 4, 4));

    cmdPrint = new QPushButton("&Print", this);
    cmdPrint->setObjectName("cmdPrint");
    cmdClose = new QPushButton("Clos&e", this);
    cmdClose->setObjectName("cmdClose");
    cmdHelp = new QPushButton("?", this);
    cmdHelp->setObjectName("cmdHelp");

    auto* left = new QVBoxLayout;
    left->addWidget(panel->fraPlayers);
    left->addWidget(panel->fraCourses);
    left->addWidget(panel->dates);
    left->addWidget(fraHoleCountry);
    left->addWidget(fraOpt);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(Graph1, 1);
    auto* buttons = panel->ButtonRow({cmdPrint, cmdClose, cmdHelp});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(1010, 700);

    panel->SetHint(cboPlayer, "Click the down arrow to display/pick current players.");
    panel->SetHint(cboCourse, "Click the down arrow to display/pick current courses.");
    panel->SetHint(chkAllCourses,
                   "Click-on to select all courses for search; Click-off to use only one course.");
    panel->SetHint(txtSDate, "Enter Start Date for statistics. (ie. 03/04/2000, no need to type slashes)",
                   true);
    panel->SetHint(txtEDate, "Enter End Date for graphs. (ie. 03/04/2000, no need to type slashes)", true);
    panel->SetHint(cmdPrint, "Click to Print Graph Screen.");
    panel->SetHint(cmdClose, "Click to return to Main Screen.");

    auto redraw = [this] {
        if (nLoaded == 1) UpdateGraph();
    };
    panel->OnChange(redraw);
    connect(cmdPrint, &QPushButton::clicked, this, &frmGraphs::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { ShellDoc(HelpDocumentPath()); });
    Form_Load();
}

frmGraphs::~frmGraphs() { StopHandlers(*this); }

void frmGraphs::Form_Load() {
    try {
        nLoaded = 0;
        if (!ctx_.bFlag18_9) opt189[2]->setChecked(true);
        if (!ctx_.bUSCAFlag) optUSCan[2]->setChecked(true);
        SetDateFormat(*txtSDate, ctx_.sDateFormat);
        SetDateFormat(*txtEDate, ctx_.sDateFormat);
        panel->LoadLists(true, true);
        if (ctx_.nCurPlayerID > 0) cboPlayer->setCurrentIndex(cboPlayer->findData(ctx_.nCurPlayerID));
        txtSDate->SetText(ctx_.sStartDate);
        txtEDate->SetText(ctx_.sEndDate);
        nLoaded = 1;
        UpdateGraph();
        Opt[ChosenOption()]->setFocus();  // the hint line keeps the graph's figures when shown
    } catch (...) {
        ReportCurrentError("Form Graphs, Form_Load", Sql::Without);
    }
}

bool frmGraphs::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) SetMousePointer(Pointer::Default);
    return QDialog::event(event);
}

int frmGraphs::ChosenOption() const {
    for (int i = 1; i <= 5; ++i)
        if (Opt[i]->isChecked()) return i;
    return 6;
}

QString frmGraphs::Hint() const { return panel->capHelp->text(); }

void frmGraphs::UpdateGraph() {
    // The old graph belongs to another choice: it stays neither shown nor printed when a check
    // fails. Cleared first, as the course check may tick All Courses, which draws that choice.
    ClearGraph();
    if (!panel->CheckCourse()) return;
    if (cboPlayer->currentIndex() < 0) return;  // no player: nothing to draw, no message
    if (!panel->CheckDates()) return;
    SetMousePointer(Pointer::Hourglass);
    try {
        const auto rounds = ReportStore(ctx_.Connection())
                                .ReadRounds(SelectedItemData(*cboPlayer), panel->StartDate(),
                                            panel->EndDate(), RoundOrder::GameNumber);
        data_ = CollectGraph(rounds, opt189[1]->isChecked(), optUSCan[1]->isChecked(), panel->CourseId());
        nGraphPoints = static_cast<int>(data_.points.size());
    } catch (...) {
        SetMousePointer(Pointer::Default);
        ReportCurrentError("Form Graphs, UpdateGraph", Sql::With);
        return;
    }
    GraphPoints();
}

void frmGraphs::DrawEmpty() {
    Draw(std::vector<std::vector<float>>(ChosenOption() == 2 ? 2 : 1), 0, 1, tickEvery_);  // no points
    ShowFigures(QString());  // the figures go with the graph they described
    cmdPrint->setEnabled(false);
}

void frmGraphs::ShowFigures(const QString& hint) {
    graphHint_ = hint;
    panel->capHelp->setText(hint);
}

void frmGraphs::ClearGraph() {
    data_ = GraphData();
    nGraphPoints = 0;
    DrawEmpty();
}

void frmGraphs::GraphPoints() {
    try {
        const int option = ChosenOption();
        Label4->setVisible(option == 2);
        Label5->setVisible(option == 2);
        if (nGraphPoints < 2) {
            SetMousePointer(Pointer::Default);
            MsgBox("Not enough points to produce a graph.", vbInformation);
            DrawEmpty();
            return;
        }
        cmdPrint->setEnabled(true);
        const GraphView view = MakeGraphView(data_, option);
        tickEvery_ = TickEvery(nGraphPoints, tickEvery_);
        std::vector<std::vector<float>> sets(view.sets);
        for (int s = 0; s < view.sets; ++s)
            for (const auto& p : data_.points) sets[s].push_back(p[view.series[s]]);
        Draw(sets, view.yMin, view.yMax, tickEvery_);
        ShowFigures(view.hint);
    } catch (...) {
        ReportCurrentError("Form Graphs, GraphPoints", Sql::Without);
    }
    SetMousePointer(Pointer::Default);
}

void frmGraphs::Draw(const std::vector<std::vector<float>>& sets, float yMin, float yMax, int tickEvery) {
    auto* chart = new QChart;
    chart->setMargins(QMargins(4, 4, 4, 4));
    const int option = ChosenOption();
    const QColor colours[] = {QColor(0, 0, 192), QColor(192, 0, 0)};
    const char* names[] = {option == 2 ? "Gross" : kOptText[option], "Adjusted"};
    for (int s = 0; s < static_cast<int>(sets.size()); ++s) {
        auto* series = new QLineSeries(chart);
        series->setName(names[s]);
        series->setPointsVisible(true);
        series->setPen(QPen(colours[s], 2));
        for (int k = 0; k < static_cast<int>(sets[s].size()); ++k)
            if (!std::isnan(sets[s][k])) series->append(k + 1, sets[s][k]);  // no value, no point
        chart->addSeries(series);
    }
    auto* x = new QValueAxis(chart);
    x->setTitleText("Round");
    x->setLabelFormat("%d");
    const int points = sets.empty() ? 2 : static_cast<int>(sets[0].size());
    // A margin on both sides, so that the first and last points show whole rather than cut in half.
    const double margin = std::max(0.5, (points - 1) * 0.02);
    x->setRange(1 - margin, std::max(2, points) + margin);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(1);
    x->setTickInterval(points > 20 ? tickEvery : 1);
    auto* y = new QValueAxis(chart);
    y->setRange(yMin, yMax);
    y->setTickCount(11);
    const double step = (yMax - yMin) / 10.0;  // ten divisions: a half step shows its decimal
    y->setLabelFormat(step == std::floor(step) ? "%.0f" : "%.1f");
    y->setTitleText(kYTitle[option]);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (auto* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    chart->legend()->setVisible(sets.size() > 1);
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->setTitle(cboPlayer->currentText().trimmed());
    QChart* old = Graph1->chart();
    Graph1->setChart(chart);
    delete old;
}

void frmGraphs::cmdPrint_Click() {
    // The picture shows the graph's figures, not the print button's hint.
    const auto restore =
        qScopeGuard([this, shown = panel->capHelp->text()] { panel->capHelp->setText(shown); });
    panel->capHelp->setText(graphHint_);
    for (;;) {
        try {
            auto page = CreatePrinterPage();
            page->SetJobName("Statistical Graphs");
            if (width() > height())
                page->SetOrientation(kLandscape);  // the screen as large as the paper allows
            page->PrintWidget(*this);
            ReportPrintOutcome(*page);
            return;
        } catch (const PrinterError& e) {
            if (e.number() != kErrDeviceUnavailable && e.number() != kErrPrinter) return;
            if (MsgBox(PrintErrorText(e.number(), e.description()), vbRetryCancel + vbCritical) != vbRetry)
                return;
        } catch (...) {
            return;
        }
    }
}

void frmGraphs::done(int result) {
    ctx_.nCurPlayerID = SelectedItemData(*cboPlayer);
    nReturnCode = 2;
    SetMousePointer(Pointer::Hourglass);
    QDialog::done(result);
}

}  // namespace dc

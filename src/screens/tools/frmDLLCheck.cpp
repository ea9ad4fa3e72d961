#include "tools/frmDLLCheck.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/PrintJob.h"
#include "platform/PrinterError.h"
#include "platform/Spread.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "shell/ShellDoc.h"
#include "shell/Version.h"
#include "tools/CDLLVersion.h"
#include "tools/DllCheck.h"
#include "tools/DllCheckStore.h"
#include "tools/Email.h"
#include "tools/frmEmail.h"

namespace dc {

namespace {

const QColor kMarked(255, 255, 0);

}  // namespace

frmDLLCheck::frmDLLCheck(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmDLLCheck");
    setWindowTitle("System File Check");
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    spDLL = new Spread(this);
    spDLL->SetMaxCols(5);
    spDLL->SetMaxRows(0);
    const char* headers[] = {"File Path\\Name", "Registered", "Date", "Size (bytes)", "Version"};
    for (int c = 1; c <= 5; ++c) {
        spDLL->SetCellText(c, 0, headers[c - 1]);
        spDLL->SetColWidth(c, c == 1 ? 7200 : 1800);
    }
    spDLL->Cells(-1, -1).SetLock(true);
    cmdPrint = new QPushButton("&Print", this);
    cmdEmail = new QPushButton("E&mail ...", this);
    cmdClose = new QPushButton("Clos&e", this);
    cmdHelp = new QPushButton("?", this);
    cmdHelp->setToolTip("Help");
    cmdHelp->setFixedWidth(cmdHelp->sizeHint().height() * 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    for (QPushButton* b : {cmdPrint, cmdEmail, cmdClose, cmdHelp}) {
        b->setAutoDefault(false);
        if (b != cmdHelp) buttons->addWidget(b);
    }
    layout->addWidget(Label1);
    layout->addWidget(spDLL, 1);
    layout->addLayout(buttons);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdEmail, &QPushButton::clicked, this, [this] { cmdEmail_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    resize(1000, 600);
}

void frmDLLCheck::showEvent(QShowEvent* event) {
    if (!checked_) RunCheck();
    QDialog::showEvent(event);
}

void frmDLLCheck::RunCheck() {
    checked_ = true;
    BusyPointer busy;  // the package database is asked about every file
    spDLL->SetReDraw(false);
    try {
        DllCheckStore(ctx_.Connection()).RefreshExpectedRows(ProgramFolder() + "/DBFiles/" + kBlankDbName);
        CDLLVersion facts(QueryPackages);
        const DllCheckOutcome out =
            RunDllCheck(ctx_.Connection(), facts, ProgramFolder(), Today(), ctx_.sDateFormat);
        Label1->setText(out.heading);
        spDLL->SetMaxRows(static_cast<int>(out.lines.size()));
        lines_ = out.lines;
        int row = 0;
        for (const DllCheckLine& line : lines_) {
            ++row;
            for (int c = 1; c <= 5; ++c) spDLL->SetCellText(c, row, line.cells[c - 1]);
        }
        ShowMarks();
        // Every column as wide as its longest text; the screen as wide as the grid, within 1024 pixels.
        spDLL->resizeColumnsToContents();
        int width = spDLL->verticalHeader()->width() + spDLL->frameWidth() * 2 + 60;
        for (int c = 0; c < spDLL->MaxCols(); ++c) width += spDLL->columnWidth(c);
        resize(std::clamp(width, 640, 1000), height());
    } catch (...) {
        ReportCurrentError("frmDLLCheck, Form_Load", Sql::Without);
    }
    spDLL->SetReDraw(true);
}

void frmDLLCheck::ShowMarks() {
    int row = 0;
    for (const DllCheckLine& line : lines_) {
        ++row;
        for (int c = 1; c <= 5; ++c)
            if (line.marked[c - 1]) spDLL->Cells(c, row).SetBackColor(kMarked);
    }
}

void frmDLLCheck::cmdPrint_Click() {
    try {
        const int rows = spDLL->MaxRows();
        if (rows > 0)
            spDLL->Cells(1, 1, 5, rows).SetBackColor(QColor(255, 255, 255));  // the marks do not print
        spDLL->SetPrintOrientation(SpreadPrintOrientation::Portrait);
        spDLL->SetPrintColHeaders(true);
        spDLL->SetPrintRowHeaders(true);
        spDLL->SetPrintJobName("Printing File Check");
        spDLL->SetPrintHeader("System File Check");
        spDLL->SetPrintAbortMsg("Cancel print job");
        PrintJob job("System File Check");
        if (!spDLL->PrintSheet(job)) throw PrinterError(482, "Printer Error");
        if (rows > 0) spDLL->Cells(1, 1, 5, rows).SetBackColor(QColor(0, 255, 255));
        ShowMarks();  // the differences stay in sight after printing
        ReportPrintOutcomes({job.Outcome()});
    } catch (...) {
        ReportCurrentError("frmDLLCheck, cmdPrint_Click", Sql::Without);
    }
}

QString frmDLLCheck::EmailSubject() {
    return QString("Dado Corvy System Check (CV%1.%2.%3)")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

void frmDLLCheck::cmdEmail_Click() { OpenEmailScreen(ctx_, "System", kSupportAddress, EmailSubject(), this); }

void frmDLLCheck::cmdHelp_Click() const { ShellDoc(HelpDocumentPath()); }

}  // namespace dc

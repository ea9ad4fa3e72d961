#include "records/frmMailingLabels.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/PrinterError.h"
#include "platform/PrinterPageFactory.h"
#include "records/MailingLabels.h"
#include "records/PlayerList.h"
#include "records/TypedKeys.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/ScreenBoxes.h"
#include "shell/SetupStore.h"

namespace dc {

frmMailingLabels::frmMailingLabels(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmMailingLabels");
    setWindowTitle("Print Player Mailing Labels");
    auto* outer = new QGridLayout(this);

    Frame4 = new QGroupBox("Printer Offsets", this);
    auto* offsets = new QGridLayout(Frame4);
    txtXOffset = new QLineEdit(".047", Frame4);
    txtYOffset = new QLineEdit(".25", Frame4);
    offsets->addWidget(new QLabel("x-offset", Frame4), 0, 0);
    offsets->addWidget(txtXOffset, 0, 1);
    offsets->addWidget(new QLabel("y-offset", Frame4), 1, 0);
    offsets->addWidget(txtYOffset, 1, 1);

    Frame2 = new QGroupBox("Sort By", this);
    auto* sort = new QVBoxLayout(Frame2);
    optSort_1 = new QRadioButton("Last Name", Frame2);
    optSort_2 = new QRadioButton("Zip Code", Frame2);
    sort->addWidget(optSort_1);
    sort->addWidget(optSort_2);
    optSort_1->setChecked(true);

    Frame1 = new QGroupBox("Font", this);
    auto* font = new QGridLayout(Frame1);
    cboFontType = new QComboBox(Frame1);
    cboFontStyle = new QComboBox(Frame1);
    font->addWidget(new QLabel("Font Type", Frame1), 0, 0);
    font->addWidget(cboFontType, 0, 1);
    font->addWidget(new QLabel("Font Style", Frame1), 1, 0);
    font->addWidget(cboFontStyle, 1, 1);

    Frame3 = new QGroupBox("Print List", this);
    auto* style = new QVBoxLayout(Frame3);
    optStyle_1 = new QRadioButton("2 x 10 Mailing Labels", Frame3);
    optStyle_2 = new QRadioButton("3 x 10 Mailing Labels", Frame3);
    style->addWidget(optStyle_1);
    style->addWidget(optStyle_2);
    optStyle_2->setChecked(true);

    cmdPrint = new QPushButton("&Print", this);
    cmdClose = new QPushButton("Clos&e", this);
    for (QPushButton* b : {cmdPrint, cmdClose}) b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdClose);

    outer->addWidget(Frame4, 0, 0);
    outer->addWidget(Frame2, 0, 1);
    outer->addWidget(Frame1, 1, 0);
    outer->addWidget(Frame3, 1, 1);
    outer->addLayout(buttons, 2, 0, 1, 2);

    for (QLineEdit* box : {txtXOffset, txtYOffset}) InstallOffsetBox(*box);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    Form_Load();
}

void frmMailingLabels::Form_Load() {
    try {
        cboFontStyle->addItem("Regular");
        cboFontStyle->addItem("Bold");
        cboFontStyle->setCurrentIndex(0);

        auto page = CreatePrinterPage();
        QStringList fonts;
        for (int i = 0; i < page->FontCount(); ++i)
            if (!page->Fonts(i).trimmed().isEmpty()) fonts << page->Fonts(i);
        std::sort(fonts.begin(), fonts.end(),
                  [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        cboFontType->addItems(fonts);
        cboFontType->setCurrentIndex(-1);
        for (int i = 0; i < cboFontType->count(); ++i) {
            if (cboFontType->itemText(i).left(5) == "Arial") {
                cboFontType->setCurrentIndex(i);
                break;
            }
        }

        const PrinterOffsets offsets = SetupStore(ctx_.Connection()).ReadPrinterOffsets();
        txtXOffset->setText(OffsetBoxText(offsets.x));
        txtYOffset->setText(OffsetBoxText(offsets.y));
    } catch (const PrinterError&) {
        MsgBox("Please install a printer before attempting to run handicap cards.", vbExclamation);
    } catch (...) {
        ReportCurrentError("Form Mailing Labels, Form_Load", Sql::Without);
    }
}

void frmMailingLabels::cmdPrint_Click() {
    try {
        if (!OffsetBoxesInRange(*txtXOffset, *txtYOffset, ctx_)) return;
        const double x = OffsetValue(txtXOffset->text());
        const double y = OffsetValue(txtYOffset->text());
        SetupStore(ctx_.Connection()).StorePrinterOffsets(x, y);
    } catch (...) {
        ReportCurrentError("Mailing Labels, cmdPrint_Click", Sql::Without);
        return;
    }
    Print_Labels(optStyle_1->isChecked() ? 2 : 3);
}

void frmMailingLabels::Print_Labels(int across) {
    SetMousePointer(Pointer::Hourglass);
    try {
        const auto players =
            PlayerStore(ctx_.Connection())
                .AllPlayers(optSort_2->isChecked() ? PlayerOrder::Zip : PlayerOrder::LastName);
        if (players.empty()) {
            SetMousePointer(Pointer::Default);
            return;
        }
        const std::vector<LabelText> labels = LabelsOf(players);
        LabelPrintSetup setup;
        setup.across = across;
        setup.xOffsetInches = OffsetValue(txtXOffset->text());
        setup.yOffsetInches = OffsetValue(txtYOffset->text());
        setup.fontName = cboFontType->currentText();
        setup.bold = cboFontStyle->currentText() != "Regular";
        auto page = CreatePrinterPage();
        page->SetJobName("Mailing Labels");
        if (!LabelsInsideOrGoOn(CheckLabelArea(*page, labels, setup))) {
            SetMousePointer(Pointer::Default);
            return;
        }
        PrintLabels(*page, labels, setup);
        ReportPrintOutcome(*page);
    } catch (...) {
        SetMousePointer(Pointer::Default);
        const ErrorInfo error = CurrentError();
        MsgBox(PrintErrorText(error.number, error.description), vbInformation);
        return;
    }
    SetMousePointer(Pointer::Default);
}

namespace {

QString NumberList(const std::vector<int>& numbers) {
    QStringList texts;
    for (int n : numbers) texts << QString::number(n);
    if (texts.size() < 2) return texts.join("");
    const QString last = texts.takeLast();
    return texts.join(", ") + " and " + last;
}

QString Inches(double inches) { return QString::number(inches, 'f', 2) + "\""; }

}  // namespace

bool frmMailingLabels::LabelsInsideOrGoOn(const LabelAreaCheck& check) {
    if (check.Inside()) return true;
    QStringList where;
    if (!check.rows.empty())
        where << (check.rows.size() == 1 ? "row " : "rows ") + NumberList(check.rows) + " of each sheet";
    if (!check.columns.empty())
        where << (check.columns.size() == 1 ? "column " : "columns ") + NumberList(check.columns);
    QString text = "Some label text falls outside the area this printer prints (" + Inches(check.leftInches) +
                   " to " + Inches(check.rightInches) + " from the left edge, " + Inches(check.topInches) +
                   " to " + Inches(check.bottomInches) + " from the top): " + where.join(" and ") + ".\n\n";
    if (check.canFit)
        text += "An x-offset of " + OffsetBoxText(check.xOffset) + " and a y-offset of " +
                OffsetBoxText(check.yOffset) +
                " would bring every label inside (the score cards print with the same offsets and "
                "move with them).\n\n";
    else
        text += "No printer offsets bring every label inside on this printer.\n\n";
    text += "Print the labels anyway? (No goes back to the printer offsets.)";
    SetMousePointer(Pointer::Default);
    if (MsgBox(text, vbYesNo + vbQuestion) == vbYes) return true;
    QLineEdit* box = check.columns.empty() ? txtYOffset : txtXOffset;
    box->setFocus();
    box->selectAll();
    return false;
}

void frmMailingLabels::cmdClose_Click() { close(); }

}  // namespace dc

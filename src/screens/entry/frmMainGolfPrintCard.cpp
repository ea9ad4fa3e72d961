// The main screen's printing of the shown round's score grid as a card.
#include <QComboBox>

#include "entry/frmMainGolf.h"
#include "entry/frmMainGolfShared.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/NameForms.h"
#include "platform/PrintJob.h"
#include "platform/PrinterError.h"
#include "platform/Spread.h"
#include "shell/ErrorReport.h"

namespace dc {

using namespace mainscreen;

void frmMainGolf::cmdPrintScoreCard_Click() {
    try {
        if (cboPlayer->currentIndex() < 0) {
            Ask("Please select a Player before printing an existing score card.", vbInformation);
            cboPlayer->setFocus();
            return;
        }
        if (round.IsNew()) {
            Ask("Please select an existing round of golf for a player before printing an existing score "
                "card.",
                vbInformation);
            cboPlayer->setFocus();
            return;
        }
        spISC->SetPrintOrientation(SpreadPrintOrientation::Portrait);
        // A card: even hole columns across the page, as on the screen.
        spISC->SetPrintWidths(SpreadPrintWidths::AcrossPage);
        spISC->SetPrintColHeaders(true);
        spISC->SetPrintRowHeaders(true);
        spISC->SetPrintJobName("Printing Individual Score Card");
        // A page too narrow for the whole header takes a shorter form of the name, one that reads
        // like no other player's.
        const QString rest = "   Date: " + mskDate->Text() + "   Course: " + cboCourse->currentText() +
                             "   Tee Box: " + cboTeeBox->currentText();
        QStringList players;
        for (int i = 0; i < cboPlayer->count(); ++i) players << cboPlayer->itemText(i);
        QStringList header{cboPlayer->currentText() + rest};
        for (const QString& name : NameSet(players).Forms(cboPlayer->currentText()).mid(1))
            header << name + rest;
        spISC->SetPrintHeaderForms(header);
        spISC->SetPrintAbortMsg("Cancel print job");
        PrintJob job("Individual Score Card");
        // One report for a failing printer; the sheet's painter has ended the document.
        if (!spISC->PrintSheet(job)) throw PrinterError(kErrPrinter, "Printer Error");
        ReportPrintOutcomes({job.Outcome()});
    } catch (...) {
        ReportCurrentError(kTag + "cmdPrintScoreCard_Click", Sql::With);
    }
}

}  // namespace dc

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include "entry/HoleCells.h"
#include "entry/RoundRecalc.h"
#include "entry/frmMainGolf.h"
#include "entry/frmMainGolfShared.h"
#include "platform/Spread.h"
#include "platform/Val.h"
#include "records/CourseStore.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/ListLoaders.h"

namespace dc {

using namespace mainscreen;

// ------------------------------------------------------------------------------------ scoring grid

void frmMainGolf::Calc_Row_Scores(int nRow) {
    try {
        if (nRow <= 0) return;
        const std::array<int, 18> values = round.RowValues(nRow);
        const RowTotals t = RowHasTotals(nRow) ? SumRow(values) : RowTotals{};
        spISC->SetCellText(kColOut, nRow, TotalText(t.front));
        spISC->SetCellText(kColIn, nRow, TotalText(t.back));
        spISC->SetCellText(kColTot, nRow, TotalText(t.total()));
        if (nRow != kRowGross) return;
        round.UpdateAdjusted(values, round.RowValues(kRowPar));
        TakeSaveFigures();
        DisplayHCP_Scores();
    } catch (...) {
        ReportCurrentError("Main Dado, Calc_Row_Scores", Sql::Without);
    }
}

void frmMainGolf::SetHoleText(int row, int hole, const QString& text) {
    round.SetHole(row, hole, HoleFigureOf(text));
    spISC->SetCellText(HoleColumn(hole), row, text);
}

void frmMainGolf::SetHoleTick(int row, int hole, int ticked) {
    round.SetTick(row, hole, ticked);
    spISC->SetCellValue(HoleColumn(hole), row, ticked);
}

void frmMainGolf::TakeCell(int col, int row) {
    if (col < 1 || col == kColOut || col >= kColIn || row < kRowYards || row > kRowFHit) return;
    const int hole = col <= 9 ? col : col - 1;
    if (row >= kRowGir)
        round.SetTick(row, hole, spISC->CellValue(col, row));
    else
        round.SetHole(row, hole, HoleFigureOf(spISC->CellText(col, row)));
}

void frmMainGolf::SetGrossColour(int hole) {
    const int c = HoleColumn(hole);
    const int g = round.Hole(kRowGross, hole).value_or(0);
    const int p = round.Hole(kRowPar, hole).value_or(0);
    spISC->Cells(c, kRowGross).SetForeColor(Spread::VbColor(GrossColour(g, p)));
}

void frmMainGolf::spISC_LeaveCell(int col, int row, int newCol, int /*newRow*/, bool& /*cancel*/) {
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
            spISC->SetEditSelLength(kWholeScore);  // typing replaces the whole score, "10" too
        }
    } catch (...) {
        ReportCurrentError(kTag + "spISC_LeaveCell", Sql::Without);
    }
}

bool frmMainGolf::CommitTyping(bool refuseNow) {
    if (!spISC->IsEditing()) return true;
    const int col = spISC->ActiveCol(), row = spISC->ActiveRow();
    if (refuseNow) {
        // A score the cell cannot take is told at once, as a box of the screen (it ends a hold of
        // the bar), and stays in the cell to be typed over.
        StopBarRepeat();
        bool stored = false;
        RunStep(Step::Asking, [this, &stored] { stored = spISC->CommitEditOrRefuse(); });
        if (!stored) return false;
    } else {
        spISC->CommitEdit();
    }
    bool cancel = false;
    spISC_LeaveCell(col, row, -1, -1, cancel);  // totals, caps and colours as on leaving the cell
    return true;
}

void frmMainGolf::spISC_ButtonClicked(int col, int row, bool) {
    TakeCell(col, row);
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
    const int hole = col <= 9 ? col : col - 1;
    if (row == kRowFHit && col >= 1 && col < kColIn && col != kColOut && round.Hole(kRowPar, hole) == 3)
        SetHoleTick(kRowFHit, hole, 0);
    Calc_Row_Scores(row);
}

void frmMainGolf::spISC_Click(int, int row) {
    if (row == kRowGross)
        SetHint("Enter gross score for hole.  See USGA guidlelines for holes picked up or not played.");
    else if (row == kRowPutts)
        SetHint("Enter the number putts taken per hole while ball is on putting surface.");
}

// ------------------------------------------------------------------------------------ course and tee box

void frmMainGolf::UpdateRoundFigures() {
    const bool chosen =
        cboPlayer->currentIndex() >= 0 && cboCourse->currentIndex() >= 0 && cboTeeBox->currentIndex() >= 0;
    if (chosen)
        round.UpdateCourseHcps(round.TeeSlope());
    else
        round.ClearCourseHcps();
    Calc_Row_Scores(kRowGross);  // the capped scores, then the panel
}

void frmMainGolf::TakeSaveFigures() {
    if (!round.Allowed() || cboPlayer->currentIndex() < 0 || !ctx_.HasDatabase()) return;
    const std::optional<RoundRec>& stored = round.Loaded();
    if (!round.IsNew() && !stored) return;
    const ScreenRound screen = CurrentScreenRound();
    RoundEntry entry = CurrentRoundEntry();
    if (stored) {
        const QString storedDate = FormatLocalDate(stored->ROUND_DATE, ctx_.sDateFormat);
        if (SameHandicapEntries(screen, *stored, storedDate) && !round.GenderCorrected()) {
            round.KeepStoredFigures();
            return;
        }
    }
    SavePreview preview(ctx_.Connection(), entry);
    round.TakeSaveFigures(preview, entry);
}

QString frmMainGolf::TeeWarningKey(int rndGameId) const {
    const QString shown = rndGameId == 0 ? QString("new %1").arg(newRoundSerial_)
                                         : QString("round %1 %2").arg(round.ShownPlayerId()).arg(rndGameId);
    return shown + QString(" course %1 tee %2 %3")
                       .arg(round.CourseId())
                       .arg(round.TeeBox())
                       .arg(round.Male() ? "M" : "F");
}

QString frmMainGolf::ShownTeeWarningKey() const {
    return TeeWarningKey(round.IsNew() ? 0 : round.StoredRndGameId());
}

int frmMainGolf::ViewVariant() const {
    return ctx_.bUSCAFlag ? (ctx_.bFlag18_9 ? 1 : 2) : (ctx_.bFlag18_9 ? 4 : 5);
}

void frmMainGolf::ShowTeeBoxHoles(const TeeBoxFigures& q) {
    for (int j = 1; j <= 18; ++j) {
        SetHoleText(kRowYards, j, HoleText(q.yards[j - 1]));
        SetHoleText(kRowHcp, j, HoleText(q.hcp[j - 1]));
        SetHoleText(kRowPar, j, QString::number(q.Par(j)));
        SetGrossColour(j);
    }
    Calc_Row_Scores(kRowYards);
    Calc_Row_Scores(kRowPar);
}

void frmMainGolf::cboTeeBox_Click() {
    RunStep(Step::Showing, [this] {
        try {
            if (cboCourse->currentIndex() < 0 || cboTeeBox->currentIndex() < 0) return;
            const int t = cboTeeBox->currentIndex();
            const std::optional<TeeBoxFigures> q =
                CourseStore(ctx_.Connection()).ReadTeeBox(SelectedItemData(*cboCourse), round.Male(), t);
            if (q) {
                ctx_.nCurTeeBox = t;
                round.SetTee(t, q->slope, q->rating);
                ShowTeeBoxHoles(*q);
            }
            // The course handicaps and allowable scores changed: the capped scores follow.
            UpdateRoundFigures();
            // One warning per choice of a tee box for a round: not again when the round is saved,
            // shown again or its course reselected. It comes when the round is shown whole, and
            // only when this is still the round's tee box then: a later choice replaces it.
            teeWarning_.clear();
            const QString key = ShownTeeWarningKey();
            if (warnedTees_.contains(key)) return;
            // One line per missing value, without an empty line before the first.
            QStringList warning;
            if (round.TeeSlope() == 0)
                warning << "No Slope was provide for this Tee Box.  Handicap and Indexes will not be "
                           "calculated correctly.";
            if (round.TeeRating() == 0)
                warning << "No Course Rating was provide for this Tee Box.  Handicap and Indexes will not be "
                           "calculated correctly.";
            if (Val(q ? q->pars : QString()) == 0)
                warning << "No Pars were provided for this Tee Box.  Adjusted scores might not be calculated "
                           "correctly.";
            if (warning.isEmpty()) return;
            warning << "Please go to the Course Setup screen and add the appropriate values for this "
                       "Tee Box.";
            teeWarning_ = warning.join("\r\n");
            teeWarningKey_ = key;
        } catch (...) {
            ReportCurrentError(kTag + "cboTeeBox_Click", Sql::With);
        }
    });
}

void frmMainGolf::cboCourse_Click() {
    RunStep(Step::Showing, [this] {
        try {
            if (cboCourse->currentIndex() < 0) return;
            round.SetCourse(SelectedItemData(*cboCourse));
            ctx_.nCurCourseID = round.CourseId();  // Load_TeeBox reads the shared one
            {
                const QSignalBlocker block(cboTeeBox);
                if (ctx_.HasDatabase()) Load_TeeBox(*cboTeeBox, ctx_, ctx_.nCurCourseID);
                cboTeeBox->setCurrentIndex(-1);
            }
            if (!cboCourse->currentText().trimmed().isEmpty()) {
                if (chkUseHandicap->isChecked()) chkUseHandicap_Click();
                const std::optional<TeeBoxFigures> q =
                    CourseStore(ctx_.Connection())
                        .ReadTeeBox(round.CourseId(), round.Male(), qMax(0, round.TeeBox()));
                if (round.TeeBox() >= 0 && round.TeeBox() < cboTeeBox->count())
                    cboTeeBox->setCurrentIndex(round.TeeBox());
                if (q) ShowTeeBoxHoles(*q);
            }
            UpdateRoundFigures();
        } catch (...) {
            ReportCurrentError(kTag + "cboCourse_Click", Sql::With);
        }
    });
}

void frmMainGolf::optMF_Click(int index) {
    round.SetMale(index == 0);
    try {
        if (round.GenderSetsIndex()) round.SetGenderDefaults(round.Male());
        // A new round is played off the tee box's slope for the gender chosen; a stored round keeps
        // the slope it was played off, and takes the gender's pars as its save does.
        if (round.IsNew() && cboTeeBox->currentIndex() >= 0)
            cboTeeBox_Click();
        else
            TakeTeeBoxFiguresNow();
    } catch (...) {
        ReportCurrentError(kTag + "optMF_Click", Sql::Without);
    }
}

// ------------------------------------------------------------------------------------ handicap grid

void frmMainGolf::FillLabels(int k, int c) {
    const VariantFigures& f = round.Figures()[c - 1];
    // No player chosen: nobody's previous index.
    lblHI[k]->setText(cboPlayer->currentIndex() >= 0 ? IndexDisplayText(f.prevIndex) : QString());
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
    lblAllowScore[k]->setText(round.AllowScoreText(c));
    lblAllowScore[k]->show();
    lblAdjScore[k]->setText(f.adjusted ? QString::number(*f.adjusted) : QString());
    lblAdjScore[k]->show();
}

void frmMainGolf::DisplayHCP_Scores() {
    try {
        for (QLabel* l : {lblTHI[1], lblTHI[2], lblCurrTIndex[1], lblCurrTIndex[2]}) l->setText("-100");
        const bool is18 = ctx_.bFlag18_9, us = ctx_.bUSCAFlag;
        if (is18) {
            FillLabels(1, us ? 1 : 4);
            for (QLabel* l : {lblF9B9[1], lblF9B9[2], lblHI[2], lblTHI[2], lblCurrIndex[2], lblAllowScore[2],
                              lblAdjScore[2], lblCourseHcp[2]})
                l->hide();
        } else {
            const int front = us ? 2 : 5;
            for (int k = 1; k <= 2; ++k) {
                const int c = front + k - 1;
                if (round.Figures()[c - 1].adjusted.value_or(0) > 0) {
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
        const int first = is18 ? (us ? 1 : 4) : (us ? 2 : 5);
        if (round.IsNew()) {
            // A new round shows no current index, and the course handicap it is played off as soon
            // as its player and tee box are chosen.
            for (QLabel* l : {lblCurrIndex[1], lblCurrIndex[2]}) l->hide();
            const bool chosen = cboPlayer->currentIndex() >= 0 && cboTeeBox->currentIndex() >= 0;
            for (int k = 1; k <= 2; ++k)
                lblCourseHcp[k]->setText(chosen && round.TeeSlope() > 0 && k <= (is18 ? 1 : 2)
                                             ? round.PreviousCourseHcpText(first + k - 1, round.TeeSlope())
                                             : QString());
            return;
        }
        // The course handicap of each shown column's own index.
        for (int k = 1; k <= (is18 ? 1 : 2); ++k)
            lblCourseHcp[k]->setText(round.TeeSlope() <= 0
                                         ? QString()
                                         : round.CurrentCourseHcpText(first + k - 1, round.TeeSlope()));
    } catch (...) {
        ReportCurrentError(kTag + "DisplayHCP_Scores", Sql::Without);
    }
}

void frmMainGolf::FillGame1Grid() {
    try {
        round.SetStartValues(round.Male());
    } catch (...) {
        ReportCurrentError(kTag + "FillGame1Grid", Sql::Without);
    }
}

}  // namespace dc

#include "scorecards/frmScoreCard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <algorithm>
#include <numeric>

#include "platform/Clock.h"
#include "platform/MaskEdBox.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/PrinterPageFactory.h"
#include "platform/Spread.h"
#include "platform/Val.h"
#include "records/CourseStore.h"
#include "records/MailingLabels.h"
#include "records/PlayerList.h"
#include "records/PlayerStore.h"
#include "records/TypedKeys.h"
#include "scorecards/CardAssignment.h"
#include "scorecards/ScoreCardPrint.h"
#include "scorecards/ScoreCardStore.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/GridFit.h"
#include "shell/ListLoaders.h"
#include "shell/ScreenBoxes.h"
#include "shell/SetupStore.h"
#include "shell/ShellDoc.h"
#include "shell/frmCalendar.h"

namespace dc {
namespace {

const QColor kCyan(0, 255, 255);
const QColor kYellow(255, 255, 0);
const QString kNoPlayers = "No players have been selected to print.  Please select at least 1 player.";

// A card-number cell's text as a number; none for an empty cell.
std::optional<int> CardOfText(const QString& text) {
    if (text.trimmed().isEmpty()) return std::nullopt;
    return static_cast<int>(Val(text));
}

// Restores the default pointer when a print run ends, however it ends.
struct DefaultPointerAtEnd {
    ~DefaultPointerAtEnd() { SetMousePointer(Pointer::Default); }
};

}  // namespace

frmScoreCard::frmScoreCard(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmScoreCard");
    setWindowTitle("Custom Score Cards");
    BuildControls();
    ConnectHandlers();
    Form_Load();
}

frmScoreCard::~frmScoreCard() = default;

void frmScoreCard::Choose(QComboBox& combo, int index) {
    {
        const QSignalBlocker block(&combo);
        combo.setCurrentIndex(index);
    }
    if (&combo == cboCourse) cboCourse_Click();
    if (&combo == cboTeeBoxM) cboTeeBoxM_Click();
    if (&combo == cboTeeBoxW) cboTeeBoxW_Click();
}

// ------------------------------------------------------------------------------------ loading

void frmScoreCard::Form_Load() {
    try {
        bLoading = true;
        opt189[ctx_.bFlag18_9 ? 1 : 2]->setChecked(true);
        optUSCan[ctx_.bUSCAFlag ? 1 : 2]->setChecked(true);
        bLoading = false;
        SetDateFormat(*mskDate, ctx_.sDateFormat);
        mskDate->SetText(FormatLocalDate(Today(), ctx_.sDateFormat));
        cboPlayersPerCard->addItems({"1", "2", "3", "4"});
        cboPlayersPerCard->setCurrentIndex(0);
        cboPlayersPerCard_Click();
        Grid_Setup();
        Load_Course_Info(*cboCourse, ctx_);
        if (cboCourse->count() > 0) Choose(*cboCourse, 0);
        auto chooseFirstTees = [this] {
            if (cboTeeBoxM->count() == 0) return;
            Choose(*cboTeeBoxM, 0);
            Choose(*cboTeeBoxW, 0);
        };
        chooseFirstTees();
        Fill_Grid();
        chooseFirstTees();
        bLastSortAsc = true;
        const PrinterOffsets offsets = SetupStore(ctx_.Connection()).ReadPrinterOffsets();
        txtXOffset->setText(OffsetBoxText(offsets.x));
        txtYOffset->setText(OffsetBoxText(offsets.y));
        SetMousePointer(Pointer::Default);  // the main screen showed the hourglass while this one loaded
    } catch (...) {
        bLoading = false;
        ReportCurrentError("Score Card, Form_Load", Sql::Without);
    }
}

void frmScoreCard::Grid_Setup() {
    try {
        Spread& g = *spSC;
        g.SetMaxCols(kColHcp);
        const std::pair<int, int> widths[] = {{0, 370},         {kColPrint, 700}, {kColCard, 650},
                                              {kColName, 2235}, {kColTee, 1700},  {kColIndex, 800},
                                              {kColHcp, 800}};
        for (const auto& [col, twips] : widths) g.SetColWidth(col, twips);
        g.SetCellText(kColPrint, 0, "Print");
        g.SetCellText(kColCard, 0, "Card #");
        g.SetCellText(kColName, 0, "Last Name, First Mi");
        g.SetCellText(kColTee, 0, "Tee Box");
        g.SetCellText(kColIndex, 0, "Index");
        g.SetCellText(kColHcp, 0, "Handicap");

        auto column = [&g](int col, SpreadCellType type, SpreadHAlign align) {
            return g.Cells(col, -1).SetCellType(type).SetTypeHAlign(align);
        };
        column(kColPrint, SpreadCellType::CheckBox, SpreadHAlign::Center).SetTypeCheckCenter(true);
        column(kColCard, SpreadCellType::Integer, SpreadHAlign::Center)
            .SetTypeNumberMin(0)
            .SetTypeNumberMax(999);
        column(kColName, SpreadCellType::StaticText, SpreadHAlign::Left).SetBackColor(kCyan);
        column(kColTee, SpreadCellType::ComboBox, SpreadHAlign::Left);
        column(kColIndex, SpreadCellType::StaticText, SpreadHAlign::Center).SetBackColor(kCyan).SetLock(true);
        column(kColHcp, SpreadCellType::StaticText, SpreadHAlign::Center).SetBackColor(kCyan).SetLock(true);
        g.SetRowHeight(0, g.MaxTextRowHeight(0));
    } catch (...) {
        ReportCurrentError("Score Card, Grid_Setup", Sql::Without);
    }
}

void frmScoreCard::Fill_Grid() {
    Spread& g = *spSC;
    try {
        g.SetReDraw(false);
        if (cboCourse->count() == 0 || cboTeeBoxM->count() == 0) {
            g.SetReDraw(true);
            MsgBox(cboCourse->count() == 0 ? "\r\nPlease enter at least one Course to calculate handicaps."
                                           : "\r\nPlease enter at least one Tee Box to calculate handicaps.",
                   vbExclamation);
            return;
        }
        g.SetMaxRows(0);
        group_.members.clear();
        const bool oneEach = PlayersPerCard() == 1;
        const bool nine = opt189[2]->isChecked(), us = optUSCan[1]->isChecked();
        for (const PlayerRec& p : PlayerStore(ctx_.Connection()).AllPlayers()) {
            const int row = g.MaxRows() + 1;
            g.SetMaxRows(row);
            CardMember member;
            member.id = p.PLAYER_ID;
            member.gender = p.GENDER;
            member.name = PlayerGridName(p);
            if (oneEach) member.card = row;
            group_.members.push_back(member);
            g.SetCellValue(kColPrint, row, 1);
            if (oneEach) ShowCard(row);
            g.SetCellText(kColName, row, member.name);
            group_.At(row).indexes =
                ScoreCardStore(ctx_.Connection()).FindIndex(p.PLAYER_ID, p.GENDER, nine, us);
            SetRowTeeBox(row, p.GENDER == "F" ? cboTeeBoxW->currentIndex() : cboTeeBoxM->currentIndex());
        }
        FitColumns();
        g.SetReDraw(true);
    } catch (...) {
        g.SetReDraw(true);
        ReportCurrentError("Score Card, Grid_Setup", Sql::With);
    }
}

// Every figure column is at least as wide as its longest text, header included, in the grid's font.
void frmScoreCard::FitColumns() {
    Spread& g = *spSC;
    const QFontMetrics data(g.font()), header(g.horizontalHeader()->font());
    const int padding = 14, comboArrow = 22;
    const std::pair<int, int> minimum[] = {
        {kColPrint, 700}, {kColCard, 650}, {kColTee, 1700}, {kColIndex, 800}, {kColHcp, 800}};
    for (const auto& [col, twips] : minimum) {
        int pixels = header.horizontalAdvance(g.CellText(col, 0)) + padding;
        QStringList texts;
        for (int r = 1; r <= g.MaxRows(); ++r) texts << g.CellText(col, r);
        if (col == kColTee) texts = sTeeBoxList;
        for (const QString& text : texts)
            pixels =
                std::max(pixels, data.horizontalAdvance(text) + padding + (col == kColTee ? comboArrow : 0));
        g.SetColWidth(col, std::max(twips, pixels * Spread::kTwipsPerPixel));
    }
    g.SetColWidth(0, std::max(370, (data.horizontalAdvance(QString::number(g.MaxRows())) + padding) *
                                       Spread::kTwipsPerPixel));
    nameFit_->Apply();
}

// ------------------------------------------------------------------------------------ course and rows

void frmScoreCard::cboCourse_Click() {
    if (cboCourse->count() == 0) {
        MsgBox("There are no courses to choose from.  Please enter at least 1 course on the Course screen.");
        return;
    }
    if (cboCourse->currentIndex() < 0) {
        MsgBox("Please select a course to continue.");
        return;
    }
    Spread& g = *spSC;
    try {
        const int menPos = cboTeeBoxM->currentIndex(), womenPos = cboTeeBoxW->currentIndex();
        ctx_.nCurCourseID = SelectedItemData(*cboCourse);
        course_ = CourseStore(ctx_.Connection()).LoadCourse(ctx_.nCurCourseID);
        for (QComboBox* combo : {cboTeeBoxM, cboTeeBoxW}) {
            const QSignalBlocker block(combo);
            Load_TeeBox(*combo, ctx_, ctx_.nCurCourseID);
            combo->setCurrentIndex(combo == cboTeeBoxM ? menPos : womenPos);
        }
        sTeeBoxList.clear();
        for (int i = 0; i < cboTeeBoxM->count(); ++i) sTeeBoxList << cboTeeBoxM->itemText(i);
        // Every row takes its gender's tee box again, with the new course's slopes.
        g.SetReDraw(false);
        for (int row = 1; row <= g.MaxRows(); ++row) {
            const QString& gender = group_.At(row).gender;
            const int own = TeeSlot(row);
            SetRowTeeBox(row, gender == "M" ? menPos : gender == "F" ? womenPos : own);
        }
        FitColumns();
        g.SetReDraw(true);
    } catch (...) {
        g.SetReDraw(true);
        ReportCurrentError("Score Card, cboCourse_Click", Sql::With);
    }
}

void frmScoreCard::cboTeeBoxM_Click() { RowsOfGender("M", cboTeeBoxM->currentIndex()); }
void frmScoreCard::cboTeeBoxW_Click() { RowsOfGender("F", cboTeeBoxW->currentIndex()); }

void frmScoreCard::RowsOfGender(const QString& gender, int slot) {
    Spread& g = *spSC;
    if (g.MaxRows() == 0) return;
    g.SetReDraw(false);
    for (int row = 1; row <= g.MaxRows(); ++row)
        if (group_.At(row).gender == gender) SetRowTeeBox(row, slot);
    g.SetReDraw(true);
}

void frmScoreCard::SetRowTeeBox(int row, int slot) {
    Spread& g = *spSC;
    const QString list = sTeeBoxList.join('\t');
    g.Cells(kColTee, row).SetTypeComboBoxList(list);
    g.SetTypeComboBoxCurSel(kColTee, row, slot);
    const qsizetype entries = list.split('\t').size();
    group_.At(row).teeSlot = slot >= 0 && slot < entries ? slot : -1;
    ShowRowHandicap(row);
}

int frmScoreCard::TeeSlot(int row) const { return group_.At(row).teeSlot; }

void frmScoreCard::ShowCard(int row) {
    const std::optional<int> card = group_.At(row).card;
    spSC->SetCellText(kColCard, row, card ? QString::number(*card) : QString());
}

// The row's slope is its tee box's for the player's gender; the index and the handicap come from
// the player's indexes.
void frmScoreCard::ShowRowHandicap(int row) {
    Spread& g = *spSC;
    CardMember& player = group_.At(row);
    const int slot = player.teeSlot;
    double slope = 0;
    if (course_ && player.gender == "M") slope = TeeSlope(course_->MSL, Packed::MSL, slot);
    if (course_ && player.gender == "F") slope = TeeSlope(course_->WSL, Packed::WSL, slot);
    const PlayerIndexes idx = player.indexes;
    g.SetCellText(kColIndex, row, IndexCellText(idx.index));
    const QString hcp = CalculateHcp(idx.index, idx.tournIndex, slope);
    g.SetCellText(kColHcp, row, hcp);
    player.hcp = hcp;
    player.hcpValue = HcpTextValue(hcp);
    g.Cells(kColHcp, row).SetBackColor(hcp.isEmpty() ? kYellow : kCyan);
}

void frmScoreCard::cboPlayersPerCard_Click() {
    const bool statRows = PlayersPerCard() < 3;
    for (int i = 2; i <= 5; ++i) chkShowHide[i]->setEnabled(statRows);
}

void frmScoreCard::opt189_Click(int index) {
    if (bLoading) return;
    chkShowHide[1]->setChecked(index == 1);
    chkShowHide[1]->setEnabled(index == 1);
    Refresh_Handicaps();
}

void frmScoreCard::optUSCan_Click(int) {
    if (bLoading) return;
    Refresh_Handicaps();
}

void frmScoreCard::ShowSlopeWarning() {
    const int menPos = cboTeeBoxM->currentIndex(), womenPos = cboTeeBoxW->currentIndex();
    const bool course = cboCourse->currentIndex() >= 0 && course_;
    const int slopeM =
        course ? static_cast<int>(SlotNumber(course_->MSL, Packed::MSL, std::max(0, menPos))) : 0;
    const int slopeW =
        course ? static_cast<int>(SlotNumber(course_->WSL, Packed::WSL, std::max(0, womenPos))) : 0;
    const QString warning = SlopeWarning(course, menPos >= 0, womenPos >= 0, slopeM, slopeW);
    if (!warning.isEmpty()) MsgBox(warning, vbExclamation);
}

void frmScoreCard::Refresh_Handicaps() {
    Spread& g = *spSC;
    if (g.MaxRows() == 0) return;
    ShowSlopeWarning();
    const bool nine = opt189[2]->isChecked(), us = optUSCan[1]->isChecked();
    g.SetReDraw(false);
    try {
        for (int row = 1; row <= g.MaxRows(); ++row) {
            CardMember& player = group_.At(row);
            player.indexes = ScoreCardStore(ctx_.Connection()).FindIndex(player.id, player.gender, nine, us);
            ShowRowHandicap(row);
        }
    } catch (...) {
        ReportCurrentError("Score Card, Find_Index", Sql::With);
    }
    FitColumns();
    g.SetReDraw(true);
}

// ------------------------------------------------------------------------------------ grid events

void frmScoreCard::cmdAllOnOff_Click(int index) {
    for (int row = 1; row <= spSC->MaxRows(); ++row) {
        group_.At(row).print = index == 1;
        spSC->SetCellValue(kColPrint, row, index == 1 ? 1 : 0);
    }
}

void frmScoreCard::cmdUp_Click() {
    try {
        const int r = spSC->ActiveRow();
        if (r < 2) return;
        spSC->MoveRow(r, r - 1);
        std::swap(group_.At(r), group_.At(r - 1));
        spSC->SetSelection(-1, r - 1, -1, r - 1);
        cmdDown->setEnabled(true);
        if (r - 1 == 1) cmdUp->setEnabled(false);
    } catch (...) {
        ReportCurrentError("Score Card, cmdUp_Click", Sql::Without);
    }
}

void frmScoreCard::cmdDown_Click() {
    try {
        const int r = spSC->ActiveRow();
        if (r < 1 || r >= spSC->MaxRows()) return;
        spSC->MoveRow(r, r + 1);
        std::swap(group_.At(r), group_.At(r + 1));
        spSC->SetSelection(-1, r + 1, -1, r + 1);
        cmdUp->setEnabled(true);
        if (r + 1 == spSC->MaxRows()) cmdDown->setEnabled(false);
    } catch (...) {
        ReportCurrentError("Score Card, cmdDown_Click", Sql::Without);
    }
}

void frmScoreCard::spSC_BlockSelected(int blockCol, int blockRow, int, int blockRow2) {
    Spread& g = *spSC;
    if (blockCol != -1) {
        cmdUp->setEnabled(false);
        cmdDown->setEnabled(false);
        if (blockRow == -1) g.ClearSelection();  // a whole column
        return;
    }
    cmdUp->setEnabled(false);
    cmdDown->setEnabled(false);
    if (blockRow == -1) {  // the whole grid
        g.ClearSelection();
        return;
    }
    if (blockRow2 > blockRow) g.SetSelection(-1, blockRow, -1, blockRow);
    if (blockRow < 1 || g.MaxRows() < 2) return;
    cmdUp->setEnabled(blockRow > 1);
    cmdDown->setEnabled(blockRow < g.MaxRows());
}

void frmScoreCard::spSC_Advance(bool advanceNext) {
    if (!advanceNext)
        chkShowHide[5]->setFocus();
    else if (cmdUp->isEnabled())
        cmdUp->setFocus();
    else if (cmdDown->isEnabled())
        cmdDown->setFocus();
    else
        cmdHelp->setFocus();
}

// An unticked player loses his card number.
void frmScoreCard::spSC_ButtonClicked(int col, int row, bool) {
    if (col != kColPrint || row < 1 || row > group_.Count()) return;
    CardMember& member = group_.At(row);
    member.print = spSC->CellValue(kColPrint, row) == 1;
    if (member.print) return;
    member.card.reset();
    ShowCard(row);
}

// The user's change of a tick, a card number or a tee box goes into the group.
void frmScoreCard::spSC_Change(int col, int row) {
    if (row < 1 || row > group_.Count()) return;
    CardMember& member = group_.At(row);
    if (col == kColPrint) member.print = spSC->CellValue(kColPrint, row) == 1;
    if (col == kColCard) member.card = CardOfText(spSC->CellText(kColCard, row));
    if (col == kColTee) {
        member.teeSlot = spSC->TypeComboBoxCurSel(kColTee, row);
        ShowRowHandicap(row);
    }
}

void frmScoreCard::spSC_Click(int col, int row) {
    if (row != 0 || spSC->MaxRows() == 0) return;
    if (col != kColPrint && col != kColCard && col != kColName && col != kColIndex && col != kColHcp) return;
    bLastSortAsc = !bLastSortAsc;
    SortByColumn(col, bLastSortAsc);
}

// Whole rows move; the index and handicap columns sort by the signed numbers behind their texts.
void frmScoreCard::SortByColumn(int col, bool ascending) {
    Spread& g = *spSC;
    g.CommitEdit();
    const CardSortColumn column = col == kColPrint   ? CardSortColumn::Print
                                  : col == kColCard  ? CardSortColumn::Card
                                  : col == kColIndex ? CardSortColumn::Index
                                  : col == kColHcp   ? CardSortColumn::Hcp
                                                     : CardSortColumn::Name;
    const std::vector<CardSortValue> values = group_.SortValues(column);
    g.SetReDraw(false);
    ApplyOrder(SortedOrder(values, ascending));
    g.SetReDraw(true);
}

// ------------------------------------------------------------------------------------ cards

int frmScoreCard::PlayersPerCard() const { return cboPlayersPerCard->currentIndex() + 1; }  // 1 to 4

int frmScoreCard::SelectedCount() const { return group_.TickedCount(); }

void frmScoreCard::SetCardNumbers(const std::vector<int>& cards) {
    group_.SetCards(cards);
    for (int row = 1; row <= static_cast<int>(cards.size()) && row <= group_.Count(); ++row) ShowCard(row);
}

void frmScoreCard::cmdTeams_Click(int index) {
    const int count = SelectedCount();
    if (count == 0) {
        MsgBox(kNoPlayers, vbInformation);
        return;
    }
    const int perCard = PlayersPerCard();
    const QString note = ShortCardNote(count, perCard);
    if (!note.isEmpty()) MsgBox(note);
    spSC->SetReDraw(false);
    if (index == 3) {
        SetCardNumbers(AssignRandomCards(group_.Ticked(), perCard, *QRandomGenerator::global()));
        bLastSortAsc = false;
        spSC_Click(kColCard, 0);
    } else {
        bLastSortAsc = false;
        spSC_Click(index == 1 ? kColIndex : kColName, 0);
        SetCardNumbers(AssignCards(group_.Ticked(), perCard));
    }
    spSC->SetReDraw(true);
}

void frmScoreCard::ApplyOrder(const std::vector<int>& order) {
    MoveGridRows(order);
    group_.Reorder(order);
}

void frmScoreCard::MoveGridRows(const std::vector<int>& order) {
    std::vector<int> current(order.size());
    std::iota(current.begin(), current.end(), 0);
    for (size_t i = 0; i < order.size(); ++i) {
        const auto at = std::find(current.begin() + static_cast<std::ptrdiff_t>(i), current.end(), order[i]);
        const int from = static_cast<int>(at - current.begin());
        if (from == static_cast<int>(i)) continue;
        spSC->MoveRow(from + 1, static_cast<int>(i) + 1);
        current.erase(at);
        current.insert(current.begin() + static_cast<std::ptrdiff_t>(i), order[i]);
    }
}

bool frmScoreCard::Reorder_Cards(int selectedCount, int& cardCount) {
    try {
        const CardRenumbering renumbering = group_.Renumber(PlayersPerCard());
        spSC->SetReDraw(false);
        MoveGridRows(renumbering.order);
        for (int row = 1; row <= group_.Count(); ++row)
            if (group_.At(row).print) ShowCard(row);
        spSC->SetReDraw(true);
        bLastSortAsc = true;
        cardCount = renumbering.cardCount;
        if (renumbering.message.isEmpty()) return selectedCount > 0;
        MsgBox(renumbering.message, vbInformation);
    } catch (...) {
        ReportCurrentError("Score Card, Reorder_Cards", Sql::Without);
    }
    return false;
}

// ------------------------------------------------------------------------------------ printing

void frmScoreCard::cmdPrint_Click() {
    const int selected = SelectedCount();
    if (selected == 0) {
        MsgBox(kNoPlayers, vbInformation);
        return;
    }
    if (!OffsetBoxesInRange(*txtXOffset, *txtYOffset, ctx_)) return;
    SetMousePointer(Pointer::Hourglass);
    const DefaultPointerAtEnd pointer;
    spSC->CommitEdit();
    const double offsetX = OffsetValue(txtXOffset->text()), offsetY = OffsetValue(txtYOffset->text());
    try {
        SetupStore(ctx_.Connection()).StorePrinterOffsets(offsetX, offsetY);
    } catch (...) {
        ReportCurrentError("Score Card, Print_Click", Sql::Without);
        return;
    }
    // Cards without the tee boxes would print zeros and no marks.
    const int menPos = cboTeeBoxM->currentIndex(), womenPos = cboTeeBoxW->currentIndex();
    const QString teeWarning =
        TeeBoxChoiceWarning(cboCourse->currentIndex() >= 0, menPos >= 0, womenPos >= 0);
    if (!teeWarning.isEmpty()) {
        MsgBox(teeWarning.trimmed(), vbExclamation);
        return;
    }
    int cardCount = 0;
    if (!Reorder_Cards(selected, cardCount)) return;

    ScoreCardJob job;
    try {
        if (const auto course = CourseStore(ctx_.Connection()).LoadCourse(SelectedItemData(*cboCourse)))
            job.tees = FindParHcpHoleYard(*course, menPos, womenPos);
    } catch (...) {
        ReportCurrentError("Score Card, Find_Par_HcpHole_Yard", Sql::With);
    }
    job.courseName = cboCourse->currentText();
    job.date = mskDate->Text();
    job.menTee = cboTeeBoxM->currentText();
    job.womenTee = cboTeeBoxW->currentText();
    job.cards = group_.PrintedCards(cardCount);
    job.strokes = chkShowHide[1]->isChecked();
    for (int i = 2; i <= 5; ++i) job.statRows[static_cast<size_t>(i - 2)] = chkShowHide[i]->isChecked();
    job.perCard = PlayersPerCard();
    job.startAtBottom = !optTopBottom[1]->isChecked();
    job.offsetXInches = offsetX;
    job.offsetYInches = offsetY;
    try {
        // A failed run leaves nothing behind: the page discards an unfinished document.
        auto page = CreatePrinterPage();
        page->SetJobName("Score Cards");
        if (!CardsInsideOrGoOn(CheckCardArea(*page, job))) return;
        PrintScoreCards(*page, job);
        ReportPrintOutcome(*page);
    } catch (...) {
        ReportCurrentError("Score Card, Print_Click", Sql::Without);
    }
}

// Cards the offsets push off the printable area are printed only when the golfer says so; the
// offsets that would bring them inside are named, as for the mailing labels.
bool frmScoreCard::CardsInsideOrGoOn(const CardAreaCheck& check) {
    if (check.inside) return true;
    QString text = "Part of the score cards falls outside the area this printer prints.\n\n";
    if (check.canFit)
        text += "An x-offset of " + OffsetBoxText(check.xOffset) + " and a y-offset of " +
                OffsetBoxText(check.yOffset) + " would bring the cards inside.\n\n";
    else
        text += "No printer offsets bring the cards inside on this printer.\n\n";
    text += "Print the score cards anyway? (No goes back to the printer offsets.)";
    SetMousePointer(Pointer::Default);
    if (MsgBox(text, vbYesNo + vbQuestion) == vbYes) return true;
    txtXOffset->setFocus();
    txtXOffset->selectAll();
    return false;
}

void frmScoreCard::Command1_Click() {
    try {
        auto page = CreatePrinterPage();
        Command1->setText(MarginDiagnostic(*page));
    } catch (...) {
        ReportCurrentError("Score Card, Command1_Click", Sql::Without);
    }
}

// ------------------------------------------------------------------------------------ other controls

void frmScoreCard::cmdCalendar_Click() {
    const QString shown = mskDate->Text().trimmed() == "__/__/____"
                              ? FormatLocalDate(Today(), ctx_.sDateFormat)
                              : mskDate->Text();
    // Closed without a choice, the date it opened on is shown.
    const QString date = frmCalendar::Choose(shown, ctx_.sDateFormat, this).value_or(shown);
    if (ParseLocalDate(date, ctx_.sDateFormat)) mskDate->SetText(date);
}

void frmScoreCard::cmdHelp_Click() { ShellDoc(HelpDocumentPath()); }

}  // namespace dc

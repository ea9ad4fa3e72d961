#pragma once
// The score-card screen "Custom Score Cards": every player in a grid with a Print tick, a card
// number, the tee box, the index and the course handicap on the chosen course; choices of course,
// tee boxes, date, hole count, rules, players per card, grouping, optional rows and printer
// offsets; and the printing of the cards. Shown modally by the main screen; stores only the offsets.

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "records/TeeBoxPacking.h"
#include "scorecards/CardGroup.h"
#include "scorecards/CourseHcpText.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dc {

class AppContext;

class MaskEdBox;
class GridFit;
class Spread;

class frmScoreCard : public QDialog {
    Q_OBJECT
  public:
    // Grid columns; the print ticks, card numbers and tee boxes are the golfer's to change.
    enum Column {
        kColPrint = 1,
        kColCard,
        kColName,
        kColTee,
        kColIndex,
        kColHcp,
    };

    explicit frmScoreCard(AppContext& ctx, QWidget* parent = nullptr);
    ~frmScoreCard() override;

    QComboBox *cboCourse, *cboTeeBoxM, *cboTeeBoxW, *cboPlayersPerCard;
    MaskEdBox* mskDate;
    QPushButton* cmdCalendar;
    std::array<QRadioButton*, 3> opt189{}, optUSCan{}, optTopBottom{};  // members 1 and 2
    std::array<QPushButton*, 4> cmdTeams{};                             // members 1 to 3
    std::array<QPushButton*, 3> cmdAllOnOff{};                          // members 1 and 2
    std::array<QCheckBox*, 6> chkShowHide{};                            // members 1 to 5
    QPushButton *cmdUp, *cmdDown, *cmdPrint, *Command1, *cmdClose, *cmdHelp;
    QLineEdit *txtXOffset, *txtYOffset;
    Spread* spSC;

    QStringList sTeeBoxList;  // the course's four tee-box names, the list of every row's tee-box cell
    bool bLoading = false;
    bool bLastSortAsc = true;

    void Form_Load();
    void Grid_Setup();
    void Fill_Grid();
    void cboCourse_Click();
    void cboTeeBoxM_Click();
    void cboTeeBoxW_Click();
    void cboPlayersPerCard_Click();
    void opt189_Click(int index);
    void optUSCan_Click(int index);
    void cmdAllOnOff_Click(int index);
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdTeams_Click(int index);
    void cmdPrint_Click();
    bool CardsInsideOrGoOn(const CardAreaCheck& check);
    void Command1_Click();
    void cmdCalendar_Click();
    void cmdHelp_Click();
    void spSC_BlockSelected(int blockCol, int blockRow, int blockCol2, int blockRow2);
    void spSC_Advance(bool advanceNext);
    void spSC_ButtonClicked(int col, int row, bool buttonDown);
    void spSC_Change(int col, int row);
    void spSC_Click(int col, int row);
    void Refresh_Handicaps();
    // Renumbers the ticked rows' cards before printing; false (after its message) when a card is over-full.
    bool Reorder_Cards(int selectedCount, int& cardCount);

    int PlayersPerCard() const;
    int SelectedCount() const;
    // The players shown, in grid order, with their ticks, cards and tee boxes.
    const CardGroup& Group() const { return group_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    AppContext& ctx_;
    void BuildControls();
    void ConnectHandlers();
    // Selects an entry from code and runs the combo's handler, as a user's choice does.
    void Choose(QComboBox& combo, int index);
    void ShowRowHandicap(int row);  // the index and handicap columns from the row's indexes and tee box
    void SetRowTeeBox(int row, int slot);
    void ShowCard(int row);
    void RowsOfGender(const QString& gender, int slot);
    void ShowSlopeWarning();
    void SortByColumn(int col, bool ascending);
    // Moves the grid's rows and the players behind them: order[i] = the row now at position i.
    void ApplyOrder(const std::vector<int>& order);
    void MoveGridRows(const std::vector<int>& order);
    int TeeSlot(int row) const;  // the row's tee-box choice, -1 for none
    void SetCardNumbers(const std::vector<int>& cards);
    // The figure columns as wide as their longest text; the name column takes the width they leave.
    void FitColumns();

    CardGroup group_;                     // the player of each grid row, in grid order
    std::optional<PackedCourse> course_;  // the course chosen
    GridFit* nameFit_ = nullptr;
};

}  // namespace dc

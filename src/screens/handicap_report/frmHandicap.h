#pragma once
// The handicap screen "Handicap Utility": one player's handicap report with the scores used marked
// and the course handicaps of a chosen tee box, or the index list of all players; prints what it
// shows, prints handicap cards and opens the e-mail screen. Reads the database, writes nothing.

#include <QDialog>
#include <utility>
#include <vector>

#include "handicap_report/HcpPrint.h"
#include "handicap_report/HcpReport.h"
#include "handicap_report/IndexList.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QShowEvent;

namespace dc {

class AppContext;

class GridFit;
class Spread;
struct CardFigures;

class frmHandicap : public QDialog {
    Q_OBJECT
  public:
    explicit frmHandicap(AppContext& ctx, QWidget* parent = nullptr);
    int nReturnCode = 0;  // handed to the main screen on closing (2: reload the players)

    QLabel* PlayerCap;
    QComboBox* cboPlayer;
    QCheckBox* chkOneYear;
    QRadioButton* opt189[3];    // [1] "18 Hole", [2] "9 Hole"
    QRadioButton* optUSCan[3];  // [1] US, [2] Canada
    QRadioButton* HC[4];        // [1] individual, [2] alphabetical, [3] low to high
    QComboBox* cboCourse;
    QComboBox* cboTeeBox;
    QLabel *Label3, *Label5, *Label4[3], *HIBox, *HandicapBox, *TIBox, *TournBox;
    Spread* spHcp;
    QPushButton *cmdPrint, *cmdSendEmail, *cmdHcpCards, *cmdHelp, *cmdClose;
    QComboBox *cboFontType, *cboFontStyle;
    QLabel* capHelp;

    // Figures of the last report (or of the last list row processed).
    float sngRptIndex = 0;
    float sngRptTIndex = kNoTournIndexF;
    int nTournShown = 0;
    int bNoPlayerClick = 0;

    void Form_Load();
    void Setup_spHcp();
    void Clear_spHcp();
    void CalcHandicap();
    void HandCalc();  // the individual report for the chosen holes and rules
    void cboPlayer_Click();
    void chkOneYear_Click() { cboPlayer_Click(); }
    void cboCourse_Click();
    void cboTeeBox_Click();
    void opt189_Click(int index);
    void optUSCan_Click(int index);
    void HC_Click(int index);
    void cmdPrint_Click();
    void cmdHcpCards_Click();
    void cmdSendEmail_Click();
    void cmdHelp_Click();
    void cmdClose_Click() { reject(); }
    void Form_Unload();
    // Every way of closing (Close, the close box, Esc) hands the player back.
    void done(int result) override;

    // What the list views show, row by row.
    const std::vector<IndexListRow>& ListRows() const { return listRows_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;  // Form_Activate: the pointer back to normal

  private:
    AppContext& ctx_;
    void BuildControls();
    QGroupBox* BuildTeeBoxFrame();
    QHBoxLayout* BuildGridAndButtons();  // the grid, the buttons and the card frame
    void Connect();
    void LoadPrinterFonts();
    bool Is18() const;
    RuleSet Rules() const;
    bool IndividualView() const;
    void ShowReport(const HcpReport& report, bool nineHoles);
    void ShowList(IndexOrder order);
    void SetIndividualLayout(bool individual);
    // Widens the figure columns to their longest text (the layout's widths are the least); the name
    // (or course) column takes the width they leave.
    void FitColumns();
    CardFigures PlayerCardFigures(int playerId, const QString& gender);
    // No report shown: no index, tournament index or course handicaps, on screen or printed.
    void ClearReportFigures();
    // The men's and women's slopes of the chosen tee box; 0 and 0 when none is chosen.
    std::pair<int, int> ChosenTeeSlopes() const;

    // What the grid and the figure boxes show, which the printouts print: the grid's rows (score or
    // index, course or player, tee box or course handicap, date) and the report's figures.
    struct Shown {
        std::vector<PrintRow> rows;
        QString index, tIndex, hcp, tHcp;
        bool tHcpShown = false;
    };
    Shown shown_;
    void SetRowCount(int rows);
    void ShowCell(int col, int row, const QString& text);  // columns 0, 2, 3 and 4
    void ShowFigure(QLabel* box, const QString& text);     // HIBox, TIBox, HandicapBox or TournBox
    void ShowTournHcp(bool shown);

    std::vector<IndexListRow> listRows_;
    QString gender_;
    bool reportShown_ = false;  // the individual view shows a player's computed index
    bool individualWidth_ = true;

  private:
    GridFit* nameFit_ = nullptr;
};

}  // namespace dc

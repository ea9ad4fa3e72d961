#pragma once
// The game-list screen "Master Game List": one row per round (or per played nine), newest first,
// for one or all players, one or all courses and a date range, with the chosen variant's score,
// adjusted score and index; header clicks sort, a double-click or Retrieve hands the round back to
// the main screen; printed as a text list or as the grid itself.

#include <QDialog>
#include <QString>
#include <array>
#include <map>
#include <vector>

#include "reports/GameListCalc.h"
#include "shell/ScreenAnswer.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace dc {

class AppContext;

class GridFit;
class MaskEdBox;
class ReportPanel;
class Spread;

class frmGameList : public QDialog {
    Q_OBJECT
  public:
    explicit frmGameList(AppContext& ctx, QWidget* parent = nullptr);
    ~frmGameList() override;  // its date boxes reach no handler once destruction begins
    // Handed to the main screen on closing: code 2 (reload the players) and the retrieved round.
    ScreenAnswer answer;

    ReportPanel* panel;
    QComboBox *cboPlayer, *cboCourse;
    QCheckBox *chkAllPlayers, *chkAllCourses;
    MaskEdBox *txtSDate, *txtEDate;
    std::array<QRadioButton*, 3> opt189{}, optUSCan{};  // members 1 and 2
    Spread* spGL;
    QPushButton *cmdRetrieve, *cmdPrint, *cmdPrintAll, *cmdHelp, *cmdClose;

    void UpdatespGL();
    void spGL_Click(int col, int row);
    void spGL_DblClick(int col, int row);
    void cmdRetrieve_Click();
    void cmdPrint_Click();
    void cmdPrintAll_Click();
    void done(int result) override;

    int Rows() const { return nGLRows; }
    const std::vector<GameListRow>& ListRows() const { return rows_; }

  protected:
    bool event(QEvent* event) override;

  private:
    AppContext& ctx_;
    void Form_Load();
    void spGL_Setup();
    void ShowRows();
    void ClearRows();  // no rows; Retrieve and Print disabled
    void FitColumns();

    GridFit* fit_ = nullptr;
    int nLoaded = 0;
    int nGLRows = 0;
    bool bSortAsc = false;
    int currentRow_ = 0;
    std::vector<GameListRow> rows_;  // in the grid's order
    // The rounds last read, by player, and what they were read for (dates and players).
    std::map<int, std::vector<RoundRec>> read_;
    QString readKey_;
};

}  // namespace dc

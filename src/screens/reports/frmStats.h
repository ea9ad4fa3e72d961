#pragma once
// The statistics screen "Statistics": score types per hole, the best nine and eighteen with their
// rounds (each can be handed back to the main screen), eclectic scores of one course, averages
// and money, for one or all players, one or all courses and a date range; and its printout.

#include <QDialog>
#include <array>

#include "reports/StatsCalc.h"
#include "shell/ScreenAnswer.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace dc {

class AppContext;

class MaskEdBox;
class ReportPanel;
class Spread;

class frmStats : public QDialog {
    Q_OBJECT
  public:
    explicit frmStats(AppContext& ctx, QWidget* parent = nullptr);
    ~frmStats() override;  // its date boxes reach no handler once destruction begins
    // Handed to the main screen on closing: code 2 (reload the players) and the retrieved round.
    ScreenAnswer answer;

    ReportPanel* panel;
    QComboBox *cboPlayer, *cboCourse;
    QCheckBox *chkAllPlayers, *chkAllCourses;
    MaskEdBox *txtSDate, *txtEDate;
    Spread* spSG;
    QLabel *B9Cap, *lblB9Player, *Date9Cap, *Game9Cap, *B9CCap;
    QLabel *B18Cap, *lblB18Player, *Date18Cap, *Game18Cap, *B18CCap;
    QLabel *lblEclectic, *lblEclecticF9, *lblEclecticB9, *lblEclectic18;
    std::array<QLabel*, 4> Label12{};  // 1 to 3: the eclectic headings
    std::array<QLabel*, 6> AvgCap{};   // 1 to 5
    QLabel *TGPCap, *TGCap, *TCACap, *TOtCap, *TDSCap;
    QPushButton *Rtrv9Cmd, *Rtrv18Cmd, *cmdPrint, *cmdClose, *cmdHelp;

    void UpdateStats();
    void Rtrv18Cmd_Click();
    void Rtrv9Cmd_Click();
    void cmdPrint_Click();
    void done(int result) override;

    // What the screen shows after the last computation (the printout prints it).
    const StatsTexts& Shown() const { return shown_; }

  protected:
    bool event(QEvent* event) override;

  private:
    AppContext& ctx_;
    void Form_Load();
    void Form_Unload();
    void Grid_Setup();
    void Clear_Grid();
    void Clear_Labels();
    void Show(const StatsTexts& t);
    void ShowEclectic(bool on);
    void Retrieve(const BestRound& best);
    QGroupBox* BuildBest();
    QGroupBox* BuildAverages();
    QGroupBox* BuildCosts();

    int nLoaded = 0;
    bool bRetrieved = false;
    StatsTexts shown_;
};

}  // namespace dc

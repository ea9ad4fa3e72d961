#pragma once
// The graphs screen "Statistical Graphs": one value per round (or per played nine) of one player
// over a date range, for one or all courses, in the 18- or 9-hole view by US or Canadian columns:
// index, gross and adjusted score, % fairways, % greens, putts or sand saves; the minimum, maximum
// and average under the graph; printed as a picture of the screen.

#include <QDialog>
#include <array>

#include "reports/GraphSeries.h"

class QCheckBox;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace dc {

class AppContext;

class MaskEdBox;
class ReportPanel;

class frmGraphs : public QDialog {
    Q_OBJECT
  public:
    explicit frmGraphs(AppContext& ctx, QWidget* parent = nullptr);
    ~frmGraphs() override;  // its date boxes reach no handler once destruction begins
    int nReturnCode = 0;    // handed to the main screen on closing (2: reload the players)

    ReportPanel* panel;
    QComboBox *cboPlayer, *cboCourse;
    QCheckBox* chkAllCourses;
    MaskEdBox *txtSDate, *txtEDate;
    std::array<QRadioButton*, 3> opt189{}, optUSCan{};  // members 1 and 2
    std::array<QRadioButton*, 7> Opt{};                 // members 1 to 6
    QChartView* Graph1;
    QLabel *Label4, *Label5;
    QPushButton *cmdPrint, *cmdClose, *cmdHelp;

    void UpdateGraph();
    void GraphPoints();
    void cmdPrint_Click();
    void done(int result) override;

    int Points() const { return nGraphPoints; }
    QString Hint() const;

  protected:
    bool event(QEvent* event) override;

  private:
    AppContext& ctx_;
    void Form_Load();
    int ChosenOption() const;
    void Draw(const std::vector<std::vector<float>>& sets, float yMin, float yMax, int tickEvery);
    void DrawEmpty();   // an empty graph; Print disabled
    void ClearGraph();  // no points, no figures in the hint line

    int nLoaded = 0;
    int nGraphPoints = 0;
    int tickEvery_ = 1;
    QString graphHint_;                     // the graph's Min/Max/Avg line, printed with the screen
    void ShowFigures(const QString& hint);  // that line, shown and kept for printing
    GraphData data_;
};

}  // namespace dc

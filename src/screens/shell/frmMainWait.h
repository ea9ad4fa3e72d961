#pragma once
// The progress window shown during long recomputations: a message, a percentage and a bar. It
// lives exactly as long as its work runs: nothing the user does closes or hides it meanwhile.

#include <QDialog>

class QLabel;
class QProgressBar;

namespace dc {

class frmMainWait : public QDialog {
    Q_OBJECT
  public:
    explicit frmMainWait(QWidget* parent = nullptr);

    QLabel* WaitCap;
    QLabel* WaitPerc;
    QProgressBar* G2;
    QLabel* WaitNote;  // shown only when a run has something to say about itself

    void SetNote(const QString& note);

    // Unit k of n is done: "##0.0%" in WaitPerc and the bar at the same value; lets events run.
    void SetProgress(int k, int n);
    // The percentage text for k of n ("33.3%").
    static QString PercentText(int k, int n);

  public Q_SLOTS:
    void reject() override;  // Escape: the work goes on, and so does the window

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace dc

#pragma once
// "System File Check": checks the program and the shared libraries it needs against the rows of
// DLLCHECK when asked (DllCheck.h), shows one grid row per file with every differing fact
// marked yellow, and prints or mails the result. Opened modally by the settings screen.

#include <QDialog>

class QLabel;
class QPushButton;

namespace dc {

class AppContext;

class Spread;

class frmDLLCheck : public QDialog {
    Q_OBJECT
  public:
    explicit frmDLLCheck(AppContext& ctx, QWidget* parent = nullptr);

    QLabel* Label1;
    Spread* spDLL;
    QPushButton* cmdPrint;
    QPushButton* cmdEmail;
    QPushButton* cmdClose;
    QPushButton* cmdHelp;

    // Runs the check (the package database is asked about every file) and fills the grid.
    void RunCheck();
    void cmdPrint_Click();
    void cmdEmail_Click();
    void cmdHelp_Click() const;
    void cmdClose_Click() { close(); }

    // The subject of the results mail: "Dado Corvy System Check (CV5.5.0)".
    static QString EmailSubject();

  private:
    AppContext& ctx_;
};

}  // namespace dc

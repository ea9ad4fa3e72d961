#pragma once
// "System File Check": checks the program and the shared libraries it needs against the rows of
// DLLCHECK as it opens (DllCheck.h), shows one grid row per file with every differing fact
// marked yellow, and prints or mails the result. Opened modally by the settings screen.

#include <QDialog>
#include <vector>

#include "tools/CDLLVersion.h"
#include "tools/DllCheck.h"

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

    // The package database's answers: the system's; tests replace it.
    PackageQuery QueryPackages = OwningPackages;

    // Runs the check (the package database is asked about every file) and fills the grid; done
    // when the screen is first shown, unless it ran before.
    void RunCheck();
    void cmdPrint_Click();
    void cmdEmail_Click();
    void cmdHelp_Click() const;
    void cmdClose_Click() { close(); }

    // The subject of the results mail: "Dado Corvy System Check (CV5.5.0)".
    static QString EmailSubject();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    AppContext& ctx_;
    bool checked_ = false;
    std::vector<DllCheckLine> lines_;  // the check's rows, as shown

    void ShowMarks();
};

}  // namespace dc

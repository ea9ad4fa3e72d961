#pragma once
// The welcome screen: the first screen of the program. Its Form_Load runs the start-up; it then
// offers Start (the main screen), Convert, Exit and a link to a PDF reader for the help document.

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace dc {

class AppContext;

class SingleInstance;

// Builds the main screen that Start opens (the program hands it in).
using MainScreenFactory = std::function<QWidget*()>;

class frmWelcome : public QDialog {
    Q_OBJECT
  public:
    frmWelcome(AppContext& ctx, SingleInstance& instance, MainScreenFactory mainScreen,
               QWidget* parent = nullptr);
    ~frmWelcome() override;

    QPushButton* cmdStart;
    QPushButton* cmdConvert;
    QPushButton* cmdInstruction;
    QPushButton* cmdExit;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label6;
    QLabel* Label8;
    QLabel* picCorvySystems;
    QLabel* Image1;

    // Runs the start-up; false when the program must end (another copy runs).
    bool Form_Load();
    void cmdStart_Click();
    void cmdConvert_Click();
    void cmdExit_Click();
    void cmdInstruction_Click();
    void picCorvySystems_Click();
    void Image1_DblClick();

    static const char* kReaderUrl;
    static const char* kMakerUrl;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppContext& ctx_;
    SingleInstance& instance_;
    MainScreenFactory mainScreen_;
};

}  // namespace dc

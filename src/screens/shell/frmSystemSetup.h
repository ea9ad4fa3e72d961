#pragma once
// The settings screen "System Setup": the database file and sound folder kept in Connect.ini, the
// options of the SETUP row, and the backup and compaction of the database. Opened modally by
// start-up when the database is missing, where it refuses to close until a database has been opened.

#include <QString>
#include <functional>

#include "shell/BackupCompact.h"
#include "shell/DialogBase.h"

class QCheckBox;
class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace dc {

class AppContext;

class frmSystemSetup : public DialogBase {
    Q_OBJECT
  public:
    // `databaseMissing`: opened because no database could be opened (start-up, or Start without one);
    // the screen then loads nothing and stays until a database has been opened.
    explicit frmSystemSetup(AppContext& ctx, QWidget* parent = nullptr, bool databaseMissing = false);

    // Hooks that tests replace. ChooseFile shows an Open file dialog and returns the chosen file, or an
    // empty text when cancelled. EndProgram ends the program at once.
    std::function<QString(QWidget* parent, const QString& caption, const QString& folder,
                          const QString& filter)>
        ChooseFile;
    std::function<void()> EndProgram;
    // Asked before another database takes the open one's place (each open editor's save question,
    // then the main screen's about a round being typed): false keeps the open database and the
    // screen's entries.
    std::function<bool()> LeaveDatabase;

    // Controls
    QTabWidget* SSTab1;
    QLabel* capHelp;
    QGroupBox* Frame2;
    QLabel* Label1_9;
    QLineEdit* txtDataBasePath;
    QPushButton* cmdBrowseDBPath;
    QLabel* Label1_6;
    QLineEdit* txtMultimediaPath;
    QCheckBox* chkSounds;
    QGroupBox* fraHoleCountry;
    QRadioButton* opt189_1;  // 18 Hole
    QRadioButton* opt189_2;  // 9 Hole
    QFrame* picFlagFrame;
    QRadioButton* optUSCan_1;  // US
    QRadioButton* optUSCan_2;  // Canada
    QGroupBox* Frame3;
    QRadioButton* optStyle_1;  // 2 x 10
    QRadioButton* optStyle_2;  // 3 x 10
    QPushButton* cmdResync;
    QPushButton* cmdEmail;
    QPushButton* cmdSystemFileCheck;
    QPushButton* cmdSave;
    QPushButton* cmdClose;
    QPushButton* cmdHelp;
    QLabel* Label16_0;
    QLabel* capDate;
    QLabel* Label16_1;
    QLabel* capTime;
    QLabel* lblRepairStatus;
    QPushButton* cmdStart;

    bool bChanged = false;
    int nReturnCode = 0;  // handed to the main screen on closing (3: reload courses and players)
    bool bCompactFailed = false;
    // True until a database has been opened on the missing-database road.
    bool DatabaseMissing() const { return databaseMissing_; }

    // Handlers
    void Form_Load();
    void cmdBrowseDBPath_Click();
    void cmdSave_Click();
    void cmdClose_Click();
    void cmdHelp_Click();
    void cmdResync_Click();
    void cmdEmail_Click();
    void cmdSystemFileCheck_Click();
    void cmdStart_Click();

    // The save; true when every step completed, false when it was refused or failed.
    bool SaveSettings();
    // The close check: false keeps the screen open.
    bool Form_Unload() override;
    bool SaveChangesQuestion() override;

    // The subject line the e-mail button presets.
    static QString EmailSubject();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppContext& ctx_;
    bool databaseMissing_;
    void BuildControls();
    void ConnectHandlers();
    void FilePath(QLineEdit& box);
    void ShowStage(CompactStage stage);
    // The missing-database question; OK puts the focus on the path box and returns true, Cancel ends
    // the program.
    bool AskForValidDatabase();
};

}  // namespace dc

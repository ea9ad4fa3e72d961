#pragma once
// "Dado Corvy Conversion Utility": the golfer picks the folder of an earlier version's data files
// and how that version wrote golfer names; Start imports courses, golfers and rounds (see
// Conversion.h) and recomputes every handicap. Opened without being modal by the welcome screen.

#include <QDialog>
#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

namespace dc {

class AppContext;

class frmConvertUtil : public QDialog {
    Q_OBJECT
  public:
    explicit frmConvertUtil(AppContext& ctx, QWidget* parent = nullptr);

    QTreeView* Dir1;  // the folder of the old files (one tree from the root: no drive list here)
    QListWidget* File1;
    QComboBox* cboNameFormat;
    QPushButton* cmdStart;
    QPushButton* cmdClose;
    QLabel* lblNumCourses;
    QLabel* lblNumGolfers;
    QLabel* lblNumRounds;

    void Form_Load();
    void Dir1_Change();
    void cmdStart_Click();
    void cmdClose_Click();

    // The folder shown in Dir1, and choosing one (as a click in the tree does).
    QString FolderPath() const;
    void SetFolder(const QString& path);
    // The selected name format, or -1 when the box holds typed text.
    int NameFormatIndex() const;

  public Q_SLOTS:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    AppContext& ctx_;
    // Selects and shows the chosen folder in the tree once the tree is on screen and has loaded it.
    void RevealFolder();

    QFileSystemModel* dirModel_;
    QString folder_;
    QStringList files_;  // the data files of folder_, as File1 lists them
    bool running_ = false;
    bool revealPending_ = false;  // the chosen folder is still to be shown in the tree
};

}  // namespace dc

#pragma once
// "Dado Corvy Conversion Utility": the golfer picks the folder of an earlier version's data files
// and how that version wrote golfer names; Start imports courses, golfers and rounds (see
// Conversion.h) and recomputes every handicap. Opened without being modal by the welcome screen.

#include <QByteArray>
#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

namespace dc {

class AppContext;

class frmConvertUtil : public QDialog {
    Q_OBJECT
  public:
    explicit frmConvertUtil(AppContext& ctx, QWidget* parent = nullptr);

    // The folder of the old files: one tree from the root (no drive list here), folders named in
    // Windows-1252 shown too; the box beside it takes a typed or pasted path.
    QTreeView* Dir1;
    QLineEdit* txtPath;
    QPushButton* cmdGo;
    QListWidget* File1;
    QComboBox* cboNameFormat;
    QPushButton* cmdStart;
    QPushButton* cmdClose;
    QLabel* lblNumCourses;
    QLabel* lblNumGolfers;
    QLabel* lblNumRounds;

    void Form_Load();
    void Dir1_Change();
    void cmdGo_Click();
    void cmdStart_Click();
    void cmdClose_Click();

    // The folder shown in Dir1 as text, and choosing one by its text (as a click in the tree or a
    // typed path does) or by its path's bytes.
    QString FolderPath() const;
    void SetFolder(const QString& path);
    void SetNativeFolder(const QByteArray& nativePath);
    // The selected name format, or -1 when the box holds typed text.
    int NameFormatIndex() const;
    bool Running() const { return running_; }

  public Q_SLOTS:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    AppContext& ctx_;
    // Lists the subfolders of a tree item once, when it is first opened.
    void LoadChildren(QStandardItem* item);
    // Opens the tree down to the chosen folder and selects it.
    void RevealFolder();
    void ShowResult(const QString& summary, const QString& message);
    // During a run the buttons are off, the counts start empty and the pointer is busy.
    void SetRunning(bool running);
    void ClearCounts();

    QStandardItemModel* dirModel_;
    QString folder_;           // the chosen folder as text
    QByteArray nativeFolder_;  // the same by its bytes, to open it by
    QStringList files_;        // the data files of the folder, as File1 lists them
    bool running_ = false;
    bool revealing_ = false;  // the tree is being moved to the chosen folder
};

}  // namespace dc

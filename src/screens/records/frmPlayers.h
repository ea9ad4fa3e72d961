#pragma once
// The player editor "Add/Edit Player Info": creates, edits and deletes players, lists every player
// in a grid that sorts by a header click, finds players by a name prefix, and prints the list and
// mailing labels. Shown modally by the main screen; hands the shown player back in nCurPlayerID
// with nReturnCode 2.

#include <array>
#include <vector>

#include "records/PlayerStore.h"
#include "shell/DialogBase.h"

class QCloseEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dc {

class AppContext;

class GridFit;
class LoadedDatabase;
class Spread;

class frmPlayers : public DialogBase {
    Q_OBJECT
  public:
    explicit frmPlayers(AppContext& ctx, QWidget* parent = nullptr);

    QLineEdit* txtLast;
    QLineEdit* txtFirst;
    QLineEdit* txtMI;
    QLineEdit* txtSalutation;
    QGroupBox* Frame1;
    QRadioButton* optGender_1;  // Male
    QRadioButton* optGender_2;  // Female
    QLineEdit* txtAddress1;
    QLineEdit* txtAddress2;
    QLineEdit* txtCity;
    QLineEdit* txtState;
    QLineEdit* txtZip;
    QLineEdit* txtHomePh;
    QLineEdit* txtOtherPh;
    QLabel* lblEmail;
    QLineEdit* txtEMail;
    QLineEdit* txtHomeCourse;
    QLineEdit* txtCoursePh;
    QLineEdit* txtGHIN;
    QLabel* lblPlayerID;
    Spread* spPlayers;
    QLineEdit* txtSearch;
    QPushButton* cmdSearch;
    QPushButton* cmdSave;
    QPushButton* cmdNew;
    QPushButton* cmdDelete;
    QPushButton* cmdClose;
    QPushButton* cmdHelp;
    QPushButton* cmdPrint;
    QPushButton* cmdMailingLabels;

    bool bNewPlayer = true;
    bool bChanged = false;
    int nReturnCode = 0;                  // handed to the main screen on closing (2: reload the players)
    std::array<bool, 11> bColSortFlag{};  // index 1 to 10 = grid column; true: next click sorts descending

    void Form_Load();
    void Grid_Setup();
    void Load_spPlayers();
    void Clear_Player_Fields();
    // Loads the player `playerId` into the fields; false when there is no such player.
    bool Load_Player(int playerId);

    void cmdNew_Click();
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdClose_Click();
    void cmdHelp_Click();
    void cmdSearch_Click();
    void cmdPrint_Click();
    void cmdMailingLabels_Click();
    void lblEmail_Click();
    void spPlayers_Click(int col, int row);
    void spPlayers_DblClick(int col, int row);
    void txtHomeCourse_KeyUp(int keyCode);
    // The close check: false keeps the screen open.
    bool Form_Unload() override;
    bool SaveChangesQuestion() override { return AskToSave("player"); }

    // The save; true when the player on the screen is stored. It stores only into the database the
    // player was loaded from.
    bool SavePlayer();
    // The fields as one record, with the key of the player on the screen.
    PlayerRec FieldsRecord() const;
    // The 15 text boxes in tab order.
    std::array<QLineEdit*, 15> TextBoxes() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    GridFit* playersFit_ = nullptr;  // the grid's columns fitted to its width
    AppContext& ctx_;
    LoadedDatabase* database_;  // the database the players shown were loaded from
    // The open database's players listed afresh and a new player shown: the edits are dropped.
    void ShowOpenDatabase();
    // False (after saying so and showing the open database's players) when another database is open
    // than the one the players were loaded from.
    bool MayStore();
    void BuildControls();
    void ConnectHandlers();
    // The save question; true when the command may go on (No, or Yes with a successful save).
    // No leaves the edits for the command to drop (SaveQuestion) or for the program's end.
    bool AskToSave(const QString& word);
    bool SaveQuestion(const QString& word);
    void Refused(const QString& text, QWidget* focus);
    void EditCaption();
    void WriteGridRow(int row, const PlayerRec& p);
    void ShowRows();               // the grid shows rows_
    std::vector<PlayerRec> rows_;  // the players behind the grid's rows, in the grid's order
    // Keeps the key of the player on the screen (0: none or a new one) and shows it.
    void SetPlayerKey(int key);
    int playerKey_ = 0;
    int keptKey_ = 0;  // the player shown before New, handed back when the new one is not saved

    bool homeCourseTyped_ = false;  // the home-course box's text was changed by a key
};

}  // namespace dc

#pragma once
// The main screen: choose a player, page through the player's stored rounds or enter a new one
// hole by hole on a course and tee box, see the totals, capped scores and indexes, and save it.
// Every other screen is opened from here.

#include <QSet>
#include <QWidget>
#include <array>
#include <functional>

#include "entry/MainRound.h"
#include "entry/RoundRules.h"
#include "handicap/RoundEntry.h"
#include "shell/ScreenAnswer.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace dc {

class AppContext;
struct PagedRound;
struct TeeBoxFigures;

class MaskEdBox;
class Spread;

class frmMainGolf : public QWidget {
    Q_OBJECT
  public:
    explicit frmMainGolf(AppContext& ctx, QWidget* parent = nullptr);

    // Screens of other parts of the program, opened by their buttons; an empty hook opens nothing.
    // A hook shows its screen modally and returns what that screen hands back on closing: the code
    // (0 for none), and from the report screens also the round they retrieved. The course editor is
    // modeless: its closing calls Form_Activate.
    std::function<void()> ShowCourseEditor;
    std::function<int()> ShowPlayerEditor, ShowScoreCard, ShowHandicap;
    std::function<ScreenAnswer()> ShowStats, ShowGameList, ShowGraphs;
    // Ends the program (tests replace it).
    std::function<void()> EndProgram;

    // ---- controls
    QPushButton *cmdNewGame, *cmdSave, *cmdDeleteGame, *cmdGameList, *cmdCourse, *cmdStats, *cmdGraphs,
        *cmdHandicaps, *cmdNewPlayer, *cmdDeletePlayer, *cmdSetup, *cmdExit, *cmdScoreCard, *cmdHelp;
    QComboBox* cboPlayer;
    std::array<QRadioButton*, 2> optMF;  // 0 "Mr.", 1 "Ms."
    QLineEdit* txtRecNum;
    QScrollBar* RecBar;
    QLabel* capHelp;
    QTabWidget* SSTab1;
    MaskEdBox* mskDate;
    QPushButton* cmdCalendar;
    QComboBox *cboCourse, *cboTeeBox;
    QCheckBox *chkUseHandicap, *chkUseTourn, *chkKeepSame;
    std::array<QRadioButton*, 3> opt189;    // 1 "18 Hole", 2 "9 Hole"
    std::array<QRadioButton*, 3> optUSCan;  // 1 US, 2 Canada
    Spread* spISC;
    QPushButton* cmdPrintScoreCard;
    QLabel *lblHIndex, *lblTHcpIndex, *lblCHcp, *lblAlscr, *lblAdjustScore, *lblCurrentIndex;
    // Index 1: the 18 holes or the front nine; 2: the back nine (0 unused).
    std::array<QLabel*, 3> lblHI, lblTHI, lblCourseHcp, lblAllowScore, lblAdjScore, lblCurrIndex,
        lblCurrTIndex, lblF9B9;
    QLineEdit *txtGameCost, *txtCartCost, *txtOtherCost;
    QPlainTextEdit* txtNotes;

    // ---- form-level state
    MainRound round;  // the shown round: its state and handicap figures
    // What the screen is doing. Showing a round, a question open and a save are each one step: no
    // page change, player change or save starts before it ends, and what code puts into the
    // controls meanwhile is no entry of the golfer's.
    enum class Step { Idle, Showing, Asking, Saving };
    Step CurrentStep() const { return step_; }
    int nReturnCode = 0;  // the code being acted on while activating (cleared once acted on)
    // The game paged to or saved last. A screen handing back code 2 shows the player's round of this
    // number again, or the one a report screen retrieved, which replaces it.
    int nGameNumber = 0;
    // What "Keep same" carries into the next new round while it is ticked: the date, course and tee
    // box of the round saved last (bKeepSame once a round was saved).
    bool bKeepSame = false;
    QString sKeepDate;
    int nKeepCourseID = 0;
    int nKeepTeeBox = 0;

    // ---- loading and activation
    void Form_Load();
    // Back from another screen: acts on the code it handed back (1 course editor, 2 player editor and
    // report screens, 3 settings; 0 none) and shows the round a report screen retrieved.
    void Form_Activate(const ScreenAnswer& answer);
    void Form_Activate(int returnCode = 0) { Form_Activate(ScreenAnswer{returnCode, 0}); }
    // ---- buttons
    void cmdExit_Click();
    void cmdCalendar_Click();
    void cmdCourse_Click();
    void cmdScoreCard_Click();
    void cmdSetup_Click();
    void cmdGraphs_Click();
    void cmdGameList_Click();
    void cmdHandicaps_Click();
    void cmdStats_Click();
    void cmdHelp_Click();
    void cmdDeleteGame_Click();
    // True when the player was deleted; `lastGame`: asked as the deletion of his last game.
    bool cmdDeletePlayer_Click(bool lastGame = false);
    void cmdPrintScoreCard_Click();
    void opt189_Click(int index);
    void optUSCan_Click(int index);
    void chkUseHandicap_Click();
    // ---- scoring grid
    // A hole's text or tick entered by code: the round holds it and the grid shows it.
    void SetHoleText(int row, int hole, const QString& text);
    void SetHoleTick(int row, int hole, int ticked);
    void Calc_Row_Scores(int nRow);
    void spISC_LeaveCell(int col, int row, int newCol, int newRow, bool& cancel);
    void spISC_ButtonClicked(int col, int row, bool buttonDown);
    void spISC_Click(int col, int row);
    // ---- course, tee box, gender
    void cboTeeBox_Click();
    void cboCourse_Click();
    void optMF_Click(int index);
    // ---- handicap grid
    void DisplayHCP_Scores();
    void FillGame1Grid();
    // ---- player and paging
    void cboPlayer_Click();
    void txtRecNum_Change();
    void RecBar_Change();
    void RecBar_Scroll();
    // ---- new round, new player
    void Clear_Screen();
    void cmdNewGame_Click();
    void cmdNewPlayer_Click();
    // ---- what other screens stored
    // Shows what is stored now when another screen changed it: the lists reloaded, the player's
    // round shown by its key (or its game number when it is gone), edits kept, a round being typed
    // on its tee box's present figures; after a switch to another database, an empty screen.
    void ShowWhatIsStored();
    // ---- change check and saving
    void Save_Check();
    // Checks and saves (nothing while another step is under way); true when the round was stored.
    bool cmdSave_Click();
    // Stores the round, renumbers and recomputes, then shows the saved round; false (nothing
    // stored, entries kept) on error.
    bool Save_DBF();

    // What the screen holds, as the rules read it.
    ScreenRound CurrentScreenRound() const;
    RoundEntry CurrentRoundEntry() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppContext& ctx_;
    void BuildControls();
    QHBoxLayout* BuildButtons();
    void SetScreenHooks();  // the screens the buttons open
    QHBoxLayout* BuildPlayerRow();
    void BuildRoundTab(QWidget* roundTab);
    QGridLayout* BuildHandicapPanel(QWidget* roundTab);
    void BuildCostsTab(QWidget* costs);
    void ConnectHandlers();
    void Grid_Setup(Spread& grid);
    void Init_Player_List();
    // Empty lists reloaded from the database, no player chosen, a new round: as after loading. Used
    // after a switch of database: no course or kept round of the other one is carried.
    void StartAfresh();
    // Asks to save, hands the shown course and player over, opens a report screen, then activates.
    void OpenForShownCourseAndPlayer(const std::function<ScreenAnswer()>& show);
    void SetHint(const QString& text);
    // What No to a save question does with the edits: thrown away at once (DropEdits), or left to a
    // caller that leaves the round anyway (a new round or player, another database, the end).
    enum class OnNo { Drop, Leave };
    // The save question of a caller: Yes stores after the save checks, No throws the edits away
    // (or leaves them to the caller). Returns false when the caller must stay (Cancel, or a Yes
    // whose checks or store failed).
    bool AskToSave(const QString& secondLine, int style, bool viaSaveButton, OnNo onNo = OnNo::Drop);
    // The edits thrown away: a stored round shown again as stored, a new round as it began.
    void DropEdits();
    // Before the user pages away from a stored round he edited: Yes saves (and the saved round stays
    // shown), No drops the edits, Cancel stays. True when the paging may go on.
    bool LeaveEditedStoredRound();
    // Before the bar pages away from a changed new round: Yes saves it, Cancel stays, No goes on.
    bool LeaveNewRound();
    // The game-number box and the bar on the round shown ("New" for a new round).
    void ShowShownRoundNumber();
    void ShowPagingAt(int game);
    void StopBarRepeat();  // ends a hold of the bar's arrows
    // Stores a score still being typed in the grid (a button reached by its access key leaves the
    // grid's editor open) and brings the totals up to date. `refuseNow`: a score the cell cannot
    // take is refused before anything else happens, and false is returned (else it is refused
    // once the caller is done).
    bool CommitTyping(bool refuseNow = false);
    // The save checks of a save asked from a prompt: the player first, then the save button's checks.
    bool RunSaveChecks(bool fromPrompt);
    // Asks before saving holes left empty in a played nine; No goes to the first of them.
    bool AcceptEmptyHoles();
    void FailCheck(const QString& message, QWidget* focus);
    void SetGrossColour(int hole);
    void TakeCell(int col, int row);  // a cell the user changed: the round takes it
    void TakeStoredHoles(const RoundRec& round);
    // The previous and current indexes of a stored round (the first two games have no previous).
    void TakeStoredIndexes(const PagedRound& paged, int game);
    void ShowHoles();
    void ShowTeeBoxHoles(const TeeBoxFigures& tee);  // its yards, hole handicaps and pars, with totals
    // The round's course handicaps, allowable and capped scores from its own previous indexes and
    // tee box, and the panel showing them; none while no player or no tee box is chosen.
    void UpdateRoundFigures();
    // The figures of the round: stored ones for an unedited stored round, else what Save stores.
    void TakeSaveFigures();
    // The same after a change of a check or of the view; the panel only while a round is being shown.
    void RefreshSaveFigures();
    // What a new round starts with, for the change check: its date and ticks as they are now.
    void MarkNewRoundStart();
    // A round (the new one for key 0) with the course, tee box and gender shown: a tee box lacking
    // values warns once each.
    QString TeeWarningKey(int rndGameId) const;
    QString ShownTeeWarningKey() const;  // the key of the round shown
    int ViewVariant() const;             // the variant (1 to 6) of the first shown column
    void FillLabels(int k, int c);
    void SetPrevIndexesForNewRound(int playerId);
    void mskDate_Change();
    void SetRecNumText(const QString& text);
    void SelectPlayerQuietly(int index);
    struct StepScope;
    // Runs `work` as one step; back at Idle, the tee-box warning it left is given.
    void RunStep(Step step, const std::function<void()>& work);
    bool Busy() const { return step_ != Step::Idle; }
    // A question or message of the screen: a step of its own, during which nothing starts.
    int Ask(const QString& text, int style, const QStringList& buttons = {});
    // The chosen player's round: the one handed back or his newest, or a new round.
    void LoadPlayer();
    // The stored game n (a number outside the player's games goes to the nearest), loaded whole.
    void PageTo(double n);
    // The bar's game loaded whole into the round, then shown.
    void LoadBarRound();
    // A new round on the screen: the previous indexes after the newest stored round, and the kept
    // date, course and tee box when "Keep same" is ticked. `takeKeyboard`: the keyboard goes where
    // the golfer types first (hole 1 for kept values, else the date); otherwise only hole 1 gets it
    // when kept values were carried.
    void StartNewRound(bool takeKeyboard);
    // No player and a blank new round, without a question or the player editor.
    void ClearForNewPlayer();
    bool StoreRound();  // the save step of Save_DBF
    // What the screen's own write changed it shows itself: the notice of it asks nothing more.
    // `before`: the count of stored changes just before the write.
    void TookOwnChanges(quint64 before);
    // The round takes its tee box's present yards, hole handicaps and pars (and slope and rating,
    // unless it keeps its own) with the capped scores they give: what it is stored with.
    void TakeTeeBoxFiguresNow();
    // The round takes its player's gender as stored now, unless the golfer chose another: another
    // screen may have corrected it since the round was shown.
    void TakePlayerGenderNow();
    void CatchUpWithStore();  // the step of ShowWhatIsStored
    // The shown player's edited round, now game `game`: its stored figures and number, the edits kept.
    void KeepEditsAt(int game);
    // The game number the shown stored round has now (another screen may have renumbered it), if it
    // is still stored and can be told apart from a round of its key.
    std::optional<int> ShownRoundGameNow(int player);
    // The course and tee-box lists reloaded, the shown ones chosen again (quietly).
    void ReloadCourseLists();
    // The tee box's present yards, hole handicaps and pars, and its slope and rating unless the
    // round keeps its own (a stored round on the tee box it was played off).
    void RefreshTeeFigures(bool takeRating);
    Step step_ = Step::Idle;
    QString teeWarning_;     // the tee box's warning, given when the step showing the round ends
    QString teeWarningKey_;  // the round and tee box it is about (TeeWarningKey)
    int nRecBarShown_ = 1;   // the game the scroll bar showed last
    bool shownOnce_ = false;
    QString shownDatabase_;       // the database the shown lists and round come from
    quint64 shownChanges_ = 0;    // the stored changes shown (StoredChanges::Count)
    bool catchUpPosted_ = false;  // ShowWhatIsStored waits for the end of a step or a transaction
    int newRoundSerial_ = 0;      // counts the new rounds started, each a round of its own
    QSet<QString> warnedTees_;    // the rounds and tee boxes already warned about (TeeWarningKey)
};

}  // namespace dc

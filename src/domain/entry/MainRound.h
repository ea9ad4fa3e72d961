#pragma once
// The round on the main screen, apart from its widgets: what is shown and whether it changed, its
// holes and gender, and its handicap figures. For each of the six variants (US 18, US front 9, US
// back 9, Canada 18, Canada front 9, Canada back 9): the indexes before the round, the
// allowable-score rule, the capped score and the round's own indexes; and the course handicaps they
// give on the tee box's slope. The screen fills it from the user's entries and shows what it holds.

#include <QString>
#include <array>
#include <optional>

#include "entry/RoundRules.h"
#include "handicap/RoundEntry.h"
#include "handicap/RoundStore.h"

namespace dc {

struct VariantFigures {
    double prevIndex = 0, prevTIndex = 0;  // before the round; kNoTournIndex: no tournament index
    // The capped score shown and stored, once the gross scores were summed: the stored one while
    // the entries it follows from are unchanged, else what the save's recomputation leaves.
    std::optional<int> adjusted;
    double currIndex = 0, currTIndex = 0;  // the round's own indexes
};

class SavePreview;

class MainRound {
  public:
    // ---- what is shown
    // The player whose round is shown (0: nobody's).
    int ShownPlayerId() const { return shownPlayerId_; }
    void SetPlayer(int playerId) { shownPlayerId_ = playerId; }
    // New (no stored row stands behind it, so a save adds one) or stored. Only SetStored and SetNew
    // change which; the game-number box never does.
    bool IsNew() const { return isNew_; }
    // The game shown: -1 while a new round is entered.
    int ShownGame() const { return shownGame_; }
    // The stored round shown: its game number and round key (0 while a new round is shown).
    int StoredGame() const { return storedGame_; }
    int StoredRndGameId() const { return storedRndGameId_; }
    // Which stored row it is, for the store to find it again (rounds of one key told apart).
    RoundRef StoredRef() const { return {shownPlayerId_, storedRndGameId_, storedGame_, storedRowId_}; }
    // The stored round as it was loaded: what the change check compares the entries with.
    const std::optional<RoundRec>& Loaded() const { return loaded_; }
    // A stored round is shown: its game, key, course and tee box; the tee box's slope and rating
    // those it was played off.
    void SetStored(const RoundRec& loaded);
    // A new round is shown: nothing stored stands behind it.
    void SetNew();
    // The game number a new round takes.
    int NewGame() const { return newGame_; }
    void SetNewGame(int game) { newGame_ = game; }
    // What a new round started with (today's or the kept date, the carried ticks): a new round is
    // changed only when its entries differ from these.
    const NewRoundStart& Start() const { return start_; }
    void SetStart(const NewRoundStart& start) { start_ = start; }

    // ---- course, tee box and gender
    // The course and tee-box slot shown: the screen's own, since the screens it opens write the
    // shared nCurCourseID and nCurTeeBox too.
    int CourseId() const { return courseId_; }
    int TeeBox() const { return teeBox_; }
    int TeeSlope() const { return teeSlope_; }
    double TeeRating() const { return teeRating_; }
    void SetCourse(int courseId) { courseId_ = courseId; }
    // The tee box chosen, with its slope and rating for the round's gender.
    void SetTee(int teeBox, int slope, double rating);
    // The round's gender: its player's as stored, or as the golfer chose it on the screen, which a
    // save then stores as the player's.
    bool Male() const { return male_; }
    void SetMale(bool male) { male_ = male; }
    // The player's gender as stored, read when his round is shown: the round's too.
    void SetPlayerGender(bool male) { male_ = playerMale_ = male; }
    // The player's gender as stored now (another screen may have corrected it): the round takes it
    // unless the golfer chose another on the screen.
    void TakeStoredGender(bool male);
    // The golfer chose another gender than the player's stored one.
    bool GenderCorrected() const { return male_ != playerMale_; }

    // ---- whether the entries differ from what was loaded
    bool Changed() const { return change_.changed; }
    bool HcpChanged() const { return change_.hcpChanged; }  // the change matters for handicaps
    QString ChangedField() const { return change_.field; }  // the first changed field, for the question
    void SetChange(const ChangeResult& change) { change_ = change; }
    void ClearChange() { change_ = ChangeResult{}; }

    // ---- handicap figures
    // Variant c is Figures()[c - 1], c = 1 to 6 as in CourseHcp.
    const std::array<VariantFigures, 6>& Figures() const { return figures_; }
    // The course handicap of variant c (1 to 6) on the tee box's slope, and the allowable score it
    // gives as the panel shows it ("+2", "7"; nothing while none is worked out).
    int CourseHcp(int c) const { return nCourseHcp_[c - 1]; }
    QString AllowScoreText(int c) const;

    // The starting values of a player without earlier rounds (games 1 and 2); the allowable scores
    // come from the tee box (UpdateCourseHcps).
    void SetStartValues(bool male);
    // The indexes before the round, where PreviousIndexes gives one; `asCurrent` also makes them
    // the round's own (a new round shows the indexes it starts from).
    void SetPrevious(const PrevIndexes& prev, bool asCurrent);
    // The stored round's own indexes.
    void SetCurrent(const RoundRec& round);
    // The player's first four games start from the default index, so the gender option sets it.
    bool GenderSetsIndex() const { return (isNew_ ? newGame_ : shownGame_) < 5; }
    // The gender's 18-hole default index before the round (a new round's own too); the tournament
    // indexes stay.
    void SetGenderDefaults(bool male);
    // Course handicaps on the slope (none without one); the allowable scores follow from them.
    void UpdateCourseHcps(int slope);
    // No player or no tee box: no course handicap, no allowable score, nothing capped.
    void ClearCourseHcps();
    // The capped scores of the gross scores on the pars, by the allowable scores of the course
    // handicaps; none without an allowable score.
    void UpdateAdjusted(const std::array<int, 18>& gross, const std::array<int, 18>& pars);
    bool Allowed() const { return allowed_; }

    // A stored round whose date, course, tee box, checks and gross scores are those stored, of a
    // gender not corrected, shows the figures stored for it, and is stored again with its stored
    // capped scores.
    void KeepStoredFigures();
    // Any other round shows what a save of `entry` (the round's other entries) stores for it: the
    // previous indexes of its place among the stored rounds, its capped scores and its indexes.
    void TakeSaveFigures(SavePreview& preview, RoundEntry entry);

    // The course handicap of the round's own index on the slope, as the panel shows it: the
    // tournament index ("... T") when it has one, "+" for a plus index.
    QString CurrentCourseHcpText(int c, int slope) const;
    // The course handicap the round is played off: from the index before it (its tournament index
    // when it has one, then with " T"), "+" for a plus index.
    QString PreviousCourseHcpText(int c, int slope) const;

    // A figure as text, exactly as held.
    static QString FigureText(double value);

    // The holes of the scoring grid, rows kRowYards to kRowFHit and holes 1 to 18: the figures of
    // the number rows (nothing for an empty hole), and 1 for a ticked box of the three tick rows.
    HoleFigure Hole(int row, int hole) const;
    void SetHole(int row, int hole, HoleFigure figure);
    int Tick(int row, int hole) const;
    void SetTick(int row, int hole, int ticked);
    // A row's numbers: the ticks, or each hole's figure (0 for none).
    std::array<int, 18> RowValues(int row) const;

    // What the round gives the store: its holes, the tee box's rating and slope, previous indexes,
    // capped scores, gender and which stored row it is (and whether it is new).
    void FillEntry(RoundEntry& entry) const;
    // Its holes as the change check compares them.
    void FillHoles(ScreenRound& screen) const;

  private:
    int shownPlayerId_ = 0;
    bool isNew_ = true;
    int shownGame_ = -1;
    int storedGame_ = 0, storedRndGameId_ = 0;
    qint64 storedRowId_ = 0;
    std::optional<RoundRec> loaded_;
    int newGame_ = 1;
    NewRoundStart start_;
    int courseId_ = 0, teeBox_ = 0;
    int teeSlope_ = 0;
    double teeRating_ = 0;
    bool male_ = true;
    bool playerMale_ = true;  // the player's gender as stored when last read
    ChangeResult change_;
    std::array<VariantFigures, 6> figures_;
    std::array<VariantFigures, 6> storedFigures_;  // as the stored round was shown when loaded
    std::array<int, 6> nCourseHcp_{};
    bool allowed_ = false;                         // course handicaps worked out: allowable scores apply
    static constexpr int kFigureRows = kRowPutts;  // rows 1 to 5 hold figures, 6 to 8 ticks
    std::array<std::array<HoleFigure, 18>, kFigureRows> holes_;
    std::array<std::array<int, 18>, kRowFHit - kRowPutts> ticks_{};
};

}  // namespace dc

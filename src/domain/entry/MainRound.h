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

namespace dc {

struct VariantFigures {
    double prevIndex = 0, prevTIndex = 0;  // before the round; kNoTournIndex: no tournament index
    QString allowScore;                    // the allowable-score rule of the course handicap
    std::optional<int> adjusted;           // the capped score, once the gross scores were summed
    double currIndex = 0, currTIndex = 0;  // the round's own indexes
};

class MainRound {
  public:
    // The round shown: its player, its game (-1 while a new round is entered), the tee box's slope
    // and rating, whether it is new (1: no stored row stands behind it, so a save adds one) and
    // whether its entries differ from the stored round. Only SetStored and SetNew change whether it
    // is new; the game-number box never does.
    int shownPlayerId = 0;
    int shownGame = -1;
    int teeSlope = 0;
    float teeRating = 0;
    int isNew = 1;
    int changed = 0;
    int hcpChanged = 0;    // the change matters for handicaps
    QString changedField;  // the first changed field, for the save question
    int oldGame = 0;       // its game number before a save renumbers
    // The stored round shown: its game number and round key (0 while a new round is shown).
    int storedGame = 0;
    int storedRndGameId = 0;
    int newGame = 1;  // the game number a new round takes
    // What a new round started with (today's or the kept date, the carried ticks): a new round is
    // changed only when its entries differ from these.
    NewRoundStart start;
    // The course and tee-box slot shown: the screen's own, since the screens it opens write the
    // shared nCurCourseID and nCurTeeBox too.
    int courseId = 0;
    int teeBox = 0;
    bool male = true;  // the round's gender: its player's, or as chosen for a new player's round
    // Variant c is figures[c - 1], c = 1 to 6 as in nCourseHcp.
    std::array<VariantFigures, 6> figures;
    // The course handicaps and allowable scores of the six variants on the tee box's slope.
    std::array<int, 6> nCourseHcp{};
    std::array<QString, 6> sAllowScore{};

    // A stored round is shown: game `game` with round key `rndGameId`.
    void SetStored(int game, int rndGameId);
    // A new round is shown: nothing stored stands behind it.
    void SetNew();

    // The starting values of a player without earlier rounds (games 1 and 2); the allowable scores
    // come from the tee box (UpdateCourseHcps).
    void SetStartValues(bool male);
    // The indexes before the round, where PreviousIndexes gives one; `asCurrent` also makes them
    // the round's own (a new round shows the indexes it starts from).
    void SetPrevious(const PrevIndexes& prev, bool asCurrent);
    // The stored round's own indexes.
    void SetCurrent(const RoundRec& round);
    // The player's first four games start from the default index, so the gender option sets it.
    bool GenderSetsIndex() const { return (isNew ? newGame : shownGame) < 5; }
    // The gender's 18-hole default index before the round (a new round's own too); the tournament
    // indexes stay.
    void SetGenderDefaults(bool male);
    // Course handicaps on the slope (none without one) and the allowable scores they give.
    void UpdateCourseHcps(int slope);
    // No player or no tee box: no course handicap, no allowable score, nothing capped.
    void ClearCourseHcps();
    // The capped scores of the gross scores on the pars, by the current allowable scores; none
    // without an allowable score.
    void UpdateAdjusted(const std::array<int, 18>& gross, const std::array<int, 18>& pars);

    // The course handicap of the round's own index on the slope, as the panel shows it: the
    // tournament index ("... T") when it has one, "+" for a plus index.
    QString CurrentCourseHcpText(int c, int slope) const;
    // The course handicap the round is played off: from the index before it (its tournament index
    // when it has one, then with " T"), "+" for a plus index.
    QString PreviousCourseHcpText(int c, int slope) const;

    // A stored index as the round keeps it: the value written with 7 significant digits.
    static double StoredIndex(float value);
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
    static constexpr int kFigureRows = kRowPutts;  // rows 1 to 5 hold figures, 6 to 8 ticks
    std::array<std::array<HoleFigure, 18>, kFigureRows> holes_;
    std::array<std::array<int, 18>, kRowFHit - kRowPutts> ticks_{};
};

}  // namespace dc

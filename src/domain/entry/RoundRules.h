#pragma once
// The main screen's rules apart from its widgets: row totals and adjusted scores of the scoring
// grid, gross colours against par, course-handicap and index texts, the previous indexes a round
// shows, the save checks in their order, and the comparison of the screen with the stored round.

#include <QString>
#include <array>
#include <optional>

#include "handicap/AllowableScores.h"
#include "handicap/RoundRec.h"

namespace dc {

// Scoring-grid columns: hole h (1-18) and the three total columns.
constexpr int kColOut = 10, kColIn = 20, kColTot = 21;
constexpr int kRowYards = 1, kRowHcp = 2, kRowPar = 3, kRowGross = 4, kRowPutts = 5, kRowGir = 6,
              kRowSand = 7, kRowFHit = 8;
constexpr int kWholeScore = 2;  // digits of the longest score (1 to 99)
inline int HoleColumn(int hole) { return hole <= 9 ? hole : hole + 1; }

// Front, back and whole sums of one row; a sum below 1 shows as an empty cell.
struct RowTotals {
    int front = 0, back = 0;
    int total() const { return front + back; }
};
RowTotals SumRow(const std::array<int, 18>& values);
// The hole handicaps are ranks of the holes (1 to 18): a sum of them means nothing, so the HCP row's
// total cells stay empty. Every other row is totalled.
inline bool RowHasTotals(int row) { return row != kRowHcp; }
// A packed hole figure as the grid shows it: "07" -> "7", "090" -> "90".
inline QString HoleText(const QString& digits) { return QString::number(digits.trimmed().toInt()); }
inline QString TotalText(int sum) { return sum < 1 ? QString() : QString::number(sum); }

// The six adjusted scores (HcpVariant order) of a gross row: each hole counts min(gross, cap), the
// cap being VariantHoleMaximum of the variant's course handicap (US 18 up to 9, a US nine up to 4
// par + 2, else a plain maximum up to 10, a nine's up to 11; Canada always par + n). A hole without
// a par is not capped by par + n.
std::array<int, 6> AdjustedScores(const std::array<int, 18>& gross, const std::array<int, 18>& pars,
                                  const std::array<int, 6>& courseHcp);

// Text colour of a gross cell as a &HBBGGRR value: blue above par, red below, black equal.
unsigned int GrossColour(int gross, int par);

// A course handicap for the allowable scores: the previous tournament index when not -100, else
// the previous index, times the slope over 113, rounded half away from zero.
int ColumnCourseHcp(double prevIndex, double prevTIndex, int slope);

// Index texts of the handicap panel: "#0.0" from 0 up, else "+" and the absolute value; the
// tournament form gives "+" for 0 as well.
QString IndexDisplayText(double value);
QString TournIndexDisplayText(double value);

// Previous index and tournament index (rows 1 and 2 of the handicap grid) of a round, the ones the
// save's recomputation caps it by. The 18-hole columns come from `prev`, the round before it. Each
// nine follows the nine-hole rule, with `prevHandicap` the handicap round before it (nothing: none)
// and `shown` the round itself (nothing for a new round): a back nine after the round's own played
// front nine takes that front nine's pair; otherwise a nine takes the back-nine pair of the handicap
// round before when that nine was played (has a capped score of the rule set), else its front-nine
// pair; a front nine after a round with neither nine played, and a nine without a handicap round
// before, takes the default pair (the gender's nine-hole default index, no tournament index).
struct PrevIndexes {
    std::array<std::optional<double>, 6> index;
    std::array<std::optional<double>, 6> tIndex;
};
PrevIndexes PreviousIndexes(const RoundRec& prev, const RoundRec* prevHandicap, const RoundRec* shown,
                            bool male);

// Starting values of the handicap grid for a player without earlier rounds (FillGame1Grid).
struct HcpGridStart {
    std::array<double, 6> prevIndex, prevTIndex, currIndex, currTIndex;
    std::array<QString, 6> allowScore;  // as the grid shows it
};
HcpGridStart Game1Grid(bool male);

// ---- the save checks, in their order

struct SaveInput {
    QString player;  // text of the player box
    bool courseChosen = false;
    // One of the course's tee boxes is chosen (not none, nor a slot without a name), or a stored
    // round keeps its own.
    bool teeChosen = false;
    QString dateText;    // the date box as shown, "_" where nothing is typed
    QString dateFormat;  // "MM/DD/YYYY" or "DD/MM/YYYY"
    int grossTotal = 0;
};
enum class SaveFocus { None, Player, Course, TeeBox, Date };
struct SaveCheck {
    int number = 0;  // 0 = passed
    QString message;
    SaveFocus focus = SaveFocus::None;
    bool ok() const { return number == 0; }
};
SaveCheck CheckRoundForSave(const SaveInput& in, const QDate& today);

// Holes left without a score in a nine that has other scores (a nine wholly empty is a nine-hole
// round): the question before saving, the captions of its two buttons (Yes saves the round as it
// is, No goes to the first such hole to enter its score), and that hole. Nothing when there is none.
struct EmptyHoles {
    QString question;
    QString saveButton, enterButton;
    int firstHole = 0;
};
std::optional<EmptyHoles> EmptyHolesQuestion(const std::array<int, 18>& gross);

// The message refusing a cost box's text that is not an amount ("18,50", "abc"); empty when the
// text is an amount or empty.
QString CostRefusal(const QString& caption, const QString& text);

// ---- change detection

// What the screen shows of a round, as the comparison reads it.
struct ScreenRound {
    QString dateText;
    int courseId = 0;
    int teeBox = 0;
    int useHcp = 1, useTourn = 0;  // check values
    std::array<int, 6> adjusted{};
    QString gameCost, cartCost, otherCost, notes;
    std::array<std::optional<int>, 18> gross, putts;  // nothing: an empty hole
    std::array<int, 18> gir{}, sand{}, fhit{};        // 1 ticked
};
// What a new round starts with: today's or the kept date, and the ticks as they were carried to it.
struct NewRoundStart {
    QString dateText;
    int useHcp = 1, useTourn = 0;
};
struct ChangeResult {
    bool changed = false;
    bool hcpChanged = false;
    QString field;  // caption of the first changed field, cut at 21 characters
};
// A new round counts as changed (caption "data") when anything differs from what it started with and
// blank entries: what was carried to it alone is no change.
ChangeResult CompareNewRound(const ScreenRound& screen, const NewRoundStart& start);
// The entries a stored round's handicap figures follow from (date, course, tee box, the two checks
// and the gross scores) are those stored.
bool SameHandicapEntries(const ScreenRound& screen, const RoundRec& stored, const QString& storedDateText);
// A stored round: the fields in their fixed order; the first group ends at its first difference.
// `storedDateText` is the stored date in the user's order. The costs compare as their boxes show
// them, with two decimals.
ChangeResult CompareStoredRound(const ScreenRound& screen, const RoundRec& stored,
                                const QString& storedDateText);
// The prompt's first line and line break: "The <field> has changed." LF CR.
QString ChangedPrompt(const QString& field, const QString& secondLine);

}  // namespace dc

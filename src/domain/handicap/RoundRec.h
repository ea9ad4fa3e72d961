#pragma once
// One stored round (a row of INDIV_SCORES) with its fixed column order, and the per-hole texts
// it keeps: pars (one digit per hole), putts (two characters per hole) and yes/no flags.

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace dc {

class Recordset;
class StatementRow;

// The six handicap variants, in the order of every index column group.
enum HcpVariant { US_18 = 0, US_F9, US_B9, CA_18, CA_F9, CA_B9 };
inline constexpr const char* kVariantSuffix[6] = {"US_18", "US_F9", "US_B9", "CA_18", "CA_F9", "CA_B9"};

// The 58 columns of INDIV_SCORES in their fixed order (ordinals from 0).
const QStringList& RoundFieldOrder();
constexpr int kOrdinalGS01 = 10;        // hole i is ordinal 9 + i
constexpr int kOrdinalHcpIndex = 28;    // variant v (0-5) at 28 + v
constexpr int kOrdinalTHcpIndex = 34;   // variant v (0-5) at 34 + v
constexpr int kOrdinalAdjScore = 40;    // variant v (0-5) at 40 + v
constexpr double kNoTournIndex = -100;  // no tournament index

struct RoundRec {
    int PLAYER_ID = 0;
    int COURSE_ID = 0;
    int GAME_NUMBER = 0;
    QDate ROUND_DATE;
    int RND_GAME_ID = 0;
    int TEE_BOX_ID = 0;
    double COURSE_RATING = 0;
    int SLOPE_RATING = 0;
    bool USE_HCP = false;
    bool USE_TOURN = false;
    std::array<int, 18> GS{};  // hole 1 first; 0 = not played
    std::array<double, 6> HCP_INDEX{};
    std::array<double, 6> THCP_INDEX{};
    std::array<int, 6> ADJSCR{};
    int GSTOTAL = 0, GSF9 = 0, GSB9 = 0;
    QString PAR, PUTTS, GREENS_IN_REG, SAND_SAVES, FAIRWAYS_HIT;
    double GAME_COST = 0, CART_COST = 0, OTHER_COST = 0;
    QString NOTES;
    qint64 rowId = 0;  // the row it was read from, where the read asked for it (0: not known)
};

// Reads the current row of a recordset opened with "Select * From INDIV_SCORES ...".
RoundRec ReadRoundRec(const Recordset& rs);
RoundRec ReadRoundRec(const StatementRow& row);

// Per-hole texts. Each takes the 18 holes in order, hole 1 first.
// Pars: one digit per hole; an empty hole or a par outside 1 to 9 is written "0" so the text is always
// 18 long.
QString HolePars(const std::array<std::optional<int>, 18>& pars);
// Putts: two characters per hole, right-aligned with a leading blank (" 2", "10"); none is " 0".
QString HolePutts(const std::array<int, 18>& putts);
// Flags: "1" or "0" per hole.
QString HoleFlags(const std::array<bool, 18>& flags);

// Reading one hole back (j from 1 to 18); short or empty texts read as 0 / no. A pars text is read
// without the blanks around it.
int ParOfHole(const QString& pars, int hole);
int PuttsOfHole(const QString& putts, int hole);
bool FlagOfHole(const QString& flags, int hole);

// A stored note (" note" or "note ") as shown: without leading and trailing blanks.
inline QString NoteShown(const QString& stored) { return stored.trimmed(); }

}  // namespace dc

#pragma once
// The game list apart from its grid: which rows a player's rounds give (one per round, or one
// per played nine walked back nine first), the texts of each row for the chosen handicap
// variant, and sorting rows by the value behind each column's text.

#include <QDate>
#include <QString>
#include <array>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "handicap/RoundRec.h"

namespace dc {

enum class Nine { Whole, Front, Back };

// One listed row: a round (index into the rounds walked) and the part of it shown.
struct GameListPick {
    int round = 0;
    Nine nine = Nine::Whole;
};

// The rows of one player's rounds, newest first. Nine-hole view: the walk starts on the back nine
// when the newest round has one, else on the front; after a back nine the same round's front
// follows when its front gross is above 0; after a front nine the next round starts on its back
// nine when its back gross is above 0. A round not used for the handicap has no adjusted scores,
// so those do not decide. A round of another course adds no row (courseId 0 = every course).
std::vector<GameListPick> WalkGameList(const std::vector<RoundRec>& newestFirst, bool nineView, int courseId);

// Grid columns of the list.
enum GameListCol {
    kGlGame = 0,
    kGlPlayerId,
    kGlName,
    kGlCourse,
    kGlDate,
    kGlTee,
    kGlScr,
    kGlAdj,
    kGlHcp,
    kGlIndex,
    kGlHole1,
    kGlF9 = 19,
    kGlHole10 = 20,
    kGlB9 = 29,
    kGlCols = 30
};

struct GameListRow {
    std::array<QString, kGlCols> text;  // the cells as shown, column 0 the game number
    QString tee;                        // the whole tee-box name (the grid shows its first three letters)
    // Values behind the texts, for sorting.
    int playerId = 0;
    int gameNumber = 0;
    QDate date;
    int gross = 0;
    int adjusted = 0;  // 0: none (a round not used for the handicap), shown empty
    bool indexNA = false;
    double index = 0;  // stored value: below zero is a plus index
};

struct GameListNames {
    QString player;    // the player's list text
    QString course;    // the course's list text, "" when not listed
    QString teeBoxes;  // the course's packed TB column, "" when the course row is missing
    bool courseKnown = false;
};

// The texts a club's rows repeat (dates, indexes), each made once for the rows of one fill.
class GameListTexts {
  public:
    explicit GameListTexts(QString dateFormat) : dateFormat_(std::move(dateFormat)) {}
    const QString& Date(const QDate& date);
    const QString& Index(double index);
    // A tee box's whole name; one text shared by every round from that tee.
    const QString& Tee(const QString& teeBoxes, int slot);

  private:
    QString dateFormat_;
    std::map<std::pair<QString, int>, QString> tees_;
    std::unordered_map<qint64, QString> dates_;
    std::unordered_map<double, QString> indexes_;
};

// The row of a round (or one nine of it) for US or Canadian columns.
GameListRow MakeGameListRow(const RoundRec& round, Nine nine, bool us, const GameListNames& names,
                            GameListTexts& texts);
GameListRow MakeGameListRow(const RoundRec& round, Nine nine, bool us, const GameListNames& names,
                            const QString& dateFormat);

// Sorts rows by one column, by the value behind the text: dates in time, scores and holes as
// numbers, an index with a plus sign below zero and "NA" last, empty cells last. Stable.
void SortGameList(std::vector<GameListRow>& rows, int column, bool ascending);

}  // namespace dc

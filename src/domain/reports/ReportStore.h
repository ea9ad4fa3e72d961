#pragma once
// Reads what the statistics, game list and graphs are computed from: a player's rounds (or every
// player's) within a date range in the order each report walks them, and the course and player
// facts the reports show beside a round. Every value is a bound parameter. Throws DbError.

#include <QDate>
#include <QString>
#include <map>
#include <vector>

#include "handicap/RoundRec.h"

namespace dc {

class Database;

enum class RoundOrder {
    DateThenGame,  // oldest first, then by game number (statistics)
    DateDesc,      // newest first (game list)
    GameNumber,    // by game number (graphs)
};

// Which columns of a round are read; the others keep their defaults.
enum class RoundFields {
    All,
    Listed,      // no hole texts (pars, putts, greens, sand saves, fairways), costs or notes
    Statistics,  // no greens, sand saves, fairways, notes, index or adjusted-score columns
};

struct CourseFacts {
    QString name;
    QString teeBoxes;  // the packed TB column
};

class ReportStore {
  public:
    explicit ReportStore(Database& db) : db_(db) {}

    // The rounds dated from start to end, both included; playerId 0 = every player. knownCourse: only
    // rounds whose course row exists (the statistics join the course table).
    std::vector<RoundRec> ReadRounds(int playerId, const QDate& start, const QDate& end, RoundOrder order,
                                     bool knownCourse = false);

    // The rounds ReadRounds gives, read in one pass for every player (a query per player would cost a
    // seek per round), by player key, each player's in `order`. Newest first, the rounds of one date
    // come by game number, as a player's own query gives them.
    std::map<int, std::vector<RoundRec>> ReadRoundsByPlayer(int playerId, const QDate& start,
                                                            const QDate& end, RoundOrder order,
                                                            bool knownCourse, RoundFields fields);

    std::map<int, CourseFacts> ReadCourseFacts();

    // "FIRST_NAME LAST_NAME" of every player, by key, with the middle initial where two would read
    // alike.
    std::map<int, QString> ReadPlayerNames();

  private:
    Database& db_;
};

}  // namespace dc

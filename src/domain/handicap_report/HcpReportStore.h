#pragma once
// What the handicap report and the index list read from the database: a player's rounds with the
// course texts the report shows beside them, and one player's facts with his newest round. Throws
// DbError.

#include <QString>
#include <optional>
#include <vector>

#include "handicap/HcpRound.h"
#include "handicap_report/HcpReport.h"

namespace dc {

class Database;

// One player as the index list shows him.
struct ListedPlayerFacts {
    bool found = false;  // the player's row exists
    QString gender, email, firstName, middleInitial, lastName;
    std::optional<HcpRound> newest;  // the round with the highest game number
    QString newestDate;              // its ROUND_DATE as stored
};

class HcpReportStore {
  public:
    explicit HcpReportStore(Database& db) : db_(db) {}

    // The player's rounds, newest first; only those on or after today one year back when `oneYear`.
    std::vector<ReportRound> LoadReportRounds(int playerId, bool oneYear, const QString& dateFormat);
    ListedPlayerFacts ReadListedPlayer(int playerId);

  private:
    Database& db_;
};

}  // namespace dc

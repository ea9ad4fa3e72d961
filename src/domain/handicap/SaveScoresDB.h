#pragma once
// Storing the round that the main screen shows into INDIV_SCORES: as a new row with a round key
// unused for the player, or over the stored row named by its game number and round key.

#include <QDate>
#include <QString>
#include <array>
#include <optional>

namespace dc {

class Database;

// The round as the main screen holds it: texts of its boxes and grid cells, values of its ticks.
struct RoundEntry {
    int playerId = 0;
    int courseId = 0;
    int teeBox = 0;             // slot 0 to 3
    std::optional<QDate> date;  // nothing when the date box holds no valid date
    int useHcp = 1;             // check values, 1 ticked
    int useTourn = 0;
    QString gameCost, cartCost, otherCost, notes;
    int gameNumber = 0;  // the stored row shown (rewrite only)
    int rndGameId = 0;
    std::array<QString, 18> parCells, grossCells, puttsCells;
    std::array<int, 18> gir{}, sand{}, fhit{};  // 1 ticked
    // Handicap grid rows "Prev HCP IDX", "Prev THCP IDX" and "Adj Score", HcpVariant order.
    std::array<QString, 6> prevIndex, prevTIndex, adjScore;
};

// Stores the round and returns its round key. NewFlag 1 adds a row numbered after the player's
// largest game; NewFlag 0 rewrites the row of the entry's game number and round key. Throws on any
// error (an unreadable date, or a rewrite that finds no such row, included), having written nothing
// then.
int StoreRound(Database& db, const RoundEntry& entry, int NewFlag, float TeeRating, int TeeSlope);

}  // namespace dc

#pragma once
// The round the main screen saves, as numbers: its holes (nothing for an empty hole), the tee box's
// rating and slope, its ticks and costs, the figures before it and its capped scores, and which
// stored row it is.

#include <QDate>
#include <QString>
#include <array>
#include <optional>

namespace dc {

// A hole's figure; nothing when its cell is empty.
using HoleFigure = std::optional<int>;
inline constexpr std::nullopt_t kEmptyHole = std::nullopt;

struct RoundEntry {
    int playerId = 0;
    int courseId = 0;
    int teeBox = 0;        // slot 0 to 3
    double teeRating = 0;  // the tee box's course rating and slope for the round's gender
    int teeSlope = 0;
    std::optional<QDate> date;  // nothing when the date box holds no valid date
    bool useHcp = true;
    bool useTourn = false;
    double gameCost = 0, cartCost = 0, otherCost = 0;
    QString notes;
    std::array<HoleFigure, 18> par, gross, putts;  // hole 1 first
    std::array<bool, 18> gir{}, sand{}, fhit{};
    // The indexes before the round and its capped scores, HcpVariant order; a capped score is
    // nothing before the gross scores were summed.
    std::array<double, 6> prevIndex{}, prevTIndex{};
    std::array<std::optional<int>, 6> adjScore;

    // Whether it is new (a save adds a row) or the stored row of gameNumber, rndGameId and rowId.
    bool isNew = true;
    int gameNumber = 0;
    int rndGameId = 0;
    qint64 rowId = 0;     // the stored row it was read from (0: not known)
    int oldGame = 0;      // its game number on the screen before the save renumbers (stored round)
    int genderIndex = 0;  // 0 men, 1 women: the round's, which a save stores as the player's
};

}  // namespace dc

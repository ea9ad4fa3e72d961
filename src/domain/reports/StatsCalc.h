#pragma once
// The statistics over chosen rounds: how often each score type was made on each hole, games,
// putts and money, average gross per par, the best nine and eighteen with their rounds, and the
// eclectic (lowest) score of each hole of one course; then the texts the screen and printout show.

#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "handicap/RoundRec.h"

namespace dc {

// Score types in the grid's column order.
enum ScoreType { kAce = 0, kDblEag, kEagle, kBirdie, kPar, kBogey, kDblBgy, kOther, kScoreTypes };
inline constexpr const char* kScoreTypeHeader[kScoreTypes] = {"Ace", "Dbl Eag", "Eagle",   "Birdie",
                                                              "Par", "Bogey",   "Dbl Bgy", "Other"};

// The type of a played hole (gross above 0): a 1 is an ace whatever the par; otherwise by gross
// minus par from -3 to "Other" above +2. Nothing for a difference below -3.
std::optional<ScoreType> ScoreTypeOf(int gross, int par);

inline constexpr int kNoBest = 1000;  // no best score found

struct BestRound {
    int score = kNoBest;
    QString suffix;  // " F" or " B" for a nine
    int playerId = 0;
    int courseId = 0;
    int gameNumber = 0;
    QDate date;
};

// Counts rounds in reading order; a later equal score replaces the best (the back nine over the
// front nine of the same round).
class StatsAccumulator {
  public:
    // eclectic: one course is chosen, so the lowest gross of each hole is kept.
    explicit StatsAccumulator(bool eclectic = false) : eclectic_(eclectic) { eclecticLow_.fill(kNoBest); }
    void Add(const RoundRec& round);

    std::array<std::array<int, kScoreTypes>, 18> typeCount{};  // [hole - 1][type]
    int games = 0;
    int holesPlayed = 0;
    int putts = 0;
    double gameCost = 0, cartCost = 0, otherCost = 0;
    std::array<int, 4> parHoles{};  // par 3, 4, 5 and every other par value
    std::array<int, 4> parGross{};
    BestRound best9, best18;
    bool Eclectic() const { return eclectic_; }
    const std::array<int, 18>& EclecticLow() const { return eclecticLow_; }

  private:
    bool eclectic_;
    std::array<int, 18> eclecticLow_{};
};

// Every text the results show; empty texts are empty captions.
struct StatsTexts {
    std::array<std::array<QString, kScoreTypes>, 19> grid;  // rows 1-18 and the total row
    QString games;                                          // "0" or " n"
    QString gameCost, cartCost, otherCost, totalCost;       // "$######.00"
    std::array<QString, 5> averages;                        // par 3, 4, 5, 6 and putts
    QString best9, best9Player, best9Course, best9Date, best9Game;
    QString best18, best18Player, best18Course, best18Date, best18Game;
    BestRound best9Round, best18Round;  // the rounds the Retrieve buttons hand back
    bool showEclectic = false;
    QString eclecticF9, eclecticB9, eclectic18;  // empty when a hole of that part was never played
    bool anyGame() const { return games != "0"; }
};

// Names looked up for the best rounds.
struct StatsNames {
    std::function<QString(int playerId)> player;  // "FIRST LAST", "" when unknown
    std::function<QString(int courseId)> course;
};
StatsTexts MakeStatsTexts(const StatsAccumulator& stats, const StatsNames& names, const QString& dateFormat);

// A whole number with a sign position: " 5", "-5".
QString SignedText(long long value);
// Money as "$######.00": "$12.50", "$.00" for zero.
QString MoneyText(double amount);
// "#0.0".
QString OneDecimal(double value);

}  // namespace dc

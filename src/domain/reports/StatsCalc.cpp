#include "reports/StatsCalc.h"

#include <cmath>

#include "platform/Val.h"
#include "shell/DateFormat.h"

namespace dc {

std::optional<ScoreType> ScoreTypeOf(int gross, int par) {
    if (gross == 1) return kAce;
    const int diff = gross - par;
    if (diff < -3) return std::nullopt;
    if (diff > 2) return kOther;
    return static_cast<ScoreType>(diff + 4);  // -3 Dbl Eag ... +2 Dbl Bgy
}

namespace {

int ParBucket(int par) { return par >= 3 && par <= 5 ? par - 3 : 3; }

void TakeBest(BestRound& best, int score, const QString& suffix, const RoundRec& round) {
    best = {score, suffix, round.PLAYER_ID, round.COURSE_ID, round.GAME_NUMBER, round.ROUND_DATE};
}

}  // namespace

void StatsAccumulator::Add(const RoundRec& round) {
    ++games;
    for (int h = 1; h <= 18; ++h) putts += PuttsOfHole(round.PUTTS, h);
    gameCost += round.GAME_COST;
    cartCost += round.CART_COST;
    otherCost += round.OTHER_COST;
    int front = 0, back = 0;
    for (int h = 1; h <= 18; ++h) {
        const int g = round.GS[h - 1];
        if (g <= 0) continue;
        (h < 10 ? front : back) += g;
        if (eclectic_ && g < eclecticLow_[h - 1]) eclecticLow_[h - 1] = g;
        const int par = ParOfHole(round.PAR, h);
        if (const auto type = ScoreTypeOf(g, par)) ++typeCount[h - 1][*type];
        const int bucket = ParBucket(par);
        ++parHoles[bucket];
        parGross[bucket] += g;
        ++holesPlayed;
    }
    if (front > 0 && front <= best9.score) TakeBest(best9, front, " F", round);
    if (back > 0 && back <= best9.score) TakeBest(best9, back, " B", round);
    if (front > 0 && back > 0 && front + back <= best18.score)
        TakeBest(best18, front + back, QString(), round);
}

QString SignedText(long long value) { return (value >= 0 ? " " : "") + QString::number(value); }

QString MoneyText(double amount) {
    const QString digits = FixedText(std::fabs(amount), 2);
    const QString whole = digits.section('.', 0, 0);
    return (amount < 0 && digits != "0.00" ? "-$" : "$") + (whole == "0" ? QString() : whole) + "." +
           digits.section('.', 1, 1);
}

QString OneDecimal(double value) { return FixedText(value, 1); }

namespace {

// A part of the eclectic score: empty when one of its holes was never played.
QString EclecticSum(const std::array<int, 18>& low, int first, int last) {
    int sum = 0;
    for (int h = first; h <= last; ++h) {
        if (low[h - 1] >= kNoBest) return QString();
        sum += low[h - 1];
    }
    return QString::number(sum);
}

void BestTexts(const BestRound& best, const StatsNames& names, const QString& dateFormat, QString& score,
               QString& player, QString& course, QString& date, QString& game) {
    if (best.score >= kNoBest) return;
    score = SignedText(best.score) + best.suffix;
    player = names.player ? names.player(best.playerId) : QString();
    course = names.course ? names.course(best.courseId) : QString();
    date = best.date.isValid() ? FormatLocalDate(best.date, dateFormat) : QString();
    game = SignedText(best.gameNumber);
}

}  // namespace

StatsTexts MakeStatsTexts(const StatsAccumulator& s, const StatsNames& names, const QString& dateFormat) {
    StatsTexts t;
    std::array<long long, kScoreTypes> totals{};
    for (int h = 0; h < 18; ++h)
        for (int c = 0; c < kScoreTypes; ++c) {
            const int n = s.typeCount[h][c];
            totals[c] += n;
            if (n > 0) t.grid[h][c] = SignedText(n);
        }
    for (int c = 0; c < kScoreTypes; ++c) t.grid[18][c] = SignedText(totals[c]);
    if (s.games == 0) {
        t.games = "0";
        return t;
    }
    t.games = SignedText(s.games);
    t.gameCost = MoneyText(s.gameCost);
    t.cartCost = MoneyText(s.cartCost);
    t.otherCost = MoneyText(s.otherCost);
    t.totalCost = MoneyText(s.gameCost + s.cartCost + s.otherCost);
    for (int b = 0; b < 4; ++b)
        t.averages[b] = OneDecimal(s.parHoles[b] > 0 ? double(s.parGross[b]) / s.parHoles[b] : 0.0);
    t.averages[4] = OneDecimal(s.holesPlayed > 0 ? double(s.putts) / s.holesPlayed : 0.0);
    BestTexts(s.best9, names, dateFormat, t.best9, t.best9Player, t.best9Course, t.best9Date, t.best9Game);
    BestTexts(s.best18, names, dateFormat, t.best18, t.best18Player, t.best18Course, t.best18Date, t.best18Game);
    t.best9Round = s.best9;
    t.best18Round = s.best18;
    if (s.Eclectic()) {
        t.showEclectic = true;
        t.eclecticF9 = EclecticSum(s.EclecticLow(), 1, 9);
        t.eclecticB9 = EclecticSum(s.EclecticLow(), 10, 18);
        t.eclectic18 = EclecticSum(s.EclecticLow(), 1, 18);
    }
    return t;
}

}  // namespace dc

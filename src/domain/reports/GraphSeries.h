#pragma once
// The graphs apart from the chart: one point per round (or per played nine) with seven values
// (index, gross, adjusted, % fairways, % greens, putts, sand saves), their minimum, maximum and
// average, the Y-axis bounds (FindYMM), the X-axis tick spacing and the hint line's texts.

#include <QString>
#include <array>
#include <vector>

#include "handicap/RoundRec.h"

namespace dc {

enum GraphSeriesRow {
    kSerIndex = 0,
    kSerGross,
    kSerAdj,
    kSerFairways,
    kSerGir,
    kSerPutts,
    kSerSand,
    kSeries
};

struct SeriesStats {
    float min = 1000, max = -1000, avg = 0;
    int count = 0;  // the points that have a value
};

struct GraphData {
    // In plotting order; a missing value (the adjusted score of a round not used for the
    // handicap) is NaN: it is not plotted and not counted in the series' figures.
    std::vector<std::array<float, kSeries>> points;
    std::array<SeriesStats, kSeries> stats;
};

// The points of a player's rounds in game-number order. 18-hole view: one point for a round with
// both nines; nine-hole view: a front point then a back point for each nine played. A fairway or
// green mark counts only for a hole played (a fairway not on a par 3), so a percentage never
// passes 100; putts and sand saves are summed over the range. courseId 0 = every course.
// An adjusted score of 0 is none.
GraphData CollectGraph(const std::vector<RoundRec>& rounds, bool eighteen, bool us, int courseId);

// The Y axis: YMin the largest multiple of 5 not above MinValue, YMax the largest multiple of 5
// not above MaxValue plus 5.
void FindYMM(double minValue, double maxValue, float& yMin, float& yMax);

// X-axis tick spacing for more than 20 points (one tick every n points); `previous` otherwise.
int TickEvery(int points, int previous);

// What is plotted, by the option chosen (1 "Hcp Index" ... 6 "Sand Save").
struct GraphView {
    int sets = 1;
    std::array<int, 2> series{};  // rows of set 1 and set 2
    float yMin = 0, yMax = 1;
    QString hint;  // "Min = ...     Max = ...     Avg = ..."
};
GraphView MakeGraphView(const GraphData& data, int option);

}  // namespace dc

#include "reports/GraphSeries.h"

#include <cmath>
#include <limits>

#include "handicap/HcpRules.h"
#include "platform/Val.h"

namespace dc {

namespace {

std::array<float, kSeries> Point(const RoundRec& r, int first, int last, int variant, bool nine) {
    std::array<float, kSeries> v{};
    const QString pars = r.PAR.trimmed();
    int fairwayHoles = 0, played = 0, gross = 0, fairways = 0, greens = 0, putts = 0, sand = 0;
    for (int h = first; h <= last; ++h) {
        const int g = r.GS[h - 1];
        gross += g;
        putts += PuttsOfHole(r.PUTTS, h);
        if (FlagOfHole(r.SAND_SAVES, h)) ++sand;
        if (g <= 0) continue;  // a percentage counts only the marks of holes in its base
        ++played;
        const bool fairwayHole = ParOfHole(pars, h) != 3;
        if (fairwayHole) ++fairwayHoles;
        if (fairwayHole && FlagOfHole(r.FAIRWAYS_HIT, h)) ++fairways;
        if (FlagOfHole(r.GREENS_IN_REG, h)) ++greens;
    }
    v[kSerIndex] = static_cast<float>(r.HCP_INDEX[variant]);
    v[kSerGross] = static_cast<float>(nine ? gross : r.GSTOTAL);
    v[kSerAdj] = r.ADJSCR[variant] > 0 ? static_cast<float>(r.ADJSCR[variant])
                                       : std::numeric_limits<float>::quiet_NaN();
    v[kSerFairways] = fairwayHoles > 0 ? float(fairways) * 100.0f / float(fairwayHoles) : 0.0f;
    v[kSerGir] = played > 0 ? float(greens) * 100.0f / float(played) : 0.0f;
    v[kSerPutts] = static_cast<float>(putts);
    v[kSerSand] = static_cast<float>(sand);
    return v;
}

}  // namespace

GraphData CollectGraph(const std::vector<RoundRec>& rounds, bool eighteen, bool us, int courseId) {
    GraphData data;
    const int base = us ? US_18 : CA_18;
    for (const RoundRec& r : rounds) {
        if (courseId != 0 && r.COURSE_ID != courseId) continue;
        if (eighteen) {
            if (r.GSF9 != 0 && r.GSB9 != 0) data.points.push_back(Point(r, 1, 18, base, false));
        } else {
            if (r.GSF9 > 0) data.points.push_back(Point(r, 1, 9, base + 1, true));
            if (r.GSB9 > 0) data.points.push_back(Point(r, 10, 18, base + 2, true));
        }
    }
    for (const auto& p : data.points)
        for (int s = 0; s < kSeries; ++s) {
            if (std::isnan(p[s])) continue;
            SeriesStats& st = data.stats[s];
            st.min = std::min(st.min, p[s]);
            st.max = std::max(st.max, p[s]);
            st.avg += p[s];
            ++st.count;
        }
    for (auto& st : data.stats)
        if (st.count > 0) st.avg /= static_cast<float>(st.count);
    return data;
}

void FindYMM(double minValue, double maxValue, float& yMin, float& yMax) {
    yMin = static_cast<float>(std::floor(minValue / 5.0) * 5.0);
    yMax = static_cast<float>(std::floor(maxValue / 5.0) * 5.0 + 5.0);
}

int TickEvery(int points, int previous) {
    if (points <= 20) return previous;
    return points % 20 == 0 ? points / 20 : points / 20 + 1;
}

namespace {

// A value with a sign position and its shortest digits: " 72", "-2.3", " .5".
QString MinMaxText(float value) {
    QString digits = IndexText(std::fabs(value));
    if (digits.startsWith("0.")) digits.remove(0, 1);
    return (value < 0 ? "-" : " ") + digits;
}

QString Avg(float value) { return FixedText(value, 1, 7); }

}  // namespace

GraphView MakeGraphView(const GraphData& data, int option) {
    GraphView view;
    const auto& st = data.stats;
    auto single = [&](int s, bool fixed) {
        view.series = {s, s};
        if (fixed) {
            view.yMin = 0;
            view.yMax = 100;
        } else {
            FindYMM(st[s].min, st[s].max, view.yMin, view.yMax);
        }
        view.hint = "Min = " + MinMaxText(st[s].min) + "     Max = " + MinMaxText(st[s].max) +
                    "     Avg = " + Avg(st[s].avg);
    };
    switch (option) {
        case 1:
            single(kSerIndex, false);
            break;
        case 2:
            view.sets = 2;
            view.series = {kSerGross, kSerAdj};
            {
                // Without any adjusted score the gross scores give the minimum.
                const float low = std::min(st[kSerAdj].min, st[kSerGross].min);
                FindYMM(low, st[kSerGross].max, view.yMin, view.yMax);
                view.hint = "Min = " + MinMaxText(low) + "     Max = " + MinMaxText(st[kSerGross].max) +
                            "     Avg = " + Avg(st[kSerGross].avg) + " Gross    " +
                            (st[kSerAdj].count > 0 ? Avg(st[kSerAdj].avg) : QString()) + " Adj";
            }
            break;
        case 3:
            single(kSerFairways, true);
            break;
        case 4:
            single(kSerGir, false);
            break;
        case 5:
            single(kSerPutts, false);
            break;
        default:
            single(kSerSand, true);
            break;
    }
    return view;
}

}  // namespace dc

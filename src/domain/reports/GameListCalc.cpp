#include "reports/GameListCalc.h"

#include <algorithm>

#include "entry/RoundRules.h"
#include "records/TeeBoxPacking.h"
#include "reports/Reorder.h"
#include "shell/DateFormat.h"

namespace dc {

std::vector<GameListPick> WalkGameList(const std::vector<RoundRec>& rounds, bool nineView, int courseId) {
    std::vector<GameListPick> picks;
    const int n = static_cast<int>(rounds.size());
    auto courseOk = [&](const RoundRec& r) { return courseId == 0 || r.COURSE_ID == courseId; };
    if (!nineView) {
        for (int i = 0; i < n; ++i)
            if (courseOk(rounds[i])) picks.push_back({i, Nine::Whole});
        return picks;
    }
    if (n == 0) return picks;
    bool back = rounds[0].GSB9 > 0;
    int i = 0;
    while (i < n) {
        const RoundRec& r = rounds[i];
        if ((back ? r.GSB9 : r.GSF9) > 0 && courseOk(r))
            picks.push_back({i, back ? Nine::Back : Nine::Front});
        if (back) {
            if (r.GSF9 > 0)
                back = false;  // the same round's front nine follows
            else
                ++i;
        } else {
            ++i;
            if (i < n && rounds[i].GSB9 > 0) back = true;
        }
    }
    return picks;
}

namespace {

// The texts of small whole numbers, made once and shared: a club's list shows thousands of them.
QString NumberText(int v) {
    static const std::vector<QString> texts = [] {
        std::vector<QString> t;
        for (int i = 0; i < 1000; ++i) t.push_back(QString::number(i));
        return t;
    }();
    return v >= 0 && v < int(texts.size()) ? texts[v] : QString::number(v);
}

}  // namespace

const QString& GameListTexts::Date(const QDate& date) {
    auto [it, added] = dates_.try_emplace(date.toJulianDay());
    if (added && date.isValid()) it->second = FormatLocalDate(date, dateFormat_);
    return it->second;
}

const QString& GameListTexts::Index(double index) {
    auto [it, added] = indexes_.try_emplace(index);
    if (added) it->second = IndexDisplayText(index);
    return it->second;
}

const QString& GameListTexts::Tee(const QString& teeBoxes, int slot) {
    auto [it, added] = tees_.try_emplace({teeBoxes, slot});
    if (added) it->second = TeeName(teeBoxes, slot).trimmed();
    return it->second;
}

GameListRow MakeGameListRow(const RoundRec& r, Nine nine, bool us, const GameListNames& names,
                            const QString& dateFormat) {
    GameListTexts texts(dateFormat);
    return MakeGameListRow(r, nine, us, names, texts);
}

GameListRow MakeGameListRow(const RoundRec& r, Nine nine, bool us, const GameListNames& names,
                            GameListTexts& texts) {
    GameListRow row;
    const int variant = (us ? US_18 : CA_18) + (nine == Nine::Front ? 1 : nine == Nine::Back ? 2 : 0);
    row.playerId = r.PLAYER_ID;
    row.gameNumber = r.GAME_NUMBER;
    row.date = r.ROUND_DATE;
    row.gross = nine == Nine::Front ? r.GSF9 : nine == Nine::Back ? r.GSB9 : r.GSTOTAL;
    row.adjusted = r.ADJSCR[variant];
    row.indexNA = !r.USE_HCP;
    row.index = r.HCP_INDEX[variant];
    auto& t = row.text;
    t[kGlGame] = NumberText(r.GAME_NUMBER);
    t[kGlPlayerId] = NumberText(r.PLAYER_ID);
    t[kGlName] = names.player.trimmed();
    t[kGlCourse] = names.course;
    t[kGlDate] = texts.Date(r.ROUND_DATE);
    row.tee = names.courseKnown ? texts.Tee(names.teeBoxes, r.TEE_BOX_ID) : QString();
    t[kGlTee] = row.tee;  // whole: the screen fits its column, the printouts their own
    t[kGlScr] = r.USE_TOURN ? "T" + NumberText(row.gross) : NumberText(row.gross);
    t[kGlAdj] = row.adjusted > 0 ? NumberText(row.adjusted) : QString();  // none for a casual round
    t[kGlHcp] = r.USE_HCP ? "Y" : "N";
    t[kGlIndex] = row.indexNA ? QString("NA") : texts.Index(row.index);
    auto cell = [](int v) { return v > 0 ? NumberText(v) : QString(); };
    if (nine != Nine::Back) {
        for (int h = 1; h <= 9; ++h) t[kGlHole1 + h - 1] = cell(r.GS[h - 1]);
        t[kGlF9] = cell(r.GSF9);
    }
    if (nine != Nine::Front) {
        for (int h = 10; h <= 18; ++h) t[kGlHole10 + h - 10] = cell(r.GS[h - 1]);
        t[kGlB9] = cell(r.GSB9);
    }
    return row;
}

namespace {

// Negative when a sorts before b in ascending order; the bool says the value is missing (last).
struct SortValue {
    bool missing = false;
    bool numeric = false;
    double number = 0;
    QString text;
};

SortValue ValueOf(const GameListRow& row, int column) {
    const QString& text = row.text[column];
    switch (column) {
        case kGlGame:
            return {false, true, double(row.gameNumber), {}};
        case kGlPlayerId:
            return {false, true, double(row.playerId), {}};
        case kGlDate:
            return {!row.date.isValid(), true, double(row.date.toJulianDay()), {}};
        case kGlScr:
            return {false, true, double(row.gross), {}};
        case kGlAdj:
            return {row.adjusted <= 0, true, double(row.adjusted), {}};
        case kGlIndex:
            return {row.indexNA, true, row.index, {}};
        case kGlName:
        case kGlCourse:
        case kGlTee:
        case kGlHcp:
            return {text.trimmed().isEmpty(), false, 0, text.trimmed().toCaseFolded()};
        default:  // hole scores and nine totals
            return {text.isEmpty(), true, text.toDouble(), {}};
    }
}

}  // namespace

void SortGameList(std::vector<GameListRow>& rows, int column, bool ascending) {
    if (column < 0 || column >= kGlCols) return;
    std::vector<std::pair<SortValue, int>> keyed;
    keyed.reserve(rows.size());
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) keyed.push_back({ValueOf(rows[i], column), i});
    std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto& a, const auto& b) {
        const SortValue &x = a.first, &y = b.first;
        if (x.missing || y.missing) return !x.missing && y.missing;
        int cmp = x.numeric ? (x.number < y.number   ? -1
                               : x.number > y.number ? 1
                                                     : 0)
                            : QString::compare(x.text, y.text);  // folded once above
        return ascending ? cmp < 0 : cmp > 0;
    });
    std::vector<int> order;
    order.reserve(keyed.size());
    for (const auto& k : keyed) order.push_back(k.second);
    Reorder(rows, order);
}

}  // namespace dc

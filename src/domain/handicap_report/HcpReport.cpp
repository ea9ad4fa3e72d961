#include "handicap_report/HcpReport.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "scorecards/CourseHcpText.h"

namespace dc {

namespace {

constexpr int kMaxScores = 20;

HcpVariant Variant18(RuleSet rules) { return rules == RuleSet::US ? US_18 : CA_18; }
HcpVariant VariantNine(RuleSet rules, bool front) {
    if (rules == RuleSet::US) return front ? US_F9 : US_B9;
    return front ? CA_F9 : CA_B9;
}

CountedScore Counted(const ReportRound& r, int gross, int adjusted, double rating, double slope) {
    CountedScore s;
    s.gross = gross;
    s.adjusted = adjusted;
    s.diff = ScoreDifferential(adjusted, rating, slope);
    s.tourn = r.round.useTourn;
    s.course = r.course;  // names whole: the screen and the report fit them to their column
    s.tee = r.tee;
    s.date = r.date;
    return s;
}

bool Counts(const HcpRound& round) { return round.useHcp && round.rating != 0 && round.slope != 0; }

}  // namespace

std::vector<CountedScore> CountScores18(const std::vector<ReportRound>& rounds, RuleSet rules) {
    const HcpVariant v = Variant18(rules);
    std::vector<CountedScore> scores;
    const ReportRound* waiting = nullptr;
    for (const ReportRound& r : rounds) {
        const HcpRound& round = r.round;
        const int adjusted = round.adjScore[v];
        if (!Counts(round) || adjusted == 0) continue;
        const bool front = round.gsf9 != 0, back = round.gsb9 != 0;
        if (front && back) {
            waiting = nullptr;
            scores.push_back(Counted(r, r.gsTotal, adjusted, round.rating, round.slope));
        } else if (front != back) {
            if (!waiting) {
                waiting = &r;
                continue;
            }
            const HcpRound& newer = waiting->round;
            const CombinedScore pair = CombinedNines(
                {newer.adjScore[v], NineHoleRating(newer.rating), double(newer.slope), newer.useTourn},
                {adjusted, NineHoleRating(round.rating), double(round.slope), round.useTourn});
            CountedScore s =
                Counted(r, waiting->gsTotal + r.gsTotal, pair.adjustedScore, pair.rating, pair.slope);
            s.tourn = pair.useTourn;
            s.pair = true;
            s.course = waiting->course.trimmed() + "/" + r.course.trimmed();
            s.tee = waiting->tee + "/" + r.tee;
            scores.push_back(s);
            waiting = nullptr;
        }
        if (scores.size() == kMaxScores) break;
    }
    return scores;
}

std::vector<CountedScore> CountScores9(const std::vector<ReportRound>& rounds, RuleSet rules) {
    std::vector<CountedScore> scores;
    for (const ReportRound& r : rounds) {
        const HcpRound& round = r.round;
        if (!Counts(round)) continue;
        for (const bool front : {false, true}) {
            const int adjusted = round.adjScore[VariantNine(rules, front)];
            const int gross = front ? round.gsf9 : round.gsb9;
            if (adjusted <= 0 || gross <= 0 || scores.size() >= kMaxScores) continue;
            scores.push_back(Counted(r, gross, adjusted, NineHoleRating(round.rating), round.slope));
        }
        if (scores.size() >= kMaxScores) break;
    }
    return scores;
}

std::vector<int> LowestOrder(const std::vector<float>& diffs) {
    std::vector<int> order(diffs.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return diffs[a] < diffs[b]; });
    return order;
}

std::vector<bool> LowestMarks(const std::vector<float>& diffs) {
    std::vector<bool> marks(diffs.size(), false);
    const std::vector<int> order = LowestOrder(diffs);
    const int used = ScoresUsedTable(static_cast<int>(diffs.size()));
    for (int k = 0; k < used; ++k) marks[order[k]] = true;
    return marks;
}

double TournMinDiff(int t) {
    static const std::pair<int, double> table[] = {{40, 6.5}, {30, 6.0}, {20, 5.5}, {10, 5.0}, {6, 4.5},
                                                   {5, 4.3},  {4, 4.0},  {3, 3.5},  {2, 3.0}};
    for (const auto& [from, m] : table)
        if (t >= from) return m;
    return 0;
}

HcpReport BuildReport(std::vector<CountedScore> scores) {
    HcpReport report;
    report.scores = std::move(scores);
    if (!report.Enough()) return report;
    std::vector<float> diffs, tournDiffs;
    std::vector<const CountedScore*> tourn;
    for (const CountedScore& s : report.scores) {
        diffs.push_back(s.diff);
        if (s.tourn) {
            tourn.push_back(&s);
            tournDiffs.push_back(s.diff);
        }
    }
    report.marked = LowestMarks(diffs);
    report.scoresUsed = ScoresUsedTable(static_cast<int>(diffs.size()));
    report.index = IndexFromDifferentials(diffs);

    const ReportTourn t = ReportTournament(report.index, tournDiffs);
    report.tourn = t.state;
    report.tIndex = t.tIndex;
    for (int k : t.lowest) report.lowestTourn.push_back(*tourn[k]);
    return report;
}

ReportTourn ReportTournament(float index, const std::vector<float>& tournDiffs) {
    ReportTourn result;
    const int t = static_cast<int>(tournDiffs.size());
    if (t < 2) return result;
    const std::vector<int> order = LowestOrder(tournDiffs);
    const float t1 = tournDiffs[order[0]], t2 = tournDiffs[order[1]];
    result.state = TournState::TooHigh;
    if (index - t2 <= 3.0f) return result;
    result.lowest = {order[0], order[1]};
    const double value = (static_cast<double>(t1) + t2) / 2 + TournMinDiff(t);
    const float tIndex = static_cast<float>(RoundWrittenHalfAway(value, 7, 1)) / 10.0f;
    if (index - tIndex < 1.0f) return result;
    result.tIndex = tIndex;
    result.state = TournState::Shown;
    return result;
}

QString ScoreText(int score, bool tourn, bool marked) {
    return QString::number(score) + (tourn ? "T" : "") + (marked ? "*" : "");
}

QString ReportIndexText(float index) { return IndexCellText(index); }

QString ReportTournText(const HcpReport& report) {
    switch (report.tourn) {
        case TournState::FewerThanTwo:
            return "<2 Scores";
        case TournState::TooHigh:
            return "Too High";
        case TournState::Shown:
            break;
    }
    return IndexCellText(report.tIndex);
}

StoredIndexes StoredIndexesOf(const HcpRound& round, bool is18, RuleSet rules) {
    HcpVariant v = Variant18(rules);
    // The back nine when it was played: by its gross, as a round not used for the handicap has no
    // adjusted scores but still carries the index of the nine it played.
    if (!is18) v = VariantNine(rules, round.gsb9 <= 0);
    return {round.hcpIndex[v], round.tHcpIndex[v]};
}

}  // namespace dc

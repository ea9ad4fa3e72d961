#include "handicap_report/CardFigures.h"

#include "platform/Val.h"

namespace dc {

QString CardHcpText(float index, float tIndex, double slope) {
    // Whole, like every other course handicap, also from a tournament index.
    return tIndex == kNoTournIndexF ? CourseHcpText(index, slope, true) : CourseHcpText(tIndex, slope);
}

CardFigures ComputeCardFigures(const std::vector<ReportRound>& rounds, bool is18, RuleSet rules,
                               const QString& gender, bool olderRoundsOnly) {
    CardFigures card;
    if (rounds.empty()) {
        card.hcpText.clear();
        // Rounds all before the window: no index, as his report finds no rounds.
        if (olderRoundsOnly)
            card.hasIndex = false;
        else  // no index yet: the default the index list shows for him, not a scratch 0.0
            card.index = DefaultIndex(GenderIndexOf(gender), !is18);
    } else {
        // Every stored round carries the index in effect after it, one not for the handicap or on a
        // tee box without slope too: the newest round gives the card's index.
        const HcpRound& newest = rounds.front().round;
        const StoredIndexes stored = StoredIndexesOf(newest, is18, rules);
        card.index = stored.index;
        card.tIndex = stored.tIndex;
        if (newest.slope != 0) card.hcpText = CardHcpText(stored.index, stored.tIndex, newest.slope);
    }
    const std::vector<CountedScore> scores =
        is18 ? CountScores18(rounds, rules) : CountScores9(rounds, rules);
    std::vector<float> diffs;
    for (const CountedScore& s : scores) diffs.push_back(s.diff);
    const std::vector<bool> marks = LowestMarks(diffs);
    for (size_t i = 0; i < scores.size(); ++i)
        card.scores << ScoreText(scores[i].gross, scores[i].tourn && !scores[i].pair, marks[i]);
    return card;
}

QString AverageText(const QStringList& scores) {
    if (scores.isEmpty()) return QString();
    double sum = 0;
    for (const QString& s : scores) sum += Val(s);
    return FixedText(sum / scores.size(), 1);
}

}  // namespace dc

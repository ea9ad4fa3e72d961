#include "handicap/HcpEngine.h"

#include <vector>

#include "handicap/AllowableScores.h"
#include "handicap/HcpLookups.h"
#include "records/TeeBoxPacking.h"

namespace dc {

namespace {

struct IndexPair {
    float index;
    float tIndex;
};

void Finish(HcpOutcome& out, std::vector<float>& diffs, std::vector<float>& tourn, int genderIndex,
            bool nineHoles, HcpLookups& lookups) {
    if (diffs.size() < 5) {
        out.index = DefaultIndex(genderIndex, nineHoles);
        out.tIndex = kNoTournIndexF;
        return;
    }
    out.index = IndexFromDifferentials(std::move(diffs));
    out.tIndex = TournamentIndex(out.index, std::move(tourn),
                                 [&lookups](int t, double d) { return lookups.Reduction(t, d); });
}

// The pars slot of the round's tee box for the gender; nothing when the course has no row.
std::optional<QString> CourseSlotPars(const HcpRound& round, int genderIndex, HcpLookups& lookups) {
    const auto column = lookups.CourseParsColumn(round.courseId, genderIndex);
    if (!column) return std::nullopt;
    return round.teeBox >= 0 ? SlotText(*column, Packed::MPARS, round.teeBox) : QString("");
}

// The pars every variant caps a round's holes by, read in one place: the round's own PAR with the
// blanks around it removed, else its tee box's slot on the course (a round stored without pars), else
// `noCourse` when the course has no row. A par of 0 is unknown and caps nothing. `used` receives
// the text the digits came from.
std::array<int, 18> RoundPars(const HcpRound& round, int genderIndex, HcpLookups& lookups,
                              const QString& noCourse, QString* used = nullptr) {
    if (!round.NoPars()) {
        if (used) *used = round.Par().trimmed();
        return round.ParDigitsTrimmed();
    }
    const QString text = CourseSlotPars(round, genderIndex, lookups).value_or(noCourse);
    if (used) *used = text;
    return ParDigits(text);
}

}  // namespace

int RecomputedScore18(RuleSet rules, const HcpRound& round, int courseHcp, int genderIndex, bool is18,
                      HcpLookups& lookups, QString& parsUsed) {
    // A round whose course is gone is capped, and stored, with pars of 1.
    const std::array<int, 18> pars = RoundPars(round, genderIndex, lookups, "111111111111111111", &parsUsed);
    const HoleMaximumRule maximum = HoleMaximumFor(rules, courseHcp, is18);
    int sum = 0;
    for (int i = 0; i < 18; ++i) sum += AllowedHoleScore(round.gross[i], maximum.Of(pars[i]));
    return sum;
}

HcpOutcome HcpRun18(RuleSet rules, std::span<const HcpRound* const> rounds, int gameNumber, int mode,
                    int genderIndex, bool is18, int window, HcpLookups& lookups) {
    const HcpVariant v = rules == RuleSet::US ? US_18 : CA_18;
    HcpOutcome out;
    std::vector<float> diffs;
    diffs.reserve(20);
    std::vector<float> tourn;
    bool waiting = false;
    NineScore firstNine;

    for (int i = static_cast<int>(rounds.size()) - 1; i >= 0; --i) {
        const int c = i + 1;  // rows left, this one included
        const HcpRound& row = *rounds[i];
        // Game g's score is recomputed when every game up to it is a handicap round, and also when
        // it has none stored yet (an imported round after a game that is not a handicap round).
        const bool ownGame = i == static_cast<int>(rounds.size()) - 1 && row.gameNumber == gameNumber;
        const bool recompute = mode == 1 && (c == gameNumber || (ownGame && row.adjScore[v] == 0));
        IndexPair prev{DefaultIndex(genderIndex), kNoTournIndexF};
        if (c > 1 && recompute) prev = {rounds[i - 1]->hcpIndex[v], rounds[i - 1]->tHcpIndex[v]};

        if (diffs.size() == 20 && row.date < window) break;
        if (row.rating == 0 || row.slope == 0) continue;

        int a;
        if (recompute) {
            const int ch = ScoringCourseHcp(prev.index, prev.tIndex, row.slope);
            QString pars;
            a = RecomputedScore18(rules, row, ch, genderIndex, is18, lookups, pars);
            if (a != 0) {
                out.writeAdjScore = out.writePar = true;
                out.adjScore = a;
                out.par = pars;
            }
        } else {
            a = row.adjScore[v];
        }
        // A played round never adds up to 0: no score was ever computed for it, so it gives nothing
        // (counted as 0 it would give a differential of about -70).
        if (a == 0) continue;

        const bool front = row.gsf9 != 0, back = row.gsb9 != 0;
        if (front && back) {
            waiting = false;  // a waiting nine is dropped
            const float d = ScoreDifferential(a, row.rating, row.slope);
            if (diffs.size() < 20) diffs.push_back(d);
            if (row.useTourn) tourn.push_back(d);
        } else if (front != back) {
            const NineScore nine{a, NineHoleRating(row.rating), static_cast<double>(row.slope), row.useTourn};
            if (!waiting) {
                waiting = true;
                firstNine = nine;
            } else {
                waiting = false;
                const CombinedScore pair = CombinedNines(firstNine, nine);
                const float d = ScoreDifferential(pair.adjustedScore, pair.rating, pair.slope);
                if (diffs.size() < 20) diffs.push_back(d);
                if (pair.useTourn) tourn.push_back(d);
            }
        }
    }
    Finish(out, diffs, tourn, genderIndex, false, lookups);
    return out;
}

HcpOutcome HcpRunNine(RuleSet rules, std::span<const HcpRound* const> rounds, int gameNumber, int genderIndex,
                      bool frontNine, int window, HcpLookups& lookups, std::vector<NineWalkStep>* trace,
                      NineStepStore* store) {
    const HcpVariant vF = rules == RuleSet::US ? US_F9 : CA_F9;
    const HcpVariant vB = rules == RuleSet::US ? US_B9 : CA_B9;
    auto played = [&](const HcpRound& r, bool front) { return r.adjScore[front ? vF : vB] > 0; };
    auto pairOf = [&](const HcpRound& r, bool front) {
        const HcpVariant v = front ? vF : vB;
        return IndexPair{r.hcpIndex[v], r.tHcpIndex[v]};
    };
    const IndexPair defaultPair{DefaultIndex(genderIndex, true), kNoTournIndexF};

    // One nine of the walk: the index in effect before it, and its adjusted score and
    // differential when it has rating, slope and holes.
    auto stepOf = [&](const HcpRound& row, const HcpRound* older, bool front) {
        IndexPair prev;
        if (!front && played(row, true))
            prev = pairOf(row, true);
        else if (!older)
            prev = defaultPair;
        else if (played(*older, false))
            prev = pairOf(*older, false);
        else if (!front || played(*older, true))
            prev = pairOf(*older, true);
        else
            prev = defaultPair;

        NineWalkStep step{row.gameNumber, front, prev.index, prev.tIndex};
        const double rating = NineRunRating(row.rating);
        const int slope = row.slope;
        if (rating != 0 && slope != 0 && row.GrossNine(front) > 0) {
            const int ch = ScoringCourseHcp(prev.index, prev.tIndex, slope);
            const std::array<int, 18> pars = RoundPars(row, genderIndex, lookups, QString());
            const HoleMaximumRule maximum = HoleMaximumFor(rules, ch, false);
            int adjusted = 0;
            for (int hole = front ? 1 : 10, last = hole + 8; hole <= last; ++hole)
                adjusted += AllowedHoleScore(row.gross[hole - 1], maximum.Of(pars[hole - 1]));
            step.scored = true;
            step.adjusted = adjusted;
            step.differential = ScoreDifferential(adjusted, rating, slope);
        }
        return step;
    };

    HcpOutcome out;
    std::vector<float> diffs;
    diffs.reserve(20);
    std::vector<float> tourn;
    int firstAdjusted = 0;

    const int rows = static_cast<int>(rounds.size());
    int cur = rows - 1;
    bool front = frontNine;
    for (int p = 1; cur >= 0; ++p) {
        const HcpRound& row = *rounds[cur];
        const HcpRound* older = cur > 0 ? rounds[cur - 1] : nullptr;

        if (diffs.size() == 20 && row.date < window) break;

        std::optional<NineWalkStep>* kept = store ? store->Find(cur, front) : nullptr;
        if (kept && !*kept) *kept = stepOf(row, older, front);
        const NineWalkStep step = kept ? **kept : stepOf(row, older, front);
        if (step.scored) {
            if (p == 1) firstAdjusted = step.adjusted;
            if (diffs.size() < 20) diffs.push_back(step.differential);
            if (row.useTourn) tourn.push_back(step.differential);
        }
        if (trace) trace->push_back(step);

        // The next nine.
        if (!front && played(row, true)) {
            front = true;  // the same round's front nine
            continue;
        }
        if (!older) break;
        // The older round's back nine when played; after a back nine its front nine when only that
        // was played; otherwise the same kind of nine as this one.
        if (played(*older, false))
            front = false;
        else if (!front)
            front = played(*older, true);
        --cur;
    }

    out.writeAdjScore = rows > 0 && rounds[rows - 1]->gameNumber == gameNumber && firstAdjusted != 0;
    out.adjScore = firstAdjusted;
    Finish(out, diffs, tourn, genderIndex, true, lookups);
    return out;
}

}  // namespace dc

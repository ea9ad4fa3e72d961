// The planner's rounds: each round file's records become rounds of its golfer, unless they are stored
// already, converted before, or cannot be read.

#include <numeric>

#include "handicap/HcpRules.h"
#include "shell/DateFormat.h"
#include "tools/ConversionPlanner.h"

namespace dc::plan {

QString Planner::UnreadableFields(const OldRoundRec& x) {
    QStringList bad;
    if (!Readable(x.date)) bad << "date";
    if (!Readable(x.course)) bad << "course name";
    if (!Readable(QString(x.tee))) bad << "tee";
    if (!FlagOf(x.hcpFlag)) bad << "handicap flag";
    if (x.tournFlag && !FlagOf(*x.tournFlag)) bad << "tournament flag";
    return bad.join(", ");
}

QString Planner::OutOfRange(const OldRoundRec& x) {
    QStringList out;
    for (int h = 0; h < 18; ++h)
        if (x.gross[h] != 0 && !HoleScoreInRange(x.gross[h]))
            out << QString("hole %1 score %2").arg(h + 1).arg(x.gross[h]);
    if (!RatingInRange(OneDecimal(x.rating))) out << "rating " + Number(x.rating);
    if (!SlopeInRange(x.slope)) out << QString("slope %1").arg(x.slope);
    return out.join(", ");
}

void Planner::RoundFile(const OldFile& f) {
    const bool gdb = !IsDbfFile(f.name);
    const OldDataFile data(f.bytes, gdb ? kRoundRecLenGdb : kRoundRecLenDbf);
    const QString stem = f.name.section('.', 0, 0).toUpper();
    const auto golfer = golfers_.constFind(stem);
    if (golfer == golfers_.constEnd()) {
        r_.files << f.name + ": no golfer with the key " + f.name.section('.', 0, 0) + " was converted";
        return;
    }
    if (!Usable(f, data, "round")) return;
    const QString shown = names_.value(stem, f.name.section('.', 0, 0));
    auto line = [&](const OldRoundRec& x, int n) {
        return Quoted(shown) + ", " + Shown(x.date) + ", " + Quoted(Shown(x.course.left(20))) + " (" +
               RecordAt(f.name, n) + ")";
    };
    const auto sorted = SortRecords<OldRoundRec>(
        data,
        [&](std::span<const uint8_t> b, int n, QString& why, bool& empty) -> std::optional<OldRoundRec> {
            auto x = DecodeRound(b, gdb);
            empty = x && x->empty;  // never written: not a round
            if (!x || empty) return std::nullopt;
            const QString fields = UnreadableFields(*x);
            if (fields.isEmpty()) return x;
            why = line(*x, n) + ": unreadable " + fields;
            return std::nullopt;
        });
    if (sorted.Refused()) return Refuse(f);
    r_.roundsUnreadable << sorted.skipped;
    // Every record of a file is a round of its own. What earlier runs took from this file is
    // known by the counts of its keys (earlier builds: each key once); a record of a file they
    // took nothing from is looked for among the stored rounds of its golfer key's players.
    const QString file = f.name.toUpper();
    const QHash<quint64, int> remembered = stored_.converted.files.value(file).counts;
    const QSet<quint64> takenByKey = stored_.converted.roundsByKey.value(stem);
    TakenRounds& taking = plan_.taken.files[file];
    taking.playerId = golfer->id;
    QHash<quint64, int> met;      // OldRoundKey -> records of this file with it so far
    QHash<QString, int> matched;  // signature and course -> records of this file compared so far
    QDate previous(1900, 1, 1);
    for (const auto& [n, x] : sorted.good) {
        const auto date = ParseOldDate(x.date, dayFirst_);
        if (date) previous = *date;
        const QString out = OutOfRange(x);
        if (out.isEmpty() && std::accumulate(x.gross.begin(), x.gross.end(), 0) <= 0)
            continue;  // nothing played: not a round
        if (!out.isEmpty()) {
            r_.roundsOutOfRange << line(x, n) + ": " + out;
            continue;
        }
        const QString courseName = x.course.left(20).trimmed();
        const auto course = courseIds_.constFind(courseName.toUpper());
        if (course == courseIds_.constEnd()) {
            r_.roundsNoCourse << line(x, n);
            continue;
        }
        const quint64 origin = OldRoundKey(x);
        // Converted before, whatever was corrected since.
        if (++met[origin] <= remembered.value(origin) + (takenByKey.contains(origin) ? 1 : 0)) {
            r_.roundsDuplicate << line(x, n) + ": converted before";
            continue;
        }
        const QString signature = RoundSignature(previous, x.gross);
        const QList<Match> found = Matches(golfer->id, stem, signature, *course, file, remembered.isEmpty());
        const int nth = ++matched[signature + '#' + QString::number(*course)];
        ++taking.counts[origin];
        if (nth <= found.size()) {  // stored before, or met in another file of the golfer
            const Match& m = found[nth - 1];
            r_.roundsDuplicate << line(x, n) + (!m.record.isEmpty() ? ": the same round as " + m.record
                                                : m.course == *course
                                                    ? QString()
                                                    : ": stored on " + Quoted(courseNames_.value(m.course)));
            continue;
        }
        planned_[golfer->id][signature].append({*course, RecordAt(f.name, n), file});
        if (!date)
            r_.undated << line(x, n) + ": given " +
                              FormatLocalDate(previous, dayFirst_ ? "DD/MM/YYYY" : "MM/DD/YYYY");
        PlannedRound p = Round(x, golfer->id, *course, previous, golfer->gender);
        p.notes = CleanNotes(x.notes);
        if (p.notes != x.notes) r_.notesCleaned << line(x, n);
        const std::pair<const char*, float> costs[] = {
            {"game cost", x.gameCost}, {"cart cost", x.cartCost}, {"other cost", x.otherCost}};
        std::optional<double>* stores[] = {&p.gameCost, &p.cartCost, &p.otherCost};
        for (int i = 0; i < 3; ++i) {
            *stores[i] = StoredCost(costs[i].second);
            if (!*stores[i])
                r_.costsEmptied << line(x, n) + ": " + costs[i].first + " " + Number(costs[i].second);
        }
        plan_.rounds.append(p);
    }
}

QList<Planner::Match> Planner::Matches(int playerId, const QString& key, const QString& signature, int course,
                                       const QString& file, bool stored) {
    QList<Match> exact, alike;
    const QString pars = coursePars_.value(course);
    auto add = [&](int c, const QString& record) {
        if (c == course)
            exact.append({c, record});
        else if (!pars.isEmpty() && coursePars_.value(c) == pars)
            alike.append({c, record});
    };
    if (stored)
        for (int c : Signatures(key).value(signature)) add(c, QString());
    for (const Planned& p : planned_.value(playerId).value(signature))
        if (p.file != file) add(p.course, p.record);
    return exact + alike;
}

const QHash<QString, QList<int>>& Planner::Signatures(const QString& key) {
    auto it = signatures_.find(key);
    if (it != signatures_.end()) return *it;
    QHash<QString, QList<int>> all;
    for (const StoredGolfer& g : stored_.golfers.value(key))
        if (stored_.roundsOf) {
            const QHash<QString, QList<int>> rounds = stored_.roundsOf(g.id);
            for (auto r = rounds.begin(); r != rounds.end(); ++r) all[r.key()] += r.value();
        }
    return *signatures_.insert(key, all);
}

PlannedRound Planner::Round(const OldRoundRec& x, int playerId, int courseId, const QDate& date,
                            const QString& gender) {
    PlannedRound p;
    p.playerId = playerId;
    p.courseId = courseId;
    p.date = date;
    p.teeSlot = TeeSlotOfOld(x.tee);
    p.rating = OneDecimal(x.rating);
    p.slope = x.slope;
    p.useHcp = *FlagOf(x.hcpFlag);
    p.useTourn = x.tournFlag ? *FlagOf(*x.tournFlag) : 0;
    p.gross = x.gross;
    p.hcpIndex = x.hcpIndex;
    p.tHcpIndex = x.tHcpIndex;
    p.nineIndex = DefaultIndexValue(gender == "M" ? 0 : 1, true);
    if (x.parPutts) {
        for (int value : *x.parPutts) {
            p.par += Fixed(ParOfCombined(value), 1, 0);
            p.putts += Fixed(PuttsOfCombined(value), 2, 0);
        }
        p.adjScore = x.adjScore;
    }
    return p;
}

}  // namespace dc::plan

// The planner's golfers: each old golfer record becomes a new player, or the stored player it is.

#include <QMap>
#include <algorithm>

#include "shell/FileStr.h"
#include "tools/ConversionPlanner.h"

namespace dc::plan {

namespace {

QString StoredName(const StoredGolfer& g) {
    const QString first = (g.first.trimmed() + " " + g.mi.trimmed()).trimmed();
    return g.last.trimmed() + (first.isEmpty() ? QString() : ", " + first) + " (" + g.gender + ")";
}

// Names with the middle initial, as the player list reads them, and gender alike: the comparison for
// golfers converted before the database remembered its conversions.
bool SamePerson(const StoredGolfer& stored, const std::optional<SplitName>& name, const QString& gender) {
    auto reads = [](const QString& last, const QString& first, const QString& mi) {
        return ListReading(last.trimmed() + ", " + first + " " + mi);
    };
    return stored.gender == gender && reads(stored.last, stored.first, stored.mi) ==
                                          reads(name ? name->last : QString(), name ? name->first : QString(),
                                                name && name->mi ? *name->mi : QString());
}

}  // namespace

void Planner::Golfers(int index) {
    if (index < 0) return;
    const OldFile& f = files_[index];
    const OldDataFile data(f.bytes, kGolferRecLen);
    r_.golferRecords = data.Count();
    if (!Usable(f, data, "golfer")) return;
    const auto sorted =
        SortRecords<OldGolferRec>(data, [&](std::span<const uint8_t> b, int n, QString& why, bool& empty) {
            auto g = DecodeGolfer(b);
            empty = AllZero(b);
            if (empty || !g)
                why = RecordAt(f.name, n) + ": empty";
            else if (!Readable(g->name) || !FlagOf(g->gender))
                why = RecordAt(f.name, n) + ": " + Quoted(Shown(g->name)) + ", gender " +
                      Quoted(Shown(QString(g->gender))) + ": unreadable " +
                      (Readable(g->name) ? "gender" : "name");
            return why.isEmpty() ? g : std::nullopt;
        });
    if (sorted.Refused()) return Refuse(f);
    r_.golfersSkipped << sorted.skipped;
    // Each key's records in file order, each with what tells it apart, and how many were added.
    QMap<QString, std::pair<QStringList, int>> byKey;
    QHash<QString, QString> roundsTo;       // upper-case key -> the record its round file goes to
    QSet<int> matched;                      // stored players a record of the file was found to be
    QHash<QString, StoredGolfer> isStored;  // OldGolferKey -> the stored player a record was found to be
    int key = stored_.maxPlayerId;
    for (const auto& [n, g] : sorted.good) {
        QString shortKey;
        CompactKey(g.name, 8, shortKey);
        const QString upper = shortKey.toUpper(), shown = g.name.trimmed();
        if (!names_.contains(upper)) names_.insert(upper, shown);
        const auto name = SplitOldName(g.name, format_);
        const QString gender = *FlagOf(g.gender) == 0 ? "M" : "F";
        const QString origin = OldGolferKey(shortKey, g.name, gender);
        const QString label = Quoted(shown) + " (" + gender + ", " + RecordAt(f.name, n) + ")";
        byKey[upper].first << label;
        if (!roundsTo.contains(upper)) roundsTo.insert(upper, label);
        // Converted before: the player this golfer became, whatever was corrected since; else,
        // for a golfer the database does not remember, a stored player of that key that is the
        // same person and was not made from another golfer.
        // A golfer listed twice is two players: each record takes the next one not taken yet.
        const QList<StoredGolfer> sameKey = stored_.golfers.value(upper);
        auto same = sameKey.end();
        for (int id : stored_.converted.golfers.value(origin)) {
            if (matched.contains(id)) continue;
            same = std::find_if(sameKey.begin(), sameKey.end(),
                                [&](const StoredGolfer& s) { return s.id == id; });
            if (same != sameKey.end()) break;
        }
        const bool remembered = same != sameKey.end();
        if (!remembered)
            same = std::find_if(sameKey.begin(), sameKey.end(), [&](const StoredGolfer& s) {
                return !rememberedPlayers_.contains(s.id) && !matched.contains(s.id) &&
                       SamePerson(s, name, gender);
            });
        if (same != sameKey.end()) {
            matched.insert(same->id);
            if (!isStored.contains(origin)) isStored.insert(origin, *same);
            r_.convertedBefore << Quoted(shown) + " is the stored player " + StoredName(*same);
            if (!golfers_.contains(upper)) golfers_.insert(upper, *same);
            if (!remembered) plan_.taken.golfers[origin].append(same->id);
            continue;
        }
        // Listed again after a record of the file was found to be a stored player, who has no
        // other player left (a duplicate deleted since): the same person, not added again.
        if (const auto again = isStored.constFind(origin); again != isStored.constEnd()) {
            r_.convertedBefore << Quoted(shown) + " is the stored player " + StoredName(*again) +
                                      " (listed again)";
            continue;
        }
        if (!sameKey.isEmpty())
            r_.sameKeyNewPlayers << Quoted(shown) + " (" + gender + ") is not the stored player " +
                                        StoredName(sameKey.first()) + " of the same key " + shortKey +
                                        ": added as a new player";
        plan_.players.append({++key, shortKey, name, gender});
        plan_.taken.golfers[origin].append(key);
        if (!golfers_.contains(upper)) golfers_.insert(upper, {key, gender, {}, {}, {}});
        ++byKey[upper].second;
    }
    for (auto it = byKey.begin(); it != byKey.end(); ++it) {
        if (it->second < 2) continue;  // golfers of one key added in this run
        QString shortKey;
        CompactKey(names_.value(it.key()), 8, shortKey);
        r_.sharedKeys << "Golfers " + it->first.join(" and ") + " have the same key " + shortKey +
                             ": its rounds went to " + roundsTo.value(it.key());
    }
}

}  // namespace dc::plan

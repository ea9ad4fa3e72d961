#include "tools/ConversionPlan.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "handicap/HcpRules.h"
#include "shell/DateFormat.h"
#include "shell/FileStr.h"

namespace dc {

namespace {

const QString kTeeNames = "                 Red               White                Blue                Gold";

// A number in a fixed picture; zeros of the picture's width when the text would not fit it
// (too large, negative or not a number), so that a later slot never shifts.
QString Fixed(double value, int width, int decimals) {
    const QString zeros = decimals > 0 ? QString(width - decimals - 1, '0') + "." + QString(decimals, '0')
                                       : QString(width, '0');
    if (!std::isfinite(value) || value < 0) return zeros;
    const QString text = QString::number(value, 'f', decimals).rightJustified(width, '0');
    return text.size() == width ? text : zeros;
}

double OneDecimal(float v) { return std::isfinite(v) ? std::round(double(v) * 10.0) / 10.0 : 0.0; }
double Cents(float v) { return std::isfinite(v) ? std::round(double(v) * 100.0) / 100.0 : 0.0; }

// The 1-based positions p..q of the name field, trimmed (empty past the end).
QString Piece(const QString& n, int from, int to = 20) {
    return n.mid(from - 1, std::max(0, to - from + 1)).trimmed();
}

// "First MI" after a comma: a trailing single letter after a blank is the middle initial.
SplitName FirstAndInitial(const QString& last, const QString& rest) {
    const int blank = rest.lastIndexOf(' ');
    if (blank > 0 && rest.size() - blank - 1 == 1)
        return {last, rest.left(blank).trimmed(), rest.mid(blank + 1)};
    return {last, rest.isEmpty() ? QString(" ") : rest, QString()};
}

// A flag character: "0" = no, another digit = yes; nothing for anything else.
std::optional<int> FlagOf(QChar c) {
    if (c < QChar('0') || c > QChar('9')) return std::nullopt;
    return c == '0' ? 0 : 1;
}

// A character the earlier version never wrote into a text: a control character, or a byte the
// code page leaves undefined.
bool IsDamage(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0xFFFD;
}

// Text as the earlier version wrote it. Anything else is not a text field but damage.
bool Readable(const QString& text) { return std::none_of(text.begin(), text.end(), IsDamage); }

// What could be read of a text for the report: damaged characters shown as "?".
QString Shown(const QString& text) {
    QString s = text;
    for (QChar& c : s)
        if (IsDamage(c)) c = '?';
    return s.trimmed();
}

bool AllZero(std::span<const uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

QString Quoted(const QString& s) { return "\"" + s + "\""; }

QString Number(double v) { return QString::number(v, 'g', 6); }

// A record of a file by its position, for the report.
QString RecordAt(const QString& file, int n) { return QString("%1 record %2").arg(file).arg(n); }

// The records of one file sorted out: readable ones with their positions, and the others with what
// could be read of them; the file is damaged as a whole when more records are unreadable than
// readable among those that are not empty.
template <typename Rec>
struct Sorted {
    QList<std::pair<int, Rec>> good;
    QStringList skipped;  // what was read of each record left out, and why
    int bad = 0;
    bool Refused() const { return bad > good.size(); }
};

// `decode(bytes, n, why, empty)` gives record n, or nothing with `why` naming it and what was read
// of it (`empty` for a record never written; no `why` for one that is no record at all).
template <typename Rec, typename Decode>
Sorted<Rec> SortRecords(const OldDataFile& file, Decode decode) {
    Sorted<Rec> s;
    for (int n = 1; n <= file.Count(); ++n) {
        QString why;
        bool empty = false;
        const std::optional<Rec> rec = decode(file.Record(n), n, why, empty);
        if (rec) {
            s.good.append({n, *rec});
            continue;
        }
        if (!empty) ++s.bad;
        if (!why.isEmpty()) s.skipped << why;
    }
    return s;
}

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

// Ratings, slopes and pars of a course, to compare (CourseFingerprint with and without ratings).
QString Figures(const PackedCourse& packed) {
    return CourseFingerprint(packed) + "#" + CourseFingerprint(packed, false);
}

class Planner {
  public:
    Planner(const QList<OldFile>& files, int format, bool dayFirst, const StoredData& stored)
        : files_(files), format_(format), dayFirst_(dayFirst), stored_(stored) {
        courseIds_ = stored.courses;
        courseNames_ = stored.courseNames;
        coursePars_ = stored.coursePars;
        for (const QList<int>& ids : stored.converted.golfers)
            for (int id : ids) rememberedPlayers_.insert(id);
        for (int id : stored.converted.courses) rememberedCourses_.insert(id);
        for (int id : stored.converted.coursesByName) rememberedCourses_.insert(id);
    }

    ConversionPlan Run() {
        const int course = LocateDataFile(files_, "COURSE"), golfer = LocateDataFile(files_, "GOLFER");
        for (int i = 0; i < files_.size(); ++i) {
            const QString& name = files_[i].name;
            if (IsRoundFile(name) || i == course || i == golfer) continue;
            const int used = name.left(6).toUpper() == "COURSE" ? course : golfer;
            const bool sibling =
                used >= 0 && name.section('.', 0, 0).compare(files_[used].name.section('.', 0, 0),
                                                             Qt::CaseInsensitive) == 0;
            if (sibling && files_[i].bytes.isEmpty()) continue;  // an empty .GDB gives way to the .DBF
            r_.files << name + ": not read" +
                            (sibling ? ", " + files_[used].name + " was read instead"
                                     : ", not the golfer or course file");
        }
        Courses(course);
        Golfers(golfer);
        for (const OldFile& f : files_)
            if (IsRoundFile(f.name)) RoundFile(f);
        return std::move(plan_);
    }

  private:
    // A file that cannot be read, or the bytes after its last whole record: named in the report.
    bool Usable(const OldFile& f, const OldDataFile& data, const QString& what) {
        if (!f.readable) {
            r_.files << f.name + ": could not be read";
            return false;
        }
        if (data.Count() == 0) {
            r_.files << f.name + ": holds no whole " + what + " record";
            return false;
        }
        if (data.StrayBytes() > 0)
            r_.files << f.name + QString(": %1 byte(s) after the last whole record were not read")
                                     .arg(data.StrayBytes());
        return true;
    }

    void Refuse(const OldFile& f) {
        r_.files << f.name + ": most records are unreadable; nothing was converted from it";
    }

    void Courses(int index) {
        if (index < 0) return;
        const OldFile& f = files_[index];
        const OldDataFile data(f.bytes, kCourseRecLen);
        r_.courseRecords = data.Count();
        if (!Usable(f, data, "course")) return;
        const auto sorted = SortRecords<OldCourseRec>(data, [&](std::span<const uint8_t> b, int n,
                                                                QString& why, bool& empty) {
            auto c = DecodeCourse(b);
            empty = AllZero(b);
            if (empty || !c || !Readable(c->name))
                why =
                    RecordAt(f.name, n) + ": " +
                    (empty ? QString("empty") : Quoted(Shown(c ? c->name : QString())) + ": unreadable name");
            return why.isEmpty() ? c : std::nullopt;
        });
        if (sorted.Refused()) return Refuse(f);
        r_.coursesSkipped << sorted.skipped;
        int key = stored_.maxCourseId;
        QHash<QString, std::pair<QString, PackedCourse>> added;  // upper-case name -> record and course
        for (auto [n, c] : sorted.good) {
            const QString shown = c.name.left(20).trimmed(), upper = shown.toUpper();
            const QString origin = OldCourseKey(c);
            QStringList emptied;
            for (int t = 0; t < 3; ++t) {
                const bool unused = c.rating[t] == 0 && c.slope[t] == 0;
                if (unused || (RatingInRange(OneDecimal(c.rating[t])) && SlopeInRange(c.slope[t]))) continue;
                emptied << QString("%1, old tee %2: rating %3, slope %4")
                               .arg(Quoted(shown))
                               .arg(t + 1)
                               .arg(Number(c.rating[t]))
                               .arg(c.slope[t]);
                c.rating[t] = 0;  // the tee box is left empty
                c.slope[t] = 0;
                for (auto& hole : c.par) hole[t] = 0;
            }
            const PackedCourse packed = PackOldCourse(c);
            // Converted before: its rounds go to the course it became, whatever was edited since.
            if (const int became = Remembered(origin, packed)) {
                if (courseNames_.value(became).toUpper() != upper)
                    r_.coursesKnown << Quoted(shown) + " is the stored course " +
                                           Quoted(courseNames_.value(became)) +
                                           " (converted before): not added again, its rounds go there";
                courseIds_.insert(upper, became);
                Take(origin, became);
                continue;
            }
            if (courseIds_.contains(upper)) {  // known by name: its rounds go to that course
                const int id = courseIds_.value(upper);
                const auto first = added.constFind(upper);
                // Named when it is not that course's record as it stands: the golfer may correct it.
                const QString name = Quoted(courseNames_.value(id));
                if (first != added.constEnd()) {
                    if (first->first.compare(c.name.trimmed(), Qt::CaseInsensitive) != 0 ||
                        Figures(first->second) != Figures(packed))
                        r_.coursesMerged << RecordAt(f.name, n) + " " + Quoted(c.name.trimmed()) +
                                                " has the name of the course " + name +
                                                ": merged into it, its rounds go there";
                } else if (StoredFigures(id) != Figures(packed)) {
                    r_.coursesMerged << RecordAt(f.name, n) + " " + Quoted(c.name.trimmed()) +
                                            " has the name of the stored course " + name +
                                            " of other ratings, slopes or pars: merged into it, its "
                                            "rounds go there";
                }
                Take(origin, id);
                continue;
            }
            // Converted before the database remembered, and renamed since: the stored course keeps its
            // rounds.
            if (const int known = NotRememberedWith(CourseFingerprint(packed))) {
                courseIds_.insert(upper, known);
                Take(origin, known);
                r_.coursesKnown << Quoted(shown) + " is the stored course " +
                                       Quoted(courseNames_.value(known)) +
                                       " (the same tee boxes): not added again, its rounds go there";
                continue;
            }
            r_.teeBoxesEmptied << emptied;
            const QString name = OldCourseName(c.name, ++key);
            plan_.courses.append({key, name, packed});
            courseIds_.insert(name.toUpper(), key);
            added.insert(name.toUpper(), {c.name.trimmed(), packed});
            Take(origin, key);
            courseNames_.insert(key, name);
            coursePars_.insert(key, CourseFingerprint(packed, false));
        }
    }

    // The first stored course with these tee boxes that no remembered conversion made: one that was
    // made of another old course record is another course. Nothing for an unrated course.
    int NotRememberedWith(const QString& figures) const {
        if (figures.isEmpty()) return 0;
        int first = 0;
        for (auto it = stored_.courseFigures.begin(); it != stored_.courseFigures.end(); ++it)
            if (*it == figures && !rememberedCourses_.contains(it.key()) && (first == 0 || it.key() < first))
                first = it.key();
        return first;
    }

    QString StoredFigures(int id) const {
        return stored_.courseFigures.value(id) + "#" + stored_.coursePars.value(id);
    }

    // The stored course an earlier run made of this old course record, while it exists, whatever the
    // golfer changed in it since: a course given a remembered number drops that memory
    // (CourseStore::InsertCourse), so the number is never a deleted course's successor. A course
    // remembered by its old name alone (earlier builds, which gave a number again without dropping its
    // memory) must still have part of the record's figures, which another club's course of that name
    // has not; a course of the old name is found by its name anyway.
    int Remembered(const QString& origin, const PackedCourse& packed) const {
        const auto became = stored_.converted.courses.constFind(origin);
        if (became != stored_.converted.courses.constEnd() && stored_.courseNames.contains(*became))
            return *became;
        const auto byName = stored_.converted.coursesByName.constFind(origin.section('|', 0, 0));
        if (byName == stored_.converted.coursesByName.constEnd() || !stored_.courseNames.contains(*byName))
            return 0;
        return PartlyAlike(packed, *byName) ? *byName : 0;
    }

    // The stored course keeps the record's pars, or its ratings and slopes, or one tee box the record
    // rates whole: one correction, a tee box filled or emptied leave one of them.
    bool PartlyAlike(const PackedCourse& packed, int id) const {
        const QString figures = CourseFingerprint(packed), pars = CourseFingerprint(packed, false);
        const QString stored = stored_.courseFigures.value(id);
        if (!pars.isEmpty() && stored_.coursePars.value(id) == pars) return true;
        if (!RatingsOf(figures).isEmpty() && RatingsOf(stored) == RatingsOf(figures)) return true;
        const QStringList mine = figures.split(';'), theirs = stored.split(';');
        for (qsizetype t = 0; t < std::min(mine.size(), theirs.size()); ++t)
            if (mine[t].section('/', 0, 0).toDouble() > 0 && mine[t] == theirs[t]) return true;
        return false;
    }

    // The ratings and slopes of a CourseFingerprint; empty when no tee box is rated.
    static QString RatingsOf(const QString& figures) {
        static const QRegularExpression pars("[0-9]{18};"), rated("[1-9]");
        QString s = figures;
        s.remove(pars);
        return s.contains(rated) ? s : QString();
    }

    void Golfers(int index) {
        if (index < 0) return;
        const OldFile& f = files_[index];
        const OldDataFile data(f.bytes, kGolferRecLen);
        r_.golferRecords = data.Count();
        if (!Usable(f, data, "golfer")) return;
        const auto sorted = SortRecords<OldGolferRec>(
            data, [&](std::span<const uint8_t> b, int n, QString& why, bool& empty) {
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

    // The text fields of a round that do not read; empty when all do. Notes are cleaned instead.
    static QString UnreadableFields(const OldRoundRec& x) {
        QStringList bad;
        if (!Readable(x.date)) bad << "date";
        if (!Readable(x.course)) bad << "course name";
        if (!Readable(QString(x.tee))) bad << "tee";
        if (!FlagOf(x.hcpFlag)) bad << "handicap flag";
        if (x.tournFlag && !FlagOf(*x.tournFlag)) bad << "tournament flag";
        return bad.join(", ");
    }

    // The fields of a round outside what the screens accept; empty when none is.
    static QString OutOfRange(const OldRoundRec& x) {
        QStringList out;
        for (int h = 0; h < 18; ++h)
            if (x.gross[h] != 0 && !HoleScoreInRange(x.gross[h]))
                out << QString("hole %1 score %2").arg(h + 1).arg(x.gross[h]);
        if (!RatingInRange(OneDecimal(x.rating))) out << "rating " + Number(x.rating);
        if (!SlopeInRange(x.slope)) out << QString("slope %1").arg(x.slope);
        return out.join(", ");
    }

    void RoundFile(const OldFile& f) {
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
            const QList<Match> found =
                Matches(golfer->id, stem, signature, *course, file, remembered.isEmpty());
            const int nth = ++matched[signature + '#' + QString::number(*course)];
            ++taking.counts[origin];
            if (nth <= found.size()) {  // stored before, or met in another file of the golfer
                const Match& m = found[nth - 1];
                r_.roundsDuplicate << line(x, n) +
                                          (!m.record.isEmpty() ? ": the same round as " + m.record
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

    // An old course's rounds go to `courseId`: remembered unless the memory of an earlier run found it
    // (a course added again under a number its memory points to is remembered anew).
    void Take(const QString& origin, int courseId) {
        if (stored_.converted.courses.value(origin) == courseId && stored_.courseNames.contains(courseId))
            return;
        if (!plan_.taken.courses.contains(origin)) plan_.taken.courses.insert(origin, courseId);
    }

    // A stored round, or one planned from another file (its record named), that a round may be.
    struct Match {
        int course = 0;
        QString record;
    };
    struct Planned {
        int course = 0;
        QString record, file;
    };

    // The rounds of this signature stored for the golfer key before the run (when `stored`) and those
    // planned for the player from his other files, on this course first, then on a course with its pars.
    QList<Match> Matches(int playerId, const QString& key, const QString& signature, int course,
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

    // The rounds stored for the players of a golfer key: a round file's rounds may have gone to any
    // of them (a golfer listed twice, golfers of one key listed in another order since).
    const QHash<QString, QList<int>>& Signatures(const QString& key) {
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

    static PlannedRound Round(const OldRoundRec& x, int playerId, int courseId, const QDate& date,
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

    const QList<OldFile>& files_;
    int format_;
    bool dayFirst_;
    const StoredData& stored_;
    QHash<QString, int> courseIds_;
    QHash<QString, StoredGolfer> golfers_;  // upper-case key -> the player the key's round file goes to
    QHash<QString, QString> names_;         // upper-case key -> the first golfer's name in the file
    QHash<int, QString> courseNames_;       // COURSE_ID -> name, stored or planned
    QHash<int, QString> coursePars_;        // COURSE_ID -> its pars, stored or planned
    QHash<QString, QHash<QString, QList<int>>> signatures_;  // golfer key -> its stored rounds' signatures
    QHash<int, QHash<QString, QList<Planned>>> planned_;     // player -> the rounds planned by signature
    QSet<int> rememberedPlayers_;                            // players an earlier run made from an old golfer
    QSet<int> rememberedCourses_;  // courses an earlier run made from an old course record
    ConversionPlan plan_;
    ConversionReport& r_ = plan_.report;
};

}  // namespace

bool ConversionReport::Clean() const {
    for (const QStringList* list :
         {&coursesSkipped, &coursesKnown, &coursesMerged, &teeBoxesEmptied, &golfersSkipped, &convertedBefore,
          &sameKeyNewPlayers, &sharedKeys, &roundsUnreadable, &roundsOutOfRange, &roundsNoCourse,
          &roundsDuplicate, &notesCleaned, &costsEmptied, &undated, &files})
        if (!list->isEmpty()) return false;
    return true;
}

const QStringList& NameFormats() {
    static const QStringList formats{"Last, First", "Last, First MI", "Last Name Only",
                                     "First Last",  "First MI Last",  "First Name Only"};
    return formats;
}

std::optional<SplitName> SplitOldName(const QString& name20, int format) {
    const QString n = name20.left(20).leftJustified(20, ' ');
    const SplitName lastOnly{n.trimmed(), " ", std::nullopt};
    switch (format) {
        case 0:
        case 1: {
            const int p = n.indexOf(',') + 1;
            if (p == 0) return lastOnly;
            const QString last = Piece(n, 1, p - 1), rest = Piece(n, p + 1);
            if (format == 1) return FirstAndInitial(last, rest);
            return SplitName{last, rest.isEmpty() ? QString(" ") : rest, std::nullopt};
        }
        case 2:
            return lastOnly;
        case 3:
        case 4: {
            const int p = n.indexOf(' ') + 1;
            if (p == 0) return lastOnly;
            if (format == 3) return SplitName{Piece(n, p + 1), Piece(n, 1, p - 1), std::nullopt};
            return SplitName{Piece(n, p + 3), Piece(n, 1, p - 1), Piece(n, p + 1, p + 1)};
        }
        case 5:
            return SplitName{" ", n.trimmed(), std::nullopt};
        default:
            return std::nullopt;
    }
}

PackedCourse PackOldCourse(const OldCourseRec& c) {
    PackedCourse p;
    p.TB = kTeeNames;
    QString hcp, pars;
    for (int h = 0; h < 18; ++h) hcp += Fixed(c.hcpRank[h], 2, 0);
    for (int t = 2; t >= 0; --t) {
        p.MCR += Fixed(c.rating[t], 4, 1);
        p.MSL += Fixed(c.slope[t], 3, 0);
        for (int h = 0; h < 18; ++h) pars += Fixed(t == 2 ? c.par[h][t] % 32 : c.par[h][t], 1, 0);
    }
    pars += QString(18, '0');
    p.WCR = p.MCR;
    p.WSL = p.MSL;
    p.MHCP = p.WHCP = hcp.repeated(4);
    p.MPARS = p.WPARS = pars;
    return p;
}

QString OldCourseName(const QString& name30, int courseId) {
    const QString name = name30.left(20).trimmed();
    return name.isEmpty() ? QString::number(courseId) : name;
}

std::optional<int> TeeSlotOfOld(QChar tee) {
    if (tee == '1') return 2;
    if (tee == '2') return 1;
    if (tee == '3') return 0;
    return std::nullopt;
}

std::optional<QDate> ParseOldDate(const QString& text, bool dayFirst) {
    static const QRegularExpression re("^\\s*(\\d{1,2})[/.\\-](\\d{1,2})[/.\\-](\\d{2}|\\d{4})\\s*$");
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int a = m.captured(1).toInt(), b = m.captured(2).toInt();
    int y = m.captured(3).toInt();
    if (m.captured(3).size() == 2) y += y < 30 ? 2000 : 1900;  // the two-digit year window of the time
    const QDate d = dayFirst ? QDate(y, b, a) : QDate(y, a, b);
    if (!d.isValid()) return std::nullopt;
    return d;
}

bool HoleScoreInRange(int strokes) { return strokes >= 1 && strokes <= 99; }
bool RatingInRange(double rating) { return rating >= 0.1 && rating <= 99.9; }
bool SlopeInRange(int slope) { return slope >= 55 && slope <= 155; }

QString RoundSignature(const QDate& date, const std::array<int, 18>& gross) {
    // The day number and each hole's score as one character each: one allocation a round.
    const qint64 day = date.isValid() ? date.toJulianDay() : 0;
    QString s(2 + 18, Qt::Uninitialized);
    s[0] = QChar(char16_t(day & 0xFFFF));
    s[1] = QChar(char16_t((day >> 16) & 0xFFFF));
    for (int h = 0; h < 18; ++h) s[2 + h] = QChar(char16_t(gross[h]));
    return s;
}

QString CourseFingerprint(const PackedCourse& packed, bool withRatings) {
    QString s;
    bool rated = false, parred = false;
    for (int t = 0; t < 3; ++t) {
        const double rating = SlotNumber(packed.MCR, Packed::MCR, t);
        rated = rated || rating > 0;
        if (withRatings)
            s += QString::number(rating, 'f', 1) + "/" +
                 QString::number(SlotNumber(packed.MSL, Packed::MSL, t)) + "/";
        for (int h = 1; h <= 18; ++h) {
            const int par = HoleNumber(packed.MPARS, Packed::MPARS, t, h);
            parred = parred || par > 0;
            s += QString::number(par);
        }
        s += ";";
    }
    return (withRatings ? rated : parred) ? s : QString();
}

QString OldCourseKey(const OldCourseRec& course) {
    const PackedCourse p = PackOldCourse(course);
    return course.name.left(20).trimmed().toUpper() + "|" + p.MCR + "|" + p.MSL + "|" + p.MPARS;
}

QString ListReading(const QString& name) {
    static const QRegularExpression comma("\\s*,\\s*");
    QString s = name.simplified().replace(comma, ", ").trimmed();
    if (s.endsWith('.')) s = s.chopped(1).trimmed();
    return s.toUpper();
}

QString OldGolferKey(const QString& fileKey, const QString& name20, const QString& gender) {
    return fileKey.toUpper() + "|" + ListReading(name20.left(20)) + "|" + gender;
}

QString OldGolferKeyAgain(const QString& remembered) {
    // Key|name|gender: the name may hold a bar of its own.
    return OldGolferKey(remembered.section('|', 0, 0), remembered.section('|', 1, -2),
                        remembered.section('|', -1));
}

quint64 OldRoundKey(const OldRoundRec& round) {
    // The fields' characters and numbers, little-endian, into one buffer: no allocation a round.
    std::array<uint8_t, 2 * (10 + 30 + 1 + 18) + 2> played{};
    size_t at = 0;
    const auto put = [&](uint16_t v) {
        if (at + 2 > played.size()) return;
        played[at++] = uint8_t(v & 0xFF);
        played[at++] = uint8_t(v >> 8);
    };
    for (QChar c : QStringView(round.date).left(10)) put(c.unicode());
    put('|');
    for (QChar c : QStringView(round.course).left(30)) put(c.unicode());
    put(round.tee.unicode());
    for (int g : round.gross) put(uint16_t(g));
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(played.data()), qsizetype(at)));
    const QByteArrayView digest = hash.resultView();
    quint64 key = 0;
    for (int i = 0; i < 8; ++i) key = key << 8 | uint8_t(digest[i]);
    return key;
}

QString CleanNotes(const QString& notes) {
    QString s;
    for (QChar c : notes)
        if (!IsDamage(c)) s += c;
    return s;
}

std::optional<double> StoredCost(float cost) {
    if (!std::isfinite(cost)) return std::nullopt;
    // The cost boxes take 0 to below 10,000,000 (CostRefusal).
    const double cents = Cents(cost);
    if (cents < 0 || cents >= 1e7) return std::nullopt;
    return cents;
}

ConversionPlan PlanConversion(const QList<OldFile>& files, int nameFormat, bool dayFirst,
                              const StoredData& stored) {
    return Planner(files, nameFormat, dayFirst, stored).Run();
}

}  // namespace dc

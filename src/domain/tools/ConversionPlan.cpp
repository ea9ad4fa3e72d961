#include "tools/ConversionPlan.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "handicap/HcpRules.h"
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

// Text as the earlier version wrote it: no control character, no byte the code page leaves
// undefined. Anything else is not a text field but damage.
bool Readable(const QString& text) {
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0xFFFD;
    });
}

bool AllZero(std::span<const uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

QString Quoted(const QString& s) { return "\"" + s + "\""; }

// The records of one file sorted out: readable ones, and whether the file is damaged as a whole
// (more unreadable records than readable ones among those that are not empty).
template <typename Rec>
struct Sorted {
    QList<Rec> good;
    int empty = 0, bad = 0;
    bool Refused() const { return bad > good.size(); }
};

template <typename Rec, typename Decode>
Sorted<Rec> SortRecords(const OldDataFile& file, Decode decode) {
    Sorted<Rec> s;
    for (int n = 1; n <= file.Count(); ++n) {
        bool empty = false;
        const std::optional<Rec> rec = decode(file.Record(n), empty);
        if (empty)
            ++s.empty;
        else if (rec)
            s.good.append(*rec);
        else
            ++s.bad;
    }
    return s;
}

class Planner {
  public:
    Planner(const QList<OldFile>& files, int format, bool dayFirst, const StoredData& stored)
        : files_(files), format_(format), dayFirst_(dayFirst), stored_(stored) {
        courseIds_ = stored.courses;
        golfers_ = stored.golfers;
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
        const auto sorted = SortRecords<OldCourseRec>(data, [](std::span<const uint8_t> b, bool& empty) {
            empty = AllZero(b);
            auto c = DecodeCourse(b);
            return c && Readable(c->name) ? c : std::nullopt;
        });
        if (sorted.Refused()) return Refuse(f);
        r_.coursesUnreadable = sorted.empty + sorted.bad;
        int key = stored_.maxCourseId;
        for (OldCourseRec c : sorted.good) {
            const QString upper = c.name.left(20).trimmed().toUpper();
            if (courseIds_.contains(upper)) continue;  // known by name: its rounds go to that course
            for (int t = 0; t < 3; ++t) {
                const bool unused = c.rating[t] == 0 && c.slope[t] == 0;
                if (unused || (RatingInRange(OneDecimal(c.rating[t])) && SlopeInRange(c.slope[t]))) continue;
                ++r_.teeBoxesOutOfRange;  // the tee box is left empty
                c.rating[t] = 0;
                c.slope[t] = 0;
                for (auto& hole : c.par) hole[t] = 0;
            }
            const QString name = OldCourseName(c.name, ++key);
            plan_.courses.append({key, name, PackOldCourse(c)});
            courseIds_.insert(name.toUpper(), key);
        }
    }

    void Golfers(int index) {
        if (index < 0) return;
        const OldFile& f = files_[index];
        const OldDataFile data(f.bytes, kGolferRecLen);
        r_.golferRecords = data.Count();
        if (!Usable(f, data, "golfer")) return;
        const auto sorted = SortRecords<OldGolferRec>(data, [](std::span<const uint8_t> b, bool& empty) {
            empty = AllZero(b);
            auto g = DecodeGolfer(b);
            return g && Readable(g->name) && FlagOf(g->gender) ? g : std::nullopt;
        });
        if (sorted.Refused()) return Refuse(f);
        r_.golfersUnreadable = sorted.empty + sorted.bad;
        QMap<QString, QStringList> byKey;  // golfers added in this run, by key
        int key = stored_.maxPlayerId;
        for (const OldGolferRec& g : sorted.good) {
            QString shortKey;
            CompactKey(g.name, 8, shortKey);
            const QString upper = shortKey.toUpper(), shown = g.name.trimmed();
            if (!names_.contains(upper)) names_.insert(upper, shown);
            if (stored_.golfers.contains(upper)) {
                r_.convertedBefore << shown;
                continue;
            }
            const QString gender = *FlagOf(g.gender) == 0 ? "M" : "F";
            plan_.players.append({++key, shortKey, SplitOldName(g.name, format_), gender});
            if (!golfers_.contains(upper)) golfers_.insert(upper, {key, gender});
            byKey[upper] << shown;
        }
        for (auto it = byKey.begin(); it != byKey.end(); ++it) {
            if (it->size() < 2) continue;
            QStringList quoted;
            for (const QString& n : *it) quoted << Quoted(n);
            QString shortKey;
            CompactKey(it->first(), 8, shortKey);
            r_.sharedKeys << "Golfers " + quoted.join(" and ") + " have the same key " + shortKey +
                                 ": its rounds went to " + quoted.first();
        }
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
        const auto sorted = SortRecords<OldRoundRec>(data, [gdb](std::span<const uint8_t> b, bool& empty) {
            auto x = DecodeRound(b, gdb);
            empty = x && x->empty;
            if (!x || empty) return std::optional<OldRoundRec>();
            const bool text = Readable(x->date) && Readable(x->course) && Readable(QString(x->tee)) &&
                              Readable(x->notes) && FlagOf(x->hcpFlag) &&
                              (!x->tournFlag || FlagOf(*x->tournFlag));
            return text ? x : std::nullopt;
        });
        if (sorted.Refused()) return Refuse(f);
        r_.roundsUnreadable += sorted.bad;
        const QString shown = names_.value(stem, f.name.section('.', 0, 0));
        QSet<QString>& known = Signatures(golfer->id);
        QDate previous(1900, 1, 1);
        for (const OldRoundRec& x : sorted.good) {
            const auto date = ParseOldDate(x.date, dayFirst_);
            if (date) previous = *date;
            const bool inRange = std::all_of(x.gross.begin(), x.gross.end(),
                                             [](int s) { return s == 0 || HoleScoreInRange(s); });
            int front = 0, back = 0;
            for (int h = 0; h < 18; ++h) (h < 9 ? front : back) += x.gross[h];
            if (inRange && front + back <= 0) continue;  // nothing played: not a round
            if (!inRange || !RatingInRange(OneDecimal(x.rating)) || !SlopeInRange(x.slope)) {
                ++r_.roundsOutOfRange;
                continue;
            }
            const QString courseName = x.course.left(20).trimmed();
            const auto course = courseIds_.constFind(courseName.toUpper());
            if (course == courseIds_.constEnd()) {
                ++r_.roundsNoCourse[courseName];
                continue;
            }
            if (known.contains(RoundSignature(previous, *course, x.gross))) {
                ++r_.roundsDuplicate;
                continue;
            }
            known.insert(RoundSignature(previous, *course, x.gross));
            if (!date) ++r_.undated[shown];
            plan_.rounds.append(Round(x, golfer->id, *course, previous, golfer->gender));
        }
    }

    QSet<QString>& Signatures(int playerId) {
        auto it = signatures_.find(playerId);
        if (it == signatures_.end())
            it = signatures_.insert(playerId, playerId <= stored_.maxPlayerId && stored_.roundsOf
                                                  ? stored_.roundsOf(playerId)
                                                  : QSet<QString>());
        return *it;
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
        p.gameCost = Cents(x.gameCost);
        p.cartCost = Cents(x.cartCost);
        p.otherCost = Cents(x.otherCost);
        p.notes = x.notes;
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
    QHash<QString, StoredGolfer> golfers_;
    QHash<QString, QString> names_;  // upper-case key -> the first golfer's name in the file
    QHash<int, QSet<QString>> signatures_;
    ConversionPlan plan_;
    ConversionReport& r_ = plan_.report;
};

}  // namespace

bool ConversionReport::Clean() const {
    return coursesUnreadable == 0 && teeBoxesOutOfRange == 0 && golfersUnreadable == 0 &&
           convertedBefore.isEmpty() && sharedKeys.isEmpty() && roundsUnreadable == 0 &&
           roundsOutOfRange == 0 && roundsDuplicate == 0 && roundsNoCourse.isEmpty() && undated.isEmpty() &&
           files.isEmpty();
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

QString RoundSignature(const QDate& date, int courseId, const std::array<int, 18>& gross) {
    QString s = date.toString(Qt::ISODate) + "|" + QString::number(courseId);
    for (int g : gross) s += "|" + QString::number(g);
    return s;
}

ConversionPlan PlanConversion(const QList<OldFile>& files, int nameFormat, bool dayFirst,
                              const StoredData& stored) {
    return Planner(files, nameFormat, dayFirst, stored).Run();
}

}  // namespace dc

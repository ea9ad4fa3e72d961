#pragma once
// The planner behind PlanConversion: what one run has planned so far, and the helpers its parts share.
// Private to the conversion's plan; courses, golfers and rounds are planned in files of their own.

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <utility>

#include "records/TeeBoxPacking.h"
#include "tools/ConversionPlan.h"
#include "tools/OldDataFiles.h"
#include "tools/OldFieldRules.h"
#include "tools/OldRecords.h"

namespace dc::plan {

using oldfield::Fixed;

double OneDecimal(float v);

// A flag character: "0" = no, another digit = yes; nothing for anything else.
std::optional<int> FlagOf(QChar c);

// Text as the earlier version wrote it. Anything else is not a text field but damage.
bool Readable(const QString& text);

// What could be read of a text for the report: damaged characters shown as "?".
QString Shown(const QString& text);

bool AllZero(std::span<const uint8_t> bytes);

QString Quoted(const QString& s);

QString Number(double v);

// A record of a file by its position, for the report.
QString RecordAt(const QString& file, int n);

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

class Planner {
  public:
    Planner(const QList<OldFile>& files, int format, bool dayFirst, const StoredData& stored);

    ConversionPlan Run();

  private:
    // A file that cannot be read, or the bytes after its last whole record: named in the report.
    bool Usable(const OldFile& f, const OldDataFile& data, const QString& what);

    void Refuse(const OldFile& f);

    void Courses(int index);

    // The first stored course with these tee boxes that no remembered conversion made: one that was
    // made of another old course record is another course. Nothing for an unrated course.
    int NotRememberedWith(const QString& figures) const;

    QString StoredFigures(int id) const;

    // The stored course an earlier run made of this old course record, while it exists, whatever the
    // golfer changed in it since: a course given a remembered number drops that memory
    // (CourseStore::InsertCourse), so the number is never a deleted course's successor. A course
    // remembered by its old name alone (earlier builds, which gave a number again without dropping its
    // memory) must still have part of the record's figures, which another club's course of that name
    // has not; a course of the old name is found by its name anyway.
    int Remembered(const QString& origin, const PackedCourse& packed) const;

    // The stored course keeps the record's pars, or its ratings and slopes, or one tee box the record
    // rates whole: one correction, a tee box filled or emptied leave one of them.
    bool PartlyAlike(const PackedCourse& packed, int id) const;

    // The ratings and slopes of a CourseFingerprint; empty when no tee box is rated.
    static QString RatingsOf(const QString& figures);

    void Golfers(int index);

    // The text fields of a round that do not read; empty when all do. Notes are cleaned instead.
    static QString UnreadableFields(const OldRoundRec& x);

    // The fields of a round outside what the screens accept; empty when none is.
    static QString OutOfRange(const OldRoundRec& x);

    void RoundFile(const OldFile& f);

    // An old course's rounds go to `courseId`: remembered unless the memory of an earlier run found it
    // (a course added again under a number its memory points to is remembered anew).
    void Take(const QString& origin, int courseId);

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
                         const QString& file, bool stored);

    // The rounds stored for the players of a golfer key: a round file's rounds may have gone to any
    // of them (a golfer listed twice, golfers of one key listed in another order since).
    const QHash<QString, QList<int>>& Signatures(const QString& key);

    static PlannedRound Round(const OldRoundRec& x, int playerId, int courseId, const QDate& date,
                              const QString& gender);

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

}  // namespace dc::plan

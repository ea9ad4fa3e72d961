// The planner's courses: each old course record becomes a new course, or the stored course it was
// converted into before, or the stored course of its name.

#include <QRegularExpression>
#include <algorithm>

#include "tools/ConversionPlanner.h"

namespace dc::plan {

namespace {

// Ratings, slopes and pars of a course, to compare (CourseFingerprint with and without ratings).
QString Figures(const PackedCourse& packed) {
    return CourseFingerprint(packed) + "#" + CourseFingerprint(packed, false);
}

}  // namespace

void Planner::Courses(int index) {
    if (index < 0) return;
    const OldFile& f = files_[index];
    const OldDataFile data(f.bytes, kCourseRecLen);
    r_.courseRecords = data.Count();
    if (!Usable(f, data, "course")) return;
    const auto sorted =
        SortRecords<OldCourseRec>(data, [&](std::span<const uint8_t> b, int n, QString& why, bool& empty) {
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
            r_.coursesKnown << Quoted(shown) + " is the stored course " + Quoted(courseNames_.value(known)) +
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

int Planner::NotRememberedWith(const QString& figures) const {
    if (figures.isEmpty()) return 0;
    int first = 0;
    for (auto it = stored_.courseFigures.begin(); it != stored_.courseFigures.end(); ++it)
        if (*it == figures && !rememberedCourses_.contains(it.key()) && (first == 0 || it.key() < first))
            first = it.key();
    return first;
}

QString Planner::StoredFigures(int id) const {
    return stored_.courseFigures.value(id) + "#" + stored_.coursePars.value(id);
}

int Planner::Remembered(const QString& origin, const PackedCourse& packed) const {
    const auto became = stored_.converted.courses.constFind(origin);
    if (became != stored_.converted.courses.constEnd() && stored_.courseNames.contains(*became))
        return *became;
    const auto byName = stored_.converted.coursesByName.constFind(origin.section('|', 0, 0));
    if (byName == stored_.converted.coursesByName.constEnd() || !stored_.courseNames.contains(*byName))
        return 0;
    return PartlyAlike(packed, *byName) ? *byName : 0;
}

bool Planner::PartlyAlike(const PackedCourse& packed, int id) const {
    const QString figures = CourseFingerprint(packed), pars = CourseFingerprint(packed, false);
    const QString stored = stored_.courseFigures.value(id);
    if (!pars.isEmpty() && stored_.coursePars.value(id) == pars) return true;
    if (!RatingsOf(figures).isEmpty() && RatingsOf(stored) == RatingsOf(figures)) return true;
    const QStringList mine = figures.split(';'), theirs = stored.split(';');
    for (qsizetype t = 0; t < std::min(mine.size(), theirs.size()); ++t)
        if (mine[t].section('/', 0, 0).toDouble() > 0 && mine[t] == theirs[t]) return true;
    return false;
}

QString Planner::RatingsOf(const QString& figures) {
    static const QRegularExpression pars("[0-9]{18};"), rated("[1-9]");
    QString s = figures;
    s.remove(pars);
    return s.contains(rated) ? s : QString();
}

void Planner::Take(const QString& origin, int courseId) {
    if (stored_.converted.courses.value(origin) == courseId && stored_.courseNames.contains(courseId)) return;
    if (!plan_.taken.courses.contains(origin)) plan_.taken.courses.insert(origin, courseId);
}

}  // namespace dc::plan

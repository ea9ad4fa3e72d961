#include "tools/ConversionPlan.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tools/ConversionPlanner.h"

namespace dc {

namespace plan {

using oldfield::IsDamage;

double OneDecimal(float v) { return std::isfinite(v) ? std::round(double(v) * 10.0) / 10.0 : 0.0; }

std::optional<int> FlagOf(QChar c) {
    if (c < QChar('0') || c > QChar('9')) return std::nullopt;
    return c == '0' ? 0 : 1;
}

bool Readable(const QString& text) { return std::none_of(text.begin(), text.end(), IsDamage); }

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

QString RecordAt(const QString& file, int n) { return QString("%1 record %2").arg(file).arg(n); }

Planner::Planner(const QList<OldFile>& files, int format, bool dayFirst, const StoredData& stored)
    : files_(files), format_(format), dayFirst_(dayFirst), stored_(stored) {
    courseIds_ = stored.courses;
    courseNames_ = stored.courseNames;
    coursePars_ = stored.coursePars;
    for (const QList<int>& ids : stored.converted.golfers)
        for (int id : ids) rememberedPlayers_.insert(id);
    for (int id : stored.converted.courses) rememberedCourses_.insert(id);
    for (int id : stored.converted.coursesByName) rememberedCourses_.insert(id);
}

ConversionPlan Planner::Run() {
    const int course = LocateDataFile(files_, "COURSE"), golfer = LocateDataFile(files_, "GOLFER");
    for (int i = 0; i < files_.size(); ++i) {
        const QString& name = files_[i].name;
        if (IsRoundFile(name) || i == course || i == golfer) continue;
        const int used = name.left(6).toUpper() == "COURSE" ? course : golfer;
        const bool sibling = used >= 0 && name.section('.', 0, 0).compare(
                                              files_[used].name.section('.', 0, 0), Qt::CaseInsensitive) == 0;
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

bool Planner::Usable(const OldFile& f, const OldDataFile& data, const QString& what) {
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

void Planner::Refuse(const OldFile& f) {
    r_.files << f.name + ": most records are unreadable; nothing was converted from it";
}

}  // namespace plan

bool ConversionReport::Clean() const {
    for (const QStringList* list :
         {&coursesSkipped, &coursesKnown, &coursesMerged, &teeBoxesEmptied, &golfersSkipped, &convertedBefore,
          &sameKeyNewPlayers, &sharedKeys, &roundsUnreadable, &roundsOutOfRange, &roundsNoCourse,
          &roundsDuplicate, &notesCleaned, &costsEmptied, &undated, &files})
        if (!list->isEmpty()) return false;
    return true;
}

ConversionPlan PlanConversion(const QList<OldFile>& files, int nameFormat, bool dayFirst,
                              const StoredData& stored) {
    return plan::Planner(files, nameFormat, dayFirst, stored).Run();
}

}  // namespace dc

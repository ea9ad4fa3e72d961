#include "records/ReRating.h"

#include "handicap/RoundStore.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"

namespace dc {

void ReRateRounds(Database& db, int courseId, const std::optional<QDate>& from) {
    for (const char* gender : {"M", "F"}) {
        const QString g = QString(gender) == "M" ? "M" : "W";
        QString sql =
            QString(
                "Select %1SL as SlopeRating, %1CR as CourseRating, %1PARS as Pars, %1HCP as HcpHoles, YARDS "
                "From COURSES Where COURSE_ID=%2")
                .arg(g)
                .arg(courseId);
        Recordset course = db.OpenRecordset(sql);
        if (course.IsEmpty()) continue;
        course.MoveFirst();
        RoundStore(db).ReRate(courseId, QString(gender), course["SlopeRating"].str(),
                              course["CourseRating"].str(), course["Pars"].str(), from);
    }
}

ResyncResult ReRateAndRecompute(Database& db, int courseId, const std::optional<QDate>& from,
                                ProgressReporter* progress) {
    Database::Transaction run(db);
    ReRateRounds(db, courseId, from);
    ResyncResult result = ResynchAllScores(db, progress);
    if (result.ok) run.Commit();  // otherwise the new ratings are taken back with the rest
    return result;
}

}  // namespace dc

#include "records/ReRating.h"

#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "shell/DateFormat.h"

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
        // Each round cuts its own tee box's slot out of the packed texts.
        sql =
            "Update INDIV_SCORES Set SLOPE_RATING=CAST(substr(?,TEE_BOX_ID*3+1,3) AS INTEGER),"
            "COURSE_RATING=CAST(substr(?,TEE_BOX_ID*4+1,4) AS REAL),PAR=substr(?,TEE_BOX_ID*18+1,18) "
            "Where COURSE_ID=? And PLAYER_ID In (Select PLAYER_ID From PLAYERS Where GENDER=?)";
        QVariantList params{course["SlopeRating"].str(), course["CourseRating"].str(), course["Pars"].str(),
                            courseId, QString(gender)};
        if (from) {
            sql += " And ROUND_DATE>=?";
            params << DbDate(*from);
        }
        db.Execute(sql, params);
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

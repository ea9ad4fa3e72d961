#include "records/ReRating.h"

#include "handicap/RoundStore.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "shell/ErrorText.h"

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
    // A full disk leaves the rounds as they were, while the course's new figures were stored by its
    // own Save before: said so, and how to finish the work.
    ErrorInfo diskFull{kErrDiskFull, {}, {}, db.Path(), {}};
    diskFull.outcome = "the course's new figures were saved, only its rounds were not re-rated";
    diskFull.retry = "click Update again to re-rate them";
    Database::Transaction run(db);
    try {
        ReRateRounds(db, courseId, from);
    } catch (...) {
        if (!IsDiskFull(CurrentError())) throw;
        return {
            false,
            {RestatedDiskFull(ErrorText("Form UpCRSR, cmdUpdate_Click", CurrentError(), -1, "Line # ", true),
                              diskFull)}};
    }
    ResyncResult result = ResynchAllScores(db, progress);
    for (QString& text : result.errors) text = RestatedDiskFull(text, diskFull);
    if (result.ok) run.Commit();  // otherwise the new ratings are taken back with the rest
    return result;
}

}  // namespace dc

#include "handicap_report/HcpReportStore.h"

#include <QHash>
#include <utility>

#include "platform/Clock.h"
#include "platform/Database.h"
#include "records/TeeBoxPacking.h"
#include "shell/DateFormat.h"

namespace dc {

namespace {

struct CourseTexts {
    QString name, tb;
};

CourseTexts LoadCourseTexts(Database& db, int courseId) {
    QString sql = "Select * From COURSES Where COURSE_ID=" + QString::number(courseId);
    Recordset rs = db.OpenRecordset(sql);
    if (rs.IsEmpty()) return {};
    rs.MoveFirst();
    return {rs["COURSE_NAME"].str().trimmed(), rs["TB"].str()};
}

}  // namespace

std::vector<ReportRound> HcpReportStore::LoadReportRounds(int playerId, bool oneYear,
                                                          const QString& dateFormat) {
    QString sql = "Select * From INDIV_SCORES Where PLAYER_ID=" + QString::number(playerId) +
                  " Order By GAME_NUMBER Desc";
    Recordset rs = db_.OpenRecordset(sql);
    const int window = OneYearWindow(Today()).toInt();
    std::vector<ReportRound> rounds;
    QHash<int, CourseTexts> courses;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        ReportRound r;
        r.round = ReadHcpRound(rs);
        if (oneYear && r.round.date < window) continue;
        r.gsTotal = rs["GSTOTAL"].toInt();
        const auto date = ParseStoredDate(rs["ROUND_DATE"].str());
        r.date = date ? FormatLocalDate(*date, dateFormat) : QString();
        rounds.push_back(std::move(r));
    }
    for (ReportRound& r : rounds) {
        if (!courses.contains(r.round.courseId))
            courses.insert(r.round.courseId, LoadCourseTexts(db_, r.round.courseId));
        const CourseTexts& c = courses[r.round.courseId];
        r.course = c.name;
        r.tee = TeeName(c.tb, r.round.teeBox);
    }
    return rounds;
}

ListedPlayerFacts HcpReportStore::ReadListedPlayer(int playerId) {
    ListedPlayerFacts facts;
    const QString key = QString::number(playerId);
    Recordset people = db_.OpenRecordset("Select * From PLAYERS Where PLAYER_ID=" + key);
    if (!people.IsEmpty()) {
        people.MoveFirst();
        facts.found = true;
        facts.gender = people["GENDER"].str();
        facts.email = people["EMAIL"].str();
        facts.firstName = people["FIRST_NAME"].str();
        facts.middleInitial = people["MI"].str();
        facts.lastName = people["LAST_NAME"].str();
    }
    Recordset rounds =
        db_.OpenRecordset("Select * From INDIV_SCORES Where PLAYER_ID=" + key + " ORDER BY GAME_NUMBER Desc");
    if (!rounds.IsEmpty()) {
        rounds.MoveFirst();
        facts.newest = ReadHcpRound(rounds);
        facts.newestDate = rounds["ROUND_DATE"].str();
    }
    return facts;
}

}  // namespace dc

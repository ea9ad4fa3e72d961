#include "reports/ReportStore.h"

#include "platform/Database.h"
#include "shell/DateFormat.h"
#include "shell/Globals.h"

namespace dc {

std::vector<RoundRec> ReadRounds(Database& db, int playerId, const QDate& start, const QDate& end,
                                 RoundOrder order, bool knownCourse) {
    QString sql = "Select * From INDIV_SCORES Where ";
    QVariantList params;
    if (playerId != 0) {
        sql += "PLAYER_ID=? And ";
        params << playerId;
    }
    if (knownCourse) sql += "COURSE_ID In (Select COURSE_ID From COURSES) And ";
    sql += "ROUND_DATE>=? And ROUND_DATE<=? ";
    params << DbDate(start) << DbDate(end);
    switch (order) {
        case RoundOrder::DateThenGame:
            sql += "Order By ROUND_DATE Asc, GAME_NUMBER Asc";
            break;
        case RoundOrder::DateDesc:
            sql += "Order By ROUND_DATE Desc";
            break;
        case RoundOrder::GameNumber:
            sql += "Order By GAME_NUMBER Asc";
            break;
    }
    Recordset rs = db.OpenRecordset(sql, params);
    std::vector<RoundRec> rounds;
    rounds.reserve(rs.RecordCount());
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) rounds.push_back(ReadRoundRec(rs));
    return rounds;
}

std::map<int, CourseFacts> ReadCourseFacts(Database& db) {
    QString sql = "Select COURSE_ID, COURSE_NAME, TB From COURSES";
    Recordset rs = db.OpenRecordset(sql);
    std::map<int, CourseFacts> facts;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        facts[rs.Fields(0).toInt()] = {rs.Fields(1).str(), rs.Fields(2).str()};
    return facts;
}

std::map<int, QString> ReadPlayerNames(Database& db) {
    QString sql = "Select PLAYER_ID, FIRST_NAME, LAST_NAME From PLAYERS";
    Recordset rs = db.OpenRecordset(sql);
    std::map<int, QString> names;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        names[rs.Fields(0).toInt()] = rs.Fields(1).str() + " " + rs.Fields(2).str();
    return names;
}

}  // namespace dc

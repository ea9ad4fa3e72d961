#include "reports/ReportStore.h"

#include <algorithm>

#include "platform/Database.h"
#include "shell/DateFormat.h"

namespace dc {

std::vector<RoundRec> ReadRounds(Database& db, int playerId, const QDate& start, const QDate& end,
                                 RoundOrder roundOrder, bool knownCourse) {
    QString sql = "Select * From INDIV_SCORES Where ";
    QVariantList params;
    if (playerId != 0) {
        sql += "PLAYER_ID=? And ";
        params << playerId;
    }
    if (knownCourse) sql += "COURSE_ID In (Select COURSE_ID From COURSES) And ";
    sql += "ROUND_DATE>=? And ROUND_DATE<=?";
    params << DbDate(start) << DbDate(end);
    std::vector<RoundRec> read;
    db.ForEachStatementRow(sql, params,
                           [&read](const StatementRow& row) { read.push_back(ReadRoundRec(row)); });
    // Sorted here rather than by SQLite, which would sort whole rows of every column; rows that
    // tie keep the order they were read in.
    std::vector<int> order(read.size());
    for (int i = 0; i < int(order.size()); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&read, roundOrder](int a, int b) {
        const RoundRec &x = read[a], &y = read[b];
        switch (roundOrder) {
            case RoundOrder::DateThenGame:
                return x.ROUND_DATE != y.ROUND_DATE ? x.ROUND_DATE < y.ROUND_DATE
                                                    : x.GAME_NUMBER < y.GAME_NUMBER;
            case RoundOrder::DateDesc:
                return x.ROUND_DATE > y.ROUND_DATE;
            case RoundOrder::GameNumber:
                return x.GAME_NUMBER < y.GAME_NUMBER;
        }
        return false;
    });
    std::vector<RoundRec> rounds;
    rounds.reserve(read.size());
    for (int i : order) rounds.push_back(std::move(read[i]));
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

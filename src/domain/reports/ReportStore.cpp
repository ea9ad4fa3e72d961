#include "reports/ReportStore.h"

#include <algorithm>
#include <functional>

#include "platform/Database.h"
#include "platform/NameForms.h"
#include "reports/Reorder.h"
#include "shell/DateFormat.h"

namespace dc {

namespace {

// Sorted here rather than by SQLite, which would sort whole rows of every column; rows that tie
// keep the order they were read in. tieByGame: rounds of one date by game number.
void SortRounds(std::vector<RoundRec>& rounds, RoundOrder roundOrder, bool tieByGame) {
    std::vector<int> order(rounds.size());
    for (int i = 0; i < int(order.size()); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&rounds, roundOrder, tieByGame](int a, int b) {
        const RoundRec &x = rounds[a], &y = rounds[b];
        switch (roundOrder) {
            case RoundOrder::DateThenGame:
                return x.ROUND_DATE != y.ROUND_DATE ? x.ROUND_DATE < y.ROUND_DATE
                                                    : x.GAME_NUMBER < y.GAME_NUMBER;
            case RoundOrder::DateDesc:
                return x.ROUND_DATE != y.ROUND_DATE ? x.ROUND_DATE > y.ROUND_DATE
                                                    : tieByGame && x.GAME_NUMBER < y.GAME_NUMBER;
            case RoundOrder::GameNumber:
                return x.GAME_NUMBER < y.GAME_NUMBER;
        }
        return false;
    });
    Reorder(rounds, order);
}

// The columns a report can leave unread.
const QStringList& Unread(RoundFields fields) {
    static const QStringList none;
    static const QStringList listed{"PAR",       "PUTTS",     "GREENS_IN_REG", "SAND_SAVES", "FAIRWAYS_HIT",
                                    "GAME_COST", "CART_COST", "OTHER_COST",    "NOTES"};
    static const QStringList statistics = [] {
        QStringList l{"GREENS_IN_REG", "SAND_SAVES", "FAIRWAYS_HIT", "NOTES"};
        for (const char* prefix : {"HCP_INDEX_", "THCP_INDEX_", "ADJSCR_"})
            for (const char* suffix : kVariantSuffix) l << QString(prefix) + suffix;
        return l;
    }();
    switch (fields) {
        case RoundFields::Listed:
            return listed;
        case RoundFields::Statistics:
            return statistics;
        case RoundFields::All:
            break;
    }
    return none;
}

// Hands each round of the range to `take`, in the order stored; the columns left unread keep their
// defaults.
void ForEachRound(Database& db, int playerId, const QDate& start, const QDate& end, bool knownCourse,
                  RoundFields fields, const std::function<void(RoundRec&&)>& take) {
    const QStringList& unread = Unread(fields);
    QStringList columns;
    for (const QString& column : RoundFieldOrder()) columns << (unread.contains(column) ? "NULL" : column);
    QString sql = "Select " + columns.join(',') + " From INDIV_SCORES Where ";
    QVariantList params;
    if (playerId != 0) {
        sql += "PLAYER_ID=? And ";
        params << playerId;
    }
    if (knownCourse) sql += "COURSE_ID In (Select COURSE_ID From COURSES) And ";
    sql += "ROUND_DATE>=? And ROUND_DATE<=?";
    params << DbDate(start) << DbDate(end);
    db.ForEachStatementRow(sql, params, [&take](const StatementRow& row) { take(ReadRoundRec(row)); });
}

}  // namespace

std::vector<RoundRec> ReportStore::ReadRounds(int playerId, const QDate& start, const QDate& end,
                                              RoundOrder roundOrder, bool knownCourse) {
    std::vector<RoundRec> rounds;
    ForEachRound(db_, playerId, start, end, knownCourse, RoundFields::All,
                 [&rounds](RoundRec&& r) { rounds.push_back(std::move(r)); });
    SortRounds(rounds, roundOrder, false);
    return rounds;
}

std::map<int, std::vector<RoundRec>> ReportStore::ReadRoundsByPlayer(int playerId, const QDate& start,
                                                                     const QDate& end, RoundOrder roundOrder,
                                                                     bool knownCourse, RoundFields fields) {
    std::map<int, std::vector<RoundRec>> byPlayer;
    std::vector<RoundRec>* last = nullptr;  // a player's rounds are mostly stored together
    int lastPlayer = 0;
    ForEachRound(db_, playerId, start, end, knownCourse, fields, [&](RoundRec&& r) {
        if (!last || r.PLAYER_ID != lastPlayer) {
            last = &byPlayer[r.PLAYER_ID];
            lastPlayer = r.PLAYER_ID;
        }
        last->push_back(std::move(r));
    });
    for (auto& [key, rounds] : byPlayer) SortRounds(rounds, roundOrder, true);
    return byPlayer;
}

std::map<int, CourseFacts> ReportStore::ReadCourseFacts() {
    QString sql = "Select COURSE_ID, COURSE_NAME, TB From COURSES";
    Recordset rs = db_.OpenRecordset(sql);
    std::map<int, CourseFacts> facts;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        facts[rs.Fields(0).toInt()] = {rs.Fields(1).str(), rs.Fields(2).str()};
    return facts;
}

std::map<int, QString> ReportStore::ReadPlayerNames() {
    QString sql = "Select PLAYER_ID, FIRST_NAME, MI, LAST_NAME From PLAYERS";
    Recordset rs = db_.OpenRecordset(sql);
    std::vector<int> ids;
    std::vector<PersonName> people;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        ids.push_back(rs.Fields(0).toInt());
        people.push_back({rs.Fields(1).str(), rs.Fields(2).str(), rs.Fields(3).str()});
    }
    const QStringList listed = ListedNames(people);
    std::map<int, QString> names;
    for (size_t i = 0; i < ids.size(); ++i) names[ids[i]] = listed.value(qsizetype(i));
    return names;
}

}  // namespace dc

#include "handicap/HcpLookups.h"

#include <algorithm>

#include "platform/Database.h"

namespace dc {

std::optional<QString> DbHcpLookups::CourseParsColumn(int courseId, int genderIndex) {
    if (line_) *line_ = kLineCoursePars;
    QString sql = genderIndex == 0 ? "SELECT MPARS AS PARS FROM COURSES WHERE COURSE_ID=?"
                                   : "SELECT WPARS AS PARS FROM COURSES WHERE COURSE_ID=?";
    Recordset rs = db_.OpenRecordset(sql, {courseId});
    if (rs.IsEmpty()) return std::nullopt;
    return rs.Fields(0).str();
}

double DbHcpLookups::Reduction(int t, double d) {
    if (line_) *line_ = kLineReduction;
    QString sql =
        "SELECT HCP_REDUCTION FROM HCP_REDUCTION WHERE NUM_ELIG_SCORES<=? AND AVG_2_TSCORES>=? "
        "ORDER BY NUM_ELIG_SCORES DESC, AVG_2_TSCORES ASC";
    Recordset rs = db_.OpenRecordset(sql, {t, d});
    if (rs.IsEmpty()) return 0.0;
    return rs.Fields(0).toDouble();
}

CachedHcpLookups::CachedHcpLookups(Database& db) {
    QString sql = "SELECT COURSE_ID, MPARS, WPARS FROM COURSES";
    Recordset courses = db.OpenRecordset(sql);
    for (courses.MoveFirst(); !courses.Eof(); courses.MoveNext()) {
        const int id = courses.Fields(0).toInt();
        if (!pars_.contains(id)) pars_.insert(id, {courses.Fields(1).str(), courses.Fields(2).str()});
    }
    sql =
        "SELECT NUM_ELIG_SCORES, AVG_2_TSCORES, HCP_REDUCTION FROM HCP_REDUCTION "
        "WHERE NUM_ELIG_SCORES IS NOT NULL AND AVG_2_TSCORES IS NOT NULL "
        "ORDER BY NUM_ELIG_SCORES DESC, AVG_2_TSCORES ASC";
    Recordset table = db.OpenRecordset(sql);
    for (table.MoveFirst(); !table.Eof(); table.MoveNext())
        rows_.push_back({table.Fields(0).toInt(), table.Fields(1).toDouble(), table.Fields(2).toDouble()});
}

std::optional<QString> CachedHcpLookups::CourseParsColumn(int courseId, int genderIndex) {
    const auto it = pars_.constFind(courseId);
    if (it == pars_.constEnd()) return std::nullopt;
    return genderIndex == 0 ? it->first : it->second;
}

double CachedHcpLookups::Reduction(int t, double d) {
    for (const Row& row : rows_)
        if (row.num <= t && row.avg >= d) return row.reduction;
    return 0.0;
}

}  // namespace dc

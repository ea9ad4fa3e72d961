#include "records/CourseStore.h"

#include "platform/Database.h"
#include "platform/Val.h"
#include "tools/ConvertedStore.h"

namespace dc {
namespace {

QVariantList PackedValues(const PackedCourse& c) {
    return {c.TB, c.MCR, c.MSL, c.WCR, c.WSL, c.MHCP, c.WHCP, c.MPARS, c.WPARS, c.YARDS};
}

}  // namespace

bool CourseStore::CourseNameExists(const QString& name, int exceptId) {
    // Compared here, not in SQL: the database's letter case rules know only A to Z.
    const auto key = [](QString text) { return text.trimmed().replace('`', '\'').toCaseFolded(); };
    const QString typed = key(name);
    Recordset rs = db_.OpenRecordset("Select COURSE_NAME From COURSES Where COURSE_ID<>?", {exceptId});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        if (key(rs["COURSE_NAME"].str()) == typed) return true;
    return false;
}

int CourseStore::NextCourseId() {
    QString sql = "Select Max(COURSE_ID) as nMax From COURSES";
    Recordset rs = db_.OpenRecordset(sql);
    return rs.IsEmpty() ? 1 : static_cast<int>(rs.Fields("nMax").toLong()) + 1;
}

void CourseStore::InsertCourse(int courseId, const QString& name, const PackedCourse& course) {
    // A key given again is no course an old course record became, also when the deleted course's
    // memory was left behind (a deletion outside the program or by earlier builds).
    Database::Transaction t(db_);
    QString sql =
        "Insert Into COURSES (COURSE_ID,COURSE_NAME,TB,MCR,MSL,WCR,WSL,MHCP,WHCP,MPARS,WPARS,YARDS) "
        "Values (?,?,?,?,?,?,?,?,?,?,?,?)";
    db_.Execute(sql, QVariantList{courseId, name} + PackedValues(course));
    ConvertedStore(db_).ForgetCourse(courseId);
    t.Commit();
}

void CourseStore::UpdateCourse(int courseId, const QString& name, const PackedCourse& course) {
    QString sql =
        "Update COURSES Set COURSE_NAME=?,TB=?,MCR=?,MSL=?,WCR=?,WSL=?,MHCP=?,WHCP=?,MPARS=?,WPARS=?,YARDS=? "
        "Where COURSE_ID=?";
    db_.Execute(sql, QVariantList{name} + PackedValues(course) + QVariantList{courseId});
}

bool CourseStore::CourseInUse(int courseId) {
    QString sql =
        "Select Count(COURSE_ID) as nUsed From INDIV_SCORES Where COURSE_ID=" + QString::number(courseId);
    Recordset rs = db_.OpenRecordset(sql);
    return !rs.IsEmpty() && rs.Fields("nUsed").toLong() > 0;
}

void CourseStore::DeleteCourse(int courseId) {
    // One write: a memory left behind would point a later conversion at the next course given this key.
    Database::Transaction t(db_);
    QString sql = "Delete From COURSES Where COURSE_ID=" + QString::number(courseId);
    db_.Execute(sql);
    ConvertedStore(db_).ForgetCourse(courseId);
    t.Commit();
}

int TeeBoxFigures::Par(int hole) const { return static_cast<int>(Val(pars.mid(hole - 1, 1))); }

std::optional<TeeBoxFigures> CourseStore::ReadTeeBox(int courseId, bool male, int slot) {
    const std::optional<PackedCourse> c = LoadCourse(courseId);
    if (!c) return std::nullopt;
    TeeBoxFigures t;
    t.slope = static_cast<int>(SlotNumber(male ? c->MSL : c->WSL, male ? Packed::MSL : Packed::WSL, slot));
    t.rating = SlotNumber(male ? c->MCR : c->WCR, male ? Packed::MCR : Packed::WCR, slot);
    t.pars = SlotText(male ? c->MPARS : c->WPARS, male ? Packed::MPARS : Packed::WPARS, slot);
    for (int j = 1; j <= 18; ++j) {
        t.hcp[j - 1] = HoleText(male ? c->MHCP : c->WHCP, male ? Packed::MHCP : Packed::WHCP, slot, j);
        t.yards[j - 1] = HoleText(c->YARDS, Packed::YARDS, slot, j);
    }
    return t;
}

std::vector<CourseName> CourseStore::AllCourseNames() {
    Recordset rs = db_.OpenRecordset("Select COURSE_ID,COURSE_NAME From COURSES");
    std::vector<CourseName> names;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        names.push_back({rs["COURSE_ID"].toInt(), rs["COURSE_NAME"].str()});
    return names;
}

std::optional<PackedCourse> CourseStore::LoadCourse(int courseId) {
    QString sql = "Select TB,MCR,MSL,WCR,WSL,MHCP,WHCP,MPARS,WPARS,YARDS From COURSES Where COURSE_ID=" +
                  QString::number(courseId);
    Recordset rs = db_.OpenRecordset(sql);
    if (rs.IsEmpty()) return std::nullopt;
    rs.MoveFirst();
    PackedCourse c;
    c.TB = rs["TB"].str();
    c.MCR = rs["MCR"].str();
    c.MSL = rs["MSL"].str();
    c.WCR = rs["WCR"].str();
    c.WSL = rs["WSL"].str();
    c.MHCP = rs["MHCP"].str();
    c.WHCP = rs["WHCP"].str();
    c.MPARS = rs["MPARS"].str();
    c.WPARS = rs["WPARS"].str();
    c.YARDS = rs["YARDS"].str();
    return c;
}

}  // namespace dc

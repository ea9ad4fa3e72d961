#pragma once
// The COURSES rows the course editor reads and writes: the name check, the next key, adding,
// updating and deleting a course, and whether any stored round uses it. Each call leaves its
// statement text for the error report and throws DbError on failure.

#include <QString>
#include <optional>
#include <vector>

#include "records/TeeBoxPacking.h"

namespace dc {

struct CourseName {
    int COURSE_ID = 0;
    QString COURSE_NAME;
};

// One tee box of a course for one gender, as a round is entered on it: slope, rating, and the
// packed texts of its pars, hole handicaps and yards.
struct TeeBoxFigures {
    int slope = 0;
    double rating = 0;
    QString pars;  // the slot's 18 par digits
    std::array<QString, 18> hcp, yards;
    int Par(int hole) const;  // 1 to 18; 0 when unknown
};

class Database;

class CourseStore {
  public:
    explicit CourseStore(Database& db) : db_(db) {}

    // True when another stored course's name (any but `exceptId`), trimmed, equals the trimmed name in any
    // letter case ("pine valley" is "Pine Valley"; a backtick, as older versions stored a typed
    // apostrophe, counts as an apostrophe).
    bool CourseNameExists(const QString& name, int exceptId = 0);
    // Largest COURSE_ID plus 1 (1 for an empty table).
    int NextCourseId();
    void InsertCourse(int courseId, const QString& name, const PackedCourse& course);
    void UpdateCourse(int courseId, const QString& name, const PackedCourse& course);
    // True when a stored round was played on the course.
    bool CourseInUse(int courseId);
    void DeleteCourse(int courseId);
    // Every course's key and name, in table order.
    std::vector<CourseName> AllCourseNames();
    // The ten packed columns of a course; nothing when there is no such course.
    std::optional<PackedCourse> LoadCourse(int courseId);
    // Slot `slot` (0 to 3) of the course; nothing when there is no such course.
    std::optional<TeeBoxFigures> ReadTeeBox(int courseId, bool male, int slot);

  private:
    Database& db_;
};

}  // namespace dc

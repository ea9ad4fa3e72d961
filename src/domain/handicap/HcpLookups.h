#pragma once
// What the index procedures look up besides the rounds: a course's pars column and the
// tournament reduction table. Asked of the database per call, or from copies loaded once for a
// recomputation of every round.

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace dc {

class Database;

// Step numbers of the index procedures' statements, reported after "Line #: " by the procedure
// whose error text carries one.
inline constexpr int kLineRounds = 10;
inline constexpr int kLineCoursePars = 20;
inline constexpr int kLineReduction = 30;
inline constexpr int kLineUpdate = 40;

class HcpLookups {
  public:
    virtual ~HcpLookups() = default;
    // The MPARS (genderIndex 0) or WPARS column of a course; nothing when the course has no row.
    virtual std::optional<QString> CourseParsColumn(int courseId, int genderIndex) = 0;
    // The reduction for t tournament differentials and difference d: the row with the largest
    // NUM_ELIG_SCORES not above t and, among those, the smallest AVG_2_TSCORES not below d; 0 when none.
    virtual double Reduction(int t, double d) = 0;
};

// Asks the database each time (the database keeps the last statement); `line` receives a step number of the
// statement being run, for error texts that carry one.
class DbHcpLookups : public HcpLookups {
  public:
    explicit DbHcpLookups(Database& db, int* line = nullptr) : db_(db), line_(line) {}
    std::optional<QString> CourseParsColumn(int courseId, int genderIndex) override;
    double Reduction(int t, double d) override;

  private:
    Database& db_;
    int* line_;
};

// Loads the courses' pars and the reduction table once.
class CachedHcpLookups : public HcpLookups {
  public:
    explicit CachedHcpLookups(Database& db);
    std::optional<QString> CourseParsColumn(int courseId, int genderIndex) override;
    double Reduction(int t, double d) override;

  private:
    struct Row {
        int num;
        double avg;
        double reduction;
    };
    QHash<int, std::pair<QString, QString>> pars_;  // course -> (MPARS, WPARS)
    std::vector<Row> rows_;                         // NUM_ELIG_SCORES desc, AVG_2_TSCORES asc
};

}  // namespace dc

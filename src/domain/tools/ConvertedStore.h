#pragma once
// The CV_CONVERTED rows: what each conversion of an earlier version's data files took (the course
// each old course became, the player each old golfer became, the old round records taken for each
// player), so that converting the same folder again, or one played on since, adds only what was
// not taken. Each call throws DbError on failure.

#include "tools/ConversionPlan.h"

namespace dc {

class Database;

class ConvertedStore {
  public:
    explicit ConvertedStore(Database& db) : db_(db) {}

    // Makes the table in a database that was made before it existed.
    void CreateTable();
    // Everything remembered; empty when the table is missing.
    ConvertedRecords Read();
    // Adds what a run took.
    void Remember(const ConvertedRecords& taken);
    // A player or course deleted is no longer what an old golfer or course became: its key may
    // be given again to another one. A player is forgotten before his rounds are deleted.
    void ForgetPlayer(int playerId);
    void ForgetCourse(int courseId);

  private:
    Database& db_;
};

}  // namespace dc

// The open database and its file's lock kept by one owner: taken, kept and released together.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "shell/LiveDatabase.h"

namespace dc {
namespace {

int OpenError(LiveDatabase& live, const QString& path) {
    try {
        live.Open(path);
        return 0;
    } catch (const DbError& e) {
        return e.number();
    }
}

TEST(LiveDatabase, TheLockComesAndGoesWithTheDatabase) {
    test::ProgramFolder folder;
    const QString golf = folder.MakeDatabase("Golf.mdb");
    const QString other = folder.MakeDatabase("Other.mdb");
    LiveDatabase live, second;
    live.Open(golf);
    EXPECT_TRUE(live.HoldsLock(golf));
    EXPECT_EQ(OpenError(second, golf), kErrLocked);

    // The same file again keeps its lock; a file that cannot be opened leaves both as they were.
    live.Open(golf);
    EXPECT_TRUE(live.HoldsLock(golf));
    EXPECT_NE(OpenError(live, folder.Path() + "/missing.mdb"), 0);
    EXPECT_TRUE(live.IsOpen());
    EXPECT_TRUE(live.HoldsLock(golf));

    // Another file: the first one's lock goes with its connection.
    live.Open(other);
    EXPECT_EQ(live.Connection().Path(), other);
    EXPECT_FALSE(live.HoldsLock(golf));
    EXPECT_EQ(OpenError(second, golf), 0);

    live.Close();
    EXPECT_FALSE(live.IsOpen());
    EXPECT_EQ(OpenError(second, other), 0);
    EXPECT_THROW(live.Connection(), DbError);
}

}  // namespace
}  // namespace dc

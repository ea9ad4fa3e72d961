// The open database and its file's lock kept by one owner: taken, kept and released together.

#include <gtest/gtest.h>

#include <QFile>

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

TEST(LiveDatabase, AReopenThatFailsReleasesTheLockAndTheClosedConnection) {
    test::ProgramFolder folder;
    const QString golf = folder.MakeDatabase("Golf.mdb");
    const auto overwrite = [&golf](const QByteArray& bytes) {
        QFile file(golf);  // in place: the same file, which the lock is on
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    };
    QFile original(golf);
    original.open(QIODevice::ReadOnly);
    const QByteArray kept = original.readAll();
    LiveDatabase live, second;
    live.Open(golf);
    live.CloseConnection();
    EXPECT_TRUE(live.HoldsLock(golf));
    overwrite(QByteArray(4096, 'x'));
    EXPECT_THROW(live.Reopen(golf), DbError);
    EXPECT_FALSE(live.IsOpen());
    EXPECT_FALSE(live.HoldsLock(golf));
    overwrite(kept);
    EXPECT_EQ(OpenError(second, golf), 0);
}

}  // namespace
}  // namespace dc

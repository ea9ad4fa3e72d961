// Files the program writes: private copies, moves that keep the rights, what an ordinary user may
// write, the lock beside a database across processes, and the single-copy lock's one place.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/DbError.h"
#include "platform/FileLock.h"
#include "platform/FileOps.h"
#include "platform/SingleInstance.h"

namespace dc {
namespace {

void Write(const QString& path, const QByteArray& bytes, mode_t mode) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Runs `child` in a forked process and returns its exit code.
int InChild(const std::function<int()>& child) {
    const pid_t pid = fork();
    if (pid == 0) _exit(child());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FileOps, CopiesArePrivateFromTheStartAndMovesKeepTheRights) {
    QTemporaryDir dir;
    const QString live = dir.path() + "/live.mdb";
    Write(live, "whole database", 0644);
    const mode_t old = ::umask(0);  // even a permissive umask gives no one else a look
    CopyFileAtomically(live, dir.path() + "/backup.mdb");
    CopyFileOrThrow(live, dir.path() + "/copy.mdb");
    CreateEmptyFile(dir.path() + "/New.MDB");
    ::umask(old);
    for (const char* name : {"/backup.mdb", "/copy.mdb", "/New.MDB"})
        EXPECT_EQ(FileMode(dir.path() + name), 0600u) << name;
    EXPECT_EQ(Read(dir.path() + "/backup.mdb"), "whole database");
    EXPECT_FALSE(QFile::exists(dir.path() + "/backup.mdb.tmp"));
    EXPECT_THROW(CreateEmptyFile(dir.path() + "/New.MDB"), AppError);

    Write(dir.path() + "/compacted", "smaller", 0640);
    MoveFileReplacing(dir.path() + "/compacted", live);
    EXPECT_EQ(Read(live), "smaller");
    EXPECT_EQ(FileMode(live), 0640u);
    EXPECT_FALSE(QFile::exists(dir.path() + "/compacted"));
}

TEST(FileOps, WriteProtectionAsAnOrdinaryUserSees) {
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    QDir(dir.path()).mkpath("open");
    QDir(dir.path()).mkpath("shut");
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path() + "/open").constData(), 0777), 0);
    Write(dir.path() + "/open/ok.mdb", "x", 0666);
    Write(dir.path() + "/open/ro.mdb", "x", 0444);
    Write(dir.path() + "/shut/in.mdb", "x", 0666);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path() + "/shut").constData(), 0555), 0);
    auto codes = [&] {
        return int(WriteProtectionOf(dir.path() + "/open/ok.mdb")) * 100 +
               int(WriteProtectionOf(dir.path() + "/open/ro.mdb")) * 10 +
               int(WriteProtectionOf(dir.path() + "/shut/in.mdb"));
    };
    const int expected =
        int(WriteProtection::None) * 100 + int(WriteProtection::File) * 10 + int(WriteProtection::Folder);
    // Root may write anything: the check runs in a child that has become the user "nobody".
    const int got = geteuid() != 0 ? codes() : InChild([&] { return setuid(65534) == 0 ? codes() : 255; });
    EXPECT_EQ(got, expected);
    ::chmod(QFile::encodeName(dir.path() + "/shut").constData(), 0755);
}

TEST(FileLock, ASecondProcessIsRefusedUntilTheFirstLetsGo) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/Golf.mdb.lock";
    auto tryInChild = [&] { return InChild([&] { return FileLock::TryAcquire(path) ? 1 : 0; }); };
    {
        auto held = FileLock::TryAcquire(path);
        ASSERT_TRUE(held);
        EXPECT_FALSE(FileLock::TryAcquire(path));  // a second holder in this process too
        EXPECT_EQ(tryInChild(), 0);
    }
    EXPECT_EQ(tryInChild(), 1);
}

TEST(SingleInstance, OneLockWhateverTheTemporaryFolder) {
    QTemporaryDir dir;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME"), oldTmp = qgetenv("TMPDIR");
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    qputenv("TMPDIR", (dir.path() + "/a").toUtf8());
    SingleInstance first;
    EXPECT_TRUE(first.TryAcquire());
    qputenv("TMPDIR", (dir.path() + "/b").toUtf8());
    SingleInstance second;
    EXPECT_FALSE(second.TryAcquire());
    EXPECT_TRUE(SingleInstance::DefaultLockPath().startsWith(dir.path() + "/DadoCorvy/"));
    qputenv("XDG_DATA_HOME", oldData);
    qputenv("TMPDIR", oldTmp);
}

}  // namespace
}  // namespace dc

// What an ordinary user may write, the lock beside a database across processes, and the
// single-copy lock's one place.
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

// Runs `child` in a forked process and returns its exit code.
int InChild(const std::function<int()>& child) {
    const pid_t pid = fork();
    if (pid == 0) _exit(child());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FileOps, WriteProtectionAsAnOrdinaryUserSees) {
    QTemporaryDir dir;
    const QString p = dir.path();
    QDir(p).mkpath("open");
    QDir(p).mkpath("shut");
    for (const char* f : {"/open/ok.mdb", "/open/ro.mdb", "/shut/in.mdb"})
        QFile(p + f).open(QIODevice::WriteOnly);
    for (const auto& [path, mode] : {std::pair{p, 0755},
                                     {p + "/open", 0777},
                                     {p + "/open/ok.mdb", 0666},
                                     {p + "/open/ro.mdb", 0444},
                                     {p + "/shut/in.mdb", 0666},
                                     {p + "/shut", 0555}})
        SetFileMode(path, mode);
    auto codes = [&] {
        return int(WriteProtectionOf(p + "/open/ok.mdb")) * 100 +
               int(WriteProtectionOf(p + "/open/ro.mdb")) * 10 + int(WriteProtectionOf(p + "/shut/in.mdb"));
    };
    // Root may write anything: as root the check runs in a child that has become the user "nobody".
    const int got = geteuid() != 0 ? codes() : InChild([&] { return setuid(65534) == 0 ? codes() : 255; });
    EXPECT_EQ(got, int(WriteProtection::None) * 100 + int(WriteProtection::File) * 10 +
                       int(WriteProtection::Folder));
    SetFileMode(p + "/shut", 0755);
}

TEST(FileLock, ASecondProcessIsRefusedUntilTheFirstLetsGo) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/Golf.mdb.lock";
    auto tryInChild = [&] { return InChild([&] { return FileLock::TryAcquire(path) ? 1 : 0; }); };
    {
        auto held = FileLock::TryAcquire(path);
        ASSERT_TRUE(held);
        EXPECT_EQ(tryInChild(), 0);
    }
    EXPECT_EQ(tryInChild(), 1);
}

TEST(FileLock, ALockFileOfAnotherAccountIsLockedReadOnlyOrNamedWhenItCannotBeOpened) {
    QTemporaryDir dir;
    SetFileMode(dir.path(), 0755);
    const QString path = dir.path() + "/file.lock";
    // As the user "nobody", against a lock file that root made.
    for (const auto& [mode, expected] : {std::pair{0644, 1}, std::pair{0600, 2}}) {
        QFile::remove(path);
        QFile(path).open(QIODevice::WriteOnly);
        SetFileMode(path, mode);
        EXPECT_EQ(InChild([&] {
                      if (geteuid() == 0 && setuid(65534) != 0) return 255;
                      try {
                          return FileLock::TryAcquire(path) ? 1 : 0;
                      } catch (const AppError& e) {
                          return e.description().startsWith("The lock file '" + path + "' cannot be opened")
                                     ? 2
                                     : 3;
                      }
                  }),
                  expected)
            << mode;
    }
}

TEST(SingleInstance, OneLockWhateverTheTemporaryFolder) {
    QTemporaryDir dir;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME"), oldTmp = qgetenv("TMPDIR");
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    qputenv("TMPDIR", (dir.path() + "/a").toUtf8());
    SingleInstance first;
    EXPECT_TRUE(first.TryAcquire());
    qputenv("TMPDIR", (dir.path() + "/b").toUtf8());
    EXPECT_FALSE(SingleInstance().TryAcquire());
    qputenv("XDG_DATA_HOME", oldData);
    qputenv("TMPDIR", oldTmp);
}

}  // namespace
}  // namespace dc

// What an ordinary user may read and write, a file's lock across processes, the single-copy lock's
// one place and its damaged states, and which leftovers may be removed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>

#include "TestSupport.h"
#include "platform/DbError.h"
#include "platform/FileLock.h"
#include "platform/FileOps.h"
#include "platform/SingleInstance.h"

namespace dc {
namespace {

using test::InChild;

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

// Runs `check` as the user "nobody" (root bypasses every file mode): in a child that dropped root, or
// directly for an ordinary user.
int AsNobody(const std::function<int()>& check) {
    return InChild(
        [&] { return geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0) ? 255 : check(); });
}

// A lock file left in any state by a crash, a power cut, another host or another account never
// refuses a start; only a running copy does. One that cannot be used is named with what to do.
TEST(SingleInstance, ADamagedLockIsTakenOverOrNamedOnlyARunningCopyRefuses) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to make files of another account";
    QTemporaryDir dir;
    const QString open = dir.path() + "/open", shut = dir.path() + "/shut";
    QDir().mkpath(open);
    QDir().mkpath(shut);
    SetFileMode(dir.path(), 0755);
    SetFileMode(open, 0777);  // nobody may replace files here
    SetFileMode(shut, 0755);  // and not here
    auto write = [](const QString& path, const QByteArray& bytes, mode_t mode, uid_t owner) {
        QFile::remove(path);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.close();
        SetFileMode(path, mode);
        if (::chown(QFile::encodeName(path).constData(), owner, owner) != 0) ADD_FAILURE() << "chown";
    };
    QByteArray noise(300, '\0');
    for (int i = 0; i < noise.size(); ++i) noise[i] = char(i * 37 + 11);
    const uid_t nobody = 65534;
    enum Want { Taken, Refused, Named };
    struct Case {
        const char* what;
        QString path;
        std::function<void(const QString&)> make;
        Want want;
        QString named;  // the file or folder the problem names
    };
    const std::vector<Case> cases{
        {"empty", open + "/a.lock", [&](const QString& p) { write(p, "", 0644, nobody); }, Taken, {}},
        {"random bytes",
         open + "/b.lock",
         [&](const QString& p) { write(p, noise, 0644, nobody); },
         Taken,
         {}},
        {"another host's pid",
         open + "/c.lock",
         [&](const QString& p) { write(p, "4242\nDadoCorvy\nother-host\n", 0644, nobody); },
         Taken,
         {}},
        {"mode 000", open + "/d.lock", [&](const QString& p) { write(p, "1", 0, nobody); }, Taken, {}},
        {"another account's, unreadable",
         open + "/e.lock",
         [&](const QString& p) { write(p, "1", 0600, 0); },
         Taken,
         {}},
        {"another account's, readable",
         shut + "/f.lock",
         [&](const QString& p) { write(p, "1", 0644, 0); },
         Taken,
         {}},
        {"a pipe",
         open + "/g.lock",
         [&](const QString& p) { ::mkfifo(QFile::encodeName(p).constData(), 0644); },
         Taken,
         {}},
        {"unreadable where it cannot be replaced", shut + "/h.lock",
         [&](const QString& p) { write(p, "1", 0600, 0); }, Named, shut + "/h.lock"},
        {"missing in a folder that cannot be written", shut + "/i.lock", [](const QString&) {}, Named, shut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.make(c.path);
        const int got = AsNobody([&] {
            SingleInstance instance(c.path);
            const bool started = instance.TryAcquire();
            if (!started) return int(Refused);
            if (instance.Problem().isEmpty()) return int(Taken);
            return instance.Problem().contains("'" + c.named + "'") ? int(Named) : 9;
        });
        EXPECT_EQ(got, c.want);
    }
    // Whatever the file holds, a running copy's lock refuses the next start.
    write(open + "/j.lock", noise, 0644, nobody);
    EXPECT_EQ(AsNobody([&] {
                  SingleInstance first(open + "/j.lock");
                  if (!first.TryAcquire()) return 8;
                  return InChild([&] { return SingleInstance(open + "/j.lock").TryAcquire() ? 0 : 1; });
              }),
              1);
}

// Only a temporary file that is this account's, quiet for a while and locked by no one is removed.
TEST(FileOps, OnlyAnUnusedLeftoverOfThisAccountIsRemoved) {
    QTemporaryDir dir;
    auto make = [&](const QString& name, qint64 ageSeconds) {
        const QString path = dir.path() + "/" + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("part");
        f.close();
        const QDateTime when = QDateTime::currentDateTime().addSecs(-ageSeconds);
        f.open(QIODevice::ReadWrite);
        f.setFileTime(when, QFileDevice::FileModificationTime);
        f.close();
        return path;
    };
    const QString old = make("old.tmp", 600), fresh = make("fresh.tmp", 0), held = make("held.tmp", 600),
                  target = make("target", 600), others = make("others.tmp", 600);
    const QString link = dir.path() + "/link.tmp";
    QFile::link(target, link);
    if (geteuid() == 0 && ::chown(QFile::encodeName(others).constData(), 65534, 65534) != 0) ADD_FAILURE();
    auto holder = FileLock::TryAcquireExisting(held);  // someone still writing it
    ASSERT_TRUE(holder);
    EXPECT_TRUE(RemoveLeftoverFile(old));
    EXPECT_FALSE(RemoveLeftoverFile(fresh));
    EXPECT_FALSE(RemoveLeftoverFile(held));
    EXPECT_FALSE(RemoveLeftoverFile(link));
    if (geteuid() == 0) {
        EXPECT_FALSE(RemoveLeftoverFile(others)) << "another account's file";
    }
    EXPECT_FALSE(QFile::exists(old));
    for (const QString& kept : {fresh, held, target}) EXPECT_TRUE(QFile::exists(kept)) << kept.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

// The reader keeps to its limit to the byte, also for a file longer than its size said when it was
// looked at (as one growing while it is read); a read error is not taken for the end of the file, and
// an open error is named as one.
TEST(FileOps, TheRegularFileReaderKeepsItsLimitAndTellsEachFailure) {
    QTemporaryDir dir;
    SetFileMode(dir.path(), 0755);
    const QString path = dir.path() + "/file";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray(100, 'x'));
    f.close();
    using Outcome = RegularFile::Outcome;
    EXPECT_EQ(ReadRegularFile(path, 100).bytes.size(), 100);
    EXPECT_EQ(ReadRegularFile(path, 99).outcome, Outcome::TooLarge);
    // Files of /proc say a size of 0 and hold more.
    EXPECT_EQ(ReadRegularFile(QString("/proc/self/status"), 10).outcome, Outcome::TooLarge);
    EXPECT_GT(ReadRegularFile(QString("/proc/self/status"), -1).bytes.size(), 10);
    const RegularFile unreadable = ReadRegularFile(QString("/proc/self/mem"), -1);
    EXPECT_EQ(unreadable.outcome, Outcome::ReadFailed);
    EXPECT_EQ(unreadable.error, EIO);
    SetFileMode(path, geteuid() == 0 ? 0600 : 0);
    EXPECT_EQ(AsNobody([&] {
                  const RegularFile shut = ReadRegularFile(path, -1);
                  return shut.outcome == Outcome::CannotOpen && shut.error == EACCES ? 0 : 1;
              }),
              0);
}

}  // namespace
}  // namespace dc

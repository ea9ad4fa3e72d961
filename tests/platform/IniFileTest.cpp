// INI values: case, long values, quotes, other lines kept; only a small regular file is read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/DbError.h"
#include "platform/IniFile.h"

using namespace dc;

namespace {
QString ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}
void WriteAll(const QString& path, const QString& text) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text.toUtf8());
}
}  // namespace

TEST(IniFile, ReadsCaseInsensitivelyAndWhole) {
    QTemporaryDir dir;
    const QString ini = dir.path() + "/Connect.ini";
    const QString longPath = dir.path() + "/" + QString(200, 'x') + "/Golf.mdb";
    WriteAll(ini, "; comment\r\n[Other]\r\nDBPathFile=wrong\r\n[path]\r\ndbpathfile = " + longPath +
                      "\r\nMultimediaPath=/snd/\r\nLastDate=\r\n");
    EXPECT_EQ(ReadIniValue("PATH", "DBPathFile", ini), longPath) << "a long value is read whole";
    EXPECT_EQ(ReadIniValue("Path", "MULTIMEDIAPATH", ini), "/snd/");
    EXPECT_EQ(ReadIniValue("PATH", "LastDate", ini), "");
    EXPECT_EQ(ReadIniValue("PATH", "Missing", ini), "");
    EXPECT_EQ(ReadIniValue("PATH", "DBPathFile", dir.path() + "/none.ini"), "");
}

TEST(IniFile, WritingKeepsOtherLines) {
    QTemporaryDir dir;
    const QString ini = dir.path() + "/Connect.ini";
    WriteAll(ini, "; keep me\r\n[PATH]\r\nDBPathFile=/a.mdb\r\n\r\n[Other]\r\nX=1\r\n");
    ASSERT_TRUE(WriteIniValue("Path", "LastDate", "12/25/2004", ini));
    ASSERT_TRUE(WriteIniValue("PATH", "dbpathfile", "/b.mdb", ini));
    ASSERT_TRUE(WriteIniValue("New", "K", "v", ini));
    const QString text = ReadAll(ini);
    EXPECT_TRUE(text.startsWith("; keep me\r\n[PATH]\r\n"));
    EXPECT_EQ(ReadIniValue("PATH", "DBPathFile", ini), "/b.mdb");
    EXPECT_EQ(ReadIniValue("PATH", "LastDate", ini), "12/25/2004");
    EXPECT_EQ(ReadIniValue("Other", "X", ini), "1");
    EXPECT_EQ(ReadIniValue("New", "K", ini), "v");
    EXPECT_LT(text.indexOf("LastDate"), text.indexOf("[Other]")) << "a new key goes into its own section";

    ASSERT_TRUE(WriteIniValue("PATH", "DBPathFile", "/c.mdb", dir.path() + "/fresh.ini"));
    EXPECT_EQ(ReadIniValue("PATH", "DBPathFile", dir.path() + "/fresh.ini"), "/c.mdb");
    EXPECT_FALSE(WriteIniValue("PATH", "X", "1", dir.path() + "/missing/folder.ini"));
}

TEST(IniFile, QuotesAroundAWholeValueAreRemoved) {
    QTemporaryDir dir;
    const QString ini = dir.path() + "/Connect.ini";
    WriteAll(ini, "[PATH]\r\nA=\"/golf data/Golf.mdb\"\r\nB='x y'\r\nC=\"half\r\nD=\"\"\r\nE=say \"hi\"\r\n");
    for (const auto& [key, value] :
         {std::pair{"A", "/golf data/Golf.mdb"}, std::pair{"B", "x y"}, std::pair{"C", "\"half"},
          std::pair{"D", ""}, std::pair{"E", "say \"hi\""}})
        EXPECT_EQ(ReadIniValue("PATH", key, ini), value) << key;
}

// A pipe (no writer: a plain open would wait for ever), a link to an endless device, a folder and an
// oversized file are refused at once with the file named; nothing is written through them.
TEST(IniFile, OnlyASmallRegularFileIsReadOrReplaced) {
    QTemporaryDir dir;
    const QString fifo = dir.path() + "/fifo.ini", zero = dir.path() + "/zero.ini",
                  folder = dir.path() + "/dir.ini", big = dir.path() + "/big.ini";
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    ASSERT_TRUE(QDir().mkdir(folder));
    WriteAll(big, "[PATH]\r\nDBPathFile=/a.mdb\r\n" + QString(kMaxIniFileSize, ';'));
    for (const auto& [path, kind] :
         {std::pair{fifo, "it is a named pipe (FIFO)"}, std::pair{zero, "it is a device"},
          std::pair{folder, "it is a folder"}, std::pair{big, "larger than the limit"}}) {
        SCOPED_TRACE(path.toStdString());
        try {
            ReadIniValue("PATH", "DBPathFile", path);
            ADD_FAILURE() << "read";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.description().startsWith("The settings file '" + path + "' cannot be used: "))
                << e.description().toStdString();
            EXPECT_TRUE(e.description().contains(kind)) << e.description().toStdString();
        }
        QString problem;
        EXPECT_FALSE(WriteIniValue("PATH", "DBPathFile", "/b.mdb", path, &problem));
        EXPECT_TRUE(problem.contains(path));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 3)
        << "no temporary file was left beside them";
    EXPECT_TRUE(QFileInfo(zero).isSymLink());
}

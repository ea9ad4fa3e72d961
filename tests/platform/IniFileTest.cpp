// INI values: case, long values, other lines kept.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

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

// The earlier version's record layouts, on records built byte by byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "OldFileBuilder.h"
#include "TestSupport.h"
#include "tools/OldDataFiles.h"

namespace dc {
namespace {

using test::OldCourse;
using test::OldGolfer;
using test::OldRound;
using test::RecordBytes;
using test::WriteFile;

TEST(OldRecords, CourseFieldsAtTheirOffsets) {
    RecordBytes r = OldCourse("Caf\xe9 du Lac \x80");
    r.Int16(90, 3).Int16(92, 4).Int16(94, 5);  // hole 2, tees 1 to 3
    r.Int16(48 + 2 * 17, 99);                  // rank of hole 18
    const auto c = DecodeCourse(r.Span());
    ASSERT_TRUE(c);
    EXPECT_EQ(c->name.trimmed(), QString::fromUtf8("Café du Lac €"));
    EXPECT_EQ(c->par[1][0], 3);
    EXPECT_EQ(c->par[1][1], 4);
    EXPECT_EQ(c->par[1][2], 5);
    EXPECT_EQ(c->par[0][0], 4);
    EXPECT_EQ(c->hcpRank[17], 99);
    EXPECT_FLOAT_EQ(c->rating[2], 72.5f);
    EXPECT_EQ(c->slope[1], 121);
    r.Int16(42, -2);  // integers are signed
    EXPECT_EQ(DecodeCourse(r.Span())->slope[0], -2);
}

TEST(OldRecords, RoundLayoutsOfBothKinds) {
    for (const bool gdb : {true, false}) {
        RecordBytes r = OldRound(gdb, gdb ? "05/17/1998" : "05/17/98", "Pine Hills", 6);
        const auto x = DecodeRound(r.Span(), gdb);
        ASSERT_TRUE(x) << gdb;
        EXPECT_EQ(x->date, gdb ? "05/17/1998" : "05/17/98");
        EXPECT_EQ(x->course.trimmed(), "Pine Hills");
        EXPECT_FALSE(x->empty);
        EXPECT_EQ(x->tee, '1');
        EXPECT_FLOAT_EQ(x->rating, 71.5f);
        EXPECT_EQ(x->slope, 125);
        EXPECT_EQ(x->hcpFlag, '1');
        EXPECT_FLOAT_EQ(x->cartCost, 12.5f);
        EXPECT_EQ(x->notes.size(), 59);
        EXPECT_EQ(x->notes.trimmed(), "windy");
        EXPECT_EQ(x->gross[17], 6);
        EXPECT_FLOAT_EQ(x->hcpIndex, 12.3f);
        EXPECT_FLOAT_EQ(x->tHcpIndex, -100.0f);
        EXPECT_EQ(x->tournFlag.has_value(), gdb);
        EXPECT_EQ(x->parPutts.has_value(), gdb);
        if (gdb) {
            EXPECT_EQ(*x->adjScore, 88);
            EXPECT_EQ(ParOfCombined((*x->parPutts)[0]), 4);
            EXPECT_EQ(PuttsOfCombined((*x->parPutts)[0]), 2);
        }
        // A record never written, and one too short for its layout.
        EXPECT_TRUE(DecodeRound(RecordBytes(gdb ? 238 : 200).Span(), gdb)->empty);
        EXPECT_FALSE(DecodeRound(r.Span().first(gdb ? 237 : 199), gdb));
    }
    EXPECT_EQ(ParOfCombined(0), 0);
    EXPECT_EQ(PuttsOfCombined(0), 0);
    const auto g = DecodeGolfer(OldGolfer("Smith, John", '1').Span());
    EXPECT_EQ(g->name, "Smith, John         ");
    EXPECT_EQ(g->gender, '1');
    EXPECT_FALSE(DecodeGolfer(OldGolfer("x").Span().first(20)));
}

TEST(OldRecords, FilesAreFoundAndReadByWholeRecords) {
    QTemporaryDir dir;
    const QString d = dir.path();
    // A trailing partial record is not read.
    WriteFile(d + "/golfer.dbf", OldGolfer("Ann").Bytes() + OldGolfer("Bob").Bytes() + QByteArray(7, 'x'));
    WriteFile(d + "/Course.gdb", QByteArray());  // empty: the .DBF next to it is read
    WriteFile(d + "/COURSE.DBF", OldCourse("Elm").Bytes());
    WriteFile(d + "/notes.txt", "x");
    // A name written in Windows-1252 is listed decoded from it, and read by its bytes.
    WriteFile(QFile::encodeName(d) + "/M\xe9ndezJo.GDB", QByteArray());
    const QList<OldFile> files = ReadOldFolder(d);
    EXPECT_EQ(ListDataFiles(d),
              (QStringList{"COURSE.DBF", "Course.gdb", QString::fromUtf8("MéndezJo.GDB"), "golfer.dbf"}));
    ASSERT_EQ(files.size(), 4);
    EXPECT_TRUE(files[2].readable);
    EXPECT_EQ(files[LocateDataFile(files, "GOLFER")].name, "golfer.dbf");
    EXPECT_EQ(files[LocateDataFile(files, "COURSE")].name, "COURSE.DBF");
    EXPECT_EQ(LocateDataFile(files, "NOTHING"), -1);
    const OldDataFile f(files[3].bytes, kGolferRecLen);
    EXPECT_EQ(f.Count(), 2);
    EXPECT_EQ(f.StrayBytes(), 7);
    EXPECT_EQ(DecodeGolfer(f.Record(2))->name.trimmed(), "Bob");
    EXPECT_TRUE(f.Record(3).empty());
    EXPECT_TRUE(f.Record(0).empty());
    // Round files are every other listed file, in any letter case.
    EXPECT_FALSE(IsRoundFile("golfer.gdb"));
    EXPECT_FALSE(IsRoundFile("Course.DBF"));
    EXPECT_TRUE(IsRoundFile("SMITHJOH.DBF"));
    EXPECT_TRUE(IsDbfFile("smith.dbf"));
    EXPECT_FALSE(IsDbfFile("smith.GDB"));
    test::RemoveTree(d);
}

}  // namespace
}  // namespace dc

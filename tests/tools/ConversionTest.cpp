// The import of an earlier version's files: the rules that turn records into rows, and whole runs
// against a real database followed by the recomputation.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "OldFileBuilder.h"
#include "TestSupport.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "shell/Globals.h"
#include "tools/Conversion.h"
#include "tools/frmConvertUtil.h"

namespace dc {
namespace {

using test::OldCourse;
using test::OldGolfer;
using test::OldRound;
using test::RecordBytes;
using test::ScriptedMsgBox;
using test::WriteFile;

TEST(Conversion, NameFormats) {
    struct Case {
        const char* name;
        int format;
        QString last, first;
        std::optional<QString> mi;
    };
    const Case cases[] = {
        {"Smith, John", 0, "Smith", "John", std::nullopt},
        {"Smith,John", 0, "Smith", "John", std::nullopt},  // the character after the comma is kept
        {"Smith,", 0, "Smith", " ", std::nullopt},
        {"Smith", 0, "Smith", " ", std::nullopt},
        {"Smith, John Q", 1, "Smith", "John", QString("Q")},
        {"Smith, John", 1, "Smith", "John", QString("")},
        {"Smith John", 2, "Smith John", " ", std::nullopt},
        {"John Public", 3, "Public", "John", std::nullopt},
        {"Smith", 3, "", "Smith", std::nullopt},  // the first blank is the padding
        {"John Q Public", 4, "Public", "John", QString("Q")},
        {"Public, John", 5, " ", "Public, John", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto n = SplitOldName(QString(c.name).leftJustified(20), c.format);
        ASSERT_TRUE(n) << c.name;
        EXPECT_EQ(n->last, c.last) << c.name << " " << c.format;
        EXPECT_EQ(n->first, c.first) << c.name << " " << c.format;
        EXPECT_EQ(n->mi, c.mi) << c.name << " " << c.format;
    }
    EXPECT_FALSE(SplitOldName("Smith, John", -1));  // typed text in the box: no name columns
}

TEST(Conversion, CoursePackingKeepsEveryFieldItsWidth) {
    OldCourseRec c;
    c.rating = {70.0f, 71.25f, 72.5f};
    c.slope = {120, 121, 122};
    for (int h = 0; h < 18; ++h) {
        c.hcpRank[h] = h + 1;
        c.par[h] = {3, 4, 5};
    }
    c.par[0][2] = 36;  // tee 3 modulo 32
    PackedCourse p = PackOldCourse(c);
    EXPECT_EQ(p.MCR, "72.571.370.0");
    EXPECT_EQ(p.WCR, p.MCR);
    EXPECT_EQ(p.MSL, "122121120");
    EXPECT_EQ(p.MHCP, QString("010203040506070809101112131415161718").repeated(4));
    EXPECT_EQ(p.MPARS, "4" + QString(17, '5') + QString(18, '4') + QString(18, '3') + QString(18, '0'));
    EXPECT_EQ(p.TB.size(), 80);
    // Values too wide for their fields are written as zeros: no later slot shifts.
    c.rating = {100.0f, -1.0f, 99.96f};
    c.slope = {1000, -5, 999};
    c.hcpRank[0] = 100;
    c.par[1] = {10, -1, 41};  // tee 3: 41 modulo 32 = 9
    p = PackOldCourse(c);
    EXPECT_EQ(p.MCR, "00.000.000.0");
    EXPECT_EQ(p.MSL, "999000000");
    EXPECT_EQ(p.MHCP.left(4), "0002");
    EXPECT_EQ(p.MPARS.mid(1, 1), "9");
    EXPECT_EQ(p.MPARS.mid(19, 1), "0");
    EXPECT_EQ(p.MPARS.mid(37, 1), "0");
    EXPECT_EQ(p.MPARS.size(), 72);
    EXPECT_EQ(OldCourseName("  ", 7), "7");
    EXPECT_EQ(TeeSlotOfOld('3'), 0);
    EXPECT_EQ(TeeSlotOfOld('2'), 1);
    EXPECT_EQ(TeeSlotOfOld('1'), 2);
    EXPECT_EQ(TeeSlotOfOld('4'), std::nullopt);
}

class ConversionRun : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.OpenDatabase();
        old_ = folder_.Path() + "/old";
        QDir().mkpath(old_);
    }
    void Write(const QString& name, const QList<RecordBytes>& records) {
        QByteArray bytes;
        for (const auto& r : records) bytes += r.Bytes();
        WriteFile(old_ + "/" + name, bytes);
    }
    QVariant Value(const QString& sql) { return gDB->Scalar(sql); }

    test::ProgramFolder folder_;
    QString old_;
};

TEST_F(ConversionRun, ImportsCoursesGolfersAndRoundsThenRecomputes) {
    gDB->Execute("INSERT INTO COURSES (COURSE_ID, COURSE_NAME) VALUES (4, 'Old Elm')");
    Write("course.gdb", {OldCourse("Pine Hills"), OldCourse("PINE HILLS  "), OldCourse("old elm", 3)});
    RecordBytes badGender = OldGolfer("Ray, Al", 'x');
    Write("Golfer.DBF", {OldGolfer("O'Brien, Pat"), OldGolfer("Smith,Ann", '1'), RecordBytes(21), badGender});
    RecordBytes zero = OldRound(true, "06/02/2026", "Pine Hills", 0);
    RecordBytes badDate = OldRound(true, "xx", "Nowhere");  // takes the previous course and date
    Write("o'brienp.gdb", {OldRound(true, "06/01/2026", "Pine Hills"), zero, badDate, RecordBytes(238)});
    // Unknown course before any course of the run was found: skipped. Then the existing "Old Elm".
    Write("SMITHANN.DBF", {OldRound(false, "05/01/26", "Nowhere"), OldRound(false, "05/03/26", "OLD ELM")});
    Write("SMIT%.DBF", {OldRound(false, "05/01/26", "Pine Hills")});  // no player has that key
    ScriptedMsgBox boxes;
    int calls = 0;
    ConversionResult r = ConvertFolder(old_, 0, [&](ConvertStep, int, int) { ++calls; });
    EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    EXPECT_EQ(r.coursesConverted, 1);
    EXPECT_EQ(r.courseRecords, 3);
    EXPECT_EQ(r.golfersConverted, 2);
    EXPECT_EQ(r.golfersSkipped, 2);
    EXPECT_EQ(r.roundsStored, 3);
    EXPECT_EQ(r.roundsNoCourse, 1);
    EXPECT_GT(calls, 2);
    EXPECT_EQ(Value("SELECT COURSE_ID FROM COURSES WHERE COURSE_NAME='Pine Hills'").toInt(), 5);
    EXPECT_EQ(Value("SELECT LAST_NAME||'|'||FIRST_NAME||'|'||GENDER||'|'||CV_PREV_FILE_NAME FROM PLAYERS "
                    "WHERE PLAYER_ID=2")
                  .toString(),
              "Smith|Ann|F|SmithAnn");
    // O'Brien: two rounds (the gross-0 one is not stored), the second with the previous date and course.
    EXPECT_EQ(Value("SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=1").toInt(), 2);
    // (the date of the discarded round counts as the previous one)
    EXPECT_EQ(Value("SELECT GROUP_CONCAT(ROUND_DATE||':'||COURSE_ID) FROM INDIV_SCORES WHERE PLAYER_ID=1")
                  .toString(),
              "2026-06-01:5,2026-06-02:5");
    EXPECT_EQ(Value("SELECT PAR||PUTTS FROM INDIV_SCORES WHERE PLAYER_ID=1 LIMIT 1").toString(),
              QString(18, '4') + QString("02").repeated(18));
    EXPECT_EQ(Value("SELECT TEE_BOX_ID||USE_TOURN||HCP_INDEX_US_F9||THCP_INDEX_CA_B9 FROM INDIV_SCORES "
                    "WHERE PLAYER_ID=1 LIMIT 1")
                  .toString(),
              "2118.2-100.0");
    EXPECT_EQ(
        Value("SELECT COURSE_ID||ROUND_DATE||HCP_INDEX_CA_F9 FROM INDIV_SCORES WHERE PLAYER_ID=2").toString(),
        "42026-05-0320.2");

    ASSERT_TRUE(ResynchAllScores());
    EXPECT_EQ(Value("SELECT GROUP_CONCAT(GAME_NUMBER) FROM INDIV_SCORES WHERE PLAYER_ID=1").toString(),
              "1,2");
    EXPECT_DOUBLE_EQ(Value("SELECT HCP_INDEX_US_18 FROM INDIV_SCORES WHERE PLAYER_ID=2").toDouble(), 40.4);
    // The .DBF round has no pars: its nines are capped by the course's pars of 3 (Canada: par + 4).
    EXPECT_EQ(Value("SELECT ADJSCR_CA_F9 FROM INDIV_SCORES WHERE PLAYER_ID=2").toInt(), 45);
    const QString msg = ConversionMessage(r);
    EXPECT_TRUE(msg.startsWith("All files were successfully converted to " + sAppTitle + " format."))
        << msg.toStdString();
    EXPECT_TRUE(msg.contains("2 golfer record(s)"));
    EXPECT_TRUE(msg.contains("1 round(s) whose course was not found"));
}

TEST_F(ConversionRun, FailedStepIsReportedAndTheOthersStillRun) {
    gDB->Execute(
        "CREATE TRIGGER no_players BEFORE INSERT ON PLAYERS BEGIN SELECT RAISE(ABORT, 'refused'); END");
    Write("COURSE.GDB", {OldCourse("Pine Hills")});
    Write("GOLFER.GDB", {OldGolfer("Smith, Ann"), OldGolfer("Jones, Bo")});
    ScriptedMsgBox boxes;
    bErrorReport = false;
    const ConversionResult r = ConvertFolder(old_, 0);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().startsWith("Form ConvertUtil, ConvertGolfers")) << boxes.Last().toStdString();
    EXPECT_EQ(r.coursesConverted, 1);
    EXPECT_EQ(r.golfersConverted, 0);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM COURSES").toInt(), 1);
    const QString msg = ConversionMessage(r);
    EXPECT_FALSE(msg.contains("successfully"));
    EXPECT_TRUE(msg.contains("Golfers: refused")) << msg.toStdString();
}

TEST_F(ConversionRun, ScreenRunsOnceAndReportsTheCounts) {
    Write("COURSE.GDB", {OldCourse("Pine Hills")});
    Write("GOLFER.GDB", {OldGolfer("Smith, Ann")});
    Write("SMITHANN.GDB", {OldRound(true, "06/01/2026", "Pine Hills")});
    frmConvertUtil screen;
    EXPECT_EQ(screen.cboNameFormat->count(), 6);
    EXPECT_EQ(screen.NameFormatIndex(), 0);
    screen.cboNameFormat->setEditText("Something typed");
    EXPECT_EQ(screen.NameFormatIndex(), -1);
    screen.cboNameFormat->setCurrentIndex(0);
    ScriptedMsgBox boxes;
    screen.cmdStart_Click();  // the program's folder holds no old files
    EXPECT_TRUE(boxes.Last().startsWith("No files are present")) << boxes.Last().toStdString();
    screen.SetFolder(old_);
    EXPECT_EQ(screen.File1->count(), 3);
    screen.cmdStart_Click();
    EXPECT_TRUE(boxes.Last().startsWith("All files were successfully converted"))
        << boxes.Last().toStdString();
    EXPECT_EQ(screen.lblNumCourses->text(), "1 of 1");
    EXPECT_EQ(screen.lblNumGolfers->text(), "1 of 1");
    EXPECT_EQ(screen.lblNumRounds->text(), "1");
    EXPECT_FALSE(screen.cmdStart->isEnabled());
    EXPECT_TRUE(screen.cmdClose->isEnabled());
    EXPECT_NE(Value("SELECT HCP_INDEX_CA_18 FROM INDIV_SCORES").toString(), "");  // recomputed
}

TEST_F(ConversionRun, StartChecks) {
    const QString prog = folder_.Path();
    EXPECT_TRUE(StartCheckMessage(old_, {}, prog).startsWith("No files are present"));
    EXPECT_TRUE(StartCheckMessage(old_, {"COURSE.GDB"}, prog).startsWith("A valid Golfer File"));
    EXPECT_TRUE(StartCheckMessage(old_, {"golfer.gdb"}, prog).startsWith("A valid Course File"));
    EXPECT_TRUE(
        StartCheckMessage(prog + "/", {"golfer.gdb", "course.dbf"}, prog).startsWith("Files located"));
    EXPECT_EQ(StartCheckMessage(old_, {"golfer.gdb", "course.dbf"}, prog), "");
}

}  // namespace
}  // namespace dc

// The import of an earlier version's files: the rules that turn records into rows, and whole runs
// against a real database followed by the recomputation.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <cmath>
#include <limits>

#include "OldFileBuilder.h"
#include "TestSupport.h"
#include "entry/RoundRules.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "records/PlayerStore.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/Version.h"
#include "tools/Conversion.h"
#include "tools/OldFieldRules.h"
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
        {"Smith, Al", 1, "Smith", "Al", QString("")},  // two letters are a first name, not an initial
        {"Smith, Al B", 1, "Smith", "Al", QString("B")},
        {"Smith, Mary Jo", 1, "Smith", "Mary Jo", QString("")},
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

// A cost is stored exactly when the main screen's cost box would take it.
// A round record's key holds its tee and course: the same scores from another tee box or on another
// course are another round.
TEST(Conversion, RoundKeyHoldsTeeAndCourse) {
    auto key = [](const RecordBytes& r) { return OldRoundKey(*DecodeRound(r.Span(), true)); };
    const quint64 a = key(OldRound(true, "05/01/2026", "Pine Valley Links"));
    EXPECT_NE(a, key(OldRound(true, "05/01/2026", "Pine Valley Links").Text(40, 1, "2")));
    EXPECT_NE(a, key(OldRound(true, "05/01/2026", "Oak Hills")));
    EXPECT_EQ(a, key(OldRound(true, "05/01/2026", "Pine Valley Links").Text(61, 59, "other notes")));
    // A golfer's key as earlier builds remembered it is read as it is compared now.
    EXPECT_EQ(OldGolferKeyAgain("SMITHJOH|SMITH ,  JOHN Q.|M"),
              OldGolferKey("SmithJoh", "Smith, John Q", "M"));
    EXPECT_NE(OldGolferKey("SmithJoh", "Smith, John Q", "M"), OldGolferKey("SmithJoh", "Smith, John", "M"));
}

TEST(Conversion, CostsAsTheCostBoxTakesThem) {
    for (float cost : {0.0f, 25.75f, 9999999.0f, 1e7f, -0.5f, 3.4e38f, std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN()}) {
        const bool box =
            std::isfinite(cost) && CostRefusal("Game Cost", QString::number(cost, 'f', 2)).isEmpty();
        EXPECT_EQ(StoredCost(cost).has_value(), box) << cost;
    }
}

// Old files in a folder beside a fresh database.
class ConversionRun : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.OpenDatabase();
        old_ = folder_.Path() + "/old";
        QDir().mkpath(old_);
    }
    void Write(const QString& name, const QList<RecordBytes>& records, const QByteArray& tail = {}) {
        QByteArray bytes;
        for (const auto& r : records) bytes += r.Bytes();
        WriteFile(QFile::encodeName(old_) + "/" + name.toLatin1(), bytes + tail);
    }
    // Two courses, two golfers and two rounds of the first one.
    void WriteBase() {
        Write("COURSE.GDB", {OldCourse("Pine Valley Links"), OldCourse("Oak Hills", 3)});
        Write("GOLFER.GDB", {OldGolfer("Smith, John"), OldGolfer("Doe, Jane", '1')});
        Write("SMITHJOH.GDB", {OldRound(true, "06/01/2026", "Pine Valley Links"),
                               OldRound(true, "06/02/2026", "Oak Hills", 4)});
    }
    QVariant Value(const QString& sql) { return TestDb().Scalar(sql); }
    // Every row of the three tables the conversion writes.
    QString Dump() {
        QString all;
        for (const char* table : {"COURSES", "PLAYERS", "INDIV_SCORES"}) {
            Recordset rs = TestDb().OpenRecordset(QString("SELECT * FROM %1 ORDER BY rowid").arg(table));
            for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
                for (int i = 0; i < rs.FieldCount(); ++i) all += rs.Fields(i).str() + "|";
        }
        return all;
    }

    test::ProgramFolder folder_;
    QString old_;
};

TEST_F(ConversionRun, ImportsCoursesGolfersAndRoundsThenRecomputes) {
    TestDb().Execute("INSERT INTO COURSES (COURSE_ID, COURSE_NAME) VALUES (4, 'Old Elm')");
    // "Birch" is unrated like the stored "Old Elm": empty figures are no tee boxes to know it by.
    Write("course.gdb", {OldCourse("Pine Hills"), OldCourse("PINE HILLS  "), OldCourse("old elm", 3),
                         RecordBytes(192).Text(0, 30, "Birch")});
    Write("Golfer.DBF", {OldGolfer("O'Brien, Pat"), OldGolfer("Smith,Ann", '1')});
    RecordBytes zero = OldRound(true, "06/02/2026", "Pine Hills", 0);
    Write("o'brienp.gdb", {OldRound(true, "06/01/2026", "Pine Hills"), zero, RecordBytes(238)});
    Write("SMITHANN.DBF", {OldRound(false, "05/03/26", "OLD ELM")});
    ScriptedMsgBox boxes;
    int calls = 0;
    const ConversionResult r =
        ConvertFolder(TestDb(), old_, 0, false, [&](ConvertStep, int, int) { ++calls; });
    EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    ASSERT_TRUE(r.stored);
    EXPECT_TRUE(r.recomputed);
    EXPECT_EQ(r.coursesConverted, 2);
    EXPECT_EQ(r.report.courseRecords, 4);
    EXPECT_EQ(r.golfersConverted, 2);
    EXPECT_EQ(r.roundsStored, 2);  // the gross-0 round and the empty record are no rounds
    EXPECT_GT(calls, 2);
    EXPECT_EQ(Value("SELECT COURSE_ID FROM COURSES WHERE COURSE_NAME='Pine Hills'").toInt(), 5);
    EXPECT_EQ(Value("SELECT LAST_NAME||'|'||FIRST_NAME||'|'||GENDER||'|'||CV_PREV_FILE_NAME FROM PLAYERS "
                    "WHERE PLAYER_ID=2")
                  .toString(),
              "Smith|Ann|F|SmithAnn");
    EXPECT_EQ(Value("SELECT PAR||PUTTS FROM INDIV_SCORES WHERE PLAYER_ID=1").toString(),
              QString(18, '4') + QString("02").repeated(18));
    EXPECT_EQ(Value("SELECT TEE_BOX_ID||USE_TOURN||THCP_INDEX_CA_B9 FROM INDIV_SCORES WHERE PLAYER_ID=1")
                  .toString(),
              "21-100.0");
    // The existing course "Old Elm" takes the round; then the recomputation has run.
    EXPECT_EQ(
        Value("SELECT COURSE_ID||ROUND_DATE||GAME_NUMBER FROM INDIV_SCORES WHERE PLAYER_ID=2").toString(),
        "42026-05-031");
    EXPECT_DOUBLE_EQ(Value("SELECT HCP_INDEX_US_18 FROM INDIV_SCORES WHERE PLAYER_ID=2").toDouble(), 40.4);
    // The .DBF round has no pars: its nines are capped by the course's pars of 3 (Canada: par + 4).
    EXPECT_EQ(Value("SELECT ADJSCR_CA_F9 FROM INDIV_SCORES WHERE PLAYER_ID=2").toInt(), 45);
    // The record of the stored name but other figures is named, so that the golfer may correct it.
    EXPECT_EQ(
        ConversionMessage(r),
        "Converted with exceptions:\r\n1 course record(s) with the name of another course were merged "
        "into it:\r\n    course.gdb record 3 \"old elm\" has the name of the stored course \"Old Elm\" of "
        "other ratings, slopes or pars: merged into it, its rounds go there\r\n\r\nNote that you will need "
        "to manually enter Handicap holes and Tee Box "
        "information on the Course Screen and provide individual player information on the "
        "Add/Edit Player screen.");
}

// Import and recomputation are one transaction: a failure in any part leaves the database as it was.
TEST_F(ConversionRun, AFailureAnywhereLeavesTheDatabaseAsBefore) {
    const struct {
        const char* where;
        const char* trigger;
        const char* tag;
    } cases[] = {
        {"recomputation",
         "CREATE TRIGGER t BEFORE UPDATE OF HCP_INDEX_CA_18 ON INDIV_SCORES "
         "WHEN NEW.PLAYER_ID > 1 BEGIN SELECT RAISE(ABORT, 'forced'); END",
         "SaveScores, ResynchAllScores"},
        {"golfer step", "CREATE TRIGGER t BEFORE INSERT ON PLAYERS BEGIN SELECT RAISE(ABORT, 'forced'); END",
         "Form ConvertUtil, ConvertGolfers"},
    };
    TestDb().Execute("INSERT INTO COURSES (COURSE_ID, COURSE_NAME) VALUES (1, 'Old Elm')");
    TestDb().Execute("INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, GENDER) VALUES (1, 'Held', 'M')");
    TestDb().Execute(
        "INSERT INTO INDIV_SCORES (PLAYER_ID, COURSE_ID, GAME_NUMBER, ROUND_DATE, GSTOTAL) "
        "VALUES (1, 1, 7, '2020-01-01', 90)");
    WriteBase();
    Ctx().bErrorReport = false;
    for (const auto& c : cases) {
        TestDb().Execute(c.trigger);
        const QString before = Dump();
        ScriptedMsgBox boxes;
        const ConversionResult r = ConvertFolder(TestDb(), old_, 0, false);
        ReportErrorTexts(r.errorTexts);  // as the conversion screen reports them
        EXPECT_FALSE(r.stored) << c.where;
        EXPECT_EQ(Dump(), before) << c.where;
        ASSERT_GE(boxes.Count(), 1) << c.where;
        EXPECT_TRUE(boxes.Texts().first().startsWith(c.tag)) << boxes.Texts().first().toStdString();
        EXPECT_TRUE(ConversionMessage(r).startsWith("Nothing was converted")) << c.where;
        TestDb().Execute("DROP TRIGGER t");
    }
}

// A second run of a folder names the golfers converted before and asks first; skipping them adds
// only rounds not stored yet.
TEST_F(ConversionRun, SecondRunAsksAndNeverAddsARoundTwice) {
    WriteBase();
    auto start = [&](std::deque<int> answers) {
        frmConvertUtil screen(Ctx());
        screen.SetFolder(old_);
        ScriptedMsgBox boxes(answers);
        screen.cmdStart_Click();
        return boxes.Texts();
    };
    start({});
    const QString before = Dump();
    QStringList boxes = start({vbCancel});
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(
        boxes[0].startsWith("These golfers were converted before: \"Smith, John\" is the stored player "
                            "Smith, John (M); \"Doe, Jane\" is the stored player Doe, Jane (F)."))
        << boxes[0].toStdString();
    EXPECT_EQ(Dump(), before);
    // A round played since the first run is added; the two stored ones are not.
    Write("SMITHJOH.GDB",
          {OldRound(true, "06/01/2026", "Pine Valley Links"), OldRound(true, "06/02/2026", "Oak Hills", 4),
           OldRound(true, "06/09/2026", "Oak Hills", 6)});
    boxes = start({vbOK});
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes[1].startsWith("Converted with exceptions:")) << boxes[1].toStdString();
    EXPECT_TRUE(
        boxes[1].contains("2 round(s) already stored were not added again:\r\n    \"Smith, John\", "
                          "06/01/2026, \"Pine Valley Links\" (SMITHJOH.GDB record 1)"));
    EXPECT_EQ(Value("SELECT COUNT(*) FROM PLAYERS").toInt(), 2);
    EXPECT_EQ(Value("SELECT GROUP_CONCAT(GAME_NUMBER||':'||GSTOTAL) FROM "
                    "(SELECT * FROM INDIV_SCORES ORDER BY GAME_NUMBER)")
                  .toString(),
              "1:90,2:72,3:108");
}

// Golfers deleted since their conversion come back with all their rounds, though their keys are
// given again; also beside a player whose old round file had the same name, who takes nothing of
// what the deleted one had.
TEST_F(ConversionRun, DeletedGolfersComeBackWithTheirRounds) {
    WriteBase();
    enum Deleted { kByStore, kByStoreBesideALookAlike, kByStatements };
    for (const Deleted way : {kByStore, kByStoreBesideALookAlike, kByStatements}) {
        ScriptedMsgBox boxes;
        ASSERT_TRUE(ConvertFolder(TestDb(), old_, 0, false).stored);
        if (way == kByStoreBesideALookAlike)
            TestDb().Execute(
                "INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, GENDER, CV_PREV_FILE_NAME) SELECT 3, "
                "'Smith', 'Johnny', 'M', CV_PREV_FILE_NAME FROM PLAYERS WHERE PLAYER_ID=1");
        if (way != kByStatements) {
            PlayerStore(TestDb()).DeletePlayer(2);
            PlayerStore(TestDb()).DeletePlayer(1);
        } else {
            TestDb().Execute("DELETE FROM INDIV_SCORES");
            TestDb().Execute("DELETE FROM PLAYERS");
        }
        const ConversionResult r = ConvertFolder(TestDb(), old_, 0, false);
        EXPECT_EQ(r.golfersConverted, 2) << way;
        EXPECT_EQ(r.roundsStored, 2) << way;
        EXPECT_EQ(Value("SELECT COUNT(*) FROM INDIV_SCORES S, PLAYERS P WHERE S.PLAYER_ID=P.PLAYER_ID AND "
                        "P.FIRST_NAME='John'")
                      .toInt(),
                  2)
            << way;
        TestDb().Execute("DELETE FROM INDIV_SCORES");
        TestDb().Execute("DELETE FROM PLAYERS");
    }
}

// What a run leaves out is skipped, counted and named in the closing message; the rest is converted.
TEST(ConversionExceptions, LeftOutIsNamed) {
    auto withHole = [](int at, int value) {
        return OldRound(true, "06/03/2026", "Oak Hills").Int16(at, value);
    };
    RecordBytes junk(238);
    for (int i = 0; i < 238; ++i) junk.Text(i, 1, QByteArray(1, char(i % 7)));
    RecordBytes outTee = OldCourse("Pine Valley Links").Int16(46, 200);  // tee 3: slope 200
    struct Case {
        const char* what;
        QList<std::pair<QByteArray, QByteArray>> files;  // replacing or added to the base folder
        QString line;                                    // in the closing message
        const char* sql;
        QString value;
    };
    auto bytes = [](const QList<RecordBytes>& records) {
        QByteArray b;
        for (const auto& r : records) b += r.Bytes();
        return b;
    };
    const QByteArray base = bytes({OldRound(true, "06/01/2026", "Pine Valley Links")});
    const Case cases[] = {
        {"clean", {}, "All files were successfully converted", "SELECT COUNT(*) FROM INDIV_SCORES", "1"},
        {"partial last record",
         {{"GOLFER.GDB", bytes({OldGolfer("Smith, John"), OldGolfer("Van Der Berg, Ann")})},
          {"VanDerBe.DBF",
           bytes({OldRound(false, "05/01/26", "Oak Hills"), OldRound(false, "05/02/26", "Oak Hills"),
                  OldRound(false, "05/03/26", "Oak Hills")}) +
               QByteArray(50, 'x')}},
         "VanDerBe.DBF: 50 byte(s) after the last whole record were not read",
         "SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=2",
         "3"},
        {"round file without golfer",
         {{"NOBODY.GDB", base}},
         "NOBODY.GDB: no golfer with the key NOBODY was converted",
         "SELECT COUNT(*) FROM INDIV_SCORES",
         "1"},
        {"file name in Windows-1252",
         {{"GOLFER.GDB", bytes({OldGolfer("Smith, John"), OldGolfer("M\xe9ndez, Jos\xe9")})},
          {"M\xe9ndezJo.GDB", base}},
         "All files were successfully converted",
         "SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=2",
         "1"},
        {"unknown course",
         {{"SMITHJOH.GDB", bytes({OldRound(true, "06/01/2026", "Pine Valley Links"),
                                  OldRound(true, "06/02/2026", "Nowhere Golf Club"),
                                  OldRound(true, "06/03/2026", "Oak Hills")})}},
         "1 round(s) on courses not found were skipped:\r\n    \"Smith, John\", 06/02/2026, \"Nowhere Golf "
         "Club\" (SMITHJOH.GDB record 2)",
         "SELECT GROUP_CONCAT(COURSE_ID) FROM INDIV_SCORES",
         "1,2"},
        {"control character in a name",
         {{"GOLFER.GDB",
           bytes({OldGolfer("Smith, John"), OldGolfer("Jo\x02n, Al"), OldGolfer("Doe, Jane")})}},
         "1 golfer record(s) empty or unreadable were skipped:\r\n    GOLFER.GDB record 2: \"Jo?n, Al\", "
         "gender \"0\": unreadable name",
         "SELECT COUNT(*) FROM PLAYERS",
         "2"},
        {"all-zero course",
         {{"COURSE.GDB", bytes({OldCourse("Pine Valley Links"), RecordBytes(192), OldCourse("Oak Hills")})}},
         "1 course record(s) empty or unreadable were skipped:\r\n    COURSE.GDB record 2: empty",
         "SELECT COUNT(*) FROM COURSES",
         "2"},
        {"mostly unreadable file",
         {{"SMITHJOH.GDB", bytes({junk, junk, OldRound(true, "06/01/2026", "Oak Hills")})}},
         "SMITHJOH.GDB: most records are unreadable; nothing was converted from it",
         "SELECT COUNT(*) FROM INDIV_SCORES",
         "0"},
        {"hole score -3",
         {{"SMITHJOH.GDB", base + withHole(120, -3).Bytes()}},
         "1 round(s) with a hole score, rating or slope out of range were skipped:\r\n    \"Smith, John\", "
         "06/03/2026, \"Oak Hills\" (SMITHJOH.GDB record 2): hole 1 score -3",
         "SELECT GROUP_CONCAT(GSTOTAL) FROM INDIV_SCORES",
         "90"},
        {"hole score 32767",
         {{"SMITHJOH.GDB", base + withHole(154, 32767).Bytes()}},
         "1 round(s) with a hole score, rating or slope out of range were skipped",
         "SELECT GROUP_CONCAT(GSTOTAL) FROM INDIV_SCORES",
         "90"},
        {"slope -120",
         {{"SMITHJOH.GDB", base + withHole(45, -120).Bytes()}},
         "(SMITHJOH.GDB record 2): slope -120",
         "SELECT GROUP_CONCAT(SLOPE_RATING) FROM INDIV_SCORES",
         "125"},
        {"rating 0",
         {{"SMITHJOH.GDB", base + withHole(41, 0).Int16(43, 0).Bytes()}},
         "1 round(s) with a hole score, rating or slope out of range were skipped",
         "SELECT COUNT(*) FROM INDIV_SCORES",
         "1"},
        {"tee box slope 200",
         {{"COURSE.GDB", bytes({outTee, OldCourse("Oak Hills", 3)})}},
         "1 tee box(es) with a rating or slope out of range were left empty:\r\n    \"Pine Valley Links\", "
         "old tee 3: rating 72.5, slope 200",
         "SELECT MSL||MCR FROM COURSES WHERE COURSE_ID=1",
         "00012112000.071.570.5"},
        {"unreadable date",
         {{"SMITHJOH.GDB", base + OldRound(true, "13/45/24", "Oak Hills").Bytes()}},
         "1 round(s) with an unreadable date were given the date of the round before:\r\n    \"Smith, "
         "John\", "
         "13/45/24, \"Oak Hills\" (SMITHJOH.GDB record 2): given 06/01/2026",
         "SELECT GROUP_CONCAT(ROUND_DATE) FROM INDIV_SCORES",
         "2026-06-01,2026-06-01"},
        {"two golfers of one key",
         {{"GOLFER.GDB", bytes({OldGolfer("Smith, John A"), OldGolfer("Smith, John B")})}},
         "Golfers \"Smith, John A\" (M, GOLFER.GDB record 1) and \"Smith, John B\" (M, GOLFER.GDB record 2) "
         "have the same key SmithJoh: its rounds went to \"Smith, John A\" (M, GOLFER.GDB record 1)",
         "SELECT GROUP_CONCAT(PLAYER_ID) FROM INDIV_SCORES",
         "1"},
        {"two golfers of one name and key",
         {{"GOLFER.GDB", bytes({OldGolfer("Doe, Jane", '1'), OldGolfer("Smith, John Q", '1'),
                                OldGolfer("Smith, John Q")})}},
         "Golfers \"Smith, John Q\" (F, GOLFER.GDB record 2) and \"Smith, John Q\" (M, GOLFER.GDB record 3) "
         "have the same key SmithJoh: its rounds went to \"Smith, John Q\" (F, GOLFER.GDB record 2)",
         "SELECT GROUP_CONCAT(PLAYER_ID) FROM INDIV_SCORES",
         "2"},
        // Every record of a file is a round of its own, whatever it shares with another; the same
        // round met again in the other file of the golfer is one round.
        {"look-alike records of one file",
         {{"SMITHJOH.GDB",
           base + base + OldRound(true, "06/01/2026", "Pine Valley Links").Text(40, 1, "2").Bytes()}},
         "All files were successfully converted",
         "SELECT COUNT(*) FROM INDIV_SCORES",
         "3"},
        {"the same rounds in a .DBF beside the .GDB",
         {{"SMITHJOH.GDB", base + base},
          {"SMITHJOH.DBF", bytes({OldRound(false, "06/01/26", "Pine Valley Links"),
                                  OldRound(false, "06/01/26", "Pine Valley Links"),
                                  OldRound(false, "06/01/26", "Pine Valley Links")})}},
         "2 round(s) already stored were not added again:\r\n    \"Smith, John\", 06/01/2026, \"Pine Valley "
         "Links\" (SMITHJOH.GDB record 1): the same round as SMITHJOH.DBF record 1\r\n    \"Smith, John\", "
         "06/01/2026, \"Pine Valley Links\" (SMITHJOH.GDB record 2): the same round as SMITHJOH.DBF record 2",
         "SELECT COUNT(*) FROM INDIV_SCORES",
         "3"},
        {"two courses without pars",
         {{"COURSE.GDB", bytes({RecordBytes(192).Text(0, 30, "Pine Valley Links"),
                                RecordBytes(192).Text(0, 30, "Oak Hills")})},
          {"SMITHJOH.DBF", bytes({OldRound(false, "06/01/26", "Oak Hills")})}},
         "All files were successfully converted",
         "SELECT GROUP_CONCAT(COURSE_ID) FROM INDIV_SCORES",
         "1,2"},
        {"two course names alike in their first 20 characters",
         {{"COURSE.GDB", bytes({OldCourse("Pine Valley Links"), OldCourse("Oak Hills Country Club East"),
                                OldCourse("Oak Hills Country Club West", 3)})},
          {"SMITHJOH.GDB", base + OldRound(true, "06/02/2026", "Oak Hills Country Club West").Bytes()}},
         "1 course record(s) with the name of another course were merged into it:\r\n    COURSE.GDB record 3 "
         "\"Oak Hills Country Club West\" has the name of the course \"Oak Hills Country Cl\": merged into "
         "it, its rounds go there",
         "SELECT (SELECT COUNT(*) FROM COURSES) || ':' || GROUP_CONCAT(COURSE_ID) FROM INDIV_SCORES",
         "2:1,2"},
        {"two course records of one name, other pars",
         {{"COURSE.GDB",
           bytes({OldCourse("Pine Valley Links"), OldCourse("Oak Hills", 3), OldCourse("Oak Hills", 5)})}},
         "1 course record(s) with the name of another course were merged into it:\r\n    COURSE.GDB record 3 "
         "\"Oak Hills\" has the name of the course \"Oak Hills\": merged into it, its rounds go there",
         "SELECT COUNT(*) FROM COURSES",
         "2"},
        {"unreadable tee",
         {{"SMITHJOH.GDB", base + OldRound(true, "06/04/2026", "Oak Hills").Text(40, 1, "\x01").Bytes()}},
         "1 round(s) with unreadable fields were skipped:\r\n    \"Smith, John\", 06/04/2026, \"Oak Hills\" "
         "(SMITHJOH.GDB record 2): unreadable tee",
         "SELECT COUNT(*) FROM INDIV_SCORES",
         "1"},
        // A control character in the notes is removed; the round is kept.
        {"control character in the notes",
         {{"SMITHJOH.GDB",
           bytes({OldRound(true, "06/01/2026", "Pine Valley Links").Text(61, 6, "a\tb\x7f c")})}},
         "1 round(s) had control characters removed from their notes:\r\n    \"Smith, John\", 06/01/2026, "
         "\"Pine Valley Links\" (SMITHJOH.GDB record 1)",
         "SELECT '[' || RTRIM(NOTES) || ']' FROM INDIV_SCORES",
         "[ab c]"},
        // Costs the cost boxes would refuse, or that are no number, are left empty and named.
        {"costs out of range",
         {{"SMITHJOH.GDB", bytes({OldRound(true, "06/01/2026", "Pine Valley Links")
                                      .Single(49, 3.4e38f)
                                      .Single(53, std::numeric_limits<float>::quiet_NaN())
                                      .Single(57, -2.0f)})}},
         "3 cost(s) out of range were left empty:\r\n    \"Smith, John\", 06/01/2026, \"Pine Valley Links\" "
         "(SMITHJOH.GDB record 1): game cost 3.4e+38\r\n    \"Smith, John\", 06/01/2026, \"Pine Valley "
         "Links\" (SMITHJOH.GDB record 1): cart cost nan\r\n    \"Smith, John\", 06/01/2026, \"Pine Valley "
         "Links\" (SMITHJOH.GDB record 1): other cost -2",
         "SELECT COALESCE(GAME_COST, 'empty') || COALESCE(CART_COST, 'empty') || COALESCE(OTHER_COST, "
         "'empty') "
         "FROM INDIV_SCORES",
         "emptyemptyempty"},
        {"values at their edges",
         {{"SMITHJOH.GDB",
           bytes(
               {OldRound(true, "01/01/00", "Oak Hills").Single(41, 99.9f).Int16(45, 155).Single(49, 12.345f),
                OldRound(true, "12/31/99", "Oak Hills").Int16(45, 55), OldRound(true, "1/2/29", "Oak Hills"),
                OldRound(true, "1/2/30", "Oak Hills")})}},
         "All files were successfully converted",
         "SELECT GROUP_CONCAT(ROUND_DATE || '/' || COURSE_RATING || '/' || SLOPE_RATING || '/' || GAME_COST) "
         "FROM "
         "(SELECT * FROM INDIV_SCORES ORDER BY ROUND_DATE)",
         "1930-01-02/71.5/125/30.0,1999-12-31/71.5/55/30.0,2000-01-01/99.9/155/12.35,2029-01-02/71.5/125/"
         "30.0"},
        {"largest cost the box takes",
         {{"SMITHJOH.GDB",
           bytes({OldRound(true, "06/01/2026", "Pine Valley Links").Single(49, 9999999.0f)})}},
         "All files were successfully converted",
         "SELECT CAST(GAME_COST * 100 AS INTEGER) FROM INDIV_SCORES",
         "999999900"},
        {"empty files",
         {{"COURSE.GDB", {}}, {"GOLFER.GDB", {}}},
         "COURSE.GDB: holds no whole course record\r\nGOLFER.GDB: holds no whole golfer record",
         "SELECT COUNT(*) FROM PLAYERS",
         "0"},
    };
    for (const Case& c : cases) {
        test::ProgramFolder folder;
        folder.OpenDatabase();
        const QByteArray dir = QFile::encodeName(folder.Path()) + "/old/";
        QDir().mkpath(folder.Path() + "/old");
        QMap<QByteArray, QByteArray> files{
            {"COURSE.GDB", bytes({OldCourse("Pine Valley Links"), OldCourse("Oak Hills", 3)})},
            {"GOLFER.GDB", bytes({OldGolfer("Smith, John"), OldGolfer("Doe, Jane", '1')})},
            {"SMITHJOH.GDB", base}};
        for (const auto& [name, content] : c.files) files[name] = content;
        for (auto it = files.begin(); it != files.end(); ++it) WriteFile(dir + it.key(), it.value());
        ScriptedMsgBox boxes;
        const ConversionResult r = ConvertFolder(TestDb(), folder.Path() + "/old", 0, false);
        EXPECT_TRUE(r.stored) << c.what;
        const QString msg = ConversionMessage(r);
        EXPECT_TRUE(msg.contains(c.line)) << c.what << "\n" << msg.toStdString();
        if (!c.line.startsWith("All files")) {
            EXPECT_TRUE(msg.startsWith("Converted with exceptions:\r\n")) << c.what;
        }
        EXPECT_EQ(TestDb().Scalar(c.sql).toString(), c.value) << c.what;
    }
}

// Two clubs' folders converted one after the other through the screen; each run answers the
// question with OK and returns every box shown.
class TwoFolders : public ::testing::Test {
  protected:
    QVariant Value(const QString& sql) { return TestDb().Scalar(sql); }
    void WriteIn(const QString& folder, const QString& name, const QList<RecordBytes>& records) {
        QDir().mkpath(folder);
        QByteArray bytes;
        for (const auto& r : records) bytes += r.Bytes();
        WriteFile(QFile::encodeName(folder) + "/" + name.toLatin1(), bytes);
    }
    QStringList Convert(const QString& folder, int nameFormat = 0) {
        frmConvertUtil screen(Ctx());
        screen.cboNameFormat->setCurrentIndex(nameFormat);
        screen.SetFolder(folder);
        ScriptedMsgBox boxes({vbOK});
        screen.cmdStart_Click();
        return boxes.Texts();
    }
};

// The memory rows of a database converted into by earlier builds: courses by their old names, round
// keys by the player they went to, a golfer's last player only.
void AsEarlierBuilds() {
    TestDb().Execute(
        "UPDATE CV_CONVERTED SET KIND='C', OLD_ID=SUBSTR(OLD_ID, 1, INSTR(OLD_ID, '|') - 1) "
        "WHERE KIND='O'");
    TestDb().Execute(
        "UPDATE CV_CONVERTED SET KIND='R', OLD_ID=SUBSTR(OLD_ID, INSTR(OLD_ID, '|') + 1) "
        "WHERE KIND='F'");
    TestDb().Execute(
        "DELETE FROM CV_CONVERTED WHERE KIND='G' AND rowid NOT IN "
        "(SELECT MAX(rowid) FROM CV_CONVERTED WHERE KIND='G' GROUP BY OLD_ID)");
}

// A club's folder converted, edited in the database, played on and converted again: every record
// taken before is recognised by where it came from whatever was edited since, and only the new
// round is added. A database that does not remember its conversions (made before it did) finds
// them again by names, tee boxes and scores; one converted into by earlier builds finds a course by
// its old name while it keeps part of the old record's figures.
TEST_F(TwoFolders, EditedSinceTheFirstRunNothingIsAddedTwice) {
    enum Memory { kNone, kEarlier, kRemembered };
    const struct {
        const char* what;
        const char* change;
        Memory remembered;
        int courses;
        QString line, rounds = "2026-06-01:90,2026-06-02:72,2026-06-09:108";
    } cases[] = {
        {"renamed", "UPDATE COURSES SET COURSE_NAME='Pine Valley GC' WHERE COURSE_ID=1", kRemembered, 2,
         "1 course(s) converted before were found under another name:\r\n    \"Pine Valley Links\" is the "
         "stored course \"Pine Valley GC\" (converted before): not added again, its rounds go there"},
        {"renamed and re-rated",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MCR='73.571.570.5', MSL='118121120' WHERE "
         "COURSE_ID=1",
         kRemembered, 2, "(SMITHJOH.GDB record 1): converted before"},
        {"renamed and a par changed",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MPARS='5' || SUBSTR(MPARS, 2) WHERE COURSE_ID=1",
         kRemembered, 2, "is the stored course \"Pine Valley GC\" (converted before)"},
        // Whatever the golfer changed: every figure of every tee box.
        {"renamed, a par fixed and every tee box re-rated",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MCR='73.573.573.5', MSL='118118118', "
         "MPARS='5' || SUBSTR(MPARS, 2) WHERE COURSE_ID=1",
         kRemembered, 2, "is the stored course \"Pine Valley GC\" (converted before)"},
        {"renamed, a tee box emptied and the others re-rated",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MCR='00.073.573.5', MSL='000118118', "
         "MPARS='000000000000000000' || SUBSTR(MPARS, 19) WHERE COURSE_ID=1",
         kRemembered, 2, "is the stored course \"Pine Valley GC\" (converted before)"},
        // Memory of earlier builds: one correction leaves the ratings, the pars or a whole tee box.
        {"earlier builds, renamed, every tee box re-rated",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MCR='73.573.573.5', MSL='118118118' WHERE "
         "COURSE_ID=1",
         kEarlier, 2, "is the stored course \"Pine Valley GC\" (converted before)"},
        {"earlier builds, renamed, a par fixed on every tee box",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MPARS='5' || SUBSTR(MPARS, 2, 17) || '5' || "
         "SUBSTR(MPARS, 20, 17) || '5' || SUBSTR(MPARS, 38) WHERE COURSE_ID=1",
         kEarlier, 2, "is the stored course \"Pine Valley GC\" (converted before)"},
        {"earlier builds, renamed, a par fixed and re-rated on the second and third tee boxes",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MCR='72.573.573.5', MPARS=SUBSTR(MPARS, 1, 18) || "
         "'5' || SUBSTR(MPARS, 20, 17) || '5' || SUBSTR(MPARS, 38) WHERE COURSE_ID=1",
         kEarlier, 2, "is the stored course \"Pine Valley GC\" (converted before)"},
        {"earlier builds, renamed, a tee box emptied",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MCR='00.071.570.5', MSL='000121120', "
         "MPARS='000000000000000000' || SUBSTR(MPARS, 19) WHERE COURSE_ID=1",
         kEarlier, 2, "is the stored course \"Pine Valley GC\" (converted before)"},
        {"earlier builds, renamed, every figure changed",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MCR='73.573.573.5', MPARS='5' || SUBSTR(MPARS, 2) "
         "WHERE COURSE_ID=1",
         kEarlier, 3, "(SMITHJOH.GDB record 1): converted before",
         "2026-06-01:90,2026-06-02:72,2026-06-09:108"},
        {"a hole score corrected", "UPDATE INDIV_SCORES SET GS01=6, GSTOTAL=91 WHERE GAME_NUMBER=1",
         kRemembered, 2, "(SMITHJOH.GDB record 1): converted before",
         "2026-06-01:91,2026-06-02:72,2026-06-09:108"},
        {"first name corrected", "UPDATE PLAYERS SET FIRST_NAME='Jon'", kRemembered, 2,
         "\"Smith, John\" is the stored player Smith, Jon (M)"},
        // The course deleted by hand, its memory left: it is added again.
        {"course deleted", "DELETE FROM COURSES WHERE COURSE_ID=2", kRemembered, 2,
         "(SMITHJOH.GDB record 1): converted before"},
        {"not remembered, a par changed",
         "UPDATE COURSES SET MPARS='5' || SUBSTR(MPARS, 2) WHERE COURSE_ID=1", kNone, 2,
         "(SMITHJOH.GDB record 1)\r\n"},
        {"not remembered, renamed", "UPDATE COURSES SET COURSE_NAME='Pine Valley GC' WHERE COURSE_ID=1",
         kNone, 2,
         "\"Pine Valley Links\" is the stored course \"Pine Valley GC\" (the same tee boxes): not added "
         "again, "
         "its rounds go there"},
        {"not remembered, renamed, a slope changed",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MSL='118121120' WHERE COURSE_ID=1", kNone, 3,
         "(SMITHJOH.GDB record 1): stored on \"Pine Valley GC\""},
        {"not remembered, renamed, the third tee box re-rated",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MCR='72.571.570.4' WHERE COURSE_ID=1", kNone, 3,
         "(SMITHJOH.GDB record 1): stored on \"Pine Valley GC\""},
        {"not remembered, no pars", "UPDATE COURSES SET MPARS=''", kNone, 2, "(SMITHJOH.GDB record 1)\r\n"},
        {"not remembered, renamed and re-rated",
         "UPDATE COURSES SET COURSE_NAME='Pine Valley GC', MCR='73.571.570.5' WHERE COURSE_ID=1", kNone, 3,
         "(SMITHJOH.GDB record 1): stored on \"Pine Valley GC\""},
    };
    for (const auto& c : cases) {
        test::ProgramFolder folder;
        folder.OpenDatabase();
        const QString first = folder.Path() + "/club", again = folder.Path() + "/club later";
        for (const QString& dir : {first, again}) {
            WriteIn(dir, "COURSE.GDB", {OldCourse("Pine Valley Links"), OldCourse("Oak Hills", 3)});
            WriteIn(dir, "GOLFER.GDB", {OldGolfer("Smith, John")});
        }
        WriteIn(first, "SMITHJOH.GDB",
                {OldRound(true, "06/01/2026", "Pine Valley Links"),
                 OldRound(true, "06/02/2026", "Oak Hills", 4)});
        WriteIn(
            again, "SMITHJOH.GDB",
            {OldRound(true, "06/01/2026", "Pine Valley Links"), OldRound(true, "06/02/2026", "Oak Hills", 4),
             OldRound(true, "06/09/2026", "Pine Valley Links", 6)});
        Convert(first);
        if (c.remembered == kNone) TestDb().Execute("DROP TABLE CV_CONVERTED");
        if (c.remembered == kEarlier) AsEarlierBuilds();
        TestDb().Execute(c.change);
        const QStringList boxes = Convert(again);
        ASSERT_EQ(boxes.size(), 2) << c.what;  // the golfer converted before, then the closing message
        EXPECT_TRUE((boxes[0] + boxes[1]).contains(c.line)) << c.what << "\n" << boxes[1].toStdString();
        EXPECT_TRUE(boxes[1].contains("2 round(s) already stored were not added again")) << c.what;
        EXPECT_EQ(Value("SELECT COUNT(*) FROM COURSES").toInt(), c.courses) << c.what;
        EXPECT_EQ(Value("SELECT COUNT(*) FROM PLAYERS").toInt(), 1) << c.what;
        EXPECT_EQ(Value("SELECT GROUP_CONCAT(ROUND_DATE || ':' || GSTOTAL) FROM "
                        "(SELECT * FROM INDIV_SCORES ORDER BY ROUND_DATE)")
                      .toString(),
                  c.rounds)
            << c.what;
        // Converted a third time, the rounds corrected since: nothing more.
        TestDb().Execute("UPDATE INDIV_SCORES SET GS02=GS02+1, GSTOTAL=GSTOTAL+1");
        Convert(again);
        EXPECT_EQ(Value("SELECT COUNT(*) FROM INDIV_SCORES").toInt(), 3) << c.what;
    }
}

// A golfer of another club with the same key is another person: she is added as a new player and
// her rounds go to her; the question names her and the stored player. Her club's course of the
// stored course's name is that course, named in the closing message for its other pars. Each club's
// golfer converted again is the same person and adds nothing.
TEST_F(TwoFolders, SameKeyAnotherPersonIsANewPlayer) {
    test::ProgramFolder folder;
    folder.OpenDatabase();
    const QString club1 = folder.Path() + "/club 1", club2 = folder.Path() + "/club 2";
    WriteIn(club1, "COURSE.GDB", {OldCourse("Pine Valley Links")});
    WriteIn(club2, "COURSE.GDB", {OldCourse("Pine Valley Links", 3)});
    WriteIn(club1, "GOLFER.GDB", {OldGolfer("Anderson, Robert", '0')});
    WriteIn(
        club1, "ANDERSON.GDB",
        {OldRound(true, "05/01/2026", "Pine Valley Links"), OldRound(true, "05/02/2026", "Pine Valley Links"),
         OldRound(true, "05/03/2026", "Pine Valley Links")});
    WriteIn(club2, "GOLFER.GDB", {OldGolfer("Anderson, Roberta", '1')});
    WriteIn(club2, "ANDERSON.GDB",
            {OldRound(true, "05/01/2026", "Pine Valley Links", 6),
             OldRound(true, "05/09/2026", "Pine Valley Links", 6)});
    Convert(club1);
    QStringList boxes = Convert(club2);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(
        boxes[0].contains("\"Anderson, Roberta\" (F) is not the stored player Anderson, Robert (M) of the "
                          "same key Anderson: added as a new player"))
        << boxes[0].toStdString();
    EXPECT_TRUE(boxes[1].contains(
        "1 course record(s) with the name of another course were merged into it:\r\n    COURSE.GDB record 1 "
        "\"Pine Valley Links\" has the name of the stored course \"Pine Valley Links\" of other ratings, "
        "slopes "
        "or pars: merged into it, its rounds go there"))
        << boxes[1].toStdString();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM COURSES").toInt(), 1);
    auto players = [&] {
        return Value(
                   "SELECT GROUP_CONCAT(P) FROM (SELECT PLAYER_ID || LAST_NAME || FIRST_NAME || GENDER || "
                   "':' || "
                   "(SELECT COUNT(*) FROM INDIV_SCORES S WHERE S.PLAYER_ID = P.PLAYER_ID) AS P "
                   "FROM PLAYERS P ORDER BY PLAYER_ID)")
            .toString();
    };
    EXPECT_EQ(players(), "1AndersonRobertM:3,2AndersonRobertaF:2");
    for (const QString& dir : {club2, club1}) {
        boxes = Convert(dir);
        ASSERT_EQ(boxes.size(), 2);
        EXPECT_TRUE(boxes[0].startsWith("These golfers were converted before: \"Anderson, Robert"))
            << boxes[0].toStdString();
        EXPECT_FALSE(boxes[1].contains("merged")) << "named once, when merged";
        EXPECT_EQ(players(), "1AndersonRobertM:3,2AndersonRobertaF:2");
    }
}

// Golfers of one key that differ only in the middle initial are two persons, also in a database
// that does not remember its conversions; the question shows the initial. Names are compared as the
// player list reads them: blanks and a trailing period do not count.
TEST_F(TwoFolders, GolferNamesComparedAsThePlayerListReadsThem) {
    const struct {
        bool remembered;
        const char* second;
        char gender;
        QString line, players = "1A:1,2B:1";
    } cases[] = {
        {true, "Smith, John B", '0', "\"Smith, John B\" (M) is not the stored player Smith, John A (M)"},
        {false, "Smith, John B", '0', "\"Smith, John B\" (M) is not the stored player Smith, John A (M)"},
        {false, "Smith, John A", '1', "\"Smith, John A\" (F) is not the stored player Smith, John A (M)",
         "1A:1,2A:1"},
        {true, "Smith,  John A", '0', "\"Smith,  John A\" is the stored player Smith, John A (M)", "1A:2"},
        {true, "Smith, John A.", '0', "\"Smith, John A.\" is the stored player Smith, John A (M)", "1A:2"},
        {false, "Smith ,John  A.", '0', "\"Smith ,John  A.\" is the stored player Smith, John A (M)",
         "1A:2"}};
    for (const auto& [remembered, second, gender, line, players] : cases) {
        test::ProgramFolder folder;
        folder.OpenDatabase();
        const QString club1 = folder.Path() + "/club 1", club2 = folder.Path() + "/club 2";
        for (const QString& dir : {club1, club2})
            WriteIn(dir, "COURSE.GDB", {OldCourse("Pine Valley Links")});
        WriteIn(club1, "GOLFER.GDB", {OldGolfer("Smith, John A")});
        WriteIn(club1, "SMITHJOH.GDB", {OldRound(true, "05/01/2026", "Pine Valley Links")});
        WriteIn(club2, "GOLFER.GDB", {OldGolfer(second, gender)});
        WriteIn(club2, "SMITHJOH.GDB", {OldRound(true, "05/02/2026", "Pine Valley Links", 6)});
        Convert(club1, 1);
        if (!remembered) TestDb().Execute("DROP TABLE CV_CONVERTED");
        const QStringList boxes = Convert(club2, 1);
        ASSERT_EQ(boxes.size(), 2) << remembered;
        EXPECT_TRUE(boxes[0].contains(line)) << boxes[0].toStdString();
        EXPECT_EQ(Value("SELECT GROUP_CONCAT(P) FROM (SELECT PLAYER_ID || MI || ':' || (SELECT COUNT(*) FROM "
                        "INDIV_SCORES S WHERE S.PLAYER_ID = P.PLAYER_ID) AS P FROM PLAYERS P)")
                      .toString(),
                  players)
            << remembered << " " << second;
    }
}

// A folder converted again as it stands, with its golfers listed otherwise, and played on: a golfer
// listed twice, golfers of one key in another order, look-alike records: each record is stored
// once, and no more, also after an upgrade from a database earlier builds converted into.
TEST_F(TwoFolders, ConvertedAgainEachRecordIsStoredOnce) {
    for (const bool earlier : {false, true}) {
        test::ProgramFolder folder;
        folder.OpenDatabase();
        const QString dir = folder.Path() + "/club";
        const RecordBytes a = OldRound(true, "05/01/2026", "Pine Valley Links");
        const RecordBytes tee2 = OldRound(true, "05/01/2026", "Pine Valley Links").Text(40, 1, "2");
        WriteIn(dir, "COURSE.GDB", {OldCourse("Pine Valley Links"), OldCourse("Oak Hills", 3)});
        WriteIn(dir, "GOLFER.GDB", {OldGolfer("Smith, John Q"), OldGolfer("Smith, John Q")});
        WriteIn(dir, "SMITHJOH.GDB", {a, a, tee2});
        Convert(dir);
        if (earlier) AsEarlierBuilds();
        auto counts = [&] {
            return Value("SELECT COUNT(*) || '/' || (SELECT COUNT(*) FROM PLAYERS) FROM INDIV_SCORES")
                .toString();
        };
        EXPECT_EQ(counts(), "3/2") << earlier;
        TestDb().Execute(
            "UPDATE PLAYERS SET FIRST_NAME='Jon Q' WHERE PLAYER_ID=2");  // each record its player
        const QString first = "\"Smith, John Q\" is the stored player Smith, John Q (M)",
                      second = "\"Smith, John Q\" is the stored player Smith, Jon Q (M)";
        EXPECT_TRUE(Convert(dir).first().contains(earlier ? second + "; " + first : first + "; " + second))
            << earlier;
        EXPECT_EQ(counts(), "3/2") << earlier;
        for (const QList<RecordBytes>& golfers :
             {QList{OldGolfer("Smith, John A"), OldGolfer("Smith, John B")},
              QList{OldGolfer("Smith, John B"), OldGolfer("Smith, John A")},
              QList{OldGolfer("Smith, John B")}}) {
            WriteIn(dir, "GOLFER.GDB", golfers);
            Convert(dir);
            EXPECT_EQ(counts(), "3/4") << earlier;
        }
        // Played on: a third look-alike, and the same round from another tee box and on another course.
        WriteIn(dir, "SMITHJOH.GDB",
                {a, a, tee2, OldRound(true, "05/01/2026", "Pine Valley Links").Text(40, 1, "3"),
                 OldRound(true, "05/01/2026", "Oak Hills"), a});
        Convert(dir);
        EXPECT_EQ(counts(), "6/4") << earlier;
        Convert(dir);
        EXPECT_EQ(counts(), "6/4") << earlier;
        // The golfer listed twice again: the empty duplicate deleted stays deleted.
        WriteIn(dir, "GOLFER.GDB", {OldGolfer("Smith, John Q"), OldGolfer("Smith, John Q")});
        Convert(dir);
        EXPECT_EQ(counts(), "6/4") << earlier;
        PlayerStore(TestDb()).DeletePlayer(
            Value("SELECT PLAYER_ID FROM PLAYERS P WHERE FIRST_NAME LIKE '%Q' AND NOT EXISTS (SELECT * FROM "
                  "INDIV_SCORES S WHERE S.PLAYER_ID = P.PLAYER_ID)")
                .toInt());
        EXPECT_EQ(counts(), "6/3") << earlier;
        for (int run = 0; run < 2; ++run) {
            EXPECT_TRUE(Convert(dir).first().contains("(listed again)")) << earlier;
            EXPECT_EQ(counts(), "6/3") << earlier;
        }
    }
}

// Club X's "Municipal" renamed since its conversion is not club Y's "Municipal" of other figures, nor
// Y's "Elm Park" of the same figures: they are added and take Y's rounds. A course whose number went to
// another course (its deletion stopped before the memory was cleared) is added again. X's folder played on
// adds to X's course.
TEST_F(TwoFolders, AnotherClubsCourseOfARenamedCoursesName) {
    for (const bool earlier : {false, true}) {
        test::ProgramFolder folder;
        folder.OpenDatabase();
        const QString x = folder.Path() + "/club x", y = folder.Path() + "/club y";
        WriteIn(x, "COURSE.GDB", {OldCourse("Municipal"), OldCourse("Birch", 5)});
        WriteIn(x, "GOLFER.GDB", {OldGolfer("Anderson, Robert")});
        WriteIn(x, "ANDERSON.GDB", {OldRound(true, "05/01/2026", "Municipal")});
        WriteIn(y, "COURSE.GDB", {OldCourse("Municipal", 3).Single(30, 68.0f), OldCourse("Elm Park")});
        WriteIn(y, "GOLFER.GDB", {OldGolfer("Baker, Ann", '1')});
        WriteIn(y, "BAKERANN.GDB", {OldRound(true, "05/02/2026", "Municipal", 4)});
        Convert(x);
        if (earlier) AsEarlierBuilds();
        TestDb().Execute("UPDATE COURSES SET COURSE_NAME='Municipal X' WHERE COURSE_ID=1");
        TestDb().Execute("DELETE FROM COURSES WHERE COURSE_ID=2");
        const QStringList boxes = Convert(y);
        EXPECT_FALSE(boxes.join("").contains("converted before")) << boxes.join("\n").toStdString();
        auto courses = [&] {
            return Value(
                       "SELECT GROUP_CONCAT(C) FROM (SELECT COURSE_ID || COURSE_NAME || ':' || (SELECT "
                       "COALESCE(GROUP_CONCAT(PLAYER_ID), '') FROM INDIV_SCORES S WHERE S.COURSE_ID = "
                       "C.COURSE_ID) AS C "
                       "FROM COURSES C ORDER BY COURSE_ID)")
                .toString();
        };
        EXPECT_EQ(courses(), "1Municipal X:1,2Municipal:2,3Elm Park:") << earlier;
        WriteIn(x, "ANDERSON.GDB",
                {OldRound(true, "05/01/2026", "Municipal"), OldRound(true, "05/08/2026", "Municipal", 6)});
        Convert(x);
        EXPECT_EQ(courses(), "1Municipal X:1,1,2Municipal:2,3Elm Park:,4Birch:") << earlier;
    }
}

TEST_F(ConversionRun, ScreenRunsOnceAndReportsTheCounts) {
    Write("COURSE.GDB", {OldCourse("Pine Hills")});
    Write("GOLFER.GDB", {OldGolfer("Smith, Ann")});
    Write("SMITHANN.GDB", {OldRound(true, "06/01/2026", "Pine Hills")});
    frmConvertUtil screen(Ctx());
    EXPECT_EQ(screen.cboNameFormat->count(), 6);
    EXPECT_EQ(screen.NameFormatIndex(), 0);
    screen.cboNameFormat->setEditText("Something typed");
    EXPECT_EQ(screen.NameFormatIndex(), -1);
    ScriptedMsgBox boxes;
    screen.SetFolder(old_);
    screen.cmdStart_Click();  // a typed format is refused
    EXPECT_EQ(boxes.Last(), "Please select the Previous Naming Format from the list.");
    screen.cboNameFormat->setCurrentIndex(0);
    screen.SetFolder(folder_.Path());
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
    EXPECT_TRUE(StartCheckMessage(old_, {"golfer.gdb", "course.dbf"}, prog, -1).startsWith("Please select"));
}

}  // namespace
}  // namespace dc

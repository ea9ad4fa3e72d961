// A tee box as the main screen reads it back from a stored course: each gender's own rating, slope,
// pars and hole handicaps, each slot its own. Every figure differs between the genders and slots,
// so that reading the other gender's or slot's column shows.
#include <gtest/gtest.h>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "platform/Database.h"
#include "records/CourseData.h"
#include "records/CourseStore.h"

namespace dc {
namespace {

TEST(CourseStoreTeeBox, EachGenderAndSlotReadsItsOwnFigures) {
    test::ProgramFolder folder;
    folder.OpenDatabase();
    CourseCells cells;
    cells.tee[0] = {"White", "71.2", "125", "73.4", "131"};
    cells.tee[1] = {"Blue", "72.5", "128", "74.6", "135"};
    const struct {
        HoleGridKind grid;
        int slot;
        QString first;  // hole 1's value; the others are 1 more per hole, wrapping
    } holes[] = {{HoleGridKind::MenPars, 0, "3"},   {HoleGridKind::MenPars, 1, "4"},
                 {HoleGridKind::WomenPars, 0, "5"}, {HoleGridKind::WomenPars, 1, "6"},
                 {HoleGridKind::MenHcp, 0, "1"},    {HoleGridKind::MenHcp, 1, "2"},
                 {HoleGridKind::WomenHcp, 0, "3"},  {HoleGridKind::WomenHcp, 1, "4"}};
    for (const auto& h : holes)
        for (int j = 0; j < 18; ++j) cells.Holes(h.grid)[h.slot][j] = h.first;
    CourseStore store(TestDb());
    store.InsertCourse(5, "Pine", PackCourse(cells));

    const struct {
        bool male;
        int slot;
        float rating;
        int slope;
        QString pars, hcp;
    } cases[] = {{true, 0, 71.2f, 125, QString(18, '3'), "01"},
                 {true, 1, 72.5f, 128, QString(18, '4'), "02"},
                 {false, 0, 73.4f, 131, QString(18, '5'), "03"},
                 {false, 1, 74.6f, 135, QString(18, '6'), "04"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("%1 slot %2").arg(c.male ? "men" : "women").arg(c.slot).toStdString());
        const std::optional<TeeBoxFigures> tee = store.ReadTeeBox(5, c.male, c.slot);
        ASSERT_TRUE(tee);
        EXPECT_EQ(tee->slope, c.slope);
        EXPECT_FLOAT_EQ(tee->rating, c.rating);
        EXPECT_EQ(tee->pars, c.pars);
        EXPECT_EQ(tee->Par(18), c.pars.right(1).toInt());
        EXPECT_EQ(tee->hcp[17], c.hcp);
    }
    EXPECT_FALSE(store.ReadTeeBox(6, true, 0)) << "no such course";
}

// Deleting a course forgets what conversions made it of, in one write with the course: a memory left
// behind would send a later conversion's rounds to the next course given this key.
TEST(CourseStore, DeleteForgetsTheConversionInTheSameWrite) {
    test::ProgramFolder folder;
    folder.OpenDatabase();
    CourseStore store(TestDb());
    store.InsertCourse(1, "Pine", {});
    store.InsertCourse(2, "Oak", {});
    TestDb().Execute("INSERT INTO CV_CONVERTED VALUES ('O', 'PINE|', 1), ('C', 'PINE', 1), ('O', 'OAK|', 2)");
    TestDb().Execute(
        "CREATE TRIGGER t BEFORE DELETE ON CV_CONVERTED BEGIN SELECT RAISE(ABORT, 'stopped'); END");
    EXPECT_ANY_THROW(store.DeleteCourse(1));
    EXPECT_EQ(TestDb().Scalar("SELECT COUNT(*) FROM COURSES").toInt(), 2);
    TestDb().Execute("DROP TRIGGER t");
    store.DeleteCourse(1);
    EXPECT_EQ(TestDb().Scalar("SELECT GROUP_CONCAT(COURSE_ID) FROM COURSES").toString(), "2");
    EXPECT_EQ(TestDb().Scalar("SELECT GROUP_CONCAT(NEW_ID) FROM CV_CONVERTED").toString(), "2");
}

}  // namespace
}  // namespace dc

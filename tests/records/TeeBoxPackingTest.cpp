// Packing and unpacking the four tee boxes of a course.
#include <gtest/gtest.h>

#include <QLocale>

#include "records/TeeBoxPacking.h"

using namespace dc;

TEST(TeeBoxPacking, OneFilledTeeBoxAndThreeEmptyOnes) {
    PackedCourse c;
    c.TB = PackTeeName("White") + PackTeeName("") + PackTeeName("   ") + PackTeeName(QString());
    c.MCR = PackRating("71.2") + PackRating("") + PackRating("") + PackRating("");
    c.MSL = PackSlope("125") + PackSlope("") + PackSlope("") + PackSlope("");
    EXPECT_EQ(c.TB, QString(15, ' ') + "White" + QString(60, ' '));
    EXPECT_EQ(c.MCR, "71.200.000.000.0");
    EXPECT_EQ(c.MSL, "125000000000");

    std::array<QString, 18> pars{"4", "5", "3", "4", "3", "4", "3", "5", "4",
                                 "4", "3", "5", "4", "5", "3", "3", "4", "4"};
    EXPECT_EQ(PackHoles(pars, Packed::MPARS), "453434354435453344");
    std::array<QString, 18> yards;
    yards.fill("");
    yards[0] = "95";
    yards[17] = "385";
    const QString y = PackHoles(yards, Packed::YARDS);
    EXPECT_EQ(y.size(), 54);
    EXPECT_TRUE(y.startsWith("095000"));
    EXPECT_TRUE(y.endsWith("385"));
}

TEST(TeeBoxPacking, WrittenForms) {
    EXPECT_EQ(PackRating("5.5"), "05.5");
    EXPECT_EQ(PackRating("99.9"), "99.9");
    EXPECT_EQ(PackRating("72.25"), "72.3") << "halves away from zero";
    EXPECT_EQ(PackSlope("95"), "095");
    EXPECT_EQ(PackTeeName("Blue"), QString(16, ' ') + "Blue");
    EXPECT_EQ(PackTeeName(" Red "), QString(15, ' ') + " Red ");
    EXPECT_EQ(PackTeeName("A very long tee box name indeed").size(), 20)
        << "a long name never shifts the slots";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(PackRating("72.5"), "72.5") << "a point whatever the locale";
    QLocale::setDefault(QLocale::c());
}

TEST(TeeBoxPacking, ReadingShortNullAndOffsetColumns) {
    EXPECT_EQ(TeeName(QString(16, ' ') + "Blue", 0), "Blue");
    EXPECT_EQ(TeeName(QString(15, ' ') + " Red ", 0), "Red");
    EXPECT_DOUBLE_EQ(SlotNumber("05.5", Packed::MCR, 0), 5.5);
    EXPECT_DOUBLE_EQ(SlotNumber("71.268.070.1", Packed::MCR, 2), 70.1);
    EXPECT_DOUBLE_EQ(SlotNumber("71.268.070.1", Packed::MCR, 3), 0.0)
        << "slot past the end of a short column";
    EXPECT_EQ(HoleNumber(QString(), Packed::MPARS, 2, 5), 0) << "a Null column reads as zeros";

    QString yards;
    for (int i = 0; i < 72; ++i) yards += QString("%1").arg(i, 3, 10, QChar('0'));
    EXPECT_EQ(SlotText(yards, Packed::YARDS, 2).left(3), yards.mid(108, 3))
        << "slot 2 of YARDS starts at 109";
    QString hcp(144, '0');
    hcp[142] = '1';
    hcp[143] = '7';
    EXPECT_EQ(HoleNumber(hcp, Packed::MHCP, 3, 18), 17) << "hole 18 of slot 3 is characters 143 and 144";
    EXPECT_EQ(HoleText("4534", Packed::MPARS, 0, 4), "4");
    EXPECT_EQ(HoleText("45", Packed::YARDS, 0, 1), "45") << "a hole partly past the end is what is there";

}

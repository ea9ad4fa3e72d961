// The score cards' plain rules: course-handicap texts and slope lists, stroke marks per hole, and
// the card assignment (sequential, random, renumbering before printing).
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <map>

#include "QStringPrint.h"
#include "scorecards/CardAssignment.h"
#include "scorecards/CourseHcpText.h"
#include "scorecards/StrokeMarks.h"

using namespace dc;

TEST(CourseHcpText, IndexAndHandicapTexts) {
    struct Case {
        double index, tourn, slope;
        const char *indexText, *hcp;
    };
    const Case cases[] = {
        {10.2, kNoTournIndex, 113, "10.2", "10"},
        {12.3, kNoTournIndex, 130, "12.3", "14"},  // 14.15
        {36.4, kNoTournIndex, 113, "36.4", "36"},
        {20.0, 10.2, 113, "20.0", "10 T"},  // the tournament index wins, marked " T"
        {-2.3, kNoTournIndex, 113, "+2.3", "+2"},
        {-2.4, -3.6, 113, "+2.4", "+4 T"},
        {0.0, kNoTournIndex, 113, "+0.0", "0"},
        {-0.2, kNoTournIndex, 113, "+0.2", "0"},
        {15.0, kNoTournIndex, 0, "15.0", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IndexCellText(c.index), c.indexText) << c.index;
        EXPECT_EQ(CalculateHcp(c.index, c.tourn, c.slope), c.hcp)
            << c.index << " " << c.tourn << " " << c.slope;
    }
    EXPECT_EQ(HcpTextValue("+2 T"), -2);
    EXPECT_EQ(HcpTextValue("15 T"), 15);
    EXPECT_FALSE(HcpTextValue(""));
}

TEST(CourseHcpText, SlopeListsAndWarnings) {
    const QString packed = "125095000";
    for (auto [slot, slope] : {std::pair{0, 125.0}, {1, 95.0}, {2, 0.0}, {3, 0.0}, {-1, 0.0}})
        EXPECT_EQ(TeeSlope(packed, Packed::MSL, slot), slope) << "a zero, short, missing or no slot reads 0";
    EXPECT_EQ(TeeSlope(QString(), Packed::WSL, 0), 0.0);

    const QString none = SlopeWarning(false, false, false, 0, 0);
    EXPECT_TRUE(
        none.startsWith("You need to enter course information before printing score cards.\r\nNo Slope"));
    EXPECT_TRUE(none.contains("Women's Tee Box.  Handicap"));
    EXPECT_TRUE(none.endsWith("add the appropriate values for this Tee Box."));
    const QString women = SlopeWarning(true, true, false, 125, 0);
    EXPECT_TRUE(women.startsWith("\r\nPlease select a valid Women's Tee Box."));
    EXPECT_FALSE(women.contains("Men's"));
    EXPECT_EQ(SlopeWarning(true, true, true, 125, 120), "");
}

TEST(StrokeMarks, MarksFollowTheCourseHandicapAndHoleHandicaps) {
    // Hole j has hole handicap 19 - j: hole 18 is the hardest.
    QString hcps;
    for (int j = 1; j <= 18; ++j) hcps += QString("%1").arg(19 - j, 2, 10, QChar('0'));
    auto marksOf = [&](const QString& text) {
        std::map<QString, int> count;  // mark -> holes
        for (const QString& m : StrokeMarks(text, hcps)) ++count[m];
        return count;
    };
    using Count = std::map<QString, int>;
    EXPECT_EQ(marksOf("0"), (Count{{"", 18}}));
    EXPECT_EQ(marksOf(""), (Count{{"", 18}}));
    EXPECT_EQ(marksOf("5"), (Count{{"", 13}, {"*", 5}}));
    EXPECT_EQ(marksOf("18"), (Count{{"*", 18}}));
    EXPECT_EQ(marksOf("20"), (Count{{"*", 16}, {"**", 2}}));
    EXPECT_EQ(marksOf("36"), (Count{{"**", 18}}));
    EXPECT_EQ(marksOf("15 T"), marksOf("15"));
    EXPECT_EQ(marksOf("+2"), (Count{{"", 16}, {"+1", 2}}));

    const auto five = StrokeMarks("5", hcps);
    EXPECT_EQ(five[17], "*") << "hole 18 has hole handicap 1";
    EXPECT_EQ(five[12], "");
    const auto plus = StrokeMarks("-+2", hcps);
    EXPECT_EQ(plus[0], "+1") << "a plus handicap gives strokes back on the easiest holes";
    EXPECT_EQ(plus[1], "+1");
    EXPECT_EQ(StrokeMarks("36", QString(36, '0')), (std::array<QString, 18>{}))
        << "no hole handicaps, no marks";
    EXPECT_EQ(StrokeMarks("18", hcps.left(18) + QString(18, '0'))[12], "") << "a nine-hole tee box";
}

TEST(CardAssignment, SequentialCardsAndTheShortCardNote) {
    const std::vector<bool> seven(7, true);
    EXPECT_EQ(AssignCards(seven, 3), (std::vector<int>{1, 1, 1, 2, 2, 2, 3}));
    EXPECT_EQ(ShortCardNote(7, 3),
              "The Score Cards were set up for 3 players per score card.  Please note that there will be one "
              "card that does not contain 3 Players.");
    EXPECT_EQ(ShortCardNote(6, 3), "");
    EXPECT_EQ(ShortCardNote(5, 1), "");
    EXPECT_EQ(AssignCards({true, false, true, true}, 1), (std::vector<int>{1, 0, 2, 3}));
    EXPECT_EQ(AssignCards({false, true, true, false, true}, 2), (std::vector<int>{0, 1, 1, 0, 2}));
}

TEST(CardAssignment, RandomCardsFillEveryCardButTheLast) {
    const std::vector<bool> ticked{true, false, true, true, true, false, true};
    QRandomGenerator rng(12345);
    const std::vector<int> cards = AssignRandomCards(ticked, 2, rng);
    std::map<int, int> perCard;
    for (size_t r = 0; r < ticked.size(); ++r) {
        if (!ticked[r])
            EXPECT_EQ(cards[r], 0);
        else
            ++perCard[cards[r]];
    }
    EXPECT_EQ(perCard, (std::map<int, int>{{1, 2}, {2, 2}, {3, 1}}));
    QRandomGenerator again(12345);
    EXPECT_EQ(AssignRandomCards(ticked, 2, again), cards) << "the same seed gives the same cards";
}

TEST(CardAssignment, RenumberingBeforePrinting) {
    struct Case {
        const char* name;
        std::vector<CardRow> rows;
        int perCard;
        std::vector<int> order, cards;
        int count;
        const char* message;
    };
    const Case cases[] = {
        {"typed 4, 4, 9", {{true, 4}, {true, 9}, {true, 4}}, 2, {0, 2, 1}, {1, 1, 2}, 2, ""},
        {"unticked rows stay after the ticked ones and keep their numbers",
         {{false, 7}, {true, 2}, {false, 0}, {true, 5}, {true, 2}},
         2,
         {1, 4, 3, 0, 2},
         {1, 1, 2, 7, 0},
         2,
         ""},
        {"an over-full card",
         {{true, 1}, {true, 1}, {true, 1}},
         2,
         {0, 1, 2},
         {1, 1, 1},
         1,
         "There are 3 Players on Card #1.  Please reduce the number of players on each card to be 2 or "
         "less."},
        {"no card numbers form card 1",
         {{true, 0}, {true, 0}, {true, 0}, {false, 0}},
         2,
         {0, 1, 2, 3},
         {1, 1, 1, 0},
         1,
         "There are 3 Players on Card #1.  Please reduce the number of players on each card to be 2 or "
         "less."},
        {"empty numbers count as 0 and come first", {{true, 3}, {true, 0}}, 1, {1, 0}, {1, 2}, 2, ""},
    };
    for (const Case& c : cases) {
        const CardRenumbering r = ReorderCards(c.rows, c.perCard);
        EXPECT_EQ(r.order, c.order) << c.name;
        EXPECT_EQ(r.cards, c.cards) << c.name;
        EXPECT_EQ(r.cardCount, c.count) << c.name;
        EXPECT_EQ(r.message, c.message) << c.name;
    }
}

// The score cards' group of players without a screen: the values each sort column compares, the
// renumbering before printing, and who prints on which card.
#include <gtest/gtest.h>

#include <algorithm>

#include "QStringPrint.h"
#include "scorecards/CardGroup.h"

using namespace dc;

namespace {

CardMember Member(int id, const QString& name, bool print, std::optional<int> card, double index,
                  std::optional<int> hcpValue) {
    CardMember m;
    m.id = id;
    m.name = name;
    m.gender = "M";
    m.print = print;
    m.card = card;
    m.indexes.index = index;
    m.hcp = hcpValue ? QString::number(*hcpValue) : QString();
    m.hcpValue = hcpValue;
    return m;
}

std::vector<int> Ids(const CardGroup& group) {
    std::vector<int> ids;
    for (const CardMember& m : group.members) ids.push_back(m.id);
    return ids;
}

}  // namespace

TEST(CardGroup, SortsByEachColumnEmptyLast) {
    CardGroup group;
    group.members = {Member(1, "brown", true, 2, 12.34, 14),
                     Member(2, "Adams", false, std::nullopt, -2.3, -3),
                     Member(3, "", true, 1, 12.26, std::nullopt), Member(4, "Clark", true, 3, 5.0, 6)};
    struct Case {
        CardSortColumn column;
        bool ascending;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {CardSortColumn::Print, true, {2, 1, 3, 4}}, {CardSortColumn::Card, true, {3, 1, 4, 2}},
        {CardSortColumn::Card, false, {4, 1, 3, 2}},  // no card last either way
        {CardSortColumn::Name, true, {2, 1, 4, 3}},   // case folded, no name last
        {CardSortColumn::Index, true, {2, 4, 1, 3}},  // 12.34 and 12.26 are both 12.3: order kept
        {CardSortColumn::Hcp, false, {1, 4, 2, 3}},
    };
    for (const Case& c : cases) {
        CardGroup sorted = group;
        sorted.Reorder(SortedOrder(sorted.SortValues(c.column), c.ascending));
        EXPECT_EQ(Ids(sorted), c.ids) << static_cast<int>(c.column) << " " << c.ascending;
    }
}

TEST(CardGroup, RenumbersAndPrintsTheTickedOnTheirCards) {
    CardGroup group;
    group.members = {Member(1, "A", true, 4, 0, 1), Member(2, "B", true, 9, 0, 2),
                     Member(3, "C", false, 7, 0, 3), Member(4, "D", true, 4, 0, 4),
                     Member(5, "E", true, std::nullopt, 0, 5)};
    const CardRenumbering r = group.Renumber(2);
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(r.cardCount, 3);
    EXPECT_EQ(Ids(group), std::vector<int>({5, 1, 4, 2, 3}));
    std::vector<std::optional<int>> cards;
    for (const CardMember& m : group.members) cards.push_back(m.card);
    EXPECT_EQ(cards, (std::vector<std::optional<int>>{1, 2, 2, 3, 7})) << "an unticked row keeps its number";

    const auto printed = group.PrintedCards(r.cardCount);
    ASSERT_EQ(printed.size(), 3u);
    EXPECT_EQ(printed[0].size(), 1u);
    ASSERT_EQ(printed[1].size(), 2u);
    EXPECT_EQ(printed[1][0].name, "A");
    EXPECT_EQ(printed[1][1].hcpText, "4");
    EXPECT_EQ(printed[2][0].name, "B");

    group.SetCards({0, 0, 0, 0, 0});
    EXPECT_FALSE(group.members[0].card) << "0 takes the number away";
    const auto none = group.PrintedCards(3);
    EXPECT_TRUE(std::all_of(none.begin(), none.end(), [](const auto& card) { return card.empty(); }))
        << "no card, nothing printed";
}

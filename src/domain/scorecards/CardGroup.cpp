#include "scorecards/CardGroup.h"

#include <algorithm>
#include <cmath>

namespace dc {

std::vector<bool> CardGroup::Ticked() const {
    std::vector<bool> ticked;
    ticked.reserve(members.size());
    for (const CardMember& m : members) ticked.push_back(m.print);
    return ticked;
}

int CardGroup::TickedCount() const {
    return static_cast<int>(
        std::count_if(members.begin(), members.end(), [](const CardMember& m) { return m.print; }));
}

std::vector<CardSortValue> CardGroup::SortValues(CardSortColumn column) const {
    std::vector<CardSortValue> values;
    values.reserve(members.size());
    for (const CardMember& m : members) {
        CardSortValue v;
        v.numeric = column != CardSortColumn::Name;
        switch (column) {
            case CardSortColumn::Print:
                v.number = m.print ? 1 : 0;
                break;
            case CardSortColumn::Card:
                v.empty = !m.card;
                v.number = m.card.value_or(0);
                break;
            case CardSortColumn::Index:
                v.number = std::round(m.indexes.index * 10) / 10;
                break;
            case CardSortColumn::Hcp:
                v.empty = !m.hcpValue;
                v.number = m.hcpValue.value_or(0);
                break;
            case CardSortColumn::Name:
                v.empty = m.name.trimmed().isEmpty();
                v.text = m.name;
                break;
        }
        values.push_back(v);
    }
    return values;
}

void CardGroup::Reorder(const std::vector<int>& order) {
    std::vector<CardMember> moved;
    moved.reserve(order.size());
    for (int i : order) moved.push_back(members[static_cast<size_t>(i)]);
    members = std::move(moved);
}

void CardGroup::SetCards(const std::vector<int>& cards) {
    for (size_t i = 0; i < cards.size() && i < members.size(); ++i)
        members[i].card = cards[i] > 0 ? std::optional<int>(cards[i]) : std::nullopt;
}

CardRenumbering CardGroup::Renumber(int perCard) {
    std::vector<CardRow> rows;
    rows.reserve(members.size());
    for (const CardMember& m : members) rows.push_back({m.print, m.card.value_or(0)});
    const CardRenumbering renumbering = ReorderCards(rows, perCard);
    Reorder(renumbering.order);
    for (size_t i = 0; i < members.size(); ++i)
        if (members[i].print) members[i].card = renumbering.cards[i];
    return renumbering;
}

std::vector<std::vector<CardPlayer>> CardGroup::PrintedCards(int cardCount) const {
    std::vector<std::vector<CardPlayer>> cards(static_cast<size_t>(std::max(0, cardCount)));
    for (const CardMember& m : members) {
        const int card = m.card.value_or(0);
        if (!m.print || card < 1 || card > cardCount) continue;
        cards[static_cast<size_t>(card - 1)].push_back({m.name, m.gender, m.hcp});
    }
    return cards;
}

}  // namespace dc

#pragma once
// The players of the score-card screen with their cards, in the order shown: each one's print
// tick, card number, tee box, indexes and course handicap. Sorting, grouping, the renumbering
// before printing and the choice of who prints on which card read and change it.

#include <QString>
#include <optional>
#include <vector>

#include "scorecards/CardAssignment.h"
#include "scorecards/CourseHcpText.h"
#include "scorecards/ScoreCardPrint.h"

namespace dc {

struct CardMember {
    int id = 0;  // PLAYER_ID
    QString gender;
    QString name;
    bool print = true;
    std::optional<int> card;  // none: no card number
    int teeSlot = -1;         // the tee box chosen for the player, -1 none
    PlayerIndexes indexes;
    QString hcp;                  // the course handicap as shown
    std::optional<int> hcpValue;  // its signed number, none when empty
};

// The columns a header click sorts on.
enum class CardSortColumn { Print, Card, Name, Index, Hcp };

class CardGroup {
  public:
    std::vector<CardMember> members;

    int Count() const { return static_cast<int>(members.size()); }
    CardMember& At(int row) { return members[static_cast<size_t>(row - 1)]; }  // rows from 1
    const CardMember& At(int row) const { return members[static_cast<size_t>(row - 1)]; }

    std::vector<bool> Ticked() const;
    int TickedCount() const;
    // Every member's value in the sort column: indexes to a tenth, an empty card or handicap last.
    std::vector<CardSortValue> SortValues(CardSortColumn column) const;
    // order[i] = the member that stands at position i afterwards.
    void Reorder(const std::vector<int>& order);
    // Card numbers by position; 0 takes the number away.
    void SetCards(const std::vector<int>& cards);
    // The renumbering before printing: rows reordered, the ticked ones numbered 1, 2, 3, ...
    CardRenumbering Renumber(int perCard);
    // The ticked members on cards 1 to cardCount, in their order, as the cards print them.
    std::vector<std::vector<CardPlayer>> PrintedCards(int cardCount) const;
};

}  // namespace dc

#pragma once
// Grouping the ticked players of the score-card grid into cards: sequential and random card
// numbers, the note about a card that will not be full, and the renumbering and capacity check
// made before printing. Rows are given in grid order; card 0 means no card.

#include <QString>
#include <vector>

class QRandomGenerator;

namespace dc {

struct CardRow {
    bool ticked = false;
    int card = 0;  // 0 = no card number
};

// The note shown when the ticked players do not fill every card; "" when they do (or P is 1).
QString ShortCardNote(int tickedCount, int perCard);

// Card numbers 1, 1, 1, 2, ... (P to a card) for the ticked rows in order; 0 for the others.
std::vector<int> AssignCards(const std::vector<bool>& ticked, int perCard);

// Random card numbers: every card holds P ticked players but the last, which holds the rest; each
// player is drawn uniformly from the rows still without a card. Unticked rows get 0.
std::vector<int> AssignRandomCards(const std::vector<bool>& ticked, int perCard, QRandomGenerator& rng);

// The result of the renumbering before printing.
struct CardRenumbering {
    std::vector<int> order;  // order[i] = the given row that stands at position i afterwards
    std::vector<int> cards;  // the card number of each position afterwards (0 = none)
    int cardCount = 0;       // number of cards (the last card number)
    QString message;         // not empty: a card holds too many players; print nothing
};

// Ticked rows first, by card number (no number counts as 0, ties keep their order), then the
// unticked rows in their order; the ticked rows' card numbers become 1, 2, 3, ... without gaps
// (ticked rows without a number form card 1); unticked rows keep what they hold. Then no card may
// hold more than P players.
CardRenumbering ReorderCards(const std::vector<CardRow>& rows, int perCard);

// A row's value in the column a header click sorts on.
struct CardSortValue {
    bool empty = false;    // shown empty: last in either direction
    bool numeric = false;  // compared by `number`, else by `text` case-folded
    double number = 0;
    QString text;
};
// The rows' new order (order[i] = the given row at position i); rows of equal value keep theirs.
std::vector<int> SortedOrder(const std::vector<CardSortValue>& values, bool ascending);

}  // namespace dc

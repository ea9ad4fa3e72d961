#include "scorecards/CardAssignment.h"

#include <QRandomGenerator>
#include <algorithm>
#include <numeric>

namespace dc {

QString ShortCardNote(int tickedCount, int perCard) {
    if (perCard <= 1 || tickedCount % perCard == 0) return QString();
    const QString p = QString::number(perCard);
    return "The Score Cards were set up for " + p +
           " players per score card.  Please note that there will be one card that does not contain " + p +
           " Players.";
}

std::vector<int> AssignCards(const std::vector<bool>& ticked, int perCard) {
    perCard = std::max(1, perCard);
    std::vector<int> cards(ticked.size(), 0);
    int card = 1, placed = 0;
    for (size_t r = 0; r < ticked.size(); ++r) {
        if (!ticked[r]) continue;
        cards[r] = card;
        if (++placed % perCard == 0) ++card;
    }
    return cards;
}

std::vector<int> AssignRandomCards(const std::vector<bool>& ticked, int perCard, QRandomGenerator& rng) {
    perCard = std::max(1, perCard);
    std::vector<int> cards(ticked.size(), 0);
    std::vector<int> open;  // ticked rows still without a card
    for (size_t r = 0; r < ticked.size(); ++r)
        if (ticked[r]) open.push_back(static_cast<int>(r));
    for (int card = 1; !open.empty(); ++card) {
        for (int k = 0; k < perCard && !open.empty(); ++k) {
            const auto pick = static_cast<size_t>(rng.bounded(static_cast<int>(open.size())));
            cards[static_cast<size_t>(open[pick])] = card;
            open.erase(open.begin() + static_cast<std::ptrdiff_t>(pick));
        }
    }
    return cards;
}

CardRenumbering ReorderCards(const std::vector<CardRow>& rows, int perCard) {
    CardRenumbering result;
    result.order.resize(rows.size());
    std::iota(result.order.begin(), result.order.end(), 0);
    std::stable_sort(result.order.begin(), result.order.end(), [&](int a, int b) {
        const CardRow &x = rows[static_cast<size_t>(a)], &y = rows[static_cast<size_t>(b)];
        if (x.ticked != y.ticked) return x.ticked;
        return x.ticked && x.card < y.card;
    });

    int cardCount = 0, previous = -1;
    std::vector<int> players(1, 0);  // players on each card, by card number
    for (int position : result.order) {
        const CardRow& row = rows[static_cast<size_t>(position)];
        if (!row.ticked) {
            result.cards.push_back(row.card);
            continue;
        }
        if (row.card != previous) {
            ++cardCount;
            players.push_back(0);
        }
        previous = row.card;
        result.cards.push_back(cardCount);
        ++players[static_cast<size_t>(cardCount)];
    }
    result.cardCount = cardCount;
    for (int card = 1; card <= cardCount; ++card) {
        const int count = players[static_cast<size_t>(card)];
        if (count <= perCard) continue;
        result.message = "There are " + QString::number(count) + " Players on Card #" +
                         QString::number(card) + ".  " +
                         "Please reduce the number of players on each card to be " +
                         QString::number(perCard) + " or less.";
        break;
    }
    return result;
}

std::vector<int> SortedOrder(const std::vector<CardSortValue>& values, bool ascending) {
    std::vector<int> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const CardSortValue &x = values[static_cast<size_t>(a)], &y = values[static_cast<size_t>(b)];
        if (x.empty || y.empty) return !x.empty && y.empty;
        int cmp;
        if (x.numeric && y.numeric)
            cmp = x.number < y.number ? -1 : (x.number > y.number ? 1 : 0);
        else
            cmp = QString::compare(x.text.trimmed().toCaseFolded(), y.text.trimmed().toCaseFolded());
        return ascending ? cmp < 0 : cmp > 0;
    });
    return order;
}

}  // namespace dc

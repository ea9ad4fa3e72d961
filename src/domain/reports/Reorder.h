#pragma once
// Puts a vector in a new order in place: element i becomes the one that was at order[i]. Each
// element is moved once, with no second array of them (a club's rows are large).

#include <utility>
#include <vector>

namespace dc {

template <class T>
void Reorder(std::vector<T>& items, const std::vector<int>& order) {
    std::vector<bool> placed(items.size(), false);
    for (int start = 0; start < int(items.size()); ++start) {
        if (placed[start]) continue;
        T first = std::move(items[start]);
        int to = start;
        for (int from = order[to]; from != start; from = order[to]) {
            items[to] = std::move(items[from]);
            placed[to] = true;
            to = from;
        }
        items[to] = std::move(first);
        placed[to] = true;
    }
}

}  // namespace dc

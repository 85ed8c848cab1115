#include "ReSortOracle.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

namespace {

double wholeNumber(double value) { return std::nearbyint(value); }

struct Key {
    double key;
    qsizetype position;
};

std::optional<Key> keyOf(const QString &text)
{
    for (qsizetype c = 0; c < text.size(); ++c) {
        const double whole = wholeNumber(leadingNumber(QStringView(text).mid(c)));
        if (whole > 0)
            return Key{whole, c};
    }
    return std::nullopt;
}

} // namespace

void ReSortOracle(QVector<ListItem> &items)
{
    // Where each item stood before the re-sort, moved along with it: the
    // arrangements of a pass that goes round in circles are told apart by it.
    std::vector<int> origin(items.size());
    for (qsizetype i = 0; i < items.size(); ++i)
        origin[i] = int(i);

    const qsizetype last = items.size() - 1;
    qsizetype movesHere = 0;
    std::map<std::vector<int>, qsizetype> seen; // arrangement after p -> when first seen
    std::vector<std::vector<int>> history;
    for (qsizetype p = 0; p <= last; ++p) {
        const std::optional<Key> key = keyOf(items[p].text);
        if (!key) {
            movesHere = 0;
            continue;
        }
        const QStringView prefix = QStringView(items[p].text).left(key->position);
        qsizetype target = -1;
        for (qsizetype q = p + 1; q < items.size(); ++q) {
            const QString &other = items[q].text;
            const bool member = prefix.isEmpty() ? leadingNumber(other) > 0
                                                 : other.startsWith(prefix);
            if (!member)
                break;
            if (wholeNumber(leadingNumber(QStringView(other).mid(key->position))) < key->key)
                target = q;
        }
        if (target >= 0 && movesHere > last - p) {
            // More moves at one place than there are items after it: watch for
            // an arrangement coming back, which means the steps would go on
            // for ever. They end at the arrangement of the circle that keeps
            // the items closest to their former order, its first item staying.
            std::vector<int> state(origin.begin() + p, origin.end());
            const auto found = seen.find(state);
            if (found != seen.end()) {
                std::vector<int> best = state;
                for (qsizetype h = found->second; h < qsizetype(history.size()); ++h)
                    best = std::min(best, history[h]);
                const QVector<ListItem> before = items;
                for (qsizetype i = 0; i < qsizetype(best.size()); ++i) {
                    const qsizetype from = std::find(origin.begin() + p, origin.end(), best[i])
                        - origin.begin();
                    items[p + i] = before[from];
                }
                std::copy(best.begin(), best.end(), origin.begin() + p);
                target = -1;
            } else {
                seen.emplace(state, qsizetype(history.size()));
                history.push_back(std::move(state));
            }
        }
        if (target < 0) {
            movesHere = 0;
            seen.clear();
            history.clear();
            continue;
        }
        const ListItem moved = items[p];
        items.remove(p);
        items.insert(target, moved);
        const int movedOrigin = origin[p];
        origin.erase(origin.begin() + p);
        origin.insert(origin.begin() + target, movedOrigin);
        ++movesHere;
        --p;
    }
}

#pragma once

// Inside the numeric re-sort: the steps on a run of items whose prefixes see
// each other's numbers (Quote 0.6 and Quote 0.49: the first reads 1 and sees
// 0 in the second, the second reads 49 and sees 6 in the first), where the
// steps can go round in circles.

#include <QStringView>

#include <vector>

namespace ReSortRun {

// What the re-sort needs of one item, worked out once.
struct Entry {
    QStringView text; // the item's text (a copy the re-sort keeps meanwhile)
    bool hasKey = false;
    double key = 0; // whole number above 0 when hasKey
    qsizetype position = 0; // where the number starts; the prefix is the text before it
    double leading = 0; // leading number of the whole text
};

// The whole number read in the item's text from the position on, which an
// item whose number stands at that position compares with its key.
double valueAt(const Entry &e, qsizetype position);

// Puts the run (indices into the entries, which are also where the items
// stood before the re-sort) in the order the steps leave it, a circle ended
// at its arrangement closest to the former order. False, leaving the run as
// it was, when the run has more prefixes than this is made for.
bool orderRun(const std::vector<Entry> &entries, std::vector<int> &run);

} // namespace ReSortRun

#pragma once

#include "lists/NumericReSort.h"

// The re-sort done literally, one step at a time: every item is examined in
// turn, its whole group after it is scanned, and a moved item is taken out
// and put back in. It costs the square of the list length and more, which
// is why the program does not use it; the tests and benchmarks keep it as
// the reference the program's re-sort must match item for item. It reads
// numbers by its own literal reading of the rule, never the program's.
void ReSortOracle(QVector<ListItem> &items);
double OracleLeadingNumber(QStringView text);

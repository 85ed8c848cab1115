#pragma once

#include "lists/NumericReSort.h"

// The re-sort done literally, one step at a time, with its own reading of
// numbers and its own end to a pass that would go round in circles: the
// reference the program's re-sort must match item for item. It costs the
// square of the list length and more, which is why the program does not use it.
void ReSortOracle(QVector<ListItem> &items);
double OracleLeadingNumber(QStringView text);

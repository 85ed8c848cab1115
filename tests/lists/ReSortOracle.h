#pragma once

#include "lists/NumericReSort.h"

// The re-sort step by step, with its own number reading and end to a circle.
void ReSortOracle(QVector<ListItem> &items);
double OracleLeadingNumber(QStringView text);

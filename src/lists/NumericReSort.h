#pragma once

#include <QString>
#include <QStringView>
#include <QVector>

struct ListItem {
    QString text;
    int data = 0;
    bool operator==(const ListItem &) const = default;
};

// The number a text starts with: blanks, tabs and line feeds are skipped
// wherever they stand; an optional sign, digits with at most one point, an
// optional exponent (E or D), or a radix form &H / &O. Zero when the text
// does not start with a number.
double leadingNumber(QStringView text);

// Orders neighbouring items that share the same text before a number by
// that number (12, 3, 24, 6, 1 gives 1, 3, 6, 12, 24; Acme 10, Acme 9 gives
// Acme 9, Acme 10). An item without a number above zero (0, abc, an empty
// text) never moves and separates the runs that are ordered. Item data
// moves with its item.
void NumericReSort(QVector<ListItem> &items);

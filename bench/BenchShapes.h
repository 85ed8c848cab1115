#pragma once

#include <QStringList>

// The lists an office builds up, as the list controls first hold them.
namespace BenchShapes {

// "Quote 1" to "Quote n", in the case-insensitive text order of a sorted
// list box (Quote 1, Quote 10, Quote 100, ...).
QStringList quoteNames(int n);

// Quotes named after customers with a number, several quotes per customer,
// now and then one named after the customer alone; in text order.
QStringList customerNames(int n);

// The whole numbers 1 to n in a shuffled (folder) order.
QStringList shuffledNumbers(int n);

} // namespace BenchShapes

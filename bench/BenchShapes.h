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

// Quotes named with a decimal fraction behind the name, in text order:
// "Quote 0.N" with N up to 99999, or "Quote M.N" with M 0 to 3 and N up to
// 9999. Their numbers read differently from two places (0.6 reads as 1 from
// the blank, 6 from the point), so the re-sort's steps go round in circles.
QStringList quoteFractions(int n);
QStringList quoteUnitsAndFractions(int n);

// The lists of one kind that a seeded search for slow re-sorts draws from,
// each a random list of n names for the seed, in text order (as a sorted
// list box holds them) for even seeds, in folder order for odd ones.
enum class Family {
    QuoteNumbers,
    CustomerNumbers,
    WholeNumbers,
    QuoteFractions,
    QuoteUnitsAndFractions,
    Fractions,
    EveryKind
};
constexpr int Families = 7;
const char *familyName(Family family);
QStringList randomList(Family family, int n, unsigned seed);

} // namespace BenchShapes

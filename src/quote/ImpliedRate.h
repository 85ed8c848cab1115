#pragma once

// The interest rate a lease implies: the monthly rate at which its rentals,
// each discounted from the month it is paid back to the signing, add up to
// the value. Plain arithmetic in double precision, apart from any window.
namespace Calculation {

// The rentals of a lease in time. The upfront rental is paid at signing
// (month 0); the mid rentals monthly, the first in month firstMid (1 when
// there is an upfront rental, 0 when there is none); the final rental one
// month after the last mid rental. Amounts in currency units.
struct Rentals {
    double value = 0;
    double upfront = 0; // 0 when there is none
    double monthly = 0;
    double final = 0; // 0 when there is none
    int mids = 0;
    int firstMid = 0;
};

// The most mid rentals a rate is worked out for.
inline constexpr int MostMids = 999;

// The highest annual rate shown as a number: 999.99 % a year, as a fraction.
inline constexpr double HighestAnnualRate = 9.9999;

// The rentals discounted to the signing at the monthly rate i.
double presentValue(const Rentals &rentals, double i);

struct ImpliedRate {
    enum class Kind {
        Rate, // monthly holds the rate
        NoFinanceCharge, // the rentals add up to no more than the value
        OverHighest, // the nominal rate would be above HighestAnnualRate
    };
    Kind kind = Kind::NoFinanceCharge;
    double monthly = 0; // i, a fraction (0.01 is 1 % a month)

    double nominal() const; // 12 i
    double effective() const; // (1 + i)^12 - 1
};

// Solves presentValue(rentals, i) = value for i by Newton's method, kept
// inside a bracket that halves whenever a step would leave it, so it always
// converges. Rentals of the opposite sign to the value repay none of it:
// no finance charge. A value and rentals that are all negative give the rate
// of the same lease with the signs turned.
ImpliedRate impliedRate(Rentals rentals);

} // namespace Calculation

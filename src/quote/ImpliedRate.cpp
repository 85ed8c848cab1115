#include "quote/ImpliedRate.h"

#include <cmath>

namespace Calculation {

namespace {

struct Evaluation {
    double value; // the rentals discounted at i
    double slope; // its derivative by i
};

// One pass over the mid rentals: each month's discount factor is the one
// before times v, and the derivative of v^t by i is -t v^(t+1).
Evaluation evaluate(const Rentals &r, double i)
{
    const double v = 1.0 / (1.0 + i);
    double factor = r.firstMid == 1 ? v : 1.0;
    double mids = 0, weighted = 0;
    for (int t = r.firstMid; t < r.firstMid + r.mids; ++t) {
        mids += factor;
        weighted += t * factor;
        factor *= v;
    }
    const int finalMonth = r.firstMid + r.mids;
    return {r.upfront + r.monthly * mids + r.final * factor,
            -v * (r.monthly * weighted + r.final * finalMonth * factor)};
}

} // namespace

double presentValue(const Rentals &rentals, double i) { return evaluate(rentals, i).value; }

double ImpliedRate::nominal() const { return 12.0 * monthly; }

double ImpliedRate::effective() const { return std::expm1(12.0 * std::log1p(monthly)); }

ImpliedRate impliedRate(Rentals r)
{
    if (r.value < 0) {
        r.value = -r.value;
        r.upfront = -r.upfront;
        r.monthly = -r.monthly;
        r.final = -r.final;
    }
    // With every rental of the value's sign, the discounted rentals fall
    // steadily as the rate rises, from their plain total at a rate of 0: a
    // total above the value crosses it exactly once.
    const double total = presentValue(r, 0.0);
    if (r.upfront < 0 || r.monthly < 0 || r.final < 0 || !(total > r.value))
        return {ImpliedRate::Kind::NoFinanceCharge, 0};
    double lo = 0, hi = HighestAnnualRate / 12.0;
    if (presentValue(r, hi) > r.value)
        return {ImpliedRate::Kind::OverHighest, 0};

    // The first guess: the whole total paid at once at the rentals' mean
    // month, which is exact for a lease of one rental.
    const double meanMonth =
        (r.monthly * (double(r.mids) * r.firstMid + double(r.mids) * (r.mids - 1) / 2.0)
         + r.final * (r.firstMid + r.mids))
        / total;
    double i = meanMonth > 0 ? std::pow(total / r.value, 1.0 / meanMonth) - 1.0 : hi;
    if (!(i > lo && i < hi))
        i = (lo + hi) / 2;
    for (int step = 0; step < 400; ++step) {
        const Evaluation e = evaluate(r, i);
        const double gap = e.value - r.value;
        if (gap == 0)
            break;
        (gap > 0 ? lo : hi) = i;
        double next = i - gap / e.slope;
        if (!(next > lo && next < hi))
            next = (lo + hi) / 2;
        // Twelve significant digits are far more than a rate shows (and
        // than a value to the cent needs); beyond them the rounding of the
        // sums only makes the steps wander.
        const bool settled = std::fabs(next - i) <= 1e-12 * next;
        i = next;
        if (settled || hi - lo <= 1e-12 * hi)
            break;
    }
    return {ImpliedRate::Kind::Rate, i};
}

} // namespace Calculation

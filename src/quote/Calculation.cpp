#include "quote/Calculation.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace Calculation {

namespace {
// Stores a result in single precision; a result beyond the range becomes an
// infinity of its sign (a plain conversion would be undefined there).
float single(double value)
{
    if (std::fabs(value) > double(FLT_MAX))
        return value < 0 ? -std::numeric_limits<float>::infinity()
                         : std::numeric_limits<float>::infinity();
    return float(value);
}
} // namespace

std::optional<Structure> structureNamed(const QString &term)
{
    if (term == UpfrontMidFinalName)
        return Structure::UpfrontMidFinal;
    if (term == UpfrontMidName)
        return Structure::UpfrontMid;
    if (term == MidFinalName)
        return Structure::MidFinal;
    if (term == MidName)
        return Structure::Mid;
    return std::nullopt;
}

bool hasUpfront(Structure structure)
{
    return structure == Structure::UpfrontMidFinal || structure == Structure::UpfrontMid;
}

bool hasFinal(Structure structure)
{
    return structure == Structure::UpfrontMidFinal || structure == Structure::MidFinal;
}

Amounts amountsFor(Structure structure, float value, float rate, float upfrontMultiplier,
                   float finalMultiplier)
{
    Amounts a;
    // One rounding to single precision per formula, at the store.
    a.monthly = single(double(value) * double(rate) / 1000.0);
    if (hasUpfront(structure))
        a.upfront = single(double(upfrontMultiplier) * double(a.monthly));
    a.weekly = single(double(a.monthly) * 12.0 / 52.0);
    a.daily = single(double(a.weekly) / 7.0);
    if (hasFinal(structure))
        a.final = single(double(finalMultiplier) * double(a.monthly));
    return a;
}

bool allFinite(Structure structure, const Amounts &a)
{
    if (!std::isfinite(a.monthly) || !std::isfinite(a.weekly) || !std::isfinite(a.daily))
        return false;
    if (hasUpfront(structure) && !std::isfinite(a.upfront))
        return false;
    if (hasFinal(structure) && !std::isfinite(a.final))
        return false;
    return true;
}

} // namespace Calculation

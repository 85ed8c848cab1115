#pragma once

#include <QString>
#include <optional>

// The rental arithmetic of a quotation, apart from any window.
//
// Every quantity is held in single precision, as offices have always seen
// the amounts; each formula is worked out in double from its single-precision
// operands and rounded to single precision once, when it is stored. Later
// formulas use the stored, unrounded results, never the two-decimal texts.
namespace Calculation {

// The term structures a quotation can have, in the order they are tested.
enum class Structure { UpfrontMidFinal, UpfrontMid, MidFinal, Mid };

inline const QString UpfrontMidFinalName = QStringLiteral("Upfront+Mid+Final");
inline const QString UpfrontMidName = QStringLiteral("Upfront+Mid");
inline const QString MidFinalName = QStringLiteral("Mid+Final");
inline const QString MidName = QStringLiteral("Mid");

// The structure a term text names, compared exactly (letter case and blanks
// count). Any other text, "Upfront+Final" among them, names none.
std::optional<Structure> structureNamed(const QString &term);

bool hasUpfront(Structure structure);
bool hasFinal(Structure structure);

struct Amounts {
    float monthly = 0;
    float upfront = 0; // only meaningful for structures with an upfront rental
    float weekly = 0;
    float daily = 0;
    float final = 0; // only meaningful for structures with a final rental
};

// Monthly = value x rate / 1000, upfront = upfront multiplier x monthly,
// weekly = monthly x 12 / 52, daily = weekly / 7, final = final multiplier
// x monthly. Multipliers that the structure does not use are ignored.
Amounts amountsFor(Structure structure, float value, float rate, float upfrontMultiplier,
                   float finalMultiplier);

// False when an amount the structure uses has left the single-precision
// range (it would show as infinity).
bool allFinite(Structure structure, const Amounts &amounts);

} // namespace Calculation

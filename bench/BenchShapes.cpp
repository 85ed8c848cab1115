#include "BenchShapes.h"

#include <algorithm>
#include <random>

namespace BenchShapes {

namespace {
const char *const firms[] = {"Acme",         "Acme Holdings", "Bolt & Sons", "Carter Leasing",
                             "Dawson Farms", "Evans Print",   "Fenwick Ltd", "Gould Haulage",
                             "Harbour Cafe", "Ingram Dental"};
const char *const towns[] = {"Bath",  "Bristol", "Cardiff", "Derby", "Exeter",
                             "Leeds", "Luton",   "York",    "Hull",  "Ely"};

void textOrder(QStringList &names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}
} // namespace

QStringList quoteNames(int n)
{
    QStringList names;
    names.reserve(n);
    for (int i = 1; i <= n; ++i)
        names << QStringLiteral("Quote %1").arg(i);
    textOrder(names);
    return names;
}

QStringList customerNames(int n)
{
    std::mt19937 engine(42);
    // About ten quotes per customer. A customer is a firm and a town, and
    // beyond a hundred customers a branch letter code too ("Acme Bath",
    // "Acme Bath B"), so that names of one customer extend another's.
    const int customers = std::max(1, n / 10);
    QStringList names;
    names.reserve(n);
    for (int i = 0; i < n; ++i) {
        int c = int(engine() % quint32(customers));
        QString customer = QStringLiteral("%1 %2").arg(QLatin1String(firms[c % 10]),
                                                       QLatin1String(towns[(c / 10) % 10]));
        if (c >= 100) {
            QString code;
            for (c /= 100; c > 0; c /= 26)
                code.prepend(QChar(QLatin1Char(char('A' + c % 26))));
            customer += QLatin1Char(' ') + code;
        }
        if (engine() % 25 == 0)
            names << customer; // a quote named after the customer alone
        else
            names << QStringLiteral("%1 %2").arg(customer).arg(1 + engine() % 500);
    }
    textOrder(names);
    return names;
}

QStringList quoteFractions(int n)
{
    std::mt19937 engine(3);
    QStringList names;
    names.reserve(n);
    for (int i = 0; i < n; ++i)
        names << QStringLiteral("Quote 0.%1").arg(engine() % 100000);
    textOrder(names);
    return names;
}

QStringList quoteUnitsAndFractions(int n)
{
    std::mt19937 engine(4);
    QStringList names;
    names.reserve(n);
    for (int i = 0; i < n; ++i)
        names << QStringLiteral("Quote %1.%2").arg(engine() % 4).arg(engine() % 10000);
    textOrder(names);
    return names;
}

const char *familyName(Family family)
{
    static const char *const names[] = {
        "quote numbers",   "customer numbers",          "whole numbers",
        "quote fractions", "quote units and fractions", "fractions",
        "every kind"};
    return names[int(family)];
}

QStringList randomList(Family family, int n, unsigned seed)
{
    std::mt19937 engine(seed);
    // The pieces names of every kind are made of: prefixes that extend one
    // another, numbers in every form the reading knows, endings.
    static const char *const prefixes[] = {"",          "",  "Quote ", "Quote", "quote ", "Acme ",
                                           "Acme Ltd ", "A", "x0.",    "0.",    "Bolt-",  " "};
    static const char *const numbers[] = {
        "0",  "1",   "2",  "5",  "10",  "007", "0.5", "0.49", "0.6",  "1.5",         "2.5", "3.7",
        ".5", "12.", "-4", "+3", "1 2", "1E2", "2d1", "&H1F", "&O17", "99999999999", "0.05"};
    static const char *const endings[] = {"", "", " Ltd", "b", ".txt", " 2", "x5"};
    auto pick = [&](const auto &list) { return list[engine() % std::size(list)]; };
    QStringList names;
    names.reserve(n);
    for (int i = 0; i < n; ++i) {
        switch (family) {
        case Family::QuoteNumbers:
            names << QStringLiteral("Quote %1").arg(1 + engine() % 100000);
            break;
        case Family::CustomerNumbers:
            names << QStringLiteral("%1 %2 %3")
                         .arg(QLatin1String(pick(firms)), QLatin1String(pick(towns)))
                         .arg(1 + engine() % 500);
            break;
        case Family::WholeNumbers: names << QString::number(1 + engine() % 100000); break;
        case Family::QuoteFractions:
            names << QStringLiteral("Quote 0.%1").arg(engine() % (engine() % 2 ? 100 : 100000));
            break;
        case Family::QuoteUnitsAndFractions:
            names << QStringLiteral("Quote %1.%2").arg(engine() % 4).arg(engine() % 10000);
            break;
        case Family::Fractions:
            names << QStringLiteral("%1.%2").arg(engine() % 4).arg(engine() % 100);
            break;
        case Family::EveryKind:
            names << QLatin1String(pick(prefixes)) + QLatin1String(pick(numbers))
                    + QLatin1String(pick(endings));
            break;
        }
    }
    if (seed % 2 == 0)
        textOrder(names);
    return names;
}

QStringList shuffledNumbers(int n)
{
    QStringList names;
    names.reserve(n);
    for (int i = 1; i <= n; ++i)
        names << QString::number(i);
    std::mt19937 engine(7);
    std::shuffle(names.begin(), names.end(), engine);
    return names;
}

} // namespace BenchShapes

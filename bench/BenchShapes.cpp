#include "BenchShapes.h"

#include <algorithm>
#include <random>

namespace BenchShapes {

namespace {
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
    static const char *const firms[] = {
        "Acme",        "Acme Holdings", "Bolt & Sons",   "Carter Leasing", "Dawson Farms",
        "Evans Print", "Fenwick Ltd",   "Gould Haulage", "Harbour Cafe",   "Ingram Dental"};
    static const char *const towns[] = {"Bath",  "Bristol", "Cardiff", "Derby", "Exeter",
                                        "Leeds", "Luton",   "York",    "Hull",  "Ely"};
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

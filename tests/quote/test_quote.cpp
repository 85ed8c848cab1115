// The interest rate a lease implies, against its rentals discounted one by one.
#include "quote/LeaseOption.h"

#include <QtTest>
#include <cmath>
#include <random>

using namespace Calculation;

namespace {
// Every rental on its own, discounted from the month it is paid.
double discounted(const Rentals &r, double monthlyRate)
{
    double sum = r.upfront;
    for (int month = r.firstMid; month < r.firstMid + r.mids; ++month)
        sum += r.monthly * std::pow(1 + monthlyRate, -month);
    return sum + r.final * std::pow(1 + monthlyRate, -(r.firstMid + r.mids));
}
} // namespace

class TestQuote : public QObject {
    Q_OBJECT
private slots:
    // Seeded leases of every structure, multipliers 1 to 99, 1 to 999 mids, rates per 1000 from
    // 0.01 to 999.99 (as many of each tenfold): each kind of answer as the rentals say.
    void impliedRateGivesBackTheValue()
    {
        std::mt19937 random(19);
        std::uniform_int_distribution<int> structure(0, 3), multiplier(1, 99), mids(1, MostMids);
        std::uniform_real_distribution<double> tenfolds(-2, 3), value(1, 9999999);
        int kinds[3] = {};
        for (int n = 0; n < 6000; ++n) {
            Quotation q;
            q.structure = Structure(structure(random));
            q.value = float(std::round(value(random)));
            q.rate = float(
                std::clamp(std::round(std::pow(10, tenfolds(random)) * 100) / 100, 0.01, 999.99));
            q.upfront = hasUpfront(q.structure) ? float(multiplier(random)) : 0;
            q.final = hasFinal(q.structure) ? float(multiplier(random)) : 0;
            q.mids = float(mids(random));
            q.amounts = amountsFor(q.structure, q.value, q.rate, q.upfront, q.final);
            const Rentals r = rentalsOf(q).value();
            QCOMPARE(r.firstMid, hasUpfront(q.structure) ? 1 : 0);
            const ImpliedRate found = impliedRate(r);
            ++kinds[int(found.kind)];
            const double total = discounted(r, 0);
            QVERIFY(std::fabs(totalOf(q) - total) < 1e-9 * total);
            const QString lease = QString("%1 %2 %3+%4+%5 at %6: ")
                                      .arg(int(q.structure))
                                      .arg(q.value)
                                      .arg(q.upfront)
                                      .arg(q.mids)
                                      .arg(q.final)
                                      .arg(q.rate);
            if (total <= q.value) {
                QVERIFY2(found.kind == ImpliedRate::Kind::NoFinanceCharge, qPrintable(lease));
            } else if (discounted(r, 9.9999 / 12) > q.value) {
                QVERIFY2(found.kind == ImpliedRate::Kind::OverHighest, qPrintable(lease));
            } else {
                const double back = discounted(r, found.monthly);
                QVERIFY2(found.kind == ImpliedRate::Kind::Rate && found.monthly > 0
                             && found.nominal() <= 9.9999 && std::fabs(back - q.value) < 0.005,
                         qPrintable(lease + QString::number(back, 'f', 4)));
                const double effective = std::pow(1 + found.monthly, 12) - 1;
                QVERIFY(std::fabs(found.effective() - effective) <= 1e-9 * effective);
            }
        }
        QVERIFY2(kinds[0] > 1000 && kinds[1] > 300 && kinds[2] > 1000,
                 qPrintable(QString("%1 %2 %3").arg(kinds[0]).arg(kinds[1]).arg(kinds[2])));
    }
};

QTEST_MAIN(TestQuote)
#include "test_quote.moc"

// The comparison of lease options: the interest rate one lease implies (the
// slowest lease of the rate test's seeded grid), a solve over the whole grid,
// and eight options priced again after a change of the value, offscreen on
// the test platform.
#include "TestPlatform.h"

#include "quotation/frmCompareOptions.h"
#include "quotation/frmQuotaro.h"
#include "quote/LeaseOption.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <random>

namespace {

using namespace Calculation;

// The leases of tests/quote/test_quote.cpp, drawn the same way: every
// structure, multipliers 1 to 99, 1 to 999 mids, rates per 1000 from 0.01
// to 999.99, as many of each tenfold.
std::vector<Rentals> gridLeases()
{
    std::mt19937 random(19);
    std::uniform_int_distribution<int> structure(0, 3), multiplier(1, 99), mids(1, MostMids);
    std::uniform_real_distribution<double> tenfolds(-2, 3), value(1, 9999999);
    std::vector<Rentals> leases;
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
        leases.push_back(*rentalsOf(q));
    }
    return leases;
}

void ImpliedRateSlowest(benchmark::State &state)
{
    // The lease whose rate takes longest, each timed over a few solves.
    Rentals slowest;
    double longest = 0;
    for (const Rentals &lease : gridLeases()) {
        const auto start = std::chrono::steady_clock::now();
        for (int n = 0; n < 20; ++n)
            benchmark::DoNotOptimize(impliedRate(lease));
        const double took =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (took > longest) {
            longest = took;
            slowest = lease;
        }
    }
    ImpliedRate rate;
    for (auto _ : state) {
        rate = impliedRate(slowest);
        benchmark::DoNotOptimize(rate);
    }
    state.SetLabel(QStringLiteral("%1 mids, kind %2, %3 % a year")
                       .arg(slowest.mids)
                       .arg(int(rate.kind))
                       .arg(rate.nominal() * 100, 0, 'f', 2)
                       .toStdString());
}
BENCHMARK(ImpliedRateSlowest)->Unit(benchmark::kMicrosecond);

void ImpliedRateGrid(benchmark::State &state)
{
    const std::vector<Rentals> leases = gridLeases();
    for (auto _ : state)
        for (const Rentals &lease : leases)
            benchmark::DoNotOptimize(impliedRate(lease));
    state.SetItemsProcessed(state.iterations() * int64_t(leases.size()));
}
BENCHMARK(ImpliedRateGrid)->Unit(benchmark::kMillisecond);

void RepriceEightOptions(benchmark::State &state)
{
    TestPlatform t;
    t.makeTree();
    for (const QString &folder : {Paths::upfrontsFolder(), Paths::midsFolder(),
                                  Paths::finalsFolder(), Paths::ratesFolder()})
        t.addEntries(folder, {QStringLiteral("1")});
    frmQuotaro main(t.platform, t.settings);
    if (main.Form_Load() != frmQuotaro::StartResult::Show) {
        state.SkipWithError("the start-up ended");
        return;
    }
    const std::unique_ptr<frmCompareOptions> window = main.compareOptionsWindow();
    window->show();
    auto *value = window->findChild<QLineEdit *>(QStringLiteral("txtValue"));
    auto *term = window->findChild<QComboBox *>(QStringLiteral("comSelectTerm"));
    value->setText(QStringLiteral("10000"));
    term->setCurrentIndex(0); // Upfront+Mid+Final
    emit term->activated(0);
    for (int option = 0; option < frmCompareOptions::MostOptions; ++option) {
        window->findChild<QComboBox *>(QStringLiteral("comUpfronts"))
            ->setEditText(QString::number(1 + option));
        window->findChild<QComboBox *>(QStringLiteral("comMids"))
            ->setEditText(QString::number(999 - option * 100));
        window->findChild<QComboBox *>(QStringLiteral("comFinals"))
            ->setEditText(QStringLiteral("1"));
        window->findChild<QComboBox *>(QStringLiteral("comRates"))
            ->setEditText(QString::number(2.5 + option * 3));
        window->findChild<QPushButton *>(QStringLiteral("cmdAddOption"))->click();
    }
    auto *table = window->findChild<QTableWidget *>(QStringLiteral("tblOptions"));
    if (table->rowCount() != frmCompareOptions::MostOptions || !t.messages.messages.isEmpty()) {
        state.SkipWithError("the options were not added");
        return;
    }
    int typed = 0;
    for (auto _ : state)
        value->setText(QString::number(10000 + ++typed % 2));
    if (table->item(7, 13)->text().isEmpty())
        state.SkipWithError("the options were not priced");
}
BENCHMARK(RepriceEightOptions)->Unit(benchmark::kMicrosecond);

} // namespace

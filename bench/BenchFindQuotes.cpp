// The find quotes window on years of quotes: a quotes folder of saved quotes
// of about 1 KB each, as offices write them (customer, date, header,
// equipment, rentals, footer), read and searched. A program of its own, so
// that its peak memory is the window's alone.
//
// Cold-cache figures drop the kernel's page cache before each reading
// (cold:1), which needs root; the folder must then lie on a disk, not in
// memory: set TMPDIR to a folder on disk.
#include "TestPlatform.h"

#include "quote/Calculation.h"
#include "quote/QuoteLayout.h"
#include "savedquotes/frmFindQuotes.h"
#include "store/Paths.h"
#include "store/Settings.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace {

double memoryMb(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::atof(line.c_str() + std::strlen(field)) / 1024.0;
    }
    return 0;
}

// n quote files written as the main window writes them.
void writeQuotes(TestPlatform &t, int n)
{
    static const char *const firms[] = {
        "Acme",       "Müller Landtechnik", "Bolt & Sons",   "Carter",         "Dawson Farms",
        "Évora Café", "Fenwick Ltd",        "Gould Haulage", "Harbour Dental", "Ingram Print"};
    static const char *const towns[] = {"Bath",  "Bristol", "Cardiff", "München", "Exeter",
                                        "Leeds", "Luton",   "York",    "Zürich",  "Ely"};
    static const char *const kit[] = {"Photocopier XC-300 with finisher", "Forklift truck, 2.5 t",
                                      "Tractor 120 hp with front loader", "Dental chair and lamp",
                                      "Espresso machine, twin group"};
    const char *const structures[] = {"Upfront+Mid+Final", "Upfront+Mid", "Mid+Final", "Mid"};
    PageSettings page;
    page.PageHeader = QStringLiteral("Kestrel Leasing Ltd\r\nUnit 4, Harbour Road, Lowtown LT4 "
                                     "2HR\r\nTelephone 01632 960 123");
    page.PageFooter = QStringLiteral(
        "All rentals are subject to status and VAT at the current rate. This quotation is valid "
        "for 30 days from the date above. Rentals are payable monthly in advance by direct "
        "debit.\r\nKestrel Leasing Ltd, registered in England No. 01234567.\r\nWith thanks for "
        "your enquiry.");
    std::mt19937 engine(7);
    const Locale money(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString folder = t.native(Paths::quotesFolder()) + QLatin1Char('/');
    for (int i = 0; i < n; ++i) {
        const int customer = int(engine() % 10000);
        const QString firm = QStringLiteral("%1 %2 %3")
                                 .arg(QString::fromUtf8(firms[customer % 10]),
                                      QString::fromUtf8(towns[customer / 10 % 10]))
                                 .arg(customer);
        const auto structure = *Calculation::structureNamed(QLatin1String(structures[i % 4]));
        const float monthly = 20.0f + float(engine() % 300000) / 100.0f;
        QuoteTexts texts;
        texts.customer = firm + QStringLiteral("\r\n%1 High Street\r\n").arg(1 + engine() % 200)
            + QString::fromUtf8(towns[engine() % 10]);
        texts.equipment = QString::fromUtf8(kit[engine() % 5])
            + QStringLiteral(", serial %1").arg(engine() % 1000000);
        texts.termMiddle = QString::number(12 * (1 + engine() % 5));
        texts.monthly = money.currency(monthly);
        texts.upfront = Calculation::hasUpfront(structure) ? money.currency(monthly * 3)
                                                           : QString();
        texts.final = Calculation::hasFinal(structure) ? money.currency(monthly) : QString();
        texts.weekly = money.currency(monthly * 12 / 52);
        texts.daily = money.currency(monthly * 12 / 52 / 7);
        const QDate date = QDate(2019, 1, 1).addDays(engine() % 2900);
        const QByteArray bytes = quoteFileText(texts, page, money.date(date)).toUtf8();
        QFile file(folder + firm + QStringLiteral(" %1.txt").arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
}

// One tree of n quotes for every benchmark that asks for that many:
// writing a hundred thousand files takes longer than all the readings.
TestPlatform &tree(int n)
{
    static std::map<int, std::unique_ptr<TestPlatform>> trees;
    std::unique_ptr<TestPlatform> &t = trees[n];
    if (!t) {
        t = std::make_unique<TestPlatform>();
        t->makeTree();
        writeQuotes(*t, n);
    }
    return *t;
}

void dropPageCache()
{
    if (std::system("sync") != 0)
        std::abort();
    std::ofstream("/proc/sys/vm/drop_caches") << "3\n";
}

void waitUntil(const std::function<bool()> &done)
{
    while (!done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Until every quote is read and shown.
void ReadAll(benchmark::State &state)
{
    const int n = int(state.range(0));
    TestPlatform &t = tree(n);
    const QString all = QStringLiteral("%1 of %1 quotes").arg(n);
    for (auto _ : state) {
        if (state.range(1)) {
            state.PauseTiming();
            dropPageCache();
            state.ResumeTiming();
        }
        frmFindQuotes window(t.platform, t.settings);
        window.show();
        waitUntil([&] { return !window.isReading(); });
        if (window.findChild<QLabel *>(QStringLiteral("lblStatus"))->text() != all) {
            state.SkipWithError("not every quote was read");
            return;
        }
    }
    state.counters["peak_rss_MB"] = memoryMb("VmHWM:");
}
BENCHMARK(ReadAll)
    ->ArgNames({"files", "cold"})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Each key typed into the search box, until the table shows what it finds.
// Shape 0 types a customer's name and a mid count, letter by letter (each
// key narrows what the one before found) and clears the box; shape 1 types
// whole words that each search every quote again, one finding nothing.
void TypeKeys(benchmark::State &state)
{
    TestPlatform &t = tree(int(state.range(0)));
    frmFindQuotes window(t.platform, t.settings);
    window.show();
    waitUntil([&] { return !window.isReading(); });
    auto *box = window.findChild<QLineEdit *>(QStringLiteral("txtFind"));
    const QStringList queries = state.range(1) == 0
        ? QStringList{"m",      "mu",      "mul",      "mull",      "mulle",
                      "muller", "muller ", "muller 3", "muller 36", ""}
        : QStringList{"zqx", "photocopier", "bath 2019", "serial", "lowtown"};
    size_t key = 0;
    double slowest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        box->setText(queries[int(key++ % size_t(queries.size()))]);
        waitUntil([&] { return !window.isSearching(); });
        slowest = std::max(
            slowest,
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    state.counters["slowest_ms"] = slowest;
    state.counters["peak_rss_MB"] = memoryMb("VmHWM:");
}
BENCHMARK(TypeKeys)
    ->ArgNames({"files", "shape"})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Iterations(50)
    ->Unit(benchmark::kMillisecond);

} // namespace

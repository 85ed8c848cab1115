// The windows at work on a large settings tree: the saved quotes window
// filled from many quote files, the main window's start-up with long lists,
// a quotation, a save, and a quotation laid out for printing. The platform
// is the test one over a real temporary drive: real files, while message
// boxes are only recorded, so the figures leave out the time a user takes
// to read them.
#include "BenchShapes.h"
#include "TestPlatform.h"

#include "printing/QuotePrinting.h"
#include "quote/QuoteTexts.h"
#include "quotation/frmQuotaro.h"
#include "savedquotes/frmOpenSavedQuotes.h"
#include "store/Paths.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// The main window's buttons are pressed as a user would.
QPushButton *button(QWidget *window, const char *name)
{
    return window->findChild<QPushButton *>(QLatin1String(name));
}

// The process's resident memory and its peak so far, in MB.
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

void writeQuoteFiles(TestPlatform &t, int n)
{
    const QByteArray text = "Acme Ltd\r\nQuote\r\n";
    const QString folder = t.native(Paths::quotesFolder()) + QLatin1Char('/');
    for (const QString &name : BenchShapes::quoteNames(n)) {
        QFile f(folder + name + QStringLiteral(".txt"));
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
            std::abort();
    }
}

void SavedQuotesWindow(benchmark::State &state)
{
    const int n = int(state.range(0));
    TestPlatform t;
    t.makeTree();
    writeQuoteFiles(t, n);
    for (auto _ : state) {
        frmOpenSavedQuotes window(t.platform, t.settings);
        window.show();
        QApplication::processEvents();
        const auto *count = window.findChild<QLineEdit *>(QStringLiteral("txtNumberOfQuotes"));
        if (!count || count->text() != QString::number(n)) {
            state.SkipWithError("the window did not list every quote");
            return;
        }
        state.counters["rss_MB"] = memoryMb("VmRSS:");
    }
    state.counters["peak_rss_MB"] = memoryMb("VmHWM:");
}
BENCHMARK(SavedQuotesWindow)
    ->ArgName("files")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// A tree with the given number of entries in each of the four lists.
void addListEntries(TestPlatform &t, int n)
{
    const QStringList numbers = BenchShapes::shuffledNumbers(n);
    t.addEntries(Paths::upfrontsFolder(), numbers);
    t.addEntries(Paths::midsFolder(), numbers);
    t.addEntries(Paths::finalsFolder(), numbers);
    QStringList rates;
    for (const QString &number : numbers)
        rates << number + QStringLiteral(".50");
    t.addEntries(Paths::ratesFolder(), rates);
}

void StartUp(benchmark::State &state)
{
    TestPlatform t;
    t.makeTree();
    addListEntries(t, int(state.range(0)));
    for (auto _ : state) {
        frmQuotaro window(t.platform, t.settings);
        if (window.Form_Load() != frmQuotaro::StartResult::Show) {
            state.SkipWithError("the start-up ended");
            return;
        }
        window.show();
        QApplication::processEvents();
        const auto *mids = window.findChild<QComboBox *>(QStringLiteral("comMids"));
        if (!mids || mids->count() != state.range(0)) {
            state.SkipWithError("the lists were not filled");
            return;
        }
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUp)->ArgName("entries")->Arg(1000)->Unit(benchmark::kMillisecond);

// A started main window with a quotation's inputs filled in.
struct MainWindow {
    TestPlatform t;
    std::unique_ptr<frmQuotaro> window;

    bool start()
    {
        t.makeTree();
        addListEntries(t, 50);
        window = std::make_unique<frmQuotaro>(t.platform, t.settings);
        if (window->Form_Load() != frmQuotaro::StartResult::Show)
            return false;
        auto line = [&](const char *name) {
            return window->findChild<QLineEdit *>(QLatin1String(name));
        };
        auto combo = [&](const char *name) {
            return window->findChild<QComboBox *>(QLatin1String(name));
        };
        line("txtValue")->setText(QStringLiteral("1007"));
        QComboBox *term = combo("comSelectTerm");
        term->setCurrentIndex(term->findText(QStringLiteral("Upfront+Mid+Final")));
        emit term->activated(term->currentIndex());
        combo("comUpfronts")->setEditText(QStringLiteral("3"));
        combo("comMids")->setEditText(QStringLiteral("24"));
        combo("comFinals")->setEditText(QStringLiteral("1"));
        combo("comRates")->setEditText(QStringLiteral("22.1"));
        button(window.get(), "cmdQuotation")->click();
        return !line("txtMonthly")->text().isEmpty() && t.messages.messages.isEmpty();
    }
};

void GenerateQuotation(benchmark::State &state)
{
    MainWindow main;
    if (!main.start()) {
        state.SkipWithError("no quotation came out");
        return;
    }
    for (auto _ : state)
        button(main.window.get(), "cmdQuotation")->click();
    if (!main.t.messages.messages.isEmpty())
        state.SkipWithError("the quotation was refused");
}
BENCHMARK(GenerateQuotation)->Unit(benchmark::kMicrosecond);

void SaveQuote(benchmark::State &state)
{
    MainWindow main;
    if (!main.start()) {
        state.SkipWithError("no quotation came out");
        return;
    }
    auto *name = main.window->findChild<QLineEdit *>(QStringLiteral("txtSaveQuote"));
    const QString folder = main.t.native(Paths::quotesFolder()) + QLatin1Char('/');
    int saved = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString quote = QStringLiteral("Acme Ltd %1").arg(++saved);
        name->setText(quote);
        state.ResumeTiming();
        button(main.window.get(), "cmdSave")->click();
        state.PauseTiming();
        if (!QFile::remove(folder + quote + QStringLiteral(".txt"))) {
            state.SkipWithError("the quote was not saved");
            break;
        }
        state.ResumeTiming();
    }
    // One message per save: "The quote ... has been saved !".
    if (main.t.messages.messages.size() != saved)
        state.SkipWithError("a save was refused");
}
BENCHMARK(SaveQuote)->Unit(benchmark::kMicrosecond);

void LayOutPrintedQuotation(benchmark::State &state)
{
    TestPlatform t;
    t.settings.page.PageHeader = QStringLiteral("Kestrane Leasing\r\nUnit 4, Harbour Road\r\n");
    t.settings.page.PageFooter = QStringLiteral("All rentals are subject to status and plus VAT.");
    QuoteTexts texts;
    texts.customer = QStringLiteral("Acme Ltd\r\n12 High Street\r\nBath\r\nBA1 1AA");
    texts.equipment = QStringLiteral(
        "Two colour laser printers with finishers, a year's toner and on-site "
        "service, delivered and installed.");
    texts.upfront = QStringLiteral("66.76");
    texts.termMiddle = QStringLiteral("24");
    texts.monthly = QStringLiteral("22.25");
    texts.final = QStringLiteral("22.25");
    texts.weekly = QStringLiteral("5.14");
    texts.daily = QStringLiteral("0.73");
    qsizetype pieces = 0;
    for (auto _ : state) {
        RecordingSurface surface;
        printQuotation(surface, 1440, texts, t.settings.page, QStringLiteral("06/12/2026"));
        pieces = surface.pieces.size();
        benchmark::DoNotOptimize(pieces);
    }
    if (pieces == 0)
        state.SkipWithError("nothing was laid out");
}
BENCHMARK(LayOutPrintedQuotation)->Unit(benchmark::kMicrosecond);

} // namespace

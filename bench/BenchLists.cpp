// The re-sort of the list controls on long lists, beside the step-by-step
// re-sort it must match, and the listing of a folder of many quote files.
#include "BenchShapes.h"
#include "ReSortOracle.h"

#include "platform/QtFileSystem.h"
#include "lists/NumericReSort.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

enum Shape { QuoteNames, CustomerNames, ShuffledNumbers };

QVector<ListItem> listOf(Shape shape, int n)
{
    QStringList texts;
    switch (shape) {
    case QuoteNames: texts = BenchShapes::quoteNames(n); break;
    case CustomerNames: texts = BenchShapes::customerNames(n); break;
    case ShuffledNumbers: texts = BenchShapes::shuffledNumbers(n); break;
    }
    QVector<ListItem> items;
    items.reserve(texts.size());
    for (const QString &t : texts)
        items.append({t, 0});
    return items;
}

template <void (*ReSort)(QVector<ListItem> &)>
void reSort(benchmark::State &state)
{
    const QVector<ListItem> input = listOf(Shape(state.range(0)), int(state.range(1)));
    QVector<ListItem> result;
    for (auto _ : state) {
        QVector<ListItem> items = input;
        ReSort(items);
        benchmark::DoNotOptimize(items.data());
        result = std::move(items);
    }
    state.SetItemsProcessed(state.iterations() * state.range(1));
    // The figures count only when the two agree item for item: checked by
    // the step-by-step benchmark, which runs up to 10,000 items, and here
    // for the short lists.
    if (ReSort != &NumericReSort || state.range(1) <= 1000) {
        QVector<ListItem> other = input;
        if (ReSort == &NumericReSort)
            ReSortOracle(other);
        else
            NumericReSort(other);
        if (result != other)
            state.SkipWithError("the re-sort differs from the step-by-step one");
    }
}

void shapes(benchmark::internal::Benchmark *b, int largest)
{
    b->ArgNames({"shape", "n"});
    for (int shape : {QuoteNames, CustomerNames, ShuffledNumbers})
        for (int n = 1000; n <= largest; n *= 10)
            b->Args({shape, n});
    b->Unit(benchmark::kMillisecond);
}

void NumericReSortBench(benchmark::State &state) { reSort<&NumericReSort>(state); }
void ReSortOracleBench(benchmark::State &state) { reSort<&ReSortOracle>(state); }

BENCHMARK(NumericReSortBench)->Name("NumericReSort")->Apply([](auto *b) { shapes(b, 100000); });
BENCHMARK(ReSortOracleBench)->Name("ReSortOracle")->Apply([](auto *b) {
                                                      shapes(b, 10000);
                                                  }) -> Iterations(1);

// A quotes folder of n files, made once per size and kept for the run.
QString quotesFolderOf(int n, QtFileSystem **files)
{
    static QTemporaryDir *drives[2] = {};
    static QtFileSystem *systems[2] = {};
    const int slot = n >= 100000 ? 1 : 0;
    if (!drives[slot]) {
        drives[slot] = new QTemporaryDir;
        QDir(drives[slot]->path()).mkpath(QStringLiteral("Quotes"));
        for (const QString &name : BenchShapes::quoteNames(n)) {
            QFile f(drives[slot]->path() + QStringLiteral("/Quotes/") + name
                    + QStringLiteral(".txt"));
            if (!f.open(QIODevice::WriteOnly))
                std::abort();
        }
        systems[slot] = new QtFileSystem(drives[slot]->path());
    }
    *files = systems[slot];
    return QStringLiteral("C:\\Quotes");
}

void ListTxtFiles(benchmark::State &state)
{
    QtFileSystem *files = nullptr;
    const QString folder = quotesFolderOf(int(state.range(0)), &files);
    for (auto _ : state) {
        const std::optional<QStringList> names = files->listTxtFiles(folder);
        if (!names || names->size() != state.range(0)) {
            state.SkipWithError("the folder was not listed whole");
            return;
        }
        benchmark::DoNotOptimize(names->constData());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ListTxtFiles)->ArgName("files")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

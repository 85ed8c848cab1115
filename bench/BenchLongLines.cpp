// Quote files and page headers of one long line, as a crash, a disk fault or
// a pasted file can leave them: 1, 5 and 20 MB with no line break, of four
// shapes. Shape 0 is one letter repeated (no blank anywhere), shape 1 NUL
// bytes, shape 2 random bytes (read as Windows-1252 text), shape 3 words and
// blanks. Shapes 4 to 6 are the other way round: many short lines, ending
// in CR LF, LF and a lone CR. OpenQuote opens the quote in the saved quotes
// window and paints the box; PageSetup opens page setup with the text as
// the page header. PasteHeader pastes such a text (Ctrl+V) into the empty
// box where a new header is typed, up to the largest header start-up
// reads; TypeInHeader types one letter at the end of the text pasted, and
// KeysInHeader times other keys in it.
#include "TestPlatform.h"

#include "savedquotes/frmOpenSavedQuotes.h"
#include "setup/frmPageSetup.h"
#include "store/Paths.h"
#include "store/Store.h"
#include "store/TextCodec.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <random>

namespace {

QByteArray oneLine(int shape, qsizetype bytes)
{
    switch (shape) {
    case 0: return QByteArray(bytes, 'x');
    case 1: return QByteArray(bytes, '\0');
    case 2: {
        QByteArray random(bytes, Qt::Uninitialized);
        std::mt19937 engine(11);
        for (char &c : random) {
            c = char(engine() % 256);
            if (c == '\r' || c == '\n')
                c = ' '; // one line
        }
        return random;
    }
    case 4:
    case 5:
    case 6: {
        const QByteArray lineEnd = shape == 4 ? "\r\n" : shape == 5 ? "\n" : "\r";
        QByteArray text;
        text.reserve(bytes + 64);
        for (int i = 0; text.size() < bytes; ++i)
            text += "Monthly rental " + QByteArray::number(i % 1000) + lineEnd;
        text.truncate(bytes);
        return text;
    }
    default: {
        static const QByteArray words =
            "Lease of two colour laser printers, delivered and installed. ";
        QByteArray text;
        text.reserve(bytes);
        while (text.size() < bytes)
            text += words;
        text.truncate(bytes);
        return text;
    }
    }
}

void OpenQuote(benchmark::State &state)
{
    TestPlatform t;
    t.makeTree();
    const QByteArray content = oneLine(int(state.range(0)), state.range(1) * 1024 * 1024);
    t.write(Paths::quoteFile(QStringLiteral("Long")), content);
    frmOpenSavedQuotes window(t.platform, t.settings);
    window.show();
    QApplication::processEvents();
    auto *list = window.findChild<QListWidget *>(QStringLiteral("lstSavedQuotes"));
    auto *open = window.findChild<QPushButton *>(QStringLiteral("cmdOpen"));
    auto *box = window.findChild<QPlainTextEdit *>(QStringLiteral("txtOpenQuote"));
    list->setCurrentRow(0);
    for (auto _ : state) {
        state.PauseTiming();
        box->clear();
        QApplication::processEvents();
        state.ResumeTiming();
        open->click();
        box->viewport()->repaint();
        QApplication::processEvents();
    }
    if (!t.messages.messages.isEmpty() || box->document()->isEmpty())
        state.SkipWithError("the quote was not shown");
}
BENCHMARK(OpenQuote)
    ->ArgNames({"shape", "MB"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {1, 5, 20}})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

void PageSetup(benchmark::State &state)
{
    TestPlatform t;
    t.settings.page.PageHeader = TextCodec::decode(
        oneLine(int(state.range(0)), state.range(1) * 1024 * 1024));
    for (auto _ : state) {
        frmPageSetup window(t.platform, t.settings);
        window.show();
        window.findChild<QPlainTextEdit *>(QStringLiteral("txtCurrentHeader"))
            ->viewport()
            ->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(PageSetup)
    ->ArgNames({"shape", "MB"})
    ->ArgsProduct({{0, 1}, {1, 5, 20}})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

// Page setup with the text on the clipboard and its box for a new header
// focused.
struct HeaderBox {
    explicit HeaderBox(const QByteArray &bytes) : window(t.platform, t.settings)
    {
        window.show();
        box = window.findChild<QPlainTextEdit *>(QStringLiteral("txtChangeHeader"));
        box->setFocus();
        QApplication::clipboard()->setText(TextCodec::decode(bytes));
        QApplication::processEvents();
    }
    // A key pressed in the box, and the box painted again.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(box, &event);
        box->viewport()->repaint();
        QApplication::processEvents();
    }
    void paste() { press(Qt::Key_V, Qt::ControlModifier, QString()); }
    TestPlatform t;
    frmPageSetup window;
    QPlainTextEdit *box = nullptr;
};

// The text of a header of the shape and size: the largest header file
// start-up reads holds MaxPageTextBytes bytes, CR LF included.
QByteArray headerBytes(const benchmark::State &state)
{
    const qsizetype bytes = state.range(1) == 0 ? Store::MaxPageTextBytes - 2
                                                : state.range(1) * 1024;
    return oneLine(int(state.range(0)), bytes);
}

void PasteHeader(benchmark::State &state)
{
    HeaderBox header(headerBytes(state));
    for (auto _ : state) {
        state.PauseTiming();
        header.box->clear();
        QApplication::processEvents();
        state.ResumeTiming();
        header.paste();
    }
    if (header.box->document()->characterCount() < headerBytes(state).size() / 2)
        state.SkipWithError("the text was not pasted");
}

// One letter typed at the end of the pasted text.
void TypeInHeader(benchmark::State &state)
{
    HeaderBox header(headerBytes(state));
    header.paste();
    for (auto _ : state)
        header.press(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
}

// Other keys in the pasted text, each a counter (ms on the clock): select
// all and copy, Delete (of all), Ctrl+Z twice (the Delete, the paste),
// Ctrl+Y, Ctrl+Home and Ctrl+End.
void KeysInHeader(benchmark::State &state)
{
    HeaderBox header(headerBytes(state));
    QElapsedTimer clock;
    const auto time = [&](const char *name, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        clock.start();
        header.press(key, modifiers, QString());
        state.counters[name] = double(clock.nsecsElapsed()) / 1e6;
    };
    for (auto _ : state) {
        state.PauseTiming();
        header.box->clear();
        header.paste();
        state.ResumeTiming();
        header.press(Qt::Key_A, Qt::ControlModifier, QString());
        time("copy", Qt::Key_C, Qt::ControlModifier);
        time("delete", Qt::Key_Delete, Qt::NoModifier);
        time("undo", Qt::Key_Z, Qt::ControlModifier);
        time("undo_paste", Qt::Key_Z, Qt::ControlModifier);
        time("redo", Qt::Key_Y, Qt::ControlModifier);
        time("home", Qt::Key_Home, Qt::ControlModifier);
        time("end", Qt::Key_End, Qt::ControlModifier);
    }
}

// KB:0 is the largest header, 4 MB less the CR LF its file ends with.
BENCHMARK(PasteHeader)
    ->ArgNames({"shape", "KB"})
    ->ArgsProduct({{0, 3, 4, 6}, {256, 1024, 0}})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TypeInHeader)
    ->ArgNames({"shape", "KB"})
    ->ArgsProduct({{0, 3, 4, 6}, {256, 1024, 0}})
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(KeysInHeader)
    ->ArgNames({"shape", "KB"})
    ->ArgsProduct({{0, 3, 4, 6}, {0}})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

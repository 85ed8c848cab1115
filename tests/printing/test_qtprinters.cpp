// Real pages: Qt's PDF output read back with poppler's tools, and whole jobs
// through the CUPS queues of scripts/cups-test-server.sh (a capture queue,
// a PDF printer and a queue that refuses every job).

#include "TestPlatform.h"

#include "platform/gui/QtPageOutput.h"
#include "platform/gui/QtPrinters.h"
#include "printing/PdfAndPreview.h"
#include "printing/PrintPage.h"
#include "printing/QuotePrinting.h"
#include "quote/QuoteTexts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>

namespace {

struct Word {
    int page;
    double x0, y0, x1, y1;
    QString text;
};

QString tool(const char *name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

// What one of poppler's tools writes for the file; empty when it fails.
QString run(const char *program, const QStringList &args)
{
    QProcess p;
    p.start(tool(program), args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The non-empty lines of a PDF's text, white space runs made one space.
QStringList textLines(const QString &pdf)
{
    QStringList lines;
    for (const QString &line : run("pdftotext", {"-layout", pdf, "-"}).split(QLatin1Char('\n')))
        if (!line.simplified().isEmpty())
            lines.append(line.simplified());
    return lines;
}

int pagesOf(const QString &pdf)
{
    return run("pdftotext", {"-bbox", pdf, "-"}).count(QStringLiteral("<page "));
}

QString fontsOf(const QString &pdf) { return run("pdffonts", {pdf}); }

// pdfinfo's line of that key ("Title", "Creator", "Page size"), its value.
QString infoOf(const QString &pdf, const QString &key)
{
    const QRegularExpression line(QStringLiteral("^") + key + QStringLiteral(":\\s*(.*)$"),
                                  QRegularExpression::MultilineOption);
    return line.match(run("pdfinfo", {pdf})).captured(1).trimmed();
}

// Every word of a PDF with its box in points, page by page.
QVector<Word> wordsOf(const QString &pdf)
{
    static const QRegularExpression item(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QVector<Word> words;
    int page = 0;
    for (auto it = item.globalMatch(run("pdftotext", {"-bbox", pdf, "-"})); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0) == QStringLiteral("<page "))
            ++page;
        else
            words.append({page, m.captured(1).toDouble(), m.captured(2).toDouble(),
                          m.captured(3).toDouble(), m.captured(4).toDouble(), m.captured(5)});
    }
    return words;
}

QVector<Word> find(const QVector<Word> &words, const QString &text)
{
    QVector<Word> found;
    for (const Word &w : words)
        if (w.text == text)
            found.append(w);
    return found;
}

QuoteTexts quote(const QString &customer)
{
    return {customer + "\r\n12 Quay Street\r\n",
            "Deck oven\r\nProving cabinet",
            "$300.00",
            "36",
            "$100.00",
            "$200.00",
            "$23.08",
            "$3.29"};
}

// The test platform with real printers in place of the recording ones.
struct RealPrinting {
    explicit RealPrinting(Printers &printers)
        : platform{tp.messages, tp.files,    tp.locale, printers, tp.fonts,
                   tp.launcher, tp.instance, tp.clock,  tp.pages}
    {
        PrinterSettings &p = tp.settings.printer;
        p.PrinterFont = QStringLiteral("DejaVu Sans");
        p.PrinterFontSize = QStringLiteral("12");
        p.PrinterBold = p.PrinterItalic = p.PrinterUnderline = QStringLiteral("Off");
        p.HorizontalMargin = p.VerticalMargin = QStringLiteral("1440");
        tp.settings.page.PageHeader = QStringLiteral("Kestrane Leasing\r\nQuotation\r\n");
        tp.settings.page.PageFooter = QStringLiteral("Valid for 30 days\r\n");
    }

    std::optional<QString> print(const std::function<void(PrinterSurface &, int)> &body)
    {
        return runPrintJob(platform, nullptr, tp.settings.printer, body);
    }

    std::optional<QString> printQuote(const QuoteTexts &q)
    {
        return print([&](PrinterSurface &s, int margin) {
            printQuotation(s, margin, q, tp.settings.page, QStringLiteral("07/03/2026"));
        });
    }

    PrinterSettings &settings() { return tp.settings.printer; }

    TestPlatform tp;
    Platform platform;
};

// A job written by Qt's PDF output into the file pdf.
struct PdfJob : RealPrinting {
    explicit PdfJob(const QString &path) : RealPrinting(printers), pdf(path), printers(path) {}
    QString pdf;
    PdfPrinters printers;
};

// Waits for a PDF in the folder whose text holds the marker; empty when
// none comes within the time allowed.
QString waitForOutput(const QString &folder, const QString &marker)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 45000) {
        for (const QFileInfo &f :
             QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
            if (textLines(f.absoluteFilePath()).join(QLatin1Char(' ')).contains(marker))
                return f.absoluteFilePath();
        QThread::msleep(200);
    }
    return QString();
}

QString envOr(const char *name, const char *fallback)
{
    return qEnvironmentVariable(name, QString::fromUtf8(fallback));
}

QString uniqueMarker()
{
    return QStringLiteral("Customer%1").arg(QRandomGenerator::global()->generate());
}

// Dark pixels of the first page at 144 dots per inch within the box (in
// points) widened downwards by two points.
int inkBelow(const QString &pdf, const QString &base, const Word &w)
{
    run("pdftoppm", {"-r", "144", "-gray", "-singlefile", pdf, base});
    const QImage page(base + QStringLiteral(".pgm"));
    int dark = 0;
    for (int y = int(w.y0 * 2); y < int((w.y1 + 2) * 2) && y < page.height(); ++y)
        for (int x = int(w.x0 * 2); x < int(w.x1 * 2) && x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
    return dark;
}

} // namespace

// A CUPS queue named by the environment (or its usual name) that the
// printers know, or a skip saying how to get one.
#define REQUIRE_QUEUE(var, printers, env, fallback)                                                \
    const QString var = envOr(env, fallback);                                                      \
    if (!(printers).installed().contains(var))                                                     \
        QSKIP(                                                                                     \
            qPrintable(QStringLiteral("no CUPS queue %1: run scripts/test.sh, or as root source "  \
                                      "scripts/cups-test-server.sh and call quotaro_start_cups")   \
                           .arg(var)));

class TestQtPrinters : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void marginsWrapAndTabsOnThePage();
    void fontSettingsReachThePage();
    void textPastTheBottomGoesOnANewPage();
    void unwritableFileIsNoJob();
    void aQuoteThroughTheQueueIsItsExport();
    void refusingQueueIsReported();

private:
    QString file(const char *name) { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

void TestQtPrinters::initTestCase()
{
    if (tool("pdftotext").isEmpty() || tool("pdffonts").isEmpty() || tool("pdftoppm").isEmpty())
        QSKIP("poppler-utils (pdftotext, pdffonts, pdftoppm) is not installed: "
              "scripts/test.sh installs it");
    QVERIFY(dir.isValid());
}

// What only a real page shows of the layout: where its printable area
// lies, and that the wrap and the tab stops use the font's real widths.
void TestQtPrinters::marginsWrapAndTabsOnThePage()
{
    PdfJob job(file("width.pdf"));
    float width = 0, word = 0, lineHeight = 0, zero = 0;
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("lorem%1 ").arg(i % 10);
    QVERIFY(job.print([&](PrinterSurface &s, int) {
        width = s.scaleWidth();
        word = s.textWidth(QStringLiteral("lorem0 "));
        zero = s.textWidth(QStringLiteral("0"));
        const float firstY = s.currentY();
        PrintWrapped(s, QStringLiteral("Edge\r\n"), 0, 0);
        lineHeight = s.currentY() - firstY;
        PrintWrapped(s, QStringLiteral("Edge\r\n\t\tTab\r\n"), 1440, 1440);
        PrintWrapped(s, text + QStringLiteral("\r\n"), 0, 0);
    }));
    QVERIFY(lineHeight > 200 && lineHeight < 400); // 12 points is 240 twips
    const QVector<Word> words = wordsOf(job.pdf);
    QCOMPARE(words.size(), 203);
    const QVector<Word> edges = find(words, QStringLiteral("Edge"));
    QCOMPARE(edges.size(), 2);
    // The text's top stands at current Y: the PDF printer keeps the same
    // small margin on every side, so the printable area's top lies as far
    // down the sheet as its left edge lies in.
    QVERIFY2(qAbs(edges[0].y0 - (edges[0].x0 + 72.0)) < 0.5,
             qPrintable(QStringLiteral("%1 %2").arg(edges[0].x0).arg(edges[0].y0)));
    QVERIFY(qAbs(edges[1].x0 - edges[0].x0 - 72.0) < 0.3);
    QVERIFY(qAbs(edges[1].y0 - edges[0].y0 - lineHeight / 20.0) < 0.3);
    // Tab stops are ten widths of "0" apart from the printable area's edge:
    // from the margin at 1440 (below one stop of 12 points) two tabs reach the second.
    const double stops = (find(words, QStringLiteral("Tab")).value(0).x0 - edges[0].x0) * 20.0
        / (10.0 * zero);
    QVERIFY2(qAbs(stops - 2) < 0.02, qPrintable(QString::number(stops)));
    double left = 1e9, right = 0;
    for (const Word &w : words) {
        left = std::min(left, w.x0);
        right = std::max(right, w.x1);
    }
    // Nothing passes the right edge of the printable area, and the lines
    // reach to within one word of it; the area sits in the middle of an A4
    // page, 595 points wide.
    QVERIFY2(right <= left + width / 20.0 + 0.3, qPrintable(QString::number(right)));
    QVERIFY(right > left + (width - word) / 20.0);
    QVERIFY2(qAbs(left + width / 20.0 + left - 595.0) < 1.0, qPrintable(QString::number(left)));
}

void TestQtPrinters::fontSettingsReachThePage()
{
    // The same word plain, underlined, in bold italic serif and twice the size.
    std::vector<std::unique_ptr<PdfJob>> jobs;
    float lines[4] = {0, 0, 0, 0};
    Word box[4];
    for (int i = 0; i < 4; ++i)
        jobs.push_back(std::make_unique<PdfJob>(dir.filePath(QStringLiteral("font%1.pdf").arg(i))));
    jobs[1]->settings().PrinterUnderline = QStringLiteral("On");
    jobs[2]->settings().PrinterFont = QStringLiteral("DejaVu Serif");
    jobs[2]->settings().PrinterBold = jobs[2]->settings().PrinterItalic = QStringLiteral("On");
    jobs[3]->settings().PrinterFontSize = QStringLiteral("24");
    for (int i = 0; i < 4; ++i) {
        QVERIFY(jobs[i]->print([&](PrinterSurface &s, int margin) {
            const float y = s.currentY();
            PrintWrapped(s, QStringLiteral("oooooooooo\r\n"), margin, margin);
            lines[i] = s.currentY() - y;
        }));
        box[i] = find(wordsOf(jobs[i]->pdf), QStringLiteral("oooooooooo")).value(0);
    }
    const QString plain = fontsOf(jobs[0]->pdf), bold = fontsOf(jobs[2]->pdf);
    QVERIFY2(bold.contains(QStringLiteral("DejaVuSerif-BoldItalic")), qPrintable(bold));
    QVERIFY2(plain.contains(QStringLiteral("DejaVuSans")), qPrintable(plain));
    QVERIFY(!plain.contains(QStringLiteral("Bold")));
    QVERIFY(!plain.contains(QStringLiteral("Serif")));
    // Twice the size, twice the line and twice the letters.
    QVERIFY(qAbs(lines[3] / lines[0] - 2.0f) < 0.15f);
    QVERIFY(box[3].y1 - box[3].y0 > 20 && box[3].y1 - box[3].y0 < 36);
    // The line under the word adds at least one row of ink across it.
    const int ink = inkBelow(jobs[0]->pdf, jobs[0]->pdf.chopped(4), box[0]);
    const int underlined = inkBelow(jobs[1]->pdf, jobs[1]->pdf.chopped(4), box[1]);
    const int width = int((box[1].x1 - box[1].x0) * 2);
    QVERIFY(ink > 0);
    QVERIFY2(underlined > ink + width * 0.8,
             qPrintable(QStringLiteral("%1 %2 %3").arg(ink).arg(underlined).arg(width)));
}

void TestQtPrinters::textPastTheBottomGoesOnANewPage()
{
    PdfJob job(file("long.pdf"));
    QString text;
    for (int i = 1; i <= 150; ++i)
        text += QStringLiteral("Line%1\r\n").arg(i, 3, 10, QLatin1Char('0'));
    QVERIFY(job.print([&](PrinterSurface &s, int m) { PrintWrapped(s, text, m, m); }));
    const int pages = pagesOf(job.pdf);
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    const QVector<Word> words = wordsOf(job.pdf);
    QCOMPARE(words.size(), 150);
    // Every line in order; each page starts again at the top margin, and no
    // line falls off the sheet (842 points high).
    int page = 1;
    for (int i = 0; i < 150; ++i) {
        const Word &w = words[i];
        QCOMPARE(w.text, QStringLiteral("Line%1").arg(i + 1, 3, 10, QLatin1Char('0')));
        if (w.page != page) {
            QCOMPARE(w.page, page + 1);
            page = w.page;
            QVERIFY(qAbs(w.y0 - words.first().y0) < 0.3);
        }
        QVERIFY(w.y1 < 842.0);
    }
    QCOMPARE(page, pages); // no empty page at the end
    // The preview shows as many pages as the job prints.
    int shown = -1;
    QTimer::singleShot(0, [&] {
        if (auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
            shown = dialog->findChild<QPrintPreviewWidget *>()->pageCount();
            dialog->close();
        }
    });
    const PreviewOutcome outcome = QtPageOutput().preview(
        nullptr, job.printers.currentName(), QStringLiteral("Q"), [&](PrinterSurface &s) {
            ApplyPrintSettings(s, job.settings(), {12, 1440, 1440});
            PrintWrapped(s, text, 1440, 1440);
        });
    QVERIFY(outcome.shown && !outcome.printed);
    QCOMPARE(shown, pages);

    // A top margin below the bottom of the sheet: new pages would not help,
    // so the job stays one page instead of one page per line.
    PdfJob low(file("low.pdf"));
    low.settings().VerticalMargin = QStringLiteral("20000");
    QVERIFY(low.print(
        [&](PrinterSurface &s, int m) { PrintWrapped(s, "1\r\n2\r\n3\r\n4\r\n5\r\n", m, m); }));
    QCOMPARE(pagesOf(low.pdf), 1);
}

void TestQtPrinters::unwritableFileIsNoJob()
{
    PdfJob job(file("missing folder/quote.pdf"));
    bool printed = false;
    QCOMPARE(job.print([&](PrinterSurface &, int) { printed = true; }), std::nullopt);
    QVERIFY(!printed);
    QCOMPARE(job.tp.messages.texts(),
             QStringList{QStringLiteral("The print job could not be started: the file ") + job.pdf
                         + QStringLiteral(" cannot be written !")});
    QVERIFY(!QFileInfo::exists(job.pdf));
}

// End to end once: the quotation goes through the capture queue, and its
// PDF export is the page that came out, line for line and page for page,
// on the printer's paper, with its font embedded and its title set.
void TestQtPrinters::aQuoteThroughTheQueueIsItsExport()
{
    QtPrinters printers;
    REQUIRE_QUEUE(queue, printers, "QUOTARO_CAPTURE_QUEUE", "QuotaroCapture")
    // Before any choice the current printer is the system default, or the
    // first printer where the system has none; only the exact name selects.
    QCOMPARE(printers.currentName(),
             QPrinterInfo::defaultPrinterName().isEmpty() ? printers.installed().value(0)
                                                          : QPrinterInfo::defaultPrinterName());
    QVERIFY(!selectPrinter(printers, queue.toLower()));
    QVERIFY(selectPrinter(printers, queue));
    RealPrinting job(printers);
    const QString marker = uniqueMarker();
    const QuoteTexts q = quote(marker);
    const PageBody body = [&](PrinterSurface &s, int margin) {
        PageSettings page = job.tp.settings.page;
        printQuotation(s, margin, q, page, QStringLiteral("07/03/2026"));
    };
    QCOMPARE(job.print(body), std::optional<QString>(queue));
    QVERIFY(job.tp.messages.messages.isEmpty());
    const QString printed = waitForOutput(
        envOr("QUOTARO_CAPTURE_DIR", "/var/spool/quotaro-capture"), marker);
    QVERIFY2(!printed.isEmpty(), "no file with the page came out of the queue");

    job.tp.pages.answer = file("export.pdf");
    QCOMPARE(runPdfExport(job.platform, nullptr, job.settings(), marker, body),
             job.tp.pages.answer);
    const QString pdf = *job.tp.pages.answer;
    QCOMPARE(textLines(pdf), textLines(printed));
    QVERIFY(textLines(pdf).contains(QStringLiteral("Daily equivalent: $3.29")));
    QCOMPARE(pagesOf(pdf), 1);
    QCOMPARE(pagesOf(printed), 1);
    QCOMPARE(infoOf(pdf, "Page size"), infoOf(printed, "Page size"));
    QCOMPARE(infoOf(pdf, "Title"), marker);
    QCOMPARE(infoOf(pdf, "Creator"), QStringLiteral("Quotaro"));
    const QRegularExpression embedded(
        QStringLiteral("DejaVuSans\\s.*\\syes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"),
        QRegularExpression::MultilineOption);
    QVERIFY2(embedded.match(fontsOf(pdf)).hasMatch(), qPrintable(fontsOf(pdf)));
    QFile::remove(printed);
}

void TestQtPrinters::refusingQueueIsReported()
{
    QtPrinters printers;
    REQUIRE_QUEUE(queue, printers, "QUOTARO_REFUSING_QUEUE", "QuotaroRefusing")
    QVERIFY(selectPrinter(printers, queue));
    RealPrinting job(printers);
    QCOMPARE(job.printQuote(quote(uniqueMarker())), std::nullopt);
    QCOMPARE(job.tp.messages.messages.size(), 1);
    const RecordedMessage m = job.tp.messages.messages.first();
    const QRegularExpression told(QStringLiteral("^The printer ")
                                  + QRegularExpression::escape(queue)
                                  + QStringLiteral(" did not take the print job: the print service "
                                                   "refused it \\(.*not accepting jobs.*\\) !$"));
    QVERIFY2(told.match(m.text).hasMatch(), qPrintable(m.text));
    QCOMPARE(m.title, QStringLiteral("Printing"));
    QCOMPARE(m.icon, MsgIcon::Exclamation);

    // A refusal is not left behind for the next job on a working queue.
    const QString capture = envOr("QUOTARO_CAPTURE_QUEUE", "QuotaroCapture");
    if (printers.installed().contains(capture)) {
        QVERIFY(selectPrinter(printers, capture));
        job.tp.messages.clear();
        QCOMPARE(job.printQuote(quote(uniqueMarker())), std::optional<QString>(capture));
        QVERIFY(job.tp.messages.messages.isEmpty());
    }
}

QTEST_MAIN(TestQtPrinters)
#include "test_qtprinters.moc"

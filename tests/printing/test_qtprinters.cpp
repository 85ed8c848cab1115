// Real pages: the Qt printer surface writing PDF files that are read back
// with poppler's tools, and whole jobs through the CUPS queues that
// scripts/cups-test-server.sh sets up (QuotaroCapture keeps every job as the
// PDF it was sent as; QuotaroPDF is an ordinary PDF printer; QuotaroRefusing
// refuses every job).

#include "TestPlatform.h"

#include "platform/QtPrinters.h"
#include "printing/PrintPage.h"
#include "printing/QuotePrinting.h"
#include "quotation/QuoteTexts.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
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

QByteArray run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QByteArray();
    return p.readAllStandardOutput();
}

// The non-empty lines of a PDF's text, white space runs made one space.
QStringList textLines(const QString &pdf)
{
    const QString text = QString::fromUtf8(
        run(tool("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString s = line.simplified();
        if (!s.isEmpty())
            lines.append(s);
    }
    return lines;
}

// Every word of a PDF with its box in points, page by page.
QVector<Word> wordsOf(const QString &pdf)
{
    const QString html = QString::fromUtf8(
        run(tool("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    static const QRegularExpression item(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QVector<Word> words;
    int page = 0;
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0) == QStringLiteral("<page ")) {
            ++page;
            continue;
        }
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

int pagesOf(const QString &pdf)
{
    const QString info = QString::fromUtf8(run(tool("pdfinfo"), {pdf}));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString fontsOf(const QString &pdf) { return QString::fromUtf8(run(tool("pdffonts"), {pdf})); }

QuoteTexts quote(const QString &customer)
{
    QuoteTexts q;
    q.customer = customer + QStringLiteral("\r\n12 Quay Street\r\n");
    q.equipment = QStringLiteral("Deck oven\r\nProving cabinet");
    q.upfront = QStringLiteral("$300.00");
    q.termMiddle = QStringLiteral("36");
    q.monthly = QStringLiteral("$100.00");
    q.final = QStringLiteral("$200.00");
    q.weekly = QStringLiteral("$23.08");
    q.daily = QStringLiteral("$3.29");
    return q;
}

// The lines the page of quote(customer) shows, in order.
QStringList quoteLines(const QString &customer)
{
    return {customer,
            QStringLiteral("12 Quay Street"),
            QStringLiteral("07/03/2026"),
            QStringLiteral("Kestrane Leasing"),
            QStringLiteral("Quotation"),
            QStringLiteral("Equipment details"),
            QStringLiteral("Deck oven"),
            QStringLiteral("Proving cabinet"),
            QStringLiteral("Rental details:"),
            QStringLiteral("Upfront rental: $300.00"),
            QStringLiteral("36 Monthly rentals: $100.00"),
            QStringLiteral("Final rental: $200.00"),
            QStringLiteral("Weekly equivalent: $23.08"),
            QStringLiteral("Daily equivalent: $3.29"),
            QStringLiteral("Valid for 30 days")};
}

// The test platform with real printers in place of the recording ones.
struct RealPrinting {
    explicit RealPrinting(Printers &printers)
        : platform{tp.messages, tp.files,    tp.locale,   printers,
                   tp.fonts,    tp.launcher, tp.instance, tp.clock}
    {
        PrinterSettings &p = tp.settings.printer;
        p.PrinterFont = QStringLiteral("DejaVu Sans");
        p.PrinterFontSize = QStringLiteral("12");
        p.PrinterBold = QStringLiteral("Off");
        p.PrinterItalic = QStringLiteral("Off");
        p.PrinterUnderline = QStringLiteral("Off");
        p.HorizontalMargin = QStringLiteral("1440");
        p.VerticalMargin = QStringLiteral("1440");
        tp.settings.page.PageHeader = QStringLiteral("Kestrane Leasing\r\nQuotation\r\n");
        tp.settings.page.PageFooter = QStringLiteral("Valid for 30 days\r\n");
    }

    std::optional<QString> print(const std::function<void(PrinterSurface &, int)> &body)
    {
        return RunPrintJob(platform, nullptr, tp.settings.printer, body);
    }

    std::optional<QString> printQuote(const QuoteTexts &q)
    {
        return print([&](PrinterSurface &s, int margin) {
            PrintQuotation(s, margin, q, tp.settings.page, QStringLiteral("07/03/2026"));
        });
    }

    TestPlatform tp;
    Platform platform;
};

// Waits for a PDF in the folder, not older than the given time, whose text
// holds the marker; empty when none comes within the time allowed.
QString waitForOutput(const QString &folder, const QDateTime &since, const QString &marker)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 45000) {
        const QFileInfoList files =
            QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
        for (const QFileInfo &f : files) {
            if (f.lastModified() < since.addSecs(-2))
                continue;
            if (textLines(f.absoluteFilePath()).join(QLatin1Char(' ')).contains(marker))
                return f.absoluteFilePath();
        }
        QThread::msleep(200);
    }
    return QString();
}

QString envOr(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

QString uniqueMarker()
{
    return QStringLiteral("Customer%1").arg(QRandomGenerator::global()->bounded(100000000));
}

} // namespace

class TestQtPrinters : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void quotationPageReadsBackInOrder();
    void surfaceMeasuresMatchThePage();
    void linesFillThePrintableWidth();
    void fontSettingsReachThePage();
    void underlineIsDrawn();
    void textPastTheBottomGoesOnANewPage();
    void unwritableFileIsNoJob();
    void printersAreChosenByExactName();
    void jobThroughTheCaptureQueue();
    void jobThroughTheCupsPdfPrinter();
    void refusingQueueIsReported();

private:
    QTemporaryDir dir;
    // A CUPS queue by name, or a skip saying how to get one.
    bool haveQueue(QtPrinters &printers, const QString &name);
};

void TestQtPrinters::initTestCase()
{
    if (tool("pdftotext").isEmpty() || tool("pdfinfo").isEmpty() || tool("pdffonts").isEmpty())
        QSKIP("poppler-utils (pdftotext, pdfinfo, pdffonts) is not installed: "
              "scripts/test.sh installs it");
    QVERIFY(dir.isValid());
}

void TestQtPrinters::quotationPageReadsBackInOrder()
{
    const QString pdf = dir.filePath(QStringLiteral("quote.pdf"));
    PdfPrinters printers(pdf);
    RealPrinting job(printers);
    QCOMPARE(job.printQuote(quote(QStringLiteral("Harbour Bakery"))), std::optional<QString>(pdf));
    QVERIFY(job.tp.messages.messages.isEmpty());
    QCOMPARE(textLines(pdf), quoteLines(QStringLiteral("Harbour Bakery")));
    QCOMPARE(pagesOf(pdf), 1);

    // Every line starts at the same left margin; each amount stands on a
    // stop ten widths of "0" apart, counted from the printable area's edge.
    const QVector<Word> words = wordsOf(pdf);
    const double left = find(words, QStringLiteral("Harbour")).value(0).x0;
    for (const QString &first : {QStringLiteral("12"), QStringLiteral("07/03/2026"),
                                 QStringLiteral("Kestrane"), QStringLiteral("Equipment"),
                                 QStringLiteral("Rental"), QStringLiteral("Upfront"),
                                 QStringLiteral("36"), QStringLiteral("Weekly"),
                                 QStringLiteral("Valid")})
        QVERIFY2(qAbs(find(words, first).value(0).x0 - left) < 0.3, qPrintable(first));
    float zero = 0;
    job.print([&](PrinterSurface &s, int) { zero = s.textWidth(QStringLiteral("0")); });
    QVERIFY(zero > 0);
    const double edge = left - 72.0; // the margin is 1440 twips, 72 points
    for (const QString &amount : {QStringLiteral("$300.00"), QStringLiteral("$100.00"),
                                  QStringLiteral("$200.00"), QStringLiteral("$23.08"),
                                  QStringLiteral("$3.29")}) {
        const double stops = (find(words, amount).value(0).x0 - edge) * 20.0 / (10.0 * zero);
        QVERIFY2(stops > 1.5 && qAbs(stops - qRound(stops)) < 0.02,
                 qPrintable(QStringLiteral("%1 at %2 stops").arg(amount).arg(stops)));
    }
}

void TestQtPrinters::surfaceMeasuresMatchThePage()
{
    const QString pdf = dir.filePath(QStringLiteral("measures.pdf"));
    PdfPrinters printers(pdf);
    RealPrinting job(printers);
    float lineHeight = 0, zero = 0, wide = 0, space = 0, firstY = 0;
    QVERIFY(job.print([&](PrinterSurface &s, int) {
        firstY = s.currentY();
        PrintWrapped(s, QStringLiteral("Edge\r\n"), 0, 0);
        lineHeight = s.currentY() - firstY;
        PrintWrapped(s, QStringLiteral("Edge\r\n"), 1440, 1440);
        PrintWrapped(s, QStringLiteral("\tEdge\r\n"), 0, 0);
        PrintWrapped(s, QStringLiteral("Wide Edge\r\n"), 0, 0);
        zero = s.textWidth(QStringLiteral("0"));
        wide = s.textWidth(QStringLiteral("Wide"));
        space = s.textWidth(QStringLiteral(" "));
    }));
    QCOMPARE(firstY, 1440.0f);
    QVERIFY(lineHeight > 200 && lineHeight < 400); // 12 points is 240 twips
    QVERIFY(zero > 100 && zero < 180);
    const QVector<Word> edges = find(wordsOf(pdf), QStringLiteral("Edge"));
    const Word wideWord = find(wordsOf(pdf), QStringLiteral("Wide")).value(0);
    QCOMPARE(edges.size(), 4);
    // The text's top stands at current Y: the PDF printer keeps the same
    // small margin on every side, so the printable area's top lies as far
    // down the sheet as its left edge lies in.
    QVERIFY2(qAbs(edges[0].y0 - (edges[0].x0 + 72.0)) < 0.5,
             qPrintable(QStringLiteral("%1 %2").arg(edges[0].x0).arg(edges[0].y0)));
    QVERIFY(qAbs(edges[1].x0 - edges[0].x0 - 72.0) < 0.3);
    QVERIFY(qAbs(edges[1].y0 - edges[0].y0 - lineHeight / 20.0) < 0.3);
    QVERIFY(qAbs(edges[3].y0 - edges[0].y0 - 3 * lineHeight / 20.0) < 0.3);
    QVERIFY(qAbs(edges[2].x0 - edges[0].x0 - 10 * zero / 20.0) < 0.3);
    QVERIFY(qAbs(edges[3].x0 - wideWord.x0 - (wide + space) / 20.0) < 0.3);

    // The top margin is where the first line's top stands.
    const QString lower = dir.filePath(QStringLiteral("lower.pdf"));
    PdfPrinters lowerPrinters(lower);
    RealPrinting lowerJob(lowerPrinters);
    lowerJob.tp.settings.printer.VerticalMargin = QStringLiteral("2880");
    QVERIFY(lowerJob.print([&](PrinterSurface &s, int) {
        PrintWrapped(s, QStringLiteral("Edge\r\n"), 0, 0);
    }));
    const Word moved = find(wordsOf(lower), QStringLiteral("Edge")).value(0);
    QVERIFY(qAbs(moved.y0 - edges[0].y0 - 72.0) < 0.3);
    QVERIFY(qAbs(moved.x0 - edges[0].x0) < 0.3);
}

void TestQtPrinters::linesFillThePrintableWidth()
{
    const QString pdf = dir.filePath(QStringLiteral("width.pdf"));
    PdfPrinters printers(pdf);
    RealPrinting job(printers);
    float width = 0, word = 0;
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("lorem%1 ").arg(i % 10);
    QVERIFY(job.print([&](PrinterSurface &s, int) {
        width = s.scaleWidth();
        word = s.textWidth(QStringLiteral("lorem0 "));
        QCOMPARE(s.scaleLeft(), 0.0f);
        PrintWrapped(s, text + QStringLiteral("\r\n"), 0, 0);
    }));
    const QVector<Word> words = wordsOf(pdf);
    QCOMPARE(words.size(), 200);
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
    const QString bold = dir.filePath(QStringLiteral("bold.pdf"));
    PdfPrinters printers(bold);
    RealPrinting job(printers);
    job.tp.settings.printer.PrinterFont = QStringLiteral("DejaVu Serif");
    job.tp.settings.printer.PrinterBold = QStringLiteral("On");
    job.tp.settings.printer.PrinterItalic = QStringLiteral("On");
    float smallLine = 0, bigLine = 0;
    QVERIFY(job.print([&](PrinterSurface &s, int margin) {
        const float y = s.currentY();
        PrintWrapped(s, QStringLiteral("Bold serif\r\n"), margin, margin);
        smallLine = s.currentY() - y;
    }));
    QVERIFY2(fontsOf(bold).contains(QStringLiteral("DejaVuSerif-BoldItalic")), qPrintable(fontsOf(bold)));

    const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
    PdfPrinters plainPrinters(plain);
    RealPrinting plainJob(plainPrinters);
    plainJob.tp.settings.printer.PrinterFontSize = QStringLiteral("24");
    QVERIFY(plainJob.print([&](PrinterSurface &s, int margin) {
        const float y = s.currentY();
        PrintWrapped(s, QStringLiteral("Plain sans\r\n"), margin, margin);
        bigLine = s.currentY() - y;
    }));
    const QString fonts = fontsOf(plain);
    QVERIFY2(fonts.contains(QStringLiteral("DejaVuSans")), qPrintable(fonts));
    QVERIFY(!fonts.contains(QStringLiteral("Bold")));
    QVERIFY(!fonts.contains(QStringLiteral("Serif")));
    // Twice the size, twice the line and twice the letters.
    QVERIFY(qAbs(bigLine / smallLine - 2.0f) < 0.15f);
    const Word big = find(wordsOf(plain), QStringLiteral("Plain")).value(0);
    QVERIFY(big.y1 - big.y0 > 20 && big.y1 - big.y0 < 36);
}

// Dark pixels of the first page at 144 dots per inch within the box (in
// points) widened downwards by two points.
static int inkBelow(const QString &pdf, const QString &base, const Word &w)
{
    run(tool("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-gray"),
                           QStringLiteral("-singlefile"), pdf, base});
    const QImage page(base + QStringLiteral(".pgm"));
    int dark = 0;
    for (int y = int(w.y0 * 2); y < int((w.y1 + 2) * 2) && y < page.height(); ++y)
        for (int x = int(w.x0 * 2); x < int(w.x1 * 2) && x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
    return dark;
}

void TestQtPrinters::underlineIsDrawn()
{
    if (tool("pdftoppm").isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    int ink[2] = {0, 0};
    Word box[2];
    for (int underline = 0; underline < 2; ++underline) {
        const QString pdf = dir.filePath(QStringLiteral("underline%1.pdf").arg(underline));
        PdfPrinters printers(pdf);
        RealPrinting job(printers);
        job.tp.settings.printer.PrinterUnderline = underline ? QStringLiteral("On")
                                                             : QStringLiteral("Off");
        QVERIFY(job.print([&](PrinterSurface &s, int margin) {
            PrintWrapped(s, QStringLiteral("oooooooooo\r\n"), margin, margin);
        }));
        box[underline] = find(wordsOf(pdf), QStringLiteral("oooooooooo")).value(0);
        ink[underline] = inkBelow(pdf, dir.filePath(QStringLiteral("underline%1").arg(underline)),
                                  box[underline]);
    }
    QVERIFY(ink[0] > 0);
    // The line under the word adds at least one row of ink across it.
    const int width = int((box[1].x1 - box[1].x0) * 2);
    QVERIFY2(ink[1] > ink[0] + width * 0.8,
             qPrintable(QStringLiteral("%1 %2 %3").arg(ink[0]).arg(ink[1]).arg(width)));
}

void TestQtPrinters::textPastTheBottomGoesOnANewPage()
{
    const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
    PdfPrinters printers(pdf);
    RealPrinting job(printers);
    QVERIFY(job.print([&](PrinterSurface &s, int margin) {
        for (int i = 1; i <= 150; ++i)
            PrintWrapped(s, QStringLiteral("Line%1\r\n").arg(i, 3, 10, QLatin1Char('0')), margin,
                         margin);
    }));
    const int pages = pagesOf(pdf);
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    const QVector<Word> words = wordsOf(pdf);
    QCOMPARE(words.size(), 150);
    for (int i = 0; i < 150; ++i)
        QCOMPARE(words[i].text, QStringLiteral("Line%1").arg(i + 1, 3, 10, QLatin1Char('0')));
    // Each page starts again at the top margin, and no line falls off the
    // sheet (842 points high).
    const double top = words.first().y0;
    int page = 1;
    for (const Word &w : words) {
        if (w.page != page) {
            QCOMPARE(w.page, page + 1);
            page = w.page;
            QVERIFY(qAbs(w.y0 - top) < 0.3);
        }
        QVERIFY(w.y1 < 842.0);
    }
    QCOMPARE(page, pages); // no empty page at the end

    // A top margin below the bottom of the sheet: new pages would not help,
    // so the job stays one page instead of one page per line.
    const QString low = dir.filePath(QStringLiteral("low.pdf"));
    PdfPrinters lowPrinters(low);
    RealPrinting lowJob(lowPrinters);
    lowJob.tp.settings.printer.VerticalMargin = QStringLiteral("20000");
    QVERIFY(lowJob.print([&](PrinterSurface &s, int margin) {
        for (int i = 1; i <= 5; ++i)
            PrintWrapped(s, QStringLiteral("Line%1\r\n").arg(i), margin, margin);
    }));
    QCOMPARE(pagesOf(low), 1);
}

void TestQtPrinters::unwritableFileIsNoJob()
{
    const QString pdf = dir.filePath(QStringLiteral("missing folder/quote.pdf"));
    PdfPrinters printers(pdf);
    RealPrinting job(printers);
    bool printed = false;
    QCOMPARE(job.print([&](PrinterSurface &, int) { printed = true; }), std::nullopt);
    QVERIFY(!printed);
    QCOMPARE(job.tp.messages.texts(),
             QStringList{QStringLiteral("The print job could not be started: the file ") + pdf
                         + QStringLiteral(" cannot be written !")});
    QVERIFY(!QFileInfo::exists(pdf));
}

bool TestQtPrinters::haveQueue(QtPrinters &printers, const QString &name)
{
    return printers.installed().contains(name);
}

void TestQtPrinters::printersAreChosenByExactName()
{
    QtPrinters printers;
    const QString capture = envOr("QUOTARO_CAPTURE_QUEUE", QStringLiteral("QuotaroCapture"));
    if (!haveQueue(printers, capture))
        QSKIP("no CUPS queue QuotaroCapture: run scripts/test.sh, or as root source "
              "scripts/cups-test-server.sh and call quotaro_start_cups");
    // Before any choice the current printer is an installed one: the
    // system default, or the first printer where the system has none.
    const QString before = printers.currentName();
    QVERIFY2(printers.installed().contains(before), qPrintable(before));
    if (!QPrinterInfo::defaultPrinterName().isEmpty())
        QCOMPARE(before, QPrinterInfo::defaultPrinterName());
    QVERIFY(!SelectPrinter(printers, capture.toLower()));
    QVERIFY(!SelectPrinter(printers, capture + QLatin1Char(' ')));
    QVERIFY(!SelectPrinter(printers, QString()));
    QCOMPARE(printers.currentName(), before);
    QVERIFY(SelectPrinter(printers, capture));
    QCOMPARE(printers.currentName(), capture);
}

void TestQtPrinters::jobThroughTheCaptureQueue()
{
    QtPrinters printers;
    const QString capture = envOr("QUOTARO_CAPTURE_QUEUE", QStringLiteral("QuotaroCapture"));
    if (!haveQueue(printers, capture))
        QSKIP("no CUPS queue QuotaroCapture: run scripts/test.sh, or as root source "
              "scripts/cups-test-server.sh and call quotaro_start_cups");
    QVERIFY(SelectPrinter(printers, capture));
    RealPrinting job(printers);
    const QString marker = uniqueMarker();
    const QDateTime since = QDateTime::currentDateTime();
    QCOMPARE(job.printQuote(quote(marker)), std::optional<QString>(capture));
    QVERIFY(job.tp.messages.messages.isEmpty());
    const QString out = waitForOutput(
        envOr("QUOTARO_CAPTURE_DIR", QStringLiteral("/var/spool/quotaro-capture")), since, marker);
    QVERIFY2(!out.isEmpty(), "the job did not arrive in the capture folder");
    QCOMPARE(textLines(out), quoteLines(marker));
    QCOMPARE(pagesOf(out), 1);
    QFile::remove(out);
}

void TestQtPrinters::jobThroughTheCupsPdfPrinter()
{
    QtPrinters printers;
    const QString queue = envOr("QUOTARO_PDF_QUEUE", QStringLiteral("QuotaroPDF"));
    if (!haveQueue(printers, queue))
        QSKIP("no CUPS queue QuotaroPDF: run scripts/test.sh, or as root source "
              "scripts/cups-test-server.sh and call quotaro_start_cups");
    QVERIFY(SelectPrinter(printers, queue));
    RealPrinting job(printers);
    const QString marker = uniqueMarker();
    const QDateTime since = QDateTime::currentDateTime();
    QCOMPARE(job.printQuote(quote(marker)), std::optional<QString>(queue));
    QVERIFY(job.tp.messages.messages.isEmpty());
    const QString out = waitForOutput(
        envOr("QUOTARO_CUPS_PDF_DIR", QDir::homePath() + QStringLiteral("/PDF")), since, marker);
    QVERIFY2(!out.isEmpty(), "the PDF printer wrote no file with the quotation");
    QCOMPARE(textLines(out), quoteLines(marker));
    QFile::remove(out);
}

void TestQtPrinters::refusingQueueIsReported()
{
    QtPrinters printers;
    const QString queue = envOr("QUOTARO_REFUSING_QUEUE", QStringLiteral("QuotaroRefusing"));
    if (!haveQueue(printers, queue))
        QSKIP("no CUPS queue QuotaroRefusing: run scripts/test.sh, or as root source "
              "scripts/cups-test-server.sh and call quotaro_start_cups");
    QVERIFY(SelectPrinter(printers, queue));
    RealPrinting job(printers);
    QCOMPARE(job.printQuote(quote(uniqueMarker())), std::nullopt);
    QCOMPARE(job.tp.messages.messages.size(), 1);
    const RecordedMessage m = job.tp.messages.messages.first();
    QVERIFY2(m.text.startsWith(QStringLiteral("The printer ") + queue
                               + QStringLiteral(" did not take the print job: the print service "
                                                "refused it (")),
             qPrintable(m.text));
    QVERIFY2(m.text.contains(QStringLiteral("not accepting jobs")), qPrintable(m.text));
    QVERIFY(m.text.endsWith(QStringLiteral(") !")));
    QCOMPARE(m.title, QStringLiteral("Printing"));
    QCOMPARE(m.icon, MsgIcon::Exclamation);

    // A refusal is not left behind for the next job on a working queue.
    const QString capture = envOr("QUOTARO_CAPTURE_QUEUE", QStringLiteral("QuotaroCapture"));
    if (haveQueue(printers, capture)) {
        QVERIFY(SelectPrinter(printers, capture));
        job.tp.messages.clear();
        QCOMPARE(job.printQuote(quote(uniqueMarker())), std::optional<QString>(capture));
        QVERIFY(job.tp.messages.messages.isEmpty());
    }
}

QTEST_MAIN(TestQtPrinters)
#include "test_qtprinters.moc"

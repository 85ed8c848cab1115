// Real pages: Qt's PDF output read back with poppler's tools, and whole jobs
// through the capture and refusing queues of scripts/cups-test-server.sh.

#include "WidgetDriver.h"

#include "platform/gui/QtPageOutput.h"
#include "platform/gui/QtPrinters.h"
#include "printing/PdfAndPreview.h"
#include "printing/PrintPage.h"
#include "printing/QuotePrinting.h"
#include "quote/QuoteTexts.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

struct Word {
    int page;
    double x0, y0, x1, y1;
    QString text;
};

// What one of poppler's tools writes for the file; empty when it fails.
QString run(const char *program, const QStringList &args)
{
    QProcess p;
    p.start(QString::fromLatin1(program), args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of a PDF as laid out on its pages.
QString textOf(const QString &pdf) { return run("pdftotext", {"-layout", pdf, "-"}); }

// The value of pdfinfo's line of that key.
QString infoOf(const QString &pdf, const QString &key)
{
    const QRegularExpression line("^" + key + ":\\s*(.*)$", QRegularExpression::MultilineOption);
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

// Rows of page 1 at 144 dots per inch dark across nine tenths of the word's
// box and two points below it: an underline makes one, no letter does.
int fullRows(const QString &pdf, const Word &w)
{
    run("pdftoppm", {"-r", "144", "-gray", "-singlefile", pdf, pdf});
    const QImage page(pdf + QStringLiteral(".pgm"));
    int rows = 0;
    for (int y = int(w.y0 * 2); y < int((w.y1 + 2) * 2) && y < page.height(); ++y) {
        int dark = 0;
        for (int x = int(w.x0 * 2); x < int(w.x1 * 2) && x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
        rows += dark > (w.x1 - w.x0) * 2 * 0.9;
    }
    return rows;
}

// The test platform with real printers (those of the print service, or one
// writing every job into the file pdf), DejaVu Sans 12 plain, one-inch margins.
struct RealPrinting : TestPlatform {
    explicit RealPrinting(const QString &path = {})
        : pdf(path), file(path), real{messages, files,    locale, chosen(), fonts,
                                      launcher, instance, clock,  pages}
    {
        settings.printer = {"", "DejaVu Sans", "12", "Off", "Off", "Off", "1440", "1440"};
    }
    std::optional<QString> print(const PageBody &body)
    {
        return runPrintJob(real, nullptr, settings.printer, body);
    }
    Printers &chosen() { return pdf.isEmpty() ? static_cast<Printers &>(service) : file; }
    QString pdf;
    QtPrinters service;
    PdfPrinters file;
    Platform real;
};

} // namespace

class TestQtPrinters : public QObject {
    Q_OBJECT
    QString file(const char *name) { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        for (const char *tool : {"pdftotext", "pdfinfo", "pdffonts", "pdftoppm"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP("poppler-utils is not installed: scripts/test.sh installs it");
    }

    // What only a real page shows: the printable area, wrap and tab stops at
    // real widths, the plain font, new pages, the preview's page count.
    void realPages()
    {
        RealPrinting job(file("long.pdf"));
        float width = 0, word = 0, zero = 0;
        QString text = QStringLiteral("Edge\r\n");
        for (int i = 0; i < 200; ++i)
            text += QStringLiteral("lorem%1 ").arg(i % 10);
        for (int i = 1; i <= 150; ++i)
            text += QStringLiteral("\r\nLine%1").arg(i, 3, 10, QLatin1Char('0'));
        const PageBody body = [&](PrinterSurface &s, int) {
            width = s.scaleWidth();
            word = s.textWidth(QStringLiteral("lorem0 "));
            zero = s.textWidth(QStringLiteral("0"));
            PrintWrapped(s, QStringLiteral("Edge\r\n"), 0, 0);
            PrintWrapped(s, QStringLiteral("\t\tTab\r\n") + text, 1440, 0);
        };
        QVERIFY(job.print(body));
        const QVector<Word> words = wordsOf(job.pdf);
        QCOMPARE(words.size(), 353);
        QCOMPARE(words[0].text + words[1].text + words[2].text, "EdgeTabEdge");
        // The top at current Y: the PDF printer's margin is alike on every side.
        const Word edge = words[0];
        QVERIFY2(qAbs(edge.y0 - (edge.x0 + 72.0)) < 0.5, qPrintable(QString::number(edge.y0)));
        QVERIFY(qAbs(words[2].x0 - edge.x0 - 72.0) < 0.3);
        QVERIFY(qAbs(words[2].y0 - edge.y0 - 28.0) < 1.0); // two lines of 12 points and spacing
        // Stops every ten "0" from the edge: from 1440 two tabs reach the second.
        const double stops = (words[1].x0 - edge.x0) * 20.0 / (10.0 * zero);
        QVERIFY2(qAbs(stops - 2) < 0.02, qPrintable(QString::number(stops)));
        // Lines end within a word of the right edge; the area centred on A4.
        double right = 0;
        for (const Word &w : words)
            right = std::max(right, w.x1);
        QVERIFY2(right <= edge.x0 + width / 20.0 + 0.3, qPrintable(QString::number(right)));
        QVERIFY(right > edge.x0 + (width - word) / 20.0);
        QVERIFY(qAbs(2 * edge.x0 + width / 20.0 - 595.0) < 1.0);
        // Lines in order, each page from the top margin, none off the sheet.
        const int pages = infoOf(job.pdf, "Pages").toInt();
        for (int i = 0, page = 1; i < 150; page = words[203 + i++].page) {
            const Word &w = words[203 + i];
            QCOMPARE(w.text, QStringLiteral("Line%1").arg(i + 1, 3, 10, QLatin1Char('0')));
            if (w.page != page)
                QCOMPARE(QList<double>({double(w.page), w.y0}),
                         QList<double>({page + 1.0, edge.y0}));
            QVERIFY(w.y1 < 842.0);
        }
        QCOMPARE(words.last().page, pages);
        // The plain font, neither bold nor serif nor underlined.
        const QString fonts = run("pdffonts", {job.pdf});
        QVERIFY2(fonts.contains("DejaVuSans") && !fonts.contains("Bold")
                     && !fonts.contains("Serif"),
                 qPrintable(fonts));
        QCOMPARE(fullRows(job.pdf, edge), 0);
        int shown = -1;
        whenUp(
            [] { return qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget()); },
            [&](QWidget *dialog) {
                shown = dialog->findChild<QPrintPreviewWidget *>()->pageCount();
                dialog->close();
            });
        const PreviewOutcome outcome = QtPageOutput().preview(
            nullptr, job.file.currentName(), QStringLiteral("Q"), [&](PrinterSurface &s) {
                ApplyPrintSettings(s, job.settings.printer, {12, 1440, 1440});
                body(s, 1440);
            });
        QVERIFY(outcome.shown && !outcome.printed);
        QCOMPARE(shown, pages);
        // Printed from the preview into a file that cannot be written (the
        // print dialog's own check skipped): told, not done.
        const QString lost = file("missing folder/preview.pdf");
        whenUp(
            [] { return qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget()); },
            [&](QWidget *dialog) {
                whenUp(
                    [] { return qobject_cast<QPrintDialog *>(QApplication::activeModalWidget()); },
                    [&](QWidget *print) {
                        auto *to = print->findChild<QComboBox *>("printers");
                        to->setCurrentIndex(to->count() - 1); // the PDF file
                        print->findChild<QLineEdit *>("filename")->setText(lost);
                        static_cast<QDialog *>(print)->accept();
                    });
                for (QAction *action : dialog->findChildren<QAction *>())
                    if (action->text() == QStringLiteral("Print"))
                        return action->trigger();
            });
        const PreviewOutcome failed = QtPageOutput().preview(nullptr, "", "Q",
                                                             [](PrinterSurface &) {});
        QCOMPARE(QString::number(failed.printed) + " " + failed.error,
                 "1 the file " + lost + " cannot be written");

        // A top margin leaving no line is refused; one leaving a line: one page, not one a line.
        RealPrinting low(file("low.pdf"));
        const QString height = QString::number(int(low.file.printableArea().height()));
        for (const int left : {239, 240}) {
            low.settings.printer.VerticalMargin = QString::number(height.toInt() - left);
            QCOMPARE(bool(low.print([](PrinterSurface &s, int m) {
                         PrintWrapped(s, "1\r\n2\r\n3\r\n", m, m);
                     })),
                     left == 240);
        }
        QCOMPARE(infoOf(low.pdf, "Pages"), QStringLiteral("1"));
        QCOMPARE(low.messages.texts().value(0).section(") ", 1),
                 QString("leaves no room for text: a margin of %1 twips leaves no line of size 12 "
                         "in the printable height of %2 twips, nothing has been printed !")
                     .arg(height.toInt() - 239)
                     .arg(height));
        // A file that cannot be written is no job.
        RealPrinting missing(file("missing folder/quote.pdf"));
        QCOMPARE(missing.print([&](PrinterSurface &, int) { QFAIL("a page was drawn"); }),
                 std::nullopt);
        QVERIFY(!QFileInfo::exists(missing.pdf));
        QCOMPARE(missing.messages.texts(),
                 QStringList{"The print job could not be started: the file " + missing.pdf
                             + " cannot be written !"});
    }

    // End to end once, in bold italic underlined serif at 24 points: told of
    // a refusing queue; then through the capture queue, and the PDF export
    // is the page that came out, with its font embedded and its title set.
    void quoteThroughTheQueues()
    {
        RealPrinting job;
        QtPrinters &printers = job.service;
        const QString capture = qEnvironmentVariable("QUOTARO_CAPTURE_QUEUE", "QuotaroCapture");
        const QString refusing = qEnvironmentVariable("QUOTARO_REFUSING_QUEUE", "QuotaroRefusing");
        if (!printers.installed().contains(capture) || !printers.installed().contains(refusing))
            QSKIP("no CUPS queues: run scripts/test.sh, or as root source "
                  "scripts/cups-test-server.sh and call quotaro_start_cups");
        // Before any choice: the system default, or the first printer.
        QCOMPARE(printers.currentName(),
                 QPrinterInfo::defaultPrinterName().isEmpty() ? printers.installed().value(0)
                                                              : QPrinterInfo::defaultPrinterName());
        job.settings.printer = {"", "DejaVu Serif", "24", "On", "On", "On", "1440", "1440"};
        const QString marker = QFileInfo(dir.path()).fileName(); // new on every run
        const QuoteTexts q{marker, "Deck oven", "$300.00", "36", "$100.00", "", "$23.08", "$3.29"};
        const PageBody body = [&](PrinterSurface &s, int margin) {
            printQuotation(s, margin, q, {"Kestrane Leasing", "Valid for 30 days"}, "07/03/2026");
        };
        QVERIFY(selectPrinter(printers, refusing));
        QCOMPARE(job.print(body), std::nullopt);
        const QString told = said(job.messages).join(u'\n');
        QVERIFY2(told.contains(QRegularExpression(
                     "^Printing: The printer " + QRegularExpression::escape(refusing)
                     + " did not take the print job: the print service refused it \\(.*not "
                       "accepting jobs.*\\) ! \\(Exclamation\\)$")),
                 qPrintable(told));
        // The refusal is not left behind for the next job.
        QVERIFY(selectPrinter(printers, capture));
        QCOMPARE(job.print(body), std::optional<QString>(capture));
        QCOMPARE(job.messages.messages.size(), 1);
        const auto came = [&] {
            const QDir spool(
                qEnvironmentVariable("QUOTARO_CAPTURE_DIR", "/var/spool/quotaro-capture"));
            for (const QFileInfo &f : spool.entryInfoList({"*.pdf"}, QDir::Files, QDir::Time))
                if (textOf(f.filePath()).contains(marker))
                    return f.filePath();
            return QString();
        };
        QVERIFY2(QTest::qWaitFor([&] { return !came().isEmpty(); }, 45000),
                 "no file with the page came out of the queue");
        const QString printed = came();
        job.pages.answer = file("export.pdf");
        QCOMPARE(runPdfExport(job.real, nullptr, job.settings.printer, marker, body),
                 job.pages.answer);
        const QString pdf = *job.pages.answer;
        QCOMPARE(textOf(pdf), textOf(printed));
        for (const char *key : {"Page size", "Pages"})
            QCOMPARE(infoOf(pdf, key), infoOf(printed, key));
        QCOMPARE(infoOf(printed, "Title"), "Quotaro"); // the job's name in the queue
        QCOMPARE(infoOf(pdf, "Pages") + " " + infoOf(pdf, "Title") + " " + infoOf(pdf, "Creator"),
                 "1 " + marker + " Quotaro");
        const QString fonts = run("pdffonts", {pdf});
        QVERIFY2(
            fonts.contains(QRegularExpression(
                "DejaVuSerif-BoldItalic\\s.*\\syes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$",
                QRegularExpression::MultilineOption)),
            qPrintable(fonts));
        // 24 points high with its descent, and underlined; where the paper has it.
        const Word name = wordsOf(pdf).value(0), onPaper = wordsOf(printed).value(0);
        QVERIFY(qAbs(name.x0 - onPaper.x0) < 0.5 && qAbs(name.y0 - onPaper.y0) < 0.5);
        QVERIFY2(name.y1 - name.y0 > 24 && name.y1 - name.y0 < 32,
                 qPrintable(QString::number(name.y1 - name.y0)));
        QVERIFY(fullRows(pdf, name) > 0);
        QFile::remove(printed);
    }
};

QTEST_MAIN(TestQtPrinters)
#include "test_qtprinters.moc"

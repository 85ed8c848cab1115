// The printed quotation, the word-wrapping print routine and print jobs on
// recording printers whose every character (so "0", the tab unit, too) is
// 120 twips wide and every line 240 high.

#include "WidgetDriver.h"

#include "printing/PdfAndPreview.h"
#include "printing/PrintPage.h"
#include "printing/QuotePrinting.h"
#include "quote/QuoteTexts.h"

namespace {

// A quotation's page as lines joined by "|", from the texts as the main
// window holds them (the header and footer trimmed).
void quote(const char *name, const QString &page, const char *upfront, const char *final,
           const QString &customer = QStringLiteral("Harbour Bakery\r\n12 Quay Street"),
           const QString &equipment = QStringLiteral("Deck oven\r\nProving cabinet"),
           const QString &footer = QStringLiteral("Valid for 30 days"),
           const QString &header = QStringLiteral("Kestrane Leasing\r\nQuotation"))
{
    QTest::newRow(name) << page.split(u'|') << QuoteTexts{customer,  equipment, upfront,  "36",
                                                          "$100.00", final,     "$23.08", "$3.29"}
                        << PageSettings{header, footer};
}

// A text printed from margin to right margin: its page and the X where it ends.
void wrap(const char *name, const QString &text, int margin, int right, const QString &page,
          float endX, int left = 0, int width = 12000, int zero = 120)
{
    QTest::newRow(name) << text << QList<int>{margin, right, left, width, zero}
                        << (page.split(u'|') << QString::number(endX));
}

} // namespace

Q_DECLARE_METATYPE(QuoteTexts)
Q_DECLARE_METATYPE(PageSettings)

class TestPrintPage : public QObject {
    Q_OBJECT
private slots:
    void quotationPages_data()
    {
        QTest::addColumn<QStringList>("page");
        QTest::addColumn<QuoteTexts>("quote");
        QTest::addColumn<PageSettings>("settings");
        const QString top =
            "Harbour Bakery|12 Quay Street||07/03/2026||Kestrane Leasing|Quotation||"
            "Equipment details||Deck oven|Proving cabinet||Rental details:||";
        const QString up = "Upfront rental: [3600]$300.00|",
                      mid = "36 Monthly rentals: [4800]$100.00|",
                      fin = "Final rental: [4800]$200.00|",
                      end = "Weekly equivalent: [4800]$23.08|Daily equivalent: [4800]$3.29||";
        quote("upfront, mids and final", top + up + mid + fin + end + "Valid for 30 days|",
              "$300.00", "$200.00");
        quote("upfront and mids", top + up + mid + end + "Valid for 30 days|", "$300.00", "");
        // One closing line break of each detail is dropped, a second prints;
        // a line wider than the margins wraps.
        const QString a40(40, u'a'), b40(40, u'b');
        quote("mids and final, details ending in two line breaks",
              a40 + " |" + b40
                  + "|||07/03/2026||A|||Equipment details||Deck oven|||Rental details:||" + mid
                  + fin + end + "Z||",
              "", "$200.00", a40 + " " + b40 + "\r\n\r\n", "Deck oven\r\n\r\n", "Z\r\n", "A\r\n");
        // No customer and equipment that is a lone line break are no details.
        quote("mids only, no details, empty footer",
              "07/03/2026||Kestrane Leasing|Quotation||Rental details:||" + mid + end + "|", "", "",
              "", "\r\n", "");
    }

    void quotationPages()
    {
        QFETCH(QuoteTexts, quote);
        QFETCH(PageSettings, settings);
        RecordingSurface s;
        printQuotation(s, 1440, quote, settings, "07/03/2026");
        QTEST(s.lines(1440), "page");
    }

    // Locale, size, margins, font flags, printer, start error and refusal;
    // then the messages, whether the printer was chosen, where the job went,
    // its margin and what was done to a surface at X 333.
    void jobsGoToTheChosenPrinterOrAreTold_data()
    {
        rowsOf(
            {"en_US| 9.75|1440.5|1,000.25|On|Front Desk|||1 Front Desk 1440: font Arial, size "
             "9.75, bold 1, italic 1, underline 1, print 333,1000.25 [x], enddoc",
             "en_US|10|1441.5|1440|Off|Front Desk 2|||1 Front Desk 2 1442: font Arial, size 10, "
             "bold 0, italic 0, underline 0, print 333,1440 [x], enddoc",
             "en_US|10|-0.6|1440|on|front desk|||0 Office Laser -1: font Arial, size 10, print "
             "333,1440 [x], enddoc",
             "de_DE|10,5|720|360,5|OFF|Front|||0 Office Laser 720: font Arial, size 10.5, print "
             "333,360.5 [x], enddoc",
             "en_US|11.5|1440|720.5|1|Front Desk |||0 Office Laser 1440: font Arial, size 11.5, "
             "print 333,720.5 [x], enddoc",
             "en_US|10|1440|1440||Front Desk||the service refused it|Printing: The printer Front "
             "Desk did not take the print job: the service refused it ! (Exclamation)|1 - 1440: "
             "font Arial, size 10, print 333,1440 [x], enddoc",
             "en_US|10|1440|1440|On|Front Desk|no printer is installed||Printing: The print job "
             "could not be started: no printer is installed ! (Exclamation)|1 -",
             "en_US|ten|1440|1440|On|Front Desk|||Printing: The font size setting in the file "
             "(FontSize.txt) is not a valid number, nothing has been printed ! (Exclamation)|1 -",
             "en_US||1440|1440|On|Front Desk|||Printing: The font size setting in the file "
             "(FontSize.txt) is not a valid number, nothing has been printed ! (Exclamation)|1 -",
             "en_US|10|1 inch|1440|On|Front Desk|||Printing: The horizontal margin setting in the "
             "file (HorizontalMargin.txt) is not a valid number, nothing has been printed ! "
             "(Exclamation)|1 -",
             "en_US|10|3000000000|1440|On|Front Desk|||Printing: The horizontal margin setting in "
             "the file (HorizontalMargin.txt) is not a valid number, nothing has been printed ! "
             "(Exclamation)|1 -",
             "en_US|10|1440|top|On|Front Desk|||Printing: The vertical margin setting in the file "
             "(VerticalMargin.txt) is not a valid number, nothing has been printed ! "
             "(Exclamation)|1 -",
             "en_US|10|5900|14800|On|Front Desk|||1 Front Desk 5900: font Arial, size 10, bold 1, "
             "italic 1, underline 1, print 333,14800 [x], enddoc",
             "en_US|10|5901|1440|On|Front Desk|||Printing: The horizontal margin setting in the "
             "file (HorizontalMargin.txt) leaves no room for text: two margins of 5901 twips leave "
             "no letter of size 10 in the printable width of 12000 twips, nothing has been printed "
             "! (Exclamation)|1 -",
             "en_US|10|1440|14801|On|Front Desk|||Printing: The vertical margin setting in the "
             "file (VerticalMargin.txt) leaves no room for text: a margin of 14801 twips leaves no "
             "line of size 10 in the printable height of 15000 twips, nothing has been printed ! "
             "(Exclamation)|1 -",
             "en_US|751|0|0|On|Front Desk|||Printing: The font size setting in the file "
             "(FontSize.txt) is too large for the page: a letter of size 751 does not fit in the "
             "printable area of 12000 by 15000 twips, nothing has been printed ! (Exclamation)|1 "
             "-"});
    }

    void jobsGoToTheChosenPrinterOrAreTold()
    {
        QFETCH(QStringList, row);
        TestPlatform tp;
        tp.locale = Locale(QLocale(row[0]));
        tp.settings.printer = {"", "Arial", row[1], row[4], row[4], row[4], row[2], row[3]};
        tp.printers.names = QStringList{"Office Laser", "Front Desk 2", "Front Desk"};
        const bool chosen = selectPrinter(tp.printers, row[5]);
        tp.printers.startError = row[6];
        RecordingSurface &surface = tp.printers.prototype;
        surface.failWith = row[7];
        surface.x = 333;
        int margin = 0; // the body prints "x" where the settings leave X and Y
        const PageBody body = [&](PrinterSurface &job, int m) {
            margin = m;
            job.print("x");
        };
        const auto device = runPrintJob(tp.platform, nullptr, tp.settings.printer, body);
        QString job = QStringLiteral("%1 %2").arg(chosen).arg(device.value_or("-"));
        if (!tp.printers.jobs.empty())
            job += QStringLiteral(" %1: ").arg(margin) + tp.printers.lastJob().events.join(", ");
        const QString folder = "C:\\Program Files\\Kestrane\\Quotaro\\Printer Settings\\";
        QCOMPARE(said(tp.messages).replaceInStrings(folder, "") << job, row.mid(8));
        if (row[8].contains("nothing has been printed")) { // the preview and the export alike
            runPrintPreview(tp.platform, nullptr, tp.settings.printer, "Q", body);
            runPdfExport(tp.platform, nullptr, tp.settings.printer, "Q", body);
            QString why = row[8].section(": ", 1).replace("nothing has been printed", "%1");
            QCOMPARE(
                said(tp.messages).mid(1).replaceInStrings(folder, ""),
                QStringList({"Print preview: " + why.arg("the print preview cannot be shown"),
                             "Quote not exported: " + why.arg("the quote has not been exported")}));
            QVERIFY(tp.pages.previewed.isEmpty() && tp.pages.proposed.isEmpty());
        }
    }

    void wrapping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("at"); // margin, right margin, printable left, width, "0"
        QTest::addColumn<QStringList>("printed");
        const QString fits(76, u'W'); // 1440 + 76 * 120 = 10560, the limit
        const QString a70(70, u'a'), a75(75, u'a'), wide(80, u'M');
        wrap("empty", "", 1440, 1440, "", 1440);
        wrap("CR LF is one new line", "Total\r\n", 1440, 1440, "Total|", 1440);
        wrap("lone CR ignored", "AB\rCD", 1440, 1440, "ABCD", 1920);
        wrap("two LF, form feed and NUL",
             QStringLiteral("A\n\nB") + QChar(12) + QChar(0) + QStringLiteral("C"), 1440, 1440,
             "A||BC", 1680);
        wrap("accented and no-break are word characters", QStringLiteral("Caf\u00e9-bar\u00a0x"), 0,
             0, QStringLiteral("Caf\u00e9-bar\u00a0x"), 1200);
        wrap("exact fit", fits + "\r\n", 1440, 1440, fits + "|", 1440);
        wrap("one twip over", fits, 1440, 1441, "|" + fits, 10560);
        wrap("space before a wrapped word stays", a70 + " bbbbbb", 1440, 1440, a70 + " |bbbbbb",
             2160);
        wrap("word wider than the line printed whole", wide + " end", 1440, 1440,
             "|" + wide + " |end", 1800);
        wrap("margin past the limit", " A", 11000, 1440, "| |A", 11120);
        wrap("limit is left plus width less margin", "aaaaaaaaaaaaaa bb", 600, 600,
             "aaaaaaaaaaaaaa |bb", 840, 600, 2400);
        wrap("double space", "Net  price", 1440, 1440, "Net  price", 2640);
        wrap("indentation after a line break", "Terms:\r\n   net 30\r\n", 720, 720,
             "Terms:|   net 30|", 720);
        // From the margin 1440 the next stop is 2400, not 1440 + 1200.
        wrap("tab stops count from the edge", "\tA\t\tB", 1440, 1440, "[2400]A[4800]B", 4920);
        wrap("tab past the limit is not wrapped", a75 + "\t", 1440, 1440, a75, 10800);
        wrap("word after a tab past the limit wraps", a75 + "\tB", 1440, 1440, a75 + "|B", 1560);
        // The stop after X rounded to whole widths, halves to even.
        for (const auto &[name, from, to] :
             std::initializer_list<std::tuple<const char *, int, int>>{
                 {"tab at the edge", 0, 1200},
                 {"tab a quarter width before a stop", 1130, 1200},
                 {"tab within half a width of a stop", 1150, 2400},
                 {"tab on a stop", 1200, 2400},
                 {"tab half a width before a stop", 1140, 2400},
                 {"tab half a width after a stop", 1260, 2400},
                 {"tab between stops", 1900, 2400},
                 {"tab far out", 30000, 31200}})
            wrap(name, "\tX", from, 0, QStringLiteral("[%1]X").arg(to), to + 120, 0, 40000);
        wrap("tab with a narrower zero", "\tX", 200, 0, "[1000]X", 1100, 0, 12000, 100);
        // Past any 16-bit position: fifteen "w00n " make a line.
        QString text, page;
        for (int i = 0; i < 8000; ++i) {
            text += QStringLiteral("w%1 ").arg(i % 10, 3, 10, QLatin1Char('0'));
            page += text.right(5) + (i % 15 == 14 ? "|" : "");
        }
        wrap("40,000 characters", text + "last\r\n", 1440, 1440, page + "last|", 1440);
    }

    void wrapping()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, at);
        RecordingSurface s;
        s.x = 500;
        s.left = at[2];
        s.width = at[3];
        s.charWidth = at[4];
        PrintWrapped(s, text, at[0], at[1]);
        QTEST(s.lines(at[0]) << QString::number(s.currentX()), "printed");
    }
};

QTEST_MAIN(TestPrintPage)
#include "test_printpage.moc"

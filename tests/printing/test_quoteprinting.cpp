// The printed quotation line by line, and what a print job tells the user
// when it cannot be made. Jobs run through RunPrintJob on recording
// printers whose characters are 120 twips wide and lines 240 high.

#include "TestPlatform.h"

#include "printing/PrintPage.h"
#include "printing/QuotePrinting.h"
#include "quotation/QuoteTexts.h"
#include "store/Paths.h"

#include <QtTest>

namespace {

const QString date = QStringLiteral("07/03/2026");

QuoteTexts fullQuote()
{
    QuoteTexts q;
    q.customer = QStringLiteral("Harbour Bakery\r\n12 Quay Street");
    q.equipment = QStringLiteral("Deck oven\r\nProving cabinet");
    q.upfront = QStringLiteral("$300.00");
    q.termMiddle = QStringLiteral("36");
    q.monthly = QStringLiteral("$100.00");
    q.final = QStringLiteral("$200.00");
    q.weekly = QStringLiteral("$23.08");
    q.daily = QStringLiteral("$3.29");
    return q;
}

void useSettings(TestPlatform &tp)
{
    PrinterSettings &p = tp.settings.printer;
    p.PrinterName = QStringLiteral("Office Laser");
    p.PrinterFont = QStringLiteral("Arial");
    p.PrinterFontSize = QStringLiteral("10");
    p.PrinterBold = QStringLiteral("Off");
    p.PrinterItalic = QStringLiteral("Off");
    p.PrinterUnderline = QStringLiteral("Off");
    p.HorizontalMargin = QStringLiteral("1440");
    p.VerticalMargin = QStringLiteral("1440");
}

// One print of the quotation as the main window makes it; the lines of the
// page, the last one being the empty line the closing line break starts.
QStringList printQuote(TestPlatform &tp, const QuoteTexts &q)
{
    const std::optional<QString> device = RunPrintJob(
        tp.platform, nullptr, tp.settings.printer, [&](PrinterSurface &surface, int margin) {
            PrintQuotation(surface, margin, q, tp.settings.page, date);
        });
    if (!device)
        return {QStringLiteral("<no job>")};
    return tp.printers.lastJob().lines();
}

// Where the piece of that text begins on the line.
float xOf(const RecordingSurface &s, const QString &text)
{
    for (const RecordingSurface::Piece &p : s.pieces)
        if (p.text == text)
            return p.x;
    return -1;
}

} // namespace

class TestQuotePrinting : public QObject {
    Q_OBJECT
private slots:
    void init();
    void everyBlockInItsPlace();
    void withoutCustomerOrEquipment();
    void structureDecidesTheRentalLines_data();
    void structureDecidesTheRentalLines();
    void amountsStandOnTabStops();
    void trailingLineBreaksOfTheDetails();
    void headerAndFooterAreTrimmedInPlace();
    void linesStartAtTheMarginAndWrap();
    void jobStartsAtTheTopMarginInTheConfiguredFont();
    void refusedJobsSayWhyAndNeverConfirm();

private:
    std::unique_ptr<TestPlatform> tp;
};

void TestQuotePrinting::init()
{
    tp = std::make_unique<TestPlatform>();
    useSettings(*tp);
}

void TestQuotePrinting::everyBlockInItsPlace()
{
    tp->settings.page.PageHeader = QStringLiteral("Kestrane Leasing\r\nQuotation\r\n");
    tp->settings.page.PageFooter = QStringLiteral("Valid for 30 days\r\n");
    const QStringList lines = printQuote(*tp, fullQuote());
    QCOMPARE(lines, (QStringList{
                        QStringLiteral("Harbour Bakery"),
                        QStringLiteral("12 Quay Street"),
                        QString(),
                        date,
                        QString(),
                        QStringLiteral("Kestrane Leasing"),
                        QStringLiteral("Quotation"),
                        QString(),
                        QStringLiteral("Equipment details"),
                        QString(),
                        QStringLiteral("Deck oven"),
                        QStringLiteral("Proving cabinet"),
                        QString(),
                        QStringLiteral("Rental details:"),
                        QString(),
                        QStringLiteral("Upfront rental: \t$300.00"),
                        QStringLiteral("36 Monthly rentals: \t$100.00"),
                        QStringLiteral("Final rental: \t$200.00"),
                        QStringLiteral("Weekly equivalent: \t$23.08"),
                        QStringLiteral("Daily equivalent: \t$3.29"),
                        QString(),
                        QStringLiteral("Valid for 30 days"),
                        QString(),
                    }));
    QVERIFY(tp->printers.lastJob().ended);
    QVERIFY(tp->messages.messages.isEmpty());
}

void TestQuotePrinting::withoutCustomerOrEquipment()
{
    QuoteTexts q = fullQuote();
    q.customer.clear();
    q.equipment = QStringLiteral("\r\n"); // a lone line break is no details
    tp->settings.page.PageHeader = QStringLiteral("Kestrane Leasing\r\n");
    tp->settings.page.PageFooter.clear();
    const QStringList lines = printQuote(*tp, q);
    QCOMPARE(lines, (QStringList{
                        date,
                        QString(),
                        QStringLiteral("Kestrane Leasing"),
                        QString(),
                        QStringLiteral("Rental details:"),
                        QString(),
                        QStringLiteral("Upfront rental: \t$300.00"),
                        QStringLiteral("36 Monthly rentals: \t$100.00"),
                        QStringLiteral("Final rental: \t$200.00"),
                        QStringLiteral("Weekly equivalent: \t$23.08"),
                        QStringLiteral("Daily equivalent: \t$3.29"),
                        QString(),
                        QString(), // the empty footer is an empty line
                        QString(),
                    }));
    // The page begins with the date at the top margin.
    QCOMPARE(tp->printers.lastJob().pieces.first().text, date);
    QCOMPARE(tp->printers.lastJob().pieces.first().y, 1440.0f);
}

void TestQuotePrinting::structureDecidesTheRentalLines_data()
{
    QTest::addColumn<bool>("upfront");
    QTest::addColumn<bool>("final");
    QTest::addColumn<QStringList>("rentals");
    const QString up = QStringLiteral("Upfront rental: \t$300.00");
    const QString mid = QStringLiteral("36 Monthly rentals: \t$100.00");
    const QString fin = QStringLiteral("Final rental: \t$200.00");
    const QStringList tail{QStringLiteral("Weekly equivalent: \t$23.08"),
                           QStringLiteral("Daily equivalent: \t$3.29")};
    QTest::newRow("upfront, mids and final") << true << true << (QStringList{up, mid, fin} + tail);
    QTest::newRow("upfront and mids") << true << false << (QStringList{up, mid} + tail);
    QTest::newRow("mids and final") << false << true << (QStringList{mid, fin} + tail);
    QTest::newRow("mids only") << false << false << (QStringList{mid} + tail);
}

void TestQuotePrinting::structureDecidesTheRentalLines()
{
    QFETCH(bool, upfront);
    QFETCH(bool, final);
    QFETCH(QStringList, rentals);
    QuoteTexts q = fullQuote();
    if (!upfront)
        q.upfront.clear();
    if (!final)
        q.final.clear();
    for (bool withDetails : {true, false}) {
        if (!withDetails) {
            q.customer.clear();
            q.equipment.clear();
        }
        const QStringList lines = printQuote(*tp, q);
        const int start = lines.indexOf(QStringLiteral("Rental details:"));
        QVERIFY(start > 0);
        QCOMPARE(lines.mid(start + 2, rentals.size()), rentals);
        // Then one empty line, the footer (empty here) and the line the
        // closing break starts: nothing else.
        QCOMPARE(lines.size(), start + 2 + rentals.size() + 3);
        // The value, the structure and the rate are never printed.
        QVERIFY(!lines.join(QLatin1Char('|')).contains(QStringLiteral("Rate")));
        QCOMPARE(lines.contains(QStringLiteral("Equipment details")), withDetails);
        QCOMPARE(lines.first() == date, !withDetails);
    }
}

void TestQuotePrinting::amountsStandOnTabStops()
{
    printQuote(*tp, fullQuote());
    const RecordingSurface &job = tp->printers.lastJob();
    // "Upfront rental: " ends at 3360: the next stop is 3600.
    QCOMPARE(xOf(job, QStringLiteral("$300.00")), 3600.0f);
    // "36 Monthly rentals: " ends at 3840: the next stop is 4800.
    QCOMPARE(xOf(job, QStringLiteral("$100.00")), 4800.0f);
    // "Final rental: " ends at 3120; its two tabs go to 3600, then 4800.
    QCOMPARE(xOf(job, QStringLiteral("$200.00")), 4800.0f);
    QCOMPARE(xOf(job, QStringLiteral("$23.08")), 4800.0f);
    QCOMPARE(xOf(job, QStringLiteral("$3.29")), 4800.0f);
    // The heading has no colon, the rentals heading has one.
    QCOMPARE(xOf(job, QStringLiteral("details")), 1440.0f + 10 * 120);
    QCOMPARE(xOf(job, QStringLiteral("details:")), 1440.0f + 7 * 120);
}

void TestQuotePrinting::trailingLineBreaksOfTheDetails()
{
    QuoteTexts q = fullQuote();
    q.customer = QStringLiteral("Harbour Bakery\r\n");
    q.equipment = QStringLiteral("Deck oven\r\n");
    QStringList lines = printQuote(*tp, q);
    QCOMPARE(lines.mid(0, 3), (QStringList{QStringLiteral("Harbour Bakery"), QString(), date}));
    QCOMPARE(lines.mid(lines.indexOf(QStringLiteral("Deck oven")), 3),
             (QStringList{QStringLiteral("Deck oven"), QString(),
                          QStringLiteral("Rental details:")}));

    // Two line breaks: one is dropped, the other prints as an empty line.
    q.customer = QStringLiteral("Harbour Bakery\r\n\r\n");
    q.equipment = QStringLiteral("Deck oven\r\n\r\n");
    lines = printQuote(*tp, q);
    QCOMPARE(lines.mid(0, 4),
             (QStringList{QStringLiteral("Harbour Bakery"), QString(), QString(), date}));
    QCOMPARE(lines.mid(lines.indexOf(QStringLiteral("Deck oven")), 4),
             (QStringList{QStringLiteral("Deck oven"), QString(), QString(),
                          QStringLiteral("Rental details:")}));
    // Only the copies were shortened.
    QCOMPARE(q.customer, QStringLiteral("Harbour Bakery\r\n\r\n"));
}

void TestQuotePrinting::headerAndFooterAreTrimmedInPlace()
{
    QuoteTexts q = fullQuote();
    q.customer.clear();
    q.equipment.clear();
    tp->settings.page.PageHeader = QStringLiteral("A\r\n\r\n");
    tp->settings.page.PageFooter = QStringLiteral("Z\r\n\r\n");

    QStringList lines = printQuote(*tp, q);
    QCOMPARE(lines.mid(0, 6), (QStringList{date, QString(), QStringLiteral("A"), QString(),
                                           QString(), QStringLiteral("Rental details:")}));
    QCOMPARE(lines.mid(lines.size() - 4),
             (QStringList{QString(), QStringLiteral("Z"), QString(), QString()}));
    QCOMPARE(tp->settings.page.PageHeader, QStringLiteral("A\r\n"));
    QCOMPARE(tp->settings.page.PageFooter, QStringLiteral("Z\r\n"));

    // The second print sees the shortened values and shortens them again.
    lines = printQuote(*tp, q);
    QCOMPARE(lines.mid(0, 5), (QStringList{date, QString(), QStringLiteral("A"), QString(),
                                           QStringLiteral("Rental details:")}));
    QCOMPARE(lines.mid(lines.size() - 3), (QStringList{QString(), QStringLiteral("Z"), QString()}));
    QCOMPARE(tp->settings.page.PageHeader, QStringLiteral("A"));
    QCOMPARE(tp->settings.page.PageFooter, QStringLiteral("Z"));

    // Nothing more to take off: the third print is the same as the second.
    QCOMPARE(printQuote(*tp, q), lines);
    QCOMPARE(tp->settings.page.PageHeader, QStringLiteral("A"));
    // The settings files are not touched.
    QVERIFY(!tp->exists(Paths::headerFile()));
    QVERIFY(!tp->exists(Paths::footerFile()));
}

void TestQuotePrinting::linesStartAtTheMarginAndWrap()
{
    tp->settings.printer.HorizontalMargin = QStringLiteral("2400");
    QuoteTexts q = fullQuote();
    // 2400 to 9600 holds 60 characters: the long customer line wraps.
    q.customer = QString(40, QLatin1Char('a')) + QStringLiteral(" ") + QString(30, QLatin1Char('b'));
    printQuote(*tp, q);
    const RecordingSurface &job = tp->printers.lastJob();
    float lastY = -1;
    for (const RecordingSurface::Piece &p : job.pieces) {
        if (p.y != lastY) // the first piece of every line is at the margin
            QCOMPARE(p.x, 2400.0f);
        lastY = p.y;
        QVERIFY(p.x + 120 * p.text.size() <= 9600);
    }
    QCOMPARE(job.lines().mid(0, 3), (QStringList{QString(40, QLatin1Char('a')) + QLatin1Char(' '),
                                                 QString(30, QLatin1Char('b')), QString()}));
}

void TestQuotePrinting::jobStartsAtTheTopMarginInTheConfiguredFont()
{
    PrinterSettings &p = tp->settings.printer;
    p.PrinterFont = QStringLiteral("Times New Roman");
    p.PrinterFontSize = QStringLiteral("12");
    p.PrinterBold = QStringLiteral("On");
    p.PrinterUnderline = QStringLiteral("on"); // not a recognised word: left as it was
    p.VerticalMargin = QStringLiteral("2000");
    tp->printers.current = QStringLiteral("Front Desk");
    const std::optional<QString> device = RunPrintJob(
        tp->platform, nullptr, tp->settings.printer, [&](PrinterSurface &surface, int margin) {
            PrintQuotation(surface, margin, fullQuote(), tp->settings.page, date);
        });
    QCOMPARE(device, std::optional<QString>(QStringLiteral("Front Desk")));
    const RecordingSurface &job = tp->printers.lastJob();
    QCOMPARE(job.events.mid(0, 5),
             (QStringList{QStringLiteral("font Times New Roman"), QStringLiteral("size 12"),
                          QStringLiteral("bold 1"), QStringLiteral("italic 0"),
                          QStringLiteral("print 1440,2000 [Harbour]")}));
    QCOMPARE(job.events.last(), QStringLiteral("enddoc"));
    QCOMPARE(job.events.count(QStringLiteral("enddoc")), 1);
    QVERIFY(job.bold);
    QVERIFY(!job.underline);
}

void TestQuotePrinting::refusedJobsSayWhyAndNeverConfirm()
{
    int bodies = 0;
    const auto run = [&] {
        return RunPrintJob(tp->platform, nullptr, tp->settings.printer,
                           [&](PrinterSurface &surface, int margin) {
                               ++bodies;
                               PrintQuotation(surface, margin, fullQuote(), tp->settings.page, date);
                           });
    };

    // No job can be started: the reason is told, nothing is printed.
    tp->printers.startError = QStringLiteral("no printer is installed");
    QCOMPARE(run(), std::nullopt);
    QCOMPARE(tp->messages.messages.size(), 1);
    QCOMPARE(tp->messages.messages[0].text,
             QStringLiteral("The print job could not be started: no printer is installed !"));
    QCOMPARE(tp->messages.messages[0].title, QStringLiteral("Printing"));
    QCOMPARE(tp->messages.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(tp->messages.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(bodies, 0);
    QVERIFY(tp->printers.jobs.empty());

    // The printer does not take the finished job.
    tp->printers.startError.clear();
    tp->messages.clear();
    tp->printers.prototype.failWith = QStringLiteral("the print service refused it");
    QCOMPARE(run(), std::nullopt);
    QCOMPARE(bodies, 1);
    QCOMPARE(tp->messages.texts(),
             QStringList{QStringLiteral("The printer Office Laser did not take the print job: "
                                        "the print service refused it !")});
    QCOMPARE(tp->messages.messages[0].icon, MsgIcon::Exclamation);

    // A setting that is not a number: the message names it, no job starts.
    tp->printers.prototype.failWith.clear();
    tp->messages.clear();
    tp->printers.jobs.clear();
    tp->settings.printer.VerticalMargin = QStringLiteral("1 inch");
    const QString header = tp->settings.page.PageHeader = QStringLiteral("H\r\n");
    QCOMPARE(run(), std::nullopt);
    QCOMPARE(tp->messages.texts(),
             QStringList{QStringLiteral("The vertical margin setting in the file (C:\\Program Files"
                                        "\\Kestrane\\Quotaro\\Printer Settings\\VerticalMargin.txt)"
                                        " is not a valid number, nothing has been printed !")});
    QVERIFY(tp->printers.jobs.empty());
    QCOMPARE(bodies, 1);
    QCOMPARE(tp->settings.page.PageHeader, header); // nothing printed, nothing trimmed

    // Put right, the same job goes through and names its printer.
    tp->settings.printer.VerticalMargin = QStringLiteral("1440");
    tp->messages.clear();
    QCOMPARE(run(), std::optional<QString>(QStringLiteral("Office Laser")));
    QVERIFY(tp->messages.messages.isEmpty());
    QVERIFY(tp->printers.lastJob().ended);
}

QTEST_MAIN(TestQuotePrinting)
#include "test_quoteprinting.moc"

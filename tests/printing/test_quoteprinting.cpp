// The printed quotation line by line, and what a print job tells the user
// when it cannot be made. Jobs run through runPrintJob on recording
// printers whose characters are 120 twips wide and lines 240 high.

#include "TestPlatform.h"

#include "printing/PrintPage.h"
#include "printing/QuotePrinting.h"
#include "quote/QuoteTexts.h"
#include "store/Paths.h"
#include "store/Store.h"

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

// Lines written with "|" between them; %1 stands for the date.
QStringList lines(const char *text)
{
    return QString::fromUtf8(text).replace(QStringLiteral("%1"), date).split(u'|');
}

const QStringList rentals{"Upfront rental: \t$300.00", "36 Monthly rentals: \t$100.00",
                          "Final rental: \t$200.00", "Weekly equivalent: \t$23.08",
                          "Daily equivalent: \t$3.29"};

} // namespace

class TestQuotePrinting : public QObject {
    Q_OBJECT
private slots:
    void init();
    void structureAndDetailsDecideTheLines_data();
    void structureAndDetailsDecideTheLines();
    void amountsStandOnTabStops();
    void closingLineBreaksAreDropped();
    void linesStartAtTheMarginAndWrap();
    void refusedJobsSayWhyAndNeverConfirm();

private:
    // One print of the quotation as the main window makes it: the printer
    // it went to, or nothing.
    std::optional<QString> print(const QuoteTexts &q)
    {
        return runPrintJob(tp->platform, nullptr, tp->settings.printer,
                           [&](PrinterSurface &surface, int margin) {
                               ++bodies;
                               Store::trimOneCrLf(tp->settings.page.PageHeader);
                               Store::trimOneCrLf(tp->settings.page.PageFooter);
                               printQuotation(surface, margin, q, tp->settings.page, date);
                           });
    }
    // The lines of the page, the last one being the empty line the closing
    // line break starts.
    QStringList linesOf(const QuoteTexts &q)
    {
        return print(q) ? tp->printers.lastJob().lines() : QStringList{"<no job>"};
    }

    std::unique_ptr<TestPlatform> tp;
    int bodies = 0;
};

void TestQuotePrinting::init()
{
    tp = std::make_unique<TestPlatform>();
    bodies = 0;
    PrinterSettings &p = tp->settings.printer;
    p.PrinterName = QStringLiteral("Office Laser");
    p.PrinterFont = QStringLiteral("Arial");
    p.PrinterFontSize = QStringLiteral("10");
    p.PrinterBold = p.PrinterItalic = p.PrinterUnderline = QStringLiteral("Off");
    p.HorizontalMargin = p.VerticalMargin = QStringLiteral("1440");
}

void TestQuotePrinting::structureAndDetailsDecideTheLines_data()
{
    QTest::addColumn<bool>("upfront");
    QTest::addColumn<bool>("final");
    QTest::addColumn<QStringList>("printed");
    const QStringList tail = rentals.mid(3);
    QTest::newRow("upfront, mids and final") << true << true << rentals;
    QTest::newRow("upfront and mids") << true << false << rentals.mid(0, 2) + tail;
    QTest::newRow("mids and final") << false << true << rentals.mid(1);
    QTest::newRow("mids only") << false << false << rentals.mid(1, 1) + tail;
}

void TestQuotePrinting::structureAndDetailsDecideTheLines()
{
    QFETCH(bool, upfront);
    QFETCH(bool, final);
    QFETCH(QStringList, printed);
    QuoteTexts q = fullQuote();
    if (!upfront)
        q.upfront.clear();
    if (!final)
        q.final.clear();
    tp->settings.page.PageHeader = QStringLiteral("Kestrane Leasing\r\nQuotation\r\n");
    tp->settings.page.PageFooter = QStringLiteral("Valid for 30 days\r\n");
    QStringList page = lines("Harbour Bakery|12 Quay Street||%1||Kestrane Leasing|Quotation||"
                             "Equipment details||Deck oven|Proving cabinet||Rental details:|");
    QCOMPARE(linesOf(q), page + printed + lines("|Valid for 30 days|"));
    const RecordingSurface &job = tp->printers.lastJob();
    // The settings are in place before the first word, at the top margin.
    QCOMPARE(job.events.mid(0, 6),
             QStringList({"font Arial", "size 10", "bold 0", "italic 0", "underline 0",
                          "print 1440,1440 [Harbour]"}));
    QCOMPARE(job.events.count(QStringLiteral("enddoc")), 1);
    QCOMPARE(job.events.last(), QStringLiteral("enddoc"));
    QVERIFY(job.ended);
    QVERIFY(tp->messages.messages.isEmpty());

    // No customer, and equipment that is a lone line break, are no details;
    // an empty footer is an empty line.
    q.customer.clear();
    q.equipment = QStringLiteral("\r\n");
    tp->settings.page.PageFooter.clear();
    page = lines("%1||Kestrane Leasing|Quotation||Rental details:|");
    QCOMPARE(linesOf(q), page + printed + lines("||"));
}

void TestQuotePrinting::amountsStandOnTabStops()
{
    print(fullQuote());
    QStringList at;
    for (const RecordingSurface::Piece &p : tp->printers.lastJob().pieces)
        if (p.text.startsWith(QLatin1Char('$')) || p.text.startsWith(QStringLiteral("details")))
            at.append(QStringLiteral("%1 %2").arg(p.text).arg(p.x));
    // "Upfront rental: " ends at 3360, "36 Monthly rentals: " at 3840, and
    // "Final rental: " at 3120 with two tabs (3600, then 4800). The heading
    // "Equipment details" has no colon, "Rental details:" has one.
    QCOMPARE(at,
             QStringList({"details 2640", "details: 2280", "$300.00 3600", "$100.00 4800",
                          "$200.00 4800", "$23.08 4800", "$3.29 4800"}));
}

void TestQuotePrinting::closingLineBreaksAreDropped()
{
    // One closing line break of each block is dropped, a second prints as
    // an empty line; the header and footer held are shortened for good,
    // the details only for the page.
    QuoteTexts q = fullQuote();
    q.customer = QStringLiteral("Harbour Bakery\r\n\r\n");
    q.equipment = QStringLiteral("Deck oven\r\n");
    tp->settings.page.PageHeader = QStringLiteral("A\r\n\r\n");
    tp->settings.page.PageFooter = QStringLiteral("Z\r\n\r\n");
    QCOMPARE(linesOf(q),
             lines("Harbour Bakery|||%1||A|||Equipment details||Deck oven||Rental "
                   "details:|")
                 + rentals + lines("|Z||"));
    QCOMPARE(tp->settings.page.PageHeader, QStringLiteral("A\r\n"));
    QCOMPARE(tp->settings.page.PageFooter, QStringLiteral("Z\r\n"));

    q.customer = QStringLiteral("Harbour Bakery\r\n");
    q.equipment = QStringLiteral("Deck oven\r\n\r\n");
    const QStringList second =
        lines("Harbour Bakery||%1||A||Equipment details||Deck oven|||Rental details:|") + rentals
        + lines("|Z|");
    QCOMPARE(linesOf(q), second);
    QCOMPARE(tp->settings.page.PageHeader, QStringLiteral("A"));
    QCOMPARE(tp->settings.page.PageFooter, QStringLiteral("Z"));

    // Nothing more to take off, and the settings files are not touched.
    QCOMPARE(linesOf(q), second);
    QCOMPARE(tp->settings.page.PageHeader, QStringLiteral("A"));
    QVERIFY(!tp->exists(Paths::headerFile()));
    QVERIFY(!tp->exists(Paths::footerFile()));
}

void TestQuotePrinting::linesStartAtTheMarginAndWrap()
{
    tp->settings.printer.HorizontalMargin = QStringLiteral("2400");
    QuoteTexts q = fullQuote();
    // 2400 to 9600 holds 60 characters: the long customer line wraps.
    q.customer = QString(40, QLatin1Char('a')) + QStringLiteral(" ")
        + QString(30, QLatin1Char('b'));
    print(q);
    const RecordingSurface &job = tp->printers.lastJob();
    float lastY = -1;
    for (const RecordingSurface::Piece &p : job.pieces) {
        if (p.y != lastY) // the first piece of every line is at the margin
            QCOMPARE(p.x, 2400.0f);
        lastY = p.y;
        QVERIFY(p.x + 120 * p.text.size() <= 9600);
    }
    QCOMPARE(job.lines().mid(0, 3),
             (QStringList{QString(40, QLatin1Char('a')) + QLatin1Char(' '),
                          QString(30, QLatin1Char('b')), QString()}));
}

void TestQuotePrinting::refusedJobsSayWhyAndNeverConfirm()
{
    // No job can be started: the reason is told, nothing is printed.
    tp->printers.startError = QStringLiteral("no printer is installed");
    QCOMPARE(print(fullQuote()), std::nullopt);
    QCOMPARE(tp->messages.texts(),
             QStringList{"The print job could not be started: no printer is installed !"});
    QCOMPARE(tp->messages.messages[0].title, QStringLiteral("Printing"));
    QCOMPARE(tp->messages.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(tp->messages.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(bodies, 0);
    QVERIFY(tp->printers.jobs.empty());

    // The printer does not take the finished job.
    tp->printers.startError.clear();
    tp->messages.clear();
    tp->printers.prototype.failWith = QStringLiteral("the print service refused it");
    QCOMPARE(print(fullQuote()), std::nullopt);
    QCOMPARE(bodies, 1);
    QCOMPARE(tp->messages.texts(),
             QStringList{"The printer Office Laser did not take the print "
                         "job: the print service refused it !"});
    QCOMPARE(tp->messages.messages[0].icon, MsgIcon::Exclamation);

    // A setting that is not a number: the message names it, no job starts.
    tp->printers.prototype.failWith.clear();
    tp->messages.clear();
    tp->printers.jobs.clear();
    tp->settings.printer.VerticalMargin = QStringLiteral("1 inch");
    const QString header = tp->settings.page.PageHeader = QStringLiteral("H\r\n");
    QCOMPARE(print(fullQuote()), std::nullopt);
    QCOMPARE(tp->messages.texts(),
             QStringList{"The vertical margin setting in the file (C:\\Program Files\\Kestrane\\"
                         "Quotaro\\Printer Settings\\VerticalMargin.txt) is not a valid number, "
                         "nothing has been printed !"});
    QVERIFY(tp->printers.jobs.empty());
    QCOMPARE(bodies, 1);
    QCOMPARE(tp->settings.page.PageHeader, header); // nothing printed, nothing trimmed

    // Put right, the same job goes through and names its printer.
    tp->settings.printer.VerticalMargin = QStringLiteral("1440");
    tp->messages.clear();
    tp->printers.current = QStringLiteral("Front Desk");
    QCOMPARE(print(fullQuote()), std::optional<QString>(QStringLiteral("Front Desk")));
    QVERIFY(tp->messages.messages.isEmpty());
    QVERIFY(tp->printers.lastJob().ended);
}

QTEST_MAIN(TestQuotePrinting)
#include "test_quoteprinting.moc"

// The word-wrapping print routine, the print settings and the choice of
// printer, on a surface whose every character (so "0", the tab unit, too) is
// 120 twips wide and every line 240 high, 12000 wide from Y = 0: with
// margins of 1440 the right limit is 10560 and a line holds 76 characters.

#include "TestPlatform.h"

#include "printing/PrintPage.h"
#include "store/Paths.h"

#include <QtTest>

namespace {

// Every piece printed as "x,y text", in the order printed.
QStringList piecesOf(const RecordingSurface &s)
{
    QStringList out;
    for (const RecordingSurface::Piece &p : s.pieces)
        out.append(QStringLiteral("%1,%2 %3").arg(p.x).arg(p.y).arg(p.text));
    return out;
}

} // namespace

class TestPrintWrapped : public QObject {
    Q_OBJECT
private slots:
    void wrapping_data();
    void wrapping();
    void longTextsArePrintedWhole();
    void fontFlagsOnlyAnswerToOnAndOff();
    void measures();
    void printerChoiceIsExact();
};

// One case: the text printed from margin to right margin, every piece as
// "x,y text", the new lines made and the X where the text ends; the
// printable area and the width of "0" (the tab unit) can be changed.
static void row(const char *name, const QString &text, int margin, int right,
                const QStringList &pieces, int newLines, float endX, int left = 0,
                int width = 12000, int zero = 120)
{
    QTest::newRow(name) << text << margin << right << left << width << zero << pieces << newLines
                        << endX;
}

void TestPrintWrapped::wrapping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("left"); // of the printable area
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("zero");
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<int>("newLines");
    QTest::addColumn<float>("endX");
    const QString fits(76, QLatin1Char('W')); // 1440 + 76 * 120 = 10560
    const QString a70(70, QLatin1Char('a')), a75(75, QLatin1Char('a')), wide(80, QLatin1Char('M'));

    row("empty", "", 1440, 1440, {}, 0, 1440);
    row("CR LF is one new line", "Total\r\n", 1440, 1440, {"1440,0 Total"}, 1, 1440);
    row("lone CR ignored", "AB\rCD", 1440, 1440, {"1440,0 AB", "1680,0 CD"}, 0, 1920);
    row("two LF, form feed and NUL",
        QStringLiteral("A\n\nB") + QChar(12) + QChar(0) + QStringLiteral("C"), 1440, 1440,
        {"1440,0 A", "1440,480 B", "1560,480 C"}, 2, 1680);
    row("accented and no-break are word characters", QStringLiteral("Caf\u00e9-bar\u00a0x"), 0, 0,
        {QStringLiteral("0,0 Caf\u00e9-bar\u00a0x")}, 0, 1200);
    row("exact fit", fits + "\r\n", 1440, 1440, {"1440,0 " + fits}, 1, 1440);
    row("one twip over", fits, 1440, 1441, {"1440,240 " + fits}, 1, 10560);
    row("space before a wrapped word stays", a70 + " bbbbbb", 1440, 1440,
        {"1440,0 " + a70, "9840,0  ", "1440,240 bbbbbb"}, 1, 2160);
    row("word wider than the line printed whole", wide + " end", 1440, 1440,
        {"1440,240 " + wide, "11040,240  ", "1440,480 end"}, 2, 1800);
    row("margin past the limit", " A", 11000, 1440, {"11000,240  ", "11000,480 A"}, 2, 11120);
    row("limit is left plus width less margin", "aaaaaaaaaaaaaa bb", 600, 600, // 600 + 2400 - 600
        {"600,0 aaaaaaaaaaaaaa", "2280,0  ", "600,240 bb"}, 1, 840, 600, 2400);
    row("double space", "Net  price", 1440, 1440,
        {"1440,0 Net", "1800,0  ", "1920,0  ", "2040,0 price"}, 0, 2640);
    row("indentation after a line break", "Terms:\r\n   net 30\r\n", 720, 720,
        {"720,0 Terms:", "720,240  ", "840,240  ", "960,240  ", "1080,240 net", "1440,240  ",
         "1560,240 30"},
        2, 720);
    // From the margin 1440 the next stop is 2400, not 1440 + 1200.
    row("tab stops count from the edge", "\tA\t\tB", 1440, 1440, {"2400,0 A", "4800,0 B"}, 0, 4920);
    row("tab past the limit is not wrapped", a75 + "\t", 1440, 1440, {"1440,0 " + a75}, 0, 10800);
    row("word after a tab past the limit wraps", a75 + "\tB", 1440, 1440,
        {"1440,0 " + a75, "1440,240 B"}, 1, 1560);
    // The next stop is ten widths of "0" past the stop at or below X
    // rounded to whole widths (9.5 and 10.5 both round to 10).
    for (const auto &[name, from, to] : std::initializer_list<std::tuple<const char *, int, int>>{
             {"tab at the edge", 0, 1200},
             {"tab before the first stop", 1000, 1200},
             {"tab a quarter width before a stop", 1130, 1200},
             {"tab within half a width of a stop", 1150, 2400},
             {"tab on a stop", 1200, 2400},
             {"tab half a width before a stop", 1140, 2400},
             {"tab half a width after a stop", 1260, 2400},
             {"tab between stops", 1900, 2400},
             {"tab far out", 30000, 31200}})
        row(name, "\tX", from, 0, {QStringLiteral("%1,0 X").arg(to)}, 0, to + 120, 0, 40000);
    row("tab with a narrower zero", "\tX", 200, 0, {"1000,0 X"}, 0, 1100, 0, 12000, 100);
}

void TestPrintWrapped::wrapping()
{
    QFETCH(QString, text);
    QFETCH(int, margin);
    QFETCH(int, right);
    QFETCH(int, left);
    QFETCH(int, width);
    QFETCH(int, zero);
    QFETCH(int, newLines);
    RecordingSurface s;
    s.x = 500;
    s.left = left;
    s.width = width;
    s.charWidth = zero;
    PrintWrapped(s, text, margin, right);
    QTEST(piecesOf(s), "pieces");
    QCOMPARE(s.newLines, newLines);
    QTEST(s.currentX(), "endX");
    QCOMPARE(s.currentY(), 240.0f * newLines);
}

void TestPrintWrapped::longTextsArePrintedWhole()
{
    // 40,000 characters, past any 16-bit position: every word arrives.
    QString text;
    for (int i = 0; i < 8000; ++i)
        text += QStringLiteral("w%1 ").arg(i % 10, 3, 10, QLatin1Char('0'));
    RecordingSurface s;
    PrintWrapped(s, text + QStringLiteral("last\r\n"), 1440, 1440);
    int words = 0;
    for (const RecordingSurface::Piece &p : s.pieces) {
        words += p.text != QStringLiteral(" ");
        QVERIFY(p.x + 120 * p.text.size() <= 10560);
    }
    QCOMPARE(words, 8001);
    QCOMPARE(s.pieces.last().text, QStringLiteral("last"));
    // Fifteen "w00n " groups fit on a line: 534 lines, the last ended by
    // the closing line break.
    QCOMPARE(s.newLines, 534);
    QCOMPARE(s.pieces.last().y, 533 * 240.0f);
}

void TestPrintWrapped::fontFlagsOnlyAnswerToOnAndOff()
{
    // The value given to bold, italic and underline alike; the flags before
    // and after: only the exact words On and Off change them.
    const std::tuple<const char *, bool, bool> rows[] = {
        {"On", false, true}, {"Off", true, false}, {"on", true, true}, {"on", false, false},
        {"OFF", true, true}, {"1", false, false},  {"", true, true}};
    TestPlatform tp;
    for (const auto &[value, before, after] : rows) {
        PrinterSettings settings;
        settings.PrinterFont = QStringLiteral("Arial");
        settings.PrinterFontSize = QStringLiteral("11.5");
        settings.HorizontalMargin = QStringLiteral("1440");
        settings.VerticalMargin = QStringLiteral("720.5");
        settings.PrinterBold = settings.PrinterItalic = settings.PrinterUnderline = value;
        RecordingSurface s;
        s.x = 333;
        s.bold = s.italic = s.underline = before;
        ApplyPrintSettings(s, settings, *printMeasuresOf(settings, tp.locale, nullptr));
        QCOMPARE(QList<bool>({s.bold, s.italic, s.underline}), QList<bool>(3, after));
        QCOMPARE(s.currentY(), 720.5f);
        QCOMPARE(s.currentX(), 333.0f); // X is PrintWrapped's business
        // Font, size and then the flags, in that order.
        QStringList events{"font Arial", "size 11.5"};
        if (QByteArray(value) == "On" || QByteArray(value) == "Off")
            for (const char *flag : {"bold", "italic", "underline"})
                events.append(QStringLiteral("%1 %2").arg(QLatin1String(flag)).arg(int(after)));
        QCOMPARE(s.events, events);
    }
}

void TestPrintWrapped::measures()
{
    // Locale, font size, horizontal and vertical margins, and the measures
    // ("size horizontal vertical") or the setting named as not a number.
    const char *rows[][5] = {{"en_US", " 9.75", "1440.5", "1,000.25", "9.75 1440 1000.25"},
                             {"en_US", "10", "1441.5", "1440", "10 1442 1440"},
                             {"en_US", "10", "-0.6", "1440", "10 -1 1440"},
                             {"de_DE", "10,5", "720", "360,5", "10.5 720 360.5"},
                             {"en_US", "ten", "1440", "1440", "font size"},
                             {"en_US", "", "1440", "1440", "font size"},
                             {"en_US", "10", "1 inch", "1440", "horizontal margin"},
                             {"en_US", "10", "3000000000", "1440", "horizontal margin"},
                             {"en_US", "10", "1440", "top", "vertical margin"}};
    const QMap<QString, QString> files{{"font size", Paths::fontSizeFile()},
                                       {"horizontal margin", Paths::horizontalMarginFile()},
                                       {"vertical margin", Paths::verticalMarginFile()}};
    for (const auto &row : rows) {
        TestPlatform tp{QLocale(QString::fromLatin1(row[0]))};
        PrinterSettings settings;
        settings.PrinterFontSize = QString::fromLatin1(row[1]);
        settings.HorizontalMargin = QString::fromLatin1(row[2]);
        settings.VerticalMargin = QString::fromLatin1(row[3]);
        QString error;
        const std::optional<PrintMeasures> m = printMeasuresOf(settings, tp.locale, &error);
        const QString result = QString::fromLatin1(row[4]);
        QCOMPARE(m ? QStringLiteral("%1 %2 %3")
                         .arg(m->fontSize)
                         .arg(m->horizontalMargin)
                         .arg(m->verticalMargin)
                   : error,
                 files.contains(result)
                     ? QStringLiteral("The %1 setting in the file (%2) is not a valid number, "
                                      "nothing has been printed !")
                           .arg(result, files[result])
                     : result);
    }
}

void TestPrintWrapped::printerChoiceIsExact()
{
    RecordingPrinters printers;
    printers.names = {"Office Laser", "Front Desk", "Front Desk 2"};
    for (const char *near : {"front desk", "Front", "Front Desk "})
        QVERIFY(!selectPrinter(printers, QString::fromLatin1(near)));
    QCOMPARE(printers.currentName(), QStringLiteral("Office Laser"));
    for (const QString &exact : {QStringLiteral("Front Desk 2"), QStringLiteral("Front Desk")}) {
        QVERIFY(selectPrinter(printers, exact));
        QCOMPARE(printers.currentName(), exact);
    }
}

QTEST_GUILESS_MAIN(TestPrintWrapped)
#include "test_printwrapped.moc"

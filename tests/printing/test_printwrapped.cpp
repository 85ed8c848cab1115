// The one word-wrapping print routine, the print settings and the choice of
// printer, on a surface whose every character is 120 twips wide and every
// line 240 twips high (so the width of "0", the tab unit, is 120 too).

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

// A surface 12000 twips wide starting at Y = 0; with margins of 1440 the
// right limit is 10560 and a line holds 76 characters.
RecordingSurface page()
{
    RecordingSurface s;
    s.width = 12000;
    s.charWidth = 120;
    s.lineHeight = 240;
    return s;
}

} // namespace

class TestPrintWrapped : public QObject {
    Q_OBJECT
private slots:
    void lineBreaksAndControlCharacters();
    void wrappingAtTheRightLimit();
    void spacesAndIndentation();
    void tabStops_data();
    void tabStops();
    void tabStopsCountFromTheEdgeNotTheMargin();
    void longTextsArePrintedWhole();
    void settingsAreAppliedInOrder();
    void fontFlagsOnlyAnswerToOnAndOff();
    void measuresOfTheSettings();
    void unusableSettingsNameTheirFile_data();
    void unusableSettingsNameTheirFile();
    void printerChoiceIsExact();
};

void TestPrintWrapped::lineBreaksAndControlCharacters()
{
    {
        RecordingSurface s = page();
        s.x = 500;
        PrintWrapped(s, QString(), 1440, 1440);
        QVERIFY(s.pieces.isEmpty());
        QCOMPARE(s.newLines, 0);
        QCOMPARE(s.currentX(), 1440.0f);
    }
    {
        // CR LF is one new line; the CR itself prints nothing.
        RecordingSurface s = page();
        PrintWrapped(s, QStringLiteral("Total\r\n"), 1440, 1440);
        QCOMPARE(piecesOf(s), QStringList{QStringLiteral("1440,0 Total")});
        QCOMPARE(s.newLines, 1);
        QCOMPARE(s.currentX(), 1440.0f);
        QCOMPARE(s.currentY(), 240.0f);
    }
    {
        // A lone CR is ignored: the words run on as if it were not there.
        RecordingSurface s = page();
        PrintWrapped(s, QStringLiteral("AB\rCD"), 1440, 1440);
        QCOMPARE(piecesOf(s), (QStringList{QStringLiteral("1440,0 AB"),
                                           QStringLiteral("1680,0 CD")}));
        QCOMPARE(s.newLines, 0);
    }
    {
        // Two line feeds leave an empty line; other control characters
        // (here a form feed and a NUL) do nothing at all.
        RecordingSurface s = page();
        PrintWrapped(s, QStringLiteral("A\n\nB") + QChar(12) + QChar(0) + QStringLiteral("C"),
                     1440, 1440);
        QCOMPARE(piecesOf(s), (QStringList{QStringLiteral("1440,0 A"),
                                           QStringLiteral("1440,480 B"),
                                           QStringLiteral("1560,480 C")}));
        QCOMPARE(s.newLines, 2);
    }
    {
        // Characters above the space belong to words, accented ones included.
        RecordingSurface s = page();
        PrintWrapped(s, QStringLiteral("Caf\u00e9-bar\u00a0x"), 0, 0);
        QCOMPARE(piecesOf(s), QStringList{QStringLiteral("0,0 Caf\u00e9-bar\u00a0x")});
    }
}

void TestPrintWrapped::wrappingAtTheRightLimit()
{
    const QString fits(76, QLatin1Char('W'));
    {
        // 1440 + 76 * 120 = 10560, exactly the right limit: it stays.
        RecordingSurface s = page();
        PrintWrapped(s, fits + QStringLiteral("\r\n"), 1440, 1440);
        QCOMPARE(piecesOf(s), QStringList{QStringLiteral("1440,0 ") + fits});
        QCOMPARE(s.newLines, 1);
    }
    {
        // One twip less room and the same word goes to the next line, which
        // leaves the first line empty.
        RecordingSurface s = page();
        PrintWrapped(s, fits, 1440, 1441);
        QCOMPARE(piecesOf(s), QStringList{QStringLiteral("1440,240 ") + fits});
        QCOMPARE(s.newLines, 1);
    }
    {
        // The space before a word that wraps stays on the line it follows.
        RecordingSurface s = page();
        const QString first(70, QLatin1Char('a'));
        PrintWrapped(s, first + QStringLiteral(" bbbbbb"), 1440, 1440);
        QCOMPARE(piecesOf(s), (QStringList{QStringLiteral("1440,0 ") + first,
                                           QStringLiteral("9840,0  "),
                                           QStringLiteral("1440,240 bbbbbb")}));
    }
    {
        // A word wider than the whole line is never split: a new line before
        // it, printed whole past the limit, and the next word wraps again.
        RecordingSurface s = page();
        const QString wide(80, QLatin1Char('M'));
        PrintWrapped(s, wide + QStringLiteral(" end"), 1440, 1440);
        QCOMPARE(piecesOf(s), (QStringList{QStringLiteral("1440,240 ") + wide,
                                           QStringLiteral("11040,240  "),
                                           QStringLiteral("1440,480 end")}));
        QCOMPARE(s.newLines, 2);
    }
    {
        // The wrap test is made for the empty word too: white space at the
        // start of a text whose margin lies past the limit starts a line.
        RecordingSurface s = page();
        PrintWrapped(s, QStringLiteral(" A"), 11000, 1440);
        QCOMPARE(piecesOf(s), (QStringList{QStringLiteral("11000,240  "),
                                           QStringLiteral("11000,480 A")}));
        QCOMPARE(s.newLines, 2);
    }
    {
        // The right limit is the printable area's left plus its width, less
        // the right margin.
        RecordingSurface s = page();
        s.left = 600;
        s.width = 2400; // limit 600 + 2400 - 600 = 2400
        PrintWrapped(s, QStringLiteral("aaaaaaaaaaaaaa bb"), 600, 600);
        QCOMPARE(piecesOf(s), (QStringList{QStringLiteral("600,0 aaaaaaaaaaaaaa"),
                                           QStringLiteral("2280,0  "),
                                           QStringLiteral("600,240 bb")}));
    }
}

void TestPrintWrapped::spacesAndIndentation()
{
    {
        RecordingSurface s = page();
        PrintWrapped(s, QStringLiteral("Net  price"), 1440, 1440);
        QCOMPARE(piecesOf(s), (QStringList{QStringLiteral("1440,0 Net"),
                                           QStringLiteral("1800,0  "),
                                           QStringLiteral("1920,0  "),
                                           QStringLiteral("2040,0 price")}));
    }
    {
        // Spaces after a line break indent the next line from the margin.
        RecordingSurface s = page();
        PrintWrapped(s, QStringLiteral("Terms:\r\n   net 30\r\n"), 720, 720);
        QCOMPARE(piecesOf(s), (QStringList{QStringLiteral("720,0 Terms:"),
                                           QStringLiteral("720,240  "),
                                           QStringLiteral("840,240  "),
                                           QStringLiteral("960,240  "),
                                           QStringLiteral("1080,240 net"),
                                           QStringLiteral("1440,240  "),
                                           QStringLiteral("1560,240 30")}));
        QCOMPARE(s.lines(), (QStringList{QStringLiteral("Terms:"),
                                         QStringLiteral("   net 30"), QString()}));
    }
}

void TestPrintWrapped::tabStops_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<float>("to");
    QTest::newRow("at the edge") << 0 << 1200.0f;
    QTest::newRow("before the first stop") << 1000 << 1200.0f;
    QTest::newRow("a quarter width before a stop") << 1130 << 1200.0f;
    QTest::newRow("within half a width of a stop") << 1150 << 2400.0f;
    QTest::newRow("on a stop") << 1200 << 2400.0f;
    QTest::newRow("half a width before a stop") << 1140 << 2400.0f; // n = 9.5 rounds to 10
    QTest::newRow("half a width after a stop") << 1260 << 2400.0f;  // n = 10.5 rounds to 10
    QTest::newRow("between stops") << 1900 << 2400.0f;
    QTest::newRow("far out") << 30000 << 31200.0f;
}

void TestPrintWrapped::tabStops()
{
    QFETCH(int, from);
    QFETCH(float, to);
    RecordingSurface s = page();
    s.width = 40000;
    PrintWrapped(s, QStringLiteral("\tX"), from, 0);
    QCOMPARE(piecesOf(s), QStringList{QStringLiteral("%1,0 X").arg(to)});
    QCOMPARE(s.newLines, 0);
}

void TestPrintWrapped::tabStopsCountFromTheEdgeNotTheMargin()
{
    {
        // From the margin 1440 (n = 12) the next stop is 2400, not 1440 + 1200.
        RecordingSurface s = page();
        PrintWrapped(s, QStringLiteral("\tA\t\tB"), 1440, 1440);
        QCOMPARE(piecesOf(s), (QStringList{QStringLiteral("2400,0 A"),
                                           QStringLiteral("4800,0 B")}));
    }
    {
        // A tab prints nothing and is not wrapped, even past the limit
        // (10440 goes to the stop at 10800); the word after it wraps back
        // to the margin.
        RecordingSurface s = page();
        PrintWrapped(s, QString(75, QLatin1Char('a')) + QStringLiteral("\t"), 1440, 1440);
        QCOMPARE(s.currentX(), 10800.0f);
        QCOMPARE(s.newLines, 0);
        s.pieces.clear();
        PrintWrapped(s, QString(75, QLatin1Char('a')) + QStringLiteral("\tB"), 1440, 1440);
        QCOMPARE(s.currentY(), 240.0f);
        QCOMPARE(piecesOf(s).last(), QStringLiteral("1440,240 B"));
    }
    {
        // The unit is the width of "0" in the current font.
        RecordingSurface s = page();
        s.charWidth = 100;
        PrintWrapped(s, QStringLiteral("ab\tc"), 0, 0);
        QCOMPARE(piecesOf(s).last(), QStringLiteral("1000,0 c"));
    }
}

void TestPrintWrapped::longTextsArePrintedWhole()
{
    // 40,000 characters, past any 16-bit position: every word arrives.
    QString text;
    for (int i = 0; i < 8000; ++i)
        text += QStringLiteral("w%1 ").arg(i % 10, 3, 10, QLatin1Char('0'));
    QVERIFY(text.size() >= 40000);
    RecordingSurface s = page();
    PrintWrapped(s, text + QStringLiteral("last\r\n"), 1440, 1440);
    int words = 0;
    for (const RecordingSurface::Piece &p : s.pieces)
        words += p.text != QStringLiteral(" ");
    QCOMPARE(words, 8001);
    QCOMPARE(s.pieces.last().text, QStringLiteral("last"));
    // Fifteen "w00n " groups fit on a 76-character line: 534 lines, the
    // last ended by the closing line break.
    QCOMPARE(s.newLines, 534);
    QCOMPARE(s.pieces.last().y, 533 * 240.0f);
    for (const RecordingSurface::Piece &p : s.pieces)
        QVERIFY(p.x + 120 * p.text.size() <= 10560);
}

void TestPrintWrapped::settingsAreAppliedInOrder()
{
    TestPlatform tp;
    PrinterSettings settings;
    settings.PrinterFont = QStringLiteral("Courier New");
    settings.PrinterFontSize = QStringLiteral("11.5");
    settings.PrinterBold = QStringLiteral("On");
    settings.PrinterItalic = QStringLiteral("Off");
    settings.PrinterUnderline = QStringLiteral("On");
    settings.HorizontalMargin = QStringLiteral("1000");
    settings.VerticalMargin = QStringLiteral("720.5");
    QString error;
    const std::optional<PrintMeasures> m = PrintMeasuresOf(settings, tp.locale, &error);
    QVERIFY2(m, qPrintable(error));
    RecordingSurface s = page();
    s.x = 333;
    ApplyPrintSettings(s, settings, *m);
    QCOMPARE(s.events, (QStringList{QStringLiteral("font Courier New"),
                                    QStringLiteral("size 11.5"), QStringLiteral("bold 1"),
                                    QStringLiteral("italic 0"), QStringLiteral("underline 1")}));
    QCOMPARE(s.currentY(), 720.5f);
    QCOMPARE(s.currentX(), 333.0f); // X is PrintWrapped's business
}

void TestPrintWrapped::fontFlagsOnlyAnswerToOnAndOff()
{
    TestPlatform tp;
    PrinterSettings settings;
    settings.PrinterFont = QStringLiteral("Arial");
    settings.PrinterFontSize = QStringLiteral("10");
    settings.HorizontalMargin = QStringLiteral("1440");
    settings.VerticalMargin = QStringLiteral("1440");
    const PrintMeasures m = *PrintMeasuresOf(settings, tp.locale, nullptr);

    RecordingSurface s = page();
    settings.PrinterBold = QStringLiteral("On");
    settings.PrinterItalic = QStringLiteral("On");
    settings.PrinterUnderline = QStringLiteral("On");
    ApplyPrintSettings(s, settings, m);
    QVERIFY(s.bold && s.italic && s.underline);

    // Lower case, a number or nothing at all leave each flag as it was.
    settings.PrinterBold = QStringLiteral("on");
    settings.PrinterItalic = QStringLiteral("1");
    settings.PrinterUnderline = QString();
    s.events.clear();
    ApplyPrintSettings(s, settings, m);
    QVERIFY(s.bold && s.italic && s.underline);
    QCOMPARE(s.events, (QStringList{QStringLiteral("font Arial"), QStringLiteral("size 10")}));

    settings.PrinterBold = QStringLiteral("Off");
    settings.PrinterItalic = QStringLiteral("OFF");
    settings.PrinterUnderline = QStringLiteral("Off");
    ApplyPrintSettings(s, settings, m);
    QVERIFY(!s.bold);
    QVERIFY(s.italic);
    QVERIFY(!s.underline);

    RecordingSurface fresh = page();
    settings.PrinterBold = QStringLiteral("on");
    ApplyPrintSettings(fresh, settings, m);
    QVERIFY(!fresh.bold);
}

void TestPrintWrapped::measuresOfTheSettings()
{
    TestPlatform tp;
    PrinterSettings settings;
    settings.PrinterFontSize = QStringLiteral(" 9.75");
    settings.HorizontalMargin = QStringLiteral("1440.5"); // halves go to even
    settings.VerticalMargin = QStringLiteral("1,000.25");
    std::optional<PrintMeasures> m = PrintMeasuresOf(settings, tp.locale, nullptr);
    QVERIFY(m);
    QCOMPARE(m->fontSize, 9.75f);
    QCOMPARE(m->horizontalMargin, 1440);
    QCOMPARE(m->verticalMargin, 1000.25f);
    settings.HorizontalMargin = QStringLiteral("1441.5");
    QCOMPARE(PrintMeasuresOf(settings, tp.locale, nullptr)->horizontalMargin, 1442);
    settings.HorizontalMargin = QStringLiteral("-0.6");
    QCOMPARE(PrintMeasuresOf(settings, tp.locale, nullptr)->horizontalMargin, -1);

    // A decimal comma where the locale has one.
    TestPlatform german(QLocale(QLocale::German, QLocale::Germany));
    settings.PrinterFontSize = QStringLiteral("10,5");
    settings.HorizontalMargin = QStringLiteral("720");
    settings.VerticalMargin = QStringLiteral("360,5");
    m = PrintMeasuresOf(settings, german.locale, nullptr);
    QVERIFY(m);
    QCOMPARE(m->fontSize, 10.5f);
    QCOMPARE(m->verticalMargin, 360.5f);
}

void TestPrintWrapped::unusableSettingsNameTheirFile_data()
{
    QTest::addColumn<QString>("fontSize");
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("message");
    const QString tail = QStringLiteral(") is not a valid number, nothing has been printed !");
    QTest::newRow("font size")
        << "ten" << "1440" << "1440"
        << QStringLiteral("The font size setting in the file (") + Paths::fontSizeFile() + tail;
    QTest::newRow("empty font size")
        << "" << "1440" << "1440"
        << QStringLiteral("The font size setting in the file (") + Paths::fontSizeFile() + tail;
    QTest::newRow("horizontal margin")
        << "10" << "1 inch" << "1440"
        << QStringLiteral("The horizontal margin setting in the file (")
            + Paths::horizontalMarginFile() + tail;
    QTest::newRow("horizontal margin beyond 32 bits")
        << "10" << "3000000000" << "1440"
        << QStringLiteral("The horizontal margin setting in the file (")
            + Paths::horizontalMarginFile() + tail;
    QTest::newRow("vertical margin")
        << "10" << "1440" << "top"
        << QStringLiteral("The vertical margin setting in the file (")
            + Paths::verticalMarginFile() + tail;
}

void TestPrintWrapped::unusableSettingsNameTheirFile()
{
    QFETCH(QString, fontSize);
    QFETCH(QString, horizontal);
    QFETCH(QString, vertical);
    QFETCH(QString, message);
    TestPlatform tp;
    PrinterSettings settings;
    settings.PrinterFontSize = fontSize;
    settings.HorizontalMargin = horizontal;
    settings.VerticalMargin = vertical;
    QString error;
    QVERIFY(!PrintMeasuresOf(settings, tp.locale, &error));
    QCOMPARE(error, message);
    QVERIFY(error.contains(QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Printer Settings\\")));
}

void TestPrintWrapped::printerChoiceIsExact()
{
    RecordingPrinters printers;
    printers.names = {QStringLiteral("Office Laser"), QStringLiteral("Front Desk"),
                      QStringLiteral("Front Desk 2")};
    printers.current = QStringLiteral("Office Laser");
    QVERIFY(!SelectPrinter(printers, QStringLiteral("front desk")));
    QVERIFY(!SelectPrinter(printers, QStringLiteral("Front")));
    QVERIFY(!SelectPrinter(printers, QStringLiteral("Front Desk ")));
    QCOMPARE(printers.currentName(), QStringLiteral("Office Laser"));
    QVERIFY(SelectPrinter(printers, QStringLiteral("Front Desk")));
    QCOMPARE(printers.currentName(), QStringLiteral("Front Desk"));
    QVERIFY(SelectPrinter(printers, QStringLiteral("Front Desk 2")));
    QCOMPARE(printers.currentName(), QStringLiteral("Front Desk 2"));
}

QTEST_GUILESS_MAIN(TestPrintWrapped)
#include "test_printwrapped.moc"

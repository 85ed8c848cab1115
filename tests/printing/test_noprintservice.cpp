// A machine whose print service cannot be reached: the program sees no
// printers, and a print says so instead of claiming the job was sent.

#include "TestPlatform.h"

#include "platform/gui/QtPrinters.h"
#include "printing/PrintPage.h"

#include <QApplication>
#include <QtTest>

class TestNoPrintService : public QObject {
    Q_OBJECT
private slots:
    void noPrinterIsTold()
    {
        QtPrinters printers;
        QCOMPARE(printers.installed().join(u',') + printers.currentName(), QString());
        QVERIFY(!selectPrinter(printers, QStringLiteral("QuotaroCapture")));
        QVERIFY(!printers.setCurrent(QString()));
        TestPlatform tp;
        Platform platform{tp.messages, tp.files,    tp.locale, printers, tp.fonts,
                          tp.launcher, tp.instance, tp.clock,  tp.pages};
        PrinterSettings &settings = tp.settings.printer;
        settings.PrinterFontSize = settings.HorizontalMargin = settings.VerticalMargin = "10";
        bool printed = false;
        QCOMPARE(runPrintJob(platform, nullptr, settings,
                             [&](PrinterSurface &, int) { printed = true; }),
                 std::nullopt);
        QVERIFY(!printed);
        QCOMPARE(tp.messages.texts(),
                 QStringList{"The print job could not be started: no printer is installed !"});
    }
};

int main(int argc, char **argv)
{
    // Point the print service client at a socket that does not exist before
    // anything asks it for printers, and keep any user printer files out.
    qputenv("CUPS_SERVER", "/nonexistent/quotaro-test/cups.sock");
    qputenv("CUPS_USER_CONF_DIR", "/nonexistent/quotaro-test");
    qputenv("HOME", "/nonexistent/quotaro-test");
    qputenv("PRINTER", "");
    qputenv("LPDEST", "");
    QApplication app(argc, argv);
    TestNoPrintService test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_noprintservice.moc"

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
        QVERIFY(!selectPrinter(printers, "QuotaroCapture") && !printers.setCurrent(QString()));
        TestPlatform tp;
        Platform platform{tp.messages, tp.files,    tp.locale, printers, tp.fonts,
                          tp.launcher, tp.instance, tp.clock,  tp.pages};
        tp.settings.printer = {"", "", "10", "", "", "", "1440", "1440"};
        QCOMPARE(runPrintJob(platform, nullptr, tp.settings.printer,
                             [](PrinterSurface &, int) { QFAIL("a page was drawn"); }),
                 std::nullopt);
        QCOMPARE(tp.messages.texts(),
                 QStringList{"The print job could not be started: no printer is installed !"});
    }
};

int main(int argc, char **argv)
{
    // The print service client is pointed at a socket that does not exist
    // before anything asks it for printers; user printer files are kept out.
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

#include "TestPlatform.h"

#include "setup/frmPageSetup.h"
#include "store/Paths.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

class TestPageSetup : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestPlatform> t;
    std::unique_ptr<frmPageSetup> w;

    void open()
    {
        w = std::make_unique<frmPageSetup>(t->platform, t->settings);
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    QPlainTextEdit *box(const char *name) const { return w->findChild<QPlainTextEdit *>(name); }
    void click(const char *name) { QTest::mouseClick(w->findChild<QPushButton *>(name), Qt::LeftButton); }
    QString focused() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

private slots:
    void init()
    {
        t = std::make_unique<TestPlatform>();
        t->makeTree();
        t->write(Paths::headerFile(), "Old header\r\n");
        t->write(Paths::footerFile(), "Old footer\r\nline 2\r\n");
        t->settings.page.PageHeader = QStringLiteral("Old header\r\n");
        t->settings.page.PageFooter = QStringLiteral("Old footer\r\nline 2\r\n");
    }
    void cleanup()
    {
        w.reset();
        t.reset();
    }

    void windowShowsTheSettingsInForce()
    {
        open();
        QCOMPARE(w->windowTitle(), QStringLiteral("Page setup"));
        QCOMPARE(w->size(), QSize(744, 583));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(box("txtCurrentFooter")->toPlainText(), QStringLiteral("Old footer\nline 2\n"));
        QCOMPARE(box("txtCurrentHeader")->toPlainText(), QStringLiteral("Old header\n"));
        QVERIFY(box("txtCurrentHeader")->isReadOnly());
        QCOMPARE(box("txtChangeFooter")->toolTip(), QStringLiteral("Enter a new footer"));
        QCOMPARE(focused(), QStringLiteral("txtChangeHeader"));
        for (const char *next : {"cmdApplyHeader", "cmdCancelHeader", "txtChangeFooter", "cmdApplyFooter",
                                 "cmdCancelFooter", "cmdClose", "txtCurrentHeader", "txtCurrentFooter",
                                 "txtChangeHeader"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focused(), QString::fromLatin1(next));
        }
        click("cmdClose");
        QVERIFY(!w->isVisible());
        QVERIFY(t->messages.messages.isEmpty());
    }

    void aHeaderTypedOnTwoLinesIsInForceAndOnDisk()
    {
        open();
        QTest::keyClicks(box("txtChangeHeader"), "Kestrane Leasing");
        QTest::keyClick(box("txtChangeHeader"), Qt::Key_Return);
        QTest::keyClicks(box("txtChangeHeader"), "1 High Street, Town");
        click("cmdApplyHeader");

        QCOMPARE(t->settings.page.PageHeader, QStringLiteral("Kestrane Leasing\r\n1 High Street, Town"));
        QCOMPARE(t->read(Paths::headerFile()), QByteArray("Kestrane Leasing\r\n1 High Street, Town\r\n"));
        QCOMPARE(box("txtCurrentHeader")->toPlainText(), QStringLiteral("Kestrane Leasing\n1 High Street, Town"));
        QCOMPARE(box("txtChangeHeader")->toPlainText(), QString());
        QCOMPARE(t->messages.texts(), QStringList("The page header has been changed !"));
        QCOMPARE(t->messages.messages.last().title, QStringLiteral("Page header"));
        QCOMPARE(t->messages.messages.last().icon, MsgIcon::Information);
        QCOMPARE(focused(), QStringLiteral("txtChangeHeader"));
        // The footer is not touched.
        QCOMPARE(t->settings.page.PageFooter, QStringLiteral("Old footer\r\nline 2\r\n"));
        QCOMPARE(t->read(Paths::footerFile()), QByteArray("Old footer\r\nline 2\r\n"));
    }

    void anEmptyFooterClearsItAndLeavesTheHeader()
    {
        open();
        click("cmdApplyFooter");
        QCOMPARE(t->settings.page.PageFooter, QString());
        QCOMPARE(t->read(Paths::footerFile()), QByteArray("\r\n"));
        QCOMPARE(box("txtCurrentFooter")->toPlainText(), QString());
        QCOMPARE(t->messages.texts(), QStringList("The page footer has been changed"));
        QCOMPARE(t->messages.messages.last().title, QStringLiteral("Page footer"));
        QCOMPARE(focused(), QStringLiteral("txtChangeFooter"));
        QCOMPARE(t->settings.page.PageHeader, QStringLiteral("Old header\r\n"));
        QCOMPARE(t->read(Paths::headerFile()), QByteArray("Old header\r\n"));
    }

    void cancelOnlyEmptiesTheChangeBox()
    {
        open();
        QTest::keyClicks(box("txtChangeFooter"), "New footer");
        click("cmdCancelFooter");
        QCOMPARE(box("txtChangeFooter")->toPlainText(), QString());
        QCOMPARE(focused(), QStringLiteral("txtChangeFooter"));
        QTest::keyClicks(box("txtChangeHeader"), "New header");
        click("cmdCancelHeader");
        QCOMPARE(focused(), QStringLiteral("txtChangeHeader"));
        QCOMPARE(box("txtCurrentFooter")->toPlainText(), QStringLiteral("Old footer\nline 2\n"));
        QCOMPARE(t->settings.page.PageFooter, QStringLiteral("Old footer\r\nline 2\r\n"));
        QCOMPARE(t->read(Paths::footerFile()), QByteArray("Old footer\r\nline 2\r\n"));
        QCOMPARE(t->settings.page.PageHeader, QStringLiteral("Old header\r\n"));
        QVERIFY(t->messages.messages.isEmpty());
    }

    void aTextThatCannotBeWrittenIsNotPutInForce()
    {
        open();
        t->files.failWrites = true;
        QTest::keyClicks(box("txtChangeHeader"), "Unsaved");
        click("cmdApplyHeader");
        QCOMPARE(t->messages.texts(),
                 QStringList("The page header could not be changed, the file " + Paths::headerFile()
                             + " cannot be written !"));
        QCOMPARE(t->messages.messages.last().icon, MsgIcon::Exclamation);
        QCOMPARE(t->settings.page.PageHeader, QStringLiteral("Old header\r\n"));
        QCOMPARE(box("txtCurrentHeader")->toPlainText(), QStringLiteral("Old header\n"));
        QCOMPARE(box("txtChangeHeader")->toPlainText(), QStringLiteral("Unsaved"));
        QCOMPARE(t->read(Paths::headerFile()), QByteArray("Old header\r\n"));

        // Once the file can be written again, the same text applies.
        t->files.failWrites = false;
        t->messages.clear();
        click("cmdApplyHeader");
        QCOMPARE(t->messages.texts(), QStringList("The page header has been changed !"));
        QCOMPARE(t->read(Paths::headerFile()), QByteArray("Unsaved\r\n"));

        t->files.failWrites = true;
        t->messages.clear();
        click("cmdApplyFooter");
        QCOMPARE(t->messages.texts(),
                 QStringList("The page footer could not be changed, the file " + Paths::footerFile()
                             + " cannot be written !"));
        QCOMPARE(t->settings.page.PageFooter, QStringLiteral("Old footer\r\nline 2\r\n"));
    }
};

QTEST_MAIN(TestPageSetup)
#include "test_page_setup.moc"

#include "WidgetDriver.h"

#include "setup/frmPageSetup.h"
#include "store/Paths.h"

#include <memory>

class TestPageSetup : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPlatform> t;
    std::unique_ptr<frmPageSetup> w;

    // A part's setting in force, its file, its current box and its change box.
    QStringList state(const QString &part) const
    {
        const bool header = part == QLatin1String("Header");
        return {header ? t->settings.page.PageHeader : t->settings.page.PageFooter,
                QString::fromUtf8(t->read(header ? Paths::headerFile() : Paths::footerFile())),
                textOf(w.get(), "txtCurrent" + part), textOf(w.get(), "txtChange" + part)};
    }

private slots:
    void init()
    {
        t = std::make_unique<TestPlatform>();
        t->makeTree();
        t->write(Paths::headerFile(), "Old header\r\n");
        t->write(Paths::footerFile(), "Old footer\r\nline 2\r\n");
        t->settings.page = {"Old header\r\n", "Old footer\r\nline 2\r\n"};
        w = std::make_unique<frmPageSetup>(t->platform, t->settings);
        QVERIFY(showActive(w.get()));
    }

    // The settings in force shown; Cancel only empties its change box.
    void windowShowsTheSettingsInForce()
    {
        checkFrame(w.get(), "Page setup",
                   {"txtChangeHeader", "cmdApplyHeader", "cmdCancelHeader", "txtChangeFooter",
                    "cmdApplyFooter", "cmdCancelFooter", "cmdClose", "txtCurrentHeader",
                    "txtCurrentFooter"});
        QVERIFY(child<QPlainTextEdit>(w.get(), "txtCurrentHeader")->isReadOnly());
        for (const QString part : {"Footer", "Header"}) {
            const QStringList before = state(part);
            typeInto(w.get(), "txtChange" + part, "New " + part);
            click(w.get(), "cmdCancel" + part);
            QCOMPARE(state(part), before);
            QCOMPARE(focusName(), "txtChange" + part);
        }
        QCOMPARE(state("Header"),
                 QStringList({"Old header\r\n", "Old header\r\n", "Old header\n", ""}));
        QCOMPARE(state("Footer").mid(1, 2),
                 QStringList({"Old footer\r\nline 2\r\n", "Old footer\nline 2\n"}));
        click(w.get(), "cmdClose");
        QVERIFY(!w->isVisible() && t->messages.messages.isEmpty());
        // A huge one-line header shows whole, in pieces no longer than 4096 characters.
        t->settings.page.PageHeader = QString(256 * 1024, 'x') + "\r\n";
        w = std::make_unique<frmPageSetup>(t->platform, t->settings);
        QCOMPARE(textOf(w.get(), "txtCurrentHeader").remove('\n'), QString(256 * 1024, 'x'));
        QVERIFY(child<QPlainTextEdit>(w.get(), "txtCurrentHeader")->blockCount() > 64);
    }

    // A refused write puts nothing in force; once the file can be written
    // the same text applies, and the other part is never touched.
    void applyWritesOnePart_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("done");
        QTest::newRow("two-line header")
            << "Header"
            << "Kestrane Leasing\n1 High Street, Town"
            << "Page header: The page header has been changed ! (Information)";
        QTest::newRow("empty footer")
            << "Footer"
            << ""
            << "Page footer: The page footer has been changed (Information)";
    }
    void applyWritesOnePart()
    {
        QFETCH(QString, part);
        QFETCH(QString, typed);
        QFETCH(QString, done);
        const QString other = part == QLatin1String("Header") ? "Footer" : "Header";
        const QString file = part == QLatin1String("Header") ? Paths::headerFile()
                                                             : Paths::footerFile();
        const QStringList old = state(part), otherOld = state(other);
        typeInto(w.get(), "txtChange" + part, typed);
        t->files.refuse = [&](const QString &path) { return path == file; };
        click(w.get(), "cmdApply" + part);
        QCOMPARE(said(t->messages),
                 QStringList("Page " + part.toLower() + ": The page " + part.toLower()
                             + " could not be changed, the file " + file
                             + " cannot be written ! (Exclamation)"));
        QCOMPARE(state(part), old.mid(0, 3) << typed);
        t->files.refuse = nullptr;
        t->messages.clear();
        click(w.get(), "cmdApply" + part);
        QCOMPARE(said(t->messages), QStringList(done));
        const QString applied = QString(typed).replace("\n", "\r\n");
        QCOMPARE(state(part), QStringList({applied, applied + "\r\n", typed, ""}));
        QCOMPARE(focusName(), "txtChange" + part);
        QCOMPARE(state(other), otherOld);
    }
};

QTEST_MAIN(TestPageSetup)
#include "test_page_setup.moc"

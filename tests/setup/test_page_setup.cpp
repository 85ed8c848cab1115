#include "DialogTest.h"

#include "setup/frmPageSetup.h"
#include "store/Paths.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <memory>

namespace {
const QByteArray OldHeader("Old header\r\n");
const QByteArray OldFooter("Old footer\r\nline 2\r\n");
} // namespace

class TestPageSetup : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestPlatform> t;
    std::unique_ptr<frmPageSetup> w;

    QPlainTextEdit *box(const QString &name) const { return child<QPlainTextEdit>(w.get(), name); }
    QByteArray stored(const QString &part) const
    {
        return part == QLatin1String("Header") ? t->settings.page.PageHeader.toUtf8()
                                               : t->settings.page.PageFooter.toUtf8();
    }
    QString file(const QString &part) const
    {
        return part == QLatin1String("Header") ? Paths::headerFile() : Paths::footerFile();
    }

private slots:
    void init()
    {
        t = std::make_unique<TestPlatform>();
        t->makeTree();
        t->write(Paths::headerFile(), OldHeader);
        t->write(Paths::footerFile(), OldFooter);
        t->settings.page.PageHeader = QString::fromUtf8(OldHeader);
        t->settings.page.PageFooter = QString::fromUtf8(OldFooter);
        w = std::make_unique<frmPageSetup>(t->platform, t->settings);
        QVERIFY(showActive(w.get()));
    }
    void cleanup()
    {
        w.reset();
        t.reset();
    }

    void windowShowsTheSettingsInForce()
    {
        QCOMPARE(box("txtCurrentHeader")->toPlainText(), QStringLiteral("Old header\n"));
        QVERIFY(box("txtCurrentHeader")->isReadOnly());
        checkFrame(w.get(), QStringLiteral("Page setup"),
                   {"txtChangeHeader", "cmdApplyHeader", "cmdCancelHeader", "txtChangeFooter",
                    "cmdApplyFooter", "cmdCancelFooter", "cmdClose", "txtCurrentHeader",
                    "txtCurrentFooter"});
        // Cancel only empties its change box.
        for (const QString part : {"Footer", "Header"}) {
            typeInto(w.get(), "txtChange" + part, "New " + part);
            click(w.get(), "cmdCancel" + part);
            QCOMPARE(box("txtChange" + part)->toPlainText(), QString());
            QCOMPARE(focusName(), "txtChange" + part);
        }
        QCOMPARE(box("txtCurrentFooter")->toPlainText(), QStringLiteral("Old footer\nline 2\n"));
        QCOMPARE(stored("Footer"), OldFooter);
        QCOMPARE(t->read(Paths::footerFile()), OldFooter);
        QCOMPARE(stored("Header"), OldHeader);
        click(w.get(), "cmdClose");
        QVERIFY(!w->isVisible());
        QVERIFY(t->messages.messages.isEmpty());
    }

    // As the saved quotes window does, the box never lays out a line of more
    // than 4096 characters, and shows every character of a longer one.
    void aHugeOneLineHeaderShowsWholeInPieces()
    {
        const QString line(256 * 1024, QLatin1Char('x'));
        t->settings.page.PageHeader = line + QStringLiteral("\r\n");
        w = std::make_unique<frmPageSetup>(t->platform, t->settings);
        w->show();
        int longest = 0;
        for (QTextBlock block = box("txtCurrentHeader")->document()->begin(); block.isValid();
             block = block.next())
            longest = std::max(longest, block.length() - 1);
        QVERIFY2(longest <= 4096, qPrintable(QString::number(longest)));
        QCOMPARE(box("txtCurrentHeader")->toPlainText().remove(QLatin1Char('\n')), line);
    }

    // A refused write puts nothing in force; once the file can be written
    // the same text applies, and the other part is never touched.
    void applyWritesOnePart_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("applied");
        QTest::addColumn<QString>("message");
        QTest::newRow("two-line header")
            << "Header" << QStringList({"Kestrane Leasing", "1 High Street, Town"})
            << "Kestrane Leasing\r\n1 High Street, Town"
            << "The page header has been changed !";
        QTest::newRow("empty footer") << "Footer" << QStringList() << ""
                                      << "The page footer has been changed";
    }
    void applyWritesOnePart()
    {
        QFETCH(QString, part);
        QFETCH(QStringList, lines);
        QFETCH(QString, applied);
        QFETCH(QString, message);
        const QString other = part == QLatin1String("Header") ? "Footer" : "Header";
        const QByteArray old = stored(part), otherOld = stored(other);
        QPlainTextEdit *change = box("txtChange" + part);
        change->setFocus();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(change, Qt::Key_Return);
            QTest::keyClicks(change, lines[i]);
        }
        const QString typed = change->toPlainText();

        t->files.failWrites = true;
        click(w.get(), "cmdApply" + part);
        QCOMPARE(t->messages.texts(),
                 QStringList("The page " + part.toLower() + " could not be changed, the file "
                             + file(part) + " cannot be written !"));
        QCOMPARE(t->messages.messages.last().icon, MsgIcon::Exclamation);
        QCOMPARE(stored(part), old);
        QCOMPARE(t->read(file(part)), old);
        QCOMPARE(box("txtCurrent" + part)->toPlainText(),
                 QString::fromUtf8(old).replace("\r\n", "\n"));
        QCOMPARE(change->toPlainText(), typed);

        t->files.failWrites = false;
        t->messages.clear();
        click(w.get(), "cmdApply" + part);
        QCOMPARE(t->messages.texts(), QStringList(message));
        QCOMPARE(t->messages.messages.last().title, "Page " + part.toLower());
        QCOMPARE(t->messages.messages.last().icon, MsgIcon::Information);
        QCOMPARE(stored(part), applied.toUtf8());
        QCOMPARE(t->read(file(part)), applied.toUtf8() + "\r\n");
        QCOMPARE(box("txtCurrent" + part)->toPlainText(), QString(applied).replace("\r\n", "\n"));
        QCOMPARE(change->toPlainText(), QString());
        QCOMPARE(focusName(), "txtChange" + part);
        QCOMPARE(stored(other), otherOld);
        QCOMPARE(t->read(file(other)), otherOld);
    }
};

QTEST_MAIN(TestPageSetup)
#include "test_page_setup.moc"

#include "TestPlatform.h"

#include "setup/frmRatesSetup.h"
#include "store/Paths.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {
const QString Added = QStringLiteral(
    " has been added, you will need to refresh the terms and rates on the main screen to view "
    "the changes !");
const QString Deleted = QStringLiteral(
    " has been deleted, you will need to refresh the terms and rates on the main screen to view "
    "the changes !");
} // namespace

class TestRatesSetup : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestPlatform> t;
    std::unique_ptr<frmRatesSetup> w;

    void open()
    {
        w = std::make_unique<frmRatesSetup>(t->platform, t->settings);
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    QLineEdit *box() const { return w->findChild<QLineEdit *>("txtRate"); }
    QListWidget *list() const { return w->findChild<QListWidget *>("lstRates"); }
    void click(const char *name) { QTest::mouseClick(w->findChild<QPushButton *>(name), Qt::LeftButton); }
    void add(const QString &typed)
    {
        box()->setFocus();
        QTest::keyClicks(box(), typed);
        click("cmdAddRate");
    }
    void select(const QString &text)
    {
        const QList<QListWidgetItem *> found = list()->findItems(text, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(text));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(found.first()).center());
    }
    QStringList listed() const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts.append(list()->item(i)->text());
        return texts;
    }
    bool rateFile(const QString &rate) const
    {
        return t->exists(Paths::entryFile(Paths::ratesFolder(), rate));
    }

private slots:
    void init()
    {
        t = std::make_unique<TestPlatform>();
        t->makeTree();
    }
    void cleanup()
    {
        QVERIFY2(!t->messages.unscriptedQuestion, "a question was asked that no test expected");
        w.reset();
        t.reset();
    }

    void windowOpensAtItsSizeWithFocusAndTabOrder()
    {
        t->addEntries(Paths::ratesFolder(), {"5.00"});
        open();
        QCOMPARE(w->windowTitle(), QStringLiteral("Rates setup"));
        QCOMPARE(w->size(), QSize(241, 296));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(list()->geometry(), QRect(128, 56, 81, 160));
        QCOMPARE(list()->accessibleDescription(), QStringLiteral("Current rates"));
        QCOMPARE(QApplication::focusWidget(), box());
        for (const char *next : {"cmdAddRate", "cmdCancelRate", "cmdDeleteRate", "cmdClose", "lstRates", "txtRate"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
        }
        QVERIFY(t->messages.messages.isEmpty());
    }

    void ratesAreWrittenWithTwoDecimals_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rate");
        QTest::newRow("whole") << "25" << "25.00";
        QTest::newRow("one decimal") << "25.5" << "25.50";
        QTest::newRow("rounded") << "3.456" << "3.46";
        QTest::newRow("no integer digit") << ".5" << "0.50";
        QTest::newRow("negative") << "-5" << "-5.00";
    }
    void ratesAreWrittenWithTwoDecimals()
    {
        QFETCH(QString, typed);
        QFETCH(QString, rate);
        open();
        QCOMPARE(t->messages.texts(), QStringList("You do not currently have any rates setup !"));
        t->messages.clear();
        add(typed);
        QCOMPARE(t->messages.texts(), QStringList("The rate " + rate + Added));
        QCOMPARE(t->messages.messages.last().title, QStringLiteral("Rate"));
        QCOMPARE(t->read(Paths::entryFile(Paths::ratesFolder(), rate)), QByteArray());
        QCOMPARE(listed(), QStringList(rate));
        QCOMPARE(box()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), box());
    }

    void duplicatesAndTextOrder()
    {
        t->addEntries(Paths::ratesFolder(), {"7.5", "9.50"});
        open();
        add("25.5");
        add("25.50");
        QCOMPARE(t->messages.texts().last(), QStringLiteral("The rate 25.50 is already in use !"));
        QCOMPARE(t->messages.messages.last().icon, MsgIcon::Exclamation);
        add("100");
        // A hand-made 7.5 is no duplicate of 7.50: the file decides.
        add("7.5");
        QVERIFY(rateFile("7.5") && rateFile("7.50") && rateFile("100.00"));
        QCOMPARE(listed(), QStringList({"100.00", "25.50", "7.5", "7.50", "9.50"}));
    }

    void lettersCanBeTypedButAreNoRate()
    {
        open();
        t->messages.clear();
        add("abc");
        QCOMPARE(t->messages.texts(), QStringList("Please enter a valid rate !"));
        QCOMPARE(t->messages.messages.last().icon, MsgIcon::Exclamation);
        QCOMPARE(QApplication::focusWidget(), box());
        QCOMPARE(box()->text(), QString());
        // A number too large for single precision is no rate either.
        t->messages.clear();
        add("1e99");
        QCOMPARE(t->messages.texts(), QStringList("Please enter a valid rate !"));
        QVERIFY(t->files.listTxtFiles(Paths::ratesFolder())->isEmpty());

        QTest::keyClicks(box(), "123456");
        QCOMPARE(box()->text(), QStringLiteral("12345"));
        click("cmdCancelRate");
        QCOMPARE(box()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), box());
    }

    void deleteAsksAndTheLastRateLeavesAnEmptyList()
    {
        t->addEntries(Paths::ratesFolder(), {"12.00", "5.50"});
        open();
        click("cmdDeleteRate");
        QCOMPARE(t->messages.texts(), QStringList("Please select a rate to delete !"));

        t->messages.clear();
        select("5.50");
        t->messages.answerNext(MsgAnswer::No);
        click("cmdDeleteRate");
        QCOMPARE(t->messages.texts(),
                 QStringList({"Are you sure that you want to delete the rate 5.50", "Rate delete canceld !"}));
        QVERIFY(rateFile("5.50"));

        t->messages.clear();
        select("5.50");
        t->messages.answerNext(MsgAnswer::Yes);
        click("cmdDeleteRate");
        QCOMPARE(t->messages.texts().last(), "The rate 5.50" + Deleted);
        QVERIFY(!rateFile("5.50"));
        QCOMPARE(listed(), QStringList("12.00"));
        // Nothing is left picked: a second Delete cannot take the neighbour.
        t->messages.clear();
        click("cmdDeleteRate");
        QCOMPARE(t->messages.texts(), QStringList("Please select a rate to delete !"));

        t->messages.clear();
        select("12.00");
        t->messages.answerNext(MsgAnswer::Yes);
        click("cmdDeleteRate");
        QCOMPARE(t->messages.texts().mid(1),
                 QStringList({"The rate 12.00" + Deleted, "You do not currently have any rates setup !"}));
        QCOMPARE(t->messages.messages.last().title, QStringLiteral("Rates"));
        QVERIFY(t->files.listTxtFiles(Paths::ratesFolder())->isEmpty());
    }

    void ratesThatCannotBeWrittenAreNotShown()
    {
        t->addEntries(Paths::ratesFolder(), {"12.00"});
        open();
        t->files.failWrites = true;
        add("8");
        QCOMPARE(t->messages.texts(),
                 QStringList("The rate 8.00 could not be added, the file " + Paths::ratesFolder()
                             + "\\8.00.txt cannot be written !"));
        QCOMPARE(listed(), QStringList("12.00"));
        QVERIFY(!rateFile("8.00"));

        t->messages.clear();
        select("12.00");
        t->messages.answerNext(MsgAnswer::Yes);
        click("cmdDeleteRate");
        QCOMPARE(t->messages.texts().mid(1),
                 QStringList("The rate 12.00 could not be deleted, the file " + Paths::ratesFolder()
                             + "\\12.00.txt cannot be removed !"));
        QCOMPARE(listed(), QStringList("12.00"));
        QVERIFY(rateFile("12.00"));
    }

    void aDecimalCommaLocaleWritesItsOwnSeparator()
    {
        t = std::make_unique<TestPlatform>(QLocale(QLocale::German, QLocale::Germany));
        t->makeTree();
        open();
        t->messages.clear();
        add("25,5");
        QCOMPARE(t->messages.texts(), QStringList("The rate 25,50" + Added));
        QVERIFY(rateFile("25,50"));
    }
};

QTEST_MAIN(TestRatesSetup)
#include "test_rates_setup.moc"

#include "DialogTest.h"

#include "setup/frmRatesSetup.h"
#include "setup/frmTermsSetup.h"
#include "store/Paths.h"

#include <QClipboard>
#include <QLineEdit>
#include <memory>

namespace {

const QString Added = QStringLiteral(
    " has been added, you will need to refresh the terms and rates on the main screen to view "
    "the changes !");
const QString Deleted = QStringLiteral(
    " has been deleted, you will need to refresh the terms and rates on the main screen to view "
    "the changes !");

// One column of entries (the three of the terms window share their code
// with the single one of the rates window), named as the user meets it.
struct Column {
    explicit Column(const QString &title) : title(title), one(title.toLower()) {}
    QString title, one;
    bool rates() const { return title == QLatin1String("Rate"); }
    QString many() const { return one + "s"; }
    QString article() const { return title == QLatin1String("Upfront") ? "an" : "a"; }
    QString input() const { return "txt" + title; }
    QString list() const { return rates() ? "lstRates" : "lst" + title; }
    QString add() const { return "cmdAdd" + title; }
    QString cancel() const
    {
        return title == QLatin1String("Upfront") ? "cmdUpfrontCancel" : "cmdCancel" + title;
    }
    QString remove() const { return "cmdDelete" + title; }
    QString folder() const
    {
        return rates() ? Paths::ratesFolder()
                       : (title == QLatin1String("Upfront")   ? Paths::upfrontsFolder()
                              : title == QLatin1String("Mid") ? Paths::midsFolder()
                                                              : Paths::finalsFolder());
    }
};

} // namespace

class TestTermsAndRatesSetup : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestPlatform> t;
    std::unique_ptr<QDialog> w;

    void fillTree()
    {
        t->makeTree();
        for (const QString &folder :
             {Paths::upfrontsFolder(), Paths::midsFolder(), Paths::finalsFolder()})
            t->addEntries(folder, {"12"});
        t->addEntries(Paths::ratesFolder(), {"12.00"});
    }
    void open(bool rates)
    {
        if (rates)
            w = std::make_unique<frmRatesSetup>(t->platform);
        else
            w = std::make_unique<frmTermsSetup>(t->platform);
        QVERIFY(showActive(w.get()));
    }
    QLineEdit *box(const QString &name) const { return child<QLineEdit>(w.get(), name); }
    QStringList listed(const QString &list) const
    {
        return itemsOf(child<QListWidget>(w.get(), list));
    }
    void add(const Column &c, const QString &typed)
    {
        typeInto(w.get(), c.input(), typed);
        click(w.get(), c.add());
    }
    void remove(const Column &c, const QString &entry, MsgAnswer answer)
    {
        pick(child<QListWidget>(w.get(), c.list()), entry);
        t->messages.answerNext(answer);
        click(w.get(), c.remove());
    }
    int filesIn(const QString &folder) const { return int(t->files.listTxtFiles(folder)->size()); }

    void columns()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("entry"); // on disk before the window opens
        QTest::addColumn<QString>("stored"); // what "07" is stored as
        QTest::addColumn<QStringList>("order");
        for (const char *which : {"Upfront", "Mid", "Final"})
            QTest::newRow(which) << which << "12"
                                 << "7" << QStringList({"7", "12"});
        QTest::newRow("Rate") << "Rate"
                              << "12.00"
                              << "7.00" << QStringList({"12.00", "7.00"});
    }

private slots:
    void init() { t = std::make_unique<TestPlatform>(); }
    void cleanup()
    {
        QVERIFY2(!t->messages.unscriptedQuestion, "a question was asked that no test expected");
        w.reset();
        t.reset();
    }

    void windowsOpenWithFocusAndTabOrder()
    {
        fillTree();
        open(false);
        checkFrame(w.get(), QStringLiteral("Terms setup"),
                   {"txtUpfront", "cmdAddUpfront", "cmdUpfrontCancel", "cmdDeleteUpfront", "txtMid",
                    "cmdAddMid", "cmdCancelMid", "cmdDeleteMid", "txtFinal", "cmdAddFinal",
                    "cmdCancelFinal", "cmdDeleteFinal", "cmdClose", "lstUpfront", "lstMid",
                    "lstFinal"});
        click(w.get(), "cmdClose");
        QVERIFY(!w->isVisible());
        open(true);
        checkFrame(
            w.get(), QStringLiteral("Rates setup"),
            {"txtRate", "cmdAddRate", "cmdCancelRate", "cmdDeleteRate", "cmdClose", "lstRates"});
        QVERIFY(t->messages.messages.isEmpty());
    }

    // Each empty list is told before its window shows (titles and icons are
    // checked with the last delete of every column).
    void emptyFoldersAreToldInOrderBeforeTheWindowShows()
    {
        t->makeTree();
        frmTermsSetup terms(t->platform);
        frmRatesSetup rates(t->platform);
        QCOMPARE(t->messages.texts(),
                 QStringList({"You do not currently have any upfronts setup !",
                              "You do not currently have any mids setup !",
                              "You do not currently have any finals setup !",
                              "You do not currently have any rates setup !"}));
    }

    // Write failures, add, refuse a duplicate and an empty box, cancel,
    // delete answering No then Yes, and delete the last entry, in every column.
    void eachColumnAddsRefusesAndDeletes_data() { columns(); }
    void eachColumnAddsRefusesAndDeletes()
    {
        QFETCH(QString, which);
        QFETCH(QString, entry);
        QFETCH(QString, stored);
        QFETCH(QStringList, order);
        const Column c(which);
        fillTree();
        open(c.rates());
        auto &m = t->messages;

        const QString pickOne = "Please select " + c.article() + " " + c.one + " to delete !";
        click(w.get(), c.remove());
        QCOMPARE(m.texts(), QStringList(pickOne));

        // A file that cannot be written or removed changes no list.
        m.clear();
        t->files.failWrites = true;
        add(c, "07");
        remove(c, entry, MsgAnswer::Yes);
        QCOMPARE(m.texts(),
                 QStringList({"The " + c.one + " " + stored + " could not be added, the file "
                                  + c.folder() + "\\" + stored + ".txt cannot be written !",
                              "Are you sure that you want to delete the " + c.one + " " + entry,
                              "The " + c.one + " " + entry + " could not be deleted, the file "
                                  + c.folder() + "\\" + entry + ".txt cannot be removed !"}));
        QCOMPARE(m.messages.first().icon, MsgIcon::Exclamation);
        QCOMPARE(listed(c.list()), QStringList(entry));
        QCOMPARE(filesIn(c.folder()), 1);
        t->files.failWrites = false;

        m.clear();
        box(c.input())->clear();
        add(c, "07");
        QCOMPARE(m.texts(), QStringList("The " + c.one + " " + stored + Added));
        QCOMPARE(m.messages.last().title, c.title);
        QCOMPARE(m.messages.last().icon, MsgIcon::Information);
        QCOMPARE(t->read(Paths::entryFile(c.folder(), stored)), QByteArray());
        QCOMPARE(filesIn(c.folder()), 2);
        QCOMPARE(listed(c.list()), order);
        QCOMPARE(box(c.input())->text(), QString());
        QCOMPARE(focusName(), c.input());

        m.clear();
        add(c, "07");
        QCOMPARE(m.texts(), QStringList("The " + c.one + " " + stored + " is already in use !"));
        QCOMPARE(m.messages.last().icon, MsgIcon::Exclamation);
        QCOMPARE(listed(c.list()), order);

        m.clear();
        box(c.input())->clear();
        click(w.get(), c.add());
        QCOMPARE(m.texts(), QStringList("Please enter a valid " + c.one + " !"));
        QCOMPARE(m.messages.last().title, c.title);
        QCOMPARE(focusName(), c.input());

        m.clear();
        typeInto(w.get(), c.input(), "5");
        click(w.get(), c.cancel());
        QCOMPARE(box(c.input())->text(), QString());
        QCOMPARE(focusName(), c.input());

        const QString question = "Are you sure that you want to delete the " + c.one + " ";
        m.clear();
        remove(c, entry, MsgAnswer::No);
        QCOMPARE(m.texts(), QStringList({question + entry, c.title + " delete canceld !"}));
        QCOMPARE(m.messages.at(0).buttons, MsgButtons::YesNo);
        QCOMPARE(m.messages.at(0).icon, MsgIcon::Question);
        QVERIFY(t->exists(Paths::entryFile(c.folder(), entry)));

        m.clear();
        remove(c, entry, MsgAnswer::Yes);
        QCOMPARE(m.texts(),
                 QStringList({question + entry, "The " + c.one + " " + entry + Deleted}));
        QVERIFY(!t->exists(Paths::entryFile(c.folder(), entry)));
        QCOMPARE(listed(c.list()), QStringList(stored));
        // Nothing is left picked: a second Delete cannot take the neighbour.
        m.clear();
        click(w.get(), c.remove());
        QCOMPARE(m.texts(), QStringList(pickOne));

        // An entry selected by an assistive tool, with no current item.
        const QString empty = "You do not currently have any " + c.many() + " setup !";
        m.clear();
        QVERIFY(SelectAsAssistiveTool(child<QListWidget>(w.get(), c.list()), stored));
        QCOMPARE(child<QListWidget>(w.get(), c.list())->currentRow(), -1);
        t->messages.answerNext(MsgAnswer::Yes);
        click(w.get(), c.remove());
        QCOMPARE(m.texts().mid(1), QStringList({"The " + c.one + " " + stored + Deleted, empty}));
        QCOMPARE(m.messages.last().title, c.title + "s");
        QCOMPARE(m.messages.last().icon, MsgIcon::Information);
        QCOMPARE(filesIn(c.folder()), 0);
        m.clear();
        click(w.get(), c.remove());
        QCOMPARE(m.texts(), QStringList({pickOne, empty}));
    }

    // Terms are ordered as numbers, rates as texts; a hand-made file is no
    // duplicate of the stored form of the same number.
    void listOrderAndHandMadeEntries()
    {
        fillTree();
        t->addEntries(Paths::midsFolder(), {"36", "120", "6"});
        t->addEntries(Paths::upfrontsFolder(), {"07"});
        t->addEntries(Paths::ratesFolder(), {"7.5", "9.50"});
        open(false);
        QCOMPARE(listed("lstMid"), QStringList({"6", "12", "36", "120"}));
        const Column up("Upfront");
        add(up, "7");
        QCOMPARE(t->messages.texts(), QStringList("The upfront 7" + Added));
        QCOMPARE(listed("lstUpfront"), QStringList({"07", "7", "12"}));
        remove(up, "07", MsgAnswer::Yes);
        QVERIFY(!t->exists(Paths::entryFile(Paths::upfrontsFolder(), "07")));
        QVERIFY(t->exists(Paths::entryFile(Paths::upfrontsFolder(), "7")));

        open(true);
        for (const QString typed : {"25.5", "100", "7.5"})
            add(Column("Rate"), typed);
        QVERIFY(t->exists(Paths::entryFile(Paths::ratesFolder(), "7.5")));
        QCOMPARE(listed("lstRates"),
                 QStringList({"100.00", "12.00", "25.50", "7.5", "7.50", "9.50"}));
    }

    // An entry is the file the folder holds, whatever the case of its
    // ending, a leading dot or bytes that are not UTF-8; one removed outside
    // is said to be gone and leaves the list.
    void entriesAsTheFolderHoldsThem_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("typed"); // added again first, when given
        QTest::addColumn<bool>("removedOutside");
        QTest::newRow("upper-case ending") << QByteArray("7.TXT") << "7"
                                           << "07" << false;
        QTest::newRow("leading dot") << QByteArray(".7.txt") << ".7"
                                     << "" << false;
        QTest::newRow("not UTF-8")
            << QByteArray("7\xe9.txt") << QStringLiteral("7") + QChar(0xDCE9) << "" << false;
        QTest::newRow("removed outside") << QByteArray("7.txt") << "7"
                                         << "" << true;
    }
    void entriesAsTheFolderHoldsThem()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, entry);
        QFETCH(QString, typed);
        QFETCH(bool, removedOutside);
        const Column up("Upfront");
        t->makeTree();
        t->makeRaw(up.folder(), file);
        open(false);
        t->messages.clear();
        QCOMPARE(listed(up.list()), QStringList(entry));
        QStringList expected;
        if (!typed.isEmpty()) {
            add(up, typed);
            expected << "The upfront " + entry + " is already in use !";
        }
        if (removedOutside)
            t->remove(Paths::entryFile(up.folder(), entry));
        remove(up, entry, MsgAnswer::Yes);
        expected << "Are you sure that you want to delete the upfront " + entry
                 << (removedOutside ? "The file (" + Paths::entryFile(up.folder(), entry)
                             + ") no longer exists !"
                                    : "The upfront " + entry + Deleted)
                 << "You do not currently have any upfronts setup !";
        QCOMPARE(t->messages.texts(), expected);
        QCOMPARE(listed(up.list()), QStringList());
        QCOMPARE(
            QDir(t->native(up.folder()))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList());
    }

    void rateTexts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rate"); // empty: refused
        QTest::newRow("whole") << "en_US"
                               << "25"
                               << "25.00";
        QTest::newRow("one decimal") << "en_US"
                                     << "25.5"
                                     << "25.50";
        QTest::newRow("rounded") << "en_US"
                                 << "3.456"
                                 << "3.46";
        QTest::newRow("no integer digit") << "en_US"
                                          << ".5"
                                          << "0.50";
        QTest::newRow("negative") << "en_US"
                                  << "-5"
                                  << "-5.00";
        QTest::newRow("letters") << "en_US"
                                 << "abc"
                                 << "";
        QTest::newRow("beyond single precision") << "en_US"
                                                 << "1e99"
                                                 << "";
        QTest::newRow("decimal comma") << "de_DE"
                                       << "25,5"
                                       << "25,50";
    }
    void rateTexts()
    {
        QFETCH(QString, language);
        QFETCH(QString, typed);
        QFETCH(QString, rate);
        t = std::make_unique<TestPlatform>(QLocale(language));
        t->makeTree();
        open(true);
        t->messages.clear();
        add(Column("Rate"), typed);
        if (rate.isEmpty()) {
            QCOMPARE(t->messages.texts(), QStringList("Please enter a valid rate !"));
            QCOMPARE(t->messages.messages.last().icon, MsgIcon::Exclamation);
            QCOMPARE(filesIn(Paths::ratesFolder()), 0);
        } else {
            QCOMPARE(t->messages.texts(), QStringList("The rate " + rate + Added));
            QCOMPARE(t->read(Paths::entryFile(Paths::ratesFolder(), rate)), QByteArray());
            QCOMPARE(listed("lstRates"), QStringList(rate));
        }
        QCOMPARE(box("txtRate")->text(), QString());
        QCOMPARE(focusName(), QStringLiteral("txtRate"));
    }

    // Term boxes take digits only from the keyboard, pasted text is checked
    // by Add; each box holds a fixed number of characters.
    void keysAndPastedText()
    {
        fillTree();
        open(false);
        typeInto(w.get(), "txtUpfront", "a.-9");
        QCOMPARE(box("txtUpfront")->text(), QStringLiteral("9"));
        QTest::keyClick(box("txtUpfront"), Qt::Key_Backspace);
        QTest::keyClicks(box("txtUpfront"), "123");
        QCOMPARE(box("txtUpfront")->text(), QStringLiteral("12"));
        typeInto(w.get(), "txtMid", "x1234");
        QCOMPARE(box("txtMid")->text(), QStringLiteral("123"));

        box("txtMid")->clear();
        QApplication::clipboard()->setText(QStringLiteral("1.5"));
        QTest::keyClick(box("txtMid"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box("txtMid")->text(), QStringLiteral("1.5"));
        click(w.get(), "cmdAddMid");
        QApplication::clipboard()->setText(QStringLiteral("-1"));
        box("txtFinal")->setFocus();
        QTest::keyClick(box("txtFinal"), Qt::Key_V, Qt::ControlModifier);
        click(w.get(), "cmdAddFinal");
        QVERIFY(t->exists(Paths::entryFile(Paths::midsFolder(), "1.5")));
        QVERIFY(t->exists(Paths::entryFile(Paths::finalsFolder(), "-1")));
        QCOMPARE(t->messages.texts(), QStringList({"The mid 1.5" + Added, "The final -1" + Added}));

        open(true);
        typeInto(w.get(), "txtRate", "123456");
        QCOMPARE(box("txtRate")->text(), QStringLiteral("12345"));
    }
};

QTEST_MAIN(TestTermsAndRatesSetup)
#include "test_terms_and_rates_setup.moc"

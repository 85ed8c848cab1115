#include "WidgetDriver.h"

#include "setup/frmRatesSetup.h"
#include "setup/frmTermsSetup.h"
#include "store/Paths.h"

#include <QClipboard>
#include <memory>

namespace {

const QString Refresh = " has been %1, you will need to refresh the terms and rates on the main "
                        "screen to view the changes !";

// One column of entries (the three of the terms window share their code
// with the single one of the rates window), named as the user meets it.
struct Column {
    QString title, one = title.toLower();
    bool rates() const { return title == QLatin1String("Rate"); }
    QString article() const { return title == QLatin1String("Upfront") ? "an" : "a"; }
    QString list() const { return rates() ? "lstRates" : "lst" + title; }
    QString cancel() const { return title == "Upfront" ? "cmdUpfrontCancel" : "cmdCancel" + title; }
    QString folder() const
    {
        return rates()           ? Paths::ratesFolder()
            : title == "Upfront" ? Paths::upfrontsFolder()
            : title == "Mid"     ? Paths::midsFolder()
                                 : Paths::finalsFolder();
    }
};

} // namespace

class TestTermsAndRatesSetup : public QObject {
    Q_OBJECT
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
        t->messages.clear();
    }
    void add(const Column &c, const QString &typed)
    {
        typeInto(w.get(), "txt" + c.title, typed, true);
        click(w.get(), "cmdAdd" + c.title);
    }
    void remove(const Column &c, const QString &entry, MsgAnswer answer)
    {
        QVERIFY(pick(w.get(), c.list(), entry));
        t->messages.answerNext(answer);
        click(w.get(), "cmdDelete" + c.title);
    }
    // The messages since the last look, without titles and icons.
    QStringList told()
    {
        const QStringList texts = t->messages.texts();
        t->messages.clear();
        return texts;
    }
    QStringList filesIn(const QString &folder) const { return *t->files.listTxtFiles(folder); }

private slots:
    void init() { t = std::make_unique<TestPlatform>(); }
    void cleanup()
    {
        QVERIFY2(!t->messages.unscriptedQuestion, "a question was asked that no test expected");
        w.reset();
    }

    void windowsOpenWithFocusAndTabOrder()
    {
        fillTree();
        open(false);
        checkFrame(w.get(), "Terms setup",
                   QString("txtUpfront cmdAddUpfront cmdUpfrontCancel cmdDeleteUpfront txtMid "
                           "cmdAddMid cmdCancelMid cmdDeleteMid txtFinal cmdAddFinal "
                           "cmdCancelFinal cmdDeleteFinal cmdClose lstUpfront lstMid lstFinal")
                       .split(' '));
        click(w.get(), "cmdClose");
        QVERIFY(!w->isVisible());
        open(true);
        checkFrame(
            w.get(), "Rates setup",
            {"txtRate", "cmdAddRate", "cmdCancelRate", "cmdDeleteRate", "cmdClose", "lstRates"});
        // Each empty list is told, in order, before its window shows.
        t->makeTree();
        for (const QString &folder : {Paths::upfrontsFolder(), Paths::midsFolder(),
                                      Paths::finalsFolder(), Paths::ratesFolder()})
            t->remove(Paths::entryFile(folder, folder == Paths::ratesFolder() ? "12.00" : "12"));
        frmTermsSetup terms(t->platform);
        frmRatesSetup rates(t->platform);
        QCOMPARE(said(t->messages).join('|'),
                 "Upfronts: You do not currently have any upfronts setup ! (Information)|Mids: You "
                 "do not currently have any mids setup ! (Information)|Finals: You do not "
                 "currently have any finals setup ! (Information)|Rates: You do not currently have "
                 "any rates setup ! (Information)");
    }

    // Write failures, add, refuse a duplicate and an empty box, cancel,
    // delete answering No then Yes, and delete the last entry, in every column.
    void eachColumnAddsRefusesAndDeletes_data()
    {
        // The column, its entry on disk, what "07" is stored as, the list after adding it.
        rowsOf({"Upfront|12|7|7,12", "Mid|12|7|7,12", "Final|12|7|7,12",
                "Rate|12.00|7.00|12.00,7.00"});
    }
    void eachColumnAddsRefusesAndDeletes()
    {
        QFETCH(QStringList, row);
        const Column c{row[0]};
        const QString entry = row[1], stored = row[2],
                      pickOne = "Please select " + c.article() + " " + c.one + " to delete !";
        fillTree();
        open(c.rates());
        click(w.get(), "cmdDelete" + c.title);
        QCOMPARE(told(), QStringList(pickOne));

        // A file that cannot be written or removed changes no list.
        t->files.failWrites = true;
        add(c, "07");
        remove(c, entry, MsgAnswer::Yes);
        t->files.failWrites = false;
        QCOMPARE(said(t->messages).join('|'),
                 c.title + ": The " + c.one + " " + stored + " could not be added, the file "
                     + Paths::entryFile(c.folder(), stored) + " cannot be written ! (Exclamation)|"
                     + c.title + ": Are you sure that you want to delete the " + c.one + " " + entry
                     + " (Question, YesNo)|" + c.title + ": The " + c.one + " " + entry
                     + " could not be deleted, the file " + Paths::entryFile(c.folder(), entry)
                     + " cannot be removed ! (Exclamation)");
        QCOMPARE(itemsOf(w.get(), c.list()) + filesIn(c.folder()),
                 QStringList({entry, entry + ".txt"}));
        t->messages.clear();

        add(c, "07");
        QCOMPARE(said(t->messages),
                 QStringList(c.title + ": The " + c.one + " " + stored + Refresh.arg("added")
                             + " (Information)"));
        QCOMPARE(t->read(Paths::entryFile(c.folder(), stored)), QByteArray());
        QCOMPARE(filesIn(c.folder()).size(), 2);
        QCOMPARE(itemsOf(w.get(), c.list()), row[3].split(','));
        QCOMPARE(textOf(w.get(), "txt" + c.title) + focusName(), "txt" + c.title);
        t->messages.clear();
        add(c, "07");
        QCOMPARE(said(t->messages),
                 QStringList(c.title + ": The " + c.one + " " + stored
                             + " is already in use ! (Exclamation)"));
        QCOMPARE(itemsOf(w.get(), c.list()), row[3].split(','));
        t->messages.clear();
        add(c, "");
        QCOMPARE(said(t->messages),
                 QStringList(c.title + ": Please enter a valid " + c.one + " ! (Exclamation)"));
        QCOMPARE(focusName(), "txt" + c.title);
        typeInto(w.get(), "txt" + c.title, "5");
        click(w.get(), c.cancel());
        QCOMPARE(textOf(w.get(), "txt" + c.title) + focusName(), "txt" + c.title);

        const QString question = "Are you sure that you want to delete the " + c.one + " " + entry;
        t->messages.clear();
        remove(c, entry, MsgAnswer::No);
        QCOMPARE(said(t->messages).join('|'),
                 c.title + ": " + question + " (Question, YesNo)|" + c.title + ": " + c.title
                     + " delete canceld ! (Information)");
        QVERIFY(t->exists(Paths::entryFile(c.folder(), entry)));
        t->messages.clear();
        remove(c, entry, MsgAnswer::Yes);
        QCOMPARE(told(),
                 QStringList({question, "The " + c.one + " " + entry + Refresh.arg("deleted")}));
        QCOMPARE(filesIn(c.folder()), QStringList(stored + ".txt"));
        QCOMPARE(itemsOf(w.get(), c.list()), QStringList(stored));
        // Nothing is left picked: a second Delete cannot take the neighbour.
        click(w.get(), "cmdDelete" + c.title);
        QCOMPARE(told(), QStringList(pickOne));

        // An entry selected by an assistive tool, with no current item.
        QVERIFY(selectAsAssistiveTool(child(w.get(), c.list()), stored));
        QCOMPARE(child<QListWidget>(w.get(), c.list())->currentRow(), -1);
        t->messages.answerNext(MsgAnswer::Yes);
        click(w.get(), "cmdDelete" + c.title);
        const QString empty = c.title + "s: You do not currently have any " + c.one
            + "s setup ! (Information)";
        QCOMPARE(said(t->messages).mid(1),
                 QStringList({c.title + ": The " + c.one + " " + stored + Refresh.arg("deleted")
                                  + " (Information)",
                              empty}));
        QCOMPARE(filesIn(c.folder()), QStringList());
        t->messages.clear();
        click(w.get(), "cmdDelete" + c.title);
        QCOMPARE(said(t->messages).mid(1), QStringList(empty));
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
        QCOMPARE(itemsOf(w.get(), "lstMid").join(' '), "6 12 36 120");
        add({"Upfront"}, "7");
        QCOMPARE(told(), QStringList("The upfront 7" + Refresh.arg("added")));
        QCOMPARE(itemsOf(w.get(), "lstUpfront").join(' '), "07 7 12");
        remove({"Upfront"}, "07", MsgAnswer::Yes);
        QCOMPARE(filesIn(Paths::upfrontsFolder()).join(' '), "12.txt 7.txt");
        open(true);
        for (const QString typed : {"25.5", "100", "7.5"})
            add({"Rate"}, typed);
        QVERIFY(t->exists(Paths::entryFile(Paths::ratesFolder(), "7.5")));
        QCOMPARE(itemsOf(w.get(), "lstRates").join(' '), "100.00 12.00 25.50 7.5 7.50 9.50");
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
        const Column up{"Upfront"};
        t->makeTree();
        t->makeRaw(up.folder(), file);
        open(false);
        QCOMPARE(itemsOf(w.get(), up.list()), QStringList(entry));
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
                                    : "The upfront " + entry + Refresh.arg("deleted"))
                 << "You do not currently have any upfronts setup !";
        QCOMPARE(told(), expected);
        QCOMPARE(itemsOf(w.get(), up.list()), QStringList());
        QCOMPARE(
            QDir(t->native(up.folder()))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList());
    }

    // A rate as typed, in a language, and as stored (none: refused).
    void rateTexts_data()
    {
        rowsOf({"en_US|25|25.00", "en_US|25.5|25.50", "en_US|3.456|3.46", "en_US|.5|0.50",
                "en_US|-5|-5.00", "en_US|abc|", "en_US|1e99|", "de_DE|25,5|25,50"});
    }
    void rateTexts()
    {
        QFETCH(QStringList, row);
        t = std::make_unique<TestPlatform>(QLocale(row[0]));
        t->makeTree();
        open(true);
        add({"Rate"}, row[1]);
        QCOMPARE(said(t->messages),
                 QStringList(row[2].isEmpty() ? "Rate: Please enter a valid rate ! (Exclamation)"
                                              : "Rate: The rate " + row[2] + Refresh.arg("added")
                                     + " (Information)"));
        QCOMPARE(filesIn(Paths::ratesFolder()),
                 row[2].isEmpty() ? QStringList() : QStringList(row[2] + ".txt"));
        QCOMPARE(itemsOf(w.get(), "lstRates"),
                 row[2].isEmpty() ? QStringList() : QStringList(row[2]));
        QCOMPARE(textOf(w.get(), "txtRate") + focusName(), QStringLiteral("txtRate"));
    }

    // Term boxes take digits only from the keyboard, pasted text is checked
    // by Add; each box holds a fixed number of characters.
    void keysAndPastedText()
    {
        fillTree();
        open(false);
        typeInto(w.get(), "txtUpfront", "a.-9");
        QCOMPARE(textOf(w.get(), "txtUpfront"), QStringLiteral("9"));
        press(Qt::Key_Backspace);
        typeInto(w.get(), "txtUpfront", "123");
        typeInto(w.get(), "txtMid", "x1234");
        QCOMPARE(textOf(w.get(), "txtUpfront") + textOf(w.get(), "txtMid"),
                 QStringLiteral("12123"));
        for (const QString term : {"Mid", "Final"}) {
            QApplication::clipboard()->setText(term == "Mid" ? "1.5" : "-1");
            typeInto(w.get(), "txt" + term, "", true);
            press(Qt::Key_V, Qt::ControlModifier);
            click(w.get(), "cmdAdd" + term);
        }
        QCOMPARE(told(),
                 QStringList({"The mid 1.5" + Refresh.arg("added"),
                              "The final -1" + Refresh.arg("added")}));
        QVERIFY(t->exists(Paths::entryFile(Paths::midsFolder(), "1.5"))
                && t->exists(Paths::entryFile(Paths::finalsFolder(), "-1")));
        open(true);
        typeInto(w.get(), "txtRate", "123456");
        QCOMPARE(textOf(w.get(), "txtRate"), QStringLiteral("12345"));
    }
};

QTEST_MAIN(TestTermsAndRatesSetup)
#include "test_terms_and_rates_setup.moc"

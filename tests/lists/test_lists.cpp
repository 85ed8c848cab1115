#include "TestPlatform.h"

#include "lists/ListControl.h"
#include "lists/NumericReSort.h"
#include "store/Paths.h"

#include <QComboBox>
#include <QListWidget>
#include <QtTest>

namespace {
QVector<ListItem> itemsOf(const QStringList &texts)
{
    QVector<ListItem> items;
    int data = 1;
    for (const QString &t : texts)
        items.append({t, data++});
    return items;
}

QStringList textsOf(const QVector<ListItem> &items)
{
    QStringList texts;
    for (const ListItem &i : items)
        texts.append(i.text);
    return texts;
}
} // namespace

class TestLists : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data();
    void leadingNumber();
    void reSort_data();
    void reSort();
    void itemDataMovesWithItsItem();
    void fractionsBelowTheSameKeyEnd();
    void hugeNumbersDoNotOverflow();
    void comboAndListBoxSortAlike();
    void sortedControlsPlaceItemsCaseInsensitively();
    void fillKeepsTheEditText();
    void loadListFromFolderTellsOfEmptyAndVanishedFolders();
};

void TestLists::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "12" << 12.0;
    QTest::newRow("decimal") << "2.5x" << 2.5;
    QTest::newRow("blanks anywhere") << " 1 2\t3" << 123.0;
    QTest::newRow("sign") << "-4" << -4.0;
    QTest::newRow("exponent") << "1E3" << 1000.0;
    QTest::newRow("D exponent") << "2d2" << 200.0;
    QTest::newRow("exponent sign") << "5e-1" << 0.5;
    QTest::newRow("bare exponent") << "7E" << 7.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex 16-bit negative") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("letters") << "Acme 10" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("comma stops") << "1,000" << 1.0;
}

void TestLists::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(::leadingNumber(text), value);
}

void TestLists::reSort_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    auto l = [](std::initializer_list<const char *> s) {
        QStringList r;
        for (const char *x : s)
            r << QString::fromUtf8(x);
        return r;
    };
    QTest::newRow("whole numbers")
        << l({"12", "3", "24", "6", "1"}) << l({"1", "3", "6", "12", "24"});
    QTest::newRow("upfront files") << l({"12", "3", "6"}) << l({"3", "6", "12"});
    QTest::newRow("zero first stays") << l({"0", "24", "12"}) << l({"0", "12", "24"});
    QTest::newRow("zero splits") << l({"24", "0", "12"}) << l({"24", "0", "12"});
    QTest::newRow("names") << l({"Acme 10", "Acme 9", "Bolt 2"})
                           << l({"Acme 9", "Acme 10", "Bolt 2"});
    QTest::newRow("equal numbers may swap") << l({"5", "5.0", "3"}) << l({"3", "5.0", "5"});
    QTest::newRow("prefixes never compared") << l({"B 3", "A 1"}) << l({"B 3", "A 1"});
    QTest::newRow("case-sensitive prefix") << l({"acme 5", "Acme 2"}) << l({"acme 5", "Acme 2"});
    QTest::newRow("no key stays") << l({"abc", "", "2", "1"}) << l({"abc", "", "1", "2"});
    QTest::newRow("empty list") << QStringList() << QStringList();
}

void TestLists::reSort()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QVector<ListItem> items = itemsOf(before);
    NumericReSort(items);
    QCOMPARE(textsOf(items), after);
}

void TestLists::itemDataMovesWithItsItem()
{
    QVector<ListItem> items{{"12", 120}, {"3", 30}, {"6", 60}};
    NumericReSort(items);
    QCOMPARE(items, (QVector<ListItem>{{"3", 30}, {"6", 60}, {"12", 120}}));
}

void TestLists::fractionsBelowTheSameKeyEnd()
{
    // 1.6 and 1.7 both have the key 2: they must not change places forever.
    QVector<ListItem> items = itemsOf({"Quote 1.6", "Quote 1.7", "Quote 1.2"});
    NumericReSort(items);
    // Whole numbers decide: 1.2 (key 1) goes first, 1.6 and 1.7 (both 2) keep their order.
    QCOMPARE(textsOf(items), (QStringList{"Quote 1.2", "Quote 1.7", "Quote 1.6"}));
    QVector<ListItem> plain = itemsOf({"1.7", "1.6"});
    NumericReSort(plain);
    QCOMPARE(textsOf(plain), (QStringList{"1.7", "1.6"}));
}

void TestLists::hugeNumbersDoNotOverflow()
{
    QVector<ListItem> items = itemsOf({"99999999999", "5", "1E40", "4294967296"});
    NumericReSort(items);
    QCOMPARE(textsOf(items), (QStringList{"5", "4294967296", "99999999999", "1E40"}));
}

void TestLists::comboAndListBoxSortAlike()
{
    QComboBox combo;
    combo.setEditable(true);
    QListWidget list;
    for (const ListControl control : {ListControl(&combo), ListControl(&list)}) {
        ListControl c = control;
        c.addItem(QStringLiteral("12"), 7);
        c.addItem(QStringLiteral("3"));
        c.addItem(QStringLiteral("6"));
        NumericReSort(c);
        QCOMPARE(c.items(), (QVector<ListItem>{{"3", 0}, {"6", 0}, {"12", 7}}));
    }
}

void TestLists::sortedControlsPlaceItemsCaseInsensitively()
{
    QComboBox combo;
    combo.setEditable(true);
    combo.setProperty("sortedList", true);
    ListControl c(&combo);
    c.fill({QStringLiteral("5.50"), QStringLiteral("12.00"), QStringLiteral("25.00")});
    QCOMPARE(textsOf(c.items()), (QStringList{"12.00", "25.00", "5.50"}));
    QListWidget list;
    list.setProperty("sortedList", true);
    ListControl l(&list);
    l.addItem(QStringLiteral("beta"));
    l.addItem(QStringLiteral("Alpha"));
    l.addItem(QStringLiteral("alpha2"));
    l.addItem(QStringLiteral("Gamma"));
    QCOMPARE(textsOf(l.items()), (QStringList{"Alpha", "alpha2", "beta", "Gamma"}));
}

void TestLists::fillKeepsTheEditText()
{
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText(QStringLiteral("typed"));
    ListControl c(&combo);
    c.fill({QStringLiteral("1"), QStringLiteral("2")});
    QCOMPARE(combo.currentText(), QStringLiteral("typed"));
    c.clear();
    QCOMPARE(combo.count(), 0);
    QCOMPARE(combo.currentText(), QStringLiteral("typed"));
}

void TestLists::loadListFromFolderTellsOfEmptyAndVanishedFolders()
{
    TestPlatform t;
    t.makeTree();
    t.addEntries(Paths::finalsFolder(),
                 {QStringLiteral("12"), QStringLiteral("3"), QStringLiteral("6")});
    QComboBox combo;
    combo.setEditable(true);
    const QString message = QStringLiteral("You do not currently have any finals setup !");
    LoadListFromFolder(t.platform, nullptr, &combo,
                       {Paths::finalsFolder(), QStringLiteral("Finals"), message, NumericReSort});
    QCOMPARE(combo.count(), 3);
    QCOMPARE(combo.itemText(0), QStringLiteral("3"));
    QVERIFY(t.messages.messages.isEmpty());

    t.remove(Paths::finalsFolder() + QStringLiteral("\\12.txt"));
    t.remove(Paths::finalsFolder() + QStringLiteral("\\3.txt"));
    t.remove(Paths::finalsFolder() + QStringLiteral("\\6.txt"));
    LoadListFromFolder(t.platform, nullptr, &combo,
                       {Paths::finalsFolder(), QStringLiteral("Finals"), message, NumericReSort});
    QCOMPARE(combo.count(), 0);
    QCOMPARE(t.messages.texts(), QStringList{message});
    QCOMPARE(t.messages.messages.last().icon, MsgIcon::Information);
    QCOMPARE(t.messages.messages.last().title, QStringLiteral("Finals"));

    t.messages.clear();
    t.remove(Paths::finalsFolder());
    LoadListFromFolder(t.platform, nullptr, &combo,
                       {Paths::finalsFolder(), QStringLiteral("Finals"), message, NumericReSort});
    QCOMPARE(
        t.messages.texts(),
        (QStringList{QStringLiteral("The directory (C:\\Program Files\\Kestrane\\Quotaro\\Terms "
                                    "Final Settings) cannot be read !"),
                     message}));
}

QTEST_MAIN(TestLists)
#include "test_lists.moc"

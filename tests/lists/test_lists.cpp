// The list controls: number reading and the re-sort, checked against the
// literal steps of ReSortOracle, and the filling of a list from its folder.
#include "ReSortOracle.h"
#include "TestPlatform.h"

#include "lists/ListControl.h"
#include "store/Paths.h"

#include <QComboBox>
#include <QDirIterator>
#include <QListWidget>
#include <QtTest>

#include <random>

namespace {

QVector<ListItem> withData(const QStringList &texts)
{
    QVector<ListItem> items;
    for (const QString &t : texts)
        items.append({t, int(items.size()) + 1});
    return items;
}

QStringList textsOf(const QVector<ListItem> &items)
{
    QStringList texts;
    for (const ListItem &i : items)
        texts.append(i.text);
    return texts;
}

const QStringList numbers{
    "0",      "1",       "2",    "3",           "5",    "9",          "10",
    "12",     "24",      "100",  "007",         "00",   "5.0",        "2.5",
    "3.5",    "0.6",     "0.49", "1.6",         "1.7",  "0.5",        ".5",
    "12.",    "-4",      "+3",   "- 2",         "1 2",  " 3",         "1E2",
    "2d1",    "5e-1",    "1E",   "3E+1",        "&H1F", "&HFFFF",     "&h10",
    "&O17",   "&o7",     "&H",   "99999999999", "1E40", "4294967296", "1234567890123456789",
    "3d",     "7D2",     "\t4",  "1\n2",        "5_",   "\u00e95",    "12e",
    "&H8000", "&O177777"};
const QStringList prefixes{"",  "",  "",    "Quote ", "quote ", "Quote", "Acme ", "Acme Ltd ",
                           "A", "x", "x0.", "Bolt-",  "0.",     "&",     " "};
const QStringList suffixes{"", "", "", " Ltd", "b", "x5", ".txt", " 2"};
const QStringList words{"", "abc", "Acme", "Quote", "zero", " ", "&Hz", "-", "."};

// Seeded, without the library's distributions (which differ between
// standard libraries): a failing round reproduces everywhere.
struct Picker {
    std::mt19937 engine;
    int below(int n) { return int(engine() % quint32(n)); }
    QString from(const QStringList &l) { return l.at(below(int(l.size()))); }
    QString text()
    {
        return below(6) == 0 ? from(words) : from(prefixes) + from(numbers) + from(suffixes);
    }
};

// On a difference the input is shown, to be turned into a case of its own.
void compareWithOracle(const QVector<ListItem> &input)
{
    QVector<ListItem> expected = input, actual = input;
    ReSortOracle(expected);
    NumericReSort(actual);
    QVERIFY2(actual == expected,
             qPrintable(textsOf(input).join(u'|') + " gives " + textsOf(actual).join(u'|') + " not "
                        + textsOf(expected).join(u'|')));
}

} // namespace

class TestLists : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data();
    void leadingNumber();
    void reSort_data();
    void reSort();
    void matchesTheStepsOnRandomAndOfficeLists();
    void controlsSortAndKeepTheirEditText();
    void aFolderIsListedInItsOwnOrderThenReSorted();
    void loadListTellsOfEmptyAndVanishedFolders();
};

void TestLists::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    const std::pair<const char *, double> rows[] = {
        {"12", 12},     {"2.5x", 2.5},      {" 1 2\t3", 123},  {"-4", -4},     {"1E3", 1000},
        {"2d2", 200},   {"5e-1", 0.5},      {"7E", 7},         {"1.2.3", 1.2}, {"&H1F", 31},
        {"&HFFFF", -1}, {"&O17", 15},       {"Acme 10", 0},    {"", 0},        {"1,000", 1},
        {"- 2", -2},    {"&H10000", 65536}, {"&HFFFFFFFF", -1}};
    for (const auto &[text, value] : rows)
        QTest::newRow(text) << QString::fromUtf8(text) << value;
}

// The program's reading and the oracle's own both give the rule's value.
void TestLists::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(::leadingNumber(text), value);
    QCOMPARE(OracleLeadingNumber(text), value);
}

void TestLists::reSort_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    const char *rows[][3] = {
        {"whole numbers", "12|3|24|6|1", "1|3|6|12|24"},
        {"zero first stays", "0|24|12", "0|12|24"},
        {"zero splits", "24|0|12", "24|0|12"},
        {"names", "Acme 10|Acme 9|Bolt 2", "Acme 9|Acme 10|Bolt 2"},
        {"equal numbers may swap", "5|5.0|3", "3|5.0|5"},
        {"prefixes never compared", "B 3|A 1", "B 3|A 1"},
        {"case-sensitive prefix", "acme 5|Acme 2", "acme 5|Acme 2"},
        {"no key stays", "abc||2|1", "abc||1|2"},
        {"fractions below one key end", "Quote 1.6|Quote 1.7|Quote 1.2",
         "Quote 1.2|Quote 1.7|Quote 1.6"},
        {"halves to even", "2.5|1.6|3.5", "2.5|1.6|3.5"},
        {"huge numbers", "99999999999|5|1E40|4294967296", "5|4294967296|99999999999|1E40"},
        {"circling pair stays", "0.6|0.49", "0.6|0.49"},
        {"circling pair stays reversed", "0.49|0.6", "0.49|0.6"},
        {"circle inside a list", "3|x0.6|x0.49|2|1", "3|x0.6|x0.49|1|2"}};
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2]);
}

void TestLists::reSort()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QVector<ListItem> items = withData(before.split(u'|')), oracle = items;
    NumericReSort(items);
    ReSortOracle(oracle);
    QCOMPARE(textsOf(items).join(u'|'), after);
    QCOMPARE(textsOf(oracle).join(u'|'), after);
}

void TestLists::matchesTheStepsOnRandomAndOfficeLists()
{
    Picker pick{std::mt19937(20261206)};
    for (int round = 0; round < 12000; ++round) {
        // Mostly short lists, where every oddity meets every other; now and
        // then a longer one, where runs grow and get split. Repeats are common.
        const int length = round % 20 == 0 ? 20 + pick.below(40) : pick.below(14);
        QStringList texts;
        for (int i = 0; i < length; ++i)
            texts << (!texts.isEmpty() && pick.below(5) == 0 ? pick.from(texts) : pick.text());
        for (const QString &t : texts) // the reading itself, apart from the steps
            QCOMPARE(::leadingNumber(t), OracleLeadingNumber(t));
        compareWithOracle(withData(texts));
        if (QTest::currentTestFailed())
            return;
    }
    // Quote names as a sorted list box first places them, and customers'.
    QStringList quotes, customers;
    for (int i = 1; i <= 500; ++i) {
        quotes << QStringLiteral("Quote %1").arg(i);
        customers << QStringLiteral("%1 %2")
                         .arg(pick.from(
                             {"Acme", "Acme Ltd", "Bolt & Sons", "Acme Holdings", "Dawson Farms"}))
                         .arg(1 + pick.below(500));
    }
    for (QStringList *l : {&quotes, &customers})
        l->sort(Qt::CaseInsensitive);
    compareWithOracle(withData(customers));
    QVector<ListItem> sorted = withData(quotes);
    NumericReSort(sorted);
    for (int i = 0; i < 500; ++i)
        QCOMPARE(sorted.at(i).text, QStringLiteral("Quote %1").arg(i + 1));
    QCOMPARE(sorted.at(9).data, int(quotes.indexOf(QStringLiteral("Quote 10"))) + 1);
}

void TestLists::controlsSortAndKeepTheirEditText()
{
    // The re-sort reaches combo and list boxes alike, with their item data.
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText(QStringLiteral("typed"));
    QListWidget list;
    for (ListControl c : {ListControl(&combo), ListControl(&list)}) {
        c.fill({QStringLiteral("12"), QStringLiteral("3")});
        c.addItem(QStringLiteral("6"), 7);
        NumericReSort(c);
        QCOMPARE(c.items(), (QVector<ListItem>{{"3", 0}, {"6", 7}, {"12", 0}}));
    }
    QCOMPARE(combo.currentText(), QStringLiteral("typed"));
    ListControl(&combo).clear();
    QCOMPARE(combo.count(), 0);
    QCOMPARE(combo.currentText(), QStringLiteral("typed"));
    // A sorted control keeps text order, letter case aside (the rates).
    QListWidget sortedList;
    sortedList.setProperty("sortedList", true);
    ListControl(&sortedList).fill({"beta", "5.50", "Alpha", "12.00", "alpha2"});
    QCOMPARE(textsOf(ListControl(&sortedList).items()),
             (QStringList{"12.00", "5.50", "Alpha", "alpha2", "beta"}));
}

void TestLists::aFolderIsListedInItsOwnOrderThenReSorted()
{
    TestPlatform t;
    t.makeTree();
    Picker pick{std::mt19937(99)};
    QStringList values;
    for (int i = 0; i < 3000; ++i)
        values << pick.text().remove(u'\\').remove(u'/');
    values.removeDuplicates();
    // Names a folder cannot show as entries: none at all, and hidden ones.
    values.removeIf([](const QString &v) { return v.trimmed().isEmpty() || v.startsWith(u'.'); });
    t.addEntries(Paths::midsFolder(), values);
    // Only ordinary files ending .txt in any case are listed; a hidden one is.
    const QString folder = t.native(Paths::midsFolder()) + u'/';
    for (const char *name : {".hidden 4.txt", "Bolt 1.TXT", "notes.text", "txt"})
        QVERIFY(QFile(folder + QLatin1String(name)).open(QIODevice::WriteOnly));
    QVERIFY(QDir(folder).mkdir(QStringLiteral("Folder 5.txt")));
    QVERIFY(QFile::link(folder + "gone", folder + "Broken 7.txt"));
    QVERIFY(QFile::link(folder + "Folder 5.txt", folder + "To folder 8.txt"));
    QVERIFY(QFile::link(folder + "Bolt 1.TXT", folder + "Link 6.txt"));

    QComboBox combo;
    combo.setEditable(true);
    LoadListFromFolder(t.platform, nullptr, &combo,
                       {Paths::midsFolder(), QStringLiteral("Mids"),
                        QStringLiteral("You do not currently have any mids setup !"),
                        NumericReSort});
    // The folder's own order, as Qt's iterator reads it, then the steps.
    QVector<ListItem> expected;
    for (QDirIterator it(folder, {"*.txt"}, QDir::Files | QDir::Hidden); it.hasNext();)
        expected.append({it.nextFileInfo().fileName().chopped(4), 0});
    QCOMPARE(expected.size(), values.size() + 3);
    ReSortOracle(expected);
    QCOMPARE(ListControl(&combo).items(), expected);
    QVERIFY(t.messages.messages.isEmpty());
}

void TestLists::loadListTellsOfEmptyAndVanishedFolders()
{
    TestPlatform t;
    t.makeTree();
    QComboBox combo;
    combo.addItem(QStringLiteral("old"));
    const QString message = QStringLiteral("You do not currently have any finals setup !");
    const auto load = [&] {
        LoadListFromFolder(
            t.platform, nullptr, &combo,
            {Paths::finalsFolder(), QStringLiteral("Finals"), message, NumericReSort});
    };
    load();
    QCOMPARE(combo.count(), 0);
    QCOMPARE(t.messages.texts(), QStringList{message});
    QCOMPARE(t.messages.messages.last().icon, MsgIcon::Information);
    QCOMPARE(t.messages.messages.last().title, QStringLiteral("Finals"));
    t.messages.clear();
    t.remove(Paths::finalsFolder());
    load();
    QCOMPARE(
        t.messages.texts(),
        (QStringList{QStringLiteral("The directory (C:\\Program Files\\Kestrane\\Quotaro\\Terms "
                                    "Final Settings) cannot be read !"),
                     message}));
}

QTEST_MAIN(TestLists)
#include "test_lists.moc"

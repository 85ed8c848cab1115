#include "ReSortOracle.h"
#include "TestPlatform.h"
#include "WidgetDriver.h"

#include "lists/ListControl.h"
#include "store/Paths.h"

#include <QComboBox>
#include <QDirIterator>
#include <QListWidget>
#include <QtTest>

#include <random>

namespace {

const QStringList numbers =
    QString::fromUtf8(
        "0|1|2|3|5|9|10|12|24|100|007|00|5.0|2.5|3.5|0.6|0.49|1.6|1.7|0.5|.5|12.|-4|+3|- 2|1 2"
        "| 3|1E2|2d1|5e-1|1E|3E+1|&H1F|&HFFFF|&h10|&O17|&o7|&H|99999999999|1E40|4294967296"
        "|1234567890123456789|3d|7D2|\t4|1\n2|5_|\u00e95|12e|&H8000|&O177777")
        .split(u'|');
const auto prefixes =
    QString("|||Quote |quote |Quote|Acme |Acme Ltd |A|x|x0.|Bolt-|0.|&| ").split('|');
const auto suffixes = QString("||| Ltd|b|x5|.txt| 2").split(u'|');
const auto words = QString("|abc|Acme|Quote|zero| |&Hz|-|.").split(u'|');

// Seeded, without the library's distributions, which differ between libraries.
QString randomText(std::mt19937 &engine)
{
    const auto from = [&](const QStringList &l) { return l.at(int(engine() % l.size())); };
    return engine() % 6 == 0 ? from(words) : from(prefixes) + from(numbers) + from(suffixes);
}

// The program's re-sort gives the oracle's, item data and all.
QStringList compareWithOracle(const QStringList &texts)
{
    QVector<ListItem> expected;
    for (const QString &t : texts)
        expected.append({t, int(expected.size()) + 1});
    QVector<ListItem> actual = expected;
    ReSortOracle(expected);
    NumericReSort(actual);
    QStringList shown;
    for (const ListItem &i : actual)
        shown << i.text;
    QTest::qVerify(actual == expected, "the oracle's order", qPrintable(texts.join(u'|')), __FILE__,
                   __LINE__);
    return shown;
}

} // namespace

class TestLists : public QObject {
    Q_OBJECT
private slots:
    void reSortGivesItsExamplesAndTheSteps();
    void aFolderIsListedInItsOwnOrderThenReSorted();
};

void TestLists::reSortGivesItsExamplesAndTheSteps()
{
    for (const QString &row :
         QString::fromUtf8(
             "12=12|2.5x=2.5| 1 2\t3=123|-4=-4|1E3=1000|2d2=200|5e-1=0.5|7E=7|1.2.3=1.2|&H1F=31|& "
             "h 1f=31"
             "|&HFFFF=-1|&O17=15|Acme 10=0|=0|1,000=1|- 2=-2|&H10000=65536|&HFFFFFFFF=-1")
             .split(u'|'))
        QVERIFY2(QString::number(::leadingNumber(row.section(u'=', 0, 0))) == row.section(u'=', 1),
                 qPrintable(row));
    for (const char *row :
         {"12,3,24,6,1|1,3,6,12,24", "0,24,12|0,12,24", "24,0,12|24,0,12",
          "Acme 10,Acme 9,Bolt 2|Acme 9,Acme 10,Bolt 2", "5,5.0,3|3,5.0,5", "B 3,A 1|B 3,A 1",
          "acme 5,Acme 2|acme 5,Acme 2", "abc,,2,1|abc,,1,2",
          "Quote 1.6,Quote 1.7,Quote 1.2|Quote 1.2,Quote 1.7,Quote 1.6", "2.5,1.6,3.5|2.5,1.6,3.5",
          "99999999999,5,1E40,4294967296|5,4294967296,99999999999,1E40",
          // Each sees the other as smaller: a circle.
          "0.6,0.49|0.6,0.49", "0.49,0.6|0.49,0.6", "3,x0.6,x0.49,2,1|3,x0.6,x0.49,1,2"}) {
        const QStringList before = QString::fromUtf8(row).section(u'|', 0, 0).split(u',');
        QCOMPARE(compareWithOracle(before).join(u','), QString::fromUtf8(row).section(u'|', 1));
    }
    // Circles of names ending in a fraction that reach rules of the ring
    // the random lists seldom reach (each found by a fault planted there).
    for (const char *row :
         {"0.75 0.075 0.7 0.025 0.68 0.79 0.02", "0.059 0.0549 0.68 0.83088 0.09 0.59214 0.00436",
          "0.432 0.44693 0.48 0.564 0.57750 0.61 0.9 0.9",
          "0.7 0.19 0.17 0.4 0.60 0.76 0.8 2.5 0.5 0.17 0.7 0.55 0.50",
          // The ring breaks and comes back after a turn followed on a list,
          // then is found there or in the tree, and taken apart again.
          "0.99 0.0741 0.0153 0.0152 0.0152 0.0854", "0.7 0.16 0.13 0.16",
          "0.0281 0.10347 0.87 0.90 0.0222 0.21615 0.53 0.93 0.9526",
          "0.66 0.0856 0.8816 0.4909 0.69 0.27016",
          "0.90 0.0296 0.69 0.0580 0.92512 0.8604 0.41 0.86001 0.47033 0.0420 0.37 0.0594",
          "0.75 0.082 0.87 0.53281 0.61 0.98 0.0888 0.68 0.0148"}) {
        QStringList names;
        for (const QString &n : QString::fromLatin1(row).split(u' '))
            names << "Quote " + n;
        compareWithOracle(names);
    }
    std::mt19937 engine(20261206);
    for (int round = 0; round < 12000 && !QTest::currentTestFailed(); ++round) {
        const int length = int(round % 20 == 0 ? 20 + engine() % (round % 3 ? 40 : 12)
                                               : engine() % 14);
        // Every third list: names ending in a fraction (Quote 0.N, Quote M.N),
        // whose steps go round in circles, half of them in list box order;
        // some with zeros after the point, which read as numbers equal to
        // others' (0.057 reads 57 where 0.57 does).
        const auto fraction = [&] {
            return QStringLiteral("Quote %1.%2%3")
                .arg(round % 2 ? engine() % 4 : 0)
                .arg(QString(engine() % 4 ? 0 : 1, u'0'))
                .arg(engine() % (round % 4 ? 100000 : 100));
        };
        QStringList texts;
        for (int i = 0; i < length; ++i)
            texts << (!texts.isEmpty() && engine() % 5 == 0 ? texts.at(int(engine() % texts.size()))
                          : round % 3 == 0                  ? fraction()
                                                            : randomText(engine));
        if (round % 6 == 0)
            texts.sort(Qt::CaseInsensitive);
        for (const QString &t : texts) // the reading itself, apart from the steps
            QCOMPARE(::leadingNumber(t), OracleLeadingNumber(t));
        compareWithOracle(texts);
    }
    // Quote names as a sorted list box first places them.
    QStringList quotes;
    for (int i = 1; i <= 500; ++i)
        quotes << QStringLiteral("Quote %1").arg(i);
    const QStringList inNumberOrder = quotes;
    quotes.sort(Qt::CaseInsensitive);
    QCOMPARE(compareWithOracle(quotes), inNumberOrder);
}

void TestLists::aFolderIsListedInItsOwnOrderThenReSorted()
{
    TestPlatform t;
    t.makeTree();
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText(QStringLiteral("typed"));
    QListWidget list;
    // Item data moves with its item in either control; a load clears them.
    for (ListControl c : {ListControl(&combo), ListControl(&list)}) {
        c.setItems({{"12", 0}, {"3", 5}});
        NumericReSort(c);
        QCOMPARE(c.items(), (QVector<ListItem>{{"3", 5}, {"12", 0}}));
    }
    const QString empty = QStringLiteral("You do not currently have any finals setup !");
    const QString info = "Finals: " + empty + " (Information)";
    const auto load = [&] {
        for (ListControl c : {ListControl(&combo), ListControl(&list)})
            LoadListFromFolder(
                t.platform, nullptr, c,
                {Paths::finalsFolder(), QStringLiteral("Finals"), empty, NumericReSort});
    };
    load();
    std::mt19937 engine(99);
    QStringList values;
    for (int i = 0; i < 3000; ++i)
        values << randomText(engine).remove(u'\\').remove(u'/');
    values.removeDuplicates();
    values.removeIf([](const QString &v) { return v.trimmed().isEmpty() || v.startsWith(u'.'); });
    t.addEntries(Paths::finalsFolder(), values);
    // Only ordinary files ending .txt in any case are listed.
    for (const char *name : {".hidden 4.txt", "Bolt 1.TXT", "notes.text", "txt"})
        t.makeRaw(Paths::finalsFolder(), name);
    t.makeFolder(Paths::finalsFolder() + QStringLiteral("\\Folder 5.txt"));
    for (const auto &[link, to] : {std::pair{"Broken 7.txt", "gone"},
                                   {"To folder 8.txt", "Folder 5.txt"},
                                   {"Link 6.txt", "Bolt 1.TXT"}})
        t.makeRaw(Paths::finalsFolder(), link, to);
    load();
    // The folder's own order, then the steps.
    QStringList listed;
    for (QDirIterator it(t.native(Paths::finalsFolder()), {"*.txt"}, QDir::Files | QDir::Hidden);
         it.hasNext();)
        listed.append(it.nextFileInfo().fileName().chopped(4));
    QCOMPARE(listed.size(), values.size() + 3);
    QStringList shown;
    for (const ListItem &i : ListControl(&combo).items())
        shown << i.text;
    QCOMPARE(shown, compareWithOracle(listed));
    QCOMPARE(ListControl(&list).items(), ListControl(&combo).items());
    t.remove(Paths::finalsFolder());
    load();
    const QString gone = "Finals: The directory (C:\\Program Files\\Kestrane\\Quotaro\\Terms "
                         "Final Settings) cannot be read ! (Exclamation)";
    QCOMPARE(said(t.messages), (QStringList{info, info, gone, info, gone, info}));
    QCOMPARE(combo.currentText(), QStringLiteral("typed")); // cleared and filled around it
}

QTEST_MAIN(TestLists)
#include "test_lists.moc"

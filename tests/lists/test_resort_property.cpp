#include "ReSortOracle.h"
#include "TestPlatform.h"

#include "lists/ListControl.h"
#include "lists/NumericReSort.h"
#include "store/Paths.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QtTest>

#include <algorithm>
#include <random>

namespace {

// Picks from a seeded generator without the library's distributions, whose
// results differ between standard libraries: a failing seed reproduces
// everywhere.
class Picker {
public:
    explicit Picker(quint32 seed) : m_engine(seed) {}
    int below(int n) { return int(m_engine() % quint32(n)); }
    template <typename T>
    const T &from(const QVector<T> &v)
    {
        return v.at(below(int(v.size())));
    }
    std::mt19937 &engine() { return m_engine; }

private:
    std::mt19937 m_engine;
};

const QVector<QString> numbers{
    "0",    "1",    "2",    "3",           "5",    "9",          "10",
    "12",   "24",   "100",  "007",         "00",   "5.0",        "2.5",
    "3.5",  "0.6",  "0.49", "1.6",         "1.7",  "0.5",        ".5",
    "12.",  "-4",   "+3",   "- 2",         "1 2",  " 3",         "1E2",
    "2d1",  "5e-1", "1E",   "3E+1",        "&H1F", "&HFFFF",     "&h10",
    "&O17", "&o7",  "&H",   "99999999999", "1E40", "4294967296", "1234567890123456789",
    "3d",   "7D2",  "\t4",  "1\n2",        "5_",   "\u00e95",    "12e"};
const QVector<QString> prefixes{
    "",  "",  "",    "Quote ", "quote ", "Quote", "Acme ", "Acme Ltd ", "Acme Holdings ",
    "A", "x", "x0.", "Bolt-",  "Q ",     "0.",    "&",     " "};
const QVector<QString> suffixes{"", "", "", " Ltd", "b", "x5", ".txt", " 2"};
const QVector<QString> words{"",     "abc", "Acme", "Acme Ltd", "Quote", "quote",
                             "zero", " ",   "&Hz",  "-",        "."};

QString randomText(Picker &pick)
{
    if (pick.below(6) == 0)
        return pick.from(words);
    return pick.from(prefixes) + pick.from(numbers) + pick.from(suffixes);
}

QVector<ListItem> withData(const QStringList &texts)
{
    QVector<ListItem> items;
    for (const QString &t : texts)
        items.append({t, int(items.size()) + 1});
    return items;
}

QString describe(const QVector<ListItem> &items)
{
    QStringList parts;
    for (const ListItem &i : items)
        parts << QLatin1Char('"') + i.text + QLatin1Char('"');
    return parts.join(QStringLiteral(", "));
}

// Checks the re-sort against the step-by-step one; on a difference the
// input is shown so that it can be turned into a case of its own.
bool sameAsOracle(const QVector<ListItem> &input, QString *why = nullptr)
{
    QVector<ListItem> expected = input;
    ReSortOracle(expected);
    QVector<ListItem> actual = input;
    NumericReSort(actual);
    if (actual == expected)
        return true;
    if (why)
        *why = QStringLiteral("input: %1\nexpected: %2\nactual: %3")
                   .arg(describe(input), describe(expected), describe(actual));
    return false;
}

// The list shapes an office builds up: saved quote names as the sorted list
// box first places them, and setup values in folder order.
QStringList quoteNames(int n)
{
    QStringList names;
    for (int i = 1; i <= n; ++i)
        names << QStringLiteral("Quote %1").arg(i);
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QStringList customerNames(int n, Picker &pick)
{
    const QStringList customers{"Acme Ltd",     "Bolt & Sons", "Carter Leasing",
                                "Dawson Farms", "Evans Print", "Acme Holdings",
                                "Acme",         "Fenwick",     "Gould Haulage"};
    QStringList names;
    for (int i = 0; i < n; ++i) {
        const QString customer = customers.at(pick.below(int(customers.size())));
        if (pick.below(20) == 0)
            names << customer; // a quote named after the customer alone
        else
            names << QStringLiteral("%1 %2").arg(customer).arg(1 + pick.below(n));
    }
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

} // namespace

class TestReSortProperty : public QObject {
    Q_OBJECT
private slots:
    void matchesTheStepsOnRandomLists();
    void matchesTheStepsOnOfficeShapedLists();
    void circlingItemsComeToAnEnd();
    void longListsAreOrderedInReasonableTime();
    void aFolderOfValuesIsListedInTheStepsOrder();
};

void TestReSortProperty::matchesTheStepsOnRandomLists()
{
    Picker pick(20261206);
    for (int round = 0; round < 12000; ++round) {
        // Mostly short lists, where every oddity meets every other; now and
        // then a longer one, where runs grow and get split.
        const int length = round % 20 == 0 ? 20 + pick.below(40) : pick.below(14);
        QStringList texts;
        for (int i = 0; i < length; ++i) {
            // Repeats of an earlier text are common in real lists.
            if (!texts.isEmpty() && pick.below(5) == 0)
                texts << texts.at(pick.below(int(texts.size())));
            else
                texts << randomText(pick);
        }
        QString why;
        if (!sameAsOracle(withData(texts), &why))
            QFAIL(qPrintable(QStringLiteral("round %1\n").arg(round) + why));
    }
}

void TestReSortProperty::matchesTheStepsOnOfficeShapedLists()
{
    Picker pick(7);
    QString why;
    QVERIFY2(sameAsOracle(withData(quoteNames(500)), &why), qPrintable(why));
    for (int round = 0; round < 4; ++round)
        QVERIFY2(sameAsOracle(withData(customerNames(300, pick)), &why), qPrintable(why));
    QStringList values;
    for (int i = 1; i <= 400; ++i)
        values << QString::number(i);
    std::shuffle(values.begin(), values.end(), pick.engine());
    values.insert(200, QStringLiteral("0"));
    QVERIFY2(sameAsOracle(withData(values), &why), qPrintable(why));

    // And the result is the one a user expects of such lists.
    QVector<ListItem> quotes = withData(quoteNames(300));
    NumericReSort(quotes);
    for (int i = 0; i < 300; ++i)
        QCOMPARE(quotes.at(i).text, QStringLiteral("Quote %1").arg(i + 1));
}

void TestReSortProperty::circlingItemsComeToAnEnd()
{
    // 0.6 sees 0.49 as smaller (0.49 rounds to 0), and 0.49, whose number
    // starts after "0.", sees 0.6 as smaller (6 below 49): taken literally the
    // two would change places for ever. The re-sort ends with the order
    // closest to the one it was given.
    QVector<ListItem> pair = withData({"0.6", "0.49"});
    NumericReSort(pair);
    QCOMPARE(pair, withData({"0.6", "0.49"}));
    QVector<ListItem> other = withData({"0.49", "0.6"});
    NumericReSort(other);
    QCOMPARE(other, withData({"0.49", "0.6"}));

    // Inside a longer list the rest is still ordered around them.
    QVector<ListItem> items = withData({"3", "x0.6", "x0.49", "2", "1"});
    QVector<ListItem> expected = items;
    ReSortOracle(expected);
    NumericReSort(items);
    QCOMPARE(items, expected);
    QCOMPARE(items.first().text, QStringLiteral("3"));
    QCOMPARE(items.at(3).text, QStringLiteral("1"));
    QCOMPARE(items.at(4).text, QStringLiteral("2"));
}

void TestReSortProperty::longListsAreOrderedInReasonableTime()
{
    // A decade of quotes: taken step by step this would be some ten
    // thousand million number readings; it must take a moment, even in a
    // debugging build.
    QStringList names = quoteNames(100000);
    QVector<ListItem> items = withData(names);
    QElapsedTimer timer;
    timer.start();
    NumericReSort(items);
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).text != QStringLiteral("Quote %1").arg(i + 1))
            QFAIL(qPrintable(QStringLiteral("%1 at %2").arg(items.at(i).text).arg(i)));
    }
    // Item data travelled with each name.
    QCOMPARE(items.at(9999).data, int(names.indexOf(QStringLiteral("Quote 10000"))) + 1);
}

void TestReSortProperty::aFolderOfValuesIsListedInTheStepsOrder()
{
    TestPlatform t;
    t.makeTree();
    Picker pick(99);
    QStringList values;
    for (int i = 0; i < 300; ++i)
        values << randomText(pick).remove(QLatin1Char('\\')).remove(QLatin1Char('/'));
    values.removeDuplicates();
    // Names a folder cannot show as entries: none at all, and hidden ones.
    values.removeIf(
        [](const QString &v) { return v.trimmed().isEmpty() || v.startsWith(QLatin1Char('.')); });
    t.addEntries(Paths::midsFolder(), values);

    QComboBox combo;
    combo.setEditable(true);
    LoadListFromFolder(t.platform, nullptr, &combo,
                       {Paths::midsFolder(), QStringLiteral("Mids"),
                        QStringLiteral("You do not currently have any mids setup !"),
                        NumericReSort});

    // The folder's own order, as listed, then the steps.
    const std::optional<QStringList> listed = t.files.listTxtFiles(Paths::midsFolder());
    QVERIFY(listed);
    QStringList enumerated;
    for (const QString &name : *listed)
        enumerated << name.chopped(4);
    QCOMPARE(enumerated.size(), values.size());
    QVector<ListItem> expected;
    for (const QString &text : enumerated)
        expected.append({text, 0});
    ReSortOracle(expected);
    QCOMPARE(ListControl(&combo).items(), expected);
    QVERIFY(t.messages.messages.isEmpty());
}

QTEST_MAIN(TestReSortProperty)
#include "test_resort_property.moc"

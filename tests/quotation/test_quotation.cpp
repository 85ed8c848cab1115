// Generating a quotation through the window: the result fields of each
// structure in two locales, and every refusal with its message and focus.
#include "MainWindowFixture.h"

class TestQuotation : public QObject {
    Q_OBJECT
private slots:
    void resultsOfEachStructure_data()
    {
        // Locale; value, structure, upfront, mid, final and rate typed; the
        // eleven result fields from the value down to the daily equivalent.
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("expected");
        const QString eur = "\u00a0\u20ac";
        for (const QStringList &row : QList<QStringList>{
                 {"en_US", "10000|Upfront+Mid+Final|3|36|1|30",
                  "$10,000.00|Upfront+Mid+Final|3|36|1|30.00|$900.00|$300.00|$300.00|$69.23|$9.89"},
                 // Upfront and weekly use the monthly rental unrounded ($66.76, not $66.75).
                 {"en_US", "1007|Upfront+Mid|3|36||22.1",
                  "$1,007.00|Upfront+Mid|3|36||22.10|$66.76|$22.25||$5.14|$0.73"},
                 {"en_US", "2000|Upfront+Mid|02|024||25",
                  "$2,000.00|Upfront+Mid|2|24||25.00|$100.00|$50.00||$11.54|$1.65"},
                 {"en_US", "2000|Mid+Final||024|4|25",
                  "$2,000.00|Mid+Final||24|4|25.00||$50.00|$200.00|$11.54|$1.65"},
                 // A rate is read straight to its nearest single value (16777218, not 16777216).
                 {"en_US", "1000|Mid||24||16777217.000000001",
                  "$1,000.00|Mid||24||16777218.00||$16,777,218.00||$3,871,665.75|$553,095.13"},
                 // This locale writes negative amounts in brackets.
                 {"en_US", "-10000|Upfront+Mid+Final|3|36|1|30",
                  "($10,000.00)|Upfront+Mid+Final|3|36|1|30.00|($900.00)|($300.00)|($300.00)|"
                  "($69.23)|($9.89)"},
                 {"en_US", "-10000|Upfront+Mid+Final|3|36|1|0",
                  "($10,000.00)|Upfront+Mid+Final|3|36|1|0.00|$0.00|$0.00|$0.00|$0.00|$0.00"},
                 {"de_DE", "1007|Upfront+Mid|3|36||22,1",
                  "1.007,00€|Upfront+Mid|3|36||22,10|66,76€|22,25€||5,14€|0,73€"},
                 {"de_DE", "-2000|Mid||24||2,5",
                  "-2.000,00€|Mid||24||2,50||-5,00€||-1,15€|-0,16€"}})
            QTest::newRow(qPrintable(row[0] + ' ' + row[1]))
                << row[0] << row[1] << QString(row[2]).replace("€", eur);
    }

    void resultsOfEachStructure()
    {
        QFETCH(QString, locale);
        QFETCH(QString, inputs);
        QFETCH(QString, expected);
        MainWindow m{QLocale(locale)};
        QVERIFY(m.open());
        const QStringList in = inputs.split('|');
        m.quote(in[0], in[1], in[2], in[3], in[4], in[5]);
        QCOMPARE(m.said(), QStringList());
        QCOMPARE(m.results(), expected.split('|'));
    }

    void refusalsLeaveNoQuotation_data()
    {
        // Value, the structure picked ("" leaves the value boxes closed), a
        // structure typed over it, and what goes into the value boxes that
        // are open; the message ("value", a box's word, "large" or
        // "amounts"), the box emptied and where the focus ends.
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("emptied");
        QTest::addColumn<QString>("focus");
        const QString UMF = "|Upfront+Mid+Final|",
                      large = "Number too large: The number is too "
                              "large to calculate a quotation !";
        const QHash<QString, QString> messages{
            {"value", "Invalid value: Please enter a valid value !"},
            {"large", large},
            {"amounts",
             "Number too large: The amounts of this quotation are too large to be calculated !"}};
        const auto row = [&](const QString &inputs, const QString &message, const char *emptied,
                             const char *focus, const char *locale = "en_US") {
            QTest::newRow(qPrintable(inputs))
                << locale << inputs.split('|')
                << messages.value(
                       message, "Invalid " + message + ": Please select a valid " + message + " !")
                << emptied << focus;
        };
        // A bad value is met first: the later inputs are not examined.
        for (const char *value : {"", "12a", "$5"})
            row(value + UMF + "nonsense|3|36|1|abc", "value", "txtValue", "txtValue");
        for (const char *term : {"", "mid", " Mid", "Mid+Final ", "Upfront+Final"})
            row("5000||" + QString(term) + "|3|36|1|30", "term", "comSelectTerm", "comSelectTerm");
        // Typed, not picked: the value boxes stay closed, the term box takes the focus.
        row("10000||Mid|3|36|1|30", "mid", "comMids", "comSelectTerm");
        row("10000" + UMF + "||36|1|30", "upfront", "comUpfronts", "comUpfronts");
        row("10000" + UMF + "|3||1|x", "mid", "comMids", "comMids");
        row("10000|Mid+Final|||36||30", "final", "comFinals", "comFinals");
        row("10000|Mid|||36||3O", "rate", "comRates", "comRates");
        row("10000|Mid|||24||2.5x", "rate", "comRates", "comRates", "de_DE");
        // Beyond single precision: the value itself, or the amounts of values that fit.
        row("9E+38" + UMF + "|3|36|1|30", "large", "", "txtValue");
        row("1e400" + UMF + "|3|36|1|30", "large", "", "txtValue");
        row("10000|Mid|||36||-1e400", "large", "", "comRates");
        row("3E+38" + UMF + "|3|36|1|9999999", "amounts", "", "cmdQuotation");
        row("1E+30" + UMF + "|99999999999|36|1|1000", "amounts", "", "cmdQuotation");
    }

    void refusalsLeaveNoQuotation()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, inputs);
        QFETCH(QString, message);
        QFETCH(QString, emptied);
        QFETCH(QString, focus);
        const QString picked = inputs[1], typedTerm = inputs[2];
        // Value and term are emptied and focused before the message, a value box
        // after it.
        const bool emptiedFirst = emptied == "txtValue" || emptied == "comSelectTerm";
        MainWindow m{QLocale(locale)};
        QVERIFY(m.open());
        m.quoteFull();
        QVERIFY(!m.resultsEmpty());

        QHash<QString, QString> typed{{"txtValue", inputs[0]}, {"comSelectTerm", picked}};
        m.type("txtValue", inputs[0]);
        if (picked.isEmpty())
            m.click("cmdResetTermsRates");
        else
            m.pick("comSelectTerm", picked);
        for (int i = 0; i < 4; ++i)
            if (m.combo(ValueBoxes[i])->isEnabled())
                m.type(ValueBoxes[i], typed[ValueBoxes[i]] = inputs[3 + i]);
        if (picked.isEmpty() || !typedTerm.isEmpty()) {
            // Typing, Enter and leaving the box pick nothing, even an exact name.
            m.type("comSelectTerm", typed["comSelectTerm"] = typedTerm);
            QTest::keyClick(m.combo("comSelectTerm")->lineEdit(), Qt::Key_Return);
            QTest::keyClick(m.combo("comSelectTerm")->lineEdit(), Qt::Key_Tab);
            if (picked.isEmpty())
                QCOMPARE(m.openBoxes(), QStringLiteral("----"));
        }

        QString atMessage;
        bool emptyAtMessage = false;
        m.t.messages.onShow = [&](const RecordedMessage &) {
            emptyAtMessage = m.resultsEmpty();
            if (!emptied.isEmpty())
                atMessage = m.textOf(emptied);
        };
        m.click("cmdQuotation");
        m.t.messages.onShow = nullptr;
        QCOMPARE(m.said(), QStringList{message + " (Exclamation)"});
        QVERIFY(emptyAtMessage);
        if (!emptied.isEmpty()) {
            QCOMPARE(atMessage, emptiedFirst ? QString() : typed.value(emptied));
            QCOMPARE(m.t.messages.messages[0].focus == focus, emptiedFirst);
            typed[emptied] = QString();
        }
        for (auto it = typed.cbegin(); it != typed.cend(); ++it)
            QCOMPARE(m.textOf(it.key()), it.value());
        QCOMPARE(m.focus(), focus);
        QCOMPARE(m.combo("comSelectTerm")->count(), 4);
        QVERIFY(m.resultsEmpty());

        // The quotation shown before the press is gone too.
        m.saveAs("After failure");
        QCOMPARE(
            m.said().last(),
            QStringLiteral("No quote to save: Please generate a quote to save ! (Exclamation)"));
        QCOMPARE(m.focus(), QStringLiteral("cmdSave"));
        QVERIFY(!m.t.exists(Paths::quoteFile("After failure")));
    }
};

QTEST_MAIN(TestQuotation)
#include "test_quotation.moc"

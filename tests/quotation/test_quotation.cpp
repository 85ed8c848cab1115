// Generating a quotation through the window: the result fields of each
// structure in two locales, and every refusal with its message and focus.
#include "MainWindowFixture.h"

class TestQuotation : public QObject {
    Q_OBJECT
private slots:
    void resultsOfEachStructure_data()
    {
        // Value, structure, upfront, mid, final and rate typed; the eleven result
        // fields from the value down to the daily equivalent.
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Upfront+Mid+Final")
            << "en_US"
            << "10000|Upfront+Mid+Final|3|36|1|30"
            << "$10,000.00|Upfront+Mid+Final|3|36|1|30.00|$900.00|$300.00|$300.00|$69.23|$9.89";
        // Upfront and weekly use the monthly rental unrounded ($66.76, not $66.75).
        QTest::newRow("unrounded monthly")
            << "en_US"
            << "1007|Upfront+Mid|3|36||22.1"
            << "$1,007.00|Upfront+Mid|3|36||22.10|$66.76|$22.25||$5.14|$0.73";
        QTest::newRow("Upfront+Mid")
            << "en_US"
            << "2000|Upfront+Mid|02|024||25"
            << "$2,000.00|Upfront+Mid|2|24||25.00|$100.00|$50.00||$11.54|$1.65";
        QTest::newRow("Mid+Final")
            << "en_US"
            << "2000|Mid+Final||024|4|25"
            << "$2,000.00|Mid+Final||24|4|25.00||$50.00|$200.00|$11.54|$1.65";
        QTest::newRow("Mid") << "en_US"
                             << "2000|Mid||024||25"
                             << "$2,000.00|Mid||24||25.00||$50.00||$11.54|$1.65";
        // A rate is read straight to its nearest single value (16777218, not 16777216).
        QTest::newRow("nearest single")
            << "en_US"
            << "1000|Mid||24||16777217.000000001"
            << "$1,000.00|Mid||24||16777218.00||$16,777,218.00||$3,871,665.75|$553,095.13";
        // This locale writes negative amounts in brackets.
        QTest::newRow("negative") << "en_US"
                                  << "-10000|Upfront+Mid+Final|3|36|1|30"
                                  << "($10,000.00)|Upfront+Mid+Final|3|36|1|30.00|"
                                     "($900.00)|($300.00)|($300.00)|($69.23)|($9.89)";
        QTest::newRow("negative, zero rate")
            << "en_US"
            << "-10000|Upfront+Mid+Final|3|36|1|0"
            << "($10,000.00)|Upfront+Mid+Final|3|36|1|0.00|$0.00|$0.00|$0.00|$0.00|$0.00";
        QTest::newRow("decimal comma")
            << "de_DE"
            << "1007|Upfront+Mid|3|36||22,1"
            << "1.007,00\u00a0\u20ac|Upfront+Mid|3|36||22,10|66,76\u00a0\u20ac|"
               "22,25\u00a0\u20ac||5,14\u00a0\u20ac|0,73\u00a0\u20ac";
        QTest::newRow("decimal comma negative")
            << "de_DE"
            << "-2000|Mid||24||2,5"
            << "-2.000,00\u00a0\u20ac|Mid||24||2,50||-5,00\u00a0\u20ac||"
               "-1,15\u00a0\u20ac|-0,16\u00a0\u20ac";
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
        // The structure picked ("" leaves the value boxes closed), a structure
        // typed over it, and what goes into the value boxes that are open.
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("typedTerm");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("emptied");
        QTest::addColumn<QString>("focus");
        const auto row = [](const QByteArray &tag, const char *value, const char *picked,
                            const char *typedTerm, const QStringList &inputs,
                            const QString &message, const char *emptied, const char *focus,
                            const char *locale = "en_US") {
            QTest::newRow(tag.constData())
                << locale << value << picked << typedTerm << inputs << message << emptied << focus;
        };
        const auto invalid = [](const QString &what) {
            return "Invalid " + what + ": Please select a valid " + what + " ! (Exclamation)";
        };
        const QStringList full{"3", "36", "1", "30"};
        const char *UMF = "Upfront+Mid+Final";
        // A bad value is met first: the later inputs are not examined.
        for (const char *value : {"", "12a", "$5"})
            row("value " + QByteArray(value), value, UMF, "nonsense", {"3", "36", "1", "abc"},
                "Invalid value: Please enter a valid value ! (Exclamation)", "txtValue",
                "txtValue");
        for (const char *term : {"", "mid", " Mid", "Mid+Final ", "Upfront+Final"})
            row("term " + QByteArray(term), "5000", "", term, full, invalid("term"),
                "comSelectTerm", "comSelectTerm");
        // Typed, not picked: the value boxes stay closed, the term box takes the focus.
        row("typed structure", "10000", "", "Mid", full, invalid("mid"), "comMids",
            "comSelectTerm");
        row("upfront", "10000", UMF, "", {"", "36", "1", "30"}, invalid("upfront"), "comUpfronts",
            "comUpfronts");
        row("mid before rate", "10000", UMF, "", {"3", "", "1", "x"}, invalid("mid"), "comMids",
            "comMids");
        row("final", "10000", "Mid+Final", "", {"", "36", "", "30"}, invalid("final"), "comFinals",
            "comFinals");
        row("rate", "10000", "Mid", "", {"", "36", "", "3O"}, invalid("rate"), "comRates",
            "comRates");
        row("rate in the other locale", "10000", "Mid", "", {"", "24", "", "2.5x"}, invalid("rate"),
            "comRates", "comRates", "de_DE");
        // Beyond single precision: the value itself, or the amounts of values that fit.
        const QString tooLarge =
            "Number too large: The number is too large to calculate a quotation ! (Exclamation)";
        row("value too large", "9E+38", UMF, "", full, tooLarge, "", "txtValue");
        row("value beyond double", "1e400", UMF, "", full, tooLarge, "", "txtValue");
        row("rate beyond double", "10000", "Mid", "", {"", "36", "", "-1e400"}, tooLarge, "",
            "comRates");
        const QString amounts = "Number too large: The amounts of this quotation are too large to "
                                "be calculated ! (Exclamation)";
        row("monthly too large", "3E+38", UMF, "", {"3", "36", "1", "9999999"}, amounts, "",
            "cmdQuotation");
        row("upfront too large", "1E+30", UMF, "", {"99999999999", "36", "1", "1000"}, amounts, "",
            "cmdQuotation");
    }

    void refusalsLeaveNoQuotation()
    {
        QFETCH(QString, locale);
        QFETCH(QString, value);
        QFETCH(QString, picked);
        QFETCH(QString, typedTerm);
        QFETCH(QStringList, inputs);
        QFETCH(QString, message);
        QFETCH(QString, emptied);
        QFETCH(QString, focus);
        // Value and term are emptied and focused before the message, a value box
        // after it.
        const bool emptiedFirst = emptied == "txtValue" || emptied == "comSelectTerm";
        MainWindow m{QLocale(locale)};
        QVERIFY(m.open());
        m.quoteFull();
        QVERIFY(!m.resultsEmpty());

        QHash<QString, QString> typed{{"txtValue", value}};
        m.type("txtValue", value);
        if (picked.isEmpty())
            m.click("cmdResetTermsRates");
        else
            m.pick("comSelectTerm", picked);
        for (int i = 0; i < 4; ++i)
            if (m.combo(ValueBoxes[i])->isEnabled()) {
                m.type(ValueBoxes[i], inputs[i]);
                typed[ValueBoxes[i]] = inputs[i];
            }
        typed["comSelectTerm"] = picked;
        if (picked.isEmpty() || !typedTerm.isEmpty()) {
            // Typing, Enter and leaving the box pick nothing, even an exact name.
            m.type("comSelectTerm", typedTerm);
            QTest::keyClick(m.combo("comSelectTerm")->lineEdit(), Qt::Key_Return);
            QTest::keyClick(m.combo("comSelectTerm")->lineEdit(), Qt::Key_Tab);
            typed["comSelectTerm"] = typedTerm;
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
        QCOMPARE(m.said(), QStringList{message});
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

// Generating a quotation through the window: the result fields of each
// structure in two locales, and every refusal with its message and focus.
#include "MainWindowFixture.h"

class TestQuotation : public QObject {
    Q_OBJECT
private slots:
    void resultsOfEachStructure_data();
    void resultsOfEachStructure();
    void refusalsLeaveNoQuotation_data();
    void refusalsLeaveNoQuotation();
};

void TestQuotation::resultsOfEachStructure_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("inputs"); // value, structure, upfront, mid, final, rate
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Upfront+Mid+Final") << "en_US" << QStringList{"10000", "Upfront+Mid+Final", "3", "36", "1", "30"}
        << QStringList{"$10,000.00", "Upfront+Mid+Final", "3", "36", "1", "30.00",
                       "$900.00", "$300.00", "$300.00", "$69.23", "$9.89"};
    // Upfront and weekly use the monthly rental unrounded ($66.76, not $66.75).
    QTest::newRow("unrounded monthly") << "en_US" << QStringList{"1007", "Upfront+Mid", "3", "36", "", "22.1"}
        << QStringList{"$1,007.00", "Upfront+Mid", "3", "36", "", "22.10",
                       "$66.76", "$22.25", "", "$5.14", "$0.73"};
    QTest::newRow("Upfront+Mid") << "en_US" << QStringList{"2000", "Upfront+Mid", "02", "024", "", "25"}
        << QStringList{"$2,000.00", "Upfront+Mid", "2", "24", "", "25.00",
                       "$100.00", "$50.00", "", "$11.54", "$1.65"};
    QTest::newRow("Mid+Final") << "en_US" << QStringList{"2000", "Mid+Final", "", "024", "4", "25"}
        << QStringList{"$2,000.00", "Mid+Final", "", "24", "4", "25.00",
                       "", "$50.00", "$200.00", "$11.54", "$1.65"};
    QTest::newRow("Mid") << "en_US" << QStringList{"2000", "Mid", "", "024", "", "25"}
        << QStringList{"$2,000.00", "Mid", "", "24", "", "25.00", "", "$50.00", "", "$11.54", "$1.65"};
    // This locale writes negative amounts in brackets.
    QTest::newRow("negative") << "en_US" << QStringList{"-10000", "Upfront+Mid+Final", "3", "36", "1", "30"}
        << QStringList{"($10,000.00)", "Upfront+Mid+Final", "3", "36", "1", "30.00",
                       "($900.00)", "($300.00)", "($300.00)", "($69.23)", "($9.89)"};
    QTest::newRow("negative, zero rate") << "en_US" << QStringList{"-10000", "Upfront+Mid+Final", "3", "36", "1", "0"}
        << QStringList{"($10,000.00)", "Upfront+Mid+Final", "3", "36", "1", "0.00",
                       "$0.00", "$0.00", "$0.00", "$0.00", "$0.00"};
    QTest::newRow("decimal comma") << "de_DE" << QStringList{"1007", "Upfront+Mid", "3", "36", "", "22,1"}
        << QStringList{"1.007,00\u00a0\u20ac", "Upfront+Mid", "3", "36", "", "22,10",
                       "66,76\u00a0\u20ac", "22,25\u00a0\u20ac", "", "5,14\u00a0\u20ac", "0,73\u00a0\u20ac"};
    QTest::newRow("decimal comma negative") << "de_DE" << QStringList{"-2000", "Mid", "", "24", "", "2,5"}
        << QStringList{"-2.000,00\u00a0\u20ac", "Mid", "", "24", "", "2,50",
                       "", "-5,00\u00a0\u20ac", "", "-1,15\u00a0\u20ac", "-0,16\u00a0\u20ac"};
}

void TestQuotation::resultsOfEachStructure()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, expected);
    MainWindow m{QLocale(locale)};
    QVERIFY(m.open());
    m.quote(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4], inputs[5]);
    QCOMPARE(m.said(), QStringList());
    QCOMPARE(m.results(), expected);
}

void TestQuotation::refusalsLeaveNoQuotation_data()
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
    QTest::addColumn<bool>("emptiedFirst");
    QTest::addColumn<QString>("focus");
    const QStringList full{"3", "36", "1", "30"};
    const QString badValue = QStringLiteral("Invalid value: Please enter a valid value ! (Exclamation)");
    const QString badTerm = QStringLiteral("Invalid term: Please select a valid term ! (Exclamation)");
    // A bad value is met first: the later inputs are not examined.
    for (const char *value : {"", "12a", "$5"})
        QTest::addRow("value '%s'", value) << "en_US" << value << "Upfront+Mid+Final" << "nonsense"
                                           << QStringList{"3", "36", "1", "abc"} << badValue << "txtValue" << true
                                           << "txtValue";
    for (const char *term : {"", "mid", " Mid", "Mid+Final ", "Upfront+Final"})
        QTest::addRow("term '%s'", term) << "en_US" << "5000" << "" << term << full << badTerm << "comSelectTerm"
                                         << true << "comSelectTerm";
    // Typed, not picked: the value boxes stay closed, the term box takes the focus.
    QTest::newRow("typed structure") << "en_US" << "10000" << "" << "Mid" << full
                                     << "Invalid mid: Please select a valid mid ! (Exclamation)" << "comMids" << false
                                     << "comSelectTerm";
    QTest::newRow("upfront") << "en_US" << "10000" << "Upfront+Mid+Final" << "" << QStringList{"", "36", "1", "30"}
                             << "Invalid upfront: Please select a valid upfront ! (Exclamation)" << "comUpfronts"
                             << false << "comUpfronts";
    QTest::newRow("mid before rate") << "en_US" << "10000" << "Upfront+Mid+Final" << "" << QStringList{"3", "", "1", "x"}
                                     << "Invalid mid: Please select a valid mid ! (Exclamation)" << "comMids" << false
                                     << "comMids";
    QTest::newRow("final") << "en_US" << "10000" << "Mid+Final" << "" << QStringList{"", "36", "", "30"}
                           << "Invalid final: Please select a valid final ! (Exclamation)" << "comFinals" << false
                           << "comFinals";
    QTest::newRow("rate") << "en_US" << "10000" << "Mid" << "" << QStringList{"", "36", "", "3O"}
                          << "Invalid rate: Please select a valid rate ! (Exclamation)" << "comRates" << false
                          << "comRates";
    QTest::newRow("rate in the other locale") << "de_DE" << "10000" << "Mid" << "" << QStringList{"", "24", "", "2.5x"}
                                              << "Invalid rate: Please select a valid rate ! (Exclamation)"
                                              << "comRates" << false << "comRates";
    // Beyond single precision: the value itself, or the amounts of values that fit.
    QTest::newRow("value too large") << "en_US" << "9E+38" << "Upfront+Mid+Final" << "" << full
        << "Number too large: The number is too large to calculate a quotation ! (Exclamation)" << "" << false
        << "txtValue";
    const QString amounts = "Number too large: The amounts of this quotation are too large to be calculated ! (Exclamation)";
    QTest::newRow("monthly too large") << "en_US" << "3E+38" << "Upfront+Mid+Final" << ""
                                       << QStringList{"3", "36", "1", "9999999"} << amounts << "" << false << "cmdQuotation";
    QTest::newRow("upfront too large") << "en_US" << "1E+30" << "Upfront+Mid+Final" << ""
                                       << QStringList{"99999999999", "36", "1", "1000"} << amounts << "" << false
                                       << "cmdQuotation";
}

void TestQuotation::refusalsLeaveNoQuotation()
{
    QFETCH(QString, locale);
    QFETCH(QString, value);
    QFETCH(QString, picked);
    QFETCH(QString, typedTerm);
    QFETCH(QStringList, inputs);
    QFETCH(QString, message);
    QFETCH(QString, emptied);
    QFETCH(bool, emptiedFirst);
    QFETCH(QString, focus);
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
        // Value and term are emptied and focused before the message, a value
        // box after it.
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
    QCOMPARE(m.said().last(), QStringLiteral("No quote to save: Please generate a quote to save ! (Exclamation)"));
    QCOMPARE(m.focus(), QStringLiteral("cmdSave"));
    QVERIFY(!m.t.exists(Paths::quoteFile("After failure")));
}

QTEST_MAIN(TestQuotation)
#include "test_quotation.moc"

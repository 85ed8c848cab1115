// Generating a quotation: the arithmetic on its own, and the window's
// checks, messages, focus and result fields in two locales.
#include "MainWindowFixture.h"

#include "quotation/Calculation.h"

#include <cfloat>

namespace {
const QStringList ResultFields{"txtQuoteValue", "txtQuoteTerm", "txtTermStart", "txtTermMiddle",
                               "txtTermEnd",    "txtRate",      "txtUpfront",   "txtMonthly",
                               "txtFinal",      "txtWeekly",    "txtDaily"};

QStringList results(const MainWindow &m)
{
    QStringList texts;
    for (const QString &name : ResultFields)
        texts.append(m.edit(name.toLatin1().constData())->text());
    return texts;
}

bool resultsEmpty(const MainWindow &m)
{
    for (const QString &text : results(m))
        if (!text.isEmpty())
            return false;
    return true;
}
} // namespace

class TestQuotation : public QObject {
    Q_OBJECT
private slots:
    void arithmeticRoundsOncePerFormula();
    void structuresAreNamedExactly();
    void fullQuotation();
    void monthlyIsUnroundedInLaterAmounts();
    void eachStructureFillsItsFields_data();
    void eachStructureFillsItsFields();
    void midCountTakesNoPartInTheAmounts();
    void negativeAndZeroAreComputed();
    void decimalCommaLocale();
    void invalidValueIsEmptiedAndFocusedBeforeTheMessage();
    void invalidTermIsEmptiedAndFocusedBeforeTheMessage_data();
    void invalidTermIsEmptiedAndFocusedBeforeTheMessage();
    void selectionFailuresShowTheMessageFirst_data();
    void selectionFailuresShowTheMessageFirst();
    void disabledSelectionSendsTheFocusToTheTermBox();
    void tooLargeNumbersLeaveNoQuotation();
    void aFailedPressLeavesNoQuotation();
};

void TestQuotation::arithmeticRoundsOncePerFormula()
{
    using namespace Calculation;
    const Amounts a = amountsFor(Structure::UpfrontMid, 1007.0f, 22.1f, 3.0f, 0.0f);
    // The monthly rental is stored in single precision from one evaluation.
    QCOMPARE(a.monthly, float(1007.0 * double(22.1f) / 1000.0));
    // Upfront and weekly use that stored value, not its two-decimal display.
    QCOMPARE(a.upfront, float(3.0 * double(a.monthly)));
    QVERIFY(a.upfront > 66.755f);
    QVERIFY(a.weekly > 5.135f);
    QCOMPARE(a.daily, float(double(a.weekly) / 7.0));
    QCOMPARE(a.final, 0.0f);

    // A product beyond single precision is caught, not shown as infinity.
    const Amounts big = amountsFor(Structure::MidFinal, FLT_MAX, 1000000.0f, 0, 2.0f);
    QVERIFY(!allFinite(Structure::MidFinal, big));
    QVERIFY(allFinite(Structure::UpfrontMid, a));
}

void TestQuotation::structuresAreNamedExactly()
{
    using namespace Calculation;
    QCOMPARE(structureNamed("Upfront+Mid+Final"), std::optional(Structure::UpfrontMidFinal));
    QCOMPARE(structureNamed("Upfront+Mid"), std::optional(Structure::UpfrontMid));
    QCOMPARE(structureNamed("Mid+Final"), std::optional(Structure::MidFinal));
    QCOMPARE(structureNamed("Mid"), std::optional(Structure::Mid));
    for (const char *other : {"mid", " Mid", "Mid ", "Upfront+Final", "", "Upfront + Mid"})
        QVERIFY2(!structureNamed(QString::fromLatin1(other)), other);
}

void TestQuotation::fullQuotation()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.typeInto("txtValue", "10000");
    m.pick("comSelectTerm", "Upfront+Mid+Final");
    m.pick("comUpfronts", "3");
    m.pick("comMids", "36");
    m.pick("comFinals", "1");
    m.pick("comRates", "30.00");
    m.click("cmdQuotation");
    QVERIFY(m.t.messages.messages.isEmpty());
    QCOMPARE(results(m), (QStringList{"$10,000.00", "Upfront+Mid+Final", "3", "36", "1", "30.00",
                                      "$900.00", "$300.00", "$300.00", "$69.23", "$9.89"}));
}

void TestQuotation::monthlyIsUnroundedInLaterAmounts()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.quote("1007", "Upfront+Mid", "3", "36", "", "22.1");
    QCOMPARE(m.edit("txtMonthly")->text(), QStringLiteral("$22.25"));
    QCOMPARE(m.edit("txtUpfront")->text(), QStringLiteral("$66.76"));
    QCOMPARE(m.edit("txtWeekly")->text(), QStringLiteral("$5.14"));
    QCOMPARE(m.edit("txtDaily")->text(), QStringLiteral("$0.73"));
    QCOMPARE(m.edit("txtRate")->text(), QStringLiteral("22.10"));
    QCOMPARE(m.edit("txtTermEnd")->text(), QString());
    QCOMPARE(m.edit("txtFinal")->text(), QString());
}

void TestQuotation::eachStructureFillsItsFields_data()
{
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Upfront+Mid") << "Upfront+Mid"
        << QStringList{"$2,000.00", "Upfront+Mid", "2", "24", "", "25.00",
                       "$100.00", "$50.00", "", "$11.54", "$1.65"};
    QTest::newRow("Mid+Final") << "Mid+Final"
        << QStringList{"$2,000.00", "Mid+Final", "", "24", "4", "25.00",
                       "", "$50.00", "$200.00", "$11.54", "$1.65"};
    QTest::newRow("Mid") << "Mid"
        << QStringList{"$2,000.00", "Mid", "", "24", "", "25.00",
                       "", "$50.00", "", "$11.54", "$1.65"};
}

void TestQuotation::eachStructureFillsItsFields()
{
    QFETCH(QString, structure);
    QFETCH(QStringList, expected);
    MainWindow m;
    m.standardLists();
    m.start();
    m.typeInto("txtValue", "2000");
    m.pick("comSelectTerm", structure);
    // Boxes the structure does not use are neither checked nor read.
    const bool upfront = m.combo("comUpfronts")->isEnabled();
    const bool final = m.combo("comFinals")->isEnabled();
    if (upfront)
        m.typeIntoCombo("comUpfronts", "02");
    m.typeIntoCombo("comMids", "024");
    if (final)
        m.typeIntoCombo("comFinals", "4");
    m.typeIntoCombo("comRates", "25");
    m.click("cmdQuotation");
    QVERIFY(m.t.messages.messages.isEmpty());
    QCOMPARE(results(m), expected);
}

void TestQuotation::midCountTakesNoPartInTheAmounts()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.quote("10000", "Mid", "", "12", "", "30");
    const QStringList first = results(m);
    m.typeIntoCombo("comMids", "60");
    m.click("cmdQuotation");
    const QStringList second = results(m);
    QCOMPARE(second[3], QStringLiteral("60"));
    for (int i : {0, 7, 9, 10})
        QCOMPARE(second[i], first[i]);
}

void TestQuotation::negativeAndZeroAreComputed()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.quote("-10000", "Upfront+Mid+Final", "3", "36", "1", "30");
    QVERIFY(m.t.messages.messages.isEmpty());
    // This locale writes negative amounts in brackets.
    QCOMPARE(m.edit("txtQuoteValue")->text(), QStringLiteral("($10,000.00)"));
    QCOMPARE(m.edit("txtMonthly")->text(), QStringLiteral("($300.00)"));
    QCOMPARE(m.edit("txtUpfront")->text(), QStringLiteral("($900.00)"));
    QCOMPARE(m.edit("txtDaily")->text(), QStringLiteral("($9.89)"));

    m.typeIntoCombo("comRates", "0");
    m.click("cmdQuotation");
    QCOMPARE(m.edit("txtRate")->text(), QStringLiteral("0.00"));
    for (const char *name : {"txtMonthly", "txtUpfront", "txtFinal", "txtWeekly", "txtDaily"})
        QVERIFY2(m.edit(name)->text().contains(QStringLiteral("$0.00")), name);

    // Multipliers shown in their shortest form, fractions included.
    m.typeInto("txtValue", "1000");
    m.pick("comSelectTerm", "Mid");
    m.typeIntoCombo("comMids", "036");
    m.typeIntoCombo("comRates", "1.50");
    m.click("cmdQuotation");
    QCOMPARE(m.edit("txtTermMiddle")->text(), QStringLiteral("36"));
    QCOMPARE(m.edit("txtRate")->text(), QStringLiteral("1.50"));
    QCOMPARE(m.edit("txtMonthly")->text(), QStringLiteral("$1.50"));
}

void TestQuotation::decimalCommaLocale()
{
    MainWindow m(QLocale(QLocale::German, QLocale::Germany));
    m.standardLists();
    m.entries(Paths::ratesFolder(), {"22,10"});
    m.start();
    m.quote("1007", "Upfront+Mid", "3", "36", "", "22,1");
    QVERIFY(m.t.messages.messages.isEmpty());
    const QString euro = QStringLiteral("\u00a0\u20ac");
    QCOMPARE(m.edit("txtQuoteValue")->text(), "1.007,00" + euro);
    QCOMPARE(m.edit("txtMonthly")->text(), "22,25" + euro);
    QCOMPARE(m.edit("txtUpfront")->text(), "66,76" + euro);
    QCOMPARE(m.edit("txtWeekly")->text(), "5,14" + euro);
    QCOMPARE(m.edit("txtRate")->text(), QStringLiteral("22,10"));

    m.typeInto("txtValue", "-2000");
    m.pick("comSelectTerm", "Mid");
    m.typeIntoCombo("comMids", "24");
    m.typeIntoCombo("comRates", "2,5");
    m.click("cmdQuotation");
    QCOMPARE(m.edit("txtMonthly")->text(), "-5,00" + euro);
    QCOMPARE(m.edit("txtRate")->text(), QStringLiteral("2,50"));

    // A text that does not read as a number in this locale is no rate.
    m.typeIntoCombo("comRates", "2.5x");
    m.click("cmdQuotation");
    QCOMPARE(m.t.messages.texts(), QStringList{"Please select a valid rate !"});
    QVERIFY(resultsEmpty(m));
}

void TestQuotation::invalidValueIsEmptiedAndFocusedBeforeTheMessage()
{
    for (const QString &value : {QString(), QStringLiteral("12a"), QStringLiteral("$5")}) {
        MainWindow m;
        m.standardLists();
        m.start();
        m.quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30");
        m.typeInto("txtValue", value);
        m.typeIntoCombo("comSelectTerm", "nonsense");
        m.typeIntoCombo("comRates", "abc");
        m.t.messages.onShow = [&](const RecordedMessage &) {
            QCOMPARE(m.edit("txtValue")->text(), QString());
            QVERIFY(resultsEmpty(m));
        };
        m.click("cmdQuotation");
        QCOMPARE(m.t.messages.texts(), QStringList{"Please enter a valid value !"});
        const RecordedMessage &shown = m.t.messages.messages.first();
        QCOMPARE(shown.title, QStringLiteral("Invalid value"));
        QCOMPARE(shown.icon, MsgIcon::Exclamation);
        QCOMPARE(shown.focus, QStringLiteral("txtValue"));
        // The later inputs were not examined.
        QCOMPARE(m.combo("comSelectTerm")->currentText(), QStringLiteral("nonsense"));
        QCOMPARE(m.combo("comRates")->currentText(), QStringLiteral("abc"));
        QVERIFY(resultsEmpty(m));
    }
}

void TestQuotation::invalidTermIsEmptiedAndFocusedBeforeTheMessage_data()
{
    QTest::addColumn<QString>("term");
    QTest::newRow("empty") << "";
    QTest::newRow("letter case") << "mid";
    QTest::newRow("leading blank") << " Mid";
    QTest::newRow("trailing blank") << "Mid+Final ";
    QTest::newRow("upfront and final") << "Upfront+Final";
}

void TestQuotation::invalidTermIsEmptiedAndFocusedBeforeTheMessage()
{
    QFETCH(QString, term);
    MainWindow m;
    m.standardLists();
    m.start();
    m.typeInto("txtValue", "5000");
    m.typeIntoCombo("comSelectTerm", term);
    m.t.messages.onShow = [&](const RecordedMessage &) {
        QCOMPARE(m.combo("comSelectTerm")->currentText(), QString());
    };
    m.click("cmdQuotation");
    QCOMPARE(m.t.messages.texts(), QStringList{"Please select a valid term !"});
    QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("Invalid term"));
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(m.t.messages.messages[0].focus, QStringLiteral("comSelectTerm"));
    QCOMPARE(m.edit("txtValue")->text(), QStringLiteral("5000"));
    QVERIFY(resultsEmpty(m));
}

void TestQuotation::selectionFailuresShowTheMessageFirst_data()
{
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QStringList>("inputs"); // upfront, mid, final, rate
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("upfront") << "Upfront+Mid+Final" << QStringList{"", "36", "1", "30"}
                             << "comUpfronts" << "Please select a valid upfront !" << "Invalid upfront";
    QTest::newRow("mid before rate") << "Upfront+Mid+Final" << QStringList{"3", "", "1", "x"}
                             << "comMids" << "Please select a valid mid !" << "Invalid mid";
    QTest::newRow("final") << "Mid+Final" << QStringList{"", "36", "", "30"}
                           << "comFinals" << "Please select a valid final !" << "Invalid final";
    QTest::newRow("rate") << "Mid" << QStringList{"", "36", "", "3O"}
                          << "comRates" << "Please select a valid rate !" << "Invalid rate";
}

void TestQuotation::selectionFailuresShowTheMessageFirst()
{
    QFETCH(QString, structure);
    QFETCH(QStringList, inputs);
    QFETCH(QString, box);
    QFETCH(QString, message);
    QFETCH(QString, title);
    MainWindow m;
    m.standardLists();
    m.start();
    m.typeInto("txtValue", "10000");
    m.pick("comSelectTerm", structure);
    const char *names[] = {"comUpfronts", "comMids", "comFinals", "comRates"};
    for (int i = 0; i < 4; ++i)
        if (m.combo(names[i])->isEnabled() && !inputs[i].isEmpty())
            m.typeIntoCombo(names[i], inputs[i]);
    m.edit("txtSaveQuote")->setFocus();
    QString textAtMessage;
    m.t.messages.onShow = [&](const RecordedMessage &) {
        textAtMessage = m.combo(box.toLatin1().constData())->lineEdit()->text();
        QVERIFY(resultsEmpty(m));
    };
    m.click("cmdQuotation");
    QCOMPARE(m.t.messages.texts(), QStringList{message});
    QCOMPARE(m.t.messages.messages[0].title, title);
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Exclamation);
    // The message came before the emptying and the focus.
    const QStringList boxes{"comUpfronts", "comMids", "comFinals", "comRates"};
    QCOMPARE(textAtMessage, inputs[boxes.indexOf(box)]);
    QVERIFY(m.t.messages.messages[0].focus != box);
    QCOMPARE(m.combo(box.toLatin1().constData())->currentText(), QString());
    QCOMPARE(m.focus(), box);
    QVERIFY(resultsEmpty(m));
    if (box == QStringLiteral("comMids"))
        QCOMPARE(m.combo("comRates")->currentText(), QStringLiteral("x"));
}

void TestQuotation::disabledSelectionSendsTheFocusToTheTermBox()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.typeInto("txtValue", "10000");
    // A structure typed, not picked: the value boxes stay disabled.
    m.typeIntoCombo("comSelectTerm", "Mid");
    m.click("cmdQuotation");
    QCOMPARE(m.t.messages.texts(), QStringList{"Please select a valid mid !"});
    QCOMPARE(m.focus(), QStringLiteral("comSelectTerm"));
    QVERIFY(!m.combo("comMids")->isEnabled());
    QVERIFY(resultsEmpty(m));
}

void TestQuotation::tooLargeNumbersLeaveNoQuotation()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30");
    QVERIFY(!resultsEmpty(m));

    // A value beyond single precision.
    m.typeInto("txtValue", "9E+38");
    m.click("cmdQuotation");
    QCOMPARE(m.t.messages.texts(),
             QStringList{"The number is too large to calculate a quotation !"});
    QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("Number too large"));
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(m.focus(), QStringLiteral("txtValue"));
    QVERIFY(resultsEmpty(m));

    // A value and a rate that fit, whose product does not.
    m.t.messages.clear();
    m.typeInto("txtValue", "3E+38");
    m.typeIntoCombo("comRates", "9999999");
    m.click("cmdQuotation");
    QCOMPARE(m.t.messages.texts(),
             QStringList{"The amounts of this quotation are too large to be calculated !"});
    QVERIFY(resultsEmpty(m));

    // An upfront that overflows only its own rental.
    m.t.messages.clear();
    m.typeInto("txtValue", "1E+30");
    m.typeIntoCombo("comRates", "1000");
    m.typeIntoCombo("comUpfronts", "99999999999");
    m.click("cmdQuotation");
    QCOMPARE(m.t.messages.texts(),
             QStringList{"The amounts of this quotation are too large to be calculated !"});
    QVERIFY(resultsEmpty(m));
}

void TestQuotation::aFailedPressLeavesNoQuotation()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.quote("10000", "Mid", "", "36", "", "30");
    QCOMPARE(m.edit("txtQuoteValue")->text(), QStringLiteral("$10,000.00"));
    m.typeIntoCombo("comRates", "");
    m.click("cmdQuotation");
    QVERIFY(resultsEmpty(m));
    m.typeInto("txtSaveQuote", "After failure");
    m.click("cmdSave");
    QCOMPARE(m.t.messages.texts(), (QStringList{"Please select a valid rate !",
                                                "Please generate a quote to save !"}));
    QVERIFY(!m.t.exists(Paths::quoteFile("After failure")));
}

QTEST_MAIN(TestQuotation)
#include "test_quotation.moc"

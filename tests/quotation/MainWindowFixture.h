#pragma once

#include "TestPlatform.h"
#include "WidgetDriver.h"

#include "quotation/frmQuotaro.h"
#include "store/Paths.h"

#include <memory>

inline const QStringList ResultFields{
    "txtQuoteValue", "txtQuoteTerm", "txtTermStart", "txtTermMiddle", "txtTermEnd", "txtRate",
    "txtUpfront",    "txtMonthly",   "txtFinal",     "txtWeekly",     "txtDaily"};
inline const QStringList ValueBoxes{"comUpfronts", "comMids", "comFinals", "comRates"};
inline const QStringList TermBoxes = QStringList{"comSelectTerm"} + ValueBoxes;
inline const QStringList AllInputs = ResultFields + TermBoxes
    + QStringList{"txtValue", "txtSaveQuote", "txtEquipmentDetails", "txtCustomerDetails"};

// The real main window over a temporary settings tree, driven as a user
// would: buttons clicked, keys typed, items picked from the lists.
class MainWindow {
public:
    explicit MainWindow(const QLocale &locale = QLocale(QLocale::English, QLocale::UnitedStates))
        : t(locale)
    {
        t.makeTree();
    }

    // Entries added in this order, and enumerated in this order too.
    void entries(const QString &folder, const QStringList &texts)
    {
        t.addEntries(folder, texts);
        t.files.order[folder] = QStringList(texts).replaceInStrings(QRegularExpression("$"),
                                                                    ".txt");
    }

    void standardLists()
    {
        entries(Paths::upfrontsFolder(), {"3", "1", "6"});
        entries(Paths::midsFolder(), {"36", "12", "24"});
        entries(Paths::finalsFolder(), {"1", "2"});
        entries(Paths::ratesFolder(), {"30.00", "22.10", "25.00"});
    }

    // Form_Load, and the window shown and active when it is to be shown.
    frmQuotaro::StartResult start()
    {
        window = std::make_unique<frmQuotaro>(t.platform, t.settings);
        const frmQuotaro::StartResult result = window->Form_Load();
        if (result == frmQuotaro::StartResult::Show && !showActive(window.get()))
            qWarning("main window did not become active");
        return result;
    }

    // The usual case: the standard lists, the window up and no message.
    bool open()
    {
        standardLists();
        return start() == frmQuotaro::StartResult::Show && t.messages.messages.isEmpty();
    }

    QComboBox *combo(const QString &name) const { return child<QComboBox>(window.get(), name); }
    QString textOf(const QString &name) const { return ::textOf(window.get(), name); }
    QStringList textsOf(const QStringList &names) const
    {
        QStringList texts;
        for (const QString &name : names)
            texts.append(textOf(name));
        return texts;
    }
    QStringList results() const { return textsOf(ResultFields); }
    bool resultsEmpty() const { return results().join(QString()).isEmpty(); }
    // Which value boxes take input, e.g. "-M-R" for mids and rates only.
    QString openBoxes() const
    {
        QString open;
        for (const QString &name : ValueBoxes)
            open += combo(name)->isEnabled() ? name.at(3) : QLatin1Char('-');
        return open;
    }
    QStringList said() const { return ::said(t.messages); }
    QString focus() const { return focusName(); }
    void click(const QString &name) { ::click(window.get(), name); }
    void pick(const QString &name, const QString &text)
    {
        QVERIFY(::pick(window.get(), name, text));
    }
    // Empties a box as a user would (select all, delete), then types.
    void type(const QString &name, const QString &text)
    {
        typeInto(window.get(), name, text, true);
    }

    // A generated quotation: the value typed, the structure picked, the
    // multipliers and rate typed into the boxes the structure uses.
    void quote(const QString &value, const QString &structure, const QString &upfront,
               const QString &mid, const QString &final, const QString &rate)
    {
        type("txtValue", value);
        pick("comSelectTerm", structure);
        const QStringList inputs{upfront, mid, final, rate};
        for (int i = 0; i < 4; ++i)
            if (!inputs[i].isEmpty())
                type(ValueBoxes[i], inputs[i]);
        click("cmdQuotation");
    }
    void quoteFull() { quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30"); }

    void saveAs(const QString &name)
    {
        type("txtSaveQuote", name);
        click("cmdSave");
    }

    TestPlatform t;
    std::unique_ptr<frmQuotaro> window;
};

#include "TestPlatform.h"

#include "setup/frmTermsSetup.h"
#include "store/Paths.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

const QString Added = QStringLiteral(
    " has been added, you will need to refresh the terms and rates on the main screen to view "
    "the changes !");
const QString Deleted = QStringLiteral(
    " has been deleted, you will need to refresh the terms and rates on the main screen to view "
    "the changes !");

// The names and words of one column, as the user meets them.
struct ColumnCase {
    QString folder, input, list, add, cancel, remove;
    QString one, many, article, title;
};

ColumnCase columnCase(const QString &which)
{
    if (which == QLatin1String("upfront"))
        return {Paths::upfrontsFolder(), "txtUpfront", "lstUpfront", "cmdAddUpfront",
                "cmdUpfrontCancel", "cmdDeleteUpfront", "upfront", "upfronts", "an", "Upfront"};
    if (which == QLatin1String("mid"))
        return {Paths::midsFolder(), "txtMid", "lstMid", "cmdAddMid", "cmdCancelMid",
                "cmdDeleteMid", "mid", "mids", "a", "Mid"};
    return {Paths::finalsFolder(), "txtFinal", "lstFinal", "cmdAddFinal", "cmdCancelFinal",
            "cmdDeleteFinal", "final", "finals", "a", "Final"};
}

} // namespace

class TestTermsSetup : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestPlatform> t;
    std::unique_ptr<frmTermsSetup> w;

    // Opens the window as the main window does, shown and active.
    void open()
    {
        w = std::make_unique<frmTermsSetup>(t->platform, t->settings);
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    template <typename T> T *get(const QString &name)
    {
        T *widget = w->findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    void click(const QString &button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    void type(const QString &box, const QString &text)
    {
        get<QLineEdit>(box)->setFocus();
        QTest::keyClicks(get<QLineEdit>(box), text);
    }
    void select(const QString &list, const QString &text)
    {
        QListWidget *l = get<QListWidget>(list);
        const QList<QListWidgetItem *> found = l->findItems(text, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(text));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(found.first()).center());
        QVERIFY(found.first()->isSelected());
    }
    QStringList listed(const QString &list)
    {
        QStringList texts;
        QListWidget *l = get<QListWidget>(list);
        for (int i = 0; i < l->count(); ++i)
            texts.append(l->item(i)->text());
        return texts;
    }
    QString focused() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

private slots:
    void init()
    {
        t = std::make_unique<TestPlatform>();
        t->makeTree();
        t->addEntries(Paths::upfrontsFolder(), {"1"});
        t->addEntries(Paths::midsFolder(), {"24"});
        t->addEntries(Paths::finalsFolder(), {"1"});
    }
    void cleanup()
    {
        QVERIFY2(!t->messages.unscriptedQuestion, "a question was asked that no test expected");
        w.reset();
        t.reset();
    }

    void windowOpensAtItsSizeWithFocusAndTabOrder()
    {
        open();
        QCOMPARE(w->windowTitle(), QStringLiteral("Terms setup"));
        QCOMPARE(w->size(), QSize(688, 295));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(get<QListWidget>("lstMid")->geometry().topLeft()
                     + get<QWidget>("fraMids")->geometry().topLeft(),
                 QPoint(352, 56));
        QCOMPARE(get<QPushButton>("cmdClose")->geometry(), QRect(576, 248, 81, 33));
        QCOMPARE(get<QLineEdit>("txtFinal")->toolTip(), QStringLiteral("Enter a final to add"));
        QCOMPARE(get<QLineEdit>("txtFinal")->accessibleDescription(), QStringLiteral("Enter a final to add"));
        QCOMPARE(focused(), QStringLiteral("txtUpfront"));
        const QStringList order{"cmdAddUpfront", "cmdUpfrontCancel", "cmdDeleteUpfront", "txtMid",
                                "cmdAddMid", "cmdCancelMid", "cmdDeleteMid", "txtFinal",
                                "cmdAddFinal", "cmdCancelFinal", "cmdDeleteFinal", "cmdClose",
                                "lstUpfront", "lstMid", "lstFinal", "txtUpfront"};
        for (const QString &next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focused(), next);
        }
        click("cmdClose");
        QVERIFY(!w->isVisible());
        QVERIFY(t->messages.messages.isEmpty());
    }

    void emptyFoldersAreToldInOrderBeforeTheWindowShows()
    {
        for (const QString &folder : {Paths::upfrontsFolder(), Paths::midsFolder(), Paths::finalsFolder()}) {
            t->remove(folder);
            t->makeFolder(folder);
        }
        frmTermsSetup window(t->platform, t->settings);
        QCOMPARE(t->messages.texts(),
                 QStringList({"You do not currently have any upfronts setup !",
                              "You do not currently have any mids setup !",
                              "You do not currently have any finals setup !"}));
        QCOMPARE(t->messages.messages.at(0).title, QStringLiteral("Upfronts"));
        QCOMPARE(t->messages.messages.at(2).title, QStringLiteral("Finals"));
        QCOMPARE(t->messages.messages.at(1).icon, MsgIcon::Information);
        QCOMPARE(window.findChild<QListWidget *>("lstMid")->count(), 0);
    }

    void listsAreShownInNumericOrder()
    {
        t->addEntries(Paths::midsFolder(), {"36", "12", "120", "6"});
        open();
        QCOMPARE(listed("lstMid"), QStringList({"6", "12", "24", "36", "120"}));
    }

    void eachColumnAddsRefusesAndDeletes_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("upfronts") << "upfront";
        QTest::newRow("mids") << "mid";
        QTest::newRow("finals") << "final";
    }
    void eachColumnAddsRefusesAndDeletes()
    {
        QFETCH(QString, which);
        const ColumnCase c = columnCase(which);
        t->remove(c.folder);
        t->addEntries(c.folder, {"12", "3"});
        open();

        // 07 is stored as 7, lands in numeric order, and the box is ready again.
        type(c.input, "07");
        click(c.add);
        QCOMPARE(t->messages.texts(), QStringList("The " + c.one + " 7" + Added));
        QCOMPARE(t->messages.messages.last().title, c.title);
        QCOMPARE(t->messages.messages.last().icon, MsgIcon::Information);
        QCOMPARE(t->read(Paths::entryFile(c.folder, "7")), QByteArray());
        QVERIFY(!t->exists(Paths::entryFile(c.folder, "07")));
        QCOMPARE(listed(c.list), QStringList({"3", "7", "12"}));
        QCOMPARE(get<QLineEdit>(c.input)->text(), QString());
        QCOMPARE(focused(), c.input);

        // The same number again is refused by its file.
        t->messages.clear();
        type(c.input, "7");
        click(c.add);
        QCOMPARE(t->messages.texts(), QStringList("The " + c.one + " 7 is already in use !"));
        QCOMPARE(t->messages.messages.last().icon, MsgIcon::Exclamation);
        QCOMPARE(listed(c.list).count(QStringLiteral("7")), 1);

        // An empty box is no number.
        t->messages.clear();
        click(c.add);
        QCOMPARE(t->messages.texts(), QStringList("Please enter a valid " + c.one + " !"));
        QCOMPARE(t->messages.messages.last().title, c.title);
        QCOMPARE(focused(), c.input);

        // Cancel only empties the box.
        type(c.input, "5");
        click(c.cancel);
        QCOMPARE(get<QLineEdit>(c.input)->text(), QString());
        QCOMPARE(focused(), c.input);
        QVERIFY(!t->exists(Paths::entryFile(c.folder, "5")));

        // Delete with nothing picked, then No, then Yes.
        t->messages.clear();
        click(c.remove);
        QCOMPARE(t->messages.texts(),
                 QStringList("Please select " + c.article + " " + c.one + " to delete !"));
        select(c.list, "12");
        t->messages.answerNext(MsgAnswer::No);
        click(c.remove);
        QCOMPARE(t->messages.messages.at(1).text,
                 "Are you sure that you want to delete the " + c.one + " 12");
        QCOMPARE(t->messages.messages.at(1).buttons, MsgButtons::YesNo);
        QCOMPARE(t->messages.messages.at(1).icon, MsgIcon::Question);
        QCOMPARE(t->messages.messages.at(2).text, c.title + " delete canceld !");
        QVERIFY(t->exists(Paths::entryFile(c.folder, "12")));
        QVERIFY(listed(c.list).contains("12"));

        t->messages.clear();
        select(c.list, "3");
        t->messages.answerNext(MsgAnswer::Yes);
        click(c.remove);
        QCOMPARE(t->messages.texts(),
                 QStringList({"Are you sure that you want to delete the " + c.one + " 3",
                              "The " + c.one + " 3" + Deleted}));
        QVERIFY(!t->exists(Paths::entryFile(c.folder, "3")));
        QCOMPARE(listed(c.list), QStringList({"7", "12"}));
        // Nothing is left picked: a second Delete asks for a choice.
        t->messages.clear();
        click(c.remove);
        QCOMPARE(t->messages.texts(),
                 QStringList("Please select " + c.article + " " + c.one + " to delete !"));
    }

    void deletingTheLastEntryTellsTheListIsEmpty()
    {
        open();
        select("lstFinal", "1");
        t->messages.answerNext(MsgAnswer::Yes);
        click("cmdDeleteFinal");
        QCOMPARE(t->messages.texts().mid(1),
                 QStringList({"The final 1" + Deleted,
                              "You do not currently have any finals setup !"}));
        QCOMPARE(t->messages.messages.last().title, QStringLiteral("Finals"));
        QVERIFY(!t->exists(Paths::entryFile(Paths::finalsFolder(), "1")));
        // An empty list: nothing to pick, then still empty.
        t->messages.clear();
        click("cmdDeleteFinal");
        QCOMPARE(t->messages.texts(),
                 QStringList({"Please select a final to delete !",
                              "You do not currently have any finals setup !"}));
    }

    void theFileDecidesNotTheList()
    {
        t->addEntries(Paths::upfrontsFolder(), {"07"});
        open();
        QVERIFY(listed("lstUpfront").contains("07"));
        type("txtUpfront", "7");
        click("cmdAddUpfront");
        QCOMPARE(t->messages.texts(), QStringList("The upfront 7" + Added));
        QVERIFY(t->exists(Paths::entryFile(Paths::upfrontsFolder(), "07")));
        QVERIFY(t->exists(Paths::entryFile(Paths::upfrontsFolder(), "7")));

        // Deleting the hand-made entry removes the file the list names.
        t->messages.clear();
        select("lstUpfront", "07");
        t->messages.answerNext(MsgAnswer::Yes);
        click("cmdDeleteUpfront");
        QVERIFY(!t->exists(Paths::entryFile(Paths::upfrontsFolder(), "07")));
        QVERIFY(t->exists(Paths::entryFile(Paths::upfrontsFolder(), "7")));
    }

    void onlyDigitsCanBeTypedButPastedTextPasses()
    {
        open();
        type("txtUpfront", "a.-9");
        QCOMPARE(get<QLineEdit>("txtUpfront")->text(), QStringLiteral("9"));
        QTest::keyClick(get<QLineEdit>("txtUpfront"), Qt::Key_Backspace);
        QCOMPARE(get<QLineEdit>("txtUpfront")->text(), QString());
        type("txtUpfront", "123");
        QCOMPARE(get<QLineEdit>("txtUpfront")->text(), QStringLiteral("12"));
        type("txtMid", "x1234");
        QCOMPARE(get<QLineEdit>("txtMid")->text(), QStringLiteral("123"));

        QApplication::clipboard()->setText(QStringLiteral("1.5"));
        get<QLineEdit>("txtMid")->clear();
        QTest::keyClick(get<QLineEdit>("txtMid"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(get<QLineEdit>("txtMid")->text(), QStringLiteral("1.5"));
        click("cmdAddMid");
        QVERIFY(t->exists(Paths::entryFile(Paths::midsFolder(), "1.5")));

        QApplication::clipboard()->setText(QStringLiteral("-1"));
        get<QLineEdit>("txtFinal")->setFocus();
        QTest::keyClick(get<QLineEdit>("txtFinal"), Qt::Key_V, Qt::ControlModifier);
        click("cmdAddFinal");
        QVERIFY(t->exists(Paths::entryFile(Paths::finalsFolder(), "-1")));
        QCOMPARE(t->messages.texts(),
                 QStringList({"The mid 1.5" + Added, "The final -1" + Added}));
    }

    void entriesThatCannotBeWrittenAreNotShown()
    {
        t->addEntries(Paths::midsFolder(), {"36"});
        open();
        t->files.failWrites = true;
        type("txtMid", "48");
        click("cmdAddMid");
        QCOMPARE(t->messages.texts(),
                 QStringList("The mid 48 could not be added, the file " + Paths::midsFolder()
                             + "\\48.txt cannot be written !"));
        QCOMPARE(t->messages.messages.last().icon, MsgIcon::Exclamation);
        QVERIFY(!t->exists(Paths::entryFile(Paths::midsFolder(), "48")));
        QCOMPARE(listed("lstMid"), QStringList({"24", "36"}));

        t->messages.clear();
        select("lstMid", "36");
        t->messages.answerNext(MsgAnswer::Yes);
        click("cmdDeleteMid");
        QCOMPARE(t->messages.texts().mid(1),
                 QStringList("The mid 36 could not be deleted, the file " + Paths::midsFolder()
                             + "\\36.txt cannot be removed !"));
        QVERIFY(t->exists(Paths::entryFile(Paths::midsFolder(), "36")));
        QCOMPARE(listed("lstMid"), QStringList({"24", "36"}));
    }
};

QTEST_MAIN(TestTermsSetup)
#include "test_terms_setup.moc"

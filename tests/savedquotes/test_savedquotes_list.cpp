// The saved quotes window: its form, the list of quotes, opening,
// refreshing and closing.

#include "SavedQuotesHarness.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

namespace {
const QString EmptyList = msg("Saved quotes", "You do not currently have any saved quotes !",
                              MsgIcon::Information);
} // namespace

class TestSavedQuotesList : public QObject {
    Q_OBJECT
private slots:
    void formHasItsControlsWhereTheyBelong();
    void focusStartsOnOpenAndTabFollowsTheButtonsFirst();
    void quotesAreListedInNameAndNumberOrder();
    void onlyOrdinaryTxtFilesAreListed();
    void emptyFolderIsToldBeforeTheWindowShows();
    void vanishedQuotesFolderIsToldAndLeavesAnEmptyList();
    void openShowsTheFileWithOneTrailingLineBreakRemoved();
    void openAndRefreshReadTheFileAgain();
    void openAndRefreshWithNothingChosenOnlySaySo();
    void enterClicksTheFocusedButtonOnly();
    void closingByButtonOrTitleBarAsksNothing();
};

void TestSavedQuotesList::formHasItsControlsWhereTheyBelong()
{
    SavedQuotesHarness h;
    h.quote(QStringLiteral("One"), "x\r\n");
    QVERIFY(h.load());
    QCOMPARE(h.w->windowTitle(), QStringLiteral("Saved quotes"));
    QCOMPARE(h.w->size(), QSize(12975 / 15, 8670 / 15));
    QCOMPARE(h.w->minimumSize(), h.w->maximumSize());
    QVERIFY(!(h.w->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(h.w->windowFlags() & Qt::WindowMaximizeButtonHint));
    // Centred on the screen, give or take the window frame.
    const QPoint offCentre =
        h.w->geometry().center() - h.w->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 4, "the window is centred on the screen");

    struct Control {
        const char *name;
        int left, top, width, height; // twips
        const char *caption;
        const char *tip;
    };
    const Control controls[] = {
        {"lblSavedQuotes", 120, 120, 1095, 255, "&Saved quotes:", nullptr},
        {"txtNumberOfQuotes", 1320, 120, 2295, 285, nullptr, "Number of saved quotes"},
        {"lblOpenQuote", 3720, 120, 9015, 255, "Currently open quote", nullptr},
        {"lstSavedQuotes", 120, 480, 3495, 7470, nullptr, "Saved quotes"},
        {"txtOpenQuoteName", 3720, 480, 9135, 285, nullptr, "Open quote name"},
        {"txtOpenQuote", 3720, 840, 9135, 7095, nullptr, "Open quote"},
        {"cmdOpen", 120, 8040, 1095, 495, "&Open quote", "Open quote"},
        {"cmdPrint", 1320, 8040, 975, 495, "&Print quote", "Print quote"},
        {"cmdEditqute", 2400, 8040, 975, 495, "&Edit quote", "Edit quote"},
        {"cmdRefreshQuote", 3480, 8040, 975, 495, "Re&fresh", "Refresh quote"},
        {"cmdRename", 4560, 8040, 1455, 495, "Re&name quote as", "Rename quote"},
        {"txtRenameQuote", 6120, 8160, 4455, 285, nullptr, "Rename quote"},
        {"cmdDelete", 10680, 8040, 1095, 495, "&Delete quote", "Delete quote"},
        {"cmdClose", 11880, 8040, 975, 495, "&Close", "Close"},
    };
    for (const Control &c : controls) {
        const QWidget *widget = h.get<QWidget>(c.name);
        QCOMPARE(widget->geometry(),
                 QRect(c.left / 15, c.top / 15, c.width / 15, c.height / 15));
        if (c.caption) {
            const QString caption = QString::fromUtf8(c.caption);
            if (auto *label = qobject_cast<const QLabel *>(widget))
                QCOMPARE(label->text(), caption);
            else
                QCOMPARE(qobject_cast<const QPushButton *>(widget)->text(), caption);
            // Read out and measured without the access key's "&".
            QCOMPARE(widget->accessibleName(), QString(caption).remove(QLatin1Char('&')));
        }
        if (c.tip) {
            QCOMPARE(widget->toolTip(), QString::fromUtf8(c.tip));
            QCOMPARE(widget->accessibleDescription(), QString::fromUtf8(c.tip));
            QVERIFY2(!widget->accessibleName().isEmpty(), c.name);
        }
        QVERIFY2(h.w->rect().contains(widget->geometry()), c.name);
        // The caption fits whole inside its control (a button's frame takes
        // two pixels each side).
        if (c.caption) {
            const int room = widget->contentsRect().width()
                - (qobject_cast<const QPushButton *>(widget) ? 4 : 0);
            const int needed = QFontMetrics(widget->font())
                                   .horizontalAdvance(QString::fromUtf8(c.caption).remove(QLatin1Char('&')));
            QVERIFY2(needed <= room, qPrintable(QStringLiteral("%1 needs %2 of %3")
                                                    .arg(QLatin1String(c.name))
                                                    .arg(needed)
                                                    .arg(room)));
        }
    }
    QVERIFY(h.count()->isReadOnly());
    QVERIFY(h.openName()->isReadOnly());
    QVERIFY(h.openText()->isReadOnly());
    QVERIFY(!h.newName()->isReadOnly());
    // The rename box takes at most 100 characters, typed.
    QTest::keyClicks(h.newName(), QString(120, QLatin1Char('n')));
    QCOMPARE(h.newName()->text(), QString(100, QLatin1Char('n')));
    // Everything but the count starts empty.
    QCOMPARE(h.openName()->text(), QString());
    QCOMPARE(h.openText()->toPlainText(), QString());
}

void TestSavedQuotesList::focusStartsOnOpenAndTabFollowsTheButtonsFirst()
{
    SavedQuotesHarness h;
    h.quote(QStringLiteral("One"), "x\r\n");
    QVERIFY(h.load());
    h.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.w.get()));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOpen"));
    const QStringList order{"cmdPrint",          "cmdEditqute",    "cmdRefreshQuote",
                            "cmdRename",         "txtRenameQuote", "cmdDelete",
                            "cmdClose",          "txtNumberOfQuotes", "lstSavedQuotes",
                            "txtOpenQuoteName",  "txtOpenQuote",   "cmdOpen"};
    QStringList reached;
    for (int i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(reached, order);
}

void TestSavedQuotesList::quotesAreListedInNameAndNumberOrder()
{
    SavedQuotesHarness h;
    for (const char *name : {"Bolt 2", "Acme 10", "Acme 9"})
        h.quote(QString::fromUtf8(name), "q\r\n");
    QVERIFY(h.load());
    QCOMPARE(h.listed(), (QStringList{"Acme 9", "Acme 10", "Bolt 2"}));
    QCOMPARE(h.count()->text(), QStringLiteral("3"));
    QCOMPARE(h.messages(), QStringList());

    // Letter case does not decide the alphabetical order; numbers after the
    // same text go by value, but only where that text is the same letter
    // for letter (Beta 10 stays before beta 3).
    SavedQuotesHarness mixed;
    for (const char *name : {"zeta", "beta 12", "Alpha", "beta 4", "ALPHA 2", "Beta 10", "beta 3"})
        mixed.quote(QString::fromUtf8(name), "q\r\n");
    QVERIFY(mixed.load());
    QCOMPARE(mixed.listed(), (QStringList{"Alpha", "ALPHA 2", "Beta 10", "beta 3", "beta 4",
                                          "beta 12", "zeta"}));
    QCOMPARE(mixed.count()->text(), QStringLiteral("7"));
}

void TestSavedQuotesList::onlyOrdinaryTxtFilesAreListed()
{
    SavedQuotesHarness h;
    h.quote(QStringLiteral("a.b"), "q\r\n");
    h.t.write(Paths::quotesFolder() + QStringLiteral("\\Capital.TXT"), "q\r\n");
    h.t.write(Paths::quotesFolder() + QStringLiteral("\\.hidden.txt"), "q\r\n");
    h.t.write(Paths::quotesFolder() + QStringLiteral("\\letter.doc"), "q\r\n");
    h.t.makeFolder(Paths::quotesFolder() + QStringLiteral("\\Folder.txt"));
    QVERIFY(h.load());
    QCOMPARE(h.listed(), (QStringList{"a.b", "Capital"}));
    QCOMPARE(h.count()->text(), QStringLiteral("2"));

    // A quote listed from a capital ending opens like any other.
    h.t.write(Paths::quotesFolder() + QStringLiteral("\\Capital.TXT"), "Carried over\r\n");
    QVERIFY(h.openQuote(QStringLiteral("Capital")));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Carried over"));
    QCOMPARE(h.messages(), QStringList());
}

void TestSavedQuotesList::emptyFolderIsToldBeforeTheWindowShows()
{
    SavedQuotesHarness h;
    QWidget mainWindow;
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    bool windowVisible = true;
    QString countWhileTold;
    h.t.messages.onShow = [&](const RecordedMessage &) {
        for (QWidget *widget : QApplication::allWidgets()) {
            if (widget->objectName() == QLatin1String("frmOpenSavedQuotes")) {
                windowVisible = widget->isVisible();
                countWhileTold =
                    widget->findChild<QLineEdit *>(QStringLiteral("txtNumberOfQuotes"))->text();
            }
        }
    };
    // As the main window opens it: construct, then exec (closed at once here).
    frmOpenSavedQuotes w(h.t.platform, h.t.settings, &mainWindow);
    QCOMPARE(h.messages(), QStringList{EmptyList});
    QVERIFY(!windowVisible);
    QCOMPARE(countWhileTold, QStringLiteral("0"));
    QTimer::singleShot(0, &w, [&w] {
        QVERIFY(w.isVisible());
        w.findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
    });
    w.exec();
    // Showing the window tells nothing more.
    QCOMPARE(h.messages(), QStringList{EmptyList});
    QCOMPARE(w.findChild<QListWidget *>(QStringLiteral("lstSavedQuotes"))->count(), 0);
}

void TestSavedQuotesList::vanishedQuotesFolderIsToldAndLeavesAnEmptyList()
{
    SavedQuotesHarness h;
    h.t.remove(Paths::quotesFolder());
    QVERIFY(h.load());
    QCOMPARE(h.messages(),
             (QStringList{msg("Saved quotes",
                              QStringLiteral("The directory (") + Paths::quotesFolder()
                                  + QStringLiteral(") cannot be read !"),
                              MsgIcon::Exclamation),
                          EmptyList}));
    QCOMPARE(h.count()->text(), QStringLiteral("0"));
    // The window still works: its buttons say there is nothing to act on.
    h.t.messages.clear();
    h.click("cmdOpen");
    h.click("cmdPrint");
    QCOMPARE(h.messages(),
             (QStringList{msg("No quote to open", "Please select a quote to open !",
                              MsgIcon::Exclamation),
                          msg("No quote to print", "Please open a quote to print !",
                              MsgIcon::Exclamation)}));
}

void TestSavedQuotesList::openShowsTheFileWithOneTrailingLineBreakRemoved()
{
    SavedQuotesHarness h;
    h.quote(QStringLiteral("One end"), "Customer\r\nTotal 10\r\n");
    h.quote(QStringLiteral("Two ends"), "Customer\r\nFooter\r\n\r\n");
    h.quote(QStringLiteral("No end"), "Only line");
    QVERIFY(h.load());

    QVERIFY(h.openQuote(QStringLiteral("One end")));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Customer\nTotal 10"));
    QVERIFY(h.openQuote(QStringLiteral("Two ends")));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Customer\nFooter\n"));
    QVERIFY(h.openQuote(QStringLiteral("No end")));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Only line"));
    QCOMPARE(h.messages(), QStringList());
}

void TestSavedQuotesList::openAndRefreshReadTheFileAgain()
{
    SavedQuotesHarness h;
    h.quote(QStringLiteral("Acme 9"), "First\r\n");
    h.quote(QStringLiteral("Bolt 2"), "Bolt\r\n");
    QVERIFY(h.load());
    QVERIFY(h.openQuote(QStringLiteral("Acme 9")));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("First"));

    // Changed outside (the editor): refresh shows the new text, the list and
    // the count stay as they were even when a file was added meanwhile.
    h.quote(QStringLiteral("Acme 9"), "Second\r\nline\r\n\r\n");
    h.quote(QStringLiteral("Added"), "new\r\n");
    QVERIFY(h.select(QStringLiteral("Bolt 2"))); // the selection does not matter
    h.click("cmdRefreshQuote");
    QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Second\nline\n"));
    QCOMPARE(h.listed(), (QStringList{"Acme 9", "Bolt 2"}));
    QCOMPARE(h.count()->text(), QStringLiteral("2"));

    // Opening the entry that is already open reads it again, like refresh.
    h.quote(QStringLiteral("Acme 9"), "Third\r\n");
    QVERIFY(h.openQuote(QStringLiteral("Acme 9")));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Third"));
    QCOMPARE(h.messages(), QStringList());

    // A file that cannot be read is told; the open quote stays as it was.
    h.t.files.failReads = true;
    h.click("cmdRefreshQuote");
    QVERIFY(h.select(QStringLiteral("Bolt 2")));
    h.click("cmdOpen");
    const QString notRead =
        msg("Quote not read", "The quote Acme 9 cannot be read !", MsgIcon::Exclamation);
    QCOMPARE(h.messages(),
             (QStringList{notRead, msg("Quote not read", "The quote Bolt 2 cannot be read !",
                                       MsgIcon::Exclamation)}));
    QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Third"));
}

void TestSavedQuotesList::openAndRefreshWithNothingChosenOnlySaySo()
{
    SavedQuotesHarness h;
    h.quote(QStringLiteral("Acme 9"), "Acme\r\n");
    h.quote(QStringLiteral("Bolt 2"), "Bolt\r\n");
    QVERIFY(h.load());
    h.click("cmdRefreshQuote");
    h.click("cmdOpen");
    QCOMPARE(h.messages(),
             (QStringList{msg("No quote open to refresh",
                              "Please select a quote to open and edit before refreshing !",
                              MsgIcon::Exclamation),
                          msg("No quote to open", "Please select a quote to open !",
                              MsgIcon::Exclamation)}));
    QCOMPARE(h.openName()->text(), QString());

    // With a quote open and the selection taken away, open changes nothing.
    QVERIFY(h.openQuote(QStringLiteral("Bolt 2")));
    h.list()->clearSelection();
    h.t.messages.clear();
    h.click("cmdOpen");
    QCOMPARE(h.messages(), QStringList{msg("No quote to open", "Please select a quote to open !",
                                           MsgIcon::Exclamation)});
    QCOMPARE(h.openName()->text(), QStringLiteral("Bolt 2"));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Bolt"));

    // Choosing an entry alone (click or double-click) opens nothing.
    QVERIFY(h.select(QStringLiteral("Acme 9")));
    QTest::mouseDClick(h.list()->viewport(), Qt::LeftButton, {},
                       h.list()->visualItemRect(h.list()->item(0)).center());
    QCOMPARE(h.openName()->text(), QStringLiteral("Bolt 2"));
}

void TestSavedQuotesList::enterClicksTheFocusedButtonOnly()
{
    SavedQuotesHarness h;
    h.quote(QStringLiteral("Acme 9"), "Acme\r\n");
    QVERIFY(h.load());
    h.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.w.get()));
    QVERIFY(h.select(QStringLiteral("Acme 9")));
    h.get<QPushButton>("cmdOpen")->setFocus();
    QTest::keyClick(h.get<QPushButton>("cmdOpen"), Qt::Key_Return);
    QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));

    // Enter typed in the rename box or the list sets nothing off.
    h.newName()->setFocus();
    QTest::keyClicks(h.newName(), QStringLiteral("Zulu"));
    QTest::keyClick(h.newName(), Qt::Key_Return);
    h.list()->setFocus();
    QTest::keyClick(h.list(), Qt::Key_Enter);
    QCOMPARE(h.messages(), QStringList());
    QVERIFY(h.t.printers.jobs.empty());
    QVERIFY(h.hasFile(QStringLiteral("Acme 9")));
    QCOMPARE(h.newName()->text(), QStringLiteral("Zulu"));
}

void TestSavedQuotesList::closingByButtonOrTitleBarAsksNothing()
{
    SavedQuotesHarness h;
    h.quote(QStringLiteral("Acme 9"), "Acme\r\n");
    QVERIFY(h.load());
    QVERIFY(h.openQuote(QStringLiteral("Acme 9")));
    h.click("cmdClose");
    QVERIFY(!h.w->isVisible());

    // The next opening starts afresh with nothing open.
    QVERIFY(h.load());
    QCOMPARE(h.openName()->text(), QString());
    QVERIFY(h.openQuote(QStringLiteral("Acme 9")));
    QVERIFY(h.w->close()); // the title-bar close box
    QVERIFY(!h.w->isVisible());
    QCOMPARE(h.messages(), QStringList());
    QCOMPARE(h.fileOf(QStringLiteral("Acme 9")), QByteArray("Acme\r\n"));
}

QTEST_MAIN(TestSavedQuotesList)
#include "test_savedquotes_list.moc"

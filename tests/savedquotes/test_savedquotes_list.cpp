// The saved quotes window: its form, the list of quotes, opening,
// refreshing and closing.

#include "SavedQuotesHarness.h"

#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBlock>

class TestSavedQuotesList : public QObject {
    Q_OBJECT
private slots:
    void formCaptionsFitAndTabOrder()
    {
        SavedQuotesHarness h;
        h.quote(QStringLiteral("One"), "x\r\n");
        QVERIFY(h.loadActive());
        QCOMPARE(h.w->windowTitle(), QStringLiteral("Saved quotes"));
        QCOMPARE(h.w->minimumSize(), h.w->maximumSize());
        QVERIFY(
            !(h.w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        const QPoint offCentre = h.w->geometry().center()
            - h.w->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 4, "the window is centred on the screen");

        // Every caption fits whole in its control (a button's frame takes two
        // pixels each side), and every control lies inside the window.
        int captions = 0;
        for (QWidget *widget : h.w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            auto *button = qobject_cast<QPushButton *>(widget);
            auto *label = qobject_cast<QLabel *>(widget);
            QVERIFY2(h.w->rect().contains(widget->geometry()), qPrintable(widget->objectName()));
            if (!button && !label)
                continue;
            ++captions;
            const QString caption =
                (button ? button->text() : label->text()).remove(QLatin1Char('&'));
            const int room = widget->contentsRect().width() - (button ? 4 : 0);
            QVERIFY2(QFontMetrics(widget->font()).horizontalAdvance(caption) <= room,
                     qPrintable(widget->objectName()));
        }
        QCOMPARE(captions, 9);
        QVERIFY(h.count()->isReadOnly() && h.openName()->isReadOnly()
                && h.openText()->isReadOnly());
        QCOMPARE(h.openName()->text() + h.shown(), QString());

        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOpen"));
        const QStringList order{"cmdPrint",         "cmdEditqute",       "cmdRefreshQuote",
                                "cmdRename",        "txtRenameQuote",    "cmdDelete",
                                "cmdClose",         "txtNumberOfQuotes", "lstSavedQuotes",
                                "txtOpenQuoteName", "txtOpenQuote",      "cmdOpen"};
        QStringList reached;
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(reached, order);

        // The rename box can be typed into, at most 100 characters.
        QTest::keyClicks(h.newName(), QString(120, QLatin1Char('n')));
        QCOMPARE(h.newName()->text(), QString(100, QLatin1Char('n')));
    }

    void listing_data()
    {
        // Files in the quotes folder (a trailing "/" makes a folder) and the list shown.
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("name and number") << QStringList{"Bolt 2.txt", "Acme 10.txt", "Acme 9.txt"}
                                         << QStringList{"Acme 9", "Acme 10", "Bolt 2"};
        // Letter case does not decide the alphabetical order; numbers go by value
        // only after text that is the same letter for letter.
        QTest::newRow("mixed case")
            << QStringList{"zeta.txt",    "beta 12.txt", "Alpha.txt", "beta 4.txt",
                           "ALPHA 2.txt", "Beta 10.txt", "beta 3.txt"}
            << QStringList{"Alpha", "ALPHA 2", "Beta 10", "beta 3", "beta 4", "beta 12", "zeta"};
        QTest::newRow("ordinary txt files only")
            << QStringList{"a.b.txt",    "Capital.TXT", ".hidden.txt",
                           "letter.doc", "Folder.txt/", ".txt"}
            << QStringList{".hidden", "a.b", "Capital"};
    }

    void listing()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        SavedQuotesHarness h;
        for (const QString &file : files) {
            const QString path = Paths::quotesFolder() + QLatin1Char('\\')
                + QString(file).remove(QLatin1Char('/'));
            if (file.endsWith(QLatin1Char('/')))
                h.t.makeFolder(path);
            else
                h.t.write(path, "q\r\n");
        }
        QVERIFY(h.load());
        QCOMPARE(h.listed(), expected);
        QCOMPARE(h.count()->text(), QString::number(expected.size()));
        QCOMPARE(h.told(), QStringList());
        // Every listed quote opens, whatever the case of its file's ending.
        h.t.write(Paths::quotesFolder() + QLatin1Char('\\') + files.at(1), "Carried over\r\n");
        QVERIFY(h.openQuote(QString(files.at(1)).chopped(4)));
        QCOMPARE(h.shown(), QStringLiteral("Carried over"));
        QCOMPARE(h.told(), QStringList());
    }

    void emptyOrVanishedFolder_data()
    {
        QTest::addColumn<bool>("vanished");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty") << false << QStringList{EmptyList};
        QTest::newRow("vanished") << true
                                  << QStringList{msg("Saved quotes",
                                                     QStringLiteral("The directory (")
                                                         + Paths::quotesFolder()
                                                         + QStringLiteral(") cannot be read !"),
                                                     Excl),
                                                 EmptyList};
    }

    void emptyOrVanishedFolder()
    {
        QFETCH(bool, vanished);
        QFETCH(QStringList, expected);
        SavedQuotesHarness h;
        if (vanished)
            h.t.remove(Paths::quotesFolder());
        // Told while the window is built, before it shows.
        bool shownWhileTold = false;
        QString countWhileTold;
        h.t.messages.onShow = [&](const RecordedMessage &) {
            for (QWidget *widget : QApplication::allWidgets()) {
                if (widget->objectName() == QLatin1String("frmOpenSavedQuotes")) {
                    shownWhileTold = shownWhileTold || widget->isVisible();
                    countWhileTold =
                        widget->findChild<QLineEdit *>(QStringLiteral("txtNumberOfQuotes"))->text();
                }
            }
        };
        QVERIFY(h.load());
        QCOMPARE(h.told(), expected);
        QVERIFY(!shownWhileTold);
        QCOMPARE(countWhileTold, QStringLiteral("0"));
        QCOMPARE(h.list()->count(), 0);
        // The window still works: its buttons say there is nothing to act on.
        h.clickAll({"cmdOpen", "cmdPrint"});
        QCOMPARE(h.told(),
                 (QStringList{msg("No quote to open", "Please select a quote to open !", Excl),
                              msg("No quote to print", "Please open a quote to print !", Excl)}));
    }

    void openAndRefreshDropOneTrailingLineBreak_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one line end")
            << QByteArray("Customer\r\nTotal 10\r\n") << QStringLiteral("Customer\nTotal 10");
        QTest::newRow("two line ends")
            << QByteArray("Customer\r\nFooter\r\n\r\n") << QStringLiteral("Customer\nFooter\n");
        QTest::newRow("no line end") << QByteArray("Only line") << QStringLiteral("Only line");
    }

    void openAndRefreshDropOneTrailingLineBreak()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        SavedQuotesHarness h;
        h.quote(QStringLiteral("Acme"), file);
        QVERIFY(h.load());
        QVERIFY(h.openQuote(QStringLiteral("Acme")));
        QCOMPARE(h.shown(), expected);
        // Changed outside (the editor), then refreshed.
        h.quote(QStringLiteral("Acme"), "Changed\r\n" + file);
        h.click("cmdRefreshQuote");
        QCOMPARE(h.shown(), QStringLiteral("Changed\n") + expected);
        QCOMPARE(h.told(), QStringList());
    }

    // Laying out a line with no place to break takes time growing with the
    // square of its length (a crash can leave a quote of NUL bytes): the box
    // is never given a line over 4096 characters, yet shows every character,
    // and the quote prints whole.
    void longOneLineQuotesShowWholeInPieces_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("no blanks") << QByteArray(64 * 1024, 'x');
        QTest::newRow("NUL bytes") << QByteArray(64 * 1024, '\0');
        QTest::newRow("words") << QByteArray("Two laser printers, delivered. ").repeated(2000);
    }
    void longOneLineQuotesShowWholeInPieces()
    {
        QFETCH(QByteArray, line);
        SavedQuotesHarness h;
        h.quote(QStringLiteral("Long"), line + "\r\n");
        QVERIFY(h.load());
        QVERIFY(h.openQuote(QStringLiteral("Long")));
        int longest = 0;
        for (QTextBlock block = h.openText()->document()->begin(); block.isValid();
             block = block.next())
            longest = std::max(longest, block.length() - 1);
        QVERIFY2(longest <= 4096, qPrintable(QString::number(longest)));
        const QString text = QString::fromUtf8(line);
        QCOMPARE(h.shown().remove(QLatin1Char('\n')), text);
        h.click("cmdPrint");
        QString printed;
        for (const RecordingSurface::Piece &piece : h.t.printers.lastJob().pieces)
            printed += piece.text;
        const auto visible = [](QString s) {
            return s.remove(QRegularExpression(QStringLiteral("[\\x00-\\x20]")));
        };
        QCOMPARE(visible(printed), visible(text));
    }

    void refreshReadsTheOpenQuoteAgain()
    {
        SavedQuotesHarness h;
        QVERIFY(h.loadThreeWithAcme9Open("First\r\n"));
        // The selection does not matter; the list and the count stay as they
        // were even when a file was added meanwhile.
        h.quote(QStringLiteral("Acme 9"), "Second\r\n");
        h.quote(QStringLiteral("Added"), "new\r\n");
        QVERIFY(h.select(QStringLiteral("Bolt 2")));
        h.click("cmdRefreshQuote");
        QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));
        QCOMPARE(h.shown(), QStringLiteral("Second"));
        QCOMPARE(h.listed(), (QStringList{"Acme 9", "Acme 10", "Bolt 2"}));
        QCOMPARE(h.count()->text(), QStringLiteral("3"));

        // Opening the entry that is already open reads it again, like refresh.
        h.quote(QStringLiteral("Acme 9"), "Third\r\n");
        QVERIFY(h.openQuote(QStringLiteral("Acme 9")));
        QCOMPARE(h.shown(), QStringLiteral("Third"));
        QCOMPARE(h.told(), QStringList());

        // A file that cannot be read is told; the open quote stays as it was.
        h.t.files.failReads = true;
        h.click("cmdRefreshQuote");
        QVERIFY(h.select(QStringLiteral("Bolt 2")));
        h.click("cmdOpen");
        QCOMPARE(h.told(),
                 (QStringList{msg("Quote not read", "The quote Acme 9 cannot be read !", Excl),
                              msg("Quote not read", "The quote Bolt 2 cannot be read !", Excl)}));
        QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));
        QCOMPARE(h.shown(), QStringLiteral("Third"));
    }

    // Open needs an entry chosen; choosing one (click or double-click) opens nothing.
    void openNeedsAChosenEntry()
    {
        SavedQuotesHarness h;
        QVERIFY(h.loadThreeWithAcme9Open("Acme nine\r\n", false));
        const QString noQuote = msg("No quote to open", "Please select a quote to open !", Excl);
        h.click("cmdOpen");
        QCOMPARE(h.told(), QStringList{noQuote});
        QCOMPARE(h.openName()->text(), QString());
        QVERIFY(h.openQuote(QStringLiteral("Bolt 2")));
        h.list()->clearSelection();
        h.click("cmdOpen");
        QCOMPARE(h.told(), QStringList{noQuote});
        QVERIFY(h.select(QStringLiteral("Acme 9")));
        QTest::mouseDClick(h.list()->viewport(), Qt::LeftButton, {},
                           h.list()->visualItemRect(h.list()->item(0)).center());
        QCOMPARE(h.openName()->text() + h.shown(), QStringLiteral("Bolt 2Bolt two"));
        // Selected by an assistive tool, which leaves the current item as it was.
        QVERIFY(SelectAsAssistiveTool(h.list(), QStringLiteral("Acme 10")));
        QVERIFY(h.list()->currentItem()->text() != QStringLiteral("Acme 10"));
        h.click("cmdOpen");
        QCOMPARE(h.openName()->text() + h.shown(), QStringLiteral("Acme 10Acme ten"));
    }

    void closingByButtonOrTitleBarAsksNothing()
    {
        SavedQuotesHarness h;
        QVERIFY(h.loadThreeWithAcme9Open());
        h.click("cmdClose");
        QVERIFY(!h.w->isVisible());
        // The next opening starts afresh with nothing open.
        QVERIFY(h.load());
        QCOMPARE(h.openName()->text(), QString());
        QVERIFY(h.openQuote(QStringLiteral("Acme 9")));
        QVERIFY(h.w->close()); // the title-bar close box
        QVERIFY(!h.w->isVisible());
        QCOMPARE(h.told(), QStringList());
        QCOMPARE(h.fileOf(QStringLiteral("Acme 9")), QByteArray("Acme nine\r\n"));
    }
};

QTEST_MAIN(TestSavedQuotesList)
#include "test_savedquotes_list.moc"

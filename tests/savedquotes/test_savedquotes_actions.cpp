// What the saved quotes window does with the open quote: print, edit,
// rename and delete, with every refusal and confirmation in order, and a
// quote whose file has gone.

#include "SavedQuotesHarness.h"

#include "store/Store.h"

namespace {
QString notFound(const QString &name)
{
    return msg("Quote not found", QStringLiteral("The quote %1 cannot be found !").arg(name), Excl);
}
QString exists(const QString &name)
{
    return msg(
        "Quote already exists",
        QStringLiteral("The quote %1 already exists, please enter a different name for the quote !")
            .arg(name),
        Excl);
}
QString deleteQuestion(const QString &name)
{
    return msg("Delete quote",
               QStringLiteral("Are you sure that you want to delete the quote ") + name,
               MsgIcon::Question);
}
const QString EditNote = msg("Edit quote",
                             "You will need to refresh the quote once you have edited it in order "
                             "to view the changes !",
                             Info);
const QStringList Three{"Acme 9", "Acme 10", "Bolt 2"};
} // namespace

class TestSavedQuotesActions : public QObject {
    Q_OBJECT
private slots:
    void printSendsTheOpenTextToThePrinter()
    {
        SavedQuotesHarness h;
        // Two line ends at the end: the window shows one, the print adds no
        // empty line for it.
        QVERIFY(h.loadThreeWithAcme9Open("Customer: Acme\r\nMonthly rental 100\r\n\r\n"));
        h.click("cmdPrint");
        QCOMPARE(h.t.printers.jobs.size(), size_t(1));
        RecordingSurface &job = h.t.printers.lastJob();
        QVERIFY(job.ended);
        QCOMPARE(job.lines(), (QStringList{"Customer: Acme", "Monthly rental 100", ""}));
        QCOMPARE(job.pieces.first().x, 1440.0f); // the margins
        QCOMPARE(job.pieces.first().y, 720.0f);
        QCOMPARE(job.fontName, QStringLiteral("Arial"));
        QCOMPARE(job.fontSize, 10.0f);
        QCOMPARE(
            h.told(),
            QStringList{msg("Printing",
                            "The quote Acme 9 has been sent to the printer Office Laser", Info)});
        QCOMPARE(h.shown(), QStringLiteral("Customer: Acme\nMonthly rental 100\n"));

        // The file's text reaches the page as it stands: a lone carriage
        // return, a line separator and a non-breaking space are kept.
        h.quote(QStringLiteral("Bolt 2"),
                "Acme\xc2\xa0Ltd\rUnit\xe2\x80\xa8"
                "4\r\n");
        QVERIFY(h.openQuote(QStringLiteral("Bolt 2")));
        h.click("cmdPrint");
        QCOMPARE(h.t.printers.lastJob().lines(),
                 (QStringList{QStringLiteral("Acme\u00a0LtdUnit\u20284"), ""}));
        h.told();

        // A job that cannot start is never reported as sent.
        h.t.printers.startError = QStringLiteral("no printer is installed");
        h.click("cmdPrint");
        QCOMPARE(h.told(),
                 QStringList{msg("Printing",
                                 "The print job could not be started: no printer is installed !",
                                 Excl)});
    }

    // Both context menus offer the preview and the PDF of the open quote,
    // whatever is selected, with the page Print quote makes.
    void contextMenusPreviewAndExportTheOpenQuote()
    {
        SavedQuotesHarness h;
        QVERIFY(h.loadThreeWithAcme9Open("Customer: Acme\r\nMonthly rental 100\r\n\r\n"));
        QVERIFY(h.select(QStringLiteral("Bolt 2")));
        const QStringList ours{"&Print preview", "&Export as PDF..."};
        QCOMPARE(h.fromMenu(h.list(), 0, Qt::Key_E), ours);
        const QString pdf = h.t.pages.documents + QStringLiteral("/Acme 9.pdf");
        QCOMPARE(
            h.told(),
            QStringList{msg("Quote exported",
                            "The quote has been saved as " + QDir::toNativeSeparators(pdf), Info)});
        QVERIFY(QFileInfo(pdf).size() > 0);

        const QStringList items = h.fromMenu(h.openText(), 1, Qt::Key_P);
        QVERIFY2(items.size() > 3 && items.mid(items.size() - 3) == QStringList{"-"} + ours,
                 qPrintable(items.join('|')));
        QCOMPARE(h.t.pages.previewed, QStringList{"Office Laser | Acme 9"});
        h.click("cmdPrint");
        QCOMPARE(h.t.pages.previewPages.back()->events, h.t.printers.lastJob().events);
        QCOMPARE(h.t.printers.lastJob().lines(),
                 (QStringList{"Customer: Acme", "Monthly rental 100", ""}));
        h.told();
        for (QAbstractScrollArea *control : {static_cast<QAbstractScrollArea *>(h.list()),
                                             static_cast<QAbstractScrollArea *>(h.openText())})
            QCOMPARE(h.fromMenu(control, 2, Qt::Key_Escape)
                         .mid(control == h.list() ? 0 : items.size() - 2),
                     ours);
        QCOMPARE(h.t.pages.proposed.size(), 1);
        QCOMPARE(h.told(), QStringList());
    }

    void editTellsFirstThenStartsTheEditorOnTheFile()
    {
        SavedQuotesHarness h;
        QVERIFY(h.loadThreeWithAcme9Open("Acme\r\n"));
        QStringList editorCallsWhileTold{"not told"};
        h.t.messages.onShow = [&](const RecordedMessage &) {
            editorCallsWhileTold = h.t.launcher.editorFiles;
        };
        h.click("cmdEditqute");
        QCOMPARE(h.told(), QStringList{EditNote});
        QCOMPARE(editorCallsWhileTold, QStringList());
        const QString file = h.t.native(Paths::quoteFile(QStringLiteral("Acme 9")));
        QCOMPARE(h.t.launcher.editorFiles, QStringList{file});
        QVERIFY(QFileInfo(file).isFile());
        QVERIFY(h.w->isVisible());

        // No editor can be started: the user is told, nothing else changes.
        h.t.launcher.succeed = false;
        h.click("cmdEditqute");
        QCOMPARE(h.told(),
                 (QStringList{
                     EditNote,
                     msg("Edit quote",
                         QStringLiteral("No text editor could be started for the quote Acme 9 (")
                             + file + QStringLiteral(") !"),
                         Excl)}));
        QCOMPARE(h.shown(), QStringLiteral("Acme"));
    }

    void renameMovesTheFileWholeAndKeepsTheQuoteOpen()
    {
        SavedQuotesHarness h;
        QVERIFY(h.loadThreeWithAcme9Open("Customer: Acme\r\nTotal 9\r\n\r\n"));
        // Edited in the editor and not refreshed: the edit is what the file
        // holds, and it survives the rename byte for byte.
        const QByteArray edited("Customer: Acme Ltd\r\nTotal 99\r\nCaf\xc3\xa9\r\n\r\n");
        h.quote(QStringLiteral("Acme 9"), edited);
        h.typeNewName(QStringLiteral("Zulu 1"));
        h.click("cmdRename");
        QCOMPARE(h.told(),
                 QStringList{msg("Quote renamed", "The quote has been renamed to Zulu 1 !", Excl)});
        QCOMPARE(h.fileOf(QStringLiteral("Zulu 1")), edited);
        QVERIFY(!h.hasFile(QStringLiteral("Acme 9")));
        QCOMPARE(h.openName()->text(), QStringLiteral("Zulu 1"));
        QCOMPARE(h.shown(), QString::fromUtf8("Customer: Acme Ltd\nTotal 99\nCafé\n"));
        QCOMPARE(h.newName()->text(), QString());
        QCOMPARE(h.listed(), (QStringList{"Acme 10", "Bolt 2", "Zulu 1"}));
        QCOMPARE(h.count()->text(), QStringLiteral("3"));

        // Renamed again, back into the middle of the list; no final line end is added.
        h.quote(QStringLiteral("Zulu 1"), "No line end");
        h.typeNewName(QStringLiteral("Acme 11"));
        h.click("cmdRename");
        QCOMPARE(
            h.told(),
            QStringList{msg("Quote renamed", "The quote has been renamed to Acme 11 !", Excl)});
        QCOMPARE(h.fileOf(QStringLiteral("Acme 11")), QByteArray("No line end"));
        QCOMPARE(h.shown(), QStringLiteral("No line end"));
        QCOMPARE(h.listed(), (QStringList{"Acme 10", "Acme 11", "Bolt 2"}));
    }

    void renameRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("diskRefuses");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("boxAfter");
        const auto unsafe = [](const QString &name) {
            return msg("Invalid quote name", Store::unsafeQuoteNameMessage(name), Excl);
        };
        QTest::newRow("no name") << QString() << false
                                 << msg("Quote name", "Please enter a new name for the quote !",
                                        Excl)
                                 << QString();
        QTest::newRow("its own name")
            << QStringLiteral("Acme 9") << false << exists("Acme 9") << QString();
        QTest::newRow("another quote's")
            << QStringLiteral("Acme 10") << false << exists("Acme 10") << QString();
        QTest::newRow("capital ending")
            << QStringLiteral("Old") << false << exists("Old") << QString();
        QTest::newRow("link to nothing")
            << QStringLiteral("Planted") << false << exists("Planted") << QString();
        // Names that would leave the folder or hold wildcards keep the typed text.
        for (const QString &bad :
             {QStringLiteral("..\\Outside"), QStringLiteral("../Outside"), QStringLiteral("Acme*")})
            QTest::newRow(qPrintable(bad)) << bad << false << unsafe(bad) << bad;
        QTest::newRow("disk refuses")
            << QStringLiteral("Zulu") << true
            << msg("Quote not renamed",
                   "The quote Acme 9 could not be renamed to Zulu, it keeps its name !", Excl)
            << QStringLiteral("Zulu");
    }

    void renameRefusals()
    {
        QFETCH(QString, name);
        QFETCH(bool, diskRefuses);
        QFETCH(QString, message);
        QFETCH(QString, boxAfter);
        SavedQuotesHarness h;
        h.t.write(Paths::quotesFolder() + QStringLiteral("\\Old.TXT"), "old\r\n");
        h.t.write(Paths::installRoot() + QStringLiteral("\\Outside.txt"), "outside\r\n");
        h.t.makeRaw(Paths::quotesFolder(), "Planted.txt",
                    QFile::encodeName(h.t.dir.path() + "/created.txt"));
        QVERIFY(h.loadThreeWithAcme9Open());
        h.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.w.get()));
        h.get<QPushButton>("cmdOpen")->setFocus();
        h.t.files.failWrites = diskRefuses;
        h.typeNewName(name);
        h.click("cmdRename");
        QCOMPARE(h.told(), QStringList{message});
        QCOMPARE(h.newName()->text(), boxAfter);
        if (!diskRefuses)
            QCOMPARE(QApplication::focusWidget(), h.newName());
        QCOMPARE(h.fileOf(QStringLiteral("Acme 9")), QByteArray("Acme nine\r\n"));
        QCOMPARE(h.fileOf(QStringLiteral("Acme 10")), QByteArray("Acme ten\r\n"));
        QCOMPARE(h.openName()->text() + h.shown(), QStringLiteral("Acme 9Acme nine"));
        QCOMPARE(h.listed(), (QStringList{"Acme 9", "Acme 10", "Bolt 2", "Old"}));
        QCOMPARE(h.t.read(Paths::installRoot() + QStringLiteral("\\Outside.txt")),
                 QByteArray("outside\r\n"));
        QVERIFY(!QFileInfo::exists(h.t.dir.path() + "/created.txt"));
        QCOMPARE(QDir(h.t.native(Paths::quotesFolder())).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"Acme 10.txt", "Acme 9.txt", "Bolt 2.txt", "Old.TXT"}));
    }

    // A name that is not valid UTF-8 keeps its bytes, and one renamed to a
    // leading dot stays listed and counted.
    void oddNamesCanBeOpenedRenamedAndDeleted()
    {
        SavedQuotesHarness h;
        h.t.makeRaw(Paths::quotesFolder(), "Caf\xe9.txt");
        h.t.makeRaw(Paths::quotesFolder(), "Th\xe9.txt");
        const QString cafe = QStringLiteral("Caf") + QChar(0xDCE9),
                      the = QStringLiteral("Th") + QChar(0xDCE9);
        QVERIFY(h.load());
        QCOMPARE(h.listed(), (QStringList{cafe, the}));
        QVERIFY(h.openQuote(cafe));
        h.typeNewName(QStringLiteral(".A"));
        h.click("cmdRename");
        QVERIFY(h.openQuote(the));
        h.t.messages.answerNext(MsgAnswer::Yes);
        h.click("cmdDelete");
        QCOMPARE(
            h.told(),
            (QStringList{msg("Quote renamed", "The quote has been renamed to .A !", Excl),
                         deleteQuestion(the),
                         msg("Quote deleted", "The quote " + the + " has been deleted !", Info)}));
        QCOMPARE(h.listed(), QStringList{".A"});
        QCOMPARE(h.count()->text(), QStringLiteral("1"));
        QCOMPARE(QDir(h.t.native(Paths::quotesFolder())).entryList(QDir::Files | QDir::Hidden),
                 QStringList{".A.txt"});
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("diskRefuses");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QStringList>("listedAfter");
        QTest::newRow("no") << false << false
                            << msg("Quote delete canceld", "Quote delete canceld !", Info) << Three;
        QTest::newRow("yes") << true << false
                             << msg("Quote deleted", "The quote Acme 9 has been deleted !", Info)
                             << QStringList{"Acme 10", "Bolt 2"};
        QTest::newRow("disk refuses")
            << true << true
            << msg("Quote not deleted",
                   "The quote Acme 9 could not be deleted, it is still saved !", Excl)
            << Three;
    }

    void deleteAsksFirst()
    {
        QFETCH(bool, yes);
        QFETCH(bool, diskRefuses);
        QFETCH(QString, outcome);
        QFETCH(QStringList, listedAfter);
        SavedQuotesHarness h;
        QVERIFY(h.loadThreeWithAcme9Open());
        QVERIFY(h.select(QStringLiteral("Bolt 2"))); // the selection is not what is deleted
        h.t.files.failWrites = diskRefuses;
        h.t.messages.answerNext(yes ? MsgAnswer::Yes : MsgAnswer::No);
        h.click("cmdDelete");
        QVERIFY(!h.t.messages.messages.isEmpty());
        QCOMPARE(h.t.messages.messages.first().buttons, MsgButtons::YesNo);
        QVERIFY(!h.t.messages.unscriptedQuestion);
        QCOMPARE(h.told(), (QStringList{deleteQuestion(QStringLiteral("Acme 9")), outcome}));
        const bool gone = listedAfter.size() == 2;
        QCOMPARE(h.hasFile(QStringLiteral("Acme 9")), !gone);
        if (!gone)
            QCOMPARE(h.fileOf(QStringLiteral("Acme 9")), QByteArray("Acme nine\r\n"));
        QCOMPARE(h.fileOf(QStringLiteral("Bolt 2")), QByteArray("Bolt two\r\n"));
        // The name stays shown; the text only while the file is there.
        QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));
        QCOMPARE(h.shown(), gone ? QString() : QStringLiteral("Acme nine"));
        QCOMPARE(h.listed(), listedAfter);
        QCOMPARE(h.count()->text(), QString::number(listedAfter.size()));
    }

    void deletingTheLastQuoteTellsTheListIsEmpty()
    {
        SavedQuotesHarness h;
        h.quote(QStringLiteral("Only"), "Only quote\r\n");
        QVERIFY(h.load());
        QVERIFY(h.openQuote(QStringLiteral("Only")));
        h.t.messages.answerNext(MsgAnswer::Yes);
        h.click("cmdDelete");
        QCOMPARE(h.told(),
                 (QStringList{deleteQuestion(QStringLiteral("Only")),
                              msg("Quote deleted", "The quote Only has been deleted !", Info),
                              EmptyList}));
        QCOMPARE(h.count()->text(), QStringLiteral("0"));
        QCOMPARE(h.list()->count(), 0);
        QVERIFY(!h.hasFile(QStringLiteral("Only")));
    }

    void eachButtonRefuses_data()
    {
        QTest::addColumn<int>(
            "state"); // 0: nothing open, 1: open quote deleted here, 2: removed outside
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing open")
            << 0
            << QStringList{msg("No quote to print", "Please open a quote to print !", Excl),
                           msg("No quote to edit", "Please open a quote to edit !", Excl),
                           msg("No quote to rename", "Please open a quote to rename !", Excl),
                           msg("No quote to delete", "Please open a quote to delete !", Excl),
                           msg("No quote open to refresh",
                               "Please select a quote to open and edit before refreshing !", Excl),
                           msg("No quote to print", "Please open a quote to print !", Excl),
                           msg("No quote to print", "Please open a quote to print !", Excl)};
        QTest::newRow("deleted here") << 1 << QStringList(7, notFound(QStringLiteral("Acme 9")));
        QTest::newRow("removed outside") << 2 << QStringList(7, notFound(QStringLiteral("Acme 9")));
    }

    // Each button refuses with its message, without a question, an editor, a
    // print job or a new file; the name and text shown stay.
    void eachButtonRefuses()
    {
        QFETCH(int, state);
        QFETCH(QStringList, expected);
        SavedQuotesHarness h;
        QVERIFY(h.loadThreeWithAcme9Open("Acme nine\r\n", state != 0));
        if (state == 0) {
            QVERIFY(h.select(QStringLiteral("Acme 9"))); // a selection is not an open quote
        } else if (state == 1) {
            h.t.messages.answerNext(MsgAnswer::Yes);
            h.click("cmdDelete");
            h.told();
        } else {
            h.t.remove(Paths::quoteFile(QStringLiteral("Acme 9")));
        }
        h.typeNewName(QStringLiteral("Zulu"));
        h.clickAll({"cmdPrint", "cmdEditqute", "cmdRename", "cmdDelete", "cmdRefreshQuote"});
        h.get<QAction>("quotePrintPreview")->trigger();
        h.get<QAction>("quoteExportPdf")->trigger();
        QCOMPARE(h.told(), expected);
        QVERIFY(h.t.printers.jobs.empty());
        QVERIFY(h.t.pages.previewed.isEmpty() && h.t.pages.proposed.isEmpty());
        QVERIFY(h.t.launcher.editorFiles.isEmpty());
        QVERIFY(!h.t.messages.unscriptedQuestion);
        QVERIFY(!h.hasFile(QStringLiteral("Zulu")));
        QCOMPARE(h.newName()->text(), QStringLiteral("Zulu"));
        QCOMPARE(h.openName()->text(), state ? QStringLiteral("Acme 9") : QString());
        QCOMPARE(h.shown(), state == 2 ? QStringLiteral("Acme nine") : QString());
        QCOMPARE(h.hasFile(QStringLiteral("Acme 9")), state == 0);
        QCOMPARE(h.listed(), (state == 1 ? QStringList{"Acme 10", "Bolt 2"} : Three));

        // A listed quote removed outside cannot be opened; what is open stays.
        h.t.remove(Paths::quoteFile(QStringLiteral("Bolt 2")));
        QVERIFY(h.select(QStringLiteral("Bolt 2")));
        h.click("cmdOpen");
        QCOMPARE(h.told(), QStringList{notFound(QStringLiteral("Bolt 2"))});
        QCOMPARE(h.openName()->text(), state ? QStringLiteral("Acme 9") : QString());
        // The window stays usable.
        QVERIFY(h.openQuote(QStringLiteral("Acme 10")));
        QCOMPARE(h.shown(), QStringLiteral("Acme ten"));
    }
};

QTEST_MAIN(TestSavedQuotesActions)
#include "test_savedquotes_actions.moc"

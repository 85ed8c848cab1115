// What the saved quotes window does with the open quote: print, edit,
// rename and delete, with every refusal and confirmation in order, and a
// quote whose file has gone.

#include "SavedQuotesHarness.h"

#include "store/Store.h"

namespace {
const MsgIcon Info = MsgIcon::Information;
const MsgIcon Excl = MsgIcon::Exclamation;

QString notFound(const QString &name)
{
    return msg("Quote not found", QStringLiteral("The quote ") + name + QStringLiteral(" cannot be found !"),
               Excl);
}

QString exists(const QString &name)
{
    return msg("Quote already exists",
               QStringLiteral("The quote ") + name
                   + QStringLiteral(" already exists, please enter a different name for the quote !"),
               Excl);
}

const QString EditNote = msg("Edit quote",
                             "You will need to refresh the quote once you have edited it in order "
                             "to view the changes !",
                             Info);
const QString EmptyList =
    msg("Saved quotes", "You do not currently have any saved quotes !", Info);

QString deleteQuestion(const QString &name)
{
    return msg("Delete quote", QStringLiteral("Are you sure that you want to delete the quote ") + name,
               MsgIcon::Question);
}

// Three quotes in the list, Acme 9 open.
bool loadThreeWithAcme9Open(SavedQuotesHarness &h, const QByteArray &acme9)
{
    h.quote(QStringLiteral("Acme 10"), "Acme ten\r\n");
    h.quote(QStringLiteral("Acme 9"), acme9);
    h.quote(QStringLiteral("Bolt 2"), "Bolt two\r\n");
    return h.load() && h.openQuote(QStringLiteral("Acme 9")) && h.t.messages.messages.isEmpty();
}
} // namespace

class TestSavedQuotesActions : public QObject {
    Q_OBJECT
private slots:
    void eachActionRefusesWhenNoQuoteIsOpen();
    void printSendsTheOpenTextToThePrinter();
    void editTellsFirstThenStartsTheEditorOnTheFile();
    void renameMovesTheFileWholeAndKeepsTheQuoteOpen();
    void renameRefusesMissingTakenAndUnusableNames();
    void renameThatTheDiskRefusesChangesNothing();
    void deleteAsksAndNoKeepsEverything();
    void deleteYesRemovesTheFileButKeepsTheName();
    void deletingTheLastQuoteTellsTheListIsEmpty();
    void deleteThatTheDiskRefusesChangesNothing();
    void aQuoteWhoseFileIsGoneIsReportedByEveryButton();
    void aQuoteRemovedOutsideCannotBeOpened();
};

void TestSavedQuotesActions::eachActionRefusesWhenNoQuoteIsOpen()
{
    SavedQuotesHarness h;
    h.quote(QStringLiteral("Acme 9"), "Acme\r\n");
    QVERIFY(h.load());
    QVERIFY(h.select(QStringLiteral("Acme 9"))); // a selection is not an open quote
    h.typeNewName(QStringLiteral("Zulu"));
    for (const char *button : {"cmdPrint", "cmdEditqute", "cmdRename", "cmdDelete"})
        h.click(button);
    QCOMPARE(h.messages(),
             (QStringList{msg("No quote to print", "Please open a quote to print !", Excl),
                          msg("No quote to edit", "Please open a quote to edit !", Excl),
                          msg("No quote to rename", "Please open a quote to rename !", Excl),
                          msg("No quote to delete", "Please open a quote to delete !", Excl)}));
    QVERIFY(h.t.printers.jobs.empty());
    QVERIFY(h.t.launcher.editorFiles.isEmpty());
    QCOMPARE(h.fileOf(QStringLiteral("Acme 9")), QByteArray("Acme\r\n"));
    QVERIFY(!h.hasFile(QStringLiteral("Zulu")));
}

void TestSavedQuotesActions::printSendsTheOpenTextToThePrinter()
{
    SavedQuotesHarness h;
    // Two line ends at the end: the window shows one, the print adds no
    // empty line for it.
    QVERIFY(loadThreeWithAcme9Open(h, "Customer: Acme\r\nMonthly rental 100\r\n\r\n"));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Customer: Acme\nMonthly rental 100\n"));
    h.click("cmdPrint");
    QCOMPARE(h.t.printers.jobs.size(), size_t(1));
    RecordingSurface &job = h.t.printers.lastJob();
    QVERIFY(job.ended);
    QCOMPARE(job.lines(), (QStringList{"Customer: Acme", "Monthly rental 100", ""}));
    QCOMPARE(job.pieces.first().x, 1440.0f); // the horizontal margin
    QCOMPARE(job.pieces.first().y, 720.0f);  // the vertical margin
    QCOMPARE(job.fontName, QStringLiteral("Arial"));
    QCOMPARE(job.fontSize, 10.0f);
    QCOMPARE(h.messages(),
             QStringList{msg("Printing",
                             "The quote Acme 9 has been sent to the printer Office Laser", Info)});
    // The text on screen is left as it was.
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Customer: Acme\nMonthly rental 100\n"));

    // A job that cannot start is never reported as sent.
    h.t.messages.clear();
    h.t.printers.startError = QStringLiteral("no printer is installed");
    h.click("cmdPrint");
    QCOMPARE(h.messages(),
             QStringList{msg("Printing",
                             "The print job could not be started: no printer is installed !",
                             Excl)});
}

void TestSavedQuotesActions::editTellsFirstThenStartsTheEditorOnTheFile()
{
    SavedQuotesHarness h;
    QVERIFY(loadThreeWithAcme9Open(h, "Acme\r\n"));
    QStringList editorCallsWhileTold;
    h.t.messages.onShow = [&](const RecordedMessage &) {
        editorCallsWhileTold = h.t.launcher.editorFiles;
    };
    h.click("cmdEditqute");
    QCOMPARE(h.messages(), QStringList{EditNote});
    QCOMPARE(editorCallsWhileTold, QStringList());
    QCOMPARE(h.t.launcher.editorFiles,
             QStringList{h.t.native(Paths::quoteFile(QStringLiteral("Acme 9")))});
    QVERIFY(QFileInfo(h.t.launcher.editorFiles.first()).isFile());
    QVERIFY(h.w->isVisible());

    // No editor can be started: the user is told, nothing else changes.
    h.t.messages.clear();
    h.t.launcher.succeed = false;
    h.click("cmdEditqute");
    const QString file = h.t.native(Paths::quoteFile(QStringLiteral("Acme 9")));
    QCOMPARE(h.messages(),
             (QStringList{EditNote,
                          msg("Edit quote",
                              QStringLiteral("No text editor could be started for the quote "
                                             "Acme 9 (")
                                  + file + QStringLiteral(") !"),
                              Excl)}));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Acme"));
}

void TestSavedQuotesActions::renameMovesTheFileWholeAndKeepsTheQuoteOpen()
{
    SavedQuotesHarness h;
    QVERIFY(loadThreeWithAcme9Open(h, "Customer: Acme\r\nTotal 9\r\n\r\n"));
    // Edited in the editor after it was opened, not refreshed: the edit is
    // what the file holds, and it survives the rename byte for byte.
    const QByteArray edited("Customer: Acme Ltd\r\nTotal 99\r\nCaf\xc3\xa9\r\n\r\n");
    h.quote(QStringLiteral("Acme 9"), edited);
    h.typeNewName(QStringLiteral("Zulu 1"));
    h.click("cmdRename");
    QCOMPARE(h.messages(),
             QStringList{msg("Quote renamed", "The quote has been renamed to Zulu 1 !", Excl)});
    QCOMPARE(h.fileOf(QStringLiteral("Zulu 1")), edited);
    QVERIFY(!h.hasFile(QStringLiteral("Acme 9")));
    QCOMPARE(h.openName()->text(), QStringLiteral("Zulu 1"));
    QCOMPARE(h.openText()->toPlainText(),
             QString::fromUtf8("Customer: Acme Ltd\nTotal 99\nCafé\n"));
    QCOMPARE(h.newName()->text(), QString());
    QCOMPARE(h.listed(), (QStringList{"Acme 10", "Bolt 2", "Zulu 1"}));
    QCOMPARE(h.count()->text(), QStringLiteral("3"));

    // A file without a final line end stays without one; the renamed quote
    // can be renamed again, back into the middle of the list.
    h.quote(QStringLiteral("Zulu 1"), "No line end");
    h.t.messages.clear();
    h.typeNewName(QStringLiteral("Acme 11"));
    h.click("cmdRename");
    QCOMPARE(h.messages(),
             QStringList{msg("Quote renamed", "The quote has been renamed to Acme 11 !", Excl)});
    QCOMPARE(h.fileOf(QStringLiteral("Acme 11")), QByteArray("No line end"));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("No line end"));
    QCOMPARE(h.listed(), (QStringList{"Acme 10", "Acme 11", "Bolt 2"}));
}

void TestSavedQuotesActions::renameRefusesMissingTakenAndUnusableNames()
{
    SavedQuotesHarness h;
    const QByteArray acme9("Acme nine\r\n");
    QVERIFY(loadThreeWithAcme9Open(h, acme9));
    h.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.w.get()));
    const auto untouched = [&] {
        return h.fileOf(QStringLiteral("Acme 9")) == acme9
            && h.fileOf(QStringLiteral("Acme 10")) == QByteArray("Acme ten\r\n")
            && h.openName()->text() == QLatin1String("Acme 9")
            && h.openText()->toPlainText() == QLatin1String("Acme nine")
            && h.listed() == QStringList{"Acme 9", "Acme 10", "Bolt 2"};
    };

    h.get<QPushButton>("cmdOpen")->setFocus();
    h.click("cmdRename");
    QCOMPARE(h.messages(),
             QStringList{msg("Quote name", "Please enter a new name for the quote !", Excl)});
    QCOMPARE(QApplication::focusWidget(), h.newName());
    QVERIFY(untouched());

    // Its own name and another quote's name are both taken.
    for (const QString &taken : {QStringLiteral("Acme 9"), QStringLiteral("Acme 10")}) {
        h.t.messages.clear();
        h.get<QPushButton>("cmdOpen")->setFocus();
        h.typeNewName(taken);
        h.click("cmdRename");
        QCOMPARE(h.messages(), QStringList{exists(taken)});
        QCOMPARE(h.newName()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), h.newName());
        QVERIFY(untouched());
    }

    // Names that would leave the quotes folder, hold wildcards or that the
    // disk cannot hold get the refusal used when saving; the typed text
    // stays to be corrected.
    h.t.write(Paths::installRoot() + QStringLiteral("\\Outside.txt"), "outside\r\n");
    for (const QString &bad : {QStringLiteral("..\\Outside"), QStringLiteral("../Outside"),
                               QStringLiteral("Acme*")}) {
        h.t.messages.clear();
        h.typeNewName(bad);
        h.click("cmdRename");
        QCOMPARE(h.messages(), QStringList{msg("Invalid quote name",
                                               Store::unsafeQuoteNameMessage(bad), Excl)});
        QCOMPARE(h.newName()->text(), bad);
        QCOMPARE(QApplication::focusWidget(), h.newName());
        QVERIFY(untouched());
    }
    QCOMPARE(h.t.read(Paths::installRoot() + QStringLiteral("\\Outside.txt")),
             QByteArray("outside\r\n"));
    QCOMPARE(QDir(h.t.native(Paths::quotesFolder())).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"Acme 10.txt", "Acme 9.txt", "Bolt 2.txt"}));

    // A name taken by a file with a capital ending is taken too.
    h.t.write(Paths::quotesFolder() + QStringLiteral("\\Old.TXT"), "old\r\n");
    h.t.messages.clear();
    h.typeNewName(QStringLiteral("Old"));
    h.click("cmdRename");
    QCOMPARE(h.messages(), QStringList{exists(QStringLiteral("Old"))});
    QVERIFY(untouched());
}

void TestSavedQuotesActions::renameThatTheDiskRefusesChangesNothing()
{
    SavedQuotesHarness h;
    QVERIFY(loadThreeWithAcme9Open(h, "Acme nine\r\n"));
    h.t.files.failWrites = true;
    h.typeNewName(QStringLiteral("Zulu"));
    h.click("cmdRename");
    QCOMPARE(h.messages(),
             QStringList{msg("Quote not renamed",
                             "The quote Acme 9 could not be renamed to Zulu, it keeps its name !",
                             Excl)});
    QCOMPARE(h.fileOf(QStringLiteral("Acme 9")), QByteArray("Acme nine\r\n"));
    QVERIFY(!h.hasFile(QStringLiteral("Zulu")));
    QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));
    QCOMPARE(h.newName()->text(), QStringLiteral("Zulu"));
    QCOMPARE(h.listed(), (QStringList{"Acme 9", "Acme 10", "Bolt 2"}));
}

void TestSavedQuotesActions::deleteAsksAndNoKeepsEverything()
{
    SavedQuotesHarness h;
    QVERIFY(loadThreeWithAcme9Open(h, "Acme nine\r\n"));
    h.t.messages.answerNext(MsgAnswer::No);
    h.click("cmdDelete");
    QCOMPARE(h.messages(),
             (QStringList{deleteQuestion(QStringLiteral("Acme 9")),
                          msg("Quote delete canceld", "Quote delete canceld !", Info)}));
    QCOMPARE(h.t.messages.messages.first().buttons, MsgButtons::YesNo);
    QVERIFY(!h.t.messages.unscriptedQuestion);
    QCOMPARE(h.fileOf(QStringLiteral("Acme 9")), QByteArray("Acme nine\r\n"));
    QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Acme nine"));
    QCOMPARE(h.listed(), (QStringList{"Acme 9", "Acme 10", "Bolt 2"}));
    QCOMPARE(h.count()->text(), QStringLiteral("3"));
}

void TestSavedQuotesActions::deleteYesRemovesTheFileButKeepsTheName()
{
    SavedQuotesHarness h;
    QVERIFY(loadThreeWithAcme9Open(h, "Acme nine\r\n"));
    QVERIFY(h.select(QStringLiteral("Bolt 2"))); // the selection is not what is deleted
    h.t.messages.answerNext(MsgAnswer::Yes);
    h.click("cmdDelete");
    QCOMPARE(h.messages(),
             (QStringList{deleteQuestion(QStringLiteral("Acme 9")),
                          msg("Quote deleted", "The quote Acme 9 has been deleted !", Info)}));
    QVERIFY(!h.hasFile(QStringLiteral("Acme 9")));
    QCOMPARE(h.fileOf(QStringLiteral("Bolt 2")), QByteArray("Bolt two\r\n"));
    QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));
    QCOMPARE(h.openText()->toPlainText(), QString());
    QCOMPARE(h.listed(), (QStringList{"Acme 10", "Bolt 2"}));
    QCOMPARE(h.count()->text(), QStringLiteral("2"));
}

void TestSavedQuotesActions::deletingTheLastQuoteTellsTheListIsEmpty()
{
    SavedQuotesHarness h;
    h.quote(QStringLiteral("Only"), "Only quote\r\n");
    QVERIFY(h.load());
    QVERIFY(h.openQuote(QStringLiteral("Only")));
    h.t.messages.answerNext(MsgAnswer::Yes);
    h.click("cmdDelete");
    QCOMPARE(h.messages(),
             (QStringList{deleteQuestion(QStringLiteral("Only")),
                          msg("Quote deleted", "The quote Only has been deleted !", Info),
                          EmptyList}));
    QCOMPARE(h.count()->text(), QStringLiteral("0"));
    QCOMPARE(h.list()->count(), 0);
    QVERIFY(!h.hasFile(QStringLiteral("Only")));
}

void TestSavedQuotesActions::deleteThatTheDiskRefusesChangesNothing()
{
    SavedQuotesHarness h;
    QVERIFY(loadThreeWithAcme9Open(h, "Acme nine\r\n"));
    h.t.files.failWrites = true;
    h.t.messages.answerNext(MsgAnswer::Yes);
    h.click("cmdDelete");
    QCOMPARE(h.messages(),
             (QStringList{deleteQuestion(QStringLiteral("Acme 9")),
                          msg("Quote not deleted",
                              "The quote Acme 9 could not be deleted, it is still saved !", Excl)}));
    QCOMPARE(h.fileOf(QStringLiteral("Acme 9")), QByteArray("Acme nine\r\n"));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Acme nine"));
    QCOMPARE(h.listed(), (QStringList{"Acme 9", "Acme 10", "Bolt 2"}));
    QCOMPARE(h.count()->text(), QStringLiteral("3"));
}

void TestSavedQuotesActions::aQuoteWhoseFileIsGoneIsReportedByEveryButton()
{
    SavedQuotesHarness h;
    QVERIFY(loadThreeWithAcme9Open(h, "Acme nine\r\n"));
    h.t.messages.answerNext(MsgAnswer::Yes);
    h.click("cmdDelete");
    h.t.messages.clear();

    // Deleted here: the name is still shown and every button says the quote
    // is gone, without a question, an editor, a print job or a new file.
    h.typeNewName(QStringLiteral("Zulu"));
    for (const char *button :
         {"cmdPrint", "cmdEditqute", "cmdRename", "cmdDelete", "cmdRefreshQuote"})
        h.click(button);
    QCOMPARE(h.messages(), QStringList(5, notFound(QStringLiteral("Acme 9"))));
    QVERIFY(h.t.printers.jobs.empty());
    QVERIFY(h.t.launcher.editorFiles.isEmpty());
    QVERIFY(!h.hasFile(QStringLiteral("Zulu")));
    QCOMPARE(h.newName()->text(), QStringLiteral("Zulu"));
    QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));
    QCOMPARE(h.listed(), (QStringList{"Acme 10", "Bolt 2"}));
    QCOMPARE(h.count()->text(), QStringLiteral("2"));

    // Removed outside the program while open: the same, and the text on
    // screen stays.
    QVERIFY(h.openQuote(QStringLiteral("Bolt 2")));
    h.t.remove(Paths::quoteFile(QStringLiteral("Bolt 2")));
    h.t.messages.clear();
    for (const char *button :
         {"cmdRefreshQuote", "cmdPrint", "cmdEditqute", "cmdRename", "cmdDelete"})
        h.click(button);
    QCOMPARE(h.messages(), QStringList(5, notFound(QStringLiteral("Bolt 2"))));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Bolt two"));
    QVERIFY(h.t.printers.jobs.empty());
    QVERIFY(h.t.launcher.editorFiles.isEmpty());
    QVERIFY(!h.t.messages.unscriptedQuestion);

    // The window stays usable.
    QVERIFY(h.openQuote(QStringLiteral("Acme 10")));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Acme ten"));
}

void TestSavedQuotesActions::aQuoteRemovedOutsideCannotBeOpened()
{
    SavedQuotesHarness h;
    QVERIFY(loadThreeWithAcme9Open(h, "Acme nine\r\n"));
    h.t.remove(Paths::quoteFile(QStringLiteral("Bolt 2")));
    QVERIFY(h.select(QStringLiteral("Bolt 2")));
    h.click("cmdOpen");
    QCOMPARE(h.messages(), QStringList{notFound(QStringLiteral("Bolt 2"))});
    // The quote that was open stays open, and the list as it was.
    QCOMPARE(h.openName()->text(), QStringLiteral("Acme 9"));
    QCOMPARE(h.openText()->toPlainText(), QStringLiteral("Acme nine"));
    QCOMPARE(h.listed(), (QStringList{"Acme 9", "Acme 10", "Bolt 2"}));
}

QTEST_MAIN(TestSavedQuotesActions)
#include "test_savedquotes_actions.moc"

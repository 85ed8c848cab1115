// The saved quotes window: the list of quotes, opening, refreshing and
// closing, and what it does with the open quote: print, preview, export,
// edit, rename and delete, with every refusal and confirmation in order.
#include "WidgetDriver.h"

#include "savedquotes/frmOpenSavedQuotes.h"
#include "store/Paths.h"
#include "store/Store.h"

#include <QMenu>
#include <QScreen>
#include <memory>

namespace {

const QString Empty = "Saved quotes: You do not currently have any saved quotes ! (Information)";
const QString NoOpen = "No quote to open: Please select a quote to open ! (Exclamation)";
const QString NoPrint = "No quote to print: Please open a quote to print ! (Exclamation)";
const QStringList Three{"Acme 9", "Acme 10", "Bolt 2"};
QString renamed(const QString &name)
{
    return "Quote renamed: The quote has been renamed to " + name + " ! (Exclamation)";
}
QString question(const QString &name)
{
    return "Delete quote: Are you sure that you want to delete the quote " + name
        + " (Question, YesNo)";
}

// The real window over a temporary drive, its printer settings known.
struct Saved {
    Saved()
    {
        t.makeTree();
        t.settings.printer = {"Office Laser", "Arial", "10", "Off", "Off", "Off", "1440", "720"};
    }
    void quote(const QString &name, const QByteArray &bytes)
    {
        t.write(Paths::quoteFile(name), bytes);
    }
    QByteArray fileOf(const QString &name) const { return t.read(Paths::quoteFile(name)); }
    bool load()
    {
        w = std::make_unique<frmOpenSavedQuotes>(t.platform, t.settings);
        return showActive(w.get());
    }
    // Acme 10, Acme 9 and Bolt 2 listed, Acme 9 open unless told not, nothing told.
    bool loadThree(const QByteArray &acme9 = "Acme nine\r\n", bool open = true)
    {
        quote("Acme 10", "Acme ten\r\n");
        quote("Acme 9", acme9);
        quote("Bolt 2", "Bolt two\r\n");
        return load() && (!open || openQuote("Acme 9")) && t.messages.messages.isEmpty();
    }
    bool select(const QString &name) { return pick(w.get(), "lstSavedQuotes", name); }
    bool openQuote(const QString &name)
    {
        if (!select(name))
            return false;
        click(w.get(), "cmdOpen");
        return text("txtOpenQuoteName") == name;
    }
    QString text(const QString &control) const { return textOf(w.get(), control); }
    QStringList listed() const { return itemsOf(w.get(), "lstSavedQuotes"); }
    // The messages told since the last look.
    QStringList told()
    {
        const QStringList lines = said(t.messages);
        t.messages.clear();
        return lines;
    }
    // Opens the context menu of the list or the text as a user does (0: right
    // click, 1: the Menu key, 2: Shift+F10), presses the key in it, and gives
    // the items it showed.
    QStringList fromMenu(const QString &name, int how, Qt::Key key)
    {
        auto *control = child<QAbstractScrollArea>(w.get(), name);
        QStringList items;
        whenUp(QApplication::activePopupWidget, [&items, key](QWidget *popup) {
            for (QAction *item : qobject_cast<QMenu *>(popup)->actions())
                items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
            QTest::keyClick(popup, key);
        });
        const QPoint at = control->viewport()->rect().center();
        if (how == 0) {
            QTest::mouseClick(w->windowHandle(), Qt::RightButton, {},
                              control->viewport()->mapTo(w.get(), at));
        } else if (how == 1) {
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at,
                                      control->viewport()->mapToGlobal(at));
            QApplication::sendEvent(control->viewport(), &menuKey);
        } else {
            w->activateWindow(); // a shortcut works in the active window only
            if (!QTest::qWaitForWindowActive(w.get()))
                return {"<the window is not active>"};
            control->setFocus();
            press(Qt::Key_F10, Qt::ShiftModifier);
        }
        if (!QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }))
            items.append(QStringLiteral("<the menu stayed open>"));
        return items;
    }

    TestPlatform t;
    std::unique_ptr<frmOpenSavedQuotes> w;
};

} // namespace

class TestSavedQuotes : public QObject {
    Q_OBJECT
private slots:
    void formAndTabOrder()
    {
        Saved s;
        s.quote("One", "x\r\n");
        QVERIFY(s.load());
        QVERIFY((s.w->geometry().center() - s.w->screen()->availableGeometry().center())
                    .manhattanLength()
                <= 4);
        checkFrame(
            s.w.get(), "Saved quotes",
            QString(
                "cmdOpen cmdPrint cmdEditqute cmdRefreshQuote cmdRename txtRenameQuote cmdDelete "
                "cmdClose txtNumberOfQuotes lstSavedQuotes txtOpenQuoteName txtOpenQuote")
                .split(' '));
        for (const QString name : {"txtNumberOfQuotes", "txtOpenQuoteName", "txtOpenQuote"})
            QVERIFY2(child(s.w.get(), name)->property("readOnly").toBool(), qPrintable(name));
        QCOMPARE(s.text("txtOpenQuoteName") + s.text("txtOpenQuote"), QString());
        typeInto(s.w.get(), "txtRenameQuote", QString(120, 'n')); // at most 100 characters
        QCOMPARE(s.text("txtRenameQuote"), QString(100, 'n'));
    }

    // Letter case does not decide the order; numbers go by value only after
    // text that is the same letter for letter; only ordinary .txt files count.
    void listing_data()
    {
        rowsOf({"Bolt 2.txt,Acme 10.txt,Acme 9.txt|Acme 9,Acme 10,Bolt 2",
                "zeta.txt,beta 12.txt,Alpha.txt,beta 4.txt,ALPHA 2.txt,Beta 10.txt,beta "
                "3.txt|Alpha,ALPHA 2,Beta 10,beta 3,beta 4,beta 12,zeta",
                "a.b.txt,Capital.TXT,.hidden.txt,letter.doc,Folder.txt/,.txt|.hidden,a.b,Capital"});
    }
    void listing()
    {
        QFETCH(QStringList, row);
        const QStringList files = row[0].split(','), expected = row[1].split(',');
        Saved s;
        for (const QString &file : files) {
            const QString path = Paths::quotesFolder() + '\\' + QString(file).remove('/');
            file.endsWith('/') ? s.t.makeFolder(path) : s.t.write(path, "q\r\n");
        }
        QVERIFY(s.load());
        QCOMPARE(s.listed(), expected);
        QCOMPARE(s.text("txtNumberOfQuotes"), QString::number(expected.size()));
        // Every listed quote opens, whatever the case of its file's ending.
        s.t.write(Paths::quotesFolder() + '\\' + files.at(1), "Carried over\r\n");
        QVERIFY(s.openQuote(QString(files.at(1)).chopped(4)));
        QCOMPARE(s.text("txtOpenQuote"), QStringLiteral("Carried over"));
        QCOMPARE(s.told(), QStringList());
    }

    // Told while the window is built, before it shows; the buttons then say
    // there is nothing to act on.
    void emptyOrVanishedFolder_data() { rowsOf({"empty", "vanished"}); }
    void emptyOrVanishedFolder()
    {
        QFETCH(QStringList, row);
        Saved s;
        if (row[0] == "vanished")
            s.t.remove(Paths::quotesFolder());
        QStringList whileTold;
        s.t.messages.onShow = [&](const RecordedMessage &) {
            for (QWidget *widget : QApplication::allWidgets())
                if (widget->objectName() == "frmOpenSavedQuotes")
                    whileTold << QString::number(widget->isVisible())
                            + textOf(widget, "txtNumberOfQuotes");
        };
        QVERIFY(s.load());
        QCOMPARE(s.told(),
                 (row[0] == "vanished"
                      ? QStringList("Saved quotes: The directory (" + Paths::quotesFolder()
                                    + ") cannot be read ! (Exclamation)")
                      : QStringList())
                     << Empty);
        QCOMPARE(whileTold.last(), QStringLiteral("00"));
        QCOMPARE(s.listed(), QStringList());
        click(s.w.get(), "cmdOpen");
        click(s.w.get(), "cmdPrint");
        QCOMPARE(s.told(), QStringList({NoOpen, NoPrint}));
    }

    // Open and refresh drop exactly one trailing line break; a line with no
    // place to break (a crash can leave a quote of NUL bytes) is never laid
    // out longer than 4096 characters, yet shows whole and prints whole.
    void openAndRefreshShowTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one line end")
            << QByteArray("Customer\r\nTotal 10\r\n") << "Customer\nTotal 10";
        QTest::newRow("two line ends")
            << QByteArray("Customer\r\nFooter\r\n\r\n") << "Customer\nFooter\n";
        QTest::newRow("no line end") << QByteArray("Only line") << "Only line";
        QTest::newRow("long, no blanks") << QByteArray(64 * 1024, 'x') << "";
        QTest::newRow("long, NUL bytes") << QByteArray(64 * 1024, '\0') << "";
        QTest::newRow("long, words")
            << QByteArray("Two laser printers, delivered. ").repeated(2000) << "";
    }
    void openAndRefreshShowTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, shown);
        Saved s;
        s.quote("Acme", file + (shown.isEmpty() ? "\r\n" : ""));
        QVERIFY(s.load());
        QVERIFY(s.openQuote("Acme"));
        if (shown.isEmpty()) {
            QVERIFY(child<QPlainTextEdit>(s.w.get(), "txtOpenQuote")->blockCount()
                    >= file.size() / 4096);
            QCOMPARE(s.text("txtOpenQuote").remove('\n'), QString::fromUtf8(file));
            click(s.w.get(), "cmdPrint");
            QString printed;
            for (const RecordingSurface::Piece &piece : s.t.printers.lastJob().pieces)
                printed += piece.text;
            static const QRegularExpression blanks("[\\x00-\\x20]");
            QCOMPARE(printed.remove(blanks), QString::fromUtf8(file).remove(blanks));
            return;
        }
        QCOMPARE(s.text("txtOpenQuote"), shown);
        s.quote("Acme", "Changed\r\n" + file); // changed outside (the editor), then refreshed
        click(s.w.get(), "cmdRefreshQuote");
        QCOMPARE(s.text("txtOpenQuote"), "Changed\n" + shown);
        QCOMPARE(s.told(), QStringList());
    }

    // Refresh and Open read the file again; the list stays as it was; Open
    // needs an entry chosen (by click or assistive tool), and choosing one
    // (even by double-click) opens nothing; closing asks nothing.
    void openRefreshAndClose()
    {
        Saved s;
        QVERIFY(s.loadThree("Acme nine\r\n", false));
        click(s.w.get(), "cmdOpen");
        QCOMPARE(s.told(), QStringList(NoOpen));
        QVERIFY(s.openQuote("Bolt 2"));
        child<QListWidget>(s.w.get(), "lstSavedQuotes")->clearSelection();
        click(s.w.get(), "cmdOpen");
        QCOMPARE(s.told(), QStringList(NoOpen));
        auto *list = child<QListWidget>(s.w.get(), "lstSavedQuotes");
        QVERIFY(s.select("Acme 9"));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualItemRect(list->item(0)).center());
        QCOMPARE(s.text("txtOpenQuoteName") + s.text("txtOpenQuote"),
                 QStringLiteral("Bolt 2Bolt two"));
        QVERIFY(selectAsAssistiveTool(list, "Acme 10"));
        QVERIFY(list->currentItem()->text() != "Acme 10");
        click(s.w.get(), "cmdOpen");
        QCOMPARE(s.text("txtOpenQuoteName") + s.text("txtOpenQuote"),
                 QStringLiteral("Acme 10Acme ten"));

        s.quote("Acme 10", "Second\r\n");
        s.quote("Added", "new\r\n");
        QVERIFY(s.select("Bolt 2")); // the selection does not matter
        click(s.w.get(), "cmdRefreshQuote");
        QCOMPARE(s.text("txtOpenQuoteName") + s.text("txtOpenQuote"),
                 QStringLiteral("Acme 10Second"));
        QCOMPARE(s.listed() << s.text("txtNumberOfQuotes"), Three + QStringList("3"));
        s.quote("Acme 10", "Third\r\n");
        QVERIFY(s.openQuote("Acme 10")); // the open entry is read again, like refresh
        QCOMPARE(s.text("txtOpenQuote"), QStringLiteral("Third"));
        QCOMPARE(s.told(), QStringList());
        // A file that cannot be read is told; the open quote stays as it was.
        s.t.files.failReads = true;
        click(s.w.get(), "cmdRefreshQuote");
        QVERIFY(s.select("Bolt 2"));
        click(s.w.get(), "cmdOpen");
        QCOMPARE(s.told(),
                 QStringList({"Quote not read: The quote Acme 10 cannot be read ! (Exclamation)",
                              "Quote not read: The quote Bolt 2 cannot be read ! (Exclamation)"}));
        QCOMPARE(s.text("txtOpenQuoteName") + s.text("txtOpenQuote"),
                 QStringLiteral("Acme 10Third"));
        s.t.files.failReads = false;

        click(s.w.get(), "cmdClose");
        QVERIFY(!s.w->isVisible());
        QVERIFY(s.load()); // the next opening starts afresh
        QCOMPARE(s.text("txtOpenQuoteName"), QString());
        QVERIFY(s.openQuote("Acme 9"));
        QVERIFY(s.w->close() && !s.w->isVisible()); // the title-bar close box
        QCOMPARE(s.told(), QStringList());
        QCOMPARE(s.fileOf("Acme 9"), QByteArray("Acme nine\r\n"));
    }

    // The open text goes to the printer as the file holds it (a lone CR, a
    // line separator and a no-break space kept, the one line end the window
    // dropped adding no line); both context menus preview it and export it
    // as PDF whatever is selected, with the page Print makes.
    void printPreviewAndExport()
    {
        Saved s;
        QVERIFY(s.loadThree("Customer: Acme\r\nMonthly rental 100\r\n\r\n"));
        QVERIFY(s.select("Bolt 2"));
        click(s.w.get(), "cmdPrint");
        RecordingSurface &job = s.t.printers.lastJob();
        QVERIFY(job.ended);
        QCOMPARE(job.lines(), QStringList({"Customer: Acme", "Monthly rental 100", ""}));
        QCOMPARE(QPointF(job.pieces.first().x, job.pieces.first().y), QPointF(1440, 720));
        QCOMPARE(job.fontName + QString::number(job.fontSize), "Arial10");
        QCOMPARE(s.told(),
                 QStringList("Printing: The quote Acme 9 has been sent to the printer Office Laser "
                             "(Information)"));

        const QStringList ours{"&Print preview", "&Export as PDF..."};
        QCOMPARE(s.fromMenu("lstSavedQuotes", 0, Qt::Key_E), ours);
        const QString pdf = s.t.pages.documents + QStringLiteral("/Acme 9.pdf");
        QCOMPARE(s.told(),
                 QStringList("Quote exported: The quote has been saved as "
                             + QDir::toNativeSeparators(pdf) + " (Information)"));
        QVERIFY(QFileInfo(pdf).size() > 0);
        const QStringList items = s.fromMenu("txtOpenQuote", 1, Qt::Key_P);
        QVERIFY2(items.size() > 3 && items.mid(items.size() - 3) == QStringList{"-"} + ours,
                 qPrintable(items.join('|')));
        QCOMPARE(s.t.pages.previewed, QStringList("Office Laser | Acme 9"));
        QCOMPARE(s.t.pages.previewPages.back()->events, job.events);
        QCOMPARE(s.fromMenu("lstSavedQuotes", 2, Qt::Key_Escape), ours);
        QCOMPARE(s.fromMenu("txtOpenQuote", 2, Qt::Key_Escape).mid(items.size() - 2), ours);
        QCOMPARE(s.t.pages.proposed.size(), 1);
        QCOMPARE(s.told(), QStringList());

        s.quote("Bolt 2",
                "Acme\xc2\xa0Ltd\rUnit\xe2\x80\xa8"
                "4\r\n");
        QVERIFY(s.openQuote("Bolt 2"));
        click(s.w.get(), "cmdPrint");
        QCOMPARE(s.t.printers.lastJob().lines(),
                 QStringList({QStringLiteral("Acme\u00a0LtdUnit\u20284"), ""}));
        s.told();
        s.t.printers.startError = QStringLiteral("no printer is installed"); // never told as sent
        click(s.w.get(), "cmdPrint");
        QCOMPARE(s.told(),
                 QStringList("Printing: The print job could not be started: no printer is "
                             "installed ! (Exclamation)"));
    }

    // Told first, then the editor started on the file; no editor is told too.
    void editTellsFirstThenStartsTheEditorOnTheFile()
    {
        Saved s;
        QVERIFY(s.loadThree("Acme\r\n"));
        QStringList editorWhileTold{"not told"};
        s.t.messages.onShow = [&](const RecordedMessage &) {
            editorWhileTold = s.t.launcher.editorFiles;
        };
        const QString file = s.t.native(Paths::quoteFile("Acme 9"));
        click(s.w.get(), "cmdEditqute");
        QCOMPARE(editorWhileTold, QStringList());
        QCOMPARE(s.t.launcher.editorFiles, QStringList(file));
        s.t.launcher.succeed = false;
        click(s.w.get(), "cmdEditqute");
        const QString note = "Edit quote: You will need to refresh the quote once you have edited "
                             "it in order to view the changes ! (Information)";
        QCOMPARE(s.told(),
                 QStringList({note, note,
                              "Edit quote: No text editor could be started for the quote Acme 9 ("
                                  + file + ") ! (Exclamation)"}));
        QVERIFY(s.w->isVisible() && s.text("txtOpenQuote") == "Acme");
    }

    // The file moves whole (an edit not refreshed included), the quote stays
    // open under its new name, and the list is sorted again; odd names
    // (not UTF-8, a leading dot) are renamed and deleted too.
    void renameMovesTheFileWhole()
    {
        Saved s;
        QVERIFY(s.loadThree("Customer: Acme\r\nTotal 9\r\n\r\n"));
        const QByteArray edited("Customer: Acme Ltd\r\nCaf\xc3\xa9\r\n\r\n");
        s.quote("Acme 9", edited);
        for (const QString name : {"Zulu 1", "Acme 11"}) {
            typeInto(s.w.get(), "txtRenameQuote", name, true);
            click(s.w.get(), "cmdRename");
            QCOMPARE(s.told(), QStringList(renamed(name)));
            QCOMPARE(s.fileOf(name), name == "Zulu 1" ? edited : QByteArray("No line end"));
            QCOMPARE(s.text("txtOpenQuote"),
                     name == "Zulu 1" ? QString::fromUtf8("Customer: Acme Ltd\nCaf\xc3\xa9\n")
                                      : "No line end");
            QCOMPARE(s.text("txtOpenQuoteName") + "|" + s.text("txtRenameQuote") + "|"
                         + s.text("txtNumberOfQuotes"),
                     name + "||3");
            s.quote(name, "No line end");
        }
        QVERIFY(!QFileInfo::exists(s.t.native(Paths::quoteFile("Acme 9"))));
        QCOMPARE(s.listed(), QStringList({"Acme 10", "Acme 11", "Bolt 2"}));

        s.t.makeRaw(Paths::quotesFolder(), "Caf\xe9.txt");
        s.t.makeRaw(Paths::quotesFolder(), "Th\xe9.txt");
        const QString cafe = "Caf" + QString(QChar(0xDCE9)), the = "Th" + QString(QChar(0xDCE9));
        QVERIFY(s.load());
        QVERIFY(s.openQuote(cafe));
        typeInto(s.w.get(), "txtRenameQuote", ".A");
        click(s.w.get(), "cmdRename");
        QVERIFY(s.openQuote(the));
        s.t.messages.answerNext(MsgAnswer::Yes);
        click(s.w.get(), "cmdDelete");
        QCOMPARE(
            s.told(),
            QStringList({renamed(".A"), question(the),
                         "Quote deleted: The quote " + the + " has been deleted ! (Information)"}));
        QCOMPARE(s.listed(), QStringList({".A", "Acme 10", "Acme 11", "Bolt 2"}));
        QCOMPARE(s.text("txtNumberOfQuotes"), "4");
    }

    // A refused name changes nothing on disk or in the window, and never
    // reaches outside the folder; a name that is no file name keeps the text.
    void renameRefusals_data()
    {
        rowsOf({"|Quote name: Please enter a new name for the quote !", "Acme 9|", "Acme 10|",
                "Old|", "Planted|", "..\\Outside|unsafe", "../Outside|unsafe", "Acme*|unsafe",
                "Zulu|Quote not renamed: The quote Acme 9 could not be renamed to Zulu, it keeps "
                "its name !"});
    }
    void renameRefusals()
    {
        QFETCH(QStringList, row);
        const QString name = row[0];
        Saved s;
        s.t.write(Paths::quotesFolder() + "\\Old.TXT", "old\r\n");
        s.t.write(Paths::installRoot() + "\\Outside.txt", "outside\r\n");
        s.t.makeRaw(Paths::quotesFolder(), "Planted.txt",
                    QFile::encodeName(s.t.dir.path() + "/created.txt"));
        QVERIFY(s.loadThree());
        child(s.w.get(), "cmdOpen")->setFocus();
        s.t.files.failWrites = name == "Zulu";
        typeInto(s.w.get(), "txtRenameQuote", name);
        click(s.w.get(), "cmdRename");
        const QString message = row[1].isEmpty() ? "Quote already exists: The quote " + name
                + " already exists, please enter a different name for the quote !"
            : row[1] == "unsafe" ? "Invalid quote name: " + Store::unsafeQuoteNameMessage(name)
                                 : row[1];
        QCOMPARE(s.told(), QStringList(message + " (Exclamation)"));
        QCOMPARE(s.text("txtRenameQuote"), row[1] == "unsafe" || name == "Zulu" ? name : QString());
        QCOMPARE(focusName(), name == "Zulu" ? focusName() : "txtRenameQuote");
        QCOMPARE(s.text("txtOpenQuoteName") + s.text("txtOpenQuote"),
                 QStringLiteral("Acme 9Acme nine"));
        QCOMPARE(s.listed(), Three + QStringList("Old"));
        QCOMPARE(s.t.read(Paths::installRoot() + "\\Outside.txt") + s.fileOf("Acme 9")
                     + s.fileOf("Acme 10"),
                 "outside\r\nAcme nine\r\nAcme ten\r\n");
        QVERIFY(!QFileInfo::exists(s.t.dir.path() + "/created.txt"));
        QCOMPARE(
            QDir(s.t.native(Paths::quotesFolder())).entryList(QDir::Files | QDir::Hidden).join('|'),
            "Acme 10.txt|Acme 9.txt|Bolt 2.txt|Old.TXT");
    }

    // The open quote is deleted, not the selection, once the user says Yes;
    // the name stays shown, the text only while the file is there.
    void deleteAsksFirst_data()
    {
        rowsOf({"No|Quote delete canceld: Quote delete canceld ! (Information)",
                "Yes|Quote deleted: The quote Acme 9 has been deleted ! (Information)",
                "disk refuses|Quote not deleted: The quote Acme 9 could not be deleted, it is "
                "still saved ! (Exclamation)"});
    }
    void deleteAsksFirst()
    {
        QFETCH(QStringList, row);
        Saved s;
        QVERIFY(s.loadThree());
        QVERIFY(s.select("Bolt 2"));
        s.t.files.failWrites = row[0] == "disk refuses";
        s.t.messages.answerNext(row[0] == "No" ? MsgAnswer::No : MsgAnswer::Yes);
        click(s.w.get(), "cmdDelete");
        QCOMPARE(s.told(), QStringList({question("Acme 9"), row[1]}));
        const bool gone = row[0] == "Yes";
        QCOMPARE(s.fileOf("Acme 9") + s.fileOf("Bolt 2"),
                 (gone ? "<missing>" : "Acme nine\r\n") + QByteArray("Bolt two\r\n"));
        QCOMPARE(s.text("txtOpenQuoteName") + "|" + s.text("txtOpenQuote"),
                 gone ? "Acme 9|" : "Acme 9|Acme nine");
        QCOMPARE(s.listed() << s.text("txtNumberOfQuotes"),
                 gone ? QStringList({"Acme 10", "Bolt 2", "2"}) : Three + QStringList("3"));
        if (gone) { // the last quote deleted tells the list is empty
            QVERIFY(s.openQuote("Acme 10"));
            s.t.remove(Paths::quoteFile("Bolt 2"));
            s.t.messages.answerNext(MsgAnswer::Yes);
            click(s.w.get(), "cmdDelete");
            QCOMPARE(s.told().mid(2), QStringList(Empty));
        }
    }

    // Each button and menu action refuses with its message, without a
    // question, an editor, a print job or a new file; name and text stay.
    void eachButtonRefuses_data() { rowsOf({"nothing open", "deleted here", "removed outside"}); }
    void eachButtonRefuses()
    {
        QFETCH(QStringList, row);
        const int state = row[0] == "nothing open" ? 0 : row[0] == "deleted here" ? 1 : 2;
        Saved s;
        QVERIFY(s.loadThree("Acme nine\r\n", state != 0));
        if (state == 0) {
            QVERIFY(s.select("Acme 9")); // a selection is not an open quote
        } else if (state == 1) {
            s.t.messages.answerNext(MsgAnswer::Yes);
            click(s.w.get(), "cmdDelete");
            s.told();
        } else {
            s.t.remove(Paths::quoteFile("Acme 9"));
        }
        typeInto(s.w.get(), "txtRenameQuote", "Zulu");
        for (const QString button :
             {"cmdPrint", "cmdEditqute", "cmdRename", "cmdDelete", "cmdRefreshQuote"})
            click(s.w.get(), button);
        trigger(s.w.get(), "quotePrintPreview");
        trigger(s.w.get(), "quoteExportPdf");
        const QString notFound =
            "Quote not found: The quote Acme 9 cannot be found ! (Exclamation)";
        QCOMPARE(s.told(),
                 state
                     ? QStringList(7, notFound)
                     : QStringList(
                         {NoPrint, "No quote to edit: Please open a quote to edit ! (Exclamation)",
                          "No quote to rename: Please open a quote to rename ! (Exclamation)",
                          "No quote to delete: Please open a quote to delete ! (Exclamation)",
                          "No quote open to refresh: Please select a quote to open and edit before "
                          "refreshing ! (Exclamation)",
                          NoPrint, NoPrint}));
        QVERIFY(s.t.printers.jobs.empty() && s.t.pages.previewed.isEmpty()
                && s.t.pages.proposed.isEmpty());
        QVERIFY(s.t.launcher.editorFiles.isEmpty() && !s.t.messages.unscriptedQuestion);
        QCOMPARE(s.fileOf("Zulu") + "|" + s.fileOf("Acme 9"),
                 state ? "<missing>|<missing>" : "<missing>|Acme nine\r\n");
        QCOMPARE(s.text("txtRenameQuote") + "|" + s.text("txtOpenQuoteName") + "|"
                     + s.text("txtOpenQuote"),
                 QStringList({"Zulu||", "Zulu|Acme 9|", "Zulu|Acme 9|Acme nine"})[state]);
        QCOMPARE(s.listed(), state == 1 ? QStringList({"Acme 10", "Bolt 2"}) : Three);
        // A listed quote removed outside cannot be opened; what is open stays.
        s.t.remove(Paths::quoteFile("Bolt 2"));
        QVERIFY(s.select("Bolt 2"));
        click(s.w.get(), "cmdOpen");
        QCOMPARE(s.told(),
                 QStringList("Quote not found: The quote Bolt 2 cannot be found ! (Exclamation)"));
        QCOMPARE(s.text("txtOpenQuoteName"), state ? QStringLiteral("Acme 9") : QString());
        QVERIFY(s.openQuote("Acme 10")); // the window stays usable
    }
};

QTEST_MAIN(TestSavedQuotes)
#include "test_savedquotes.moc"

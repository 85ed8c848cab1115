// The saved quotes window as a user sees it: messages, window and files.
#include "WidgetDriver.h"

#include "savedquotes/frmOpenSavedQuotes.h"
#include "store/Paths.h"
#include "store/Store.h"

#include <QMenu>
#include <memory>

const QString NoOpen = "No quote to open: Please select a quote to open ! (Exclamation)|";
const QString Empty = "Saved quotes: You do not currently have any saved quotes ! (Information)";
const QString Ask =
    "Delete quote: Are you sure that you want to delete the quote %1 (Question, YesNo)";
const QString Three = "|3|Acme 9,Acme 10,Bolt 2";
const QString Files = "Acme 10.txt=Acme ten\r\n|Acme 9.txt=Acme nine\r\n|Bolt 2.txt=Bolt two\r\n";

// The real window over a temporary drive holding the given files.
struct Saved {
    explicit Saved(const QStringList &files = Files.split('|'))
    {
        t.makeTree();
        t.settings.printer = {"Office Laser", "Arial", "10", "Off", "Off", "Off", "1440", "720"};
        for (const QString &file : files)
            write(file);
    }
    void write(const QString &file) // "name=bytes" in the quotes folder
    {
        t.write(Paths::quotesFolder() + '\\' + file.section('=', 0, 0),
                file.section('=', 1).toUtf8());
    }
    bool load(const QString &open = {}, int nth = -1)
    {
        w = std::make_unique<frmOpenSavedQuotes>(t.platform, t.settings);
        return showActive(w.get()) && (open.isEmpty() || this->open(open, nth));
    }
    bool open(const QString &name, int nth = -1) // the nth entry of the name when given
    {
        const bool picked = pick(w.get(), "lstSavedQuotes", name, nth);
        click(w.get(), "cmdOpen");
        return picked && textOf(w.get(), "txtOpenQuoteName") == name;
    }
    void act(const QStringList &buttons, MsgAnswer answer = MsgAnswer::Yes)
    {
        t.messages.answers.enqueue(answer);
        for (const QString &button : buttons)
            w->findChild<QAction *>(button) ? trigger(w.get(), button) : click(w.get(), button);
    }
    // The messages told since the last look, the window (open name|text|rename
    // box|count|list) and, with files, each entry of the quotes folder=bytes.
    QString seen(bool files = false)
    {
        QStringList lines = said(t.messages);
        t.messages.clear();
        for (const char *name :
             {"txtOpenQuoteName", "txtOpenQuote", "txtRenameQuote", "txtNumberOfQuotes"})
            lines << textOf(w.get(), name);
        lines << itemsOf(w.get(), "lstSavedQuotes").join(',');
        for (const QString &name : QDir(t.native(Paths::quotesFolder()))
                                       .entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (files)
                lines << name + '=' + t.read(Paths::quotesFolder() + '\\' + name);
        return lines.join('|');
    }
    // Opens a context menu by right click or Shift+F10, presses key in it,
    // and gives the items of the window's own that it showed.
    QStringList fromMenu(const QString &name, bool byKeys, Qt::Key key)
    {
        QWidget *view = child<QAbstractScrollArea>(w.get(), name)->viewport();
        QStringList items;
        whenUp(QApplication::activePopupWidget, [&items, key](QWidget *popup) {
            for (QAction *item : qobject_cast<QMenu *>(popup)->actions())
                items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
            QTest::keyClick(popup, key);
        });
        view->parentWidget()->setFocus();
        if (byKeys)
            press(Qt::Key_F10, Qt::ShiftModifier);
        else
            QTest::mouseClick(w->windowHandle(), Qt::RightButton, {},
                              view->mapTo(w.get(), view->rect().center()));
        if (!QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }))
            return {"<the menu stayed open>"};
        return items.mid(items.lastIndexOf("-") + 1);
    }

    TestPlatform t;
    std::unique_ptr<frmOpenSavedQuotes> w;
};

class TestSavedQuotes : public QObject {
    Q_OBJECT
private slots:
    // Case does not decide the order, numbers go by value; only ordinary .txt
    // files count, and each opens its own file, whatever the case of its ending
    // (Twin.TXT, listed first, beside Twin.txt). A folder gone is told before
    // the window shows.
    void listing_data()
    {
        rowsOf({"Bolt 2.txt,Acme 10.txt,Acme 9.txt|3|Acme 9,Acme 10,Bolt 2",
                "zeta.txt,beta 12.txt,Alpha.txt,beta 4.txt,ALPHA 2.txt,Beta 10.txt,beta "
                "3.txt|7|Alpha,ALPHA 2,Beta 10,beta 3,beta 4,beta 12,zeta",
                "a.b.txt,Capital.TXT,.hidden.txt,letter.doc,.txt|3|.hidden,a.b,Capital",
                "Twin.txt,Twin.TXT|2|Twin,Twin", "no folder|0|"});
    }
    void listing()
    {
        QFETCH(QStringList, row);
        const QStringList files = row[0].split(',');
        Saved s(files);
        if (row[0] == "no folder")
            s.t.remove(Paths::quotesFolder());
        QString whileTold;
        s.t.messages.onShow = [&](const RecordedMessage &m) { // over the window still hidden
            whileTold += QString::number(s.w && s.w->isVisible()) + m.over;
        };
        QVERIFY(s.load());
        QCOMPARE(whileTold + s.seen(),
                 row[1] != "0"
                     ? "|||" + row.mid(1).join('|')
                     : "0frmOpenSavedQuotes0frmOpenSavedQuotesSaved quotes: The directory ("
                         + Paths::quotesFolder() + ") cannot be read ! (Exclamation)|" + Empty
                         + "||||0|");
        checkFrame(s.w.get(), "Saved quotes",
                   {"cmdOpen", "cmdPrint", "cmdEditqute", "cmdRefreshQuote", "cmdRename",
                    "txtRenameQuote", "cmdDelete", "cmdClose", "txtNumberOfQuotes",
                    "lstSavedQuotes", "txtOpenQuoteName", "txtOpenQuote"});
        if (row[1] == "0")
            return;
        s.write(files.at(1) + "=Carried over\r\n");
        QVERIFY(s.open(files.at(1).chopped(4), 0));
        QCOMPARE(s.seen(), files.at(1).chopped(4) + "|Carried over||" + row[1] + '|' + row[2]);
    }

    // Open needs an entry chosen, by a click or an assistive tool; a double-click
    // only chooses. Open and Refresh read the file again, less one line break;
    // the open quote, not the chosen one, is printed, previewed and exported
    // from both context menus; Edit tells first, then starts the editor.
    void openRefreshPrintAndEdit()
    {
        Saved s;
        QVERIFY(s.load());
        s.act({"cmdOpen"});
        QVERIFY(s.open("Bolt 2"));
        auto *list = child<QListWidget>(s.w.get(), "lstSavedQuotes");
        list->clearSelection();
        s.act({"cmdOpen"});
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualItemRect(list->item(0)).center());
        QCOMPARE(s.seen(), NoOpen.repeated(2) + "Bolt 2|Bolt two|" + Three);
        QVERIFY(selectAsAssistiveTool(list, "Acme 10") && list->currentItem()->text() != "Acme 10");
        s.act({"cmdOpen"});
        QCOMPARE(s.seen(), "Acme 10|Acme ten|" + Three);

        s.write("Added.txt=new\r\n"); // listed when the window opens again
        QVERIFY(pick(s.w.get(), "lstSavedQuotes", "Bolt 2"));
        QString many; // many lines of every ending: the same lines, in few paragraphs
        for (int i = 0; i < 30000; ++i)
            many += "Line " + QString::number(i) + QStringList{"\r\n", "\r", "\n"}[i % 3];
        // A line too long to lay out shows in pieces ending after a blank in
        // the last quarter of 4096 characters (3072 is not in it), else at
        // 4096, or before a character that would be split.
        const QString words = QString("word ").repeated(1000),
                      wide = QString(3071, 'x') + ' ' + QString(1023, 'x') + "\U0001F600";
        for (const QString &row :
             QStringList{"Customer\r\nTotal 10\r\n|Customer\nTotal 10",
                         words + '|' + words.left(4095) + '\n' + words.mid(4095),
                         wide + '|' + wide.left(4095) + '\n' + wide.mid(4095),
                         many + '|' + QString(many).replace("\r\n", "\n").replace('\r', '\n'),
                         "Customer\r\nFooter\r\n\r\n|Customer\nFooter\n", "One|One"}) {
            s.write("Acme 10.txt=" + row.section('|', 0, 0));
            s.act({"cmdRefreshQuote"});
            const auto *box = child<QPlainTextEdit>(s.w.get(), "txtOpenQuote");
            QVERIFY(box->blockCount() < 1000 && box->toPlainText() == row.section('|', 1));
            // A line separator shows a line as a paragraph break does.
            QCOMPARE(s.seen().replace(QChar::LineSeparator, u'\n'),
                     "Acme 10|" + row.section('|', 1) + '|' + Three);
        }
        s.write("Acme 10.txt=Again\r\nOne");
        QVERIFY(s.open("Acme 10")); // the open entry is read again too
        // A file one byte over the limit (sparse) is refused, never read whole.
        QVERIFY(QFile::resize(s.t.native(Paths::quoteFile("Bolt 2")), Store::MaxQuoteBytes + 1));
        QVERIFY(!s.open("Bolt 2"));
        s.t.files.failReads = true;
        s.act({"cmdRefreshQuote"});
        QCOMPARE(s.seen(),
                 "Quote too large: The quote Bolt 2 is too large to be read, a quote cannot be "
                 "larger than 64 MB ! (Exclamation)|Quote not read: The quote Acme 10 cannot be "
                 "read ! (Exclamation)|Acme 10|Again\nOne|"
                     + Three);
        s.t.files.failReads = false;
        s.write("Acme 10.txt=Customer: Acme\r\nMonthly rental 100\r\n\r\n");
        s.act({"cmdRefreshQuote", "cmdPrint"});
        RecordingSurface &job = s.t.printers.lastJob();
        QCOMPARE(job.lines(1440),
                 QStringList({"", "", "", "Customer: Acme", "Monthly rental 100", ""}));
        QVERIFY(job.ended && job.events.contains("font Arial") && job.events.contains("size 10")
                && job.pieces[0].y == 720);
        const QStringList menus = s.fromMenu("lstSavedQuotes", false, Qt::Key_E)
            + s.fromMenu("txtOpenQuote", true, Qt::Key_P);
        QCOMPARE(menus.join('|'),
                 "&Print preview|&Export as PDF...|&Print preview|&Export as PDF...");
        QCOMPARE(s.t.pages.previewed, QStringList("Office Laser | Acme 10"));
        QCOMPARE(s.t.pages.previewPages.back().events, job.events);
        const QString pdf = s.t.pages.documents + QStringLiteral("/Acme 10.pdf");
        QVERIFY(QFileInfo(pdf).size() > 0);
        s.t.printers.startError = QStringLiteral("no printer is installed"); // never told as sent
        s.act({"cmdPrint"});
        QString editorWhileTold; // how many times the editor was started while each was told
        s.t.messages.onShow = [&](const RecordedMessage &) {
            editorWhileTold += QString::number(s.t.launcher.editorFiles.size());
        };
        s.act({"cmdEditqute"});
        s.t.launcher.succeed = false;
        s.act({"cmdEditqute"});
        const QString file = s.t.native(Paths::quoteFile("Acme 10"));
        QCOMPARE(s.t.launcher.editorFiles + QStringList(editorWhileTold),
                 QStringList({file, file, "012"}));
        const QString note = "Edit quote: You will need to refresh the quote once you have edited "
                             "it in order to view the changes ! (Information)|";
        QCOMPARE(s.seen(),
                 "Printing: The quote Acme 10 has been sent to the printer Office Laser "
                 "(Information)|Quote exported: The quote has been saved as "
                     + QDir::toNativeSeparators(pdf)
                     + " (Information)|Printing: The print job could not be started: no printer is "
                       "installed ! (Exclamation)|"
                     + note + note
                     + "Edit quote: No text editor could be started for the quote Acme 10 (" + file
                     + ") ! (Exclamation)|Acme 10|Customer: Acme\nMonthly rental 100\n|" + Three);
        s.act({"cmdClose"});
        QVERIFY(s.load("Acme 9")); // the next opening starts afresh
        QVERIFY(s.w->close() && !s.w->isVisible()); // the title-bar close box
        QCOMPARE(s.seen(), "Acme 9|Acme nine||4|Acme 9,Acme 10,Added,Bolt 2");
    }

    // A name is taken whatever its ending, as a link to nothing, or between the
    // look and the move; a refusal changes nothing. Renamed, the file moves whole.
    void rename_data()
    {
        rowsOf({"|Quote name: Please enter a new name for the quote !", "Acme 9|", "Acme 10|",
                "Old|", "Planted|", "Taken|", "..\\Outside|unsafe", "%Kabc|unsafe", // 252 bytes
                "Zulu|Quote not renamed: The quote Acme 9 could not be renamed to Zulu: %r, it "
                "keeps its name !",
                "Acme 11|Quote renamed: The quote has been renamed to Acme 11 !"});
    }
    void rename()
    {
        QFETCH(QStringList, row);
        row.replaceInStrings("%K", QString(83, u'\u6f22'))
            .replaceInStrings("%r", Immutable::reason());
        const QString name = row[0];
        Saved s(Files.split('|') << "Old.TXT=old\r\n");
        s.t.makeRaw(Paths::quotesFolder(), "Planted.txt", QFile::encodeName(s.t.dir.path() + "/x"));
        QVERIFY(s.load("Acme 9"));
        s.write("Acme 9.txt=Acme nine\r\nCaf\u00e9\r\n\r\n"); // edited, not refreshed
        QString before = s.seen(true);
        const Immutable refusing(s.t.native(Paths::quotesFolder()), name == "Zulu");
        if (name == "Taken") // another computer takes the name between the look and the move
            s.t.files.refuse = [&s](const QString &) {
                return s.write("Taken.txt=taken\r\n"), false;
            };
        typeInto(s.w.get(), "txtRenameQuote", name);
        s.act({"cmdRename"});
        if (name != "Zulu" && name != "Acme 11")
            QCOMPARE(focusName(), "txtRenameQuote");
        else if (name == "Acme 11")
            click(s.w.get(), "cmdRefreshQuote"); // the open quote is the moved file
        const QString message = row[1].isEmpty() ? "Quote already exists: The quote " + name
                + " already exists, please enter a different name for the quote !"
            : row[1] == "unsafe" ? "Invalid quote name: " + Store::quoteNameRefusal(name).value()
                                 : row[1];
        const bool kept = row[1] == "unsafe" || name == "Zulu";
        before.replace("nine||",
                       name == "Acme 11" ? "nine\nCaf\u00e9\n||"
                                         : "nine|" + (kept ? name : "") + '|');
        if (name == "Acme 11") // moved whole under the new name, the list sorted again
            before.replace("Acme 9,Acme 10", "Acme 10,Acme 11").replace("Acme 9", name);
        QCOMPARE(s.seen(true),
                 message + " (Exclamation)|" + before
                     + (name == "Taken" ? "|Taken.txt=taken\r\n" : ""));
    }

    // Delete asks about the open quote, not the chosen one. With nothing open or
    // its file gone, each action refuses, with no question, editor, job or file,
    // even with a file of its name in other letters left (the twin of Acme 9.TXT).
    void deleteThenEachButtonRefuses_data()
    {
        rowsOf({"No|Quote delete canceld: Quote delete canceld ! (Information)|Acme 9|Acme nine",
                "disk refuses|Quote not deleted: The quote Acme 9 could not be deleted: %r, it is "
                "still saved ! (Exclamation)|Acme 9|Acme nine",
                "Yes|Quote deleted: The quote Acme 9 has been deleted ! (Information)|Acme 9|",
                "nothing open|||", "removed outside||Acme 9|Acme nine",
                "twin removed outside||Acme 9|twin"});
    }
    void deleteThenEachButtonRefuses()
    {
        QFETCH(QStringList, row);
        row.replaceInStrings("%r", Immutable::reason());
        const bool twin = row[0] == "twin removed outside";
        const bool gone = row[0] == "Yes" || row[0].endsWith("removed outside");
        Saved s;
        if (twin)
            s.write("Acme 9.TXT=twin\r\n");
        QVERIFY(s.load(row[2], twin ? 0 : -1) && pick(s.w.get(), "lstSavedQuotes", "Bolt 2"));
        const Immutable refusing(s.t.native(Paths::quotesFolder()), row[0] == "disk refuses");
        if (gone && row[0] != "Yes")
            s.t.remove(Paths::quotesFolder() + (twin ? "\\Acme 9.TXT" : "\\Acme 9.txt"));
        if (!row[1].isEmpty()) {
            s.act({"cmdDelete"}, row[0] == "No" ? MsgAnswer::No : MsgAnswer::Yes);
            QCOMPARE(s.seen(true),
                     Ask.arg("Acme 9") + '|' + row[1] + '|' + row[2] + '|' + row[3]
                         + (gone ? "||2|Acme 10,Bolt 2|"
                                    + QString(Files).remove("|Acme 9.txt=Acme nine\r\n")
                                 : '|' + Three + '|' + Files));
            return;
        }
        typeInto(s.w.get(), "txtRenameQuote", "Zulu");
        s.act({"cmdPrint", "cmdEditqute", "cmdRename", "cmdDelete", "cmdRefreshQuote",
               "quotePrintPreview", "quoteExportPdf"});
        s.t.remove(Paths::quoteFile("Bolt 2"));
        QVERIFY(!s.open("Bolt 2"));
        QVERIFY(s.t.printers.jobs.empty() && s.t.pages.previewed.isEmpty()
                && s.t.pages.proposed.isEmpty() && s.t.launcher.editorFiles.isEmpty());
        const QString notFound = "Quote not found: The quote %1 cannot be found ! (Exclamation)|";
        const QString no = "No quote to %1: Please open a quote to %1 ! (Exclamation)|";
        QCOMPARE(s.seen(true),
                 (gone ? notFound.arg("Acme 9").repeated(7)
                       : no.arg("print") + no.arg("edit") + no.arg("rename") + no.arg("delete")
                          + "No quote open to refresh: Please select a quote to open and edit "
                            "before refreshing ! (Exclamation)|"
                          + no.arg("print").repeated(2))
                     + notFound.arg("Bolt 2") + row[2] + '|' + row[3] + "|Zulu|"
                     + (twin ? "4|Acme 9,Acme 9,Acme 10,Bolt 2" : Three.mid(1)) + '|'
                     + Files.section('|', 0, gone && !twin ? 0 : 1));
        QVERIFY(s.open("Acme 10")); // the window stays usable
        s.act({"cmdDelete"}); // the last quote deleted tells the list is empty
        QCOMPARE(s.seen(),
                 Ask.arg("Acme 10")
                     + "|Quote deleted: The quote Acme 10 has been deleted ! (Information)|"
                     + (gone && !twin ? Empty + "|Acme 10||Zulu|0|" : "Acme 10||Zulu|1|Acme 9"));
    }
};

QTEST_MAIN(TestSavedQuotes)
#include "test_savedquotes.moc"

#pragma once

// The real saved quotes window over a temporary drive with the platform
// doubles: quote files on disk, buttons clicked and keys typed.

#include "TestPlatform.h"

#include "savedquotes/frmOpenSavedQuotes.h"
#include "store/Paths.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

const MsgIcon Info = MsgIcon::Information;
const MsgIcon Excl = MsgIcon::Exclamation;

// A message as "title | text | icon", so a failing comparison shows the
// whole sequence.
inline QString msg(const QString &title, const QString &text, MsgIcon icon)
{
    const char *kind = icon == Info ? "information" : icon == Excl ? "exclamation" : "question";
    return title + QStringLiteral(" | ") + text + QStringLiteral(" | ") + QLatin1String(kind);
}
inline const QString EmptyList = msg("Saved quotes", "You do not currently have any saved quotes !",
                                     Info);

class SavedQuotesHarness {
public:
    SavedQuotesHarness()
    {
        t.makeTree();
        PrinterSettings &p = t.settings.printer;
        p.PrinterName = QStringLiteral("Office Laser");
        p.PrinterFont = QStringLiteral("Arial");
        p.PrinterFontSize = QStringLiteral("10");
        p.PrinterBold = p.PrinterItalic = p.PrinterUnderline = QStringLiteral("Off");
        p.HorizontalMargin = QStringLiteral("1440");
        p.VerticalMargin = QStringLiteral("720");
    }

    void quote(const QString &name, const QByteArray &bytes)
    {
        t.write(Paths::quoteFile(name), bytes);
    }
    QByteArray fileOf(const QString &name) const { return t.read(Paths::quoteFile(name)); }
    bool hasFile(const QString &name) const { return t.exists(Paths::quoteFile(name)); }

    // Builds the window (its load runs here) and shows it.
    bool load()
    {
        w = std::make_unique<frmOpenSavedQuotes>(t.platform, t.settings);
        w->show();
        return QTest::qWaitForWindowExposed(w.get());
    }
    bool loadActive()
    {
        if (!load())
            return false;
        w->activateWindow();
        return QTest::qWaitForWindowActive(w.get());
    }
    // Acme 10, Acme 9 and Bolt 2 listed, Acme 9 open, nothing told.
    bool loadThreeWithAcme9Open(const QByteArray &acme9 = "Acme nine\r\n", bool open = true)
    {
        quote(QStringLiteral("Acme 10"), "Acme ten\r\n");
        quote(QStringLiteral("Acme 9"), acme9);
        quote(QStringLiteral("Bolt 2"), "Bolt two\r\n");
        return load() && (!open || openQuote(QStringLiteral("Acme 9")))
            && t.messages.messages.isEmpty();
    }

    template <class T>
    T *get(const char *name) const
    {
        T *widget = w->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QListWidget *list() const { return get<QListWidget>("lstSavedQuotes"); }
    QLineEdit *count() const { return get<QLineEdit>("txtNumberOfQuotes"); }
    QLineEdit *openName() const { return get<QLineEdit>("txtOpenQuoteName"); }
    QPlainTextEdit *openText() const { return get<QPlainTextEdit>("txtOpenQuote"); }
    QLineEdit *newName() const { return get<QLineEdit>("txtRenameQuote"); }
    QString shown() const { return openText()->toPlainText(); }

    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names.append(list()->item(i)->text());
        return names;
    }

    void click(const char *button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    void clickAll(std::initializer_list<const char *> buttons)
    {
        for (const char *button : buttons)
            click(button);
    }

    // Clicks the entry in the list; false when there is no such entry.
    bool select(const QString &name)
    {
        const QList<QListWidgetItem *> found = list()->findItems(name, Qt::MatchExactly);
        if (found.size() != 1)
            return false;
        list()->scrollToItem(found.first());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(found.first()).center());
        return list()->currentItem() == found.first() && found.first()->isSelected();
    }

    bool openQuote(const QString &name)
    {
        if (!select(name))
            return false;
        click("cmdOpen");
        return openName()->text() == name;
    }

    // Opens the context menu of the list or the text as a user does (0: right
    // click, 1: the Menu key, which the desktop makes a context menu request,
    // 2: Shift+F10), presses the key in it, and gives the items it showed.
    QStringList fromMenu(QAbstractScrollArea *control, int how, Qt::Key key)
    {
        QStringList items;
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [&items, key, poll] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return QTimer::singleShot(10, *poll);
            for (QAction *item : menu->actions())
                items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
            QTest::keyClick(menu, key);
        };
        QTimer::singleShot(0, *poll);
        const QPoint at = control->viewport()->rect().center();
        if (how == 0) {
            QTest::mouseClick(w->windowHandle(), Qt::RightButton, {},
                              control->viewport()->mapTo(w.get(), at));
        } else if (how == 1) {
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at,
                                      control->viewport()->mapToGlobal(at));
            QApplication::sendEvent(control->viewport(), &menuKey);
        } else { // a shortcut, which works in the active window only
            w->activateWindow();
            if (!QTest::qWaitForWindowActive(w.get()))
                return {QStringLiteral("<the window is not active>")};
            control->setFocus();
            QTest::keyClick(control, Qt::Key_F10, Qt::ShiftModifier);
        }
        if (!QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }))
            items.append(QStringLiteral("<the menu stayed open>"));
        return items;
    }

    void typeNewName(const QString &name)
    {
        newName()->clear();
        QTest::keyClicks(newName(), name);
    }

    // The messages told since the last call.
    QStringList told()
    {
        QStringList result;
        for (const RecordedMessage &m : t.messages.messages)
            result.append(msg(m.title, m.text, m.icon));
        t.messages.clear();
        return result;
    }

    TestPlatform t;
    std::unique_ptr<frmOpenSavedQuotes> w;
};

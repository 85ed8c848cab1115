#pragma once

// Drives the real saved quotes window over a temporary drive with the
// platform doubles: quote files are written to disk, buttons are clicked
// and keys typed as a user would.

#include "TestPlatform.h"

#include "savedquotes/frmOpenSavedQuotes.h"
#include "store/Paths.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

class SavedQuotesHarness {
public:
    SavedQuotesHarness()
    {
        t.makeTree();
        PrinterSettings &p = t.settings.printer;
        p.PrinterName = QStringLiteral("Office Laser");
        p.PrinterFont = QStringLiteral("Arial");
        p.PrinterFontSize = QStringLiteral("10");
        p.PrinterBold = QStringLiteral("Off");
        p.PrinterItalic = QStringLiteral("Off");
        p.PrinterUnderline = QStringLiteral("Off");
        p.HorizontalMargin = QStringLiteral("1440");
        p.VerticalMargin = QStringLiteral("720");
    }

    // A quote file exactly as given, bytes and all.
    void quote(const QString &name, const QByteArray &bytes) { t.write(Paths::quoteFile(name), bytes); }
    QByteArray fileOf(const QString &name) const { return t.read(Paths::quoteFile(name)); }
    bool hasFile(const QString &name) const { return t.exists(Paths::quoteFile(name)); }

    // Builds the window (its load runs here) and shows it; false when it never appears.
    bool load(QWidget *parent = nullptr)
    {
        w = std::make_unique<frmOpenSavedQuotes>(t.platform, t.settings, parent);
        w->show();
        return QTest::qWaitForWindowExposed(w.get());
    }

    template <class T> T *get(const char *name) const
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

    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names.append(list()->item(i)->text());
        return names;
    }

    void click(const char *button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }

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

    void typeNewName(const QString &name)
    {
        newName()->clear();
        QTest::keyClicks(newName(), name);
    }

    // Each message as "title | text | icon", for comparisons that show the
    // whole sequence when they fail.
    QStringList messages() const
    {
        QStringList result;
        for (const RecordedMessage &m : t.messages.messages)
            result.append(describe(m.title, m.text, m.icon));
        return result;
    }
    static QString describe(const QString &title, const QString &text, MsgIcon icon)
    {
        const char *kind = icon == MsgIcon::Information ? "information"
            : icon == MsgIcon::Exclamation              ? "exclamation"
                                                        : "question";
        return title + QStringLiteral(" | ") + text + QStringLiteral(" | ") + QLatin1String(kind);
    }

    TestPlatform t;
    std::unique_ptr<frmOpenSavedQuotes> w;
};

inline QString msg(const char *title, const QString &text, MsgIcon icon)
{
    return SavedQuotesHarness::describe(QString::fromUtf8(title), text, icon);
}
inline QString msg(const char *title, const char *text, MsgIcon icon)
{
    return msg(title, QString::fromUtf8(text), icon);
}

#include "lists/ListControl.h"

#include "platform/Platform.h"
#include "store/Store.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

QWidget *ListControl::widget() const
{
    return m_combo ? static_cast<QWidget *>(m_combo) : static_cast<QWidget *>(m_list);
}

bool ListControl::isSorted() const { return widget()->property("sortedList").toBool(); }

int ListControl::count() const { return m_combo ? m_combo->count() : m_list->count(); }

QString ListControl::text(int index) const
{
    return m_combo ? m_combo->itemText(index) : m_list->item(index)->text();
}

QVector<ListItem> ListControl::items() const
{
    QVector<ListItem> result;
    const int n = count();
    result.reserve(n);
    for (int i = 0; i < n; ++i) {
        if (m_combo)
            result.append({m_combo->itemText(i), m_combo->itemData(i).toInt()});
        else
            result.append({m_list->item(i)->text(), m_list->item(i)->data(Qt::UserRole).toInt()});
    }
    return result;
}

void ListControl::clear()
{
    if (m_combo) {
        const QString edit = m_combo->currentText();
        const QSignalBlocker block(m_combo);
        m_combo->clear();
        m_combo->setCurrentIndex(-1);
        m_combo->setEditText(edit);
    } else {
        m_list->clear();
    }
}

int ListControl::sortedPosition(const QString &text) const
{
    // After every item that is not greater, as a sorted list places a newcomer.
    int lo = 0;
    int hi = count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (QString::compare(this->text(mid), text, Qt::CaseInsensitive) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void ListControl::addItem(const QString &text, int data)
{
    const int at = isSorted() ? sortedPosition(text) : count();
    if (m_combo) {
        const QString edit = m_combo->currentText();
        const int current = m_combo->currentIndex();
        const QSignalBlocker block(m_combo);
        m_combo->insertItem(at, text, data);
        // Adding an item never picks it or changes what the user typed.
        if (current < 0) {
            m_combo->setCurrentIndex(-1);
            m_combo->setEditText(edit);
        }
    } else {
        auto *item = new QListWidgetItem(text);
        item->setData(Qt::UserRole, data);
        m_list->insertItem(at, item);
    }
}

void ListControl::setItems(const QVector<ListItem> &items)
{
    if (m_combo) {
        const QString edit = m_combo->currentText();
        const QSignalBlocker block(m_combo);
        m_combo->clear();
        for (const ListItem &item : items)
            m_combo->addItem(item.text, item.data);
        m_combo->setCurrentIndex(-1);
        m_combo->setEditText(edit);
    } else {
        const QSignalBlocker block(m_list);
        m_list->clear();
        // Every row is one line of text in the list's font, so the view need
        // not measure each of tens of thousands of rows one by one.
        m_list->setUniformItemSizes(true);
        for (const ListItem &item : items) {
            // The data goes in before the row joins the list: changing a row
            // already in a list makes the list look the change over, which
            // grows with the length of the list.
            auto *row = new QListWidgetItem(item.text);
            row->setData(Qt::UserRole, item.data);
            m_list->addItem(row);
        }
    }
}

void ListControl::removeItem(int index)
{
    if (m_combo)
        m_combo->removeItem(index);
    else
        delete m_list->takeItem(index);
}

void sortAsListBox(QVector<ListItem> &items)
{
    std::stable_sort(items.begin(), items.end(), [](const ListItem &a, const ListItem &b) {
        return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
    });
}

void ListControl::fill(const QStringList &texts)
{
    QVector<ListItem> items;
    items.reserve(texts.size());
    for (const QString &text : texts)
        items.append({text, 0});
    if (isSorted())
        sortAsListBox(items);
    setItems(items);
}

void NumericReSort(ListControl list)
{
    QVector<ListItem> items = list.items();
    NumericReSort(items);
    list.setItems(items);
}

void LoadListFromFolder(Platform &platform, QWidget *parent, ListControl list,
                        const ListFolder &from)
{
    list.clear();
    const std::optional<QStringList> entries = Store::listEntries(platform.files, from.folder);
    if (!entries) {
        platform.messages.warn(parent, from.title,
                               QStringLiteral("The directory (") + from.folder
                                   + QStringLiteral(") cannot be read !"));
    } else {
        list.fill(*entries);
        if (from.reSort)
            from.reSort(list);
    }
    if (list.count() == 0)
        platform.messages.inform(parent, from.title, from.emptyMessage);
}

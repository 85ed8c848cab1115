#pragma once

#include "lists/NumericReSort.h"

#include <QString>
#include <QVector>

class QComboBox;
class QListWidget;
class QWidget;
struct Platform;

// One face for the two list controls the program fills: combo boxes and list
// boxes. A control whose dynamic property "sortedList" is true keeps its
// items in case-insensitive alphabetical order as they are added; an item
// placed at an explicit position stays there. Item data (Qt::UserRole) is an
// int that moves with its item.
class ListControl {
public:
    ListControl(QComboBox *combo) : m_combo(combo) {}
    ListControl(QListWidget *list) : m_list(list) {}

    QWidget *widget() const;
    bool isSorted() const;

    int count() const;
    QString text(int index) const;
    QVector<ListItem> items() const;

    void clear(); // the list only; a combo box keeps its edit text
    // At the end, or at the sorted place in a sorted control.
    void addItem(const QString &text, int data = 0);
    // Replaces the whole list in one go, in the given order.
    void setItems(const QVector<ListItem> &items);
    void removeItem(int index);

    // Fills the list from entry texts in one batch (sorted controls place
    // them in their order).
    void fill(const QStringList &texts);

private:
    int sortedPosition(const QString &text) const;

    QComboBox *m_combo = nullptr;
    QListWidget *m_list = nullptr;
};

// Puts items in the order a sorted control keeps them: alphabetical without
// regard to case, texts that compare equal in the order given.
void sortAsListBox(QVector<ListItem> &items);

// The numeric re-sort of a list control, through its items.
void NumericReSort(ListControl list);

// Where a list is filled from and what the user is told about it.
struct ListFolder {
    QString folder;
    QString title; // the title of its messages ("Upfronts")
    QString emptyMessage; // shown when the list is left empty
    // Run on the entries once they are in; without one the list keeps the
    // order the control gives it.
    void (*reSort)(ListControl) = nullptr;
};

// The fill step of a list from its folder: clear, add every entry, re-sort,
// and tell the user when the list is empty. A folder that can no longer be
// read leaves the list empty and says so by name.
void LoadListFromFolder(Platform &platform, QWidget *parent, ListControl list,
                        const ListFolder &from);

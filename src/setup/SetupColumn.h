#pragma once

#include "lists/ListControl.h"

#include <QString>

class QLineEdit;
class QListWidget;
class QWidget;
struct Platform;

// What one list column of the setup windows says to the user. The three
// term columns and the rates column differ only in these words.
struct SetupColumnTexts {
    QString title; // "Upfront": the title of every message but the empty list's
    QString pluralTitle; // "Upfronts": the title of the empty-list message
    QString entryPrefix; // "The upfront "
    QString invalidInput; // "Please enter a valid upfront !"
    QString deleteQuestion; // "Are you sure that you want to delete the upfront "
    QString deleteRefused; // "Upfront delete canceld !"
    QString nothingSelected; // "Please select an upfront to delete !"
    QString emptyList; // "You do not currently have any upfronts setup !"
};

// How a typed number becomes the entry text, and so the file name.
enum class SetupEntryForm {
    General, // shortest form of the single-precision value: 07 gives 7
    Fixed, // two decimals: 25.5 gives 25.50
};

// The per-column values of a setup list column: its folder, its controls
// and its words.
struct SetupColumnConfig {
    QString folder;
    QLineEdit *input = nullptr;
    QListWidget *list = nullptr;
    int maxLength = 0;
    bool digitsOnly = false;
    SetupEntryForm form = SetupEntryForm::General;
    // The column's re-sort procedure, run after every fill, add and delete;
    // null for a list box that keeps its own (text) order.
    void (*reSort)(ListControl) = nullptr;
    SetupColumnTexts texts;
};

// One list column: an input box, Add, Cancel and Delete, and a list box
// showing the entry files of one folder. Every change is written to the
// folder in the click that makes it, and the list shows only what is on disk.
class SetupColumn {
public:
    SetupColumn(Platform &platform, QWidget *window, SetupColumnConfig config);

    // Fills the list from the folder (telling the user when it is empty).
    void load();
    // Adds the typed number as an entry; the input is emptied and focused.
    void add();
    // Empties the input and puts the focus in it.
    void cancel();
    // Deletes the selected entry after asking.
    void remove();

    // The entry text for a typed text; empty when the text is not a number
    // a single-precision value can hold.
    QString entryText(const QString &typed) const;

    // The words every column shares.
    static const QString AddedSuffix;
    static const QString InUseSuffix;
    static const QString DeletedSuffix;

private:
    // Removes a deleted entry from the list box.
    void takeOut(int row);
    void tellIfEmpty();

    Platform &m_platform;
    QWidget *m_window;
    SetupColumnConfig m_config;
};

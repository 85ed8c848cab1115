#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class FileSystem;
class QWidget;
struct Platform;
struct Settings;

// What the saved quotes window and the find quotes window share: the list
// of saved quotes and what is done with the quote a window shows.

// A saved quote: the name the lists show, and its file. Files whose endings
// differ only in letter case ("Acme.txt" and "Acme.TXT", carried over from
// an older installation) are two quotes of one name, each with its own file,
// so a quote is known by its file, never looked up by its name.
struct SavedQuote {
    QString name;
    QString file; // empty when no quote is shown
};

// The saved quotes: the file names (ending included) of the ordinary ".txt"
// files of the quotes folder (the ending in any letter case), in the
// folder's own order. Empty when the folder cannot be read.
std::optional<QStringList> listSavedQuotes(const FileSystem &files);
// The quote of a file name that listSavedQuotes gave.
SavedQuote savedQuoteOf(const QString &fileName);
// The order the saved quotes window lists them in, as places in fileNames:
// the order of a sorted list box by name, then re-sorted by their numbers
// (Acme 9 before Acme 10). Names alike but for letter case go by their file
// names, so that the order never depends on the folder's.
std::vector<int> savedQuotesOrder(const QStringList &fileNames);

// What the user is told when the quotes folder cannot be read.
QString unreadableQuotesFolderMessage();

// One quote shown by a window, and the actions on it. Every
// refusal and outcome is told here, with the window as the owner of the
// message (messageParent gives it when a message is shown).
class ShownQuote {
public:
    ShownQuote(Platform &platform, Settings &settings, std::function<QWidget *()> messageParent);

    // The quote's file when it is there; otherwise says so.
    std::optional<QString> fileFound(const SavedQuote &quote);
    void reportNotFound(const QString &name);
    // Reads the quote's file for showing: its text with one trailing CR LF
    // removed. A missing or unreadable file is told; the result then is
    // empty.
    std::optional<QString> read(const SavedQuote &quote);

    // Print quote, Print preview, Export as PDF and Edit quote on the quote
    // whose text (as read from its file) is shown. With no quote each tells
    // that no quote is open; a quote whose file has gone is told as not
    // found.
    void print(const SavedQuote &quote, const QString &text);
    void preview(const SavedQuote &quote, const QString &text);
    void exportPdf(const SavedQuote &quote, const QString &text);
    void edit(const SavedQuote &quote);

    // The two refusals every action on a shown quote begins with: no quote
    // (the action's own message), and a quote whose file has gone. The
    // quote's file when neither applies.
    std::optional<QString> fileToActOn(const SavedQuote &quote, const QString &title,
                                       const QString &text);

private:
    bool printable(const SavedQuote &quote);
    void confirmSentToPrinter(const QString &name, const std::optional<QString> &device);

    Platform &m_platform;
    Settings &m_settings;
    std::function<QWidget *()> m_messageParent;
};

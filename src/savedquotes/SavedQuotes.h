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

// The saved quotes: the names of the ordinary ".txt" files of the quotes
// folder (the ending in any letter case), in the folder's own order. Empty
// when the folder cannot be read.
std::optional<QStringList> listSavedQuotes(const FileSystem &files);
// The order the saved quotes window lists them in, as places in names: the
// order of a sorted list box, then re-sorted by their numbers (Acme 9
// before Acme 10).
std::vector<int> savedQuotesOrder(const QStringList &names);

// What the user is told when the quotes folder cannot be read.
QString unreadableQuotesFolderMessage();

// One quote shown by a window, by its name, and the actions on it. Every
// refusal and outcome is told here, with the window as the owner of the
// message (messageParent gives it when a message is shown).
class ShownQuote {
public:
    ShownQuote(Platform &platform, Settings &settings, std::function<QWidget *()> messageParent);

    // The file of a quote: the quotes folder, the name and ".txt". A file
    // whose ending is in other letters (".TXT", from an older installation)
    // is listed under the same name, so it is found too. Empty when the quote
    // has no file.
    std::optional<QString> fileOf(const QString &name) const;
    // The quote's file when it is there; otherwise says so.
    std::optional<QString> fileFound(const QString &name);
    void reportNotFound(const QString &name);
    // Reads the quote file of the name for showing: its text with one
    // trailing CR LF removed. A missing or unreadable file is told; the
    // result then is empty.
    std::optional<QString> read(const QString &name);

    // Print quote, Print preview, Export as PDF and Edit quote on the quote
    // of the name whose text (as read from its file) is shown. With no name
    // each tells that no quote is open; a quote whose file has gone is told
    // as not found.
    void print(const QString &name, const QString &text);
    void preview(const QString &name, const QString &text);
    void exportPdf(const QString &name, const QString &text);
    void edit(const QString &name);

    // The two refusals every action on a shown quote begins with: no quote
    // (the action's own message), and a quote whose file has gone. The
    // quote's file when neither applies.
    std::optional<QString> fileToActOn(const QString &name, const QString &title,
                                       const QString &text);

private:
    bool printable(const QString &name);
    void confirmSentToPrinter(const QString &name, const std::optional<QString> &device);

    Platform &m_platform;
    Settings &m_settings;
    std::function<QWidget *()> m_messageParent;
};

#pragma once

#include "platform/FileSystem.h"

#include <QString>
#include <QStringList>
#include <optional>

// The file rules of the settings tree.
namespace Store {

inline const QString CrLf = QStringLiteral("\r\n");

// The first field of a text: leading spaces skipped; it ends at the first
// comma or at the end of the first line; a field that begins with a double
// quote runs to the next double quote, without the quotes.
QString readField(const QString &content);

// How a value is written so that readField gives it back whole: inside
// double quotes when it holds a comma or begins with a space or a quote.
QString fieldText(const QString &value);

// Every line of a text followed by CR LF (a text file read line by line).
QString linesWithCrLf(const QString &content);

// Removes one trailing CR LF, if there is one. True when it removed it.
bool trimOneCrLf(QString &text);

// The largest value a value file may hold (its first line, before the line
// end), and the largest header or footer file, in bytes on disk. Start-up
// refuses a larger file rather than read it whole, so every writer refuses
// to make one: what the program writes, the next start reads back.
inline constexpr qsizetype MaxValueBytes = 64 * 1024;
inline constexpr qsizetype MaxPageTextBytes = 4 * 1024 * 1024;
// The largest quote file read, in bytes: far above any real quote, low
// enough that a damaged or foreign file cannot exhaust the memory. Every
// reader of quotes refuses a larger one.
inline constexpr qsizetype MaxQuoteBytes = 64 * 1024 * 1024;
// The longest name of one file, in bytes, that file systems hold.
inline constexpr qsizetype MaxFileNameBytes = 255;

// Whether start-up reads a settings file of these bytes: a value file whose
// first line is at most MaxValueBytes long, a header or footer file of at
// most MaxPageTextBytes. (The bytes may be only the file's start, one byte
// past the limit being enough to tell.)
bool fitsValueFile(QByteArrayView bytes);
bool fitsPageTextFile(QByteArrayView bytes);
// Whether the value, or the header or footer text, fits its file so.
bool valueFits(const QString &value);
bool pageTextFits(const QString &text);
// A value file's bytes: the value as a field, then CR LF.
QByteArray valueFileBytes(const QString &value);

// A settings file read at a bounded cost, whatever its size.
struct BoundedRead {
    enum class Status { Read, CannotRead, TooLarge };
    Status status = Status::CannotRead;
    QString text;
};
// A value file up to and including its first line end (the whole file when
// it has none): TooLarge when that is more than MaxValueBytes. The text is
// empty only for an empty file, and readField gives the value from it.
BoundedRead readValueStart(const FileSystem &fs, const QString &path);
// A header or footer file, every line followed by CR LF: TooLarge when the
// file has more than MaxPageTextBytes.
BoundedRead readPageTextFile(const FileSystem &fs, const QString &path);

// A quote file's text: TooLarge when the file has more than MaxQuoteBytes.
BoundedRead readQuoteFile(const FileSystem &fs, const QString &path);
// A quote file's text; empty when it cannot be read or is too large.
std::optional<QString> readWholeFile(const FileSystem &fs, const QString &path);

// Whole replacement with the value (or text) followed by one CR LF. A value
// that would not read back exactly as given (a double quote that the read
// rule takes as a field's end, a line break) is refused and nothing written.
WriteResult writeValueFile(FileSystem &fs, const QString &path, const QString &value);
WriteResult writeTextFile(FileSystem &fs, const QString &path, const QString &text);

// List entries: empty files named by the entry text and ".txt".
// The entry texts of a folder (file names less their last four characters)
// in directory order; empty when the folder cannot be read.
std::optional<QStringList> listEntries(const FileSystem &fs, const QString &folder);
// The path of the entry's file as the folder holds it: the entry text and
// ".txt" in any letter case (7.TXT is the entry 7, as listed). Any kind of
// entry counts, a link to nothing too, so that nothing is ever written
// through one. Empty when there is none.
std::optional<QString> entryFileOf(const FileSystem &fs, const QString &folder,
                                   const QString &entry);
bool entryExists(const FileSystem &fs, const QString &folder, const QString &entry);
// Whether the entry's file name (entry and ".txt") is at most MaxFileNameBytes.
bool entryNameFits(const QString &entry);
// A new empty file; refuses when the entry exists under any spelling.
WriteResult createEntry(FileSystem &fs, const QString &folder, const QString &entry);
// Deletes the file the entry was listed from, whatever the case of its ending.
WriteResult deleteEntry(FileSystem &fs, const QString &folder, const QString &entry);

// A name the file system can hold as one file of its folder: no path
// separator, drive colon, wildcard, quote, angle bracket, bar or control
// character, and not only dots.
bool isSafeFileName(const QString &name);

// The refusal shown for a quote name when saving and when renaming a quote:
// one that isSafeFileName rejects, or one too long for a file name; none
// for a name that can be used.
std::optional<QString> quoteNameRefusal(const QString &name);
QString unsafeQuoteNameMessage(const QString &name);
inline const QString UnsafeQuoteNameTitle = QStringLiteral("Invalid quote name");

} // namespace Store

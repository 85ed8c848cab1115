#include "store/Store.h"

#include "store/Paths.h"
#include "store/TextCodec.h"

#include <QRegularExpression>

#include <cerrno>

namespace Store {

QString readField(const QString &content)
{
    qsizetype i = 0;
    const qsizetype n = content.size();
    while (i < n && content.at(i) == QLatin1Char(' '))
        ++i;
    if (i < n && content.at(i) == QLatin1Char('"')) {
        const qsizetype start = i + 1;
        qsizetype end = content.indexOf(QLatin1Char('"'), start);
        if (end < 0)
            end = n;
        // A quoted field still cannot run past the end of its line.
        QString field = content.mid(start, end - start);
        const qsizetype lineEnd = field.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
        return lineEnd < 0 ? field : field.left(lineEnd);
    }
    qsizetype end = i;
    while (end < n) {
        const QChar c = content.at(end);
        if (c == QLatin1Char(',') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            break;
        ++end;
    }
    QString field = content.mid(i, end - i);
    // An unquoted field loses the blanks before its end, as a read field does.
    while (field.endsWith(QLatin1Char(' ')))
        field.chop(1);
    return field;
}

QString fieldText(const QString &value)
{
    const bool needsQuotes = value.contains(QLatin1Char(',')) || value.startsWith(QLatin1Char(' '))
        || value.startsWith(QLatin1Char('"')) || value.endsWith(QLatin1Char(' '));
    if (!needsQuotes || value.contains(QLatin1Char('"')))
        return value;
    return QLatin1Char('"') + value + QLatin1Char('"');
}

QString linesWithCrLf(const QString &content)
{
    QString result;
    result.reserve(content.size() + 2);
    qsizetype i = 0;
    const qsizetype n = content.size();
    while (i < n) {
        qsizetype end = i;
        while (end < n && content.at(end) != QLatin1Char('\r')
               && content.at(end) != QLatin1Char('\n'))
            ++end;
        result += QStringView(content).mid(i, end - i);
        result += CrLf;
        if (end < n && content.at(end) == QLatin1Char('\r') && end + 1 < n
            && content.at(end + 1) == QLatin1Char('\n'))
            ++end;
        i = end + 1;
    }
    return result;
}

bool trimOneCrLf(QString &text)
{
    if (!text.endsWith(CrLf))
        return false;
    text.chop(2);
    return true;
}

BoundedRead readQuoteFile(const FileSystem &fs, const QString &path)
{
    // One byte past the limit is enough to tell a file too large.
    const std::optional<QByteArray> bytes = fs.readFileStart(path, MaxQuoteBytes + 1);
    if (!bytes)
        return {};
    if (bytes->size() > MaxQuoteBytes)
        return {BoundedRead::Status::TooLarge, QString()};
    return {BoundedRead::Status::Read, TextCodec::decode(*bytes)};
}

std::optional<QString> readWholeFile(const FileSystem &fs, const QString &path)
{
    BoundedRead read = readQuoteFile(fs, path);
    if (read.status != BoundedRead::Status::Read)
        return std::nullopt;
    return std::move(read.text);
}

namespace {
// Where the first line of the bytes ends; their size when it does not.
qsizetype firstLineEnd(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n')
            return i;
    }
    return bytes.size();
}
} // namespace

bool fitsValueFile(QByteArrayView bytes) { return firstLineEnd(bytes) <= MaxValueBytes; }
bool fitsPageTextFile(QByteArrayView bytes) { return bytes.size() <= MaxPageTextBytes; }

QByteArray valueFileBytes(const QString &value)
{
    return TextCodec::encode(fieldText(value) + CrLf);
}
bool valueFits(const QString &value) { return fitsValueFile(valueFileBytes(value)); }
bool pageTextFits(const QString &text) { return fitsPageTextFile(TextCodec::encode(text + CrLf)); }

BoundedRead readValueStart(const FileSystem &fs, const QString &path)
{
    // One byte more than the largest value: a line end may follow it.
    const std::optional<QByteArray> bytes = fs.readFileStart(path, MaxValueBytes + 1);
    if (!bytes)
        return {};
    if (!fitsValueFile(*bytes))
        return {BoundedRead::Status::TooLarge, QString()};
    const qsizetype lineEnd = firstLineEnd(*bytes);
    return {BoundedRead::Status::Read, TextCodec::decode(bytes->left(lineEnd + 1))};
}

BoundedRead readPageTextFile(const FileSystem &fs, const QString &path)
{
    const std::optional<QByteArray> bytes = fs.readFileStart(path, MaxPageTextBytes + 1);
    if (!bytes)
        return {};
    if (!fitsPageTextFile(*bytes))
        return {BoundedRead::Status::TooLarge, QString()};
    return {BoundedRead::Status::Read, linesWithCrLf(TextCodec::decode(*bytes))};
}

WriteResult writeValueFile(FileSystem &fs, const QString &path, const QString &value)
{
    // The read rule has no escape for a double quote or a line break: a
    // value it would give back changed is refused, never stored cut; nor is
    // one longer than start-up reads.
    const QByteArray bytes = valueFileBytes(value);
    if (readField(fieldText(value)) != value)
        return WriteResult::failed(QStringLiteral("the value would not read back as it is"));
    if (!fitsValueFile(bytes))
        return WriteResult::fromErrno(EFBIG);
    return fs.replaceFile(path, bytes);
}

WriteResult writeTextFile(FileSystem &fs, const QString &path, const QString &text)
{
    const QByteArray bytes = TextCodec::encode(text + CrLf);
    if (!fitsPageTextFile(bytes))
        return WriteResult::fromErrno(EFBIG);
    return fs.replaceFile(path, bytes);
}

std::optional<QStringList> listEntries(const FileSystem &fs, const QString &folder)
{
    std::optional<QStringList> names = fs.listTxtFiles(folder);
    if (!names)
        return std::nullopt;
    for (QString &name : *names)
        name.chop(4);
    return names;
}

std::optional<QString> entryFileOf(const FileSystem &fs, const QString &folder,
                                   const QString &entry)
{
    return fs.findTxtEntry(folder, entry);
}

bool entryExists(const FileSystem &fs, const QString &folder, const QString &entry)
{
    return entryFileOf(fs, folder, entry).has_value();
}

bool entryNameFits(const QString &entry)
{
    return (entry + QStringLiteral(".txt")).toUtf8().size() <= MaxFileNameBytes;
}

WriteResult createEntry(FileSystem &fs, const QString &folder, const QString &entry)
{
    if (entryExists(fs, folder, entry))
        return WriteResult::fromErrno(EEXIST);
    return fs.createNewFile(Paths::entryFile(folder, entry), QByteArray());
}

WriteResult deleteEntry(FileSystem &fs, const QString &folder, const QString &entry)
{
    const std::optional<QString> file = entryFileOf(fs, folder, entry);
    if (!file)
        return WriteResult::fromErrno(ENOENT);
    return fs.removeFile(*file);
}

bool isSafeFileName(const QString &name)
{
    if (name.isEmpty())
        return false;
    bool onlyDots = true;
    for (const QChar c : name) {
        const ushort code = c.unicode();
        if (code < 32 || code == 127)
            return false;
        if (QStringLiteral("\\/:*?\"<>|").contains(c))
            return false;
        if (c != QLatin1Char('.'))
            onlyDots = false;
    }
    return !onlyDots;
}

std::optional<QString> quoteNameRefusal(const QString &name)
{
    if (!isSafeFileName(name))
        return unsafeQuoteNameMessage(name);
    if (!entryNameFits(name))
        return QStringLiteral("The quote name ") + name
            + QStringLiteral(" cannot be used, a quote name cannot be longer than 251 bytes !");
    return std::nullopt;
}

QString unsafeQuoteNameMessage(const QString &name)
{
    return QStringLiteral("The quote name ") + name
        + QStringLiteral(" cannot be used, a quote name cannot contain \\ / : * ? \" < > | or "
                         "control characters, nor be only dots !");
}

} // namespace Store

#include "store/Store.h"

#include "store/Paths.h"
#include "store/TextCodec.h"

#include <QRegularExpression>

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

std::optional<QString> readWholeFile(const FileSystem &fs, const QString &path)
{
    const std::optional<QByteArray> bytes = fs.readFile(path);
    if (!bytes)
        return std::nullopt;
    return TextCodec::decode(*bytes);
}

BoundedRead readValueStart(const FileSystem &fs, const QString &path)
{
    // One byte more than the largest value: a line end may follow it.
    const std::optional<QByteArray> bytes = fs.readFileStart(path, MaxValueBytes + 1);
    if (!bytes)
        return {};
    qsizetype lineEnd = -1;
    for (qsizetype i = 0; i < bytes->size() && lineEnd < 0; ++i) {
        if (bytes->at(i) == '\r' || bytes->at(i) == '\n')
            lineEnd = i;
    }
    if (lineEnd < 0 && bytes->size() > MaxValueBytes)
        return {BoundedRead::Status::TooLarge, QString()};
    return {BoundedRead::Status::Read,
            TextCodec::decode(lineEnd < 0 ? *bytes : bytes->left(lineEnd + 1))};
}

BoundedRead readPageTextFile(const FileSystem &fs, const QString &path)
{
    const std::optional<QByteArray> bytes = fs.readFileStart(path, MaxPageTextBytes + 1);
    if (!bytes)
        return {};
    if (bytes->size() > MaxPageTextBytes)
        return {BoundedRead::Status::TooLarge, QString()};
    return {BoundedRead::Status::Read, linesWithCrLf(TextCodec::decode(*bytes))};
}

bool writeValueFile(FileSystem &fs, const QString &path, const QString &value)
{
    // The read rule has no escape for a double quote or a line break: a
    // value it would give back changed is refused, never stored cut.
    const QString field = fieldText(value);
    if (readField(field) != value)
        return false;
    return fs.replaceFile(path, TextCodec::encode(field + CrLf));
}

bool writeTextFile(FileSystem &fs, const QString &path, const QString &text)
{
    return fs.replaceFile(path, TextCodec::encode(text + CrLf));
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

bool createEntry(FileSystem &fs, const QString &folder, const QString &entry)
{
    return !entryExists(fs, folder, entry)
        && fs.createNewFile(Paths::entryFile(folder, entry), QByteArray());
}

bool deleteEntry(FileSystem &fs, const QString &folder, const QString &entry)
{
    const std::optional<QString> file = entryFileOf(fs, folder, entry);
    return file && fs.removeFile(*file);
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

QString unsafeQuoteNameMessage(const QString &name)
{
    return QStringLiteral("The quote name ") + name
        + QStringLiteral(" cannot be used, a quote name cannot contain \\ / : * ? \" < > | or "
                         "control characters, nor be only dots !");
}

} // namespace Store

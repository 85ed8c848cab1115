#include "platform/DesktopEditor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace DesktopEditor {

namespace {

QStringList envDirs(const char *name, const QString &fallback)
{
    QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        value = fallback;
    return value.split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

// The lines of one group of a key file ("[Default Applications]").
QStringList groupLines(const QString &path, const QString &group)
{
    QFile file;
#ifdef Q_OS_UNIX
    // Only a regular file is read: opening a FIFO or a device left in the
    // configuration folders would wait for ever, so the open does not block
    // and anything else found there counts as missing.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || !file.open(fd, QIODevice::ReadOnly | QIODevice::Text, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
#else
    file.setFileName(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
#endif
    QStringList lines;
    bool inGroup = false;
    // Key files are small; a damaged huge one is read no further than this.
    qint64 budget = 1024 * 1024;
    // A line longer than a piece is no line of a key file: it is left out
    // whole, so that its tail is not taken for a line of its own (a
    // comment's tail for a key).
    bool cut = false; // the piece read last ended inside a line
    while (!file.atEnd() && budget > 0) {
        const QByteArray raw = file.readLine(64 * 1024);
        budget -= raw.size();
        const bool rest = cut;
        cut = !raw.endsWith('\n') && !file.atEnd();
        if (rest || cut)
            continue;
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1Char('[') + group + QLatin1Char(']');
        else if (inGroup && !line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines.append(line);
    }
    return lines;
}

std::optional<QString> valueOf(const QStringList &lines, const QString &key)
{
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed() == key)
            return line.mid(equals + 1).trimmed();
    }
    return std::nullopt;
}

// The entry file of a desktop file id; a dash in the id may stand for a
// subfolder of "applications" ("kde-kate.desktop" is "kde/kate.desktop").
QString entryFileOf(const QString &id, const QStringList &dataDirs)
{
    if (id.isEmpty() || id.contains(QLatin1Char('/')) || !id.endsWith(QLatin1String(".desktop")))
        return {};
    for (const QString &dir : dataDirs) {
        QString relative = id;
        while (true) {
            const QString path = dir + QStringLiteral("/applications/") + relative;
            if (QFileInfo(path).isFile())
                return path;
            const qsizetype dash = relative.indexOf(QLatin1Char('-'));
            if (dash < 0)
                break;
            relative[dash] = QLatin1Char('/');
        }
    }
    return {};
}

// A string value of a desktop entry with its escapes undone.
QString unescaped(const QString &value)
{
    QString result;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            result += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's': result += QLatin1Char(' '); break;
        case 'n': result += QLatin1Char('\n'); break;
        case 't': result += QLatin1Char('\t'); break;
        case 'r': result += QLatin1Char('\r'); break;
        case '\\': result += QLatin1Char('\\'); break;
        default:
            result += QLatin1Char('\\');
            result += next;
            break;
        }
    }
    return result;
}

// One argument of an Exec line, and whether it was written in quotes.
struct Argument {
    QString text;
    bool quoted = false;
};

// Splits an Exec line into arguments: blanks separate them, double quotes
// hold blanks, and inside quotes a backslash makes the next double quote,
// backquote, dollar or backslash literal.
std::optional<QList<Argument>> splitExec(const QString &exec)
{
    QList<Argument> arguments;
    Argument current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < exec.size()
                       && QStringLiteral("\"`$\\").contains(exec.at(i + 1))) {
                current.text += exec.at(++i);
            } else {
                current.text += c;
            }
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            if (inArgument)
                arguments.append(current);
            current = {};
            inArgument = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            current.quoted = true;
            inArgument = true;
        } else {
            current.text += c;
            inArgument = true;
        }
    }
    if (quoted)
        return std::nullopt; // an unclosed quote: the line is damaged
    if (inArgument)
        arguments.append(current);
    return arguments;
}

// Whether a text holds a field code ("%f"; "%%" is a percent sign).
bool hasFieldCode(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('%')) {
            if (text.at(i + 1) != QLatin1Char('%'))
                return true;
            ++i;
        }
    }
    return false;
}

// The entry files of the desktop file ids listed under the key, in order.
void addEntries(QStringList &entries, const QString &listFile, const QString &group,
                const QStringList &dataDirs)
{
    const std::optional<QString> ids = valueOf(groupLines(listFile, group),
                                               QStringLiteral("text/plain"));
    if (!ids)
        return;
    for (const QString &id : ids->split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString entry = entryFileOf(id.trimmed(), dataDirs);
        if (!entry.isEmpty() && !entries.contains(entry))
            entries.append(entry);
    }
}

} // namespace

Places systemPlaces()
{
    Places places;
    const QString home = QDir::homePath();
    places.configDirs = envDirs("XDG_CONFIG_HOME", home + QStringLiteral("/.config"))
        + envDirs("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    places.dataDirs = envDirs("XDG_DATA_HOME", home + QStringLiteral("/.local/share"))
        + envDirs("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    for (const QString &desktop : envDirs("XDG_CURRENT_DESKTOP", QString()))
        places.desktops.append(desktop.toLower());
    return places;
}

QStringList textEditorEntries(const Places &places)
{
    // The association files in order of precedence: each folder's
    // desktop-specific files before its general one, the user's folders
    // before the system's, configuration before data; the older
    // defaults.list last in each data folder.
    QStringList files;
    auto addFolder = [&](const QString &folder, bool data) {
        for (const QString &desktop : places.desktops)
            files.append(folder + QLatin1Char('/') + desktop + QStringLiteral("-mimeapps.list"));
        files.append(folder + QStringLiteral("/mimeapps.list"));
        if (data)
            files.append(folder + QStringLiteral("/defaults.list"));
    };
    for (const QString &dir : places.configDirs)
        addFolder(dir, false);
    for (const QString &dir : places.dataDirs)
        addFolder(dir + QStringLiteral("/applications"), true);

    QStringList entries;
    for (const QString &file : files)
        addEntries(entries, file, QStringLiteral("Default Applications"), places.dataDirs);
    // Then every other installed application that declares plain text, as
    // the desktop's cache of the entries' MIME types lists them.
    for (const QString &dir : places.dataDirs)
        addEntries(entries, dir + QStringLiteral("/applications/mimeinfo.cache"),
                   QStringLiteral("MIME Cache"), places.dataDirs);
    return entries;
}

QList<Command> editorCommands(const Places &places, const QString &file, const QString &terminal)
{
    QList<Command> commands;
    for (const QString &entry : textEditorEntries(places)) {
        if (std::optional<Command> command = commandFor(entry, file, terminal))
            commands.append(*command);
    }
    return commands;
}

std::optional<Command> commandFor(const QString &entryFile, const QString &file,
                                  const QString &terminal)
{
    const QStringList entry = groupLines(entryFile, QStringLiteral("Desktop Entry"));
    if (valueOf(entry, QStringLiteral("Hidden")) == QStringLiteral("true"))
        return std::nullopt;
    const std::optional<QString> exec = valueOf(entry, QStringLiteral("Exec"));
    if (!exec)
        return std::nullopt;
    const std::optional<QList<Argument>> split = splitExec(unescaped(*exec));
    // The program itself is never a field code.
    if (!split || split->isEmpty() || split->first().text.contains(QLatin1Char('%')))
        return std::nullopt;
    // Nor is a quoted argument allowed to hold one: what it is given to
    // ("sh -c") would read the file's name as a command line.
    for (const Argument &argument : *split) {
        if (argument.quoted && hasFieldCode(argument.text))
            return std::nullopt;
    }

    QStringList arguments;
    bool filePlaced = false;
    for (const Argument &quotedOrNot : *split) {
        const QString &argument = quotedOrNot.text;
        // A field code standing alone for one or more files or URLs, for
        // the icon, name or entry (%i, %c, %k), or one of the retired codes
        // older entries still carry (%d, %D, %n, %N, %v, %m): the file takes
        // the first file place; the rest are dropped, not passed as empty
        // arguments.
        static const QStringList FilePlaces{QStringLiteral("%f"), QStringLiteral("%F"),
                                            QStringLiteral("%u"), QStringLiteral("%U")};
        if (FilePlaces.contains(argument)) {
            if (!filePlaced)
                arguments.append(file);
            filePlaced = true;
            continue;
        }
        static const QStringList Dropped{
            QStringLiteral("%i"), QStringLiteral("%c"), QStringLiteral("%k"),
            QStringLiteral("%d"), QStringLiteral("%D"), QStringLiteral("%n"),
            QStringLiteral("%N"), QStringLiteral("%v"), QStringLiteral("%m")};
        if (Dropped.contains(argument))
            continue;
        // Codes within an argument ("--file=%f"); "%%" is a percent sign,
        // any other code than a file's expands to nothing.
        QString expanded;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            const QChar c = argument.at(i);
            if (c != QLatin1Char('%') || i + 1 == argument.size()) {
                expanded += c;
                continue;
            }
            const QChar code = argument.at(++i);
            if (code == QLatin1Char('%')) {
                expanded += code;
            } else if (QStringLiteral("fFuU").contains(code) && !filePlaced) {
                expanded += file;
                filePlaced = true;
            }
        }
        arguments.append(expanded);
    }
    if (!filePlaced)
        arguments.append(file);

    if (valueOf(entry, QStringLiteral("Terminal")) == QStringLiteral("true")) {
        if (terminal.isEmpty())
            return std::nullopt;
        arguments.prepend(QStringLiteral("-e"));
        return Command{terminal, arguments};
    }
    const QString program = arguments.takeFirst();
    if (program.isEmpty())
        return std::nullopt;
    return Command{program, arguments};
}

} // namespace DesktopEditor

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The desktop's text editor on Linux and other freedesktop systems: the
// default application for plain text (the text/plain association of the
// mimeapps.list files), never the handler that sniffing a file's content
// would pick, so a quote that happens to begin like a web page or a script
// still opens in the editor.
namespace DesktopEditor {

// A program and its arguments, to be started without a shell.
struct Command {
    QString program;
    QStringList arguments;
};

// Where the associations and the desktop entries live, in order of
// precedence, and the current desktops (lower case, for "gnome-mimeapps.list").
struct Places {
    QStringList configDirs; // $XDG_CONFIG_HOME, then $XDG_CONFIG_DIRS
    QStringList dataDirs; // $XDG_DATA_HOME, then $XDG_DATA_DIRS
    QStringList desktops; // $XDG_CURRENT_DESKTOP
};
Places systemPlaces();

// The desktop entry files of the applications for text/plain, in the order
// they are tried: the defaults the association files set, then every other
// installed application the desktop's MIME cache lists for it; each once,
// and only those whose entry exists.
QStringList textEditorEntries(const Places &places);

// The command that a desktop entry gives for one file: its Exec line split
// by the desktop entry rules, the file as exactly one argument in place of
// its file or URL field code (added at the end when it has none), every
// other field code dropped. An entry that runs in a terminal is run by the
// given terminal program with "-e"; without one, or for an entry that is
// hidden or has no Exec line, or that has a field code inside a quoted
// argument, there is no command.
std::optional<Command> commandFor(const QString &entryFile, const QString &file,
                                  const QString &terminal);

// The commands of textEditorEntries for the file, the unusable left out.
QList<Command> editorCommands(const Places &places, const QString &file, const QString &terminal);

} // namespace DesktopEditor

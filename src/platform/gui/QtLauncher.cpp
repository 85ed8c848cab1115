#include "platform/gui/QtLauncher.h"

#include "platform/DesktopEditor.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

bool QtLauncher::openInEditor(const QString &nativeFile)
{
#ifdef Q_OS_WIN
    return QProcess::startDetached(QStringLiteral("notepad.exe"), {nativeFile});
#else
    // The desktop's application for plain text, whatever the quote holds:
    // the system opener would judge by the content, and send a quote that
    // begins like a web page to the browser. Never through a shell; the
    // file is one argument.
    const QString entry = DesktopEditor::defaultTextEditorEntry(DesktopEditor::systemPlaces());
    if (!entry.isEmpty()) {
        const std::optional<DesktopEditor::Command> command = DesktopEditor::commandFor(
            entry, nativeFile,
            QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator")));
        if (command && QProcess::startDetached(command->program, command->arguments))
            return true;
    }
    // No text editor set (or it cannot be started): the system opener.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(nativeFile));
#endif
}

bool QtLauncher::startProgram(const QString &nativeProgram)
{
    const QFileInfo info(nativeProgram);
    if (!info.isFile() || !info.isExecutable())
        return false;
    return QProcess::startDetached(nativeProgram, {}, info.absolutePath());
}

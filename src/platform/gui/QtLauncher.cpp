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
    // file is one argument. The default first, then any other application
    // for plain text.
    for (const DesktopEditor::Command &command : DesktopEditor::editorCommands(
             DesktopEditor::systemPlaces(), nativeFile,
             QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator")))) {
        if (QProcess::startDetached(command.program, command.arguments))
            return true;
    }
    // No application for plain text (or none can be started): the system
    // opener.
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

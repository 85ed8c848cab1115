#include "platform/gui/QtLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool QtLauncher::openInEditor(const QString &nativeFile)
{
#ifdef Q_OS_WIN
    return QProcess::startDetached(QStringLiteral("notepad.exe"), {nativeFile});
#else
    // The desktop's default application for the file; never through a shell.
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

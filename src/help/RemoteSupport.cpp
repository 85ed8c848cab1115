#include "help/RemoteSupport.h"

#include "platform/Platform.h"
#include "store/Paths.h"

void launchRemoteSupport(Platform &platform, QWidget *parent)
{
    const QString title = QStringLiteral("Remote support");
    const QString tool = Paths::remoteSupportTool();
    if (!platform.files.fileExists(tool)) {
        platform.messages.inform(
            parent, title,
            QStringLiteral("Remote support is not currently installed on your system !"));
        return;
    }
    if (!platform.launcher.startProgram(platform.files.nativePath(tool))) {
        // The file is there but is no program this system can start (not
        // executable, damaged, or refused).
        platform.messages.warn(parent, title,
                               QStringLiteral("Remote support could not be started from the file (")
                                   + tool + QStringLiteral(") !"));
    }
}

// Creates the settings tree of a new user: quotaro-init [--drive DIR] [--if-absent]
// With --if-absent nothing at all is done when the install root exists, so a
// damaged tree still meets the program's own messages.
#include "StoreInitialiser.h"

#include "platform/QtFileSystem.h"
#include "platform/gui/QtFonts.h"
#include "store/Paths.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    // Fonts are read from the display when there is one, and offscreen otherwise.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Creates a fresh Quotaro settings tree."));
    parser.addHelpOption();
    const QCommandLineOption drive(QStringLiteral("drive"),
                                   QStringLiteral("Folder that stands for drive C:."),
                                   QStringLiteral("DIR"), QtFileSystem::defaultDriveRoot());
    const QCommandLineOption ifAbsent(QStringLiteral("if-absent"),
                                      QStringLiteral("Do nothing when the install root exists."));
    parser.addOption(drive);
    parser.addOption(ifAbsent);
    parser.process(app);

    QtFileSystem fs(parser.value(drive));
    const QString root = fs.nativePath(Paths::installRoot());
    if (parser.isSet(ifAbsent) && QFileInfo::exists(root)) {
        std::printf("%s exists; left as it is\n", qPrintable(root));
        return 0;
    }
    QString error;
    const QStringList created = StoreInitialiser::create(
        fs, StoreInitialiser::starterFont(QtFonts().families()), &error);
    for (const QString &path : created)
        std::printf("created %s\n", qPrintable(fs.nativePath(path)));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "quotaro-init: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

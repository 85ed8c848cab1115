#pragma once

#include <QString>
#include <QVector>

// Every path of the settings tree, a plain concatenation below the fixed
// install root. The names are the ones offices already have on disk,
// "Intergration" included.
namespace Paths {

QString installRoot(); // "C:\Program Files\Kestrane\Quotaro"

QString printerFile();
QString fontFile();
QString fontSizeFile();
QString boldFile();
QString italicFile();
QString underlineFile();
QString horizontalMarginFile();
QString verticalMarginFile();
QString headerFile();
QString footerFile();
QString integrationFile();

QString supportToolsFolder();
QString upfrontsFolder();
QString midsFolder();
QString finalsFolder();
QString ratesFolder();
QString quotesFolder();

QString remoteSupportTool();
// Folder path, name and ".txt".
QString entryFile(const QString &folder, const QString &entry);
QString quoteFile(const QString &name);

struct RequiredPath {
    QString path;
    bool isFolder;
};
// The seventeen paths a start-up needs, in the order they are tested.
QVector<RequiredPath> requiredPaths();

} // namespace Paths

#include "store/Paths.h"

namespace Paths {

namespace {
QString under(const char *relative)
{
    return installRoot() + QLatin1Char('\\') + QLatin1String(relative);
}
} // namespace

QString installRoot() { return QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro"); }

QString printerFile() { return under("Printer Settings\\Printer.txt"); }
QString fontFile() { return under("Printer Settings\\Font.txt"); }
QString fontSizeFile() { return under("Printer Settings\\FontSize.txt"); }
QString boldFile() { return under("Printer Settings\\Bold.txt"); }
QString italicFile() { return under("Printer Settings\\Italic.txt"); }
QString underlineFile() { return under("Printer Settings\\Underline.txt"); }
QString horizontalMarginFile() { return under("Printer Settings\\HorizontalMargin.txt"); }
QString verticalMarginFile() { return under("Printer Settings\\VerticalMargin.txt"); }
QString headerFile() { return under("Page Settings\\Header.txt"); }
QString footerFile() { return under("Page Settings\\Footer.txt"); }
QString integrationFile() { return under("Intergration Settings\\Intergration.txt"); }

QString supportToolsFolder() { return under("Support Tools"); }
QString upfrontsFolder() { return under("Terms Upfront Settings"); }
QString midsFolder() { return under("Terms Mid Settings"); }
QString finalsFolder() { return under("Terms Final Settings"); }
QString ratesFolder() { return under("Rates Settings"); }
QString quotesFolder() { return under("Quotes"); }

QString remoteSupportTool() { return under("Support Tools\\Kestrane-Remote-Support.exe"); }

QString entryFile(const QString &folder, const QString &entry)
{
    return folder + QLatin1Char('\\') + entry + QStringLiteral(".txt");
}

QString quoteFile(const QString &name) { return entryFile(quotesFolder(), name); }

QVector<RequiredPath> requiredPaths()
{
    return {
        {printerFile(), false},          {fontFile(), false},
        {fontSizeFile(), false},         {boldFile(), false},
        {italicFile(), false},           {underlineFile(), false},
        {horizontalMarginFile(), false}, {verticalMarginFile(), false},
        {headerFile(), false},           {footerFile(), false},
        {integrationFile(), false},      {supportToolsFolder(), true},
        {upfrontsFolder(), true},        {midsFolder(), true},
        {finalsFolder(), true},          {ratesFolder(), true},
        {quotesFolder(), true},
    };
}

} // namespace Paths

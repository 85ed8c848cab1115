#include "setup/PrinterSettingsFiles.h"

#include "platform/FileSystem.h"
#include "store/Paths.h"
#include "store/Store.h"

#include <optional>

QVector<PrinterSettingFile> PrinterSettingFiles()
{
    return {
        {Paths::printerFile(), &PrinterSettings::PrinterName},
        {Paths::horizontalMarginFile(), &PrinterSettings::HorizontalMargin},
        {Paths::verticalMarginFile(), &PrinterSettings::VerticalMargin},
        {Paths::fontFile(), &PrinterSettings::PrinterFont},
        {Paths::fontSizeFile(), &PrinterSettings::PrinterFontSize},
        {Paths::boldFile(), &PrinterSettings::PrinterBold},
        {Paths::italicFile(), &PrinterSettings::PrinterItalic},
        {Paths::underlineFile(), &PrinterSettings::PrinterUnderline},
    };
}

PrinterSettingsWrite WritePrinterSettings(FileSystem &fs, const PrinterSettings &values)
{
    struct Previous {
        QString path;
        bool existed;
        std::optional<QByteArray> bytes;
    };
    QVector<Previous> written;
    PrinterSettingsWrite result;
    for (const PrinterSettingFile &file : PrinterSettingFiles()) {
        Previous previous{file.path, fs.fileExists(file.path), fs.readFile(file.path)};
        if (!Store::writeValueFile(fs, file.path, values.*file.value)) {
            result.ok = false;
            result.failedFile = file.path;
            break;
        }
        written.append(previous);
    }
    if (result.ok)
        return result;
    for (const Previous &previous : written) {
        bool restored = false;
        if (previous.bytes)
            restored = fs.replaceFile(previous.path, *previous.bytes);
        else if (!previous.existed)
            restored = fs.removeFile(previous.path);
        if (!restored)
            result.notRestored.append(previous.path);
    }
    return result;
}

PrinterSettings PrinterSettingsAfterWrite(const PrinterSettings &before,
                                          const PrinterSettings &values,
                                          const PrinterSettingsWrite &write)
{
    if (write.ok)
        return values;
    PrinterSettings result = before;
    for (const PrinterSettingFile &file : PrinterSettingFiles()) {
        if (write.notRestored.contains(file.path))
            result.*file.value = values.*file.value;
    }
    return result;
}

QString PrinterSettingsWriteFailure(const PrinterSettingsWrite &write)
{
    QString text = QStringLiteral("The file (") + write.failedFile + QStringLiteral(") could not be written");
    if (write.notRestored.isEmpty())
        return text + QStringLiteral(", the printer settings have not been changed !");
    text += QStringLiteral(", and these files written before it could not be put back:");
    for (const QString &path : write.notRestored)
        text += QStringLiteral(" (") + path + QLatin1Char(')');
    return text
        + QStringLiteral(". The settings of those files have been changed, all the others have not !");
}

QStringList PrinterTestPageTexts(const PrinterSettings &s)
{
    const QString crLf = Store::CrLf;
    return {
        QStringLiteral("Printer test page") + crLf,
        crLf,
        QStringLiteral("Printer: ") + s.PrinterName + crLf,
        crLf,
        QStringLiteral("Horizontal Margin: ") + s.HorizontalMargin + crLf,
        crLf,
        QStringLiteral("Vertical margin: ") + s.VerticalMargin + crLf,
        crLf,
        QStringLiteral("Font: ") + s.PrinterFont + crLf,
        crLf,
        QStringLiteral("Font size: ") + s.PrinterFontSize + crLf,
        crLf,
        QStringLiteral("Bold option: ") + s.PrinterBold + crLf,
        crLf,
        QStringLiteral("Italic option: ") + s.PrinterItalic + crLf,
        crLf,
        QStringLiteral("Underline option: ") + s.PrinterUnderline + crLf,
        crLf,
        QStringLiteral("Sample text to demonstrate page formatting. All text will be wrapped "
                       "between the page horizontal margins. Shown above are the current "
                       "printer settings."),
    };
}

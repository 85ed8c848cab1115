#include "store/SettingsFiles.h"

#include "platform/Log.h"
#include "platform/FileSystem.h"
#include "store/Paths.h"
#include "store/Store.h"

#include <optional>

namespace {
using Form = SettingFile::Form;
} // namespace

const QVector<SettingFile> &settingFiles()
{
    static const QVector<SettingFile> files = {
        {Paths::printerFile(), Form::Value, QStringLiteral("Default"),
         [](Settings &s) -> QString & { return s.printer.PrinterName; }},
        {Paths::fontFile(), Form::Value, QString(),
         [](Settings &s) -> QString & { return s.printer.PrinterFont; }},
        {Paths::fontSizeFile(), Form::Value, QStringLiteral("10"),
         [](Settings &s) -> QString & { return s.printer.PrinterFontSize; }},
        {Paths::boldFile(), Form::Value, QStringLiteral("Off"),
         [](Settings &s) -> QString & { return s.printer.PrinterBold; }},
        {Paths::italicFile(), Form::Value, QStringLiteral("Off"),
         [](Settings &s) -> QString & { return s.printer.PrinterItalic; }},
        {Paths::underlineFile(), Form::Value, QStringLiteral("Off"),
         [](Settings &s) -> QString & { return s.printer.PrinterUnderline; }},
        {Paths::horizontalMarginFile(), Form::Value, QStringLiteral("1440"),
         [](Settings &s) -> QString & { return s.printer.HorizontalMargin; }},
        {Paths::verticalMarginFile(), Form::Value, QStringLiteral("1440"),
         [](Settings &s) -> QString & { return s.printer.VerticalMargin; }},
        {Paths::headerFile(), Form::Text, QString(),
         [](Settings &s) -> QString & { return s.page.PageHeader; }},
        {Paths::footerFile(), Form::Text, QString(),
         [](Settings &s) -> QString & { return s.page.PageFooter; }},
    };
    return files;
}

QVector<SettingFile> printerSettingFiles()
{
    // Apply writes the printer first, then the margins, then the font.
    const QVector<SettingFile> &all = settingFiles();
    return {all[0], all[6], all[7], all[1], all[2], all[3], all[4], all[5]};
}

Settings freshSettings(const QString &font)
{
    Settings settings;
    for (const SettingFile &file : settingFiles())
        file.variable(settings) = file.freshValue;
    settings.printer.PrinterFont = font;
    return settings;
}

namespace {
SettingsRead loggedRead(SettingsRead read, const char *problem)
{
    qCWarning(lcStore).noquote() << "The settings file" << read.path << problem;
    return read;
}
} // namespace

SettingsRead readSettings(const FileSystem &fs, Settings &into)
{
    for (const SettingFile &file : settingFiles()) {
        const bool value = file.form == Form::Value;
        Store::BoundedRead read = value ? Store::readValueStart(fs, file.path)
                                        : Store::readPageTextFile(fs, file.path);
        if (read.status == Store::BoundedRead::Status::CannotRead)
            return loggedRead({SettingsRead::Status::CannotRead, file.path}, "cannot be read");
        if (read.status == Store::BoundedRead::Status::TooLarge)
            return loggedRead(
                {value ? SettingsRead::Status::ValueTooLarge : SettingsRead::Status::TextTooLarge,
                 file.path},
                "is too large to be read");
        // A value file with nothing at all in it was cut short: printing
        // with a setting nobody chose is worse than stopping. (A value file
        // holding only a line end is an empty value, which is fine.)
        if (value && read.text.isEmpty())
            return loggedRead({SettingsRead::Status::Empty, file.path}, "is empty");
        file.variable(into) = value ? Store::readField(read.text) : std::move(read.text);
    }
    return {};
}

PrinterSettingsWrite writePrinterSettings(FileSystem &fs, const PrinterSettings &values)
{
    struct Previous {
        QString path;
        bool existed;
        std::optional<QByteArray> bytes;
    };
    Settings wanted;
    wanted.printer = values;
    QVector<Previous> written;
    PrinterSettingsWrite result;
    for (const SettingFile &file : printerSettingFiles()) {
        Previous previous{file.path, fs.fileExists(file.path), fs.readFile(file.path)};
        const WriteResult done = Store::writeValueFile(fs, file.path, file.of(wanted));
        if (!done) {
            result.ok = false;
            result.failedFile = file.path;
            result.reason = done.reason();
            qCWarning(lcStore).noquote() << "The printer settings file" << file.path
                                         << "cannot be written:" << done.reason();
            break;
        }
        written.append(previous);
    }
    if (result.ok)
        return result;
    for (const Previous &previous : written) {
        bool restored = false;
        if (previous.bytes)
            restored = bool(fs.replaceFile(previous.path, *previous.bytes));
        else if (!previous.existed)
            restored = bool(fs.removeFile(previous.path));
        if (!restored) {
            qCWarning(lcStore).noquote()
                << "The settings file" << previous.path << "could not be put back";
            result.notRestored.append(previous.path);
        }
    }
    return result;
}

PrinterSettings printerSettingsAfterWrite(const PrinterSettings &before,
                                          const PrinterSettings &values,
                                          const PrinterSettingsWrite &write)
{
    if (write.ok)
        return values;
    Settings result, wanted;
    result.printer = before;
    wanted.printer = values;
    for (const SettingFile &file : printerSettingFiles()) {
        if (write.notRestored.contains(file.path))
            file.variable(result) = file.of(wanted);
    }
    return result.printer;
}

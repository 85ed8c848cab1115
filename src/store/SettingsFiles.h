#pragma once

#include "store/Settings.h"

#include <QString>
#include <QStringList>
#include <QVector>

class FileSystem;

// The one description of the settings files: where each is, the variable it
// fills, what a fresh tree holds in it and how it is read. Start-up, printer
// setup, the initialiser and the tests all work from this table, so a new
// setting is one row here.
struct SettingFile {
    enum class Form {
        Value, // the first field of the first line (at most 64 KiB)
        Text, // every line, CR LF after each (at most 4 MiB)
    };
    QString path;
    Form form;
    // What a fresh tree holds; the font is chosen from the installed ones.
    QString freshValue;
    QString &(*variable)(Settings &);

    const QString &of(const Settings &settings) const
    {
        return variable(const_cast<Settings &>(settings));
    }
};

// The ten settings files in the order start-up reads them.
const QVector<SettingFile> &settingFiles();
// The eight printer settings files in the order printer setup writes them.
QVector<SettingFile> printerSettingFiles();

// The settings of a fresh tree, with the given font.
Settings freshSettings(const QString &font);

// What became of reading the settings at start-up.
struct SettingsRead {
    enum class Status {
        Read,
        CannotRead, // the file could not be opened or read
        Empty, // a value file without a single byte (cut short by a crash)
        ValueTooLarge, // a value file whose first line runs past 64 KiB
        TextTooLarge, // a header or footer file of more than 4 MiB
    };
    Status status = Status::Read;
    QString path; // the file that could not be read
};

// Reads every settings file into the variables, stopping at the first that
// cannot be read. Value files are read only up to their first line end and
// long texts are refused rather than read, so that a damaged file cannot
// exhaust the memory.
SettingsRead readSettings(const FileSystem &fs, Settings &into);

// What became of writing the eight printer settings files.
struct PrinterSettingsWrite {
    bool ok = true;
    QString failedFile; // the file that could not be written
    QString reason; // why, in the system's words
    QStringList notRestored; // files written before it whose old content could not be put back
};

// Writes the eight files in order, each replaced by its setting and CR LF.
// When one cannot be written, the files already written get their previous
// content back, so that the settings on disk stay one consistent set; any
// that cannot be put back are named in the result.
PrinterSettingsWrite writePrinterSettings(FileSystem &fs, const PrinterSettings &values);

// The settings in force after a write: the new values when the write
// succeeded; otherwise the old ones, except where a file could not be put
// back and so holds the new value on disk.
PrinterSettings printerSettingsAfterWrite(const PrinterSettings &before,
                                          const PrinterSettings &values,
                                          const PrinterSettingsWrite &write);

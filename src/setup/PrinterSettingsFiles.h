#pragma once

#include "store/Settings.h"

#include <QString>
#include <QStringList>
#include <QVector>

class FileSystem;

// The eight printer settings files, in the order Apply writes them, each
// with the setting it holds.
struct PrinterSettingFile {
    QString path;
    QString PrinterSettings::*value;
};
QVector<PrinterSettingFile> PrinterSettingFiles();

// What became of writing the eight files.
struct PrinterSettingsWrite {
    bool ok = true;
    QString failedFile;      // the file that could not be written
    QStringList notRestored; // files written before it whose old content could not be put back
};

// Writes the eight files in order, each replaced by its setting and CR LF,
// values holding a comma in quotes so they read back whole. When one cannot
// be written, the files already written get their previous content back, so
// that the settings on disk stay one consistent set; any that cannot be put
// back are named in the result.
PrinterSettingsWrite WritePrinterSettings(FileSystem &fs, const PrinterSettings &values);

// The settings in force after a write: the new values when the write
// succeeded; otherwise the old ones, except where a file could not be put
// back and so holds the new value on disk.
PrinterSettings PrinterSettingsAfterWrite(const PrinterSettings &before,
                                          const PrinterSettings &values,
                                          const PrinterSettingsWrite &write);

// The message for a failed write (shown with the exclamation icon).
QString PrinterSettingsWriteFailure(const PrinterSettingsWrite &write);

// The nineteen texts of the printer test page, in print order.
QStringList PrinterTestPageTexts(const PrinterSettings &settings);

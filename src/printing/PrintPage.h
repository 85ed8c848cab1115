#pragma once

#include <QSizeF>
#include <QString>
#include <functional>
#include <optional>

class Locale;
class PrinterSurface;
class QWidget;
struct Platform;
struct PrinterSettings;

// The print settings as numbers, checked before any job starts.
struct PrintMeasures {
    float fontSize = 0;
    int horizontalMargin = 0; // twips, left and right
    float verticalMargin = 0; // twips, the Y of the first line
};

// Converts the font size and margin settings; when one is not a number, or
// they leave no room for a line of text in the printable area (twips), the
// result is empty and *error names the setting and its file and what does
// not fit, ending with what has therefore not been done.
std::optional<PrintMeasures>
printMeasuresOf(const PrinterSettings &settings, const Locale &locale, const QSizeF &printable,
                QString *error,
                const QString &notDone = QStringLiteral("nothing has been printed"));

// Font name, size, bold, italic and underline, then the top margin as
// current Y. A flag that is neither "On" nor "Off" is left as it is.
void ApplyPrintSettings(PrinterSurface &surface, const PrinterSettings &settings,
                        const PrintMeasures &measures);

// Prints a text word by word between the margins: words wrap before the
// right limit (never split), spaces print, a line feed starts a new line,
// a tab moves on to the next stop every ten widths of "0", other control
// characters (carriage return among them) are ignored.
void PrintWrapped(PrinterSurface &surface, const QString &text, int leftMargin, int rightMargin);

// One whole print job on the current printer: checks the settings, starts
// the job, applies the settings, lets body print (with the horizontal
// margin), ends the document. Every failure is told to the user here, and
// the result is then empty; on success it is the device name of the printer.
std::optional<QString> runPrintJob(Platform &platform, QWidget *parent,
                                   const PrinterSettings &settings,
                                   const std::function<void(PrinterSurface &, int margin)> &body);

class Printers;
// Makes the first installed printer whose device name is exactly the name
// (letter case included) the current printer. False when none matches; the
// current printer then stays as it was.
bool selectPrinter(Printers &printers, const QString &name);

#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>

// The current printer seen as a drawing surface. Every position and width is
// in twips (1/1440 inch), X = 0 and Y = 0 at the top-left corner of the
// printable area. A surface is one print job, started when the surface is made.
class PrinterSurface {
public:
    virtual ~PrinterSurface() = default;

    virtual void setFontName(const QString &name) = 0;
    virtual void setFontSize(float points) = 0;
    virtual void setBold(bool on) = 0;
    virtual void setItalic(bool on) = 0;
    virtual void setUnderline(bool on) = 0;

    virtual float currentX() const = 0;
    virtual void setCurrentX(float x) = 0;
    virtual float currentY() const = 0;
    virtual void setCurrentY(float y) = 0;

    // Left coordinate and width of the printable area.
    virtual float scaleLeft() const = 0;
    virtual float scaleWidth() const = 0;

    // Width of the text in the current font.
    virtual float textWidth(const QString &text) = 0;
    // Draws the text at (current X, current Y) and moves current X on by its width.
    virtual void print(const QString &text) = 0;
    // Current X back to the left edge, current Y down one line of the current font.
    virtual void newLine() = 0;

    // Ends the job and hands it to the print service. False when the job
    // failed; error() then says why.
    virtual bool endDoc() = 0;
    virtual QString error() const = 0;

    virtual QString deviceName() const = 0;
};

class Printers {
public:
    virtual ~Printers() = default;

    // Device names of the installed printers, in the platform's order.
    virtual QStringList installed() const = 0;
    // Device name of the current printer (the system default until changed);
    // empty when no printer is installed.
    virtual QString currentName() const = 0;
    // Makes the installed printer of that exact device name current.
    virtual bool setCurrent(const QString &deviceName) = 0;

    // A fresh surface on the current printer for one job; nullptr with
    // *error set when no job can be started (for example no printer).
    virtual std::unique_ptr<PrinterSurface> startJob(QString *error) = 0;

    // The printable area of a page of the current printer, in twips: what a
    // job, a preview or a PDF of it has to fit in (A4 where no printer can
    // be used, as the preview and the PDF then have).
    virtual QSizeF printableArea() const = 0;
};

#pragma once

#include "platform/Printers.h"

#include <QString>
#include <functional>
#include <memory>

class QPrinter;

// A PDF job's file: written to writeTo, then put in place as target by
// finish (false with *why set when it cannot). Dropping finish drops what was
// written.
struct PdfFileJob {
    QString writeTo;
    QString target;
    std::function<bool(QString *why)> finish;
};

// The surface of the printers, for the other Qt implementations of the
// platform: on a printer the caller keeps (the print preview's), and a job
// that writes a PDF file through a temporary one. nullptr with *error set
// when the job cannot start.
std::unique_ptr<PrinterSurface> startSurfaceOn(QPrinter &printer, QString *error);
std::unique_ptr<PrinterSurface> startPdfFileSurface(std::unique_ptr<QPrinter> printer,
                                                    const PdfFileJob &file, QString *error);

#pragma once

#include <QString>
#include <functional>
#include <memory>

class PrinterSurface;
class QWidget;

// What happened in a print preview: whether the user printed from it, and
// how that job went.
struct PreviewOutcome {
    bool shown = false; // the preview was on screen
    bool printed = false; // the user printed from it; device and error tell how
    QString device;
    QString error; // empty when the job went through
};

// Pages that do not go straight to the printer: a PDF file the user chooses,
// and the print preview. Both are drawn through the same printer surface as
// a printed job, so the page is the printed page.
class PageOutput {
public:
    virtual ~PageOutput() = default;

    // The folder the user keeps documents in, where a new PDF is proposed.
    virtual QString documentsFolder() const = 0;

    // The save dialog for a PDF file, opened on the proposed path. Returns the
    // path chosen, empty when the user cancels. The dialog itself asks before
    // an existing file is replaced.
    virtual QString askPdfPath(QWidget *parent, const QString &caption,
                               const QString &proposed) = 0;
    // The same dialog for another kind of file: filter names the kind
    // ("CSV files (*.csv)"), suffix ends a name typed without it.
    virtual QString askSavePath(QWidget *parent, const QString &caption, const QString &proposed,
                                const QString &filter, const QString &suffix) = 0;

    // Writes a file the user chose: beside it under a temporary name, then
    // renamed over it in one step once it is whole, so a failed write leaves
    // no file behind and an old one as it was. False with *why set (a
    // reason to follow "could not be saved as <path>: ") when it fails.
    virtual bool saveDocument(const QString &path, const QByteArray &bytes, QString *why) = 0;

    // A job that writes a PDF file at path on the paper of the printer named
    // (A4 where there is none), with the document title and the creator
    // "Quotaro". The file is written beside its target under a temporary
    // name and put in place by a successful endDoc; a failed job leaves no
    // file behind. nullptr with *error set when no job can be started.
    virtual std::unique_ptr<PrinterSurface> startPdf(const QString &path, const QString &title,
                                                     const QString &printerName,
                                                     QString *error) = 0;

    // The print preview of the printer named, modal. draw fills a fresh
    // surface each time the pages are needed: for the preview, and again on
    // the printer when the user prints from it. The surface's job is ended
    // here, not by draw.
    virtual PreviewOutcome preview(QWidget *parent, const QString &printerName,
                                   const QString &title,
                                   const std::function<void(PrinterSurface &)> &draw) = 0;
};

#pragma once

#include "platform/Printers.h"

// The printers of the system's print service through Qt's print support.
// The current printer is the system default (or, where the system marks
// none, the first installed printer) until one is chosen by name.
class QtPrinters : public Printers {
public:
    QtPrinters() = default;

    QStringList installed() const override;
    QString currentName() const override;
    bool setCurrent(const QString &deviceName) override;
    std::unique_ptr<PrinterSurface> startJob(QString *error) override;
    QSizeF printableArea() const override;

private:
    QString m_chosen; // empty: follow the system default
};

// One "printer" that writes every job as a PDF file at a fixed path, through
// the same surface as a real printer. Lets a page be read back and checked
// where no print service is at hand; its device name is the file's path.
class PdfPrinters : public Printers {
public:
    explicit PdfPrinters(const QString &path);

    QStringList installed() const override;
    QString currentName() const override;
    bool setCurrent(const QString &deviceName) override;
    std::unique_ptr<PrinterSurface> startJob(QString *error) override;
    QSizeF printableArea() const override;

private:
    QString m_path;
};

#pragma once

#include "platform/PageOutput.h"
#include "platform/PendingFile.h"

// PDF files through Qt's PDF output and the preview through Qt's print
// preview dialog, both on the surface the printers use.
class QtPageOutput : public PageOutput {
public:
    QString documentsFolder() const override;
    QString askPdfPath(QWidget *parent, const QString &caption, const QString &proposed) override;
    std::unique_ptr<PrinterSurface> startPdf(const QString &path, const QString &title,
                                             const QString &printerName, QString *error) override;
    PreviewOutcome preview(QWidget *parent, const QString &printerName, const QString &title,
                           const std::function<void(PrinterSurface &)> &draw) override;

    // False makes every PDF take a named temporary file, as on a share that
    // refuses unnamed ones.
    void setUnnamedFilesAvailable(bool available) { m_unnamedFiles = available; }

protected:
    // Puts a finished PDF in place of its target. Qt does not notice when a
    // full disk cuts the file short, so the file is first checked to end as
    // a PDF ends; then it takes the target's name in one step.
    virtual bool putInPlace(PendingFile &file, const QString &target, QString *why);

private:
    bool m_unnamedFiles = true;
};

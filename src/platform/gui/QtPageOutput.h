#pragma once

#include "platform/PageOutput.h"
#include "platform/PendingFile.h"

class QFileInfo;

// PDF files through Qt's PDF output and the preview through Qt's print
// preview dialog, both on the surface the printers use.
class QtPageOutput : public PageOutput {
public:
    QString documentsFolder() const override;
    QString askPdfPath(QWidget *parent, const QString &caption, const QString &proposed) override;
    QString askSavePath(QWidget *parent, const QString &caption, const QString &proposed,
                        const QString &filter, const QString &suffix) override;
    bool saveDocument(const QString &path, const QByteArray &bytes, QString *why) override;
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
    // A file beside the target, to be written and then put in place of it;
    // false with *why set when the folder takes no file.
    bool openBeside(PendingFile &file, const QFileInfo &target, QString *why);
    // Gives a whole file the target's name in one step.
    static bool place(PendingFile &file, const QString &target, QString *why);

    bool m_unnamedFiles = true;
};

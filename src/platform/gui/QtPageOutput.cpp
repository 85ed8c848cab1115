#include "platform/gui/QtPageOutput.h"

#include "platform/gui/QtPrinterSurface.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

namespace {

const QString Creator = QStringLiteral("Quotaro");

// Qt's PDF output on A4 paper, titled.
std::unique_ptr<QPrinter> pdfPrinter(const QString &title)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setDocName(title);
    printer->setCreator(Creator);
    printer->setFullPage(false);
    return printer;
}

// The printer named where it is installed, otherwise Qt's PDF output on A4.
std::unique_ptr<QPrinter> printerFor(const QString &printerName, const QString &title)
{
    if (!printerName.isEmpty() && QPrinterInfo::availablePrinterNames().contains(printerName)) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setPrinterName(printerName);
        if (printer->outputFormat() == QPrinter::NativeFormat
            && printer->printerName() == printerName) {
            printer->setDocName(title);
            printer->setCreator(Creator);
            printer->setFullPage(false);
            return printer;
        }
    }
    return pdfPrinter(title);
}

} // namespace

QString QtPageOutput::documentsFolder() const
{
    // A desktop without a documents folder gets the home folder: the save
    // dialog cannot open in a folder that is not there.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString QtPageOutput::askPdfPath(QWidget *parent, const QString &caption, const QString &proposed)
{
    return askSavePath(parent, caption, proposed, QStringLiteral("PDF files (*.pdf)"),
                       QStringLiteral("pdf"));
}

QString QtPageOutput::askSavePath(QWidget *parent, const QString &caption, const QString &proposed,
                                  const QString &filter, const QString &suffix)
{
    QFileDialog dialog(parent, caption, proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without its ending gets it before the dialog asks about
    // replacing a file of that name.
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

bool QtPageOutput::openBeside(PendingFile &file, const QFileInfo &target, QString *why)
{
    // The file is written beside its target to a file that has no name where
    // the file system allows it, so a write killed half way leaves nothing
    // behind; elsewhere a killed write of this computer left a file that the
    // next one to the folder clears away.
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    PendingFile::removeAbandoned(folder);
    if (file.open(folder, 0644, m_unnamedFiles))
        return true;
    if (why)
        *why = QStringLiteral("the folder ") + QDir::toNativeSeparators(target.absolutePath())
            + QStringLiteral(" cannot be written (") + QString::fromLocal8Bit(strerror(errno))
            + QStringLiteral(")");
    return false;
}

bool QtPageOutput::saveDocument(const QString &path, const QByteArray &bytes, QString *why)
{
    const QFileInfo target(path);
    PendingFile file;
    if (!openBeside(file, target, why))
        return false;
    if (!file.write(bytes)) {
        if (why)
            *why = QStringLiteral("the file could not be written completely, the disk may be full");
        return false;
    }
    return place(file, target.absoluteFilePath(), why);
}

std::unique_ptr<PrinterSurface> QtPageOutput::startPdf(const QString &path, const QString &title,
                                                       const QString &printerName, QString *error)
{
    // The page of the printer in use: its paper and the margins it keeps,
    // so lines wrap and pages break as they do on paper.
    std::unique_ptr<QPrinter> printer = pdfPrinter(title);
    if (const auto paper = printerFor(printerName, title);
        paper->outputFormat() == QPrinter::NativeFormat)
        printer->setPageLayout(paper->pageLayout());

    const QFileInfo target(path);
    auto file = std::make_shared<PendingFile>();
    if (!openBeside(*file, target, error))
        return nullptr;
    const QString to = target.absoluteFilePath();
    return startPdfFileSurface(
        std::move(printer),
        {QFile::decodeName(file->path()), to,
         [this, file, to](QString *why) { return putInPlace(*file, to, why); }},
        error);
}

bool QtPageOutput::putInPlace(PendingFile &pending, const QString &target, QString *why)
{
    QFile file(QFile::decodeName(pending.path()));
    QByteArray tail;
    if (file.open(QIODevice::ReadOnly) && file.size() > 16) {
        file.seek(file.size() - 16);
        tail = file.read(16).trimmed();
    }
    file.close();
    if (!tail.endsWith("%%EOF")) {
        if (why)
            *why = QStringLiteral("the file could not be written completely, the disk may be full");
        return false;
    }
    return place(pending, target, why);
}

bool QtPageOutput::place(PendingFile &pending, const QString &target, QString *why)
{
    // A new file gets the permissions a saved document usually has; a file
    // that is replaced (the save dialog asked first) keeps its own.
    const QFileInfo old(target);
    QFile(QFile::decodeName(pending.path()))
        .setPermissions(old.exists() ? old.permissions()
                                     : QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QByteArray to = QFile::encodeName(target);
    if (pending.createAs(to) || (errno == EEXIST && pending.replace(to)))
        return true;
    if (why)
        *why = QString::fromLocal8Bit(strerror(errno));
    return false;
}

PreviewOutcome QtPageOutput::preview(QWidget *parent, const QString &printerName,
                                     const QString &title,
                                     const std::function<void(PrinterSurface &)> &draw)
{
    PreviewOutcome outcome;
    std::unique_ptr<QPrinter> printer = printerFor(printerName, title);
    QPrintPreviewDialog dialog(printer.get(), parent);
    // Large enough to read a whole page at once.
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        dialog.resize(screen->availableGeometry().size() * 0.85);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *on) {
        // The same signal asks for the pages of the preview and, when the
        // user prints from it, for the job on the printer itself.
        const bool previewing = on->paintEngine()
            && on->paintEngine()->type() == QPaintEngine::Picture;
        QString error;
        std::unique_ptr<PrinterSurface> surface = startSurfaceOn(*on, &error);
        bool ended = false;
        if (surface) {
            draw(*surface);
            ended = surface->endDoc();
            if (!ended)
                error = surface->error();
        }
        if (!previewing) {
            outcome.printed = true;
            outcome.device = surface ? surface->deviceName() : on->printerName();
            outcome.error = ended ? QString() : error;
        }
    });
    outcome.shown = true;
    dialog.exec();
    return outcome;
}

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
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

namespace {

const QString Creator = QStringLiteral("Quotaro");

std::filesystem::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

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
    QFileDialog dialog(parent, caption, proposed, QStringLiteral("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without its ending gets ".pdf" before the dialog asks
    // about replacing a file of that name.
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
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
    QTemporaryFile reserved(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                            + QStringLiteral(".XXXXXX"));
    reserved.setAutoRemove(false);
    if (!reserved.open()) {
        if (error)
            *error = QStringLiteral("the folder ") + QDir::toNativeSeparators(target.absolutePath())
                + QStringLiteral(" cannot be written (") + reserved.errorString()
                + QStringLiteral(")");
        return nullptr;
    }
    reserved.close();

    PdfFileJob file;
    file.temporary = reserved.fileName();
    file.target = target.absoluteFilePath();
    file.finish = [this](const QString &temporary, const QString &to, QString *why) {
        return putInPlace(temporary, to, why);
    };
    return startPdfFileSurface(std::move(printer), file, error);
}

bool QtPageOutput::putInPlace(const QString &temporary, const QString &target, QString *why)
{
    QFile file(temporary);
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
    // A new file gets the permissions a saved document usually has; a file
    // that is replaced keeps its own.
    const QFileInfo old(target);
    QFile::setPermissions(temporary,
                          old.exists() ? old.permissions()
                                       : QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    std::error_code failed;
    std::filesystem::rename(fsPath(temporary), fsPath(target), failed);
    if (failed) {
        if (why)
            *why = QString::fromLocal8Bit(failed.message().c_str());
        return false;
    }
    return true;
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

#include "printing/PdfAndPreview.h"

#include "platform/Log.h"
#include "platform/Platform.h"
#include "printing/PrintPage.h"
#include "store/Settings.h"

#include <QDate>
#include <QDir>

QString quoteDocumentName(const QString &quoteName, const QDate &today, const QString &untitled)
{
    if (quoteName.isEmpty())
        return untitled + QLatin1Char(' ') + today.toString(QStringLiteral("dd-MM-yyyy"));
    return quoteName;
}

namespace {

// A quote name may hold characters a file name cannot; the proposal swaps
// them so the dialog opens in the documents folder itself.
QString fileNameOf(QString name)
{
    for (QChar &c : name)
        if (c.unicode() < 32 || QStringLiteral("\\/:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    return name + QStringLiteral(".pdf");
}

} // namespace

std::optional<QString> runPdfExport(Platform &platform, QWidget *parent,
                                    const PrinterSettings &settings, const QString &documentName,
                                    const PageBody &body)
{
    QString error;
    const std::optional<PrintMeasures> measures = printMeasuresOf(
        settings, platform.locale, platform.printers.printableArea(), &error,
        QStringLiteral("the quote has not been exported"));
    if (!measures) {
        qCWarning(lcPrint).noquote() << "No PDF export:" << error;
        platform.messages.warn(parent, QStringLiteral("Quote not exported"), error);
        return std::nullopt;
    }
    const QString proposed =
        QDir(platform.pages.documentsFolder()).filePath(fileNameOf(documentName));
    const QString path = platform.pages.askPdfPath(parent, QStringLiteral("Export as PDF"),
                                                   proposed);
    if (path.isEmpty())
        return std::nullopt;

    const QString shown = QDir::toNativeSeparators(path);
    const auto failed = [&](const QString &why) {
        qCWarning(lcPrint).noquote() << "The PDF" << shown << "could not be written:" << why;
        platform.messages.warn(parent, QStringLiteral("Quote not exported"),
                               QStringLiteral("The quote could not be saved as ") + shown
                                   + QStringLiteral(": ") + why + QStringLiteral(" !"));
        return std::nullopt;
    };
    std::unique_ptr<PrinterSurface> surface = platform.pages.startPdf(
        path, documentName, platform.printers.currentName(), &error);
    if (!surface)
        return failed(error);
    ApplyPrintSettings(*surface, settings, *measures);
    body(*surface, measures->horizontalMargin);
    if (!surface->endDoc())
        return failed(surface->error());
    qCDebug(lcPrint).noquote() << "PDF written:" << shown;
    platform.messages.inform(parent, QStringLiteral("Quote exported"),
                             QStringLiteral("The quote has been saved as ") + shown);
    return path;
}

std::optional<QString> runPrintPreview(Platform &platform, QWidget *parent,
                                       const PrinterSettings &settings, const QString &documentName,
                                       const PageBody &body)
{
    QString error;
    const std::optional<PrintMeasures> measures = printMeasuresOf(
        settings, platform.locale, platform.printers.printableArea(), &error,
        QStringLiteral("the print preview cannot be shown"));
    if (!measures) {
        qCWarning(lcPrint).noquote() << "No print preview:" << error;
        platform.messages.warn(parent, QStringLiteral("Print preview"), error);
        return std::nullopt;
    }
    const PreviewOutcome outcome = platform.pages.preview(
        parent, platform.printers.currentName(), documentName, [&](PrinterSurface &surface) {
            ApplyPrintSettings(surface, settings, *measures);
            body(surface, measures->horizontalMargin);
        });
    if (!outcome.printed)
        return std::nullopt;
    if (!outcome.error.isEmpty()) {
        qCWarning(lcPrint).noquote()
            << "The printer" << outcome.device << "did not take the print job:" << outcome.error;
        platform.messages.warn(parent, QStringLiteral("Printing"),
                               QStringLiteral("The printer ") + outcome.device
                                   + QStringLiteral(" did not take the print job: ") + outcome.error
                                   + QStringLiteral(" !"));
        return std::nullopt;
    }
    qCDebug(lcPrint).noquote() << "Print job from the preview sent to" << outcome.device;
    return outcome.device;
}

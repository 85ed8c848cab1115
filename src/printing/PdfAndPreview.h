#pragma once

#include <QString>
#include <functional>
#include <optional>

class PrinterSurface;
class QDate;
class QWidget;
struct Platform;
struct PrinterSettings;

// What a page holds: body prints it on a surface whose settings have been
// applied, between the horizontal margins given.
using PageBody = std::function<void(PrinterSurface &, int margin)>;

// The name a quote's PDF goes by: the quote's name, or where there is none
// the untitled name and the date, "Quotation dd-mm-yyyy". Used as the PDF's
// title.
QString quoteDocumentName(const QString &quoteName, const QDate &today,
                          const QString &untitled = QStringLiteral("Quotation"));

// Export as PDF: the save dialog opens in the documents folder on the
// document name with ".pdf"; the page is made exactly as a print job makes it
// (the settings applied, body, the end of the job) on the paper of the
// printer in use, and written to the file chosen. Every outcome is told here;
// the result is the file written, empty when the user cancelled or it failed.
std::optional<QString> runPdfExport(Platform &platform, QWidget *parent,
                                    const PrinterSettings &settings, const QString &documentName,
                                    const PageBody &body);

// The print preview of the printer in use, with the page made as a print job
// makes it. The result is the printer's device name when the user printed
// from the preview and the job went through; a failure is told here.
std::optional<QString> runPrintPreview(Platform &platform, QWidget *parent,
                                       const PrinterSettings &settings, const QString &documentName,
                                       const PageBody &body);

#include "savedquotes/SavedQuotes.h"

#include "lists/ListControl.h"
#include "platform/Platform.h"
#include "printing/PdfAndPreview.h"
#include "printing/PrintPage.h"
#include "store/Paths.h"
#include "store/Settings.h"
#include "store/Store.h"

std::optional<QStringList> listSavedQuotes(const FileSystem &files)
{
    return files.listTxtFiles(Paths::quotesFolder());
}

SavedQuote savedQuoteOf(const QString &fileName)
{
    return {fileName.chopped(4), Paths::quotesFolder() + QLatin1Char('\\') + fileName};
}

std::vector<int> savedQuotesOrder(const QStringList &fileNames)
{
    QVector<ListItem> items;
    items.reserve(fileNames.size());
    for (int i = 0; i < int(fileNames.size()); ++i)
        items.append({fileNames[i].chopped(4), i});
    std::sort(items.begin(), items.end(), [&fileNames](const ListItem &a, const ListItem &b) {
        const int byName = QString::compare(a.text, b.text, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : fileNames[a.data] < fileNames[b.data];
    });
    NumericReSort(items);
    std::vector<int> order;
    order.reserve(size_t(items.size()));
    for (const ListItem &item : items)
        order.push_back(item.data);
    return order;
}

QString unreadableQuotesFolderMessage()
{
    return QStringLiteral("The directory (") + Paths::quotesFolder()
        + QStringLiteral(") cannot be read !");
}

ShownQuote::ShownQuote(Platform &platform, Settings &settings,
                       std::function<QWidget *()> messageParent)
    : m_platform(platform), m_settings(settings), m_messageParent(std::move(messageParent))
{
}

void ShownQuote::reportNotFound(const QString &name)
{
    m_platform.messages.warn(m_messageParent(), QStringLiteral("Quote not found"),
                             QStringLiteral("The quote ") + name
                                 + QStringLiteral(" cannot be found !"));
}

std::optional<QString> ShownQuote::fileFound(const SavedQuote &quote)
{
    if (m_platform.files.fileExists(quote.file))
        return quote.file;
    reportNotFound(quote.name);
    return std::nullopt;
}

std::optional<QString> ShownQuote::read(const SavedQuote &quote)
{
    const QString &name = quote.name;
    const std::optional<QString> file = fileFound(quote);
    if (!file)
        return std::nullopt;
    Store::BoundedRead read = Store::readQuoteFile(m_platform.files, *file);
    switch (read.status) {
    case Store::BoundedRead::Status::Read: break;
    case Store::BoundedRead::Status::TooLarge:
        m_platform.messages.warn(
            m_messageParent(), QStringLiteral("Quote too large"),
            QStringLiteral("The quote ") + name
                + QStringLiteral(" is too large to be read, a quote cannot be larger than %1 MB !")
                      .arg(Store::MaxQuoteBytes / (1024 * 1024)));
        return std::nullopt;
    case Store::BoundedRead::Status::CannotRead:
        m_platform.messages.warn(m_messageParent(), QStringLiteral("Quote not read"),
                                 QStringLiteral("The quote ") + name
                                     + QStringLiteral(" cannot be read !"));
        return std::nullopt;
    }
    Store::trimOneCrLf(read.text);
    return read.text;
}

std::optional<QString> ShownQuote::fileToActOn(const SavedQuote &quote, const QString &title,
                                               const QString &text)
{
    if (quote.name.isEmpty()) {
        m_platform.messages.warn(m_messageParent(), title, text);
        return std::nullopt;
    }
    return fileFound(quote);
}

bool ShownQuote::printable(const SavedQuote &quote)
{
    return fileToActOn(quote, QStringLiteral("No quote to print"),
                       QStringLiteral("Please open a quote to print !"))
        .has_value();
}

namespace {
// The quote's page, as Print quote makes it: its text and one line end.
PageBody pageOf(QString text)
{
    Store::trimOneCrLf(text);
    return [text](PrinterSurface &surface, int margin) {
        PrintWrapped(surface, text + Store::CrLf, margin, margin);
    };
}
} // namespace

void ShownQuote::print(const SavedQuote &quote, const QString &text)
{
    if (!printable(quote))
        return;
    // The one page that the print, the preview and the PDF all make.
    confirmSentToPrinter(
        quote.name, runPrintJob(m_platform, m_messageParent(), m_settings.printer, pageOf(text)));
}

void ShownQuote::preview(const SavedQuote &quote, const QString &text)
{
    if (!printable(quote))
        return;
    confirmSentToPrinter(quote.name,
                         runPrintPreview(m_platform, m_messageParent(), m_settings.printer,
                                         quote.name, pageOf(text)));
}

void ShownQuote::exportPdf(const SavedQuote &quote, const QString &text)
{
    if (printable(quote))
        runPdfExport(m_platform, m_messageParent(), m_settings.printer, quote.name, pageOf(text));
}

// The confirmation of a page sent to the printer, from the print or from
// the preview; a job that did not go has been reported already.
void ShownQuote::confirmSentToPrinter(const QString &name, const std::optional<QString> &device)
{
    if (device)
        m_platform.messages.inform(m_messageParent(), QStringLiteral("Printing"),
                                   QStringLiteral("The quote ") + name
                                       + QStringLiteral(" has been sent to the printer ")
                                       + *device);
}

void ShownQuote::edit(const SavedQuote &quote)
{
    const QString &name = quote.name;
    const std::optional<QString> quoteFile = fileToActOn(
        quote, QStringLiteral("No quote to edit"), QStringLiteral("Please open a quote to edit !"));
    if (!quoteFile)
        return;
    m_platform.messages.inform(m_messageParent(), QStringLiteral("Edit quote"),
                               QStringLiteral("You will need to refresh the quote once you have "
                                              "edited it in order to view the changes !"));
    const QString file = m_platform.files.nativePath(*quoteFile);
    if (!m_platform.launcher.openInEditor(file))
        m_platform.messages.warn(m_messageParent(), QStringLiteral("Edit quote"),
                                 QStringLiteral("No text editor could be started for the quote ")
                                     + name + QStringLiteral(" (") + file + QStringLiteral(") !"));
}

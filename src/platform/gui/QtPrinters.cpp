#include "platform/gui/QtPrinters.h"
#include "platform/gui/QtPrinterSurface.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLibrary>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace {

// Qt hands the finished job to CUPS and does not say whether CUPS took it: a
// queue that refuses jobs, or a scheduler that has gone, loses the job
// without a word. CUPS keeps the answer to the last request made on this
// thread, and submitting the job is the last request Qt makes when the
// painter ends, so the answer can be read straight afterwards. The library
// is looked up at run time: no CUPS headers are needed to build, and where
// there is no CUPS the check is simply not made.
QString printServiceRefusal()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    using LastError = int (*)();
    using LastErrorString = const char *(*)();
    static QLibrary cups(QStringLiteral("cups"), 2);
    static const auto lastError = reinterpret_cast<LastError>(cups.resolve("cupsLastError"));
    static const auto lastErrorString = reinterpret_cast<LastErrorString>(
        cups.resolve("cupsLastErrorString"));
    if (!lastError)
        return QString();
    const int status = lastError();
    // IPP status codes below 0x0400 are successes and redirections.
    if (status < 0x0400)
        return QString();
    const QString why = lastErrorString
        ? QString::fromUtf8(lastErrorString()).trimmed()
        : QStringLiteral("status 0x%1").arg(status, 4, 16, QLatin1Char('0'));
    return QStringLiteral("the print service refused it (") + why + QStringLiteral(")");
#else
    return QString();
#endif
}

// A printer job seen in twips. The painter works in device units with its
// origin at the top-left corner of the printable area, so X = 0 is the
// left edge of what the printer can reach and no translation is needed.
class QtPrinterSurface : public PrinterSurface {
public:
    explicit QtPrinterSurface(std::unique_ptr<QPrinter> printer)
        : m_owned(std::move(printer)), m_printer(m_owned.get()), m_font(QGuiApplication::font())
    {
        m_font.setBold(false);
        m_font.setItalic(false);
        m_font.setUnderline(false);
    }
    // On a printer that someone else keeps (the print preview's).
    explicit QtPrinterSurface(QPrinter &printer) : QtPrinterSurface(nullptr)
    {
        m_printer = &printer;
    }

    // A PDF that is never ended, or whose ending fails, leaves nothing
    // behind: the engine lets go of its file before the job drops it.
    ~QtPrinterSurface() override
    {
        if (m_file.finish && m_painter.isActive())
            m_painter.end();
        m_file.finish = nullptr;
    }

    // The job's file is written to writeTo; a successful end hands it to
    // finish, which puts it in place as target.
    void writeThrough(const PdfFileJob &file) { m_file = file; }

    // Starts the job; false with *error set when the printer will not take it.
    bool begin(QString *error)
    {
        if (!m_printer->isValid() || !m_painter.begin(m_printer)) {
            if (error)
                *error = m_printer->outputFormat() == QPrinter::PdfFormat
                    ? QStringLiteral("the file ") + deviceName()
                        + QStringLiteral(" cannot be written")
                    : QStringLiteral("the printer ") + deviceName()
                        + QStringLiteral(" is not available");
            return false;
        }
        m_unitsPerTwip = double(m_printer->resolution()) / 1440.0;
        if (m_unitsPerTwip <= 0)
            m_unitsPerTwip = 1.0;
        m_painter.setFont(m_font);
        return true;
    }

    void setFontName(const QString &name) override
    {
        m_font.setFamily(name);
        fontChanged();
    }
    void setFontSize(float points) override
    {
        // A size of zero or less is no size; the largest is held to a
        // size that still fits a page, so a wild setting cannot stall the job.
        if (!(points > 0))
            return;
        m_font.setPointSizeF(std::min(double(points), 1000.0));
        fontChanged();
    }
    void setBold(bool on) override
    {
        m_font.setBold(on);
        fontChanged();
    }
    void setItalic(bool on) override
    {
        m_font.setItalic(on);
        fontChanged();
    }
    void setUnderline(bool on) override
    {
        m_font.setUnderline(on);
        fontChanged();
    }

    float currentX() const override { return m_x; }
    void setCurrentX(float x) override { m_x = x; }
    float currentY() const override { return m_y; }
    void setCurrentY(float y) override
    {
        m_y = y;
        m_top = y;
    }

    float scaleLeft() const override { return 0.0f; }
    float scaleWidth() const override { return float(m_printer->width() / m_unitsPerTwip); }

    float textWidth(const QString &text) override
    {
        return float(metrics().horizontalAdvance(text) / m_unitsPerTwip);
    }

    void print(const QString &text) override
    {
        if (!m_painter.isActive())
            return;
        breakPageIfFull();
        const QFontMetricsF fm = metrics();
        m_painter.drawText(QPointF(m_x * m_unitsPerTwip, m_y * m_unitsPerTwip + fm.ascent()), text);
        m_x += float(fm.horizontalAdvance(text) / m_unitsPerTwip);
    }

    void newLine() override
    {
        m_x = 0.0f;
        m_y += lineHeight();
    }

    bool endDoc() override
    {
        if (!m_painter.isActive()) {
            m_error = QStringLiteral("the print job was not started");
            return false;
        }
        // A preview page is drawn on the preview's own engine: no job
        // goes to the print service, so there is no answer of it to read.
        const bool preview = m_printer->paintEngine()
            && m_printer->paintEngine()->type() == QPaintEngine::Picture;
        const bool ended = m_painter.end();
        if (!ended || m_printer->printerState() == QPrinter::Error) {
            m_error = m_printer->outputFormat() == QPrinter::PdfFormat
                ? QStringLiteral("the file could not be written")
                : QStringLiteral("the print service reported an error");
            return false;
        }
        if (m_file.finish) {
            QString why;
            const bool placed = m_file.finish(&why);
            m_file.finish = nullptr; // nothing is left to clear away
            m_error = why;
            return placed;
        }
        if (m_printer->outputFormat() == QPrinter::NativeFormat && !preview) {
            m_error = printServiceRefusal();
            if (!m_error.isEmpty())
                return false;
        }
        return true;
    }

    QString error() const override { return m_error; }

    QString deviceName() const override
    {
        if (!m_file.target.isEmpty())
            return m_file.target;
        if (m_printer->outputFormat() == QPrinter::PdfFormat)
            return m_printer->outputFileName();
        return m_printer->printerName();
    }

private:
    QFontMetricsF metrics() const { return QFontMetricsF(m_font, m_printer); }

    float lineHeight() const { return float(metrics().lineSpacing() / m_unitsPerTwip); }

    void fontChanged()
    {
        if (m_painter.isActive())
            m_painter.setFont(m_font);
    }

    // Text that would run past the bottom of the printable area continues on
    // a new page at the top margin instead of being lost off the sheet. The
    // test is made when a line is drawn, so a job that ends on a line break
    // leaves no empty page behind.
    void breakPageIfFull()
    {
        const float bottom = float(m_printer->height() / m_unitsPerTwip);
        const float line = lineHeight();
        // A top margin so low that no line fits below it gains nothing from
        // a new page: the text is left to run off this one.
        if (m_y > m_top && m_y + line > bottom && m_top + line <= bottom) {
            if (m_printer->newPage())
                m_y = m_top;
        }
    }

    // Declared before the painter so that it outlives it: a job that was
    // never ended is ended by the painter as it goes (Qt's print engines
    // cannot withdraw a job once begun).
    std::unique_ptr<QPrinter> m_owned;
    QPrinter *m_printer;
    PdfFileJob m_file;
    QPainter m_painter;
    QFont m_font;
    double m_unitsPerTwip = 1.0;
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_top = 0.0f;
    QString m_error;
};

std::unique_ptr<PrinterSurface> startSurface(std::unique_ptr<QPrinter> printer, QString *error)
{
    printer->setDocName(QStringLiteral("Quotaro"));
    printer->setFullPage(false);
    auto surface = std::make_unique<QtPrinterSurface>(std::move(printer));
    if (!surface->begin(error))
        return nullptr;
    return surface;
}

} // namespace

std::unique_ptr<PrinterSurface> startSurfaceOn(QPrinter &printer, QString *error)
{
    auto surface = std::make_unique<QtPrinterSurface>(printer);
    if (!surface->begin(error))
        return nullptr;
    return surface;
}

std::unique_ptr<PrinterSurface> startPdfFileSurface(std::unique_ptr<QPrinter> printer,
                                                    const PdfFileJob &file, QString *error)
{
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file.writeTo);
    printer->setFullPage(false);
    auto surface = std::make_unique<QtPrinterSurface>(std::move(printer));
    surface->writeThrough(file);
    if (!surface->begin(error))
        return nullptr; // the surface clears its file away as it goes
    return surface;
}

QStringList QtPrinters::installed() const { return QPrinterInfo::availablePrinterNames(); }

QString QtPrinters::currentName() const
{
    if (!m_chosen.isEmpty())
        return m_chosen;
    // A print service may have printers but none marked as the default;
    // the first one is then the default, as Qt's own printer takes it, so
    // a fresh installation set to "Default" can print.
    const QString system = QPrinterInfo::defaultPrinterName();
    if (!system.isEmpty())
        return system;
    const QStringList all = installed();
    return all.isEmpty() ? QString() : all.first();
}

bool QtPrinters::setCurrent(const QString &deviceName)
{
    if (deviceName.isEmpty() || !installed().contains(deviceName))
        return false;
    m_chosen = deviceName;
    return true;
}

std::unique_ptr<PrinterSurface> QtPrinters::startJob(QString *error)
{
    const QString name = currentName();
    if (name.isEmpty()) {
        if (error)
            *error = QStringLiteral("no printer is installed");
        return nullptr;
    }
    if (!installed().contains(name)) {
        if (error)
            *error = QStringLiteral("the printer ") + name + QStringLiteral(" is not installed");
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::NativeFormat);
    printer->setPrinterName(name);
    // Qt falls back to another printer or to a file when the name is not
    // one it can use; the job must go to the printer the user chose.
    if (printer->outputFormat() != QPrinter::NativeFormat || printer->printerName() != name) {
        if (error)
            *error = QStringLiteral("the printer ") + name + QStringLiteral(" is not available");
        return nullptr;
    }
    return startSurface(std::move(printer), error);
}

namespace {
// The printable area of the printer's page, in twips.
QSizeF printableAreaOf(const QPrinter &printer)
{
    return printer.pageLayout().paintRect(QPageLayout::Point).size() * 20.0;
}

QSizeF a4PrintableArea()
{
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    return printableAreaOf(pdf);
}
} // namespace

QSizeF QtPrinters::printableArea() const
{
    const QString name = currentName();
    if (!name.isEmpty() && installed().contains(name)) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(name);
        if (printer.outputFormat() == QPrinter::NativeFormat && printer.printerName() == name)
            return printableAreaOf(printer);
    }
    return a4PrintableArea();
}

PdfPrinters::PdfPrinters(const QString &path) : m_path(path) {}

QSizeF PdfPrinters::printableArea() const { return a4PrintableArea(); }

QStringList PdfPrinters::installed() const { return {m_path}; }

QString PdfPrinters::currentName() const { return m_path; }

bool PdfPrinters::setCurrent(const QString &deviceName) { return deviceName == m_path; }

std::unique_ptr<PrinterSurface> PdfPrinters::startJob(QString *error)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(m_path);
    return startSurface(std::move(printer), error);
}

#include "printing/PrintPage.h"

#include "platform/Log.h"
#include "platform/Platform.h"
#include "store/Paths.h"
#include "store/Settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::optional<PrintMeasures> printMeasuresOf(const PrinterSettings &settings, const Locale &locale,
                                             const QSizeF &printable, QString *error,
                                             const QString &notDone)
{
    auto refuseFor = [&](const QString &what, const QString &file, const QString &why) {
        if (error)
            *error = QStringLiteral("The ") + what + QStringLiteral(" setting in the file (") + file
                + QStringLiteral(") ") + why + QStringLiteral(", ") + notDone
                + QStringLiteral(" !");
        return std::nullopt;
    };
    auto refuse = [&](const QString &what, const QString &file) {
        return refuseFor(what, file, QStringLiteral("is not a valid number"));
    };
    PrintMeasures m;
    const std::optional<float> size = locale.toSingle(settings.PrinterFontSize);
    if (!size)
        return refuse(QStringLiteral("font size"), Paths::fontSizeFile());
    m.fontSize = *size;
    const std::optional<double> horizontal = locale.number(settings.HorizontalMargin);
    if (!horizontal || std::fabs(*horizontal) > double(std::numeric_limits<int>::max()))
        return refuse(QStringLiteral("horizontal margin"), Paths::horizontalMarginFile());
    m.horizontalMargin = int(std::nearbyint(*horizontal));
    const std::optional<float> vertical = locale.toSingle(settings.VerticalMargin);
    if (!vertical)
        return refuse(QStringLiteral("vertical margin"), Paths::verticalMarginFile());
    m.verticalMargin = *vertical;

    // Text set where the page has no room for it would give a blank page
    // (or PDF) that looks like success. The room needed is one letter of the
    // font across and one line down, taken as the font's size (the surface
    // ignores a size of zero or less and holds one over 1000 points).
    const double em = std::clamp(double(m.fontSize), 0.0, 1000.0) * 20.0;
    const double width = printable.width(), height = printable.height();
    const QString ofSize = QStringLiteral(" of size ") + settings.PrinterFontSize;
    const QString twips = QStringLiteral(" twips");
    if (em > width || em > height)
        return refuseFor(QStringLiteral("font size"), Paths::fontSizeFile(),
                         QStringLiteral("is too large for the page: a letter") + ofSize
                             + QStringLiteral(" does not fit in the printable area of ")
                             + QString::number(qRound(width)) + QStringLiteral(" by ")
                             + QString::number(qRound(height)) + twips);
    if (2.0 * m.horizontalMargin + em > width)
        return refuseFor(QStringLiteral("horizontal margin"), Paths::horizontalMarginFile(),
                         QStringLiteral("leaves no room for text: two margins of ")
                             + settings.HorizontalMargin + QStringLiteral(" twips leave no letter")
                             + ofSize + QStringLiteral(" in the printable width of ")
                             + QString::number(qRound(width)) + twips);
    if (double(m.verticalMargin) + em > height)
        return refuseFor(QStringLiteral("vertical margin"), Paths::verticalMarginFile(),
                         QStringLiteral("leaves no room for text: a margin of ")
                             + settings.VerticalMargin + QStringLiteral(" twips leaves no line")
                             + ofSize + QStringLiteral(" in the printable height of ")
                             + QString::number(qRound(height)) + twips);
    return m;
}

void ApplyPrintSettings(PrinterSurface &surface, const PrinterSettings &settings,
                        const PrintMeasures &measures)
{
    surface.setFontName(settings.PrinterFont);
    surface.setFontSize(measures.fontSize);
    const auto flag = [](const QString &value, auto set) {
        if (value == QLatin1String("On"))
            set(true);
        else if (value == QLatin1String("Off"))
            set(false);
    };
    flag(settings.PrinterBold, [&](bool on) { surface.setBold(on); });
    flag(settings.PrinterItalic, [&](bool on) { surface.setItalic(on); });
    flag(settings.PrinterUnderline, [&](bool on) { surface.setUnderline(on); });
    surface.setCurrentY(measures.verticalMargin);
}

void PrintWrapped(PrinterSurface &surface, const QString &text, int leftMargin, int rightMargin)
{
    const float left = float(leftMargin);
    const float rightLimit = surface.scaleLeft() + surface.scaleWidth() - float(rightMargin);
    surface.setCurrentX(left);
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (pos < n) {
        const qsizetype start = pos;
        while (pos < n && text.at(pos).unicode() > 32)
            ++pos;
        const QString word = text.mid(start, pos - start);
        const float width = word.isEmpty() ? 0.0f : surface.textWidth(word);
        if (surface.currentX() + width > rightLimit) {
            surface.newLine();
            surface.setCurrentX(left);
        }
        if (!word.isEmpty())
            surface.print(word);
        while (pos < n && text.at(pos).unicode() <= 32) {
            switch (text.at(pos).unicode()) {
            case 32: surface.print(QStringLiteral(" ")); break;
            case 10:
                surface.newLine();
                surface.setCurrentX(left);
                break;
            case 9: {
                const float z = surface.textWidth(QStringLiteral("0"));
                if (z > 0) {
                    // Stops every ten widths of "0" from the left edge of the
                    // printable area; n rounds halves to even.
                    const qint64 stop = qint64(std::nearbyint(surface.currentX() / z));
                    surface.setCurrentX(z * float(stop + 10 - (stop % 10)));
                }
                break;
            }
            default: break; // carriage return and other control characters
            }
            ++pos;
        }
    }
}

std::optional<QString> runPrintJob(Platform &platform, QWidget *parent,
                                   const PrinterSettings &settings,
                                   const std::function<void(PrinterSurface &, int margin)> &body)
{
    const QString title = QStringLiteral("Printing");
    QString error;
    const std::optional<PrintMeasures> measures = printMeasuresOf(
        settings, platform.locale, platform.printers.printableArea(), &error);
    if (!measures) {
        qCWarning(lcPrint).noquote() << "No print job:" << error;
        platform.messages.warn(parent, title, error);
        return std::nullopt;
    }
    std::unique_ptr<PrinterSurface> surface = platform.printers.startJob(&error);
    if (!surface) {
        qCWarning(lcPrint).noquote() << "The print job on" << platform.printers.currentName()
                                     << "could not be started:" << error;
        platform.messages.warn(parent, title,
                               QStringLiteral("The print job could not be started: ") + error
                                   + QStringLiteral(" !"));
        return std::nullopt;
    }
    ApplyPrintSettings(*surface, settings, *measures);
    body(*surface, measures->horizontalMargin);
    qCDebug(lcPrint).noquote() << "Print job started on" << surface->deviceName();
    if (!surface->endDoc()) {
        qCWarning(lcPrint).noquote() << "The printer" << surface->deviceName()
                                     << "did not take the print job:" << surface->error();
        platform.messages.warn(parent, title,
                               QStringLiteral("The printer ") + surface->deviceName()
                                   + QStringLiteral(" did not take the print job: ")
                                   + surface->error() + QStringLiteral(" !"));
        return std::nullopt;
    }
    qCDebug(lcPrint).noquote() << "Print job sent to" << surface->deviceName();
    return surface->deviceName();
}

bool selectPrinter(Printers &printers, const QString &name)
{
    for (const QString &device : printers.installed()) {
        if (device == name)
            return printers.setCurrent(device);
    }
    return false;
}

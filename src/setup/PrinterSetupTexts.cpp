#include "setup/PrinterSetupTexts.h"

#include "store/Store.h"

QString printerSettingsWriteFailure(const PrinterSettingsWrite &write)
{
    QString text = QStringLiteral("The file (") + write.failedFile
        + QStringLiteral(") could not be written: ") + write.reason;
    if (write.notRestored.isEmpty())
        return text + QStringLiteral(", the printer settings have not been changed !");
    text += QStringLiteral(", and these files written before it could not be put back:");
    for (const QString &path : write.notRestored)
        text += QStringLiteral(" (") + path + QLatin1Char(')');
    return text
        + QStringLiteral(
               ". The settings of those files have been changed, all the others have not !");
}

QStringList printerTestPageTexts(const PrinterSettings &s)
{
    const QString crLf = Store::CrLf;
    return {
        QStringLiteral("Printer test page") + crLf,
        crLf,
        QStringLiteral("Printer: ") + s.PrinterName + crLf,
        crLf,
        QStringLiteral("Horizontal Margin: ") + s.HorizontalMargin + crLf,
        crLf,
        QStringLiteral("Vertical margin: ") + s.VerticalMargin + crLf,
        crLf,
        QStringLiteral("Font: ") + s.PrinterFont + crLf,
        crLf,
        QStringLiteral("Font size: ") + s.PrinterFontSize + crLf,
        crLf,
        QStringLiteral("Bold option: ") + s.PrinterBold + crLf,
        crLf,
        QStringLiteral("Italic option: ") + s.PrinterItalic + crLf,
        crLf,
        QStringLiteral("Underline option: ") + s.PrinterUnderline + crLf,
        crLf,
        QStringLiteral("Sample text to demonstrate page formatting. All text will be wrapped "
                       "between the page horizontal margins. Shown above are the current "
                       "printer settings."),
    };
}

#pragma once

#include <QString>

// The ten program-wide settings, held as text the way the files hold them;
// numbers are converted where they are used. Owned by the application and
// handed to every window that reads or changes them.
struct PrinterSettings {
    QString PrinterName;
    QString PrinterFont;
    QString PrinterFontSize;
    QString PrinterBold;
    QString PrinterItalic;
    QString PrinterUnderline;
    QString HorizontalMargin;
    QString VerticalMargin;
};

struct PageSettings {
    QString PageHeader;
    QString PageFooter;
};

struct Settings {
    PrinterSettings printer;
    PageSettings page;
};

#include "platform/Locale.h"
#include "platform/LockFileInstance.h"
#include "platform/Platform.h"
#include "platform/QtFileSystem.h"
#include "platform/QtFonts.h"
#include "platform/QtLauncher.h"
#include "platform/QtMessageBoxes.h"
#include "platform/SystemClock.h"
#include "quotation/frmQuotaro.h"
#include "store/Settings.h"

#if __has_include("platform/QtPrinters.h")
#include "platform/QtPrinters.h"
#define QUOTARO_HAVE_QT_PRINTERS 1
#endif

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>

#ifndef QUOTARO_HAVE_QT_PRINTERS
namespace {
// Stands in until the print system is reachable from this build: no printer
// is installed, so every job reports that it cannot start.
class NoPrinters : public Printers {
public:
    QStringList installed() const override { return {}; }
    QString currentName() const override { return {}; }
    bool setCurrent(const QString &) override { return false; }
    std::unique_ptr<PrinterSurface> startJob(QString *error) override
    {
        if (error)
            *error = QStringLiteral("No printer is installed.");
        return nullptr;
    }
};
} // namespace
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quotaro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quotaro-64.png")));

    // The window's sizes are fixed; a compact font keeps every caption whole.
    if (QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")))
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));

    QtMessageBoxes messages;
    QtFileSystem files;
    Locale locale{QLocale()};
#ifdef QUOTARO_HAVE_QT_PRINTERS
    QtPrinters printers;
#else
    NoPrinters printers;
#endif
    QtFonts fonts;
    QtLauncher launcher;
    LockFileInstance instance;
    SystemClock clock;
    Platform platform{messages, files, locale, printers, fonts, launcher, instance, clock};
    Settings settings;

    frmQuotaro window(platform, settings);
    switch (window.Form_Load()) {
    case frmQuotaro::StartResult::Show:
        break;
    case frmQuotaro::StartResult::EndAlreadyRunning:
        return 0;
    case frmQuotaro::StartResult::EndMissingSettings:
        return 1;
    }
    window.show();
    return app.exec();
}

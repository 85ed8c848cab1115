#include "QuotaroInfo.h"
#include "platform/Locale.h"
#include "platform/Platform.h"
#include "platform/QtFileSystem.h"
#include "platform/SingleCopyLock.h"
#include "platform/gui/QtFonts.h"
#include "platform/gui/QtLauncher.h"
#include "platform/gui/QtPageOutput.h"
#include "platform/gui/QtMessageBoxes.h"
#include "platform/SystemClock.h"
#include "quotation/frmQuotaro.h"
#include "store/Paths.h"
#include "store/Settings.h"

#include "platform/gui/QtPrinters.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>

int main(int argc, char *argv[])
{
    // Each log line says when and from which layer (QT_MESSAGE_PATTERN, when
    // set, takes precedence).
    qSetMessagePattern(QStringLiteral(
        "%{time yyyy-MM-dd hh:mm:ss.zzz} %{if-category}%{category} %{endif}%{type}: %{message}"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quotaro"));
    QApplication::setApplicationVersion(QStringLiteral(QUOTARO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.quotaro.Quotaro"));
    QIcon icon;
    for (const char *size : {"16", "32", "64", "256"})
        icon.addFile(QStringLiteral(":/icons/quotaro-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);

    // The window's sizes are fixed; a compact font keeps every caption whole.
    if (QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")))
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));

    QtMessageBoxes messages;
    QtFileSystem files;
    Locale locale{QLocale()};
    QtPrinters printers;
    QtFonts fonts;
    QtLauncher launcher;
    // One copy at a time works on a settings tree.
    SingleCopyLock instance(files.nativePath(Paths::installRoot()));
    SystemClock clock;
    QtPageOutput pages;
    Platform platform{messages, files, locale, printers, fonts, launcher, instance, clock, pages};
    Settings settings;

    frmQuotaro window(platform, settings);
    switch (window.Form_Load()) {
    case frmQuotaro::StartResult::Show: break;
    case frmQuotaro::StartResult::EndAlreadyRunning: return 0;
    case frmQuotaro::StartResult::EndMissingSettings: return 1;
    }
    window.show();
    return app.exec();
}

#pragma once

// Every window of the program by its class name, for the tests that go
// through them all in the same way.

#include "TestPlatform.h"

#include "help/frmAbout.h"
#include "help/frmCalculationFormula.h"
#include "quotation/frmQuotaro.h"
#include "savedquotes/frmOpenSavedQuotes.h"
#include "setup/frmPageSetup.h"
#include "setup/frmPrinterSetup.h"
#include "setup/frmRatesSetup.h"
#include "setup/frmTermsSetup.h"

#include <QDialog>
#include <memory>

inline std::unique_ptr<QDialog> makeDialog(const QString &name, TestPlatform &t)
{
    if (name == QLatin1String("frmTermsSetup"))
        return std::make_unique<frmTermsSetup>(t.platform, t.settings);
    if (name == QLatin1String("frmRatesSetup"))
        return std::make_unique<frmRatesSetup>(t.platform, t.settings);
    if (name == QLatin1String("frmPrinterSetup"))
        return std::make_unique<frmPrinterSetup>(t.platform, t.settings);
    if (name == QLatin1String("frmPageSetup"))
        return std::make_unique<frmPageSetup>(t.platform, t.settings);
    if (name == QLatin1String("frmOpenSavedQuotes"))
        return std::make_unique<frmOpenSavedQuotes>(t.platform, t.settings);
    if (name == QLatin1String("frmCalculationFormula"))
        return std::make_unique<frmCalculationFormula>(t.platform, t.settings);
    if (name == QLatin1String("frmAbout"))
        return std::make_unique<frmAbout>(t.platform, t.settings);
    qFatal("no window %s", qPrintable(name));
}

#pragma once

#include "store/Settings.h"
#include "store/SettingsFiles.h"

#include <QString>
#include <QStringList>

// The message for a failed write of the printer settings files (shown with
// the exclamation icon).
QString printerSettingsWriteFailure(const PrinterSettingsWrite &write);

// The nineteen texts of the printer test page, in print order.
QStringList printerTestPageTexts(const PrinterSettings &settings);

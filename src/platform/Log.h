#pragma once

#include <QLoggingCategory>

// One log category for each layer. Warnings (every failure, with the file
// and the system's reason) are on by default; the debug lines (each file
// written, each print job) are off until turned on, for example with
// QT_LOGGING_RULES="quotaro.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPlatform) // quotaro.platform: files on the disk
Q_DECLARE_LOGGING_CATEGORY(lcStore) // quotaro.store: the settings tree
Q_DECLARE_LOGGING_CATEGORY(lcPrint) // quotaro.print: print jobs, preview and PDF export

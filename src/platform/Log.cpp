#include "platform/Log.h"

Q_LOGGING_CATEGORY(lcPlatform, "quotaro.platform", QtWarningMsg)
Q_LOGGING_CATEGORY(lcStore, "quotaro.store", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPrint, "quotaro.print", QtWarningMsg)

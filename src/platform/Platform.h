#pragma once

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "platform/Launcher.h"
#include "platform/Locale.h"
#include "platform/PageOutput.h"
#include "platform/MessageBoxes.h"
#include "platform/Printers.h"
#include "platform/SingleInstance.h"

// Everything the windows reach outside themselves. main() builds one of real
// implementations; tests build one of doubles.
struct Platform {
    MessageBoxes &messages;
    FileSystem &files;
    Locale &locale;
    Printers &printers;
    Fonts &fonts;
    Launcher &launcher;
    SingleInstance &instance;
    Clock &clock;
    PageOutput &pages;
};

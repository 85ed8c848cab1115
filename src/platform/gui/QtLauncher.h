#pragma once

#include "platform/Launcher.h"

class QtLauncher : public Launcher {
public:
    bool openInEditor(const QString &nativeFile) override;
    bool startProgram(const QString &nativeProgram) override;
};

#pragma once

#include <QString>

// Starts other programs without waiting for them; paths are real paths.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens a text file in the desktop's text editor.
    virtual bool openInEditor(const QString &nativeFile) = 0;
    // Starts an executable file with no arguments.
    virtual bool startProgram(const QString &nativeProgram) = 0;
};

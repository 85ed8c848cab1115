#pragma once

#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/Launcher.h"
#include "platform/MessageBoxes.h"
#include "platform/Printers.h"
#include "platform/gui/QtPageOutput.h"
#include "platform/SingleInstance.h"

#include <QDate>
#include <QQueue>
#include <QStringList>
#include <functional>
#include <optional>

// One message as the user saw it, with the control that had the focus then.
struct RecordedMessage {
    QString text, title;
    MsgIcon icon;
    MsgButtons buttons;
    QString focus;
};

// Records every message; a question with no scripted answer is answered No
// and sets unscriptedQuestion.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    MsgAnswer show(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                   MsgButtons buttons) override;

    void answerNext(MsgAnswer answer) { answers.enqueue(answer); }
    QStringList texts() const;
    void clear() { messages.clear(); }

    QVector<RecordedMessage> messages;
    QQueue<MsgAnswer> answers;
    bool unscriptedQuestion = false;
    std::function<void(const RecordedMessage &)> onShow; // while the message is up
};

// A printer surface that records what is done to it; every character is
// charWidth twips wide and every line lineHeight high, whatever the font.
class RecordingSurface : public PrinterSurface {
public:
    struct Piece {
        float x, y;
        QString text;
    };

    void setFontName(const QString &name) override { note(fontName = name, "font"); }
    void setFontSize(float points) override { note(QString::number(fontSize = points), "size"); }
    void setBold(bool on) override { note(QString::number(bold = on), "bold"); }
    void setItalic(bool on) override { note(QString::number(italic = on), "italic"); }
    void setUnderline(bool on) override { note(QString::number(underline = on), "underline"); }
    void note(const QString &value, const char *what) { events.append(what + (' ' + value)); }
    float currentX() const override { return x; }
    void setCurrentX(float value) override { x = value; }
    float currentY() const override { return y; }
    void setCurrentY(float value) override { y = value; }
    float scaleLeft() const override { return left; }
    float scaleWidth() const override { return width; }
    float textWidth(const QString &text) override { return charWidth * float(text.size()); }
    void print(const QString &text) override;
    void newLine() override;
    bool endDoc() override;
    QString error() const override { return failWith; }
    QString deviceName() const override { return device; }

    QStringList lines() const; // pieces of one Y joined, a jump in X as a tab

    QString device = QStringLiteral("Recording Printer");
    float left = 0, width = 12000, charWidth = 120, lineHeight = 240, x = 0, y = 0, fontSize = 0;
    QString fontName, failWith; // endDoc fails with failWith when it is not empty
    bool bold = false, italic = false, underline = false, ended = false;
    QVector<Piece> pieces;
    QStringList events;
    int newLines = 0;
};

// Installed printers by name; every job is a RecordingSurface kept for the test.
class RecordingPrinters : public Printers {
public:
    QStringList installed() const override { return names; }
    QString currentName() const override { return current; }
    bool setCurrent(const QString &deviceName) override;
    std::unique_ptr<PrinterSurface> startJob(QString *error) override;

    // The current printer follows the system default until one is chosen by name.
    void changeSystemDefault(const QString &name)
    {
        if (!chosen)
            current = name;
    }

    QStringList names{QStringLiteral("Office Laser"), QStringLiteral("Front Desk")};
    QString current = QStringLiteral("Office Laser");
    bool chosen = false;
    QString startError; // startJob fails with this text when not empty
    RecordingSurface prototype; // every job starts as a copy of it
    std::vector<std::unique_ptr<RecordingSurface>> jobs;
    RecordingSurface &lastJob() { return *jobs.back(); }
};

// Real PDF files; the save dialog answers a set path (by default the one
// proposed), the preview draws on recording surfaces instead of a window.
class ScriptedPageOutput : public QtPageOutput {
public:
    QString documentsFolder() const override { return documents; }
    QString askPdfPath(QWidget *parent, const QString &caption, const QString &proposed) override;
    PreviewOutcome preview(QWidget *parent, const QString &printerName, const QString &title,
                           const std::function<void(PrinterSurface &)> &draw) override;

    QString documents;
    std::optional<QString> answer; // empty string: the user cancels
    QStringList proposed, captions, previewed; // previewed: "printer | title"
    RecordingSurface previewPrototype;
    std::vector<std::unique_ptr<RecordingSurface>> previewPages; // two drawings a preview
    bool diskFull = false; // the disk fills up while the PDF is written

protected:
    bool putInPlace(const QString &temporary, const QString &target, QString *why) override;
};

class FakeFonts : public Fonts {
public:
    QStringList families() const override { return list; }
    QStringList list{QStringLiteral("Arial"), QStringLiteral("Courier New"),
                     QStringLiteral("Times New Roman")};
};

class RecordingLauncher : public Launcher {
public:
    bool openInEditor(const QString &file) override { return editorFiles.append(file), succeed; }
    bool startProgram(const QString &program) override { return programs.append(program), succeed; }
    QStringList editorFiles, programs;
    bool succeed = true;
};

class FakeSingleInstance : public SingleInstance {
public:
    bool anotherRunning() override { return other; }
    bool other = false;
};

class FixedClock : public Clock {
public:
    QDate today() const override { return date; }
    QDate date{2026, 3, 7};
};

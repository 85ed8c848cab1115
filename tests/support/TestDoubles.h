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
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

// One message as the user saw it, with the name of the widget that had the
// keyboard focus while it was shown.
struct RecordedMessage {
    QString text;
    QString title;
    MsgIcon icon;
    MsgButtons buttons;
    QString focus;
};

// Records every message and answers questions from a script. A Yes/No
// question with no scripted answer is answered No and sets
// unscriptedQuestion, which a test checks where it matters.
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
    // Runs while the message is "on screen", for tests that look at the
    // window at that moment.
    std::function<void(const RecordedMessage &)> onShow;
};

// A printer surface with known measures: every character is charWidth twips
// wide and every line lineHeight high, whatever the font. It records what
// is done to it.
class RecordingSurface : public PrinterSurface {
public:
    struct Piece {
        float x;
        float y;
        QString text;
    };

    void setFontName(const QString &name) override;
    void setFontSize(float points) override;
    void setBold(bool on) override;
    void setItalic(bool on) override;
    void setUnderline(bool on) override;
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

    // The printed text line by line (pieces of one Y joined; a gap in X
    // shows as one tab character per jump that is not a printed space).
    QStringList lines() const;

    QString device = QStringLiteral("Recording Printer");
    float left = 0;
    float width = 12000;
    float charWidth = 120;
    float lineHeight = 240;
    float x = 0;
    float y = 0;
    QString fontName;
    float fontSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QVector<Piece> pieces;
    QStringList events;
    int newLines = 0;
    bool ended = false;
    QString failWith; // endDoc fails with this text when not empty
};

// Installed printers by name; every job is a RecordingSurface kept for the test.
class RecordingPrinters : public Printers {
public:
    QStringList installed() const override { return names; }
    QString currentName() const override { return current; }
    bool setCurrent(const QString &deviceName) override;
    std::unique_ptr<PrinterSurface> startJob(QString *error) override;

    // The system default changes while the program runs: the current printer
    // follows it only until one is made current by name.
    void changeSystemDefault(const QString &name)
    {
        if (!chosen)
            current = name;
    }

    QStringList names{QStringLiteral("Office Laser"), QStringLiteral("Front Desk")};
    QString current = QStringLiteral("Office Laser");
    bool chosen = false;
    QString startError; // startJob fails with this text when not empty
    // Every job starts as a copy of this surface (set its measures here).
    RecordingSurface prototype;
    // Every job started, kept for the test after the printing code is done.
    std::vector<std::unique_ptr<RecordingSurface>> jobs;
    RecordingSurface &lastJob() { return *jobs.back(); }
};

// Real PDF files with the two dialogs scripted: the save dialog answers with
// a set path (by default the one proposed), and the preview lays the page
// out on a recording surface instead of opening a window.
class ScriptedPageOutput : public QtPageOutput {
public:
    QString documentsFolder() const override { return documents; }
    QString askPdfPath(QWidget *parent, const QString &caption, const QString &proposed) override;
    PreviewOutcome preview(QWidget *parent, const QString &printerName, const QString &title,
                           const std::function<void(PrinterSurface &)> &draw) override;

    QString documents;
    std::optional<QString> answer; // empty string: the user cancels
    QStringList proposed; // every path the save dialog proposed
    QStringList captions;
    QStringList previewed; // "printer | title" of every preview
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
    bool openInEditor(const QString &nativeFile) override;
    bool startProgram(const QString &nativeProgram) override;
    QStringList editorFiles;
    QStringList programs;
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

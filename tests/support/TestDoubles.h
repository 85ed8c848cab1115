#pragma once

#include "platform/Platform.h"
#include "platform/gui/QtPageOutput.h"

#include <QtTest>
#include <QtWidgets>

// The named control that has the focus (an edit part stands for its combo box).
inline QString focusName()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    return QString();
}

struct RecordedMessage { // as the user saw it, with the control that had the focus
    QString text, title, focus;
    MsgIcon icon;
    MsgButtons buttons;
    QString over; // the window it is shown over (placed on), none for the screen's middle
};

// A question with no scripted answer is answered No and sets unscriptedQuestion.
struct ScriptedMessageBoxes : MessageBoxes {
    MsgAnswer show(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                   MsgButtons buttons) override
    {
        messages.append({text, title, focusName(), icon, buttons,
                         parent ? parent->window()->objectName() : QString()});
        if (onShow)
            onShow(messages.last());
        if (buttons == MsgButtons::Ok)
            return MsgAnswer::Ok;
        unscriptedQuestion |= answers.isEmpty();
        return answers.isEmpty() ? MsgAnswer::No : answers.dequeue();
    }
    QStringList texts() const
    {
        QStringList result;
        for (const RecordedMessage &m : messages)
            result.append(m.text);
        return result;
    }
    void clear() { messages.clear(); }

    QVector<RecordedMessage> messages;
    QQueue<MsgAnswer> answers;
    bool unscriptedQuestion = false;
    std::function<void(const RecordedMessage &)> onShow; // while the message is up
};

// Every character is charWidth twips wide and every line lineHeight high, whatever the font.
struct RecordingSurface : PrinterSurface {
    struct Piece {
        float x, y;
        QString text;
    };

    void setFontName(const QString &name) override { events << "font " + name; }
    void setFontSize(float points) override { events << "size " + QString::number(points); }
    void setBold(bool on) override { events << "bold " + QString::number(on); }
    void setItalic(bool on) override { events << "italic " + QString::number(on); }
    void setUnderline(bool on) override { events << "underline " + QString::number(on); }
    float currentX() const override { return x; }
    void setCurrentX(float value) override { x = value; }
    float currentY() const override { return y; }
    void setCurrentY(float value) override { y = value; }
    float scaleLeft() const override { return left; }
    float scaleWidth() const override { return width; }
    float textWidth(const QString &text) override { return charWidth * float(text.size()); }
    void print(const QString &text) override
    {
        pieces.append({x, y, text});
        events.append(QStringLiteral("print %1,%2 [%3]").arg(x).arg(y).arg(text));
        x += textWidth(text);
    }
    void newLine() override
    {
        x = left;
        y += lineHeight;
        events.append(QStringLiteral("newline"));
    }
    bool endDoc() override
    {
        events.append(QStringLiteral("enddoc"));
        return ended = failWith.isEmpty();
    }
    QString error() const override { return failWith; }
    QString deviceName() const override { return device; }

    // The lines from Y = 0 down to the current one; a piece not following on from the one
    // before (after a tab, or not at the margin) is marked "[X]".
    QStringList lines(float margin) const
    {
        QStringList text(int(y / lineHeight) + 1);
        float endX = 0;
        for (const Piece &p : pieces) {
            QString &line = text[int(p.y / lineHeight)];
            if (p.x != (line.isEmpty() ? margin : endX))
                line += QStringLiteral("[%1]").arg(p.x);
            line += p.text;
            endX = p.x + charWidth * float(p.text.size());
        }
        return text;
    }

    QString device = QStringLiteral("Recording Printer");
    float left = 0, width = 12000, charWidth = 120, lineHeight = 240, x = 0, y = 0;
    QString failWith; // endDoc fails with failWith when it is not empty
    bool ended = false;
    QVector<Piece> pieces;
    QStringList events;
};

// The program drops its job at the end: keep takes its state.
struct KeptSurface : RecordingSurface {
    KeptSurface(RecordingSurface &kept) : RecordingSurface(kept), keep(kept) {}
    ~KeptSurface() override { keep = *this; }
    RecordingSurface &keep;
};

struct RecordingPrinters : Printers {
    QStringList installed() const override { return names; }
    QString currentName() const override { return current; }
    bool setCurrent(const QString &deviceName) override
    {
        if (!names.contains(deviceName))
            return false;
        current = deviceName;
        return chosen = true;
    }
    std::unique_ptr<PrinterSurface> startJob(QString *error) override
    {
        if (!startError.isEmpty()) {
            *error = startError; // the program always asks why
            return nullptr;
        }
        jobs.push_back(std::make_unique<RecordingSurface>(prototype));
        jobs.back()->device = current;
        return std::make_unique<KeptSurface>(*jobs.back());
    }

    QSizeF printableArea() const override { return area; }

    QSizeF area{12000, 15000}; // twips: a letter and a line of the font must fit
    QStringList names{QStringLiteral("Office Laser"), QStringLiteral("Front Desk")};
    QString current = QStringLiteral("Office Laser");
    bool chosen = false; // by setCurrent: a change of the system default no longer counts
    QString startError; // startJob fails with this text when not empty
    RecordingSurface prototype; // every job starts as a copy of it
    std::vector<std::unique_ptr<RecordingSurface>> jobs;
    RecordingSurface &lastJob() { return *jobs.back(); }
};

// Real PDF files to the path answered; the preview draws on recording surfaces.
struct ScriptedPageOutput : QtPageOutput {
    QString documentsFolder() const override { return documents; }
    QString askPdfPath(QWidget *, const QString &, const QString &path) override
    {
        proposed.append(path);
        return answer.value_or(path);
    }
    QString askSavePath(QWidget *w, const QString &c, const QString &path, const QString &,
                        const QString &) override
    {
        return askPdfPath(w, c, path);
    }
    PreviewOutcome preview(QWidget *, const QString &printerName, const QString &title,
                           const std::function<void(PrinterSurface &)> &draw) override
    {
        previewed.append(printerName + QStringLiteral(" | ") + title);
        // Qt's dialog draws the pages again whenever it needs them: the last drawing counts.
        for (int drawing = 0; drawing < 2; ++drawing) {
            draw(previewPages.emplace_back());
            previewPages.back().endDoc();
        }
        return {true, false, {}, {}}; // shown
    }

    QString documents;
    std::optional<QString> answer; // empty string: the user cancels
    QStringList proposed, previewed; // previewed: "printer | title"
    std::vector<RecordingSurface> previewPages; // two drawings a preview
    bool diskFull = false; // the disk fills up while the PDF is written

protected:
    bool putInPlace(PendingFile &file, const QString &target, QString *why) override
    {
        const QString written = QFile::decodeName(file.path());
        if (diskFull) // cut short wherever the writing happens to be
            QFile::resize(written, QFileInfo(written).size() / 2);
        return QtPageOutput::putInPlace(file, target, why);
    }
};

struct FakeFonts : Fonts {
    QStringList families() const override { return list; }
    QStringList list{QStringLiteral("Arial"), QStringLiteral("Courier New"),
                     QStringLiteral("Times New Roman")};
};

struct RecordingLauncher : Launcher {
    bool openInEditor(const QString &file) override { return editorFiles.append(file), succeed; }
    bool startProgram(const QString &program) override { return programs.append(program), succeed; }
    QStringList editorFiles, programs;
    bool succeed = true;
};

struct FakeSingleInstance : SingleInstance {
    bool anotherRunning() override { return other; }
    bool other = false;
};

struct FixedClock : Clock {
    QDate today() const override { return date; }
    QDate date{2026, 3, 7};
};

#include "TestDoubles.h"
#include "WidgetDriver.h"

#include <QFile>

MsgAnswer ScriptedMessageBoxes::show(QWidget *, const QString &text, const QString &title,
                                     MsgIcon icon, MsgButtons buttons)
{
    messages.append({text, title, icon, buttons, focusName()});
    if (onShow)
        onShow(messages.last());
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (answers.isEmpty()) {
        unscriptedQuestion = true;
        qWarning("unscripted question: %s", qPrintable(text));
        return MsgAnswer::No;
    }
    return answers.dequeue();
}

QStringList ScriptedMessageBoxes::texts() const
{
    QStringList result;
    for (const RecordedMessage &m : messages)
        result.append(m.text);
    return result;
}

void RecordingSurface::print(const QString &text)
{
    pieces.append({x, y, text});
    events.append(QStringLiteral("print %1,%2 [%3]").arg(x).arg(y).arg(text));
    x += textWidth(text);
}

void RecordingSurface::newLine()
{
    x = left;
    y += lineHeight;
    ++newLines;
    events.append(QStringLiteral("newline"));
}

bool RecordingSurface::endDoc()
{
    events.append(QStringLiteral("enddoc"));
    ended = failWith.isEmpty();
    return ended;
}

QStringList RecordingSurface::lines() const
{
    if (pieces.isEmpty() && newLines == 0)
        return {};
    float firstY = y;
    for (const Piece &p : pieces)
        firstY = std::min(firstY, p.y);
    QStringList text(int((y - firstY) / lineHeight) + 1);
    QVector<float> endX(text.size(), -1);
    for (const Piece &p : pieces) {
        const int row = int((p.y - firstY) / lineHeight);
        if (endX[row] >= 0 && p.x > endX[row] + 0.5f)
            text[row] += QLatin1Char('\t');
        text[row] += p.text;
        endX[row] = p.x + charWidth * float(p.text.size());
    }
    return text;
}

bool RecordingPrinters::setCurrent(const QString &deviceName)
{
    if (!names.contains(deviceName))
        return false;
    current = deviceName;
    chosen = true;
    return true;
}

namespace {
// Hands the printing code a surface while the test keeps the recording.
class ForwardingSurface : public PrinterSurface {
public:
    explicit ForwardingSurface(RecordingSurface &target) : t(target) {}
    void setFontName(const QString &name) override { t.setFontName(name); }
    void setFontSize(float points) override { t.setFontSize(points); }
    void setBold(bool on) override { t.setBold(on); }
    void setItalic(bool on) override { t.setItalic(on); }
    void setUnderline(bool on) override { t.setUnderline(on); }
    float currentX() const override { return t.currentX(); }
    void setCurrentX(float x) override { t.setCurrentX(x); }
    float currentY() const override { return t.currentY(); }
    void setCurrentY(float y) override { t.setCurrentY(y); }
    float scaleLeft() const override { return t.scaleLeft(); }
    float scaleWidth() const override { return t.scaleWidth(); }
    float textWidth(const QString &text) override { return t.textWidth(text); }
    void print(const QString &text) override { t.print(text); }
    void newLine() override { t.newLine(); }
    bool endDoc() override { return t.endDoc(); }
    QString error() const override { return t.error(); }
    QString deviceName() const override { return t.deviceName(); }

private:
    RecordingSurface &t;
};
} // namespace

std::unique_ptr<PrinterSurface> RecordingPrinters::startJob(QString *error)
{
    if (!startError.isEmpty()) {
        if (error)
            *error = startError;
        return nullptr;
    }
    auto job = std::make_unique<RecordingSurface>(prototype);
    job->device = current;
    jobs.push_back(std::move(job));
    return std::make_unique<ForwardingSurface>(*jobs.back());
}

QString ScriptedPageOutput::askPdfPath(QWidget *, const QString &caption, const QString &path)
{
    captions.append(caption);
    proposed.append(path);
    return answer.value_or(path);
}

PreviewOutcome ScriptedPageOutput::preview(QWidget *, const QString &printerName,
                                           const QString &title,
                                           const std::function<void(PrinterSurface &)> &draw)
{
    previewed.append(printerName + QStringLiteral(" | ") + title);
    // Qt's dialog draws the pages again whenever it needs them (shown, page
    // setup changed, printed from): the last drawing is kept.
    for (int drawing = 0; drawing < 2; ++drawing) {
        previewPages.push_back(std::make_unique<RecordingSurface>(previewPrototype));
        draw(*previewPages.back());
        previewPages.back()->endDoc();
    }
    PreviewOutcome outcome;
    outcome.shown = true;
    return outcome;
}

bool ScriptedPageOutput::putInPlace(const QString &temporary, const QString &target, QString *why)
{
    // A full disk cuts the file short wherever it happens to be.
    if (diskFull) {
        QFile file(temporary);
        file.resize(file.size() / 2);
    }
    return QtPageOutput::putInPlace(temporary, target, why);
}

#include "platform/gui/WindowFrames.h"

#include "platform/gui/PiecewiseTextEdit.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QVariant>

namespace {
// A box showing a text in pieces holds the text itself too, and gives it
// back as long as the box has not been edited since.
const char *const HeldText = "quotaroHeldText";
const char *const HeldRevision = "quotaroHeldRevision";

bool hasLongLine(const QString &text)
{
    qsizetype lineStart = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i) == QLatin1Char('\n'))
            lineStart = i + 1;
        else if (i - lineStart >= LongestShownLine)
            return true;
    }
    return false;
}

QString inPieces(const QString &text)
{
    QString pieces;
    pieces.reserve(text.size() + text.size() / (LongestShownLine / 2) + 1);
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), start);
        if (lineEnd < 0)
            lineEnd = n;
        while (lineEnd - start > LongestShownLine) {
            const qsizetype end = start
                + pieceLength(QStringView(text).mid(start, lineEnd - start), LongestShownLine);
            pieces += QStringView(text).mid(start, end - start);
            pieces += QLatin1Char('\n');
            start = end;
        }
        pieces += QStringView(text).mid(start, lineEnd - start);
        if (lineEnd < n)
            pieces += QLatin1Char('\n');
        start = lineEnd + 1;
    }
    return pieces;
}
// The text with each CR LF a "\n", in one pass: QString::replace moves the
// rest of the text after every thousand or so replacements, which makes a
// text of many short lines cost time growing with the square of its size.
QString withLfLineEnds(const QString &crLfText)
{
    QString text(crLfText.size(), Qt::Uninitialized);
    QChar *to = text.data();
    const qsizetype n = crLfText.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (crLfText.at(i) != QLatin1Char('\r') || i + 1 == n
            || crLfText.at(i + 1) != QLatin1Char('\n'))
            *to++ = crLfText.at(i);
    }
    text.truncate(to - text.constData());
    return text;
}

qsizetype lineBreaks(const QString &text)
{
    return text.count(QLatin1Char('\n')) + text.count(QLatin1Char('\r'));
}

// The text with every line end ("\n", or a lone CR, which a box shows as
// one too) a line separator, but for one in LinesPerShownParagraph.
QString inParagraphsOfManyLines(QString text)
{
    qsizetype lines = 0;
    for (QChar &c : text) {
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        if (++lines % LinesPerShownParagraph == 0)
            c = QLatin1Char('\n');
        else
            c = QChar::LineSeparator;
    }
    return text;
}
} // namespace

qsizetype pieceLength(QStringView line, qsizetype longest)
{
    qsizetype end = longest;
    for (qsizetype k = end; k > longest * 3 / 4; --k) {
        if (line.at(k - 1) == QLatin1Char(' ')) {
            end = k;
            break;
        }
    }
    if (line.at(end - 1).isHighSurrogate())
        --end; // a character is never split
    return end;
}

void fixAndCentreDialog(QDialog *window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(window->size());
    QScreen *screen = window->parentWidget() ? window->parentWidget()->screen()
                                             : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}

QString multiLineText(const QPlainTextEdit *box)
{
    const QVariant held = box->property(HeldText);
    if (held.isValid() && box->property(HeldRevision).toInt() == box->document()->revision())
        return held.toString();
    if (const auto *pieces = qobject_cast<const PiecewiseTextEdit *>(box))
        return pieces->crLfText();
    // The raw text: the plain-text form would also turn a line separator
    // (U+2028) into a line break and a non-breaking space into a plain one.
    // Only the box's own paragraph breaks become CR LF.
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
}

void setMultiLineText(QPlainTextEdit *box, const QString &crLfText)
{
    QString shown = withLfLineEnds(crLfText);
    const bool manyLines = box->isReadOnly() && lineBreaks(shown) > ManyShownLines;
    if (!manyLines && !hasLongLine(shown)) {
        box->setProperty(HeldText, QVariant());
        box->setPlainText(shown);
        return;
    }
    if (manyLines)
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n')); // pieces end at either
    shown = inPieces(shown);
    box->setPlainText(manyLines ? inParagraphsOfManyLines(std::move(shown)) : shown);
    box->setProperty(HeldText, crLfText);
    box->setProperty(HeldRevision, box->document()->revision());
}

void breakLongParagraphsAnywhere(QPlainTextEdit *box)
{
    QTextDocument *document = box->document();
    QObject::connect(document, &QTextDocument::contentsChange, box,
                     [box, document](int position, int, int added) {
                         QTextOption::WrapMode mode = box->wordWrapMode();
                         if (document->characterCount() <= LongestShownLine)
                             mode = QTextOption::WrapAtWordBoundaryOrAnywhere;
                         // Only the changed paragraphs can have grown.
                         const QTextBlock last = document->findBlock(position + added);
                         for (QTextBlock block = document->findBlock(position); block.isValid();
                              block = block.next()) {
                             if (block.length() > LongestShownLine)
                                 mode = QTextOption::WrapAnywhere;
                             if (block == last)
                                 break;
                         }
                         if (mode != box->wordWrapMode())
                             box->setWordWrapMode(mode);
                     });
}

#include "platform/gui/PiecewiseTextEdit.h"

#include "platform/gui/WindowFrames.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The mark of a paragraph that goes on with the line of the one before it.
constexpr int ContinuesLine = QTextFormat::UserProperty + 1;
// The mark of a line separator that is part of the text; the box's own
// have none. Typed text takes the format of the character before it, so
// the mark may spread to other characters, where it means nothing.
constexpr int KeptSeparator = QTextFormat::UserProperty + 2;

// The longest paragraph a paste makes: one less than a box lays out whole
// at words (WindowFrames.h), so the box goes on breaking lines at words.
constexpr qsizetype LongestPiece = LongestShownLine - 1;

bool continuesLine(const QTextBlock &block)
{
    return block.isValid() && block.blockFormat().boolProperty(ContinuesLine);
}

// The characters a box takes as the end of a line when text is pasted or
// inserted (a CR LF is one).
bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator
        || c == QChar(0xfdd0) || c == QChar(0xfdd1);
}

qsizetype lineEndAfter(QStringView text, qsizetype end)
{
    return text.at(end) == QLatin1Char('\r') && end + 1 < text.size()
            && text.at(end + 1) == QLatin1Char('\n')
        ? 2
        : 1;
}

} // namespace

QString PiecewiseTextEdit::crLfText() const
{
    // The raw text: the plain-text form would also turn a non-breaking
    // space into a plain one.
    QString text;
    const QTextDocument *document = this->document();
    text.reserve(document->characterCount() + document->blockCount());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block != document->begin() && !continuesLine(block))
            text += QStringLiteral("\r\n");
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString part = fragment.text();
            if (fragment.charFormat().boolProperty(KeptSeparator)
                || !part.contains(QChar::LineSeparator)) {
                text += part;
                continue;
            }
            for (const QChar c : part) {
                if (c == QChar::LineSeparator)
                    text += QStringLiteral("\r\n");
                else
                    text += c;
            }
        }
    }
    return text;
}

void PiecewiseTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText() || source->formats().value(0) == u"text/markdown") {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // A text of few lines, none of them long, and without a line separator
    // of its own, goes in as any box takes it.
    const QString text = source->text();
    const QTextCursor cursor = textCursor();
    const QTextBlock first = document()->findBlock(cursor.selectionStart()),
                     last = document()->findBlock(cursor.selectionEnd());
    qsizetype line = cursor.selectionStart() - first.position(), lines = 1;
    bool plain = true;
    for (qsizetype i = 0, n = text.size(); i < n && plain; ++i) {
        if (isLineEnd(text.at(i))) {
            i += lineEndAfter(text, i) - 1;
            line = 0;
            plain = ++lines <= ManyShownLines;
        } else {
            plain = ++line <= LongestPiece && text.at(i) != QChar::LineSeparator;
        }
    }
    if (plain
        && line + last.position() + last.length() - 1 - cursor.selectionEnd() <= LongestPiece) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    insertInPieces(text);
}

void PiecewiseTextEdit::insertInPieces(const QString &text)
{
    qsizetype lines = 1;
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        if (isLineEnd(text.at(i))) {
            i += lineEndAfter(text, i) - 1;
            ++lines;
        }
    }
    const bool grouped = lines > ManyShownLines;

    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    // The format a pasted text takes, but for the mark, which only a line
    // separator of the text's own gets.
    QTextCharFormat format = cursor.charFormat();
    format.clearProperty(KeptSeparator);
    QTextCharFormat kept = format;
    kept.setProperty(KeptSeparator, true);

    // Each paragraph's text goes in at once: pending, and in it so far.
    QString pending;
    qsizetype inParagraph = cursor.positionInBlock(), linesInParagraph = 1;
    const auto flush = [&] {
        cursor.insertText(pending, format);
        pending.clear();
    };
    const auto append = [&](QStringView part) {
        for (qsizetype at; (at = part.indexOf(QChar::LineSeparator)) >= 0;
             part = part.sliced(at + 1)) {
            pending += part.first(at);
            flush();
            cursor.insertText(QString(QChar::LineSeparator), kept);
        }
        pending += part;
    };
    const auto newParagraph = [&](bool continues) {
        flush();
        QTextBlockFormat paragraph;
        if (continues)
            paragraph.setProperty(ContinuesLine, true);
        cursor.insertBlock(paragraph, format);
        inParagraph = 0;
        linesInParagraph = 1;
    };

    for (qsizetype start = 0, n = text.size();;) {
        qsizetype end = start;
        while (end < n && !isLineEnd(text.at(end)))
            ++end;
        QStringView line = QStringView(text).mid(start, end - start);
        if (start > 0) {
            // The line end before this line: a line separator of the box's
            // own where many short lines share a paragraph.
            if (grouped && linesInParagraph < LinesPerShownParagraph
                && inParagraph + 1 + line.size() <= LongestPiece) {
                pending += QChar::LineSeparator;
                ++inParagraph;
                ++linesInParagraph;
            } else {
                newParagraph(false);
            }
        }
        // A long line in pieces, each in a paragraph of its own.
        while (inParagraph + line.size() > LongestPiece) {
            const qsizetype room = LongestPiece - inParagraph;
            const qsizetype piece = room > 0 ? pieceLength(line, room) : 0;
            append(line.first(piece));
            line = line.sliced(piece);
            newParagraph(true);
        }
        append(line);
        inParagraph += line.size();
        if (end == n)
            break;
        start = end + lineEndAfter(text, end);
    }
    flush();
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData *PiecewiseTextEdit::createMimeDataFromSelection() const
{
    const QTextCursor selection = textCursor();
    const int start = selection.selectionStart(), end = selection.selectionEnd();
    const QTextBlock first = document()->findBlock(start);
    bool pieces = false;
    for (QTextBlock block = first.next(); block.isValid() && block.position() <= end && !pieces;
         block = block.next())
        pieces = continuesLine(block);
    if (!pieces)
        return QPlainTextEdit::createMimeDataFromSelection();
    // The pieces of a line joined again, and the text as the box copies it:
    // a line separator a line break, a non-breaking space a plain one. (The
    // box would make a copy of the document for each piece's part: seconds
    // for a line of 4 MB.)
    QString text;
    for (QTextBlock block = first; block.isValid() && block.position() <= end;
         block = block.next()) {
        if (block.position() > start && !continuesLine(block))
            text += QLatin1Char('\n');
        const int from = std::max(start, block.position()) - block.position(),
                  to = std::min(end, block.position() + block.length() - 1) - block.position();
        text += QStringView(block.text()).mid(from, to - from);
    }
    for (QChar &c : text) {
        if (c == QChar::LineSeparator)
            c = QLatin1Char('\n');
        else if (c == QChar::Nbsp)
            c = QLatin1Char(' ');
    }
    auto *copied = new QMimeData;
    copied->setText(text);
    return copied;
}

void PiecewiseTextEdit::keyPressEvent(QKeyEvent *event)
{
    QTextCursor cursor = textCursor();
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (event == QKeySequence::InsertLineSeparator) {
        // Part of the text, given back as it is.
        QTextCharFormat kept = cursor.charFormat();
        kept.setProperty(KeptSeparator, true);
        cursor.insertText(QString(QChar::LineSeparator), kept);
        setTextCursor(cursor);
    } else if (event == QKeySequence::InsertParagraphSeparator && continuesLine(cursor.block())) {
        // A new line of the text, even in a piece that goes on with one.
        QTextBlockFormat paragraph = cursor.blockFormat();
        paragraph.clearProperty(ContinuesLine);
        cursor.insertBlock(paragraph, cursor.charFormat());
        setTextCursor(cursor);
    } else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)
               && !cursor.hasSelection() && cursor.atBlockStart()
               && continuesLine(cursor.block())) {
        // The character before the seam goes, not the seam.
        while (cursor.atBlockStart() && continuesLine(cursor.block()))
            cursor.movePosition(QTextCursor::PreviousCharacter);
        cursor.deletePreviousChar();
    } else if (event == QKeySequence::Delete && !cursor.hasSelection() && cursor.atBlockEnd()
               && continuesLine(cursor.block().next())) {
        while (cursor.atBlockEnd() && continuesLine(cursor.block().next()))
            cursor.movePosition(QTextCursor::NextCharacter);
        cursor.deleteChar();
    } else {
        QPlainTextEdit::keyPressEvent(event);
        // The end of a piece and the start of the next are one place in the
        // text: an arrow key that moved by a character never stops between.
        const bool select = event == QKeySequence::SelectNextChar
            || event == QKeySequence::SelectPreviousChar;
        QTextCursor moved = textCursor();
        if ((select || event == QKeySequence::MoveToNextChar
             || event == QKeySequence::MoveToPreviousChar)
            && moved.position() != cursor.position() && moved.atBlockEnd()
            && continuesLine(moved.block().next())) {
            moved.movePosition(moved.position() > cursor.position()
                                   ? QTextCursor::NextCharacter
                                   : QTextCursor::PreviousCharacter,
                               select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
            setTextCursor(moved);
        }
        return;
    }
    event->accept();
    ensureCursorVisible();
}

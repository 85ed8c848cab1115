#pragma once

#include <QPlainTextEdit>

// A box where a long text is typed or pasted (a page header or footer of up
// to 4 MB) at the pace of a short one. A box lays its paragraph out again
// whole at every key, and takes in each paragraph of a paste at a cost of
// its own: a pasted line of 4 MB cost more than a second a key, a paste of
// 4 MB of short lines more than a second. So a pasted line longer than a
// paragraph should be (LongestShownLine in WindowFrames.h) is held as
// several paragraphs, pieces of the one line, each ending after a blank
// near its end where there is one; and a paste of many lines
// (ManyShownLines) holds up to LinesPerShownParagraph short lines in one
// paragraph, apart by line separators (U+2028), which show as line breaks.
//
// What the box shows, copies and gives back (crLfText) is the text: the
// pieces of a line are joined again, and a line separator the box put in
// is a line break. A line separator that is part of the text (Shift+Enter,
// or pasted) is marked as such and given back as it is. Enter always
// starts a line of the text, Backspace or Delete beside the seam of two
// pieces deletes the character across it, and an arrow key moves over a
// seam as over any place between two characters. A text pasted otherwise
// (short lines, few of them) is taken in as any box takes it.
class PiecewiseTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    // The text, with CR LF line breaks.
    QString crLfText() const;

protected:
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void insertInPieces(const QString &text);
};

#pragma once

#include <QString>
#include <QStringView>

class QDialog;
class QPlainTextEdit;

// Every dialog of the program is fixed in size, has a title bar with a close
// button only, and opens in the middle of the screen of its parent (or of the
// primary screen).
void fixAndCentreDialog(QDialog *window);

// The program holds multi-line texts with CR LF line breaks, as its files
// do; a text box holds them with "\n". These convert at the box. A line
// too long to lay out quickly is shown in pieces, and a read-only box given
// very many lines holds several in each paragraph; multiLineText still
// gives back the text that was set, as long as the box has not been edited.
QString multiLineText(const QPlainTextEdit *box);
// (A PiecewiseTextEdit gives its own text back the same way.)
void setMultiLineText(QPlainTextEdit *box, const QString &crLfText);

// A box where text is typed lays out its whole paragraph at every key, and
// breaking a paragraph without blanks at word boundaries costs time growing
// with the square of its length. While the box holds a paragraph too long
// to show whole (a pasted line), it breaks lines anywhere, in linear time;
// it goes back to breaking at words when its text is short again.
void breakLongParagraphsAnywhere(QPlainTextEdit *box);

// Laying out a line that has no place to break costs time growing with the
// square of its length (a quote file of one 20 MB line, or of NUL bytes left
// by a crash, would freeze the window for hours). So no box is given a line
// longer than this: a longer one is shown in pieces, each ending after a
// blank near its end where there is one. No quote or header written by the
// program has such a line, so what they show is unchanged.
inline constexpr qsizetype LongestShownLine = 4096;
// The length of the first piece of a line longer than `longest`: up to the
// last blank in its last quarter, otherwise `longest` characters, one less
// where that would split a character in two.
qsizetype pieceLength(QStringView line, qsizetype longest);

// Each paragraph of a box costs time to insert and keep, so a text of more
// lines than this (a quote of 20 MB made of them would take seconds to
// show) is held with up to LinesPerShownParagraph lines in one paragraph,
// apart by line separators: the box shows the same lines.
inline constexpr qsizetype ManyShownLines = 1000;
inline constexpr qsizetype LinesPerShownParagraph = 64;

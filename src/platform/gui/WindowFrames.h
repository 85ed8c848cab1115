#pragma once

#include <QString>

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
void setMultiLineText(QPlainTextEdit *box, const QString &crLfText);

// A box where text is typed lays out its whole paragraph at every key, and
// breaking a paragraph without blanks at word boundaries costs time growing
// with the square of its length. While the box holds a paragraph too long
// to show whole (a pasted line), it breaks lines anywhere, in linear time;
// it goes back to breaking at words when its text is short again.
void breakLongParagraphsAnywhere(QPlainTextEdit *box);

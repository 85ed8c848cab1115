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

#pragma once

class QDialog;

// The help windows are fixed in size, sit in the middle of the screen and
// have a title bar with a close button only.
void FixAndCentreHelpWindow(QDialog *window);

class QPixmap;
class QWidget;

// The 230 x 80 logo for a widget, drawn from the double-size picture on a
// display scaled above 100 % so it stays sharp.
QPixmap QuotaroLogo(const QWidget *shownOn);

#pragma once

class QDialog;

// The help windows are fixed in size, sit in the middle of the screen and
// have a title bar with a close button only.
void FixAndCentreHelpWindow(QDialog *window);

#pragma once

#include <QString>

class Fonts;
class QComboBox;

// The font list of the printer setup window: the font families of the
// display, offered by name.

// Empties the list of the combo box (what the user typed stays) and adds one
// item per font family, through AddFontFamily.
void FillFontList(QComboBox *combo, Fonts &fonts);

// Adds one family name to the combo box, cut before its first NUL character
// (names handed over from a fixed-size record end there).
void AddFontFamily(const QString &faceName, QComboBox *combo);

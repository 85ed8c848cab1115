#pragma once

class QPixmap;
class QWidget;

// The 230 x 80 logo for a widget, drawn from the double-size picture on a
// display scaled above 100 % so it stays sharp.
QPixmap quotaroLogo(const QWidget *shownOn);

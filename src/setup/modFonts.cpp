#include "setup/modFonts.h"

#include "lists/ListControl.h"
#include "platform/Fonts.h"

#include <QComboBox>

void FillFontList(QComboBox *combo, Fonts &fonts)
{
    ListControl(combo).clear();
    for (const QString &family : fonts.families())
        AddFontFamily(family, combo);
}

void AddFontFamily(const QString &faceName, QComboBox *combo)
{
    QString name = faceName;
    const qsizetype nul = name.indexOf(QChar(0));
    if (nul >= 0)
        name.truncate(nul);
    if (!name.isEmpty())
        ListControl(combo).addItem(name);
}

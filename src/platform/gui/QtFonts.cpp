#include "platform/gui/QtFonts.h"

#include <QFontDatabase>
#include <QRegularExpression>

QStringList QtFonts::families() const { return plainFamilies(QFontDatabase::families()); }

QStringList QtFonts::plainFamilies(const QStringList &names)
{
    // Where two foundries make a family of the same name, the font database
    // tells them apart as "Family [Foundry]". A font is chosen by its family
    // name alone, as the desktop's font dialogs offer it, so each family
    // shows once by that name.
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]\\s*$"));
    QStringList plain;
    plain.reserve(names.size());
    for (QString name : names) {
        name.remove(foundry);
        if (!name.isEmpty())
            plain.append(name);
    }
    plain.sort(Qt::CaseInsensitive);
    plain.removeDuplicates();
    return plain;
}

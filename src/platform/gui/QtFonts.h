#pragma once

#include "platform/Fonts.h"

class QtFonts : public Fonts {
public:
    QStringList families() const override;

    // The family names without the foundry in brackets that the font
    // database adds to tell same-named families apart, each name once,
    // in alphabetical order without regard to case.
    static QStringList plainFamilies(const QStringList &names);
};

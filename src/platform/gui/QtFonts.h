#pragma once

#include "platform/Fonts.h"

class QtFonts : public Fonts {
public:
    QStringList families() const override;
};

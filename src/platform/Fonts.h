#pragma once

#include <QStringList>

class Fonts {
public:
    virtual ~Fonts() = default;
    // Names of the font families available to the display.
    virtual QStringList families() const = 0;
};

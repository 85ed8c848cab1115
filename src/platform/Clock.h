#pragma once

#include <QDate>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

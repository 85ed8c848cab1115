#pragma once

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when another copy of the program is running for this user.
    virtual bool anotherRunning() = 0;
};

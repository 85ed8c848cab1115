#pragma once

#include "platform/SingleInstance.h"

#include <QLockFile>
#include <QString>
#include <memory>

// A lock file held for the life of the process. A copy that crashed leaves
// a stale lock that the next start recognises and takes over.
class LockFileInstance : public SingleInstance {
public:
    explicit LockFileInstance(QString lockPath = defaultLockPath());
    static QString defaultLockPath();
    bool anotherRunning() override;

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_checked = false;
    bool m_other = false;
};

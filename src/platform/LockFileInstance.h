#pragma once

#include "platform/SingleInstance.h"

#include <QString>
#include <QStringList>
#include <memory>

class QLockFile;

// A lock held for the life of the process, one the kernel lets go of when
// the process ends however it ends (flock on an open file on Unix). What a
// lock file holds, or who wrote it, never matters: a file left behind by a
// copy that crashed, an empty or damaged one, or one written by another
// machine sharing the home folder is simply locked again.
class LockFileInstance : public SingleInstance {
public:
    // The lock files tried in turn: the first that can be opened as a file
    // and locked decides. Later ones are the fall-backs for a runtime folder
    // that cannot be used (a folder where the lock file should be, a folder
    // that is missing or cannot be written).
    explicit LockFileInstance(QStringList lockPaths = defaultLockPaths());
    ~LockFileInstance() override;
    // The user's runtime folder, then the user's cache folder and home
    // folder, all private to the user.
    static QStringList defaultLockPaths();
    bool anotherRunning() override;

private:
    QStringList m_paths;
#ifdef Q_OS_WIN
    std::unique_ptr<QLockFile> m_lock;
#else
    int m_fd = -1;
#endif
    bool m_checked = false;
    bool m_other = false;
};

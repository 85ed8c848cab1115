#include "platform/LockFileInstance.h"

#include <QDir>
#include <QStandardPaths>

LockFileInstance::LockFileInstance(QString lockPath) : m_path(std::move(lockPath)) {}

QString LockFileInstance::defaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/quotaro.lock");
}

bool LockFileInstance::anotherRunning()
{
    if (m_checked)
        return m_other;
    m_checked = true;
    m_lock = std::make_unique<QLockFile>(m_path);
    m_lock->setStaleLockTime(0); // only a dead owner makes a lock stale
    m_other = !m_lock->tryLock(0);
    return m_other;
}

#pragma once

#include "platform/SingleInstance.h"

#include <QByteArray>
#include <QString>
#include <memory>

class QLockFile;

// The lock one copy of the program holds on the settings tree it works on,
// for the life of the process: the kernel lets go of it when the process ends
// however it ends, so no leftover can lock the user out.
//
// It is found from the tree, not from the environment: every copy of this
// user on this computer working on that tree meets it, whatever its home,
// runtime or cache folders (the tree is known by the device and inode of
// its folder, so a path through a link to it is the same tree). On Linux it
// is an abstract socket name (user id, tree), which needs no writable folder
// at all and lives on this computer only: copies on other computers that
// share the tree over the network never meet it, as they must not (their
// saves already keep apart). Any user may take any abstract name, so a name
// held by another user's socket is passed over for the next one: both copies
// of this user pass over the same names and meet at the first one free of
// strangers.
class SingleCopyLock : public SingleInstance {
public:
    // The tree's folder (the install root) as a real path.
    explicit SingleCopyLock(QString tree);
    ~SingleCopyLock() override;
    bool anotherRunning() override;

    // The abstract socket name of a user's lock on a tree (its device and
    // inode, or its path where it cannot be looked at), the attempt-th of
    // those tried in turn.
    static QByteArray lockName(const QString &tree, unsigned user, int attempt);
    // Takes the abstract name and listens on it: the socket, or -1.
    static int holdName(const QByteArray &name);

private:
    QString m_tree;
#ifdef Q_OS_LINUX
    int m_fd = -1;
#else
    std::unique_ptr<QLockFile> m_lock;
#endif
    bool m_checked = false;
    bool m_other = false;
};

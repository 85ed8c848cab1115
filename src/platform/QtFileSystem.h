#pragma once

#include "platform/FileSystem.h"

// The disk. On Windows program paths are used as they are; elsewhere the
// drive "C:" is a folder of the user's (by default
// $XDG_DATA_HOME/quotaro/drive_c) and backslashes become slashes.
class QtFileSystem : public FileSystem {
public:
    explicit QtFileSystem(QString driveRoot = defaultDriveRoot());

    static QString defaultDriveRoot();
    QString driveRoot() const { return m_root; }

    QString nativePath(const QString &path) const override;
    bool fileExists(const QString &path) const override;
    bool folderExists(const QString &path) const override;
    std::optional<QStringList> listTxtFiles(const QString &folder) const override;
    std::optional<QByteArray> readFile(const QString &path) const override;
    std::optional<QByteArray> readFileStart(const QString &path, qsizetype maxBytes) const override;
    bool replaceFile(const QString &path, const QByteArray &bytes) override;
    bool createNewFile(const QString &path, const QByteArray &bytes) override;
    bool removeFile(const QString &path) override;
    bool renameFile(const QString &from, const QString &to) override;

private:
    QString m_root;
};

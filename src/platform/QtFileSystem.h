#pragma once

#include "platform/FileSystem.h"

// The disk. On Windows program paths are used as they are; elsewhere the
// drive "C:" is a folder of the user's (by default
// $XDG_DATA_HOME/quotaro/drive_c) and backslashes become slashes.
class QtFileSystem : public FileSystem {
public:
    explicit QtFileSystem(QString driveRoot = defaultDriveRoot());

    static QString defaultDriveRoot();

    QString nativePath(const QString &path) const override;
    bool fileExists(const QString &path) const override;
    bool folderExists(const QString &path) const override;
    std::optional<QStringList> listTxtFiles(const QString &folder) const override;
    std::optional<QString> findTxtEntry(const QString &folder, const QString &stem) const override;
    std::optional<QByteArray> readFile(const QString &path) const override;
    std::optional<QByteArray> readFileStart(const QString &path, qsizetype maxBytes) const override;
    bool replaceFile(const QString &path, const QByteArray &bytes) override;
    bool createNewFile(const QString &path, const QByteArray &bytes) override;
    bool removeFile(const QString &path) override;
    bool renameFile(const QString &from, const QString &to) override;
    void removeLeftoverTemporaryFiles(const QString &folder) override;

    // The name of the program's temporary files: this prefix and six
    // letters or digits, in the folder of the file being written.
    static constexpr const char *TemporaryPrefix = ".quotaro-";

    // File names are bytes. A name that is not valid UTF-8 keeps every byte:
    // each stray byte becomes a lone surrogate (U+DC80 to U+DCFF, which no
    // valid text holds) and turns back into the same byte on the way out.
    static QString decodeFileName(const QByteArray &bytes);
    static QByteArray encodeFileName(const QString &name);

    // Gives a file a second name and drops the first, refusing any entry
    // that holds the new name: the no-replace move of file systems whose
    // rename cannot refuse (network mounts, older kernels).
    static bool linkThenUnlink(const QByteArray &from, const QByteArray &to);
    // False makes every move take linkThenUnlink, as on such a mount.
    void setNoReplaceRenameAvailable(bool available) { m_noReplaceRename = available; }

private:
    QByteArray nativeBytes(const QString &path) const;
    bool moveNoReplace(const QByteArray &from, const QByteArray &to) const;

    QString m_root;
    bool m_noReplaceRename = true;
};

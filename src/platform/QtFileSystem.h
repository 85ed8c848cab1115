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
    std::optional<QByteArray> readFile(const QString &path,
                                       QDateTime *modified = nullptr) const override;
    std::optional<QByteArray> readFileStart(const QString &path, qsizetype maxBytes) const override;
    WriteResult replaceFile(const QString &path, const QByteArray &bytes) override;
    WriteResult createNewFile(const QString &path, const QByteArray &bytes) override;
    WriteResult removeFile(const QString &path) override;
    WriteResult renameFile(const QString &from, const QString &to) override;
    void removeLeftoverTemporaryFiles(const QString &folder) override;

    // File names are bytes. A name that is not valid UTF-8 keeps every byte:
    // each stray byte becomes a lone surrogate (U+DC80 to U+DCFF, which no
    // valid text holds) and turns back into the same byte on the way out.
    static QString decodeFileName(const QByteArray &bytes);
    static QByteArray encodeFileName(const QString &name);

    // False makes every move give the file a second name and drop the
    // first, as on a network mount whose rename cannot refuse a taken name.
    void setNoReplaceRenameAvailable(bool available) { m_noReplaceRename = available; }
    // False makes every write take a named temporary file, as on a share
    // that refuses unnamed ones.
    void setUnnamedFilesAvailable(bool available) { m_unnamedFiles = available; }

private:
    QByteArray nativeBytes(const QString &path) const;
    WriteResult replace(const QString &path, const QByteArray &bytes);
    bool moveNoReplace(const QByteArray &from, const QByteArray &to) const;

    QString m_root;
    bool m_noReplaceRename = true;
    bool m_unnamedFiles = true;
};

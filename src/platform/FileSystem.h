#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// What became of a change to the disk: done, or not done for a reason the
// system gives ("Operation not permitted", "No space left on device"), which
// the messages pass on so that the user can set it right.
class WriteResult {
public:
    WriteResult() = default; // done
    static WriteResult failed(QString reason)
    {
        WriteResult result;
        result.m_failed = true;
        result.m_reason = std::move(reason);
        return result;
    }
    // The system's words for an errno value.
    static WriteResult fromErrno(int error);

    explicit operator bool() const { return !m_failed; }
    const QString &reason() const { return m_reason; }

private:
    bool m_failed = false;
    QString m_reason;
};

// The program's paths are Windows paths ("C:\Program Files\..."); a file
// system maps them onto the real disk. All content is raw bytes here: the
// store decides the text encoding.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The real path a program path stands for (for starting an editor).
    virtual QString nativePath(const QString &path) const = 0;

    // An ordinary (not hidden, not a folder) file exists at the path.
    virtual bool fileExists(const QString &path) const = 0;
    virtual bool folderExists(const QString &path) const = 0;

    // Names (with extension) of the ordinary files of a folder whose name
    // ends in ".txt" in any letter case, in directory order. A leading dot
    // hides nothing: every such file is listed. Empty optional when the
    // folder cannot be read.
    virtual std::optional<QStringList> listTxtFiles(const QString &folder) const = 0;

    // The path of the entry of the folder named stem and ".txt" with the
    // ending in any letter case, whatever the entry is (file, folder, link,
    // even a link to nothing); empty when there is none. The ".txt" spelling
    // is tried first.
    virtual std::optional<QString> findTxtEntry(const QString &folder,
                                                const QString &stem) const = 0;

    // The whole file; with modified, also when it was last changed, taken
    // in the same opening.
    virtual std::optional<QByteArray> readFile(const QString &path,
                                               QDateTime *modified = nullptr) const = 0;
    // The file's first bytes, at most maxBytes of them: a file of any size
    // costs no more memory than that.
    virtual std::optional<QByteArray> readFileStart(const QString &path,
                                                    qsizetype maxBytes) const = 0;

    // Replaces (or creates) the file atomically: the old content stays whole
    // until the new one is completely on disk.
    virtual WriteResult replaceFile(const QString &path, const QByteArray &bytes) = 0;

    // Writes a new file that must not exist yet, atomically: either the whole
    // file appears or nothing does. Refuses when any entry (a link to
    // nothing included) holds the name, and never writes through a link.
    // The file gets the mode the user's umask gives.
    virtual WriteResult createNewFile(const QString &path, const QByteArray &bytes) = 0;

    virtual WriteResult removeFile(const QString &path) = 0;

    // Renames a file in one step of the file system, never by copying;
    // refuses when any entry holds the target name.
    virtual WriteResult renameFile(const QString &from, const QString &to) = 0;

    // Removes the temporary files that writes of this computer left in the
    // folder when they were killed: only those whose names show that this
    // computer made them, in a process that has ended. No other file, and
    // none of another computer sharing the folder, is ever removed.
    virtual void removeLeftoverTemporaryFiles(const QString &folder) = 0;
};

#pragma once

#include <QByteArray>

// A file written beside the file it is to become and put in place in one
// step once it is whole (Unix). Where the file system allows it, the file has
// no name at all until then (O_TMPFILE on Linux): a process killed while
// writing leaves nothing behind. Elsewhere (some network shares refuse such
// files) it has a temporary name that says which computer, which start of
// that computer and which process made it, so that a leftover is only ever
// removed by that computer, once that process is gone; the names of other
// computers' files, and any name a user gives a file, are never touched.
class PendingFile {
public:
    PendingFile() = default;
    ~PendingFile(); // a file never put in place goes with it
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    // Opens an empty file in the folder with the mode given (less the
    // umask); without a name unless told not to or the file system cannot.
    // False, with errno set, when no file can be made there.
    bool open(const QByteArray &folder, unsigned mode, bool unnamed = true);
    int descriptor() const { return m_fd; }
    bool isUnnamed() const { return m_name.isEmpty(); }
    // A path that opens this very file, for writers that take a file name.
    QByteArray path() const;
    bool write(const QByteArray &bytes);

    // Gives the file the name target, refusing any entry that holds it (a
    // link to nothing included; errno EEXIST).
    bool createAs(const QByteArray &target, bool kernelRename = true);
    // Puts the file in place of target, whatever is there.
    bool replace(const QByteArray &target);

    // Whether the entry of a folder is a temporary file of this computer
    // that its process left: made by a process that has ended, or in an
    // earlier start of this computer.
    static bool isAbandoned(const QByteArray &name);
    // Removes the abandoned temporary files of the folder (regular files only).
    static void removeAbandoned(const QByteArray &folder);
    // The name of a new temporary file of this process, as files are given
    // where they cannot be unnamed: ".quotaro-tmp." and, dot-separated, the
    // host name, this computer's and this boot's identities, the process's
    // id namespace, id and start time, and six random letters or digits.
    static QByteArray temporaryName();

    // Moves a file to a name that no entry holds, in one step of the file
    // system, never by copying. Without the kernel's no-replace rename (or
    // where the file system lacks it: network mounts, older kernels) the file
    // gets a second name and loses the first, link() refusing a taken name.
    static bool moveNoReplace(const QByteArray &from, const QByteArray &to,
                              bool kernelRename = true);

private:
    bool closeFile();

    int m_fd = -1;
    QByteArray m_folder;
    QByteArray m_name; // the temporary name; empty for an unnamed file
    bool m_placed = false;
};

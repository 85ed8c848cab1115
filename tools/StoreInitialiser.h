#pragma once

#include <QString>
#include <QStringList>

class QtFileSystem;

// Creates a complete, usable settings tree for a new user. Existing files
// and folders are never touched, so running it on a damaged tree only adds
// what is missing (quotaro-init --if-absent leaves an existing install root
// entirely alone).
struct StoreInitialiser {
    // The font the tree starts with: the first of a few common faces that the
    // display has, or the display's default family.
    static QString starterFont(const QStringList &families);

    // Returns the list of paths created; *error describes the first failure.
    static QStringList create(QtFileSystem &fs, const QString &font, QString *error = nullptr);
};

#pragma once

#include <QString>

namespace app {

// The SQLite file on disk: its folder, made private, and the files that
// nothing else the program writes may land on.
class DatabaseFile {
public:
    // Makes the folder and any missing parent, each readable by its owner
    // only; throws core::Error when one cannot be made.
    static void makePrivateFolder(const QString& folder);
    // True when writing target would overwrite the SQLite database the
    // connection text names, or its -wal, -shm or -journal file, however
    // either is spelled: the "sqlite:" prefix, "..", a symbolic or hard link.
    static bool wouldOverwrite(const QString& target, const QString& connectionText);
};

}  // namespace app

#pragma once

#include <QByteArray>
#include <QString>

// Writes new content into an existing file itself, keeping its inode: its owner, permissions and
// other names (hard links) stay as they are, where a new file renamed into its place would be ours
// and would split the links. A copy of the old content is made beside it first and kept until the
// new content is on disk; should writing fail, the old content is put back from it.
struct InPlaceWriteResult {
    // 0, or the system's error number of what failed.
    int error = 0;
    // Putting the old content back failed too: the copy stays at inPlaceBackupPath().
    bool backupKept = false;
};
InPlaceWriteResult writeInPlace(const QString& path, const QByteArray& content);

// Where the copy of a file written in place is kept while it is written: hidden, beside it. One left
// behind (the computer stopped mid-write) is the file's last good content.
QString inPlaceBackupPath(const QString& path);

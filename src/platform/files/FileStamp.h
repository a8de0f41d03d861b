#pragma once

#include <QByteArray>
#include <QString>

// What a file on disk was when the program read it: enough to tell later whether anybody has written
// it since. Its content decides, not its times: a USB stick keeps a file's time to two seconds, and a
// backup copied back keeps the old one.
struct FileStamp {
    qint64 size = -1;
    QByteArray hash; // SHA-256 of the content

    bool isValid() const { return size >= 0; }

    // The stamp of a regular file, read without ever blocking on a pipe or a device (those, a file
    // that cannot be read and a missing one have no stamp).
    static FileStamp of(const QString& path);
    // Whether the file still holds what was stamped.
    bool isStillThe(const QString& path) const;
};

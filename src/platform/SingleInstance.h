#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Tells whether another copy of the program is running, with a lock file in the user's runtime
// folder. The lock of a copy that crashed is recognised as stale and taken over.
class SingleInstance {
public:
    explicit SingleInstance(QString lockPath = defaultLockPath());
    ~SingleInstance();

    // True when this copy holds the lock; false when another live copy does.
    bool acquire();

    static QString defaultLockPath();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

#pragma once

#include <QString>

// The lock that the running copy holds on a file in the user's runtime folder. It is a lock of the
// kernel's (flock) on the file, not the file itself: it ends with its process however that process
// ends, so a file left behind never keeps a later start out, whatever it holds and whoever wrote it.
class InstanceLock {
public:
    enum class State {
        // This copy holds the lock.
        Held,
        // A living process holds it.
        HeldByAnother,
        // A file of another user that we may not open stands there: whether it is held, the lock
        // cannot tell (the copy that holds it can, by answering a call).
        Unreadable,
        // No lock can be made there: a folder, a pipe or a link in its place, no folder, a full disk.
        Unavailable,
    };

    explicit InstanceLock(QString path = defaultPath());
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State tryLock();
    // Removes the unreadable file of another user, which no living copy answers for, and tries again.
    State takeOverUnreadable();

    // Why no lock could be made, for the log; empty unless the state is Unavailable.
    QString problem() const { return problem_; }
    // The process id that the holder wrote into the file; 0 when unknown.
    qint64 holderPid() const { return holderPid_; }

    // $XDG_RUNTIME_DIR/vantrel.lock; in the shared temporary folder a name of this user's own.
    static QString defaultPath();

private:
    State open();
    void release();

    QString path_;
    int fd_ = -1;
    bool held_ = false;
    QString problem_;
    qint64 holderPid_ = 0;
};

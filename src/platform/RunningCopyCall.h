#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// How a second start reaches the copy that already runs: the running copy listens on a local socket
// in the user's runtime folder, and a second start calls it there so that it can bring its window
// back into view. Plain POSIX sockets, so that the start pays for no network module.
class RunningCopyCall : public QObject {
    Q_OBJECT
public:
    explicit RunningCopyCall(QObject* parent = nullptr);
    ~RunningCopyCall() override;
    RunningCopyCall(const RunningCopyCall&) = delete;
    RunningCopyCall& operator=(const RunningCopyCall&) = delete;

    // Listens at the path, replacing a socket file that a crashed copy left there; only the copy
    // that holds the single-instance lock may do this. False when the socket cannot be made.
    bool listen(const QString& path);

    // Calls the copy listening at the path; false when none answers.
    static bool call(const QString& path);

    static QString defaultPath();

signals:
    // A second start has called.
    void called();

private:
    void acceptPending();

    int socket_ = -1;
    QString path_;
    QSocketNotifier* notifier_ = nullptr;
};

#pragma once

#include <QObject>
#include <QString>
#include <chrono>

class QSocketNotifier;

// How a second start reaches the copy that already runs: the running copy listens on a local socket
// in the user's runtime folder, and a second start calls it there so that it can bring its window
// back into view. Plain POSIX sockets, so that the start pays for no network module.
class RunningCopyCall : public QObject {
    Q_OBJECT
public:
    enum class Answer {
        // The running copy took the call.
        Answered,
        // Nobody listens there (no socket, or one that a crashed copy left).
        NoOneListens,
        // A copy listens but did not take the call in time: it is stopped or busy.
        NoAnswer,
    };

    explicit RunningCopyCall(QObject* parent = nullptr);
    ~RunningCopyCall() override;
    RunningCopyCall(const RunningCopyCall&) = delete;
    RunningCopyCall& operator=(const RunningCopyCall&) = delete;

    // Listens at the path, replacing a socket file that a crashed copy left there; only the copy
    // that holds the single-instance lock may do this. False when the socket cannot be made; why is
    // then in problem().
    bool listen(const QString& path);
    QString problem() const { return problem_; }

    // Calls the copy listening at the path and waits for it to take the call, at most the patience.
    static Answer call(const QString& path, std::chrono::milliseconds patience);

    static QString defaultPath();

signals:
    // A second start has called.
    void called();

private:
    void acceptPending();

    int socket_ = -1;
    QString path_;
    QString problem_;
    QSocketNotifier* notifier_ = nullptr;
};

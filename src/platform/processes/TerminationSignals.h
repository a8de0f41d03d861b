#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into the signal requested() on the event loop, so that a logout,
// a `kill` or Ctrl+C ends the program the orderly way (its office instances and files included)
// instead of where it stands. A second such signal, while the first is being handled, ends the
// program at once the default way. One object at a time; it puts back the previous handlers when
// destroyed.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Whether a termination signal has come: for work that blocks the event loop and should stop.
    static bool isPending();

signals:
    void requested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
};

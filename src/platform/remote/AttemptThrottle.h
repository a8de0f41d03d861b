#pragma once

#include <QHash>
#include <QHostAddress>
#include <functional>

// Slows down a device that guesses tokens: after a wrong one, its next attempt is refused unheard
// until a delay has passed, the delay doubling with each further failure. A right token clears it.
class AttemptThrottle {
public:
    static constexpr qint64 kFirstDelayMs = 500;
    static constexpr qint64 kLongestDelayMs = 60'000;
    // Devices remembered at most; the oldest are forgotten first.
    static constexpr int kRemembered = 256;

    // nowMs: a monotonic clock in milliseconds.
    explicit AttemptThrottle(std::function<qint64()> nowMs) : nowMs_(std::move(nowMs)) {}

    // Whether the device may try a token now.
    bool mayTry(const QHostAddress& peer) const;
    void failed(const QHostAddress& peer);
    void succeeded(const QHostAddress& peer);

private:
    struct Record {
        int failures = 0;
        qint64 blockedUntilMs = 0;
    };
    std::function<qint64()> nowMs_;
    QHash<QString, Record> records_;
};

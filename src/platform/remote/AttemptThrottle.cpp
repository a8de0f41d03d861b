#include "platform/remote/AttemptThrottle.h"

#include <algorithm>

bool AttemptThrottle::mayTry(const QHostAddress& peer) const
{
    const auto found = records_.constFind(peer.toString());
    return found == records_.constEnd() || nowMs_() >= found->blockedUntilMs;
}

void AttemptThrottle::failed(const QHostAddress& peer)
{
    const qint64 now = nowMs_();
    if (records_.size() >= kRemembered && !records_.contains(peer.toString())) {
        // Whoever is free to try again already has nothing to remember.
        const auto oldest =
            std::min_element(records_.begin(), records_.end(), [](const Record& a, const Record& b) {
                return a.blockedUntilMs < b.blockedUntilMs;
            });
        records_.erase(oldest);
    }
    Record& record = records_[peer.toString()];
    record.failures = std::min(record.failures + 1, 30);
    const qint64 delay = std::min(kLongestDelayMs, kFirstDelayMs << std::min(record.failures - 1, 20));
    record.blockedUntilMs = now + delay;
}

void AttemptThrottle::succeeded(const QHostAddress& peer)
{
    records_.remove(peer.toString());
}

#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The secret a phone shows to reach the remote control: fresh random bits each time the remote is
// turned on, written as lower-case hex so that it travels in a URL path unchanged.
class AccessToken {
public:
    static constexpr int kBytes = 16; // 128 bits

    // A new token from the system's random source.
    static AccessToken generate();
    // A token of known text (tests).
    explicit AccessToken(QByteArray text) : text_(std::move(text)) {}

    const QByteArray& text() const { return text_; }

    // Whether the candidate is this token. The time taken does not depend on where the two differ,
    // so that a guesser learns nothing from timing the answers.
    bool matches(QByteArrayView candidate) const;

private:
    QByteArray text_;
};

#pragma once

#include <QString>

// The participant count of a sequence-number draw, as typed into the launcher's count box.
namespace participants {

constexpr float kFewest = 2;
constexpr float kMost = 200;

// The decimal number at the start of the text ("12" -> 12, "2.5" -> 2.5, "1a" -> 1); 0 when the text
// does not start with one.
float leadingNumber(const QString& text);

// Not greater than 1 -> 2, greater than 200 -> 200; anything between is kept, fractions included.
float clamp(float count);

// Whether the character is one of the digits 0-9.
bool isDigit(QChar c);

} // namespace participants

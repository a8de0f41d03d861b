#include "models/draw/ParticipantCount.h"

#include <cmath>

namespace participants {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

float leadingNumber(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    if (end < text.size() && text[end] == QLatin1Char('.')) {
        ++end;
        while (end < text.size() && isDigit(text[end]))
            ++end;
    }
    bool ok = false;
    const double value = text.left(end).toDouble(&ok);
    return ok && std::isfinite(value) ? float(value) : 0.0f;
}

float clamp(float count)
{
    if (!(count > 1))
        return kFewest;
    if (count > kMost)
        return kMost;
    return count;
}

} // namespace participants

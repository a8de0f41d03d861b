#include "ui/DigitsValidator.h"

#include <algorithm>

QValidator::State DigitsValidator::validate(QString& input, int& /*position*/) const
{
    const bool digitsOnly =
        std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digitsOnly ? Acceptable : Invalid;
}

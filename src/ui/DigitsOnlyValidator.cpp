#include "ui/DigitsOnlyValidator.h"

#include <algorithm>

QValidator::State DigitsOnlyValidator::validate(QString& input, int& /*position*/) const
{
    // ASCII digits only: QChar::isDigit would also let full-width and other scripts' digits in, which
    // the time and count readers do not take.
    const bool digitsOnly =
        std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digitsOnly ? Acceptable : Invalid;
}

#include "ui/DigitsValidator.h"

#include <QLineEdit>
#include <algorithm>

QValidator::State DigitsValidator::validate(QString& input, int& /*position*/) const
{
    const bool digitsOnly =
        std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digitsOnly ? Acceptable : Invalid;
}

void setDigitsOnly(QLineEdit* box, bool digitsOnly)
{
    if (!box)
        return;
    if (digitsOnly)
        box->setValidator(new DigitsValidator(box));
    else
        box->setValidator(nullptr);
    box->update();
}

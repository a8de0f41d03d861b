#pragma once

#include <QValidator>

// Lets a box take the digits 0–9 and nothing else: no sign, no space, no other script's digits.
class DigitsValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

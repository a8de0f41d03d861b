#pragma once

#include <QValidator>

class QLineEdit;

// Lets a box take the digits 0–9 and nothing else: no sign, no space, no other script's digits.
class DigitsValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

// Gives a text box the digits-only style, or takes it away.
void setDigitsOnly(QLineEdit* box, bool digitsOnly);

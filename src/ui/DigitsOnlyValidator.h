#pragma once

#include <QValidator>

// Lets an entry hold nothing but the digits 0 to 9 (or nothing at all). A plain character test rather
// than a regular expression: the main window's boxes use it from the first picture on, and the regular
// expression engine would be compiled for it then.
class DigitsOnlyValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

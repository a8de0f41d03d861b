#include "ui/DigitsOnlyValidator.h"

#include <gtest/gtest.h>

namespace {

QValidator::State check(QString text)
{
    DigitsOnlyValidator validator;
    int position = int(text.size());
    return validator.validate(text, position);
}

TEST(DigitsOnlyValidator, TakesAsciiDigitsAndNothingElse)
{
    EXPECT_EQ(check(QString()), QValidator::Acceptable);
    EXPECT_EQ(check(QStringLiteral("0")), QValidator::Acceptable);
    EXPECT_EQ(check(QStringLiteral("0123456789")), QValidator::Acceptable);
    for (const QString& text : {QStringLiteral("1a"), QStringLiteral("-1"), QStringLiteral(" 5"),
                                QStringLiteral("1.5"), QStringLiteral("/"), QStringLiteral(":")})
        EXPECT_EQ(check(text), QValidator::Invalid) << qPrintable(text);
    // Digits of other scripts are digits to Qt, but not to the readers of the boxes.
    for (const QString& text : {QStringLiteral("１２"), QStringLiteral("٣"), QStringLiteral("五")})
        EXPECT_EQ(check(text), QValidator::Invalid) << qPrintable(text);
}

} // namespace

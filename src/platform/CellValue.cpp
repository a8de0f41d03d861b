#include "platform/Spreadsheet.h"

#include <cmath>

QString cellText(const CellValue& value)
{
    switch (value.kind) {
    case CellValue::Kind::Number:
        if (!value.shown.isEmpty())
            return value.shown;
        // Fifteen significant digits: what a spreadsheet shows of a double, without float noise.
        return QString::number(value.number, 'g', 15);
    case CellValue::Kind::Text:
        return value.text;
    case CellValue::Kind::Empty:
    case CellValue::Kind::Error:
        break;
    }
    return {};
}

std::optional<int16_t> cellInt16(const CellValue& value)
{
    double number = 0;
    switch (value.kind) {
    case CellValue::Kind::Empty:
        return 0;
    case CellValue::Kind::Error:
        return std::nullopt;
    case CellValue::Kind::Number:
        number = value.number;
        break;
    case CellValue::Kind::Text: {
        bool ok = false;
        number = value.text.trimmed().toDouble(&ok);
        if (!ok)
            return std::nullopt;
        break;
    }
    }
    if (!std::isfinite(number))
        return std::nullopt;
    // Half to even, the rounding of the integer conversion: 2.5 gives 2, 3.5 gives 4.
    const double below = std::floor(number);
    double rounded = std::round(number);
    if (number - below == 0.5)
        rounded = std::fmod(below, 2.0) == 0 ? below : below + 1;
    if (rounded < INT16_MIN || rounded > INT16_MAX)
        return std::nullopt;
    return static_cast<int16_t>(rounded);
}

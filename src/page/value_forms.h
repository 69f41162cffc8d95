#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

// The value forms of page files and of the property panels. Every reader returns nothing for an
// empty, non-numeric or out-of-range value; callers decide what that means.
namespace ValueForms {

// A decimal number taken to the nearest whole number, halves to the even one, within the 16-bit
// signed range.
std::optional<qint16> readWholeNumber(QStringView text);
QString writeWholeNumber(qint16 value);

// A 32-bit colour value written as a signed decimal number; desktop colour references, which have
// the top bit set, are negative.
std::optional<quint32> readColour(QStringView text);
QString writeColour(quint32 value);

// A single-precision number. Either "." or "," is taken as the decimal separator.
std::optional<float> readNumber(QStringView text);
// The shortest text of up to seven significant digits that reads back as the same value, without a
// fraction part when it is whole: 81, 8.25, 149.5, 0.1.
QString writeNumber(float value, QChar decimalPoint = QLatin1Char('.'));

} // namespace ValueForms

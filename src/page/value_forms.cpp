#include "page/value_forms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

// A decimal number as a page file or a panel holds it: an optional sign, digits with at most one
// decimal separator ("." or ","), and an optional exponent. Spaces around it are allowed. Anything
// else (empty text, letters, "inf", a second separator) is not a number. The result is the plain
// text that std::from_chars takes: no "+" sign and "." as the separator.
std::optional<std::string> normalisedNumber(QStringView text)
{
    text = text.trimmed();
    std::string result;
    result.reserve(std::size_t(text.size()));
    qsizetype at = 0;
    const auto peek = [&] { return at < text.size() ? text.at(at).unicode() : char16_t(0); };
    const auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };

    if (peek() == u'+' || peek() == u'-') {
        if (peek() == u'-')
            result += '-';
        ++at;
    }
    int digits = 0;
    while (isDigit(peek())) {
        result += char(peek());
        ++at;
        ++digits;
    }
    if (peek() == u'.' || peek() == u',') {
        result += '.';
        ++at;
        while (isDigit(peek())) {
            result += char(peek());
            ++at;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (peek() == u'e' || peek() == u'E') {
        result += 'e';
        ++at;
        if (peek() == u'+' || peek() == u'-') {
            result += char(peek());
            ++at;
        }
        int exponentDigits = 0;
        while (isDigit(peek())) {
            result += char(peek());
            ++at;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (at != text.size())
        return std::nullopt;
    return result;
}

// The power of ten of the leading digit of a normalised number that is not zero: 2 for "123",
// -3 for "0.00456e0", 4 for "1.5e4". The exponent saturates, so that huge exponents stay huge.
long long leadingPowerOfTen(const std::string &plain)
{
    const std::size_t exponentAt = plain.find('e');
    const std::string mantissa = plain.substr(0, exponentAt);
    long long exponent = 0;
    if (exponentAt != std::string::npos) {
        const bool negative = plain[exponentAt + 1] == '-';
        for (std::size_t i = exponentAt + 1; i < plain.size(); ++i) {
            if (plain[i] >= '0' && plain[i] <= '9')
                exponent = std::min(exponent * 10 + (plain[i] - '0'), 1'000'000'000LL);
        }
        if (negative)
            exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstDigit = mantissa.find_first_of("123456789");
    if (firstDigit == std::string::npos)
        return 0;
    const long long lead =
        firstDigit < point ? (long long)(point - firstDigit) - 1 : -(long long)(firstDigit - point);
    return lead + exponent;
}

template <typename Number> std::optional<Number> parseDecimal(QStringView text)
{
    const std::optional<std::string> plain = normalisedNumber(text);
    if (!plain)
        return std::nullopt;
    Number value{};
    const char *end = plain->data() + plain->size();
    const auto [stop, error] = std::from_chars(plain->data(), end, value);
    // Out of range is an overflow, an error, or an underflow: a value too close to 0 to be held,
    // which is 0 for every use here.
    if (error == std::errc::result_out_of_range && leadingPowerOfTen(*plain) < 0)
        return Number(0);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// To the nearest whole number, halves to the even one, within [low, high].
std::optional<qint64> wholeWithin(QStringView text, qint64 low, qint64 high)
{
    const std::optional<double> value = parseDecimal<double>(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (!(rounded >= double(low) && rounded <= double(high)))
        return std::nullopt;
    return qint64(rounded);
}

} // namespace

namespace ValueForms {

std::optional<qint16> readWholeNumber(QStringView text)
{
    const std::optional<qint64> value =
        wholeWithin(text, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    if (!value)
        return std::nullopt;
    return qint16(*value);
}

QString writeWholeNumber(qint16 value)
{
    return QString::number(value);
}

std::optional<quint32> readColour(QStringView text)
{
    const std::optional<qint64> value =
        wholeWithin(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    if (!value)
        return std::nullopt;
    return quint32(qint32(*value));
}

QString writeColour(quint32 value)
{
    return QString::number(qint32(value));
}

std::optional<float> readNumber(QStringView text)
{
    return parseDecimal<float>(text);
}

QString writeNumber(float value, QChar decimalPoint)
{
    // Nothing the reader accepts is infinite or not a number, so such a value has no written form
    // that reads back; it is written as 0 rather than as text no reader takes.
    if (!std::isfinite(value) || value == 0.0f)
        return QStringLiteral("0");

    // The fewest significant digits, up to seven, that read back as the same value.
    char buffer[32];
    int length = 0;
    for (int digits = 1; digits <= 7; ++digits) {
        length = std::snprintf(buffer, sizeof buffer, "%.*E", digits - 1, double(value));
        float back = 0;
        std::from_chars(buffer, buffer + length, back);
        if (back == value)
            break;
    }

    // buffer holds "-d.dddE+xx"; lay the digits out without an exponent where seven digits reach.
    const std::string scientific(buffer, std::size_t(length));
    const std::size_t exponentAt = scientific.find('E');
    const bool negative = scientific.front() == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < exponentAt; ++i) {
        if (scientific[i] != '.')
            digits += scientific[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::stoi(scientific.substr(exponentAt + 1));

    const QString point(decimalPoint);
    QString text = negative ? QStringLiteral("-") : QString();
    const QString allDigits = QString::fromLatin1(digits.data(), qsizetype(digits.size()));
    if (exponent >= 7 || exponent < -5) {
        text += allDigits.left(1);
        if (allDigits.size() > 1)
            text += point + allDigits.mid(1);
        text += QStringLiteral("E%1%2")
                    .arg(exponent < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                    .arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    } else if (exponent < 0) {
        text += QLatin1Char('0') + point + QString(-exponent - 1, QLatin1Char('0')) + allDigits;
    } else if (allDigits.size() <= qsizetype(exponent) + 1) {
        text += allDigits + QString(exponent + 1 - int(allDigits.size()), QLatin1Char('0'));
    } else {
        text += allDigits.left(exponent + 1) + point + allDigits.mid(exponent + 1);
    }
    return text;
}

} // namespace ValueForms

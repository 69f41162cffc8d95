#pragma once

#include "page/loader.h"
#include "page/value_forms.h"

#include <QString>

#include <optional>

// Reads the fields of a page in their value forms. A key that is absent reads as the empty value
// (0 or empty text); a value present but not of its form gives nothing: the page loader stops
// there, and an element read from the clipboard is refused.
class FieldReader
{
public:
    explicit FieldReader(const PageKeyLookup &lookup) : m_lookup(lookup) {}

    std::optional<qint16> whole(const QString &key) const
    {
        const std::optional<QString> value = m_lookup(key);
        return value ? ValueForms::readWholeNumber(*value) : qint16(0);
    }
    // A whole number that must lie within [low, high]: the codes of the styles and alignment.
    std::optional<int> code(const QString &key, int low, int high) const
    {
        const std::optional<qint16> value = whole(key);
        if (!value || *value < low || *value > high)
            return std::nullopt;
        return int(*value);
    }
    std::optional<quint32> colour(const QString &key) const
    {
        const std::optional<QString> value = m_lookup(key);
        return value ? ValueForms::readColour(*value) : quint32(0);
    }
    std::optional<float> number(const QString &key) const
    {
        const std::optional<QString> value = m_lookup(key);
        return value ? ValueForms::readNumber(*value) : 0.0f;
    }
    // Widths, heights and font sizes, which no element can take below 0.
    std::optional<float> size(const QString &key) const
    {
        const std::optional<float> value = number(key);
        if (!value || *value < 0)
            return std::nullopt;
        return value;
    }
    QString text(const QString &key) const { return m_lookup(key).value_or(QString()); }

private:
    const PageKeyLookup &m_lookup;
};

#include "browser/history.h"

void History::visit(const QString &address)
{
    if (address == current())
        return;
    m_addresses.resize(m_current + 1);
    m_addresses.append(address);
    m_current = m_addresses.size() - 1;
}

std::optional<QString> History::back()
{
    if (!canGoBack())
        return std::nullopt;
    return m_addresses.at(--m_current);
}

std::optional<QString> History::forward()
{
    if (!canGoForward())
        return std::nullopt;
    return m_addresses.at(++m_current);
}

std::optional<QString> History::backAddress() const
{
    if (!canGoBack())
        return std::nullopt;
    return m_addresses.at(m_current - 1);
}

std::optional<QString> History::forwardAddress() const
{
    if (!canGoForward())
        return std::nullopt;
    return m_addresses.at(m_current + 1);
}

QString History::current() const
{
    return m_current >= 0 ? m_addresses.at(m_current) : QString();
}

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The pages visited in one window, as a web browser keeps them: a list of addresses and the
// position of the page shown. Visiting a page drops whatever lay ahead of the position and adds
// the page after it; going back and forward only moves the position.
class History
{
public:
    // Adds the address after the current page, dropping the pages ahead. Visiting the page that
    // is already current (a reload, a link to the page itself) changes nothing.
    void visit(const QString &address);

    // Moves one page back or forward and gives that page's address; nothing when there is none.
    std::optional<QString> back();
    std::optional<QString> forward();

    // The addresses back and forward would go to, without moving.
    std::optional<QString> backAddress() const;
    std::optional<QString> forwardAddress() const;

    bool canGoBack() const { return m_current > 0; }
    bool canGoForward() const { return m_current + 1 < m_addresses.size(); }

    // The page the position is on; empty before the first visit.
    QString current() const;
    QStringList addresses() const { return m_addresses; }

private:
    QStringList m_addresses;
    qsizetype m_current = -1;
};

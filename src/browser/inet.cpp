#include "browser/inet.h"

#include <QEventLoop>
#include <QNetworkAccessManager>

Inet::Inet(QObject *parent) : QObject(parent), m_network(new QNetworkAccessManager(this)) {}

Inet::~Inet()
{
    if (m_fetch)
        m_fetch->stop();
}

TransferResult Inet::OpenURL(const QString &address, qint64 sizeLimit)
{
    if (m_running) {
        TransferResult result;
        result.status = TransferResult::Status::Busy;
        result.reason = tr("another transfer is still running");
        return result;
    }
    Fetch fetch(*m_network, address, sizeLimit, m_idleTimeout);
    // A local file, or an address that cannot be fetched, is done with at once.
    if (fetch.isFinished())
        return fetch.result();

    m_fetch = &fetch;
    setRunning(true);
    QEventLoop loop;
    connect(&fetch, &Fetch::finished, &loop, &QEventLoop::quit);
    loop.exec();
    // The application may end every event loop while the transfer still runs.
    fetch.stop();
    if (m_fetch == &fetch) {
        m_fetch = nullptr;
        setRunning(false);
    }
    return fetch.result();
}

void Inet::Stop()
{
    if (!m_fetch)
        return;
    Fetch *fetch = m_fetch;
    m_fetch = nullptr;
    fetch->stop();
    setRunning(false);
}

void Inet::setRunning(bool running)
{
    if (m_running == running)
        return;
    m_running = running;
    emit runningChanged(running);
}

#pragma once

#include "browser/fetch.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>

class QNetworkAccessManager;

// The transfer component that performs every page download of the program. A transfer is
// synchronous for its caller but not for the window: OpenURL waits in a local event loop, so
// the window repaints, the timer ticks and clicks are handled while the bytes arrive. Only one
// transfer runs at a time; StillExecuting() tells the others to keep away meanwhile.
//
// Addresses may be http://, https://, file:// or plain local paths (see urlOfAddress); the
// transfer itself keeps the rules of every Fetch.
class Inet : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 PageSizeLimit = 8 * 1024 * 1024;
    static constexpr qint64 PictureSizeLimit = 32 * 1024 * 1024;

    explicit Inet(QObject *parent = nullptr);
    ~Inet() override;

    // True while a transfer is running; a second one is not started meanwhile.
    bool StillExecuting() const { return m_running; }

    // Fetches every byte at the address, at most sizeLimit of them.
    TransferResult OpenURL(const QString &address, qint64 sizeLimit);

    // Ends the running transfer, if any; its OpenURL returns Stopped. The component is free at
    // once, even while that OpenURL still waits further down the call stack.
    void Stop();

    // How long a transfer may go without receiving a byte. 15 seconds unless changed.
    std::chrono::milliseconds idleTimeout() const { return m_idleTimeout; }
    void setIdleTimeout(std::chrono::milliseconds timeout) { m_idleTimeout = timeout; }

signals:
    // A transfer starts or ends; for anyone who shows activity.
    void runningChanged(bool running);

private:
    void setRunning(bool running);

    QNetworkAccessManager *m_network;
    QPointer<Fetch> m_fetch;
    bool m_running = false;
    std::chrono::milliseconds m_idleTimeout{15000};
};

#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

// What one transfer brought.
struct TransferResult
{
    enum class Status
    {
        Done,    // every byte arrived
        Busy,    // another transfer was running; nothing was fetched
        Failed,  // the address could not be fetched; reason says why
        Stopped, // Stop() ended the transfer before it was done
    };

    Status status = Status::Failed;
    QByteArray bytes;
    // Why the transfer failed, in words for the user ("not found (404)").
    QString reason;
    // The address the bytes came from, after redirects: the base of the page's own references.
    QString finalAddress;

    bool ok() const { return status == Status::Done; }
};

// The transfer component that performs every download of the program. A transfer is
// synchronous for its caller but not for the window: OpenURL waits in a local event loop, so
// the window repaints, the timer ticks and clicks are handled while the bytes arrive. Only one
// transfer runs at a time; StillExecuting() tells the others to keep away meanwhile.
//
// Addresses may be http://, https://, file:// or plain local paths (see urlOfAddress). Redirects
// are followed a few times, never from https to anything else. Every transfer ends as a failure
// when no byte arrives for the idle timeout or when it grows past its size limit.
class Inet : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 PageSizeLimit = 8 * 1024 * 1024;
    static constexpr qint64 PictureSizeLimit = 32 * 1024 * 1024;
    static constexpr int MaximumRedirects = 5;

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
    TransferResult readLocalFile(const QUrl &url, qint64 sizeLimit);
    TransferResult fetchFromNetwork(const QUrl &url, qint64 sizeLimit);
    void setRunning(bool running);

    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    bool m_running = false;
    std::chrono::milliseconds m_idleTimeout{15000};
};

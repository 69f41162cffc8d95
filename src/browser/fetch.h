#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
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
        Stopped, // the transfer was stopped before it was done
    };

    Status status = Status::Failed;
    QByteArray bytes;
    // Why the transfer failed, in words for the user ("not found (404)").
    QString reason;
    // The address the bytes came from, after redirects: the base of the page's own references.
    QString finalAddress;

    bool ok() const { return status == Status::Done; }
};

// A failed transfer that says why.
TransferResult transferFailure(const QString &reason);

// Reads a local file whole, at most sizeLimit bytes of it. Only an ordinary file has a whole
// content: directories, devices and pipes are refused.
TransferResult readLocalFile(const QUrl &url, qint64 sizeLimit);

// One download in the background, under the rules that every download of the program keeps:
// http, https and local files only (see urlOfAddress); redirects followed a few times, never from
// https to anything else; a failure when no byte arrives for the idle timeout or when the body
// grows past the size limit, checked as the bytes arrive. A local file is read before the
// constructor returns. Either way finished() tells the end, from the event loop; its receivers
// delete the fetch later, never inside it. A fetch destroyed before its end abandons its transfer
// silently.
class Fetch : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaximumRedirects = 5;

    Fetch(QNetworkAccessManager &network, const QString &address, qint64 sizeLimit,
          std::chrono::milliseconds idleTimeout, QObject *parent = nullptr);
    ~Fetch() override;

    bool isFinished() const { return m_finished; }
    // What the transfer brought; meaningful once it is finished.
    const TransferResult &result() const { return m_result; }

    // Ends a running transfer as Stopped; finished() is emitted before this returns.
    void stop();

signals:
    void finished();

private:
    void request(QNetworkAccessManager &network, const QUrl &url);
    void take();
    void refuse(const QString &reason);
    void replyFinished();
    void finish(const TransferResult &result, Qt::ConnectionType telling);

    QPointer<QNetworkReply> m_reply;
    QTimer m_idle;
    qint64 m_sizeLimit;
    QByteArray m_bytes;
    QString m_refusal;
    bool m_stopped = false;
    bool m_finished = false;
    TransferResult m_result;
};

#include "browser/fetch.h"

#include "browser/address.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

QString tooLarge(qint64 sizeLimit)
{
    const qint64 mebibyte = 1024 * 1024;
    if (sizeLimit >= mebibyte && sizeLimit % mebibyte == 0)
        return Fetch::tr("too large (more than %1 MiB)").arg(sizeLimit / mebibyte);
    return Fetch::tr("too large (more than %1 bytes)").arg(sizeLimit);
}

// The server's words for an error status, made safe to show: printable, short, lower case.
QString httpFailure(int status, const QByteArray &phrase)
{
    QString words;
    switch (status) {
    case 400:
        words = Fetch::tr("bad request");
        break;
    case 401:
        words = Fetch::tr("not authorised");
        break;
    case 403:
        words = Fetch::tr("forbidden");
        break;
    case 404:
        words = Fetch::tr("not found");
        break;
    case 410:
        words = Fetch::tr("gone");
        break;
    case 500:
        words = Fetch::tr("server error");
        break;
    case 502:
        words = Fetch::tr("bad gateway");
        break;
    case 503:
        words = Fetch::tr("service unavailable");
        break;
    default: {
        QString text = QString::fromLatin1(phrase);
        text.removeIf([](QChar c) { return !c.isPrint(); });
        words = text.simplified().left(60).toLower();
        if (words.isEmpty())
            words = status >= 300 && status < 400 ? Fetch::tr("unexpected answer")
                                                  : Fetch::tr("refused by the server");
    }
    }
    return QStringLiteral("%1 (%2)").arg(words).arg(status);
}

QString networkFailure(const QNetworkReply &reply)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
        return Fetch::tr("connection refused");
    case QNetworkReply::RemoteHostClosedError:
        return Fetch::tr("the server closed the connection");
    case QNetworkReply::HostNotFoundError:
        return Fetch::tr("host not found");
    case QNetworkReply::TimeoutError:
        return Fetch::tr("timed out");
    case QNetworkReply::OperationCanceledError:
        return Fetch::tr("stopped");
    case QNetworkReply::SslHandshakeFailedError:
        return Fetch::tr("secure connection failed");
    case QNetworkReply::TooManyRedirectsError:
        return Fetch::tr("too many redirects");
    case QNetworkReply::InsecureRedirectError:
        return Fetch::tr("redirect to an insecure address refused");
    case QNetworkReply::ProtocolUnknownError:
        // A redirect to anything but http or https ends the transfer this way.
        if (status >= 300 && status < 400)
            return Fetch::tr("redirect to a non-web address refused");
        return Fetch::tr("unsupported address");
    default:
        break;
    }
    if (status >= 300)
        return httpFailure(
            status, reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray());
    if (reply.error() == QNetworkReply::NoError)
        return Fetch::tr("unexpected answer (%1)").arg(status);
    return reply.errorString();
}

} // namespace

TransferResult transferFailure(const QString &reason)
{
    TransferResult result;
    result.status = TransferResult::Status::Failed;
    result.reason = reason;
    return result;
}

TransferResult readLocalFile(const QUrl &url, qint64 sizeLimit)
{
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (!info.exists())
        return transferFailure(Fetch::tr("no such file"));
    if (!info.isFile())
        return transferFailure(Fetch::tr("not a file"));
    if (info.size() > sizeLimit)
        return transferFailure(tooLarge(sizeLimit));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return transferFailure(Fetch::tr("cannot be read (%1)").arg(file.errorString()));
    TransferResult result;
    result.bytes = file.read(sizeLimit + 1);
    if (file.error() != QFileDevice::NoError)
        return transferFailure(Fetch::tr("cannot be read (%1)").arg(file.errorString()));
    if (result.bytes.size() > sizeLimit)
        return transferFailure(tooLarge(sizeLimit));
    result.status = TransferResult::Status::Done;
    result.finalAddress = info.absoluteFilePath();
    return result;
}

Fetch::Fetch(QNetworkAccessManager &network, const QString &address, qint64 sizeLimit,
             std::chrono::milliseconds idleTimeout, QObject *parent)
    : QObject(parent), m_sizeLimit(sizeLimit)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleTimeout);
    connect(&m_idle, &QTimer::timeout, this, [this] { refuse(tr("timed out")); });

    const std::optional<QUrl> url = urlOfAddress(address);
    // What is known at once is told from the event loop, when the creator has connected to it.
    if (!url) {
        finish(transferFailure(tr("unsupported address")), Qt::QueuedConnection);
    } else if (url->isLocalFile()) {
        finish(readLocalFile(*url, sizeLimit), Qt::QueuedConnection);
    } else {
        request(network, *url);
    }
}

Fetch::~Fetch()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void Fetch::stop()
{
    if (m_finished || !m_reply)
        return;
    m_stopped = true;
    m_reply->abort();
}

void Fetch::request(QNetworkAccessManager &network, const QUrl &url)
{
    QNetworkRequest request(url);
    // Redirects to http or https only, and never from https to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaximumRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Quorvane/%1").arg(QStringLiteral(QUORVANE_VERSION)));

    QNetworkReply *reply = network.get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        m_idle.start();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_sizeLimit)
            refuse(tooLarge(m_sizeLimit));
    });
    connect(reply, &QNetworkReply::readyRead, this, [this] {
        m_idle.start();
        take();
    });
    connect(reply, &QNetworkReply::redirected, this, [this] {
        m_idle.start();
        m_bytes.clear();
    });
    connect(reply, &QNetworkReply::finished, this, &Fetch::replyFinished);
    m_idle.start();
}

void Fetch::take()
{
    if (!m_reply)
        return;
    m_bytes += m_reply->readAll();
    if (m_bytes.size() > m_sizeLimit)
        refuse(tooLarge(m_sizeLimit));
}

void Fetch::refuse(const QString &reason)
{
    if (m_refusal.isEmpty())
        m_refusal = reason;
    if (m_reply)
        m_reply->abort();
}

void Fetch::replyFinished()
{
    m_idle.stop();
    QNetworkReply *reply = m_reply;
    if (!reply || m_finished)
        return;
    if (m_stopped) {
        TransferResult stopped;
        stopped.status = TransferResult::Status::Stopped;
        stopped.reason = tr("stopped");
        finish(stopped, Qt::DirectConnection);
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_refusal.isEmpty() && reply->error() == QNetworkReply::NoError && status >= 200 &&
        status < 300)
        take();
    if (!m_refusal.isEmpty()) {
        finish(transferFailure(m_refusal), Qt::DirectConnection);
    } else if (reply->error() != QNetworkReply::NoError || status < 200 || status >= 300) {
        finish(transferFailure(networkFailure(*reply)), Qt::DirectConnection);
    } else {
        TransferResult done;
        done.status = TransferResult::Status::Done;
        done.bytes = std::exchange(m_bytes, QByteArray());
        done.finalAddress = reply->url().toString();
        finish(done, Qt::DirectConnection);
    }
}

void Fetch::finish(const TransferResult &result, Qt::ConnectionType telling)
{
    m_result = result;
    m_finished = true;
    m_bytes.clear();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    QMetaObject::invokeMethod(this, &Fetch::finished, telling);
}

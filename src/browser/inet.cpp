#include "browser/inet.h"

#include "browser/address.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

const char StoppedProperty[] = "quorvaneStopped";

QString tooLarge(qint64 sizeLimit)
{
    const qint64 mebibyte = 1024 * 1024;
    if (sizeLimit >= mebibyte && sizeLimit % mebibyte == 0)
        return Inet::tr("too large (more than %1 MiB)").arg(sizeLimit / mebibyte);
    return Inet::tr("too large (more than %1 bytes)").arg(sizeLimit);
}

// The server's words for an error status, made safe to show: printable, short, lower case.
QString httpFailure(int status, const QByteArray &phrase)
{
    QString words;
    switch (status) {
    case 400:
        words = Inet::tr("bad request");
        break;
    case 401:
        words = Inet::tr("not authorised");
        break;
    case 403:
        words = Inet::tr("forbidden");
        break;
    case 404:
        words = Inet::tr("not found");
        break;
    case 410:
        words = Inet::tr("gone");
        break;
    case 500:
        words = Inet::tr("server error");
        break;
    case 502:
        words = Inet::tr("bad gateway");
        break;
    case 503:
        words = Inet::tr("service unavailable");
        break;
    default: {
        QString text = QString::fromLatin1(phrase);
        text.removeIf([](QChar c) { return !c.isPrint(); });
        words = text.simplified().left(60).toLower();
        if (words.isEmpty())
            words = status >= 300 && status < 400 ? Inet::tr("unexpected answer")
                                                  : Inet::tr("refused by the server");
    }
    }
    return QStringLiteral("%1 (%2)").arg(words).arg(status);
}

QString networkFailure(const QNetworkReply &reply)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
        return Inet::tr("connection refused");
    case QNetworkReply::RemoteHostClosedError:
        return Inet::tr("the server closed the connection");
    case QNetworkReply::HostNotFoundError:
        return Inet::tr("host not found");
    case QNetworkReply::TimeoutError:
        return Inet::tr("timed out");
    case QNetworkReply::OperationCanceledError:
        return Inet::tr("stopped");
    case QNetworkReply::SslHandshakeFailedError:
        return Inet::tr("secure connection failed");
    case QNetworkReply::TooManyRedirectsError:
        return Inet::tr("too many redirects");
    case QNetworkReply::InsecureRedirectError:
        return Inet::tr("redirect to an insecure address refused");
    case QNetworkReply::ProtocolUnknownError:
        // A redirect to anything but http or https ends the transfer this way.
        if (status >= 300 && status < 400)
            return Inet::tr("redirect to a non-web address refused");
        return Inet::tr("unsupported address");
    default:
        break;
    }
    if (status >= 300)
        return httpFailure(
            status, reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray());
    if (reply.error() == QNetworkReply::NoError)
        return Inet::tr("unexpected answer (%1)").arg(status);
    return reply.errorString();
}

TransferResult failure(const QString &reason)
{
    TransferResult result;
    result.status = TransferResult::Status::Failed;
    result.reason = reason;
    return result;
}

} // namespace

Inet::Inet(QObject *parent) : QObject(parent), m_network(new QNetworkAccessManager(this)) {}

Inet::~Inet()
{
    if (m_reply)
        m_reply->abort();
}

TransferResult Inet::OpenURL(const QString &address, qint64 sizeLimit)
{
    if (m_running) {
        TransferResult result;
        result.status = TransferResult::Status::Busy;
        result.reason = tr("another transfer is still running");
        return result;
    }
    const std::optional<QUrl> url = urlOfAddress(address);
    if (!url)
        return failure(tr("unsupported address"));
    if (url->isLocalFile())
        return readLocalFile(*url, sizeLimit);
    return fetchFromNetwork(*url, sizeLimit);
}

void Inet::Stop()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->setProperty(StoppedProperty, true);
    reply->abort();
    setRunning(false);
}

void Inet::setRunning(bool running)
{
    if (m_running == running)
        return;
    m_running = running;
    emit runningChanged(running);
}

TransferResult Inet::readLocalFile(const QUrl &url, qint64 sizeLimit)
{
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (!info.exists())
        return failure(tr("no such file"));
    // Directories, devices and pipes are refused: only an ordinary file has a whole content.
    if (!info.isFile())
        return failure(tr("not a file"));
    if (info.size() > sizeLimit)
        return failure(tooLarge(sizeLimit));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(tr("cannot be read (%1)").arg(file.errorString()));
    TransferResult result;
    result.bytes = file.read(sizeLimit + 1);
    if (file.error() != QFileDevice::NoError)
        return failure(tr("cannot be read (%1)").arg(file.errorString()));
    if (result.bytes.size() > sizeLimit)
        return failure(tooLarge(sizeLimit));
    result.status = TransferResult::Status::Done;
    result.finalAddress = info.absoluteFilePath();
    return result;
}

TransferResult Inet::fetchFromNetwork(const QUrl &url, qint64 sizeLimit)
{
    QNetworkRequest request(url);
    // Redirects to http or https only, and never from https to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaximumRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Quorvane/%1").arg(QStringLiteral(QUORVANE_VERSION)));

    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;
    setRunning(true);

    // Every connection below is tied to the loop, which lives exactly as long as this call.
    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(m_idleTimeout);
    QByteArray bytes;
    QString refusal;

    auto refuse = [&](const QString &reason) {
        if (refusal.isEmpty())
            refusal = reason;
        reply->abort();
    };
    auto take = [&] {
        bytes += reply->readAll();
        if (bytes.size() > sizeLimit)
            refuse(tooLarge(sizeLimit));
    };
    connect(&idle, &QTimer::timeout, &loop, [&] { refuse(tr("timed out")); });
    connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        idle.start();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > sizeLimit)
            refuse(tooLarge(sizeLimit));
    });
    connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        idle.start();
        take();
    });
    connect(reply, &QNetworkReply::redirected, &loop, [&] {
        idle.start();
        bytes.clear();
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    idle.start();
    if (!reply->isFinished())
        loop.exec();
    idle.stop();

    // The application may end every event loop while the transfer still runs.
    const bool unfinished = !reply->isFinished();
    if (unfinished)
        reply->abort();
    const bool stopped = reply->property(StoppedProperty).toBool() || unfinished;
    if (m_reply == reply) {
        m_reply = nullptr;
        setRunning(false);
    }
    reply->deleteLater();

    TransferResult result;
    if (stopped) {
        result.status = TransferResult::Status::Stopped;
        result.reason = tr("stopped");
        return result;
    }
    if (!refusal.isEmpty())
        return failure(refusal);
    if (reply->error() != QNetworkReply::NoError)
        return failure(networkFailure(*reply));
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status >= 300)
        return failure(networkFailure(*reply));
    take();
    if (!refusal.isEmpty())
        return failure(refusal);
    result.status = TransferResult::Status::Done;
    result.bytes = bytes;
    result.finalAddress = reply->url().toString();
    return result;
}

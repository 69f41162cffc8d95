#include "support/http_server.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

namespace {

constexpr qsizetype MaximumRequestSize = 64 * 1024;
constexpr qsizetype EndlessChunkSize = 64 * 1024;
constexpr qint64 EndlessBacklog = 4 * EndlessChunkSize;

QByteArray headerBlock(const HttpServer::Answer &answer, std::optional<qint64> length)
{
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + answer.reason + "\r\n";
    head += "Content-Type: " + answer.contentType + "\r\n";
    if (length)
        head += "Content-Length: " + QByteArray::number(*length) + "\r\n";
    for (const auto &[name, value] : answer.headers)
        head += name + ": " + value + "\r\n";
    head += "Connection: close\r\n\r\n";
    return head;
}

// Makes the kernel answer the next close with a reset instead of an orderly end.
void resetOnClose(QTcpSocket *socket)
{
#ifdef Q_OS_UNIX
    const linger immediately{1, 0};
    ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &immediately,
                 sizeof immediately);
#endif
    socket->abort();
}

} // namespace

HttpServer::Answer HttpServer::Answer::content(const QByteArray &body,
                                               const QByteArray &contentType)
{
    Answer answer;
    answer.body = body;
    answer.contentType = contentType;
    return answer;
}

HttpServer::Answer HttpServer::Answer::error(int status, const QByteArray &reason)
{
    Answer answer;
    answer.status = status;
    answer.reason = reason;
    answer.contentType = "text/html";
    answer.body =
        "<html><body><h1>" + QByteArray::number(status) + ' ' + reason + "</h1></body></html>\n";
    return answer;
}

HttpServer::Answer HttpServer::Answer::redirect(const QByteArray &location, int status)
{
    Answer answer = error(status, "Found");
    answer.headers.append({"Location", location});
    return answer;
}

HttpServer::Answer HttpServer::Answer::slow(const QByteArray &body,
                                            std::chrono::milliseconds interval, qsizetype chunkSize)
{
    Answer answer;
    answer.body = body;
    answer.delivery = Delivery::Slow;
    answer.chunkInterval = interval;
    answer.chunkSize = qMax<qsizetype>(1, chunkSize);
    return answer;
}

HttpServer::Answer HttpServer::Answer::delayed(const QByteArray &body,
                                               std::chrono::milliseconds delay)
{
    Answer answer;
    answer.body = body;
    answer.delivery = Delivery::Delayed;
    answer.delay = delay;
    return answer;
}

HttpServer::Answer HttpServer::Answer::stalled(const QByteArray &firstBytes)
{
    Answer answer;
    answer.body = firstBytes;
    answer.delivery = Delivery::Stall;
    return answer;
}

HttpServer::Answer HttpServer::Answer::endless()
{
    Answer answer;
    answer.delivery = Delivery::Endless;
    return answer;
}

HttpServer::Answer HttpServer::Answer::reset()
{
    Answer answer;
    answer.delivery = Delivery::Reset;
    return answer;
}

HttpServer::Answer HttpServer::Answer::silent()
{
    Answer answer;
    answer.delivery = Delivery::Silent;
    return answer;
}

HttpServer::HttpServer(QObject *parent) : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &HttpServer::accept);
}

HttpServer::~HttpServer() = default;

bool HttpServer::listen(quint16 port)
{
    return m_server->listen(QHostAddress::LocalHost, port);
}

quint16 HttpServer::port() const
{
    return m_server->serverPort();
}

QString HttpServer::errorString() const
{
    return m_server->errorString();
}

QString HttpServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

void HttpServer::setRoot(const QString &directory)
{
    m_root = QDir(directory).absolutePath();
}

void HttpServer::setAnswer(const QString &target, const Answer &answer)
{
    m_answers.insert(target, answer);
}

void HttpServer::removeAnswer(const QString &target)
{
    m_answers.remove(target);
}

QByteArray HttpServer::contentTypeOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("qvif") || suffix == QLatin1String("txt"))
        return "text/plain";
    if (suffix == QLatin1String("png"))
        return "image/png";
    if (suffix == QLatin1String("bmp"))
        return "image/bmp";
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "image/jpeg";
    if (suffix == QLatin1String("gif"))
        return "image/gif";
    if (suffix == QLatin1String("webp"))
        return "image/webp";
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff"))
        return "image/tiff";
    if (suffix == QLatin1String("svg"))
        return "image/svg+xml";
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return "text/html";
    return "application/octet-stream";
}

void HttpServer::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
    }
}

void HttpServer::readRequest(QTcpSocket *socket)
{
    if (socket->property("answered").toBool()) {
        socket->readAll();
        return;
    }
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    const qsizetype end = request.indexOf("\r\n\r\n");
    if (end < 0) {
        if (request.size() > MaximumRequestSize)
            socket->abort();
        else
            socket->setProperty("request", request);
        return;
    }
    socket->setProperty("answered", true);
    socket->setProperty("request", QVariant());

    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    if (requestLine.size() != 3) {
        send(socket, Answer::error(400, "Bad Request"), false);
        return;
    }
    const QByteArray method = requestLine.at(0);
    const QString target = QString::fromLatin1(requestLine.at(1));
    m_requests.append(target);
    if (m_logging)
        QTextStream(stdout) << method << ' ' << target << Qt::endl;
    send(socket, answerFor(method, target), method == "HEAD");
    // Told from the event loop, not from inside the socket's signal: a listener may run whole
    // transfers of its own meanwhile, and this socket may be gone when it returns.
    QMetaObject::invokeMethod(
        this, [this, target] { emit requestReceived(target); }, Qt::QueuedConnection);
}

HttpServer::Answer HttpServer::answerFor(const QByteArray &method, const QString &target) const
{
    if (const auto scripted = m_answers.constFind(target); scripted != m_answers.constEnd())
        return *scripted;
    if (method != "GET" && method != "HEAD")
        return Answer::error(405, "Method Not Allowed");
    if (m_root.isEmpty())
        return Answer::error(404, "Not Found");

    // A cleaned absolute path cannot climb above "/", so the file stays inside the root.
    const QString path =
        QUrl::fromPercentEncoding(target.section(QLatin1Char('?'), 0, 0).toLatin1());
    const QString inside = QDir::cleanPath(QLatin1Char('/') + path);
    const QFileInfo file(m_root + inside);
    if (!file.isFile())
        return Answer::error(404, "Not Found");
    QFile content(file.filePath());
    if (!content.open(QIODevice::ReadOnly))
        return Answer::error(403, "Forbidden");
    return Answer::content(content.readAll(), contentTypeOf(file.fileName()));
}

void HttpServer::send(QTcpSocket *socket, const Answer &answer, bool headOnly)
{
    using Delivery = Answer::Delivery;
    switch (answer.delivery) {
    case Delivery::Reset:
        resetOnClose(socket);
        return;
    case Delivery::Silent:
        return;
    case Delivery::Whole:
        socket->write(headerBlock(answer, answer.declaredLength.value_or(answer.body.size())));
        if (!headOnly)
            socket->write(answer.body);
        socket->disconnectFromHost();
        return;
    case Delivery::Delayed: {
        // Each connection waits on its own, so that answers to requests sent together overlap.
        Answer whole = answer;
        whole.delivery = Delivery::Whole;
        QTimer::singleShot(answer.delay, socket,
                           [this, socket, whole, headOnly] { send(socket, whole, headOnly); });
        return;
    }
    case Delivery::Stall:
        // Twice the length that is sent, so the client keeps waiting for the rest.
        socket->write(
            headerBlock(answer, answer.declaredLength.value_or(2 * answer.body.size() + 1)));
        socket->write(answer.body);
        return;
    case Delivery::Endless: {
        socket->write(headerBlock(answer, std::nullopt));
        const QByteArray chunk(EndlessChunkSize, 'x');
        auto more = [socket, chunk] {
            while (socket->state() == QAbstractSocket::ConnectedState &&
                   socket->bytesToWrite() < EndlessBacklog)
                socket->write(chunk);
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, more);
        more();
        return;
    }
    case Delivery::Slow: {
        socket->write(headerBlock(answer, answer.body.size()));
        auto *timer = new QTimer(socket);
        timer->setInterval(answer.chunkInterval);
        auto sent = std::make_shared<qsizetype>(0);
        connect(timer, &QTimer::timeout, socket, [socket, timer, sent, answer] {
            socket->write(answer.body.mid(*sent, answer.chunkSize));
            *sent += answer.chunkSize;
            if (*sent >= answer.body.size()) {
                timer->stop();
                socket->disconnectFromHost();
            }
        });
        if (headOnly || answer.body.isEmpty())
            socket->disconnectFromHost();
        else
            timer->start();
        return;
    }
    }
}

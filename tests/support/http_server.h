#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>
#include <utility>

class QTcpServer;
class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1. It serves the files of a directory and, for the paths
// it is told about, scripted answers: any status, redirects, late, slow or stalled bodies, bodies
// that never end, a reset connection or no answer at all. Every connection carries one request and
// is closed after its answer. The tests and the demo server use it.
class HttpServer : public QObject
{
    Q_OBJECT
public:
    struct Answer
    {
        enum class Delivery
        {
            Whole,   // headers and body at once
            Delayed, // headers and body at once, after the delay
            Slow,    // the body in chunks, one chunk per interval
            Stall,   // the headers promise more than is sent; the rest never comes
            Endless, // a body without length that goes on until the client leaves
            Reset,   // the connection is reset instead of answered
            Silent,  // the request is read and never answered
        };

        int status = 200;
        QByteArray reason = "OK";
        QByteArray contentType = "application/octet-stream";
        QByteArray body;
        QList<std::pair<QByteArray, QByteArray>> headers;
        Delivery delivery = Delivery::Whole;
        qsizetype chunkSize = 64;
        std::chrono::milliseconds chunkInterval{20};
        // How long a delayed answer waits before it is sent.
        std::chrono::milliseconds delay{0};
        // The Content-Length sent, when it should differ from the body's true length.
        std::optional<qint64> declaredLength;

        static Answer content(const QByteArray &body, const QByteArray &contentType);
        static Answer error(int status, const QByteArray &reason);
        static Answer redirect(const QByteArray &location, int status = 302);
        static Answer slow(const QByteArray &body, std::chrono::milliseconds interval,
                           qsizetype chunkSize = 64);
        static Answer delayed(const QByteArray &body, std::chrono::milliseconds delay);
        static Answer stalled(const QByteArray &firstBytes);
        static Answer endless();
        static Answer reset();
        static Answer silent();
    };

    explicit HttpServer(QObject *parent = nullptr);
    ~HttpServer() override;

    // Listens on 127.0.0.1; port 0 picks a free one.
    bool listen(quint16 port = 0);
    quint16 port() const;
    QString errorString() const;
    // "http://127.0.0.1:<port>" followed by the path.
    QString url(const QString &path) const;

    // Files are served from this directory; paths cannot leave it.
    void setRoot(const QString &directory);
    // The answer for a request target (path and query, as sent), in place of any file.
    void setAnswer(const QString &target, const Answer &answer);
    void removeAnswer(const QString &target);

    // The request targets received so far, in order.
    QStringList requests() const { return m_requests; }
    int requestCount(const QString &target) const { return int(m_requests.count(target)); }

    // Prints one line per request on standard output.
    void setLogging(bool logging) { m_logging = logging; }

    static QByteArray contentTypeOf(const QString &fileName);

signals:
    void requestReceived(const QString &target);

private:
    void accept();
    void readRequest(QTcpSocket *socket);
    Answer answerFor(const QByteArray &method, const QString &target) const;
    void send(QTcpSocket *socket, const Answer &answer, bool headOnly);

    QTcpServer *m_server;
    QString m_root;
    QHash<QString, Answer> m_answers;
    QStringList m_requests;
    bool m_logging = false;
};

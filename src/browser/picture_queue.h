#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <chrono>
#include <optional>

class Fetch;
class QListWidget;
class QNetworkAccessManager;
class QWidget;

// The pictures waiting to be shown, oldest first. Each request names a picture reference, as the
// page or the user gave it, and its target: a picture slot in decimal or the canvas background.
// The queue keeps the two hidden list boxes lstPics and lstPicsNum row for row with its requests,
// so that they always show what is waiting; only the queue changes them.
//
// The oldest requests are downloaded ahead, in the background, up to six at a time as web
// browsers do, each resolved against the page it was queued for. The window's timer takes the
// head once its download has ended, so pictures still appear one per tick in queue order, however
// long each answer takes; a slow head holds back the pictures behind it. The queue has its own
// network access manager, so a page download never waits behind the pictures for a connection.
class PictureQueue : public QObject
{
    Q_OBJECT
public:
    // The target that stands for the canvas's own background picture.
    static inline const QString BackgroundTarget = QStringLiteral("WORK");
    static constexpr int ParallelDownloads = 6;
    // A request whose download has failed this often is given up, so that the ones behind it go
    // on.
    static constexpr int TriesBeforeGivingUp = 3;

    enum class State
    {
        Waiting,     // not fetched yet, or to be tried again
        Downloading, // its fetch runs
        Arrived,     // bytes holds the whole picture file
        Refused,     // the page may not lead to the address; failure says why
        GivenUp,     // failed TriesBeforeGivingUp times; failure says why the last try did
    };

    struct Request
    {
        quint64 id = 0;
        QString reference;
        QString target;
        // The page that asked for it, against which a relative reference is resolved.
        QString pageAddress;
        int failedTries = 0;
        State state = State::Waiting;
        // The reference resolved against the page address, set when its download starts.
        QString address;
        QByteArray bytes;
        QString failure;
    };

    // Makes lstPics and lstPicsNum as hidden children of the list parent.
    explicit PictureQueue(QWidget *listParent);
    ~PictureQueue() override;

    QListWidget *references() const { return m_references; }
    QListWidget *targets() const { return m_targets; }

    // Appends a request and starts its download when it is among the oldest; an empty reference
    // is never queued.
    void append(const QString &reference, const QString &target, const QString &pageAddress);

    bool isEmpty() const { return m_requests.isEmpty(); }
    qsizetype size() const { return m_requests.size(); }
    const Request &at(qsizetype row) const { return m_requests.at(row); }
    const Request &head() const { return m_requests.constFirst(); }
    // Whether the head's download has ended: arrived, refused or given up.
    bool headIsDone() const;
    // Removes the head and gives it, once its download has ended.
    std::optional<Request> takeDoneHead();
    // Drops every request and abandons their downloads: the page they were queued for is gone.
    void clear();

    // Of the requests queued since the queue was last empty, how many have been taken.
    int takenCount() const { return m_batchSize - int(m_requests.size()); }
    int batchSize() const { return m_batchSize; }

    // How long a picture download may go without receiving a byte. 15 seconds unless changed.
    std::chrono::milliseconds idleTimeout() const { return m_idleTimeout; }
    void setIdleTimeout(std::chrono::milliseconds timeout) { m_idleTimeout = timeout; }

signals:
    // A request was queued or taken, or every request dropped.
    void changed();

private:
    void startDownloads();
    void startDownload(Request &request);
    void downloadEnded(quint64 id);
    void removeHead();

    QListWidget *m_references;
    QListWidget *m_targets;
    QNetworkAccessManager *m_network;
    QList<Request> m_requests;
    QHash<quint64, Fetch *> m_fetches;
    quint64 m_lastId = 0;
    int m_batchSize = 0;
    std::chrono::milliseconds m_idleTimeout{15000};
};

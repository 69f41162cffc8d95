#pragma once

#include <QList>
#include <QString>

class QListWidget;
class QWidget;

// The pictures waiting to be shown, oldest first. Each request names a picture reference, as the
// page or the user gave it, and its target: a picture slot in decimal or the canvas background.
// The queue keeps the two hidden list boxes lstPics and lstPicsNum row for row with its requests,
// so that they always show what is waiting; only the queue changes them.
class PictureQueue
{
public:
    // The target that stands for the canvas's own background picture.
    static inline const QString BackgroundTarget = QStringLiteral("WORK");

    struct Request
    {
        quint64 id = 0;
        QString reference;
        QString target;
        // The page that asked for it, against which a relative reference is resolved.
        QString pageAddress;
        int failedTries = 0;
    };

    // Makes lstPics and lstPicsNum as hidden children of the parent.
    explicit PictureQueue(QWidget *parent);

    QListWidget *references() const { return m_references; }
    QListWidget *targets() const { return m_targets; }

    // Appends a request; an empty reference is never queued.
    void append(const QString &reference, const QString &target, const QString &pageAddress);

    bool isEmpty() const { return m_requests.isEmpty(); }
    qsizetype size() const { return m_requests.size(); }
    const Request &head() const { return m_requests.constFirst(); }
    // Whether the request is still the oldest one: it may have been dropped while its picture
    // arrived.
    bool isHead(quint64 id) const { return !isEmpty() && head().id == id; }
    // Counts a failed download of the head and gives its tries so far.
    int countFailedTry();
    void removeHead();
    // Drops every request: the page they were queued for is gone.
    void clear();

private:
    QListWidget *m_references;
    QListWidget *m_targets;
    QList<Request> m_requests;
    quint64 m_lastId = 0;
};

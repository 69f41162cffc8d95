#include "browser/picture_queue.h"

#include <QListWidget>

namespace {

QListWidget *makeHiddenList(QWidget *parent, const char *name)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->hide();
    return list;
}

} // namespace

PictureQueue::PictureQueue(QWidget *parent)
    : m_references(makeHiddenList(parent, "lstPics")),
      m_targets(makeHiddenList(parent, "lstPicsNum"))
{}

void PictureQueue::append(const QString &reference, const QString &target,
                          const QString &pageAddress)
{
    if (reference.isEmpty())
        return;
    m_requests.append({++m_lastId, reference, target, pageAddress, 0});
    m_references->addItem(reference);
    m_targets->addItem(target);
}

int PictureQueue::countFailedTry()
{
    return ++m_requests.first().failedTries;
}

void PictureQueue::removeHead()
{
    if (isEmpty())
        return;
    m_requests.removeFirst();
    delete m_references->takeItem(0);
    delete m_targets->takeItem(0);
}

void PictureQueue::clear()
{
    m_requests.clear();
    m_references->clear();
    m_targets->clear();
}

#include "browser/picture_queue.h"

#include "browser/address.h"
#include "browser/module1.h"

#include <QListWidget>
#include <QNetworkAccessManager>

namespace {

QListWidget *makeHiddenList(QWidget *parent, const char *name)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->hide();
    return list;
}

} // namespace

PictureQueue::PictureQueue(QWidget *listParent)
    : m_references(makeHiddenList(listParent, "lstPics")),
      m_targets(makeHiddenList(listParent, "lstPicsNum")),
      m_network(new QNetworkAccessManager(this))
{}

PictureQueue::~PictureQueue() = default;

void PictureQueue::append(const QString &reference, const QString &target,
                          const QString &pageAddress)
{
    if (reference.isEmpty())
        return;
    Request request;
    request.id = ++m_lastId;
    request.reference = reference;
    request.target = target;
    request.pageAddress = pageAddress;
    m_requests.append(request);
    m_references->addItem(reference);
    m_targets->addItem(target);
    ++m_batchSize;
    startDownloads();
    emit changed();
}

bool PictureQueue::headIsDone() const
{
    if (isEmpty())
        return false;
    const State state = head().state;
    return state == State::Arrived || state == State::Refused || state == State::GivenUp;
}

std::optional<PictureQueue::Request> PictureQueue::takeDoneHead()
{
    if (!headIsDone())
        return std::nullopt;
    Request taken = m_requests.constFirst();
    removeHead();
    startDownloads();
    emit changed();
    return taken;
}

void PictureQueue::clear()
{
    // The fetches end silently: none of them belongs to a request any more.
    for (Fetch *fetch : std::as_const(m_fetches)) {
        fetch->disconnect(this);
        fetch->stop();
        fetch->deleteLater();
    }
    m_fetches.clear();
    m_requests.clear();
    m_references->clear();
    m_targets->clear();
    m_batchSize = 0;
    emit changed();
}

void PictureQueue::startDownloads()
{
    const qsizetype ahead = qMin<qsizetype>(m_requests.size(), ParallelDownloads);
    for (qsizetype row = 0; row < ahead; ++row) {
        if (m_requests[row].state == State::Waiting)
            startDownload(m_requests[row]);
    }
}

void PictureQueue::startDownload(Request &request)
{
    request.address = resolveReference(request.reference, request.pageAddress);
    if (const QString refusal = refusalOf(request.address, request.pageAddress);
        !refusal.isEmpty()) {
        request.state = State::Refused;
        request.failure = refusal;
        return;
    }
    request.state = State::Downloading;
    Fetch *fetch = DownloadPicture(*m_network, request.address, m_idleTimeout, this);
    m_fetches.insert(request.id, fetch);
    const quint64 id = request.id;
    connect(fetch, &Fetch::finished, this, [this, id] { downloadEnded(id); });
}

void PictureQueue::downloadEnded(quint64 id)
{
    Fetch *fetch = m_fetches.take(id);
    if (!fetch)
        return;
    fetch->deleteLater();
    const auto request = std::find_if(m_requests.begin(), m_requests.end(),
                                      [id](const Request &each) { return each.id == id; });
    if (request == m_requests.end())
        return;
    const TransferResult &result = fetch->result();
    if (result.ok()) {
        request->state = State::Arrived;
        request->bytes = result.bytes;
    } else if (++request->failedTries >= TriesBeforeGivingUp) {
        request->state = State::GivenUp;
        request->failure = result.reason;
    } else {
        request->state = State::Waiting;
    }
    startDownloads();
}

void PictureQueue::removeHead()
{
    m_requests.removeFirst();
    delete m_references->takeItem(0);
    delete m_targets->takeItem(0);
    if (m_requests.isEmpty())
        m_batchSize = 0;
}

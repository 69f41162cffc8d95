#include "app/canvas.h"
#include "app/main_window.h"
#include "browser/address.h"
#include "browser/module1.h"
#include "browser/picture_queue.h"
#include "page/value_forms.h"

#include <QFile>
#include <QImageReader>

namespace {

// A request whose download has failed this often is given up, so that the ones behind it go on.
constexpr int TriesBeforeGivingUp = 3;

// No picture may make the decoder allocate more than this, whatever its header claims.
constexpr int DecoderAllocationLimitMiB = 128;

// Pictures are recognised by their content: the temporary file has one name for every format.
QImage readPicture(const QString &path)
{
    QImageReader::setAllocationLimit(DecoderAllocationLimitMiB);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace

// One tick: fetch the oldest picture request and show it in its target. A failed download leaves
// the request at the head for the next tick, until it has failed three times.
void Form1::Timer1_Timer()
{
    shp->raise();
    // A tick that comes while the picture of an earlier one still arrives leaves it alone.
    if (m_pictureInFlight)
        return;
    const QString picturePath = temporaryPictureFile();

    if (!m_pictureQueue->isEmpty()) {
        const PictureQueue::Request head = m_pictureQueue->head();
        const QString reference = resolveReference(head.reference, head.pageAddress);
        if (const QString refusal = refusalOf(reference, head.pageAddress); !refusal.isEmpty()) {
            m_pictureQueue->removeHead();
            showStatus(tr("Refused %1: %2").arg(reference, refusal));
            return;
        }
        m_pictureInFlight = true;
        const TransferResult result = DownloadPicture(transfer(), reference, programDirectory());
        m_pictureInFlight = false;
        // Other handlers ran while the picture arrived: its page may have been cleared, and its
        // request dropped with it. Such a picture is shown nowhere.
        if (!m_pictureQueue->isHead(head.id)) {
            if (result.ok())
                QFile::remove(picturePath);
            return;
        }
        if (result.status == TransferResult::Status::Failed &&
            m_pictureQueue->countFailedTry() >= TriesBeforeGivingUp) {
            m_pictureQueue->removeHead();
            showStatus(tr("Could not load %1: %2").arg(reference, result.reason));
        }
    }

    if (!FileExists(picturePath))
        return;

    if (!m_pictureQueue->isEmpty()) {
        const QString target = m_pictureQueue->head().target;
        const QImage image = readPicture(picturePath);
        if (!image.isNull()) {
            if (target == PictureQueue::BackgroundTarget) {
                WorkSpace->setPicture(image);
            } else if (const std::optional<qint16> slot = ValueForms::readWholeNumber(target)) {
                if (ElementPicture *element = picture(*slot))
                    element->setImage(image);
            }
        }
    }
    m_pictureQueue->removeHead();
    QFile::remove(picturePath);
}

void Form1::dropPictureRequests()
{
    m_pictureQueue->clear();
    if (m_pictureInFlight)
        transfer().Stop();
}

#include "app/canvas.h"
#include "app/main_window.h"
#include "browser/picture_queue.h"
#include "page/value_forms.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// No picture may make the decoder allocate more than this, whatever its header claims.
constexpr int DecoderAllocationLimitMiB = 128;

// Pictures are recognised by their content, whatever their address ends in. A picture whose
// header asks for more pixels than the limit allows is refused before it is decoded: not every
// decoder keeps to the allocation limit (a drawing is rendered at the size it names).
QImage readPicture(const QByteArray &bytes)
{
    QImageReader::setAllocationLimit(DecoderAllocationLimitMiB);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    constexpr qint64 BytesPerPixel = 4;
    if (size.isValid() && qint64(size.width()) * size.height() * BytesPerPixel >
                              qint64(DecoderAllocationLimitMiB) * 1024 * 1024)
        return {};
    return reader.read();
}

} // namespace

// One tick: show the oldest picture request in its target once its download has ended. At most
// one request is taken per tick; the ones behind it were downloaded ahead and wait their turn.
void Form1::Timer1_Timer()
{
    shp->raise();
    const std::optional<PictureQueue::Request> head = m_pictureQueue->takeDoneHead();
    if (!head)
        return;
    if (head->state == PictureQueue::State::Refused) {
        showStatus(tr("Refused %1: %2").arg(head->address, head->failure));
        return;
    }
    if (head->state == PictureQueue::State::GivenUp) {
        showStatus(tr("Could not load %1: %2").arg(head->address, head->failure));
        return;
    }
    const QImage image = readPicture(head->bytes);
    if (image.isNull())
        return;
    if (head->target == PictureQueue::BackgroundTarget) {
        WorkSpace->setPicture(image);
    } else if (const std::optional<qint16> slot = ValueForms::readWholeNumber(head->target)) {
        if (ElementPicture *element = picture(*slot))
            element->setImage(image);
    }
}

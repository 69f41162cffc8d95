#include "app/canvas.h"
#include "app/main_window.h"
#include "browser/address.h"
#include "browser/module1.h"
#include "page/value_forms.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QImageReader>
#include <QListWidget>

namespace {

// What the fetcher keeps on each row of lstPics besides the reference as it was queued.
constexpr int PageAddressRole = Qt::UserRole; // the address of the page that queued it
constexpr int FailedTriesRole = Qt::UserRole + 1;
constexpr int RequestNumberRole = Qt::UserRole + 2;

// A request whose download has failed this often is given up, so that the ones behind it go on.
constexpr int TriesBeforeGivingUp = 3;

// No picture may make the decoder allocate more than this, whatever its header claims.
constexpr int DecoderAllocationLimitMiB = 128;

const QString BackgroundTarget = QStringLiteral("WORK");

// Pictures are recognised by their content: the temporary file has one name for every format.
QImage readPicture(const QString &path)
{
    QImageReader::setAllocationLimit(DecoderAllocationLimitMiB);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace

// Each row of the queue remembers the page it was queued for, at the moment it is queued, so that
// a relative reference still resolves against that page after the user has moved on.
void Form1::watchPictureQueue()
{
    connect(lstPics->model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) {
                for (int row = first; row <= last; ++row) {
                    QListWidgetItem *request = lstPics->item(row);
                    if (!request || request->data(RequestNumberRole).isValid())
                        continue;
                    request->setData(PageAddressRole, m_pageAddress);
                    request->setData(RequestNumberRole, ++m_pictureRequests);
                }
            });
}

// One tick: fetch the oldest picture request and show it in its target. A failed download leaves
// the request at the head for the next tick, until it has failed three times.
void Form1::Timer1_Timer()
{
    shp->raise();

    if (lstPics->count() > 0) {
        const QListWidgetItem *head = lstPics->item(0);
        const QVariant number = head->data(RequestNumberRole);
        const QString page = head->data(PageAddressRole).toString();
        const QString reference = resolveReference(head->text(), page);
        auto giveUp = [&](const QString &message) {
            delete lstPics->takeItem(0);
            delete lstPicsNum->takeItem(0);
            showStatus(message);
        };

        if (const QString refusal = refusalOf(reference, page); !refusal.isEmpty()) {
            giveUp(tr("Refused %1: %2").arg(reference, refusal));
            return;
        }
        const DownloadResult result = DownloadPicture(transfer(), reference, programDirectory());
        // Other ticks ran while the picture arrived; act only if the request is still the head.
        QListWidgetItem *stillHead = lstPics->count() > 0 ? lstPics->item(0) : nullptr;
        if (result.outcome == DownloadResult::Outcome::Failed && stillHead &&
            stillHead->data(RequestNumberRole) == number) {
            const int tries = stillHead->data(FailedTriesRole).toInt() + 1;
            stillHead->setData(FailedTriesRole, tries);
            if (tries >= TriesBeforeGivingUp)
                giveUp(tr("Could not load %1: %2").arg(reference, result.reason));
        }
    }

    const QString picturePath = temporaryPictureFile();
    if (!FileExists(picturePath))
        return;

    if (lstPicsNum->count() > 0) {
        const QString target = lstPicsNum->item(0)->text();
        const QImage image = readPicture(picturePath);
        if (!image.isNull()) {
            if (target == BackgroundTarget) {
                WorkSpace->setPicture(image);
            } else if (const std::optional<qint16> slot = ValueForms::readWholeNumber(target)) {
                if (ElementPicture *element = picture(*slot))
                    element->setImage(image);
            }
        }
    }
    delete lstPics->takeItem(0);
    delete lstPicsNum->takeItem(0);
    QFile::remove(picturePath);
}

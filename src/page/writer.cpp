#include "app/canvas.h"
#include "app/common_dialog.h"
#include "app/debug_view.h"
#include "app/main_window.h"
#include "page/element_blocks.h"
#include "page/page_text.h"

#include <QDir>
#include <QListWidget>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUndoStack>

namespace {

// The slots a kind writes: 1 to its highest slot in use + 1, never past slot 100. A file
// describes slots 1 to count + 1, so the count written is one less than the last slot written;
// a kind that uses slot 100 is saved with a count of 99 and the file then reads back all 100.
struct SlotRange
{
    qint16 writtenCount;
    int lastSlot;
};

SlotRange slotRange(int highestInUse)
{
    const qint16 writtenCount = qint16(qMin(highestInUse, Form1::SlotCount - 1));
    return {writtenCount, writtenCount + 1};
}

// The highest slot from 1 to the counter that holds something, 0 when none does. Counting from
// there rather than from the counter keeps a page from growing by a block of each kind every time
// it is opened and saved again.
template <typename HoldsSomething> int highestInUse(qint16 counter, HoldsSomething holdsSomething)
{
    for (int slot = qMin<int>(counter, Form1::SlotCount); slot >= 1; --slot) {
        if (holdsSomething(slot))
            return slot;
    }
    return 0;
}

// The source of a picture slot; a slot whose row does not exist yet has none.
QString pictureSource(const QListWidget &sources, int slot)
{
    const QListWidgetItem *row = sources.item(slot);
    return row ? row->text() : QString();
}

PageDescription describePage(const Form1 &window)
{
    // A visible picture with no source, no link and no size says nothing that its absence from
    // the file would not say: a slot without a block reads back exactly so.
    const auto pictureHoldsSomething = [&window](int slot) {
        const ElementPicture *element = window.picture(slot);
        return !element->isHidden() && (!pictureSource(*window.lstPictureUrls, slot).isEmpty() ||
                                        !element->tag().isEmpty() || element->exactWidth() != 0 ||
                                        element->exactHeight() != 0);
    };
    const SlotRange buttons = slotRange(highestInUse(window.ButtonCount, [&window](int slot) {
        return window.button(slot)->caption() != FreeSlotMarker;
    }));
    const SlotRange labels = slotRange(highestInUse(window.LabelCount, [&window](int slot) {
        return window.label(slot)->caption() != FreeSlotMarker;
    }));
    const SlotRange pictures = slotRange(highestInUse(window.PictureCount, pictureHoldsSomething));

    PageDescription page;
    page.buttonCount = buttons.writtenCount;
    page.labelCount = labels.writtenCount;
    page.pictureCount = pictures.writtenCount;
    page.background = window.WorkSpace->tag();
    page.title = window.PageTitle;
    page.colour = window.WorkSpace->backColour();

    for (int i = 1; i <= buttons.lastSlot; ++i)
        page.buttons << describeButton(*window.button(i));
    for (int i = 1; i <= labels.lastSlot; ++i)
        page.labels << describeLabel(*window.label(i));
    for (int i = 1; i <= pictures.lastSlot; ++i) {
        // Hidden pictures are left out; whether the window itself is on screen does not matter.
        if (!pictureHoldsSomething(i))
            continue;
        page.pictures << describePicture(*window.picture(i),
                                         pictureSource(*window.lstPictureUrls, i));
    }
    return page;
}

// Writes the whole file or nothing: the old file is replaced only once the new one is complete.
// The file is unbuffered so that a short write (a full disk, a size limit) shows in the count that
// write() returns; buffered, the lost rest would only be dropped when the file is closed.
std::optional<QString> writePageFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        const QString reason = written < 0
                                   ? file.errorString()
                                   : Form1::tr("Only %1 of %2 bytes could be written; the disk "
                                               "may be full.")
                                         .arg(written)
                                         .arg(bytes.size());
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace

QString Form1::suggestedSavePath() const
{
    if (!m_pageFilePath.isEmpty())
        return m_pageFilePath;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           QStringLiteral("/Untitled.qvif");
}

QString Form1::pageText() const
{
    return composePageText(describePage(*this));
}

void Form1::mnuSave_Click()
{
    savePage();
}

bool Form1::savePage()
{
    const QString text = pageText();
    RTB->setSavedText(text);

    const std::optional<QString> path = Common->showSave(this, suggestedSavePath());
    if (!path || path->isEmpty())
        return false;
    if (const std::optional<QString> failure = writePageFile(*path, encodePageText(text))) {
        Common->showError(this, QStringLiteral("Quorvane"),
                          tr("The page could not be saved to \"%1\".\n\n%2")
                              .arg(QDir::toNativeSeparators(*path), *failure));
        return false;
    }
    belongToFile(*path);
    undoStack().setClean();
    refreshWindowTitle();
    return true;
}

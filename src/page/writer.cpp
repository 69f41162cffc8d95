#include "app/canvas.h"
#include "app/common_dialog.h"
#include "app/main_window.h"
#include "page/page_text.h"

#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSaveFile>

namespace {

// The slots a kind writes: 1 to its counter + 1, but never past slot 100. A file describes slots
// 1 to count + 1, so the count written is one less than the last slot written; a counter of 100
// is saved as 99 and the file then reads back all 100 slots.
struct SlotRange
{
    qint16 writtenCount;
    int lastSlot;
};

SlotRange slotRange(qint16 counter)
{
    const qint16 writtenCount = qint16(qBound(-1, int(counter), Form1::SlotCount - 1));
    return {writtenCount, writtenCount + 1};
}

// The source of a picture slot; a slot whose row does not exist yet has none.
QString pictureSource(const QListWidget &sources, int slot)
{
    const QListWidgetItem *row = sources.item(slot);
    return row ? row->text() : QString();
}

PageDescription describePage(const Form1 &window)
{
    PageDescription page;
    const SlotRange buttons = slotRange(window.ButtonCount);
    const SlotRange labels = slotRange(window.LabelCount);
    const SlotRange pictures = slotRange(window.PictureCount);
    page.buttonCount = buttons.writtenCount;
    page.labelCount = labels.writtenCount;
    page.pictureCount = pictures.writtenCount;
    page.background = window.WorkSpace->tag();
    page.title = window.PageTitle;
    page.colour = window.WorkSpace->backColour();

    for (int i = 1; i <= buttons.lastSlot; ++i) {
        const ElementButton *element = window.button(i);
        page.buttons << ButtonBlock{i,
                                    element->exactLeft(),
                                    element->exactTop(),
                                    element->exactWidth(),
                                    element->exactHeight(),
                                    element->caption(),
                                    element->tag()};
    }
    for (int i = 1; i <= labels.lastSlot; ++i) {
        const ElementLabel *element = window.label(i);
        page.labels << LabelBlock{i,
                                  element->exactLeft(),
                                  element->exactTop(),
                                  element->caption(),
                                  element->exactWidth(),
                                  element->exactHeight(),
                                  element->backColour(),
                                  element->foreColour(),
                                  element->backStyle(),
                                  element->alignment(),
                                  element->borderStyle(),
                                  element->tag(),
                                  element->fontSize()};
    }
    for (int i = 1; i <= pictures.lastSlot; ++i) {
        const ElementPicture *element = window.picture(i);
        // Hidden pictures are left out; whether the window itself is on screen does not matter.
        if (element->isHidden())
            continue;
        page.pictures << PictureBlock{i,
                                      element->exactLeft(),
                                      element->exactTop(),
                                      element->exactWidth(),
                                      element->exactHeight(),
                                      pictureSource(*window.lstPictureUrls, i),
                                      element->tag(),
                                      element->borderStyle()};
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

void Form1::mnuSave_Click()
{
    const QString text = composePageText(describePage(*this));
    RTB->setPlainText(text);

    const std::optional<QString> path = Common->showSave(this);
    if (!path || path->isEmpty())
        return;
    if (const std::optional<QString> failure = writePageFile(*path, encodePageText(text))) {
        Common->showError(this, QStringLiteral("Quorvane"),
                          tr("The page could not be saved to \"%1\".\n\n%2")
                              .arg(QDir::toNativeSeparators(*path), *failure));
    }
}

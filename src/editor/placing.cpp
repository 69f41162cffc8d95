#include "app/main_window.h"

#include "app/canvas.h"
#include "editor/edit_commands.h"

#include <QListWidget>
#include <QPainter>
#include <QUndoStack>

namespace {

// The canvas pointer while a placement is armed: cross hairs with the corner of a new element.
QCursor placementCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    for (const QColor &colour : {QColor(Qt::white), QColor(Qt::black)}) {
        const int shift = colour == Qt::white ? 1 : 0;
        painter.setPen(QPen(colour, 1));
        painter.drawLine(15 + shift, 2, 15 + shift, 28);
        painter.drawLine(2, 15 + shift, 28, 15 + shift);
    }
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(QColor(255, 255, 255, 160));
    painter.drawRect(QRect(19, 19, 11, 8));
    return QCursor(pixmap, 15, 15);
}

void arm(Form1 &window, const QString &kind)
{
    window.canvas()->setCursor(placementCursor());
    window.PendingAdd = kind;
    window.refreshEditing();
}

void disarm(Form1 &window)
{
    window.canvas()->unsetCursor();
    window.PendingAdd.clear();
    window.refreshEditing();
}

} // namespace

void Form1::cmdAddButton_Click()
{
    arm(*this, kindName(ElementKind::Button));
}

void Form1::cmdAddLabel_Click()
{
    arm(*this, kindName(ElementKind::Label));
}

void Form1::cmdAddPicture_Click()
{
    arm(*this, kindName(ElementKind::Picture));
}

void Form1::cancelPlacement()
{
    disarm(*this);
}

std::optional<int> Form1::nextFreeSlot(ElementKind kind)
{
    // The pools end at slot 100: a new element past it is refused.
    const qint16 counter = slotCounter(*this, kind);
    if (counter >= SlotCount) {
        const QString kinds = kind == ElementKind::Button  ? tr("buttons")
                              : kind == ElementKind::Label ? tr("labels")
                                                           : tr("pictures");
        showStatus(tr("No more than %1 %2 on a page.").arg(SlotCount).arg(kinds));
        return std::nullopt;
    }
    if (counter < 0)
        return std::nullopt;
    return counter + 1;
}

void Form1::WorkSpace_MouseDown(int mouseButton, int, float x, float y)
{
    if (BrowserMode)
        return;

    if (mouseButton == 2)
        selectCanvas();

    const std::optional<ElementKind> kind = kindNamed(PendingAdd);
    if (!kind)
        return;
    // A complaint about an earlier placement is stale now.
    showStatus(QString());
    const std::optional<int> slot = nextFreeSlot(*kind);
    disarm(*this);
    if (!slot)
        return;
    // Every placed picture adds a row to the picture-source list; the slot's own row keeps its
    // text.
    if (*kind == ElementKind::Picture)
        lstPictureUrls->addItem(QString());

    // The new element keeps its slot's size and is centred on the press point; near an edge it
    // may reach past the canvas.
    const ElementState before = captureElement(*this, *kind, *slot);
    ElementState after = before;
    if (*kind != ElementKind::Picture)
        setCaption(after.block, QStringLiteral("%1 %2").arg(kindName(*kind)).arg(*slot));
    const ElementGeometry size = geometryOf(*element(*kind, *slot));
    setPosition(after.block, QPointF(x - size.width / 2, y - size.height / 2));
    after.shown = true;
    m_undoStack->push(
        new PlaceCommand(*this, tr("Place"), before, after, slotCounter(*this, *kind)));
}

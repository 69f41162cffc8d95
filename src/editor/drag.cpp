#include "app/main_window.h"

#include "app/canvas.h"
#include "editor/edit_commands.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QUndoStack>

#include <cmath>

namespace {

// Outline values are whole pixels, rounded half to even; a far-off pointer or a huge element
// is held to a range the canvas can still place.
int outlineValue(double value)
{
    if (!std::isfinite(value))
        return 0;
    return int(std::nearbyint(qBound(-1e6, value, 1e6)));
}

// Names the window that started a drag, so that an element dragged from another window, or from
// another run of the program, is never taken for one of this window's own.
QString dragOrigin(const Form1 *window)
{
    return QStringLiteral("%1:%2")
        .arg(QCoreApplication::applicationPid())
        .arg(quintptr(window), 0, 16);
}

} // namespace

QMimeData *Form1::elementDragData(PageElement *element, QPoint grab) const
{
    auto *data = new QMimeData;
    const QString text = QStringLiteral("%1 %2 %3 %4 %5")
                             .arg(dragOrigin(this), kindName(element->kind()))
                             .arg(element->index())
                             .arg(grab.x())
                             .arg(grab.y());
    data->setData(ElementMimeType, text.toUtf8());
    return data;
}

Form1::ElementDrag Form1::dragOf(const QMimeData *data) const
{
    if (!data || !data->hasFormat(ElementMimeType))
        return {};
    const QStringList parts =
        QString::fromUtf8(data->data(ElementMimeType)).split(QLatin1Char(' '));
    if (parts.size() != 5 || parts.at(0) != dragOrigin(this))
        return {};
    bool slotRead = false;
    bool xRead = false;
    bool yRead = false;
    const int slot = parts.at(2).toInt(&slotRead);
    const QPoint grab(parts.at(3).toInt(&xRead), parts.at(4).toInt(&yRead));
    const std::optional<ElementKind> kind = kindNamed(parts.at(1));
    if (!slotRead || !xRead || !yRead || !kind)
        return {};
    return {element(*kind, slot), grab};
}

void Form1::elementDragStart(PageElement *element)
{
    QPointer<QDrag> drag = new QDrag(element->widget());
    drag->setMimeData(elementDragData(element, element->pressPosition()));
    const Qt::DropAction action = dragRunner ? dragRunner(drag) : drag->exec(Qt::MoveAction);
    if (drag)
        drag->deleteLater();
    // A release away from the canvas and its elements runs no drop handler; the outline goes.
    if (action == Qt::IgnoreAction)
        shp->hide();
}

void Form1::canvasDragOver(QDragMoveEvent *event)
{
    const ElementDrag source = dragOf(event->mimeData());
    if (!source.element) {
        event->ignore();
        return;
    }
    WorkSpace_DragOver(source, float(event->position().x()), float(event->position().y()));
}

void Form1::canvasDragDrop(QDropEvent *event)
{
    const ElementDrag source = dragOf(event->mimeData());
    if (!source.element) {
        event->ignore();
        return;
    }
    WorkSpace_DragDrop(source, float(event->position().x()), float(event->position().y()));
}

void Form1::elementDragOver(PageElement *target, QDragMoveEvent *event)
{
    const ElementDrag source = dragOf(event->mimeData());
    if (!source.element) {
        event->ignore();
        return;
    }
    const float x = float(event->position().x());
    const float y = float(event->position().y());
    switch (target->kind()) {
    case ElementKind::Button:
        Buttonn_DragOver(target->index(), source, x, y);
        break;
    case ElementKind::Label:
        Labell_DragOver(target->index(), source, x, y);
        break;
    case ElementKind::Picture:
        Picturee_DragOver(target->index(), source, x, y);
        break;
    }
}

void Form1::elementDragDrop(PageElement *target, QDropEvent *event)
{
    const ElementDrag source = dragOf(event->mimeData());
    if (!source.element) {
        event->ignore();
        return;
    }
    const float x = float(event->position().x());
    const float y = float(event->position().y());
    switch (target->kind()) {
    case ElementKind::Button:
        Buttonn_DragDrop(target->index(), source, x, y);
        break;
    case ElementKind::Label:
        Labell_DragDrop(target->index(), source, x, y);
        break;
    case ElementKind::Picture:
        Picturee_DragDrop(target->index(), source, x, y);
        break;
    }
}

namespace {

// Where the dragged element lands with the pointer at a point of the canvas: it has moved by the
// pointer's travel since the press, so the point pressed is under the pointer again. The element
// has not moved while it was dragged, so its widget still shows where the press fell.
ElementGeometry landing(const Form1::ElementDrag &source, QPointF pointer)
{
    const ElementGeometry start = geometryOf(*source.element);
    const QPointF pressed = QPointF(source.element->widget()->pos() + source.grab);
    ElementGeometry result = start;
    result.left = start.left + float(pointer.x() - pressed.x());
    result.top = start.top + float(pointer.y() - pressed.y());
    return result;
}

// A point given as an offset within an element, on the canvas.
QPointF onCanvas(const PageElement *target, float x, float y)
{
    return QPointF(target->widget()->pos()) + QPointF(x, y);
}

// Moves the outline to where the element would land, keeping it above every element.
void placeOutline(Form1 &window, const Form1::ElementDrag &source, QPointF pointer)
{
    const ElementGeometry place = landing(source, pointer);
    window.OutlineWidth = outlineValue(place.width);
    window.OutlineHeight = outlineValue(place.height);
    window.OutlineLeft = outlineValue(place.left);
    window.OutlineTop = outlineValue(place.top);
    window.shp->setGeometry(window.OutlineLeft, window.OutlineTop, qMax(0, window.OutlineWidth),
                            qMax(0, window.OutlineHeight));
    window.shp->raise();
}

// The move is one undo step; the panel's fields follow it when they show the element.
void drop(Form1 &window, const Form1::ElementDrag &source, QPointF pointer)
{
    window.shp->hide();
    const ElementGeometry before = geometryOf(*source.element);
    const ElementGeometry after = landing(source, pointer);
    if (after != before)
        window.undoStack().push(
            new MoveCommand(window, Form1::tr("Move"), *source.element, before, after));
}

} // namespace

void Form1::WorkSpace_DragOver(const ElementDrag &source, float x, float y)
{
    shp->show();
    placeOutline(*this, source, QPointF(x, y));
}

void Form1::WorkSpace_DragDrop(const ElementDrag &source, float x, float y)
{
    if (BrowserMode)
        return;
    drop(*this, source, QPointF(x, y));
}

void Form1::Buttonn_DragOver(int index, const ElementDrag &source, float x, float y)
{
    shp->show();
    if (BrowserMode || !button(index))
        return;
    placeOutline(*this, source, onCanvas(button(index), x, y));
}

void Form1::Labell_DragOver(int index, const ElementDrag &source, float x, float y)
{
    if (BrowserMode || !label(index))
        return;
    placeOutline(*this, source, onCanvas(label(index), x, y));
    shp->show();
}

void Form1::Picturee_DragOver(int index, const ElementDrag &source, float x, float y)
{
    shp->show();
    if (BrowserMode || !picture(index))
        return;
    placeOutline(*this, source, onCanvas(picture(index), x, y));
}

// Over another element the drop moves only the dragged one; the element below is just where the
// pointer was.
void Form1::Buttonn_DragDrop(int index, const ElementDrag &source, float x, float y)
{
    if (BrowserMode || !button(index))
        return;
    drop(*this, source, onCanvas(button(index), x, y));
}

void Form1::Labell_DragDrop(int index, const ElementDrag &source, float x, float y)
{
    if (BrowserMode || !label(index))
        return;
    drop(*this, source, onCanvas(label(index), x, y));
}

void Form1::Picturee_DragDrop(int index, const ElementDrag &source, float x, float y)
{
    if (BrowserMode || !picture(index))
        return;
    drop(*this, source, onCanvas(picture(index), x, y));
}

void Form1::Element_MouseMove(PageElement *element)
{
    // Once shown, the link pointer stays, even after the link is emptied.
    if (!element->tag().isEmpty())
        element->showLinkPointer();
}

#include "app/main_window.h"

#include "app/canvas.h"
#include "app/tag.h"
#include "editor/panel_numbers.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>

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

QMimeData *Form1::elementDragData(PageElement *element) const
{
    auto *data = new QMimeData;
    const QString text = QStringLiteral("%1 %2 %3")
                             .arg(dragOrigin(this), kindName(element->kind()))
                             .arg(element->index());
    data->setData(ElementMimeType, text.toUtf8());
    return data;
}

PageElement *Form1::draggedElement(const QMimeData *data) const
{
    if (!data || !data->hasFormat(ElementMimeType))
        return nullptr;
    const QStringList parts =
        QString::fromUtf8(data->data(ElementMimeType)).split(QLatin1Char(' '));
    if (parts.size() != 3 || parts.at(0) != dragOrigin(this))
        return nullptr;
    bool isNumber = false;
    const int slot = parts.at(2).toInt(&isNumber);
    if (!isNumber)
        return nullptr;
    const std::optional<ElementKind> kind = kindNamed(parts.at(1));
    return kind ? element(*kind, slot) : nullptr;
}

void Form1::elementDragStart(PageElement *element)
{
    QPointer<QDrag> drag = new QDrag(element->widget());
    drag->setMimeData(elementDragData(element));
    const Qt::DropAction action = dragRunner ? dragRunner(drag) : drag->exec(Qt::MoveAction);
    if (drag)
        drag->deleteLater();
    // A release away from the canvas and its elements runs no drop handler; the outline goes.
    if (action == Qt::IgnoreAction)
        shp->hide();
}

void Form1::canvasDragOver(QDragMoveEvent *event)
{
    PageElement *source = draggedElement(event->mimeData());
    if (!source) {
        event->ignore();
        return;
    }
    WorkSpace_DragOver(source, float(event->position().x()), float(event->position().y()));
}

void Form1::canvasDragDrop(QDropEvent *event)
{
    PageElement *source = draggedElement(event->mimeData());
    if (!source) {
        event->ignore();
        return;
    }
    WorkSpace_DragDrop(source, float(event->position().x()), float(event->position().y()));
}

void Form1::elementDragOver(PageElement *target, QDragMoveEvent *event)
{
    PageElement *source = draggedElement(event->mimeData());
    if (!source) {
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
    PageElement *source = draggedElement(event->mimeData());
    if (!source) {
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

// Moves the outline to the values last computed and keeps it above every element.
void placeOutline(Form1 &window)
{
    window.shp->setGeometry(window.OutlineLeft, window.OutlineTop, qMax(0, window.OutlineWidth),
                            qMax(0, window.OutlineHeight));
    window.shp->raise();
}

// Over an element the pointer is given as its offset within that element; the outline keeps the
// dragged element's size with its centre on the pointer.
void outlineOverElement(Form1 &window, const PageElement *target, const PageElement *source,
                        float x, float y)
{
    window.OutlineWidth = outlineValue(source->exactWidth());
    window.OutlineHeight = outlineValue(source->exactHeight());
    window.OutlineTop = outlineValue(target->exactTop() + y - source->exactHeight() / 2);
    window.OutlineLeft = outlineValue(target->exactLeft() + x - source->exactWidth() / 2);
    placeOutline(window);
}

// The X and Y fields follow a drop when they show the element that moved.
void refreshPosition(Form1 &window, const PageElement *moved)
{
    QWidget *panel = nullptr;
    QLineEdit *xField = nullptr;
    QLineEdit *yField = nullptr;
    switch (moved->kind()) {
    case ElementKind::Button:
        panel = window.pctButton;
        xField = window.txtcmdX;
        yField = window.txtcmdY;
        break;
    case ElementKind::Label:
        panel = window.pctLabel;
        xField = window.txtlblX;
        yField = window.txtlblY;
        break;
    case ElementKind::Picture:
        panel = window.pctPicture;
        xField = window.txtpicX;
        yField = window.txtpicY;
        break;
    }
    if (tagOf(window.Picture2) != kindName(moved->kind()) ||
        tagOf(panel) != QString::number(moved->index()))
        return;
    xField->setText(panelNumber(moved->exactLeft()));
    yField->setText(panelNumber(moved->exactTop()));
}

void dropOverElement(Form1 &window, const PageElement *target, PageElement *source, float x,
                     float y)
{
    source->setExactTop(target->exactTop() + y - source->exactHeight() / 2);
    source->setExactLeft(target->exactLeft() + x - source->exactWidth() / 2);
    refreshPosition(window, source);
    window.shp->hide();
}

} // namespace

void Form1::WorkSpace_DragOver(PageElement *source, float x, float y)
{
    shp->show();
    OutlineWidth = outlineValue(source->exactWidth());
    OutlineHeight = outlineValue(source->exactHeight());
    OutlineLeft = outlineValue(x - OutlineWidth / 2.0);
    OutlineTop = outlineValue(y - OutlineHeight / 2.0);
    placeOutline(*this);
}

void Form1::WorkSpace_DragDrop(PageElement *source, float x, float y)
{
    if (BrowserMode)
        return;
    source->setExactTop(y - source->exactHeight() / 2);
    source->setExactLeft(x - source->exactWidth() / 2);
    refreshPosition(*this, source);
    shp->hide();
}

void Form1::Buttonn_DragOver(int index, PageElement *source, float x, float y)
{
    shp->show();
    if (BrowserMode || !button(index))
        return;
    outlineOverElement(*this, button(index), source, x, y);
}

void Form1::Labell_DragOver(int index, PageElement *source, float x, float y)
{
    if (BrowserMode || !label(index))
        return;
    outlineOverElement(*this, label(index), source, x, y);
    shp->show();
}

void Form1::Picturee_DragOver(int index, PageElement *source, float x, float y)
{
    shp->show();
    if (BrowserMode || !picture(index))
        return;
    outlineOverElement(*this, picture(index), source, x, y);
}

void Form1::Buttonn_DragDrop(int index, PageElement *source, float x, float y)
{
    if (BrowserMode || !button(index))
        return;
    dropOverElement(*this, button(index), source, x, y);
}

void Form1::Labell_DragDrop(int index, PageElement *source, float x, float y)
{
    if (BrowserMode || !label(index))
        return;
    dropOverElement(*this, label(index), source, x, y);
}

void Form1::Picturee_DragDrop(int index, PageElement *source, float x, float y)
{
    if (BrowserMode || !picture(index))
        return;
    dropOverElement(*this, picture(index), source, x, y);
}

void Form1::Element_MouseMove(PageElement *element)
{
    // Once shown, the link pointer stays, even after the link is emptied.
    if (!element->tag().isEmpty())
        element->showLinkPointer();
}

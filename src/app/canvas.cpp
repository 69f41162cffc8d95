#include "app/canvas.h"

#include "app/elements.h"
#include "app/system_colours.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

DragOutline::DragOutline(QWidget *canvas) : QWidget(canvas)
{
    setObjectName(QStringLiteral("shp"));
    // Drag and drop events must reach the canvas and the elements under the outline.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void DragOutline::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    // Two dash patterns on top of each other stay visible on light and dark pages alike.
    painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(frame);
}

Canvas::Canvas(PageEvents *events, QWidget *parent)
    : QWidget(parent), m_events(events), m_backColour(SystemColour::WindowBackground),
      m_buttonLayerFloor(new QWidget(this))
{
    setObjectName(QStringLiteral("WorkSpace"));
    setAcceptDrops(true);
    // A click on the canvas or an element gives the canvas the keyboard, where the editor's keys
    // work on the selection.
    setFocusPolicy(Qt::ClickFocus);
    m_buttonLayerFloor->setObjectName(QStringLiteral("buttonLayerFloor"));
    m_buttonLayerFloor->hide();
}

void Canvas::setBackColour(quint32 value)
{
    m_backColour = value;
    update();
}

void Canvas::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void Canvas::bringToFront(PageElement *element)
{
    if (element->kind() != ElementKind::Button) {
        element->widget()->stackUnder(m_buttonLayerFloor);
        return;
    }
    element->widget()->raise();
    for (QWidget *overlay : std::as_const(m_overlays))
        overlay->raise();
}

void Canvas::keepAbove(QWidget *overlay)
{
    m_overlays << overlay;
    overlay->raise();
}

void Canvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), displayColour(m_backColour));
    if (!m_picture.isNull())
        painter.drawImage(QPoint(0, 0), m_picture);
}

void Canvas::mousePressEvent(QMouseEvent *event)
{
    m_events->canvasMouseDown(event->button(), event->position());
}

void Canvas::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(ElementMimeType)) {
        event->acceptProposedAction();
        m_events->canvasDragOver(event);
    }
}

void Canvas::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasFormat(ElementMimeType)) {
        event->acceptProposedAction();
        m_events->canvasDragOver(event);
    }
}

void Canvas::dropEvent(QDropEvent *event)
{
    if (event->mimeData()->hasFormat(ElementMimeType)) {
        event->acceptProposedAction();
        m_events->canvasDragDrop(event);
    }
}

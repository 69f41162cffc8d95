#include "editor/selection_frame.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <array>
#include <utility>

namespace {

constexpr std::array AllHandles = {
    ResizeHandle::TopLeft,     ResizeHandle::Top,    ResizeHandle::TopRight,   ResizeHandle::Right,
    ResizeHandle::BottomRight, ResizeHandle::Bottom, ResizeHandle::BottomLeft, ResizeHandle::Left,
};

const QColor FrameColour(0, 120, 215);

Qt::CursorShape cursorFor(ResizeHandle handle)
{
    switch (handle) {
    case ResizeHandle::TopLeft:
    case ResizeHandle::BottomRight:
        return Qt::SizeFDiagCursor;
    case ResizeHandle::TopRight:
    case ResizeHandle::BottomLeft:
        return Qt::SizeBDiagCursor;
    case ResizeHandle::Top:
    case ResizeHandle::Bottom:
        return Qt::SizeVerCursor;
    case ResizeHandle::Left:
    case ResizeHandle::Right:
        break;
    }
    return Qt::SizeHorCursor;
}

} // namespace

SelectionFrame::SelectionFrame(QWidget *canvas) : QWidget(canvas)
{
    setObjectName(QStringLiteral("selectionFrame"));
    setMouseTracking(true);
    hide();
}

void SelectionFrame::setTarget(QWidget *element)
{
    if (element != m_target) {
        if (m_target)
            m_target->removeEventFilter(this);
        m_target = element;
        m_dragged.reset();
        if (m_target)
            m_target->installEventFilter(this);
    }
    follow();
}

void SelectionFrame::setSuppressed(bool suppressed)
{
    m_suppressed = suppressed;
    follow();
}

bool SelectionFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            follow();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SelectionFrame::follow()
{
    if (!m_target || m_suppressed || m_target->isHidden()) {
        m_dragged.reset();
        hide();
        return;
    }
    setGeometry(m_target->geometry().adjusted(-Margin, -Margin, Margin, Margin));
    // Only the line and the handles belong to the frame: the element inside it, and the canvas
    // around it, take their own presses and drops.
    const QRect line = outlineRect();
    QRegion shape;
    shape += QRect(line.left(), line.top(), line.width() + 1, 1);
    shape += QRect(line.left(), line.bottom() + 1, line.width() + 1, 1);
    shape += QRect(line.left(), line.top(), 1, line.height() + 1);
    shape += QRect(line.right() + 1, line.top(), 1, line.height() + 1);
    for (ResizeHandle handle : AllHandles)
        shape += handleRect(handle);
    setMask(shape);
    show();
    raise();
    update();
}

// The line runs one pixel outside the element, so that it covers none of it.
QRect SelectionFrame::outlineRect() const
{
    return rect().adjusted(Margin - 1, Margin - 1, -Margin, -Margin);
}

QRect SelectionFrame::handleRect(ResizeHandle handle) const
{
    const QRect line = outlineRect();
    const int left = line.left();
    const int right = line.right() + 1;
    const int top = line.top();
    const int bottom = line.bottom() + 1;
    const int middleX = left + (right - left) / 2;
    const int middleY = top + (bottom - top) / 2;
    QPoint centre;
    switch (handle) {
    case ResizeHandle::TopLeft:
        centre = {left, top};
        break;
    case ResizeHandle::Top:
        centre = {middleX, top};
        break;
    case ResizeHandle::TopRight:
        centre = {right, top};
        break;
    case ResizeHandle::Right:
        centre = {right, middleY};
        break;
    case ResizeHandle::BottomRight:
        centre = {right, bottom};
        break;
    case ResizeHandle::Bottom:
        centre = {middleX, bottom};
        break;
    case ResizeHandle::BottomLeft:
        centre = {left, bottom};
        break;
    case ResizeHandle::Left:
        centre = {left, middleY};
        break;
    }
    return QRect(centre.x() - HandleSize / 2, centre.y() - HandleSize / 2, HandleSize, HandleSize);
}

std::optional<ResizeHandle> SelectionFrame::handleAt(QPoint position) const
{
    // On a small element the handles overlap; the corners, listed first, win.
    for (ResizeHandle handle :
         {ResizeHandle::TopLeft, ResizeHandle::TopRight, ResizeHandle::BottomRight,
          ResizeHandle::BottomLeft, ResizeHandle::Top, ResizeHandle::Right, ResizeHandle::Bottom,
          ResizeHandle::Left}) {
        if (handleRect(handle).contains(position))
            return handle;
    }
    return std::nullopt;
}

void SelectionFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(FrameColour);
    painter.setBrush(Qt::NoBrush);
    // A stroked rectangle reaches one pixel past its width and height: the line lies outside.
    painter.drawRect(outlineRect());
    painter.setBrush(Qt::white);
    for (ResizeHandle handle : AllHandles)
        painter.drawRect(handleRect(handle).adjusted(0, 0, -1, -1));
}

void SelectionFrame::mousePressEvent(QMouseEvent *event)
{
    const std::optional<ResizeHandle> handle = handleAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !handle) {
        // The line is the canvas's, as far as presses go.
        event->ignore();
        return;
    }
    m_dragged = handle;
    // The frame moves with the element while it is resized: the travel is measured on screen.
    m_pressedAt = event->globalPosition().toPoint();
    emit resizeStarted(*handle);
}

void SelectionFrame::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragged && (event->buttons() & Qt::LeftButton)) {
        emit resizing(*m_dragged, event->globalPosition().toPoint() - m_pressedAt);
        return;
    }
    if (const std::optional<ResizeHandle> handle = handleAt(event->position().toPoint()))
        setCursor(cursorFor(*handle));
    else
        unsetCursor();
}

void SelectionFrame::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragged || event->button() != Qt::LeftButton)
        return;
    const ResizeHandle handle = *std::exchange(m_dragged, std::nullopt);
    emit resizeFinished(handle, event->globalPosition().toPoint() - m_pressedAt);
}

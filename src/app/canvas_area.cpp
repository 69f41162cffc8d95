#include "app/canvas_area.h"

#include "app/canvas.h"
#include "app/elements.h"

#include <QChildEvent>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QScrollBar>

namespace {

// How near an edge of the view a dragged element makes it scroll, how far each step goes and how
// often it is taken.
constexpr int AutoScrollMargin = 24;
constexpr int AutoScrollStep = 16;
constexpr int AutoScrollInterval = 30;
// Every change of an element starts the wait again, so a page being built, which lets events run
// between its elements, is fitted once at its end rather than after every element.
constexpr int FitDelay = 30;

} // namespace

CanvasArea::CanvasArea(Canvas *canvas, QWidget *parent) : QScrollArea(parent), m_canvas(canvas)
{
    setObjectName(QStringLiteral("canvasArea"));
    setFrameShape(QFrame::NoFrame);
    // The keyboard reaches the page's elements, not the view around them.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    setMinimumSize(0, 0);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setWidget(canvas);
    // Elements are added to the canvas later; each is watched from the moment it arrives.
    canvas->installEventFilter(this);
    viewport()->installEventFilter(this);

    m_fit.setSingleShot(true);
    m_fit.setInterval(FitDelay);
    connect(&m_fit, &QTimer::timeout, this, &CanvasArea::fitCanvas);
    m_autoScroll.setInterval(AutoScrollInterval);
    connect(&m_autoScroll, &QTimer::timeout, this, &CanvasArea::autoScroll);
}

void CanvasArea::scrollToOrigin()
{
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

bool CanvasArea::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (watched == m_canvas)
            static_cast<QChildEvent *>(event)->child()->installEventFilter(this);
        break;
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == viewport() && event->type() == QEvent::Resize)
            fitCanvas();
        else if (dynamic_cast<PageElement *>(watched))
            m_fit.start();
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && drag->mimeData()->hasFormat(ElementMimeType))
            dragMovedTo(widget->mapTo(viewport(), drag->position().toPoint()));
        break;
    }
    case QEvent::DragLeave:
    case QEvent::Drop:
        m_autoScroll.stop();
        break;
    default:
        break;
    }
    return QScrollArea::eventFilter(watched, event);
}

void CanvasArea::fitCanvas()
{
    QRect extent;
    for (QObject *child : m_canvas->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && !widget->isHidden() && dynamic_cast<PageElement *>(widget))
            extent |= widget->geometry();
    }
    const QSize view = viewport()->size();
    const int width = qBound(view.width(), extent.right() + 1, qMax(view.width(), LargestCanvas));
    const int height =
        qBound(view.height(), extent.bottom() + 1, qMax(view.height(), LargestCanvas));
    m_canvas->resize(width, height);
}

void CanvasArea::dragMovedTo(QPoint inView)
{
    const QSize view = viewport()->size();
    const auto step = [](int position, int length) {
        if (position < AutoScrollMargin)
            return -AutoScrollStep;
        if (position >= length - AutoScrollMargin)
            return AutoScrollStep;
        return 0;
    };
    m_scrollStep = QPoint(step(inView.x(), view.width()), step(inView.y(), view.height()));
    if (m_scrollStep.isNull())
        m_autoScroll.stop();
    else if (!m_autoScroll.isActive())
        m_autoScroll.start();
}

void CanvasArea::autoScroll()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + m_scrollStep.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + m_scrollStep.y());
}

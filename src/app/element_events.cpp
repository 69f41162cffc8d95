#include "app/element_events.h"

#include "app/elements.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>

bool ElementEventForwarder::eventFilter(QObject *watched, QEvent *event)
{
    auto *element = dynamic_cast<PageElement *>(watched);
    if (!element)
        return false;
    // A push button keeps its own pressed look and reports its clicks itself; the other kinds
    // take every mouse event here.
    auto *button = qobject_cast<ElementButton *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        element->handlePress(mouse);
        // The push button ignores presses of other mouse buttons; they must not reach the canvas
        // below, where a right press would select the canvas instead.
        return !button || mouse->button() != Qt::LeftButton;
    }
    case QEvent::MouseMove:
        if (element->handleMove(static_cast<QMouseEvent *>(event))) {
            if (button)
                button->setDown(false);
            return true;
        }
        return !button;
    case QEvent::MouseButtonRelease:
        if (element->handleRelease(static_cast<QMouseEvent *>(event)) && !button)
            element->activate();
        return !button;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!button)
            return element->handleKey(key);
        // Space clicks a push button by itself; Enter does so only in a dialog.
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        button->click();
        return true;
    }
    case QEvent::DragEnter:
        element->handleDragEnter(static_cast<QDragEnterEvent *>(event));
        return true;
    case QEvent::DragMove:
        element->handleDragMove(static_cast<QDragMoveEvent *>(event));
        return true;
    case QEvent::Drop:
        element->handleDrop(static_cast<QDropEvent *>(event));
        return true;
    default:
        return false;
    }
}

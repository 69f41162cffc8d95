#include "editor/element_geometry.h"

#include "app/elements.h"

#include <QtGlobal>

namespace {

// A size changed by `change`; 1 pixel at least, unless it was already smaller and does not grow.
float changedSize(float size, float change)
{
    if (change == 0)
        return size;
    return qMax(qMin(size, 1.0f), size + change);
}

bool holdsLeftEdge(ResizeHandle handle)
{
    return handle == ResizeHandle::TopLeft || handle == ResizeHandle::Left ||
           handle == ResizeHandle::BottomLeft;
}

bool holdsRightEdge(ResizeHandle handle)
{
    return handle == ResizeHandle::TopRight || handle == ResizeHandle::Right ||
           handle == ResizeHandle::BottomRight;
}

bool holdsTopEdge(ResizeHandle handle)
{
    return handle == ResizeHandle::TopLeft || handle == ResizeHandle::Top ||
           handle == ResizeHandle::TopRight;
}

bool holdsBottomEdge(ResizeHandle handle)
{
    return handle == ResizeHandle::BottomLeft || handle == ResizeHandle::Bottom ||
           handle == ResizeHandle::BottomRight;
}

} // namespace

ElementGeometry geometryOf(const PageElement &element)
{
    return {element.exactLeft(), element.exactTop(), element.exactWidth(), element.exactHeight()};
}

void changeGeometry(PageElement &element, const ElementGeometry &from, const ElementGeometry &to)
{
    if (to.left != from.left)
        element.setExactLeft(to.left);
    if (to.top != from.top)
        element.setExactTop(to.top);
    if (to.width != from.width)
        element.setExactWidth(to.width);
    if (to.height != from.height)
        element.setExactHeight(to.height);
}

ElementGeometry resizedGeometry(const ElementGeometry &start, ResizeHandle handle, QPoint travel)
{
    ElementGeometry result = start;
    if (holdsLeftEdge(handle)) {
        result.width = changedSize(start.width, float(-travel.x()));
        result.left = start.left + start.width - result.width;
    } else if (holdsRightEdge(handle)) {
        result.width = changedSize(start.width, float(travel.x()));
    }
    if (holdsTopEdge(handle)) {
        result.height = changedSize(start.height, float(-travel.y()));
        result.top = start.top + start.height - result.height;
    } else if (holdsBottomEdge(handle)) {
        result.height = changedSize(start.height, float(travel.y()));
    }
    return result;
}

ElementGeometry nudgedGeometry(const ElementGeometry &start, int dx, int dy, bool resize)
{
    ElementGeometry result = start;
    if (resize) {
        result.width = changedSize(start.width, float(dx));
        result.height = changedSize(start.height, float(dy));
    } else {
        result.left = start.left + float(dx);
        result.top = start.top + float(dy);
    }
    return result;
}

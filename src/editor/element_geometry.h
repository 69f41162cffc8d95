#pragma once

#include <QPoint>

class PageElement;

// An element's place and size as the page holds them, in canvas pixels.
struct ElementGeometry
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    bool operator==(const ElementGeometry &) const = default;
};

ElementGeometry geometryOf(const PageElement &element);
// Sets only what differs from `from`, so that a move leaves alone a size that changed since (a
// picture that arrived) and a resize a place.
void changeGeometry(PageElement &element, const ElementGeometry &from, const ElementGeometry &to);

// The eight handles of the selection frame, clockwise from the top-left corner.
enum class ResizeHandle
{
    TopLeft,
    Top,
    TopRight,
    Right,
    BottomRight,
    Bottom,
    BottomLeft,
    Left
};

// The geometry after a handle was dragged by `travel` pixels: the edges the handle holds follow
// the pointer, the opposite ones stay put. A size the drag changes is kept at 1 pixel at least.
ElementGeometry resizedGeometry(const ElementGeometry &start, ResizeHandle handle, QPoint travel);

// The geometry after an arrow key: moved by (dx, dy), or with `resize` grown by dx in width and
// dy in height. A size never shrinks below 1 pixel by a key, nor grows from below 1 by a shrink.
ElementGeometry nudgedGeometry(const ElementGeometry &start, int dx, int dy, bool resize);

#pragma once

#include <QString>

class PageElement;
class QKeyEvent;
class QPainter;
class QWidget;

// What a screen reader says for an element of the page: a button or a label by its caption, a
// picture as "Picture N" after its slot.
QString accessibleNameOf(const PageElement &element);

// The element's link, which a screen reader reads as its description; empty when it has none.
QString accessibleDescriptionOf(const PageElement &element);

// Whether Tab stops at the element. Buttons always take the keyboard; labels and pictures only in
// browser mode, and only when they link somewhere, as there is nothing else to do with them
// there. In editor mode they are selected with the mouse.
bool reachedByKeyboard(const PageElement &element, bool browsing);

// Enter, Return and Space act on a focused element as a click does.
bool isActivationKey(const QKeyEvent &event);

// The focus frame of a label or picture that has the keyboard.
void paintFocusFrame(QWidget &element, QPainter &painter);

// Makes screen readers see the elements through accessible interfaces of their own, which give
// the name, description and role above, and a press action that acts as a click. Installing it
// again does nothing.
void installElementAccessibility();

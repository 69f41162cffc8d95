#pragma once

#include "app/element_kind.h"
#include "page/page_text.h"

#include <QImage>
#include <QPointF>

class Form1;

// All that a slot holds which an edit can change: its block as the page file gives it (a picture's
// with its source), whether it is shown, and the picture it shows. An undo step keeps the state
// from before and after its edit.
struct ElementState
{
    ElementBlock block;
    bool shown = false;
    QImage image;

    bool operator==(const ElementState &) const = default;
};

ElementKind kindOf(const ElementBlock &block);
int slotOf(const ElementBlock &block);
void setSlot(ElementBlock &block, int slot);
QPointF positionOf(const ElementBlock &block);
void setPosition(ElementBlock &block, QPointF position);
// The caption of a button or a label; nothing for a picture.
void setCaption(ElementBlock &block, const QString &caption);

ElementState captureElement(const Form1 &window, ElementKind kind, int slot);
// Gives the slot named by the block exactly that state; a picture's source row is added when the
// list does not reach it yet.
void restoreElement(Form1 &window, const ElementState &state);

// The page's own properties that Apply on the canvas sets, and the background picture shown.
struct PageState
{
    QString title;
    quint32 colour = 0;
    QString background;
    QImage picture;

    bool operator==(const PageState &) const = default;
};

PageState capturePage(const Form1 &window);
void restorePage(Form1 &window, const PageState &state);

// The counter of a kind: the highest slot of that kind counted as in use.
qint16 &slotCounter(Form1 &window, ElementKind kind);

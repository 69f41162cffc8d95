#pragma once

#include "app/element_kind.h"

#include <QImage>
#include <QLabel>
#include <QPoint>
#include <QPushButton>
#include <QString>
#include <QWidget>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QMouseEvent;

enum class DragMode
{
    Manual,
    Automatic
};

class PageElement;

// What the elements and the canvas report to the window that owns them. The window turns each call
// into its named handler (Buttonn_Click, WorkSpace_DragOver and so on).
class PageEvents
{
public:
    virtual ~PageEvents() = default;
    virtual void elementClicked(PageElement *element) = 0;
    virtual void elementMouseDown(PageElement *element, Qt::MouseButton button) = 0;
    virtual void elementMouseMove(PageElement *element) = 0;
    virtual void elementDragStart(PageElement *element) = 0;
    virtual void elementDragOver(PageElement *target, QDragMoveEvent *event) = 0;
    virtual void elementDragDrop(PageElement *target, QDropEvent *event) = 0;
    virtual void canvasMouseDown(Qt::MouseButton button, QPointF position) = 0;
    virtual void canvasDragOver(QDragMoveEvent *event) = 0;
    virtual void canvasDragDrop(QDropEvent *event) = 0;
};

// One element of a page: a slot of the button, label or picture pool. Position and size are kept
// in single precision exactly as the page gives them; the widget shows them rounded to pixels.
class PageElement
{
public:
    PageElement(ElementKind kind, int index, PageEvents *events);
    virtual ~PageElement() = default;

    virtual QWidget *widget() = 0;
    const QWidget *widget() const { return const_cast<PageElement *>(this)->widget(); }

    ElementKind kind() const { return m_kind; }
    int index() const { return m_index; }

    float exactLeft() const { return m_left; }
    float exactTop() const { return m_top; }
    float exactWidth() const { return m_width; }
    float exactHeight() const { return m_height; }
    void setExactLeft(float left);
    void setExactTop(float top);
    void setExactWidth(float width);
    void setExactHeight(float height);

    // The element's link, its tag text; empty means none.
    QString tag() const { return m_tag; }
    void setTag(const QString &tag);

    // In browser mode the keyboard reaches the elements that link somewhere.
    void setBrowsing(bool browsing);
    // What a click on the element does, for the keyboard and screen readers.
    void activate();

    DragMode dragMode() const { return m_dragMode; }
    void setDragMode(DragMode mode) { m_dragMode = mode; }

    // Set once the pointer has moved over the element while it had a link; never cleared.
    bool showsLinkPointer() const { return m_showsLinkPointer; }
    void showLinkPointer();

    // The mouse, drag and key handling the three kinds share, called by the ElementEventForwarder
    // that the pools install on every slot. handleMove returns true when it started a drag, and
    // handleRelease when the release completes a click, which activate then reports.
    void handlePress(QMouseEvent *event);
    bool handleMove(QMouseEvent *event);
    bool handleRelease(QMouseEvent *event);
    void handleDragEnter(QDragEnterEvent *event);
    void handleDragMove(QDragMoveEvent *event);
    void handleDrop(QDropEvent *event);
    // Enter, Return or Space activates the element; returns true when it did.
    bool handleKey(QKeyEvent *event);
    // Where the last press on the element fell, in its widget.
    QPoint pressPosition() const { return m_pressPosition; }

protected:
    // Takes the template's place, size and link and forgets the link pointer; the drag mode, which
    // belongs to the mode and not to the page, stays.
    void resetPlacementTo(const PageElement &templateSlot);
    void updateGeometry();

    PageEvents *events() const { return m_events; }

private:
    void updateKeyboardReach();

    ElementKind m_kind;
    int m_index;
    PageEvents *m_events;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    QString m_tag;
    DragMode m_dragMode = DragMode::Automatic;
    bool m_browsing = false;
    bool m_showsLinkPointer = false;
    QPoint m_pressPosition;
    bool m_pressed = false;
};

class ElementButton : public QPushButton, public PageElement
{
    Q_OBJECT
public:
    ElementButton(int index, PageEvents *events, QWidget *canvas);
    QWidget *widget() override { return this; }

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // Returns the slot to its template's design values, hidden: the slot holds no element.
    void resetTo(const ElementButton &templateSlot);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};

class ElementLabel : public QWidget, public PageElement
{
    Q_OBJECT
public:
    ElementLabel(int index, PageEvents *events, QWidget *canvas);
    QWidget *widget() override { return this; }

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // Points; 0 shows the default font size and is kept as 0.
    float fontSize() const { return m_fontSize; }
    void setFontSize(float points);
    // 0 transparent, 1 opaque.
    int backStyle() const { return m_backStyle; }
    void setBackStyle(int style);
    quint32 backColour() const { return m_backColour; }
    void setBackColour(quint32 value);
    quint32 foreColour() const { return m_foreColour; }
    void setForeColour(quint32 value);
    // 0 left, 1 right, 2 centred.
    int alignment() const { return m_alignment; }
    void setAlignment(int alignment);
    // 0 none, 1 single line.
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

    void resetTo(const ElementLabel &templateSlot);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    float m_fontSize = 0;
    bool m_fontApplied = false;
    int m_backStyle = 1;
    quint32 m_backColour = 0;
    quint32 m_foreColour = 0;
    int m_alignment = 0;
    int m_borderStyle = 0;
};

class ElementPicture : public QWidget, public PageElement
{
    Q_OBJECT
public:
    ElementPicture(int index, PageEvents *events, QWidget *canvas);
    QWidget *widget() override { return this; }

    // 0 none, 1 single line.
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

    // Shown unscaled from the top-left corner; assigning a picture gives the element its size.
    QImage image() const { return m_image; }
    void setImage(const QImage &image);

    void resetTo(const ElementPicture &templateSlot);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_borderStyle = 1;
    QImage m_image;
};

// The free-slot marker: the caption of every button and label slot that holds no element.
inline const QString FreeSlotMarker = QStringLiteral("UYdgDHbfbHCBJFVskglsl11122@");

// The private MIME type of an element being dragged.
inline const QString ElementMimeType = QStringLiteral("application/x-quorvane-element");

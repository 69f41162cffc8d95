#pragma once

#include <QImage>
#include <QList>
#include <QWidget>

class PageElement;
class PageEvents;

// The drag outline: a dashed rectangle that shows where a dragged element would land.
class DragOutline : public QWidget
{
    Q_OBJECT
public:
    explicit DragOutline(QWidget *canvas);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The canvas that holds every element of the page. Its background colour is a 32-bit colour value
// (possibly a desktop colour reference), its tag text the page's background picture reference, and
// its picture the background image, drawn unscaled from the top-left corner.
class Canvas : public QWidget
{
    Q_OBJECT
public:
    Canvas(PageEvents *events, QWidget *parent);

    quint32 backColour() const { return m_backColour; }
    void setBackColour(quint32 value);

    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

    QImage picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    // Buttons lie in a layer above labels and pictures; within a layer the element brought to
    // the front last lies on top.
    void bringToFront(PageElement *element);
    // A widget of the editor's (the drag outline, the selection frame) that stays above every
    // element, whichever is brought to the front.
    void keepAbove(QWidget *overlay);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    PageEvents *m_events;
    quint32 m_backColour;
    QString m_tag;
    QImage m_picture;
    // An invisible sibling that always stands between the lower layer and the buttons.
    QWidget *m_buttonLayerFloor;
    QList<QWidget *> m_overlays;
};

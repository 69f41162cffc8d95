#pragma once

#include <QPoint>
#include <QScrollArea>
#include <QTimer>

class Canvas;

// The view of the canvas, which scrolls when the page is larger than the window, in both modes.
// The canvas grows to hold every element that is shown and is never smaller than the view; its
// coordinates stay the page's own, so an element's position is its place on the canvas whatever
// the view shows. While an element is dragged near an edge of the view, the view scrolls that way.
class CanvasArea : public QScrollArea
{
    Q_OBJECT
public:
    // The canvas cannot grow past this, however far an element reaches.
    static constexpr int LargestCanvas = 1 << 20;

    CanvasArea(Canvas *canvas, QWidget *parent);

    // Shows the top-left corner of the canvas: a new page starts there.
    void scrollToOrigin();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitCanvas();
    void dragMovedTo(QPoint inView);
    void autoScroll();

    Canvas *m_canvas;
    // Fits the canvas once after a burst of changes, such as a whole page being built.
    QTimer m_fit;
    QTimer m_autoScroll;
    QPoint m_scrollStep;
};

#pragma once

#include "editor/element_geometry.h"

#include <QPointer>
#include <QWidget>

#include <optional>

// The frame around the selected element: a thin line just outside it and eight handles, lying
// above every element of the canvas. It is the editor's, not the page's: the pools and the page
// file know nothing of it. It follows its element's place, size and visibility by itself.
// Dragging a handle reports the pointer's travel since the press; the window resizes the element.
class SelectionFrame : public QWidget
{
    Q_OBJECT
public:
    static constexpr int HandleSize = 7;
    // How far the frame reaches past its element on every side.
    static constexpr int Margin = HandleSize / 2 + 1;

    explicit SelectionFrame(QWidget *canvas);

    // The element's widget the frame surrounds; nullptr hides the frame.
    void setTarget(QWidget *element);
    QWidget *target() const { return m_target; }
    // While suppressed (in browser mode) the frame stays hidden whatever is selected.
    void setSuppressed(bool suppressed);

    // A handle's square, in the frame's own coordinates.
    QRect handleRect(ResizeHandle handle) const;

signals:
    void resizeStarted(ResizeHandle handle);
    void resizing(ResizeHandle handle, QPoint travel);
    void resizeFinished(ResizeHandle handle, QPoint travel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void follow();
    QRect outlineRect() const;
    std::optional<ResizeHandle> handleAt(QPoint position) const;

    QPointer<QWidget> m_target;
    bool m_suppressed = false;
    std::optional<ResizeHandle> m_dragged;
    QPoint m_pressedAt;
};

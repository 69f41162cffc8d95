#include "editor/colour_swatch.h"

#include "app/system_colours.h"

#include <QMouseEvent>
#include <QPainter>

ColourSwatch::ColourSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setColour(quint32 value)
{
    m_colour = value;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), displayColour(m_colour));
    }
    QFrame::paintEvent(event);
}

void ColourSwatch::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

quint32 swatchColour(const QFrame *swatch)
{
    const auto *colourSwatch = qobject_cast<const ColourSwatch *>(swatch);
    return colourSwatch ? colourSwatch->colour() : 0;
}

void setSwatchColour(QFrame *swatch, quint32 value)
{
    if (auto *colourSwatch = qobject_cast<ColourSwatch *>(swatch))
        colourSwatch->setColour(value);
}

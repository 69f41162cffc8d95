#pragma once

#include <QFrame>

// A small box whose background shows a colour value of the page (plain RGB or a desktop colour
// reference). A click on it asks for a new colour; the value itself changes only through
// setColour.
class ColourSwatch : public QFrame
{
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget *parent = nullptr);

    quint32 colour() const { return m_colour; }
    void setColour(quint32 value);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    quint32 m_colour = 0;
    bool m_pressed = false;
};

// The colour a panel swatch holds; 0 for a frame that is no swatch.
quint32 swatchColour(const QFrame *swatch);
void setSwatchColour(QFrame *swatch, quint32 value);

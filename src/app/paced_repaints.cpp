#include "app/paced_repaints.h"

#include <QCoreApplication>

PacedRepaints::PacedRepaints(QWidget *widget, std::chrono::milliseconds frame)
    : m_widget(widget), m_frame(frame)
{
    m_sinceRepaint.start();
}

PacedRepaints::~PacedRepaints()
{
    // Enabling updates again repaints the whole widget with everything built since the last frame.
    if (m_widget)
        m_widget->setUpdatesEnabled(true);
}

void PacedRepaints::pause()
{
    const bool frameDue = m_widget && m_sinceRepaint.elapsed() >= m_frame.count();
    if (m_widget)
        m_widget->setUpdatesEnabled(frameDue);
    QCoreApplication::processEvents();
    // The next frame is counted from the end of this repaint, so that a slow page, which a whole
    // repaint of the widget holds up more than the few elements that changed would, still builds
    // for most of each frame.
    if (frameDue)
        m_sinceRepaint.restart();
}

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
    if (m_widget) {
        const bool frameDue = m_sinceRepaint.elapsed() >= m_frame.count();
        m_widget->setUpdatesEnabled(frameDue);
        if (frameDue)
            m_sinceRepaint.restart();
    }
    QCoreApplication::processEvents();
}

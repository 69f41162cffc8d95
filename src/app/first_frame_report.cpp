#include "app/first_frame_report.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <cstdio>

namespace {

class FirstFrameReport : public QObject
{
public:
    FirstFrameReport(QWidget *canvas, const QElapsedTimer &sinceStart)
        : QObject(canvas), m_sinceStart(sinceStart)
    {
        canvas->installEventFilter(this);
        // A load that ran past a frame may have drawn its last frame itself, leaving nothing to
        // draw; this asks for one more, which adds nothing to a frame already due.
        canvas->update();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The frame reaches the display once the rest of the window is painted too, in the
            // same pass: the report waits for that pass to end.
            QMetaObject::invokeMethod(this, &FirstFrameReport::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report()
    {
        std::printf("first frame after %.2f ms\n", double(m_sinceStart.nsecsElapsed()) / 1e6);
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    QElapsedTimer m_sinceStart;
};

} // namespace

void reportFirstFrameWhenAsked(QWidget *canvas, const QElapsedTimer &sinceStart)
{
    if (!qEnvironmentVariableIsEmpty("QUORVANE_REPORT_FIRST_FRAME"))
        new FirstFrameReport(canvas, sinceStart);
}

#pragma once

#include "app/main_window.h"
#include "browser/picture_queue.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

// Runs one tick of the picture timer as soon as the oldest request's download has ended, as the
// live timer would on its next tick. False when the download does not end in time or nothing is
// queued. The wait runs a real event loop: QTest's waits pause between rounds of events, which
// would slow a transfer of many small reads far below what the program sees.
inline bool tickWhenHeadIsDone(Form1 &window, int timeoutMs = 10000)
{
    const QDeadlineTimer deadline(timeoutMs);
    const auto done = [&window] { return window.pictureRequests().headIsDone(); };
    if (!done()) {
        QEventLoop loop;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done() || deadline.hasExpired())
                loop.quit();
        });
        poll.start();
        loop.exec();
    }
    if (!done())
        return false;
    window.Timer1_Timer();
    return true;
}

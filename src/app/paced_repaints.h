#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <chrono>

// Lets pending events run in the middle of building a page (clicks, timer ticks, a close) while
// the widget being built repaints at most once a frame, and once more at the end: a pause that
// comes less than a frame after the last repaint holds the widget's updates, and the next pause a
// frame later, or the end, releases them as one repaint of the whole widget. Without this every
// pause would draw the page again and send it to the display, element by element.
class PacedRepaints
{
public:
    // About the frame time of a 60 Hz display.
    static constexpr std::chrono::milliseconds DisplayFrame{16};

    explicit PacedRepaints(QWidget *widget, std::chrono::milliseconds frame = DisplayFrame);
    ~PacedRepaints();
    PacedRepaints(const PacedRepaints &) = delete;
    PacedRepaints &operator=(const PacedRepaints &) = delete;

    // Runs the pending events. The widget may be deleted meanwhile.
    void pause();

private:
    QPointer<QWidget> m_widget;
    std::chrono::milliseconds m_frame;
    // Since the end of the last pause that let a repaint through; the start counts as one, as
    // the widget was drawn before the build began.
    QElapsedTimer m_sinceRepaint;
};

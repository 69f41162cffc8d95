#pragma once

class QElapsedTimer;
class QWidget;

// For timing the program's start from outside. With QUORVANE_REPORT_FIRST_FRAME set, the program
// prints "first frame after N ms", N being the milliseconds since it started, once the canvas has
// been drawn for the first time after the start, and then quits. Called once the page file given
// at start has been loaded, so that the frame reported holds the whole page. Without the variable
// it does nothing.
void reportFirstFrameWhenAsked(QWidget *canvas, const QElapsedTimer &sinceStart);

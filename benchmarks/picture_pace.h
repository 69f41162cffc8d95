#pragma once

class MedianReporter;

// The summary lines of the picture pace runs: how long the 20 pictures of a page take to be
// shown, from the moment the page is on the canvas, when the server answers each picture late.
void printPicturePace(const MedianReporter &reporter);

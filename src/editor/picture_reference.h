#pragma once

#include <QString>

// How a picture file chosen in the panel is written into the page: relative to the page's own
// file when that file lies in the picture's folder or in a folder above it ("logo.png",
// "pictures/logo.png"), so that the page and its pictures can move together; otherwise, and for
// a page that has no file yet (empty pageFile), as the picture's full path.
QString pictureReference(const QString &pictureFile, const QString &pageFile);

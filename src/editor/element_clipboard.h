#pragma once

#include "page/page_text.h"

#include <QString>

#include <optional>

class QMimeData;

// The private MIME type of an element on the clipboard. Its data is the same page text as the
// plain text beside it.
inline const QString ElementClipboardMimeType =
    QStringLiteral("application/x-quorvane-page-element");

// An element as page-file lines, written by the page writer: a page that holds just this element,
// in slot 1 of its kind, and no slot of the other kinds. Pasted into a text editor it reads as
// the lines a page file has for the element; saved as a file it opens as that element alone.
QString clipboardText(const ElementBlock &element);

// The element of slot 1 that page text describes, of the first kind (buttons, labels, pictures)
// with a line for that slot. Values are read as the page loader reads them: a line missing is 0
// or empty. Nothing when no such line is there, or when a value is one no element can take.
std::optional<ElementBlock> elementFromText(const QString &text);

// The clipboard's data for an element, in the private type and as plain text; the caller owns it.
QMimeData *clipboardData(const ElementBlock &element);
// The element on the clipboard; only data in the private type is taken.
std::optional<ElementBlock> elementFromClipboard(const QMimeData *data);

#pragma once

#include "page/page_text.h"

class ElementButton;
class ElementLabel;
class ElementPicture;

// An element slot in the form a page file gives it, and back: what the writer saves, and what the
// editor keeps of a slot to restore it or to put a copy of it elsewhere. The block's slot is the
// element's own. A picture's source lives in the window's picture-source list, not in the element,
// so it is handed in and out separately.
ButtonBlock describeButton(const ElementButton &element);
LabelBlock describeLabel(const ElementLabel &element);
PictureBlock describePicture(const ElementPicture &element, const QString &source);

// Sets every property a block gives; the block's slot and a picture's source are not the
// element's to take.
void applyBlock(ElementButton &element, const ButtonBlock &block);
void applyBlock(ElementLabel &element, const LabelBlock &block);
void applyBlock(ElementPicture &element, const PictureBlock &block);

#include "page/element_blocks.h"

#include "app/elements.h"

ButtonBlock describeButton(const ElementButton &element)
{
    return ButtonBlock{element.index(),      element.exactLeft(),   element.exactTop(),
                       element.exactWidth(), element.exactHeight(), element.caption(),
                       element.tag()};
}

LabelBlock describeLabel(const ElementLabel &element)
{
    return LabelBlock{element.index(),      element.exactLeft(),   element.exactTop(),
                      element.caption(),    element.exactWidth(),  element.exactHeight(),
                      element.backColour(), element.foreColour(),  element.backStyle(),
                      element.alignment(),  element.borderStyle(), element.tag(),
                      element.fontSize()};
}

PictureBlock describePicture(const ElementPicture &element, const QString &source)
{
    return PictureBlock{element.index(),      element.exactLeft(),   element.exactTop(),
                        element.exactWidth(), element.exactHeight(), source,
                        element.tag(),        element.borderStyle()};
}

void applyBlock(ElementButton &element, const ButtonBlock &block)
{
    element.setCaption(block.caption);
    element.setExactLeft(block.left);
    element.setExactTop(block.top);
    element.setExactWidth(block.width);
    element.setExactHeight(block.height);
    element.setTag(block.link);
}

void applyBlock(ElementLabel &element, const LabelBlock &block)
{
    element.setCaption(block.caption);
    element.setFontSize(block.fontSize);
    element.setExactLeft(block.left);
    element.setExactTop(block.top);
    element.setExactWidth(block.width);
    element.setExactHeight(block.height);
    element.setBackStyle(block.backStyle);
    element.setBackColour(block.backColour);
    element.setForeColour(block.foreColour);
    element.setAlignment(block.alignment);
    element.setBorderStyle(block.borderStyle);
    element.setTag(block.link);
}

void applyBlock(ElementPicture &element, const PictureBlock &block)
{
    element.setExactLeft(block.left);
    element.setExactTop(block.top);
    element.setExactWidth(block.width);
    element.setExactHeight(block.height);
    element.setTag(block.link);
    element.setBorderStyle(block.borderStyle);
}

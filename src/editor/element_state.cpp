#include "editor/element_state.h"

#include "app/canvas.h"
#include "app/main_window.h"
#include "page/element_blocks.h"

#include <QListWidget>

#include <type_traits>

namespace {

QString pictureSource(const Form1 &window, int slot)
{
    const QListWidgetItem *row = window.lstPictureUrls->item(slot);
    return row ? row->text() : QString();
}

} // namespace

ElementKind kindOf(const ElementBlock &block)
{
    if (std::holds_alternative<ButtonBlock>(block))
        return ElementKind::Button;
    if (std::holds_alternative<LabelBlock>(block))
        return ElementKind::Label;
    return ElementKind::Picture;
}

int slotOf(const ElementBlock &block)
{
    return std::visit([](const auto &element) { return element.slot; }, block);
}

void setSlot(ElementBlock &block, int slot)
{
    std::visit([slot](auto &element) { element.slot = slot; }, block);
}

QPointF positionOf(const ElementBlock &block)
{
    return std::visit([](const auto &element) { return QPointF(element.left, element.top); },
                      block);
}

void setPosition(ElementBlock &block, QPointF position)
{
    std::visit(
        [position](auto &element) {
            element.left = float(position.x());
            element.top = float(position.y());
        },
        block);
}

void setCaption(ElementBlock &block, const QString &caption)
{
    std::visit(
        [&caption](auto &element) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(element)>, PictureBlock>)
                element.caption = caption;
        },
        block);
}

ElementState captureElement(const Form1 &window, ElementKind kind, int slot)
{
    ElementState state;
    switch (kind) {
    case ElementKind::Button:
        state.block = describeButton(*window.button(slot));
        break;
    case ElementKind::Label:
        state.block = describeLabel(*window.label(slot));
        break;
    case ElementKind::Picture:
        state.block = describePicture(*window.picture(slot), pictureSource(window, slot));
        state.image = window.picture(slot)->image();
        break;
    }
    state.shown = !window.element(kind, slot)->widget()->isHidden();
    return state;
}

void restoreElement(Form1 &window, const ElementState &state)
{
    const int slot = slotOf(state.block);
    PageElement *element = window.element(kindOf(state.block), slot);
    if (!element)
        return;
    if (const auto *button = std::get_if<ButtonBlock>(&state.block)) {
        applyBlock(*window.button(slot), *button);
    } else if (const auto *label = std::get_if<LabelBlock>(&state.block)) {
        applyBlock(*window.label(slot), *label);
    } else if (const auto *picture = std::get_if<PictureBlock>(&state.block)) {
        // The picture first: taking one gives the element the picture's size, which the block's
        // size then replaces.
        window.picture(slot)->setImage(state.image);
        applyBlock(*window.picture(slot), *picture);
        while (window.lstPictureUrls->count() <= slot)
            window.lstPictureUrls->addItem(QString());
        window.lstPictureUrls->item(slot)->setText(picture->source);
    }
    element->widget()->setVisible(state.shown);
}

PageState capturePage(const Form1 &window)
{
    return {window.PageTitle, window.WorkSpace->backColour(), window.WorkSpace->tag(),
            window.WorkSpace->picture()};
}

void restorePage(Form1 &window, const PageState &state)
{
    window.PageTitle = state.title;
    window.WorkSpace->setBackColour(state.colour);
    window.WorkSpace->setTag(state.background);
    window.WorkSpace->setPicture(state.picture);
}

qint16 &slotCounter(Form1 &window, ElementKind kind)
{
    switch (kind) {
    case ElementKind::Button:
        return window.ButtonCount;
    case ElementKind::Label:
        return window.LabelCount;
    case ElementKind::Picture:
        break;
    }
    return window.PictureCount;
}

#include "app/canvas.h"
#include "app/main_window.h"
#include "app/system_colours.h"

#include <QListWidget>

namespace {

template <typename Element>
Element *slotOf(const std::array<Element *, Form1::SlotCount + 1> &pool, int slot)
{
    if (slot < 0 || slot > Form1::SlotCount)
        return nullptr;
    return pool[std::size_t(slot)];
}

} // namespace

void Form1::createSlots()
{
    // Slot 0 of each pool is the template with the design values; a slot never used is saved
    // with exactly these values.
    auto *buttonTemplate = new ElementButton(0, this, WorkSpace);
    buttonTemplate->setCaption(FreeSlotMarker);
    buttonTemplate->setExactLeft(8);
    buttonTemplate->setExactTop(0);
    buttonTemplate->setExactWidth(81);
    buttonTemplate->setExactHeight(33);
    buttonTemplate->hide();
    Buttonn[0] = buttonTemplate;

    auto *labelTemplate = new ElementLabel(0, this, WorkSpace);
    labelTemplate->setCaption(FreeSlotMarker);
    labelTemplate->setExactLeft(32);
    labelTemplate->setExactTop(88);
    labelTemplate->setExactWidth(69);
    labelTemplate->setExactHeight(13);
    labelTemplate->setFontSize(8.25f);
    labelTemplate->setBackStyle(1);
    labelTemplate->setAlignment(0);
    labelTemplate->setBorderStyle(0);
    labelTemplate->setBackColour(SystemColour::ButtonFace);
    labelTemplate->setForeColour(SystemColour::WindowText);
    labelTemplate->hide();
    Labell[0] = labelTemplate;

    auto *pictureTemplate = new ElementPicture(0, this, WorkSpace);
    pictureTemplate->setExactLeft(112);
    pictureTemplate->setExactTop(16);
    pictureTemplate->setExactWidth(49);
    pictureTemplate->setExactHeight(49);
    pictureTemplate->setBorderStyle(1);
    pictureTemplate->hide();
    Picturee[0] = pictureTemplate;

    for (int slot = 1; slot <= SlotCount; ++slot) {
        Buttonn[slot] = new ElementButton(slot, this, WorkSpace);
        Buttonn[slot]->copyFrom(*buttonTemplate);
        Labell[slot] = new ElementLabel(slot, this, WorkSpace);
        Labell[slot]->copyFrom(*labelTemplate);
        Picturee[slot] = new ElementPicture(slot, this, WorkSpace);
        Picturee[slot]->copyFrom(*pictureTemplate);
    }
    // New buttons were created after the lower layer; keep every button above it.
    for (ElementButton *element : Buttonn)
        element->raise();
    shp->raise();
}

ElementButton *Form1::button(int slot) const
{
    return slotOf(Buttonn, slot);
}

ElementLabel *Form1::label(int slot) const
{
    return slotOf(Labell, slot);
}

ElementPicture *Form1::picture(int slot) const
{
    return slotOf(Picturee, slot);
}

void Form1::LockElements()
{
    // Slots 0 to 99: slot 100 keeps the template's automatic drag mode in both modes.
    for (int slot = 0; slot != SlotCount; ++slot) {
        Buttonn[slot]->setDragMode(DragMode::Manual);
        Labell[slot]->setDragMode(DragMode::Manual);
        Picturee[slot]->setDragMode(DragMode::Manual);
    }
}

void Form1::UnlockElements()
{
    for (int slot = 0; slot != SlotCount; ++slot) {
        Buttonn[slot]->setDragMode(DragMode::Automatic);
        Labell[slot]->setDragMode(DragMode::Automatic);
        Picturee[slot]->setDragMode(DragMode::Automatic);
    }
}

void Form1::ClearPage()
{
    // Slots 0 to 99 only: the elements of slot 100 keep their visibility.
    for (int slot = 0; slot != SlotCount; ++slot) {
        Buttonn[slot]->hide();
        Labell[slot]->hide();
        Picturee[slot]->hide();
    }
    WorkSpace->setPicture(QImage());
    WorkSpace->setBackColour(0);
    PageTitle.clear();
    setPageAddress(QString());
    ButtonCount = 0;
    LabelCount = 0;
    PictureCount = 0;
}

#include "app/canvas.h"
#include "app/element_accessibility.h"
#include "app/element_events.h"
#include "app/main_window.h"
#include "app/system_colours.h"
#include "browser/picture_queue.h"

#include <QListWidget>
#include <QUndoStack>

namespace {

template <typename Element>
Element *slotOf(const std::array<Element *, Form1::SlotCount + 1> &pool, int slot)
{
    if (slot < 0 || slot > Form1::SlotCount)
        return nullptr;
    return pool[std::size_t(slot)];
}

// Every slot, 100 included, follows the mode for the keyboard.
void setBrowsing(const Form1 &window, bool browsing)
{
    for (int slot = 0; slot <= Form1::SlotCount; ++slot) {
        window.button(slot)->setBrowsing(browsing);
        window.label(slot)->setBrowsing(browsing);
        window.picture(slot)->setBrowsing(browsing);
    }
}

} // namespace

void Form1::createSlots()
{
    // Before the first element exists, so that screen readers see every element as one.
    installElementAccessibility();
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
        Labell[slot] = new ElementLabel(slot, this, WorkSpace);
        Picturee[slot] = new ElementPicture(slot, this, WorkSpace);
        emptySlot(slot);
    }
    auto *forwarder = new ElementEventForwarder(this);
    for (int slot = 0; slot <= SlotCount; ++slot) {
        Buttonn[slot]->installEventFilter(forwarder);
        Labell[slot]->installEventFilter(forwarder);
        Picturee[slot]->installEventFilter(forwarder);
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

PageElement *Form1::element(ElementKind kind, int slot) const
{
    switch (kind) {
    case ElementKind::Button:
        return button(slot);
    case ElementKind::Label:
        return label(slot);
    case ElementKind::Picture:
        return picture(slot);
    }
    return nullptr;
}

void Form1::emptySlot(int slot)
{
    Buttonn[slot]->resetTo(*Buttonn[0]);
    Labell[slot]->resetTo(*Labell[0]);
    Picturee[slot]->resetTo(*Picturee[0]);
    if (QListWidgetItem *source = lstPictureUrls->item(slot))
        source->setText(QString());
}

void Form1::LockElements()
{
    for (int slot = 0; slot <= SlotCount; ++slot) {
        Buttonn[slot]->setDragMode(DragMode::Manual);
        Labell[slot]->setDragMode(DragMode::Manual);
        Picturee[slot]->setDragMode(DragMode::Manual);
    }
    setBrowsing(*this, true);
    refreshEditing();
}

void Form1::UnlockElements()
{
    for (int slot = 0; slot <= SlotCount; ++slot) {
        Buttonn[slot]->setDragMode(DragMode::Automatic);
        Labell[slot]->setDragMode(DragMode::Automatic);
        Picturee[slot]->setDragMode(DragMode::Automatic);
    }
    setBrowsing(*this, false);
    refreshEditing();
}

// A cleared page holds nothing of the page before it: every slot is as it was at start-up, so that
// a new page, and the file saved from it, has only what the user puts there.
void Form1::ClearPage()
{
    ++m_pageGeneration;
    m_pageShown = true;
    m_selectionOnPage = false;
    m_undoStack->clear();
    // The pictures queued for the page go with it.
    m_pictureQueue->clear();
    Buttonn[0]->hide();
    Labell[0]->hide();
    Picturee[0]->hide();
    for (int slot = 1; slot <= SlotCount; ++slot)
        emptySlot(slot);
    WorkSpace->setPicture(QImage());
    WorkSpace->setBackColour(0);
    WorkSpace->setTag(QString());
    PageTitle.clear();
    setPageAddress(QString());
    m_pageFilePath.clear();
    ButtonCount = 0;
    LabelCount = 0;
    PictureCount = 0;
    showStatus(QString());
    refreshEditing();
}

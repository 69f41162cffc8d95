#include "app/main_window.h"

#include "editor/edit_commands.h"
#include "editor/element_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QUndoStack>

namespace {

// How far right of and below its original a pasted or duplicated element lands.
constexpr float CopyOffset = 10;

ElementBlock blockOf(const Form1 &window, const PageElement &element)
{
    return captureElement(window, element.kind(), element.index()).block;
}

} // namespace

void Form1::mnuCopy_Click()
{
    const PageElement *element = BrowserMode ? nullptr : selectedElement();
    if (!element)
        return;
    QGuiApplication::clipboard()->setMimeData(clipboardData(blockOf(*this, *element)));
}

void Form1::mnuCut_Click()
{
    if (BrowserMode || !selectedElement())
        return;
    mnuCopy_Click();
    removeSelection(tr("Cut"));
}

void Form1::mnuDelete_Click()
{
    removeSelection(tr("Delete"));
}

// The slot is hidden and, for a button or a label, given the free-slot marker as its caption, as
// a slot that never held an element has: saved now, the page leaves the element out for good.
// The counters stay, as everything that numbers the slots after it does.
void Form1::removeSelection(const QString &verb)
{
    const PageElement *element = BrowserMode ? nullptr : selectedElement();
    if (!element)
        return;
    const ElementState before = captureElement(*this, element->kind(), element->index());
    ElementState after = before;
    after.shown = false;
    setCaption(after.block, FreeSlotMarker);
    m_undoStack->push(new DeleteCommand(*this, verb, before, after));
}

void Form1::mnuPaste_Click()
{
    if (BrowserMode)
        return;
    if (const std::optional<ElementBlock> copy =
            elementFromClipboard(QGuiApplication::clipboard()->mimeData()))
        pasteCopy(*copy, tr("Paste"));
}

void Form1::mnuDuplicate_Click()
{
    const PageElement *element = BrowserMode ? nullptr : selectedElement();
    if (element)
        pasteCopy(blockOf(*this, *element), tr("Duplicate"));
}

// The copy takes the next slot of its kind, as a placed element does; a full kind refuses it.
// A picture's copy is fetched again from its source.
void Form1::pasteCopy(const ElementBlock &copy, const QString &verb)
{
    const ElementKind kind = kindOf(copy);
    showStatus(QString());
    const std::optional<int> slot = nextFreeSlot(kind);
    if (!slot)
        return;
    ElementState after;
    after.block = copy;
    setSlot(after.block, *slot);
    setPosition(after.block, positionOf(copy) + QPointF(CopyOffset, CopyOffset));
    after.shown = true;
    m_undoStack->push(new PasteCommand(*this, verb, captureElement(*this, kind, *slot), after,
                                       slotCounter(*this, kind)));
}

void Form1::nudgeSelection(int dx, int dy, bool resize)
{
    const PageElement *element = BrowserMode ? nullptr : selectedElement();
    if (!element)
        return;
    const ElementGeometry before = geometryOf(*element);
    const ElementGeometry after = nudgedGeometry(before, dx, dy, resize);
    if (after != before)
        m_undoStack->push(new NudgeCommand(*this, resize ? tr("Resize") : tr("Move"), *element,
                                           before, after, resize));
}

#include "editor/edit_commands.h"

#include "app/canvas.h"
#include "app/main_window.h"
#include "browser/picture_queue.h"

#include <utility>

namespace {

QString stepText(const QString &verb, ElementKind kind, int slot)
{
    return QStringLiteral("%1 %2 %3").arg(verb, kindName(kind)).arg(slot);
}

void requestPicture(Form1 &window, const QString &reference, const QString &target)
{
    if (!reference.isEmpty())
        window.pictureRequests().append(reference, target, window.editedPageAddress());
}

} // namespace

SlotEdit::SlotEdit(Form1 &window, const QString &verb, ElementState before, ElementState after)
    : m_window(window), m_before(std::move(before)), m_after(std::move(after))
{
    setText(stepText(verb, kindOf(m_after.block), slotOf(m_after.block)));
}

void SlotEdit::undo()
{
    restoreElement(m_window, m_before);
    if (PageElement *changed = element())
        m_window.showEdited(changed);
}

void SlotEdit::redo()
{
    restoreElement(m_window, m_after);
    redone(!std::exchange(m_pushed, true));
}

void SlotEdit::redone(bool first)
{
    if (PageElement *changed = element(); changed && !first)
        m_window.showEdited(changed);
}

PageElement *SlotEdit::element() const
{
    return m_window.element(kindOf(m_after.block), slotOf(m_after.block));
}

PlaceCommand::PlaceCommand(Form1 &window, const QString &verb, ElementState before,
                           ElementState after, qint16 counterBefore)
    : SlotEdit(window, verb, std::move(before), std::move(after)), m_counterBefore(counterBefore)
{}

void PlaceCommand::undo()
{
    slotCounter(window(), kindOf(after().block)) = m_counterBefore;
    SlotEdit::undo();
}

void PlaceCommand::redo()
{
    slotCounter(window(), kindOf(after().block)) = qint16(slotOf(after().block));
    SlotEdit::redo();
}

void PlaceCommand::redone(bool first)
{
    if (PageElement *placed = element())
        window().WorkSpace->bringToFront(placed);
    // A new element is not selected when it is placed; the panels keep what they showed.
    SlotEdit::redone(first);
}

PasteCommand::PasteCommand(Form1 &window, const QString &verb, ElementState before,
                           ElementState after, qint16 counterBefore)
    : PlaceCommand(window, verb, std::move(before), std::move(after), counterBefore)
{}

void PasteCommand::redone(bool)
{
    if (const auto *picture = std::get_if<PictureBlock>(&after().block))
        requestPicture(window(), picture->source, QString::number(picture->slot));
    if (PageElement *pasted = element()) {
        window().WorkSpace->bringToFront(pasted);
        window().selectElement(pasted);
    }
}

ApplyCommand::ApplyCommand(Form1 &window, const QString &verb, ElementState before,
                           ElementState after, QString pictureRequest)
    : SlotEdit(window, verb, std::move(before), std::move(after)),
      m_pictureRequest(std::move(pictureRequest))
{}

void ApplyCommand::redone(bool first)
{
    requestPicture(window(), m_pictureRequest, QString::number(slotOf(after().block)));
    // The first time, the panel already shows what was applied, as the user typed it.
    SlotEdit::redone(first);
}

DeleteCommand::DeleteCommand(Form1 &window, const QString &verb, ElementState before,
                             ElementState after)
    : SlotEdit(window, verb, std::move(before), std::move(after))
{}

void DeleteCommand::redone(bool)
{
    // The element was the selection; now that it is gone the canvas is.
    if (PageElement *deleted = element())
        window().showEdited(deleted);
}

ApplyPageCommand::ApplyPageCommand(Form1 &window, const QString &text, PageState before,
                                   PageState after, QString pictureRequest)
    : m_window(window), m_before(std::move(before)), m_after(std::move(after)),
      m_pictureRequest(std::move(pictureRequest))
{
    setText(text);
}

void ApplyPageCommand::undo()
{
    restorePage(m_window, m_before);
    m_window.selectCanvas();
}

void ApplyPageCommand::redo()
{
    restorePage(m_window, m_after);
    requestPicture(m_window, m_pictureRequest, PictureQueue::BackgroundTarget);
    if (std::exchange(m_pushed, true))
        m_window.selectCanvas();
}

GeometryEdit::GeometryEdit(Form1 &window, const QString &verb, const PageElement &element,
                           ElementGeometry before, ElementGeometry after)
    : m_before(before), m_after(after), m_window(window), m_kind(element.kind()),
      m_slot(element.index())
{
    setText(stepText(verb, m_kind, m_slot));
}

void GeometryEdit::undo()
{
    show(m_after, m_before);
}

void GeometryEdit::redo()
{
    show(m_before, m_after);
}

bool GeometryEdit::sameElement(const GeometryEdit &other) const
{
    return m_kind == other.m_kind && m_slot == other.m_slot;
}

void GeometryEdit::show(const ElementGeometry &from, const ElementGeometry &to)
{
    PageElement *element = m_window.element(m_kind, m_slot);
    if (!element)
        return;
    changeGeometry(*element, from, to);
    if (std::exchange(m_pushed, true))
        m_window.showEdited(element);
    else
        m_window.refreshPanelPlace(element);
}

MoveCommand::MoveCommand(Form1 &window, const QString &verb, const PageElement &element,
                         ElementGeometry before, ElementGeometry after)
    : GeometryEdit(window, verb, element, before, after)
{}

ResizeCommand::ResizeCommand(Form1 &window, const QString &verb, const PageElement &element,
                             ElementGeometry before, ElementGeometry after)
    : GeometryEdit(window, verb, element, before, after)
{}

NudgeCommand::NudgeCommand(Form1 &window, const QString &verb, const PageElement &element,
                           ElementGeometry before, ElementGeometry after, bool resizes)
    : GeometryEdit(window, verb, element, before, after), m_resizes(resizes)
{}

int NudgeCommand::id() const
{
    return 1;
}

bool NudgeCommand::mergeWith(const QUndoCommand *other)
{
    const auto *nudge = static_cast<const NudgeCommand *>(other);
    if (!sameElement(*nudge) || nudge->m_resizes != m_resizes)
        return false;
    m_after = nudge->m_after;
    setObsolete(m_after == m_before);
    return true;
}

#pragma once

#include "editor/element_geometry.h"
#include "editor/element_state.h"

#include <QUndoCommand>

class Form1;
class PageElement;

// The steps of the window's undo stack, one class per kind of edit. Pushing a step makes its edit;
// its text names the edit and the element ("Move Button 3"). When a step is undone or redone
// later, the element it changed is selected, so that the user sees what changed; one that is no
// longer shown gives the selection to the canvas.

// An edit of a whole slot, kept as the slot's state before and after it.
class SlotEdit : public QUndoCommand
{
public:
    SlotEdit(Form1 &window, const QString &verb, ElementState before, ElementState after);
    void undo() override;
    void redo() override;

protected:
    // What a step does beyond restoring the slot: `first` tells the push from a later redo.
    virtual void redone(bool first);
    PageElement *element() const;
    Form1 &window() const { return m_window; }
    const ElementState &after() const { return m_after; }

private:
    Form1 &m_window;
    ElementState m_before;
    ElementState m_after;
    bool m_pushed = false;
};

// A new element put into the next slot of its kind: the kind's counter moves with it.
class PlaceCommand : public SlotEdit
{
public:
    PlaceCommand(Form1 &window, const QString &verb, ElementState before, ElementState after,
                 qint16 counterBefore);
    void undo() override;
    void redo() override;

protected:
    void redone(bool first) override;

private:
    qint16 m_counterBefore;
};

// A copy put into the next slot of its kind, by Paste or Duplicate: it is selected, and its
// picture, if it names one, is fetched.
class PasteCommand : public PlaceCommand
{
public:
    PasteCommand(Form1 &window, const QString &verb, ElementState before, ElementState after,
                 qint16 counterBefore);

protected:
    void redone(bool first) override;
};

// Apply on an element's panel. Redoing it applies again and fetches the picture it names again.
class ApplyCommand : public SlotEdit
{
public:
    ApplyCommand(Form1 &window, const QString &verb, ElementState before, ElementState after,
                 QString pictureRequest);

protected:
    void redone(bool first) override;

private:
    QString m_pictureRequest;
};

// Delete, or the removing half of Cut: the canvas is selected once it is done.
class DeleteCommand : public SlotEdit
{
public:
    DeleteCommand(Form1 &window, const QString &verb, ElementState before, ElementState after);

protected:
    void redone(bool first) override;
};

// Apply on the canvas's panel: the title, colour and background picture of the page.
class ApplyPageCommand : public QUndoCommand
{
public:
    ApplyPageCommand(Form1 &window, const QString &text, PageState before, PageState after,
                     QString pictureRequest);
    void undo() override;
    void redo() override;

private:
    Form1 &m_window;
    PageState m_before;
    PageState m_after;
    QString m_pictureRequest;
    bool m_pushed = false;
};

// A change of an element's place or size, by a drag, a handle or the arrow keys. The panel's
// fields follow it.
class GeometryEdit : public QUndoCommand
{
public:
    GeometryEdit(Form1 &window, const QString &verb, const PageElement &element,
                 ElementGeometry before, ElementGeometry after);
    void undo() override;
    void redo() override;

protected:
    bool sameElement(const GeometryEdit &other) const;
    ElementGeometry m_before;
    ElementGeometry m_after;

private:
    void show(const ElementGeometry &from, const ElementGeometry &to);
    Form1 &m_window;
    ElementKind m_kind;
    int m_slot;
    bool m_pushed = false;
};

class MoveCommand : public GeometryEdit
{
public:
    MoveCommand(Form1 &window, const QString &verb, const PageElement &element,
                ElementGeometry before, ElementGeometry after);
};

class ResizeCommand : public GeometryEdit
{
public:
    ResizeCommand(Form1 &window, const QString &verb, const PageElement &element,
                  ElementGeometry before, ElementGeometry after);
};

// An arrow key's move or resize. Consecutive ones of the same element and of the same sort make
// one step; a run that ends where it began leaves none.
class NudgeCommand : public GeometryEdit
{
public:
    NudgeCommand(Form1 &window, const QString &verb, const PageElement &element,
                 ElementGeometry before, ElementGeometry after, bool resizes);
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    bool m_resizes;
};

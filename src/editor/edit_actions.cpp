#include "app/main_window.h"

#include "app/canvas.h"
#include "editor/edit_commands.h"
#include "editor/selection_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

#include <utility>

namespace {

struct Direction
{
    const char *name;
    Qt::Key key;
    int dx;
    int dy;
};

constexpr Direction Directions[] = {
    {"Left", Qt::Key_Left, -1, 0},
    {"Right", Qt::Key_Right, 1, 0},
    {"Up", Qt::Key_Up, 0, -1},
    {"Down", Qt::Key_Down, 0, 1},
};

// Shift makes a key's step this many pixels instead of one.
constexpr int FarStep = 10;

} // namespace

void Form1::createEditActions()
{
    m_editorActions = new QActionGroup(this);
    m_editorActions->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);

    // The stack names the step in the actions' texts: "Undo Move Button 3".
    mnuUndo = m_undoStack->createUndoAction(this, tr("Undo"));
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuUndo->setStatusTip(tr("Take back the last edit of the page"));
    mnuRedo = m_undoStack->createRedoAction(this, tr("Redo"));
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mnuRedo->setStatusTip(tr("Make the edit taken back again"));
    // Connected after the actions' own connections, so that browser mode keeps them disabled.
    connect(m_undoStack, &QUndoStack::canUndoChanged, this, &Form1::refreshEditing);
    connect(m_undoStack, &QUndoStack::canRedoChanged, this, &Form1::refreshEditing);

    auto makeAction = [this](const char *name, const QString &text, const QString &tip,
                             void (Form1::*handler)()) {
        auto *action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        action->setStatusTip(tip);
        connect(action, &QAction::triggered, this, handler);
        m_editorActions->addAction(action);
        return action;
    };
    mnuCut = makeAction("mnuCut", tr("Cut"), tr("Move the selected element to the clipboard"),
                        &Form1::mnuCut_Click);
    mnuCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuCopy = makeAction("mnuCopy", tr("Copy"), tr("Copy the selected element to the clipboard"),
                         &Form1::mnuCopy_Click);
    mnuCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuPaste = makeAction("mnuPaste", tr("Paste"), tr("Put the element on the clipboard here"),
                          &Form1::mnuPaste_Click);
    mnuPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuDuplicate =
        makeAction("mnuDuplicate", tr("Duplicate"),
                   tr("Put a copy of the selected element beside it"), &Form1::mnuDuplicate_Click);
    mnuDuplicate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuDelete = makeAction("mnuDelete", tr("Delete"), tr("Remove the selected element"),
                           &Form1::mnuDelete_Click);
    // Delete and Backspace belong to a text field while one is typed in: they work on the
    // selected element only while the canvas or an element has the keyboard.
    mnuDelete->setShortcuts({QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Backspace)});
    mnuDelete->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    WorkSpace->addAction(mnuDelete);

    mnuInsertButton = makeAction("mnuInsertButton", tr("Button"),
                                 tr("Place a button where the canvas is pressed next"),
                                 &Form1::cmdAddButton_Click);
    mnuInsertLabel =
        makeAction("mnuInsertLabel", tr("Label"),
                   tr("Place a label where the canvas is pressed next"), &Form1::cmdAddLabel_Click);
    mnuInsertPicture = makeAction("mnuInsertPicture", tr("Picture"),
                                  tr("Place a picture where the canvas is pressed next"),
                                  &Form1::cmdAddPicture_Click);

    // The arrow keys move the selected element, with Ctrl they size it, with Shift by ten pixels.
    for (const Direction &direction : Directions) {
        for (const bool resize : {false, true}) {
            for (const bool far : {false, true}) {
                const int step = far ? FarStep : 1;
                const QString name = QStringLiteral("%1%2%3").arg(
                    resize ? QStringLiteral("resize") : QStringLiteral("move"),
                    QLatin1String(direction.name), far ? QStringLiteral("Far") : QString());
                auto *action = new QAction(this);
                action->setObjectName(name);
                const Qt::KeyboardModifiers modifiers =
                    (resize ? Qt::ControlModifier : Qt::NoModifier) |
                    (far ? Qt::ShiftModifier : Qt::NoModifier);
                action->setShortcut(QKeySequence(QKeyCombination(modifiers, direction.key)));
                action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
                connect(action, &QAction::triggered, this, [this, direction, step, resize] {
                    nudgeSelection(direction.dx * step, direction.dy * step, resize);
                });
                m_editorActions->addAction(action);
                WorkSpace->addAction(action);
            }
        }
    }

    cancelPlacementAction = new QAction(tr("Cancel Placement"), this);
    cancelPlacementAction->setObjectName(QStringLiteral("cancelPlacement"));
    cancelPlacementAction->setShortcut(QKeySequence(Qt::Key_Escape));
    cancelPlacementAction->setEnabled(false);
    connect(cancelPlacementAction, &QAction::triggered, this, &Form1::cancelPlacement);
    addAction(cancelPlacementAction);

    connect(m_selectionFrame, &SelectionFrame::resizeStarted, this,
            [this] { m_resizeStart.reset(); });
    connect(m_selectionFrame, &SelectionFrame::resizing, this,
            [this](ResizeHandle handle, QPoint travel) { resizeSelection(handle, travel, false); });
    connect(m_selectionFrame, &SelectionFrame::resizeFinished, this,
            [this](ResizeHandle handle, QPoint travel) { resizeSelection(handle, travel, true); });
}

void Form1::createEditMenus()
{
    mnuEdit = menuBar()->addMenu(tr("Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEdit->addAction(mnuUndo);
    mnuEdit->addAction(mnuRedo);
    mnuEdit->addSeparator();
    mnuEdit->addAction(mnuCut);
    mnuEdit->addAction(mnuCopy);
    mnuEdit->addAction(mnuPaste);
    mnuEdit->addAction(mnuDuplicate);
    mnuEdit->addAction(mnuDelete);

    mnuInsert = menuBar()->addMenu(tr("Insert"));
    mnuInsert->setObjectName(QStringLiteral("mnuInsert"));
    mnuInsert->addAction(mnuInsertButton);
    mnuInsert->addAction(mnuInsertLabel);
    mnuInsert->addAction(mnuInsertPicture);
}

// The element follows the handle live; the step is pushed when the handle is let go.
void Form1::resizeSelection(ResizeHandle handle, QPoint travel, bool finished)
{
    auto *element = dynamic_cast<PageElement *>(m_selectionFrame->target());
    if (!element || BrowserMode)
        return;
    const ElementGeometry current = geometryOf(*element);
    if (!m_resizeStart)
        m_resizeStart = current;
    const ElementGeometry resized = resizedGeometry(*m_resizeStart, handle, travel);
    if (!finished) {
        changeGeometry(*element, current, resized);
        refreshPanelPlace(element);
        return;
    }
    const ElementGeometry start = *std::exchange(m_resizeStart, std::nullopt);
    changeGeometry(*element, current, start);
    if (resized != start)
        m_undoStack->push(new ResizeCommand(*this, tr("Resize"), *element, start, resized));
}

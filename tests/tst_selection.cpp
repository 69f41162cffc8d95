#include "app/canvas.h"
#include "app/main_window.h"
#include "app/tag.h"
#include "support/edit_fixtures.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedLayout>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

Q_DECLARE_METATYPE(ResizeHandle)

// The selection as the user sees and handles it: the frame and its handles, the keys that move,
// size and delete the selected element, and the placements armed from the Insert menu.
class SelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void frameSurroundsTheSelectedElement();
    void frameStaysAboveElementsBroughtForward();
    void frameIsNeverShownWithoutAnElementToEdit();
    void handlesResize_data();
    void handlesResize();
    void fieldsFollowAResizeAsItHappens();
    void arrowKeysMoveAndSize_data();
    void arrowKeysMoveAndSize();
    void arrowsLeaveElementsAloneWhileAFieldIsTypedIn_data();
    void arrowsLeaveElementsAloneWhileAFieldIsTypedIn();
    void deleteRemovesTheSelectedElement_data();
    void deleteRemovesTheSelectedElement();
    void deletedElementsStayGoneAfterSaveAndOpen();
    void deleteWithTheCanvasSelectedRemovesNothing();
    void selectionOfAPageBeforeActsOnNothing();
    void insertMenuArmsEachKind_data();
    void insertMenuArmsEachKind();
    void escapeDisarmsThePlacement();

private:
    std::unique_ptr<Form1> window;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<QTemporaryDir> directory;
};

namespace {

QRectF exactGeometry(const PageElement *element)
{
    return QRectF(element->exactLeft(), element->exactTop(), element->exactWidth(),
                  element->exactHeight());
}

// The stacking order of the canvas's children, bottom first.
int depthOf(Form1 &window, QWidget *widget)
{
    return int(window.canvas()->children().indexOf(widget));
}

} // namespace

void SelectionTest::init()
{
    openEditingWindow(directory, window, dialogs);
}

void SelectionTest::cleanup()
{
    window.reset();
    directory.reset();
}

void SelectionTest::frameSurroundsTheSelectedElement()
{
    SelectionFrame *frame = window->selectionFrame();
    QVERIFY(!frame->isVisible());
    for (PageElement *element : std::initializer_list<PageElement *>{
             window->label(1), window->picture(1), window->button(2)}) {
        clickElement(element);
        QVERIFY(frame->isVisible());
        const int margin = SelectionFrame::Margin;
        QCOMPARE(frame->geometry(),
                 element->widget()->geometry().adjusted(-margin, -margin, margin, margin));
        // The frame lies above every element; within it, the element takes its own clicks.
        for (int slot = 0; slot <= Form1::SlotCount; ++slot)
            QVERIFY(depthOf(*window, frame) > depthOf(*window, window->button(slot)));
        QCOMPARE(window->canvas()->childAt(element->widget()->geometry().center()),
                 element->widget());
    }
    // The frame follows its element wherever it goes.
    window->button(2)->setExactLeft(200);
    QCOMPARE(frame->x(), 200 - SelectionFrame::Margin);
}

void SelectionTest::frameStaysAboveElementsBroughtForward()
{
    clickElement(window->label(1));
    // A button placed over the label lies above it, and the frame above the button.
    window->mnuInsertButton->trigger();
    QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, QPoint(200, 30));
    SelectionFrame *frame = window->selectionFrame();
    QVERIFY(depthOf(*window, frame) > depthOf(*window, window->button(3)));
    QCOMPARE(window->canvas()->childAt(frame->geometry().topLeft() + QPoint(1, 1)), frame);
}

void SelectionTest::frameIsNeverShownWithoutAnElementToEdit()
{
    SelectionFrame *frame = window->selectionFrame();
    clickElement(window->button(1));
    QVERIFY(frame->isVisible());
    QTest::mouseClick(window->canvas(), Qt::RightButton, {}, QPoint(350, 300));
    QVERIFY(!frame->isVisible());

    clickElement(window->button(1));
    window->mnuInternet->trigger();
    QVERIFY(!frame->isVisible());
    window->mnuWorkspace->trigger();
    // Entering editor mode cleared the page: the selected slot is empty now.
    QVERIFY(!frame->isVisible());
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("Button"));

    openEditablePage(*window, *directory);
    clickElement(window->button(1));
    window->button(1)->hide();
    QVERIFY(!frame->isVisible());
    window->button(1)->show();
    QVERIFY(frame->isVisible());
    // Nothing of it is saved.
    QVERIFY(!savedPage(*window, *dialogs, *directory).contains(QLatin1String("frame")));
}

void SelectionTest::handlesResize_data()
{
    QTest::addColumn<ResizeHandle>("handle");
    QTest::addColumn<QPoint>("travel");
    QTest::addColumn<QRectF>("resized");
    // Button 1 stands at (20, 20), 81 x 33.
    QTest::newRow("right") << ResizeHandle::Right << QPoint(19, 40) << QRectF(20, 20, 100, 33);
    QTest::newRow("bottom") << ResizeHandle::Bottom << QPoint(5, 7) << QRectF(20, 20, 81, 40);
    QTest::newRow("top-left") << ResizeHandle::TopLeft << QPoint(10, -5) << QRectF(30, 15, 71, 38);
    QTest::newRow("left past the right edge")
        << ResizeHandle::Left << QPoint(200, 0) << QRectF(100, 20, 1, 33);
    QTest::newRow("bottom-right") << ResizeHandle::BottomRight << QPoint(-11, 12)
                                  << QRectF(20, 20, 70, 45);
}

void SelectionTest::handlesResize()
{
    QFETCH(ResizeHandle, handle);
    QFETCH(QPoint, travel);
    QFETCH(QRectF, resized);
    ElementButton *button = window->button(1);
    clickElement(button);
    dragHandle(*window, handle, travel, 3);
    QCOMPARE(exactGeometry(button), resized);
    QCOMPARE(window->undoStack().count(), 1);
    QCOMPARE(window->mnuUndo->text(), QStringLiteral("Undo Resize Button 1"));
    QCOMPARE(window->txtcmdWidth->text(), QString::number(resized.width()));
    QCOMPARE(window->txtcmdX->text(), QString::number(resized.x()));
    window->mnuUndo->trigger();
    QCOMPARE(exactGeometry(button), QRectF(20, 20, 81, 33));
}

void SelectionTest::fieldsFollowAResizeAsItHappens()
{
    ElementLabel *label = window->label(1);
    clickElement(label);
    SelectionFrame *frame = window->selectionFrame();
    QWidget *canvas = window->canvas();
    const QPoint start = frame->mapTo(canvas, frame->handleRect(ResizeHandle::Right).center());
    QTest::mousePress(frame, Qt::LeftButton, {}, frame->mapFrom(canvas, start));
    QTest::mouseMove(frame, frame->mapFrom(canvas, start + QPoint(30, 0)));
    QCOMPARE(label->exactWidth(), 130.0f);
    QCOMPARE(window->txtlblWidth->text(), QStringLiteral("130"));
    QCOMPARE(frame->width(), 130 + 2 * SelectionFrame::Margin);
    // The step is made when the handle is let go.
    QCOMPARE(window->undoStack().count(), 0);
    QTest::mouseRelease(frame, Qt::LeftButton, {}, frame->mapFrom(canvas, start + QPoint(30, 0)));
    QCOMPARE(window->undoStack().count(), 1);
    QCOMPARE(label->exactWidth(), 130.0f);
}

void SelectionTest::arrowKeysMoveAndSize_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QRectF>("result");
    // Label 1 stands at (150, 20), 100 x 20.
    QTest::newRow("right") << int(Qt::Key_Right) << int(Qt::NoModifier) << QRectF(151, 20, 100, 20);
    QTest::newRow("left by ten") << int(Qt::Key_Left) << int(Qt::ShiftModifier)
                                 << QRectF(140, 20, 100, 20);
    QTest::newRow("up") << int(Qt::Key_Up) << int(Qt::NoModifier) << QRectF(150, 19, 100, 20);
    QTest::newRow("down by ten") << int(Qt::Key_Down) << int(Qt::ShiftModifier)
                                 << QRectF(150, 30, 100, 20);
    QTest::newRow("wider") << int(Qt::Key_Right) << int(Qt::ControlModifier)
                           << QRectF(150, 20, 101, 20);
    QTest::newRow("narrower by ten")
        << int(Qt::Key_Left) << int(Qt::ControlModifier | Qt::ShiftModifier)
        << QRectF(150, 20, 90, 20);
    QTest::newRow("lower") << int(Qt::Key_Up) << int(Qt::ControlModifier)
                           << QRectF(150, 20, 100, 19);
    QTest::newRow("taller by ten")
        << int(Qt::Key_Down) << int(Qt::ControlModifier | Qt::ShiftModifier)
        << QRectF(150, 20, 100, 30);
}

void SelectionTest::arrowKeysMoveAndSize()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QRectF, result);
    ElementLabel *label = window->label(1);
    clickElement(label);
    QTRY_VERIFY(window->canvas()->hasFocus());
    QTest::keyClick(window->canvas(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(exactGeometry(label), result);
    QCOMPARE(window->txtlblX->text(), QString::number(result.x()));
    QCOMPARE(window->txtlblHeight->text(), QString::number(result.height()));
}

void SelectionTest::arrowsLeaveElementsAloneWhileAFieldIsTypedIn_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::newRow("caption") << "txtcmdCaption";
    QTest::newRow("x") << "txtcmdX";
    QTest::newRow("link") << "txtcmdLink";
}

void SelectionTest::arrowsLeaveElementsAloneWhileAFieldIsTypedIn()
{
    QFETCH(QString, fieldName);
    ElementButton *button = window->button(2);
    clickElement(button);
    auto *field = window->Picture2->findChild<QLineEdit *>(fieldName);
    QVERIFY(field);
    field->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(field->hasFocus());
    const QString text = field->text();
    field->setCursorPosition(1);
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier)}) {
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
            QTest::keyClick(field, key, modifiers);
    }
    QCOMPARE(exactGeometry(button), QRectF(20, 80, 81, 33));
    QCOMPARE(window->undoStack().count(), 0);
    // Delete and Backspace edit the text, not the page.
    field->setCursorPosition(1);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), text.mid(2));
    QVERIFY(button->isVisible());
    QCOMPARE(window->undoStack().count(), 0);
}

void SelectionTest::deleteRemovesTheSelectedElement_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("kind");
    QTest::newRow("Delete on a button") << "Delete"
                                        << "Button";
    QTest::newRow("Backspace on a label") << "Backspace"
                                          << "Label";
    QTest::newRow("Edit > Delete on a picture") << "menu"
                                                << "Picture";
}

void SelectionTest::deleteRemovesTheSelectedElement()
{
    QFETCH(QString, how);
    QFETCH(QString, kind);
    PageElement *element = kind == "Button"  ? static_cast<PageElement *>(window->button(1))
                           : kind == "Label" ? static_cast<PageElement *>(window->label(1))
                                             : static_cast<PageElement *>(window->picture(1));
    clickElement(element);
    QTRY_VERIFY(window->canvas()->hasFocus());
    if (how == "Delete")
        QTest::keyClick(window->canvas(), Qt::Key_Delete);
    else if (how == "Backspace")
        QTest::keyClick(window->canvas(), Qt::Key_Backspace);
    else
        window->mnuDelete->trigger();

    QVERIFY(element->widget()->isHidden());
    if (auto *button = dynamic_cast<ElementButton *>(element))
        QCOMPARE(button->caption(), FreeSlotMarker);
    if (auto *label = dynamic_cast<ElementLabel *>(element))
        QCOMPARE(label->caption(), FreeSlotMarker);
    QCOMPARE(window->ButtonCount, 2);
    QCOMPARE(window->LabelCount, 1);
    QCOMPARE(window->PictureCount, 1);
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("WorkSpace"));
    QCOMPARE(window->panelStack->currentWidget(), window->pctWorkspace);
    QVERIFY(!window->selectionFrame()->isVisible());
}

void SelectionTest::deletedElementsStayGoneAfterSaveAndOpen()
{
    clickElement(window->button(1));
    window->mnuDelete->trigger();
    clickElement(window->picture(1));
    window->mnuDelete->trigger();
    const QString path = directory->filePath("deleted.qvif");
    dialogs->saveAnswers.enqueue(path);
    window->mnuSave->trigger();

    dialogs->openAnswers.enqueue(path);
    window->mnuOpen->trigger();
    QVERIFY(window->button(1)->isHidden());
    QVERIFY(window->button(2)->isVisible());
    QCOMPARE(window->button(2)->caption(), QStringLiteral("Two"));
    QVERIFY(window->label(1)->isVisible());
    // The file has no block for the picture; the slot the loader reads without one has nothing to
    // show and nothing to save.
    const QString saved = QString::fromUtf8(readBytes(path));
    QVERIFY(!saved.contains(QLatin1String("1px=")));
    QVERIFY(saved.contains(QLatin1String("1bcap=") + FreeSlotMarker));
    QCOMPARE(exactGeometry(window->picture(1)).size(), QSizeF(0, 0));
    QVERIFY(pictureSourceRow(*window, 1).isEmpty());
}

void SelectionTest::deleteWithTheCanvasSelectedRemovesNothing()
{
    QTest::mouseClick(window->canvas(), Qt::RightButton, {}, QPoint(350, 300));
    QTest::keyClick(window->canvas(), Qt::Key_Delete);
    window->mnuCut->trigger();
    window->mnuDuplicate->trigger();
    QCOMPARE(window->undoStack().count(), 0);
    for (PageElement *element : std::initializer_list<PageElement *>{
             window->button(1), window->button(2), window->label(1), window->picture(1)})
        QVERIFY(element->widget()->isVisible());
}

void SelectionTest::selectionOfAPageBeforeActsOnNothing()
{
    clickElement(window->button(1));
    QVERIFY(window->selectionFrame()->isVisible());
    // The same page opened again: button 1 is back in the slot the panel still names.
    openEditablePage(*window, *directory);
    QVERIFY(!window->selectionFrame()->isVisible());
    focusCanvas(*window);
    QTest::keyClick(window->canvas(), Qt::Key_Delete);
    QTest::keyClick(window->canvas(), Qt::Key_Right);
    window->mnuDuplicate->trigger();
    QCOMPARE(window->undoStack().count(), 0);
    QVERIFY(window->button(1)->isVisible());
    QCOMPARE(window->button(1)->exactLeft(), 20.0f);

    clickElement(window->button(1));
    QVERIFY(window->selectionFrame()->isVisible());
}

void SelectionTest::insertMenuArmsEachKind_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("slot");
    QTest::newRow("button") << "mnuInsertButton"
                            << "Button" << 3;
    QTest::newRow("label") << "mnuInsertLabel"
                           << "Label" << 2;
    QTest::newRow("picture") << "mnuInsertPicture"
                             << "Picture" << 2;
}

void SelectionTest::insertMenuArmsEachKind()
{
    QFETCH(QString, item);
    QFETCH(QString, kind);
    QFETCH(int, slot);
    auto *action = window->findChild<QAction *>(item);
    QVERIFY(action);
    QVERIFY(window->mnuInsert->actions().contains(action));
    action->trigger();
    QCOMPARE(window->PendingAdd, kind);
    QCOMPARE(window->canvas()->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, QPoint(300, 300));
    PageElement *placed = window->element(*kindNamed(kind), slot);
    QVERIFY(placed->widget()->isVisible());
    QVERIFY(window->PendingAdd.isEmpty());
    // The tool strip's picture tool stays out of sight all the same.
    QVERIFY(!window->cmdAddPicture->isVisible());
}

void SelectionTest::escapeDisarmsThePlacement()
{
    QVERIFY(!window->cancelPlacementAction->isEnabled());
    QTest::mouseClick(window->cmdAddLabel, Qt::LeftButton);
    QVERIFY(window->cancelPlacementAction->isEnabled());
    QTest::keyClick(window->cmdAddLabel, Qt::Key_Escape);
    QVERIFY(window->PendingAdd.isEmpty());
    QCOMPARE(window->canvas()->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!window->cancelPlacementAction->isEnabled());
    QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, QPoint(300, 300));
    QCOMPARE(window->LabelCount, 1);
    QVERIFY(window->label(2)->isHidden());
    // A placement kept armed through browser mode leaves Escape to the browser there.
    QTest::mouseClick(window->cmdAddLabel, Qt::LeftButton);
    window->mnuInternet->trigger();
    QVERIFY(!window->cancelPlacementAction->isEnabled());
    window->mnuWorkspace->trigger();
    QVERIFY(window->cancelPlacementAction->isEnabled());
}

QTEST_MAIN(SelectionTest)
#include "tst_selection.moc"

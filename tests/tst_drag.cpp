#include "app/canvas.h"
#include "app/main_window.h"
#include "app/tag.h"
#include "support/scripted_dialogs.h"

#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

// Moving elements by drag and drop. A real drag runs an event loop of its own that the offscreen
// platform cannot drive, so the window's drag runner is replaced: it receives the started drag and
// sends real drag-move and drop events to the canvas and the elements, as the desktop would.
class DragTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pressAndMoveStartsADragOfThatElement_data();
    void pressAndMoveStartsADragOfThatElement();
    void clickWithoutMoveSelectsAndDoesNotDrag();
    void dragKeepsThePointPressedUnderThePointer();
    void releaseWherePressedLeavesItInPlace_data();
    void releaseWherePressedLeavesItInPlace();
    void dropMovesByThePointersTravel_data();
    void dropMovesByThePointersTravel();
    void dropOverAnotherElementLeavesItUntouched_data();
    void dropOverAnotherElementLeavesItUntouched();
    void outlineFollowsOverCanvasAndElements();
    void releaseElsewhereHidesTheOutline();
    void dropRefreshesOnlyTheSelectedElementsFields();
    void hugeElementKeepsItsOutline();
    void dataFromElsewhereIsRefused();
    void browserModeDragsNothing();
    void linkPointerAppearsAndStays();

private:
    void sendMove(QWidget *target, QPointF at, const QMimeData *data);
    bool sendDrop(QWidget *target, QPointF at, const QMimeData *data);
    ElementButton *showButton(int slot, QRectF geometry);
    QRect outline() const { return window->outline()->geometry(); }

    std::unique_ptr<Form1> window;
};

namespace {

void place(PageElement *element, QRectF geometry)
{
    element->setExactLeft(float(geometry.left()));
    element->setExactTop(float(geometry.top()));
    element->setExactWidth(float(geometry.width()));
    element->setExactHeight(float(geometry.height()));
    element->widget()->show();
}

QRectF exactGeometry(const PageElement *element)
{
    return QRectF(element->exactLeft(), element->exactTop(), element->exactWidth(),
                  element->exactHeight());
}

} // namespace

void DragTest::init()
{
    window = std::make_unique<Form1>();
    scriptDialogs(*window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->Timer1->stop();
    window->mnuWorkspace->trigger();
}

void DragTest::cleanup()
{
    // A drag that moved over the window without a drop keeps the window as its target; it leaves
    // first, as on the desktop, so that no later drag is sent to the window once it is gone.
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(window->canvas(), &leave);
    window.reset();
}

void DragTest::sendMove(QWidget *target, QPointF at, const QMimeData *data)
{
    QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &move);
}

bool DragTest::sendDrop(QWidget *target, QPointF at, const QMimeData *data)
{
    // As on the desktop, a drop comes only after the drag has moved over its target.
    sendMove(target, at, data);
    QDropEvent drop(at, Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

ElementButton *DragTest::showButton(int slot, QRectF geometry)
{
    ElementButton *button = window->button(slot);
    place(button, geometry);
    return button;
}

void DragTest::pressAndMoveStartsADragOfThatElement_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("button") << int(ElementKind::Button);
    QTest::newRow("label") << int(ElementKind::Label);
    QTest::newRow("picture") << int(ElementKind::Picture);
}

void DragTest::pressAndMoveStartsADragOfThatElement()
{
    QFETCH(int, kind);
    PageElement *element = nullptr;
    if (kind == int(ElementKind::Button))
        element = window->button(7);
    else if (kind == int(ElementKind::Label))
        element = window->label(7);
    else
        element = window->picture(7);
    place(element, QRectF(40, 40, 60, 30));

    int drags = 0;
    PageElement *dragged = nullptr;
    QStringList formats;
    window->dragRunner = [&](QDrag *drag) {
        ++drags;
        formats = drag->mimeData()->formats();
        dragged = window->draggedElement(drag->mimeData());
        return Qt::IgnoreAction;
    };
    QWidget *widget = element->widget();
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(5, 5));
    // Within the platform's drag distance nothing starts.
    QTest::mouseMove(widget, QPoint(5 + QApplication::startDragDistance() / 2, 5));
    QCOMPARE(drags, 0);
    QTest::mouseMove(widget, QPoint(5 + QApplication::startDragDistance() + 1, 5));
    QTest::mouseRelease(widget, Qt::LeftButton, {},
                        QPoint(5 + QApplication::startDragDistance() + 1, 5));

    QCOMPARE(drags, 1);
    QCOMPARE(dragged, element);
    QCOMPARE(formats, QStringList{ElementMimeType});
    QCOMPARE(exactGeometry(element), QRectF(40, 40, 60, 30));
}

void DragTest::clickWithoutMoveSelectsAndDoesNotDrag()
{
    place(window->label(2), QRectF(10, 10, 50, 20));
    int drags = 0;
    window->dragRunner = [&](QDrag *) {
        ++drags;
        return Qt::IgnoreAction;
    };
    QTest::mouseClick(window->label(2), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(drags, 0);
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("Label"));
    QCOMPARE(tagOf(window->pctLabel), QStringLiteral("2"));
}

void DragTest::dragKeepsThePointPressedUnderThePointer()
{
    ElementButton *button = showButton(1, QRectF(50, 50, 100, 40));
    QRect outlineDuringDrag;
    bool outlineShown = false;
    bool dropped = false;
    // Pressed 5 pixels inside its top-left corner and let go 50 pixels further right.
    const QPointF pressed = QPointF(button->pos()) + QPointF(5, 5);
    window->dragRunner = [&](QDrag *drag) {
        sendMove(window->canvas(), pressed + QPointF(50, 0), drag->mimeData());
        outlineShown = window->outline()->isVisible();
        outlineDuringDrag = outline();
        dropped = sendDrop(window->canvas(), pressed + QPointF(50, 0), drag->mimeData());
        return dropped ? Qt::MoveAction : Qt::IgnoreAction;
    };
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(button, QPoint(5 + QApplication::startDragDistance() + 2, 5));
    QTest::mouseRelease(button, Qt::LeftButton, {},
                        QPoint(5 + QApplication::startDragDistance() + 2, 5));

    QVERIFY(outlineShown);
    QCOMPARE(outlineDuringDrag, QRect(100, 50, 100, 40));
    QVERIFY(dropped);
    QCOMPARE(exactGeometry(button), QRectF(100, 50, 100, 40));
    QVERIFY(!window->outline()->isVisible());
    // The press selected the button; the panel follows its move.
    QCOMPARE(tagOf(window->pctButton), QStringLiteral("1"));
    QCOMPARE(window->txtcmdX->text(), QStringLiteral("100"));
    QCOMPARE(window->txtcmdY->text(), QStringLiteral("50"));
    QCOMPARE(window->txtcmdWidth->text(), QStringLiteral("100"));
    // The move is one step that takes the button back.
    QCOMPARE(window->mnuUndo->text(), QStringLiteral("Undo Move Button 1"));
    window->mnuUndo->trigger();
    QCOMPARE(exactGeometry(button), QRectF(50, 50, 100, 40));
    QCOMPARE(window->txtcmdX->text(), QStringLiteral("50"));
}

void DragTest::releaseWherePressedLeavesItInPlace_data()
{
    QTest::addColumn<QPoint>("grab");
    QTest::newRow("top-left corner") << QPoint(0, 0);
    QTest::newRow("centre") << QPoint(50, 20);
    QTest::newRow("bottom-right corner") << QPoint(99, 39);
}

void DragTest::releaseWherePressedLeavesItInPlace()
{
    QFETCH(QPoint, grab);
    ElementButton *button = showButton(1, QRectF(50.5, 50, 100, 40));
    const std::unique_ptr<QMimeData> data(window->elementDragData(button, grab));
    sendMove(button, grab, data.get());
    QCOMPARE(outline(), QRect(50, 50, 100, 40));
    QVERIFY(sendDrop(button, grab, data.get()));
    QCOMPARE(exactGeometry(button), QRectF(50.5, 50, 100, 40));
    // Nothing moved, so there is nothing to undo.
    QVERIFY(!window->undoStack().canUndo());
}

void DragTest::dropMovesByThePointersTravel_data()
{
    QTest::addColumn<QRectF>("start");
    QTest::addColumn<QPoint>("grab");
    QTest::addColumn<QPointF>("drop");
    QTest::addColumn<QPointF>("landed");
    QTest::addColumn<QPoint>("outlineCorner");
    // Pressed at (60, 26) on the canvas, let go at (200, 100).
    QTest::newRow("whole pixels stay whole")
        << QRectF(10, 10, 101, 33) << QPoint(50, 16) << QPointF(200, 100) << QPointF(150, 84)
        << QPoint(150, 84);
    // The widget stands on (11, 11): pressed at (16, 16). The outline's halves go to the even.
    QTest::newRow("half pixels stay halves")
        << QRectF(10.5, 10.5, 101, 33) << QPoint(5, 5) << QPointF(200, 100) << QPointF(194.5, 94.5)
        << QPoint(194, 94);
    // Near the edge nothing is clamped.
    QTest::newRow("past the edge") << QRectF(10, 10, 101, 33) << QPoint(50, 16) << QPointF(3, 2)
                                   << QPointF(-47, -14) << QPoint(-47, -14);
}

void DragTest::dropMovesByThePointersTravel()
{
    QFETCH(QRectF, start);
    QFETCH(QPoint, grab);
    QFETCH(QPointF, drop);
    QFETCH(QPointF, landed);
    QFETCH(QPoint, outlineCorner);
    ElementButton *button = showButton(1, start);
    const std::unique_ptr<QMimeData> data(window->elementDragData(button, grab));
    sendMove(window->canvas(), drop, data.get());
    QCOMPARE(outline(), QRect(outlineCorner, QSize(101, 33)));
    QVERIFY(sendDrop(window->canvas(), drop, data.get()));
    QCOMPARE(exactGeometry(button), QRectF(landed, start.size()));
    QVERIFY(!window->outline()->isVisible());
}

void DragTest::dropOverAnotherElementLeavesItUntouched_data()
{
    QTest::addColumn<int>("targetKind");
    QTest::newRow("over a button") << int(ElementKind::Button);
    QTest::newRow("over a label") << int(ElementKind::Label);
    QTest::newRow("over a picture") << int(ElementKind::Picture);
}

void DragTest::dropOverAnotherElementLeavesItUntouched()
{
    QFETCH(int, targetKind);
    ElementLabel *dragged = window->label(1);
    place(dragged, QRectF(300, 200, 69, 13));
    PageElement *target = nullptr;
    if (targetKind == int(ElementKind::Button))
        target = window->button(2);
    else if (targetKind == int(ElementKind::Label))
        target = window->label(2);
    else
        target = window->picture(2);
    place(target, QRectF(40.5, 60, 80, 40));
    const QRect targetWidget = target->widget()->geometry();
    const std::unique_ptr<QMimeData> data(window->elementDragData(dragged, QPoint(4, 6)));

    sendMove(target->widget(), QPointF(10, 5), data.get());
    QCOMPARE(outline(), QRect(47, 59, 69, 13));
    QVERIFY(sendDrop(target->widget(), QPointF(10, 5), data.get()));

    // The label was held 4 pixels right of and 6 below its corner: that point is now under the
    // pointer, at the target's widget (41, 60) plus 10 and 5.
    QCOMPARE(exactGeometry(dragged), QRectF(47, 59, 69, 13));
    QCOMPARE(exactGeometry(target), QRectF(40.5, 60, 80, 40));
    QCOMPARE(target->widget()->geometry(), targetWidget);
    QVERIFY(target->widget()->isVisible());
    QVERIFY(!window->outline()->isVisible());
}

void DragTest::outlineFollowsOverCanvasAndElements()
{
    ElementButton *dragged = showButton(1, QRectF(300, 300, 81, 33));
    ElementLabel *label = window->label(1);
    place(label, QRectF(20, 20, 100, 50));
    ElementButton *other = showButton(2, QRectF(200, 20, 60, 60));
    // Held near its centre, so that the outline's corner is where the pointer less that point is.
    const std::unique_ptr<QMimeData> data(window->elementDragData(dragged, QPoint(40, 16)));

    sendMove(window->canvas(), QPointF(150, 100), data.get());
    QVERIFY(window->outline()->isVisible());
    QCOMPARE(outline(), QRect(110, 84, 81, 33));
    // The outline lies above every element.
    QCOMPARE(window->canvas()->children().last(), window->outline());

    sendMove(label, QPointF(40, 30), data.get());
    QCOMPARE(outline(), QRect(20, 34, 81, 33));
    QCOMPARE(window->canvas()->children().last(), window->outline());

    sendMove(other, QPointF(30, 30), data.get());
    QCOMPARE(outline(), QRect(190, 34, 81, 33));

    sendMove(window->canvas(), QPointF(150, 101), data.get());
    QCOMPARE(outline(), QRect(110, 85, 81, 33));
    QCOMPARE(window->OutlineTop, 85);
    QCOMPARE(window->OutlineWidth, 81);

    QVERIFY(sendDrop(window->canvas(), QPointF(150, 101), data.get()));
    QVERIFY(!window->outline()->isVisible());
    QCOMPARE(exactGeometry(dragged), QRectF(110, 85, 81, 33));
}

void DragTest::releaseElsewhereHidesTheOutline()
{
    ElementButton *button = showButton(1, QRectF(50, 50, 100, 40));
    window->dragRunner = [&](QDrag *drag) {
        sendMove(window->canvas(), QPointF(300, 300), drag->mimeData());
        return Qt::IgnoreAction;
    };
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(button, QPoint(10, 20 + QApplication::startDragDistance()));
    QTest::mouseRelease(button, Qt::LeftButton, {},
                        QPoint(10, 20 + QApplication::startDragDistance()));
    QVERIFY(!window->outline()->isVisible());
    QCOMPARE(exactGeometry(button), QRectF(50, 50, 100, 40));
}

void DragTest::dropRefreshesOnlyTheSelectedElementsFields()
{
    ElementButton *selected = showButton(1, QRectF(10, 10, 40, 20));
    ElementButton *moved = showButton(2, QRectF(100, 10, 40, 20));
    QTest::mouseClick(selected, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(window->txtcmdX->text(), QStringLiteral("10"));
    const std::unique_ptr<QMimeData> data(window->elementDragData(moved));
    QVERIFY(sendDrop(window->canvas(), QPointF(300, 200), data.get()));
    QCOMPARE(window->txtcmdX->text(), QStringLiteral("10"));
    QCOMPARE(window->txtcmdY->text(), QStringLiteral("10"));
    QCOMPARE(tagOf(window->pctButton), QStringLiteral("1"));

    // A label moved while a button is on view leaves the label panel's fields alone, even for
    // the label that panel last showed.
    ElementLabel *label = window->label(1);
    place(label, QRectF(10, 100, 40, 20));
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(selected, Qt::LeftButton, {}, QPoint(2, 2));
    const std::unique_ptr<QMimeData> labelData(window->elementDragData(label));
    QVERIFY(sendDrop(window->canvas(), QPointF(300, 200), labelData.get()));
    QCOMPARE(window->txtlblX->text(), QStringLiteral("10"));

    const std::unique_ptr<QMimeData> selectedData(
        window->elementDragData(selected, QPoint(20, 10)));
    QVERIFY(sendDrop(window->canvas(), QPointF(300.5, 200), selectedData.get()));
    QCOMPARE(window->txtcmdX->text(), QStringLiteral("280.5"));
    QCOMPARE(window->txtcmdY->text(), QStringLiteral("190"));
    QCOMPARE(window->txtcmdWidth->text(), QStringLiteral("40"));
}

void DragTest::hugeElementKeepsItsOutline()
{
    ElementButton *button = showButton(1, QRectF(0, 0, 5000, 3000));
    ElementLabel *label = window->label(1);
    place(label, QRectF(2500, 10, 100, 50));
    const std::unique_ptr<QMimeData> data(window->elementDragData(button, QPoint(2500, 1500)));
    sendMove(window->canvas(), QPointF(100, 100), data.get());
    QCOMPARE(outline(), QRect(-2400, -1400, 5000, 3000));
    sendMove(label, QPointF(10, 10), data.get());
    QCOMPARE(outline(), QRect(10, -1480, 5000, 3000));
}

void DragTest::dataFromElsewhereIsRefused()
{
    ElementButton *button = showButton(1, QRectF(50, 50, 100, 40));
    const QString foreign = QStringLiteral("1:ffff Button 1 0 0");
    const std::unique_ptr<QMimeData> own(window->elementDragData(button));
    const QByteArray noGrab = own->data(ElementMimeType).split(' ').mid(0, 3).join(' ');
    for (const QByteArray &payload :
         {foreign.toUtf8(), noGrab, noGrab + " x y", QByteArray("garbage"), QByteArray()}) {
        QMimeData data;
        data.setData(ElementMimeType, payload);
        sendMove(window->canvas(), QPointF(200, 200), &data);
        QVERIFY(!window->outline()->isVisible());
        QVERIFY(!sendDrop(window->canvas(), QPointF(200, 200), &data));
        QVERIFY(!sendDrop(button, QPointF(5, 5), &data));
    }
    // A second window's elements are not this window's.
    Form1 second;
    const std::unique_ptr<QMimeData> data(second.elementDragData(second.button(1)));
    QVERIFY(!sendDrop(window->canvas(), QPointF(200, 200), data.get()));
    QCOMPARE(exactGeometry(button), QRectF(50, 50, 100, 40));
    QCOMPARE(second.button(1)->exactLeft(), 8.0f);
}

void DragTest::browserModeDragsNothing()
{
    ElementButton *last = showButton(100, QRectF(50, 50, 100, 40));
    ElementButton *locked = showButton(5, QRectF(200, 50, 40, 40));
    ElementLabel *label = window->label(5);
    place(label, QRectF(50, 200, 100, 40));
    window->mnuInternet->trigger();
    QVERIFY(window->BrowserMode);
    ElementPicture *picture = window->picture(5);
    place(picture, QRectF(300, 200, 50, 50));

    int drags = 0;
    window->dragRunner = [&](QDrag *) {
        ++drags;
        return Qt::IgnoreAction;
    };
    for (ElementButton *button : {locked, last}) {
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(button, QPoint(30, 30));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(30, 30));
    }
    // No element of a page is dragged in browser mode, the last slot included.
    QCOMPARE(drags, 0);
    // The press in browser mode selected nothing.
    QCOMPARE(tagOf(window->Picture2), QStringLiteral("WorkSpace"));

    const std::unique_ptr<QMimeData> data(window->elementDragData(last, QPoint(50, 20)));
    sendMove(window->canvas(), QPointF(300, 100), data.get());
    QCOMPARE(outline(), QRect(250, 80, 100, 40));
    // Over a button or a picture the outline is shown but stays; over a label nothing happens.
    window->outline()->hide();
    sendMove(locked, QPointF(5, 5), data.get());
    QVERIFY(window->outline()->isVisible());
    QCOMPARE(outline(), QRect(250, 80, 100, 40));
    window->outline()->hide();
    sendMove(label, QPointF(5, 5), data.get());
    QVERIFY(!window->outline()->isVisible());
    sendMove(picture, QPointF(5, 5), data.get());
    QVERIFY(window->outline()->isVisible());
    QCOMPARE(outline(), QRect(250, 80, 100, 40));

    // The release moves nothing and leaves the outline shown.
    sendDrop(window->canvas(), QPointF(300, 100), data.get());
    sendDrop(label, QPointF(5, 5), data.get());
    QCOMPARE(exactGeometry(last), QRectF(50, 50, 100, 40));
    QVERIFY(window->outline()->isVisible());
}

void DragTest::linkPointerAppearsAndStays()
{
    ElementButton *linked = showButton(1, QRectF(10, 10, 60, 30));
    linked->setTag(QStringLiteral("next.qvif"));
    ElementButton *plain = showButton(2, QRectF(100, 10, 60, 30));
    ElementPicture *picture = window->picture(1);
    place(picture, QRectF(10, 100, 50, 50));
    picture->setTag(QStringLiteral("pic.qvif"));
    window->mnuInternet->trigger();

    for (QWidget *widget : {static_cast<QWidget *>(linked), static_cast<QWidget *>(plain),
                            static_cast<QWidget *>(picture)}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
    }
    QCOMPARE(linked->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(picture->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(plain->cursor().shape(), Qt::ArrowCursor);

    linked->setTag(QString());
    QMouseEvent again(QEvent::MouseMove, QPointF(6, 6), linked->mapToGlobal(QPointF(6, 6)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(linked, &again);
    QCOMPARE(linked->cursor().shape(), Qt::CrossCursor);
    // A cleared slot holds nothing of its page, the pointer included.
    window->mnuWorkspace->trigger();
    QCOMPARE(linked->cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(DragTest)
#include "tst_drag.moc"

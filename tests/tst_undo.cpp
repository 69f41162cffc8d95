#include "app/canvas.h"
#include "app/main_window.h"
#include "app/tag.h"
#include "support/edit_fixtures.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

// Every edit of the page is one step of the window's undo stack: undone, the page is as before it;
// redone, as after it.
class UndoTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyEditUndoesAndRedoes_data();
    void everyEditUndoesAndRedoes();
    void undoingApplyBringsBackThePictureShown();
    void redoingApplyFetchesThePictureAgain();
    void nudgesOfOneElementMakeOneStep();
    void stepsAreTakenBackInTurn();
    void shortcutsUndoAndRedo_data();
    void shortcutsUndoAndRedo();
    void clearingThePageEmptiesTheStack_data();
    void clearingThePageEmptiesTheStack();
    void undoWaitsForEditorMode();
    void saveLeavesTheStackAlone();
    void applyThatChangesNothingIsNoStep();

private:
    void edit(const QString &name);
    void dropOnCanvas(PageElement *element, QPoint grab, QPointF at);
    QStringList slotState() const;

    std::unique_ptr<Form1> window;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<QTemporaryDir> directory;
};

void UndoTest::init()
{
    openEditingWindow(directory, window, dialogs);
}

void UndoTest::cleanup()
{
    window.reset();
    directory.reset();
}

void UndoTest::dropOnCanvas(PageElement *element, QPoint grab, QPointF at)
{
    const std::unique_ptr<QMimeData> data(window->elementDragData(element, grab));
    // As on the desktop, the drag enters its target before it moves and drops there.
    QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(window->canvas(), &enter);
    QDragMoveEvent move(at.toPoint(), Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(window->canvas(), &move);
    QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(window->canvas(), &drop);
}

// The slots as the pools hold them, beyond what a saved page says; the picture queue is left out,
// since a redone Apply fetches again.
QStringList UndoTest::slotState() const
{
    QStringList state = pageState(*window, 3);
    state.erase(std::remove_if(state.begin(), state.end(),
                               [](const QString &line) { return line.contains(" -> "); }),
                state.end());
    return state;
}

void UndoTest::edit(const QString &name)
{
    QWidget *canvas = window->canvas();
    auto retype = [](QLineEdit *field, const QString &text) {
        field->selectAll();
        QTest::keyClicks(field, text);
    };
    if (name.startsWith("place ")) {
        QAction *tool = name.endsWith("button")  ? window->mnuInsertButton
                        : name.endsWith("label") ? window->mnuInsertLabel
                                                 : window->mnuInsertPicture;
        tool->trigger();
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(300, 250));
    } else if (name == "apply button") {
        clickElement(window->button(1));
        retype(window->txtcmdCaption, "Changed");
        retype(window->txtcmdX, "33");
        QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    } else if (name == "apply label") {
        clickElement(window->label(1));
        retype(window->txtlblCaption, "Other words");
        retype(window->txtlblFontSize, "12.5");
        window->chklblOpaque->click();
        QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    } else if (name == "apply picture") {
        clickElement(window->picture(1));
        retype(window->txtPicPicture, "new.png");
        retype(window->txtpicHeight, "20");
        window->chkPicBorder->click();
        QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    } else if (name == "apply page") {
        QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(350, 300));
        retype(window->txtTitle, "New title");
        retype(window->txtBackPic, "bg.png");
        QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    } else if (name == "move") {
        dropOnCanvas(window->button(2), QPoint(5, 5), QPointF(205, 205));
    } else if (name == "resize") {
        clickElement(window->button(1));
        dragHandle(*window, ResizeHandle::BottomRight, QPoint(15, 10));
    } else if (name == "delete") {
        clickElement(window->button(2));
        QTest::keyClick(canvas, Qt::Key_Delete);
    } else if (name == "cut") {
        clickElement(window->label(1));
        window->mnuCut->trigger();
    } else if (name == "paste") {
        clickElement(window->button(1));
        window->mnuCopy->trigger();
        window->mnuPaste->trigger();
    } else if (name == "duplicate") {
        clickElement(window->picture(1));
        QTest::keyClick(canvas, Qt::Key_D, Qt::ControlModifier);
    } else if (name == "nudge") {
        clickElement(window->button(1));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(canvas, Qt::Key_Right);
    } else if (name == "nudge size") {
        clickElement(window->label(1));
        QTest::keyClick(canvas, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(canvas, Qt::Key_Left, Qt::ControlModifier);
    } else {
        QFAIL(qPrintable("no edit " + name));
    }
}

void UndoTest::everyEditUndoesAndRedoes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("place a button") << "place button"
                                    << "Undo Place Button 3";
    QTest::newRow("place a label") << "place label"
                                   << "Undo Place Label 2";
    QTest::newRow("place a picture") << "place picture"
                                     << "Undo Place Picture 2";
    QTest::newRow("apply on a button") << "apply button"
                                       << "Undo Change Button 1";
    QTest::newRow("apply on a label") << "apply label"
                                      << "Undo Change Label 1";
    QTest::newRow("apply on a picture") << "apply picture"
                                        << "Undo Change Picture 1";
    QTest::newRow("apply on the page") << "apply page"
                                       << "Undo Change Page";
    QTest::newRow("move by drag") << "move"
                                  << "Undo Move Button 2";
    QTest::newRow("resize by a handle") << "resize"
                                        << "Undo Resize Button 1";
    QTest::newRow("delete") << "delete"
                            << "Undo Delete Button 2";
    QTest::newRow("cut") << "cut"
                         << "Undo Cut Label 1";
    QTest::newRow("paste") << "paste"
                           << "Undo Paste Button 3";
    QTest::newRow("duplicate") << "duplicate"
                               << "Undo Duplicate Picture 2";
    QTest::newRow("three nudges") << "nudge"
                                  << "Undo Move Button 1";
    QTest::newRow("two size nudges") << "nudge size"
                                     << "Undo Resize Label 1";
}

void UndoTest::everyEditUndoesAndRedoes()
{
    QFETCH(QString, name);
    QFETCH(QString, undoText);
    const QString before = savedPage(*window, *dialogs, *directory);
    const QStringList slotsBefore = slotState();

    edit(name);
    const QString after = savedPage(*window, *dialogs, *directory);
    const QStringList slotsAfter = slotState();
    QVERIFY(after != before);
    QCOMPARE(window->undoStack().count(), 1);
    QCOMPARE(window->mnuUndo->text(), undoText);
    QVERIFY(window->mnuUndo->isEnabled());

    window->mnuUndo->trigger();
    QCOMPARE(savedPage(*window, *dialogs, *directory), before);
    QCOMPARE(slotState(), slotsBefore);
    QCOMPARE(window->mnuRedo->text(), QString(undoText).replace("Undo", "Redo"));

    window->mnuRedo->trigger();
    QCOMPARE(savedPage(*window, *dialogs, *directory), after);
    QCOMPARE(slotState(), slotsAfter);
}

void UndoTest::undoingApplyBringsBackThePictureShown()
{
    ElementPicture *picture = window->picture(1);
    QImage shown(30, 20, QImage::Format_RGB32);
    shown.fill(Qt::red);
    picture->setImage(shown);
    clickElement(picture);
    window->txtPicPicture->setText("other.png");
    QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    QCOMPARE(pictureSourceRow(*window, 1), QStringLiteral("other.png"));
    // The new picture arrives and takes its own size.
    QImage arrived(60, 50, QImage::Format_RGB32);
    arrived.fill(Qt::blue);
    picture->setImage(arrived);

    window->mnuUndo->trigger();
    QCOMPARE(picture->image(), shown);
    QCOMPARE(picture->exactWidth(), 30.0f);
    QVERIFY(pictureSourceRow(*window, 1).isEmpty());
    // The panel shows the picture as it is again.
    QCOMPARE(tagOf(window->pctPicture), QStringLiteral("1"));
    QVERIFY(window->txtPicPicture->text().isEmpty());
    QCOMPARE(window->txtpicWidth->text(), QStringLiteral("30"));
}

void UndoTest::redoingApplyFetchesThePictureAgain()
{
    clickElement(window->picture(1));
    window->txtPicPicture->setText("logo.png");
    const int queued = window->lstPics->count();
    QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    QCOMPARE(window->lstPics->count(), queued + 1);
    window->mnuUndo->trigger();
    window->mnuRedo->trigger();
    QCOMPARE(window->lstPics->count(), queued + 2);
    QCOMPARE(pictureQueue(*window).last(), QStringLiteral("logo.png -> 1"));
    QCOMPARE(pictureSourceRow(*window, 1), QStringLiteral("logo.png"));
}

void UndoTest::nudgesOfOneElementMakeOneStep()
{
    QWidget *canvas = window->canvas();
    clickElement(window->button(1));
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(canvas, Qt::Key_Down);
    QCOMPARE(window->undoStack().count(), 1);
    QCOMPARE(window->button(1)->exactLeft(), 31.0f);
    QCOMPARE(window->button(1)->exactTop(), 21.0f);

    // Sizing, or another element, starts a step of its own.
    QTest::keyClick(canvas, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(window->undoStack().count(), 2);
    clickElement(window->button(2));
    QTest::keyClick(canvas, Qt::Key_Up);
    QCOMPARE(window->undoStack().count(), 3);

    // Nudges that end where they began leave no step.
    QTest::keyClick(canvas, Qt::Key_Down);
    QCOMPARE(window->undoStack().count(), 2);

    window->mnuUndo->trigger();
    window->mnuUndo->trigger();
    QCOMPARE(window->button(1)->exactLeft(), 20.0f);
    QCOMPARE(window->button(1)->exactTop(), 20.0f);
    QCOMPARE(window->button(1)->exactWidth(), 81.0f);
}

void UndoTest::stepsAreTakenBackInTurn()
{
    edit("place button");
    edit("apply button");
    edit("delete");
    QCOMPARE(window->undoStack().count(), 3);
    QCOMPARE(window->mnuUndo->text(), QStringLiteral("Undo Delete Button 2"));
    window->mnuUndo->trigger();
    QCOMPARE(window->mnuUndo->text(), QStringLiteral("Undo Change Button 1"));
    window->mnuUndo->trigger();
    window->mnuUndo->trigger();
    QCOMPARE(window->ButtonCount, 2);
    QVERIFY(window->button(3)->isHidden());
    QCOMPARE(window->button(1)->caption(), QStringLiteral("One"));
    QVERIFY(!window->mnuUndo->isEnabled());
    // A new edit after undoing drops what could have been redone.
    edit("nudge");
    QVERIFY(!window->mnuRedo->isEnabled());
}

void UndoTest::shortcutsUndoAndRedo_data()
{
    QTest::addColumn<QKeySequence>("redo");
    QTest::newRow("Ctrl+Shift+Z") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QTest::newRow("Ctrl+Y") << QKeySequence(Qt::CTRL | Qt::Key_Y);
}

void UndoTest::shortcutsUndoAndRedo()
{
    QFETCH(QKeySequence, redo);
    QCOMPARE(window->mnuUndo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY(window->mnuRedo->shortcuts().contains(redo));
    edit("move");
    QWidget *canvas = window->canvas();
    focusCanvas(*window);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window->button(2)->exactLeft(), 20.0f);
    QTest::keySequence(canvas, redo);
    QCOMPARE(window->button(2)->exactLeft(), 200.0f);
}

void UndoTest::clearingThePageEmptiesTheStack_data()
{
    QTest::addColumn<QString>("clearing");
    QTest::newRow("New") << "New";
    QTest::newRow("Open") << "Open";
    QTest::newRow("entering editor mode") << "editor mode";
    QTest::newRow("navigation") << "navigation";
}

void UndoTest::clearingThePageEmptiesTheStack()
{
    QFETCH(QString, clearing);
    edit("apply button");
    QVERIFY(window->undoStack().canUndo());
    const QString page = directory->filePath("editable.qvif");
    // The page's changes are thrown away when a command asks to save them first.
    dialogs->saveChangesAnswers.enqueue(CommonDialog::SaveChangesAnswer::Discard);
    if (clearing == "New") {
        dialogs->yesNoAnswers.enqueue(true);
        window->mnuNew->trigger();
    } else if (clearing == "Open") {
        dialogs->openAnswers.enqueue(page);
        window->mnuOpen->trigger();
    } else if (clearing == "editor mode") {
        window->mnuInternet->trigger();
        window->mnuWorkspace->trigger();
    } else {
        window->mnuInternet->trigger();
        window->txtAddress->setText(QUrl::fromLocalFile(page).toString());
        QTest::mouseClick(window->cmdGo, Qt::LeftButton);
        QTRY_COMPARE(window->button(1)->caption(), QStringLiteral("One"));
    }
    QCOMPARE(window->undoStack().count(), 0);
    QVERIFY(!window->mnuUndo->isEnabled());
}

void UndoTest::undoWaitsForEditorMode()
{
    edit("apply button");
    window->mnuInternet->trigger();
    QVERIFY(window->BrowserMode);
    // The page being edited stays to be tried out; its edits cannot be undone from there.
    QVERIFY(window->undoStack().canUndo());
    QVERIFY(!window->mnuUndo->isEnabled());
    window->mnuUndo->trigger();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window->button(1)->caption(), QStringLiteral("Changed"));
    for (QAction *action : {window->mnuCut, window->mnuCopy, window->mnuPaste, window->mnuDuplicate,
                            window->mnuDelete, window->mnuInsertButton})
        QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
    // New goes back to editing without the mode switch.
    dialogs->yesNoAnswers.enqueue(true);
    window->mnuNew->trigger();
    QVERIFY(window->mnuDelete->isEnabled());
}

void UndoTest::saveLeavesTheStackAlone()
{
    edit("apply button");
    edit("nudge");
    window->undoStack().setClean();
    savedPage(*window, *dialogs, *directory);
    QCOMPARE(window->undoStack().count(), 2);
    QVERIFY(window->undoStack().isClean());
    QCOMPARE(window->mnuUndo->text(), QStringLiteral("Undo Move Button 1"));
}

void UndoTest::applyThatChangesNothingIsNoStep()
{
    clickElement(window->button(1));
    QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    QTest::mouseClick(window->canvas(), Qt::RightButton, {}, QPoint(350, 300));
    QTest::mouseClick(window->cmdApply, Qt::LeftButton);
    QCOMPARE(window->undoStack().count(), 0);
}

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"

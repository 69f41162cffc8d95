#pragma once

#include "app/canvas.h"
#include "app/main_window.h"
#include "editor/selection_frame.h"
#include "page/page_text.h"
#include "support/page_fixtures.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// A page for the editing tests, every element within reach of a click on the canvas: buttons 1
// and 2, label 1 and picture 1 (with no source, so that nothing is fetched).
inline QByteArray editablePage()
{
    PageDescription page;
    page.buttonCount = 1;
    page.labelCount = 0;
    page.pictureCount = 0;
    page.title = QStringLiteral("Editing");
    page.colour = 16777215;
    page.buttons << ButtonBlock{1, 20, 20, 81, 33, QStringLiteral("One"), QString()}
                 << ButtonBlock{2, 20, 80, 81, 33, QStringLiteral("Two"), QStringLiteral("b.qvif")};
    page.labels << LabelBlock{1, 150, 20, QStringLiteral("Words"), 100, 20, 16777215, 0, 1, 0,
                              0, {},  10};
    page.pictures << PictureBlock{1, 150, 80, 49, 49, QString(), QStringLiteral("p.qvif"), 1};
    return encodePageText(composePageText(page));
}

// Opens the editable page in editor mode from a file in the directory.
inline void openEditablePage(Form1 &window, const QTemporaryDir &directory)
{
    const QString path = directory.filePath(QStringLiteral("editable.qvif"));
    QVERIFY(writeBytes(path, editablePage()));
    window.openPageFile(path);
    QVERIFY(!window.BrowserMode);
    QCOMPARE(window.ButtonCount, 2);
}

// A shown window with the editable page open in editor mode and its dialogs scripted. The picture
// fetcher is stopped: it would take requests off the queue that the tests read.
inline void openEditingWindow(std::unique_ptr<QTemporaryDir> &directory,
                              std::unique_ptr<Form1> &window, ScriptedDialogs *&dialogs)
{
    directory = std::make_unique<QTemporaryDir>();
    QVERIFY(directory->isValid());
    window = std::make_unique<Form1>();
    dialogs = scriptDialogs(*window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->Timer1->stop();
    openEditablePage(*window, *directory);
}

// What Save writes for the page on the canvas, and the counters that number the next slots.
inline QString savedPage(Form1 &window, ScriptedDialogs &dialogs, const QTemporaryDir &directory)
{
    const QString path = directory.filePath(QStringLiteral("saved.qvif"));
    dialogs.saveAnswers.enqueue(path);
    window.mnuSave->trigger();
    return QString::fromUtf8(readBytes(path)) + QStringLiteral("counters %1 %2 %3")
                                                    .arg(window.ButtonCount)
                                                    .arg(window.LabelCount)
                                                    .arg(window.PictureCount);
}

// Presses an element's widget at a point, as a click that selects it in editor mode.
inline void clickElement(PageElement *element, QPoint at = QPoint(3, 3))
{
    QTest::mouseClick(element->widget(), Qt::LeftButton, {}, at);
}

// Gives the canvas the keyboard, as a click on it or an element does.
inline void focusCanvas(Form1 &window)
{
    window.activateWindow();
    window.canvas()->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(window.canvas()->hasFocus());
}

// Drags a handle of the selection frame by `travel`, in steps, as a user does. Each event goes to
// the frame, which follows the element it resizes, at the same point of the canvas.
inline void dragHandle(Form1 &window, ResizeHandle handle, QPoint travel, int steps = 2)
{
    SelectionFrame *frame = window.selectionFrame();
    QWidget *canvas = window.canvas();
    const QPoint start = frame->mapTo(canvas, frame->handleRect(handle).center());
    QTest::mousePress(frame, Qt::LeftButton, {}, frame->mapFrom(canvas, start));
    for (int step = 1; step <= steps; ++step)
        QTest::mouseMove(frame, frame->mapFrom(canvas, start + travel * step / steps));
    QTest::mouseRelease(frame, Qt::LeftButton, {}, frame->mapFrom(canvas, start + travel));
}

#include "app/canvas.h"
#include "app/main_window.h"
#include "app/tag.h"
#include "editor/element_clipboard.h"
#include "editor/element_state.h"
#include "support/edit_fixtures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

// Cut, copy, paste and duplicate of elements through the desktop's clipboard.
class ClipboardTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void copyGivesReadablePageLines();
    void pastePutsACopyInTheNextSlot_data();
    void pastePutsACopyInTheNextSlot();
    void pasteIntoAFullKindIsRefused_data();
    void pasteIntoAFullKindIsRefused();
    void cutThenPastePutsItBack();
    void duplicateLeavesTheClipboardAlone();
    void onlyTheProgramsElementsArePasted();
    void copiesGoFromPageToPage();

private:
    PageElement *elementOf(const QString &kind, int slot) const;
    QClipboard *clipboard() const { return QGuiApplication::clipboard(); }

    std::unique_ptr<Form1> window;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<QTemporaryDir> directory;
};

void ClipboardTest::init()
{
    openEditingWindow(directory, window, dialogs);
    clipboard()->clear();
}

void ClipboardTest::cleanup()
{
    window.reset();
    directory.reset();
}

PageElement *ClipboardTest::elementOf(const QString &kind, int slot) const
{
    return window->element(*kindNamed(kind), slot);
}

void ClipboardTest::copyGivesReadablePageLines()
{
    clickElement(window->label(1));
    QTest::keyClick(window->canvas(), Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = clipboard()->text().split(QStringLiteral("\r\n"));
    for (const QString &line : {"LabelNum=0", "1lx=150", "1ly=20", "1lcap=Words", "1lwidth=100",
                                "1lfontsize=10", "1lopaque=1"})
        QVERIFY2(lines.contains(line), qPrintable(line));
    QVERIFY(clipboard()->mimeData()->hasFormat(ElementClipboardMimeType));
    // Copying changes nothing on the page.
    QCOMPARE(window->undoStack().count(), 0);
    QVERIFY(window->label(1)->isVisible());
}

void ClipboardTest::pastePutsACopyInTheNextSlot_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("slot");
    QTest::newRow("button") << "Button" << 2;
    QTest::newRow("label") << "Label" << 1;
    QTest::newRow("picture") << "Picture" << 1;
}

void ClipboardTest::pastePutsACopyInTheNextSlot()
{
    QFETCH(QString, kind);
    QFETCH(int, slot);
    window->lstPictureUrls->item(1)->setText(QStringLiteral("pics/a.png"));
    PageElement *original = elementOf(kind, slot);
    clickElement(original);
    window->mnuCopy->trigger();
    const int queued = window->lstPics->count();
    const qint16 counter = slotCounter(*window, original->kind());

    QTest::keyClick(window->canvas(), Qt::Key_V, Qt::ControlModifier);

    const int pastedSlot = counter + 1;
    QCOMPARE(slotCounter(*window, original->kind()), qint16(pastedSlot));
    PageElement *pasted = elementOf(kind, pastedSlot);
    QVERIFY(pasted->widget()->isVisible());
    QCOMPARE(pasted->exactLeft(), original->exactLeft() + 10);
    QCOMPARE(pasted->exactTop(), original->exactTop() + 10);
    // Everything else is the original's.
    ElementState copy = captureElement(*window, original->kind(), slot);
    ElementState result = captureElement(*window, original->kind(), pastedSlot);
    setSlot(copy.block, pastedSlot);
    setPosition(copy.block, positionOf(result.block));
    QVERIFY(copy.block == result.block);
    // The copy is selected, and its picture fetched.
    QCOMPARE(tagOf(window->Picture2), kind);
    QCOMPARE(window->selectedElement(), pasted);
    if (kind == "Picture")
        QCOMPARE(pictureQueue(*window).mid(queued), QStringList{"pics/a.png -> 2"});
    else
        QCOMPARE(window->lstPics->count(), queued);
    QCOMPARE(window->mnuUndo->text(), QStringLiteral("Undo Paste %1 %2").arg(kind).arg(pastedSlot));
}

void ClipboardTest::pasteIntoAFullKindIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("button") << "Button"
                            << "No more than 100 buttons on a page.";
    QTest::newRow("label") << "Label"
                           << "No more than 100 labels on a page.";
    QTest::newRow("picture") << "Picture"
                             << "No more than 100 pictures on a page.";
}

void ClipboardTest::pasteIntoAFullKindIsRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    clickElement(elementOf(kind, 1));
    window->mnuCopy->trigger();
    slotCounter(*window, *kindNamed(kind)) = Form1::SlotCount;
    const QString before = savedPage(*window, *dialogs, *directory);

    window->mnuPaste->trigger();
    QCOMPARE(window->statusText(), message);
    window->mnuDuplicate->trigger();
    QCOMPARE(window->statusText(), message);

    QCOMPARE(window->undoStack().count(), 0);
    QCOMPARE(savedPage(*window, *dialogs, *directory), before);
    QVERIFY(elementOf(kind, 100)->widget()->isHidden());
}

void ClipboardTest::cutThenPastePutsItBack()
{
    clickElement(window->button(2));
    QTest::keyClick(window->canvas(), Qt::Key_X, Qt::ControlModifier);
    QVERIFY(window->button(2)->isHidden());
    QCOMPARE(window->mnuUndo->text(), QStringLiteral("Undo Cut Button 2"));
    QVERIFY(elementFromClipboard(clipboard()->mimeData()));

    window->mnuPaste->trigger();
    ElementButton *pasted = window->button(3);
    QVERIFY(pasted->isVisible());
    QCOMPARE(pasted->caption(), QStringLiteral("Two"));
    QCOMPARE(pasted->tag(), QStringLiteral("b.qvif"));
    QCOMPARE(pasted->exactLeft(), 30.0f);
    QCOMPARE(window->undoStack().count(), 2);
}

void ClipboardTest::duplicateLeavesTheClipboardAlone()
{
    clipboard()->setText(QStringLiteral("kept"));
    clickElement(window->label(1));
    QTest::keyClick(window->canvas(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(window->label(2)->caption(), QStringLiteral("Words"));
    QCOMPARE(window->label(2)->exactLeft(), 160.0f);
    QCOMPARE(window->mnuUndo->text(), QStringLiteral("Undo Duplicate Label 2"));
    QCOMPARE(clipboard()->text(), QStringLiteral("kept"));
}

void ClipboardTest::onlyTheProgramsElementsArePasted()
{
    // Page lines typed elsewhere are text, not an element of this program.
    clipboard()->setText(QStringLiteral("ButtonNum=0\r\n1bcap=Typed\r\n"));
    window->mnuPaste->trigger();
    auto *garbled = new QMimeData;
    garbled->setData(ElementClipboardMimeType, QByteArray("1bx=nowhere\r\n"));
    clipboard()->setMimeData(garbled);
    window->mnuPaste->trigger();
    QCOMPARE(window->undoStack().count(), 0);
    QCOMPARE(window->ButtonCount, 2);
}

void ClipboardTest::copiesGoFromPageToPage()
{
    clickElement(window->button(1));
    window->mnuCopy->trigger();
    dialogs->yesNoAnswers.enqueue(true);
    window->mnuNew->trigger();
    window->mnuPaste->trigger();
    QCOMPARE(window->ButtonCount, 1);
    QCOMPARE(window->button(1)->caption(), QStringLiteral("One"));
    QCOMPARE(window->button(1)->exactLeft(), 30.0f);
    QVERIFY(window->button(1)->isVisible());
}

QTEST_MAIN(ClipboardTest)
#include "tst_clipboard.moc"

#include "app/canvas.h"
#include "app/common_dialog.h"
#include "app/main_window.h"
#include "app/system_colours.h"
#include "browser/picture_queue.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsInBrowserMode();
    void everySlotStartsFreeAndHidden();
    void templatesCarryTheDesignValues();
    void browserStripControls_data();
    void browserStripControls();
    void enterInAddressBoxPressesGo();
    void modeItemsFlipTheMode_data();
    void modeItemsFlipTheMode();
    void editorModeClearsButBrowserModeKeeps();
    void lockingReachesEverySlot();
    void clearPageEmptiesEverySlot();
    void buttonsStayAboveLabelsAndPictures();
    void largeButtonsPaintInLittleMemory_data();
    void largeButtonsPaintInLittleMemory();
    void tinyWindowKeepsTheAddressLayout();
    void wideWindowGivesTheAddressBoxTheRest();
    void debugTogglesTheTextView();
    void addPictureIsNeverVisible();
    void temporaryFilesArePrivateAndRemovedAtClose();
    void menuShortcuts_data();
    void menuShortcuts();

    void fileFilterInQtForm_data();
    void fileFilterInQtForm();
    void systemColourReferencesResolveForDisplay();

private:
    std::unique_ptr<Form1> window;
};

void WindowTest::init()
{
    window = std::make_unique<Form1>();
    scriptDialogs(*window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void WindowTest::cleanup()
{
    window.reset();
}

void WindowTest::startsInBrowserMode()
{
    QVERIFY(window->mnuInternet->isChecked());
    QVERIFY(!window->mnuWorkspace->isChecked());
    QVERIFY(window->BrowserMode);
    QVERIFY(window->findChild<QWidget *>("pctInternet")->isVisible());
    QVERIFY(!window->findChild<QWidget *>("Picture1")->isVisible());
    QVERIFY(!window->findChild<QWidget *>("Picture2")->isVisible());
    QVERIFY(!window->findChild<QWidget *>("picLoading")->isVisible());
    QCOMPARE(window->findChild<QLineEdit *>("txtAddress")->text(),
             QStringLiteral("http://127.0.0.1:8080/"));
    QTRY_VERIFY(window->findChild<QLineEdit *>("txtAddress")->hasFocus());
    QCOMPARE(window->windowTitle(), QStringLiteral("Quorvane"));
    QCOMPARE(window->centralWidget()->size(), QSize(693, 438));
    QVERIFY(window->findChild<QTimer *>("Timer1")->isActive());
    QCOMPARE(window->findChild<QTimer *>("Timer1")->interval(), 100);
    QCOMPARE(window->commonDialog().filter(), QStringLiteral("QV Internet Files (*.qvif)|*.qvif"));
    QCOMPARE(window->findChild<QLabel *>("lblLoading")->text(), QStringLiteral("LOADING...."));
}

void WindowTest::everySlotStartsFreeAndHidden()
{
    for (int slot = 0; slot <= Form1::SlotCount; ++slot) {
        QCOMPARE(window->button(slot)->caption(), FreeSlotMarker);
        QCOMPARE(window->label(slot)->caption(), FreeSlotMarker);
        QVERIFY(window->button(slot)->isHidden());
        QVERIFY(window->label(slot)->isHidden());
        QVERIFY(window->picture(slot)->isHidden());
    }
    QVERIFY(!window->button(-1));
    QVERIFY(!window->label(101));
    QCOMPARE(window->findChildren<QPushButton *>("Buttonn").size(), 101);
    QCOMPARE(window->ButtonCount, 0);
    QCOMPARE(window->LabelCount, 0);
    QCOMPARE(window->PictureCount, 0);
    auto *sources = window->findChild<QListWidget *>("lstPictureUrls");
    QCOMPARE(sources->count(), 100);
    for (int row = 0; row < sources->count(); ++row)
        QVERIFY(sources->item(row)->text().isEmpty());
    QCOMPARE(window->canvas()->backColour(), SystemColour::WindowBackground);
}

void WindowTest::templatesCarryTheDesignValues()
{
    // Slot 57 stands for every copy: it must hold the template's values exactly.
    for (int slot : {0, 57}) {
        const ElementButton *button = window->button(slot);
        QCOMPARE(button->exactLeft(), 8.0f);
        QCOMPARE(button->exactTop(), 0.0f);
        QCOMPARE(button->exactWidth(), 81.0f);
        QCOMPARE(button->exactHeight(), 33.0f);
        QCOMPARE(button->geometry(), QRect(8, 0, 81, 33));

        const ElementLabel *label = window->label(slot);
        QCOMPARE(QRectF(label->exactLeft(), label->exactTop(), label->exactWidth(),
                        label->exactHeight()),
                 QRectF(32, 88, 69, 13));
        QCOMPARE(label->fontSize(), 8.25f);
        QCOMPARE(label->backStyle(), 1);
        QCOMPARE(label->alignment(), 0);
        QCOMPARE(label->borderStyle(), 0);
        QCOMPARE(qint32(label->backColour()), -2147483633);
        QCOMPARE(qint32(label->foreColour()), -2147483640);

        const ElementPicture *picture = window->picture(slot);
        QCOMPARE(picture->geometry(), QRect(112, 16, 49, 49));
        QCOMPARE(picture->borderStyle(), 1);
        QVERIFY(picture->tag().isEmpty());
    }
}

void WindowTest::browserStripControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("back") << "Command1"
                          << "<<" << QPoint(0, 8);
    QTest::newRow("forward") << "Command2"
                             << ">>" << QPoint(24, 8);
    QTest::newRow("reload") << "Command3"
                            << "Reload" << QPoint(48, 8);
    QTest::newRow("add button") << "cmdAddButton"
                                << "Add Button" << QPoint(8, 8);
    QTest::newRow("add label") << "cmdAddLabel"
                               << "Add Label" << QPoint(8, 32);
    QTest::newRow("add picture") << "cmdAddPicture"
                                 << "Add Picture" << QPoint(8, 56);
    QTest::newRow("apply") << "cmdApply"
                           << "Apply" << QPoint(0, 256);
}

void WindowTest::browserStripControls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QPoint, position);
    auto *button = window->findChild<QPushButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->pos(), position);
}

void WindowTest::enterInAddressBoxPressesGo()
{
    auto *go = window->findChild<QPushButton *>("cmdGo");
    QVERIFY(go->isDefault());
    QSignalSpy pressed(go, &QPushButton::clicked);
    auto *address = window->findChild<QLineEdit *>("txtAddress");
    address->setFocus();
    QTest::keyClick(address, Qt::Key_Return);
    QCOMPARE(pressed.count(), 1);
}

void WindowTest::modeItemsFlipTheMode_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("Internet") << "mnuInternet";
    QTest::newRow("Workspace") << "mnuWorkspace";
}

void WindowTest::modeItemsFlipTheMode()
{
    // Each item flips the mode whether or not it is checked; exactly one ends up checked.
    QFETCH(QString, item);
    auto *action = window->findChild<QAction *>(item);
    action->trigger();
    QVERIFY(!window->BrowserMode);
    QVERIFY(window->mnuWorkspace->isChecked());
    QVERIFY(!window->mnuInternet->isChecked());
    QVERIFY(!window->pctInternet->isVisible());
    QVERIFY(window->Picture1->isVisible());
    QVERIFY(window->Picture2->isVisible());
    QCOMPARE(window->button(5)->dragMode(), DragMode::Automatic);

    action->trigger();
    QVERIFY(window->BrowserMode);
    QVERIFY(window->mnuInternet->isChecked());
    QVERIFY(!window->mnuWorkspace->isChecked());
    QVERIFY(window->pctInternet->isVisible());
    QVERIFY(!window->Picture1->isVisible());
    QCOMPARE(window->button(5)->dragMode(), DragMode::Manual);
}

void WindowTest::editorModeClearsButBrowserModeKeeps()
{
    window->mnuWorkspace->trigger();
    window->button(1)->show();
    window->ButtonCount = 1;
    window->PageTitle = QStringLiteral("Home");
    window->canvas()->setBackColour(0xFF);

    window->mnuInternet->trigger();
    QVERIFY(window->BrowserMode);
    QVERIFY(window->button(1)->isVisible());
    QCOMPARE(window->ButtonCount, 1);
    QCOMPARE(window->PageTitle, QStringLiteral("Home"));

    window->mnuWorkspace->trigger();
    QVERIFY(window->button(1)->isHidden());
    QCOMPARE(window->ButtonCount, 0);
    QVERIFY(window->PageTitle.isEmpty());
    QCOMPARE(window->canvas()->backColour(), 0u);
}

void WindowTest::lockingReachesEverySlot()
{
    window->LockElements();
    for (int slot = 0; slot <= Form1::SlotCount; ++slot) {
        QCOMPARE(window->button(slot)->dragMode(), DragMode::Manual);
        QCOMPARE(window->label(slot)->dragMode(), DragMode::Manual);
        QCOMPARE(window->picture(slot)->dragMode(), DragMode::Manual);
    }
    window->UnlockElements();
    QCOMPARE(window->label(0)->dragMode(), DragMode::Automatic);
    QCOMPARE(window->picture(99)->dragMode(), DragMode::Automatic);
    QCOMPARE(window->button(100)->dragMode(), DragMode::Automatic);
}

void WindowTest::clearPageEmptiesEverySlot()
{
    for (int slot : {1, 99, 100}) {
        ElementButton *button = window->button(slot);
        button->show();
        button->setCaption(QStringLiteral("Next"));
        button->setTag(QStringLiteral("next.qvif"));
        button->setExactLeft(300);
        button->setExactWidth(640);
        ElementLabel *label = window->label(slot);
        label->show();
        label->setCaption(QStringLiteral("Heading"));
        label->setFontSize(20);
        label->setForeColour(0xFFFFFF);
        label->setAlignment(2);
        label->setBackStyle(0);
        label->setBorderStyle(1);
        ElementPicture *picture = window->picture(slot);
        picture->show();
        picture->setImage(QImage(4, 4, QImage::Format_RGB32));
        picture->setBorderStyle(0);
        picture->setTag(QStringLiteral("gallery.qvif"));
        picture->showLinkPointer();
    }
    window->lstPictureUrls->item(99)->setText(QStringLiteral("old.png"));
    window->pictureRequests().append(QStringLiteral("old.png"), QStringLiteral("99"), QString());
    window->canvas()->setTag(QStringLiteral("back.png"));
    window->canvas()->setPicture(QImage(4, 4, QImage::Format_RGB32));
    window->ButtonCount = 100;
    window->LabelCount = 3;
    window->PictureCount = 7;
    window->PageTitle = QStringLiteral("Title");

    window->ClearPage();

    // Every slot is as start-up left it: the template's values, hidden.
    for (int slot : {1, 99, 100}) {
        const ElementButton *button = window->button(slot);
        const ElementButton *buttonTemplate = window->button(0);
        QVERIFY(button->isHidden());
        QCOMPARE(button->caption(), FreeSlotMarker);
        QVERIFY(button->tag().isEmpty());
        QCOMPARE(button->exactLeft(), buttonTemplate->exactLeft());
        QCOMPARE(button->exactWidth(), buttonTemplate->exactWidth());
        const ElementLabel *label = window->label(slot);
        QVERIFY(label->isHidden());
        QCOMPARE(label->caption(), FreeSlotMarker);
        QCOMPARE(label->fontSize(), window->label(0)->fontSize());
        QCOMPARE(label->foreColour(), window->label(0)->foreColour());
        QCOMPARE(label->alignment(), 0);
        QCOMPARE(label->backStyle(), 1);
        QCOMPARE(label->borderStyle(), 0);
        const ElementPicture *picture = window->picture(slot);
        QVERIFY(picture->isHidden());
        QVERIFY(picture->image().isNull());
        QCOMPARE(picture->borderStyle(), 1);
        QVERIFY(picture->tag().isEmpty());
        QVERIFY(!picture->showsLinkPointer());
        QCOMPARE(picture->cursor().shape(), Qt::ArrowCursor);
    }
    QCOMPARE(window->lstPictureUrls->count(), 100);
    QVERIFY(window->lstPictureUrls->item(99)->text().isEmpty());
    QVERIFY(window->pictureRequests().isEmpty());
    QVERIFY(window->canvas()->tag().isEmpty());
    QVERIFY(window->canvas()->picture().isNull());
    QCOMPARE(window->canvas()->backColour(), 0u);
    QVERIFY(window->PageTitle.isEmpty());
    QCOMPARE(window->ButtonCount, 0);
    QCOMPARE(window->LabelCount, 0);
    QCOMPARE(window->PictureCount, 0);
}

void WindowTest::buttonsStayAboveLabelsAndPictures()
{
    ElementButton *button = window->button(1);
    ElementLabel *label = window->label(1);
    button->show();
    label->show();
    label->setExactLeft(button->exactLeft());
    label->setExactTop(button->exactTop());
    window->canvas()->bringToFront(label);
    const QPoint inBoth = label->geometry().topLeft() + QPoint(4, 4);
    QCOMPARE(window->canvas()->childAt(inBoth), button);

    ElementLabel *other = window->label(2);
    other->show();
    other->setExactLeft(label->exactLeft());
    other->setExactTop(label->exactTop());
    window->canvas()->bringToFront(other);
    window->canvas()->bringToFront(label);
    button->hide();
    QCOMPARE(window->canvas()->childAt(inBoth), label);
}

namespace {

// The highest resident memory of this process so far, in MiB.
double peakMemoryMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

} // namespace

void WindowTest::largeButtonsPaintInLittleMemory_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    // From the least to the most memory the face would take whole: the peak only ever rises.
    QTest::newRow("fits the canvas") << 1200.0f << 900.0f;
    QTest::newRow("wide") << 1e6f << 40.0f;
    QTest::newRow("tall") << 100.0f << 1e6f;
    QTest::newRow("square") << 30000.0f << 30000.0f;
}

// A page may ask for any size; painting must not cost memory in proportion to it.
void WindowTest::largeButtonsPaintInLittleMemory()
{
    QFETCH(float, width);
    QFETCH(float, height);
    const double before = peakMemoryMiB();
    if (before < 0)
        QSKIP("This system does not report the peak memory of a process.");
    ElementButton *button = window->button(1);
    button->setCaption(QStringLiteral("Large"));
    button->setExactLeft(-50);
    button->setExactTop(-20);
    button->setExactWidth(width);
    button->setExactHeight(height);
    button->show();
    window->repaint();
    QVERIFY2(peakMemoryMiB() - before < 64,
             qPrintable(QStringLiteral("painting took %1 MiB").arg(peakMemoryMiB() - before)));
}

void WindowTest::tinyWindowKeepsTheAddressLayout()
{
    auto *address = window->findChild<QLineEdit *>("txtAddress");
    auto *go = window->findChild<QPushButton *>("cmdGo");
    const QRect addressBefore = address->geometry();
    const QRect goBefore = go->geometry();
    window->resize(60, 40);
    QTRY_VERIFY(window->width() <= 200);
    QCOMPARE(address->geometry(), addressBefore);
    QCOMPARE(go->geometry(), goBefore);
    window->showMinimized();
    window->showNormal();
}

void WindowTest::wideWindowGivesTheAddressBoxTheRest()
{
    auto *address = window->findChild<QLineEdit *>("txtAddress");
    auto *go = window->findChild<QPushButton *>("cmdGo");
    window->resize(900, 500);
    QTRY_COMPARE(window->pctInternet->width(), 900);
    QCOMPARE(address->x() + address->width(), go->x());
    QCOMPARE(go->x() + go->width(), window->pctInternet->width());
    QCOMPARE(window->canvas()->width(), 900);
}

void WindowTest::debugTogglesTheTextView()
{
    auto *view = window->findChild<QPlainTextEdit *>("RTB");
    QVERIFY(!view->isVisible());
    window->mnuDebug->trigger();
    QVERIFY(view->isVisible());
    QCOMPARE(view->geometry(), QRect(0, 0, 400, 400));
    window->mnuDebug->trigger();
    QVERIFY(!view->isVisible());
    QCOMPARE(view->geometry(), QRect(0, 0, 400, 400));
}

void WindowTest::addPictureIsNeverVisible()
{
    auto *addPicture = window->findChild<QPushButton *>("cmdAddPicture");
    QVERIFY(!addPicture->isVisible());
    window->mnuWorkspace->trigger();
    QVERIFY(window->Picture1->isVisible());
    QVERIFY(!addPicture->isVisible());
    window->mnuInternet->trigger();
    QVERIFY(!addPicture->isVisible());
}

void WindowTest::temporaryFilesArePrivateAndRemovedAtClose()
{
    const QFileInfo directory(window->programDirectory());
    QVERIFY(directory.isDir());
    QCOMPARE(directory.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup |
                                        QFile::WriteOther | QFile::ExeGroup | QFile::ExeOther),
             QFile::Permissions());
    QVERIFY(window->temporaryPageFile().startsWith(directory.filePath()));
    QCOMPARE(QFileInfo(window->temporaryPageFile()).fileName(), QStringLiteral("temp.qvif"));

    // A second window must not share the files of the first.
    Form1 second;
    QVERIFY(second.programDirectory() != window->programDirectory());

    // Closing when nothing was downloaded completes silently.
    QVERIFY(window->close());

    // Whatever the directory holds by then goes with it.
    for (const QString &path :
         {window->temporaryPageFile(), window->programDirectory() + QStringLiteral("/other")}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    const QString path = window->programDirectory();
    window.reset();
    QVERIFY(!QFileInfo::exists(path));
}

void WindowTest::menuShortcuts_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("New") << "mnuNew" << QKeySequence(Qt::CTRL | Qt::Key_N);
    QTest::newRow("Open") << "mnuOpen" << QKeySequence(Qt::CTRL | Qt::Key_O);
    QTest::newRow("Save") << "mnuSave" << QKeySequence(Qt::CTRL | Qt::Key_S);
    QTest::newRow("Address") << "focusAddress" << QKeySequence(Qt::CTRL | Qt::Key_L);
}

void WindowTest::menuShortcuts()
{
    QFETCH(QString, item);
    QFETCH(QKeySequence, shortcut);
    auto *action = window->findChild<QAction *>(item);
    QVERIFY(action);
    QCOMPARE(action->shortcut(), shortcut);
    QSignalSpy triggered(action, &QAction::triggered);
    window->activateWindow();
    QTest::keySequence(window.get(), shortcut);
    QTRY_COMPARE(triggered.count(), 1);
}

void WindowTest::fileFilterInQtForm_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("page files") << "QV Internet Files (*.qvif)|*.qvif"
                                << "QV Internet Files (*.qvif)";
    QTest::newRow("name without pattern") << "Pages|*.qvif"
                                          << "Pages (*.qvif)";
    QTest::newRow("two types") << "Pages|*.qvif|All|*.*"
                               << "Pages (*.qvif);;All (*.*)";
    QTest::newRow("empty") << ""
                           << "";
}

void WindowTest::fileFilterInQtForm()
{
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(qtFileFilter(filter), expected);
}

void WindowTest::systemColourReferencesResolveForDisplay()
{
    QCOMPARE(displayColour(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(displayColour(0xFF0000), QColor(0, 0, 255));
    QCOMPARE(displayColour(SystemColour::WindowText),
             QApplication::palette().color(QPalette::WindowText));
    QCOMPARE(displayColour(SystemColour::ButtonFace),
             QApplication::palette().color(QPalette::Button));
    QVERIFY(isSystemColourReference(SystemColour::WindowBackground));
    QVERIFY(!isSystemColourReference(0xFFFFFF));
    QCOMPARE(colourValueOf(QColor(1, 2, 3)), quint32(0x030201));
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

#include "app/canvas.h"
#include "app/main_window.h"
#include "support/browsing_fixture.h"
#include "support/test_pages.h"

#include <QAction>
#include <QMenu>
#include <QUndoCommand>
#include <QUndoStack>
#include <QtTest>

// Back, forward and reload through the real window, against pages on the test's own server.
class BackForwardTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void backTwiceAndForwardOnce();
    void eachWay_data();
    void eachWay();
    void failedNavigationAddsNoEntry();
    void goingSomewhereNewDropsTheForwardPages_data();
    void goingSomewhereNewDropsTheForwardPages();
    void failedBackStaysWhereItWas();
    void reloadKeys_data();
    void reloadKeys();
    void editorModeLeavesTheKeysAndButtonsAlone();
    void viewMenuHoldsTheBrowserCommands();
    void unsavedChangesAreOfferedFirst_data();
    void unsavedChangesAreOfferedFirst();

private:
    // Pages a, b and c, each linking to the next with its button 1.
    void serveChain();
    void follow() { QTest::mouseClick(window()->button(1), Qt::LeftButton); }
    Form1 *window() const { return fixture.window.get(); }
    QString title() const { return window()->PageTitle; }
    bool canGoBack() const { return window()->Command1->isEnabled(); }
    bool canGoForward() const { return window()->Command2->isEnabled(); }

    BrowsingFixture fixture;
};

void BackForwardTest::init()
{
    fixture.start();
}

void BackForwardTest::cleanup()
{
    fixture.stop();
}

void BackForwardTest::serveChain()
{
    fixture.serve("/a.qvif", TestPage().title("A").button(1, "To B", "b.qvif").bytes());
    fixture.serve("/b.qvif", TestPage().title("B").button(1, "To C", "c.qvif").bytes());
    fixture.serve("/c.qvif", TestPage().title("C").button(1, "Nowhere").bytes());
}

void BackForwardTest::backTwiceAndForwardOnce()
{
    serveChain();
    QVERIFY(!canGoBack());
    QVERIFY(!canGoForward());
    fixture.goTo(fixture.url("/a.qvif"));
    QVERIFY(!canGoBack());
    follow();
    follow();
    QCOMPARE(title(), QStringLiteral("C"));
    QVERIFY(canGoBack());
    QVERIFY(!canGoForward());

    QTest::mouseClick(window()->Command1, Qt::LeftButton);
    QCOMPARE(title(), QStringLiteral("B"));
    QCOMPARE(fixture.addressShown(), fixture.url("/b.qvif"));
    // Going back downloads the page again.
    QCOMPARE(fixture.server->requestCount("/b.qvif"), 2);
    QVERIFY(canGoBack());
    QVERIFY(canGoForward());

    QTest::mouseClick(window()->Command1, Qt::LeftButton);
    QCOMPARE(title(), QStringLiteral("A"));
    QCOMPARE(fixture.addressShown(), fixture.url("/a.qvif"));
    QVERIFY(!canGoBack());
    QVERIFY(canGoForward());

    QTest::mouseClick(window()->Command2, Qt::LeftButton);
    QCOMPARE(title(), QStringLiteral("B"));
    QCOMPARE(fixture.addressShown(), fixture.url("/b.qvif"));
    QVERIFY(canGoBack());
    QVERIFY(canGoForward());
    QCOMPARE(fixture.server->requests(),
             QStringList({"/a.qvif", "/b.qvif", "/c.qvif", "/b.qvif", "/a.qvif", "/b.qvif"}));
}

void BackForwardTest::eachWay_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("Alt+Left and Alt+Right") << "keys";
    QTest::newRow("mouse buttons over the canvas") << "mouse on the canvas";
    QTest::newRow("mouse buttons over an element") << "mouse on an element";
    QTest::newRow("mouse buttons over the address box") << "mouse on the address box";
    QTest::newRow("View > Back and View > Forward") << "menu";
}

void BackForwardTest::eachWay()
{
    QFETCH(QString, way);
    serveChain();
    fixture.goTo(fixture.url("/a.qvif"));
    follow();
    QCOMPARE(title(), QStringLiteral("B"));

    auto go = [&](bool back) {
        if (way == "keys") {
            QTest::keyClick(window(), back ? Qt::Key_Left : Qt::Key_Right, Qt::AltModifier);
        } else if (way == "menu") {
            (back ? window()->mnuBack : window()->mnuForward)->trigger();
        } else {
            QWidget *target = window()->txtAddress;
            if (way == "mouse on the canvas")
                target = window()->canvas();
            else if (way == "mouse on an element")
                target = window()->button(1);
            QTest::mouseClick(target, back ? Qt::BackButton : Qt::ForwardButton, {}, QPoint(2, 2));
        }
    };
    go(true);
    QCOMPARE(title(), QStringLiteral("A"));
    // Nowhere further back: nothing happens.
    go(true);
    QCOMPARE(title(), QStringLiteral("A"));
    go(false);
    QCOMPARE(title(), QStringLiteral("B"));
    go(false);
    QCOMPARE(title(), QStringLiteral("B"));
    QCOMPARE(fixture.server->requests(), QStringList({"/a.qvif", "/b.qvif", "/a.qvif", "/b.qvif"}));
}

void BackForwardTest::failedNavigationAddsNoEntry()
{
    serveChain();
    fixture.goTo(fixture.url("/a.qvif"));
    fixture.goTo(fixture.url("/missing.qvif"));
    QCOMPARE(title(), QStringLiteral("A"));
    QVERIFY(!canGoBack());
    fixture.goTo(fixture.url("/b.qvif"));
    QTest::mouseClick(window()->Command1, Qt::LeftButton);
    QCOMPARE(title(), QStringLiteral("A"));
    QVERIFY(!canGoBack());
    QCOMPARE(window()->history().addresses(),
             QStringList({fixture.url("/a.qvif"), fixture.url("/b.qvif")}));
}

void BackForwardTest::goingSomewhereNewDropsTheForwardPages_data()
{
    QTest::addColumn<bool>("byLink");
    QTest::newRow("following a link") << true;
    QTest::newRow("Go") << false;
}

void BackForwardTest::goingSomewhereNewDropsTheForwardPages()
{
    QFETCH(bool, byLink);
    serveChain();
    fixture.serve("/d.qvif", TestPage().title("D").bytes());
    fixture.goTo(fixture.url("/a.qvif"));
    follow();
    follow();
    QTest::mouseClick(window()->Command1, Qt::LeftButton);
    QTest::mouseClick(window()->Command1, Qt::LeftButton);
    QCOMPARE(title(), QStringLiteral("A"));
    QVERIFY(canGoForward());

    if (byLink)
        follow();
    else
        fixture.goTo(fixture.url("/d.qvif"));
    QCOMPARE(title(), byLink ? QStringLiteral("B") : QStringLiteral("D"));
    QVERIFY(!canGoForward());
    QCOMPARE(window()->history().addresses(),
             QStringList({fixture.url("/a.qvif"), fixture.url(byLink ? "/b.qvif" : "/d.qvif")}));
    QTest::mouseClick(window()->Command1, Qt::LeftButton);
    QCOMPARE(title(), QStringLiteral("A"));
}

void BackForwardTest::failedBackStaysWhereItWas()
{
    serveChain();
    fixture.goTo(fixture.url("/a.qvif"));
    follow();
    QVERIFY(QFile::remove(fixture.site->filePath("a.qvif")));
    QTest::mouseClick(window()->Command1, Qt::LeftButton);
    QCOMPARE(title(), QStringLiteral("B"));
    QCOMPARE(window()->statusText(),
             QStringLiteral("Could not load %1: not found (404)").arg(fixture.url("/a.qvif")));
    QCOMPARE(window()->history().current(), fixture.url("/b.qvif"));
    QVERIFY(canGoBack());
    QVERIFY(!canGoForward());
}

void BackForwardTest::reloadKeys_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("F5") << QKeySequence(Qt::Key_F5);
    QTest::newRow("Ctrl+R") << QKeySequence(Qt::CTRL | Qt::Key_R);
}

void BackForwardTest::reloadKeys()
{
    QFETCH(QKeySequence, keys);
    fixture.serve("/a.qvif", TestPage().title("A").bytes());
    fixture.goTo(fixture.url("/a.qvif"));
    fixture.serve("/a.qvif", TestPage().title("A again").bytes());
    QTest::keySequence(window(), keys);
    QCOMPARE(title(), QStringLiteral("A again"));
    QCOMPARE(fixture.server->requestCount("/a.qvif"), 2);
    // A reload is no new place in the history.
    QCOMPARE(window()->history().addresses(), QStringList({fixture.url("/a.qvif")}));
}

void BackForwardTest::editorModeLeavesTheKeysAndButtonsAlone()
{
    serveChain();
    fixture.goTo(fixture.url("/a.qvif"));
    follow();
    window()->mnuWorkspace->trigger();
    QVERIFY(!window()->BrowserMode);
    QVERIFY(!window()->mnuBack->isEnabled());
    QVERIFY(!window()->mnuReload->isEnabled());
    QTest::keyClick(window(), Qt::Key_Left, Qt::AltModifier);
    QTest::keySequence(window(), QKeySequence(Qt::Key_F5));
    QTest::mouseClick(window()->canvas(), Qt::BackButton, {}, QPoint(5, 5));
    QCOMPARE(fixture.server->requests().size(), 2);
    QVERIFY(title().isEmpty());

    window()->mnuInternet->trigger();
    QVERIFY(window()->mnuBack->isEnabled());
    QTest::keyClick(window(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(title(), QStringLiteral("A"));
}

void BackForwardTest::viewMenuHoldsTheBrowserCommands()
{
    QStringList items;
    for (QAction *action : window()->mnuView->actions())
        items << action->objectName();
    QCOMPARE(items, QStringList({"mnuBack", "mnuForward", "mnuReload", "mnuStop"}));
    QCOMPARE(window()->mnuBack->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Left));
    QCOMPARE(window()->mnuForward->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Right));
    QCOMPARE(window()->mnuReload->shortcuts(),
             QList<QKeySequence>({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)}));
    QCOMPARE(window()->mnuStop->shortcut(), QKeySequence(Qt::Key_Escape));
}

void BackForwardTest::unsavedChangesAreOfferedFirst_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"<<", ">>", "Alt+Left", "Reload", "F5", "Go", "link"})
        QTest::newRow(command) << QString::fromLatin1(command);
}

void BackForwardTest::unsavedChangesAreOfferedFirst()
{
    QFETCH(QString, command);
    serveChain();
    fixture.goTo(fixture.url("/a.qvif"));
    follow();
    QTest::mouseClick(window()->Command1, Qt::LeftButton);
    QCOMPARE(title(), QStringLiteral("A"));
    const int requests = int(fixture.server->requests().size());
    // A change that no file has; the question is answered Cancel.
    window()->undoStack().push(new QUndoCommand(QStringLiteral("Edit")));
    QVERIFY(window()->hasUnsavedChanges());

    if (command == "<<") {
        // Back from B, reached first.
        fixture.dialogs->saveChangesAnswers.enqueue(CommonDialog::SaveChangesAnswer::Discard);
        QTest::mouseClick(window()->Command2, Qt::LeftButton);
        QCOMPARE(title(), QStringLiteral("B"));
        window()->undoStack().push(new QUndoCommand(QStringLiteral("Edit")));
        QTest::mouseClick(window()->Command1, Qt::LeftButton);
        QCOMPARE(title(), QStringLiteral("B"));
        QCOMPARE(fixture.dialogs->questions.size(), 2);
        return;
    }
    if (command == ">>")
        QTest::mouseClick(window()->Command2, Qt::LeftButton);
    else if (command == "Alt+Left")
        QTest::keyClick(window(), Qt::Key_Right, Qt::AltModifier);
    else if (command == "Reload")
        QTest::mouseClick(window()->Command3, Qt::LeftButton);
    else if (command == "F5")
        QTest::keySequence(window(), QKeySequence(Qt::Key_F5));
    else if (command == "Go")
        fixture.goTo(fixture.url("/c.qvif"));
    else
        follow();
    QCOMPARE(fixture.dialogs->questions.size(), 1);
    QVERIFY(fixture.dialogs->questions.first().startsWith(QLatin1String("Save changes to ")));
    QCOMPARE(title(), QStringLiteral("A"));
    QCOMPARE(int(fixture.server->requests().size()), requests);
}

QTEST_MAIN(BackForwardTest)
#include "tst_back_forward.moc"

#include "app/canvas.h"
#include "app/main_window.h"
#include "support/browsing_fixture.h"
#include "support/picture_ticks.h"
#include "support/test_pages.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

// File > Edit This Page: the page browsed goes to the editor as it is, and Save offers its own
// file.
class EditThisPageTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void editKeepsThePage_data();
    void editKeepsThePage();
    void pageFromDiskIsSavedBackIntoItsFile();
    void typeWorkspaceStillClears();
    void onlyWhileBrowsing();
    void ctrlEEditsFromTheAddressBox();
    void pictureChosenFromDiskShowsOnAWebPage();

private:
    Form1 *window() const { return fixture.window.get(); }
    void pressCtrlE() const { QTest::keyClick(window(), Qt::Key_E, Qt::ControlModifier); }

    BrowsingFixture fixture;
};

void EditThisPageTest::init()
{
    fixture.start();
}

void EditThisPageTest::cleanup()
{
    fixture.stop();
}

void EditThisPageTest::editKeepsThePage_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("page from the web") << "web";
    QTest::newRow("file:// page") << "file url";
    QTest::newRow("page typed as a path") << "path";
}

void EditThisPageTest::editKeepsThePage()
{
    QFETCH(QString, how);
    window()->Timer1->stop();
    fixture.serve(
        "/dir/page.qvif",
        TestPage().title("Mine").button(1, "Kept", "other.qvif").picture(1, "p.png").bytes());
    fixture.serve("/dir/p.png", pngOfSize({6, 6}));
    const QString file = fixture.site->filePath("dir/page.qvif");
    if (how == "web")
        fixture.goTo(fixture.url("/dir/page.qvif"));
    else if (how == "file url")
        fixture.goTo(QUrl::fromLocalFile(file).toString());
    else
        fixture.goTo(file);
    QCOMPARE(window()->PageTitle, QStringLiteral("Mine"));
    QVERIFY(window()->mnuEditPage->isEnabled());

    pressCtrlE();
    QVERIFY(!window()->BrowserMode);
    QVERIFY(window()->mnuWorkspace->isChecked());
    QVERIFY(window()->Picture1->isVisible());
    QVERIFY(!window()->pctInternet->isVisible());
    QCOMPARE(window()->PageTitle, QStringLiteral("Mine"));
    QVERIFY(window()->button(1)->isVisible());
    QCOMPARE(window()->button(1)->caption(), QStringLiteral("Kept"));
    QCOMPARE(window()->button(1)->tag(), QStringLiteral("other.qvif"));
    // Its pictures go on arriving.
    QVERIFY(tickWhenHeadIsDone(*window()));
    QCOMPARE(window()->picture(1)->image().size(), QSize(6, 6));

    window()->mnuSave->trigger();
    const QString expected =
        how == "web"
            ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/page.qvif"
            : file;
    QCOMPARE(fixture.dialogs->lastSuggestedSave, expected);
}

void EditThisPageTest::ctrlEEditsFromTheAddressBox()
{
    fixture.serve("/page.qvif", TestPage().title("Mine").bytes());
    fixture.goTo(fixture.url("/page.qvif"));
    // The line edit's own Ctrl+E would move the cursor to the end of the address.
    window()->txtAddress->setFocus();
    window()->txtAddress->setCursorPosition(0);
    QTest::keyClick(window()->txtAddress, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(!window()->BrowserMode);
    QCOMPARE(window()->PageTitle, QStringLiteral("Mine"));
}

void EditThisPageTest::pictureChosenFromDiskShowsOnAWebPage()
{
    window()->Timer1->stop();
    fixture.serve("/page.qvif", TestPage().title("Mine").picture(1, "").bytes());
    fixture.serve("/disk/chosen.png", pngOfSize({7, 5}));
    fixture.goTo(fixture.url("/page.qvif"));
    window()->mnuEditPage->trigger();
    window()->Picturee_Click(1);
    // The page will live in a file of this computer, so the picture the user chose there shows.
    fixture.dialogs->pictureAnswers.enqueue(fixture.site->filePath("disk/chosen.png"));
    QTest::mouseClick(window()->findChild<QPushButton *>("cmdPicBrowse"), Qt::LeftButton);
    window()->cmdApply->click();
    QVERIFY(tickWhenHeadIsDone(*window()));
    QCOMPARE(window()->picture(1)->image().size(), QSize(7, 5));
    QVERIFY(fixture.server->requests().endsWith(QStringLiteral("/page.qvif")));
}

void EditThisPageTest::pageFromDiskIsSavedBackIntoItsFile()
{
    const QString file = fixture.site->filePath("page.qvif");
    fixture.serve("/page.qvif", TestPage().title("Before").button(1, "Button").bytes());
    fixture.goTo(file);
    window()->mnuEditPage->trigger();
    window()->PageTitle = QStringLiteral("After");
    fixture.dialogs->saveAnswers.enqueue(file);
    window()->mnuSave->trigger();
    QVERIFY(fixture.dialogs->errors.isEmpty());
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QVERIFY(bytes.contains("Title=After\r\n"));
    QVERIFY(bytes.contains("1bcap=Button\r\n"));
}

void EditThisPageTest::typeWorkspaceStillClears()
{
    fixture.serve("/page.qvif", TestPage().title("Mine").button(1, "Gone").bytes());
    fixture.goTo(fixture.url("/page.qvif"));
    window()->mnuWorkspace->trigger();
    QVERIFY(!window()->BrowserMode);
    QVERIFY(window()->PageTitle.isEmpty());
    QVERIFY(window()->button(1)->isHidden());
    window()->mnuSave->trigger();
    QCOMPARE(fixture.dialogs->lastSuggestedSave,
             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                 "/Untitled.qvif");
}

void EditThisPageTest::onlyWhileBrowsing()
{
    fixture.serve("/page.qvif", TestPage().title("Mine").button(1, "Kept").bytes());
    fixture.goTo(fixture.url("/page.qvif"));
    pressCtrlE();
    QVERIFY(!window()->BrowserMode);
    QVERIFY(!window()->mnuEditPage->isEnabled());
    // Again in the editor: nothing changes, and the page stays.
    pressCtrlE();
    QVERIFY(!window()->BrowserMode);
    QCOMPARE(window()->PageTitle, QStringLiteral("Mine"));
    window()->mnuInternet->trigger();
    QVERIFY(window()->mnuEditPage->isEnabled());
    QCOMPARE(window()->mnuEditPage->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    QVERIFY(window()->mnuFile->actions().contains(window()->mnuEditPage));
}

QTEST_MAIN(EditThisPageTest)
#include "tst_edit_this_page.moc"

#include "app/canvas.h"
#include "app/main_window.h"
#include "app/tag.h"
#include "page/recovery_copy.h"
#include "support/http_server.h"
#include "support/page_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/test_pages.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

using Answer = CommonDialog::SaveChangesAnswer;

// What the window does with work not yet saved: it knows it has some, names it in its title, asks
// before a command throws it away, and keeps a copy that the next start offers when the program
// ends any other way.
class UnsavedWorkTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void changesFollowEditsSavesAndUndo();
    void titleSaysWhatIsOpen();
    void guardedCommandsAsk_data();
    void guardedCommandsAsk();
    void nothingIsAskedWithoutChanges();
    void discardedChangesLeaveNoCopy();
    void copyOfAnEndedRunIsOfferedAndRestored();
    void discardedOfferIsGoneForGood();

private:
    QString path(const QString &name) const { return directory->filePath(name); }
    QString recoveryFolder() const { return Form1::recoveryDirectory(); }
    void makeWindow();
    // Opens the test page, which links to the server's next page, and places a label on it.
    void editPage();
    void placeLabel(QPoint at);

    std::unique_ptr<QTemporaryDir> directory;
    std::unique_ptr<HttpServer> server;
    std::unique_ptr<Form1> window;
    ScriptedDialogs *dialogs = nullptr;
};

void UnsavedWorkTest::init()
{
    directory = std::make_unique<QTemporaryDir>();
    QVERIFY(directory->isValid());
    // Each test keeps its recovery copies apart from every other's.
    qputenv("XDG_DATA_HOME", path("data").toUtf8());
    server = std::make_unique<HttpServer>();
    server->setRoot(path("site"));
    QVERIFY(server->listen());
    QVERIFY(QDir().mkpath(path("site")));
    QVERIFY(writeBytes(path("site/next.qvif"), TestPage().title("Next").bytes()));
    QVERIFY(writeBytes(
        path("page.qvif"),
        TestPage().title("Mine").button(1, "Onward", server->url("/next.qvif")).bytes()));
    makeWindow();
}

void UnsavedWorkTest::cleanup()
{
    window.reset();
    server.reset();
    directory.reset();
}

void UnsavedWorkTest::makeWindow()
{
    window = std::make_unique<Form1>();
    dialogs = scriptDialogs(*window);
    window->Timer1->stop();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void UnsavedWorkTest::placeLabel(QPoint at)
{
    window->mnuInsertLabel->trigger();
    QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, at);
}

void UnsavedWorkTest::editPage()
{
    window->openPageFile(path("page.qvif"));
    QVERIFY(!window->hasUnsavedChanges());
    placeLabel({250, 200});
    QVERIFY(window->label(1)->isVisible());
    QVERIFY(window->hasUnsavedChanges());
}

void UnsavedWorkTest::changesFollowEditsSavesAndUndo()
{
    editPage();
    dialogs->saveAnswers.enqueue(path("saved.qvif"));
    window->mnuSave->trigger();
    QVERIFY(!window->hasUnsavedChanges());

    window->button(1)->click();
    window->txtcmdCaption->setText(QStringLiteral("Renamed"));
    window->cmdApply->click();
    QVERIFY(window->hasUnsavedChanges());
    // Undoing back to what the file holds leaves nothing unsaved; redoing brings the change back.
    window->mnuUndo->trigger();
    QVERIFY(!window->hasUnsavedChanges());
    window->mnuRedo->trigger();
    QVERIFY(window->hasUnsavedChanges());

    // A save that fails keeps the changes unsaved.
    dialogs->saveAnswers.enqueue(path("missing/saved.qvif"));
    window->mnuSave->trigger();
    QCOMPARE(dialogs->errors.size(), 1);
    QVERIFY(window->hasUnsavedChanges());
    window->mnuUndo->trigger();
    QVERIFY(!window->hasUnsavedChanges());
}

void UnsavedWorkTest::titleSaysWhatIsOpen()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Quorvane"));
    window->txtAddress->setText(server->url("/next.qvif"));
    window->cmdGo->click();
    QCOMPARE(window->windowTitle(), QStringLiteral("Next - Quorvane"));

    window->mnuWorkspace->trigger();
    QCOMPARE(window->windowTitle(), QStringLiteral("Untitled[*] - Quorvane"));
    QVERIFY(!window->isWindowModified());
    placeLabel({200, 200});
    QVERIFY(window->isWindowModified());
    dialogs->saveAnswers.enqueue(path("first.qvif"));
    window->mnuSave->trigger();
    QCOMPARE(window->windowTitle(), QStringLiteral("first.qvif[*] - Quorvane"));
    QVERIFY(!window->isWindowModified());

    // A browsed page without a title is named by its address.
    QVERIFY(writeBytes(path("site/plain.qvif"), "ButtonNum=-1\r\n"));
    window->mnuInternet->trigger();
    window->txtAddress->setText(server->url("/plain.qvif"));
    window->cmdGo->click();
    QCOMPARE(window->windowTitle(), server->url("/plain.qvif") + " - Quorvane");
}

void UnsavedWorkTest::guardedCommandsAsk_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("answer");
    const QStringList commands{"close", "Quit", "Open", "Type > Workspace", "Go", "Reload", "link"};
    const QStringList answers{"Save", "Save, dialog cancelled", "Save, failing", "Discard",
                              "Cancel"};
    for (const QString &command : commands) {
        for (const QString &answer : answers)
            QTest::addRow("%s, %s", qPrintable(command), qPrintable(answer)) << command << answer;
    }
}

void UnsavedWorkTest::guardedCommandsAsk()
{
    QFETCH(QString, command);
    QFETCH(QString, answer);
    editPage();
    const bool browsing = command == "Type > Workspace" || command == "Go" || command == "Reload" ||
                          command == "link";
    if (browsing) {
        // Entering browser mode keeps the page being edited, changes and all.
        window->mnuInternet->trigger();
        QVERIFY(window->BrowserMode);
        QVERIFY(window->hasUnsavedChanges());
        setTag(window->txtAddress, server->url("/next.qvif"));
        window->txtAddress->setText(server->url("/next.qvif"));
    }
    dialogs->saveChangesAnswers.enqueue(answer == "Discard"  ? Answer::Discard
                                        : answer == "Cancel" ? Answer::Cancel
                                                             : Answer::Save);
    if (answer == "Save")
        dialogs->saveAnswers.enqueue(path("kept.qvif"));
    else if (answer == "Save, failing")
        dialogs->saveAnswers.enqueue(path("missing/kept.qvif"));
    QVERIFY(writeBytes(path("other.qvif"), TestPage().title("Other").bytes()));
    dialogs->openAnswers.enqueue(path("other.qvif"));

    if (command == "close")
        window->close();
    else if (command == "Quit")
        window->mnuQuit->trigger();
    else if (command == "Open")
        window->mnuOpen->trigger();
    else if (command == "Type > Workspace")
        window->mnuWorkspace->trigger();
    else if (command == "Go")
        window->cmdGo->click();
    else if (command == "Reload")
        window->Command3->click();
    else
        QTest::mouseClick(window->button(1), Qt::LeftButton);

    QCOMPARE(dialogs->questions, QStringList{"Save changes to page.qvif?"});
    const bool goesOn = answer == "Save" || answer == "Discard";
    if (answer == "Save")
        QVERIFY(readBytes(path("kept.qvif")).contains("\r\n1lcap=Label 1\r\n"));
    if (!goesOn) {
        // Nothing at all changed: the page, its changes, the mode, the window.
        QVERIFY(window->isVisible());
        QCOMPARE(window->BrowserMode, browsing);
        QVERIFY(window->label(1)->isVisible());
        QCOMPARE(window->PageTitle, QStringLiteral("Mine"));
        QVERIFY(window->hasUnsavedChanges());
        QCOMPARE(dialogs->openCount, 0);
        return;
    }
    if (command == "close" || command == "Quit") {
        QVERIFY(!window->isVisible());
        return;
    }
    QVERIFY(window->label(1)->isHidden());
    QVERIFY(!window->hasUnsavedChanges());
    if (command == "Open")
        QCOMPARE(window->PageTitle, QStringLiteral("Other"));
    else if (command != "Type > Workspace")
        QCOMPARE(window->PageTitle, QStringLiteral("Next"));
}

void UnsavedWorkTest::nothingIsAskedWithoutChanges()
{
    window->openPageFile(path("page.qvif"));
    dialogs->openAnswers.enqueue(path("page.qvif"));
    window->mnuOpen->trigger();
    window->mnuInternet->trigger();
    window->cmdGo->click();
    window->mnuWorkspace->trigger();
    window->mnuQuit->trigger();
    QVERIFY(dialogs->questions.isEmpty());
    QVERIFY(!window->isVisible());
}

void UnsavedWorkTest::discardedChangesLeaveNoCopy()
{
    editPage();
    // The copy and the lock that says its run goes on.
    QTRY_COMPARE_WITH_TIMEOUT(QDir(recoveryFolder()).entryList(QDir::Files).size(), 2, 3000);
    dialogs->saveChangesAnswers.enqueue(Answer::Discard);
    QVERIFY(window->close());
    window.reset();
    QVERIFY(QDir(recoveryFolder()).entryList(QDir::Files).isEmpty());
}

void UnsavedWorkTest::copyOfAnEndedRunIsOfferedAndRestored()
{
    editPage();
    // The run ends without a question, as a termination signal ends it: the copy stays.
    QTRY_COMPARE_WITH_TIMEOUT(QDir(recoveryFolder()).entryList(QDir::Files).size(), 2, 3000);
    window.reset();
    QCOMPARE(QDir(recoveryFolder()).entryList(QDir::Files).size(), 1);

    makeWindow();
    dialogs->recoverAnswers.enqueue(true);
    QVERIFY(window->offerRecovery());
    QCOMPARE(dialogs->questions.size(), 1);
    QVERIFY(dialogs->questions.first().startsWith("Recover unsaved changes to page.qvif from "));
    QVERIFY(!window->BrowserMode);
    QVERIFY(window->label(1)->isVisible());
    QCOMPARE(window->label(1)->caption(), QStringLiteral("Label 1"));
    QVERIFY(window->hasUnsavedChanges());
    QCOMPARE(window->windowTitle(), QStringLiteral("page.qvif[*] - Quorvane"));

    // Save offers the page's own file; once saved, no copy is left to offer.
    dialogs->saveAnswers.enqueue(path("page.qvif"));
    window->mnuSave->trigger();
    QCOMPARE(dialogs->lastSuggestedSave, path("page.qvif"));
    QVERIFY(readBytes(path("page.qvif")).contains("\r\n1lcap=Label 1\r\n"));
    QVERIFY(!window->hasUnsavedChanges());
    window.reset();
    QVERIFY(OrphanedCopy::findIn(recoveryFolder()).empty());
}

void UnsavedWorkTest::discardedOfferIsGoneForGood()
{
    editPage();
    QTRY_COMPARE_WITH_TIMEOUT(QDir(recoveryFolder()).entryList(QDir::Files).size(), 2, 3000);
    window.reset();
    makeWindow();
    QVERIFY(!window->offerRecovery());
    QCOMPARE(dialogs->questions.size(), 1);
    QVERIFY(window->BrowserMode);
    QVERIFY(QDir(recoveryFolder()).entryList(QDir::Files).isEmpty());
    QVERIFY(!window->offerRecovery());
    QCOMPARE(dialogs->questions.size(), 1);
}

QTEST_MAIN(UnsavedWorkTest)
#include "tst_unsaved_work.moc"

#include "app/canvas.h"
#include "app/canvas_area.h"
#include "app/main_window.h"
#include "app/tag.h"
#include "browser/inet.h"
#include "browser/picture_queue.h"
#include "support/http_server.h"
#include "support/picture_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/test_pages.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <utility>

using namespace std::chrono_literals;
using Answer = HttpServer::Answer;
Q_DECLARE_METATYPE(HttpServer::Answer)

class NavigationTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void goThenReloadFetchTheSameFile();
    void reloadAtStartUpNavigatesToTheEmptyAddress();
    void reloadUsesTheLastAddressNotTheTypedOne();
    void ctrlLSelectsTheAddress();
    void linkNavigates_data();
    void linkNavigates();
    void elementWithoutLinkChangesNothing();
    void editorModeClickFollowsNoLink();
    void relativeLinkAndPictureResolveAgainstThePage();
    void relativeLinkResolvesAfterRedirect();
    void shortPageReplacesLongPage();
    void failedNavigationShowsTheOldPageAndTellsWhy_data();
    void failedNavigationShowsTheOldPageAndTellsWhy();
    void refusedConnectionIsTold();
    void vanishedDownloadDirectoryIsMadeAgain();
    void noDownloadDirectoryIsToldAndWritesNothingElsewhere();
    void networkPageCannotOpenLocalFiles();
    void localFileStaysRefusedAfterAFailedNavigation();
    void typedLocalPageAndItsRelativeLinks();
    void usersCommandEndsANavigation_data();
    void usersCommandEndsANavigation();
    void laterNavigationWins_data();
    void laterNavigationWins();
    void overlayCoversTheCanvasAndTheWindowRepaintsDuringDownload();
    void demoSiteBrowses();

private:
    void serve(const QString &path, const QByteArray &bytes);
    void goTo(const QString &address);
    QString status() const { return window->statusText(); }
    QLineEdit *address() const { return window->findChild<QLineEdit *>("txtAddress"); }

    std::unique_ptr<QTemporaryDir> site;
    std::unique_ptr<HttpServer> server;
    std::unique_ptr<Form1> window;
};

void NavigationTest::init()
{
    site = std::make_unique<QTemporaryDir>();
    server = std::make_unique<HttpServer>();
    server->setRoot(site->path());
    QVERIFY(server->listen());
    window = std::make_unique<Form1>();
    scriptDialogs(*window);
    window->transfer().setIdleTimeout(1000ms);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void NavigationTest::cleanup()
{
    window.reset();
    server.reset();
}

void NavigationTest::serve(const QString &path, const QByteArray &bytes)
{
    const QString file = site->filePath(path.mid(1));
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    QCOMPARE(out.write(bytes), bytes.size());
}

void NavigationTest::goTo(const QString &text)
{
    address()->setText(text);
    QTest::mouseClick(window->findChild<QPushButton *>("cmdGo"), Qt::LeftButton);
}

void NavigationTest::goThenReloadFetchTheSameFile()
{
    serve("/index.qvif", TestPage().title("Home").button(1, "Hello").bytes());
    goTo(server->url("/"));
    QCOMPARE(window->PageTitle, QStringLiteral("Home"));
    QVERIFY(window->button(1)->isVisible());
    QCOMPARE(window->button(1)->caption(), QStringLiteral("Hello"));
    QCOMPARE(address()->text(), server->url("/index.qvif"));
    QCOMPARE(tagOf(address()), server->url("/"));
    QVERIFY(!window->findChild<QFrame *>("picLoading")->isVisible());
    QVERIFY(status().isEmpty());

    QTest::mouseClick(window->findChild<QPushButton *>("Command3"), Qt::LeftButton);
    QCOMPARE(server->requests(), QStringList({"/index.qvif", "/index.qvif"}));
    QCOMPARE(address()->text(), server->url("/index.qvif"));
    QCOMPARE(window->button(1)->caption(), QStringLiteral("Hello"));
}

void NavigationTest::reloadAtStartUpNavigatesToTheEmptyAddress()
{
    QTest::mouseClick(window->findChild<QPushButton *>("Command3"), Qt::LeftButton);
    QCOMPARE(address()->text(), QStringLiteral("/index.qvif"));
    QCOMPARE(status(), QStringLiteral("Could not load /index.qvif: no such file"));
    QVERIFY(server->requests().isEmpty());
    QVERIFY(!window->findChild<QFrame *>("picLoading")->isVisible());
}

void NavigationTest::reloadUsesTheLastAddressNotTheTypedOne()
{
    serve("/a.qvif", TestPage().title("A").bytes());
    serve("/b.qvif", TestPage().title("B").bytes());
    goTo(server->url("/a.qvif"));
    address()->setText(server->url("/b.qvif"));
    QTest::mouseClick(window->findChild<QPushButton *>("Command3"), Qt::LeftButton);
    QCOMPARE(server->requests(), QStringList({"/a.qvif", "/a.qvif"}));
    QCOMPARE(window->PageTitle, QStringLiteral("A"));
    QCOMPARE(address()->text(), server->url("/a.qvif"));
}

void NavigationTest::ctrlLSelectsTheAddress()
{
    window->activateWindow();
    window->findChild<QPushButton *>("cmdGo")->setFocus();
    QTRY_VERIFY(!address()->hasFocus());
    QTest::keySequence(window.get(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QTRY_VERIFY(address()->hasFocus());
    QCOMPARE(address()->selectedText(), address()->text());
}

void NavigationTest::linkNavigates_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("button") << "Buttonn";
    QTest::newRow("label") << "Labell";
    QTest::newRow("picture") << "Picturee";
}

void NavigationTest::linkNavigates()
{
    QFETCH(QString, kind);
    const QString target = server->url("/b.qvif");
    TestPage home;
    home.title("Home");
    if (kind == "Buttonn")
        home.button(1, "Next", target);
    else if (kind == "Labell")
        home.label(1, "Next", target);
    else
        home.picture(1, QString(), target);
    serve("/index.qvif", home.bytes());
    serve("/b.qvif", TestPage().title("B").bytes());
    goTo(server->url("/"));

    PageElement *element = kind == "Buttonn"  ? static_cast<PageElement *>(window->button(1))
                           : kind == "Labell" ? static_cast<PageElement *>(window->label(1))
                                              : static_cast<PageElement *>(window->picture(1));
    QVERIFY(element->widget()->isVisible());
    QTest::mouseClick(element->widget(), Qt::LeftButton);
    QCOMPARE(window->PageTitle, QStringLiteral("B"));
    QCOMPARE(address()->text(), target);
    QVERIFY(window->BrowserMode);
}

void NavigationTest::elementWithoutLinkChangesNothing()
{
    serve("/index.qvif", TestPage().title("Home").button(1, "Nowhere").bytes());
    goTo(server->url("/"));
    QTest::mouseClick(window->button(1), Qt::LeftButton);
    QCOMPARE(server->requests().size(), 1);
    QCOMPARE(window->PageTitle, QStringLiteral("Home"));
    QCOMPARE(address()->text(), server->url("/index.qvif"));
}

void NavigationTest::editorModeClickFollowsNoLink()
{
    serve("/b.qvif", TestPage().title("B").bytes());
    const QString page = site->filePath("local.qvif");
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(TestPage().title("Local").label(1, "Next", server->url("/b.qvif")).bytes());
    file.close();
    window->mnuWorkspace->trigger();
    window->LoadPage(page);
    QVERIFY(window->label(1)->isVisible());
    QTest::mouseClick(window->label(1), Qt::LeftButton);
    QVERIFY(server->requests().isEmpty());
    QCOMPARE(window->PageTitle, QStringLiteral("Local"));
}

void NavigationTest::relativeLinkAndPictureResolveAgainstThePage()
{
    window->Timer1->stop();
    serve("/dir/a.qvif",
          TestPage().title("A").button(1, "Next", "b.qvif").picture(1, "images/p.png").bytes());
    serve("/dir/b.qvif", TestPage().title("B").bytes());
    serve("/dir/images/p.png", pngOfSize({17, 9}));
    goTo(server->url("/dir/a.qvif"));
    // What the page gave is kept as it was written; only fetching resolves it.
    QCOMPARE(window->lstPics->item(0)->text(), QStringLiteral("images/p.png"));
    QCOMPARE(window->button(1)->tag(), QStringLiteral("b.qvif"));

    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(window->picture(1)->image().size(), QSize(17, 9));
    QVERIFY(server->requests().contains("/dir/images/p.png"));

    QTest::mouseClick(window->button(1), Qt::LeftButton);
    QCOMPARE(window->PageTitle, QStringLiteral("B"));
    QCOMPARE(address()->text(), server->url("/dir/b.qvif"));
    QCOMPARE(tagOf(address()), server->url("/dir/b.qvif"));
}

void NavigationTest::relativeLinkResolvesAfterRedirect()
{
    server->setAnswer("/old.qvif", Answer::redirect("/new/a.qvif"));
    serve("/new/a.qvif", TestPage().title("A").button(1, "Next", "b.qvif").bytes());
    serve("/new/b.qvif", TestPage().title("B").bytes());
    goTo(server->url("/old.qvif"));
    QCOMPARE(window->PageTitle, QStringLiteral("A"));
    QCOMPARE(window->pageAddress(), server->url("/new/a.qvif"));
    QTest::mouseClick(window->button(1), Qt::LeftButton);
    QCOMPARE(window->PageTitle, QStringLiteral("B"));
    QCOMPARE(address()->text(), server->url("/new/b.qvif"));
}

void NavigationTest::shortPageReplacesLongPage()
{
    TestPage longPage;
    for (int slot = 1; slot <= 6; ++slot)
        longPage.button(slot, QStringLiteral("Long %1").arg(slot)).label(slot, "Long");
    serve("/long.qvif", longPage.title("Long").bytes());
    serve("/short.qvif", TestPage().title("Short").button(1, "Short").bytes());
    goTo(server->url("/long.qvif"));
    QVERIFY(window->button(6)->isVisible());
    goTo(server->url("/short.qvif"));
    QCOMPARE(window->PageTitle, QStringLiteral("Short"));
    QCOMPARE(window->button(1)->caption(), QStringLiteral("Short"));
    for (int slot = 2; slot <= 6; ++slot) {
        QVERIFY(window->button(slot)->isHidden());
        QVERIFY(window->label(slot)->isHidden());
    }
    QCOMPARE(window->ButtonCount, 1);
    QCOMPARE(window->LabelCount, 0);
}

void NavigationTest::failedNavigationShowsTheOldPageAndTellsWhy_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not found") << Answer::error(404, "Not Found") << "not found (404)";
    QTest::newRow("reset") << Answer::reset() << "the server closed the connection";
    QTest::newRow("body that never ends") << Answer::endless() << "too large (more than 8 MiB)";
    QTest::newRow("stalled") << Answer::stalled("ButtonNum=0\r\n") << "timed out";
}

void NavigationTest::failedNavigationShowsTheOldPageAndTellsWhy()
{
    QFETCH(Answer, answer);
    QFETCH(QString, reason);
    serve("/index.qvif", TestPage().title("Home").button(1, "Home button").bytes());
    server->setAnswer("/x/index.qvif", answer);
    goTo(server->url("/"));
    goTo(server->url("/x"));
    QCOMPARE(window->PageTitle, QStringLiteral("Home"));
    QVERIFY(window->button(1)->isVisible());
    QCOMPARE(window->button(1)->caption(), QStringLiteral("Home button"));
    QCOMPARE(address()->text(), server->url("/x/index.qvif"));
    QCOMPARE(status(),
             QStringLiteral("Could not load %1: %2").arg(server->url("/x/index.qvif"), reason));
    QVERIFY(!window->findChild<QFrame *>("picLoading")->isVisible());
    // The page shown is still the old one, with its own address.
    QCOMPARE(window->pageAddress(), server->url("/index.qvif"));

    const int tries = server->requestCount("/x/index.qvif");
    QTest::mouseClick(window->findChild<QPushButton *>("Command3"), Qt::LeftButton);
    QVERIFY(server->requestCount("/x/index.qvif") > tries);
}

// A cleaner of old files in /tmp may remove the directory of a program that runs for weeks.
void NavigationTest::vanishedDownloadDirectoryIsMadeAgain()
{
    serve("/index.qvif", TestPage().title("Home").bytes());
    const QString vanished = window->programDirectory();
    QVERIFY(QDir(vanished).removeRecursively());
    goTo(server->url("/"));
    QCOMPARE(window->PageTitle, QStringLiteral("Home"));
    QVERIFY(status().isEmpty());
    const QFileInfo made(window->programDirectory());
    QVERIFY(made.isDir());
    QVERIFY(made.filePath() != vanished);
    QCOMPARE(made.permissions() &
                 (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
             QFile::Permissions());
}

void NavigationTest::noDownloadDirectoryIsToldAndWritesNothingElsewhere()
{
    serve("/index.qvif", TestPage().title("Home").bytes());
    const QByteArray savedTemp = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&savedTemp] { qputenv("TMPDIR", savedTemp); });
    const QString unusable = site->filePath("missing/tmp");
    qputenv("TMPDIR", QFile::encodeName(unusable));
    QVERIFY(QDir(window->programDirectory()).removeRecursively());
    goTo(server->url("/"));
    QVERIFY(window->PageTitle.isEmpty());
    QCOMPARE(status(), QStringLiteral("Could not load %1: no private directory for downloads "
                                      "could be made in %2")
                           .arg(server->url("/index.qvif"), unusable));
    QVERIFY(window->temporaryPageFile().isEmpty());
}

void NavigationTest::refusedConnectionIsTold()
{
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const QString nowhere = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();
    goTo(nowhere);
    QCOMPARE(status(),
             QStringLiteral("Could not load %1index.qvif: connection refused").arg(nowhere));
    QCOMPARE(address()->text(), nowhere + "index.qvif");
}

void NavigationTest::networkPageCannotOpenLocalFiles()
{
    const QString localPage = site->filePath("local.qvif");
    serve("/local.qvif", TestPage().title("Local").bytes());
    const QString fileUrl = QUrl::fromLocalFile(localPage).toString();
    serve("/index.qvif",
          TestPage().title("Web").button(1, "File", fileUrl).button(2, "Path", localPage).bytes());
    goTo(server->url("/"));
    QTest::mouseClick(window->button(1), Qt::LeftButton);
    QCOMPARE(window->PageTitle, QStringLiteral("Web"));
    QCOMPARE(status(), QStringLiteral("Refused %1: a page from the network may not open this "
                                      "computer's files")
                           .arg(fileUrl));
    QCOMPARE(server->requests().size(), 1);

    // On a web page a path is a path on its server, never a file of this computer.
    QTest::mouseClick(window->button(2), Qt::LeftButton);
    QCOMPARE(window->PageTitle, QStringLiteral("Web"));
    QCOMPARE(server->requests().last(), localPage);
    QCOMPARE(status(),
             QStringLiteral("Could not load %1: not found (404)").arg(server->url(localPage)));
}

void NavigationTest::localFileStaysRefusedAfterAFailedNavigation()
{
    const QString localPage = site->filePath("local.qvif");
    serve("/local.qvif", TestPage().title("Local").bytes());
    const QString fileUrl = QUrl::fromLocalFile(localPage).toString();
    serve("/index.qvif", TestPage().title("Web").button(1, "File", fileUrl).bytes());
    goTo(server->url("/"));
    // A trip through editor mode leaves a canvas without an address; the failed navigation then
    // rebuilds the web page from the last download, and it must come back as a web page.
    window->mnuWorkspace->trigger();
    window->mnuInternet->trigger();
    goTo(server->url("/missing.qvif"));
    QCOMPARE(window->PageTitle, QStringLiteral("Web"));
    QCOMPARE(window->pageAddress(), server->url("/index.qvif"));

    QTest::mouseClick(window->button(1), Qt::LeftButton);
    QCOMPARE(window->PageTitle, QStringLiteral("Web"));
    QCOMPARE(status(), QStringLiteral("Refused %1: a page from the network may not open this "
                                      "computer's files")
                           .arg(fileUrl));
}

void NavigationTest::usersCommandEndsANavigation_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("duringLoad");
    for (bool duringLoad : {false, true}) {
        const char *when = duringLoad ? "while the page loads" : "while the page arrives";
        for (const char *command : {"Open", "New", "Type > Internet", "close"})
            QTest::addRow("%s %s", command, when) << QString::fromLatin1(command) << duringLoad;
    }
}

void NavigationTest::usersCommandEndsANavigation()
{
    QFETCH(QString, command);
    QFETCH(bool, duringLoad);
    auto *dialogs = scriptDialogs(*window);
    serve("/mine.qvif", TestPage().title("Mine").button(1, "My button").bytes());
    dialogs->openAnswers.enqueue(site->filePath("mine.qvif"));
    // New asks first when a part of the slow page is on the canvas.
    dialogs->yesNoAnswers.enqueue(true);
    TestPage slow;
    for (int slot = 1; slot <= 8; ++slot)
        slow.button(slot, "Slow").label(slot, "Slow").picture(slot, "p.png");
    if (duringLoad)
        serve("/slow.qvif", slow.title("Slow").bytes());
    else
        server->setAnswer("/slow.qvif", Answer::slow(slow.title("Slow").bytes(), 20ms, 64));

    bool ran = false;
    auto runCommand = [&] {
        if (std::exchange(ran, true))
            return;
        if (command == "Open")
            QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
        else if (command == "New")
            window->mnuNew->trigger();
        else if (command == "Type > Internet")
            window->mnuInternet->trigger();
        else
            window->close();
    };
    if (duringLoad) {
        connect(&window->transfer(), &Inet::runningChanged, this, [&](bool running) {
            if (!running)
                QTimer::singleShot(0, this, runCommand);
        });
    } else {
        connect(server.get(), &HttpServer::requestReceived, this, [&](const QString &target) {
            if (target == "/slow.qvif")
                QTimer::singleShot(0, this, runCommand);
        });
    }
    goTo(server->url("/slow.qvif"));
    QVERIFY(ran);

    // The page the user chose stays; nothing of the slow page was built on it.
    QCOMPARE(window->PageTitle, command == "Open" ? QStringLiteral("Mine") : QString());
    for (int slot = 1; slot <= 8; ++slot) {
        if (slot > 1 || command != "Open")
            QVERIFY(window->button(slot)->isHidden());
        QVERIFY(window->label(slot)->isHidden());
        QVERIFY(window->picture(slot)->isHidden());
    }
    QVERIFY(window->pictureRequests().isEmpty());
    QVERIFY(!window->transfer().StillExecuting());
    QVERIFY(!window->findChild<QFrame *>("picLoading")->isVisible());
    if (command != "close")
        QVERIFY(!window->BrowserMode);
}

void NavigationTest::typedLocalPageAndItsRelativeLinks()
{
    serve("/pages/start.qvif", TestPage().title("Start").button(1, "Next", "next.qvif").bytes());
    serve("/pages/next.qvif", TestPage().title("Next").bytes());
    const QString start = site->filePath("pages/start.qvif");
    goTo(start);
    QCOMPARE(window->PageTitle, QStringLiteral("Start"));
    QCOMPARE(address()->text(), start);
    QTest::mouseClick(window->button(1), Qt::LeftButton);
    QCOMPARE(window->PageTitle, QStringLiteral("Next"));
    QCOMPARE(address()->text(), site->filePath("pages/next.qvif"));
    QVERIFY(server->requests().isEmpty());
}

void NavigationTest::laterNavigationWins_data()
{
    QTest::addColumn<bool>("duringLoad");
    QTest::addColumn<bool>("byLink");
    QTest::newRow("Go again while the first page arrives") << false << false;
    QTest::newRow("Go again while the first page loads") << true << false;
    // The overlay covers the canvas, but a button can still be pressed from the keyboard.
    QTest::newRow("link pressed while the first page arrives") << false << true;
}

void NavigationTest::laterNavigationWins()
{
    QFETCH(bool, duringLoad);
    QFETCH(bool, byLink);
    serve("/index.qvif", TestPage().title("Home").button(1, "Second", "second.qvif").bytes());
    goTo(server->url("/"));
    TestPage first;
    for (int slot = 1; slot <= 8; ++slot)
        first.button(slot, "First").label(slot, "First");
    const QByteArray firstBytes = first.title("First").bytes();
    if (duringLoad)
        serve("/first.qvif", firstBytes);
    else
        server->setAnswer("/first.qvif", Answer::slow(firstBytes, 20ms, 16));
    serve("/second.qvif", TestPage().title("Second").button(1, "Second").bytes());

    bool askedDuringNavigation = false;
    auto goToSecond = [this, byLink, &askedDuringNavigation] {
        askedDuringNavigation = window->findChild<QFrame *>("picLoading")->isVisible();
        if (byLink)
            window->button(1)->click();
        else
            goTo(server->url("/second.qvif"));
    };
    if (duringLoad) {
        // The first page has arrived; its load lets events run after every button.
        connect(&window->transfer(), &Inet::runningChanged, this, [&](bool running) {
            if (!running && server->requestCount("/second.qvif") == 0)
                QTimer::singleShot(0, this, goToSecond);
        });
    } else {
        connect(server.get(), &HttpServer::requestReceived, this, [&](const QString &target) {
            if (target == "/first.qvif")
                goToSecond();
        });
    }
    goTo(server->url("/first.qvif"));

    QVERIFY(askedDuringNavigation);
    QCOMPARE(window->PageTitle, QStringLiteral("Second"));
    QCOMPARE(window->button(1)->caption(), QStringLiteral("Second"));
    for (int slot = 2; slot <= 8; ++slot) {
        QVERIFY(window->button(slot)->isHidden());
        QVERIFY(window->label(slot)->isHidden());
    }
    QCOMPARE(window->ButtonCount, 1);
    QCOMPARE(window->LabelCount, 0);
    QCOMPARE(address()->text(), server->url("/second.qvif"));
    QCOMPARE(tagOf(address()), server->url("/second.qvif"));
    QVERIFY(status().isEmpty());
    QVERIFY(!window->findChild<QFrame *>("picLoading")->isVisible());
    QVERIFY(!window->transfer().StillExecuting());
    QCOMPARE(server->requests(), QStringList({"/index.qvif", "/first.qvif", "/second.qvif"}));
}

void NavigationTest::overlayCoversTheCanvasAndTheWindowRepaintsDuringDownload()
{
    server->setAnswer("/slow.qvif",
                      Answer::slow(TestPage().title("Slow").button(1, "Done").bytes(), 30ms, 24));
    auto *overlay = window->findChild<QFrame *>("picLoading");
    int paintsWhileBusy = 0;
    int ticksWhileBusy = 0;
    bool coveredWhileBusy = false;
    struct PaintFilter : QObject
    {
        std::function<void()> onPaint;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                onPaint();
            return false;
        }
    } filter;
    filter.onPaint = [&] {
        if (window->transfer().StillExecuting()) {
            ++paintsWhileBusy;
            coveredWhileBusy = overlay->isVisible() &&
                               overlay->geometry().contains(window->canvasArea->geometry());
        }
    };
    overlay->installEventFilter(&filter);
    connect(window->Timer1, &QTimer::timeout, this, [&] {
        if (window->transfer().StillExecuting())
            ++ticksWhileBusy;
    });

    goTo(server->url("/slow.qvif"));
    overlay->removeEventFilter(&filter);
    QCOMPARE(window->PageTitle, QStringLiteral("Slow"));
    QVERIFY(paintsWhileBusy > 0);
    QVERIFY(coveredWhileBusy);
    QVERIFY(ticksWhileBusy > 0);
    QVERIFY(!overlay->isVisible());
}

void NavigationTest::demoSiteBrowses()
{
    server->setRoot(QStringLiteral(QUORVANE_SOURCE_DIR "/examples/site"));
    goTo(server->url("/"));
    QCOMPARE(window->PageTitle, QStringLiteral("Quorvane demo: home"));
    QTRY_VERIFY(!window->canvas()->picture().isNull());
    QTRY_VERIFY(!window->picture(1)->image().isNull());
    QTRY_VERIFY(!window->picture(2)->image().isNull());
    QTRY_VERIFY(!window->picture(3)->image().isNull());
    QVERIFY(window->lstPics->count() == 0);

    ElementButton *gallery = window->button(1);
    QCOMPARE(gallery->caption(), QStringLiteral("Gallery"));
    QTest::mouseClick(gallery, Qt::LeftButton);
    QCOMPARE(window->PageTitle, QStringLiteral("Gallery"));
    QCOMPARE(address()->text(), server->url("/gallery.qvif"));
    QTRY_COMPARE(window->picture(4)->image().size(), QSize(160, 96));
    QVERIFY(status().isEmpty());
}

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"

#include "app/canvas.h"
#include "app/main_window.h"
#include "browser/inet.h"
#include "browser/picture_queue.h"
#include "support/http_server.h"
#include "support/picture_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/test_pages.h"

#include <QAction>
#include <QDataStream>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

using namespace std::chrono_literals;
using Answer = HttpServer::Answer;
Q_DECLARE_METATYPE(HttpServer::Answer)

// The ticks are driven by hand here, one call of Timer1_Timer per tick, so that what one tick
// does can be seen on its own; the live timer is covered by the navigation tests. The downloads
// run in the background meanwhile: a tick that should show a picture is run once the picture's
// download has ended.
class PictureFetcherTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneRequestPerTickInQueueOrder();
    void picturesOfAPageLeftBehindShowNowhere();
    void pictureArrivingForAClearedPageIsDropped();
    void deadPictureIsDroppedAfterThreeTries_data();
    void deadPictureIsDroppedAfterThreeTries();
    void notAPictureKeepsTheOldOneAndMovesOn_data();
    void notAPictureKeepsTheOldOneAndMovesOn();
    void tickDuringAPageDownloadShowsThePicture();
    void pictureOfAPageLeftBehindCountsNoTry();
    void networkPageCannotShowLocalFiles();
    void pageOpenedFromDiskResolvesAgainstItsFolder();
    void pageRebuiltAfterAFailureKeepsItsAddress();
    void strayFileInTheProgramDirectoryIsNeverShown();
    void outlineComesToTheFrontOnEveryTick();

private:
    void serve(const QString &path, const QByteArray &bytes);
    void goTo(const QString &address);
    QStringList targets() const;
    QString status() const { return window->statusText(); }

    std::unique_ptr<QTemporaryDir> site;
    std::unique_ptr<HttpServer> server;
    std::unique_ptr<Form1> window;
    ScriptedDialogs *dialogs = nullptr;
};

void PictureFetcherTest::init()
{
    site = std::make_unique<QTemporaryDir>();
    server = std::make_unique<HttpServer>();
    server->setRoot(site->path());
    QVERIFY(server->listen());
    window = std::make_unique<Form1>();
    dialogs = scriptDialogs(*window);
    window->Timer1->stop();
    window->transfer().setIdleTimeout(500ms);
    window->pictureRequests().setIdleTimeout(500ms);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void PictureFetcherTest::cleanup()
{
    window.reset();
    server.reset();
}

void PictureFetcherTest::serve(const QString &path, const QByteArray &bytes)
{
    const QString file = site->filePath(path.mid(1));
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    QCOMPARE(out.write(bytes), bytes.size());
}

void PictureFetcherTest::goTo(const QString &address)
{
    window->findChild<QLineEdit *>("txtAddress")->setText(address);
    QTest::mouseClick(window->findChild<QPushButton *>("cmdGo"), Qt::LeftButton);
}

QStringList PictureFetcherTest::targets() const
{
    QStringList rows;
    for (int row = 0; row < window->lstPicsNum->count(); ++row)
        rows << window->lstPicsNum->item(row)->text();
    return rows;
}

void PictureFetcherTest::oneRequestPerTickInQueueOrder()
{
    serve("/index.qvif",
          TestPage().background("back.png").picture(3, "three.png").picture(1, "one.bmp").bytes());
    serve("/back.png", pngOfSize({30, 20}));
    serve("/one.bmp", pngOfSize({11, 11}));
    serve("/three.png", pngOfSize({13, 7}));
    goTo(server->url("/"));
    QCOMPARE(targets(), QStringList({"WORK", "1", "3"}));
    QVERIFY(window->canvas()->picture().isNull());
    // Every picture is downloaded ahead, and none is shown before its tick.
    QTRY_COMPARE(server->requests().size(), 4);
    QTRY_VERIFY(window->pictureRequests().at(2).state == PictureQueue::State::Arrived);
    QVERIFY(window->canvas()->picture().isNull());
    QStringList requested = server->requests();
    requested.sort();
    QCOMPARE(requested, QStringList({"/back.png", "/index.qvif", "/one.bmp", "/three.png"}));

    window->Timer1_Timer();
    QCOMPARE(window->canvas()->picture().size(), QSize(30, 20));
    QVERIFY(window->picture(1)->image().isNull());
    QCOMPARE(targets(), QStringList({"1", "3"}));

    window->Timer1_Timer();
    QCOMPARE(window->picture(1)->image().size(), QSize(11, 11));
    QVERIFY(window->picture(3)->image().isNull());

    window->Timer1_Timer();
    QCOMPARE(window->picture(3)->image().size(), QSize(13, 7));
    // The element takes the picture's own size.
    QCOMPARE(window->picture(3)->exactWidth(), 13.0f);
    QCOMPARE(window->picture(3)->exactHeight(), 7.0f);
    QVERIFY(targets().isEmpty());

    window->Timer1_Timer();
    QCOMPARE(server->requests().size(), 4);
}

void PictureFetcherTest::picturesOfAPageLeftBehindShowNowhere()
{
    serve("/a/page.qvif", TestPage()
                              .title("A")
                              .background("back.png")
                              .picture(1, "p.png")
                              .picture(2, "q.png")
                              .bytes());
    serve("/a/back.png", pngOfSize({20, 20}));
    serve("/a/p.png", pngOfSize({12, 12}));
    serve("/a/q.png", pngOfSize({14, 14}));
    // Page B has a picture slot without a source and no background.
    serve("/b/page.qvif", TestPage().title("B").picture(1, "").bytes());
    goTo(server->url("/a/page.qvif"));
    QVERIFY(tickWhenHeadIsDone(*window));
    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(window->picture(1)->image().size(), QSize(12, 12));

    goTo(server->url("/b/page.qvif"));
    QCOMPARE(window->PageTitle, QStringLiteral("B"));
    QVERIFY(targets().isEmpty());
    for (int tick = 0; tick < 3; ++tick)
        window->Timer1_Timer();
    QVERIFY(window->picture(1)->isVisible());
    QVERIFY(window->picture(1)->image().isNull());
    QVERIFY(window->picture(2)->image().isNull());
    QVERIFY(window->canvas()->picture().isNull());
}

void PictureFetcherTest::pictureArrivingForAClearedPageIsDropped()
{
    serve("/index.qvif", TestPage().title("Home").picture(1, "p.png").bytes());
    server->setAnswer("/p.png", Answer::slow(pngOfSize({9, 9}), 20ms, 16));
    // File > New while the picture arrives: the new page must not get it.
    connect(server.get(), &HttpServer::requestReceived, this, [&](const QString &target) {
        if (target == "/p.png")
            QTimer::singleShot(0, window.get(), [this] { window->mnuNew->trigger(); });
    });
    goTo(server->url("/"));
    QTRY_VERIFY(!window->BrowserMode);
    QVERIFY(targets().isEmpty());
    // A picture applied to the new page afterwards arrives alone.
    serve("/q.png", pngOfSize({3, 3}));
    window->pictureRequests().append(server->url("/q.png"), "2", QString());
    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(window->picture(2)->image().size(), QSize(3, 3));
    window->Timer1_Timer();
    QVERIFY(targets().isEmpty());
    QVERIFY(window->picture(1)->image().isNull());
}

void PictureFetcherTest::deadPictureIsDroppedAfterThreeTries_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not found") << Answer::error(404, "Not Found") << "not found (404)";
    QTest::newRow("reset") << Answer::reset() << "the server closed the connection";
    QTest::newRow("never finishes") << Answer::stalled("\x89PNG") << "timed out";
    QTest::newRow("never ends") << Answer::endless() << "too large (more than 32 MiB)";
}

void PictureFetcherTest::deadPictureIsDroppedAfterThreeTries()
{
    QFETCH(Answer, answer);
    QFETCH(QString, reason);
    serve("/index.qvif", TestPage().picture(1, "dead.png").picture(2, "fine.png").bytes());
    server->setAnswer("/dead.png", answer);
    serve("/fine.png", pngOfSize({21, 5}));
    goTo(server->url("/"));

    // While its tries go on the head stays, and the picture behind it waits.
    window->Timer1_Timer();
    QCOMPARE(targets(), QStringList({"1", "2"}));
    QVERIFY(status().isEmpty());
    QVERIFY(tickWhenHeadIsDone(*window));
    QVERIFY(server->requestCount("/dead.png") >= 3);
    QCOMPARE(targets(), QStringList({"2"}));
    QCOMPARE(status(),
             QStringLiteral("Could not load %1: %2").arg(server->url("/dead.png"), reason));
    QVERIFY(window->picture(2)->image().isNull());

    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(window->picture(2)->image().size(), QSize(21, 5));
    QVERIFY(window->picture(1)->image().isNull());
    QVERIFY(targets().isEmpty());
    QCOMPARE(server->requestCount("/fine.png"), 1);
}

void PictureFetcherTest::notAPictureKeepsTheOldOneAndMovesOn_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("an error page") << QByteArray("<html><body>Not here</body></html>");
    QTest::newRow("empty") << QByteArray();
    // A bitmap header that claims 40000 x 40000 pixels, far beyond what the decoder may allocate.
    QByteArray huge("BM");
    QDataStream header(&huge, QIODevice::Append);
    header.setByteOrder(QDataStream::LittleEndian);
    header << quint32(54) << quint32(0) << quint32(54) << quint32(40) << qint32(40000)
           << qint32(40000) << quint16(1) << quint16(24) << quint32(0) << quint32(0) << qint32(0)
           << qint32(0) << quint32(0) << quint32(0);
    QTest::newRow("a picture too large to decode") << huge;
}

void PictureFetcherTest::notAPictureKeepsTheOldOneAndMovesOn()
{
    QFETCH(QByteArray, bytes);
    serve("/index.qvif", TestPage().picture(1, "junk.png").picture(2, "fine.png").bytes());
    serve("/junk.png", bytes);
    serve("/fine.png", pngOfSize({8, 3}));
    goTo(server->url("/"));
    QImage earlier(5, 5, QImage::Format_RGB32);
    earlier.fill(Qt::red);
    window->picture(1)->setImage(earlier);

    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(window->picture(1)->image(), earlier);
    QCOMPARE(targets(), QStringList({"2"}));
    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(window->picture(2)->image().size(), QSize(8, 3));
}

// Pictures no longer wait for the transfer component: a tick during a page download shows the
// picture that has arrived for the page still on the canvas, and the download goes on undisturbed.
void PictureFetcherTest::tickDuringAPageDownloadShowsThePicture()
{
    serve("/index.qvif", TestPage().title("Home").picture(1, "p.png").bytes());
    serve("/p.png", pngOfSize({9, 9}));
    serve("/q.png", pngOfSize({5, 5}));
    server->setAnswer("/slow.qvif",
                      Answer::slow(TestPage().title("Slow").picture(1, "q.png").bytes(), 20ms, 8));
    goTo(server->url("/"));
    QTRY_VERIFY(window->pictureRequests().headIsDone());

    bool busy = false;
    QSize shownDuring;
    connect(server.get(), &HttpServer::requestReceived, this, [&](const QString &target) {
        if (target != "/slow.qvif")
            return;
        busy = window->transfer().StillExecuting();
        window->Timer1_Timer();
        shownDuring = window->picture(1)->image().size();
    });
    goTo(server->url("/slow.qvif"));
    QVERIFY(busy);
    QCOMPARE(shownDuring, QSize(9, 9));
    QCOMPARE(window->PageTitle, QStringLiteral("Slow"));
    QCOMPARE(targets(), QStringList({"1"}));

    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(window->picture(1)->image().size(), QSize(5, 5));
}

void PictureFetcherTest::pictureOfAPageLeftBehindCountsNoTry()
{
    serve("/index.qvif", TestPage().title("Home").picture(1, "p.png").bytes());
    serve("/next.qvif", TestPage().title("Next").picture(1, "p.png").bytes());
    server->setAnswer("/p.png", Answer::stalled("\x89PNG"));

    int stops = 0;
    connect(server.get(), &HttpServer::requestReceived, this, [&](const QString &target) {
        if (target == "/p.png" && stops < 3) {
            ++stops;
            goTo(server->url("/next.qvif"));
        }
    });
    goTo(server->url("/"));
    QTRY_COMPARE(stops, 3);
    QCOMPARE(window->PageTitle, QStringLiteral("Next"));
    // Each abandoned download belonged to a page left behind; none counts as a failure of the
    // request of the page now shown, which is still waiting.
    QCOMPARE(targets(), QStringList({"1"}));
    QCOMPARE(window->pictureRequests().head().failedTries, 0);
    QVERIFY(status().isEmpty());

    server->removeAnswer("/p.png");
    serve("/p.png", pngOfSize({6, 4}));
    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(window->picture(1)->image().size(), QSize(6, 4));
    QVERIFY(status().isEmpty());
}

void PictureFetcherTest::networkPageCannotShowLocalFiles()
{
    serve("/local.png", pngOfSize({7, 7}));
    const QString path = site->filePath("local.png");
    const QString fileUrl = QUrl::fromLocalFile(path).toString();
    serve("/index.qvif", TestPage().picture(1, fileUrl).picture(2, path).bytes());
    goTo(server->url("/"));

    QVERIFY(tickWhenHeadIsDone(*window));
    QVERIFY(window->picture(1)->image().isNull());
    QCOMPARE(targets(), QStringList({"2"}));
    QCOMPARE(status(),
             QStringLiteral("Refused %1: a page from the network may not open this computer's "
                            "files")
                 .arg(fileUrl));

    // On a web page a path is a path on its server, never a file of this computer.
    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(server->requests().last(), path);
    QVERIFY(window->picture(2)->image().isNull());
    QCOMPARE(status(), QStringLiteral("Could not load %1: not found (404)").arg(server->url(path)));
}

void PictureFetcherTest::pageOpenedFromDiskResolvesAgainstItsFolder()
{
    serve("/disk/page.qvif", TestPage().background("images/back.png").picture(1, "p.png").bytes());
    serve("/disk/images/back.png", pngOfSize({15, 10}));
    serve("/disk/p.png", pngOfSize({4, 9}));
    dialogs->openAnswers.enqueue(site->filePath("disk/page.qvif"));
    window->mnuOpen->trigger();
    QCOMPARE(targets(), QStringList({"WORK", "1"}));

    QVERIFY(tickWhenHeadIsDone(*window));
    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(window->canvas()->picture().size(), QSize(15, 10));
    QCOMPARE(window->picture(1)->image().size(), QSize(4, 9));
    QVERIFY(server->requests().isEmpty());
}

void PictureFetcherTest::pageRebuiltAfterAFailureKeepsItsAddress()
{
    serve("/index.qvif", TestPage().picture(1, "p.png").bytes());
    serve("/p.png", pngOfSize({10, 2}));
    goTo(server->url("/"));
    // Editor mode leaves an empty canvas without an address; the page rebuilt from the last
    // download after a failure gets its own address back, which its references resolve against.
    window->mnuWorkspace->trigger();
    window->mnuInternet->trigger();
    goTo(server->url("/missing.qvif"));
    QCOMPARE(window->pageAddress(), server->url("/index.qvif"));
    QCOMPARE(window->lstPics->item(0)->text(), QStringLiteral("p.png"));
    QCOMPARE(targets().first(), QStringLiteral("1"));

    QVERIFY(tickWhenHeadIsDone(*window));
    QCOMPARE(window->picture(1)->image().size(), QSize(10, 2));
}

// Pictures are shown from the bytes their download holds, never from a file left in the
// program's directory.
void PictureFetcherTest::strayFileInTheProgramDirectoryIsNeverShown()
{
    QFile leftOver(window->programDirectory() + QStringLiteral("/temp.bmp"));
    QVERIFY(leftOver.open(QIODevice::WriteOnly));
    leftOver.write(pngOfSize({2, 2}));
    leftOver.close();
    window->Timer1_Timer();
    QVERIFY(window->canvas()->picture().isNull());
    QVERIFY(targets().isEmpty());
}

void PictureFetcherTest::outlineComesToTheFrontOnEveryTick()
{
    for (int round = 0; round < 2; ++round) {
        window->button(round + 1)->raise();
        QVERIFY(window->canvas()->children().last() != static_cast<QObject *>(window->outline()));
        window->Timer1_Timer();
        QCOMPARE(window->canvas()->children().last(), static_cast<QObject *>(window->outline()));
    }
}

QTEST_MAIN(PictureFetcherTest)
#include "tst_picture_fetcher.moc"

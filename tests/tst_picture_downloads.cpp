#include "app/canvas.h"
#include "app/main_window.h"
#include "support/browsing_fixture.h"
#include "support/picture_ticks.h"
#include "support/test_pages.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTimer>
#include <QtTest>

using namespace std::chrono_literals;
using Answer = HttpServer::Answer;
using State = PictureQueue::State;

// Pictures downloaded ahead in the background and shown one per tick, in queue order, and the
// picture formats they may come in.
class PictureDownloadsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void slowHeadHoldsBackTheFasterOnes();
    void atMostSixDownloadsAtATime();
    void liveTimerShowsOnePicturePerTickInOrder();
    void formats_data();
    void formats();

private:
    Form1 *window() const { return fixture.window.get(); }
    const PictureQueue &queue() const { return window()->pictureRequests(); }
    QStringList picturesRequested() const
    {
        return fixture.server->requests().filter(QStringLiteral(".png"));
    }

    BrowsingFixture fixture;
};

void PictureDownloadsTest::init()
{
    fixture.start();
    window()->Timer1->stop();
}

void PictureDownloadsTest::cleanup()
{
    fixture.stop();
}

void PictureDownloadsTest::slowHeadHoldsBackTheFasterOnes()
{
    fixture.serve(
        "/index.qvif",
        TestPage().picture(1, "slow.png").picture(2, "two.png").picture(3, "three.png").bytes());
    fixture.server->setAnswer("/slow.png", Answer::delayed(pngOfSize({1, 1}), 400ms));
    fixture.serve("/two.png", pngOfSize({2, 2}));
    fixture.serve("/three.png", pngOfSize({3, 3}));
    fixture.goTo(fixture.url("/"));

    QTRY_VERIFY(queue().at(1).state == State::Arrived && queue().at(2).state == State::Arrived);
    QCOMPARE(queue().head().state, State::Downloading);
    window()->Timer1_Timer();
    QCOMPARE(queue().size(), 3);
    QVERIFY(window()->picture(2)->image().isNull());
    QVERIFY(window()->picture(3)->image().isNull());

    QVERIFY(tickWhenHeadIsDone(*window()));
    QCOMPARE(window()->picture(1)->image().size(), QSize(1, 1));
    QVERIFY(window()->picture(2)->image().isNull());
    window()->Timer1_Timer();
    QCOMPARE(window()->picture(2)->image().size(), QSize(2, 2));
    QVERIFY(window()->picture(3)->image().isNull());
    window()->Timer1_Timer();
    QCOMPARE(window()->picture(3)->image().size(), QSize(3, 3));
    QVERIFY(queue().isEmpty());
}

void PictureDownloadsTest::atMostSixDownloadsAtATime()
{
    window()->pictureRequests().setIdleTimeout(10s);
    TestPage page;
    for (int slot = 1; slot <= 8; ++slot) {
        const QString name = QStringLiteral("p%1.png").arg(slot);
        page.picture(slot, name);
        if (slot > 1)
            fixture.server->setAnswer("/" + name, Answer::stalled("\x89PNG"));
    }
    fixture.serve("/p1.png", pngOfSize({1, 1}));
    fixture.serve("/index.qvif", page.bytes());
    fixture.goTo(fixture.url("/"));

    QTRY_COMPARE(picturesRequested().size(), 6);
    QTRY_VERIFY(queue().headIsDone());
    QCOMPARE(queue().at(6).state, State::Waiting);
    QCOMPARE(queue().at(7).state, State::Waiting);

    // Taking the head lets the next one start; the last still waits.
    window()->Timer1_Timer();
    QCOMPARE(window()->picture(1)->image().size(), QSize(1, 1));
    QTRY_COMPARE(picturesRequested().size(), 7);
    QVERIFY(picturesRequested().contains("/p7.png"));
    QCOMPARE(queue().at(5).state, State::Downloading);
    QCOMPARE(queue().at(6).state, State::Waiting);
}

void PictureDownloadsTest::liveTimerShowsOnePicturePerTickInOrder()
{
    constexpr int Pictures = 8;
    TestPage page;
    for (int slot = 1; slot <= Pictures; ++slot) {
        page.picture(slot, QStringLiteral("p%1.png").arg(slot));
        fixture.serve(QStringLiteral("/p%1.png").arg(slot), pngOfSize({slot, slot}));
    }
    fixture.serve("/index.qvif", page.bytes());
    const auto shown = [this] {
        int count = 0;
        for (int slot = 1; slot <= Pictures; ++slot)
            count += window()->picture(slot)->image().isNull() ? 0 : 1;
        return count;
    };
    QList<int> shownAfterTicks;
    bool inOrder = true;
    // Connected after the window's own handler, so it sees each tick's outcome.
    connect(window()->Timer1, &QTimer::timeout, this, [&] {
        const int count = shown();
        shownAfterTicks << count;
        for (int slot = 1; slot <= count; ++slot)
            inOrder = inOrder && !window()->picture(slot)->image().isNull();
    });
    fixture.goTo(fixture.url("/"));
    window()->Timer1->start();
    QTRY_COMPARE(shown(), Pictures);
    QVERIFY(inOrder);
    for (qsizetype tick = 1; tick < shownAfterTicks.size(); ++tick)
        QVERIFY2(shownAfterTicks[tick] - shownAfterTicks[tick - 1] <= 1,
                 qPrintable(QStringLiteral("tick %1 showed more than one picture").arg(tick)));
}

namespace {

QByteArray written(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    // Lossless, so that the colour comes back exactly.
    writer.setQuality(100);
    return writer.write(image) ? bytes : QByteArray();
}

QByteArray drawing(int width, int height)
{
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\">"
                          "<rect width=\"100%\" height=\"100%\" fill=\"teal\"/></svg>")
        .arg(width)
        .arg(height)
        .toUtf8();
}

} // namespace

void PictureDownloadsTest::formats_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QImage image(17, 11, QImage::Format_RGB32);
    image.fill(Qt::darkMagenta);
    QTest::newRow("WebP") << written(image, "webp") << QSize(17, 11);
    QTest::newRow("TIFF") << written(image, "tiff") << QSize(17, 11);
    QTest::newRow("SVG, at its own size") << drawing(30, 20) << QSize(30, 20);
    QTest::newRow("SVG too large to draw") << drawing(100000, 100000) << QSize();
}

void PictureDownloadsTest::formats()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QVERIFY(!bytes.isEmpty());
    // The address tells nothing of the format: the content does.
    fixture.serve("/picture", bytes);
    fixture.serve("/index.qvif", TestPage().picture(1, "picture").bytes());
    fixture.goTo(fixture.url("/"));
    QVERIFY(tickWhenHeadIsDone(*window()));
    if (!size.isValid()) {
        QVERIFY(window()->picture(1)->image().isNull());
        return;
    }
    QCOMPARE(window()->picture(1)->image().size(), size);
    QCOMPARE(window()->picture(1)->image().pixelColor(size.width() / 2, size.height() / 2),
             bytes.startsWith("<svg") ? QColor("teal") : QColor(Qt::darkMagenta));
}

QTEST_MAIN(PictureDownloadsTest)
#include "tst_picture_downloads.moc"

#include "app/paced_repaints.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace std::chrono_literals;

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class PacedRepaintsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pausesRepaintAtMostOnceAFrame_data();
    void pausesRepaintAtMostOnceAFrame();
    void theEndRepaintsWhatWasHeld();
    void aPauseAFrameLaterRepaintsWhatWasHeld();
    void eventsRunDuringAHeldPause();
    void widgetDeletedDuringAPause();

private:
    std::unique_ptr<QWidget> window;
    QWidget *canvas = nullptr;
    PaintCounter counter;
};

void PacedRepaintsTest::init()
{
    window = std::make_unique<QWidget>();
    window->resize(200, 100);
    canvas = new QWidget(window.get());
    canvas->setGeometry(10, 10, 100, 50);
    canvas->installEventFilter(&counter);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // The counting starts once the shown window has been drawn.
    QTRY_VERIFY(counter.paints > 0);
    counter.paints = 0;
}

void PacedRepaintsTest::cleanup()
{
    window.reset();
}

void PacedRepaintsTest::pausesRepaintAtMostOnceAFrame_data()
{
    QTest::addColumn<int>("frameMs");
    QTest::addColumn<int>("paintsDuringPauses");
    QTest::addColumn<bool>("updatesDuringPauses");
    // Five pauses, each after a change of the canvas.
    QTest::newRow("all within one frame") << 3600 * 1000 << 0 << false;
    QTest::newRow("each a frame after the last") << 0 << 5 << true;
}

void PacedRepaintsTest::pausesRepaintAtMostOnceAFrame()
{
    QFETCH(int, frameMs);
    QFETCH(int, paintsDuringPauses);
    QFETCH(bool, updatesDuringPauses);
    {
        PacedRepaints pauses(canvas, std::chrono::milliseconds(frameMs));
        for (int step = 0; step < 5; ++step) {
            bool updatesSeen = !updatesDuringPauses;
            QTimer::singleShot(0, canvas, [&] { updatesSeen = canvas->updatesEnabled(); });
            canvas->update();
            pauses.pause();
            QCOMPARE(updatesSeen, updatesDuringPauses);
        }
        QCOMPARE(counter.paints, paintsDuringPauses);
    }
    QVERIFY(canvas->updatesEnabled());
}

void PacedRepaintsTest::theEndRepaintsWhatWasHeld()
{
    auto *child = new QWidget(canvas);
    child->setGeometry(0, 0, 10, 10);
    {
        PacedRepaints pauses(canvas, 1h);
        child->show();
        pauses.pause();
        child->move(20, 20);
        pauses.pause();
        QCOMPARE(counter.paints, 0);
    }
    QVERIFY(canvas->updatesEnabled());
    QVERIFY(child->updatesEnabled());
    QTRY_COMPARE(counter.paints, 1);
}

void PacedRepaintsTest::aPauseAFrameLaterRepaintsWhatWasHeld()
{
    // As an earlier pause within a frame leaves it.
    canvas->setUpdatesEnabled(false);
    canvas->update();
    PacedRepaints pauses(canvas, 0ms);
    pauses.pause();
    QVERIFY(canvas->updatesEnabled());
    QCOMPARE(counter.paints, 1);
}

void PacedRepaintsTest::eventsRunDuringAHeldPause()
{
    PacedRepaints pauses(canvas, 1h);
    bool ticked = false;
    QTimer::singleShot(0, this, [&] { ticked = true; });
    pauses.pause();
    QVERIFY(ticked);
}

void PacedRepaintsTest::widgetDeletedDuringAPause()
{
    {
        PacedRepaints pauses(canvas, 1h);
        QTimer::singleShot(0, this, [this] { window.reset(); });
        pauses.pause();
        QVERIFY(!window);
        pauses.pause();
    }
    QVERIFY(!window);
}

QTEST_MAIN(PacedRepaintsTest)
#include "tst_paced_repaints.moc"

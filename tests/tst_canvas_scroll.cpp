#include "app/canvas.h"
#include "app/canvas_area.h"
#include "app/main_window.h"
#include "support/browsing_fixture.h"
#include "support/test_pages.h"

#include <QAction>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QtTest>

// A page larger than the window scrolls, in both modes, and the elements keep their places.
class CanvasScrollTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pageThatFitsHasNoScrollBars();
    void farElementBringsScrollBars_data();
    void farElementBringsScrollBars();
    void newPageStartsAtTheTopLeft();
    void draggingNearAnEdgeScrolls();
    void farAwayElementGrowsTheCanvasOnlySoFar();

private:
    Form1 *window() const { return fixture.window.get(); }
    CanvasArea *area() const { return window()->canvasArea; }
    QScrollBar *across() const { return area()->horizontalScrollBar(); }
    QScrollBar *down() const { return area()->verticalScrollBar(); }
    // A page with one button at the position given.
    QByteArray pageWithButtonAt(int x, int y, int width = 80) const;

    BrowsingFixture fixture;
};

void CanvasScrollTest::init()
{
    fixture.start();
}

void CanvasScrollTest::cleanup()
{
    fixture.stop();
}

QByteArray CanvasScrollTest::pageWithButtonAt(int x, int y, int width) const
{
    return QStringLiteral("ButtonNum=0\r\nLabelNum=-1\r\nPictureNum=-1\r\nTitle=Far\r\n"
                          "Color=16777215\r\n1bx=%1\r\n1by=%2\r\n1bwidth=%3\r\n1bheight=30\r\n"
                          "1bcap=Far\r\n1blink=\r\n")
        .arg(x)
        .arg(y)
        .arg(width)
        .toLatin1();
}

void CanvasScrollTest::pageThatFitsHasNoScrollBars()
{
    fixture.serve("/index.qvif", TestPage().title("Small").button(1, "Near").bytes());
    fixture.goTo(fixture.url("/"));
    QTRY_COMPARE(window()->canvas()->size(), area()->viewport()->size());
    QVERIFY(!across()->isVisible());
    QVERIFY(!down()->isVisible());
}

void CanvasScrollTest::farElementBringsScrollBars_data()
{
    QTest::addColumn<bool>("browsing");
    QTest::newRow("browser mode") << true;
    QTest::newRow("editor mode") << false;
}

void CanvasScrollTest::farElementBringsScrollBars()
{
    QFETCH(bool, browsing);
    fixture.serve("/far.qvif", pageWithButtonAt(1500, 900));
    if (browsing) {
        fixture.goTo(fixture.url("/far.qvif"));
    } else {
        fixture.dialogs->openAnswers.enqueue(fixture.site->filePath("far.qvif"));
        window()->mnuOpen->trigger();
    }
    QCOMPARE(window()->BrowserMode, browsing);
    ElementButton *far = window()->button(1);
    QVERIFY(far->isVisible());
    QTRY_COMPARE(window()->canvas()->size(), QSize(1580, 930));
    QTRY_VERIFY(across()->isVisible() && down()->isVisible());
    // Positions stay those of the page, whatever the view shows.
    QCOMPARE(far->geometry(), QRect(1500, 900, 80, 30));

    across()->setValue(across()->maximum());
    down()->setValue(down()->maximum());
    const QRect inView(far->mapTo(area()->viewport(), QPoint(0, 0)), far->size());
    QVERIFY(area()->viewport()->rect().contains(inView));
    QCOMPARE(far->geometry(), QRect(1500, 900, 80, 30));
}

void CanvasScrollTest::newPageStartsAtTheTopLeft()
{
    fixture.serve("/far.qvif", pageWithButtonAt(1500, 900));
    fixture.goTo(fixture.url("/far.qvif"));
    QTRY_VERIFY(across()->maximum() > 0);
    across()->setValue(across()->maximum());
    down()->setValue(down()->maximum());
    QTest::mouseClick(window()->Command3, Qt::LeftButton);
    QCOMPARE(across()->value(), 0);
    QCOMPARE(down()->value(), 0);
}

void CanvasScrollTest::draggingNearAnEdgeScrolls()
{
    fixture.serve("/far.qvif", pageWithButtonAt(1500, 100));
    fixture.dialogs->openAnswers.enqueue(fixture.site->filePath("far.qvif"));
    window()->mnuOpen->trigger();
    QTRY_VERIFY(across()->maximum() > 0);
    QCOMPARE(across()->value(), 0);

    // An element held near the right edge of the view.
    std::unique_ptr<QMimeData> data(window()->elementDragData(window()->button(1)));
    const QPoint nearEdge(area()->viewport()->width() - 4, 60);
    QDragEnterEvent enter(nearEdge, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window()->canvas(), &enter);
    QDragMoveEvent move(nearEdge, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window()->canvas(), &move);
    QTRY_VERIFY(across()->value() > 0);
    QCOMPARE(down()->value(), 0);

    // Near the left edge it scrolls back.
    QTRY_VERIFY(across()->value() >= 64);
    const int reached = across()->value();
    const QPoint leftEdge(window()->canvas()->mapFrom(area()->viewport(), QPoint(3, 60)));
    QDragMoveEvent back(leftEdge, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window()->canvas(), &back);
    QTRY_VERIFY(across()->value() < reached);
    QDragLeaveEvent leave;
    QApplication::sendEvent(window()->canvas(), &leave);
}

void CanvasScrollTest::farAwayElementGrowsTheCanvasOnlySoFar()
{
    // Each coordinate and size may reach a million pixels.
    fixture.serve("/farther.qvif", pageWithButtonAt(900000, 900000, 900000));
    fixture.goTo(fixture.url("/farther.qvif"));
    QTRY_COMPARE(window()->canvas()->width(), CanvasArea::LargestCanvas);
    QCOMPARE(window()->canvas()->height(), 900030);
    across()->setValue(across()->maximum() / 2);
    window()->repaint();
}

QTEST_MAIN(CanvasScrollTest)
#include "tst_canvas_scroll.moc"

#include "editor/element_geometry.h"

#include <QtTest>

Q_DECLARE_METATYPE(ElementGeometry)
Q_DECLARE_METATYPE(ResizeHandle)

namespace QTest {
template <> char *toString(const ElementGeometry &geometry)
{
    return qstrdup(QStringLiteral("(%1, %2 %3x%4)")
                       .arg(double(geometry.left))
                       .arg(double(geometry.top))
                       .arg(double(geometry.width))
                       .arg(double(geometry.height))
                       .toUtf8()
                       .constData());
}
} // namespace QTest

// How a handle of the selection frame and the arrow keys change an element's place and size.
class ElementGeometryTest : public QObject
{
    Q_OBJECT

private slots:
    void handleResizes_data();
    void handleResizes();
    void keyNudges_data();
    void keyNudges();
};

void ElementGeometryTest::handleResizes_data()
{
    QTest::addColumn<ElementGeometry>("start");
    QTest::addColumn<ResizeHandle>("handle");
    QTest::addColumn<QPoint>("travel");
    QTest::addColumn<ElementGeometry>("result");
    const ElementGeometry box{100, 50, 80, 30};
    QTest::newRow("right edge out")
        << box << ResizeHandle::Right << QPoint(20, 7) << ElementGeometry{100, 50, 100, 30};
    QTest::newRow("left edge in, right stays")
        << box << ResizeHandle::Left << QPoint(30, -4) << ElementGeometry{130, 50, 50, 30};
    QTest::newRow("top edge up, bottom stays")
        << box << ResizeHandle::Top << QPoint(3, -10) << ElementGeometry{100, 40, 80, 40};
    QTest::newRow("bottom edge") << box << ResizeHandle::Bottom << QPoint(0, 5)
                                 << ElementGeometry{100, 50, 80, 35};
    QTest::newRow("top-left corner")
        << box << ResizeHandle::TopLeft << QPoint(-10, -10) << ElementGeometry{90, 40, 90, 40};
    QTest::newRow("top-right corner")
        << box << ResizeHandle::TopRight << QPoint(10, 10) << ElementGeometry{100, 60, 90, 20};
    QTest::newRow("bottom-left corner")
        << box << ResizeHandle::BottomLeft << QPoint(10, 10) << ElementGeometry{110, 50, 70, 40};
    QTest::newRow("bottom-right corner")
        << box << ResizeHandle::BottomRight << QPoint(-5, 5) << ElementGeometry{100, 50, 75, 35};
    QTest::newRow("no smaller than a pixel, opposite edge kept")
        << box << ResizeHandle::Left << QPoint(500, 0) << ElementGeometry{179, 50, 1, 30};
    QTest::newRow("right edge past the left")
        << box << ResizeHandle::Right << QPoint(-200, 0) << ElementGeometry{100, 50, 1, 30};
    QTest::newRow("half pixels stay")
        << ElementGeometry{10.5f, 20.5f, 40, 20} << ResizeHandle::TopLeft << QPoint(2, 3)
        << ElementGeometry{12.5f, 23.5f, 38, 17};
    QTest::newRow("a sizeless picture grows")
        << ElementGeometry{5, 5, 0, 0} << ResizeHandle::BottomRight << QPoint(30, 20)
        << ElementGeometry{5, 5, 30, 20};
    QTest::newRow("the axis not dragged is left alone")
        << ElementGeometry{5, 5, 0, 0} << ResizeHandle::Right << QPoint(0, 20)
        << ElementGeometry{5, 5, 0, 0};
}

void ElementGeometryTest::handleResizes()
{
    QFETCH(ElementGeometry, start);
    QFETCH(ResizeHandle, handle);
    QFETCH(QPoint, travel);
    QFETCH(ElementGeometry, result);
    QCOMPARE(resizedGeometry(start, handle, travel), result);
}

void ElementGeometryTest::keyNudges_data()
{
    QTest::addColumn<ElementGeometry>("start");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<bool>("resize");
    QTest::addColumn<ElementGeometry>("result");
    const ElementGeometry box{100.5f, 50, 80, 30};
    QTest::newRow("right") << box << 1 << 0 << false << ElementGeometry{101.5f, 50, 80, 30};
    QTest::newRow("up ten") << box << 0 << -10 << false << ElementGeometry{100.5f, 40, 80, 30};
    QTest::newRow("past the edge")
        << ElementGeometry{0, 0, 8, 8} << -10 << 0 << false << ElementGeometry{-10, 0, 8, 8};
    QTest::newRow("wider") << box << 1 << 0 << true << ElementGeometry{100.5f, 50, 81, 30};
    QTest::newRow("lower by ten") << box << 0 << -10 << true << ElementGeometry{100.5f, 50, 80, 20};
    QTest::newRow("not below a pixel")
        << ElementGeometry{0, 0, 4, 4} << -10 << 0 << true << ElementGeometry{0, 0, 1, 4};
    QTest::newRow("a sizeless one does not grow by a shrink")
        << ElementGeometry{0, 0, 0, 0} << -1 << 0 << true << ElementGeometry{0, 0, 0, 0};
}

void ElementGeometryTest::keyNudges()
{
    QFETCH(ElementGeometry, start);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(bool, resize);
    QFETCH(ElementGeometry, result);
    QCOMPARE(nudgedGeometry(start, dx, dy, resize), result);
}

QTEST_GUILESS_MAIN(ElementGeometryTest)
#include "tst_element_geometry.moc"

#include "editor/picture_reference.h"

#include <QtTest>

// How a picture file chosen in the panel is written into the page.
class PictureReferenceTest : public QObject
{
    Q_OBJECT

private slots:
    void reference_data();
    void reference();
};

void PictureReferenceTest::reference_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("written");
    QTest::newRow("beside the page") << "/home/ann/site/logo.png"
                                     << "/home/ann/site/index.qvif"
                                     << "logo.png";
    QTest::newRow("below the page") << "/home/ann/site/pics/2024/logo.png"
                                    << "/home/ann/site/index.qvif"
                                    << "pics/2024/logo.png";
    QTest::newRow("above the page") << "/home/ann/logo.png"
                                    << "/home/ann/site/index.qvif"
                                    << "/home/ann/logo.png";
    QTest::newRow("in a sibling folder") << "/home/ann/other/logo.png"
                                         << "/home/ann/site/index.qvif"
                                         << "/home/ann/other/logo.png";
    QTest::newRow("a folder that only starts like the page's") << "/home/ann/site2/logo.png"
                                                               << "/home/ann/site/index.qvif"
                                                               << "/home/ann/site2/logo.png";
    QTest::newRow("a name starting with two dots") << "/home/ann/site/..logo.png"
                                                   << "/home/ann/site/index.qvif"
                                                   << "..logo.png";
    QTest::newRow("a page without a file") << "/home/ann/site/logo.png"
                                           << ""
                                           << "/home/ann/site/logo.png";
    QTest::newRow("an untidy path is tidied") << "/home/ann/site/./pics/../logo.png"
                                              << ""
                                              << "/home/ann/site/logo.png";
}

void PictureReferenceTest::reference()
{
    QFETCH(QString, picture);
    QFETCH(QString, page);
    QFETCH(QString, written);
    QCOMPARE(pictureReference(picture, page), written);
}

QTEST_GUILESS_MAIN(PictureReferenceTest)
#include "tst_picture_reference.moc"

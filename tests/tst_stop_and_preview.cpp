#include "app/canvas.h"
#include "app/main_window.h"
#include "app/tag.h"
#include "support/browsing_fixture.h"
#include "support/picture_ticks.h"
#include "support/test_pages.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QtTest>

using namespace std::chrono_literals;
using Answer = HttpServer::Answer;

// Stopping a page or its pictures, and what the status bar tells while browsing.
class StopAndPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void stopDuringASlowDownloadKeepsThePage_data();
    void stopDuringASlowDownloadKeepsThePage();
    void escapeDropsThePicturesStillArriving();
    void escapeIsLeftAloneWhenNothingArrivesOrInTheEditor();
    void hoverTellsWhereALinkLeads_data();
    void hoverTellsWhereALinkLeads();
    void hoverInTheEditorTellsNothing();
    void picturesAreCountedAsTheyArrive();

private:
    Form1 *window() const { return fixture.window.get(); }
    QFrame *overlay() const { return window()->findChild<QFrame *>("picLoading"); }
    QString progress() const
    {
        auto *label = window()->findChild<QLabel *>("pictureProgress");
        return label->isVisible() ? label->text() : QString();
    }

    BrowsingFixture fixture;
};

void StopAndPreviewTest::init()
{
    fixture.start();
}

void StopAndPreviewTest::cleanup()
{
    fixture.stop();
}

void StopAndPreviewTest::stopDuringASlowDownloadKeepsThePage_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Escape") << true;
    QTest::newRow("View > Stop") << false;
}

void StopAndPreviewTest::stopDuringASlowDownloadKeepsThePage()
{
    QFETCH(bool, byKey);
    fixture.serve("/a.qvif", TestPage().title("A").button(1, "Mine").bytes());
    TestPage slow;
    for (int slot = 1; slot <= 6; ++slot)
        slow.button(slot, "Slow");
    fixture.server->setAnswer("/slow.qvif", Answer::slow(slow.title("Slow").bytes(), 20ms, 16));
    fixture.goTo(fixture.url("/a.qvif"));

    bool overlayWhileStopping = false;
    connect(fixture.server.get(), &HttpServer::requestReceived, this, [&](const QString &target) {
        if (target != "/slow.qvif")
            return;
        overlayWhileStopping = overlay()->isVisible();
        if (byKey)
            QTest::keyClick(window(), Qt::Key_Escape);
        else
            window()->mnuStop->trigger();
    });
    fixture.goTo(fixture.url("/slow.qvif"));

    QVERIFY(overlayWhileStopping);
    QCOMPARE(window()->PageTitle, QStringLiteral("A"));
    QCOMPARE(window()->button(1)->caption(), QStringLiteral("Mine"));
    QVERIFY(window()->button(2)->isHidden());
    QCOMPARE(fixture.addressShown(), fixture.url("/a.qvif"));
    QVERIFY(!overlay()->isVisible());
    QCOMPARE(window()->statusText(), QStringLiteral("Stopped"));
    QVERIFY(!window()->transfer().StillExecuting());
    QVERIFY(!window()->Command1->isEnabled());
    QVERIFY(!window()->mnuStop->isEnabled());

    // Reload reloads the page shown, not the one stopped.
    QTest::mouseClick(window()->Command3, Qt::LeftButton);
    QCOMPARE(fixture.server->requests(), QStringList({"/a.qvif", "/slow.qvif", "/a.qvif"}));
    QCOMPARE(window()->PageTitle, QStringLiteral("A"));
}

void StopAndPreviewTest::escapeDropsThePicturesStillArriving()
{
    window()->Timer1->stop();
    TestPage page;
    for (int slot = 1; slot <= 4; ++slot)
        page.picture(slot, QStringLiteral("p%1.png").arg(slot));
    fixture.serve("/index.qvif", page.title("Pictures").bytes());
    fixture.serve("/p1.png", pngOfSize({5, 5}));
    for (int slot = 2; slot <= 4; ++slot)
        fixture.server->setAnswer(QStringLiteral("/p%1.png").arg(slot), Answer::stalled("\x89PNG"));
    fixture.goTo(fixture.url("/"));
    QVERIFY(tickWhenHeadIsDone(*window()));
    QCOMPARE(window()->picture(1)->image().size(), QSize(5, 5));
    QVERIFY(window()->mnuStop->isEnabled());

    QTest::keyClick(window(), Qt::Key_Escape);
    QVERIFY(window()->pictureRequests().isEmpty());
    QCOMPARE(window()->lstPics->count(), 0);
    QCOMPARE(window()->statusText(), QStringLiteral("Stopped"));
    QVERIFY(progress().isEmpty());
    QVERIFY(!window()->mnuStop->isEnabled());
    window()->Timer1_Timer();
    for (int slot = 2; slot <= 4; ++slot)
        QVERIFY(window()->picture(slot)->image().isNull());
    // The page itself stays.
    QCOMPARE(window()->PageTitle, QStringLiteral("Pictures"));
    QCOMPARE(window()->picture(1)->image().size(), QSize(5, 5));
}

void StopAndPreviewTest::escapeIsLeftAloneWhenNothingArrivesOrInTheEditor()
{
    window()->Timer1->stop();
    QVERIFY(!window()->mnuStop->isEnabled());
    QTest::keyClick(window(), Qt::Key_Escape);
    QVERIFY(window()->statusText().isEmpty());

    // Pictures applied in the editor keep arriving whatever Escape means there.
    window()->mnuWorkspace->trigger();
    fixture.server->setAnswer("/late.png", Answer::stalled("\x89PNG"));
    window()->pictureRequests().append(fixture.url("/late.png"), "1", QString());
    QVERIFY(!window()->mnuStop->isEnabled());
    QTest::keyClick(window(), Qt::Key_Escape);
    QCOMPARE(window()->pictureRequests().size(), 1);
    QVERIFY(window()->statusText().isEmpty());
}

void StopAndPreviewTest::hoverTellsWhereALinkLeads_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("shown");
    QTest::newRow("button, relative link") << "Buttonn"
                                           << "next.qvif"
                                           << "/dir/next.qvif";
    QTest::newRow("label, link up a folder") << "Labell"
                                             << "../up.qvif"
                                             << "/up.qvif";
    QTest::newRow("picture, whole address") << "Picturee"
                                            << "http://127.0.0.1:1/x.qvif"
                                            << "http://127.0.0.1:1/x.qvif";
    QTest::newRow("no link") << "Buttonn"
                             << ""
                             << "";
}

void StopAndPreviewTest::hoverTellsWhereALinkLeads()
{
    QFETCH(QString, kind);
    QFETCH(QString, link);
    QFETCH(QString, shown);
    TestPage page;
    page.title("Links").button(2, "Elsewhere");
    if (kind == "Buttonn")
        page.button(1, "Link", link);
    else if (kind == "Labell")
        page.label(1, "Link", link);
    else
        page.picture(1, QString(), link);
    fixture.serve("/dir/index.qvif", page.bytes());
    fixture.goTo(fixture.url("/dir/"));
    window()->showStatus(QStringLiteral("Earlier message"));

    QWidget *element = kind == "Buttonn"  ? static_cast<QWidget *>(window()->button(1))
                       : kind == "Labell" ? static_cast<QWidget *>(window()->label(1))
                                          : static_cast<QWidget *>(window()->picture(1));
    QTest::mouseMove(element, QPoint(5, 5));
    const QString expected = shown.startsWith('/') ? fixture.url(shown) : shown;
    QTRY_COMPARE(window()->statusBar()->currentMessage(), expected);

    QTest::mouseMove(window()->canvas(), QPoint(window()->canvas()->width() - 5, 5));
    QTRY_VERIFY(window()->statusBar()->currentMessage().isEmpty());
    // The message below the link comes back untouched.
    QCOMPARE(window()->statusText(), QStringLiteral("Earlier message"));
}

void StopAndPreviewTest::hoverInTheEditorTellsNothing()
{
    fixture.serve("/index.qvif", TestPage().title("Links").button(1, "Link", "next.qvif").bytes());
    fixture.goTo(fixture.url("/"));
    window()->mnuEditPage->trigger();
    QVERIFY(!window()->BrowserMode);
    QTest::mouseMove(window()->button(1), QPoint(5, 5));
    QTest::mouseMove(window()->button(1), QPoint(6, 6));
    QVERIFY(window()->statusBar()->currentMessage().isEmpty());
}

void StopAndPreviewTest::picturesAreCountedAsTheyArrive()
{
    window()->Timer1->stop();
    TestPage page;
    for (int slot = 1; slot <= 3; ++slot) {
        page.picture(slot, QStringLiteral("p%1.png").arg(slot));
        fixture.serve(QStringLiteral("/p%1.png").arg(slot), pngOfSize({slot, slot}));
    }
    fixture.serve("/index.qvif", page.background("back.png").bytes());
    fixture.serve("/back.png", pngOfSize({8, 8}));
    QVERIFY(progress().isEmpty());
    fixture.goTo(fixture.url("/"));
    QCOMPARE(progress(), QStringLiteral("Pictures: 0 of 4"));
    QStringList seen;
    for (int tick = 0; tick < 4; ++tick) {
        QVERIFY(tickWhenHeadIsDone(*window()));
        seen << progress();
    }
    QCOMPARE(seen, QStringList({"Pictures: 1 of 4", "Pictures: 2 of 4", "Pictures: 3 of 4", ""}));
    // A page's count starts afresh.
    fixture.goTo(fixture.url("/"));
    QCOMPARE(progress(), QStringLiteral("Pictures: 0 of 4"));
}

QTEST_MAIN(StopAndPreviewTest)
#include "tst_stop_and_preview.moc"

#include "app/canvas.h"
#include "app/main_window.h"
#include "support/page_fixtures.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>

class PageLoaderTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void examplePageLoads();
    void lineEndsAndOrderDoNotMatter_data();
    void lineEndsAndOrderDoNotMatter();
    void fieldValues_data();
    void fieldValues();
    void fileWithoutCountKeysReadsSlotOne();
    void markerCaptionStaysHiddenButEmptyCaptionShows();
    void countOfTwoReadsThreeSlots();
    void unreadableWidthStopsAfterCaptionLeftAndTop();
    void counts_data();
    void counts();
    void badValuesStopTheLoad_data();
    void badValuesStopTheLoad();
    void missingFileLoadsEmptyValues();
    void absentFontSizeIsKeptAsZero();
    void pictureRequestsAreQueuedInOrder();
    void slotOneHundredGetsItsPictureRow();
    void eventsRunAfterEachSlotAndTheFileIsReadOnce();
    void windowClosedDuringTheLoad();
    void canvasRepaintsAtMostOnceAFrameWhileAPageLoads();
    void damagedFilesLoadWithoutHarm_data();
    void damagedFilesLoadWithoutHarm();
    void readSettingAnswersOneKey_data();
    void readSettingAnswersOneKey();

private:
    QString fixture(const QByteArray &bytes);
    QString fixture(const QStringList &lines) { return fixture(lines.join("\r\n").toUtf8()); }
    void load(const QString &path);

    QTemporaryDir directory;
    int fixtureCount = 0;
    std::unique_ptr<Form1> window;
    ScriptedDialogs *dialogs = nullptr;
};

void PageLoaderTest::init()
{
    QVERIFY(directory.isValid());
    window = std::make_unique<Form1>();
    dialogs = scriptDialogs(*window);
    // The picture fetcher would take requests off the queue while the tests look at it.
    window->Timer1->stop();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void PageLoaderTest::cleanup()
{
    window.reset();
}

QString PageLoaderTest::fixture(const QByteArray &bytes)
{
    const QString path = directory.filePath(QStringLiteral("page%1.qvif").arg(++fixtureCount));
    if (!writeBytes(path, bytes))
        qFatal("cannot write the fixture %s", qPrintable(path));
    return path;
}

// Loading as Open does it: editor mode, a cleared page, then the chosen file.
void PageLoaderTest::load(const QString &path)
{
    dialogs->openAnswers.enqueue(path);
    window->mnuOpen->trigger();
}

void PageLoaderTest::examplePageLoads()
{
    load(fixture(ExamplePageLines));

    QCOMPARE(window->ButtonCount, qint16(2));
    QCOMPARE(window->LabelCount, qint16(2));
    QCOMPARE(window->PictureCount, qint16(2));
    QCOMPARE(window->PageTitle, QStringLiteral("Welcome"));
    QCOMPARE(window->canvas()->tag(), QStringLiteral("images/sky.bmp"));
    QCOMPARE(window->canvas()->backColour(), 16777215u);

    ElementButton *next = window->button(1);
    QVERIFY(next->isVisible());
    QCOMPARE(next->caption(), QStringLiteral("Next page"));
    QCOMPARE(next->tag(), QStringLiteral("page2.qvif"));
    QCOMPARE(next->geometry(), QRect(40, 160, 81, 33));
    QVERIFY(window->button(2)->isHidden());

    ElementLabel *hello = window->label(1);
    QVERIFY(hello->isVisible());
    QCOMPARE(hello->caption(), QStringLiteral("Hello and welcome"));
    QCOMPARE(hello->geometry(), QRect(40, 24, 193, 25));
    QCOMPARE(hello->fontSize(), 12.0f);
    QCOMPARE(hello->backColour(), 16777215u);
    QCOMPARE(hello->foreColour(), 255u);
    QCOMPARE(hello->backStyle(), 0);
    QCOMPARE(hello->alignment(), 2);
    QCOMPARE(hello->borderStyle(), 0);
    QVERIFY(window->label(2)->isHidden());
    QCOMPARE(window->label(2)->fontSize(), 8.25f);
    QCOMPARE(window->label(2)->backColour(), 0x8000000Fu);

    ElementPicture *logo = window->picture(1);
    QVERIFY(logo->isVisible());
    QCOMPARE(logo->geometry(), QRect(240, 80, 128, 96));
    QCOMPARE(logo->borderStyle(), 1);
    QCOMPARE(logo->tag(), QStringLiteral("page3.qvif"));
    QCOMPARE(pictureSourceRow(*window, 1), QStringLiteral("images/logo.bmp"));
    // Picture slot 2 has no block: it is shown all-empty and queues nothing.
    ElementPicture *empty = window->picture(2);
    QVERIFY(empty->isVisible());
    QCOMPARE(empty->geometry(), QRect(0, 0, 0, 0));
    QCOMPARE(empty->borderStyle(), 0);
    QCOMPARE(pictureSourceRow(*window, 2), QString());
    QVERIFY(window->picture(3)->isHidden());
    QVERIFY(window->picture(0)->isHidden());

    QCOMPARE(pictureQueue(*window),
             QStringList({"images/sky.bmp -> WORK", "images/logo.bmp -> 1"}));

    // Buttons above labels above pictures, each loaded later above one loaded earlier.
    const QObjectList stack = window->canvas()->children();
    QVERIFY(stack.indexOf(window->picture(1)) < stack.indexOf(window->picture(2)));
    QVERIFY(stack.indexOf(window->picture(2)) < stack.indexOf(window->label(1)));
    QVERIFY(stack.indexOf(window->label(1)) < stack.indexOf(window->label(2)));
    QVERIFY(stack.indexOf(window->label(2)) < stack.indexOf(window->button(1)));
    QVERIFY(stack.indexOf(window->button(1)) < stack.indexOf(window->button(2)));
}

void PageLoaderTest::lineEndsAndOrderDoNotMatter_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QStringList reversed = ExamplePageLines;
    std::reverse(reversed.begin(), reversed.end());
    QStringList sorted = ExamplePageLines;
    sorted.sort();
    QTest::newRow("CR LF, last line ended") << (ExamplePageLines.join("\r\n") + "\r\n").toUtf8();
    QTest::newRow("lone CR") << ExamplePageLines.join("\r").toUtf8();
    QTest::newRow("lone LF, as a text editor writes") << ExamplePageLines.join("\n").toUtf8();
    QTest::newRow("reversed") << reversed.join("\r\n").toUtf8();
    QTest::newRow("sorted") << sorted.join("\r\n").toUtf8();
    QTest::newRow("blank and foreign lines between")
        << ("# hand made\n\n" + ExamplePageLines.join("\n\nnot a key\n")).toUtf8();
}

void PageLoaderTest::lineEndsAndOrderDoNotMatter()
{
    QFETCH(QByteArray, bytes);
    load(fixture(ExamplePageLines));
    const QStringList expected = pageState(*window);
    window->lstPics->clear();
    window->lstPicsNum->clear();

    load(fixture(bytes));
    QCOMPARE(pageState(*window), expected);
    QVERIFY(window->button(1)->isVisible());
}

void PageLoaderTest::fieldValues_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<float>("left");

    QTest::newRow("key twice, later line wins")
        << QStringList{"Title=First", "1bcap=Old", "1bx=1", "Title=Second", "1bcap=New", "1bx=2"}
        << "Second"
        << "New" << 2.0f;
    QTest::newRow("equals and spaces kept")
        << QStringList{"Title=  a = b  ", "1bcap= x=y=z "} << "  a = b  "
        << " x=y=z " << 0.0f;
    QTest::newRow("other letter case ignored")
        << QStringList{"title=lower", "Title=Upper", "1BCAP=shout", "1bcap=quiet", "1BX=9"}
        << "Upper"
        << "quiet" << 0.0f;
    QTest::newRow("slot 11 does not answer slot 1")
        << QStringList{"ButtonNum=0", "11bcap=eleven", "11bx=110", "1bcap=one"} << ""
        << "one" << 0.0f;
    QTest::newRow("decimal comma") << QStringList{"1bx=12,5"} << ""
                                   << "" << 12.5f;
    QTest::newRow("Windows-1252 text")
        << QStringList{QString::fromLatin1("Title=Caf\xE9"), "1bcap=x"} << "Café"
        << "x" << 0.0f;
}

void PageLoaderTest::fieldValues()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, title);
    QFETCH(QString, caption);
    QFETCH(float, left);
    // Latin-1 bytes for the 8-bit row; every other row is plain ASCII either way.
    load(fixture(lines.join("\r\n").toLatin1()));
    QCOMPARE(window->PageTitle, title);
    QCOMPARE(window->button(1)->caption(), caption);
    QCOMPARE(window->button(1)->exactLeft(), left);
    QCOMPARE(window->ButtonCount, qint16(1));
}

void PageLoaderTest::fileWithoutCountKeysReadsSlotOne()
{
    load(fixture(QStringList{"Title=Counts missing", "1bcap=Only", "1lcap=Text", "1px=5"}));
    QCOMPARE(window->ButtonCount, qint16(1));
    QCOMPARE(window->LabelCount, qint16(1));
    QCOMPARE(window->PictureCount, qint16(1));
    QVERIFY(window->button(1)->isVisible());
    QVERIFY(window->label(1)->isVisible());
    QVERIFY(window->picture(1)->isVisible());
    QCOMPARE(window->picture(1)->exactLeft(), 5.0f);
    QVERIFY(window->button(2)->isHidden());
}

void PageLoaderTest::markerCaptionStaysHiddenButEmptyCaptionShows()
{
    load(fixture(QStringList{"ButtonNum=2", "LabelNum=1", "1bcap=UYdgDHbfbHCBJFVskglsl11122@",
                             "2bcap=", "3bcap=UYdgDHbfbHCBJFVskglsl11122@ ",
                             "1lcap=UYdgDHbfbHCBJFVskglsl11122@", "2lcap="}));
    QVERIFY(window->button(1)->isHidden());
    QVERIFY(window->button(2)->isVisible());
    QCOMPARE(window->button(2)->caption(), QString());
    // Only the exact marker hides: a trailing space makes it a caption like any other.
    QVERIFY(window->button(3)->isVisible());
    QVERIFY(window->label(1)->isHidden());
    QVERIFY(window->label(2)->isVisible());
    QCOMPARE(window->ButtonCount, qint16(3));
    QCOMPARE(window->LabelCount, qint16(2));
}

void PageLoaderTest::countOfTwoReadsThreeSlots()
{
    load(fixture(QStringList{"ButtonNum=2", "LabelNum=-1", "PictureNum=-1", "1bcap=a", "2bcap=b",
                             "3bcap=c", "4bcap=d", "5bcap=e"}));
    QCOMPARE(window->ButtonCount, qint16(3));
    QCOMPARE(window->button(3)->caption(), QStringLiteral("c"));
    QVERIFY(window->button(3)->isVisible());
    QCOMPARE(window->button(4)->caption(), FreeSlotMarker);
    QVERIFY(window->button(4)->isHidden());
    QVERIFY(window->button(5)->isHidden());
    QCOMPARE(window->LabelCount, qint16(0));
    QCOMPARE(window->PictureCount, qint16(0));
    QVERIFY(window->label(1)->isHidden());
    QVERIFY(window->picture(1)->isHidden());
}

void PageLoaderTest::unreadableWidthStopsAfterCaptionLeftAndTop()
{
    // The template is shown first so that the test sees whether this load hides it.
    window->mnuWorkspace->trigger();
    window->picture(0)->show();
    window->LoadPage(fixture(QStringList{
        "ButtonNum=3", "LabelNum=0", "PictureNum=-1", "1bcap=one", "2bcap=two", "2bx=20", "2by=30",
        "2bwidth=wide", "2bheight=40", "2blink=next.qvif", "3bcap=three", "1lcap=label"}));
    QCOMPARE(window->ButtonCount, qint16(1));
    QCOMPARE(window->button(2)->caption(), QStringLiteral("two"));
    QCOMPARE(window->button(2)->exactLeft(), 20.0f);
    QCOMPARE(window->button(2)->exactTop(), 30.0f);
    QCOMPARE(window->button(2)->exactWidth(), 81.0f);
    QCOMPARE(window->button(2)->tag(), QString());
    QVERIFY(window->button(2)->isHidden());
    QCOMPARE(window->button(3)->caption(), FreeSlotMarker);
    QCOMPARE(window->LabelCount, qint16(0));
    QCOMPARE(window->label(1)->caption(), FreeSlotMarker);
    QVERIFY(!window->picture(0)->isHidden());
}

void PageLoaderTest::counts_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("pictures");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("labels");
    QTest::addColumn<bool>("complete");

    QTest::newRow("buttons -1") << QStringList{"ButtonNum=-1"} << 1 << 0 << 1 << true;
    QTest::newRow("pictures 99") << QStringList{"PictureNum=99"} << 100 << 1 << 1 << true;
    QTest::newRow("buttons 99") << QStringList{"ButtonNum=99"} << 1 << 100 << 1 << true;
    QTest::newRow("buttons 100 stop at slot 101")
        << QStringList{"ButtonNum=100"} << 1 << 100 << 0 << false;
    QTest::newRow("pictures 100 stop at slot 101")
        << QStringList{"PictureNum=100"} << 100 << 0 << 0 << false;
    QTest::newRow("pictures -2 run on to slot 101")
        << QStringList{"PictureNum=-2"} << 100 << 0 << 0 << false;
    QTest::newRow("labels 32767 stop before any label")
        << QStringList{"LabelNum=32767"} << 1 << 1 << 0 << false;
    QTest::newRow("buttons 32767 stop before any button")
        << QStringList{"ButtonNum=32767"} << 1 << 0 << 0 << false;
    QTest::newRow("labels -32768 run on to slot 101")
        << QStringList{"LabelNum=-32768"} << 1 << 1 << 100 << false;
}

void PageLoaderTest::counts()
{
    QFETCH(QStringList, lines);
    QFETCH(int, pictures);
    QFETCH(int, buttons);
    QFETCH(int, labels);
    QFETCH(bool, complete);
    window->mnuWorkspace->trigger();
    window->picture(0)->show();
    lines << "1bcap=b"
          << "1lcap=l"
          << "100bcap=last"
          << "101bcap=beyond";
    window->LoadPage(fixture(lines));
    QCOMPARE(int(window->PictureCount), pictures);
    QCOMPARE(int(window->ButtonCount), buttons);
    QCOMPARE(int(window->LabelCount), labels);
    QCOMPARE(window->picture(0)->isHidden(), complete);
    QCOMPARE(window->button(100)->isVisible(), buttons == 100);
}

void PageLoaderTest::badValuesStopTheLoad_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("pictures");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("labels");
    QTest::addColumn<QString>("title");

    // The page has one slot of each kind; the bad line decides where the load ends.
    QTest::newRow("count not a number") << "ButtonNum=many" << 0 << 0 << 0 << "";
    QTest::newRow("count out of range") << "LabelNum=40000" << 0 << 0 << 0 << "";
    QTest::newRow("colour not a number") << "Color=red" << 0 << 0 << 0 << "Page";
    QTest::newRow("colour out of range") << "Color=4294967295" << 0 << 0 << 0 << "Page";
    QTest::newRow("empty picture left") << "1px=" << 0 << 0 << 0 << "Page";
    QTest::newRow("picture border 2") << "1pborder=2" << 0 << 0 << 0 << "Page";
    QTest::newRow("negative picture height") << "1pheight=-1" << 0 << 0 << 0 << "Page";
    QTest::newRow("button top not a number") << "1by=top" << 1 << 0 << 0 << "Page";
    QTest::newRow("negative button width") << "1bwidth=-5" << 1 << 0 << 0 << "Page";
    QTest::newRow("negative font size") << "1lfontsize=-8" << 1 << 1 << 0 << "Page";
    QTest::newRow("label opaque 2") << "1lopaque=2" << 1 << 1 << 0 << "Page";
    QTest::newRow("label alignment 3") << "1lalign=3" << 1 << 1 << 0 << "Page";
    QTest::newRow("label border -1") << "1lborder=-1" << 1 << 1 << 0 << "Page";
    QTest::newRow("label colour empty") << "1lfcolor=" << 1 << 1 << 0 << "Page";
    QTest::newRow("alignment 2 is centred") << "1lalign=2" << 1 << 1 << 1 << "Page";
    QTest::newRow("code as 0.6 rounds to 1") << "1lborder=0.6" << 1 << 1 << 1 << "Page";
}

void PageLoaderTest::badValuesStopTheLoad()
{
    QFETCH(QString, line);
    QFETCH(int, pictures);
    QFETCH(int, buttons);
    QFETCH(int, labels);
    QFETCH(QString, title);
    load(fixture(QStringList{"ButtonNum=0", "LabelNum=0", "PictureNum=0", "Title=Page", "1bcap=b",
                             "1lcap=l", line}));
    QCOMPARE(int(window->PictureCount), pictures);
    QCOMPARE(int(window->ButtonCount), buttons);
    QCOMPARE(int(window->LabelCount), labels);
    QCOMPARE(window->PageTitle, title);
    QVERIFY(dialogs->errors.isEmpty());
}

void PageLoaderTest::missingFileLoadsEmptyValues()
{
    window->canvas()->setTag("old.bmp");
    load(directory.filePath("absent.qvif"));
    QCOMPARE(window->canvas()->backColour(), 0u);
    QCOMPARE(window->canvas()->tag(), QString());
    QCOMPARE(window->PageTitle, QString());
    for (PageElement *element : std::initializer_list<PageElement *>{
             window->button(1), window->label(1), window->picture(1)}) {
        QVERIFY(element->widget()->isVisible());
        QCOMPARE(element->widget()->geometry(), QRect(0, 0, 0, 0));
    }
    QCOMPARE(window->button(1)->caption(), QString());
    QCOMPARE(window->ButtonCount, qint16(1));
    QCOMPARE(window->LabelCount, qint16(1));
    QCOMPARE(window->PictureCount, qint16(1));
    QVERIFY(pictureQueue(*window).isEmpty());
}

void PageLoaderTest::absentFontSizeIsKeptAsZero()
{
    load(fixture(QStringList{"1lcap=Default size"}));
    ElementLabel *label = window->label(1);
    QCOMPARE(label->fontSize(), 0.0f);
    QCOMPARE(label->font().pointSizeF(), QApplication::font().pointSizeF());
    QVERIFY(label->isVisible());
}

void PageLoaderTest::pictureRequestsAreQueuedInOrder()
{
    window->mnuWorkspace->trigger();
    window->lstPics->addItem("earlier.bmp");
    window->lstPicsNum->addItem("7");
    window->LoadPage(fixture(QStringList{"PictureNum=2", "Background=sky.bmp",
                                         "3ppicture=three.bmp", "1ppicture=http://x/one.bmp"}));
    QCOMPARE(pictureQueue(*window), QStringList({"earlier.bmp -> 7", "sky.bmp -> WORK",
                                                 "http://x/one.bmp -> 1", "three.bmp -> 3"}));
    QCOMPARE(pictureSourceRow(*window, 3), QStringLiteral("three.bmp"));
}

void PageLoaderTest::slotOneHundredGetsItsPictureRow()
{
    QCOMPARE(window->lstPictureUrls->count(), 100);
    load(fixture(QStringList{"PictureNum=99", "100ppicture=last.bmp", "100px=3"}));
    QCOMPARE(window->PictureCount, qint16(100));
    QCOMPARE(window->lstPictureUrls->count(), 101);
    QCOMPARE(pictureSourceRow(*window, 100), QStringLiteral("last.bmp"));
    QCOMPARE(window->picture(100)->exactLeft(), 3.0f);
    QCOMPARE(pictureQueue(*window), QStringList({"last.bmp -> 100"}));
}

void PageLoaderTest::eventsRunAfterEachSlotAndTheFileIsReadOnce()
{
    QStringList first{"ButtonNum=4", "LabelNum=2"};
    QStringList second{"ButtonNum=0", "LabelNum=0", "Title=Second"};
    for (int i = 1; i <= 5; ++i) {
        first << QStringLiteral("%1bcap=first %1").arg(i) << QStringLiteral("%1bx=%1").arg(i);
        second << QStringLiteral("%1bcap=second %1").arg(i);
    }
    for (int i = 1; i <= 3; ++i)
        first << QStringLiteral("%1lcap=label %1").arg(i);
    const QString path = fixture(first);

    // Runs at the first pause of the load, after button slot 1: it rewrites the page file.
    int countSeen = -1;
    QTimer::singleShot(0, this, [&] {
        countSeen = window->ButtonCount;
        QVERIFY(writeBytes(path, second.join("\r\n").toUtf8()));
    });
    window->mnuWorkspace->trigger();
    window->LoadPage(path);

    QCOMPARE(countSeen, 1);
    QCOMPARE(window->ButtonCount, qint16(5));
    QCOMPARE(window->LabelCount, qint16(3));
    QCOMPARE(window->PageTitle, QString());
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(window->button(i)->caption(), QStringLiteral("first %1").arg(i));
        QCOMPARE(window->button(i)->exactLeft(), float(i));
    }
    QCOMPARE(window->label(3)->caption(), QStringLiteral("label 3"));
}

void PageLoaderTest::windowClosedDuringTheLoad()
{
    QStringList lines{"ButtonNum=50", "LabelNum=50"};
    for (int i = 1; i <= 51; ++i)
        lines << QStringLiteral("%1bcap=b%1").arg(i) << QStringLiteral("%1lcap=l%1").arg(i);
    const QString path = fixture(lines);
    // A command handled during a pause may end the window; the load must stop there.
    Form1 *raw = window.get();
    QTimer::singleShot(0, this, [&] { window.reset(); });
    raw->LoadPage(path);
    QVERIFY(!window);
}

void PageLoaderTest::canvasRepaintsAtMostOnceAFrameWhileAPageLoads()
{
    QStringList lines{"ButtonNum=99", "LabelNum=99"};
    for (int i = 1; i <= 100; ++i) {
        lines << QStringLiteral("%1bcap=b%1").arg(i) << QStringLiteral("%1bx=%1").arg(i)
              << QStringLiteral("%1lcap=l%1").arg(i) << QStringLiteral("%1ly=%1").arg(i);
    }
    const QString path = fixture(lines);
    struct PaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    window->mnuWorkspace->trigger();
    QCoreApplication::processEvents();
    window->canvas()->installEventFilter(&counter);

    QElapsedTimer loading;
    loading.start();
    window->LoadPage(path);
    const qint64 frames = loading.elapsed() / 16;
    // Every one of the 200 pauses would repaint without the pacing.
    QVERIFY2(counter.paints <= frames + 1,
             qPrintable(QStringLiteral("%1 paints in %2 frames").arg(counter.paints).arg(frames)));
    const int paintsWhileLoading = counter.paints;
    QVERIFY(window->canvas()->updatesEnabled());
    QTRY_VERIFY(counter.paints > paintsWhileLoading);
    QCOMPARE(window->ButtonCount, qint16(100));
    QVERIFY(window->label(100)->isVisible());
}

void PageLoaderTest::damagedFilesLoadWithoutHarm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QRandomGenerator random(20240611);
    QByteArray noise(64 * 1024, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    QTest::newRow("random bytes") << noise;
    QTest::newRow("NUL bytes") << QByteArray("ButtonNum=1\0\r\n1bcap=\0a\0\r\n\0\0", 22);
    QTest::newRow("one long line") << "1bcap=" + QByteArray(4 * 1024 * 1024, 'x');
    QByteArray extremes;
    for (const char *field : {"bx", "by", "bwidth", "bheight", "lx", "ly", "lwidth", "lheight",
                              "lfontsize", "px", "py", "pwidth", "pheight"})
        extremes += QByteArray("1") + field + "=3.4e38\r\n";
    QTest::newRow("largest sizes") << "ButtonNum=0\r\n" + extremes;
    QTest::newRow("many lines") << QByteArray("ButtonNum=99\r\n").repeated(200000);
}

void PageLoaderTest::damagedFilesLoadWithoutHarm()
{
    QFETCH(QByteArray, bytes);
    load(fixture(bytes));
    QVERIFY(window->ButtonCount >= 0 && window->ButtonCount <= 100);
    QVERIFY(window->LabelCount >= 0 && window->LabelCount <= 100);
    QVERIFY(window->PictureCount >= 0 && window->PictureCount <= 100);
    // The window still saves what it loaded.
    dialogs->saveAnswers.enqueue(directory.filePath("resaved.qvif"));
    window->mnuSave->trigger();
    QVERIFY(dialogs->errors.isEmpty());
}

void PageLoaderTest::readSettingAnswersOneKey_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("value");

    const QByteArray page = "Title=One\r\n1bx=1\r\n11bx=11\r\nTitle=Two = 2\r\ntitle=three\r\n";
    QTest::newRow("last line wins") << page << "Title=*"
                                    << "Two = 2";
    QTest::newRow("slot 1") << page << "1bx=*"
                            << "1";
    QTest::newRow("slot 11") << page << "11bx=*"
                             << "11";
    QTest::newRow("absent") << page << "Color=*"
                            << "";
    QTest::newRow("LF lines") << QByteArray("a=1\nColor=255\n") << "Color=*"
                              << "255";
    QTest::newRow("lone CR lines") << QByteArray("a=1\rColor=255\r") << "Color=*"
                                   << "255";
}

void PageLoaderTest::readSettingAnswersOneKey()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, pattern);
    QFETCH(QString, value);
    QCOMPARE(window->ReadSetting(fixture(bytes), pattern), value);
    QCOMPARE(window->ReadSetting(directory.filePath("absent.qvif"), pattern), QString());
}

QTEST_MAIN(PageLoaderTest)
#include "tst_page_loader.moc"

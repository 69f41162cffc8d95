#include "app/canvas.h"
#include "app/main_window.h"
#include "app/system_colours.h"
#include "support/page_fixtures.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>

#include <sys/resource.h>

namespace {

const QString NewQuestion = QStringLiteral(
    "This workspace has been changed, are you sure you want to start a new workspace?");

QStringList linesOf(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (!text.endsWith("\r\n"))
        return {"(last line not ended with CR LF)"};
    text.chop(2);
    return text.split("\r\n");
}

} // namespace

class PageFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void examplePageSavesBackWithOneMoreBlockPerKind();
    void emptyPageIsTwentyFourLines();
    void hiddenPicturesAreLeftOut();
    void savingTwiceGivesIdenticalFilesAndChangesNothing();
    void savedPageLoadsBackTheSame();
    void counterAtOneHundredSavesSlotsUpToOneHundred();
    void textsAreWrittenAsUtf8WithoutByteOrderMark();
    void cancelledSaveWritesNothing();
    void saveFailureIsReported_data();
    void saveFailureIsReported();
    void interruptedWriteKeepsTheOldFile();

    void newAnsweredNoChangesNothing();
    void newAnsweredYesClearsTheWorkspace();
    void newOnAPageOfPicturesOnlyAsksNothing();
    void openInBrowserMode_data();
    void openInBrowserMode();
    void cancelledOpenLeavesTheClearedPage();
    void handMadePageWithLineFeedsOpensAndShows();

private:
    QString path(const QString &name) const { return directory.filePath(name); }
    void open(const QString &file);
    QByteArray save(const QString &file);

    QTemporaryDir directory;
    std::unique_ptr<Form1> window;
    ScriptedDialogs *dialogs = nullptr;
};

void PageFilesTest::init()
{
    QVERIFY(directory.isValid());
    window = std::make_unique<Form1>();
    dialogs = scriptDialogs(*window);
    window->Timer1->stop();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void PageFilesTest::cleanup()
{
    window.reset();
    QDir(directory.path()).removeRecursively();
    QDir().mkpath(directory.path());
}

void PageFilesTest::open(const QString &file)
{
    dialogs->openAnswers.enqueue(file);
    window->mnuOpen->trigger();
}

QByteArray PageFilesTest::save(const QString &file)
{
    dialogs->saveAnswers.enqueue(file);
    window->mnuSave->trigger();
    return readBytes(file);
}

void PageFilesTest::examplePageSavesBackWithOneMoreBlockPerKind()
{
    QVERIFY(writeBytes(path("example.qvif"), ExamplePageLines.join("\r\n").toUtf8()));
    open(path("example.qvif"));

    // The load leaves every counter at 2, so slot 3 of each kind is written: a free button and
    // label with the template's values, and the empty picture 2. Picture 3 is hidden.
    const QStringList counts{"ButtonNum=2", "LabelNum=2", "PictureNum=2"};
    const QStringList button3{
        "3bx=8",  "3by=0", "3bwidth=81", "3bheight=33", "3bcap=UYdgDHbfbHCBJFVskglsl11122@",
        "3blink="};
    const QStringList label3{"3lx=32",
                             "3ly=88",
                             "3lcap=UYdgDHbfbHCBJFVskglsl11122@",
                             "3lwidth=69",
                             "3lheight=13",
                             "3lbcolor=-2147483633",
                             "3lfcolor=-2147483640",
                             "3lopaque=1",
                             "3lalign=0",
                             "3lborder=0",
                             "3llink=",
                             "3lfontsize=8.25"};
    const QStringList picture2{"2px=0",      "2py=0",   "2pwidth=0", "2pheight=0",
                               "2ppicture=", "2plink=", "2pborder=0"};
    const QStringList expected = counts + ExamplePageLines.mid(3, 15) + button3 +
                                 ExamplePageLines.mid(18, 24) + label3 + ExamplePageLines.mid(42) +
                                 picture2;

    const QByteArray bytes = save(path("saved.qvif"));
    QCOMPARE(linesOf(bytes), expected);
    QCOMPARE(window->RTB->toPlainText(), QString::fromUtf8(bytes).replace("\r\n", "\n"));
    QVERIFY(dialogs->errors.isEmpty());
}

void PageFilesTest::emptyPageIsTwentyFourLines()
{
    window->mnuWorkspace->trigger();
    const QStringList lines = linesOf(save(path("empty.qvif")));
    QCOMPARE(lines.size(), 24);
    QCOMPARE(lines.mid(0, 6), QStringList({"ButtonNum=0", "LabelNum=0", "PictureNum=0",
                                           "Background=", "Title=", "Color=0"}));
    QCOMPARE(lines.at(10), QStringLiteral("1bcap=UYdgDHbfbHCBJFVskglsl11122@"));
    QCOMPARE(lines.at(23), QStringLiteral("1lfontsize=8.25"));
}

void PageFilesTest::hiddenPicturesAreLeftOut()
{
    QVERIFY(writeBytes(path("pictures.qvif"), "PictureNum=2\n2px=20\n2pborder=1\n"));
    open(path("pictures.qvif"));
    QCOMPARE(window->PictureCount, qint16(3));
    window->picture(2)->hide();
    window->picture(4)->show();
    const QStringList lines = linesOf(save(path("saved.qvif")));
    QVERIFY(lines.contains("1px=0"));
    QVERIFY(lines.contains("3px=0"));
    QVERIFY(lines.contains("4px=112"));
    QVERIFY(lines.filter(QRegularExpression("^2p")).isEmpty());
    QCOMPARE(lines.filter(QRegularExpression("^\\d+p")).size(), 3 * 7);
}

void PageFilesTest::savingTwiceGivesIdenticalFilesAndChangesNothing()
{
    QVERIFY(writeBytes(path("example.qvif"), ExamplePageLines.join("\n").toUtf8()));
    open(path("example.qvif"));
    window->label(1)->setExactLeft(10.3f);
    window->canvas()->setBackColour(SystemColour::WindowBackground);
    const QStringList before = pageState(*window);
    const QByteArray first = save(path("first.qvif"));
    const QByteArray second = save(path("second.qvif"));
    QVERIFY(!first.isEmpty());
    QCOMPARE(second, first);
    QCOMPARE(pageState(*window), before);
    QVERIFY(first.contains("\r\nColor=-2147483643\r\n"));
    QVERIFY(first.contains("\r\n1lx=10.3\r\n"));
}

void PageFilesTest::savedPageLoadsBackTheSame()
{
    QVERIFY(writeBytes(path("example.qvif"), ExamplePageLines.join("\r\n").toUtf8()));
    open(path("example.qvif"));
    window->button(1)->setCaption("Caption = with  spaces ");
    window->PageTitle = " Title=odd";
    window->label(1)->setExactWidth(149.5f);
    window->picture(1)->setExactTop(0.1f);
    save(path("saved.qvif"));
    // Loading the saved page gives the same slots; only the counters have moved on by one.
    QStringList expected = pageState(*window);
    expected[0] = "counts 3 3 3";
    // Picture 3 was hidden, so it has no block, and the load shows it all-empty.
    const qsizetype picture3 = expected.indexOf(QRegularExpression("picture 3 .*"));
    QVERIFY(picture3 > 0);
    expected[picture3] = "picture 3 shown 0,0 0x0 link[] border 0 source []";
    window->lstPics->clear();
    window->lstPicsNum->clear();
    open(path("saved.qvif"));
    QCOMPARE(pageState(*window), expected);
}

void PageFilesTest::counterAtOneHundredSavesSlotsUpToOneHundred()
{
    QVERIFY(writeBytes(path("full.qvif"), "ButtonNum=99\nLabelNum=0\n100bcap=last\n"));
    open(path("full.qvif"));
    QCOMPARE(window->ButtonCount, qint16(100));
    const QStringList lines = linesOf(save(path("saved.qvif")));
    QVERIFY(dialogs->errors.isEmpty());
    // The file counts 99 so that a load reads exactly the slots written, 1 to 100.
    QCOMPARE(lines.first(), QStringLiteral("ButtonNum=99"));
    QVERIFY(lines.contains("100bcap=last"));
    QVERIFY(lines.filter(QRegularExpression("^101")).isEmpty());
    QCOMPARE(lines.size(), 6 + 6 * 100 + 12 * 2 + 7 * 1);

    open(path("saved.qvif"));
    QCOMPARE(window->ButtonCount, qint16(100));
    QCOMPARE(window->LabelCount, qint16(2));
    QVERIFY(window->button(100)->isVisible());
}

void PageFilesTest::textsAreWrittenAsUtf8WithoutByteOrderMark()
{
    window->mnuWorkspace->trigger();
    window->PageTitle = QStringLiteral("Grüße €");
    window->label(1)->setCaption(QStringLiteral("日本"));
    const QByteArray bytes = save(path("utf8.qvif"));
    QVERIFY(bytes.startsWith("ButtonNum=0\r\n"));
    QVERIFY(bytes.contains("\r\nTitle=Gr\xC3\xBC\xC3\x9F"
                           "e \xE2\x82\xAC\r\n"));
    open(path("utf8.qvif"));
    QCOMPARE(window->PageTitle, QStringLiteral("Grüße €"));
    QCOMPARE(window->label(1)->caption(), QStringLiteral("日本"));
}

void PageFilesTest::cancelledSaveWritesNothing()
{
    QVERIFY(writeBytes(path("example.qvif"), ExamplePageLines.join("\r\n").toUtf8()));
    open(path("example.qvif"));
    const QStringList before = pageState(*window);
    window->mnuSave->trigger();
    QCOMPARE(dialogs->saveCount, 1);
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList{"example.qvif"});
    QVERIFY(window->RTB->toPlainText().startsWith("ButtonNum=2\nLabelNum=2\n"));
    QVERIFY(dialogs->errors.isEmpty());
    QCOMPARE(pageState(*window), before);
}

void PageFilesTest::saveFailureIsReported_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("missing directory") << "missing/page.qvif";
    QTest::newRow("a directory of that name") << "folder.qvif";
    QTest::newRow("below a plain file") << "plain.txt/page.qvif";
}

void PageFilesTest::saveFailureIsReported()
{
    QFETCH(QString, target);
    QVERIFY(QDir(directory.path()).mkdir("folder.qvif"));
    QVERIFY(writeBytes(path("plain.txt"), "keep"));
    window->mnuWorkspace->trigger();
    window->PageTitle = "Unsaved";

    save(path(target));
    QCOMPARE(dialogs->errors.size(), 1);
    const QString message = dialogs->errors.first();
    QVERIFY2(message.contains(QDir::toNativeSeparators(path(target))), qPrintable(message));
    // The reason follows the name.
    QVERIFY2(message.section("\n\n", 1).size() > 3, qPrintable(message));
    QCOMPARE(window->PageTitle, QStringLiteral("Unsaved"));
    QVERIFY(window->RTB->toPlainText().contains("Title=Unsaved"));
    QVERIFY(QFileInfo(path("folder.qvif")).isDir());
    QCOMPARE(readBytes(path("plain.txt")), QByteArray("keep"));
}

void PageFilesTest::interruptedWriteKeepsTheOldFile()
{
    const QString target = path("page.qvif");
    QVERIFY(writeBytes(target, "ButtonNum=7\r\n"));
    QVERIFY(writeBytes(path("example.qvif"), ExamplePageLines.join("\r\n").toUtf8()));
    open(path("example.qvif"));

    // A file size limit makes the write fail part of the way through, as a full disk would.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    save(target);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(dialogs->errors.size(), 1);
    QVERIFY(dialogs->errors.first().contains(QDir::toNativeSeparators(target)));
    QVERIFY(dialogs->errors.first().contains("could be written"));
    QCOMPARE(readBytes(target), QByteArray("ButtonNum=7\r\n"));
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files),
             QStringList({"example.qvif", "page.qvif"}));
    QCOMPARE(window->ButtonCount, qint16(2));
}

void PageFilesTest::newAnsweredNoChangesNothing()
{
    QVERIFY(writeBytes(path("example.qvif"), ExamplePageLines.join("\r\n").toUtf8()));
    open(path("example.qvif"));
    window->mnuInternet->trigger();
    QVERIFY(window->BrowserMode);
    const QStringList before = pageState(*window);

    dialogs->yesNoAnswers.enqueue(false);
    window->mnuNew->trigger();
    QCOMPARE(dialogs->questions, QStringList{NewQuestion});
    QCOMPARE(pageState(*window), before);
    QVERIFY(window->BrowserMode);
    QVERIFY(window->pctInternet->isVisible());
    QVERIFY(!window->Picture1->isVisible());
}

void PageFilesTest::newAnsweredYesClearsTheWorkspace()
{
    QVERIFY(writeBytes(path("full.qvif"), "ButtonNum=99\nLabelNum=0\n"));
    open(path("full.qvif"));
    window->mnuInternet->trigger();
    QVERIFY(window->button(100)->isVisible());

    dialogs->yesNoAnswers.enqueue(true);
    window->mnuNew->trigger();
    QCOMPARE(dialogs->questions, QStringList{NewQuestion});
    QCOMPARE(window->ButtonCount, qint16(0));
    QCOMPARE(window->LabelCount, qint16(0));
    QCOMPARE(window->PictureCount, qint16(0));
    QCOMPARE(window->PageTitle, QString());
    QCOMPARE(window->canvas()->backColour(), 0u);
    for (int i = 0; i <= 100; ++i) {
        QVERIFY(window->button(i)->isHidden());
        QVERIFY(window->label(i)->isHidden());
    }
    QCOMPARE(window->button(1)->dragMode(), DragMode::Automatic);
    // Only the flag changes mode: check marks and the browser strip stay as they were.
    QVERIFY(!window->BrowserMode);
    QVERIFY(window->Picture1->isVisible());
    QVERIFY(window->Picture2->isVisible());
    QVERIFY(window->mnuInternet->isChecked());
    QVERIFY(!window->mnuWorkspace->isChecked());
    QVERIFY(window->pctInternet->isVisible());
}

void PageFilesTest::newOnAPageOfPicturesOnlyAsksNothing()
{
    QVERIFY(writeBytes(path("pictures.qvif"), "ButtonNum=-1\nLabelNum=-1\nPictureNum=1\n"));
    open(path("pictures.qvif"));
    QCOMPARE(window->PictureCount, qint16(2));
    QVERIFY(window->picture(1)->isVisible());

    window->mnuNew->trigger();
    QVERIFY(dialogs->questions.isEmpty());
    QVERIFY(window->picture(1)->isHidden());
    QVERIFY(window->picture(2)->isHidden());
    QCOMPARE(window->PictureCount, qint16(0));

    // Right after opening a page with any count of 0 or more, New asks.
    open(path("absent.qvif"));
    dialogs->yesNoAnswers.enqueue(false);
    window->mnuNew->trigger();
    QCOMPARE(dialogs->questions, QStringList{NewQuestion});
}

void PageFilesTest::openInBrowserMode_data()
{
    QTest::addColumn<bool>("chosen");
    QTest::newRow("file chosen") << true;
    QTest::newRow("dialog cancelled") << false;
}

void PageFilesTest::openInBrowserMode()
{
    QFETCH(bool, chosen);
    QVERIFY(window->BrowserMode);
    QVERIFY(writeBytes(path("example.qvif"), ExamplePageLines.join("\r\n").toUtf8()));
    if (chosen)
        dialogs->openAnswers.enqueue(path("example.qvif"));
    window->mnuOpen->trigger();

    QCOMPARE(dialogs->openCount, 1);
    QVERIFY(!window->BrowserMode);
    QVERIFY(window->mnuWorkspace->isChecked());
    QVERIFY(!window->mnuInternet->isChecked());
    QVERIFY(!window->pctInternet->isVisible());
    QVERIFY(window->Picture1->isVisible());
    QVERIFY(window->Picture2->isVisible());
    QCOMPARE(window->button(1)->dragMode(), DragMode::Automatic);
    QCOMPARE(window->button(1)->isVisible(), chosen);
    QCOMPARE(window->ButtonCount, qint16(chosen ? 2 : 0));
}

void PageFilesTest::cancelledOpenLeavesTheClearedPage()
{
    QVERIFY(writeBytes(path("example.qvif"), ExamplePageLines.join("\r\n").toUtf8()));
    open(path("example.qvif"));
    window->lstPics->clear();
    window->lstPicsNum->clear();

    window->mnuOpen->trigger();
    QCOMPARE(dialogs->openCount, 2);
    QVERIFY(dialogs->questions.isEmpty());
    QVERIFY(!window->BrowserMode);
    QVERIFY(window->button(1)->isHidden());
    QVERIFY(window->label(1)->isHidden());
    QVERIFY(window->picture(1)->isHidden());
    QCOMPARE(window->ButtonCount, qint16(0));
    QCOMPARE(window->PageTitle, QString());
    QCOMPARE(window->canvas()->backColour(), 0u);
    QVERIFY(pictureQueue(*window).isEmpty());
}

void PageFilesTest::handMadePageWithLineFeedsOpensAndShows()
{
    QVERIFY(writeBytes(path("hand.qvif"), "ButtonNum=1\n"
                                          "LabelNum=0\n"
                                          "PictureNum=-1\n"
                                          "Title=Made by hand\n"
                                          "Color=65280\n"
                                          "1bcap=Go on\n"
                                          "1bx=10\n"
                                          "1by=12\n"
                                          "1bwidth=90\n"
                                          "1bheight=30\n"
                                          "2bcap=UYdgDHbfbHCBJFVskglsl11122@\n"
                                          "1lcap=Hello\n"
                                          "1lx=10\n"
                                          "1ly=60\n"
                                          "1lwidth=120\n"
                                          "1lheight=20\n"
                                          "1lfontsize=10\n"));
    open(path("hand.qvif"));
    QCOMPARE(window->PageTitle, QStringLiteral("Made by hand"));
    QCOMPARE(window->canvas()->backColour(), 65280u);
    QVERIFY(window->button(1)->isVisible());
    QCOMPARE(window->button(1)->geometry(), QRect(10, 12, 90, 30));
    QCOMPARE(window->button(1)->text(), QStringLiteral("Go on"));
    QVERIFY(window->button(2)->isHidden());
    QVERIFY(window->label(1)->isVisible());
    QCOMPARE(window->label(1)->geometry(), QRect(10, 60, 120, 20));
    QVERIFY(window->picture(1)->isHidden());
}

QTEST_MAIN(PageFilesTest)
#include "tst_page_files.moc"

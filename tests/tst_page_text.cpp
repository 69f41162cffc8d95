#include "page/page_text.h"
#include "support/example_page.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

PageDescription examplePage()
{
    PageDescription page;
    page.buttonCount = 1;
    page.labelCount = 1;
    page.pictureCount = 1;
    page.background = "images/sky.bmp";
    page.title = "Welcome";
    page.colour = 16777215;
    page.buttons << ButtonBlock{1, 40, 160, 81, 33, "Next page", "page2.qvif"}
                 << ButtonBlock{2, 8, 0, 81, 33, "UYdgDHbfbHCBJFVskglsl11122@", ""};
    page.labels << LabelBlock{.slot = 1,
                              .left = 40,
                              .top = 24,
                              .caption = "Hello and welcome",
                              .width = 193,
                              .height = 25,
                              .backColour = 16777215,
                              .foreColour = 255,
                              .backStyle = 0,
                              .alignment = 2,
                              .borderStyle = 0,
                              .link = "",
                              .fontSize = 12}
                << LabelBlock{.slot = 2,
                              .left = 32,
                              .top = 88,
                              .caption = "UYdgDHbfbHCBJFVskglsl11122@",
                              .width = 69,
                              .height = 13,
                              .backColour = 0x8000000F,
                              .foreColour = 0x80000008,
                              .backStyle = 1,
                              .alignment = 0,
                              .borderStyle = 0,
                              .link = "",
                              .fontSize = 8.25f};
    page.pictures << PictureBlock{1, 240, 80, 128, 96, "images/logo.bmp", "page3.qvif", 1};
    return page;
}

} // namespace

class PageTextTest : public QObject
{
    Q_OBJECT

private slots:
    void lineEnds_data();
    void lineEnds();
    void encodings_data();
    void encodings();
    void pageLines_data();
    void pageLines();
    void keyLookup_data();
    void keyLookup();
    void patternsWithoutTheirEquals();
    void examplePageIsWrittenLineForLine();
    void writtenTextReadsBack();
    void lineBreaksInValuesCannotSplitALine();
    void filesOnDisk();
};

void PageTextTest::lineEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << "a=1\r\nb=2\r\n" << QStringList{"a=1", "b=2"};
    QTest::newRow("lone CR") << "a=1\rb=2\r" << QStringList{"a=1", "b=2"};
    QTest::newRow("lone LF") << "a=1\nb=2\n" << QStringList{"a=1", "b=2"};
    QTest::newRow("mixed") << "a=1\r\nb=2\nc=3\rd=4" << QStringList{"a=1", "b=2", "c=3", "d=4"};
    QTest::newRow("last line unended") << "a=1\r\nb=2" << QStringList{"a=1", "b=2"};
    QTest::newRow("LF CR is two ends") << "a=1\n\rb=2" << QStringList{"a=1", "", "b=2"};
    QTest::newRow("blank lines kept") << "\r\n\r\na=1" << QStringList{"", "", "a=1"};
    QTest::newRow("empty") << "" << QStringList{};
}

void PageTextTest::lineEnds()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(PageText::splitLines(text), lines);
}

void PageTextTest::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ASCII") << QByteArray("Title=Home") << "Title=Home";
    QTest::newRow("UTF-8") << QByteArray("Title=Caf\xC3\xA9 \xE2\x82\xAC") << "Title=Café €";
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xEF\xBB\xBFTitle=\xC3\xA9") << "Title=é";
    QTest::newRow("Windows-1252") << QByteArray("Title=Caf\xE9 \x80 \x96") << "Title=Café € –";
    // An editor may put the mark before 8-bit text too; the first key must not lose it.
    QTest::newRow("Windows-1252 with byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                                     "ButtonNum=2\r\nTitle=Caf\xE9")
                                                       << "ButtonNum=2\r\nTitle=Café";
    QTest::newRow("Windows-1252 unused byte") << QByteArray("Title=\x81") << "Title=\u0081";
    QTest::newRow("truncated UTF-8 is 8-bit text") << QByteArray("Title=\xC3") << "Title=Ã";
}

void PageTextTest::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(PageText::decode(bytes), text);
    const QString firstKey = text.section(QLatin1Char('='), 0, 0);
    QVERIFY(PageText::fromBytes(bytes).find(firstKey).has_value());
}

void PageTextTest::pageLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hasPageLines");
    QTest::newRow("page key") << "ButtonNum=1" << true;
    QTest::newRow("element key") << "<p>\n12bcap=Next" << true;
    QTest::newRow("every field name") << "100lfontsize=8" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("web page") << "<!DOCTYPE html>\n<title>Not found</title>" << false;
    QTest::newRow("key in other letter case") << "title=Home" << false;
    QTest::newRow("slot with a leading zero") << "01bcap=x" << false;
    QTest::newRow("field without slot") << "bcap=x" << false;
    QTest::newRow("unknown field") << "1bcolor=3" << false;
}

void PageTextTest::pageLines()
{
    QFETCH(QString, text);
    QFETCH(bool, hasPageLines);
    QCOMPARE(PageText::fromText(text).hasPageLines(), hasPageLines);
}

void PageTextTest::keyLookup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << "Title=Home\r\n"
                           << "Title" << true << "Home";
    QTest::newRow("last line wins") << "Title=One\r\nTitle=Two\r\n"
                                    << "Title" << true << "Two";
    QTest::newRow("other letter case ignored") << "title=Lower\r\nTitle=Upper\r\nTITLE=Shout\r\n"
                                               << "Title" << true << "Upper";
    QTest::newRow("only other letter case") << "title=Lower\r\n"
                                            << "Title" << false << "";
    QTest::newRow("spaces and equals kept") << "1bcap=  a = b == c  \r\n"
                                            << "1bcap" << true << "  a = b == c  ";
    QTest::newRow("present but empty") << "Title=\r\n"
                                       << "Title" << true << "";
    QTest::newRow("absent") << "Color=0\r\n"
                            << "Title" << false << "";
    QTest::newRow("slot 11 is not slot 1") << "11bx=5\r\n"
                                           << "1bx" << false << "";
    QTest::newRow("slot 1 is not slot 11") << "1bx=5\r\n"
                                           << "11bx" << false << "";
    QTest::newRow("indented key ignored") << " Title=Home\r\n"
                                          << "Title" << false << "";
    QTest::newRow("space before equals ignored") << "Title =Home\r\n"
                                                 << "Title" << false << "";
    QTest::newRow("LF lines") << "ButtonNum=2\nTitle=Home\n"
                              << "Title" << true << "Home";
    QTest::newRow("line without equals ignored") << "Title\r\n"
                                                 << "Title" << false << "";
}

void PageTextTest::keyLookup()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(bool, present);
    QFETCH(QString, value);
    const PageText page = PageText::fromText(text);
    QCOMPARE(page.find(key).has_value(), present);
    QCOMPARE(page.value(key), value);
    QCOMPARE(page.match(key + "=*"), value);
}

void PageTextTest::patternsWithoutTheirEquals()
{
    // Any other pattern is a plain prefix of the line, the last matching line winning.
    const PageText page = PageText::fromText("1bx=5\r\n11bx=7\r\n2by=9\r\n");
    QCOMPARE(page.match(u"1*"), QStringLiteral("1bx=7"));
    QCOMPARE(page.match(u"2by*"), QStringLiteral("=9"));
    QCOMPARE(page.match(u"3*"), QString());
}

void PageTextTest::examplePageIsWrittenLineForLine()
{
    const QString text = composePageText(examplePage());
    QCOMPARE(text, ExamplePageLines.join("\r\n") + "\r\n");
    // 6 page lines, 6 per button slot, 12 per label slot, 7 per visible picture.
    QCOMPARE(text.count("\r\n"), 6 + 6 * 2 + 12 * 2 + 7 * 1);
    QCOMPARE(encodePageText(text), text.toLatin1());
}

void PageTextTest::writtenTextReadsBack()
{
    PageDescription page = examplePage();
    page.title = "Grüße = \"quoted\"  ";
    page.buttons[0].caption = "  leading spaces";
    page.buttons[0].left = 12.75f;
    const QByteArray bytes = encodePageText(composePageText(page));
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    const PageText back = PageText::fromBytes(bytes);
    QCOMPARE(back.value(u"Title"), page.title);
    QCOMPARE(back.value(u"1bcap"), page.buttons[0].caption);
    QCOMPARE(back.value(u"1bx"), QStringLiteral("12.75"));
    QCOMPARE(back.value(u"2lbcolor"), QStringLiteral("-2147483633"));
    QCOMPARE(back.lineCount(), 6 + 12 + 24 + 7);
}

void PageTextTest::lineBreaksInValuesCannotSplitALine()
{
    PageDescription page;
    page.title = "one\r\nButtonNum=50\rtwo\nthree";
    const PageText back = PageText::fromText(composePageText(page));
    QCOMPARE(back.value(u"Title"), QStringLiteral("one  ButtonNum=50 two three"));
    QCOMPARE(back.value(u"ButtonNum"), QStringLiteral("0"));
    QCOMPARE(back.lineCount(), 6);
}

void PageTextTest::filesOnDisk()
{
    QTemporaryDir directory;
    QVERIFY(directory.isValid());

    const PageFileReading missing = readPageFile(directory.filePath("none.qvif"));
    QCOMPARE(missing.status, PageFileReading::Status::Missing);
    QCOMPARE(missing.text.lineCount(), 0);

    // A directory is not a page file: it reads as missing, like the existence test says.
    QCOMPARE(readPageFile(directory.path()).status, PageFileReading::Status::Missing);
    QCOMPARE(readPageFile(QString()).status, PageFileReading::Status::Missing);

    QFile file(directory.filePath("page.qvif"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("ButtonNum=3\nTitle=Hand made\n");
    file.close();
    const PageFileReading read = readPageFile(file.fileName());
    QCOMPARE(read.status, PageFileReading::Status::Read);
    QCOMPARE(read.text.value(u"Title"), QStringLiteral("Hand made"));

    QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
    if (QFile(file.fileName()).open(QIODevice::ReadOnly))
        QSKIP("This account reads files without read permission");
    const PageFileReading denied = readPageFile(file.fileName());
    QCOMPARE(denied.status, PageFileReading::Status::Unreadable);
    QVERIFY(!denied.error.isEmpty());
}

QTEST_GUILESS_MAIN(PageTextTest)
#include "tst_page_text.moc"

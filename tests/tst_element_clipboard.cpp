#include "editor/element_clipboard.h"

#include <QMimeData>
#include <QtTest>

Q_DECLARE_METATYPE(ElementBlock)

// The clipboard's form of an element: page-file lines the writer composes, read back as the
// loader reads a slot.
class ElementClipboardTest : public QObject
{
    Q_OBJECT

private slots:
    void textIsAPageOfThatElementAlone_data();
    void textIsAPageOfThatElementAlone();
    void textReadsBackAsTheSameElement_data();
    void textReadsBackAsTheSameElement();
    void missingLinesReadAsEmpty();
    void valuesNoElementTakesGiveNothing_data();
    void valuesNoElementTakesGiveNothing();
    void dataCarriesBothForms();
    void onlyThePrivateFormIsPasted();
};

namespace {

ButtonBlock someButton()
{
    return ButtonBlock{7, 10.5f, -3, 81, 33, QStringLiteral("Go on"), QStringLiteral("next.qvif")};
}

LabelBlock someLabel()
{
    return LabelBlock{3, 20, 40, QStringLiteral("Welcome, all"), 120,  13, 0x80000005u, 255,
                      1, 2,  1,  QStringLiteral("about.qvif"),   9.75f};
}

PictureBlock somePicture()
{
    return PictureBlock{
        100, 112, 16, 49, 49, QStringLiteral("pics/logo.png"), QStringLiteral("home.qvif"), 0};
}

} // namespace

void ElementClipboardTest::textIsAPageOfThatElementAlone_data()
{
    QTest::addColumn<ElementBlock>("element");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("button") << ElementBlock(someButton())
                            << QStringList{"ButtonNum=0", "LabelNum=-1", "PictureNum=-1",
                                           "Background=", "Title=",      "Color=0",
                                           "1bx=10.5",    "1by=-3",      "1bwidth=81",
                                           "1bheight=33", "1bcap=Go on", "1blink=next.qvif"};
    QTest::newRow("label") << ElementBlock(someLabel())
                           << QStringList{"ButtonNum=-1",
                                          "LabelNum=0",
                                          "PictureNum=-1",
                                          "Background=",
                                          "Title=",
                                          "Color=0",
                                          "1lx=20",
                                          "1ly=40",
                                          "1lcap=Welcome, all",
                                          "1lwidth=120",
                                          "1lheight=13",
                                          "1lbcolor=-2147483643",
                                          "1lfcolor=255",
                                          "1lopaque=1",
                                          "1lalign=2",
                                          "1lborder=1",
                                          "1llink=about.qvif",
                                          "1lfontsize=9.75"};
    QTest::newRow("picture") << ElementBlock(somePicture())
                             << QStringList{"ButtonNum=-1",
                                            "LabelNum=-1",
                                            "PictureNum=0",
                                            "Background=",
                                            "Title=",
                                            "Color=0",
                                            "1px=112",
                                            "1py=16",
                                            "1pwidth=49",
                                            "1pheight=49",
                                            "1ppicture=pics/logo.png",
                                            "1plink=home.qvif",
                                            "1pborder=0"};
}

void ElementClipboardTest::textIsAPageOfThatElementAlone()
{
    QFETCH(ElementBlock, element);
    QFETCH(QStringList, lines);
    const QString text = clipboardText(element);
    QVERIFY(text.endsWith(QLatin1String("\r\n")));
    QCOMPARE(text.chopped(2).split(QStringLiteral("\r\n")), lines);
}

void ElementClipboardTest::textReadsBackAsTheSameElement_data()
{
    QTest::addColumn<ElementBlock>("element");
    QTest::newRow("button") << ElementBlock(someButton());
    QTest::newRow("label") << ElementBlock(someLabel());
    QTest::newRow("picture") << ElementBlock(somePicture());
}

void ElementClipboardTest::textReadsBackAsTheSameElement()
{
    QFETCH(ElementBlock, element);
    const std::optional<ElementBlock> read = elementFromText(clipboardText(element));
    QVERIFY(read);
    // Slot 1 is the slot of the text; the rest is the element as it was.
    ElementBlock expected = element;
    std::visit([](auto &block) { block.slot = 1; }, expected);
    QVERIFY(*read == expected);
}

void ElementClipboardTest::missingLinesReadAsEmpty()
{
    // Typed by hand, with lone line feeds and a line of another slot.
    const std::optional<ElementBlock> read =
        elementFromText(QStringLiteral("1lcap=Hello\n2lx=50\n1lx=5\n"));
    QVERIFY(read);
    const auto *label = std::get_if<LabelBlock>(&*read);
    QVERIFY(label);
    QCOMPARE(label->caption, QStringLiteral("Hello"));
    QCOMPARE(label->left, 5.0f);
    QCOMPARE(label->width, 0.0f);
    QCOMPARE(label->fontSize, 0.0f);
    QVERIFY(label->link.isEmpty());
}

void ElementClipboardTest::valuesNoElementTakesGiveNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("no element") << "Title=Home\r\nColor=0\r\n";
    QTest::newRow("only slot 2") << "2bcap=Two\r\n";
    QTest::newRow("not a page") << "Dear reader,\nthis is a letter.";
    QTest::newRow("empty") << "";
    QTest::newRow("position not a number") << "1bx=left\r\n1bcap=A\r\n";
    QTest::newRow("negative width") << "1pwidth=-4\r\n";
    QTest::newRow("alignment out of range") << "1lalign=3\r\n";
    QTest::newRow("colour not a number") << "1lfcolor=red\r\n";
}

void ElementClipboardTest::valuesNoElementTakesGiveNothing()
{
    QFETCH(QString, text);
    QVERIFY(!elementFromText(text));
}

void ElementClipboardTest::dataCarriesBothForms()
{
    const std::unique_ptr<QMimeData> data(clipboardData(someButton()));
    QVERIFY(data->hasFormat(ElementClipboardMimeType));
    QVERIFY(data->hasText());
    QCOMPARE(data->text(), clipboardText(someButton()));
    QCOMPARE(QString::fromUtf8(data->data(ElementClipboardMimeType)), data->text());
}

void ElementClipboardTest::onlyThePrivateFormIsPasted()
{
    QMimeData plain;
    plain.setText(clipboardText(someButton()));
    QVERIFY(!elementFromClipboard(&plain));
    QVERIFY(!elementFromClipboard(nullptr));

    const std::unique_ptr<QMimeData> data(clipboardData(someLabel()));
    const std::optional<ElementBlock> pasted = elementFromClipboard(data.get());
    QVERIFY(pasted);
    QCOMPARE(std::get<LabelBlock>(*pasted).caption, QStringLiteral("Welcome, all"));
}

QTEST_GUILESS_MAIN(ElementClipboardTest)
#include "tst_element_clipboard.moc"

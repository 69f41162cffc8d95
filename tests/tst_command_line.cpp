#include "app/command_line.h"

#include <QtTest>

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void startRequest_data();
    void startRequest();
};

void CommandLineTest::startRequest_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("value");
    using Kind = StartRequest::Kind;
    QTest::newRow("nothing") << QStringList() << int(Kind::None) << QString();
    QTest::newRow("relative file")
        << QStringList{"site/home.qvif"} << int(Kind::PageFile) << "/work/dir/site/home.qvif";
    QTest::newRow("absolute file")
        << QStringList{"/tmp/a.qvif"} << int(Kind::PageFile) << "/tmp/a.qvif";
    QTest::newRow("dotted file") << QStringList{"../x/./b.qvif"} << int(Kind::PageFile)
                                 << "/work/x/b.qvif";
    QTest::newRow("http") << QStringList{"http://127.0.0.1:8080/"} << int(Kind::Address)
                          << "http://127.0.0.1:8080/";
    QTest::newRow("https upper case") << QStringList{"HTTPS://example.invalid/a.qvif"}
                                      << int(Kind::Address) << "HTTPS://example.invalid/a.qvif";
    QTest::newRow("file url") << QStringList{"file:///tmp/a.qvif"} << int(Kind::Address)
                              << "file:///tmp/a.qvif";
    QTest::newRow("other scheme is a file name")
        << QStringList{"c:page.qvif"} << int(Kind::PageFile) << "/work/dir/c:page.qvif";
    QTest::newRow("two arguments") << QStringList{"a.qvif", "b.qvif"} << int(Kind::Error)
                                   << "Give at most one page file or address.";
    QTest::newRow("empty") << QStringList{""} << int(Kind::Error) << "The page file name is empty.";
}

void CommandLineTest::startRequest()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, kind);
    QFETCH(QString, value);
    const StartRequest request = startRequestFor(arguments, QStringLiteral("/work/dir"));
    QCOMPARE(int(request.kind), kind);
    QCOMPARE(request.value, value);
}

QTEST_APPLESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"

#include "app/command_line.h"

#include <QtTest>

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void startRequest_data();
    void startRequest();
    void exitOrStart_data();
    void exitOrStart();
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

void CommandLineTest::exitOrStart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitStatus");
    QTest::addColumn<int>("kind");
    using Kind = StartRequest::Kind;
    constexpr int Starts = -1;
    QTest::newRow("no argument") << QStringList() << Starts << int(Kind::None);
    QTest::newRow("page file that exists")
        << QStringList{"page.qvif"} << Starts << int(Kind::PageFile);
    QTest::newRow("address") << QStringList{"http://127.0.0.1:8080/"} << Starts
                             << int(Kind::Address);
    QTest::newRow("help") << QStringList{"--help"} << 0 << int(Kind::None);
    QTest::newRow("version") << QStringList{"--version"} << 0 << int(Kind::None);
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << int(Kind::None);
    QTest::newRow("missing page file") << QStringList{"absent.qvif"} << 2 << int(Kind::None);
    QTest::newRow("a directory is no page file") << QStringList{"."} << 2 << int(Kind::None);
    QTest::newRow("two arguments") << QStringList{"a", "b"} << 2 << int(Kind::None);
}

void CommandLineTest::exitOrStart()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitStatus);
    QFETCH(int, kind);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    QFile page(directory.filePath("page.qvif"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();

    const CommandLine commandLine =
        readCommandLine(QStringList{"quorvane"} + arguments, directory.path());
    QCOMPARE(commandLine.exitStatus.value_or(-1), exitStatus);
    QCOMPARE(int(commandLine.request.kind), kind);
}

QTEST_APPLESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"

#include "browser/inet.h"
#include "browser/module1.h"
#include "support/http_server.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

using namespace std::chrono_literals;
using Answer = HttpServer::Answer;
Q_DECLARE_METATYPE(HttpServer::Answer)

namespace {

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class DownloadsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fetchesEveryByte();
    void idleTimeoutIsFifteenSecondsUnlessChanged();
    void slowButSteadyBodyArrives();
    void failures_data();
    void failures();
    void refusedConnectionFails();
    void redirectIsFollowed();
    void localFiles_data();
    void localFiles();
    void unsupportedSchemesReachNoServer_data();
    void unsupportedSchemesReachNoServer();
    void busyWhileTransferring();
    void stopFreesTheComponentAtOnce();

    void downloadPageCompletesAndWrites_data();
    void downloadPageCompletesAndWrites();
    void failedPageDownloadKeepsTheOldFile();
    void shortPageReplacesLongPage();
    void emptyAddressWritesNothing();
    void busyComponentSkipsThePage();
    void downloadPictureFetchesInTheBackground_data();
    void downloadPictureFetchesInTheBackground();
    void failedPictureDownloadSaysWhy();
    void pageDownloadNeverWaitsForAPicture();
    void destroyedFetchAbandonsItsTransfer();
    void fileExists_data();
    void fileExists();

private:
    std::unique_ptr<HttpServer> server;
    std::unique_ptr<Inet> inet;
    std::unique_ptr<QTemporaryDir> site;
    std::unique_ptr<QTemporaryDir> directory;
};

void DownloadsTest::init()
{
    site = std::make_unique<QTemporaryDir>();
    directory = std::make_unique<QTemporaryDir>();
    server = std::make_unique<HttpServer>();
    server->setRoot(site->path());
    QVERIFY(server->listen());
    inet = std::make_unique<Inet>();
    inet->setIdleTimeout(400ms);
}

void DownloadsTest::cleanup()
{
    inet.reset();
    server.reset();
}

void DownloadsTest::fetchesEveryByte()
{
    const QByteArray bytes = randomBytes(300 * 1024);
    QVERIFY(writeFile(site->filePath("big.bin"), bytes));
    const TransferResult result = inet->OpenURL(server->url("/big.bin"), Inet::PageSizeLimit);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QCOMPARE(result.bytes, bytes);
    QCOMPARE(result.finalAddress, server->url("/big.bin"));
    QVERIFY(!inet->StillExecuting());
}

void DownloadsTest::idleTimeoutIsFifteenSecondsUnlessChanged()
{
    QCOMPARE(Inet().idleTimeout(), 15000ms);
}

void DownloadsTest::slowButSteadyBodyArrives()
{
    // Longer in total than the idle timeout, but never idle that long.
    inet->setIdleTimeout(600ms);
    const QByteArray bytes = randomBytes(12 * 40);
    server->setAnswer("/steady", Answer::slow(bytes, 100ms, 40));
    const TransferResult result = inet->OpenURL(server->url("/steady"), Inet::PageSizeLimit);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QCOMPARE(result.bytes, bytes);
}

void DownloadsTest::failures_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<qint64>("sizeLimit");
    QTest::addColumn<QString>("reason");
    const qint64 page = Inet::PageSizeLimit;
    QTest::newRow("not found") << Answer::error(404, "Not Found") << page << "not found (404)";
    QTest::newRow("server error") << Answer::error(500, "Internal Server Error") << page
                                  << "server error (500)";
    QTest::newRow("other status, server's words")
        << Answer::error(418, "I'm A Teapot") << page << "i'm a teapot (418)";
    QTest::newRow("status words made safe")
        << Answer::error(499, "Odd\x01\x02 Words") << page << "odd words (499)";
    QTest::newRow("not modified is no page")
        << Answer::error(304, "Not Modified") << page << "not modified (304)";
    QTest::newRow("reset") << Answer::reset() << page << "the server closed the connection";
    QTest::newRow("headers, then nothing")
        << Answer::stalled("ButtonNum=1\r\n") << page << "timed out";
    QTest::newRow("no answer at all") << Answer::silent() << page << "timed out";
    QTest::newRow("page body that never ends")
        << Answer::endless() << page << "too large (more than 8 MiB)";
    QTest::newRow("picture body that never ends")
        << Answer::endless() << Inet::PictureSizeLimit << "too large (more than 32 MiB)";
    Answer announcedTooLarge = Answer::stalled("x");
    announcedTooLarge.declaredLength = page + 1;
    QTest::newRow("announced too large")
        << announcedTooLarge << page << "too large (more than 8 MiB)";
    QTest::newRow("redirect loop") << Answer::redirect("/answer") << page << "too many redirects";
    QTest::newRow("redirect to a local file") << Answer::redirect("file:///etc/hostname") << page
                                              << "redirect to a non-web address refused";
}

void DownloadsTest::failures()
{
    QFETCH(Answer, answer);
    QFETCH(qint64, sizeLimit);
    QFETCH(QString, reason);
    server->setAnswer("/answer", answer);
    const TransferResult result = inet->OpenURL(server->url("/answer"), sizeLimit);
    QCOMPARE(int(result.status), int(TransferResult::Status::Failed));
    QCOMPARE(result.reason, reason);
    QVERIFY(result.bytes.isEmpty());
    QVERIFY(!inet->StillExecuting());
}

void DownloadsTest::refusedConnectionFails()
{
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    const TransferResult result =
        inet->OpenURL(QStringLiteral("http://127.0.0.1:%1/index.qvif").arg(port), 1024);
    QCOMPARE(int(result.status), int(TransferResult::Status::Failed));
    QCOMPARE(result.reason, QStringLiteral("connection refused"));
}

void DownloadsTest::redirectIsFollowed()
{
    QVERIFY(QDir(site->path()).mkpath("new"));
    QVERIFY(writeFile(site->filePath("new/page.qvif"), "Title=Moved\r\n"));
    server->setAnswer("/old.qvif", Answer::redirect("/new/page.qvif", 301));
    const TransferResult result = inet->OpenURL(server->url("/old.qvif"), Inet::PageSizeLimit);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QCOMPARE(result.bytes, QByteArray("Title=Moved\r\n"));
    QCOMPARE(result.finalAddress, server->url("/new/page.qvif"));
}

void DownloadsTest::localFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("asUrl");
    QTest::addColumn<QString>("reason");
    QTest::newRow("path") << "page.qvif" << false << "";
    QTest::newRow("file url") << "page.qvif" << true << "";
    QTest::newRow("missing") << "missing.qvif" << false << "no such file";
    QTest::newRow("folder") << "folder" << false << "not a file";
    QTest::newRow("too large") << "huge.qvif" << false << "too large (more than 8 MiB)";
    QTest::newRow("device") << "/dev/zero" << false << "not a file";
}

void DownloadsTest::localFiles()
{
    QFETCH(QString, name);
    QFETCH(bool, asUrl);
    QFETCH(QString, reason);
    QVERIFY(writeFile(directory->filePath("page.qvif"), "ButtonNum=0\r\n"));
    QVERIFY(QDir(directory->path()).mkpath("folder"));
    QFile huge(directory->filePath("huge.qvif"));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(Inet::PageSizeLimit + 1));
    huge.close();

    const QString path = name.startsWith('/') ? name : directory->filePath(name);
    const QString address = asUrl ? QUrl::fromLocalFile(path).toString() : path;
    const TransferResult result = inet->OpenURL(address, Inet::PageSizeLimit);
    if (reason.isEmpty()) {
        QVERIFY2(result.ok(), qPrintable(result.reason));
        QCOMPARE(result.bytes, QByteArray("ButtonNum=0\r\n"));
        QCOMPARE(result.finalAddress, path);
    } else {
        QCOMPARE(int(result.status), int(TransferResult::Status::Failed));
        QCOMPARE(result.reason, reason);
    }
}

void DownloadsTest::unsupportedSchemesReachNoServer_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("resource") << "qrc:/index.qvif";
    QTest::newRow("data") << "data:text/plain,ButtonNum=0";
    QTest::newRow("ftp") << "ftp://127.0.0.1:%1/index.qvif";
    QTest::newRow("file of another host") << "file://127.0.0.1:%1/index.qvif";
}

void DownloadsTest::unsupportedSchemesReachNoServer()
{
    QFETCH(QString, address);
    const TransferResult result =
        inet->OpenURL(address.contains("%1") ? address.arg(server->port()) : address, 1024);
    QCOMPARE(int(result.status), int(TransferResult::Status::Failed));
    QCOMPARE(result.reason, QStringLiteral("unsupported address"));
    QVERIFY(server->requests().isEmpty());
}

void DownloadsTest::busyWhileTransferring()
{
    server->setAnswer("/slow", Answer::slow("0123456789", 30ms, 2));
    QVERIFY(writeFile(site->filePath("other"), "other"));
    bool busyDuring = false;
    TransferResult second;
    connect(server.get(), &HttpServer::requestReceived, this, [&](const QString &target) {
        if (target != "/slow")
            return;
        busyDuring = inet->StillExecuting();
        second = inet->OpenURL(server->url("/other"), 1024);
    });
    const TransferResult first = inet->OpenURL(server->url("/slow"), 1024);
    QVERIFY(first.ok());
    QCOMPARE(first.bytes, QByteArray("0123456789"));
    QVERIFY(busyDuring);
    QCOMPARE(int(second.status), int(TransferResult::Status::Busy));
    QCOMPARE(server->requestCount("/other"), 0);
    QVERIFY(!inet->StillExecuting());
}

void DownloadsTest::stopFreesTheComponentAtOnce()
{
    // The later transfer runs while the stopped one still waits further down the stack.
    server->setAnswer("/stalled", Answer::stalled("ButtonNum="));
    QVERIFY(writeFile(site->filePath("next.qvif"), "Title=Next\r\n"));
    TransferResult later;
    bool freeAfterStop = false;
    connect(server.get(), &HttpServer::requestReceived, this, [&](const QString &target) {
        if (target != "/stalled")
            return;
        inet->Stop();
        freeAfterStop = !inet->StillExecuting();
        later = inet->OpenURL(server->url("/next.qvif"), 1024);
    });
    const TransferResult stopped = inet->OpenURL(server->url("/stalled"), 1024);
    QCOMPARE(int(stopped.status), int(TransferResult::Status::Stopped));
    QVERIFY(stopped.bytes.isEmpty());
    QVERIFY(freeAfterStop);
    QVERIFY2(later.ok(), qPrintable(later.reason));
    QCOMPARE(later.bytes, QByteArray("Title=Next\r\n"));
    QVERIFY(!inet->StillExecuting());
}

void DownloadsTest::downloadPageCompletesAndWrites_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("completed");
    QTest::addColumn<QString>("servedPath");
    QTest::newRow("site root") << "/"
                               << "/index.qvif"
                               << "/index.qvif";
    QTest::newRow("bare root") << ""
                               << "/index.qvif"
                               << "/index.qvif";
    QTest::newRow("folder") << "/sub"
                            << "/sub/index.qvif"
                            << "/sub/index.qvif";
    QTest::newRow("page") << "/Page.QVIF"
                          << "/Page.QVIF"
                          << "/Page.QVIF";
    QTest::newRow("query") << "/index.qvif?v=1"
                           << "/index.qvif?v=1/index.qvif"
                           << "/index.qvif?v=1/index.qvif";
}

void DownloadsTest::downloadPageCompletesAndWrites()
{
    QFETCH(QString, typed);
    QFETCH(QString, completed);
    QFETCH(QString, servedPath);
    const QByteArray page = "ButtonNum=0\r\nTitle=Home\r\n";
    server->setAnswer(servedPath, Answer::content(page, "text/plain"));
    QString address = server->url(typed);
    const TransferResult result =
        DownloadPage(*inet, address, directory->path(), QStringLiteral("temp.qvif"));
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QCOMPARE(address, server->url(completed));
    QCOMPARE(readFile(directory->filePath("temp.qvif")), page);
    QCOMPARE(server->requests(), QStringList{servedPath});
}

void DownloadsTest::failedPageDownloadKeepsTheOldFile()
{
    QVERIFY(writeFile(directory->filePath("temp.qvif"), "Title=Old\r\n"));
    QString address = server->url("/missing");
    const TransferResult result =
        DownloadPage(*inet, address, directory->path(), QStringLiteral("temp.qvif"));
    QCOMPARE(int(result.status), int(TransferResult::Status::Failed));
    QCOMPARE(result.reason, QStringLiteral("not found (404)"));
    QCOMPARE(address, server->url("/missing/index.qvif"));
    QCOMPARE(readFile(directory->filePath("temp.qvif")), QByteArray("Title=Old\r\n"));
}

void DownloadsTest::shortPageReplacesLongPage()
{
    QByteArray longPage;
    for (int slot = 1; slot <= 100; ++slot)
        longPage += QByteArray::number(slot) + "bcap=Button " + QByteArray::number(slot) + "\r\n";
    QVERIFY(writeFile(site->filePath("long.qvif"), longPage));
    QVERIFY(writeFile(site->filePath("short.qvif"), "Title=Short\r\n"));
    for (const char *name : {"/long.qvif", "/short.qvif"}) {
        QString address = server->url(name);
        QVERIFY(DownloadPage(*inet, address, directory->path(), "temp.qvif").ok());
    }
    QCOMPARE(readFile(directory->filePath("temp.qvif")), QByteArray("Title=Short\r\n"));
}

void DownloadsTest::emptyAddressWritesNothing()
{
    QString address;
    const TransferResult result = DownloadPage(*inet, address, directory->path(), "temp.qvif");
    QVERIFY(!result.ok());
    QCOMPARE(address, QStringLiteral("/index.qvif"));
    QVERIFY(!QFile::exists(directory->filePath("temp.qvif")));
}

void DownloadsTest::busyComponentSkipsThePage()
{
    QVERIFY(writeFile(directory->filePath("temp.qvif"), "Title=Old\r\n"));
    QVERIFY(writeFile(site->filePath("index.qvif"), "Title=New\r\n"));
    server->setAnswer("/slow", Answer::slow("abc", 20ms, 1));
    TransferResult skipped;
    QString address = server->url("/");
    connect(server.get(), &HttpServer::requestReceived, this, [&](const QString &target) {
        if (target == "/slow")
            skipped = DownloadPage(*inet, address, directory->path(), "temp.qvif");
    });
    QVERIFY(inet->OpenURL(server->url("/slow"), 1024).ok());
    QCOMPARE(int(skipped.status), int(TransferResult::Status::Busy));
    QCOMPARE(address, server->url("/index.qvif"));
    QCOMPARE(server->requestCount("/index.qvif"), 0);
    QCOMPARE(readFile(directory->filePath("temp.qvif")), QByteArray("Title=Old\r\n"));
}

void DownloadsTest::downloadPictureFetchesInTheBackground_data()
{
    QTest::addColumn<bool>("local");
    QTest::newRow("from the network") << false;
    QTest::newRow("local file") << true;
}

void DownloadsTest::downloadPictureFetchesInTheBackground()
{
    QFETCH(bool, local);
    const QByteArray bytes = randomBytes(2048);
    QVERIFY(writeFile(site->filePath("logo.png"), bytes));
    const QString reference = local ? site->filePath("logo.png") : server->url("/logo.png");
    QNetworkAccessManager network;
    std::unique_ptr<Fetch> fetch(DownloadPicture(network, reference, 400ms, nullptr));
    QSignalSpy finished(fetch.get(), &Fetch::finished);
    // The caller goes on at once; the end is told from the event loop.
    QCOMPARE(finished.count(), 0);
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY2(fetch->result().ok(), qPrintable(fetch->result().reason));
    QCOMPARE(fetch->result().bytes, bytes);
    QCOMPARE(server->requests().size(), local ? 0 : 1);
}

void DownloadsTest::failedPictureDownloadSaysWhy()
{
    QNetworkAccessManager network;
    std::unique_ptr<Fetch> fetch(
        DownloadPicture(network, server->url("/missing.png"), 400ms, nullptr));
    QTRY_VERIFY(fetch->isFinished());
    QCOMPARE(int(fetch->result().status), int(TransferResult::Status::Failed));
    QCOMPARE(fetch->result().reason, QStringLiteral("not found (404)"));
    QVERIFY(fetch->result().bytes.isEmpty());
}

void DownloadsTest::pageDownloadNeverWaitsForAPicture()
{
    server->setAnswer("/stalled.png", Answer::stalled("\x89PNG"));
    QVERIFY(writeFile(site->filePath("index.qvif"), "Title=Home\r\n"));
    QNetworkAccessManager network;
    std::unique_ptr<Fetch> picture(
        DownloadPicture(network, server->url("/stalled.png"), 10s, nullptr));
    QTRY_COMPARE(server->requestCount("/stalled.png"), 1);
    QVERIFY(!inet->StillExecuting());
    const TransferResult page = inet->OpenURL(server->url("/index.qvif"), Inet::PageSizeLimit);
    QVERIFY2(page.ok(), qPrintable(page.reason));
    QVERIFY(!picture->isFinished());
}

void DownloadsTest::destroyedFetchAbandonsItsTransfer()
{
    server->setAnswer("/stalled.png", Answer::stalled("\x89PNG"));
    QNetworkAccessManager network;
    auto *fetch = DownloadPicture(network, server->url("/stalled.png"), 10s, nullptr);
    QSignalSpy finished(fetch, &Fetch::finished);
    QTRY_COMPARE(server->requestCount("/stalled.png"), 1);
    delete fetch;
    QCOMPARE(finished.count(), 0);
    // The manager is free for the next request.
    QVERIFY(writeFile(site->filePath("next.png"), "next"));
    std::unique_ptr<Fetch> next(DownloadPicture(network, server->url("/next.png"), 400ms, nullptr));
    QTRY_VERIFY(next->isFinished());
    QCOMPARE(next->result().bytes, QByteArray("next"));
}

void DownloadsTest::fileExists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::newRow("empty path") << "" << false;
    QTest::newRow("file") << "temp.bmp" << true;
    QTest::newRow("missing") << "other.bmp" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("hidden file") << ".hidden" << false;
    QTest::newRow("pattern that matches") << "temp.*" << true;
    QTest::newRow("pattern that matches a folder only") << "fold?r" << false;
    QTest::newRow("pattern without match") << "*.png" << false;
}

void DownloadsTest::fileExists()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QVERIFY(writeFile(directory->filePath("temp.bmp"), "x"));
    QVERIFY(writeFile(directory->filePath(".hidden"), "x"));
    QVERIFY(QDir(directory->path()).mkpath("folder"));
    QCOMPARE(FileExists(name.isEmpty() ? QString() : directory->filePath(name)), exists);
}

QTEST_GUILESS_MAIN(DownloadsTest)
#include "tst_downloads.moc"

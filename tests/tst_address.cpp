#include "browser/address.h"

#include <QtTest>

class AddressTest : public QObject
{
    Q_OBJECT

private slots:
    void completion_data();
    void completion();
    void urlOfAddress_data();
    void urlOfAddress();
    void resolution_data();
    void resolution();
    void followingRule_data();
    void followingRule();
    void pageFileOfAddress_data();
    void pageFileOfAddress();
};

void AddressTest::completion_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("completed");
    QTest::newRow("site root with slash") << "http://127.0.0.1:8080/"
                                          << "http://127.0.0.1:8080/index.qvif";
    QTest::newRow("bare site root") << "http://127.0.0.1:8080"
                                    << "http://127.0.0.1:8080/index.qvif";
    QTest::newRow("backslash") << "http://h\\dir\\"
                               << "http://h\\dir\\index.qvif";
    QTest::newRow("page file") << "http://h/a.qvif"
                               << "http://h/a.qvif";
    QTest::newRow("mixed case suffix") << "http://h/A.QvIf"
                                       << "http://h/A.QvIf";
    QTest::newRow("only the suffix") << ".qvif"
                                     << ".qvif";
    QTest::newRow("suffix without dot") << "http://h/aqvif"
                                        << "http://h/aqvif/index.qvif";
    QTest::newRow("shorter than five") << "qvif"
                                       << "qvif/index.qvif";
    QTest::newRow("empty") << ""
                           << "/index.qvif";
    QTest::newRow("query string") << "http://h/a.qvif?x=1"
                                  << "http://h/a.qvif?x=1/index.qvif";
    QTest::newRow("trailing space") << "http://h/a.qvif "
                                    << "http://h/a.qvif /index.qvif";
    QTest::newRow("leading space kept") << " http://h/"
                                        << " http://h/index.qvif";
}

void AddressTest::completion()
{
    QFETCH(QString, address);
    QFETCH(QString, completed);
    QCOMPARE(completePageAddress(address), completed);
}

void AddressTest::urlOfAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("kind");
    const int network = int(AddressKind::Network);
    const int local = int(AddressKind::Local);
    const int unsupported = int(AddressKind::Unsupported);
    QTest::newRow("http") << "http://127.0.0.1:8080/index.qvif"
                          << "http://127.0.0.1:8080/index.qvif" << network;
    QTest::newRow("https") << "https://example.org/a.qvif"
                           << "https://example.org/a.qvif" << network;
    QTest::newRow("scheme in capitals") << "HTTP://Example.org/a"
                                        << "http://example.org/a" << network;
    QTest::newRow("no scheme, address and port") << "127.0.0.1:8080/x.qvif"
                                                 << "http://127.0.0.1:8080/x.qvif" << network;
    QTest::newRow("no scheme, host name and port") << "localhost:8080/x.qvif"
                                                   << "http://localhost:8080/x.qvif" << network;
    QTest::newRow("no scheme, host name") << "example.org/a.qvif"
                                          << "http://example.org/a.qvif" << network;
    QTest::newRow("backslashes in a web address") << "http://h\\dir\\a.qvif"
                                                  << "http://h/dir/a.qvif" << network;
    QTest::newRow("space encoded") << "http://h/a b.qvif"
                                   << "http://h/a%20b.qvif" << network;
    QTest::newRow("absolute path") << "/tmp/a.qvif"
                                   << "file:///tmp/a.qvif" << local;
    QTest::newRow("completed empty address") << "/index.qvif"
                                             << "file:///index.qvif" << local;
    QTest::newRow("file url") << "file:///tmp/a.qvif"
                              << "file:///tmp/a.qvif" << local;
    QTest::newRow("file url of another host") << "file://elsewhere/a.qvif"
                                              << "" << unsupported;
    QTest::newRow("resource") << "qrc:/x.qvif"
                              << "" << unsupported;
    QTest::newRow("data") << "data:text/plain,ButtonNum=0"
                          << "" << unsupported;
    QTest::newRow("ftp") << "ftp://h/a.qvif"
                         << "" << unsupported;
    QTest::newRow("mail") << "mailto:someone@example.org"
                          << "" << unsupported;
    QTest::newRow("no host") << "http:///a.qvif"
                             << "" << unsupported;
    QTest::newRow("empty") << ""
                           << "" << unsupported;
}

void AddressTest::urlOfAddress()
{
    QFETCH(QString, address);
    QFETCH(QString, url);
    QFETCH(int, kind);
    const std::optional<QUrl> result = ::urlOfAddress(address);
    QCOMPARE(result ? result->toString(QUrl::FullyEncoded) : QString(), url);
    if (kind != int(AddressKind::Unsupported) || address.isEmpty())
        QCOMPARE(int(kindOfAddress(address)), kind);
}

void AddressTest::resolution_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("resolved");
    const QString web = QStringLiteral("http://127.0.0.1:8080/dir/index.qvif");
    const QString disk = QStringLiteral("/home/user/site/index.qvif");
    QTest::newRow("file name") << "page2.qvif" << web << "http://127.0.0.1:8080/dir/page2.qvif";
    QTest::newRow("sub folder") << "images/logo.png" << web
                                << "http://127.0.0.1:8080/dir/images/logo.png";
    QTest::newRow("backslashes") << "images\\logo.png" << web
                                 << "http://127.0.0.1:8080/dir/images/logo.png";
    QTest::newRow("parent") << "../up.qvif" << web << "http://127.0.0.1:8080/up.qvif";
    QTest::newRow("root relative") << "/top.qvif" << web << "http://127.0.0.1:8080/top.qvif";
    QTest::newRow("other host, same scheme")
        << "//other.example/x.png" << web << "http://other.example/x.png";
    QTest::newRow("name and number")
        << "name:1.png" << web << "http://127.0.0.1:8080/dir/name:1.png";
    QTest::newRow("unknown scheme stays") << "a:b.png" << web << "a:b.png";
    QTest::newRow("whole address")
        << "http://other.example/x.qvif" << web << "http://other.example/x.qvif";
    QTest::newRow("file url stays") << "file:///etc/hostname" << web << "file:///etc/hostname";
    QTest::newRow("resource stays") << "qrc:/x.png" << web << "qrc:/x.png";
    QTest::newRow("page typed without scheme") << "page2.qvif"
                                               << "127.0.0.1:8080/index.qvif"
                                               << "http://127.0.0.1:8080/page2.qvif";
    QTest::newRow("page after a redirect") << "b.qvif"
                                           << "http://127.0.0.1:8080/new/a.qvif?v=2"
                                           << "http://127.0.0.1:8080/new/b.qvif";
    QTest::newRow("disk, file name") << "page2.qvif" << disk << "/home/user/site/page2.qvif";
    QTest::newRow("disk, parent") << "../pics/p.png" << disk << "/home/user/pics/p.png";
    QTest::newRow("disk, absolute path") << "/srv/p.png" << disk << "/srv/p.png";
    QTest::newRow("disk, file url page") << "page2.qvif"
                                         << "file:///home/user/site/index.qvif"
                                         << "/home/user/site/page2.qvif";
    QTest::newRow("no page") << "page2.qvif"
                             << ""
                             << "page2.qvif";
    QTest::newRow("empty reference") << "" << web << "";
}

void AddressTest::resolution()
{
    QFETCH(QString, reference);
    QFETCH(QString, page);
    QFETCH(QString, resolved);
    QCOMPARE(resolveReference(reference, page), resolved);
}

void AddressTest::followingRule_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("allowed");
    const QString web = QStringLiteral("http://127.0.0.1:8080/index.qvif");
    QTest::newRow("web to web") << "http://127.0.0.1:8080/b.qvif" << web << true;
    QTest::newRow("web to address without scheme") << "example.org/b.qvif" << web << true;
    QTest::newRow("web to file url") << "file:///etc/hostname" << web << false;
    QTest::newRow("web to local path") << "/etc/hostname" << web << false;
    QTest::newRow("secure web to local path") << "/etc/hostname"
                                              << "https://h/a.qvif" << false;
    QTest::newRow("web to resource") << "qrc:/x.png" << web << false;
    QTest::newRow("disk to disk") << "/home/user/b.qvif"
                                  << "/home/user/a.qvif" << true;
    QTest::newRow("disk to web") << "http://h/b.qvif"
                                 << "/home/user/a.qvif" << true;
    QTest::newRow("typed local path") << "/home/user/b.qvif"
                                      << "" << true;
}

void AddressTest::followingRule()
{
    QFETCH(QString, address);
    QFETCH(QString, page);
    QFETCH(bool, allowed);
    QCOMPARE(mayFollow(address, page), allowed);
    QCOMPARE(refusalOf(address, page).isEmpty(), allowed);
}

void AddressTest::pageFileOfAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("file");
    const QString folder = QStringLiteral("/home/user/Documents");
    QTest::newRow("page from the web")
        << "http://example.com/dir/page.qvif" << folder + "/page.qvif";
    QTest::newRow("query left out") << "https://example.com/a.qvif?x=1" << folder + "/a.qvif";
    QTest::newRow("site root") << "http://example.com/" << folder + "/index.qvif";
    QTest::newRow("dots name no file") << "http://example.com/.." << folder + "/index.qvif";
    QTest::newRow("file url") << "file:///srv/pages/page.qvif"
                              << "/srv/pages/page.qvif";
    QTest::newRow("local path") << "/srv/pages/page.qvif"
                                << "/srv/pages/page.qvif";
    QTest::newRow("local path, cleaned") << "/srv/pages/../other.qvif"
                                         << "/srv/other.qvif";
    QTest::newRow("no page") << ""
                             << "";
    QTest::newRow("unsupported") << "mailto:someone@example.com"
                                 << "";
}

void AddressTest::pageFileOfAddress()
{
    QFETCH(QString, address);
    QFETCH(QString, file);
    QCOMPARE(::pageFileOfAddress(address, QStringLiteral("/home/user/Documents")), file);
}

QTEST_GUILESS_MAIN(AddressTest)
#include "tst_address.moc"

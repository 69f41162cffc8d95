#pragma once

#include "app/main_window.h"
#include "browser/inet.h"
#include "browser/picture_queue.h"
#include "support/http_server.h"
#include "support/scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A shown window and a site of files that the test's own server serves on 127.0.0.1. The window
// gives up on a silent server after a second, pages and pictures alike.
struct BrowsingFixture
{
    std::unique_ptr<QTemporaryDir> site;
    std::unique_ptr<HttpServer> server;
    std::unique_ptr<Form1> window;
    ScriptedDialogs *dialogs = nullptr;

    void start()
    {
        using namespace std::chrono_literals;
        site = std::make_unique<QTemporaryDir>();
        server = std::make_unique<HttpServer>();
        server->setRoot(site->path());
        QVERIFY(server->listen());
        window = std::make_unique<Form1>();
        dialogs = scriptDialogs(*window);
        window->transfer().setIdleTimeout(1000ms);
        window->pictureRequests().setIdleTimeout(1000ms);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
    }

    void stop()
    {
        window.reset();
        server.reset();
        site.reset();
    }

    void serve(const QString &path, const QByteArray &bytes) const
    {
        const QString file = site->filePath(path.mid(1));
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(bytes), bytes.size());
    }

    QString url(const QString &path) const { return server->url(path); }

    // Types the address and presses Go.
    void goTo(const QString &address) const
    {
        window->txtAddress->setText(address);
        QTest::mouseClick(window->cmdGo, Qt::LeftButton);
    }

    QString addressShown() const { return window->txtAddress->text(); }
};

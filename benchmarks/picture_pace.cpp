// The pictures of a page against a local server that answers each of them only after a delay:
// downloaded ahead, they still appear at the timer's pace, one per tick.

#include "picture_pace.h"

#include "median_reporter.h"

#include "app/main_window.h"
#include "support/http_server.h"
#include "support/test_pages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

constexpr int Pictures = 20;
constexpr int Latencies[] = {0, 100, 300};
constexpr double TargetSeconds = 2.5;
// A run that has not shown every picture by then has failed.
constexpr int GiveUpMilliseconds = 15000;

int picturesShown(const Form1 &window)
{
    int shown = 0;
    for (int slot = 1; slot <= Pictures; ++slot)
        shown += window.picture(slot)->image().isNull() ? 0 : 1;
    return shown;
}

// Runs the window's events until every picture is shown or the time is up.
bool waitForThePictures(const Form1 &window)
{
    QElapsedTimer waited;
    waited.start();
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (picturesShown(window) == Pictures || waited.elapsed() > GiveUpMilliseconds)
            loop.quit();
    });
    poll.start();
    loop.exec();
    return picturesShown(window) == Pictures;
}

void BM_PicturePace(benchmark::State &state)
{
    const std::chrono::milliseconds latency(state.range(0));
    QTemporaryDir site;
    HttpServer server;
    server.setRoot(site.path());
    if (!site.isValid() || !server.listen()) {
        state.SkipWithError("no local server");
        return;
    }
    TestPage page;
    for (int slot = 1; slot <= Pictures; ++slot) {
        const QString name = QStringLiteral("p%1.png").arg(slot);
        page.picture(slot, name);
        server.setAnswer("/" + name, HttpServer::Answer::delayed(
                                         pngOfSize({16 + slot, 16}, Qt::darkYellow), latency));
    }
    server.setAnswer("/index.qvif",
                     HttpServer::Answer::content(page.title("Pace").bytes(), "text/plain"));

    Form1 window;
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.txtAddress->setText(server.url("/"));
        // Go returns once the page is on the canvas; its pictures arrive afterwards.
        window.cmdGo->click();
        QElapsedTimer sincePage;
        sincePage.start();
        const bool allShown = waitForThePictures(window);
        state.SetIterationTime(double(sincePage.nsecsElapsed()) / 1e9);
        if (!allShown) {
            state.SkipWithError("not every picture was shown");
            break;
        }
    }
}
BENCHMARK(BM_PicturePace)
    ->Arg(Latencies[0])
    ->Arg(Latencies[1])
    ->Arg(Latencies[2])
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

} // namespace

void printPicturePace(const MedianReporter &reporter)
{
    std::printf("\n  %d pictures shown after the page, each answered late by the server:\n",
                Pictures);
    for (int latency : Latencies) {
        const std::optional<double> ms =
            reporter.medianMilliseconds("BM_PicturePace/" + std::to_string(latency));
        const std::optional<double> seconds =
            ms ? std::optional<double>(*ms / 1000.0) : std::nullopt;
        const std::string what = "  answers after " + std::to_string(latency) + " ms";
        printFigure(what.c_str(), seconds, "s", "< 2.5 s", seconds && *seconds < TargetSeconds);
    }
}

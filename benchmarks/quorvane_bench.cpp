// Start-up, loading and saving of the real window, starts of the real program, and the pace at
// which a page's pictures appear (picture_pace.cpp), on the platform that QT_QPA_PLATFORM names
// (offscreen when unset), with the medians set against the speed and memory the program is meant to
// keep.

#include "bench_pages.h"
#include "median_reporter.h"
#include "picture_pace.h"
#include "program_start.h"

#include "app/common_dialog.h"
#include "app/main_window.h"
#include "page/loader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int FullPage = 100;
// The elements of each kind on the pages timed, to show how the times grow.
constexpr int PageSizes[] = {10, 25, 50, FullPage};
constexpr int FullPageLines = 2506;

QTemporaryDir *benchDirectory = nullptr;

QString pagePath(int perKind)
{
    return benchDirectory->filePath(QStringLiteral("page-%1.qvif").arg(perKind));
}

QString savedPath(int perKind)
{
    return benchDirectory->filePath(QStringLiteral("saved-%1.qvif").arg(perKind));
}

// The highest resident memory of the process so far, in MiB.
double peakMemoryMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// Save answers with a fixed file, or cancels when it has none; an error ends the run.
class BenchDialogs : public CommonDialog
{
public:
    std::optional<QString> savePath;

    std::optional<QString> showOpen(QWidget *, const QString &) override { return std::nullopt; }
    std::optional<QString> showSave(QWidget *, const QString &) override { return savePath; }
    std::optional<QString> showOpenPicture(QWidget *, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<quint32> showColor(QWidget *, quint32) override { return std::nullopt; }
    bool askYesNo(QWidget *, const QString &, const QString &) override { return false; }
    SaveChangesAnswer askSaveChanges(QWidget *, const QString &, const QString &) override
    {
        return SaveChangesAnswer::Discard;
    }
    bool askRecover(QWidget *, const QString &, const QString &) override { return false; }
    void showError(QWidget *, const QString &, const QString &message) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::exit(1);
    }
};

// A shown window that never fetches pictures, so that only the page itself is timed.
struct BenchWindow
{
    BenchWindow()
    {
        auto owned = std::make_unique<BenchDialogs>();
        dialogs = owned.get();
        window.setCommonDialog(std::move(owned));
        window.show();
        QCoreApplication::processEvents();
        window.Timer1->stop();
        placePageOnDisk();
    }

    void clear()
    {
        window.ClearPage();
        window.lstPics->clear();
        window.lstPicsNum->clear();
        placePageOnDisk();
        QCoreApplication::processEvents();
    }

    // The page loaded next belongs to the bench folder, as a page opened from disk does: its
    // pictures, which are not there, are looked for in that folder and never on the network.
    void placePageOnDisk()
    {
        window.setPageAddress(benchDirectory->filePath(QStringLiteral("page.qvif")));
    }

    bool holdsPage(int perKind) const
    {
        return window.ButtonCount == perKind && window.LabelCount == perKind &&
               window.PictureCount == perKind;
    }

    Form1 window;
    BenchDialogs *dialogs = nullptr;
};

// Times one iteration of a benchmark by the wall clock.
template <typename Work> void timeIteration(benchmark::State &state, Work work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
}

void overPageSizes(benchmark::internal::Benchmark *benchmark)
{
    for (int perKind : PageSizes)
        benchmark->Arg(perKind);
}

void BM_Startup(benchmark::State &state)
{
    for (auto _ : state) {
        Form1 *window = nullptr;
        timeIteration(state, [&window] {
            window = new Form1;
            window->show();
            QCoreApplication::processEvents();
        });
        delete window;
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Startup)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(11);

void BM_Load(benchmark::State &state)
{
    const int perKind = int(state.range(0));
    BenchWindow bench;
    for (auto _ : state) {
        bench.clear();
        timeIteration(state, [&] { bench.window.LoadPage(pagePath(perKind)); });
    }
    if (!bench.holdsPage(perKind))
        state.SkipWithError("the page did not load whole");
    state.counters["peak_MiB"] = peakMemoryMiB();
}
BENCHMARK(BM_Load)
    ->Apply(overPageSizes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7);

// The same load, with every key answered by opening and scanning the file again.
void BM_LoadByRescan(benchmark::State &state)
{
    const int perKind = int(state.range(0));
    const QString path = pagePath(perKind);
    BenchWindow bench;
    for (auto _ : state) {
        bench.clear();
        timeIteration(state, [&] {
            loadPageFields(bench.window,
                           [&path](const QString &key) { return findByRescan(path, key); });
        });
    }
    if (!bench.holdsPage(perKind))
        state.SkipWithError("the page did not load whole");
}
BENCHMARK(BM_LoadByRescan)
    ->Arg(FullPage)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(3);

// File > Save with a file chosen: the text assembled in the debug view, then written.
void BM_Save(benchmark::State &state)
{
    const int perKind = int(state.range(0));
    BenchWindow bench;
    bench.window.LoadPage(pagePath(perKind));
    bench.dialogs->savePath = savedPath(perKind);
    for (auto _ : state) {
        timeIteration(state, [&bench] { bench.window.mnuSave_Click(); });
    }
    // Only the full page reads back as it was written: a smaller one gains the free slot after
    // its last element, as every save of a page does.
    QFile saved(savedPath(perKind));
    QFile original(pagePath(perKind));
    if (!saved.open(QIODevice::ReadOnly) || !original.open(QIODevice::ReadOnly) ||
        saved.size() < original.size() ||
        (perKind == FullPage && saved.readAll() != original.readAll()))
        state.SkipWithError("the saved page is not the page loaded");
}
BENCHMARK(BM_Save)
    ->Apply(overPageSizes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7);

// File > Save with the dialog cancelled: only the text is assembled.
void BM_AssemblePage(benchmark::State &state)
{
    const int perKind = int(state.range(0));
    BenchWindow bench;
    bench.window.LoadPage(pagePath(perKind));
    for (auto _ : state) {
        timeIteration(state, [&bench] { bench.window.mnuSave_Click(); });
    }
}
BENCHMARK(BM_AssemblePage)
    ->Arg(FullPage)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7);

// The program started as a user starts it, with the full page file given on the command line
// (argument FullPage) or with none (0), from its exec to its first frame.
void BM_ExecToFirstFrame(benchmark::State &state)
{
    const int perKind = int(state.range(0));
    std::vector<std::string> arguments;
    if (perKind > 0)
        arguments.push_back(pagePath(perKind).toStdString());
    double reportedMs = 0;
    double peakMiB = 0;
    for (auto _ : state) {
        const std::optional<ProgramStart> start = startProgram(QUORVANE_PROGRAM, arguments);
        if (!start) {
            state.SkipWithError("the program did not report its first frame");
            return;
        }
        state.SetIterationTime(start->toFirstFrameMs / 1e3);
        reportedMs = start->reportedMs;
        peakMiB = std::max(peakMiB, start->peakMiB);
    }
    state.counters["from_main_ms"] = reportedMs;
    state.counters["peak_MiB"] = peakMiB;
}
BENCHMARK(BM_ExecToFirstFrame)
    ->Arg(FullPage)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(11);

using Figure = std::optional<double>;

void printSummary(const MedianReporter &reporter)
{
    const auto ms = [&reporter](const std::string &name, int perKind) {
        return reporter.medianMilliseconds(name + "/" + std::to_string(perKind));
    };
    const Figure startup = reporter.medianMilliseconds("BM_Startup");
    const Figure load = ms("BM_Load", FullPage);
    const Figure rescan = ms("BM_LoadByRescan", FullPage);
    const Figure save = ms("BM_Save", FullPage);
    const Figure assemble = ms("BM_AssemblePage", FullPage);
    const Figure ratio = load && rescan && *load > 0 ? Figure(*rescan / *load) : std::nullopt;
    const Figure peak = reporter.medianCounter("BM_Load/" + std::to_string(FullPage), "peak_MiB");
    const std::string withPage = "BM_ExecToFirstFrame/" + std::to_string(FullPage);
    const std::string withoutPage = "BM_ExecToFirstFrame/0";
    const Figure execWithPage = reporter.medianMilliseconds(withPage);
    const Figure execWithoutPage = reporter.medianMilliseconds(withoutPage);

    std::printf("\nSummary (medians, on the %s platform)\n",
                qPrintable(QGuiApplication::platformName()));
    printFigure("start-up: window constructed and shown", startup, "ms", "< 60 ms", startup < 60.0);
    printFigure("full page load (2,506 lines)", load, "ms", "< 6 ms", load < 6.0);
    printFigure("full page load, file re-scanned for every key", rescan, "ms");
    printFigure("re-scan time over load time", ratio, "x", ">= 20 x", ratio >= 20.0);
    printFigure("full page save: text assembled, file written", save, "ms", "< 2.5 ms", save < 2.5);
    printFigure("full page save: text assembled only", assemble, "ms");
    printFigure("peak memory with the full page loaded", peak, "MiB", "< 80 MiB", peak < 80.0);
    printFigure("program: exec to first frame, full page", execWithPage, "ms", "< 50 ms",
                execWithPage < 50.0);
    printFigure("  the same, counted by the program from main",
                reporter.medianCounter(withPage, "from_main_ms"), "ms");
    printFigure("  peak memory of the process at that frame",
                reporter.medianCounter(withPage, "peak_MiB"), "MiB");
    printFigure("program: exec to first frame, no page", execWithoutPage, "ms");
    printFigure("  the same, counted by the program from main",
                reporter.medianCounter(withoutPage, "from_main_ms"), "ms");
    printFigure("  peak memory of the process at that frame",
                reporter.medianCounter(withoutPage, "peak_MiB"), "MiB");

    std::printf("\n  %-20s %12s %16s %12s %16s\n", "elements of each kind", "load ms",
                "per element us", "save ms", "per element us");
    for (int perKind : PageSizes) {
        const double elements = 3.0 * perKind;
        const double slotLoad = ms("BM_Load", perKind).value_or(qQNaN());
        const double slotSave = ms("BM_Save", perKind).value_or(qQNaN());
        std::printf("  %20d %12.3f %16.1f %12.3f %16.1f\n", perKind, slotLoad,
                    slotLoad * 1000 / elements, slotSave, slotSave * 1000 / elements);
    }
    printPicturePace(reporter);
#ifndef NDEBUG
    std::printf("\nThis is not a release build: the figures overstate the program's times.\n");
#endif
}

// The offscreen platform warns at every window shown; the figures are easier to read without.
QtMessageHandler standardMessageHandler = nullptr;

void dropPlatformNoise(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    standardMessageHandler(type, context, message);
}

bool writePages()
{
    for (int perKind : PageSizes) {
        const QString text = writeBenchPage(pagePath(perKind), perKind);
        if (perKind == FullPage && text.count(QLatin1String("\r\n")) != FullPageLines) {
            std::fprintf(stderr, "the full page has %lld lines, not %d\n",
                         qlonglong(text.count(QLatin1String("\r\n"))), FullPageLines);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standardMessageHandler = qInstallMessageHandler(dropPlatformNoise);
    QApplication application(argc, argv);

    QTemporaryDir directory;
    if (!directory.isValid())
        return 1;
    benchDirectory = &directory;
    if (!writePages())
        return 1;

    MedianReporter reporter;
    const size_t run = benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter);
    benchmark::Shutdown();
    return run > 0 && !reporter.anyFailed() ? 0 : 1;
}

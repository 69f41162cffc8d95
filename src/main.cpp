#include "app/canvas.h"
#include "app/command_line.h"
#include "app/first_frame_report.h"
#include "app/main_window.h"
#include "app/termination_signals.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

int main(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));

    // Read before the window system is reached, so that --help works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = readCommandLine(arguments, QDir::currentPath());
    if (commandLine.exitStatus)
        return *commandLine.exitStatus;

    QApplication application(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("io.github.quorvane.Quorvane"));
    quitOnTerminationSignals();

    Form1 window;
    window.show();
    window.startWith(commandLine.request);
    reportFirstFrameWhenAsked(window.canvas(), sinceStart);
    return QApplication::exec();
}

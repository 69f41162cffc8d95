#include "app/command_line.h"
#include "app/main_window.h"
#include "app/termination_signals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));

    // The arguments are read before the window system is reached, so that --help and --version
    // answer on a terminal without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Browse and edit pages of QV Internet Files (.qvif)."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("page"),
        QStringLiteral("A page file to edit, or an http, https or file address to browse."),
        QStringLiteral("[FILE.qvif | ADDRESS]"));
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "quorvane: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        QString help = parser.helpText();
        help.replace(QLatin1String("<executable_name>"), QLatin1String("quorvane"));
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        std::printf("Quorvane %s\n", QUORVANE_VERSION);
        return 0;
    }

    const StartRequest request = startRequestFor(parser.positionalArguments(), QDir::currentPath());
    if (request.kind == StartRequest::Kind::Error) {
        std::fprintf(stderr, "quorvane: %s\n", qPrintable(request.value));
        return 2;
    }
    if (request.kind == StartRequest::Kind::PageFile && !QFileInfo(request.value).isFile()) {
        std::fprintf(stderr, "quorvane: no page file at %s\n", qPrintable(request.value));
        return 2;
    }

    QApplication application(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("quorvane"));
    quitOnTerminationSignals();

    Form1 window;
    window.show();
    // Take the keyboard at once, so that the menu shortcuts work before the first click even
    // on a desktop without a window manager.
    window.activateWindow();
    if (request.kind == StartRequest::Kind::PageFile) {
        window.openPageFile(request.value);
    } else if (request.kind == StartRequest::Kind::Address) {
        // Navigate once the window is on screen, as if the address had been typed and Go pressed.
        window.txtAddress->setText(request.value);
        QTimer::singleShot(0, window.cmdGo, &QPushButton::click);
    }
    return QApplication::exec();
}

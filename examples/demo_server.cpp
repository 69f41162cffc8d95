#include "support/http_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

// Serves the demo site (or another folder) on 127.0.0.1, so that the program can browse it with
// its default home address.
int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvane-demo-server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves a folder of page files on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption rootOption(
        QStringLiteral("root"), QStringLiteral("The folder to serve (the demo site)."),
        QStringLiteral("folder"), QStringLiteral(QUORVANE_DEMO_SITE));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("The port to listen on (8080)."),
                                        QStringLiteral("port"), QStringLiteral("8080"));
    const QCommandLineOption quietOption(QStringLiteral("quiet"),
                                         QStringLiteral("Do not print the requests."));
    parser.addOptions({rootOption, portOption, quietOption});
    parser.process(application);

    QTextStream errors(stderr);
    bool portIsNumber = false;
    const uint port = parser.value(portOption).toUInt(&portIsNumber);
    if (!portIsNumber || port > 65535) {
        errors << "Not a port number: " << parser.value(portOption) << Qt::endl;
        return 2;
    }
    const QDir root(parser.value(rootOption));
    if (!root.exists()) {
        errors << "No such folder: " << root.absolutePath() << Qt::endl;
        return 2;
    }

    HttpServer server;
    server.setRoot(root.absolutePath());
    server.setLogging(!parser.isSet(quietOption));
    if (!server.listen(quint16(port))) {
        errors << "Cannot listen on 127.0.0.1:" << port << ": " << server.errorString() << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "Serving " << QDir::toNativeSeparators(root.absolutePath()) << " at "
                        << server.url(QStringLiteral("/")) << Qt::endl;
    return QCoreApplication::exec();
}

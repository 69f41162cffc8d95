#include "app/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>

StartRequest startRequestFor(const QStringList &positionalArguments,
                             const QString &workingDirectory)
{
    if (positionalArguments.isEmpty())
        return {};
    if (positionalArguments.size() > 1)
        return {StartRequest::Kind::Error,
                QStringLiteral("Give at most one page file or address.")};

    const QString &argument = positionalArguments.first();
    const QUrl url(argument, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                          scheme == QLatin1String("file")))
        return {StartRequest::Kind::Address, argument};
    if (argument.isEmpty())
        return {StartRequest::Kind::Error, QStringLiteral("The page file name is empty.")};
    return {StartRequest::Kind::PageFile,
            QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(argument))};
}

CommandLine readCommandLine(const QStringList &arguments, const QString &workingDirectory)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Browse and edit pages of QV Internet Files (.qvif)."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("page"),
        QStringLiteral("A page file to edit, or an http, https or file address to browse."),
        QStringLiteral("[FILE.qvif | ADDRESS]"));

    const auto fail = [](const QString &message) {
        std::fprintf(stderr, "quorvane: %s\n", qPrintable(message));
        return CommandLine{{}, 2};
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        QString help = parser.helpText();
        help.replace(QLatin1String("<executable_name>"), QLatin1String("quorvane"));
        std::fputs(qPrintable(help), stdout);
        return {{}, 0};
    }
    if (parser.isSet(versionOption)) {
        std::printf("Quorvane %s\n", QUORVANE_VERSION);
        return {{}, 0};
    }

    const StartRequest request = startRequestFor(parser.positionalArguments(), workingDirectory);
    if (request.kind == StartRequest::Kind::Error)
        return fail(request.value);
    if (request.kind == StartRequest::Kind::PageFile && !QFileInfo(request.value).isFile())
        return fail(QStringLiteral("no page file at %1").arg(request.value));
    return {request, std::nullopt};
}

#include "app/command_line.h"

#include <QDir>
#include <QUrl>

StartRequest startRequestFor(const QStringList &positionalArguments,
                             const QString &workingDirectory)
{
    if (positionalArguments.isEmpty())
        return {};
    if (positionalArguments.size() > 1)
        return {StartRequest::Kind::Error,
                QStringLiteral("Give at most one page file or address.")};

    const QString argument = positionalArguments.first();
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

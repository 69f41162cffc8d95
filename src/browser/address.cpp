#include "browser/address.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QRegularExpression>

namespace {

const QString PageFileSuffix = QStringLiteral(".qvif");
const QString IndexFileName = QStringLiteral("index.qvif");

// The scheme an address names, in lower case, or an empty text when it names none. "host:8080/x"
// names no scheme: what stands before the colon is a host when a port number follows it.
QString schemeOf(const QString &address)
{
    static const QRegularExpression schemePattern(QStringLiteral("^([A-Za-z][A-Za-z0-9+.\\-]*):"));
    const QRegularExpressionMatch match = schemePattern.match(address);
    if (!match.hasMatch())
        return {};
    const QStringView rest = QStringView(address).mid(match.capturedLength());
    if (!rest.startsWith(QLatin1String("//")) && !rest.isEmpty() && rest.front().isDigit())
        return {};
    return match.captured(1).toLower();
}

bool isNetworkScheme(const QString &scheme)
{
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// Web browsers read a backslash in a network address as a slash; so does this program.
QString withSlashes(QString address)
{
    return address.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace

QString completePageAddress(const QString &address)
{
    if (address.right(PageFileSuffix.size()).toLower() == PageFileSuffix)
        return address;
    if (address.endsWith(QLatin1Char('/')) || address.endsWith(QLatin1Char('\\')))
        return address + IndexFileName;
    return address + QLatin1Char('/') + IndexFileName;
}

AddressKind kindOfAddress(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return AddressKind::Unsupported;
    const QString scheme = schemeOf(text);
    if (scheme.isEmpty())
        return QDir::isAbsolutePath(text) ? AddressKind::Local : AddressKind::Network;
    if (isNetworkScheme(scheme))
        return AddressKind::Network;
    if (scheme == QLatin1String("file"))
        return AddressKind::Local;
    return AddressKind::Unsupported;
}

std::optional<QUrl> urlOfAddress(const QString &address)
{
    const QString text = address.trimmed();
    const QString scheme = schemeOf(text);
    switch (kindOfAddress(text)) {
    case AddressKind::Unsupported:
        return std::nullopt;
    case AddressKind::Local: {
        const QUrl url = scheme.isEmpty() ? QUrl::fromLocalFile(text) : QUrl(text);
        if (!url.isValid() || !url.isLocalFile() || url.toLocalFile().isEmpty())
            return std::nullopt;
        // A file on another computer would be a network share; only this computer's files count.
        if (!url.host().isEmpty() && url.host() != QLatin1String("localhost"))
            return std::nullopt;
        return url;
    }
    case AddressKind::Network: {
        const QString full = scheme.isEmpty() ? QStringLiteral("http://") + text : text;
        const QUrl url(withSlashes(full), QUrl::TolerantMode);
        if (!url.isValid() || url.host().isEmpty())
            return std::nullopt;
        return url;
    }
    }
    return std::nullopt;
}

QString resolveReference(const QString &reference, const QString &pageAddress)
{
    if (reference.isEmpty() || !schemeOf(reference.trimmed()).isEmpty() || pageAddress.isEmpty())
        return reference;

    switch (kindOfAddress(pageAddress)) {
    case AddressKind::Network: {
        const std::optional<QUrl> base = urlOfAddress(pageAddress);
        if (!base)
            return reference;
        QString relative = withSlashes(reference);
        // "name:thing" before the first slash would read as a scheme; it is a file name here.
        const qsizetype colon = relative.indexOf(QLatin1Char(':'));
        const qsizetype slash = relative.indexOf(QLatin1Char('/'));
        if (colon >= 0 && (slash < 0 || colon < slash))
            relative.prepend(QStringLiteral("./"));
        return base->resolved(QUrl(relative, QUrl::TolerantMode)).toString();
    }
    case AddressKind::Local: {
        if (QDir::isAbsolutePath(reference))
            return reference;
        const std::optional<QUrl> base = urlOfAddress(pageAddress);
        if (!base)
            return reference;
        const QString folder = QFileInfo(base->toLocalFile()).absolutePath();
        return QDir::cleanPath(folder + QLatin1Char('/') + reference);
    }
    case AddressKind::Unsupported:
        break;
    }
    return reference;
}

bool mayFollow(const QString &address, const QString &pageAddress)
{
    if (pageAddress.isEmpty() || kindOfAddress(pageAddress) != AddressKind::Network)
        return true;
    return kindOfAddress(address) == AddressKind::Network;
}

QString refusalOf(const QString &address, const QString &pageAddress)
{
    if (mayFollow(address, pageAddress))
        return {};
    if (kindOfAddress(address) == AddressKind::Unsupported)
        return QObject::tr("unsupported address");
    return QObject::tr("a page from the network may not open this computer's files");
}

QString pageFileOfAddress(const QString &pageAddress, const QString &folder)
{
    const std::optional<QUrl> url = urlOfAddress(pageAddress);
    if (!url)
        return {};
    if (url->isLocalFile())
        return QFileInfo(url->toLocalFile()).absoluteFilePath();
    QString name = QFileInfo(url->path()).fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = IndexFileName;
    return folder + QLatin1Char('/') + name;
}

#include "browser/module1.h"

#include "browser/address.h"
#include "browser/inet.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Replaces the whole content of the file in the directory with the bytes, or leaves it untouched
// on failure.
TransferResult writeWhole(const QString &directory, const QString &fileName,
                          const TransferResult &transfer)
{
    TransferResult result = transfer;
    result.bytes.clear();
    if (directory.isEmpty()) {
        // Qt's temporary path is empty when TMPDIR names no directory; the variable tells more.
        const QString parent =
            QDir::tempPath().isEmpty() ? qEnvironmentVariable("TMPDIR") : QDir::tempPath();
        result.status = TransferResult::Status::Failed;
        result.reason = QObject::tr("no private directory for downloads could be made in %1")
                            .arg(QDir::toNativeSeparators(parent));
        return result;
    }
    const QString path = directory + QLatin1Char('/') + fileName;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(transfer.bytes) != transfer.bytes.size() ||
        !file.commit()) {
        file.cancelWriting();
        result.status = TransferResult::Status::Failed;
        result.reason = QObject::tr("cannot write %1 (%2)")
                            .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return result;
}

} // namespace

TransferResult DownloadPage(Inet &transfer, QString &address, const QString &directory,
                            const QString &fileName)
{
    address = completePageAddress(address);
    const TransferResult fetched = transfer.OpenURL(address, Inet::PageSizeLimit);
    if (!fetched.ok())
        return fetched;
    return writeWhole(directory, fileName, fetched);
}

Fetch *DownloadPicture(QNetworkAccessManager &network, const QString &reference,
                       std::chrono::milliseconds idleTimeout, QObject *parent)
{
    return new Fetch(network, reference, Inet::PictureSizeLimit, idleTimeout, parent);
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')) ||
        name.contains(QLatin1Char('['))) {
        return !QDir(info.path()).entryList({name}, QDir::Files | QDir::NoDotAndDotDot).isEmpty();
    }
    return info.isFile() && !info.isHidden();
}

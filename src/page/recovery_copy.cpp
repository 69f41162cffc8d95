#include "page/recovery_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QUuid>

#include <algorithm>

namespace {

const QString CopySuffix = QStringLiteral(".qvrecovery");
const QString LockSuffix = QStringLiteral(".lock");

QString lockPathOf(const QString &copyPath)
{
    return copyPath + LockSuffix;
}

// A lock that a running program never loses, whatever its age: only the end of its holder frees
// it.
std::unique_ptr<QLockFile> takeLock(const QString &copyPath)
{
    auto lock = std::make_unique<QLockFile>(lockPathOf(copyPath));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

QByteArray encodeRecoveryContents(const RecoveryContents &contents)
{
    QJsonObject object;
    object.insert(QStringLiteral("file"), contents.filePath);
    object.insert(QStringLiteral("written"), contents.written.toString(Qt::ISODateWithMs));
    object.insert(QStringLiteral("page"), contents.pageText);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<RecoveryContents> decodeRecoveryContents(const QByteArray &bytes)
{
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    const QJsonObject object = document.object();
    const QJsonValue page = object.value(QStringLiteral("page"));
    const QJsonValue file = object.value(QStringLiteral("file"));
    const QJsonValue written = object.value(QStringLiteral("written"));
    if (!page.isString() || !file.isString() || !written.isString())
        return std::nullopt;
    const QDateTime time = QDateTime::fromString(written.toString(), Qt::ISODateWithMs);
    if (!time.isValid())
        return std::nullopt;
    return RecoveryContents{page.toString(), file.toString(), time};
}

RecoveryCopy::RecoveryCopy(const QString &directory) : m_directory(directory) {}

RecoveryCopy::~RecoveryCopy() = default;

bool RecoveryCopy::claim()
{
    if (m_lock)
        return true;
    if (m_directory.isEmpty() || !QDir().mkpath(m_directory))
        return false;
    // The directory holds the copies of every user's program: readable by this user alone.
    QFile::setPermissions(m_directory,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString path = m_directory + QLatin1Char('/') +
                         QUuid::createUuid().toString(QUuid::WithoutBraces) + CopySuffix;
    m_lock = takeLock(path);
    if (!m_lock)
        return false;
    m_path = path;
    return true;
}

bool RecoveryCopy::write(const RecoveryContents &contents)
{
    if (!claim())
        return false;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encodeRecoveryContents(contents);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void RecoveryCopy::remove()
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}

bool RecoveryCopy::exists() const
{
    return !m_path.isEmpty() && QFileInfo::exists(m_path);
}

OrphanedCopy::OrphanedCopy(QString path, RecoveryContents contents, std::unique_ptr<QLockFile> lock)
    : m_path(std::move(path)), m_contents(std::move(contents)), m_lock(std::move(lock))
{}

OrphanedCopy::OrphanedCopy(OrphanedCopy &&) noexcept = default;
OrphanedCopy &OrphanedCopy::operator=(OrphanedCopy &&) noexcept = default;

OrphanedCopy::~OrphanedCopy()
{
    // A copy that was neither recovered nor thrown away is offered again by a later start.
    if (m_lock)
        m_lock->unlock();
}

void OrphanedCopy::remove()
{
    QFile::remove(m_path);
}

std::vector<OrphanedCopy> OrphanedCopy::findIn(const QString &directory)
{
    std::vector<OrphanedCopy> found;
    if (directory.isEmpty())
        return found;
    const QDir folder(directory);
    for (const QString &name : folder.entryList({QStringLiteral("*") + CopySuffix}, QDir::Files)) {
        const QString path = folder.filePath(name);
        std::unique_ptr<QLockFile> lock = takeLock(path);
        if (!lock)
            continue; // its program still runs
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const std::optional<RecoveryContents> contents = decodeRecoveryContents(file.readAll());
        if (!contents)
            continue;
        found.push_back(OrphanedCopy(path, *contents, std::move(lock)));
    }
    std::sort(found.begin(), found.end(), [](const OrphanedCopy &a, const OrphanedCopy &b) {
        return a.contents().written > b.contents().written;
    });
    return found;
}

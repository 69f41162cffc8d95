#pragma once

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QLockFile;

// A copy of a page with unsaved changes, kept where the next start of the program finds it should
// this one end without saving or discarding them: killed, crashed, or the computer lost power.
//
// Each running program keeps its own copy, a file named after a random id, beside a lock file that
// it holds as long as it runs. A copy whose lock nobody holds belongs to a program that has ended:
// that is the copy a later start offers.
struct RecoveryContents
{
    // The page text as Save would write it.
    QString pageText;
    // The page file the changes belong to; empty for a page that has none yet.
    QString filePath;
    QDateTime written;
};

class RecoveryCopy
{
public:
    explicit RecoveryCopy(const QString &directory);
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy &) = delete;
    RecoveryCopy &operator=(const RecoveryCopy &) = delete;

    // Replaces the copy as a whole, or leaves the one before when it cannot; never half a copy.
    bool write(const RecoveryContents &contents);
    void remove();
    bool exists() const;
    // The copy's file, once it has been claimed by a first write.
    QString path() const { return m_path; }

private:
    bool claim();

    QString m_directory;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

// A copy left by a program that no longer runs. It is held while it is offered, so that two
// programs started together never both offer it, and let go when this object goes.
class OrphanedCopy
{
public:
    OrphanedCopy(OrphanedCopy &&) noexcept;
    OrphanedCopy &operator=(OrphanedCopy &&) noexcept;
    ~OrphanedCopy();

    const RecoveryContents &contents() const { return m_contents; }
    // The user recovered it or threw it away: it is offered no more.
    void remove();

    // The copies in the directory whose programs have ended, the newest first.
    static std::vector<OrphanedCopy> findIn(const QString &directory);

private:
    OrphanedCopy(QString path, RecoveryContents contents, std::unique_ptr<QLockFile> lock);

    QString m_path;
    RecoveryContents m_contents;
    std::unique_ptr<QLockFile> m_lock;
};

// The copy in the form it is kept: a small JSON document. Nothing for bytes that are none.
QByteArray encodeRecoveryContents(const RecoveryContents &contents);
std::optional<RecoveryContents> decodeRecoveryContents(const QByteArray &bytes);

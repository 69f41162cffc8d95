#include "app/main_window.h"

#include "browser/module1.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A directory of its own for each run, readable by its user alone, removed with the window. None
// when TMPDIR names no directory: Qt's temporary path is then empty, and the directory would be
// made at the root of the file system.
std::unique_ptr<QTemporaryDir> makeProgramDirectory()
{
    const QString parent = QDir::tempPath();
    if (parent.isEmpty())
        return nullptr;
    return std::make_unique<QTemporaryDir>(parent + QStringLiteral("/quorvane-XXXXXX"));
}

} // namespace

QString Form1::programDirectory() const
{
    const auto usable = [this] {
        return m_temporaryDirectory && m_temporaryDirectory->isValid() &&
               QFileInfo(m_temporaryDirectory->path()).isDir();
    };
    if (!usable())
        m_temporaryDirectory = makeProgramDirectory();
    return usable() ? m_temporaryDirectory->path() : QString();
}

QString Form1::temporaryPageFile() const
{
    const QString directory = programDirectory();
    return directory.isEmpty() ? QString() : directory + QLatin1Char('/') + TemporaryPageName;
}

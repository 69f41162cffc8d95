#include "editor/picture_reference.h"

#include <QDir>
#include <QFileInfo>

QString pictureReference(const QString &pictureFile, const QString &pageFile)
{
    const QString fullPath = QDir::cleanPath(QFileInfo(pictureFile).absoluteFilePath());
    if (pageFile.isEmpty())
        return fullPath;
    const QString relative = QDir(QFileInfo(pageFile).absolutePath()).relativeFilePath(fullPath);
    if (relative.isEmpty() || QDir::isAbsolutePath(relative) || relative == QLatin1String("..") ||
        relative.startsWith(QLatin1String("../")))
        return fullPath;
    return relative;
}

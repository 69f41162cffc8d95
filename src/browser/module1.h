#pragma once

#include "browser/inet.h"

#include <QString>

// The three functions through which every byte from the network passes. A download reports what
// its transfer reported; Done means that the file now holds exactly the fetched bytes, and any
// other status that nothing was written.

// The temporary files of the program directory: the page last downloaded and the picture being
// fetched, which has this one name whatever its format.
inline const QString TemporaryPageName = QStringLiteral("temp.qvif");
inline const QString TemporaryPictureName = QStringLiteral("temp.bmp");

// Completes the page address in place (see completePageAddress) and, unless the transfer
// component is busy or the fetch fails, replaces directory/fileName with the fetched bytes.
// A failed fetch leaves the file as it was.
TransferResult DownloadPage(Inet &transfer, QString &address, const QString &directory,
                            const QString &fileName);

// Fetches a picture reference, used as it stands, into directory/temp.bmp, unless the transfer
// component is busy. A failed fetch writes no file.
TransferResult DownloadPicture(Inet &transfer, const QString &reference, const QString &directory);

// Whether a directory listing of the path finds an ordinary, visible file. Wildcards in the file
// name match as patterns. The empty path is never looked up.
bool FileExists(const QString &path);

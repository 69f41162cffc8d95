#pragma once

#include "browser/inet.h"

#include <QString>

#include <chrono>

class QNetworkAccessManager;

// The functions through which every byte from the network passes. A page download reports what
// its transfer reported; Done means that the file now holds exactly the fetched bytes, and any
// other status that nothing was written.

// The temporary file of the program directory that holds the page last downloaded.
inline const QString TemporaryPageName = QStringLiteral("temp.qvif");

// Completes the page address in place (see completePageAddress) and, unless the transfer
// component is busy or the fetch fails, replaces directory/fileName with the fetched bytes.
// A failed fetch leaves the file as it was.
TransferResult DownloadPage(Inet &transfer, QString &address, const QString &directory,
                            const QString &fileName);

// Starts fetching a picture reference, used as it stands, in the background, at most
// Inet::PictureSizeLimit bytes of it. The bytes stay in memory: several pictures arrive at once,
// and each is decoded from what its fetch holds. The fetch is a child of the parent.
Fetch *DownloadPicture(QNetworkAccessManager &network, const QString &reference,
                       std::chrono::milliseconds idleTimeout, QObject *parent);

// Whether a directory listing of the path finds an ordinary, visible file. Wildcards in the file
// name match as patterns. The empty path is never looked up.
bool FileExists(const QString &path);

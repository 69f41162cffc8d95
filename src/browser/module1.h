#pragma once

#include <QString>

class Inet;

// What a download did. The program's callers tell the user about failures from this.
struct DownloadResult
{
    enum class Outcome
    {
        Written, // the file now holds exactly the fetched bytes
        Busy,    // the transfer component was busy; nothing was fetched or written
        Failed,  // nothing was written; reason says why
        Stopped, // the transfer was stopped for another one; nothing was written
    };

    Outcome outcome = Outcome::Failed;
    QString reason;
    // The address the bytes came from, after redirects.
    QString finalAddress;

    bool written() const { return outcome == Outcome::Written; }
};

// The three functions through which every byte from the network passes.

// Completes the page address in place (see completePageAddress) and, unless the transfer
// component is busy or the fetch fails, replaces directory/fileName with the fetched bytes.
// A failed fetch leaves the file as it was.
DownloadResult DownloadPage(Inet &transfer, QString &address, const QString &directory,
                            const QString &fileName);

// Fetches a picture reference, used as it stands, into directory/temp.bmp, unless the transfer
// component is busy. A failed fetch writes no file.
DownloadResult DownloadPicture(Inet &transfer, const QString &reference, const QString &directory);

// Whether a directory listing of the path finds an ordinary, visible file. Wildcards in the file
// name match as patterns. The empty path is never looked up.
bool FileExists(const QString &path);

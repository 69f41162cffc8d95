#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// Page addresses as the user types them and as pages store them: completion to a page-file
// address, the translation to what the transfer component fetches, and the resolution of a
// reference relative to the page it belongs to. None of this needs a widget.

// The page-file address of a typed address: an address whose last five characters are not
// ".qvif" (in any letter case) gets "index.qvif" after a final "/" or "\", and "/index.qvif"
// otherwise. Nothing is trimmed, so a query string or a trailing space stays part of it.
QString completePageAddress(const QString &address);

// Where an address leads once a missing scheme is filled in.
enum class AddressKind
{
    Network,    // http:// or https://
    Local,      // file:// or a local path
    Unsupported // any other scheme (qrc:, data:, mailto: ...), or no usable address at all
};

AddressKind kindOfAddress(const QString &address);

// The URL that fetching an address reads: http, https or file. An address without a scheme is
// an http address unless it is an absolute local path. Empty for an unsupported address.
std::optional<QUrl> urlOfAddress(const QString &address);

// A reference as a web browser resolves it against the address of the page it belongs to:
// a reference with a scheme, or one resolved against no page, stays as it is; a relative one
// is taken relative to the page's URL or, for a page opened from disk, to its file's folder.
QString resolveReference(const QString &reference, const QString &pageAddress);

// A page that came over the network may only lead to network addresses; a page from disk, or
// an address the user typed (no page address), may also name local files.
bool mayFollow(const QString &address, const QString &pageAddress);

// Why the page may not lead to the address, in words for the user; empty when it may.
QString refusalOf(const QString &address, const QString &pageAddress);

// The page file that a page of this address is saved to when it is edited: its own file for a
// page from disk, a file of its name in the folder given for a page from the web. Empty for an
// address that names no page.
QString pageFileOfAddress(const QString &pageAddress, const QString &folder);

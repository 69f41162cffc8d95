#pragma once

#include <QString>

#include <optional>

// A page with `perKind` buttons, labels and pictures, every field of every slot present, written
// as the program writes it. With 100 of each kind it is the fullest page there is: 2,506 lines.
QString writeBenchPage(const QString &path, int perKind);

// The way a page was first read: the file opened and scanned from its first line for every single
// key, the last matching line winning. Kept here only as the reference the loader is measured
// against.
std::optional<QString> findByRescan(const QString &path, const QString &key);

#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to show at start: nothing, a page file to edit or an address to
// browse.
struct StartRequest
{
    enum class Kind
    {
        None,
        PageFile,
        Address,
        Error
    };
    Kind kind = Kind::None;
    // The absolute path of the page file, the address, or the message of an error.
    QString value;
};

// Reads the one optional argument. An http, https or file address is browsed; anything else is
// taken as the path of a page file, relative to the working directory.
StartRequest startRequestFor(const QStringList &positionalArguments,
                             const QString &workingDirectory);

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

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

// What the command line asks for: a start, or an exit with a status once --help, --version or an
// error has been answered on the terminal.
struct CommandLine
{
    StartRequest request;
    std::optional<int> exitStatus;
};

// Reads the whole command line, arguments[0] being the program. It needs no window system, so
// that --help and --version answer on a terminal without a display.
CommandLine readCommandLine(const QStringList &arguments, const QString &workingDirectory);

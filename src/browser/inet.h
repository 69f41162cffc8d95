#pragma once

#include <QObject>

// The transfer component that performs every download of the program.
class Inet : public QObject
{
    Q_OBJECT
public:
    // True while a transfer is running; a second one is not started meanwhile.
    bool StillExecuting() const { return false; }
};

#pragma once

#include "page/recovery_copy.h"

#include <QObject>
#include <QTimer>

#include <functional>

class QUndoStack;

// Whether the page holds changes that its file does not, as the undo stack tells it: exactly when
// the stack is away from its clean index. While it is, a recovery copy of the page is kept up to
// date, written at most a second after each change, and removed once the changes are saved or
// thrown away.
class UnsavedChanges : public QObject
{
    Q_OBJECT
public:
    // What the copy holds at the moment it is written.
    using Snapshot = std::function<RecoveryContents()>;
    static constexpr int CopyDelayMs = 1000;

    UnsavedChanges(QUndoStack &stack, RecoveryCopy &copy, Snapshot snapshot,
                   QObject *parent = nullptr);

    bool exist() const;
    // The page was written to its file: it is as its file says.
    void markSaved();
    // A page restored from a recovery copy has changes that no file holds.
    void markRecovered();
    // The user threw the changes away; the page is about to be replaced or the program to end.
    void discard();
    // The program ends without asking: the copy must hold the page as it is now.
    void keepForRecovery();

signals:
    void existChanged(bool exist);

private:
    void onCleanChanged(bool clean);
    void onIndexChanged();
    void writeCopy();

    QUndoStack &m_stack;
    RecoveryCopy &m_copy;
    Snapshot m_snapshot;
    QTimer m_delay;
};

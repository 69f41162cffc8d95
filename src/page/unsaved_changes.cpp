#include "page/unsaved_changes.h"

#include <QUndoStack>

UnsavedChanges::UnsavedChanges(QUndoStack &stack, RecoveryCopy &copy, Snapshot snapshot,
                               QObject *parent)
    : QObject(parent), m_stack(stack), m_copy(copy), m_snapshot(std::move(snapshot))
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(CopyDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &UnsavedChanges::writeCopy);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &UnsavedChanges::onCleanChanged);
    connect(&m_stack, &QUndoStack::indexChanged, this, &UnsavedChanges::onIndexChanged);
}

bool UnsavedChanges::exist() const
{
    return !m_stack.isClean();
}

void UnsavedChanges::markSaved()
{
    m_stack.setClean();
}

void UnsavedChanges::markRecovered()
{
    m_stack.resetClean();
    writeCopy();
}

void UnsavedChanges::discard()
{
    m_delay.stop();
    m_copy.remove();
}

void UnsavedChanges::keepForRecovery()
{
    if (exist())
        writeCopy();
}

void UnsavedChanges::onCleanChanged(bool clean)
{
    if (clean) {
        discard();
    } else if (!m_delay.isActive()) {
        m_delay.start();
    }
    emit existChanged(!clean);
}

void UnsavedChanges::onIndexChanged()
{
    // A burst of changes is written once, at most a second after the first of them; a change that
    // comes after a write starts the next one.
    if (exist() && !m_delay.isActive())
        m_delay.start();
}

void UnsavedChanges::writeCopy()
{
    m_delay.stop();
    if (exist())
        m_copy.write(m_snapshot());
}

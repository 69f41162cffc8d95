#include "app/common_dialog.h"
#include "app/main_window.h"
#include "app/window_title.h"
#include "page/loader.h"
#include "page/page_text.h"
#include "page/recovery_copy.h"
#include "page/unsaved_changes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QUndoStack>

namespace {

QString displayName(const QString &filePath)
{
    return filePath.isEmpty() ? Form1::tr("Untitled") : QFileInfo(filePath).fileName();
}

} // namespace

QString Form1::recoveryDirectory()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/recovery");
}

void Form1::createUnsavedChanges()
{
    m_undoStack = new QUndoStack(this);
    m_recoveryCopy = std::make_unique<RecoveryCopy>(recoveryDirectory());
    m_unsavedChanges = new UnsavedChanges(
        *m_undoStack, *m_recoveryCopy,
        [this] {
            return RecoveryContents{pageText(), m_pageFilePath, QDateTime::currentDateTime()};
        },
        this);
    connect(m_undoStack, &QUndoStack::indexChanged, this, &Form1::refreshWindowTitle);
    connect(m_undoStack, &QUndoStack::cleanChanged, this, &Form1::refreshWindowTitle);
    // Ending without a question (a termination signal) keeps the changes for the next start.
    connect(qApp, &QCoreApplication::aboutToQuit, m_unsavedChanges,
            &UnsavedChanges::keepForRecovery);
}

bool Form1::hasUnsavedChanges() const
{
    return m_unsavedChanges->exist();
}

bool Form1::askToSaveChanges()
{
    if (!hasUnsavedChanges())
        return true;
    const QString question = tr("Save changes to %1?").arg(displayName(m_pageFilePath));
    switch (Common->askSaveChanges(this, QStringLiteral("Quorvane"), question)) {
    case CommonDialog::SaveChangesAnswer::Save:
        // A cancelled or failed save keeps the page, and the command does not go on.
        return savePage();
    case CommonDialog::SaveChangesAnswer::Discard:
        m_unsavedChanges->discard();
        return true;
    case CommonDialog::SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

bool Form1::offerRecovery()
{
    for (OrphanedCopy &copy : OrphanedCopy::findIn(recoveryDirectory())) {
        const RecoveryContents &contents = copy.contents();
        const QString question =
            tr("Recover unsaved changes to %1 from %2?")
                .arg(displayName(contents.filePath),
                     QLocale().toString(contents.written, QLocale::ShortFormat));
        if (!Common->askRecover(this, QStringLiteral("Quorvane"), question)) {
            copy.remove();
            continue;
        }
        endNavigation();
        enterEditorModeForOpen();
        ClearPage();
        const PageText text = PageText::fromText(contents.pageText);
        setPageAddress(contents.filePath);
        setPageFilePath(contents.filePath);
        loadPageFields(*this, [&text](const QString &key) { return text.find(key); });
        // This run keeps its own copy of the changes before the old one goes.
        m_unsavedChanges->markRecovered();
        copy.remove();
        refreshWindowTitle();
        return true;
    }
    return false;
}

void Form1::refreshWindowTitle()
{
    setWindowTitle(
        windowTitleFor({BrowserMode, m_pageShown, m_pageFilePath, PageTitle, pageAddress()}));
    setWindowModified(!BrowserMode && hasUnsavedChanges());
}

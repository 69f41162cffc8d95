#include "app/common_dialog.h"
#include "app/main_window.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QStandardPaths>

void Form1::mnuNew_Click()
{
    // The counters of buttons and labels are the only sign of work on the page.
    if (ButtonCount > 0 || LabelCount > 0) {
        const bool startNew = Common->askYesNo(
            this, QStringLiteral("Quorvane"),
            QStringLiteral("This workspace has been changed, are you sure you want to start a new "
                           "workspace?"));
        if (!startNew)
            return;
        for (int i = 0; i <= qMin<int>(ButtonCount, SlotCount); ++i)
            Buttonn[i]->hide();
        for (int i = 0; i <= qMin<int>(LabelCount, SlotCount); ++i)
            Labell[i]->hide();
        ButtonCount = 0;
        LabelCount = 0;
    }
    endNavigation();
    // Only the flag changes: the check marks and the browser strip stay as they were, so the next
    // choice of a mode item sets everything again from the check marks.
    BrowserMode = false;
    ClearPage();
    UnlockElements();
    Picture1->show();
    Picture2->show();
    updateBrowserCommands();
    refreshWindowTitle();
}

void Form1::mnuOpen_Click()
{
    // Asked before the page is cleared: Cancel, even in the Open dialog after Discard, must find
    // the page as it was.
    if (!askToSaveChanges())
        return;
    endNavigation();
    enterEditorModeForOpen();
    ClearPage();
    refreshWindowTitle();
    // A cancelled dialog leaves the cleared page.
    const QString startFolder =
        m_lastPageFolder.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            : m_lastPageFolder;
    const std::optional<QString> path = Common->showOpen(this, startFolder);
    if (!path || path->isEmpty())
        return;
    loadPageFile(*path);
}

void Form1::openPageFile(const QString &path)
{
    endNavigation();
    enterEditorModeForOpen();
    ClearPage();
    loadPageFile(path);
}

void Form1::belongToFile(const QString &path)
{
    setPageAddress(path);
    setPageFilePath(path);
    m_lastPageFolder = QFileInfo(path).absolutePath();
}

void Form1::loadPageFile(const QString &path)
{
    belongToFile(path);
    if (const std::optional<PageFileProblem> problem = LoadPage(path))
        showStatus(describePageFileProblem(*problem, QFileInfo(path).fileName()));
    refreshWindowTitle();
}

void Form1::enterEditorModeForOpen()
{
    if (!BrowserMode)
        return;
    BrowserMode = false;
    mnuInternet->setChecked(false);
    mnuWorkspace->setChecked(true);
    UnlockElements();
    Picture1->show();
    Picture2->show();
    pctInternet->hide();
    Form_Resize();
    updateBrowserCommands();
}

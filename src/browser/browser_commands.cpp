#include "app/main_window.h"

#include "browser/address.h"
#include "browser/browser_mouse.h"
#include "browser/picture_queue.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>

namespace {

QAction *makeAction(QObject *parent, const char *name, const QString &text,
                    const QList<QKeySequence> &shortcuts, const QString &tip)
{
    auto *action = new QAction(text, parent);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(shortcuts);
    action->setStatusTip(tip);
    return action;
}

} // namespace

void Form1::createBrowserActions()
{
    mnuBack = makeAction(this, "mnuBack", tr("Back"), {QKeySequence(Qt::ALT | Qt::Key_Left)},
                         tr("Go back to the page before"));
    connect(mnuBack, &QAction::triggered, this, &Form1::Command1_Click);
    mnuForward =
        makeAction(this, "mnuForward", tr("Forward"), {QKeySequence(Qt::ALT | Qt::Key_Right)},
                   tr("Go forward to the page after"));
    connect(mnuForward, &QAction::triggered, this, &Form1::Command2_Click);
    mnuReload = makeAction(this, "mnuReload", tr("Reload"),
                           {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)},
                           tr("Download the page again"));
    connect(mnuReload, &QAction::triggered, this, &Form1::Command3_Click);
    // Enabled only while a page or its pictures arrive in browser mode: Escape means something
    // else to the editor and to dialogs.
    mnuStop = makeAction(this, "mnuStop", tr("Stop"), {QKeySequence(Qt::Key_Escape)},
                         tr("Stop the page and its pictures arriving"));
    connect(mnuStop, &QAction::triggered, this, &Form1::mnuStop_Click);
    mnuEditPage =
        makeAction(this, "mnuEditPage", tr("Edit This Page"), {QKeySequence(Qt::CTRL | Qt::Key_E)},
                   tr("Edit the page shown in the workspace"));
    connect(mnuEditPage, &QAction::triggered, this, &Form1::mnuEditPage_Click);
}

void Form1::connectBrowsing()
{
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    m_browserMouse = std::make_unique<BrowserMouse>(*this);

    pictureProgress = new QLabel(statusBar());
    pictureProgress->setObjectName(QStringLiteral("pictureProgress"));
    pictureProgress->hide();
    statusBar()->addPermanentWidget(pictureProgress);
    connect(m_pictureQueue.get(), &PictureQueue::changed, this, [this] {
        const PictureQueue &queue = *m_pictureQueue;
        pictureProgress->setVisible(queue.batchSize() > 0);
        pictureProgress->setText(
            tr("Pictures: %1 of %2").arg(queue.takenCount()).arg(queue.batchSize()));
        updateBrowserCommands();
    });
}

void Form1::updateBrowserCommands()
{
    if (!BrowserMode)
        m_browserMouse->forgetLink();
    Command1->setEnabled(m_history.canGoBack());
    Command2->setEnabled(m_history.canGoForward());
    mnuBack->setEnabled(BrowserMode && m_history.canGoBack());
    mnuForward->setEnabled(BrowserMode && m_history.canGoForward());
    mnuReload->setEnabled(BrowserMode);
    mnuStop->setEnabled(BrowserMode && (m_navigating || !m_pictureQueue->isEmpty()));
    mnuEditPage->setEnabled(BrowserMode);
}

// The page stays on the canvas, unlike Type > Workspace, and Save offers its own file: the file it
// came from, or one of its name in the documents folder for a page from the web.
void Form1::mnuEditPage_Click()
{
    if (!BrowserMode)
        return;
    endNavigation();
    enterEditorModeForOpen();
    setPageFilePath(pageFileOfAddress(
        m_pageAddress, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    refreshWindowTitle();
}

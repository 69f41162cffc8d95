#include "app/main_window.h"

#include "app/command_line.h"
#include "app/debug_view.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

void Form1::mnuInternet_Click()
{
    // The switch clears the canvas when it ends in editor mode.
    if (mnuInternet->isChecked() && !askToSaveChanges())
        return;
    mnuInternet->setChecked(!mnuInternet->isChecked());
    mnuWorkspace->setChecked(!mnuInternet->isChecked());
    switchMode();
}

void Form1::mnuWorkspace_Click()
{
    if (!mnuWorkspace->isChecked() && !askToSaveChanges())
        return;
    mnuWorkspace->setChecked(!mnuWorkspace->isChecked());
    mnuInternet->setChecked(!mnuWorkspace->isChecked());
    switchMode();
}

// Sets the mode and the strips from the check marks; entering editor mode starts from a cleared
// canvas, while entering browser mode keeps the page being edited so that its links can be tried.
void Form1::switchMode()
{
    endNavigation();
    BrowserMode = mnuInternet->isChecked();
    pctInternet->setVisible(BrowserMode);
    Picture1->setVisible(!BrowserMode);
    Picture2->setVisible(!BrowserMode);
    if (BrowserMode)
        LockElements();
    else
        UnlockElements();
    if (mnuWorkspace->isChecked())
        ClearPage();
    Form_Resize();
    updateBrowserCommands();
    refreshWindowTitle();
}

void Form1::mnuDebug_Click()
{
    RTB->setVisible(RTB->isHidden());
    RTB->setGeometry(0, 0, 400, 400);
    RTB->raise();
}

void Form1::startWith(const StartRequest &request)
{
    // Take the keyboard at once, so that the menu shortcuts work before the first click even on
    // a desktop without a window manager.
    activateWindow();
    // Work an ended run left unsaved comes first; the page asked for can be opened after it.
    if (offerRecovery())
        return;
    if (request.kind == StartRequest::Kind::PageFile) {
        openPageFile(request.value);
    } else if (request.kind == StartRequest::Kind::Address) {
        // Navigate once the window is on screen, as if the address had been typed and Go pressed.
        txtAddress->setText(request.value);
        QTimer::singleShot(0, cmdGo, &QPushButton::click);
    }
}

#include "app/main_window.h"

#include <QAction>
#include <QFrame>
#include <QPlainTextEdit>

void Form1::mnuInternet_Click()
{
    mnuInternet->setChecked(!mnuInternet->isChecked());
    mnuWorkspace->setChecked(!mnuInternet->isChecked());
    switchMode();
}

void Form1::mnuWorkspace_Click()
{
    mnuWorkspace->setChecked(!mnuWorkspace->isChecked());
    mnuInternet->setChecked(!mnuWorkspace->isChecked());
    switchMode();
}

// Sets the mode and the strips from the check marks; entering editor mode starts from a cleared
// canvas, while entering browser mode keeps the page being edited so that its links can be tried.
void Form1::switchMode()
{
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
}

void Form1::mnuDebug_Click()
{
    RTB->setVisible(RTB->isHidden());
    RTB->setGeometry(0, 0, 400, 400);
    RTB->raise();
}

#include "app/main_window.h"

#include "app/canvas_area.h"
#include "app/tag.h"
#include "browser/address.h"
#include "browser/browser_mouse.h"
#include "browser/inet.h"
#include "browser/module1.h"
#include "browser/picture_queue.h"

#include <QFrame>
#include <QLineEdit>

#include <utility>

void Form1::navigateTo(const QString &address, NavigationKind how)
{
    // Whatever takes the page away offers first to save what the page holds unsaved.
    if (!askToSaveChanges())
        return;
    QString target = address;
    Navigate(target, how);
}

// Downloads the page at the address into the temporary page file and builds the canvas from that
// file, under the loading overlay. On return the caller's variable holds the completed address.
//
// A navigation asked for while another one runs further down the call stack (Go pressed twice, a
// link clicked while a slow page arrives or loads) does not run inside it: it stops the earlier
// download and waits its turn, and the earlier navigation then runs it instead of finishing its own
// page. The later navigation wins, and no page is ever built from two files.
void Form1::Navigate(QString &address, NavigationKind how)
{
    if (!m_navigating) {
        m_addressBeforeNavigation = txtAddress->text();
        m_lastAddressBeforeNavigation = tagOf(txtAddress);
    }
    setTag(txtAddress, address);
    if (m_navigating) {
        m_pendingNavigation = PendingNavigation{address, how};
        address = completePageAddress(address);
        transfer().Stop();
        return;
    }

    m_navigating = true;
    m_navigationEnded = false;
    m_browserMouse->forgetLink();
    picLoading->show();
    picLoading->raise();
    updateBrowserCommands();
    runNavigation(address, how);
    while (m_pendingNavigation && !m_navigationEnded) {
        PendingNavigation next = *std::exchange(m_pendingNavigation, std::nullopt);
        runNavigation(next.address, next.how);
    }
    picLoading->hide();
    m_navigating = false;
    // Stopped, the window shows the page it had, with its address, and Reload reloads that page.
    if (std::exchange(m_navigationStopped, false)) {
        txtAddress->setText(m_pageAddress.isEmpty() ? m_addressBeforeNavigation : m_pageAddress);
        setTag(txtAddress, m_lastAddressBeforeNavigation);
        showStatus(tr("Stopped"));
    }
    updateBrowserCommands();
    refreshWindowTitle();
}

void Form1::runNavigation(QString &address, NavigationKind how)
{
    const TransferResult download =
        DownloadPage(transfer(), address, programDirectory(), TemporaryPageName);
    if (m_pendingNavigation || m_navigationEnded)
        return;

    // After a failure the temporary page file still holds the page downloaded last, which is
    // built again; it keeps the address it came from.
    if (download.ok())
        m_temporaryPageAddress = download.finalAddress;
    ClearPage();
    canvasArea->scrollToOrigin();
    setPageAddress(m_temporaryPageAddress);
    const std::optional<PageFileProblem> problem = LoadPage(temporaryPageFile());
    if (m_pendingNavigation || m_navigationEnded)
        return;
    txtAddress->setText(address);
    if (!download.ok())
        showStatus(tr("Could not load %1: %2").arg(address, download.reason));
    else if (problem)
        showStatus(describePageFileProblem(*problem, address));
    // Only a page that arrived is a place in the history.
    if (download.ok())
        recordVisit(address, how);
}

void Form1::recordVisit(const QString &address, NavigationKind how)
{
    switch (how) {
    case NavigationKind::Back:
        m_history.back();
        break;
    case NavigationKind::Forward:
        m_history.forward();
        break;
    case NavigationKind::Go:
    case NavigationKind::Link:
    case NavigationKind::Reload:
        m_history.visit(address);
        break;
    }
}

void Form1::endNavigation()
{
    if (!m_navigating)
        return;
    m_navigationEnded = true;
    m_pendingNavigation.reset();
    transfer().Stop();
}

void Form1::cmdGo_Click()
{
    navigateTo(txtAddress->text(), NavigationKind::Go);
}

void Form1::Command3_Click()
{
    navigateTo(tagOf(txtAddress), NavigationKind::Reload);
}

// Back and forward download the page again, as Reload does; the history moves once it has arrived.
void Form1::Command1_Click()
{
    if (const std::optional<QString> address = m_history.backAddress())
        navigateTo(*address, NavigationKind::Back);
}

void Form1::Command2_Click()
{
    if (const std::optional<QString> address = m_history.forwardAddress())
        navigateTo(*address, NavigationKind::Forward);
}

void Form1::mnuStop_Click()
{
    if (!BrowserMode)
        return;
    // Once the page has arrived it is being built on the canvas; that is let to finish.
    if (m_navigating && transfer().StillExecuting()) {
        m_navigationStopped = true;
        endNavigation();
    }
    if (!m_pictureQueue->isEmpty()) {
        m_pictureQueue->clear();
        showStatus(tr("Stopped"));
    }
}

void Form1::followLink(PageElement *element)
{
    if (!element || element->tag().isEmpty())
        return;
    const QString target = resolveReference(element->tag(), m_pageAddress);
    if (const QString refusal = refusalOf(target, m_pageAddress); !refusal.isEmpty()) {
        showStatus(tr("Refused %1: %2").arg(target, refusal));
        return;
    }
    navigateTo(target, NavigationKind::Link);
}

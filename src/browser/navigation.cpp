#include "app/main_window.h"

#include "app/tag.h"
#include "browser/address.h"
#include "browser/inet.h"
#include "browser/module1.h"

#include <QFrame>
#include <QLineEdit>

#include <utility>

// Downloads the page at the address into the temporary page file and builds the canvas from that
// file, under the loading overlay. On return the caller's variable holds the completed address.
//
// A navigation asked for while another one runs further down the call stack (Go pressed twice, a
// link clicked while a slow page arrives or loads) does not run inside it: it stops the earlier
// download and waits its turn, and the earlier navigation then runs it instead of finishing its own
// page. The later navigation wins, and no page is ever built from two files.
void Form1::Navigate(QString &address)
{
    setTag(txtAddress, address);
    if (m_navigating) {
        m_pendingNavigation = address;
        address = completePageAddress(address);
        transfer().Stop();
        return;
    }

    m_navigating = true;
    m_navigationEnded = false;
    picLoading->show();
    picLoading->raise();
    runNavigation(address);
    while (m_pendingNavigation && !m_navigationEnded) {
        QString next = *std::exchange(m_pendingNavigation, std::nullopt);
        runNavigation(next);
    }
    picLoading->hide();
    m_navigating = false;
}

void Form1::runNavigation(QString &address)
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
    setPageAddress(m_temporaryPageAddress);
    const std::optional<PageFileProblem> problem = LoadPage(temporaryPageFile());
    if (m_pendingNavigation || m_navigationEnded)
        return;
    txtAddress->setText(address);
    if (!download.ok())
        showStatus(tr("Could not load %1: %2").arg(address, download.reason));
    else if (problem)
        showStatus(describePageFileProblem(*problem, address));
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
    QString address = txtAddress->text();
    Navigate(address);
}

void Form1::Command3_Click()
{
    QString address = tagOf(txtAddress);
    Navigate(address);
}

void Form1::followLink(PageElement *element)
{
    if (!element || element->tag().isEmpty())
        return;
    QString target = resolveReference(element->tag(), m_pageAddress);
    if (const QString refusal = refusalOf(target, m_pageAddress); !refusal.isEmpty()) {
        showStatus(tr("Refused %1: %2").arg(target, refusal));
        return;
    }
    Navigate(target);
}

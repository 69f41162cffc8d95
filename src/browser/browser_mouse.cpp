#include "browser/browser_mouse.h"

#include "app/canvas.h"
#include "app/main_window.h"
#include "browser/address.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QStatusBar>

BrowserMouse::BrowserMouse(Form1 &window) : QObject(&window), m_window(window)
{
    qApp->installEventFilter(this);
}

BrowserMouse::~BrowserMouse()
{
    qApp->removeEventFilter(this);
}

void BrowserMouse::forgetLink()
{
    if (m_linkShownFor)
        m_window.statusBar()->clearMessage();
    m_linkShownFor = nullptr;
}

bool BrowserMouse::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != &m_window || !m_window.BrowserMode)
            break;
        const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
        QAction *command = button == Qt::BackButton      ? m_window.mnuBack
                           : button == Qt::ForwardButton ? m_window.mnuForward
                                                         : nullptr;
        if (!command)
            break;
        if (command->isEnabled())
            command->trigger();
        return true;
    }
    case QEvent::Enter:
        if (PageElement *element = elementOf(watched))
            showLink(element);
        break;
    case QEvent::Leave:
        if (m_linkShownFor && watched == m_linkShownFor)
            forgetLink();
        break;
    default:
        break;
    }
    return false;
}

PageElement *BrowserMouse::elementOf(QObject *object) const
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || widget->parentWidget() != m_window.canvas())
        return nullptr;
    return dynamic_cast<PageElement *>(widget);
}

void BrowserMouse::showLink(PageElement *element)
{
    if (!m_window.BrowserMode || element->tag().isEmpty())
        return;
    m_window.statusBar()->showMessage(resolveReference(element->tag(), m_window.pageAddress()));
    m_linkShownFor = element->widget();
}

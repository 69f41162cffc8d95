#pragma once

#include <QObject>
#include <QPointer>

class Form1;
class PageElement;
class QWidget;

// The mouse while the window browses, wherever the pointer is in it: the mouse's back and forward
// buttons go back and forward, and an element with a link tells in the status bar where it leads
// while the pointer is over it, as web browsers do. It watches the application's events, as those
// buttons reach whichever widget lies under the pointer.
class BrowserMouse : public QObject
{
    Q_OBJECT
public:
    explicit BrowserMouse(Form1 &window);
    ~BrowserMouse() override;

    // Takes back the address shown for the element under the pointer: its page is going.
    void forgetLink();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PageElement *elementOf(QObject *object) const;
    void showLink(PageElement *element);

    Form1 &m_window;
    QPointer<QWidget> m_linkShownFor;
};

#include "app/element_accessibility.h"

#include "app/elements.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {

class ElementAccessible : public QAccessibleWidget
{
public:
    explicit ElementAccessible(PageElement &element)
        : QAccessibleWidget(element.widget()), m_element(element)
    {}

    QAccessible::Role role() const override
    {
        if (m_element.kind() == ElementKind::Button)
            return QAccessible::Button;
        if (!m_element.tag().isEmpty())
            return QAccessible::Link;
        return m_element.kind() == ElementKind::Label ? QAccessible::StaticText
                                                      : QAccessible::Graphic;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return accessibleNameOf(m_element);
        if (kind == QAccessible::Description)
            return accessibleDescriptionOf(m_element);
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            m_element.activate();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    PageElement &m_element;
};

QAccessibleInterface *elementInterface(const QString &className, QObject *object)
{
    PageElement *element = nullptr;
    if (className == QLatin1String("ElementButton"))
        element = static_cast<ElementButton *>(object);
    else if (className == QLatin1String("ElementLabel"))
        element = static_cast<ElementLabel *>(object);
    else if (className == QLatin1String("ElementPicture"))
        element = static_cast<ElementPicture *>(object);
    return element ? new ElementAccessible(*element) : nullptr;
}

} // namespace

QString accessibleNameOf(const PageElement &element)
{
    switch (element.kind()) {
    case ElementKind::Button:
        return static_cast<const ElementButton &>(element).caption();
    case ElementKind::Label:
        return static_cast<const ElementLabel &>(element).caption();
    case ElementKind::Picture:
        return QCoreApplication::translate("PageElement", "Picture %1").arg(element.index());
    }
    return QString();
}

QString accessibleDescriptionOf(const PageElement &element)
{
    return element.tag();
}

bool reachedByKeyboard(const PageElement &element, bool browsing)
{
    return element.kind() == ElementKind::Button || (browsing && !element.tag().isEmpty());
}

bool isActivationKey(const QKeyEvent &event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ||
           event.key() == Qt::Key_Space;
}

void paintFocusFrame(QWidget &element, QPainter &painter)
{
    if (!element.hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(&element);
    // Inside the border, where it stays apart from it.
    option.rect = element.rect().adjusted(2, 2, -2, -2);
    element.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, &element);
}

void installElementAccessibility()
{
    QAccessible::installFactory(elementInterface);
}

#include "app/element_kind.h"

QString kindName(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Button:
        return QStringLiteral("Button");
    case ElementKind::Label:
        return QStringLiteral("Label");
    case ElementKind::Picture:
        return QStringLiteral("Picture");
    }
    return QString();
}

std::optional<ElementKind> kindNamed(QStringView name)
{
    for (ElementKind kind : {ElementKind::Button, ElementKind::Label, ElementKind::Picture}) {
        if (name == kindName(kind))
            return kind;
    }
    return std::nullopt;
}

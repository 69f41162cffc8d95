#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The three kinds of page element. Their names are what the add tools arm, what the panel
// container's tag holds for the selection and what a dragged element's data carries.
enum class ElementKind
{
    Button,
    Label,
    Picture
};

QString kindName(ElementKind kind);
// The kind a name stands for; nothing for any other text (the canvas's "WorkSpace" among them).
std::optional<ElementKind> kindNamed(QStringView name);

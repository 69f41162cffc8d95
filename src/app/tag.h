#pragma once

#include <QString>
#include <QWidget>

// Several controls carry a free text of their own: the selection kind on the panel container, the
// selected slot on each element panel, the last address on the address box. It lives in a dynamic
// property so that it travels with the control, as the rest of the program's state does.
inline QString tagOf(const QWidget *control)
{
    return control->property("tag").toString();
}

inline void setTag(QWidget *control, const QString &text)
{
    control->setProperty("tag", text);
}

#pragma once

#include <QObject>

// Hands the mouse, key and drag events of an element's widget to its PageElement, alike for the
// three kinds, so that they reach the window the same way. The pools install one on every slot.
class ElementEventForwarder : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

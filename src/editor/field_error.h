#pragma once

#include <QLineEdit>

// A panel field whose text Apply could not take is framed in red until its text changes.
inline bool isMarkedInvalid(const QLineEdit *field)
{
    return field->property("invalid").toBool();
}

inline void markInvalid(QLineEdit *field, bool invalid)
{
    if (isMarkedInvalid(field) == invalid)
        return;
    field->setProperty("invalid", invalid);
    field->setStyleSheet(invalid ? QStringLiteral("QLineEdit { border: 2px solid #d00000; }")
                                 : QString());
}

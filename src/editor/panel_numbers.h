#pragma once

#include "page/value_forms.h"

#include <QLocale>

// Positions, sizes and font sizes in the panels, with the user's decimal separator. Apply reads
// a point and a comma alike, so any other separator is shown as a point.
inline QChar panelDecimalPoint()
{
    const QString point = QLocale().decimalPoint();
    return point == QLatin1String(",") ? QLatin1Char(',') : QLatin1Char('.');
}

inline QString panelNumber(float value)
{
    return ValueForms::writeNumber(value, panelDecimalPoint());
}

#pragma once

#include <QString>

// A control of the Print Sheets window, named for tests and screen readers alike, and explained when it asks.
template<typename Control>
Control *named(Control *control, const char *name, const QString &accessibleName, const QString &toolTip = {})
{
    control->setObjectName(QLatin1String(name));
    control->setAccessibleName(accessibleName);
    if (!toolTip.isEmpty())
        control->setToolTip(toolTip);
    return control;
}

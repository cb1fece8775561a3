#pragma once

// Where a screen reader looks for an application's windows: the children of
// its accessible root. A window Qt leaves out of it (a popup) cannot be reached.

#include <QAccessible>
#include <QCoreApplication>

namespace nivora::testing {

inline bool isAccessibleWindow(const QObject* window)
{
    QAccessibleInterface* application = QAccessible::queryAccessibleInterface(qApp);
    if (!application)
        return false;
    for (int i = 0; i < application->childCount(); ++i) {
        if (application->child(i) && application->child(i)->object() == window)
            return true;
    }
    return false;
}

} // namespace nivora::testing

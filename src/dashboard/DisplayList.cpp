#include "dashboard/DisplayList.h"

#include "platform/ScreenProvider.h"

#include <QCoreApplication>

namespace nivora {

DisplayList::DisplayList(ScreenProvider& screens, QObject* parent) : QObject(parent), m_screens(screens)
{
    connect(&m_screens, &ScreenProvider::screensChanged, this, &DisplayList::refresh);
    refresh();
}

QString DisplayList::resolutionText(int width, int height)
{
    return QStringLiteral("%1 × %2").arg(width).arg(height);
}

DisplayRow DisplayList::rowFor(const ScreenInfo& screen, bool primary)
{
    DisplayRow row;
    row.displayID = screen.displayID;
    // A screen that is going away may already have lost its Qt object.
    const QString model = screen.screen ? screen.screen->model().trimmed() : QString();
    row.title = model.isEmpty() ? screen.name : model;
    if (row.title.isEmpty())
        row.title = QCoreApplication::translate("DisplayList", "Écran");
    row.name = screen.name;
    row.size = resolutionText(screen.frame.width(), screen.frame.height());
    row.detail = row.size;
    if (primary)
        row.detail += QCoreApplication::translate("DisplayList", " · Écran principal");
    return row;
}

QList<quint32> DisplayList::connectedIDs() const
{
    QList<quint32> ids;
    for (const DisplayRow& row : m_rows)
        ids.append(row.displayID);
    return ids;
}

void DisplayList::refresh()
{
    QList<DisplayRow> rows;
    const QList<ScreenInfo> screens = m_screens.screens();
    for (qsizetype i = 0; i < screens.size(); ++i)
        rows.append(rowFor(screens.at(i), i == 0));
    if (rows == m_rows)
        return;
    m_rows = rows;
    Q_EMIT rowsChanged();
}

} // namespace nivora

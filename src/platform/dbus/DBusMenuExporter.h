#pragma once

#include "platform/dbus/TrayDBusTypes.h"

#include <QDBusVariant>
#include <QList>
#include <QObject>
#include <QPointer>

class QAction;

namespace nivora {

// Publishes a flat list of actions as a com.canonical.dbusmenu menu, the menu
// format StatusNotifierItem hosts show (KDE, GNOME's AppIndicator extension,
// waybar…). Item ids are the positions in the list plus one; the root is 0.
// A "clicked" event triggers its action on the next turn of the event loop, so
// the host's call is answered before the action runs (the action may quit).
// Every change of an action bumps the layout revision and tells the host.
//
// Registered by its owner on a connection as a whole object: every public slot
// below is a D-Bus method. Main thread only.
class DBusMenuExporter : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    explicit DBusMenuExporter(const QList<QAction*>& actions, QObject* parent = nullptr);

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

    uint revision() const { return m_revision; }

public Q_SLOTS:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   nivora::DBusMenuLayoutItem& layout);
    nivora::DBusMenuItemList GetGroupProperties(const QList<int>& ids, const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const nivora::DBusMenuEventList& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

Q_SIGNALS:
    void ItemsPropertiesUpdated(const nivora::DBusMenuItemList& updated,
                                const nivora::DBusMenuItemKeysList& removed);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    QAction* actionFor(int id) const;
    QVariantMap propertiesOf(int id, const QStringList& names) const;
    bool handleEvent(int id, const QString& eventId);

    QList<QPointer<QAction>> m_actions;
    uint m_revision = 1;
};

} // namespace nivora

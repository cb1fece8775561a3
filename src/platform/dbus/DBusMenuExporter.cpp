#include "platform/dbus/DBusMenuExporter.h"

#include <QAction>
#include <QMetaObject>

namespace nivora {

namespace {

// dbusmenu labels use "_" as the mnemonic marker, Qt uses "&".
QString dbusLabel(const QString& text)
{
    QString label = text;
    label.replace(QLatin1Char('_'), QLatin1String("__"));
    label.replace(QLatin1String("&&"), QLatin1String("\x01"));
    label.replace(QLatin1Char('&'), QLatin1Char('_'));
    label.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return label;
}

} // namespace

DBusMenuExporter::DBusMenuExporter(const QList<QAction*>& actions, QObject* parent) : QObject(parent)
{
    registerTrayDBusTypes();
    for (QAction* action : actions) {
        m_actions.append(action);
        connect(action, &QAction::changed, this, [this] {
            ++m_revision;
            Q_EMIT LayoutUpdated(m_revision, 0);
        });
    }
}

QAction* DBusMenuExporter::actionFor(int id) const
{
    if (id < 1 || id > m_actions.size())
        return nullptr;
    return m_actions.at(id - 1).data();
}

QVariantMap DBusMenuExporter::propertiesOf(int id, const QStringList& names) const
{
    QVariantMap p;
    if (id == 0) {
        p.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    } else if (const QAction* action = actionFor(id)) {
        if (action->isSeparator()) {
            p.insert(QStringLiteral("type"), QStringLiteral("separator"));
        } else {
            p.insert(QStringLiteral("label"), dbusLabel(action->text()));
            if (action->isCheckable()) {
                p.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
                p.insert(QStringLiteral("toggle-state"), action->isChecked() ? 1 : 0);
            }
        }
        // Defaults ("enabled" and "visible" true) may be left out, but some hosts
        // only refresh what they are told explicitly.
        p.insert(QStringLiteral("enabled"), action->isEnabled());
        p.insert(QStringLiteral("visible"), action->isVisible());
    }
    if (names.isEmpty())
        return p;
    QVariantMap filtered;
    for (const QString& name : names) {
        if (p.contains(name))
            filtered.insert(name, p.value(name));
    }
    return filtered;
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                 DBusMenuLayoutItem& layout)
{
    layout = DBusMenuLayoutItem{};
    layout.id = parentId;
    layout.properties = propertiesOf(parentId, propertyNames);
    // Only the root has children; a depth of 0 asks for the node alone.
    if (parentId == 0 && recursionDepth != 0) {
        for (int id = 1; id <= m_actions.size(); ++id) {
            if (!actionFor(id))
                continue;
            layout.children.append(DBusMenuLayoutItem{id, propertiesOf(id, propertyNames), {}});
        }
    }
    return m_revision;
}

DBusMenuItemList DBusMenuExporter::GetGroupProperties(const QList<int>& ids, const QStringList& propertyNames)
{
    DBusMenuItemList items;
    for (int id : ids) {
        if (id == 0 || actionFor(id))
            items.append(DBusMenuItem{id, propertiesOf(id, propertyNames)});
    }
    return items;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString& name)
{
    return QDBusVariant(propertiesOf(id, {}).value(name));
}

bool DBusMenuExporter::handleEvent(int id, const QString& eventId)
{
    QAction* action = actionFor(id);
    if (!action)
        return false;
    if (eventId == QLatin1String("clicked") && action->isEnabled() && !action->isSeparator())
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
    return true;
}

void DBusMenuExporter::Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp)
{
    Q_UNUSED(data);
    Q_UNUSED(timestamp);
    handleEvent(id, eventId);
}

QList<int> DBusMenuExporter::EventGroup(const DBusMenuEventList& events)
{
    QList<int> errors;
    for (const DBusMenuEvent& event : events) {
        if (!handleEvent(event.id, event.eventId))
            errors.append(event.id);
    }
    return errors;
}

bool DBusMenuExporter::AboutToShow(int id)
{
    Q_UNUSED(id);
    return false;
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors)
{
    idErrors.clear();
    for (int id : ids) {
        if (id != 0 && !actionFor(id))
            idErrors.append(id);
    }
    return {};
}

} // namespace nivora

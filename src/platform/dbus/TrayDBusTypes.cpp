#include "platform/dbus/TrayDBusTypes.h"

#include <QDBusMetaType>

namespace nivora {

void registerTrayDBusTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<SniIconPixmap>();
        qDBusRegisterMetaType<SniIconPixmapList>();
        qDBusRegisterMetaType<SniToolTip>();
        qDBusRegisterMetaType<DBusMenuLayoutItem>();
        qDBusRegisterMetaType<DBusMenuItem>();
        qDBusRegisterMetaType<DBusMenuItemList>();
        qDBusRegisterMetaType<DBusMenuItemKeys>();
        qDBusRegisterMetaType<DBusMenuItemKeysList>();
        qDBusRegisterMetaType<DBusMenuEvent>();
        qDBusRegisterMetaType<DBusMenuEventList>();
        return true;
    }();
    Q_UNUSED(registered);
}

QDBusArgument& operator<<(QDBusArgument& arg, const SniIconPixmap& value)
{
    arg.beginStructure();
    arg << value.width << value.height << value.bytes;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniIconPixmap& value)
{
    arg.beginStructure();
    arg >> value.width >> value.height >> value.bytes;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const SniToolTip& value)
{
    arg.beginStructure();
    arg << value.iconName << value.pixmaps << value.title << value.description;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniToolTip& value)
{
    arg.beginStructure();
    arg >> value.iconName >> value.pixmaps >> value.title >> value.description;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayoutItem& value)
{
    arg.beginStructure();
    arg << value.id << value.properties;
    // Children travel as variants, which is what makes the type recursive.
    arg.beginArray(qMetaTypeId<QDBusVariant>());
    for (const DBusMenuLayoutItem& child : value.children)
        arg << QDBusVariant(QVariant::fromValue(child));
    arg.endArray();
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayoutItem& value)
{
    arg.beginStructure();
    arg >> value.id >> value.properties;
    value.children.clear();
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        const QDBusArgument inner = child.variant().value<QDBusArgument>();
        DBusMenuLayoutItem item;
        inner >> item;
        value.children.append(item);
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItem& value)
{
    arg.beginStructure();
    arg << value.id << value.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItem& value)
{
    arg.beginStructure();
    arg >> value.id >> value.properties;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItemKeys& value)
{
    arg.beginStructure();
    arg << value.id << value.names;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItemKeys& value)
{
    arg.beginStructure();
    arg >> value.id >> value.names;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEvent& value)
{
    arg.beginStructure();
    arg << value.id << value.eventId << value.data << value.timestamp;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEvent& value)
{
    arg.beginStructure();
    arg >> value.id >> value.eventId >> value.data >> value.timestamp;
    arg.endStructure();
    return arg;
}

} // namespace nivora

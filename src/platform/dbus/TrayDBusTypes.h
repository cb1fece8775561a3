#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The wire types of the StatusNotifierItem and com.canonical.dbusmenu
// interfaces. Call registerTrayDBusTypes() once before any of them crosses the
// bus.
namespace nivora {

// One icon picture: width, height and ARGB32 pixels in network byte order.
struct SniIconPixmap
{
    int width = 0;
    int height = 0;
    QByteArray bytes;
};
using SniIconPixmapList = QList<SniIconPixmap>;

// (icon name, pictures, title, description)
struct SniToolTip
{
    QString iconName;
    SniIconPixmapList pixmaps;
    QString title;
    QString description;
};

// A menu node with its properties and, recursively, its children (ia{sv}av).
struct DBusMenuLayoutItem
{
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

// (ia{sv})
struct DBusMenuItem
{
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItemList = QList<DBusMenuItem>;

// (ias)
struct DBusMenuItemKeys
{
    int id = 0;
    QStringList names;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// (isvu)
struct DBusMenuEvent
{
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

void registerTrayDBusTypes();

QDBusArgument& operator<<(QDBusArgument& arg, const SniIconPixmap& value);
const QDBusArgument& operator>>(const QDBusArgument& arg, SniIconPixmap& value);
QDBusArgument& operator<<(QDBusArgument& arg, const SniToolTip& value);
const QDBusArgument& operator>>(const QDBusArgument& arg, SniToolTip& value);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayoutItem& value);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayoutItem& value);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItem& value);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItem& value);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItemKeys& value);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItemKeys& value);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEvent& value);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEvent& value);

} // namespace nivora

Q_DECLARE_METATYPE(nivora::SniIconPixmap)
Q_DECLARE_METATYPE(nivora::SniToolTip)
Q_DECLARE_METATYPE(nivora::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(nivora::DBusMenuItem)
Q_DECLARE_METATYPE(nivora::DBusMenuItemKeys)
Q_DECLARE_METATYPE(nivora::DBusMenuEvent)

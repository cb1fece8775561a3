#include "platform/dbus/StatusNotifierItemAdaptor.h"

#include "platform/dbus/StatusNotifierItem.h"

#include <QImage>
#include <QtEndian>

namespace nivora {

namespace {

SniIconPixmapList pixmapsOf(const QIcon& icon)
{
    SniIconPixmapList list;
    for (int side : {16, 22, 24, 32, 48, 64}) {
        const QImage image = icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
        if (image.isNull())
            continue;
        SniIconPixmap pixmap{image.width(), image.height(), QByteArray()};
        pixmap.bytes.resize(qsizetype(image.width()) * image.height() * 4);
        auto* out = reinterpret_cast<quint32*>(pixmap.bytes.data());
        // The protocol wants ARGB32 in network byte order.
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                *out++ = qToBigEndian(line[x]);
        }
        list.append(pixmap);
    }
    return list;
}

} // namespace

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(StatusNotifierItem* item)
    : QDBusAbstractAdaptor(item), m_item(item), m_pixmaps(pixmapsOf(item->icon()))
{
    registerTrayDBusTypes();
}

QString StatusNotifierItemAdaptor::id() const
{
    return m_item->id();
}

QString StatusNotifierItemAdaptor::title() const
{
    return m_item->title();
}

QDBusObjectPath StatusNotifierItemAdaptor::menu() const
{
    return QDBusObjectPath(menuPath());
}

QString StatusNotifierItemAdaptor::menuPath()
{
    return QStringLiteral("/MenuBar");
}

SniToolTip StatusNotifierItemAdaptor::toolTip() const
{
    return SniToolTip{QString(), {}, m_item->title(), QString()};
}

void StatusNotifierItemAdaptor::Activate(int x, int y)
{
    m_item->activate(QPoint(x, y));
}

void StatusNotifierItemAdaptor::SecondaryActivate(int x, int y)
{
    m_item->secondaryActivate(QPoint(x, y));
}

void StatusNotifierItemAdaptor::ContextMenu(int x, int y)
{
    Q_UNUSED(x);
    Q_UNUSED(y);
}

void StatusNotifierItemAdaptor::Scroll(int delta, const QString& orientation)
{
    Q_UNUSED(delta);
    Q_UNUSED(orientation);
}

} // namespace nivora

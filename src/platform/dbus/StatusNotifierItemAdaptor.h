#pragma once

#include "platform/dbus/TrayDBusTypes.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>

namespace nivora {

class StatusNotifierItem;

// The org.kde.StatusNotifierItem interface of a StatusNotifierItem: the
// properties hosts read and the calls they make on clicks.
class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ iconThemePath)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(nivora::SniIconPixmapList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ emptyString)
    Q_PROPERTY(nivora::SniIconPixmapList OverlayIconPixmap READ emptyPixmaps)
    Q_PROPERTY(QString AttentionIconName READ emptyString)
    Q_PROPERTY(nivora::SniIconPixmapList AttentionIconPixmap READ emptyPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ emptyString)
    Q_PROPERTY(nivora::SniToolTip ToolTip READ toolTip)

public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem* item);

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const;
    QString title() const;
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconThemePath() const { return QString(); }
    QDBusObjectPath menu() const;
    bool itemIsMenu() const { return false; }
    QString iconName() const { return QString(); }
    SniIconPixmapList iconPixmap() const { return m_pixmaps; }
    QString emptyString() const { return QString(); }
    SniIconPixmapList emptyPixmaps() const { return {}; }
    SniToolTip toolTip() const;

    static QString menuPath();

public Q_SLOTS:
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    // Hosts show the exported menu themselves; nothing to do here.
    void ContextMenu(int x, int y);
    void Scroll(int delta, const QString& orientation);

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

private:
    StatusNotifierItem* m_item;
    SniIconPixmapList m_pixmaps;
};

} // namespace nivora

#include "app/TrayItem.h"

#include "platform/dbus/StatusNotifierItem.h"

#include <QAction>
#include <QDebug>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace nivora {

TrayItem::TrayItem(const QIcon& icon, const QString& toolTip, const QList<QAction*>& actions, QObject* parent)
    : QObject(parent), m_icon(icon), m_toolTip(toolTip), m_actions(actions)
{
}

TrayItem::~TrayItem()
{
    delete m_menu;
}

void TrayItem::show()
{
    if (m_sni)
        return;
    m_sni = new StatusNotifierItem(QStringLiteral("nivora"), m_icon, m_toolTip, m_actions, this);
    connect(m_sni, &StatusNotifierItem::registrationSettled, this, &TrayItem::setStatusNotifierRegistered);
    connect(m_sni, &StatusNotifierItem::activated, this, [this](const QPoint& position) {
        // Hosts that do not know where the click was pass 0, 0.
        m_hasHostPoint = !position.isNull();
        m_lastHostPoint = position;
        Q_EMIT activated(anchor());
    });
    // The XEmbed icon waits for the first answer of a StatusNotifierWatcher, so
    // that a desktop with both kinds of tray shows one icon, not two.
    if (!m_sni->start())
        ensureEmbeddedIcon();
}

void TrayItem::setStatusNotifierRegistered(bool registered)
{
    m_sniRegistered = registered;
    if (registered) {
        if (m_embedded)
            m_embedded->hide();
        m_hasHostPoint = false;
    } else {
        static bool told = false;
        if (!told) {
            told = true;
            // Vanilla GNOME shows neither kind of tray icon; say once where
            // the popover's actions are then.
            qInfo().noquote() << QStringLiteral(
                "Tray: no StatusNotifier host on this desktop (GNOME has none without an extension); the "
                "icon "
                "waits for an XEmbed tray. Launching Nivora again opens the dashboard, which has the pause "
                "control and \"Quitter Nivora\".");
        }
        ensureEmbeddedIcon();
    }
}

void TrayItem::ensureEmbeddedIcon()
{
    if (!m_embedded) {
        m_menu = new QMenu();
        m_menu->addActions(m_actions);
        m_embedded = new QSystemTrayIcon(m_icon, this);
        m_embedded->setToolTip(m_toolTip);
        m_embedded->setContextMenu(m_menu);
        connect(m_embedded, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::MiddleClick)
                        Q_EMIT activated(anchor());
                });
    }
    // Hidden while no tray exists; Qt docks it as soon as one appears.
    m_embedded->show();
}

bool TrayItem::isEmbedded() const
{
    return m_embedded && m_embedded->isVisible() && m_embedded->geometry().isValid();
}

QRect TrayItem::anchor() const
{
    if (!m_sniRegistered && isEmbedded())
        return m_embedded->geometry();
    if (m_sniRegistered && m_hasHostPoint)
        return QRect(m_lastHostPoint, QSize(1, 1));
    return QRect();
}

} // namespace nivora

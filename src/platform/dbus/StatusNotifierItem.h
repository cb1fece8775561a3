#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

class QAction;

namespace nivora {

class DBusMenuExporter;

// A tray item in the StatusNotifierItem protocol (KDE, GNOME's AppIndicator
// extension, waybar, XFCE's and LXQt's panels…), with its menu as dbusmenu.
//
// Qt's own tray icon speaks this protocol too, but it drops the position a host
// passes to Activate, and the popover is meant to open exactly there; it also
// decides once at start whether a host exists. This item follows watchers as
// they come and go and reports whether a host shows it, so the caller can fall
// back to an XEmbed icon while none does. Main thread only.
class StatusNotifierItem : public QObject
{
    Q_OBJECT

public:
    StatusNotifierItem(const QString& id, const QIcon& icon, const QString& title,
                       const QList<QAction*>& menu, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Exports the item on the session bus and registers it with every
    // StatusNotifierWatcher that appears from now on. False without a session
    // bus or when the object path is taken.
    bool start();

    // True while a watcher with a registered host has accepted the item.
    bool isRegistered() const { return m_registered; }
    // The bus name the item is published under.
    QString serviceName() const { return m_serviceName; }

    QString id() const { return m_id; }
    QString title() const { return m_title; }
    QIcon icon() const { return m_icon; }

    // Called by the bus adaptor for the host's calls.
    void activate(const QPoint& position);
    void secondaryActivate(const QPoint& position);

Q_SIGNALS:
    // A primary click: `position` is the screen point the host passed (hosts
    // that know no position pass 0, 0).
    void activated(const QPoint& position);
    // Sent each time a registration attempt or a watcher change settles, with
    // whether a host now shows the item (repeats are possible).
    void registrationSettled(bool registered);

private Q_SLOTS:
    void registerWithWatcher();

private:
    void setRegistered(bool registered);

    QString m_id;
    QIcon m_icon;
    QString m_title;
    QString m_serviceName;
    DBusMenuExporter* m_menu = nullptr;
    bool m_started = false;
    bool m_registered = false;
    // Replies to registrations made before the last watcher change are stale.
    int m_generation = 0;
};

} // namespace nivora

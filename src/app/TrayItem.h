#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace nivora {

class StatusNotifierItem;

// Nivora's tray item on every kind of Linux tray. It publishes a
// StatusNotifierItem and, while no StatusNotifierItem host shows it, an XEmbed
// icon (XFCE, LXQt, tint2, trayer…), so that exactly one icon is visible where
// any tray exists. A primary click on either is reported with the best anchor
// for the popover; the menu offers `actions` for hosts that only show menus.
// Without any tray nothing is shown and nothing fails.
class TrayItem : public QObject
{
    Q_OBJECT

public:
    TrayItem(const QIcon& icon, const QString& toolTip, const QList<QAction*>& actions,
             QObject* parent = nullptr);
    ~TrayItem() override;

    void show();

    // Where a popover opened now should point: the XEmbed icon's rectangle when
    // it is docked, else the point the StatusNotifierItem host last passed, else
    // an invalid rectangle (the caller uses the cursor).
    QRect anchor() const;

    bool usesStatusNotifier() const { return m_sniRegistered; }
    // True while an XEmbed tray holds the icon.
    bool isEmbedded() const;

Q_SIGNALS:
    // A primary click; `anchor` as anchor() describes it.
    void activated(const QRect& anchor);

private:
    void setStatusNotifierRegistered(bool registered);
    void ensureEmbeddedIcon();

    QIcon m_icon;
    QString m_toolTip;
    QList<QAction*> m_actions;
    StatusNotifierItem* m_sni = nullptr;
    QSystemTrayIcon* m_embedded = nullptr;
    QMenu* m_menu = nullptr;
    bool m_sniRegistered = false;
    QPoint m_lastHostPoint;
    bool m_hasHostPoint = false;
};

} // namespace nivora

#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QStringList>

namespace nivora {

// One screen as the wallpaper sees it. `frame` is in Qt's virtual-desktop
// coordinates (top-left origin, logical pixels). `screen` is the Qt screen it
// came from; fakes in unit tests leave it null.
struct ScreenInfo
{
    QString name;
    quint32 displayID = 0;
    QRect frame;
    double refreshRate = 60.0;
    QPointer<QScreen> screen;
};

// The stable 32-bit identifier of an output, derived from its name (for example
// "DP-1" or a monitor added with xrandr). The same name gives the same value in
// every run, so the stored set of enabled displays survives restarts. An empty
// name gives 0, and no non-empty name maps to 0.
quint32 displayIdentifier(const QString& outputName);

// "id|x,y,w,h" per screen, in the given order: the arrangement the wallpaper was
// built for. Two arrangements are the same when their lists are equal.
QStringList displaySignature(const QList<ScreenInfo>& screens);

// The same for one screen.
QString displaySignatureEntry(const ScreenInfo& screen);

} // namespace nivora

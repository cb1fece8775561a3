#pragma once

#include "desktop/ScreenWallpaper.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

namespace nivora {

// What screens going over to a new video keep showing, still, until its first
// frame (a player needs a few tenths of a second to open its file): no black
// between two of a folder's videos, nor after a scene or a picture. Main
// thread.
class VideoHandover : public QObject
{
    Q_OBJECT

public:
    explicit VideoHandover(QObject* parent = nullptr);
    ~VideoHandover() override;

    int count() const { return static_cast<int>(m_held.size()); }
    bool isEmpty() const { return m_held.empty(); }
    // Whether something is held on `screen` (as displaySignatureEntry).
    bool holds(const QString& screen) const;

    // Takes from `previous` what `screens` showed, and every wallpaper a
    // player taken draws into as well, and stills it; `owner` hears nothing
    // from it any more.
    void hold(ScreenWallpaper::List& previous, const QSet<QString>& screens, QObject* owner);
    // Tears down what `screens` (all, when empty) kept showing, with every
    // screen sharing a player with them.
    void end(const QSet<QString>& screens);
    // After a rebuild: what covers no screen waiting for a video's first
    // frame goes at once, and the rest at the latest after a while.
    void settle(const ScreenWallpaper::List& built);

private:
    ScreenWallpaper::List m_held;
    QTimer m_timer;
};

} // namespace nivora

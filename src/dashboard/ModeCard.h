#pragma once

#include "state/WallpaperMode.h"

#include <QAbstractButton>

namespace nivora {

// One wallpaper mode on the media page: its symbol above its title on a
// hand-drawn card, tinted blue while it is the current mode.
class ModeCard : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ModeCard(WallpaperMode mode, QWidget* parent = nullptr);

    WallpaperMode mode() const { return m_mode; }
    bool isCurrent() const { return isChecked(); }
    void setCurrent(bool current) { setChecked(current); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int cardHeight = 84;

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    WallpaperMode m_mode;
};

} // namespace nivora

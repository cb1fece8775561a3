#include "dashboard/ModeCard.h"

#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "design/DesignAccessibility.h"
#include "design/RoughRectangle.h"
#include "design/SketchSeed.h"
#include "design/Theme.h"

#include <QPainter>

namespace nivora {

ModeCard::ModeCard(WallpaperMode mode, QWidget* parent) : QAbstractButton(parent), m_mode(mode)
{
    setCheckable(true);
    DesignAccessibility::setRole(this, QAccessible::RadioButton);
    setText(WallpaperModes::title(mode));
    setAccessibleName(text());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(cardHeight);
}

QSize ModeCard::sizeHint() const
{
    return QSize(150, cardHeight);
}

QSize ModeCard::minimumSizeHint() const
{
    return QSize(80, cardHeight);
}

void ModeCard::nextCheckState()
{
    // Whether a mode is current is the store's to say; a click only asks.
}

void ModeCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const RoughRectangle shape{sketchSeed(WallpaperModes::id(m_mode)), 1.7};
    const QPainterPath outline = shape.path(QRectF(rect()));
    QColor fill = Theme::paper();
    if (isChecked()) {
        fill = Theme::blue();
        fill.setAlphaF(0.32f);
        painter.fillPath(outline, Theme::paper());
    }
    painter.fillPath(outline, fill);
    painter.strokePath(outline, QPen(hasFocus() ? Theme::blue() : Theme::ink(), isChecked() ? 2.0 : 1.5,
                                     Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    const QFont font = Fonts::font(12, QFont::Bold);
    const int textHeight = QFontMetrics(font).height();
    const double iconSize = 22;
    const double top = (height() - iconSize - 8 - textHeight) / 2.0;
    FaceIcons::paint(painter, WallpaperModes::icon(m_mode),
                     QRectF((width() - iconSize) / 2.0, top, iconSize, iconSize), Theme::ink());
    painter.setFont(font);
    painter.setPen(Theme::ink());
    painter.drawText(QRectF(0, top + iconSize + 8, width(), textHeight), Qt::AlignCenter, text());
}

} // namespace nivora

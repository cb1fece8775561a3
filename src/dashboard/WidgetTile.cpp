#include "dashboard/WidgetTile.h"

#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "design/DesignAccessibility.h"
#include "design/RoughRectangle.h"
#include "design/SketchSeed.h"
#include "design/Theme.h"

#include <QCoreApplication>
#include <QPainter>

namespace nivora {

namespace {

constexpr double kPadding = 11;
constexpr double kBadge = 38;

} // namespace

WidgetTile::WidgetTile(WidgetKind kind, QWidget* parent) : QAbstractButton(parent), m_kind(kind)
{
    setCheckable(true);
    DesignAccessibility::setRole(this, QAccessible::CheckBox);
    setText(WidgetKinds::name(kind));
    setAccessibleName(text());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(int(kBadge + 2 * kPadding + 4));
}

QString WidgetTile::stateText() const
{
    return isChecked() ? QCoreApplication::translate("WidgetTile", "Activé")
                       : QCoreApplication::translate("WidgetTile", "Désactivé");
}

QSize WidgetTile::sizeHint() const
{
    return QSize(210, int(kBadge + 2 * kPadding + 4));
}

QSize WidgetTile::minimumSizeHint() const
{
    return QSize(140, int(kBadge + 2 * kPadding + 4));
}

void WidgetTile::nextCheckState()
{
    // The store decides; the page shows what it holds.
}

void WidgetTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool on = isChecked();
    const QString id = WidgetKinds::id(m_kind);

    const RoughRectangle tile{sketchSeed(id) + 3, 1.7};
    const QPainterPath tilePath = tile.path(QRectF(rect()));
    QColor tileFill = Theme::paper2();
    if (on) {
        tileFill = Theme::pink();
        tileFill.setAlphaF(0.14f);
        painter.fillPath(tilePath, Theme::paper());
    }
    painter.fillPath(tilePath, tileFill);
    painter.strokePath(tilePath, QPen(hasFocus() ? Theme::blue() : Theme::ink(), 1.5, Qt::SolidLine,
                                      Qt::RoundCap, Qt::RoundJoin));

    const double top = (height() - kBadge) / 2.0;
    const QRectF badgeRect(kPadding, top, kBadge, kBadge);
    const RoughRectangle badge{sketchSeed(id), 1.7};
    const QPainterPath badgePath = badge.path(badgeRect.adjusted(-2, -2, 2, 2));
    painter.fillPath(badgePath, on ? Theme::pink() : Theme::paper3());
    painter.strokePath(badgePath, QPen(Theme::ink(), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double glyph = 15;
    FaceIcons::paint(painter, WidgetKinds::icon(m_kind),
                     QRectF(badgeRect.center() - QPointF(glyph / 2, glyph / 2), QSizeF(glyph, glyph)),
                     Theme::ink());

    const double mark = 18;
    const double textLeft = badgeRect.right() + 12;
    const double textRight = width() - kPadding - mark - 8;
    const QFont nameFont = Fonts::font(13, QFont::Bold);
    const QFont stateFont = Fonts::font(11, QFont::Normal);
    const int nameHeight = QFontMetrics(nameFont).height();
    const int stateHeight = QFontMetrics(stateFont).height();
    const double textTop = (height() - nameHeight - stateHeight) / 2.0;
    painter.setFont(nameFont);
    painter.setPen(Theme::ink());
    painter.drawText(QRectF(textLeft, textTop, textRight - textLeft, nameHeight),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(nameFont).elidedText(text(), Qt::ElideRight, int(textRight - textLeft)));
    painter.setFont(stateFont);
    painter.setPen(Theme::inkSoft());
    painter.drawText(QRectF(textLeft, textTop + nameHeight, textRight - textLeft, stateHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, stateText());

    const QRectF markRect(width() - kPadding - mark, (height() - mark) / 2.0, mark, mark);
    FaceIcons::paint(painter, on ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("plus.circle"),
                     markRect, on ? Theme::green() : Theme::inkFaint());
}

} // namespace nivora

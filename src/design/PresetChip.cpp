#include "design/PresetChip.h"

#include "assets/Fonts.h"
#include "design/DesignAccessibility.h"
#include "design/FocusMark.h"
#include "design/RoughRectangle.h"
#include "design/SketchSeed.h"
#include "design/Theme.h"
#include "model/UiLanguage.h"
#include "palettes/WallpaperPalette.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace nivora {

namespace {

constexpr double margin = FocusMark::margin;
constexpr double spacing = 8;

QFont nameFont(bool selected)
{
    return Fonts::font(11, selected ? QFont::Bold : QFont::Medium);
}

} // namespace

PresetChip::PresetChip(QWidget* parent) : QAbstractButton(parent)
{
    init();
}

PresetChip::PresetChip(const QString& name, const QList<QColor>& colors, QWidget* parent)
    : QAbstractButton(parent)
{
    init();
    setPalette(name, colors);
}

void PresetChip::init()
{
    DesignAccessibility::install();
    DesignAccessibility::setRole(this, QAccessible::RadioButton);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::toggled, this, [this] {
        updateGeometry();
        update();
    });
}

void PresetChip::setPalette(const QString& name, const QList<QColor>& colors)
{
    m_name = name;
    setText(UiLanguages::translate("WallpaperPalette", name));
    setAccessibleName(text());
    m_colors = colors;
    updateGeometry();
    update();
}

void PresetChip::setPalette(const WallpaperPalette& palette)
{
    setPalette(palette.name, palette.colors());
}

void PresetChip::nextCheckState()
{
    // Selection follows the current palette, which the owner sets on click.
}

void PresetChip::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

QRectF PresetChip::stripRect() const
{
    const double w = swatchWidth * static_cast<double>(m_colors.size());
    return QRectF((width() - w) / 2.0, margin, w, swatchHeight);
}

QSize PresetChip::sizeHint() const
{
    const QFontMetricsF metrics(nameFont(true));
    const double w =
        std::max(swatchWidth * static_cast<double>(m_colors.size()), metrics.horizontalAdvance(text()));
    return QSize(static_cast<int>(std::ceil(w + 2 * margin)),
                 static_cast<int>(std::ceil(2 * margin + swatchHeight + spacing + metrics.height())));
}

void PresetChip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const bool selected = isChecked();

    const QRectF strip = stripRect();
    if (!m_colors.isEmpty()) {
        QPainterPath clip;
        clip.addRoundedRect(strip, 7, 7);
        painter.save();
        painter.setClipPath(clip);
        for (int i = 0; i < m_colors.size(); ++i)
            painter.fillRect(QRectF(strip.left() + i * swatchWidth, strip.top(), swatchWidth, swatchHeight),
                             m_colors.at(i));
        painter.restore();
    }
    QPen pen(selected ? Theme::coral() : Theme::ink(), selected ? 3.0 : 1.8, Qt::SolidLine, Qt::FlatCap,
             Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter.strokePath(RoughRectangle{sketchSeed(text())}.path(strip), pen);

    const QFont font = nameFont(selected);
    painter.setFont(font);
    painter.setPen(selected ? Theme::coral() : Theme::inkSoft());
    const double top = strip.bottom() + spacing;
    painter.drawText(QRectF(0, top, width(), QFontMetricsF(font).height()), Qt::AlignHCenter | Qt::AlignTop,
                     text());

    if (FocusMark::isVisible(this))
        FocusMark::paint(painter, strip, sketchSeed(text()));
}

} // namespace nivora

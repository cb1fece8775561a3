#include "design/PillToggle.h"

#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "design/DesignAccessibility.h"
#include "design/FocusMark.h"
#include "design/RoughRectangle.h"
#include "design/SketchSeed.h"
#include "design/SpringAnimation.h"
#include "design/Theme.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace nivora {

namespace {

constexpr double margin = FocusMark::margin;

QColor mix(const QColor& a, const QColor& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QPen inkPen(double width)
{
    QPen pen(Theme::ink(), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    return pen;
}

QFont titleFont()
{
    return Fonts::font(13, QFont::Bold);
}

QFont subtitleFont()
{
    return Fonts::font(11, QFont::Normal);
}

} // namespace

PillToggle::PillToggle(QWidget* parent) : QAbstractButton(parent), m_accent(Theme::green())
{
    init();
}

PillToggle::PillToggle(const QString& title, const QString& subtitle, const QString& icon,
                       const QColor& accent, QWidget* parent)
    : QAbstractButton(parent), m_subtitle(subtitle), m_icon(icon), m_accent(accent)
{
    init();
    setTitle(title);
}

void PillToggle::init()
{
    DesignAccessibility::install();
    DesignAccessibility::setRole(this, QAccessible::CheckBox);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_spring = new SpringAnimation(this);
    m_spring->setSpring(Spring(0.3, 0.7, 0.0));
    connect(m_spring, &SpringAnimation::valueChanged, this, [this](double v) {
        m_knob = v;
        update();
    });
}

void PillToggle::setTitle(const QString& title)
{
    setText(title);
    setAccessibleName(title);
    updateGeometry();
    update();
}

void PillToggle::setSubtitle(const QString& subtitle)
{
    m_subtitle = subtitle;
    setAccessibleDescription(subtitle);
    updateGeometry();
    update();
}

void PillToggle::setSymbol(const QString& icon)
{
    m_icon = icon;
    update();
}

void PillToggle::setAccent(const QColor& accent)
{
    m_accent = accent;
    update();
}

void PillToggle::checkStateSet()
{
    // Called for clicks and for setChecked() from a binding alike.
    followCheckState();
}

void PillToggle::followCheckState()
{
    const double target = isChecked() ? 1.0 : 0.0;
    if (!isVisible()) {
        // Nothing to watch: jump, so no animation runs for a hidden page.
        m_spring->setValue(target);
        return;
    }
    m_spring->animateTo(target);
}

void PillToggle::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

QSize PillToggle::sizeHint() const
{
    const double texts = QFontMetricsF(titleFont()).height() + 2 + QFontMetricsF(subtitleFont()).height();
    const double h = std::max(tileSize, texts) + 2 * padding + 2 * margin;
    const double w = 2 * margin + 2 * padding + tileSize + 12 +
                     std::max(QFontMetricsF(titleFont()).horizontalAdvance(text()),
                              QFontMetricsF(subtitleFont()).horizontalAdvance(m_subtitle)) +
                     12 + switchSize.width();
    return QSize(static_cast<int>(std::ceil(w)), static_cast<int>(std::ceil(h)));
}

QSize PillToggle::minimumSizeHint() const
{
    return QSize(2 * static_cast<int>(margin + padding) + static_cast<int>(tileSize + switchSize.width()) +
                     24,
                 sizeHint().height());
}

void PillToggle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (!isEnabled())
        painter.setOpacity(0.5);

    const quint64 seed = sketchSeed(text());
    const QRectF row = QRectF(rect()).adjusted(margin, margin, -margin, -margin);
    const QPainterPath sheet = RoughRectangle{seed}.path(row);
    painter.fillPath(sheet, Theme::paper2());
    painter.strokePath(sheet, inkPen(1.5));

    const QRectF content = row.adjusted(padding, padding, -padding, -padding);
    const double t = m_knob;

    // Symbol tile.
    const QRectF tile(content.left(), content.center().y() - tileSize / 2, tileSize, tileSize);
    const QPainterPath tilePath = RoughRectangle{seed}.path(tile);
    painter.fillPath(tilePath, mix(Theme::paper3(), m_accent, t));
    painter.strokePath(tilePath, inkPen(1.8));
    if (!m_icon.isEmpty())
        FaceIcons::paint(painter, m_icon, QRectF(tile.center() - QPointF(7.5, 7.5), QSizeF(15, 15)),
                         Theme::ink());

    // Switch at the trailing edge; the knob rests inset 3 from either end.
    const QRectF track(content.right() - switchSize.width(), content.center().y() - switchSize.height() / 2,
                       switchSize.width(), switchSize.height());
    QPainterPath capsule;
    capsule.addRoundedRect(track, track.height() / 2, track.height() / 2);
    painter.fillPath(capsule, mix(Theme::paper3(), m_accent, t));
    painter.strokePath(capsule, inkPen(2));
    const double travel = track.width() - knobDiameter - 6;
    QPainterPath knob;
    knob.addEllipse(QRectF(track.left() + 3 + travel * t, track.top() + 3, knobDiameter, knobDiameter));
    painter.fillPath(knob, Theme::paper());
    painter.strokePath(knob, inkPen(2));

    // Texts between the tile and the switch.
    const QFontMetricsF titleMetrics(titleFont());
    const QFontMetricsF subtitleMetrics(subtitleFont());
    const double textsHeight = titleMetrics.height() + 2 + subtitleMetrics.height();
    const double textLeft = tile.right() + 12;
    const double textWidth = std::max(0.0, track.left() - 12 - textLeft);
    double y = content.center().y() - textsHeight / 2;
    painter.setFont(titleFont());
    painter.setPen(Theme::ink());
    painter.drawText(QRectF(textLeft, y, textWidth, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(text(), Qt::ElideRight, textWidth));
    y += titleMetrics.height() + 2;
    painter.setFont(subtitleFont());
    painter.setPen(Theme::inkSoft());
    painter.drawText(QRectF(textLeft, y, textWidth, subtitleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     subtitleMetrics.elidedText(m_subtitle, Qt::ElideRight, textWidth));

    if (FocusMark::isVisible(this))
        FocusMark::paint(painter, row, seed);
}

} // namespace nivora

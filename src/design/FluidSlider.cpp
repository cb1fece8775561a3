#include "design/FluidSlider.h"

#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "design/DesignAccessibility.h"
#include "design/FocusMark.h"
#include "design/SpringAnimation.h"
#include "design/Theme.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace nivora {

namespace {

// Room on both sides of the track so the knob's outline and the focus mark are
// never cut off at the widget's edge.
constexpr double sideRoom = FocusMark::margin;
constexpr double headerSpacing = 10;
constexpr double iconSize = 12;

QFont titleFont()
{
    return Fonts::font(13, QFont::DemiBold);
}

QFont valueFont()
{
    return Fonts::font(13, QFont::ExtraBold);
}

QPen inkPen(double width)
{
    QPen pen(Theme::ink(), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    return pen;
}

void drawCapsule(QPainter& painter, const QRectF& rect, const QColor& fill, double stroke)
{
    const double r = rect.height() / 2;
    QPainterPath path;
    path.addRoundedRect(rect, r, r);
    painter.fillPath(path, fill);
    painter.strokePath(path, inkPen(stroke));
}

} // namespace

FluidSlider::FluidSlider(QWidget* parent) : QWidget(parent), m_accent(Theme::blue())
{
    init();
}

FluidSlider::FluidSlider(const QString& title, const QString& icon, const QColor& accent, QWidget* parent)
    : QWidget(parent), m_title(title), m_icon(icon), m_accent(accent)
{
    init();
}

void FluidSlider::init()
{
    DesignAccessibility::install();
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(m_title);
    m_growSpring = new SpringAnimation(this);
    connect(m_growSpring, &SpringAnimation::valueChanged, this, [this](double grow) {
        m_grow = grow;
        update();
    });
}

void FluidSlider::setTitle(const QString& title)
{
    m_title = title;
    setAccessibleName(title);
    update();
}

void FluidSlider::setIcon(const QString& icon)
{
    m_icon = icon;
    update();
}

void FluidSlider::setAccent(const QColor& accent)
{
    m_accent = accent;
    update();
}

void FluidSlider::setValue(double value)
{
    // Compare bit patterns too: NaN never equals itself, and a repeated NaN must
    // not announce a change (a binding would loop).
    if (value == m_value || (std::isnan(value) && std::isnan(m_value)))
        return;
    m_value = value;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, std::isfinite(value) ? value * 100.0 : 0.0);
        QAccessible::updateAccessibility(&event);
    }
    Q_EMIT valueChanged(value);
}

void FluidSlider::edit(double value)
{
    const double clamped = std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0;
    if (clamped == m_value)
        return;
    setValue(clamped);
    Q_EMIT valueEdited(clamped);
}

double FluidSlider::fillWidth(double value, double trackWidth)
{
    const double v = std::isfinite(value) ? value : 0.0;
    return std::max(trackWidth * v, grooveHeight);
}

double FluidSlider::knobOffset(double value, double trackWidth)
{
    const double v = std::isfinite(value) ? value : 0.0;
    return std::max(0.0, std::min(trackWidth * v - 11.0, trackWidth - 22.0));
}

double FluidSlider::valueAt(double x, double trackWidth)
{
    if (!(trackWidth > 0) || !std::isfinite(x))
        return 0.0;
    return std::clamp(x / trackWidth, 0.0, 1.0);
}

void FluidSlider::setValueText(std::function<QString(double)> text)
{
    m_valueText = std::move(text);
    update();
}

QString FluidSlider::valueText() const
{
    return m_valueText ? m_valueText(m_value) : percentText(m_value);
}

QString FluidSlider::percentText(double value)
{
    const double percent = value * 100.0;
    // Beyond the range of a 64-bit integer the conversion would be undefined.
    if (!std::isfinite(percent) || std::fabs(percent) >= 9.2e18)
        return QStringLiteral("—");
    return QString::number(static_cast<qint64>(percent));
}

double FluidSlider::headerHeight() const
{
    return std::ceil(
        std::max(QFontMetricsF(titleFont()).height(), QFontMetricsF(valueFont()).height() * 1.18));
}

QRectF FluidSlider::trackRect() const
{
    return QRectF(sideRoom, headerHeight() + headerSpacing, std::max(0.0, width() - 2 * sideRoom),
                  trackHeight);
}

QSize FluidSlider::sizeHint() const
{
    return QSize(240, static_cast<int>(std::ceil(headerHeight() + headerSpacing + trackHeight + sideRoom)));
}

QSize FluidSlider::minimumSizeHint() const
{
    return QSize(120, sizeHint().height());
}

void FluidSlider::setDragging(bool dragging)
{
    if (dragging == m_dragging)
        return;
    m_dragging = dragging;
    // Grabbing is quick and firm; letting go settles a little more softly.
    m_growSpring->setSpring(dragging ? Spring(0.2, 0.8, 0.25) : Spring(0.35, 0.7, 0.0));
    m_growSpring->animateTo(dragging ? 1.0 : 0.0);
}

void FluidSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QRectF track = trackRect();
    setDragging(true);
    edit(valueAt(event->position().x() - track.left(), track.width()));
}

void FluidSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const QRectF track = trackRect();
    edit(valueAt(event->position().x() - track.left(), track.width()));
}

void FluidSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setDragging(false);
}

void FluidSlider::keyPressEvent(QKeyEvent* event)
{
    const double current = std::isfinite(m_value) ? m_value : 0.0;
    // Whole percentages, so repeated steps land on the numbers the label shows.
    const double percent = std::round(current * 100.0);
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        edit((percent - 1) / 100.0);
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        edit((percent + 1) / 100.0);
        break;
    case Qt::Key_PageDown:
        edit((percent - 10) / 100.0);
        break;
    case Qt::Key_PageUp:
        edit((percent + 10) / 100.0);
        break;
    case Qt::Key_Home:
        edit(0.0);
        break;
    case Qt::Key_End:
        edit(1.0);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void FluidSlider::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void FluidSlider::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    setDragging(false);
    update();
}

void FluidSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    // Header: symbol, title, flexible space, percentage.
    const double header = headerHeight();
    const QRectF headerRect(sideRoom, 0, width() - 2 * sideRoom, header);
    double x = headerRect.left();
    if (!m_icon.isEmpty()) {
        FaceIcons::paint(painter, m_icon,
                         QRectF(x, headerRect.center().y() - iconSize / 2, iconSize, iconSize),
                         Theme::inkSoft());
        x += iconSize + 8;
    }
    painter.setFont(titleFont());
    painter.setPen(Theme::inkSoft());
    painter.drawText(QRectF(x, 0, headerRect.right() - x, header), Qt::AlignLeft | Qt::AlignVCenter, m_title);

    const QString percent = valueText();
    const QFontMetricsF valueMetrics(valueFont());
    const QRectF valueRect(headerRect.right() - valueMetrics.horizontalAdvance(percent), 0,
                           valueMetrics.horizontalAdvance(percent), header);
    painter.save();
    const double scale = 1.0 + 0.18 * m_grow;
    painter.translate(valueRect.center());
    painter.scale(scale, scale);
    painter.translate(-valueRect.center());
    painter.setFont(valueFont());
    painter.setPen(Theme::ink());
    painter.drawText(valueRect, Qt::AlignCenter, percent);
    painter.restore();

    // Track: groove, fill, knob, all centred on the track's middle line.
    const QRectF track = trackRect();
    const double W = track.width();
    const double mid = track.center().y();
    const double shown = std::isfinite(m_value) ? m_value : 0.0;
    drawCapsule(painter, QRectF(track.left(), mid - grooveHeight / 2, W, grooveHeight), Theme::paper3(), 1.5);
    drawCapsule(painter, QRectF(track.left(), mid - grooveHeight / 2, fillWidth(shown, W), grooveHeight),
                m_accent, 1.5);
    const double d = knobDiameter + (draggingKnobDiameter - knobDiameter) * m_grow;
    const QRectF knob(track.left() + knobOffset(shown, W), mid - d / 2, d, d);
    QPainterPath knobPath;
    knobPath.addEllipse(knob);
    painter.fillPath(knobPath, m_accent);
    painter.strokePath(knobPath, inkPen(2));

    if (FocusMark::isVisible(this))
        FocusMark::paint(painter, QRectF(track.left(), mid - 12, W, 24), 0x51DE);
}

} // namespace nivora

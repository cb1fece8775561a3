#include "app/LoadingDots.h"

#include "design/SpringAnimation.h"
#include "design/Theme.h"

#include <QDateTime>
#include <QPainter>
#include <cmath>

namespace nivora {

namespace {

// 1 January 2001, 00:00 UTC, in Unix milliseconds.
constexpr qint64 kReferenceDateMs = 978307200000LL;
constexpr double kStepsPerSecond = 3.0;

} // namespace

LoadingDots::LoadingDots(QWidget* parent) : QWidget(parent), m_clock(&LoadingDots::secondsSinceReferenceDate)
{
    for (int i = 0; i < count; ++i) {
        m_springs[i] = new SpringAnimation(this);
        m_springs[i]->setSpring(Spring(0.3, 0.6, 0.0));
        connect(m_springs[i], &SpringAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    }
    m_stepTimer.setSingleShot(true);
    m_stepTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_stepTimer, &QTimer::timeout, this, &LoadingDots::step);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

double LoadingDots::secondsSinceReferenceDate()
{
    return double(QDateTime::currentMSecsSinceEpoch() - kReferenceDateMs) / 1000.0;
}

int LoadingDots::activeDot(double seconds)
{
    const double t = std::floor(seconds * kStepsPerSecond);
    // A clock before the reference date still cycles 0, 1, 2 forwards.
    const double m = std::fmod(t, double(count));
    return int(m < 0 ? m + count : m);
}

void LoadingDots::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock(&LoadingDots::secondsSinceReferenceDate);
    if (isVisible())
        step();
}

double LoadingDots::raise(int index) const
{
    return index >= 0 && index < count ? m_springs[index]->value() : 0.0;
}

QSize LoadingDots::sizeHint() const
{
    // Room for a raised dot at either end and for its lift.
    const double raised = dotSize * raisedScale;
    return QSize(int(std::ceil(count * dotSize + (count - 1) * spacing + (raised - dotSize) + 2 * lineWidth)),
                 int(std::ceil(raised + 2 * raisedLift + 2 * lineWidth)));
}

QRectF LoadingDots::dotRect(int index) const
{
    const double rowWidth = count * dotSize + (count - 1) * spacing;
    const double left = (width() - rowWidth) / 2.0;
    const double a = raise(index);
    const double side = dotSize * (1.0 + (raisedScale - 1.0) * a);
    const QPointF centre(left + index * (dotSize + spacing) + dotSize / 2.0,
                         height() / 2.0 + raisedLift / 2.0 - raisedLift * a);
    return QRectF(centre.x() - side / 2.0, centre.y() - side / 2.0, side, side);
}

void LoadingDots::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QList<QColor>& crayons = Theme::crayons();
    p.setPen(QPen(Theme::ink(), lineWidth));
    for (int i = 0; i < count; ++i) {
        p.setBrush(crayons.at(i % crayons.size()));
        p.drawEllipse(dotRect(i));
    }
}

void LoadingDots::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    step();
}

void LoadingDots::hideEvent(QHideEvent* event)
{
    m_stepTimer.stop();
    for (SpringAnimation* spring : m_springs)
        spring->stop();
    QWidget::hideEvent(event);
}

void LoadingDots::step()
{
    const double now = m_clock();
    const int active = activeDot(now);
    if (active != m_active) {
        const bool first = m_active < 0;
        m_active = active;
        for (int i = 0; i < count; ++i) {
            const double target = i == active ? 1.0 : 0.0;
            // The first step places the dots; later ones hop.
            if (first)
                m_springs[i]->setValue(target);
            else
                m_springs[i]->animateTo(target);
        }
        update();
    }
    // Wake just after the next third of a second.
    const double next = (std::floor(now * kStepsPerSecond) + 1.0) / kStepsPerSecond;
    m_stepTimer.start(int(std::ceil((next - now) * 1000.0)) + 1);
}

} // namespace nivora

#include "app/SplashWindow.h"

#include "app/SplashView.h"
#include "design/Theme.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVariantAnimation>

namespace nivora {

SplashWindow::SplashWindow(bool composited, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_composited(composited)
{
    // Named apart from the dashboard ("Nivora"), like the wallpaper and popover
    // windows, so scripts and tests can tell them apart.
    setWindowTitle(QStringLiteral("Nivora splash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_view = new SplashView(this);
    if (composited) {
        setAttribute(Qt::WA_TranslucentBackground);
        setFixedSize(SplashView::cardWidth + 2 * shadowMargin, SplashView::cardHeight + 2 * shadowMargin);
        m_view->move(shadowMargin, shadowMargin);
    } else {
        setFixedSize(SplashView::cardWidth, SplashView::cardHeight);
        // A mask is all or nothing per pixel; the card's own antialiased edge
        // then lies on the paper colour it was drawn over.
        setMask(QRegion(SplashView::cardPath().toFillPolygon().toPolygon()));
    }
}

void SplashWindow::present()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
}

void SplashWindow::fadeOut(std::function<void()> done)
{
    QPointer<SplashWindow> self(this);
    auto finish = [self, done = std::move(done)] {
        if (!self)
            return;
        self->hide();
        if (done)
            done();
    };
    if (!m_composited) {
        QTimer::singleShot(fadeMs, this, finish);
        return;
    }
    auto* fade = new QVariantAnimation(this);
    fade->setDuration(fadeMs);
    fade->setStartValue(1.0);
    fade->setEndValue(0.0);
    connect(fade, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setWindowOpacity(value.toDouble()); });
    connect(fade, &QVariantAnimation::finished, this, finish);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    if (!m_painted) {
        m_painted = true;
        Q_EMIT firstPainted();
    }
    if (!m_composited)
        return;
    // A soft shadow: the card's shape in layers of faint ink, widest and
    // faintest first, a little lower than the card as if lit from above.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::NoPen);
    const QRectF card(shadowMargin, shadowMargin + 6, SplashView::cardWidth, SplashView::cardHeight);
    const int layers = 12;
    for (int i = layers; i >= 1; --i) {
        const double spread = shadowMargin * double(i) / layers * 0.9;
        QColor c = Theme::ink();
        c.setAlphaF(0.035);
        p.setBrush(c);
        const QRectF r = card.adjusted(-spread, -spread, spread, spread);
        p.drawRoundedRect(r, SplashView::cornerRadius + spread, SplashView::cornerRadius + spread);
    }
}

} // namespace nivora

#include "design/SketchButton.h"

#include "design/FocusMark.h"
#include "design/SpringAnimation.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace nivora {

namespace {

constexpr int iconSpacing = 6;

} // namespace

SketchButton::SketchButton(QWidget* parent) : QAbstractButton(parent)
{
    FocusMark::install();
    setFont(SketchButtonStyle::labelFont(font()));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover, true);

    m_press = new SpringAnimation(this);
    m_press->setSpring(SketchButtonStyle::pressSpring());
    connect(m_press, &SpringAnimation::valueChanged, this, &SketchButton::setPressAmount);
    // QAbstractButton reports presses from the mouse and the keyboard through these
    // two signals, including the mouse leaving and re-entering while held.
    connect(this, &QAbstractButton::pressed, this, &SketchButton::followDownState);
    connect(this, &QAbstractButton::released, this, &SketchButton::followDownState);
}

SketchButton::SketchButton(const QString& text, QWidget* parent) : SketchButton(parent)
{
    setText(text);
}

SketchButton::~SketchButton() = default;

void SketchButton::setFill(const QColor& fill)
{
    m_style.fill = fill;
    update();
}

void SketchButton::setSeed(quint64 seed)
{
    m_style.seed = seed;
    update();
}

void SketchButton::setContent(QWidget* content)
{
    if (m_content == content)
        return;
    if (m_content)
        m_content->deleteLater();
    m_content = content;
    if (m_content) {
        m_content->setParent(this);
        m_content->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        m_content->show();
        placeContent();
    }
    updateGeometry();
    update();
}

QSizeF SketchButton::labelSize() const
{
    if (m_content)
        return m_content->sizeHint();
    const QFontMetricsF metrics(font());
    QSizeF size(metrics.horizontalAdvance(text()), metrics.height());
    if (!icon().isNull()) {
        const QSize icon = iconSize();
        size.setWidth(size.width() + icon.width() + (text().isEmpty() ? 0 : iconSpacing));
        size.setHeight(std::max(size.height(), static_cast<double>(icon.height())));
    }
    return size;
}

QSize SketchButton::sizeHint() const
{
    const QSizeF size = SketchButtonStyle::sizeForLabel(labelSize());
    return QSize(static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height())));
}

QSize SketchButton::minimumSizeHint() const
{
    return sizeHint();
}

void SketchButton::followDownState()
{
    if (isDown() == m_shownDown)
        return;
    m_shownDown = isDown();
    m_press->animateTo(m_shownDown ? 1.0 : 0.0);
}

void SketchButton::setPressAmount(double amount)
{
    if (amount == m_pressAmount)
        return;
    m_pressAmount = amount;
    placeContent();
    update();
    Q_EMIT pressAmountChanged(amount);
}

void SketchButton::placeContent()
{
    if (!m_content)
        return;
    const QRectF sheet = SketchButtonStyle::sheetRect(size());
    const QRectF label =
        SketchButtonStyle::labelRect(sheet).translated(SketchButtonStyle::sinkOffset(m_pressAmount));
    m_content->setGeometry(label.toRect());
}

void SketchButton::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    placeContent();
}

void SketchButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateGeometry();
}

void SketchButton::keyPressEvent(QKeyEvent* event)
{
    // Enter presses like Space, as on the desktop's own buttons.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        animateClick();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void SketchButton::paintEvent(QPaintEvent*)
{
    // setDown() called from code emits neither signal; catch up here so the drawn
    // state never disagrees with the button's state for long.
    if (isDown() != m_shownDown)
        followDownState();

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (!isEnabled())
        painter.setOpacity(0.5);

    const QRectF sheet = SketchButtonStyle::sheetRect(size());
    m_style.paintBackground(painter, sheet, m_pressAmount);
    if (FocusMark::isVisible(this))
        FocusMark::paintInside(painter, sheet.translated(SketchButtonStyle::sinkOffset(m_pressAmount)),
                               m_style.seed);
    if (m_content)
        return;

    const QRectF label =
        SketchButtonStyle::labelRect(sheet).translated(SketchButtonStyle::sinkOffset(m_pressAmount));
    const QSizeF content = labelSize();
    double x = label.center().x() - content.width() / 2.0;
    if (!icon().isNull()) {
        const QSize size = iconSize();
        const QRectF iconRect(x, label.center().y() - size.height() / 2.0, size.width(), size.height());
        icon().paint(&painter, iconRect.toRect(), Qt::AlignCenter,
                     isEnabled() ? QIcon::Normal : QIcon::Disabled);
        x += size.width() + (text().isEmpty() ? 0 : iconSpacing);
    }
    painter.setPen(Theme::ink());
    painter.setFont(font());
    painter.drawText(QRectF(x, label.top(), label.right() - x, label.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace nivora

#include "design/PaperCard.h"

#include "design/RoughRectangle.h"
#include "design/Theme.h"

#include <QPainter>
#include <QPen>
#include <QVBoxLayout>
#include <algorithm>

namespace nivora {

PaperCard::PaperCard(QWidget* content, QWidget* parent) : QWidget(parent), m_stroke(Theme::ink())
{
    m_layout = new QVBoxLayout(this);
    m_layout->setSpacing(0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    updateMargins();
    setContent(content);
}

void PaperCard::setSeed(quint64 seed)
{
    m_seed = seed;
    update();
}

void PaperCard::setFill(const QColor& fill)
{
    m_fill = fill;
    update();
}

void PaperCard::setStroke(const QColor& stroke)
{
    m_stroke = stroke;
    update();
}

void PaperCard::setLineWidth(double lineWidth)
{
    m_lineWidth = std::max(0.0, lineWidth);
    update();
}

void PaperCard::setPadding(int padding)
{
    m_padding = std::max(0, padding);
    updateMargins();
}

void PaperCard::setShadow(int shadow)
{
    m_shadow = std::max(0, shadow);
    updateMargins();
}

void PaperCard::setContent(QWidget* content)
{
    if (m_content == content)
        return;
    if (m_content) {
        m_layout->removeWidget(m_content);
        m_content->deleteLater();
    }
    m_content = content;
    if (m_content)
        m_layout->addWidget(m_content);
}

void PaperCard::updateMargins()
{
    m_layout->setContentsMargins(m_padding, m_padding, m_padding + m_shadow, m_padding + m_shadow);
    update();
}

QRectF PaperCard::sheetRect() const
{
    return QRectF(0, 0, std::max(0, width() - m_shadow), std::max(0, height() - m_shadow));
}

void PaperCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);

    const QRectF sheet = sheetRect();
    // The shadow's own seed keeps its wobble independent of the sheet's; the sum
    // wraps for seeds near the top of the range, as unsigned arithmetic does.
    const QPainterPath shadow =
        RoughRectangle{m_seed + shadowSeedOffset, roughness}.path(sheet).translated(m_shadow, m_shadow);
    const QPainterPath body = RoughRectangle{m_seed, roughness}.path(sheet);

    painter.fillPath(shadow, Theme::ink());
    painter.fillPath(body, m_fill);
    if (m_lineWidth > 0) {
        QPen pen(m_stroke, m_lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        pen.setMiterLimit(10);
        painter.strokePath(body, pen);
    }
}

} // namespace nivora

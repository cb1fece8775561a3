#include "dashboard/SidebarRow.h"

#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "design/CatalogAccents.h"
#include "design/DesignAccessibility.h"
#include "design/FocusMark.h"
#include "design/RoughRectangle.h"
#include "design/SketchSeed.h"
#include "design/Theme.h"

#include <QKeyEvent>
#include <QPainter>
#include <QVariantAnimation>
#include <cmath>

namespace nivora {

namespace {

constexpr double hPadding = 12;
constexpr double vPadding = 10;
constexpr double iconFrame = 24;
constexpr double symbolSize = 14;

QFont titleFont(bool selected)
{
    return Fonts::font(14, selected ? QFont::ExtraBold : QFont::DemiBold);
}

} // namespace

SidebarRow::SidebarRow(NavSection section, QWidget* parent) : QAbstractButton(parent), m_section(section)
{
    DesignAccessibility::install();
    DesignAccessibility::setRole(this, QAccessible::PageTab);
    setCheckable(true);
    setText(NavSections::title(section));
    setAccessibleName(text());
    setObjectName(QStringLiteral("nav-") + NavSections::rawValue(section));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover, true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::toggled, this, [this] { update(); });

    m_hoverAnimation = new QVariantAnimation(this);
    m_hoverAnimation->setDuration(150);
    m_hoverAnimation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_hoverAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_hoverAmount = v.toDouble();
        update();
    });
}

void SidebarRow::nextCheckState()
{
    // The dashboard selects the section and marks the row.
}

QSize SidebarRow::sizeHint() const
{
    const double h = 2 * vPadding + std::max(symbolSize, QFontMetricsF(titleFont(true)).height());
    return QSize(200, static_cast<int>(std::ceil(h)));
}

void SidebarRow::setHover(bool hover)
{
    if (hover == m_hover)
        return;
    m_hover = hover;
    m_hoverAnimation->stop();
    m_hoverAnimation->setStartValue(m_hoverAmount);
    m_hoverAnimation->setEndValue(hover ? 1.0 : 0.0);
    m_hoverAnimation->start();
}

void SidebarRow::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    setHover(true);
}

void SidebarRow::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    setHover(false);
}

void SidebarRow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // Move among the sibling rows only, in their layout order.
        QList<SidebarRow*> rows = parentWidget()->findChildren<SidebarRow*>(Qt::FindDirectChildrenOnly);
        std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->y() < b->y(); });
        const qsizetype i = rows.indexOf(this);
        const qsizetype j = event->key() == Qt::Key_Up ? i - 1 : i + 1;
        if (i >= 0 && j >= 0 && j < rows.size())
            rows.at(j)->setFocus(Qt::OtherFocusReason);
        event->accept();
        return;
    }
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void SidebarRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    const bool selected = isChecked();
    const QRectF area(rect());
    const quint64 seed = sketchSeed(NavSections::rawValue(m_section));
    const QPainterPath sheet = RoughRectangle{seed}.path(area);
    if (selected) {
        QColor fill = NavSections::accent(m_section);
        fill.setAlphaF(0.35f);
        painter.fillPath(sheet, fill);
        QPen pen(Theme::ink(), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        pen.setMiterLimit(10);
        painter.strokePath(sheet, pen);
    } else if (m_hoverAmount > 0) {
        QColor fill = Theme::paper3();
        fill.setAlphaF(static_cast<float>(0.7 * m_hoverAmount));
        painter.fillPath(sheet, fill);
    }

    const QRectF content = area.adjusted(hPadding, vPadding, -hPadding, -vPadding);
    const QRectF icon(content.left() + (iconFrame - symbolSize) / 2, content.center().y() - symbolSize / 2,
                      symbolSize, symbolSize);
    FaceIcons::paint(painter, NavSections::icon(m_section), icon, selected ? Theme::ink() : Theme::inkSoft());
    painter.setFont(titleFont(selected));
    painter.setPen(Theme::ink());
    const double textLeft = content.left() + iconFrame + 12;
    painter.drawText(QRectF(textLeft, content.top(), content.right() - textLeft, content.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());

    if (FocusMark::isVisible(this))
        FocusMark::paintInside(painter, area, seed);
}

} // namespace nivora

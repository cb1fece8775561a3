#include "dashboard/PatternCell.h"

#include "assets/Fonts.h"
#include "design/FocusMark.h"
#include "design/Theme.h"
#include "icons/PatternFolderView.h"
#include "model/UiLanguage.h"

#include <QEvent>
#include <QPainter>

namespace nivora {

namespace {

constexpr int nameTop = PatternCell::previewSize + 6;
constexpr int nameHeight = 16;
constexpr int categoryTop = nameTop + nameHeight + 1;
constexpr int categoryHeight = 12;

QFont nameFont()
{
    return Fonts::font(11, QFont::Bold);
}

QFont categoryFont()
{
    return Fonts::font(8, QFont::Black, 0.5);
}

} // namespace

PatternCell::PatternCell(const FolderPattern& pattern, const QImage& folder, QWidget* parent)
    : QAbstractButton(parent), m_pattern(pattern)
{
    setText(UiLanguages::translate("FolderPattern", pattern.name()));
    setAccessibleName(text());
    setCursor(Qt::PointingHandCursor);
    m_preview = new PatternFolderView(pattern, folder, this);
    m_preview->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_preview->setOpacity(drawnOpacity());
}

double PatternCell::drawnOpacity() const
{
    return isEnabled() ? 1.0 : disabledOpacity;
}

QSize PatternCell::sizeHint() const
{
    return {previewSize + 14, categoryTop + categoryHeight + 2};
}

void PatternCell::resizeEvent(QResizeEvent*)
{
    m_preview->setGeometry((width() - previewSize) / 2, 0, previewSize, previewSize);
}

void PatternCell::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_preview->setOpacity(drawnOpacity());
        update();
    }
    QAbstractButton::changeEvent(event);
}

void PatternCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setOpacity(drawnOpacity());
    painter.setPen(Theme::ink());
    painter.setFont(nameFont());
    const QRect nameRect(0, nameTop, width(), nameHeight);
    painter.drawText(nameRect, Qt::AlignHCenter | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(text(), Qt::ElideRight, width()));
    painter.setPen(Theme::inkFaint());
    painter.setFont(categoryFont());
    painter.drawText(QRect(0, categoryTop, width(), categoryHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(
                         UiLanguages::translate("FolderPattern", m_pattern.category()).toUpper(),
                         Qt::ElideRight, width()));
    if (hasFocus())
        FocusMark::paintInside(painter, QRectF(rect()), 104);
}

} // namespace nivora

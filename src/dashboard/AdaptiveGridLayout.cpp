#include "dashboard/AdaptiveGridLayout.h"

#include <QWidget>
#include <algorithm>

namespace nivora {

AdaptiveGridLayout::AdaptiveGridLayout(int minimumColumnWidth, int columnSpacing, int rowSpacing,
                                       QWidget* parent)
    : QLayout(parent), m_minimumColumnWidth(std::max(1, minimumColumnWidth)), m_columnSpacing(columnSpacing),
      m_rowSpacing(rowSpacing)
{
    setContentsMargins(0, 0, 0, 0);
}

AdaptiveGridLayout::~AdaptiveGridLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

int AdaptiveGridLayout::columnsFor(int width) const
{
    return std::max(1, (width + m_columnSpacing) / (m_minimumColumnWidth + m_columnSpacing));
}

void AdaptiveGridLayout::addItem(QLayoutItem* item)
{
    m_items.append(item);
}

int AdaptiveGridLayout::count() const
{
    return static_cast<int>(m_items.size());
}

QLayoutItem* AdaptiveGridLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem* AdaptiveGridLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    return m_items.takeAt(index);
}

Qt::Orientations AdaptiveGridLayout::expandingDirections() const
{
    return Qt::Horizontal;
}

int AdaptiveGridLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize AdaptiveGridLayout::sizeHint() const
{
    // One column's width; the height follows heightForWidth once laid out.
    const int width = m_minimumColumnWidth;
    return QSize(width, heightForWidth(width));
}

QSize AdaptiveGridLayout::minimumSize() const
{
    const QMargins m = contentsMargins();
    return QSize(m_minimumColumnWidth + m.left() + m.right(), 0);
}

void AdaptiveGridLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int AdaptiveGridLayout::arrange(const QRect& rect, bool apply) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int columns = columnsFor(area.width());
    if (apply)
        m_lastColumns = columns;
    const double columnWidth = (area.width() - (columns - 1) * m_columnSpacing) / double(columns);
    const int cellWidth = std::max(1, int(columnWidth));
    QList<QLayoutItem*> visible;
    for (QLayoutItem* item : m_items) {
        if (!item->isEmpty())
            visible.append(item);
    }
    int y = area.y();
    for (qsizetype start = 0; start < visible.size(); start += columns) {
        int rowHeight = 0;
        const qsizetype end = std::min(visible.size(), start + columns);
        for (qsizetype i = start; i < end; ++i) {
            QLayoutItem* item = visible.at(i);
            const int h =
                item->hasHeightForWidth() ? item->heightForWidth(cellWidth) : item->sizeHint().height();
            rowHeight = std::max(rowHeight, h);
        }
        if (apply) {
            for (qsizetype i = start; i < end; ++i) {
                QLayoutItem* item = visible.at(i);
                const int column = int(i - start);
                const int x = area.x() + int(column * (columnWidth + m_columnSpacing));
                const int h =
                    item->hasHeightForWidth() ? item->heightForWidth(cellWidth) : item->sizeHint().height();
                item->setGeometry(QRect(x, y, cellWidth, h));
            }
        }
        y += rowHeight;
        if (end < visible.size())
            y += m_rowSpacing;
    }
    const QMargins m = contentsMargins();
    return y - area.y() + m.top() + m.bottom();
}

} // namespace nivora

#include "dashboard/AdaptiveGrid.h"

#include <QResizeEvent>

namespace nivora {

AdaptiveGrid::AdaptiveGrid(int minimumColumnWidth, int columnSpacing, int rowSpacing, QWidget* parent)
    : QWidget(parent), m_minimumColumnWidth(minimumColumnWidth), m_columnSpacing(columnSpacing),
      m_rowSpacing(rowSpacing)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void AdaptiveGrid::addCell(QWidget* cell)
{
    cell->setParent(this);
    m_cells.append(cell);
    placeCells();
    updateGeometry();
}

int AdaptiveGrid::columnCount(int width) const
{
    return qMax(1, (width + m_columnSpacing) / (m_minimumColumnWidth + m_columnSpacing));
}

int AdaptiveGrid::cellHeight() const
{
    int height = 0;
    for (const QWidget* cell : m_cells)
        height = qMax(height, cell->sizeHint().height());
    return height;
}

int AdaptiveGrid::heightForWidth(int width) const
{
    if (m_cells.isEmpty())
        return 0;
    const int columns = columnCount(width);
    const int rows = int((m_cells.size() + columns - 1) / columns);
    return rows * cellHeight() + (rows - 1) * m_rowSpacing;
}

QSize AdaptiveGrid::sizeHint() const
{
    const int width = 5 * m_minimumColumnWidth + 4 * m_columnSpacing;
    return {width, heightForWidth(width)};
}

QSize AdaptiveGrid::minimumSizeHint() const
{
    return {m_minimumColumnWidth, cellHeight()};
}

void AdaptiveGrid::resizeEvent(QResizeEvent*)
{
    placeCells();
}

void AdaptiveGrid::placeCells()
{
    const int columns = columnCount(width());
    const double columnWidth = (width() - (columns - 1) * m_columnSpacing) / double(columns);
    const int height = cellHeight();
    for (qsizetype i = 0; i < m_cells.size(); ++i) {
        const int column = int(i % columns);
        const int row = int(i / columns);
        const int left = qRound(column * (columnWidth + m_columnSpacing));
        const int right = qRound(column * (columnWidth + m_columnSpacing) + columnWidth);
        m_cells[i]->setGeometry(left, row * (height + m_rowSpacing), right - left, height);
    }
}

} // namespace nivora

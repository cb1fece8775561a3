#pragma once

#include <QList>
#include <QWidget>

namespace nivora {

// Lays out its cells in as many equal columns as fit, each at least
// `minimumColumnWidth` wide, with fixed gaps; every cell is as tall as the
// tallest size hint. The height follows the width, so a grid in a scrolling
// page grows downwards as the window narrows.
class AdaptiveGrid : public QWidget
{
    Q_OBJECT

public:
    AdaptiveGrid(int minimumColumnWidth, int columnSpacing, int rowSpacing, QWidget* parent = nullptr);

    // Adds `cell` at the end; the grid takes ownership.
    void addCell(QWidget* cell);
    const QList<QWidget*>& cells() const { return m_cells; }
    int columnCount(int width) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int cellHeight() const;
    void placeCells();

    int m_minimumColumnWidth;
    int m_columnSpacing;
    int m_rowSpacing;
    QList<QWidget*> m_cells;
};

} // namespace nivora

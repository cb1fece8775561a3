#pragma once

#include <QLayout>
#include <QList>

namespace nivora {

// A grid whose column count follows the width it is given: as many columns of
// at least `minimumColumnWidth` as fit with `columnSpacing` between them, all
// equally wide and sharing the whole width; items flow left to right, top to
// bottom, in insertion order. Each row is as high as its tallest item's height
// for the column width; items keep their own height and sit at the top of
// their cell.
class AdaptiveGridLayout : public QLayout
{
public:
    AdaptiveGridLayout(int minimumColumnWidth, int columnSpacing, int rowSpacing, QWidget* parent = nullptr);
    ~AdaptiveGridLayout() override;

    int minimumColumnWidth() const { return m_minimumColumnWidth; }
    int columnSpacing() const { return m_columnSpacing; }
    int rowSpacing() const { return m_rowSpacing; }

    // The number of columns for a content width (at least one).
    int columnsFor(int width) const;
    // The column count of the last layout pass.
    int columnCount() const { return m_lastColumns; }

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    int arrange(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> m_items;
    int m_minimumColumnWidth;
    int m_columnSpacing;
    int m_rowSpacing;
    mutable int m_lastColumns = 1;
};

} // namespace nivora

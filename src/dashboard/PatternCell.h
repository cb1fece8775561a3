#pragma once

#include "icons/FolderPattern.h"

#include <QAbstractButton>

namespace nivora {

class PatternFolderView;

// One pattern of the Icons page grid: the pattern on the folder at 82 × 82,
// its name and its category in capitals, centred. A plain button: clicking it
// applies the pattern. While disabled the whole cell is drawn at 40 %.
class PatternCell : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int previewSize = 82;
    static constexpr double disabledOpacity = 0.4;

    PatternCell(const FolderPattern& pattern, const QImage& folder, QWidget* parent = nullptr);

    const FolderPattern& pattern() const { return m_pattern; }
    PatternFolderView* preview() const { return m_preview; }
    // The opacity the cell is drawn with: 1, or disabledOpacity when disabled.
    double drawnOpacity() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    FolderPattern m_pattern;
    PatternFolderView* m_preview = nullptr;
};

} // namespace nivora

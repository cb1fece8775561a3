#pragma once

#include "icons/FolderPattern.h"

#include <QPixmap>
#include <QWidget>

namespace nivora {

// The bare pattern, filling the widget's square (the 512-unit design canvas
// scaled to it). The picture is drawn once per size and device pixel ratio and
// kept; paints only copy it.
class PatternCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit PatternCanvas(const FolderPattern& pattern, QWidget* parent = nullptr);

    const FolderPattern& pattern() const { return m_pattern; }
    void setPattern(const FolderPattern& pattern);
    // How many times the picture has been drawn (not copied): for tests and
    // benchmarks that check caching.
    int renderCount() const { return m_renders; }

    QSize sizeHint() const override { return {512, 512}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FolderPattern m_pattern;
    QPixmap m_cache;
    int m_renders = 0;
};

} // namespace nivora

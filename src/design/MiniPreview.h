#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QWidget>

class QPainter;

namespace nivora {

// A cheap, static stand-in for the live wallpaper: a diagonal gradient through up
// to four palette colours (rotated by the seed so neighbouring thumbnails differ)
// with a soft white glow in the top-left corner.
class MiniPreview : public QWidget
{
    Q_OBJECT

public:
    explicit MiniPreview(QWidget* parent = nullptr);

    QList<QColor> colors() const { return m_colors; }
    void setColors(const QList<QColor>& colors);
    qint64 seed() const { return m_seed; }
    void setSeed(qint64 seed);

    // Rounded corners and an outline, for thumbnails framed on their own
    // (radius 0 and an invalid colour: square, no outline).
    void setCornerRadius(double radius);
    void setOutline(const QColor& color, double width);

    // The colours the gradient runs through: `colors` rotated left by `seed`
    // (negative seeds rotate right), at most four; one grey when there are none.
    static QList<QColor> gradientColors(const QList<QColor>& colors, qint64 seed);
    // The gradient's start, as a unit point of the area; it ends at (0.95, 1).
    static QPointF gradientStart(qint64 seed);
    // Draws the preview into `rect` (clipping is the caller's).
    static void paint(QPainter& painter, const QRectF& rect, const QList<QColor>& colors, qint64 seed);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QColor> m_colors;
    qint64 m_seed = 0;
    double m_radius = 0;
    QColor m_outline;
    double m_outlineWidth = 0;
};

} // namespace nivora

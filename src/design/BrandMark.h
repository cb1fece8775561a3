#pragma once

#include <QPixmap>
#include <QRectF>
#include <QWidget>

class QPainter;

namespace nivora {

// The Nivora logo: a yellow rounded tile on a hard ink shadow, with a paper sun
// over two hills, drawn from a 100-unit grid so it is the same drawing at every
// size (line widths scale with it). The sidebar, the About page, the tray icon and
// the application icon all draw it through paint().
class BrandMark : public QWidget
{
    Q_OBJECT

public:
    explicit BrandMark(double size = 40, QWidget* parent = nullptr);

    double markSize() const { return m_size; }
    void setMarkSize(double size);

    // Draws the mark into the square `rect` (its width sets the scale).
    static void paint(QPainter& painter, const QRectF& rect);
    // The mark as a transparent pixmap of `side` device pixels.
    static QPixmap pixmap(int side);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_size;
};

} // namespace nivora

#pragma once

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QWidget>

namespace nivora {

// The dashboard's paper: a cream fill with a faint grid of dots every 26 pixels
// (none on the edges at 0).
class Backdrop : public QWidget
{
    Q_OBJECT

public:
    explicit Backdrop(QWidget* parent = nullptr);

    // The dot centres for an area of `size`.
    static QList<QPointF> dotCenters(const QSizeF& size);

    static constexpr double spacing = 26;
    static constexpr double dotDiameter = 2;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace nivora

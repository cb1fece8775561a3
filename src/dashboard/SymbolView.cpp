#include "dashboard/SymbolView.h"

#include "assets/FaceIcons.h"

#include <QPainter>

namespace nivora {

SymbolView::SymbolView(const QString& symbol, int pixelSize, const QColor& color, QWidget* parent)
    : QWidget(parent), m_symbol(symbol), m_color(color), m_pixelSize(pixelSize)
{
    setFixedSize(pixelSize, pixelSize);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SymbolView::setSymbol(const QString& symbol)
{
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    update();
}

void SymbolView::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void SymbolView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    FaceIcons::paint(painter, m_symbol, QRectF(rect()), m_color);
}

} // namespace nivora

#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace nivora {

// One symbol of the icon set, tinted, centred in a fixed square.
class SymbolView : public QWidget
{
    Q_OBJECT

public:
    SymbolView(const QString& symbol, int pixelSize, const QColor& color, QWidget* parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString& symbol);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    QColor m_color;
    int m_pixelSize;
};

} // namespace nivora

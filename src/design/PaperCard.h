#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class QVBoxLayout;

namespace nivora {

// The dashboard's card: a content widget on a cream sheet with a rough ink
// outline and a hard ink shadow. The card takes the full width it is offered; the
// content is padded on every side and sits at the leading edge (a content widget
// that can grow fills the width, one that cannot keeps its size at the left).
//
// The shadow falls `shadow` pixels right of and below the sheet. Widgets cannot
// paint outside themselves, so the card keeps that much room at its right and
// bottom edges and the sheet ends that much earlier.
class PaperCard : public QWidget
{
    Q_OBJECT

public:
    explicit PaperCard(QWidget* content = nullptr, QWidget* parent = nullptr);

    quint64 seed() const { return m_seed; }
    void setSeed(quint64 seed);
    QColor fill() const { return m_fill; }
    void setFill(const QColor& fill);
    QColor stroke() const { return m_stroke; }
    void setStroke(const QColor& stroke);
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double lineWidth);
    int padding() const { return m_padding; }
    void setPadding(int padding);
    int shadow() const { return m_shadow; }
    void setShadow(int shadow);

    // The wrapped widget, owned by the card. Setting a new one deletes the old.
    QWidget* content() const { return m_content; }
    void setContent(QWidget* content);

    // The sheet's rectangle in the card's coordinates (without the shadow room).
    QRectF sheetRect() const;

    static constexpr double roughness = 1.7;
    static constexpr quint64 shadowSeedOffset = 31;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateMargins();

    quint64 m_seed = 7;
    QColor m_fill = QColor(0xFF, 0xFD, 0xF6);
    QColor m_stroke;
    double m_lineWidth = 2;
    int m_padding = 18;
    int m_shadow = 5;
    QPointer<QWidget> m_content;
    QVBoxLayout* m_layout = nullptr;
};

} // namespace nivora

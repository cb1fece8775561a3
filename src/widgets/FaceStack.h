#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QRegion>
#include <QSizeF>
#include <QString>

class QPainter;

namespace nivora {

// The content of one widget face: a vertical, leading-aligned stack of lines
// (texts, emoji, a progress bar, swatches, a row of round buttons) with fixed
// spacing. It measures and paints itself; faces rebuild it whenever what they
// show changes and paint nothing else.
class FaceStack
{
public:
    struct Button
    {
        QString icon;   // symbol name, e.g. "play.fill"
        QColor fill;    // the circle's colour
        int action = 0; // what the face does when it is clicked
    };

    struct Item
    {
        enum class Kind
        {
            Text,
            MonospacedDigits,
            Bar,
            Capsule,
            Swatches,
            Buttons
        };
        Kind kind = Kind::Text;
        QString text;
        QFont font;
        QColor color;
        // Bar: value of total.
        double value = 0;
        double total = 1;
        QList<QColor> colors;
        QList<Button> buttons;
    };

    explicit FaceStack(double spacing = 0) : m_spacing(spacing) {}

    FaceStack& text(const QString& text, const QFont& font, const QColor& color);
    // A text whose digits all take the width of the widest digit, so a running
    // time does not jiggle.
    FaceStack& digits(const QString& text, const QFont& font, const QColor& color);
    FaceStack& bar(double value, double total, const QColor& accent);
    FaceStack& capsule(const QColor& color);
    FaceStack& swatches(const QList<QColor>& colors);
    FaceStack& buttons(const QList<Button>& buttons);

    const QList<Item>& items() const { return m_items; }
    double spacing() const { return m_spacing; }
    // True when the stack wants all the width it is given (it holds a bar).
    bool fillsWidth() const;

    QSizeF sizeHint() const;
    void paint(QPainter& painter, const QRectF& rect) const;
    // The circles of the buttons when the stack is laid out in `rect`, in the
    // order of the buttons.
    QList<QRectF> buttonRects(const QRectF& rect) const;

    bool operator==(const FaceStack& other) const;

    // The part of `rect` whose pixels can differ between painting `before` and
    // painting `after` there: nothing when both paint the same, the changed
    // tail of a line when only its text changed, the whole rect when the lines
    // move. Repainting only this keeps a ticking face's redraw small.
    static QRegion repaintArea(const FaceStack& before, const FaceStack& after, const QRectF& rect);

    static constexpr double barFrameHeight = 12;
    static constexpr double barHeight = 10;
    static constexpr double barMinimumFill = 10;
    static constexpr double buttonSize = 36;
    static constexpr double buttonSpacing = 10;

    // The bar's fill width for `value` of `total` in a track `trackWidth` wide.
    static double barFillWidth(double value, double total, double trackWidth);

private:
    static QSizeF itemSize(const Item& item);
    static bool sameItem(const Item& a, const Item& b);
    void paintItem(QPainter& painter, const Item& item, const QRectF& rect) const;

    double m_spacing = 0;
    QList<Item> m_items;
};

} // namespace nivora

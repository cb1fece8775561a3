#include "widgets/FaceStack.h"

#include "assets/FaceIcons.h"
#include "design/Theme.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace nivora {

namespace {

double widestDigit(const QFontMetricsF& fm)
{
    double w = 0;
    for (char c = '0'; c <= '9'; ++c)
        w = std::max(w, fm.horizontalAdvance(QLatin1Char(c)));
    return w;
}

double digitsWidth(const QString& text, const QFont& font)
{
    const QFontMetricsF fm(font);
    const double digit = widestDigit(fm);
    double w = 0;
    for (const QChar c : text)
        w += c.isDigit() ? digit : fm.horizontalAdvance(c);
    return w;
}

double lineWidth(const FaceStack::Item& item, const QString& text)
{
    if (item.kind == FaceStack::Item::Kind::MonospacedDigits)
        return digitsWidth(text, item.font);
    return QFontMetricsF(item.font).horizontalAdvance(text);
}

// How many leading characters of `text`, which begins with the `common`
// characters it shares with the other text, are laid out exactly as before: all
// but the last whole grapheme of the shared part, since shaping can join or kern
// a character with the one after it.
qsizetype settledLength(const QString& text, qsizetype common)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(common);
    if (!finder.isAtBoundary())
        finder.toPreviousBoundary();
    return std::max<qsizetype>(0, finder.toPreviousBoundary());
}

QPainterPath capsulePath(const QRectF& r)
{
    QPainterPath path;
    const double radius = std::min(r.width(), r.height()) / 2;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void fillAndOutline(QPainter& p, const QPainterPath& path, const QColor& fill, double lineWidth)
{
    p.fillPath(path, fill);
    p.strokePath(path, QPen(Theme::ink(), lineWidth));
}

} // namespace

FaceStack& FaceStack::text(const QString& text, const QFont& font, const QColor& color)
{
    Item item;
    item.kind = Item::Kind::Text;
    item.text = text;
    item.font = font;
    item.color = color;
    m_items.append(item);
    return *this;
}

FaceStack& FaceStack::digits(const QString& text, const QFont& font, const QColor& color)
{
    this->text(text, font, color);
    m_items.last().kind = Item::Kind::MonospacedDigits;
    return *this;
}

FaceStack& FaceStack::bar(double value, double total, const QColor& accent)
{
    Item item;
    item.kind = Item::Kind::Bar;
    item.value = value;
    item.total = total;
    item.color = accent;
    m_items.append(item);
    return *this;
}

FaceStack& FaceStack::capsule(const QColor& color)
{
    Item item;
    item.kind = Item::Kind::Capsule;
    item.color = color;
    m_items.append(item);
    return *this;
}

FaceStack& FaceStack::swatches(const QList<QColor>& colors)
{
    Item item;
    item.kind = Item::Kind::Swatches;
    item.colors = colors;
    m_items.append(item);
    return *this;
}

FaceStack& FaceStack::buttons(const QList<Button>& buttons)
{
    Item item;
    item.kind = Item::Kind::Buttons;
    item.buttons = buttons;
    m_items.append(item);
    return *this;
}

bool FaceStack::fillsWidth() const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const Item& i) { return i.kind == Item::Kind::Bar; });
}

double FaceStack::barFillWidth(double value, double total, double trackWidth)
{
    const double share = total > 0 ? trackWidth * value / total : 0;
    return std::max(share, barMinimumFill);
}

QSizeF FaceStack::itemSize(const Item& item)
{
    switch (item.kind) {
    case Item::Kind::Text: {
        const QFontMetricsF fm(item.font);
        return QSizeF(fm.horizontalAdvance(item.text), fm.height());
    }
    case Item::Kind::MonospacedDigits:
        return QSizeF(digitsWidth(item.text, item.font), QFontMetricsF(item.font).height());
    case Item::Kind::Bar:
        return QSizeF(barMinimumFill, barFrameHeight);
    case Item::Kind::Capsule:
        return QSizeF(46, 6);
    case Item::Kind::Swatches: {
        const qsizetype n = item.colors.size();
        return QSizeF(n > 0 ? n * 30 + (n - 1) * 5 : 0, 18);
    }
    case Item::Kind::Buttons: {
        const qsizetype n = item.buttons.size();
        return QSizeF(n > 0 ? n * buttonSize + (n - 1) * buttonSpacing : 0, buttonSize);
    }
    }
    return QSizeF();
}

QSizeF FaceStack::sizeHint() const
{
    double w = 0;
    double h = 0;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const QSizeF s = itemSize(m_items.at(i));
        w = std::max(w, s.width());
        h += s.height() + (i > 0 ? m_spacing : 0);
    }
    return QSizeF(w, h);
}

void FaceStack::paint(QPainter& painter, const QRectF& rect) const
{
    double y = rect.top();
    for (const Item& item : m_items) {
        const QSizeF s = itemSize(item);
        paintItem(painter, item, QRectF(rect.left(), y, rect.width(), s.height()));
        y += s.height() + m_spacing;
    }
}

QList<QRectF> FaceStack::buttonRects(const QRectF& rect) const
{
    QList<QRectF> rects;
    double y = rect.top();
    for (const Item& item : m_items) {
        const QSizeF s = itemSize(item);
        if (item.kind == Item::Kind::Buttons) {
            for (qsizetype i = 0; i < item.buttons.size(); ++i)
                rects.append(
                    QRectF(rect.left() + i * (buttonSize + buttonSpacing), y, buttonSize, buttonSize));
        }
        y += s.height() + m_spacing;
    }
    return rects;
}

void FaceStack::paintItem(QPainter& p, const Item& item, const QRectF& r) const
{
    switch (item.kind) {
    case Item::Kind::Text:
        p.setFont(item.font);
        p.setPen(item.color);
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, item.text);
        break;
    case Item::Kind::MonospacedDigits: {
        p.setFont(item.font);
        p.setPen(item.color);
        const QFontMetricsF fm(item.font);
        const double digit = widestDigit(fm);
        double x = r.left();
        for (const QChar c : item.text) {
            const double advance = c.isDigit() ? digit : fm.horizontalAdvance(c);
            p.drawText(QRectF(x, r.top(), advance, r.height()), Qt::AlignCenter, QString(c));
            x += advance;
        }
        break;
    }
    case Item::Kind::Bar: {
        const double top = r.top() + (barFrameHeight - barHeight) / 2;
        const QRectF track(r.left(), top, r.width(), barHeight);
        fillAndOutline(p, capsulePath(track), Theme::paper3(), 1.5);
        const QRectF fill(r.left(), top, barFillWidth(item.value, item.total, r.width()), barHeight);
        fillAndOutline(p, capsulePath(fill), item.color, 1.5);
        break;
    }
    case Item::Kind::Capsule:
        fillAndOutline(p, capsulePath(QRectF(r.left(), r.top(), 46, 6)), item.color, 1.2);
        break;
    case Item::Kind::Swatches:
        for (qsizetype i = 0; i < item.colors.size(); ++i) {
            QPainterPath path;
            path.addRoundedRect(QRectF(r.left() + i * 35, r.top(), 30, 18), 4, 4);
            fillAndOutline(p, path, item.colors.at(i), 1.2);
        }
        break;
    case Item::Kind::Buttons:
        for (qsizetype i = 0; i < item.buttons.size(); ++i) {
            const Button& b = item.buttons.at(i);
            const QRectF circle(r.left() + i * (buttonSize + buttonSpacing), r.top(), buttonSize, buttonSize);
            // The outline is drawn inside the 36-pixel frame.
            QPainterPath path;
            path.addEllipse(circle.adjusted(1, 1, -1, -1));
            fillAndOutline(p, path, b.fill, 2);
            const QRectF glyph(circle.center().x() - 6.5, circle.center().y() - 6.5, 13, 13);
            FaceIcons::paint(p, b.icon, glyph, Theme::ink());
        }
        break;
    }
}

bool FaceStack::sameItem(const Item& a, const Item& b)
{
    if (a.kind != b.kind || a.text != b.text || a.font != b.font || a.color != b.color ||
        a.value != b.value || a.total != b.total || a.colors != b.colors ||
        a.buttons.size() != b.buttons.size())
        return false;
    for (qsizetype k = 0; k < a.buttons.size(); ++k) {
        if (a.buttons.at(k).icon != b.buttons.at(k).icon || a.buttons.at(k).fill != b.buttons.at(k).fill ||
            a.buttons.at(k).action != b.buttons.at(k).action)
            return false;
    }
    return true;
}

bool FaceStack::operator==(const FaceStack& other) const
{
    if (m_spacing != other.m_spacing || m_items.size() != other.m_items.size())
        return false;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (!sameItem(m_items.at(i), other.m_items.at(i)))
            return false;
    }
    return true;
}

QRegion FaceStack::repaintArea(const FaceStack& before, const FaceStack& after, const QRectF& rect)
{
    const QRect bounds = rect.toAlignedRect();
    if (before == after)
        return QRegion();
    if (before.m_spacing != after.m_spacing || before.m_items.size() != after.m_items.size())
        return QRegion(bounds);
    // Lines of a new height move every line below them.
    for (qsizetype i = 0; i < after.m_items.size(); ++i) {
        if (itemSize(before.m_items.at(i)).height() != itemSize(after.m_items.at(i)).height())
            return QRegion(bounds);
    }

    QRegion area;
    double y = rect.top();
    for (qsizetype i = 0; i < after.m_items.size(); ++i) {
        const Item& a = before.m_items.at(i);
        const Item& b = after.m_items.at(i);
        const double height = itemSize(b).height();
        const QRectF row(rect.left(), y, rect.width(), height);
        y += height + after.m_spacing;
        if (sameItem(a, b))
            continue;

        const bool textOnly = a.kind == b.kind && a.font == b.font && a.color == b.color &&
                              (b.kind == Item::Kind::Text || b.kind == Item::Kind::MonospacedDigits) &&
                              !a.text.isRightToLeft() && !b.text.isRightToLeft();
        if (!textOnly) {
            // Outlines are stroked across the edge of their line.
            area += row.adjusted(-2, -2, 2, 2).toAlignedRect();
            continue;
        }
        qsizetype common = 0;
        while (common < a.text.size() && common < b.text.size() && a.text.at(common) == b.text.at(common))
            ++common;
        // Equal-width digits are drawn one by one, so nothing joins them.
        const qsizetype settled =
            b.kind == Item::Kind::MonospacedDigits
                ? common
                : std::min(settledLength(a.text, common), settledLength(b.text, common));
        const double start = lineWidth(b, b.text.left(settled));
        const double end = std::max(lineWidth(a, a.text), lineWidth(b, b.text));
        // Glyphs may reach a little past their advance and their line (bearings,
        // accents, antialiasing).
        const double margin = std::ceil(height / 8) + 1;
        area += QRectF(row.left() + start - margin, row.top() - margin, end - start + 2 * margin,
                       height + 2 * margin)
                    .toAlignedRect();
    }
    return area.intersected(bounds);
}

} // namespace nivora

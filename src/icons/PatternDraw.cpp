#include "icons/PatternDraw.h"

#include "design/SeededRNG.h"
#include "icons/FolderPattern.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace nivora::PatternDraw {

namespace {

// Lattices are sized from the canvas, so a canvas of extreme proportions (a
// hair-thin strip kilometres long) would otherwise ask for billions of shapes, or
// for steps too small to advance a double at all. No real caller comes near this.
constexpr int maxSteps = 4096;

// Positions a, a + s, a + 2s, … by repeated addition while below `end`.
template <typename F> void stepWhileBelow(double start, double step, double end, F&& visit)
{
    int index = 0;
    for (double v = start; v < end && index < maxSteps; v += step, ++index)
        visit(v, index);
}

// Positions i · s for i = 0, 1, 2, … while below `end`.
template <typename F> void indexWhileBelow(double step, double end, F&& visit)
{
    for (int i = 0; i < maxSteps; ++i) {
        const double v = i * step;
        if (!(v < end))
            return;
        visit(v, i);
    }
}

// The same two walks, but including a position equal to `end`.
template <typename F> void stepUpTo(double start, double step, double end, F&& visit)
{
    int index = 0;
    for (double v = start; v <= end && index < maxSteps; v += step, ++index)
        visit(v, index);
}

template <typename F> void indexUpTo(double step, double end, F&& visit)
{
    for (int i = 0; i < maxSteps; ++i) {
        const double v = i * step;
        if (!(v <= end))
            return;
        visit(v, i);
    }
}

bool isEven(long long n)
{
    return n % 2 == 0;
}

// The colour roles of one pattern: ground, motif colours A and B, and a random
// motif colour picked by a unit draw. Indices are clamped into the list, so any
// non-empty list works.
class Palette
{
public:
    explicit Palette(const QList<QColor>& colors) : m_colors(colors) {}

    QColor ground() const { return m_colors.first(); }
    QColor a() const { return m_colors.size() >= 2 ? m_colors.at(1) : m_colors.at(0); }
    QColor b() const { return m_colors.at(std::min<qsizetype>(2, m_colors.size() - 1)); }
    QColor random(double u) const
    {
        const qsizetype n = m_colors.size();
        const double spread = static_cast<double>(std::max<qsizetype>(n - 1, 1));
        const qsizetype index = 1 + static_cast<qsizetype>(std::floor(u * spread));
        return m_colors.at(std::min(index, n - 1));
    }

private:
    const QList<QColor>& m_colors;
};

// The kinds paint through these so that every fill uses no pen and every stroke
// the stated caps and joins; a stroke given only a width has butt caps and miter
// joins with limit 10, not Qt's square caps and bevel joins.
void useFill(QPainter& painter, const QColor& color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
}

void useStroke(QPainter& painter, const QColor& color, double width, Qt::PenCapStyle cap = Qt::FlatCap,
               Qt::PenJoinStyle join = Qt::MiterJoin)
{
    QPen pen(color, width, Qt::SolidLine, cap, join);
    pen.setMiterLimit(10);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
}

QRectF circleAround(double cx, double cy, double diameter)
{
    return QRectF(cx - diameter / 2.0, cy - diameter / 2.0, diameter, diameter);
}

// Adds an ellipse that runs clockwise on screen, as the heart's triangle does. With
// the non-zero rule, overlapping subpaths of opposite direction would cancel and
// leave holes. Qt's addEllipse starts at the right and sweeps clockwise (through
// the bottom first); this spells that out so the heart does not depend on it.
void addClockwiseEllipse(QPainterPath& path, const QRectF& rect)
{
    path.moveTo(rect.right(), rect.center().y());
    path.arcTo(rect, 0, -360);
    path.closeSubpath();
}

void fillPolygon(QPainter& painter, std::initializer_list<QPointF> points)
{
    const QPolygonF polygon(points);
    painter.drawPolygon(polygon, Qt::WindingFill);
}

// Open polyline from (0, y): steps of `stepX` to the right, alternately `amplitude`
// above and below y, until the first vertex at or beyond w.
QPolygonF zigzagRow(double y, double w, double stepX, double amplitude)
{
    QPolygonF line;
    line << QPointF(0, y);
    double x = 0;
    double sign = -1;
    for (int i = 0; x < w && i < maxSteps; ++i) {
        x += stepX;
        line << QPointF(x, y + sign * amplitude);
        sign = -sign;
    }
    return line;
}

// Strokes an open polyline with round caps and joins. A round-joined polyline is
// exactly the union of its segments with round caps, and in an opaque colour the
// two look the same; segment by segment is several times faster, because Qt fills
// a self-overlapping wide stroke as one complex shape.
void strokeRoundPolyline(QPainter& painter, const QPolygonF& line)
{
    for (qsizetype i = 0; i + 1 < line.size(); ++i)
        painter.drawLine(line.at(i), line.at(i + 1));
}

// A convex outline stroked with miter joins is the band between two copies of the
// shape, grown and shrunk by half the line width along the edge normals (a vertex
// of interior angle θ moves by (width / 2) / sin(θ / 2), well inside the miter
// limit of 10). Filling that band gives the same region several times faster than
// Qt's general stroker, which matters for the 49 diamonds of each icon.
void fillBand(QPainter& painter, const QPolygonF& outer, const QPolygonF& inner, const QColor& color)
{
    QPainterPath band;
    band.setFillRule(Qt::OddEvenFill);
    band.addPolygon(outer);
    band.closeSubpath();
    if (!inner.isEmpty()) {
        band.addPolygon(inner);
        band.closeSubpath();
    }
    painter.fillPath(band, color);
}

QPolygonF rhombusAround(const QPointF& c, double half)
{
    return QPolygonF{QPointF(c.x(), c.y() - half), QPointF(c.x() + half, c.y()), QPointF(c.x(), c.y() + half),
                     QPointF(c.x() - half, c.y())};
}

QPolygonF hexagonAround(const QPointF& c, double radius)
{
    QPolygonF polygon;
    for (int i = 0; i < 6; ++i) {
        const double angle = i * std::numbers::pi / 3.0;
        polygon << QPointF(c.x() + radius * std::cos(angle), c.y() + radius * std::sin(angle));
    }
    return polygon;
}

void drawDots(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 8;
    useFill(p, colors.a());
    stepWhileBelow(c / 2, c, h, [&](double y, int) {
        stepWhileBelow(c / 2, c, w, [&](double x, int) {
            p.drawEllipse(QRectF(x - 0.2 * c, y - 0.2 * c, 0.4 * c, 0.4 * c));
        });
    });
}

void drawChecker(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 8;
    useFill(p, colors.a());
    indexWhileBelow(c, h, [&](double y, int k) {
        indexWhileBelow(c, w, [&](double x, int j) {
            if (isEven(k + j))
                p.drawRect(QRectF(x, y, c, c));
        });
    });
}

void drawHarlequin(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 6;
    stepWhileBelow(-c, c, h + c, [&](double y, int k) {
        const double start = isEven(k) ? -c : -c / 2;
        stepWhileBelow(start, c, w + c, [&](double x, int j) {
            useFill(p, isEven(j + k) ? colors.a() : colors.b());
            fillPolygon(p, {QPointF(x + c / 2, y), QPointF(x + c, y + c / 2), QPointF(x + c / 2, y + c),
                            QPointF(x, y + c / 2)});
        });
    });
}

void drawTriangles(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 6;
    stepWhileBelow(0, c, h, [&](double y, int k) {
        stepWhileBelow(0, c, w, [&](double x, int j) {
            const bool up = isEven(j + k);
            const double base = up ? y + c : y;
            const double apex = up ? y : y + c;
            useFill(p, isEven(j) ? colors.a() : colors.b());
            fillPolygon(p, {QPointF(x, base), QPointF(x + c, base), QPointF(x + c / 2, apex)});
        });
    });
}

void drawStars(QPainter& p, const Palette& colors, double w, double h)
{
    SeededRNG rng(7);
    const double c = w / 6;
    useFill(p, colors.a());
    stepWhileBelow(c / 2, c, h, [&](double y, int) {
        stepWhileBelow(c / 2, c, w, [&](double x, int) {
            const double dx = rng.sym(0.2 * c);
            const double dy = rng.sym(0.2 * c);
            const double u = rng.unit();
            p.drawPath(star(QPointF(x + dx, y + dy), 0.22 * c * (0.6 * u + 0.7)));
        });
    });
}

void drawScales(QPainter& p, const Palette& colors, double w, double h)
{
    const double r = w / 7;
    QPen edge(colors.ground(), 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    edge.setMiterLimit(10);
    stepWhileBelow(-r / 2, r, h + r, [&](double y, int k) {
        const double start = isEven(k) ? -r : -1.5 * r;
        stepWhileBelow(start, 2 * r, w + r, [&](double x, int) {
            // The lower half of the disc centred (x + r, y): from angle 0 through the
            // bottom point to angle π, closed by the chord.
            QPainterPath half;
            half.setFillRule(Qt::WindingFill);
            half.moveTo(x + 2 * r, y);
            half.arcTo(QRectF(x, y - r, 2 * r, 2 * r), 0, -180);
            half.closeSubpath();
            const long long column = static_cast<long long>(std::trunc((x + r) / r));
            p.fillPath(half, isEven(column + k) ? colors.a() : colors.b());
            p.strokePath(half, edge);
        });
    });
}

void drawGrid(QPainter& p, const Palette& colors, double w, double h)
{
    const double s = w / 8;
    useStroke(p, colors.a(), 7);
    indexUpTo(s, w, [&](double x, int) { p.drawLine(QPointF(x, 0), QPointF(x, h)); });
    indexUpTo(s, h, [&](double y, int) { p.drawLine(QPointF(0, y), QPointF(w, y)); });
}

void drawBubbles(QPainter& p, const Palette& colors, double w, double h)
{
    SeededRNG rng(11);
    for (int i = 0; i < 70; ++i) {
        const double radius = 0.02 * w + rng.unit() * 0.06 * w;
        const double cx = rng.unit() * w;
        const double cy = rng.unit() * h;
        const double u = rng.unit();
        useFill(p, u <= 0.5 ? colors.b() : colors.a());
        p.drawEllipse(QRectF(cx - radius, cy - radius, 2 * radius, 2 * radius));
    }
}

void drawMosaic(QPainter& p, const Palette& colors, double w, double h)
{
    SeededRNG rng(5);
    const double c = w / 10;
    stepWhileBelow(0, c, h, [&](double y, int) {
        stepWhileBelow(0, c, w, [&](double x, int) {
            const double u = rng.unit();
            useFill(p, colors.random(u));
            // On canvases under 40 units the tile is narrower than its gaps and its
            // size goes negative; it is then read with its corners swapped, so tiny
            // previews still show small coloured squares.
            p.drawRect(QRectF(x + 2, y + 2, c - 4, c - 4).normalized());
        });
    });
}

void drawWaves(QPainter& p, const Palette& colors, double w, double h)
{
    const double b = h / 6;
    indexWhileBelow(b, h + b, [&](double y, int k) {
        QPolygonF band;
        band << QPointF(0, y);
        stepUpTo(0, 10, w, [&](double x, int) {
            band << QPointF(x, y + 0.35 * b * std::sin(4 * std::numbers::pi * x / w));
        });
        band << QPointF(w, h) << QPointF(0, h);
        useFill(p, isEven(k) ? colors.a() : colors.b());
        p.drawPolygon(band, Qt::WindingFill);
    });
}

void drawConfetti(QPainter& p, const Palette& colors, double w, double h)
{
    SeededRNG rng(9);
    for (int i = 0; i < 120; ++i) {
        const double a = rng.unit();
        const double px = rng.unit();
        const double py = rng.unit();
        const double u = rng.unit();
        const double s = 0.012 * w + 0.018 * w * a;
        useFill(p, colors.random(u));
        p.drawRect(QRectF(px * w, py * h, s, 2 * s));
    }
}

void drawHearts(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 5;
    const double s = 0.34 * c;
    useFill(p, colors.a());
    stepWhileBelow(c / 2, c, h, [&](double y, int k) {
        const double start = isEven(k) ? c / 2 : c;
        stepWhileBelow(start, c, w, [&](double x, int) { p.drawPath(heart(QPointF(x, y), s)); });
    });
}

void drawStripes(QPainter& p, const Palette& colors, double w, double h)
{
    const double step = w / 7;
    useStroke(p, colors.a(), step / 2);
    stepWhileBelow(-h, step, w + h, [&](double x, int) { p.drawLine(QPointF(x, 0), QPointF(x + h, h)); });
}

void drawGingham(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 8;
    QColor band = colors.a();
    band.setAlphaF(band.alphaF() * 0.5);
    useFill(p, band);
    indexWhileBelow(c, w, [&](double x, int) { p.drawRect(QRectF(x, 0, c / 2, h)); });
    indexWhileBelow(c, h, [&](double y, int) { p.drawRect(QRectF(0, y, w, c / 2)); });
}

void drawChevron(QPainter& p, const Palette& colors, double w, double h)
{
    const double r = h / 7;
    for (int k = 0; k < 7; ++k) {
        const double y = r / 2 + k * r;
        useStroke(p, isEven(k) ? colors.a() : colors.b(), 0.42 * r, Qt::RoundCap, Qt::RoundJoin);
        strokeRoundPolyline(p, zigzagRow(y, w, w / 6, 0.35 * r));
    }
}

void drawTerrazzo(QPainter& p, const Palette& colors, double w, double h)
{
    SeededRNG rng(13);
    for (int i = 0; i < 90; ++i) {
        const double a = rng.unit();
        const double px = rng.unit();
        const double py = rng.unit();
        const double u = rng.unit();
        const double radius = 0.012 * w + 0.03 * w * a;
        useFill(p, colors.random(u));
        p.drawEllipse(QRectF(px * w - radius, py * h - radius, 2 * radius, 2 * radius * 1.15));
    }
}

void drawPetals(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 5;
    stepWhileBelow(c / 2, c, h, [&](double y, int) {
        stepWhileBelow(c / 2, c, w, [&](double x, int) {
            useFill(p, colors.a());
            for (double theta = 0; theta < 6.28; theta += 1.0472)
                p.drawEllipse(
                    circleAround(x + 0.22 * c * std::cos(theta), y + 0.22 * c * std::sin(theta), 0.24 * c));
            useFill(p, colors.b());
            p.drawEllipse(circleAround(x, y, 0.2 * c));
        });
    });
}

void drawHoundstooth(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 8;
    useFill(p, colors.a());
    indexWhileBelow(c, h + c, [&](double y, int k) {
        indexWhileBelow(c, w + c, [&](double x, int j) {
            if (!isEven(j + k))
                return;
            p.drawRect(QRectF(x, y, c, c));
            fillPolygon(p, {QPointF(x, y), QPointF(x - c / 2, y), QPointF(x, y - c / 2)});
            fillPolygon(p, {QPointF(x + c, y + c), QPointF(x + 1.5 * c, y + c), QPointF(x + c, y + 1.5 * c)});
        });
    });
}

void drawCrosshatch(QPainter& p, const Palette& colors, double w, double h)
{
    const double step = w / 11;
    QPen first(colors.a(), 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    QPen second(colors.b(), 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    first.setMiterLimit(10);
    second.setMiterLimit(10);
    p.setBrush(Qt::NoBrush);
    stepWhileBelow(-h, step, w + h, [&](double x, int) {
        p.setPen(first);
        p.drawLine(QPointF(x, 0), QPointF(x + h, h));
        p.setPen(second);
        p.drawLine(QPointF(x + h, 0), QPointF(x, h));
    });
}

void drawZigzag(QPainter& p, const Palette& colors, double w, double h)
{
    const double r = h / 7;
    indexWhileBelow(r, h + r, [&](double y, int k) {
        useStroke(p, isEven(k) ? colors.a() : colors.b(), 0.3 * r, Qt::RoundCap, Qt::RoundJoin);
        strokeRoundPolyline(p, zigzagRow(y, w, w / 8, 0.4 * r));
    });
}

void drawDiamonds(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 6;
    // Square corners: each vertex moves by (4 / 2) / sin(45°).
    const double grow = 2.0 * std::numbers::sqrt2;
    stepWhileBelow(-c / 2, c, h + c, [&](double y, int k) {
        const double start = isEven(k) ? -c / 2 : 0;
        stepWhileBelow(start, c, w + c, [&](double x, int) {
            const QPointF centre(x + c / 2, y + c / 2);
            const double inner = c / 2 - grow;
            fillBand(p, rhombusAround(centre, c / 2 + grow),
                     inner > 0 ? rhombusAround(centre, inner) : QPolygonF(), colors.a());
            useFill(p, colors.b());
            p.drawEllipse(circleAround(centre.x(), centre.y(), 0.12 * c));
        });
    });
}

void drawHexagons(QPainter& p, const Palette& colors, double w, double h)
{
    const double s = w / 8;
    useStroke(p, colors.a(), 3);
    stepWhileBelow(-s, 1.5 * s, w + s, [&](double x, int j) {
        const double start = isEven(j) ? -s : s * std::sqrt(3.0) / 2 - s;
        stepWhileBelow(start, s * std::sqrt(3.0), h + s, [&](double y, int) {
            p.drawPolygon(hexagonAround(QPointF(x, y), s), Qt::WindingFill);
        });
    });
}

void drawPlus(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 7;
    const double t = 0.22 * c;
    const double length = 0.6 * c;
    useFill(p, colors.a());
    stepWhileBelow(c / 2, c, h + c, [&](double y, int) {
        stepWhileBelow(c / 2, c, w + c, [&](double x, int) {
            p.drawRect(QRectF(x - t / 2, y - 0.3 * c, t, length));
            p.drawRect(QRectF(x - 0.3 * c, y - t / 2, length, t));
        });
    });
}

void drawRings(QPainter& p, const Palette& colors, double w, double h)
{
    const double c = w / 5;
    stepWhileBelow(c / 2, c, h + c, [&](double y, int) {
        stepWhileBelow(c / 2, c, w + c, [&](double x, int) {
            useStroke(p, colors.a(), 5);
            p.drawEllipse(circleAround(x, y, 0.64 * c));
            useStroke(p, colors.b(), 4);
            p.drawEllipse(circleAround(x, y, 0.34 * c));
        });
    });
}

void drawPinstripe(QPainter& p, const Palette& colors, double w, double h)
{
    const double s = w / 16;
    useFill(p, colors.a());
    indexUpTo(s, w, [&](double x, int) { p.drawRect(QRectF(x, 0, 0.18 * s, h)); });
}

void drawLeaves(QPainter& p, const Palette& colors, double w, double h)
{
    // 28 degrees, given in radians so that no conversion rounds the angle.
    constexpr double tilt = 0.4886921905584123;
    const double c = w / 5;
    QPen midrib(colors.ground(), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    midrib.setMiterLimit(10);
    stepWhileBelow(c / 2, c, h + c, [&](double y, int k) {
        const double start = isEven(k) ? c / 2 : c;
        stepWhileBelow(start, c, w + c, [&](double x, int) {
            // Each leaf turns its own copy of the transform, so no rotation leaks into
            // the next leaf or to the caller.
            p.save();
            QTransform local;
            local.translate(x, y);
            local.rotateRadians(isEven(k) ? -tilt : tilt);
            p.setTransform(local, true);
            useFill(p, colors.a());
            p.drawEllipse(QRectF(-0.12 * c, -0.28 * c, 0.24 * c, 0.56 * c));
            p.setPen(midrib);
            p.setBrush(Qt::NoBrush);
            p.drawLine(QPointF(0, -0.24 * c), QPointF(0, 0.24 * c));
            p.restore();
        });
    });
}

void drawSprinkles(QPainter& p, const Palette& colors, double w, double h)
{
    SeededRNG rng(17);
    for (int i = 0; i < 90; ++i) {
        const double px = rng.unit();
        const double py = rng.unit();
        const double u = rng.unit();
        const double theta = rng.unit() * 3.1416;
        p.save();
        QTransform local;
        local.translate(px * w, py * h);
        local.rotateRadians(theta);
        p.setTransform(local, true);
        useFill(p, colors.random(u));
        // Corners of half the width make a capsule; Qt has no continuous-curvature
        // corner, and at this size the circular one is indistinguishable.
        p.drawRoundedRect(QRectF(-0.012 * w, -0.03 * w, 0.024 * w, 0.06 * w), 0.012 * w, 0.012 * w);
        p.restore();
    }
}

} // namespace

QPainterPath star(const QPointF& center, double radius)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int i = 0; i < 10; ++i) {
        const double angle = (-90.0 + 36.0 * i) * std::numbers::pi / 180.0;
        const double d = (i % 2 == 0) ? radius : 0.45 * radius;
        const QPointF vertex(center.x() + d * std::cos(angle), center.y() + d * std::sin(angle));
        if (i == 0)
            path.moveTo(vertex);
        else
            path.lineTo(vertex);
    }
    path.closeSubpath();
    return path;
}

QPainterPath heart(const QPointF& center, double size)
{
    const double x = center.x();
    const double y = center.y();
    const double s = size;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    addClockwiseEllipse(path, QRectF(x - 0.55 * s, y - 0.5 * s, 0.6 * s, 0.6 * s));
    addClockwiseEllipse(path, QRectF(x - 0.05 * s, y - 0.5 * s, 0.6 * s, 0.6 * s));
    path.moveTo(x - 0.52 * s, y - 0.02 * s);
    path.lineTo(x + 0.52 * s, y - 0.02 * s);
    path.lineTo(x, y + 0.62 * s);
    path.closeSubpath();
    return path;
}

QPainterPath hexagon(const QPointF& center, double radius)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addPolygon(hexagonAround(center, radius));
    path.closeSubpath();
    return path;
}

void render(const FolderPattern& pattern, QPainter& painter, const QSizeF& size)
{
    const QList<QColor>& list = pattern.colors();
    if (list.isEmpty())
        return;
    const Palette colors(list);
    const double w = size.width();
    const double h = size.height();

    // A size that is not a number has no rectangle to fill at all.
    if (!std::isfinite(w) || !std::isfinite(h))
        return;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(QRectF(0, 0, w, h).normalized(), colors.ground());
    // With no area nothing drawn could show, and lattice steps derived from a zero
    // width would never advance.
    if (!(w > 0 && h > 0)) {
        painter.restore();
        return;
    }

    switch (pattern.kind()) {
    case PatternKind::dots:
        drawDots(painter, colors, w, h);
        break;
    case PatternKind::checker:
        drawChecker(painter, colors, w, h);
        break;
    case PatternKind::harlequin:
        drawHarlequin(painter, colors, w, h);
        break;
    case PatternKind::triangles:
        drawTriangles(painter, colors, w, h);
        break;
    case PatternKind::stars:
        drawStars(painter, colors, w, h);
        break;
    case PatternKind::scales:
        drawScales(painter, colors, w, h);
        break;
    case PatternKind::grid:
        drawGrid(painter, colors, w, h);
        break;
    case PatternKind::bubbles:
        drawBubbles(painter, colors, w, h);
        break;
    case PatternKind::mosaic:
        drawMosaic(painter, colors, w, h);
        break;
    case PatternKind::waves:
        drawWaves(painter, colors, w, h);
        break;
    case PatternKind::confetti:
        drawConfetti(painter, colors, w, h);
        break;
    case PatternKind::hearts:
        drawHearts(painter, colors, w, h);
        break;
    case PatternKind::stripes:
        drawStripes(painter, colors, w, h);
        break;
    case PatternKind::gingham:
        drawGingham(painter, colors, w, h);
        break;
    case PatternKind::chevron:
        drawChevron(painter, colors, w, h);
        break;
    case PatternKind::terrazzo:
        drawTerrazzo(painter, colors, w, h);
        break;
    case PatternKind::petals:
        drawPetals(painter, colors, w, h);
        break;
    case PatternKind::houndstooth:
        drawHoundstooth(painter, colors, w, h);
        break;
    case PatternKind::crosshatch:
        drawCrosshatch(painter, colors, w, h);
        break;
    case PatternKind::zigzag:
        drawZigzag(painter, colors, w, h);
        break;
    case PatternKind::diamonds:
        drawDiamonds(painter, colors, w, h);
        break;
    case PatternKind::hexagons:
        drawHexagons(painter, colors, w, h);
        break;
    case PatternKind::plus:
        drawPlus(painter, colors, w, h);
        break;
    case PatternKind::rings:
        drawRings(painter, colors, w, h);
        break;
    case PatternKind::pinstripe:
        drawPinstripe(painter, colors, w, h);
        break;
    case PatternKind::leaves:
        drawLeaves(painter, colors, w, h);
        break;
    case PatternKind::sprinkles:
        drawSprinkles(painter, colors, w, h);
        break;
    }
    painter.restore();
}

} // namespace nivora::PatternDraw

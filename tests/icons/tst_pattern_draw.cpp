#include "design/SeededRNG.h"
#include "icons/FolderPattern.h"
#include "icons/PatternDraw.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <cmath>
#include <limits>

using namespace nivora;

namespace {

const FolderPattern& preset(const QString& name)
{
    for (const FolderPattern& pattern : FolderPattern::all()) {
        if (pattern.name() == name)
            return pattern;
    }
    qFatal("no preset named %s", qPrintable(name));
}

// Renders `pattern` at `size` into an image of `canvas` pixels (the size when
// empty) that starts fully transparent, so untouched pixels can be told apart.
QImage render(const FolderPattern& pattern, const QSizeF& size, QSize canvas = QSize())
{
    if (canvas.isEmpty())
        canvas = size.toSize();
    QImage image(canvas, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PatternDraw::render(pattern, painter, size);
    painter.end();
    return image;
}

QRgb opaque(const QColor& color)
{
    return color.rgba();
}

// Equal up to the rounding of blending a colour over itself.
bool nearlyEqual(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1 &&
           std::abs(qBlue(a) - qBlue(b)) <= 1 && qAlpha(a) == qAlpha(b);
}

// Number of separate runs of pixels different from `ground` down column x.
int runsDownColumn(const QImage& image, int x, QRgb ground)
{
    int runs = 0;
    bool inside = false;
    for (int y = 0; y < image.height(); ++y) {
        const bool ink = image.pixel(x, y) != ground;
        if (ink && !inside)
            ++runs;
        inside = ink;
    }
    return runs;
}

} // namespace

class TestPatternDraw : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPresetRendersIdentically()
    {
        for (const FolderPattern& pattern : FolderPattern::all()) {
            const QImage first = render(pattern, QSizeF(200, 200));
            const QImage second = render(pattern, QSizeF(200, 200));
            QVERIFY2(first == second, qPrintable(pattern.name()));
            // The ground covers the canvas and something besides the ground is drawn.
            QSet<QRgb> colours;
            for (int y = 0; y < first.height(); y += 3) {
                for (int x = 0; x < first.width(); x += 3)
                    colours.insert(first.pixel(x, y));
            }
            QVERIFY2(!colours.contains(qRgba(0, 0, 0, 0)), qPrintable(pattern.name()));
            QVERIFY2(colours.size() >= 2, qPrintable(pattern.name()));
        }
    }

    // The pieces take entries 1 to 3 only: the centre of every piece inside the
    // canvas shows a motif colour (or, under the edge of a later piece, a mix of
    // two), never the ground. Piece positions come from the
    // same seeded sequence, drawn a, px, py, u per piece.
    void confettiNeverUsesGround()
    {
        const FolderPattern& confetti = preset(QStringLiteral("Confettis"));
        const double w = 512;
        const QImage image = render(confetti, QSizeF(w, w));
        const QRgb ground = opaque(confetti.colors().first());
        QSet<QRgb> motif;
        for (qsizetype i = 1; i < confetti.colors().size(); ++i)
            motif.insert(opaque(confetti.colors().at(i)));

        SeededRNG rng(9);
        QSet<QRgb> used;
        int checked = 0;
        QRgb lastColour = 0;
        QPoint lastCentre;
        for (int i = 0; i < 120; ++i) {
            const double a = rng.unit();
            const double px = rng.unit();
            const double py = rng.unit();
            const double u = rng.unit();
            const double s = 0.012 * w + 0.018 * w * a;
            const QPoint centre(static_cast<int>(px * w + s / 2), static_cast<int>(py * w + s));
            lastCentre = centre;
            lastColour =
                opaque(confetti.colors().at(std::min<qsizetype>(1 + static_cast<qsizetype>(u * 3), 3)));
            if (!image.rect().contains(centre))
                continue;
            const QRgb pixel = image.pixel(centre);
            QVERIFY2(pixel != ground, qPrintable(QStringLiteral("piece %1").arg(i)));
            if (motif.contains(pixel))
                used.insert(pixel);
            ++checked;
        }
        QVERIFY(checked > 100);
        QCOMPARE(used.size(), 3);
        // The last piece lies on top of all others and shows its own colour.
        if (image.rect().contains(lastCentre))
            QCOMPARE(image.pixel(lastCentre), lastColour);
    }

    // With two colours, B falls back to entry 1: the second set of hatch lines
    // (top-right to bottom-left) is painted in it too, and a one-colour list paints
    // everything in the ground.
    void colourRolesClampIntoShortLists()
    {
        const QColor ground(0xF6F0E2);
        const QColor ink(0x7A2E1E);
        const FolderPattern two(QStringLiteral("t"), QStringLiteral("c"), PatternKind::crosshatch,
                                {ground, ink});
        const QImage image = render(two, QSizeF(220, 220));
        // With h = 220 and a step of 20, the second set are the lines x + y = 20i and
        // the first set x - y = 20j. Pixels centred on a line of the second set at
        // y = 115.5 lie 6 pixels away from every line of the first set.
        int checked = 0;
        for (int i = 0; i < 30; ++i) {
            const int px = 20 * i - 116;
            if (px < 5 || px > 215)
                continue;
            QCOMPARE(image.pixel(px, 115), opaque(ink));
            ++checked;
        }
        QVERIFY(checked > 5);

        const FolderPattern single(QStringLiteral("s"), QStringLiteral("c"), PatternKind::confetti, {ground});
        const QImage plain = render(single, QSizeF(64, 64));
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x)
                QVERIFY(nearlyEqual(plain.pixel(x, y), opaque(ground)));
        }
    }

    // Lines and bars include x = w (test ≤), squares and bands stop before it
    // (test <). Drawn on a wider canvas, what lies at x = w shows beyond the
    // pattern's own width.
    void edgeAtFullWidth_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("drawsAtWidth");
        QTest::newRow("grid") << QStringLiteral("Quadrillage") << true;
        QTest::newRow("pinstripe") << QStringLiteral("Fines rayures") << true;
        QTest::newRow("checker") << QStringLiteral("Damier") << false;
        QTest::newRow("gingham") << QStringLiteral("Vichy") << false;
    }

    void edgeAtFullWidth()
    {
        QFETCH(QString, name);
        QFETCH(bool, drawsAtWidth);
        const FolderPattern& pattern = preset(name);
        const QImage image = render(pattern, QSizeF(512, 256), QSize(560, 256));
        const QRgb motif = opaque(pattern.colors().at(1));
        const QRgb beyond = image.pixel(513, 100);
        if (drawsAtWidth) {
            QCOMPARE(beyond, motif);
        } else {
            QCOMPARE(beyond, qRgba(0, 0, 0, 0));
        }
        // Nothing reaches further than a line width past the edge.
        QCOMPARE(image.pixel(530, 100), qRgba(0, 0, 0, 0));
    }

    void chevronHasSevenRowsAtAnyHeight_data()
    {
        QTest::addColumn<int>("height");
        QTest::newRow("short") << 64;
        QTest::newRow("square") << 512;
        QTest::newRow("tall") << 1024;
    }

    void chevronHasSevenRowsAtAnyHeight()
    {
        QFETCH(int, height);
        const FolderPattern& chevron = preset(QStringLiteral("Chevron"));
        const QImage image = render(chevron, QSizeF(512, height));
        const QRgb ground = opaque(chevron.colors().first());
        for (const int x : {43, 128, 300})
            QCOMPARE(runsDownColumn(image, x, ground), 7);
        // Rows alternate A and B from the top.
        const double r = height / 7.0;
        QCOMPARE(image.pixel(0, static_cast<int>(r / 2)), opaque(chevron.colors().at(1)));
        QCOMPARE(image.pixel(0, static_cast<int>(r / 2 + r)), opaque(chevron.colors().at(2)));
    }

    // Every leaf is turned about its own centre: a point off its midrib, turned by
    // ∓28°, lies inside the leaf for every position of the lattice.
    void leavesTurnEachLeafOnItsOwn()
    {
        const FolderPattern& leaves = preset(QStringLiteral("Feuillage"));
        const double w = 500;
        QImage image(500, 500, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        painter.translate(3, 2);
        const QTransform before = painter.transform();
        PatternDraw::render(leaves, painter, QSizeF(w, w));
        QCOMPARE(painter.transform(), before);
        painter.end();

        const double c = w / 5;
        const QRgb leaf = opaque(leaves.colors().at(1));
        int checked = 0;
        for (int k = 0; k * c + c / 2 < w + c; ++k) {
            const double y = c / 2 + k * c;
            const double angle = (k % 2 == 0 ? -1 : 1) * 0.4886921905584123;
            for (double x = (k % 2 == 0 ? c / 2 : c); x < w + c; x += c) {
                QTransform local;
                local.translate(x, y);
                local.rotateRadians(angle);
                const QPointF p = before.map(local.map(QPointF(0.06 * c, 0.12 * c)));
                if (p.x() < 1 || p.y() < 1 || p.x() > w - 2 || p.y() > w - 2)
                    continue;
                QCOMPARE(image.pixel(p.toPoint()), leaf);
                ++checked;
            }
        }
        QVERIFY(checked >= 20);
    }

    // The last sprinkle is on top: its centre shows its own colour, at its own
    // place, whatever turns came before; the transform is given back unchanged.
    void sprinklesLeaveTransformAsFound()
    {
        const FolderPattern& sprinkles = preset(QStringLiteral("Vermicelles"));
        QImage image(300, 300, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        painter.translate(20, 10);
        painter.scale(0.5, 0.5);
        const QTransform before = painter.transform();
        PatternDraw::render(sprinkles, painter, QSizeF(512, 512));
        QCOMPARE(painter.transform(), before);
        painter.end();

        SeededRNG rng(17);
        double px = 0, py = 0, u = 0;
        for (int i = 0; i < 90; ++i) {
            px = rng.unit();
            py = rng.unit();
            u = rng.unit();
            rng.unit();
        }
        const QPointF centre = before.map(QPointF(px * 512, py * 512));
        const QColor expected = sprinkles.colors().at(1 + static_cast<qsizetype>(std::floor(u * 3)));
        QCOMPARE(image.pixel(centre.toPoint()), opaque(expected));
    }

    // Diamond outlines are filled as bands rather than stroked; the band must cover
    // what a width-4 stroke with miter joins covers.
    void diamondOutlinesMatchStroke()
    {
        const FolderPattern& diamonds = preset(QStringLiteral("Losanges"));
        const double w = 512;
        const QImage actual = render(diamonds, QSizeF(w, w));

        QImage expected(512, 512, QImage::Format_ARGB32_Premultiplied);
        expected.fill(diamonds.colors().first());
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        QPen pen(diamonds.colors().at(1), 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        pen.setMiterLimit(10);
        const double c = w / 6;
        int k = 0;
        for (double y = -c / 2; y < w + c; y += c, ++k) {
            for (double x = (k % 2 == 0 ? -c / 2 : 0); x < w + c; x += c) {
                const QPointF m(x + c / 2, y + c / 2);
                painter.setPen(pen);
                painter.setBrush(Qt::NoBrush);
                painter.drawPolygon(QPolygonF{m + QPointF(0, -c / 2), m + QPointF(c / 2, 0),
                                              m + QPointF(0, c / 2), m + QPointF(-c / 2, 0)});
                painter.setPen(Qt::NoPen);
                painter.setBrush(diamonds.colors().at(1));
                painter.drawEllipse(m, 0.06 * c, 0.06 * c);
            }
        }
        painter.end();

        int differing = 0;
        for (int y = 0; y < 512; ++y) {
            for (int x = 0; x < 512; ++x) {
                const QRgb a = actual.pixel(x, y);
                const QRgb e = expected.pixel(x, y);
                const int d = std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                                        std::abs(qBlue(a) - qBlue(e))});
                if (d > 12)
                    ++differing;
            }
        }
        QVERIFY2(differing < 200, qPrintable(QString::number(differing)));
    }

    void motifOutlines()
    {
        const QPainterPath star = PatternDraw::star(QPointF(100, 100), 40);
        QCOMPARE(star.elementCount(), 11);
        QVERIFY(std::abs(star.elementAt(0).x - 100) < 1e-9 && std::abs(star.elementAt(0).y - 60) < 1e-9);
        // Clockwise on screen: the second vertex is to the right of the top.
        QVERIFY(star.elementAt(1).x > 100);
        QVERIFY(std::abs(std::hypot(star.elementAt(1).x - 100, star.elementAt(1).y - 100) - 18) < 1e-9);
        QVERIFY(star.contains(QPointF(100, 100)));

        const QPainterPath hexagon = PatternDraw::hexagon(QPointF(0, 0), 10);
        QVERIFY(std::abs(hexagon.elementAt(0).x - 10) < 1e-9 && std::abs(hexagon.elementAt(0).y) < 1e-9);
        QVERIFY(std::abs(hexagon.elementAt(4).y - hexagon.elementAt(5).y) < 1e-9);
        QVERIFY(std::abs(hexagon.elementAt(1).y - hexagon.elementAt(2).y) < 1e-9);

        // The circles and the triangle fill as one shape: where they overlap there
        // is no hole.
        const QPainterPath heart = PatternDraw::heart(QPointF(50, 50), 60);
        QVERIFY(heart.contains(QPointF(50 - 0.25 * 60, 50)));
        QVERIFY(heart.contains(QPointF(50 + 0.25 * 60, 50)));
        QVERIFY(heart.contains(QPointF(50, 50 + 0.5 * 60)));
        QVERIFY(!heart.contains(QPointF(50, 50 - 0.45 * 60)));
    }

    void hardSizesRenderSafely_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QSize>("canvas");
        QTest::newRow("zero") << QSizeF(0, 0) << QSize(8, 8);
        QTest::newRow("zero width") << QSizeF(0, 900) << QSize(8, 8);
        QTest::newRow("negative") << QSizeF(-40, -40) << QSize(8, 8);
        QTest::newRow("not a number") << QSizeF(std::numeric_limits<double>::quiet_NaN(), 50) << QSize(8, 8);
        QTest::newRow("one pixel") << QSizeF(1, 1) << QSize(1, 1);
        QTest::newRow("narrow and tall") << QSizeF(37, 900) << QSize(37, 900);
        QTest::newRow("hair thin") << QSizeF(0.001, 4096) << QSize(8, 64);
        QTest::newRow("largest") << QSizeF(4096, 4096) << QSize(4096, 4096);
    }

    void hardSizesRenderSafely()
    {
        QFETCH(QSizeF, size);
        QFETCH(QSize, canvas);
        QImage image(canvas, QImage::Format_ARGB32_Premultiplied);
        for (const FolderPattern& pattern : FolderPattern::all()) {
            image.fill(Qt::transparent);
            QPainter painter(&image);
            PatternDraw::render(pattern, painter, size);
            painter.end();
            // A canvas without area leaves the image untouched.
            if (!(size.width() > 0 && size.height() > 0))
                QCOMPARE(image.pixel(4, 4), qRgba(0, 0, 0, 0));
            else if (size.width() >= 1)
                QVERIFY(image.pixel(0, 0) != qRgba(0, 0, 0, 0));
        }
    }

    void emptyColourListPaintsNothing()
    {
        const FolderPattern empty(QStringLiteral("e"), QStringLiteral("c"), PatternKind::dots, {});
        const QImage image = render(empty, QSizeF(32, 32));
        QCOMPARE(image.pixel(16, 16), qRgba(0, 0, 0, 0));
    }
};

QTEST_GUILESS_MAIN(TestPatternDraw)
#include "tst_pattern_draw.moc"

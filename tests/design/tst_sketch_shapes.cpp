#include "design/RoughEllipse.h"
#include "design/RoughRectangle.h"
#include "design/SketchUnderline.h"

#include <QPainterPath>
#include <QTest>
#include <cmath>

using namespace nivora;

namespace {

bool near(const QPointF& a, const QPointF& b, double tolerance = 1e-9)
{
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

// Qt stores a quadratic segment as a cubic one; this recovers the start point and
// then, per segment, the quadratic control point and the end point.
QList<QPointF> quadraticPoints(const QPainterPath& path)
{
    QList<QPointF> list;
    QPointF current;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.type == QPainterPath::MoveToElement) {
            current = e;
            list.append(current);
        } else if (e.type == QPainterPath::CurveToElement && i + 2 < path.elementCount()) {
            const QPointF c1 = e;
            const QPointF end = path.elementAt(i + 2);
            list.append(current + 1.5 * (c1 - current));
            list.append(end);
            current = end;
            i += 2;
        }
    }
    return list;
}

QString describe(const QPointF& p)
{
    return QStringLiteral("(%1, %2)").arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 17);
}

} // namespace

// Reference coordinates come from an independent Python model of the generator and
// of the three shapes; they pin the order in which random values are drawn.
class TestSketchShapes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roughRectangleReference()
    {
        const QPainterPath path = RoughRectangle{7, 1.7}.path(QRectF(10, 20, 200, 100));
        // move, then four quadratic segments (control point, end point each).
        const QList<QPointF> expected{
            {14.503117999999999, 23.256168}, {111.4994204, 22.695667800000003},
            {207.26726200000002, 24.733638}, {207.3953162, 72.6429968},
            {207.5089, 117.31425},           {108.30695980000002, 115.13687300000001},
            {12.35901, 116.995432},          {12.2852912, 68.33386399999999},
            {14.503117999999999, 23.256168},
        };
        const QList<QPointF> actual = quadraticPoints(path);
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY2(near(actual[i], expected[i], 1e-9), qPrintable(describe(actual[i])));
        QCOMPARE(path.elementAt(0).type, QPainterPath::MoveToElement);
    }

    void roughnessZeroIsPlainInsetRectangle_data()
    {
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<quint64>("seed");
        QTest::newRow("card") << QRectF(0, 0, 300, 120) << quint64(7);
        QTest::newRow("offset") << QRectF(-40, 12.5, 80, 33) << quint64(12345);
    }

    void roughnessZeroIsPlainInsetRectangle()
    {
        QFETCH(QRectF, rect);
        QFETCH(quint64, seed);
        const QPainterPath path = RoughRectangle{seed, 0.0}.path(rect);
        const QRectF inset = rect.adjusted(1.5, 1.5, -1.5, -1.5);
        QCOMPARE(path.boundingRect(), inset);
        // Every control point lies on its side's midpoint, so the sides are straight.
        const QList<QPointF> p = quadraticPoints(path);
        QCOMPARE(p.size(), 9);
        const QList<QPointF> expected{inset.topLeft(),     QPointF(inset.center().x(), inset.top()),
                                      inset.topRight(),    QPointF(inset.right(), inset.center().y()),
                                      inset.bottomRight(), QPointF(inset.center().x(), inset.bottom()),
                                      inset.bottomLeft(),  QPointF(inset.left(), inset.center().y()),
                                      inset.topLeft()};
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY2(near(p[i], expected[i]), qPrintable(describe(p[i])));
    }

    void sameSeedSameSizeIsTranslated()
    {
        const RoughRectangle shape{42, 1.7};
        const QPainterPath a = shape.path(QRectF(0, 0, 180, 64));
        const QPainterPath b = shape.path(QRectF(250, -30, 180, 64));
        QCOMPARE(a.elementCount(), b.elementCount());
        for (int i = 0; i < a.elementCount(); ++i) {
            const QPointF moved = QPointF(b.elementAt(i)) - QPointF(250, -30);
            QVERIFY2(near(QPointF(a.elementAt(i)), moved, 1e-9), qPrintable(describe(moved)));
        }
    }

    void differentSeedsDiffer()
    {
        const QRectF rect(0, 0, 180, 64);
        const RoughRectangle seven{7, 1.7};
        const RoughRectangle eight{8, 1.7};
        const RoughRectangle shadowOfSeven{7 + 31, 1.7};
        QVERIFY(seven.path(rect) != eight.path(rect));
        QVERIFY(seven.path(rect) != shadowOfSeven.path(rect));
        QVERIFY(RoughEllipse{5}.path(rect) != RoughEllipse{6}.path(rect));
        QVERIFY(SketchUnderline{3}.path(rect) != SketchUnderline{4}.path(rect));
    }

    // The wobble must stay inside the rectangle it was given, whatever the seed.
    void wobbleStaysInside()
    {
        const QRectF rect(0, 0, 120, 40);
        for (quint64 seed = 0; seed < 300; ++seed) {
            const QRectF bounds = RoughRectangle{seed, 1.7}.path(rect).boundingRect();
            QVERIFY2(rect.contains(bounds), qPrintable(QString::number(seed)));
        }
    }

    // Smaller than its inset, the rectangle shrinks to its centre rather than
    // turning inside out.
    void tinyRectangleCollapsesToCentre()
    {
        const QPainterPath path = RoughRectangle{7, 0.0}.path(QRectF(10, 10, 2, 50));
        const QRectF bounds = path.boundingRect();
        QCOMPARE(bounds.left(), 11.0);
        QCOMPARE(bounds.right(), 11.0);
        QCOMPARE(bounds.top(), 11.5);
        QCOMPARE(bounds.bottom(), 58.5);
    }

    void roughEllipseReference()
    {
        const QPainterPath path = RoughEllipse{5}.path(QRectF(0, 0, 100, 60));
        QCOMPARE(path.elementCount(), 27);
        QCOMPARE(path.elementAt(0).type, QPainterPath::MoveToElement);
        for (int i = 1; i < 27; ++i)
            QCOMPARE(path.elementAt(i).type, QPainterPath::LineToElement);
        QVERIFY(near(path.elementAt(0), QPointF(96.9125081227763, 19.72535866273374), 1e-9));
        QVERIFY(near(path.elementAt(13), QPointF(0.7568458587243896, 27.03552256606909), 1e-9));
        QVERIFY(near(path.elementAt(26), QPointF(90.69193321487447, 44.96906183568732), 1e-9));
        // Open: the last point overshoots the first instead of closing onto it.
        QVERIFY(!near(path.elementAt(26), path.elementAt(0), 1.0));
    }

    void sketchUnderlineReference()
    {
        const QPainterPath path = SketchUnderline{3}.path(QRectF(0, 0, 140, 10));
        // The start point and 7 quadratic segments of two points each.
        const QList<QPointF> p = quadraticPoints(path);
        QCOMPARE(p.size(), 15);
        QVERIFY(near(p[0], QPointF(0, 3.7784899999999997), 1e-9));
        QVERIFY(near(p[1], QPointF(10.0, 2.77538), 1e-9));
        QVERIFY(near(p[2], QPointF(20.0, 5.22472), 1e-9));
        QVERIFY(near(p[13], QPointF(130.0, 7.487360000000001), 1e-9));
        QVERIFY(near(p[14], QPointF(140.0, 3.7876), 1e-9));
        QVERIFY(!near(path.currentPosition(), p[0], 1.0));
    }
};

QTEST_GUILESS_MAIN(TestSketchShapes)
#include "tst_sketch_shapes.moc"

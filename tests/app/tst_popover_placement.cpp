// Where the tray popover opens for icons on every edge, click points and
// screens of several sizes: always beside the anchor and inside the screen's
// available area.
#include "app/PopoverPlacement.h"

#include <QTest>

using namespace nivora;
using Screen = PopoverPlacement::Screen;

Q_DECLARE_METATYPE(QList<nivora::PopoverPlacement::Screen>)

class TestPopoverPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placesBesideTheAnchorInsideTheScreen_data();
    void placesBesideTheAnchorInsideTheScreen();
    void neverLeavesTheAvailableArea();
};

namespace {

const QSize kPopover(300, 440);

// A 1920 × 1080 screen with a 30-pixel panel on the given edge.
Screen panelScreen(Qt::Edge edge, const QPoint& origin = QPoint(0, 0))
{
    const QRect g(origin, QSize(1920, 1080));
    QRect a = g;
    switch (edge) {
    case Qt::TopEdge:
        a.setTop(g.top() + 30);
        break;
    case Qt::BottomEdge:
        a.setBottom(g.bottom() - 30);
        break;
    case Qt::LeftEdge:
        a.setLeft(g.left() + 30);
        break;
    case Qt::RightEdge:
        a.setRight(g.right() - 30);
        break;
    }
    return {g, a};
}

} // namespace

void TestPopoverPlacement::placesBesideTheAnchorInsideTheScreen_data()
{
    QTest::addColumn<QList<Screen>>("screens");
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QRect>("expected");

    // Icon 22 × 22 in a top panel near the right corner: below it, pushed left
    // so it stays inside.
    QTest::newRow("top panel, right corner")
        << QList<Screen>{panelScreen(Qt::TopEdge)} << QRect(1890, 4, 22, 22) << QRect(1620, 30, 300, 440);
    // Icon in the middle of a top panel: centred below it, gap 4.
    QTest::newRow("top panel, middle")
        << QList<Screen>{panelScreen(Qt::TopEdge)} << QRect(949, 4, 22, 22) << QRect(809, 30, 300, 440);
    // Bottom panel: above the icon, its bottom 4 above the icon's top.
    QTest::newRow("bottom panel") << QList<Screen>{panelScreen(Qt::BottomEdge)} << QRect(1000, 1054, 22, 22)
                                  << QRect(860, 1054 - 4 - 440, 300, 440);
    // Bottom-left corner: above and clamped to the left edge.
    QTest::newRow("bottom panel, left corner")
        << QList<Screen>{panelScreen(Qt::BottomEdge)} << QRect(2, 1054, 22, 22) << QRect(0, 610, 300, 440);
    // Vertical panel on the left: to the right of the icon, centred on it.
    QTest::newRow("left panel") << QList<Screen>{panelScreen(Qt::LeftEdge)} << QRect(4, 500, 22, 22)
                                << QRect(30, 290, 300, 440);
    QTest::newRow("right panel") << QList<Screen>{panelScreen(Qt::RightEdge)} << QRect(1894, 500, 22, 22)
                                 << QRect(1590, 290, 300, 440);
    // A click point in the upper half (a host that gives only a point, or the
    // cursor): just below the point.
    QTest::newRow("point, upper half")
        << QList<Screen>{panelScreen(Qt::TopEdge)} << QRect(700, 200, 1, 1) << QRect(550, 205, 300, 440);
    QTest::newRow("point, lower half")
        << QList<Screen>{panelScreen(Qt::TopEdge)} << QRect(700, 900, 1, 1) << QRect(550, 456, 300, 440);
    // Second screen to the right, offset vertically; its own panel counts.
    QTest::newRow("second screen") << QList<Screen>{panelScreen(Qt::TopEdge),
                                                    panelScreen(Qt::TopEdge, QPoint(1920, 200))}
                                   << QRect(3830, 204, 22, 22) << QRect(3540, 230, 300, 440);
    // An anchor off every screen goes to the nearest one.
    QTest::newRow("off screen") << QList<Screen>{panelScreen(Qt::TopEdge)} << QRect(2500, -100, 1, 1)
                                << QRect(1620, 30, 300, 440);
    // Smaller than the popover: top-left aligned, not off the top.
    QTest::newRow("tiny screen") << QList<Screen>{Screen{QRect(0, 0, 200, 300), QRect(0, 0, 200, 300)}}
                                 << QRect(100, 290, 1, 1) << QRect(0, 0, 300, 440);
    QTest::newRow("no screens") << QList<Screen>{} << QRect(100, 100, 1, 1) << QRect(0, 0, 300, 440);
}

void TestPopoverPlacement::placesBesideTheAnchorInsideTheScreen()
{
    QFETCH(QList<Screen>, screens);
    QFETCH(QRect, anchor);
    QFETCH(QRect, expected);
    QCOMPARE(PopoverPlacement::place(kPopover, anchor, screens), expected);
}

void TestPopoverPlacement::neverLeavesTheAvailableArea()
{
    // Every anchor on a grid over and around two screens: the popover never
    // covers the anchor and never leaves the chosen screen's available area.
    const QList<Screen> screens{panelScreen(Qt::BottomEdge), panelScreen(Qt::LeftEdge, QPoint(1920, 0))};
    for (int x = -50; x < 3900; x += 97) {
        for (int y = -50; y < 1130; y += 53) {
            const QRect anchor(x, y, 22, 22);
            const QRect placed = PopoverPlacement::place(kPopover, anchor, screens);
            const Screen& s = screens.at(PopoverPlacement::screenFor(anchor, screens));
            QVERIFY2(s.available.contains(placed), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            QCOMPARE(placed.size(), kPopover);
            // Beside, not on top: unless the screen is too small to avoid it,
            // which these are not.
            QVERIFY2(!placed.intersects(anchor.intersected(s.available)) || !s.available.intersects(anchor),
                     qPrintable(QStringLiteral("covers anchor at %1,%2").arg(x).arg(y)));
        }
    }
}

QTEST_APPLESS_MAIN(TestPopoverPlacement)
#include "tst_popover_placement.moc"

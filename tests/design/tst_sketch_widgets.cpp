#include "design/PaperCard.h"
#include "design/RoughRectangle.h"
#include "design/SketchButton.h"
#include "design/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainterPathStroker>
#include <QSignalSpy>
#include <QTest>

using namespace nivora;

namespace {

// Pixel centres that lie well inside `inside` and well away from every path in
// `outside` (a one-pixel margin, so antialiasing cannot touch them).
QList<QPoint> solidPoints(const QPainterPath& inside, const QList<QPainterPath>& outside, const QSize& size)
{
    QList<QPoint> points;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            bool ok = true;
            for (const QPointF d :
                 {QPointF(0, 0), QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)}) {
                const QPointF p = QPointF(x + 0.5, y + 0.5) + d;
                if (!inside.contains(p))
                    ok = false;
                for (const QPainterPath& other : outside) {
                    if (other.contains(p))
                        ok = false;
                }
            }
            if (ok)
                points.append(QPoint(x, y));
        }
    }
    return points;
}

QPainterPath outlineOf(const QPainterPath& path, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

} // namespace

class TestSketchWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cardPadsContentAndKeepsShadowRoom()
    {
        auto* content = new QWidget;
        content->setMinimumSize(100, 40);
        PaperCard card(content);
        card.resize(300, 200);
        card.show();
        QVERIFY(QTest::qWaitForWindowExposed(&card));
        // 18 of padding on every side plus 5 of shadow room right and below.
        QCOMPARE(content->geometry(), QRect(18, 18, 300 - 36 - 5, 200 - 36 - 5));
        QCOMPARE(card.sheetRect(), QRectF(0, 0, 295, 195));

        card.setPadding(10);
        card.setShadow(0);
        QTRY_COMPARE(content->geometry(), QRect(10, 10, 280, 180));
    }

    void cardTakesFullWidthWithContentAtLeadingEdge()
    {
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* content = new QWidget;
        content->setFixedSize(60, 30);
        auto* card = new PaperCard(content);
        layout->addWidget(card);
        window.resize(500, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(card->width(), 500);
        QCOMPARE(content->geometry().topLeft(), QPoint(18, 18));
        QCOMPARE(content->width(), 60);
    }

    void cardPaintsShadowSheetAndOutline()
    {
        PaperCard card(new QWidget);
        card.setSeed(21);
        // A wide outline leaves pixels that it covers completely.
        card.setLineWidth(6);
        card.resize(240, 120);
        const QImage image = card.grab().toImage();

        const QRectF sheet = card.sheetRect();
        const QPainterPath body = RoughRectangle{21, 1.7}.path(sheet);
        const QPainterPath shadow = RoughRectangle{21 + 31, 1.7}.path(sheet).translated(5, 5);
        const QPainterPath outline = outlineOf(body, 6);

        const QList<QPoint> paper = solidPoints(body, {outline}, image.size());
        const QList<QPoint> shade = solidPoints(shadow, {body, outline}, image.size());
        const QList<QPoint> ink = solidPoints(outline, {}, image.size());
        QVERIFY(paper.size() > 10000);
        QVERIFY(shade.size() > 100);
        QVERIFY(ink.size() > 10);
        for (const QPoint& p : paper)
            QCOMPARE(image.pixelColor(p), QColor(0xFF, 0xFD, 0xF6));
        for (const QPoint& p : shade)
            QCOMPARE(image.pixelColor(p), Theme::ink());
        for (const QPoint& p : ink)
            QCOMPARE(image.pixelColor(p), Theme::ink());
    }

    // The largest seed wraps round for the shadow instead of faulting.
    void cardShadowSeedWraps()
    {
        PaperCard card(new QWidget);
        card.setSeed(~quint64(0));
        card.resize(200, 100);
        const QImage image = card.grab().toImage();
        const QPainterPath body = RoughRectangle{~quint64(0), 1.7}.path(card.sheetRect());
        const QPainterPath shadow = RoughRectangle{30, 1.7}.path(card.sheetRect()).translated(5, 5);
        const QList<QPoint> shade = solidPoints(shadow, {body, outlineOf(body, 2)}, image.size());
        QVERIFY(!shade.isEmpty());
        for (const QPoint& p : shade)
            QCOMPARE(image.pixelColor(p), Theme::ink());
    }

    void buttonSizeFollowsLabel()
    {
        SketchButton button(QStringLiteral("Appliquer"));
        QCOMPARE(button.font().pixelSize(), 13);
        QCOMPARE(button.font().weight(), QFont::Bold);
        const QFontMetricsF metrics(button.font());
        const QSize hint = button.sizeHint();
        QCOMPARE(hint.width(), qCeil(metrics.horizontalAdvance(QStringLiteral("Appliquer")) + 32 + 4));
        QCOMPARE(hint.height(), qCeil(metrics.height() + 18 + 4));
    }

    void pressAnimatesDownAndUp()
    {
        SketchButton button(QStringLiteral("OK"));
        button.resize(button.sizeHint());
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy amounts(&button, &SketchButton::pressAmountChanged);

        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
        QTRY_COMPARE(button.pressAmount(), 1.0);
        // The spring with damping 0.6 swings past fully pressed on the way.
        double highest = 0;
        for (const QVariantList& args : amounts)
            highest = std::max(highest, args.first().toDouble());
        QVERIFY(highest > 1.0);
        QVERIFY(amounts.count() > 3);

        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
        QTRY_COMPARE(button.pressAmount(), 0.0);
    }

    // Pressed, the sheet sinks by 3 and the shadow offset drops to 1, so the shadow
    // stays where it was. A clear sheet lets the whole shadow show.
    void pressedShadowStaysPut()
    {
        SketchButton button(QStringLiteral("Enregistrer"));
        button.setFill(Qt::transparent);
        button.resize(button.sizeHint());
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        const QImage up = button.grab().toImage();
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
        QTRY_COMPARE(button.pressAmount(), 1.0);
        const QImage down = button.grab().toImage();

        const QRectF sheet = SketchButtonStyle::sheetRect(button.size());
        const QPainterPath bodyUp = RoughRectangle{11, 1.7}.path(sheet);
        const QPainterPath bodyDown = bodyUp.translated(3, 3);
        const QPainterPath shadow = RoughRectangle{11 + 31, 1.7}.path(sheet).translated(4, 4);
        const QList<QPainterPath> outlines{outlineOf(bodyUp, 2), outlineOf(bodyDown, 2)};

        const QList<QPoint> shade = solidPoints(shadow, outlines, up.size());
        QVERIFY(shade.size() > 500);
        for (const QPoint& p : shade) {
            QCOMPARE(up.pixelColor(p), Theme::ink());
            QCOMPARE(down.pixelColor(p), Theme::ink());
        }
        // Where a shadow that sank along with the sheet would have been, there is none.
        const QList<QPoint> beyond =
            solidPoints(shadow.translated(3, 3), outlines + QList<QPainterPath>{shadow}, up.size());
        QVERIFY(beyond.size() > 20);
        for (const QPoint& p : beyond)
            QVERIFY(down.pixelColor(p) != Theme::ink());
    }

    void contentSinksAndPassesClicks()
    {
        SketchButton button;
        auto* label = new QLabel(QStringLiteral("Fond actif"));
        button.setContent(label);
        button.resize(button.sizeHint());
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        const QPoint rest = label->pos();
        QCOMPARE(rest, QPoint(16, 9));

        QSignalSpy clicked(&button, &QAbstractButton::clicked);
        const QPoint onLabel = label->geometry().center();
        QTest::mousePress(&button, Qt::LeftButton, {}, onLabel);
        QTRY_COMPARE(button.pressAmount(), 1.0);
        QCOMPARE(label->pos(), rest + QPoint(3, 3));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, onLabel);
        QCOMPARE(clicked.count(), 1);
    }
};

QTEST_MAIN(TestSketchWidgets)
#include "tst_sketch_widgets.moc"

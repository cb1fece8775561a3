#include "assets/Fonts.h"
#include "design/Theme.h"
#include "widgets/FaceStack.h"
#include "widgets/WidgetFaceView.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>

using namespace nivora;

Q_DECLARE_METATYPE(nivora::FaceStack)

namespace {

const QRectF kFace(0, 0, 220, 150);

FaceStack timer(const QString& time, bool running)
{
    FaceStack stack(8);
    stack.text(QStringLiteral("CHRONO"), Fonts::font(10, QFont::ExtraBold, 1.5), Theme::inkSoft());
    stack.digits(time, Fonts::font(42, QFont::ExtraBold), Theme::ink());
    stack.buttons({{running ? QStringLiteral("pause.fill") : QStringLiteral("play.fill"), Theme::green(), 1},
                   {QStringLiteral("arrow.counterclockwise"), Theme::paper3(), 2}});
    return stack;
}

FaceStack clock(const QString& time, const QString& date, const QColor& color = Theme::ink())
{
    FaceStack stack(4);
    stack.text(time, Fonts::font(48, QFont::ExtraBold), color);
    stack.text(date, Fonts::font(13, QFont::DemiBold), Theme::inkSoft());
    return stack;
}

FaceStack progress(double value, const QString& caption)
{
    FaceStack stack(6);
    stack.text(caption, Fonts::font(14, QFont::Bold), Theme::ink());
    stack.bar(value, 100, Theme::green());
    return stack;
}

// What the screen shows after painting `stack` on paper.
QImage painted(const FaceStack& stack)
{
    QImage image(kFace.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Theme::paper());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    stack.paint(p, kFace);
    return image;
}

// What the screen shows when `before` was painted and then only `area` is
// repainted with `after`, as the backing store does: cleared, paper, content.
QImage repainted(const FaceStack& before, const FaceStack& after, const QRegion& area)
{
    QImage image = painted(before);
    QPainter p(&image);
    p.setClipRegion(area);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(image.rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(image.rect(), Theme::paper());
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    after.paint(p, kFace);
    return image;
}

qint64 areaOf(const QRegion& region)
{
    qint64 total = 0;
    for (const QRect& r : region)
        total += qint64(r.width()) * r.height();
    return total;
}

// A face that shows whatever stack it is given and remembers what it was asked
// to repaint.
class StackFace : public WidgetFaceView
{
public:
    StackFace() : WidgetFaceView(WidgetKind::Stopwatch, Environment()) {}

    FaceStack next;
    QRegion painted;

protected:
    FaceStack build() const override { return next; }
    void paintEvent(QPaintEvent* event) override
    {
        painted += event->region();
        WidgetFaceView::paintEvent(event);
    }
};

} // namespace

class TestFaceStackRepaint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void repaintAreaCoversEveryChangedPixel_data();
    void repaintAreaCoversEveryChangedPixel();
    void faceRepaintsOnlyTheChangedArea();
};

void TestFaceStackRepaint::initTestCase()
{
    QVERIFY(Fonts::load());
}

void TestFaceStackRepaint::repaintAreaCoversEveryChangedPixel_data()
{
    QTest::addColumn<FaceStack>("before");
    QTest::addColumn<FaceStack>("after");
    // The largest share of the face the repaint may take, in percent; 0 means
    // nothing, 100 the whole face.
    QTest::addColumn<int>("maxShare");
    QTest::addColumn<bool>("whole");

    const QString date = QStringLiteral("LUNDI 7 DÉC.");
    QTest::newRow("same stack: nothing") << timer("00:05", true) << timer("00:05", true) << 0 << false;
    QTest::newRow("stopwatch second") << timer("00:05", true) << timer("00:06", true) << 12 << false;
    QTest::newRow("stopwatch minute carry") << timer("00:59", true) << timer("01:00", true) << 30 << false;
    QTest::newRow("stopwatch pauses: button row")
        << timer("00:06", true) << timer("00:06", false) << 35 << false;
    QTest::newRow("clock minute") << clock("10:29", date) << clock("10:30", date) << 25 << false;
    QTest::newRow("clock hour, wider") << clock("9:59", date) << clock("10:00", date) << 45 << false;
    QTest::newRow("clock hour, narrower") << clock("10:00", date) << clock("9:59", date) << 45 << false;
    QTest::newRow("date line at midnight")
        << clock("23:59", date) << clock("0:00", QStringLiteral("MARDI 8 DÉC.")) << 60 << false;
    QTest::newRow("emoji and accents")
        << clock(QStringLiteral("🍅 Été"), date) << clock(QStringLiteral("☕ Hiver"), date) << 60 << false;
    QTest::newRow("colour of a line")
        << clock("10:30", date) << clock("10:30", date, Theme::green()) << 60 << false;
    QTest::newRow("progress bar") << progress(40, QStringLiteral("40 %"))
                                  << progress(41, QStringLiteral("41 %")) << 60 << false;
    QTest::newRow("line of a new height") << clock("10:30", date) << [] {
        FaceStack s(4);
        s.text(QStringLiteral("10:30"), Fonts::font(30, QFont::ExtraBold), Theme::ink());
        s.text(QStringLiteral("LUNDI 7 DÉC."), Fonts::font(13, QFont::DemiBold), Theme::inkSoft());
        return s;
    }() << 100 << true;
    QTest::newRow("line added") << progress(40, QStringLiteral("40 %")) << timer("00:05", false) << 100
                                << true;
}

void TestFaceStackRepaint::repaintAreaCoversEveryChangedPixel()
{
    QFETCH(FaceStack, before);
    QFETCH(FaceStack, after);
    QFETCH(int, maxShare);
    QFETCH(bool, whole);

    const QRegion area = FaceStack::repaintArea(before, after, kFace);
    QVERIFY(area.subtracted(kFace.toAlignedRect()).isEmpty());
    if (whole)
        QCOMPARE(area, QRegion(kFace.toAlignedRect()));
    QVERIFY2(areaOf(area) * 100 <= maxShare * areaOf(QRegion(kFace.toAlignedRect())),
             qPrintable(QStringLiteral("repaints %1 of %2 pixels")
                            .arg(areaOf(area))
                            .arg(areaOf(QRegion(kFace.toAlignedRect())))));
    // Repainting only the area must leave the same pixels as painting it all.
    QCOMPARE(repainted(before, after, area), painted(after));
}

void TestFaceStackRepaint::faceRepaintsOnlyTheChangedArea()
{
    StackFace face;
    face.next = timer("00:05", true);
    face.refresh();
    face.resize(kFace.size().toSize());
    face.show();
    QVERIFY(QTest::qWaitForWindowExposed(&face));
    QTRY_VERIFY(!face.painted.isEmpty());

    face.painted = QRegion();
    face.next = timer("00:06", true);
    face.refresh();
    QTRY_VERIFY(!face.painted.isEmpty());
    QCOMPARE(face.painted, FaceStack::repaintArea(timer("00:05", true), timer("00:06", true), kFace));

    // Nothing changed: nothing is repainted.
    face.painted = QRegion();
    face.refresh();
    QTest::qWait(50);
    QVERIFY(face.painted.isEmpty());
}

QTEST_MAIN(TestFaceStackRepaint)
#include "test_face_stack_repaint.moc"

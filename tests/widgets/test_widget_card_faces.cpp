#include "FixedWidgetClock.h"
#include "assets/Fonts.h"
#include "design/Theme.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "widgets/ClockWidgetView.h"
#include "widgets/FaceStack.h"
#include "widgets/PomodoroWidgetView.h"
#include "widgets/StopwatchWidgetView.h"
#include "widgets/WidgetCard.h"
#include "widgets/WidgetFaceContent.h"
#include "widgets/WidgetFaceFactory.h"
#include "widgets/WidgetPlacement.h"
#include "widgets/WidgetShapeKey.h"
#include "widgets/WidgetWindow.h"

#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace nivora;

namespace {

WidgetFaceView::Environment environmentAt(const FixedWidgetClock& clock)
{
    WidgetFaceView::Environment env;
    env.clock = &clock;
    env.calendar = WidgetCalendar(QStringLiteral("fr_FR"), QStringLiteral("Europe/Paris"));
    return env;
}

QStringList texts(const FaceStack& stack)
{
    QStringList out;
    for (const auto& item : stack.items()) {
        if (item.kind == FaceStack::Item::Kind::Text || item.kind == FaceStack::Item::Kind::MonospacedDigits)
            out << item.text;
    }
    return out;
}

QImage render(QWidget& widget)
{
    widget.show();
    QCoreApplication::processEvents();
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 &&
           std::abs(a.blue() - b.blue()) <= 6 && a.alpha() > 240;
}

} // namespace

class TestWidgetCardFaces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void contentPlacement_data();
    void contentPlacement();
    void shapeComesFromTheNearestAncestor();
    void framePixels_data();
    void framePixels();
    void progressBarFill_data();
    void progressBarFill();
    void clockFaceFollowsTheSetting();
    void timerFaceButtons();
    void facesSleepBetweenChanges();
    void everyFaceBuilds();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<DefaultsStore> m_store;
    std::unique_ptr<AppState> m_state;
};

void TestWidgetCardFaces::initTestCase()
{
    QVERIFY(Fonts::load());
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("Nunito")));
    QCOMPARE(QFontInfo(Fonts::font(20, QFont::ExtraBold)).family(), QStringLiteral("Nunito"));
    m_store = std::make_unique<DefaultsStore>(m_dir.filePath(QStringLiteral("defaults.json")));
    m_state = std::make_unique<AppState>(*m_store, false);
}

void TestWidgetCardFaces::contentPlacement_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QRect>("expected");
    // A 250 × 150 card with 100 × 40 of content.
    QTest::newRow("card hugs the leading edge") << int(WidgetShape::Card) << QRect(18, 55, 100, 40);
    QTest::newRow("rounded hugs the leading edge") << int(WidgetShape::Rounded) << QRect(18, 55, 100, 40);
    QTest::newRow("pill centres") << int(WidgetShape::Pill) << QRect(75, 55, 100, 40);
    QTest::newRow("circle centres") << int(WidgetShape::Circle) << QRect(75, 55, 100, 40);
}

void TestWidgetCardFaces::contentPlacement()
{
    QFETCH(int, shape);
    QTEST(WidgetCard::contentRect(WidgetShape(shape), QSize(250, 150), QSize(100, 40)), "expected");
    // Content taller than the padded area overflows evenly instead of being cut.
    const QRect tall = WidgetCard::contentRect(WidgetShape(shape), QSize(250, 150), QSize(100, 140));
    QCOMPARE(tall.height(), 140);
    QCOMPARE(tall.center().y(), 74);
}

void TestWidgetCardFaces::shapeComesFromTheNearestAncestor()
{
    QWidget outer;
    auto* inner = new QWidget(&outer);
    auto* card = new WidgetCard(new QLabel(QStringLiteral("x")), inner);
    QCOMPARE(card->shape(), WidgetShape::Card);
    WidgetShapeKey::setValue(&outer, WidgetShape::Circle);
    QCOMPARE(card->shape(), WidgetShape::Circle);
    WidgetShapeKey::setValue(inner, WidgetShape::Pill);
    QCOMPARE(card->shape(), WidgetShape::Pill);
    // A word that is not a shape reads as the default.
    inner->setProperty("nivoraWidgetShape", QStringLiteral("hexagon"));
    QCOMPARE(card->shape(), WidgetShape::Circle);
}

void TestWidgetCardFaces::framePixels_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<bool>("cornerTransparent");
    QTest::newRow("card") << int(WidgetShape::Card) << true;
    QTest::newRow("rounded") << int(WidgetShape::Rounded) << true;
    QTest::newRow("pill") << int(WidgetShape::Pill) << true;
    QTest::newRow("circle") << int(WidgetShape::Circle) << true;
}

void TestWidgetCardFaces::framePixels()
{
    QFETCH(int, shape);
    QWidget host;
    host.setAttribute(Qt::WA_TranslucentBackground);
    host.resize(200, 200);
    WidgetShapeKey::setValue(&host, WidgetShape(shape));
    auto* card = new WidgetCard(new QWidget, &host);
    card->setGeometry(0, 0, 200, 200);
    const QImage image = render(host);
    // Paper inside, ink on the outline, nothing outside it.
    QVERIFY(near(image.pixelColor(100, 100), Theme::paper()));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    // The hard shadow shows beyond the outline towards the bottom-right corner:
    // along that diagonal there is more ink than the 2.5-pixel outline alone.
    int ink = 0;
    for (int i = 100; i < 200; ++i)
        ink += near(image.pixelColor(i, i), Theme::ink()) ? 1 : 0;
    QVERIFY2(ink >= 5, qPrintable(QString::number(ink)));
}

void TestWidgetCardFaces::progressBarFill_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("total");
    QTest::addColumn<double>("width");
    QTest::newRow("first day keeps a stub") << 1.0 << 31.0 << 10.0;
    QTest::newRow("half") << 15.0 << 30.0 << 100.0;
    QTest::newRow("full") << 29.0 << 29.0 << 200.0;
    QTest::newRow("no total") << 3.0 << 0.0 << 10.0;
}

void TestWidgetCardFaces::progressBarFill()
{
    QFETCH(double, value);
    QFETCH(double, total);
    QTEST(FaceStack::barFillWidth(value, total, 200), "width");
}

void TestWidgetCardFaces::clockFaceFollowsTheSetting()
{
    FixedWidgetClock clock(QDateTime(QDate(2026, 12, 6), QTime(21, 30), QTimeZone("Europe/Paris")));
    m_state->setClockWidgetShowsDate(true);
    ClockWidgetView face(*m_state, environmentAt(clock));
    face.refresh();
    QCOMPARE(texts(face.stack()), (QStringList{"21:30", "Dimanche 6 Décembre"}));
    const int before = face.rebuildCount();
    m_state->setClockWidgetShowsDate(false);
    QCOMPARE(face.rebuildCount(), before + 1);
    QCOMPARE(texts(face.stack()), QStringList{"21:30"});
    m_state->setClockWidgetShowsDate(true);
}

void TestWidgetCardFaces::timerFaceButtons()
{
    FixedWidgetClock clock(QDateTime::currentDateTime());
    WidgetWindow window(WidgetKind::Pomodoro, WidgetShape::Card,
                        WidgetFaceFactory::create(WidgetKind::Pomodoro, *m_state, environmentAt(clock)));
    window.place(QPoint(0, 0), QSize(210, 175));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* face = qobject_cast<PomodoroWidgetView*>(window.face());
    QVERIFY(face);
    QTRY_VERIFY(face->buttonRects().size() == 2);
    QCOMPARE(face->stack().items().at(0).text, QStringLiteral("FOCUS"));
    QCOMPARE(face->stack().items().at(1).text, QStringLiteral("25:00"));

    const QPoint play = face->buttonRects().at(0).center().toPoint();
    const QPoint reset = face->buttonRects().at(1).center().toPoint();
    QTest::mouseClick(face, Qt::LeftButton, {}, play);
    QVERIFY(face->m().running());
    QCOMPARE(face->stack().items().at(2).buttons.at(0).icon, QStringLiteral("pause.fill"));
    face->m().tick();
    QCOMPARE(face->stack().items().at(1).text, QStringLiteral("24:59"));
    QTest::mouseClick(face, Qt::LeftButton, {}, reset);
    QVERIFY(!face->m().running());
    QCOMPARE(face->stack().items().at(1).text, QStringLiteral("25:00"));
    QCOMPARE(face->stack().items().at(2).buttons.at(0).icon, QStringLiteral("play.fill"));
    // A press between the buttons is not a click on either.
    QTest::mouseClick(face, Qt::LeftButton, {}, QPoint(play.x() + 23, play.y()));
    QVERIFY(!face->m().running());
}

void TestWidgetCardFaces::facesSleepBetweenChanges()
{
    FixedWidgetClock clock(QDateTime(QDate(2026, 12, 6), QTime(12, 0, 30), QTimeZone("Europe/Paris")),
                           10'000);
    const auto env = environmentAt(clock);
    std::unique_ptr<WidgetFaceView> clockFace(WidgetFaceFactory::create(WidgetKind::Clock, *m_state, env));
    std::unique_ptr<WidgetFaceView> stopwatch(
        WidgetFaceFactory::create(WidgetKind::Stopwatch, *m_state, env));
    std::unique_ptr<WidgetFaceView> ambiance(WidgetFaceFactory::create(WidgetKind::Ambiance, *m_state, env));
    std::unique_ptr<WidgetFaceView> uptime(WidgetFaceFactory::create(WidgetKind::Uptime, *m_state, env));
    QTRY_VERIFY(clockFace->rebuildCount() > 0 && stopwatch->rebuildCount() > 0);
    QVERIFY(clockFace->msUntilNextRefresh() > 29'000 && clockFace->msUntilNextRefresh() <= 30'020);
    QVERIFY(uptime->msUntilNextRefresh() > 49'000 && uptime->msUntilNextRefresh() <= 50'020);
    QCOMPARE(stopwatch->msUntilNextRefresh(), -1);
    QCOMPARE(ambiance->msUntilNextRefresh(), -1);

    // The ambiance face follows the store, and only it.
    const int before = ambiance->rebuildCount();
    m_state->setSceneIndex(1);
    QCOMPARE(ambiance->rebuildCount(), before + 1);
    QCOMPARE(ambiance->stack().items().at(1).text, WidgetFaceContent::ambiance(1, {}).sceneName);
}

void TestWidgetCardFaces::everyFaceBuilds()
{
    FixedWidgetClock clock(QDateTime(QDate(2026, 12, 6), QTime(9, 5), QTimeZone("Europe/Paris")), 3'661'000);
    for (WidgetKind kind : WidgetKinds::all()) {
        for (WidgetShape shape : WidgetShapes::all()) {
            WidgetWindow window(kind, shape, WidgetFaceFactory::create(kind, *m_state, environmentAt(clock)));
            const QSize size = WidgetPlacement::windowSize(kind, shape, WidgetSize::Medium);
            window.place(QPoint(0, 0), size);
            const QImage image = render(window);
            QCOMPARE(image.size(), size);
            QTRY_VERIFY(window.face()->rebuildCount() > 0);
            QVERIFY2(!window.face()->stack().items().isEmpty(), qPrintable(WidgetKinds::id(kind)));
            // The content sits inside the window.
            const QRect content = window.face()->geometry();
            QVERIFY2(QRect(QPoint(0, 0), size).contains(content.center()), qPrintable(WidgetKinds::id(kind)));
        }
    }
}

QTEST_MAIN(TestWidgetCardFaces)
#include "test_widget_card_faces.moc"

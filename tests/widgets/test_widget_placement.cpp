#include "LaptopScreens.h"
#include "widgets/WidgetPlacement.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

using namespace nivora;
namespace Place = nivora::WidgetPlacement;

namespace {

using nivora::testing::laptop;

QJsonValue json(const char* text)
{
    return QJsonDocument::fromJson(QByteArray("[") + text + "]").array().at(0);
}

} // namespace

class TestWidgetPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultOrigins_data();
    void defaultOrigins();
    void recordRoundTrip_data();
    void recordRoundTrip();
    void malformedRecordsAreIgnored_data();
    void malformedRecordsAreIgnored();
    void offScreenRecordFallsBack();
    void recordUnderAPanelFallsBack();
    void resizeKeepsBottomLeft();
    void windowSizes_data();
    void windowSizes();
};

void TestWidgetPlacement::defaultOrigins_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPointF>("origin");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("clock") << int(WidgetKind::Clock) << QPointF(1160, 695) << QPoint(1160, 55);
    QTest::newRow("month, 11th") << int(WidgetKind::Month) << QPointF(1180, 245) << QPoint(1180, 495);
}

void TestWidgetPlacement::defaultOrigins()
{
    QFETCH(int, kind);
    const auto k = WidgetKind(kind);
    const QSize size = Place::windowSize(k, WidgetShape::Card, WidgetSize::Medium);
    QTEST(Place::defaultOrigin(k, size, laptop()), "origin");
    QTEST(Place::placement(k, size, QJsonValue(), laptop()), "topLeft");

    // No screen at all: (120, 120).
    QCOMPARE(Place::defaultOrigin(k, size, Place::Screens{}), QPointF(120, 120));
}

void TestWidgetPlacement::recordRoundTrip_data()
{
    QTest::addColumn<QRect>("primary");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<QPointF>("origin");
    QTest::newRow("top-left corner") << QRect(0, 0, 1440, 900) << QPoint(0, 0) << QPointF(0, 750);
    QTest::newRow("bottom edge") << QRect(0, 0, 1440, 900) << QPoint(100, 750) << QPointF(100, 0);
    QTest::newRow("primary on the right")
        << QRect(1920, 0, 1440, 900) << QPoint(2020, 100) << QPointF(100, 650);
    QTest::newRow("left of the primary")
        << QRect(1920, 0, 1440, 900) << QPoint(10, 100) << QPointF(-1910, 650);
}

void TestWidgetPlacement::recordRoundTrip()
{
    QFETCH(QRect, primary);
    QFETCH(QPoint, topLeft);
    Place::Screens screens;
    screens.primaryGeometry = primary;
    const QPointF origin = Place::recordOrigin(topLeft, 150, screens);
    QTEST(origin, "origin");
    QCOMPARE(Place::topLeft(origin, 150, screens), topLeft);
    const auto parsed = Place::parseRecord(Place::makeRecord(origin));
    QVERIFY(parsed);
    QCOMPARE(*parsed, origin);
}

void TestWidgetPlacement::malformedRecordsAreIgnored_data()
{
    QTest::addColumn<QJsonValue>("record");
    QTest::newRow("three numbers") << json("[1, 2, 3]");
    QTest::newRow("one number") << json("[1]");
    QTest::newRow("string element") << json("[1, \"2\"]");
    QTest::newRow("null element") << json("[null, 2]");
    QTest::newRow("not an array") << json("{\"x\": 1, \"y\": 2}");
    QTest::newRow("a number") << json("5");
    QTest::newRow("absent") << QJsonValue(QJsonValue::Undefined);
    QTest::newRow("absurdly far") << json("[1e300, 0]");
}

void TestWidgetPlacement::malformedRecordsAreIgnored()
{
    QFETCH(QJsonValue, record);
    QVERIFY(!Place::parseRecord(record));
    const QSize size = Place::windowSize(WidgetKind::Clock, WidgetShape::Card, WidgetSize::Medium);
    QCOMPARE(Place::placement(WidgetKind::Clock, size, record, laptop()), QPoint(1160, 55));
}

void TestWidgetPlacement::offScreenRecordFallsBack()
{
    const QSize size(250, 150);
    // Partly visible: used as stored.
    QCOMPARE(Place::placement(WidgetKind::Clock, size, json("[1400, 100]"), laptop()), QPoint(1400, 650));
    // Entirely right of the only screen (a second display was unplugged).
    QCOMPARE(Place::placement(WidgetKind::Clock, size, json("[1500, 100]"), laptop()), QPoint(1160, 55));
    // The same record is used again once that display is back.
    auto twoScreens = laptop();
    twoScreens.all.append(QRect(1440, 0, 1920, 1080));
    QCOMPARE(Place::placement(WidgetKind::Clock, size, json("[1500, 100]"), twoScreens), QPoint(1500, 650));
}

void TestWidgetPlacement::recordUnderAPanelFallsBack()
{
    // GNOME's layout: the top bar on the primary monitor only, a second
    // monitor to its right with nothing reserved.
    Place::Screens desk;
    desk.primaryGeometry = QRect(0, 0, 1920, 1080);
    desk.primaryAvailable = QRect(0, 32, 1920, 1048);
    desk.all = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 2560, 1440)};
    desk.available = {QRect(0, 32, 1920, 1048), QRect(1920, 0, 2560, 1440)};
    const QSize size(250, 150);
    const QPoint byDefault(1920 - 250 - 30, 32 + 30);
    // What a toplevel that could not know its place stored: under the top bar.
    QCOMPARE(Place::placement(WidgetKind::Clock, size, json("[0, 930]"), desk), byDefault);
    // Just below the bar: the user's place, kept.
    QCOMPARE(Place::placement(WidgetKind::Clock, size, json("[0, 898]"), desk), QPoint(0, 32));
    // At the top of the second monitor, where no bar is, and half off the
    // right edge of the desk: still reachable, kept.
    QCOMPARE(Place::placement(WidgetKind::Clock, size, json("[2000, 930]"), desk), QPoint(2000, 0));
    QCOMPARE(Place::placement(WidgetKind::Clock, size, json("[4400, 500]"), desk), QPoint(4400, 430));
    // The default itself is inside the work area.
    QVERIFY(desk.available.first().contains(QRect(byDefault, size)));
}

void TestWidgetPlacement::resizeKeepsBottomLeft()
{
    const auto screens = laptop();
    const QJsonValue record = Place::makeRecord(QPointF(300, 200));
    const QSize medium = Place::windowSize(WidgetKind::Clock, WidgetShape::Card, WidgetSize::Medium);
    const QSize large = Place::windowSize(WidgetKind::Clock, WidgetShape::Card, WidgetSize::Large);
    QCOMPARE(large, QSize(320, 192));
    const QRect before(Place::placement(WidgetKind::Clock, medium, record, screens), medium);
    const QRect after(Place::placement(WidgetKind::Clock, large, record, screens), large);
    QCOMPARE(after.left(), before.left());
    QCOMPARE(after.bottom(), before.bottom());
    QVERIFY(after.top() < before.top());
}

void TestWidgetPlacement::windowSizes_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("expected");
    QTest::addColumn<QString>("configuration");
    QTest::newRow("clock small") << int(WidgetKind::Clock) << int(WidgetShape::Card) << int(WidgetSize::Small)
                                 << QSize(205, 123) << "card|small";
    QTest::newRow("clock circle") << int(WidgetKind::Clock) << int(WidgetShape::Circle)
                                  << int(WidgetSize::Medium) << QSize(250, 250) << "circle|medium";
    QTest::newRow("date circle large") << int(WidgetKind::Date) << int(WidgetShape::Circle)
                                       << int(WidgetSize::Large) << QSize(230, 230) << "circle|large";
    QTest::newRow("pill keeps aspect") << int(WidgetKind::Uptime) << int(WidgetShape::Pill)
                                       << int(WidgetSize::Large) << QSize(307, 154) << "pill|large";
}

void TestWidgetPlacement::windowSizes()
{
    QFETCH(int, kind);
    QFETCH(int, shape);
    QFETCH(int, size);
    QTEST(Place::windowSize(WidgetKind(kind), WidgetShape(shape), WidgetSize(size)), "expected");
    QTEST(Place::configuration(WidgetShape(shape), WidgetSize(size)), "configuration");
}

QTEST_GUILESS_MAIN(TestWidgetPlacement)
#include "test_widget_placement.moc"

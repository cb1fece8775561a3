#include "palettes/WallpaperPalette.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "state/ScreenSource.h"
#include "state/SettingsCodec.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;

namespace {

// Every key the store writes, with values that differ from the defaults.
QJsonObject fullSettings()
{
    return QJsonObject{
        {"isRunning", false},
        {"wallpaperMode", "video"},
        {"mediaPath", "/home/u/clip.mp4"},
        {"spanScreens", true},
        {"slideMinutes", 90},
        {"slideShuffle", true},
        {"sceneIndex", 7},
        {"speed", 0.9},
        {"intensity", 0.3},
        {"scale", 0.25},
        {"colorShift", 0.4},
        {"sharpness", 0.8},
        {"renderQuality", 1440},
        {"fps", 60},
        {"batterySaver", false},
        {"pauseOnFullscreen", true},
        {"autopilot", true},
        {"autopilotMinutes", 15},
        {"paletteName", "Lavande"},
        {"paletteHex", QJsonArray{0xEDE7F6, 0xD1C4E9, 0xB39DDB, 0x9575CD, 0x673AB7}},
        {"enabledWidgets", QJsonArray{"clock", "month"}},
        {"clockWidgetShowsDate", false},
        {"widgetShapes", QJsonObject{{"clock", "pill"}}},
        {"widgetSizes", QJsonObject{{"clock", "large"}}},
    };
}

QList<quint32> hexes(const QList<QColor>& colors)
{
    QList<quint32> out;
    for (const QColor& c : colors)
        out.append(hexValue(c));
    return out;
}

struct Fixture
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("nivora/defaults.json"));

    void write(const QJsonObject& o) const
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QJsonDocument(o).toJson());
    }
    QJsonObject read() const
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(f.readAll()).object();
    }
    qint64 mtimeNs() const { return QFileInfo(path).lastModified().toMSecsSinceEpoch(); }
};

} // namespace

class TestAppState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartHasDefaultsAndWritesNothing()
    {
        Fixture fx;
        DefaultsStore store(fx.path);
        AppState state(store, true);
        QCOMPARE(state.isRunning(), true);
        QCOMPARE(state.wallpaperMode(), WallpaperMode::Scene);
        QVERIFY(state.mediaPath().isNull());
        QCOMPARE(state.sceneIndex(), 0);
        QCOMPARE(state.speed(), 0.5);
        QCOMPARE(state.intensity(), 0.6);
        QCOMPARE(state.scale(), 0.5);
        QCOMPARE(state.colorShift(), 0.0);
        QCOMPARE(state.sharpness(), 0.5);
        QCOMPARE(state.renderQuality(), 1080);
        QCOMPARE(state.fps(), 30);
        QCOMPARE(state.batterySaver(), true);
        QCOMPARE(state.pauseOnFullscreen(), false);
        QCOMPARE(state.spanScreens(), false);
        QCOMPARE(state.launchAtLogin(), true); // mirrors the login item
        QCOMPARE(state.autopilot(), false);
        QCOMPARE(state.autopilotMinutes(), 5);
        QCOMPARE(state.paletteName(), QStringLiteral("Silver Sage"));
        QCOMPARE(hexes(state.paletteColors()),
                 (QList<quint32>{0xE0E2DB, 0xD2D4C8, 0xB8BDB5, 0x889696, 0x5F7470}));
        QVERIFY(state.enabledWidgets().isEmpty());
        QCOMPARE(state.clockWidgetShowsDate(), true);
        QCOMPARE(state.paletteRGBACache().size(), 5);
        QVERIFY(!state.hasPendingSave());
        QTest::qWait(700);
        QVERIFY(!QFile::exists(fx.path));
    }

    void loadsEverySavedKey()
    {
        Fixture fx;
        fx.write(fullSettings());
        DefaultsStore store(fx.path);
        AppState state(store, false);
        QCOMPARE(state.isRunning(), false);
        QCOMPARE(state.wallpaperMode(), WallpaperMode::Video);
        QCOMPARE(state.mediaPath(), QStringLiteral("/home/u/clip.mp4"));
        QCOMPARE(state.sceneIndex(), 7);
        QCOMPARE(state.speed(), 0.9);
        QCOMPARE(state.intensity(), 0.3);
        QCOMPARE(state.scale(), 0.25);
        QCOMPARE(state.colorShift(), 0.4);
        QCOMPARE(state.sharpness(), 0.8);
        QCOMPARE(state.renderQuality(), 1440);
        QCOMPARE(state.fps(), 60);
        QCOMPARE(state.batterySaver(), false);
        QCOMPARE(state.pauseOnFullscreen(), true);
        QCOMPARE(state.spanScreens(), true);
        QCOMPARE(state.autopilot(), true);
        QCOMPARE(state.autopilotMinutes(), 15);
        QCOMPARE(state.paletteName(), QStringLiteral("Lavande"));
        QCOMPARE(hexes(state.paletteColors()),
                 (QList<quint32>{0xEDE7F6, 0xD1C4E9, 0xB39DDB, 0x9575CD, 0x673AB7}));
        QCOMPARE(state.paletteRGBACache().at(4), rgba(colorFromHex(0x673AB7)));
        QCOMPARE(state.enabledWidgets(), (QSet<QString>{"clock", "month"}));
        QCOMPARE(state.clockWidgetShowsDate(), false);
        QCOMPARE(state.widgetShapes().value("clock"), QStringLiteral("pill"));
        QCOMPARE(state.widgetSizes().value("clock"), QStringLiteral("large"));
        QVERIFY(!state.hasPendingSave()); // loading is not a change
    }

    void loadRules_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("stored"); // undefined = key removed
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("fps 45") << "fps" << QJsonValue(45) << "fps" << QVariant(qint64(30));
        QTest::newRow("fps 120") << "fps" << QJsonValue(120) << "fps" << QVariant(qint64(120));
        QTest::newRow("fps as text") << "fps" << QJsonValue("sixty") << "fps" << QVariant(qint64(30));
        QTest::newRow("quality 900") << "renderQuality" << QJsonValue(900) << "renderQuality"
                                     << QVariant(qint64(1080));
        QTest::newRow("quality 720") << "renderQuality" << QJsonValue(720) << "renderQuality"
                                     << QVariant(qint64(720));
        QTest::newRow("autopilot 10")
            << "autopilotMinutes" << QJsonValue(10) << "autopilotMinutes" << QVariant(qint64(5));
        QTest::newRow("autopilot -1")
            << "autopilotMinutes" << QJsonValue(-1) << "autopilotMinutes" << QVariant(qint64(5));
        QTest::newRow("autopilot 1") << "autopilotMinutes" << QJsonValue(1) << "autopilotMinutes"
                                     << QVariant(qint64(1));
        QTest::newRow("slide 0") << "slideMinutes" << QJsonValue(0) << "slideMinutes" << QVariant(qint64(10));
        QTest::newRow("slide 1441") << "slideMinutes" << QJsonValue(1441) << "slideMinutes"
                                    << QVariant(qint64(10));
        QTest::newRow("no slide") << "slideMinutes" << QJsonValue(QJsonValue::Undefined) << "slideMinutes"
                                  << QVariant(qint64(10));
        QTest::newRow("scene 15") << "sceneIndex" << QJsonValue(15) << "sceneIndex" << QVariant(qint64(0));
        QTest::newRow("scene -3") << "sceneIndex" << QJsonValue(-3) << "sceneIndex" << QVariant(qint64(0));
        QTest::newRow("scene 14") << "sceneIndex" << QJsonValue(14) << "sceneIndex" << QVariant(qint64(14));
        QTest::newRow("mode Scene") << "wallpaperMode" << QJsonValue("Scene") << "wallpaperMode"
                                    << QVariant("scene");
        QTest::newRow("mode empty") << "wallpaperMode" << QJsonValue("") << "wallpaperMode"
                                    << QVariant("scene");
        QTest::newRow("mode image") << "wallpaperMode" << QJsonValue("image") << "wallpaperMode"
                                    << QVariant("image");
        QTest::newRow("mode absent") << "wallpaperMode" << QJsonValue(QJsonValue::Undefined)
                                     << "wallpaperMode" << QVariant("scene");
        QTest::newRow("media empty") << "mediaPath" << QJsonValue("") << "mediaPath" << QVariant(QString());
        QTest::newRow("no sharpness")
            << "sharpness" << QJsonValue(QJsonValue::Undefined) << "sharpness" << QVariant(0.5);
        QTest::newRow("no showsDate") << "clockWidgetShowsDate" << QJsonValue(QJsonValue::Undefined)
                                      << "clockWidgetShowsDate" << QVariant(true);
        // Other scalar keys take the store's absent-value reading.
        QTest::newRow("no isRunning")
            << "isRunning" << QJsonValue(QJsonValue::Undefined) << "isRunning" << QVariant(false);
        QTest::newRow("no intensity")
            << "intensity" << QJsonValue(QJsonValue::Undefined) << "intensity" << QVariant(0.0);
        QTest::newRow("no paletteName")
            << "paletteName" << QJsonValue(QJsonValue::Undefined) << "paletteName" << QVariant("Silver Sage");
        QTest::newRow("speed unclamped") << "speed" << QJsonValue(7.5) << "speed" << QVariant(7.5);
        QTest::newRow("speed 1e300 kept") << "speed" << QJsonValue(1e300) << "speed" << QVariant(1e300);
        QTest::newRow("widgets dup") << "enabledWidgets" << QJsonValue(QJsonArray{"clock", "clock", "date"})
                                     << "enabledWidgets" << QVariant(QStringList{"clock", "date"});
        QTest::newRow("widgets mixed") << "enabledWidgets" << QJsonValue(QJsonArray{"clock", 3})
                                       << "enabledWidgets" << QVariant(QStringList{});
        QTest::newRow("widgets text")
            << "enabledWidgets" << QJsonValue("clock") << "enabledWidgets" << QVariant(QStringList{});
        QTest::newRow("shapes bad") << "widgetShapes" << QJsonValue(QJsonObject{{"clock", 1}})
                                    << "widgetShapes" << QVariant(QStringList{});
    }

    void loadRules()
    {
        QFETCH(QString, key);
        QFETCH(QJsonValue, stored);
        QFETCH(QString, property);
        QFETCH(QVariant, expected);
        Fixture fx;
        QJsonObject o = fullSettings();
        if (stored.isUndefined())
            o.remove(key);
        else
            o.insert(key, stored);
        fx.write(o);
        DefaultsStore store(fx.path);
        AppState state(store, false);
        QVariant actual;
        if (property == "fps")
            actual = state.fps();
        else if (property == "renderQuality")
            actual = state.renderQuality();
        else if (property == "autopilotMinutes")
            actual = state.autopilotMinutes();
        else if (property == "slideMinutes")
            actual = state.slideMinutes();
        else if (property == "sceneIndex")
            actual = state.sceneIndex();
        else if (property == "wallpaperMode")
            actual = WallpaperModes::id(state.wallpaperMode());
        else if (property == "mediaPath")
            actual = state.mediaPath();
        else if (property == "sharpness")
            actual = state.sharpness();
        else if (property == "intensity")
            actual = state.intensity();
        else if (property == "speed")
            actual = state.speed();
        else if (property == "clockWidgetShowsDate")
            actual = state.clockWidgetShowsDate();
        else if (property == "isRunning")
            actual = state.isRunning();
        else if (property == "paletteName")
            actual = state.paletteName();
        else if (property == "enabledWidgets") {
            const QSet<QString> set = state.enabledWidgets();
            QStringList l(set.begin(), set.end());
            l.sort();
            actual = l;
        } else if (property == "widgetShapes")
            actual = QStringList(state.widgetShapes().keys());
        QCOMPARE(actual, expected);
    }

    void paletteHexIsAllOrNothing_data()
    {
        QTest::addColumn<QJsonValue>("stored");
        QTest::addColumn<quint32>("firstColour");
        QTest::newRow("four") << QJsonValue(QJsonArray{1, 2, 3, 4}) << 0xE0E2DBu;
        QTest::newRow("six") << QJsonValue(QJsonArray{1, 2, 3, 4, 5, 6}) << 0xE0E2DBu;
        QTest::newRow("string inside") << QJsonValue(QJsonArray{1, 2, "3", 4, 5}) << 0xE0E2DBu;
        QTest::newRow("fraction inside") << QJsonValue(QJsonArray{1, 2, 3.5, 4, 5}) << 0xE0E2DBu;
        QTest::newRow("not a list") << QJsonValue("E0E2DB") << 0xE0E2DBu;
        QTest::newRow("five") << QJsonValue(QJsonArray{0x0B0B16, 2, 3, 4, 5}) << 0x0B0B16u;
        // Bits above 23 are ignored, negative numbers keep their low bits.
        QTest::newRow("high bits") << QJsonValue(QJsonArray{double(0x1FF0B0B16LL), 2, 3, 4, 5}) << 0x0B0B16u;
        QTest::newRow("negative") << QJsonValue(QJsonArray{-1, 2, 3, 4, 5}) << 0xFFFFFFu;
    }

    void paletteHexIsAllOrNothing()
    {
        QFETCH(QJsonValue, stored);
        QFETCH(quint32, firstColour);
        Fixture fx;
        QJsonObject o = fullSettings();
        o.insert("paletteHex", stored);
        o.insert("paletteName", "Mine");
        fx.write(o);
        DefaultsStore store(fx.path);
        AppState state(store, false);
        QCOMPARE(hexValue(state.paletteColors().first()), firstColour);
        QCOMPARE(state.paletteName(), QStringLiteral("Mine")); // the name loads on its own
        QCOMPARE(state.paletteRGBACache().first(), rgba(colorFromHex(firstColour)));
    }

    void withoutSpeedMarkerNothingLoads()
    {
        Fixture fx;
        QJsonObject o = fullSettings();
        o.remove("speed");
        fx.write(o);
        DefaultsStore store(fx.path);
        AppState state(store, true);
        QCOMPARE(state.fps(), 30);
        QCOMPARE(state.isRunning(), true);
        QCOMPARE(state.paletteName(), QStringLiteral("Silver Sage"));
        QVERIFY(state.enabledWidgets().isEmpty());
        QCOMPARE(state.launchAtLogin(), true);
    }

    void everyAssignmentAnnouncesItself()
    {
        Fixture fx;
        DefaultsStore store(fx.path);
        AppState state(store, false);
        QStringList order;
        connect(&state, &AppState::willChange, this, [&] { order << "will"; });
        connect(&state, &AppState::fpsChanged, this, [&](qint64 v) { order << QString::number(v); });
        QSignalSpy speed(&state, &AppState::speedChanged);
        state.setFps(30); // the same value still counts
        state.setFps(60);
        state.setSpeed(0.5);
        QCOMPARE(order, (QStringList{"will", "30", "will", "60", "will"}));
        QCOMPARE(speed.size(), 1);
    }

    void debounceGivesOneWriteAfterTheLastChange()
    {
        Fixture fx;
        DefaultsStore store(fx.path);
        AppState state(store, false);
        QSignalSpy saved(&state, &AppState::saved);
        QElapsedTimer clock;
        clock.start();
        qint64 lastChange = 0;
        for (int i = 0; i < 10; ++i) {
            if (i > 0)
                QTest::qWait(30);
            state.setSpeed(0.1 * i);
            lastChange = clock.elapsed();
        }
        QVERIFY(!QFile::exists(fx.path));
        QVERIFY(saved.wait(2000));
        const qint64 savedAt = clock.elapsed();
        QVERIFY2(savedAt - lastChange >= 495, qPrintable(QString::number(savedAt - lastChange)));
        QTest::qWait(700);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(fx.read().value("speed").toDouble(), 0.9);
    }

    void savesStoredEncodings()
    {
        Fixture fx;
        DefaultsStore store(fx.path);
        AppState state(store, true);
        state.setWallpaperMode(WallpaperMode::Image);
        state.setEnabledWidgets({"month", "clock"});
        state.setEnabledDisplays({42});
        state.setPaletteColors({colorFromHex(0x123456), colorFromHex(0xABCDEF), colorFromHex(0x000001)});
        state.flushPendingSave();
        const QJsonObject o = fx.read();
        QCOMPARE(o.value("wallpaperMode").toString(), QStringLiteral("image"));
        QCOMPARE(o.value("mediaPath").toString(QStringLiteral("<absent>")), QString(""));
        QCOMPARE(o.value("paletteHex").toArray(), (QJsonArray{0x123456, 0xABCDEF, 1}));
        QCOMPARE(o.value("enabledWidgets").toArray(), (QJsonArray{"clock", "month"}));
        QVERIFY(o.value("widgetShapes").isObject());
        QVERIFY(!o.contains("enabledDisplays"));
        QVERIFY(!o.contains("launchAtLogin"));
        QCOMPARE(o.keys().size(), 24);
        // And it loads back to the same state.
        DefaultsStore again(fx.path);
        AppState reloaded(again, false);
        QCOMPARE(reloaded.wallpaperMode(), WallpaperMode::Image);
        QVERIFY(reloaded.enabledDisplays().isEmpty());
        // A three-colour list is saved as such but not taken back on load.
        QCOMPARE(hexValue(reloaded.paletteColors().first()), 0xE0E2DBu);
    }

    // A file from before per-screen values loads and saves as it was; one
    // with them keeps every screen's entry, connected or not, brings numbers
    // into range, and leaves out only the entries it cannot read.
    void screenOverridesInTheFile()
    {
        Fixture fx;
        fx.write(fullSettings());
        {
            DefaultsStore store(fx.path);
            AppState state(store, false);
            QVERIFY(state.screenOverrides().isEmpty());
            state.setIsRunning(state.isRunning());
            state.flushPendingSave();
            QCOMPARE(fx.read(), fullSettings());
        }

        QJsonObject file = fullSettings();
        file.insert("screenOverrides",
                    QJsonObject{
                        {"DP-1", QJsonObject{{"wallpaperMode", "image"}, {"mediaPath", "/p/a.png"}}},
                        {"desk-left", QJsonObject{{"sceneIndex", 99}, {"speed", -2}, {"intensity", 0.25}}},
                        {"HDMI-2", QJsonObject{}},
                        {"broken", 5},
                        {"film", QJsonObject{{"wallpaperMode", "film"}, {"speed", 0.1}}},
                        {"foreign", QJsonObject{{"fps", 60}}},
                    });
        fx.write(file);
        for (const char* name : {"broken", "film", "foreign"})
            QTest::ignoreMessage(
                QtWarningMsg,
                QRegularExpression(QStringLiteral("^Nivora: .*« %1 »").arg(QLatin1String(name))));
        DefaultsStore store(fx.path);
        AppState state(store, false);
        const QJsonObject kept{
            {"DP-1", QJsonObject{{"wallpaperMode", "image"}, {"mediaPath", "/p/a.png"}}},
            {"desk-left", QJsonObject{{"sceneIndex", 14}, {"speed", 0}, {"intensity", 0.25}}},
            {"HDMI-2", QJsonObject{}},
        };
        QCOMPARE(SettingsCodec::toJson(state).value("screenOverrides").toObject(), kept);

        const ScreenSource image = ScreenSource::resolve(state, QStringLiteral("DP-1"));
        QVERIFY(!image.followsMain);
        QCOMPARE(image.mode, WallpaperMode::Image);
        QCOMPARE(image.mediaPath, QStringLiteral("/p/a.png"));
        QCOMPARE(image.sceneIndex, 7);
        QVERIFY(!image.ownSpeed);
        const ScreenSource scene = ScreenSource::resolve(state, QStringLiteral("desk-left"));
        QCOMPARE(scene.mode, WallpaperMode::Video); // the main mode
        QCOMPARE(scene.sceneIndex, 14);
        QCOMPARE(scene.speed, 0.0);
        QVERIFY(scene.ownSpeed);
        QCOMPARE(hexes(scene.paletteColors), hexes(state.paletteColors()));
        QVERIFY(ScreenSource::resolve(state, QStringLiteral("eDP-1")).followsMain);

        state.setIsRunning(true);
        state.flushPendingSave();
        QCOMPARE(fx.read().value("screenOverrides").toObject(), kept);
        // The last screen back to the main settings takes the key out of the file.
        state.setScreenOverrides({});
        state.flushPendingSave();
        QVERIFY(!fx.read().contains("screenOverrides"));
        QCOMPARE(fx.read().keys().size(), fullSettings().keys().size());
    }

    void paletteCacheFollowsColours()
    {
        Fixture fx;
        DefaultsStore store(fx.path);
        AppState state(store, false);
        const RGBA grey{0.5f, 0.5f, 0.5f, 1.0f};
        state.setPaletteColors({});
        QCOMPARE(state.paletteRGBACache(), (QList<RGBA>{grey, grey, grey, grey, grey}));
        state.setPaletteColors({colorFromHex(0xFF0000), colorFromHex(0x00FF00), colorFromHex(0x0000FF)});
        QCOMPARE(state.paletteRGBACache().size(), 5);
        QCOMPARE(state.paletteRGBACache().at(2), (RGBA{0, 0, 1, 1}));
        QCOMPARE(state.paletteRGBACache().at(3), grey);
        QList<QColor> seven;
        for (quint32 i = 1; i <= 7; ++i)
            seven.append(colorFromHex(i * 0x111111));
        state.setPaletteColors(seven);
        QCOMPARE(state.paletteRGBACache().size(), 5);
        QCOMPARE(state.paletteRGBACache().at(4), rgba(colorFromHex(0x555555)));
    }

    void presetAndSingleColourEdits()
    {
        Fixture fx;
        DefaultsStore store(fx.path);
        AppState state(store, false);
        const WallpaperPalette* lavande = WallpaperPalette::preset(QStringLiteral("Lavande"));
        QVERIFY(lavande);
        QSignalSpy names(&state, &AppState::paletteNameChanged);
        QSignalSpy colours(&state, &AppState::paletteColorsChanged);
        state.applyPreset(*lavande);
        QCOMPARE(names.size(), 1);
        QCOMPARE(colours.size(), 1);
        QCOMPARE(state.paletteName(), QStringLiteral("Lavande"));
        QCOMPARE(state.paletteColors(), lavande->colors());
        for (int i = 0; i < 5; ++i)
            QCOMPARE(state.paletteRGBACache().at(i), rgba(lavande->colors().at(i)));

        const QList<RGBA> before = state.paletteRGBACache();
        state.setPaletteColor(2, colorFromHex(0x102030));
        QCOMPARE(state.paletteName(), QStringLiteral("Personnalisée"));
        for (int i = 0; i < 5; ++i) {
            if (i == 2)
                QCOMPARE(state.paletteRGBACache().at(i), rgba(colorFromHex(0x102030)));
            else
                QCOMPARE(state.paletteRGBACache().at(i), before.at(i));
        }
        QCOMPARE(state.paletteColor(2), colorFromHex(0x102030));

        state.applyPreset(*lavande);
        QSignalSpy anything(&state, &AppState::willChange);
        state.setPaletteColor(5, Qt::red);
        state.setPaletteColor(-1, Qt::red);
        QCOMPARE(anything.size(), 0);
        QCOMPARE(state.paletteName(), QStringLiteral("Lavande"));
        QCOMPARE(state.paletteColor(5), platformGray());
        QCOMPARE(state.paletteColor(-1), platformGray());
    }

    void widgetOperations()
    {
        Fixture fx;
        DefaultsStore store(fx.path);
        AppState state(store, false);
        QCOMPARE(state.widgetShape("clock"), WidgetShape::Card);
        QCOMPARE(state.widgetSize("clock"), WidgetSize::Medium);
        state.setWidgetShape("clock", WidgetShape::Pill);
        state.setWidgetSize("clock", WidgetSize::Small);
        QCOMPARE(state.widgetShape("clock"), WidgetShape::Pill);
        QCOMPARE(state.widgetSize("clock"), WidgetSize::Small);
        state.setWidgetShapes({{"date", "hexagon"}});
        QCOMPARE(state.widgetShape("date"), WidgetShape::Card);
        QCOMPARE(state.widgetShapes().value("date"), QStringLiteral("hexagon")); // not corrected

        QSignalSpy changes(&state, &AppState::enabledWidgetsChanged);
        state.toggleWidget("clock");
        QCOMPARE(state.enabledWidgets(), QSet<QString>{"clock"});
        state.toggleWidget("clock");
        QVERIFY(state.enabledWidgets().isEmpty());
        QCOMPARE(changes.size(), 2); // one assignment each
        state.toggleWidget("nonsense");
        QCOMPARE(state.enabledWidgets(), QSet<QString>{"nonsense"}); // stored unchanged
    }
};

QTEST_GUILESS_MAIN(TestAppState)
#include "tst_appstate.moc"

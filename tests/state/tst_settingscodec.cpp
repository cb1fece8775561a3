#include "palettes/WallpaperPalette.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "state/SceneActions.h"
#include "state/SettingsCodec.h"

#include <QFile>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;

class TestSettingsCodec : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    std::unique_ptr<DefaultsStore> freshStore()
    {
        static int n = 0;
        return std::make_unique<DefaultsStore>(m_dir.filePath(QStringLiteral("d%1.json").arg(++n)));
    }

private Q_SLOTS:
    void jsonHasEveryKeyInStoredEncodings()
    {
        auto store = freshStore();
        AppState state(*store, false);
        state.setEnabledWidgets({"month", "clock"});
        state.setEnabledDisplays({7, 3});
        const QJsonObject o = SettingsCodec::toJson(state);
        QCOMPARE(o.keys().size(), SettingsCodec::keys().size());
        for (const QString& key : SettingsCodec::keys())
            QVERIFY2(o.contains(key), qPrintable(key));
        QCOMPARE(o.value("wallpaperMode").toString(), QStringLiteral("scene"));
        QCOMPARE(o.value("mediaPath").toString(QStringLiteral("<absent>")), QString(""));
        QCOMPARE(o.value("paletteHex").toArray().first().toInteger(), 0xE0E2DB);
        QCOMPARE(o.value("enabledWidgets").toArray(), (QJsonArray{"clock", "month"}));
        QCOMPARE(o.value("enabledDisplays").toArray(), (QJsonArray{3, 7}));
    }

    void parseValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("int") << "60" << true;
        QTest::newRow("string") << "\"video\"" << true;
        QTest::newRow("list") << "[1,2,3,4,5]" << true;
        QTest::newRow("bare word") << "video" << false;
        QTest::newRow("trailing") << "60 61" << false;
        QTest::newRow("NaN") << "NaN" << false;
        QTest::newRow("overflow") << "1e999" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("unclosed") << "[1," << false;
    }

    void parseValue()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QString error;
        QCOMPARE(SettingsCodec::parseValue(text, &error).has_value(), ok);
        QCOMPARE(error.isEmpty(), ok);
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("mentions"); // part of the message naming what is allowed
        QTest::newRow("fps 45") << "fps"
                                << "45"
                                << "30, 60, 120";
        QTest::newRow("fps text") << "fps"
                                  << "\"60\""
                                  << "30, 60, 120";
        QTest::newRow("fps fraction") << "fps"
                                      << "60.5"
                                      << "30, 60, 120";
        QTest::newRow("quality 900") << "renderQuality"
                                     << "900"
                                     << "720, 1080, 1440, 1920";
        QTest::newRow("scene 15") << "sceneIndex"
                                  << "15"
                                  << "0 à 14";
        QTest::newRow("scene -1") << "sceneIndex"
                                  << "-1"
                                  << "0 à 14";
        QTest::newRow("mode Scene") << "wallpaperMode"
                                    << "\"Scene\""
                                    << "\"video\"";
        QTest::newRow("palette four") << "paletteHex"
                                      << "[1,2,3,4]"
                                      << "5 entiers";
        QTest::newRow("palette string") << "paletteHex"
                                        << "[1,2,3,4,\"5\"]"
                                        << "5 entiers";
        QTest::newRow("palette too big") << "paletteHex"
                                         << "[1,2,3,4,16777216]"
                                         << "5 entiers";
        QTest::newRow("bool as int") << "isRunning"
                                     << "1"
                                     << "true ou false";
        QTest::newRow("speed text") << "speed"
                                    << "\"fast\""
                                    << "nombre fini";
        QTest::newRow("speed 1e300") << "speed"
                                     << "1e300"
                                     << "0 à 1";
        QTest::newRow("speed -0.5") << "speed"
                                    << "-0.5"
                                    << "0 à 1";
        QTest::newRow("speed 1.5") << "speed"
                                   << "1.5"
                                   << "0 à 1";
        QTest::newRow("sharpness 1.0001") << "sharpness"
                                          << "1.0001"
                                          << "0 à 1";
        QTest::newRow("widgets unknown") << "enabledWidgets"
                                         << "[\"clock\",\"radio\"]"
                                         << "pomodoro";
        QTest::newRow("shape unknown") << "widgetShapes"
                                       << "{\"clock\":\"hexagon\"}"
                                       << "circle";
        QTest::newRow("displays negative") << "enabledDisplays"
                                           << "[-4]"
                                           << "4294967295";
        // Paths that cannot work are refused when set.
        QTest::newRow("mediaPath missing") << "mediaPath"
                                           << "\"/nonexistent/clip.mp4\""
                                           << "fichier introuvable : /nonexistent/clip.mp4";
        QTest::newRow("mediaPath relative") << "mediaPath"
                                            << "\"clip.mp4\""
                                            << "absolu";
        // A playlist has the player open whatever it names: never a wallpaper.
        const QString playlist = m_dir.filePath(QStringLiteral("clip.mp4"));
        QFile list(playlist);
        QVERIFY(list.open(QIODevice::WriteOnly) && list.write("#EXTM3U\nhttp://127.0.0.1/a.mp4\n") > 0);
        list.close();
        QTest::newRow("mediaPath playlist named as a video")
            << "mediaPath" << SettingsCodec::format(playlist) << "liste de lecture";
        QTest::newRow("mediaPath address") << "mediaPath"
                                           << "\"http://127.0.0.1/a.mp4\""
                                           << "adresse";
        QTest::newRow("slideMinutes 0") << "slideMinutes"
                                        << "0"
                                        << "1 à 1440";
        QTest::newRow("slideMinutes a day and one") << "slideMinutes"
                                                    << "1441"
                                                    << "1 à 1440";
        QTest::newRow("slideMinutes fraction") << "slideMinutes"
                                               << "2.5"
                                               << "1 à 1440";
        QTest::newRow("slideMinutes text") << "slideMinutes"
                                           << "\"10\""
                                           << "1 à 1440";
        QTest::newRow("slideShuffle as int") << "slideShuffle"
                                             << "1"
                                             << "true ou false";
        QTest::newRow("unknown key") << "volume"
                                     << "3"
                                     << "sceneIndex";
        QTest::newRow("screen not an object") << "screenOverrides"
                                              << "{\"DP-1\":3}"
                                              << "DP-1";
        QTest::newRow("screen scene 15") << "screenOverrides"
                                         << "{\"DP-1\":{\"sceneIndex\":2},\"DP-2\":{\"sceneIndex\":15}}"
                                         << "0 à 14";
        QTest::newRow("screen key not per screen") << "screenOverrides"
                                                   << "{\"DP-1\":{\"fps\":60}}"
                                                   << "paletteHex";
    }

    void refusalsChangeNothing()
    {
        QFETCH(QString, key);
        QFETCH(QString, json);
        QFETCH(QString, mentions);
        auto store = freshStore();
        AppState state(*store, false);
        const QJsonObject before = SettingsCodec::toJson(state);
        int changes = 0;
        connect(&state, &AppState::willChange, this, [&] { ++changes; });
        const auto value = SettingsCodec::parseValue(json, nullptr);
        QVERIFY(value);
        const auto error = SettingsCodec::apply(state, key, *value);
        QVERIFY(error);
        QVERIFY2(error->contains(key), qPrintable(*error));
        QVERIFY2(error->contains(mentions), qPrintable(*error));
        QCOMPARE(changes, 0);
        QCOMPARE(SettingsCodec::toJson(state), before);
    }

    void acceptedValuesAssign()
    {
        auto store = freshStore();
        AppState state(*store, false);
        auto set = [&](const QString& key, const QString& json) {
            const auto error = SettingsCodec::apply(state, key, *SettingsCodec::parseValue(json, nullptr));
            QVERIFY2(!error, error ? qPrintable(*error) : "");
        };
        set("fps", "60");
        set("wallpaperMode", "\"video\"");
        QTemporaryDir media;
        const QString clip = media.filePath(QStringLiteral("a b.mp4"));
        QVERIFY(QFile(clip).open(QIODevice::WriteOnly));
        set("mediaPath", SettingsCodec::format(clip));
        set("spanScreens", "true");
        set("slideMinutes", "1440");
        set("slideShuffle", "true");
        set("speed", "1");
        set("colorShift", "0");
        set("paletteName", "\"Corail\"");
        set("enabledWidgets", "[\"clock\",\"clock\",\"date\"]");
        set("widgetSizes", "{\"clock\":\"large\"}");
        set("enabledDisplays", "[4294967295]");
        QCOMPARE(state.fps(), 60);
        QCOMPARE(state.wallpaperMode(), WallpaperMode::Video);
        QCOMPARE(state.mediaPath(), clip);
        QCOMPARE(state.spanScreens(), true);
        QCOMPARE(state.slideMinutes(), 1440);
        QVERIFY(state.slideShuffle());
        QCOMPARE(state.speed(), 1.0);
        // A preset's name chooses the preset.
        QCOMPARE(state.paletteName(), QStringLiteral("Corail"));
        QCOMPARE(hexValue(state.paletteColors().at(3)), 0xE2674Eu);
        QCOMPARE(state.enabledWidgets(), (QSet<QString>{"clock", "date"}));
        QCOMPARE(state.widgetSize("clock"), WidgetSize::Large);
        QCOMPARE(state.enabledDisplays(), QSet<quint32>{0xFFFFFFFFu});
        set("paletteHex", "[1,2,3,4,5]");
        QCOMPARE(state.paletteName(), QStringLiteral("Personnalisée"));
        QCOMPARE(hexValue(state.paletteColors().at(4)), 5u);
        // A folder plays its files in turn.
        set("mediaPath", SettingsCodec::format(media.path()));
        QCOMPARE(state.mediaPath(), media.path());
        set("mediaPath", "\"\"");
        QVERIFY(state.mediaPath().isNull());
    }

    // `ctl set --screen`: the main rules, refusals change nothing, and the
    // screen's other values keep following the main settings.
    void screenValues()
    {
        auto store = freshStore();
        AppState state(*store, false);
        const QString screen = QStringLiteral("HDMI-1");
        int changes = 0;
        connect(&state, &AppState::willChange, this, [&] { ++changes; });
        const QList<std::pair<const char*, const char*>> refused{{"sceneIndex", "15"},
                                                                 {"wallpaperMode", "\"film\""},
                                                                 {"speed", "1.5"},
                                                                 {"paletteHex", "[1,2,3]"},
                                                                 {"fps", "60"},
                                                                 {"mediaPath", "3"},
                                                                 {"mediaPath", "\"/nonexistent/a.png\""}};
        for (const auto& [key, json] : refused) {
            const auto error =
                SettingsCodec::applyToScreen(state, screen, QString::fromLatin1(key),
                                             *SettingsCodec::parseValue(QString::fromLatin1(json), nullptr));
            QVERIFY2(error && error->contains(QLatin1String(key)), key);
        }
        QCOMPARE(changes, 0);
        QVERIFY(state.screenOverrides().isEmpty());

        auto set = [&](const char* key, const char* json) {
            const auto error =
                SettingsCodec::applyToScreen(state, screen, QString::fromLatin1(key),
                                             *SettingsCodec::parseValue(QString::fromLatin1(json), nullptr));
            QVERIFY2(!error, error ? qPrintable(*error) : "");
        };
        QTemporaryDir media;
        const QString picture = media.filePath(QStringLiteral("a.png"));
        QVERIFY(QFile(picture).open(QIODevice::WriteOnly));
        set("wallpaperMode", "\"image\"");
        set("mediaPath", SettingsCodec::format(picture).toUtf8().constData());
        set("paletteName", "\"Corail\"");
        state.setSceneIndex(4);
        QJsonObject shown = SettingsCodec::screenJson(state, screen);
        QCOMPARE(shown.value("wallpaperMode").toString(), QStringLiteral("image"));
        QCOMPARE(shown.value("mediaPath").toString(), picture);
        QCOMPARE(shown.value("sceneIndex").toInteger(), 4); // still the main one
        // A preset's name brings its colours, on this screen only.
        QCOMPARE(shown.value("paletteHex").toArray().at(3).toInteger(), 0xE2674E);
        QVERIFY(state.paletteName() != QStringLiteral("Corail"));
        QCOMPARE(SettingsCodec::screenJson(state, QStringLiteral("DP-2")).value("wallpaperMode").toString(),
                 QStringLiteral("scene"));
        set("paletteHex", "[1,2,3,4,5]");
        QCOMPARE(state.screenOverrides().value(screen).value("paletteName").toString(),
                 QStringLiteral("Personnalisée"));

        QVERIFY(SettingsCodec::resetScreen(state, screen));
        QVERIFY(state.screenOverrides().isEmpty());
        QVERIFY(!SettingsCodec::resetScreen(state, screen));
        QCOMPARE(SettingsCodec::screenJson(state, screen).value("wallpaperMode").toString(),
                 QStringLiteral("scene"));
    }

    void sceneStepsWrapBothWays()
    {
        auto store = freshStore();
        AppState state(*store, false);
        SceneActions::switchScene(state, -1);
        QCOMPARE(state.sceneIndex(), 14);
        SceneActions::switchScene(state, 1);
        QCOMPARE(state.sceneIndex(), 0);
        SceneActions::switchScene(state, -31);
        QCOMPARE(state.sceneIndex(), 14);
    }

    void randomizeStaysInRange()
    {
        auto store = freshStore();
        AppState state(*store, false);
        QRandomGenerator rng(1234);
        for (int i = 0; i < 200; ++i) {
            state.setWallpaperMode(WallpaperMode::Video);
            SceneActions::randomize(state, rng);
            QCOMPARE(state.wallpaperMode(), WallpaperMode::Scene);
            QVERIFY(state.sceneIndex() >= 0 && state.sceneIndex() <= 14);
            QVERIFY(state.speed() >= 0.3 && state.speed() <= 0.8);
            QVERIFY(state.intensity() >= 0.45 && state.intensity() <= 0.85);
            QVERIFY(state.scale() >= 0.35 && state.scale() <= 0.7);
            QVERIFY(state.colorShift() >= 0.0 && state.colorShift() <= 0.3);
            QVERIFY(WallpaperPalette::preset(state.paletteName()));
            QCOMPARE(state.sharpness(), 0.5);
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsCodec)
#include "tst_settingscodec.moc"

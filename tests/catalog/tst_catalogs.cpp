#include "design/CatalogAccents.h"
#include "design/Theme.h"
#include "model/SceneCatalog.h"
#include "model/WidgetCatalog.h"
#include "state/SafeIndex.h"
#include "state/WallpaperMode.h"

#include <QTest>
#include <vector>

using namespace nivora;

class TestCatalogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scenes()
    {
        const auto& scenes = availableScenes();
        QCOMPARE(scenes.size(), 15);
        for (int i = 0; i < scenes.size(); ++i)
            QCOMPARE(scenes.at(i).id, i);
        QCOMPARE(scenes.at(0).name, QStringLiteral("Brume"));
        QCOMPARE(scenes.at(14).subtitle, QStringLiteral("Flocons à la dérive"));
        // Two scenes share a symbol; identity is the index.
        QCOMPARE(scenes.at(3).systemImage, scenes.at(10).systemImage);
        QVERIFY(!(scenes.at(3) == scenes.at(10)));
    }

    void safeLookup()
    {
        QVERIFY(!safeAt(availableScenes(), 15).has_value());
        QVERIFY(!safeAt(availableScenes(), -1).has_value());
        QVERIFY(!safeAt(availableScenes(), qint64(1) << 40).has_value());
        QCOMPARE(safeAt(availableScenes(), qint64(13))->name, QStringLiteral("Pluie"));
        const std::vector<int> empty;
        QVERIFY(!safeAt(empty, 0).has_value());
    }

    void categoryGroups()
    {
        QCOMPARE(sceneCategories(), (QStringList{"Atmosphère", "Fluide", "Géométrie", "Météo"}));
        const QList<QList<int>> expected{{0, 1, 9, 10, 11, 12}, {3, 4, 5, 6, 7}, {2, 8}, {13, 14}};
        int total = 0;
        for (int c = 0; c < 4; ++c) {
            QList<int> ids;
            for (const SceneInfo& s : scenesInCategory(sceneCategories().at(c)))
                ids.append(s.id);
            QCOMPARE(ids, expected.at(c));
            total += ids.size();
        }
        QCOMPARE(total, 15); // every scene sits in a known category
        QCOMPARE(sceneCategoryAccent("Fluide"), Theme::blue());
        QCOMPARE(sceneCategorySymbol("Météo"), QStringLiteral("cloud.rain.fill"));
        QCOMPARE(sceneCategorySymbol("météo"), QStringLiteral("circle.fill"));
        QCOMPARE(sceneCategoryAccent(""), Theme::ink());
    }

    void modes()
    {
        QCOMPARE(WallpaperModes::all().size(), 3);
        for (WallpaperMode m : WallpaperModes::all())
            QCOMPARE(WallpaperModes::fromId(WallpaperModes::id(m)), m);
        QVERIFY(!WallpaperModes::fromId("Scene"));
        QVERIFY(!WallpaperModes::fromId(""));
        QCOMPARE(WallpaperModes::title(WallpaperMode::Scene), QStringLiteral("Scène animée"));
    }

    void widgetIdentifiers()
    {
        QCOMPARE(WidgetKinds::all().size(), 12);
        for (WidgetKind k : WidgetKinds::all())
            QCOMPARE(WidgetKinds::fromId(WidgetKinds::id(k)), k);
        QVERIFY(!WidgetKinds::fromId(""));
        QVERIFY(!WidgetKinds::fromId("Clock"));
        QVERIFY(!WidgetKinds::fromId("new-year"));
        QCOMPARE(WidgetKinds::position(WidgetKind::Month), 11);
        QCOMPARE(WidgetKinds::id(WidgetKind::NewYear), QStringLiteral("newyear"));
        QCOMPARE(WidgetKinds::name(WidgetKind::Pomodoro), QStringLiteral("Focus"));
        QVERIFY(!WidgetShapes::fromId("square"));
        QVERIFY(!WidgetSizes::fromId("Medium"));
        QVERIFY(WidgetShapes::centersContent(WidgetShape::Pill));
        QVERIFY(!WidgetShapes::centersContent(WidgetShape::Rounded));
        QCOMPARE(WidgetShapes::contentPadding(WidgetShape::Circle), 24.0);
    }

    void windowSizes_data()
    {
        QTest::addColumn<WidgetKind>("kind");
        QTest::addColumn<WidgetShape>("shape");
        QTest::addColumn<WidgetSize>("size");
        QTest::addColumn<QSizeF>("expected");
        QTest::newRow("clock small") << WidgetKind::Clock << WidgetShape::Card << WidgetSize::Small
                                     << QSizeF(205, 123);
        QTest::newRow("clock large") << WidgetKind::Clock << WidgetShape::Rounded << WidgetSize::Large
                                     << QSizeF(320, 192);
        QTest::newRow("clock circle")
            << WidgetKind::Clock << WidgetShape::Circle << WidgetSize::Medium << QSizeF(250, 250);
        QTest::newRow("date circle large")
            << WidgetKind::Date << WidgetShape::Circle << WidgetSize::Large << QSizeF(230.4, 230.4);
        QTest::newRow("pill keeps ratio")
            << WidgetKind::Uptime << WidgetShape::Pill << WidgetSize::Medium << QSizeF(240, 120);
    }

    void windowSizes()
    {
        QFETCH(WidgetKind, kind);
        QFETCH(WidgetShape, shape);
        QFETCH(WidgetSize, size);
        QFETCH(QSizeF, expected);
        const QSizeF s = widgetWindowSize(kind, shape, size);
        QVERIFY2(qAbs(s.width() - expected.width()) < 1e-9 && qAbs(s.height() - expected.height()) < 1e-9,
                 qPrintable(QStringLiteral("%1 x %2").arg(s.width()).arg(s.height())));
    }
};

QTEST_GUILESS_MAIN(TestCatalogs)
#include "tst_catalogs.moc"

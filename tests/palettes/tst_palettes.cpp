#include "palettes/ColorHex.h"
#include "palettes/WallpaperPalette.h"

#include <QSet>
#include <QTest>

using namespace nivora;

class TestPalettes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void presetsTable()
    {
        const auto& presets = WallpaperPalette::presets();
        QCOMPARE(presets.size(), 44);
        QSet<QString> names;
        for (const auto& p : presets) {
            QCOMPARE(p.hex.size(), 5);
            QCOMPARE(p.colors().size(), 5);
            names.insert(p.name);
        }
        QCOMPARE(names.size(), 44);
        QCOMPARE(presets.first().name, QStringLiteral("Silver Sage"));
        QCOMPARE(presets.first().hex, (QList<quint32>{0xE0E2DB, 0xD2D4C8, 0xB8BDB5, 0x889696, 0x5F7470}));
        QCOMPARE(presets.at(21).name, QStringLiteral("Néon nuit"));
        QCOMPARE(presets.last().name, QStringLiteral("Tournesol"));
        QCOMPARE(presets.last().hex.last(), 0x7E4A1Eu);
        // Built once: the same storage on every call.
        QCOMPARE(&WallpaperPalette::presets(), &presets);
        QVERIFY(WallpaperPalette::preset(QStringLiteral("Mer Égée")));
        QVERIFY(!WallpaperPalette::preset(QStringLiteral("mer égée")));
    }

    void identityIsPerConstruction()
    {
        const WallpaperPalette a(QStringLiteral("X"), {1, 2, 3});
        const WallpaperPalette b(QStringLiteral("X"), {1, 2, 3});
        QVERIFY(a.id != b.id);
        QVERIFY(!(a == b));
        QVERIFY(a == a);
        QVERIFY(WallpaperPalette(QStringLiteral("E"), {}).colors().isEmpty());
    }

    void hexToColour()
    {
        const QColor c = colorFromHex(0x0B0B16);
        QCOMPARE(c.redF(), 11 / 255.0f);
        QCOMPARE(c.greenF(), 11 / 255.0f);
        QCOMPARE(c.blueF(), 22 / 255.0f);
        QCOMPARE(c.alphaF(), 1.0f);
        QCOMPARE(colorFromHex(0xFF0B0B16), c);
        QCOMPARE(colorFromHex(0x7F0B0B16), c);
    }

    void colourToHex_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<quint32>("hex");
        QTest::newRow("round trip") << colorFromHex(0x9A6FD4) << 0x9A6FD4u;
        QTest::newRow("black") << QColor(Qt::black) << 0x000000u;
        QTest::newRow("white") << QColor(Qt::white) << 0xFFFFFFu;
        // 0.5 * 255 = 127.5 rounds away from zero.
        QTest::newRow("half") << QColor::fromRgbF(0.5f, 0.5f, 0.5f) << 0x808080u;
        QTest::newRow("hsv") << QColor::fromHsv(0, 255, 255) << 0xFF0000u;
        QTest::newRow("invalid is grey") << QColor() << 0x808080u;
        QTest::newRow("extended clamps") << QColor::fromRgbF(1.4f, -0.3f, 0.2f) << ((255u << 16) | 51u);
    }

    void colourToHex()
    {
        QFETCH(QColor, colour);
        QFETCH(quint32, hex);
        QCOMPARE(hexValue(colour), hex);
    }

    void everyPresetRoundTrips()
    {
        for (const auto& p : WallpaperPalette::presets()) {
            const QList<QColor> colours = p.colors();
            for (int i = 0; i < 5; ++i)
                QCOMPARE(hexValue(colours.at(i)), p.hex.at(i));
        }
    }

    void gpuColour()
    {
        QCOMPARE(rgba(colorFromHex(0xFF8000)), (RGBA{1.0f, 128 / 255.0f, 0.0f, 1.0f}));
        QCOMPARE(rgba(QColor(255, 0, 0, 0)), (RGBA{1.0f, 0.0f, 0.0f, 0.0f}));
        QCOMPARE(rgba(QColor()), (RGBA{0.5f, 0.5f, 0.5f, 1.0f}));
    }
};

QTEST_GUILESS_MAIN(TestPalettes)
#include "tst_palettes.moc"

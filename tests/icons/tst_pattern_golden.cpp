#include "icons/FolderPattern.h"
#include "icons/PatternDraw.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace nivora;

namespace {

// Golden images were reviewed by eye when they were made. Set
// NIVORA_UPDATE_GOLDEN=1 to rewrite them after an intended change, and look at
// them again before keeping them.
constexpr int goldenSize = 128;
// Antialiasing may differ slightly between Qt builds; shapes that moved or
// changed colour differ by far more than this.
constexpr int channelTolerance = 24;
constexpr double differingShare = 0.005;

QString goldenPath(const QString& file)
{
    return QDir(qEnvironmentVariable("NIVORA_TEST_DATA")).filePath(QStringLiteral("golden/") + file);
}

QImage renderIcon(const FolderPattern& pattern)
{
    QImage image(goldenSize, goldenSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // As the previews do: the 512-unit canvas, scaled down.
    painter.scale(goldenSize / 512.0, goldenSize / 512.0);
    PatternDraw::render(pattern, painter, QSizeF(512, 512));
    painter.end();
    return image;
}

} // namespace

class TestPatternGolden : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesGolden_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("file");
        QTest::newRow("square lattice") << 2 << QStringLiteral("pattern-damier.png");
        QTest::newRow("staggered lattice") << 19 << QStringLiteral("pattern-coeurs.png");
        QTest::newRow("staggered arcs") << 7 << QStringLiteral("pattern-ecailles.png");
        QTest::newRow("random") << 18 << QStringLiteral("pattern-confettis.png");
        QTest::newRow("random turned") << 38 << QStringLiteral("pattern-vermicelles.png");
        QTest::newRow("polyline") << 12 << QStringLiteral("pattern-chevron.png");
    }

    void matchesGolden()
    {
        QFETCH(int, index);
        QFETCH(QString, file);
        const QImage actual = renderIcon(FolderPattern::all().at(index));
        const QString path = goldenPath(file);
        if (qEnvironmentVariableIntValue("NIVORA_UPDATE_GOLDEN") == 1) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QVERIFY(actual.save(path));
            QSKIP("golden image rewritten");
        }
        QImage expected(path);
        QVERIFY2(!expected.isNull(), qPrintable(path));
        expected = expected.convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(expected.size(), actual.size());

        int differing = 0;
        int worst = 0;
        for (int y = 0; y < actual.height(); ++y) {
            for (int x = 0; x < actual.width(); ++x) {
                const QRgb a = actual.pixel(x, y);
                const QRgb e = expected.pixel(x, y);
                const int d = std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                                        std::abs(qBlue(a) - qBlue(e)), std::abs(qAlpha(a) - qAlpha(e))});
                worst = std::max(worst, d);
                if (d > 2)
                    ++differing;
            }
        }
        QVERIFY2(worst <= channelTolerance,
                 qPrintable(QStringLiteral("largest channel difference %1").arg(worst)));
        QVERIFY2(differing <= differingShare * actual.width() * actual.height(),
                 qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
    }
};

QTEST_GUILESS_MAIN(TestPatternGolden)
#include "tst_pattern_golden.moc"

#include "icons/FolderPattern.h"

#include <QSet>
#include <QTest>
#include <QThread>
#include <atomic>
#include <vector>

using namespace nivora;

class TestFolderPattern : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Runs first, so the threads race for the very first access.
    void firstAccessFromManyThreadsBuildsOnce()
    {
        std::atomic<int> ready{0};
        std::vector<const QList<FolderPattern>*> seen(8, nullptr);
        QList<QThread*> threads;
        for (int i = 0; i < 8; ++i) {
            threads.append(QThread::create([&, i] {
                ready.fetch_add(1);
                while (ready.load() < 8) {
                }
                seen[static_cast<std::size_t>(i)] = &FolderPattern::all();
            }));
        }
        for (QThread* thread : threads)
            thread->start();
        for (QThread* thread : threads) {
            QVERIFY(thread->wait(10000));
            delete thread;
        }
        for (const auto* list : seen)
            QCOMPARE(list, &FolderPattern::all());
        QCOMPARE(FolderPattern::all().size(), 52);
    }

    void catalogueShape()
    {
        const auto& all = FolderPattern::all();
        QCOMPARE(all.size(), 52);
        QCOMPARE(all.first().name(), QStringLiteral("Pois"));
        QCOMPARE(all.last().name(), QStringLiteral("Mosaïque océan"));

        QSet<int> kinds;
        QSet<QString> names;
        QStringList categories;
        for (const FolderPattern& pattern : all) {
            kinds.insert(static_cast<int>(pattern.kind()));
            names.insert(pattern.name());
            if (!categories.contains(pattern.category()))
                categories.append(pattern.category());
            const qsizetype n = pattern.colors().size();
            QVERIFY2(n >= 2 && n <= 4, qPrintable(pattern.name()));
            for (const QColor& color : pattern.colors())
                QCOMPARE(color.alpha(), 255);
        }
        QCOMPARE(kinds.size(), patternKindCount);
        QCOMPARE(names.size(), 52);
        const QStringList expectedCategories{
            "Rétro",   "Marine",    "Géométrique", "Antique",    "Linogravure", "Nuit",
            "Océan",   "Corail",    "Bureau",      "Cabine",     "Pique-nique", "Atelier",
            "Jardin",  "Festif",    "Bord de mer", "Fête",       "Tendre",      "Couture",
            "Croquis", "Graphique", "Ruche",       "Scandinave", "Gourmand",    "Pastel"};
        QCOMPARE(categories, expectedCategories);
    }

    void spotRows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<QRgb>>("colors");
        QTest::newRow("confetti") << 18 << QStringLiteral("Confettis") << int(PatternKind::confetti)
                                  << QList<QRgb>{0x232033, 0xEC4899, 0x22D3EE, 0xFFC15E};
        QTest::newRow("ligature") << 19 << QStringLiteral("C\u0153urs") << int(PatternKind::hearts)
                                  << QList<QRgb>{0xFDE7EE, 0xEF6F92};
        QTest::newRow("ascii apostrophe") << 28 << QStringLiteral("Nid d'abeille")
                                          << int(PatternKind::hexagons) << QList<QRgb>{0xFFF6D5, 0xFFB740};
        QTest::newRow("last kind") << 39 << QStringLiteral("Vermicelles nuit") << int(PatternKind::sprinkles)
                                   << QList<QRgb>{0x232033, 0xEC4899, 0x22D3EE, 0xFFC15E};
        QTest::newRow("three colours") << 47 << QStringLiteral("Chevron menthe") << int(PatternKind::chevron)
                                       << QList<QRgb>{0xEAF8F0, 0x2C8A63, 0x8FD9B6};
    }

    void spotRows()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(QList<QRgb>, colors);
        const FolderPattern& pattern = FolderPattern::all().at(index);
        QCOMPARE(pattern.name(), name);
        QCOMPARE(static_cast<int>(pattern.kind()), kind);
        QCOMPARE(pattern.colors().size(), colors.size());
        for (qsizetype i = 0; i < colors.size(); ++i)
            QCOMPARE(pattern.colors().at(i).rgb() & 0xFFFFFF, colors.at(i));
    }

    void idsAreStableWithinRunAndFreshPerValue()
    {
        QList<QUuid> first;
        for (const FolderPattern& pattern : FolderPattern::all())
            first.append(pattern.id());
        QList<QUuid> second;
        for (const FolderPattern& pattern : FolderPattern::all())
            second.append(pattern.id());
        QCOMPARE(first, second);
        QCOMPARE(QSet<QUuid>(first.begin(), first.end()).size(), 52);

        const FolderPattern a(QStringLiteral("x"), QStringLiteral("y"), PatternKind::dots, {Qt::white});
        const FolderPattern b(QStringLiteral("x"), QStringLiteral("y"), PatternKind::dots, {Qt::white});
        QVERIFY(!a.id().isNull());
        QVERIFY(a.id() != b.id());
        QVERIFY(!first.contains(a.id()));
    }
};

QTEST_GUILESS_MAIN(TestFolderPattern)
#include "tst_folder_pattern.moc"

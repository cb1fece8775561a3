#include "dashboard/AdaptiveGridLayout.h"
#include "dashboard/DisplayList.h"
#include "dashboard/DisplayToggle.h"
#include "dashboard/MediaFileTypes.h"
#include "platform/fake/FakeScreenProvider.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace nivora;

using IDSet = QSet<quint32>;
Q_DECLARE_METATYPE(std::optional<IDSet>)

namespace {

ScreenInfo screen(const QString& name, quint32 id, QRect frame)
{
    ScreenInfo s;
    s.name = name;
    s.displayID = id;
    s.frame = frame;
    return s;
}

} // namespace

class TestPageLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void displayToggle_data()
    {
        QTest::addColumn<IDSet>("enabled");
        QTest::addColumn<QList<quint32>>("connected");
        QTest::addColumn<quint32>("id");
        QTest::addColumn<bool>("on");
        QTest::addColumn<std::optional<IDSet>>("stored");

        const QList<quint32> one{7};
        const QList<quint32> two{1, 2};
        QTest::newRow("only screen off is refused")
            << IDSet() << one << 7u << false << std::optional<IDSet>();
        QTest::newRow("only screen on again stays all")
            << IDSet() << one << 7u << true << std::optional(IDSet());
        QTest::newRow("second off keeps the first")
            << IDSet() << two << 2u << false << std::optional(IDSet{1});
        QTest::newRow("second on again means every display")
            << IDSet{1} << two << 2u << true << std::optional(IDSet());
        QTest::newRow("last enabled off is refused")
            << IDSet{1} << two << 1u << false << std::optional<IDSet>();
        // A display that is away keeps its place, so it is served when it is back.
        QTest::newRow("away display stays stored")
            << IDSet{1, 9} << two << 2u << true << std::optional(IDSet{1, 2, 9});
        QTest::newRow("away display does not count as shown")
            << IDSet{1, 9} << two << 1u << false << std::optional<IDSet>();
    }

    void displayToggle()
    {
        QFETCH(IDSet, enabled);
        QFETCH(QList<quint32>, connected);
        QFETCH(quint32, id);
        QFETCH(bool, on);
        QFETCH(std::optional<IDSet>, stored);
        QCOMPARE(DisplayToggle::toggled(enabled, connected, id, on), stored);
        QCOMPARE(DisplayToggle::isOn(enabled, id), enabled.isEmpty() || enabled.contains(id));
    }

    void displayListFollowsTheScreens()
    {
        FakeScreenProvider provider;
        provider.setScreens({screen("DP-1", 11, QRect(0, 0, 1512, 982))});
        DisplayList list(provider);
        QSignalSpy changed(&list, &DisplayList::rowsChanged);
        QCOMPARE(list.rows().size(), 1);
        QCOMPARE(list.rows().at(0).title, QStringLiteral("DP-1"));
        QCOMPARE(list.rows().at(0).detail, QStringLiteral("1512 × 982 · Écran principal"));

        provider.setScreens(
            {screen("DP-1", 11, QRect(0, 0, 1512, 982)), screen("HDMI-2", 12, QRect(1512, 0, 1920, 1080))});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(list.connectedIDs(), (QList<quint32>{11, 12}));
        QCOMPARE(list.rows().at(1).detail, QStringLiteral("1920 × 1080"));

        // A change that leaves every row as it was is not announced.
        provider.setScreens(provider.screens());
        QCOMPARE(changed.count(), 1);
        provider.setScreens({screen("HDMI-2", 12, QRect(0, 0, 1920, 1080))});
        QCOMPARE(changed.count(), 2);
        QCOMPARE(list.rows().at(0).detail, QStringLiteral("1920 × 1080 · Écran principal"));
    }

    void adaptiveGridFillsTheWidth()
    {
        QWidget host;
        auto* grid = new AdaptiveGridLayout(152, 16, 18, &host);
        QList<QWidget*> items;
        for (int i = 0; i < 5; ++i) {
            auto* item = new QWidget(&host);
            item->setFixedHeight(i == 1 ? 60 : 40);
            item->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            grid->addWidget(item);
            items.append(item);
        }
        QCOMPARE(grid->columnsFor(319), 1);
        QCOMPARE(grid->columnsFor(320), 2);
        QCOMPARE(grid->columnsFor(10), 1);
        // Three columns of (500 - 32) / 3 = 156; rows 60 (tallest) and 40 apart by 18.
        QCOMPARE(grid->heightForWidth(500), 60 + 18 + 40);
        grid->setGeometry(QRect(0, 0, 500, 200));
        QCOMPARE(items.at(0)->geometry(), QRect(0, 0, 156, 40));
        QCOMPARE(items.at(2)->geometry(), QRect(344, 0, 156, 40));
        QCOMPARE(items.at(3)->geometry(), QRect(0, 78, 156, 40));
        // A hidden item leaves no hole.
        items.at(1)->hide();
        grid->setGeometry(QRect(0, 0, 500, 200));
        QCOMPARE(items.at(2)->geometry().topLeft(), QPoint(172, 0));
        QCOMPARE(grid->heightForWidth(500), 40 + 18 + 40);
    }

    void mediaFileTypes()
    {
        QCOMPARE(MediaFileTypes::mimeTypes(WallpaperMode::Image), QStringList{"image/*"});
        QCOMPARE(MediaFileTypes::mimeTypes(WallpaperMode::Video), QStringList{"video/*"});
        QVERIFY(MediaFileTypes::mimeTypes(WallpaperMode::Scene).isEmpty());
        const QString images = MediaFileTypes::nameFilter(WallpaperMode::Image);
        const QString videos = MediaFileTypes::nameFilter(WallpaperMode::Video);
        QVERIFY2(images.startsWith("Images (") && images.contains("*.png") && images.contains("*.jpg"),
                 qPrintable(images));
        QVERIFY2(videos.startsWith("Vidéos (") && videos.contains("*.mp4") && !videos.contains("*.png"),
                 qPrintable(videos));

        QCOMPARE(MediaFileTypes::fileLabel(QString()), QStringLiteral("Aucun fichier choisi"));
        QCOMPARE(MediaFileTypes::fileLabel("/home/me/Vidéos/boucle.mp4"), QStringLiteral("boucle.mp4"));
        QCOMPARE(MediaFileTypes::fileLabel("/srv/odd/"), QStringLiteral("/srv/odd/"));
    }
};

QTEST_MAIN(TestPageLogic)
#include "tst_page_logic.moc"
